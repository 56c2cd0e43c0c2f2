#pragma once

#include "platform/Rect.h"

#include <functional>
#include <vector>

// Page layout of a printed source text: the text area of a page and the first
// line of every page. Device units throughout; y grows downwards.

// Hundredths of a millimetre in device units of the given resolution.
int HundredthsOfMmToDevice(int hundredths, int dotsPerInch);

// The page less its margins (left, top, right, bottom in device units) and
// less the bands of the header and the footer, each one and a half print
// lines tall. Margins that leave no room for one line of one character are
// ignored, so the text always has somewhere to go.
platform::Rect SourcePrintTextRect(const platform::Rect& page, const platform::Rect& margins, int lineHeight,
                                   int charWidth, bool header, bool footer);

// The band below the text area in which the footer is drawn.
platform::Rect SourcePrintFooterRect(const platform::Rect& textArea, int lineHeight);
// The band above the text area in which the header is drawn.
platform::Rect SourcePrintHeaderRect(const platform::Rect& textArea, int lineHeight);

// The first line of each page: page 1 starts at line 0; a line that does not
// fit below the lines before it starts a new page; a line taller than the
// whole area gets a page of its own.
std::vector<int> PaginateSourceLines(int lineCount, int textTop, int textBottom,
                                     const std::function<int(int line)>& heightOf);
