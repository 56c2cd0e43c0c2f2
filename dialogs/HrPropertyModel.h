#pragma once

#include "controls/ColorValue.h"

#include <QString>

// The values and rules of the horizontal rule dialog without its window:
// width in per cent or pixels, height in pixels, colour and no shading. The
// caller fills the fields, runs the dialog, and after IDOK writes each value
// whose changed flag is set.
//
// Width and height are -1 when not given. The colour is kColorDefault (-1)
// for the picker's default (no attribute), kColorNone (-2) when several
// rules differ. Width unit: 0 per cent, 1 pixels. The reference width is
// what 100 % stands for, -1 (or any width below 1) when unknown.
class HrPropertyModel
{
public:
    static constexpr int kHeightMin = 1;
    static constexpr int kHeightMax = 100;

    // The width's largest number in its unit: 100 %, 2000 pixels.
    int WidthMax() const { return m_nWidthUnit == 0 ? 100 : 2000; }

    // The texts from the values; what the dialog opened with is kept.
    void InitTexts();
    // The width box was edited: a number above the unit's largest becomes
    // that (there is no lower bound). False when the text was rewritten.
    bool OnWidthEdited();
    // The height box was edited: its number (0 for an empty box) put into
    // 1..100. False when the text was rewritten.
    bool OnHeightEdited();
    // A unit radio was chosen: the exact width converted by the reference
    // width when known, then put into the new unit's range.
    void OnUnitChanged(int unit);
    void OnColorChosen(platform::ColorRef color);
    void OnNoShade() { m_bNoShadeChanged = true; }
    // OK: width and height from their texts (-1 when empty), changed when
    // they differ from what the dialog opened with.
    void OnOK();

    int m_bNoShade = 0;
    int m_nWidthUnit = 0;
    QString m_strHeight;
    QString m_strWidth;
    platform::ColorRef m_crColor = kColorDefault;
    int m_nWidth = -1;
    int m_nInitialWidth = -1;
    int m_nHeight = -1;
    int m_nInitialHeight = -1;
    bool m_bColorChanged = false;
    bool m_bNoShadeChanged = false;
    bool m_bWidthChanged = false;
    bool m_bHeightChanged = false;
    bool m_bInitialized = false;
    double m_dWidth = -1.0;
    int m_nReferenceWidth = -1;
};
