#include "chrome/MenuBarLayout.h"

namespace MenuBarLayout {

int Wrap(const Items& items, int width)
{
    int rows = 1;
    int x = 0;
    const int n = int(items.size());
    for (int i = 0; i < n; ++i) {
        CMenuItem& item = *items[size_t(i)];
        item.ModifyState(CMenuItem::MISTATE_WRAP, 0);
        if (i + 1 == n)
            break;
        const int own = item.GetHorizontalSize().width();
        const int next = items[size_t(i + 1)]->GetHorizontalSize().width();
        if (x + own + next <= width) {
            x += own;
        } else if (item.IsWrappable()) {
            item.ModifyState(0, CMenuItem::MISTATE_WRAP);
            x = 0;
            ++rows;
        } else {
            x += own;
        }
    }
    return rows;
}

void Place(const Items& items, bool horizontal, int borderUnit)
{
    if (!horizontal) {
        int y = 0;
        for (const auto& item : items) {
            item->Layout(QPoint(borderUnit, y), false);
            y += item->GetSize(false).height();
        }
        return;
    }
    int x = 0;
    int y = borderUnit;
    for (const auto& item : items) {
        item->Layout(QPoint(x, y), true);
        x += item->GetHorizontalSize().width();
        if (item->m_fsState & CMenuItem::MISTATE_WRAP) {
            x = 0;
            y += item->GetHorizontalSize().height() + 1;
        }
    }
}

QSize Size(const Items& items, bool horizontal, int borderUnit)
{
    if (!horizontal) {
        int height = 0;
        int thickness = 0;
        for (const auto& item : items) {
            const QSize size = item->GetHorizontalSize();
            height += size.width();
            thickness = qMax(thickness, size.height());
        }
        return QSize(thickness + 2 * borderUnit, height);
    }
    int widest = 0;
    int height = 0;
    int rowWidth = 0;
    int rowHeight = 0;
    for (size_t i = 0; i < items.size(); ++i) {
        const QSize size = items[i]->GetHorizontalSize();
        rowWidth += size.width();
        rowHeight = qMax(rowHeight, size.height());
        const bool rowEnds = (items[i]->m_fsState & CMenuItem::MISTATE_WRAP) || i + 1 == items.size();
        if (rowEnds) {
            widest = qMax(widest, rowWidth);
            height += rowHeight + 2 * borderUnit;
            rowWidth = 0;
            rowHeight = 0;
        }
    }
    return QSize(widest, height);
}

QSize SizeForLength(const Items& items, int length, bool lengthIsHeight, int borderUnit)
{
    if (!lengthIsHeight) {
        Wrap(items, length);
        return Size(items, true, borderUnit);
    }
    // The narrowest wrap whose height is no more than the length.
    int low = 0;
    int high = kOneRow;
    while (low < high) {
        const int middle = low + (high - low) / 2;
        Wrap(items, middle);
        if (Size(items, true, borderUnit).height() > length)
            low = middle + 1;
        else
            high = middle;
    }
    Wrap(items, low);
    return Size(items, true, borderUnit);
}

} // namespace MenuBarLayout
