#pragma once

#include <functional>

struct GridCell;

namespace engine {
class Element;
}

// Changes of a table's structure around one of its cells. Each keeps the
// table's grid whole: a cell that crosses a column or row that comes or
// goes has its span changed instead of leaving a gap or an overlap. Only the
// cell's own table changes, never a table around it. The caller holds the
// undo unit.

// Splits a cell into two side by side, each with half its width text ("50%"
// for none): a cell spanning several columns gives the new cell its last
// column; a cell of one column gives the new cell a new grid column, which
// every other cell on that column spans too. The new cell covers the cell's
// rows. False when the cell is in no table row.
bool SplitCellColumn(engine::Element* cell);

// Inserts a row above the cell's row: a new empty cell under each cell that
// starts in that row, with its column span; a cell that spans into the row
// from above spans the new row too.
bool InsertTableRow(engine::Element* cell);
// Deletes the cell's row: a cell spanning into it from above spans one row
// less; a cell starting in it and spanning further down moves, content and
// all, into the next row, one row shorter.
bool DeleteTableRow(engine::Element* cell);
// Inserts a column left of the cell's first grid column: in each row a new
// cell holding a blank, `width` wide (a number of pixels), before the cell
// that starts on that column (spanning its rows); a cell across the column
// spans it too. Rows too short to reach the column get none.
bool InsertTableColumn(engine::Element* cell, int width);
// Deletes the cell's first grid column: a cell of one column on it goes, a
// wider one spans one column less.
bool DeleteTableColumn(engine::Element* cell);
// Inserts a cell holding a blank right after the cell, with its spans,
// and halves the cell's width between the two ("33%" gives "16%" each,
// "121px" or "121" gives "60px"). The cells after it move right.
bool InsertTableCell(engine::Element* cell);
// Deletes the cell from its row; the cells after it move left.
bool DeleteTableCell(engine::Element* cell);
// Splits the cell in two side by side, each half its drawn width (`width`,
// pixels): the cell keeps the first half of its columns (rounded up), the new
// cell after it the rest and its rows; a cell of an odd number of columns
// needs one column more, which the cells of other rows across its middle
// column span.
bool SplitCellVertically(engine::Element* cell, int width);
// Splits the cell in two one above the other, each half its drawn height:
// the cell keeps the first half of its rows (rounded up) and the new cell
// takes the rest, below it; a cell of an odd number of rows needs one row
// more, a new row under its half, which the cells of other columns across
// its last row span.
bool SplitCellHorizontally(engine::Element* cell, int height);

// Merges the cells that start in a grid rectangle of the table (columns
// left to right, rows top to bottom, both inclusive) into one new cell in
// the place of the first: their contents in reading order, those of
// non-empty cells separated by line breaks; as wide as the merged cells of
// the top row were drawn (`clientWidth` of each, read before anything
// changes); spanning the rectangle, or, when it covers the whole table, the
// one cell of a table of one row. `merging` sees each cell before it goes.
// The new cell, or null when no cell starts in the rectangle.
engine::Element* MergeTableCells(engine::Element* table, int left, int top, int right, int bottom,
                                 const std::function<int(engine::Element*)>& clientWidth,
                                 const std::function<void(const GridCell&)>& merging);
