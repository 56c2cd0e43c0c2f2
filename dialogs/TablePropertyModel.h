#pragma once

#include "controls/ColorValue.h"
#include "controls/NumberField.h"

#include <QString>

// What the table dialog shows and how its fields behave, without a window.
//
// Texts are the number boxes' contents (numbers as decimal text). Colours are
// kColorDefault for the default colour, which writes no attribute, kColorNone
// for none, else the colour; the colour texts are their ColorRefToHtml texts,
// kept when a marker is picked. The reference width and height are the pixels
// that 100 % stands for.
class TablePropertyModel
{
public:
    // The number boxes, each with its own range.
    enum class Box { Rows, Columns, CellPadding, CellSpacing, Width, Height, Border };
    // The colour lists.
    enum class ColorList { Border, Background };

    // Ranges follow the units; the exact width and height start from their texts.
    void Initialize();

    // The range a box is clamped to now (width and height follow their unit).
    NumberField Field(Box box) const;
    QString& Text(Box box);

    // The user leaves a box: rows and columns always read a number again (an
    // empty box reads 1), the others only when not empty.
    void LeaveBox(Box box);
    // The width or height unit radio: converts the shown number by the
    // reference size, keeping the exact value for the way back.
    void SetWidthPercent(bool percent);
    void SetHeightPercent(bool percent);
    void SetCaptionBottom(bool bottom) { m_bCaptionBottom = bottom; }
    void ChooseColor(ColorList list, platform::ColorRef color);
    // OK: every box is clamped as leaving it does, so a number typed just
    // before Enter is not handed back out of range. The locked rows and
    // columns of an existing table stay as given.
    void Accept();

    // An existing table is edited: the rows and columns boxes are locked.
    bool m_bExistingTable = false;
    // The caption's place: set by the caller from the caption's vAlign; the
    // bottom flag also follows the 上 and 下 buttons.
    bool m_bCaptionTop = false;
    bool m_bCaptionBottom = false;
    bool m_bWidthPercent = true;
    bool m_bHeightPercent = true;
    QString m_strBackgroundColor;
    QString m_strBorderColor;
    int m_nReferenceWidth = 1;
    int m_nReferenceHeight = 1;
    // The exact size in the current unit, carried across unit switches.
    double m_dHeight = -1.0;
    double m_dWidth = -1.0;
    QString m_strBackground; // the background image
    QString m_strCaption;
    QString m_strWidth;
    QString m_strHeight;
    QString m_strCellSpacing;
    QString m_strCellPadding;
    platform::ColorRef m_crBackground = kColorDefault;
    platform::ColorRef m_crBorder = kColorDefault;
    QString m_strBorder = QStringLiteral("1");
    QString m_strRows;
    QString m_strColumns;

private:
    void SwitchUnit(QString& text, double& exact, bool& percent, bool toPercent, int reference, Box box);
};
