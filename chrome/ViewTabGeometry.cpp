#include "chrome/ViewTabGeometry.h"

#include <QFontMetrics>

using platform::Rect;

namespace viewtabs {

namespace {

// The thin border of the desktop's windows.
constexpr int SM_CXBORDER = 1;

} // namespace

Rect TabRect(const Borders& borders, int tab)
{
    const int left = borders.left + 2 * SM_CXBORDER;
    const int top = borders.top + kTabHeight * tab + 2 * SM_CXBORDER;
    return Rect(left, top, left + 2 * SM_CXBORDER + kBandWidth, top + kTabHeight);
}

Rect BandRect(const Borders& borders, int height)
{
    return Rect(borders.left, 0, borders.left + kBandWidth, height - borders.bottom);
}

Rect ClientRect(const Borders& borders, int width, int height)
{
    return Rect(borders.left + kLeftMargin, borders.top + kMargin, width - borders.right - kMargin,
                height - borders.bottom - kMargin);
}

int HitTest(const Borders& borders, QPoint point)
{
    for (int tab = 0; tab < kTabCount; ++tab) {
        if (TabRect(borders, tab).contains(point))
            return kFirstTabCode + tab;
    }
    return HTBORDER;
}

std::array<int, kTabCount> PaintOrder(int current)
{
    std::array<int, kTabCount> order{};
    int n = 0;
    for (int tab = 0; tab < kTabCount; ++tab) {
        if (tab == current)
            continue;
        order[n++] = tab;
        if (tab == current + 1)
            order[n++] = current;
    }
    // The last tab current: nothing follows it.
    if (n < kTabCount)
        order[n++] = current;
    return order;
}

QFont LabelFont(const QFont& base, const QStringList& labels, int room)
{
    constexpr int kCellHeight = 11;
    constexpr int kSmallest = 6;
    QFont font = base;
    const auto fits = [&](int size) {
        font.setPixelSize(size);
        const QFontMetrics metrics(font);
        if (metrics.height() > kCellHeight)
            return false;
        for (const QString& label : labels)
            if (metrics.horizontalAdvance(label) > room)
                return false;
        return true;
    };
    int size = kCellHeight;
    while (size > kSmallest && !fits(size))
        --size;
    font.setPixelSize(size);
    return font;
}

} // namespace viewtabs
