#pragma once

#include "engine/dom/Element.h"

#include <functional>
#include <unordered_map>
#include <vector>

// The grid of a table as the editor sees it: every cell at a grid row (its
// row's index in the table's rows) and a grid column (the columns to its left
// in its row, counting those that cells of earlier rows cover with their row
// spans). Cell ranges, their highlight and the sizing of cells by their
// borders all walk a table this way.

// Spans as the walk reads them, bounded as browsers bound them: colSpan
// 1..1000, rowSpan 1..65534; a value that is no number reads as 1.
int GridColSpan(const engine::Element* cell);
int GridRowSpan(const engine::Element* cell);

// The column-occupancy walk over plain spans: feed the cells of each row in
// order, then end the row.
class ColumnOccupancy
{
public:
    // The grid column of the next cell of the row; it then covers its columns
    // for its rows.
    int placeCell(int rowSpan, int colSpan);
    void endRow();

private:
    // cover[c] > 1: column c is still covered by a cell of an earlier row for
    // cover[c] - 1 more rows.
    std::vector<int> m_cover;
    int m_column = 0;
};

struct GridCell
{
    engine::Element* cell = nullptr;
    int row = 0;
    int column = 0;
    int rowSpan = 1;
    int colSpan = 1;
};

// Visits every cell of the table's rows (not those of nested tables) in
// order with its grid place; the visitor returns false to stop the walk.
void WalkTableGrid(engine::Element* table, const std::function<bool(const GridCell&)>& visit);

// A table's grid made once: every cell with its place, the cell that covers
// or starts at a place, and how far each cell reaches. Commands that change a
// table make it before their first change and work on its places, so that
// one walk serves a whole command however many cells it touches. The map
// holds the table's rows and cells, which stay valid when the command
// removes them from the page.
class TableGridMap
{
public:
    explicit TableGridMap(engine::Element* table);

    engine::Element* table() const { return m_table.get(); }
    // The rows of the table's rows collection, in order.
    int rowCount() const { return int(m_rows.size()); }
    engine::Element* row(int index) const;
    // The grid's width: one past the last column any cell covers.
    int columnCount() const { return m_columns; }
    // The cells in walk order: row by row, each row's cells left to right.
    const std::vector<GridCell>& cells() const { return m_cells; }
    // The place of a cell of this table; null for any other element.
    const GridCell* find(const engine::Element* cell) const;
    // The cell that covers a place, or that starts there; null for a place
    // no cell covers (a short row) and for places outside the grid.
    const GridCell* cellAt(int row, int column) const;
    const GridCell* cellStartingAt(int row, int column) const;
    // The last row and column a cell covers. A row span ends at the table's
    // last row, as browsers end it.
    int lastRow(const GridCell& cell) const;
    static int lastColumn(const GridCell& cell) { return cell.column + cell.colSpan - 1; }

private:
    engine::Ref<engine::Element> m_table;
    std::vector<engine::Ref<engine::Element>> m_rows;
    std::vector<engine::Ref<engine::Element>> m_cellRefs;
    std::vector<GridCell> m_cells;
    // For each row, the cells that cover it (indexes into m_cells), by column.
    std::vector<std::vector<int>> m_cover;
    // Beside each of them, the furthest column it or a cell before it reaches.
    std::vector<std::vector<int>> m_reach;
    std::unordered_map<const engine::Element*, int> m_index;
    int m_columns = 0;
};
