#include "controls/TreeGridGeometry.h"

#include <QFontMetrics>
#include <QTextBoundaryFinder>

#include <algorithm>

namespace treegrid {

using platform::Rect;

Rect IconRect(const Rect& row, int indent, const Metrics& m)
{
    const int left = row.left + indent * m.cxIcon + m.stateImageWidth;
    return Rect(left, row.top, left + m.cxIcon, row.bottom);
}

Rect LabelRect(const Rect& row, int indent, const Metrics& m, int columnWidth)
{
    const int right = row.left + columnWidth;
    const int left = std::min(IconRect(row, indent, m).right, right);
    return Rect(left, row.top, right, row.bottom);
}

ItemImage ItemImageOf(const Rect& row, int indent, const Metrics& m, int columnWidth)
{
    ItemImage image;
    image.x = row.left + indent * m.cxIcon;
    image.y = row.bottom - m.cyIcon - (row.height() - m.cyIcon) / 2;
    image.width = m.cxIcon;
    const int columnRight = row.left + columnWidth;
    if (image.x + m.cxIcon > columnRight - 2)
        image.width = m.cxIcon - (image.x + m.cxIcon - columnRight);
    image.drawn = image.width >= 0;
    return image;
}

int BackgroundLeft(const Rect& row, int indent, const Metrics& m, int columnWidth)
{
    return std::min(row.left + indent * m.cxIcon + m.cxIcon + 2, row.left + columnWidth);
}

int StateImageLeft(const Rect& row, int indent, const Metrics& m, int columnWidth)
{
    const int x = row.left + indent * m.cxIcon + m.stateImageWidth;
    return x + m.cxIcon < row.left + columnWidth ? x : -1;
}

namespace {

int lineX(const Rect& row, int level, const Metrics& m)
{
    return row.left + level * m.cxIcon - m.cxIcon / 2;
}

int middleY(const Rect& row, const Metrics& m)
{
    return row.top + m.cxIcon / 2 + (row.height() - m.cyIcon) / 2;
}

} // namespace

Rect ExpandButtonRect(const Rect& row, int indent, const Metrics& m)
{
    const int w = m.cxIcon / 2 + 3;
    const int v = m.cyIcon / 2 + 3;
    const int xc = lineX(row, indent, m);
    const int yc = middleY(row, m);
    return Rect(xc - w / 2, yc - v / 2, xc - w / 2 + w, yc - v / 2 + v);
}

std::vector<Line> TreeLines(const TreeGridModel& tree, const TreeGridModel::CTreeItem* item, const Rect& row,
                            const Metrics& m, int columnWidth)
{
    std::vector<Line> lines;
    if (!item)
        return lines;
    const int r = tree.GetCurIndex(item);
    const int k = tree.GetIndent(item);
    const int ym = middleY(row, m);
    const auto horizontal = [&](int level) {
        const int x = lineX(row, level, m);
        lines.push_back({x, ym, std::min(x + m.cxIcon / 2, row.left + columnWidth), ym});
    };
    for (const TreeGridModel::CTreeItem* at = item; tree.GetParentItem(at); at = tree.GetParentItem(at)) {
        const TreeGridModel::CTreeItem* parent = tree.GetParentItem(at);
        int position = tree.GetTailChildPosition(parent);
        while (position >= 0) {
            const TreeGridModel::CTreeItem* sibling = tree.GetPrevChild(parent, position);
            const int rs = tree.GetCurIndex(sibling);
            const int ks = tree.GetIndent(sibling);
            if (r > rs && k > ks)
                break; // nothing follows at this level
            if (rs == r && ks == k) {
                // The item is the last of its siblings.
                const int x = lineX(row, k, m);
                lines.push_back({x, row.top, x, ym});
                horizontal(k);
                break;
            }
            if (rs > r && ks == k) {
                // A later sibling follows.
                horizontal(k);
                const int x = lineX(row, k, m);
                lines.push_back({x, row.top, x, row.bottom});
                break;
            }
            if (rs <= r)
                continue;
            // A later sibling of an ancestor: its line passes this row.
            const int x = lineX(row, ks, m);
            lines.push_back({x, row.top, x, row.bottom});
            break;
        }
    }
    return lines;
}

QString FitTextToWidth(const QFontMetrics& metrics, const QString& text, int width, int margin)
{
    if (text.isEmpty() || metrics.horizontalAdvance(text) + margin <= width)
        return text;
    // Places where the text may be cut: between whole characters.
    std::vector<qsizetype> cuts;
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text);
    for (qsizetype at = finder.toNextBoundary(); at > 0 && at < text.size(); at = finder.toNextBoundary())
        cuts.push_back(at);
    const QString ellipsis = QStringLiteral("...");
    const int room = width - margin - metrics.horizontalAdvance(ellipsis);
    // The longest head that fits; at least the first character.
    qsizetype keep = cuts.empty() ? text.size() : cuts.front();
    auto low = cuts.begin();
    auto high = cuts.end();
    while (low < high) {
        const auto mid = low + (high - low) / 2;
        if (metrics.horizontalAdvance(text.left(*mid)) < room) {
            keep = *mid;
            low = mid + 1;
        } else {
            high = mid;
        }
    }
    return text.left(keep) + ellipsis;
}

DragBand DragBandAt(int y, int clientHeight, int bandHeight)
{
    if (y >= 0 && y <= bandHeight)
        return DragBand::Top;
    if (y >= clientHeight - bandHeight && y <= clientHeight)
        return DragBand::Bottom;
    return DragBand::None;
}

} // namespace treegrid
