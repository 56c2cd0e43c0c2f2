#pragma once

#include <cstdint>

// Colour indexes of the source views.
enum ColorIndex : int {
    COLORINDEX_WHITESPACE = 0,
    COLORINDEX_BKGND = 1,
    COLORINDEX_NORMALTEXT = 2,
    COLORINDEX_SELMARGIN = 3,
    COLORINDEX_SELBKGND = 4,
    COLORINDEX_SELTEXT = 5,
    COLORINDEX_TAG = 6,       // tag brackets, tag names, "=" and the "/" of a closing tag
    COLORINDEX_ATTRIBUTE = 7, // attribute names
    COLORINDEX_VALUE = 8,     // attribute values and quoted strings
    COLORINDEX_COMMENT = 9,
};

// A coloured run of a line: it starts at a byte index and lasts to the next
// run's start.
struct ColorRun
{
    int pos = 0;
    int color = COLORINDEX_NORMALTEXT;
};

// The colouring state carried from the end of one line to the next.
using LineState = uint32_t;
