// Sizing a table's columns and rows by dragging their borders: which border
// the pointer is on, and at the release the widths or heights of the cells
// beside it rewritten in pixels as one undo step. The engine's own resize of
// a selected table or rule ends in plain size attributes too.

#include "editor/CImpIDispatch.h"

#include "editor/tables/TableGrid.h"
#include "util/PageDom.h"
#include "util/TextHelpers.h"

#include "engine/css/Style.h"
#include "engine/dom/Document.h"
#include "engine/layout/Geometry.h"
#include "engine/view/PageView.h"

#include <algorithm>

namespace cellsizing_detail {

// Rows are sized across the first 101 grid columns.
constexpr int kLastRowSizingColumn = 100;

int attributeNumber(const engine::Element* element, const char* name)
{
    return LeadingInteger(element->getAttributeText(QString::fromLatin1(name)));
}

void setNumberText(engine::Element* element, const char* name, int value)
{
    element->setAttribute(QString::fromLatin1(name), engine::Variant(QString::number(value)));
}

} // namespace cellsizing_detail

void CollectCellClientWidths(engine::Element* table, engine::Geometry& geometry, std::vector<int>& widths)
{
    WalkTableGrid(table, [&](const GridCell& place) {
        widths.push_back(geometry.clientWidth(place.cell));
        return true;
    });
}

void FreezeTableWidths(engine::Element* table, engine::Geometry& geometry)
{
    if (!table)
        return;
    // 1. Every cell's width as laid out now, and the table's.
    std::vector<int> widths;
    CollectCellClientWidths(table, geometry, widths);
    int tableWidth = geometry.clientWidth(table);
    if (tableWidth <= 0)
        tableWidth = 1;
    const int border = cellsizing_detail::attributeNumber(table, "border");
    // 2. Written as the table's and the cells' widths.
    table->setAttribute(QStringLiteral("width"), engine::Variant(tableWidth + 2 * border));
    size_t next = 0;
    WalkTableGrid(table, [&](const GridCell& place) {
        if (next >= widths.size())
            return false;
        place.cell->setAttribute(QStringLiteral("width"), engine::Variant(widths[next++]));
        return true;
    });
}

void CImpIDispatch::HitTestCellBorder(int x, int y)
{
    const int s = m_nTableCellSpacing;
    const int b = m_nTableBorder;
    const bool movingRight = m_ptMousePrev.x() < m_ptMouse.x();
    const bool movingDown = m_ptMousePrev.y() < m_ptMouse.y();
    engine::Ref<engine::Element> cell;
    const auto cellAt = [&](int px, int py) {
        return IsElementWithTagAtPoint(QPoint(px, py), cell, QStringLiteral("TD")) == S_OK;
    };
    // 1.-2. A cell left of the pointer (across the spacing, or the spacing
    // and a border): a column border, sized from that cell.
    if (cellAt(x - s, y)) {
        m_pSizingCell = cell;
        m_bOnColumnBorder = true;
        m_bOnRowBorder = false;
        m_borderZone.xFrom = movingRight ? x : x - s;
        m_borderZone.xTo = movingRight ? x + s : x;
        m_bOnTableEdge = !cellAt(x + s, y);
        return;
    }
    if (cellAt(x - s - b, y)) {
        m_pSizingCell = cell;
        m_bOnColumnBorder = true;
        m_bOnRowBorder = false;
        m_borderZone.xFrom = movingRight ? x : x - s - b;
        m_borderZone.xTo = movingRight ? x + s : x - b;
        m_bOnTableEdge = !cellAt(x + 1, y);
        return;
    }
    // 3. The table's outer left edge, in front of a row.
    if (cellAt(x + 1, y)) {
        m_bIsRowSelectionMode = true;
        m_bOnColumnBorder = false;
        m_borderZone.xFrom = x - s;
        m_borderZone.xTo = x;
    } else if (cellAt(x + s + b, y)) {
        m_bIsRowSelectionMode = true;
        m_bOnColumnBorder = false;
        m_borderZone.xFrom = x + b;
        m_borderZone.xTo = x + s + b;
    } else {
        m_bIsRowSelectionMode = false;
    }
    // 4.-5. A cell above the pointer: a row border, sized from that cell.
    if (cellAt(x, y - s)) {
        m_pSizingCell = cell;
        m_bOnRowBorder = true;
        m_bOnColumnBorder = false;
        m_borderZone.yFrom = movingDown ? y : y - s;
        m_borderZone.yTo = movingDown ? y + s : y;
        m_bOnTableEdge = !cellAt(x, y + s);
        return;
    }
    if (cellAt(x, y - s - b)) {
        m_pSizingCell = cell;
        m_bOnRowBorder = true;
        m_bOnColumnBorder = false;
        m_borderZone.yFrom = movingDown ? y : y - s - b;
        m_borderZone.yTo = movingDown ? y + s : y - b;
        m_bOnTableEdge = !cellAt(x, y + 1);
        return;
    }
    // 6. The table's outer top edge, above a column.
    if (cellAt(x, y + 1)) {
        m_bIsColSelectionMode = true;
        m_bOnRowBorder = false;
        m_borderZone.yFrom = y - s;
        m_borderZone.yTo = y;
    } else if (cellAt(x, y + s + b)) {
        m_bIsColSelectionMode = true;
        m_bOnRowBorder = false;
        m_borderZone.yFrom = y + b;
        m_borderZone.yTo = y + s + b;
    } else {
        m_bIsColSelectionMode = false;
    }
}

