#pragma once

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
