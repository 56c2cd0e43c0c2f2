#include "commands/TableValues.h"

#include "dialogs/VornaDialogTableCellProperty.h"
#include "dialogs/VornaDialogTableProperty.h"
#include "util/ColorText.h"

void PutTableValues(VornaDialogTableProperty& dialog, const TableValues& values)
{
    dialog.m_strRows = values.rows;
    dialog.m_strColumns = values.columns;
    dialog.m_strBorder = values.border;
    dialog.m_strCellSpacing = values.cellSpacing;
    dialog.m_strCellPadding = values.cellPadding;
    dialog.m_strWidth = values.width;
    dialog.m_strHeight = values.height;
    dialog.m_bWidthPercent = values.widthPercent;
    dialog.m_bHeightPercent = values.heightPercent;
    dialog.m_strCaption = values.caption;
    dialog.m_bCaptionTop = values.captionTop;
    dialog.m_bCaptionBottom = values.captionBottom;
    dialog.m_strBackground = values.background;
    dialog.m_crBackground = values.backColor;
    dialog.m_crBorder = values.borderColor;
    dialog.m_strBackgroundColor = IsColorMarker(values.backColor) ? QString() : ColorRefToHtml(values.backColor);
    dialog.m_strBorderColor = IsColorMarker(values.borderColor) ? QString() : ColorRefToHtml(values.borderColor);
}

TableValues TableValuesOf(const VornaDialogTableProperty& dialog)
{
    TableValues values;
    values.rows = dialog.m_strRows;
    values.columns = dialog.m_strColumns;
    values.border = dialog.m_strBorder;
    values.cellSpacing = dialog.m_strCellSpacing;
    values.cellPadding = dialog.m_strCellPadding;
    values.width = dialog.m_strWidth;
    values.height = dialog.m_strHeight;
    values.widthPercent = dialog.m_bWidthPercent;
    values.heightPercent = dialog.m_bHeightPercent;
    values.caption = dialog.m_strCaption;
    values.captionTop = dialog.m_bCaptionTop;
    values.captionBottom = dialog.m_bCaptionBottom;
    values.background = dialog.m_strBackground;
    values.backColor = dialog.m_crBackground;
    values.borderColor = dialog.m_crBorder;
    return values;
}

void PutCellValues(VornaDialogTableCellProperty& dialog, const CellValues& values)
{
    dialog.m_strWidth = values.width;
    dialog.m_bWidthPercent = values.widthPercent;
    dialog.m_bWidthPresent = values.widthPresent;
    dialog.m_nWidthPixels = values.widthPixels;
    dialog.m_nWidthPercentValue = values.widthPercentValue;
    dialog.m_strHeight = values.height;
    dialog.m_bHeightPercent = values.heightPercent;
    dialog.m_bHeightPresent = values.heightPresent;
    dialog.m_nHeightPixels = values.heightPixels;
    dialog.m_nHeightPercentValue = values.heightPercentValue;
    dialog.m_strHAlign = values.hAlign;
    dialog.m_bHAlignSet = values.hAlignSet;
    dialog.m_strVAlign = values.vAlign;
    dialog.m_bVAlignSet = values.vAlignSet;
    dialog.m_strBackground = values.background;
    dialog.m_bBackgroundPresent = values.backgroundPresent;
    dialog.m_bNoWrap = values.noWrap;
    dialog.m_crBackground = values.backColor;
    dialog.m_crBorder = values.borderColor;
}

CellValues CellValuesOf(const VornaDialogTableCellProperty& dialog)
{
    CellValues values;
    values.width = dialog.m_strWidth;
    values.widthPercent = dialog.m_bWidthPercent;
    values.widthPresent = dialog.m_bWidthPresent;
    values.widthPixels = dialog.m_nWidthPixels;
    values.widthPercentValue = dialog.m_nWidthPercentValue;
    values.height = dialog.m_strHeight;
    values.heightPercent = dialog.m_bHeightPercent;
    values.heightPresent = dialog.m_bHeightPresent;
    values.heightPixels = dialog.m_nHeightPixels;
    values.heightPercentValue = dialog.m_nHeightPercentValue;
    values.hAlign = dialog.m_strHAlign;
    values.hAlignSet = dialog.m_bHAlignSet;
    values.vAlign = dialog.m_strVAlign;
    values.vAlignSet = dialog.m_bVAlignSet;
    values.background = dialog.m_strBackground;
    values.backgroundPresent = dialog.m_bBackgroundPresent;
    values.noWrap = dialog.m_bNoWrap;
    values.backColor = dialog.m_crBackground;
    values.borderColor = dialog.m_crBorder;
    return values;
}
