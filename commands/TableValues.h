#pragma once

#include "controls/ColorValue.h"

#include <QString>

class VornaDialogTableCellProperty;
class VornaDialogTableProperty;

// The values the table and cell dialogs show and hand back, as the table
// commands read them from a page and write them to it.

// The table dialog's values: texts as in its edits (numbers as decimal
// text), the units of width and height, the caption's place, and colours
// (kColorDefault: no attribute, kColorNone: none, else the colour). The
// defaults are those the dialog opens with.
struct TableValues
{
    QString rows;
    QString columns;
    QString border = QStringLiteral("1");
    QString cellSpacing;
    QString cellPadding;
    QString width;
    QString height;
    bool widthPercent = true;
    bool heightPercent = true;
    QString caption;
    bool captionTop = false;
    bool captionBottom = false;
    QString background;
    platform::ColorRef backColor = kColorDefault;
    platform::ColorRef borderColor = kColorDefault;

    bool operator==(const TableValues&) const = default;
};

// The cell dialog's values: width and height with their unit, whether the
// cell had them and their value in both units (pixels, percent); the
// alignment texts and whether each is set; the background image and whether
// the cell had one; no wrap; colours as for a table (the dialog opens with
// kColorNone).
struct CellValues
{
    QString width;
    bool widthPercent = true;
    bool widthPresent = false;
    int widthPixels = 1;
    int widthPercentValue = 1;
    QString height;
    bool heightPercent = true;
    bool heightPresent = false;
    int heightPixels = 1;
    int heightPercentValue = 1;
    QString hAlign;
    bool hAlignSet = false;
    QString vAlign;
    bool vAlignSet = false;
    QString background;
    bool backgroundPresent = false;
    bool noWrap = false;
    platform::ColorRef backColor = kColorNone;
    platform::ColorRef borderColor = kColorNone;
};

void PutTableValues(VornaDialogTableProperty& dialog, const TableValues& values);
TableValues TableValuesOf(const VornaDialogTableProperty& dialog);
void PutCellValues(VornaDialogTableCellProperty& dialog, const CellValues& values);
CellValues CellValuesOf(const VornaDialogTableCellProperty& dialog);
