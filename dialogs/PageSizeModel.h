#pragma once

#include <QSize>

#include <array>

// The values and rules of the page size dialog without its window: a screen
// resolution from the list, or a width and height of the user's own.
//
// The caller sets m_size to the guide's size ((0, 0) when it has none) and
// after IDOK reads the chosen size from it.
class PageSizeModel
{
public:
    enum Mode { kResolutionMode = 0, kUserMode = 1 };
    static constexpr unsigned kMaxSide = 9999;
    // The list's entries in order: "640 x 480", "800 x 600", "1024 x 768".
    static const std::array<QSize, 3> kResolutions;

    // The entry's text of the resolution list.
    static QString ResolutionText(int index);
    // A side as its box holds it once left: at most 9999.
    static unsigned ClampSide(unsigned side) { return side > kMaxSide ? kMaxSide : side; }

    // Width, height, mode and list entry from m_size.
    void InitFromSize();
    // OK: the chosen size into m_size; false when the resolution mode has no
    // entry chosen (the dialog stays open on its list).
    bool OnOK();

    unsigned m_nHeight = 600;
    unsigned m_nWidth = 800;
    int m_nMode = kResolutionMode;
    int m_nResolution = -1;
    QSize m_size{800, 600};
};