int CImpIDispatch::GetSizingCellColumn()
{
    engine::PageView* page = pageView();
    if (!m_pSizingTable || !page)
        return -1;
    // Percentage widths become the pixels they give now; the sizing cell is
    // found by identity.
    // Differs from marking the sizing cell with a temporary id, which took
    // the cell's own id away for good.
    engine::Geometry geometry(page->layout());
    int column = -1;
    WalkTableGrid(m_pSizingTable.get(), [&](const GridCell& place) {
        if (place.cell->getAttributeText(QStringLiteral("width")).contains(QLatin1Char('%')))
            cellsizing_detail::setNumberText(place.cell, "width", geometry.clientWidth(place.cell));
        if (place.cell == m_pSizingCell.get())
            column = place.column;
        return true;
    });
    return column;
}

int CImpIDispatch::GetSizingCellRow()
{
    int row = -1;
    WalkTableGrid(m_pSizingTable.get(), [&](const GridCell& place) {
        if (place.cell == m_pSizingCell.get())
            row = place.row;
        return true;
    });
    return row;
}

void CImpIDispatch::ResizeColumnByDrag(int dx)
{
    // 1. One undo step for the whole change.
    engine::Document* doc = document();
    if (!m_pSizingTable || !doc || !m_pSizingTable->hasTag(QLatin1String("TABLE")))
        return;
    engine::UndoUnit unit(doc);
    // 2.-3. The column left of the border.
    const int column = std::max(0, GetSizingCellColumn());
    // 4.-6. The table's widths as laid out now, in pixels.
    if (m_pSizingTable->styleIfAny())
        m_pSizingTable->style().removeAttribute(QStringLiteral("WIDTH"));
    engine::PageView* page = pageView();
    if (!page)
        return;
    engine::Geometry geometry(page->layout());
    FreezeTableWidths(m_pSizingTable.get(), geometry);
    // 7. The border moves: the column left of it grows, the one right of it
    // shrinks.
    // Differs from writing what the sum gives: a border dragged past the next
    // one would give a negative width; no width falls below 1.
    WalkTableGrid(m_pSizingTable.get(), [&](const GridCell& place) {
        if (place.column != column && place.column != column + 1)
            return true;
        const int w = cellsizing_detail::attributeNumber(place.cell, "width");
        const int width = place.column == column ? w + 1 + dx : w + 1 - dx;
        cellsizing_detail::setNumberText(place.cell, "width", std::max(1, width));
        return true;
    });
    // 8. The table's outer right edge dragged: the table follows.
    if (m_bOnTableEdge)
        cellsizing_detail::setNumberText(m_pSizingTable.get(), "width",
                                         geometry.offsetWidth(m_pSizingTable.get()) + dx);
}

