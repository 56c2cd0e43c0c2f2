#include "commands/TableStructure.h"

#include "editor/tables/TableGrid.h"
#include "util/TextHelpers.h"

#include "engine/dom/Document.h"
#include "engine/dom/Element.h"

#include <memory>

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

// A cell's row, its table's grid made before anything changes, and the
// cell's place on it; empty for an element that is no cell of a table row.
struct CellOnGrid
{
    Element* row = nullptr;
    Element* table = nullptr;
    std::unique_ptr<TableGridMap> grid;
    const GridCell* place = nullptr;
    explicit operator bool() const { return place != nullptr; }
};

CellOnGrid cellOnGrid(Element* cell)
{
    CellOnGrid at;
    if (!rowAndTable(cell, at.row, at.table))
        return at;
    at.grid = std::make_unique<TableGridMap>(at.table);
    at.place = at.grid->find(cell);
    return at;
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
    // 1. The grid before the change, and half the width for both cells.
    const detail::CellOnGrid at = detail::cellOnGrid(cell);
    if (!at)
        return false;
    const TableGridMap& grid = *at.grid;
    engine::Element* row = at.row;
    const GridCell split = *at.place;
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

namespace tablestructure_detail {

// The number of rows a cell covers, its row span ended at the table's end.
int rowsOf(const TableGridMap& grid, const GridCell& cell)
{
    return grid.lastRow(cell) - cell.row + 1;
}

// Half of a span for the first of two halves: rounded up.
int firstHalf(int span)
{
    return span - span / 2;
}

// Each cell that covers a row of the grid, once, left to right.
template <class Visit> void cellsAcrossRow(const TableGridMap& grid, int row, Visit&& visit)
{
    for (int column = 0; column < grid.columnCount();) {
        const GridCell* at = grid.cellAt(row, column);
        if (!at) {
            ++column;
            continue;
        }
        visit(*at);
        column = TableGridMap::lastColumn(*at) + 1;
    }
}

engine::Ref<Element> newCell(engine::Document* doc, const QString& content = QString())
{
    engine::Ref<Element> cell = doc->createElement(QStringLiteral("TD"));
    if (!content.isEmpty())
        cell->setInnerHTML(content);
    return cell;
}

// A cell's width halved as a text with its unit: "N%" gives N/2 "%", any
// other number N/2 "px".
QString halfWidth(QString width)
{
    const bool percent = width.contains(QLatin1Char('%'));
    width.remove(percent ? QStringLiteral("%") : QStringLiteral("px"));
    return QString::number(LeadingInteger(width) / 2) + (percent ? QStringLiteral("%") : QStringLiteral("px"));
}

} // namespace tablestructure_detail

bool InsertTableRow(engine::Element* cell)
{
    namespace detail = tablestructure_detail;
    // 1. The grid before the change; the new row goes above the cell's.
    const detail::CellOnGrid at = detail::cellOnGrid(cell);
    engine::Element* added = at ? at.table->insertRow(at.place->row) : nullptr;
    if (!added)
        return false;
    // 2. Along the row: a new cell under each cell that starts in it, with its
    // column span; a cell from above spans the new row too. Differs from the
    // row insertion the command had: that copied the cells of the row only,
    // so that a cell spanning into the row spanned into the new one instead
    // and the caret's row fell one column short.
    const TableGridMap& grid = *at.grid;
    detail::cellsAcrossRow(grid, at.place->row, [&](const GridCell& across) {
        if (across.row == at.place->row)
            detail::setColSpan(added->insertCell(-1), across.colSpan);
        else
            detail::setRowSpan(across.cell, detail::rowsOf(grid, across) + 1);
    });
    return true;
}

bool DeleteTableRow(engine::Element* cell)
{
    namespace detail = tablestructure_detail;
    const detail::CellOnGrid at = detail::cellOnGrid(cell);
    if (!at)
        return false;
    const TableGridMap& grid = *at.grid;
    engine::Element* row = at.row;
    const int r = at.place->row;
    // 1. Cells from above span one row less; cells that go on below move down.
    std::vector<GridCell> moving;
    detail::cellsAcrossRow(grid, r, [&](const GridCell& across) {
        if (across.row < r)
            detail::setRowSpan(across.cell, detail::rowsOf(grid, across) - 1);
        else if (across.row == r && grid.lastRow(across) > r)
            moving.push_back(across);
    });
    // 2. Into the next row by their grid columns, from the right: each before
    // the first cell of that row that stands right of it.
    engine::Element* next = grid.row(r + 1);
    std::vector<const GridCell*> below;
    for (const GridCell& c : grid.cells()) {
        if (c.row == r + 1)
            below.push_back(&c);
    }
    engine::Element* movedBefore = nullptr;
    int movedColumn = grid.columnCount();
    for (auto it = moving.rbegin(); next && it != moving.rend(); ++it) {
        engine::Element* before = movedBefore;
        for (const GridCell* c : below) {
            if (c->column > it->column && c->column < movedColumn) {
                before = c->cell;
                break;
            }
        }
        const engine::Ref<engine::Element> keep(it->cell);
        next->insertBefore(keep, before);
        detail::setRowSpan(it->cell, detail::rowsOf(grid, *it) - 1);
        movedBefore = it->cell;
        movedColumn = it->column;
    }
    // 3. The row goes.
    if (engine::Node* parent = row->parentNode())
        parent->removeChild(row);
    return true;
}

bool InsertTableColumn(engine::Element* cell, int width)
{
    namespace detail = tablestructure_detail;
    const detail::CellOnGrid at = detail::cellOnGrid(cell);
    if (!at)
        return false;
    const TableGridMap& grid = *at.grid;
    const int column = at.place->column;
    // In each row the cell on the column, once: a new cell before the one
    // that starts there, the span of one that crosses it. Differs from the
    // column insertion the command had, which inserted at the caret cell's
    // index in its row in every row, away from the column where spans stand.
    for (int r = 0; r < grid.rowCount(); ++r) {
        const GridCell* on = grid.cellAt(r, column);
        if (!on || on->row != r)
            continue;
        if (on->column < column) {
            detail::setColSpan(on->cell, on->colSpan + 1);
            continue;
        }
        const engine::Ref<engine::Element> added = detail::newCell(at.table->document(), QStringLiteral("&nbsp;"));
        on->cell->parentNode()->insertBefore(added, on->cell);
        added->setAttribute(QStringLiteral("width"), QString::number(width));
        detail::setRowSpan(added.get(), detail::rowsOf(grid, *on));
    }
    return true;
}

bool DeleteTableColumn(engine::Element* cell)
{
    namespace detail = tablestructure_detail;
    const detail::CellOnGrid at = detail::cellOnGrid(cell);
    if (!at)
        return false;
    const int column = at.place->column;
    for (const GridCell& c : at.grid->cells()) {
        if (c.column > column || TableGridMap::lastColumn(c) < column)
            continue;
        if (c.colSpan > 1)
            detail::setColSpan(c.cell, c.colSpan - 1);
        else if (engine::Node* parent = c.cell->parentNode())
            parent->removeChild(c.cell);
    }
    return true;
}

bool InsertTableCell(engine::Element* cell)
{
    namespace detail = tablestructure_detail;
    engine::Element* row = nullptr;
    engine::Element* table = nullptr;
    if (!detail::rowAndTable(cell, row, table))
        return false;
    // 1.-2. The cell's width halved, kept for the new cell.
    const QString name = QStringLiteral("width");
    if (!cell->getAttributeText(name).isEmpty())
        cell->setAttribute(name, detail::halfWidth(cell->getAttributeText(name)));
    // 3. The new cell right after it, with its spans and width.
    engine::Element* added = detail::insertCellAfter(row, cell);
    if (!added)
        return false;
    detail::setColSpan(added, GridColSpan(cell));
    detail::setRowSpan(added, GridRowSpan(cell));
    if (cell->hasAttribute(name))
        added->setAttribute(name, cell->getAttributeText(name));
    added->setInnerHTML(QStringLiteral("&nbsp"));
    return true;
}

bool DeleteTableCell(engine::Element* cell)
{
    namespace detail = tablestructure_detail;
    engine::Element* row = nullptr;
    engine::Element* table = nullptr;
    if (!detail::rowAndTable(cell, row, table))
        return false;
    row->removeChild(cell);
    return true;
}

bool SplitCellVertically(engine::Element* cell, int width)
{
    namespace detail = tablestructure_detail;
    // 1.-3. The grid before the change; half the drawn width for the cell.
    const detail::CellOnGrid at = detail::cellOnGrid(cell);
    if (!at)
        return false;
    const TableGridMap& grid = *at.grid;
    engine::Element* row = at.row;
    const GridCell split = *at.place;
    const QString half = QString::number(width / 2);
    cell->setAttribute(QStringLiteral("width"), half);
    // 4. The first half of its columns.
    if (split.colSpan > 1)
        detail::setColSpan(cell, detail::firstHalf(split.colSpan));
    // 5.-7. An odd number of columns: the cells of the other rows across the
    // middle column span the column the halves add.
    if (split.colSpan % 2 == 1) {
        const int middle = split.column + split.colSpan / 2;
        for (const GridCell& c : grid.cells()) {
            if (c.cell != cell && c.row != split.row && c.column <= middle && middle <= TableGridMap::lastColumn(c))
                detail::setColSpan(c.cell, c.colSpan + 1);
        }
    }
    engine::Element* added = detail::insertCellAfter(row, cell);
    if (!added)
        return false;
    detail::setColSpan(added, detail::firstHalf(split.colSpan));
    detail::setRowSpan(added, detail::rowsOf(grid, split));
    added->setAttribute(QStringLiteral("width"), half);
    return true;
}

bool SplitCellHorizontally(engine::Element* cell, int height)
{
    namespace detail = tablestructure_detail;
    // 1.-3. The grid before the change; half the drawn height for the cell.
    const detail::CellOnGrid at = detail::cellOnGrid(cell);
    if (!at)
        return false;
    const TableGridMap& grid = *at.grid;
    const GridCell split = *at.place;
    const int rows = detail::rowsOf(grid, split);
    const QString half = QString::number(height / 2);
    cell->setAttribute(QStringLiteral("height"), half);
    // 4. The first half of its rows, written even for one: a span that runs
    // past the table's end would cover the row added below.
    detail::setRowSpan(cell, detail::firstHalf(rows));
    const int last = split.row + rows / 2;
    engine::Element* added = nullptr;
    if (rows % 2 == 0) {
        // 7. An even number: the new cell in the row below the kept half,
        // after the cells left of the split cell.
        int index = 0;
        for (const GridCell& c : grid.cells())
            index += c.row == last && c.column < split.column;
        engine::Element* below = grid.row(last);
        added = below ? below->insertCell(index) : nullptr;
        if (added)
            detail::setRowSpan(added, rows / 2);
    } else {
        // 8. An odd number: a new row under the kept half, which the cells of
        // the other columns across its last row span.
        for (const GridCell& c : grid.cells()) {
            if (c.cell != cell && c.row <= last && last <= grid.lastRow(c))
                detail::setRowSpan(c.cell, detail::rowsOf(grid, c) + 1);
        }
        engine::Element* newRow = at.table->insertRow(last + 1);
        added = newRow ? newRow->insertCell(0) : nullptr;
        if (added)
            detail::setRowSpan(added, detail::firstHalf(rows));
    }
    if (!added)
        return false;
    detail::setColSpan(added, split.colSpan);
    added->setAttribute(QStringLiteral("height"), half);
    return true;
}

engine::Element* MergeTableCells(engine::Element* table, int left, int top, int right, int bottom,
                                 const std::function<int(engine::Element*)>& clientWidth,
                                 const std::function<void(const GridCell&)>& merging)
{
    namespace detail = tablestructure_detail;
    engine::Document* doc = table ? table->document() : nullptr;
    if (!doc || !doc->body())
        return nullptr;
    // 1. The grid before the change: the cells that start in the range, in
    // reading order, and the drawn width of those of its first row.
    const TableGridMap grid(table);
    std::vector<GridCell> merged;
    int width = 0;
    for (const GridCell& c : grid.cells()) {
        if (c.row < top || c.row > bottom || c.column < left || c.column > right)
            continue;
        merged.push_back(c);
        if (c.row == top && clientWidth)
            width += clientWidth(c.cell);
    }
    if (merged.empty())
        return nullptr;
    // 2. The new cell takes the first one's place; the contents are gathered
    // in a holding cell at the start of the body meanwhile.
    const engine::Ref<engine::Element> cell = detail::newCell(doc);
    merged.front().cell->parentNode()->insertBefore(cell, merged.front().cell);
    const engine::Ref<engine::Element> holding = detail::newCell(doc);
    doc->body()->insertBefore(holding, doc->body()->firstChild());
    // 3. Each cell's content, a line break after each one with text but the
    // last, and the cell gone. Differs from the merge the command had: a last
    // cell that spans past the range's corner adds no line break at the end.
    for (size_t i = 0; i < merged.size(); ++i) {
        engine::Element* from = merged[i].cell;
        if (merging)
            merging(merged[i]);
        const bool hasText = !from->innerText().isEmpty();
        while (engine::Node* child = from->firstChild())
            holding->appendChild(engine::Ref<engine::Node>(child));
        if (hasText && i + 1 < merged.size())
            holding->appendChild(doc->createElement(QStringLiteral("BR")));
        from->parentNode()->removeChild(from);
    }
    // 4. Its width and span; the whole table merged is one row of one cell.
    cell->setAttribute(QStringLiteral("width"), width);
    if (left == 0 && top == 0 && bottom + 1 == grid.rowCount() && right + 1 == grid.columnCount()) {
        for (int r = grid.rowCount() - 1; r > 0; --r) {
            engine::Element* row = grid.row(r);
            if (row->parentNode())
                row->parentNode()->removeChild(row);
        }
    } else {
        detail::setColSpan(cell.get(), right - left + 1);
        detail::setRowSpan(cell.get(), bottom - top + 1);
    }
    // 5. The contents into it; the holding cell never stays.
    while (engine::Node* child = holding->firstChild())
        cell->appendChild(engine::Ref<engine::Node>(child));
    doc->body()->removeChild(holding.get());
    return cell.get();
}
