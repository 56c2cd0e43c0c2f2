#include "commands/TableStructure.h"

#include "editor/tables/TableGrid.h"
#include "util/TextHelpers.h"

#include "engine/dom/Element.h"

namespace tablestructure_detail {

using engine::Element;

// A span written as the number, or no attribute for one.
void setSpan(Element* cell, const QString& name, int span)
{
    if (span > 1)
        cell->setAttribute(name, span);
    else
        cell->removeAttribute(name);
}

void setColSpan(Element* cell, int span)
{
    setSpan(cell, QStringLiteral("colSpan"), span);
}

void setRowSpan(Element* cell, int span)
{
    setSpan(cell, QStringLiteral("rowSpan"), span);
}

// The row and table of a cell: its TR, and the TR's table.
bool rowAndTable(Element* cell, Element*& row, Element*& table)
{
    row = cell ? cell->parentElement() : nullptr;
    table = row && row->hasTag(QLatin1String("TR")) ? row->ownerTable() : nullptr;
    return table != nullptr;
}

// A new cell put right after a cell of a row.
Element* insertCellAfter(Element* row, Element* cell)
{
    return row->insertCell(cell->cellIndex() + 1);
}

} // namespace tablestructure_detail

bool SplitCellColumn(engine::Element* cell)
{
    namespace detail = tablestructure_detail;
    engine::Element* row = nullptr;
    engine::Element* table = nullptr;
    if (!detail::rowAndTable(cell, row, table))
        return false;
    // 1. The grid before the change, and half the width for both cells.
    const TableGridMap grid(table);
    const GridCell* place = grid.find(cell);
    if (!place)
        return false;
    const GridCell split = *place;
    const QString half = NormalizePercentValue(cell->getAttributeText(QStringLiteral("width")));
    cell->setAttribute(QStringLiteral("width"), half);
    // 2. Its last column for the new cell, or a new column that the cells
    // above and below it span. Differs from the split the command had: that
    // also split the cells of the tables around, and matched the other rows
    // by their cells' spans, not by the grid, so that row spans moved the
    // new column away from the cell.
    if (split.colSpan > 1) {
        detail::setColSpan(cell, split.colSpan - 1);
    } else {
        for (const GridCell& other : grid.cells()) {
            if (other.cell != cell && other.column <= split.column && split.column <= TableGridMap::lastColumn(other))
                detail::setColSpan(other.cell, other.colSpan + 1);
        }
    }
    engine::Element* added = detail::insertCellAfter(row, cell);
    if (!added)
        return false;
    added->setAttribute(QStringLiteral("width"), half);
    detail::setRowSpan(added, grid.lastRow(split) - split.row + 1);
    return true;
}