void CImpIDispatch::FixRowHeights(int row)
{
    engine::PageView* page = pageView();
    if (!m_pSizingTable || !page)
        return;
    row = std::max(0, row);
    engine::Geometry geometry(page->layout());
    // The heights as laid out now, in the row and the next.
    std::vector<std::pair<engine::Element*, int>> heights;
    WalkTableGrid(m_pSizingTable.get(), [&](const GridCell& place) {
        if ((place.row == row || place.row == row + 1) && place.column <= cellsizing_detail::kLastRowSizingColumn)
            heights.emplace_back(place.cell, geometry.clientHeight(place.cell));
        return true;
    });
    for (const auto& [cell, height] : heights)
        cellsizing_detail::setNumberText(cell, "height", height);
    if (m_pSizingTable->styleIfAny())
        m_pSizingTable->style().removeAttribute(QStringLiteral("HEIGHT"));
}

void CImpIDispatch::ResizeRowByDrag(int dy)
{
    // 1. One undo step for the whole change.
    engine::Document* doc = document();
    if (!m_pSizingTable || !doc)
        return;
    engine::UndoUnit unit(doc);
    // 2. The table's own height gives way to its rows'.
    m_pSizingTable->removeAttribute(QStringLiteral("height"));
    if (m_pSizingTable->hasTag(QLatin1String("TABLE"))) {
        // 3. The row above the border and the one below it: the upper grows,
        // the lower takes the height its content needs.
        // Differs from writing what the sum gives: the upper row's height
        // never falls below 1.
        const int row = std::max(0, GetSizingCellRow());
        FixRowHeights(row);
        WalkTableGrid(m_pSizingTable.get(), [&](const GridCell& place) {
            if ((place.row != row && place.row != row + 1) || place.column > cellsizing_detail::kLastRowSizingColumn)
                return true;
            const int h = cellsizing_detail::attributeNumber(place.cell, "height");
            cellsizing_detail::setNumberText(place.cell, "height", place.row == row ? std::max(1, h + 2 + dy) : 0);
            return true;
        });
    }
    // 4.
    if (m_pSizingTable->styleIfAny())
        m_pSizingTable->style().removeAttribute(QStringLiteral("HEIGHT"));
}

bool CImpIDispatch::OnResizeEnd()
{
    // The engine's new size of each selected table or rule, as attributes.
    engine::PageView* page = pageView();
    if (!page)
        return false;
    engine::Geometry geometry(page->layout());
    for (const engine::Ref<engine::Element>& element : controlSelection()) {
        if (element->hasTag(QLatin1String("TABLE"))) {
            FreezeTableWidths(element.get(), geometry);
        } else if (element->hasTag(QLatin1String("HR"))) {
            ResizeEndRule(element.get());
        }
    }
    return false;
}

void CImpIDispatch::ResizeEndRule(engine::Element* rule)
{
    engine::PageView* page = pageView();
    engine::Style& style = rule->style();
    // Its thickness: at most 100, in the style and as its size.
    const QString height = style.getAttribute(QStringLiteral("height")).toString();
    if (!height.isEmpty()) {
        const int size = std::min(100, LeadingInteger(height));
        style.setAttribute(QStringLiteral("height"), engine::Variant(size));
        rule->setAttribute(QStringLiteral("size"), engine::Variant(size));
    } else {
        const engine::Variant read = rule->getAttribute(QStringLiteral("size"));
        rule->setAttribute(QStringLiteral("size"), engine::Variant(std::min(100, read.isInt() ? read.toInt() : 0)));
    }
    // Its width: at least 10 pixels; a percentage becomes its pixels.
    const int offsetWidth = page ? engine::Geometry(page->layout()).offsetWidth(rule) : 0;
    const QString width = style.getAttribute(QStringLiteral("width")).toString();
    if (!width.isEmpty()) {
        const int w = std::max(10, width.contains(QLatin1Char('%')) ? offsetWidth : LeadingInteger(width));
        style.setAttribute(QStringLiteral("width"), engine::Variant(w));
        rule->setAttribute(QStringLiteral("width"), engine::Variant(w));
    } else {
        const engine::Variant read = rule->getAttribute(QStringLiteral("width"));
        int w = 0;
        if (read.isInt())
            w = read.toInt();
        else if (read.isString())
            w = read.toString().contains(QLatin1Char('%')) ? offsetWidth : LeadingInteger(read.toString());
        rule->setAttribute(QStringLiteral("width"), engine::Variant(std::max(10, w)));
    }
}
