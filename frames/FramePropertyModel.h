#pragma once

#include <QString>

class VornaFrameSet;

// The values and rules of the frame properties dialog without its window:
// the page path, the frame's name, scrolling, resizing and its size as a
// width and a height, each with a unit.
class FramePropertyModel
{
public:
    enum Unit { Pixels = 0, Percent = 1, Relative = 2 };
    enum Scrolling { ScrollAuto = 0, ScrollYes = 1, ScrollNo = 2 };
    // What OK found.
    enum OkResult {
        Accepted,
        PathMissing, // a path that names no file: the path field gets the focus
        WidthTooLow, // the width was replaced by the smallest accepted one
    };

    // The largest number of a size in the unit.
    static int MaximumOf(int unit) { return unit == Percent ? 100 : 9999; }
    // The scrolling entry of a FRAME's scrolling value (compared without case).
    static int ScrollingIndexOf(const QString& scrolling);
    // The value written for a scrolling entry.
    static QString ScrollingValueOf(int index);
    // Whether a page text is a frameset page: it holds "<FRAMESET" (any case).
    static bool IsFramesetText(const QString& text);

    // The smallest width accepted, in pixels.
    int MinimumWidth() const { return m_nMinimumBase + 20; }
    // The frame's entry in its parent's list from the values: the width
    // along "cols", else the height.
    QString SizeEntry(const QString& split) const;
    // A unit was chosen: the number is put into that unit's range.
    void OnWidthUnitChanged(int unit);
    void OnHeightUnitChanged(int unit);
    // A number field was left: its number put into its unit's range.
    void OnWidthLeft();
    void OnHeightLeft();
    // OK: the path must name a file; the width must come to the smallest
    // width or more in pixels (a percentage of the parent's width). A width
    // too low is replaced by the smallest one that passes.
    OkResult OnOK();

    QString m_strPath;
    QString m_strFrameName;
    int m_nScrolling = ScrollAuto;
    int m_nHeightUnit = Relative;
    int m_nWidthUnit = Relative;
    int m_bAllowResize = 0;
    QString m_strWidth;
    QString m_strHeight;
    VornaFrameSet* m_pFrame = nullptr;
    bool m_bValidateWidth = true;
    int m_nMinimumBase = 2;
    bool m_bWidthDisabled = false;
    bool m_bHeightDisabled = false;
    bool m_bInitialized = false;

private:
    static QString Clamped(const QString& number, int unit);
};
