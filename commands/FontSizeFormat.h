#pragma once

#include <QString>

#include <vector>

namespace engine {
class Element;
class TextRange;
} // namespace engine

// Font sizes and the bold, italic and underline styles of the text of the
// active page. Inside text boxes, tables and marquees a format goes around
// the whole content of the target element (FONT size, STRONG, EM, U); a text
// selection is formatted by the page engine's own commands.
//
// Font-size codes: 0 no size (remove it), +1 one step bigger, -1 one step
// smaller, 11 to 17 the HTML font size 1 to 7 (code minus 10).
// Style codes: 9 bold (STRONG), 10 italic (EM), 11 underline (U).

// Applies a font-size code to the selection.
void SetFontSizeInSelection(int sizeCode);

// Applies a font-size code to one element (TD, SPAN or MARQUEE): a step
// changes every sized FONT inside by one (within 1 to 7) and, unless the
// content is exactly one FONT, also wraps it in a FONT of size 4 or 2; an
// absolute size removes every inner size (dropping FONTs left bare) and
// wraps the content in one FONT of that size; 0 only removes the sizes.
void ApplyFontSizeToElement(int sizeCode, engine::Element* element);

// The size a run of text of `size` (1 to 7) gets from a step: within 1 to 7
// in the steps' own arithmetic.
int SteppedFontSize(int size, int step);

// A run of text of one font size inside a range: its first and last text
// nodes and the size.
struct FontSizeRun
{
    int first = 0; // index of its first segment
    int last = 0;  // index of its last segment
    int size = 3;
};
// Groups the sizes of consecutive text segments into runs of one size.
std::vector<FontSizeRun> FontSizeRuns(const std::vector<int>& segmentSizes);

// Grows or shrinks each run of one size in the range by one step (the
// engine's FontSize command once per run); on a caret, the size of the next
// character stepped at the caret.
void StepFontSizeInRange(engine::TextRange& range, int step);

// Toggles a style on the selection: the style's tag on the targets of a
// control selection, the engine's command (and the view's state) on text.
void SetTextStyleInSelection(int styleCode);
// Sets (on non-zero) or removes a style on the selection, for the font dialog.
void SetTextStyleFromDialog(int styleCode, int on);

// Removes every element of the style's tag inside the element (keeping their
// content) and, when there was none, wraps the content in one.
void ToggleStyleTagInElement(int styleCode, engine::Element* element);
// Removes them all and, when `on`, wraps the content in exactly one.
void SetStyleTagInElement(int styleCode, engine::Element* element, int on);

// The tag of a style code ("STRONG", "EM", "U"); empty for any other code.
QString StyleTagName(int styleCode);
