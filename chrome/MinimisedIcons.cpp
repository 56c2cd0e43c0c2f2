#include "chrome/MinimisedIcons.h"

#include <QFontMetrics>

#include <algorithm>

using platform::Rect;

namespace mdiicons {

namespace {

bool Overlaps(const Rect& a, const Rect& b)
{
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

} // namespace

Rect FindFreeCell(int width, int height, const std::vector<Rect>& icons)
{
    // 1. Rows from the bottom, each 70 higher, while their top lies inside.
    for (int top = height - (kCellHeight + 1); top > 0; top -= kCellHeight) {
        // 2. Cells from the left, every 75 pixels.
        for (int left = 1; left < width; left += kCellWidth) {
            const Rect cell(left, top, left + kCellWidth, top + kCellHeight);
            // 3. The first cell wholly inside the area and clear of every icon.
            if (cell.right > width || cell.bottom > height)
                continue;
            if (std::none_of(icons.begin(), icons.end(), [&](const Rect& icon) { return Overlaps(icon, cell); }))
                return cell;
        }
    }
    return Rect(0, 0, kCellWidth, kCellHeight);
}

std::vector<Rect> ArrangeCells(int width, int height, size_t count)
{
    std::vector<Rect> cells;
    cells.reserve(count);
    while (cells.size() < count)
        cells.push_back(FindFreeCell(width, height, cells));
    return cells;
}

Rect PullBack(Rect cell, int width, int height)
{
    if (cell.right > width)
        cell.offset(std::max(width - cell.right, -cell.left), 0);
    if (cell.bottom > height)
        cell.offset(0, std::max(height - cell.bottom, -cell.top));
    return cell;
}

Rect MoveInside(Rect cell, int dx, int dy, int width, int height)
{
    cell.offset(dx, dy);
    if (cell.left < 0)
        cell.offset(-cell.left, 0);
    if (cell.top < 0)
        cell.offset(0, -cell.top);
    return PullBack(cell, width, height);
}

std::array<Rect, kZoomSteps> ZoomSteps(const Rect& from, const Rect& to)
{
    std::array<Rect, kZoomSteps> steps;
    const int dl = (to.left - from.left) / 20;
    const int dt = (to.top - from.top) / 20;
    const int dr = (from.right - to.right) / 20;
    const int db = (from.bottom - to.bottom) / 20;
    for (int i = 1; i <= kZoomSteps; ++i)
        steps[i - 1] = Rect(from.left + dl * i, from.top + dt * i, from.right - dr * i, from.bottom - db * i);
    return steps;
}

QStringList TitleLines(const QString& title, const QFontMetrics& metrics, int width, int maxLines)
{
    QStringList lines;
    if (maxLines <= 0 || width <= 0)
        return lines;
    // 1. Words that fit on no line are cut with "…".
    QStringList words = title.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    for (QString& word : words) {
        if (metrics.horizontalAdvance(word) > width)
            word = metrics.elidedText(word, Qt::ElideRight, width);
    }
    // 2. Words gathered into lines while they fit.
    qsizetype next = 0;
    while (next < words.size() && lines.size() < maxLines) {
        QString line = words[next++];
        while (next < words.size()) {
            const QString longer = line + QLatin1Char(' ') + words[next];
            if (metrics.horizontalAdvance(longer) > width)
                break;
            line = longer;
            ++next;
        }
        lines << line;
    }
    // 3. More words than lines: the last line, too long with the next word, is cut.
    if (next < words.size())
        lines.last() = metrics.elidedText(lines.last() + QLatin1Char(' ') + words[next], Qt::ElideRight, width);
    return lines;
}

} // namespace mdiicons
