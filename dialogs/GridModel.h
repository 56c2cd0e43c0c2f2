#pragma once

#include <QString>

// The values and rules of the grid settings dialog without its window: the
// grid's kind (0 なし, 1 点, 2 線, 3 点線) and its spacing in pixels as text,
// 3 to 100.
class GridModel
{
public:
    static constexpr int kMinSpacing = 3;
    static constexpr int kMaxSpacing = 100;
    static constexpr int kKindCount = 4;
    // The string ids of the kinds in the list's order.
    static const int kKindStrings[kKindCount];

    enum class Check { Valid, BelowRange, AboveRange };

    void SetInitialValues(int kind, int spacing);
    // OK: a spacing outside 3 .. 100 is replaced by the limit it passed and
    // reported (the dialog tells the user and stays open).
    Check CheckOnOK();

    QString m_strSpacing;
    int m_nKind = 0;
};
