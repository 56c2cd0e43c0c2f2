#pragma once

#include <litehtml/litehtml.h>

#include <optional>

namespace engine {

// What laying out a block of words at a width would answer, worked out from
// the widths of its words alone: a long paragraph is measured in a pass
// over its words instead of two layouts (a table measures its cells at the
// narrowest and at the widest; see BlockReflow::widthInCell).
//
// A block of words holds nothing but words, white space, preformatted line
// breaks and comments, directly (no inline element, no BR, no box), and
// styles its own width in no way that depends on the room: no width,
// min-width or max-width, no side margin or padding in percent, no list
// marker inside its first line.
struct WordsMeasure
{
    // What render(0, 0, maxWidth) returns: how wide the block asks to be,
    // its margins, borders and padding included.
    int width = 0;
    // Whether a line ended for want of room (as WrapWatch counts).
    bool wrapped = false;
};

// The measures of `block` laid out at the narrowest width (1) and at
// `maxWidth`, as a table measures a cell.
struct WordsMeasures
{
    WordsMeasure narrowest;
    WordsMeasure widest;
};
// Nothing when the block is not a block of words.
std::optional<WordsMeasures> measureWords(litehtml::element& block, int maxWidth);

// Whether `block`, a block of words laid out where it stands at the width
// a table measures it with (`maxWidth`), asks the table for all of that
// width: its lines wrap, and none of its words is wider. Told from its lines
// and from the words of those that come near the width, not from every word
// (a long paragraph holds very many); false where that does not tell.
// `wordsKnown`: its children are known to be words and comments alone (see
// KeptLines), and are not asked again.
bool asksForAllTheRoom(litehtml::element& block, int maxWidth, bool wordsKnown = false);

} // namespace engine
