#pragma once

#include "controls/ColorValue.h"
#include "controls/NumberField.h"

#include <QString>

// What the cell dialog shows and how its fields behave, without a window.
//
// Width and height: the text, its unit, whether the cell had the attribute,
// and the value known in both units (pixels, percent) for the unit switch;
// the reference width and height are the table's size that 100 % stands for.
// Switching units back and forth without editing returns the first number.
// Alignments: the text ("left", "center", "right"; "top", "middle",
// "bottom") and whether one is set; picking "デフォルト" leaves them alone.
// Colours: kColorDefault the default colour, kColorNone none, else the colour.
class TableCellPropertyModel
{
public:
    enum class Box { Width, Height };
    enum class ColorList { Border, Background };

    // Ranges follow the units, the alignment lists' indexes follow the texts,
    // and non-empty numbers are clamped.
    void Initialize();

    NumberField Field(Box box) const;
    void LeaveBox(Box box);
    void SetWidthPercent(bool percent);
    void SetHeightPercent(bool percent);
    // List index 0 is "デフォルト": it keeps the alignment the cell had.
    void SelectHAlign(int index);
    void SelectVAlign(int index);
    void ChooseColor(ColorList list, platform::ColorRef color);
    // OK: both boxes are clamped as leaving them does.
    void Accept();

    // The list index of an alignment text; 0 for none of the three.
    static int HAlignIndex(const QString& text);
    static int VAlignIndex(const QString& text);

    bool m_bWidthPresent = false;
    bool m_bHeightPresent = false;
    bool m_bHAlignSet = false;
    bool m_bVAlignSet = false;
    bool m_bWidthPercent = true;
    bool m_bHeightPercent = true;
    bool m_bBackgroundPresent = false;
    platform::ColorRef m_crBackground = kColorNone;
    platform::ColorRef m_crBorder = kColorNone;
    QString m_strHAlign;
    QString m_strVAlign;
    int m_nVAlignIndex = 0;
    int m_nHAlignIndex = 0;
    int m_nReferenceWidth = 1;
    int m_nReferenceHeight = 1;
    int m_nWidthPixels = 1;
    int m_nWidthPercentValue = 1;
    int m_nHeightPixels = 1;
    int m_nHeightPercentValue = 1;
    QString m_strHeight;
    QString m_strWidth;
    bool m_bNoWrap = false;
    QString m_strBackground; // the background image

private:
    void SwitchUnit(Box box, bool toPercent);
};
