#pragma once

#include "controls/ColorValue.h"

#include <QString>
#include <utility>

// The values and rules of the marquee dialog without its window: direction,
// behaviour, width and height (each optional, in per cent or pixels), scroll
// delay and amount, repeat count or continuous looping, and the background
// colour. The caller fills the fields, runs the dialog, and after IDOK writes
// each value whose changed flag is set.
//
// Numbers: -2 not given (an empty box; also values that differ among
// several marquees), -1 the default (the attribute is left out), else the
// value. Direction and behaviour are the attribute words or "Default"
// (empty: several marquees that differ). The background colour is
// kColorDefault (-1) for none. Units: 0 per cent, 1 pixels. The reference
// size is what 100 % stands for, -1 (or any size below 1) when unknown.
class MarqueeModel
{
public:
    enum Box { Width, Height, Amount, Delay, Loop };

    // The range a box's number is put into: 0..10000, a size in per cent
    // 0..100.
    std::pair<int, int> RangeOf(Box box) const;
    // The list entry a word selects: nothing (-1) for an empty word, the
    // first for a word the list does not hold.
    static int DirectionIndex(const QString& word);
    static int BehaviorIndex(const QString& word);

    // The boxes' texts from the values, and the exact sizes from them.
    void InitTexts();
    // A box was left: a number put into its range; a size whose number
    // differs from its exact value takes the number.
    void OnBoxLeft(Box box);
    // The continuous box was clicked.
    void OnContinuous() { m_bLoopChanged = true; }
    // The behaviour list changed: スライド plays once, so continuous is
    // cleared. True when the continuous box may be used.
    bool OnBehaviorChanged(int index);
    // A size's unit radio was chosen: the exact size converted by the
    // reference size when known, then put into the new unit's range.
    void OnUnitChanged(Box box, int unit);
    // OK: the boxes' leaving rules, then every value compared with what the
    // dialog opened with; a changed flag for each that differs.
    void OnOK(int directionIndex, int behaviorIndex, platform::ColorRef pickerColor);

    int m_bContinuous = 1;
    int m_bHeightOn = 0;
    int m_bWidthOn = 0;
    int m_nHeightUnit = 0;
    int m_nWidthUnit = 0;
    QString m_strAmount;
    QString m_strDelay;
    QString m_strHeight;
    QString m_strLoop;
    QString m_strWidth;
    QString m_strDirection = QStringLiteral("Default");
    QString m_strBehavior = QStringLiteral("Default");
    platform::ColorRef m_crBackground = kColorDefault;
    int m_nAmount = -1;
    int m_nDelay = -1;
    int m_nLoop = -1;
    int m_nWidth = -1;
    double m_dWidth = -1.0;
    int m_nHeight = -1;
    double m_dHeight = -1.0;
    int m_nReferenceWidth = -1;
    int m_nReferenceHeight = -1;
    bool m_bAmountChanged = false;
    bool m_bDelayChanged = false;
    bool m_bLoopChanged = false;
    bool m_bHeightChanged = false;
    bool m_bWidthChanged = false;
    bool m_bDirectionChanged = false;
    bool m_bBehaviorChanged = false;
    bool m_bColorChanged = false;

private:
    QString& TextOf(Box box);
    // The units the dialog opened with.
    int m_nInitialWidthUnit = 0;
    int m_nInitialHeightUnit = 0;
};
