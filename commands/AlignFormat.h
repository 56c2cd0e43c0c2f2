#pragma once

namespace engine {
class Element;
class TextRange;
} // namespace engine

// Alignment of the text of table cells, captions and marquees, written as
// attributes: TD and CAPTION align (codes 4 left, 5 right, 6 center) and
// vAlign (1 top, 2 middle, 3 bottom), a MARQUEE's style text-align. Choosing
// the alignment a target already has removes it again where the operation
// toggles. They act on the active page and keep its view's format state.

// The TD cells the selection designates get the alignment: the TD around a
// text range, every TD of one selected TABLE, the first TD of each selected
// object. It toggles only in a text box that holds text.
void SetAlignInSelection(int code);

// Text of the page's flow: each paragraph, heading or division the range
// touches gets the horizontal alignment (4 to 6) as its align.
void SetFlowTextAlign(int code, const engine::TextRange& range);

// Writes the cell's align (4 to 6) or vAlign (1 to 3) and sets the code's
// format state, clearing the other two of its group; with `toggle`, an
// alignment the cell already has is removed and its state cleared. A TD or
// TH only.
void SetCellAlign(int code, engine::Element* cell, bool toggle);

// The selected MARQUEE, or the MARQUEE around the text, gets the horizontal
// alignment (4 to 6).
void SetMarqueeAlign(int code);
// Toggles the MARQUEE's text-align for 4 to 6 and keeps the format state.
void SetMarqueeTextAlign(int code, engine::Element* marquee);

// Toggles align (4 to 6) or vAlign (1 to 3) of the CAPTION around the text
// selection; the format state is left alone.
void SetCaptionAlign(int code);
