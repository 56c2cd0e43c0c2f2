#pragma once

#include "source/ColorRun.h"

// Colouring of HTML source, one line at a time. The state carried from line to
// line is a set of these bits (only the low 13 bits are kept):
enum HtmlLineState : LineState {
    HtmlStateInTag = 0x001,       // inside a tag (after "<")
    HtmlStateTagNamed = 0x002,    // the tag's name has been coloured
    HtmlStateAttribute = 0x004,   // an attribute name has been seen; "=" may follow
    HtmlStateValue = 0x008,       // a value is expected (after "=")
    HtmlStateSingleQuote = 0x020, // inside a value in single quotes
    HtmlStateDoubleQuote = 0x040, // inside a value in double quotes
    HtmlStateComment = 0x080,     // inside a comment (after "<!--")
};

// Colours one line of length bytes that starts in the given state and returns
// the state at its end. With a run buffer (room for at least length runs) the
// coloured runs are stored in increasing position order and count is set to
// their number; with none only the state is computed, which comes out the
// same either way.
LineState ParseHtmlLineColors(LineState state, const char* text, int length, ColorRun* runs, int& count);
