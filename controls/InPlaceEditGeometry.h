#pragma once

// How far an in-place text editor widens while the user types: it grows only to
// the right, to fit the text plus 5 pixels, and never past the list's right edge.
struct InPlaceEditGeometry
{
    static constexpr int kTextSlack = 5;

    // The new right edge of an editor at `left` that is `width` wide, holding a
    // text `textWidth` wide, in a list whose client area ends at `listRight`; the
    // current right edge when the text fits.
    static int widenedRight(int left, int width, int textWidth, int listRight);
};
