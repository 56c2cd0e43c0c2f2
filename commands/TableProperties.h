#pragma once

#include "commands/TableValues.h"

#include <QSize>

namespace engine {
class Element;
}

// Reading a table or cell into the values of its dialog and writing the
// values back, for the table and cell properties commands.

// A table as the table dialog opens with it, and what writing it back needs
// to know of the table as it was.
struct TableRead
{
    TableValues values;
    // The caption as it was: written back as it was when its text stays.
    QString captionText;
    QString captionHtml;
};

// The attributes, counts and caption of a table: bgcolor and bordercolor as
// colours (kColorDefault when absent), width and height as text with their
// unit ("80%" is 80 in percent; absent is empty in percent), cellpadding,
// cellspacing, border and background as written (the dialog's own values
// when absent), the rows and the first row's cells counted, the caption's
// text and place (bottom only when its vAlign says so).
TableRead ReadTableProperties(engine::Element* table);

// Which values the writing takes: all of them (one table, read into the
// dialog), or only those that differ from the ones the dialog opened with
// (several tables, opened with the dialog's own values).
enum class TableWrite { All, Changed };

// Writes the values to a TABLE. Width and height with their unit (an empty
// text removes the attribute; a written one replaces an inline style's size);
// background, cellspacing, cellpadding and border (empty removes them);
// colours only where the user chose another one than the table had; the
// caption made, placed and filled (its old content kept while its text
// stays) or, with an empty text, removed.
void WriteTableProperties(engine::Element* table, const TableValues& values, const TableRead& opened, TableWrite which);

// A cell as the cell dialog opens with it: colours (kColorDefault when
// absent), width and height (n of "n%" is n percent, n × base / 100 pixels;
// else n pixels, n / base × 100 percent, with `base` the table's client
// size), align, valign and background with whether the cell has them, and
// its no-wrap state.
CellValues ReadCellProperties(engine::Element* cell, QSize base);

// Writes the values back to the cell: colours only where the user chose
// another one, width and height with their unit (an empty text removes
// them), the alignments that are set (the others removed), the background
// image (empty removes it) and the no-wrap state.
void WriteCellProperties(engine::Element* cell, const CellValues& values, const CellValues& opened);
