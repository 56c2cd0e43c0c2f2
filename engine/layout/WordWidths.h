#pragma once

#include <litehtml/litehtml.h>
#include <litehtml/el_text.h>

#include <functional>

namespace engine {

class FontCatalog;

// litehtml measures each word and each space on its own, in whole pixels,
// and a line is as wide as its pieces added up: a line of twenty pieces came
// out up to several pixels narrower or wider than the browser's, whose line
// is its glyphs' advances added up to the fraction of a pixel, and so were
// the tables and floats sized by their text. Here each piece of a run of
// text (the text of one block, from its start or the last break or block
// in it) is given the whole pixels between the rounded running sums of the
// exact widths before and after it: any stretch of a line is then within a
// pixel of its exact width. Collapsed white space adds nothing.
//
// Refits the runs of `from` and of everything in it; litehtml measures the
// words anew whenever it computes their style, so this follows every such
// computation (of the whole page or of the block around a change).
// These are the widths the words are measured with before they are placed:
// on a line, each is given its width there (see LineFit).
void fitWordWidths(litehtml::element& from, const FontCatalog& fonts);

// The same for a page read in parts (see PageParts), in two steps. The
// elements open where parts were cut hold runs that go across the cuts:
// `isOpen` tells them. First, in each part, the boxes of their own that
// stand in those elements (each wholly in one part): fitBoxesInside. Then,
// on the joined page, the runs of the open elements themselves, passing
// over the boxes fitted before: fitAroundBoxes.
void fitBoxesInside(litehtml::element& open, const std::function<bool(const litehtml::element&)>& isOpen,
                    const FontCatalog& fonts);
void fitAroundBoxes(litehtml::element& open, const std::function<bool(const litehtml::element&)>& isOpen,
                    const FontCatalog& fonts);

// The exact width of a word or of white space as it is shown; a negative
// one for what litehtml gives no width (a preformatted line break).
double exactWidthOf(litehtml::el_text& word, const FontCatalog& fonts);
// The whole pixels a word or white space is given.
int wordWidthOf(litehtml::el_text& word);
void setWordWidth(litehtml::el_text& word, int width);

// The element whose runs of text hold the text of `el`: the nearest of it
// and its ancestors that is a box of its own (not inline, not hidden).
litehtml::element* runsHolder(litehtml::element& el);

} // namespace engine
