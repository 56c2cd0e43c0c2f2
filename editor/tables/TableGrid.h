#pragma once

#include <functional>
#include <vector>

namespace engine {
class Element;
}

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
