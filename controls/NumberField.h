#pragma once

#include <QString>

// The rules of a number box: digits only, a range it is clamped to when the
// user leaves it, and up/down steps that stop at the range's ends. A box that
// may stay empty keeps an empty text when left; one that may not reads an empty
// text as 0 and so shows the range's clamp of 0.
class NumberField
{
public:
    NumberField(int minimum = 0, int maximum = 100, bool mayStayEmpty = true);

    // The ends may come in either order.
    void setRange(int a, int b);
    int minimum() const { return m_min; }
    int maximum() const { return m_max; }
    void setMayStayEmpty(bool on) { m_mayStayEmpty = on; }
    bool mayStayEmpty() const { return m_mayStayEmpty; }

    int clamp(int value) const;

    // True for a text of the digits 0-9 only (the empty text included).
    static bool isDigits(const QString& text);
    // The integer the text starts with, 0 when it starts with no digit; values
    // beyond the integer range read as its largest value.
    static int valueOf(const QString& text);

    // The text the box shows once the user has left it.
    QString textOnLeaving(const QString& text) const;
    // The text after `steps` presses of up (positive) or down (negative). An
    // empty box first shows the value it reads as.
    QString stepped(const QString& text, int steps) const;
    bool canStepUp(const QString& text) const;
    bool canStepDown(const QString& text) const;

private:
    int m_min;
    int m_max;
    bool m_mayStayEmpty;
};
