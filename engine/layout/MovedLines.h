#pragma once

#include <litehtml/litehtml.h>

#include <cstddef>
#include <memory>
#include <utility>
#include <vector>

namespace engine {

class KeptLines;

// The lines of the blocks of words a run written anew replaced (an Enter
// that splits a long paragraph, a Backspace that joins two), handed to the
// blocks that took their words over (see MovedWords), for each to keep
// what it can of them (see KeptLines): the first paragraph of a split keeps
// the lines before the split, the second the lines after it, re-broken
// from its start until a line begins as an old one did; a joined paragraph
// keeps the first's lines and those of the second from where the lines
// re-broken from the join meet them.
//
// A line goes to the block that holds its first word now. Only blocks that
// lay lines out alike take them: of one kind, font, line height, white
// space and alignment, without an indent of the first line. A block is
// given as its lines that stand at its start (prefix) only the old
// elements in the order of its first old block's lines, and as those that
// may be met at its end (suffix) only those of its last old block's lines,
// each to the letter: the old lines stand only where they hold the words
// they held. Lines stand at the start only where they began their old
// block (they stand where they stood); the lines met are moved.
class MovedLines
{
public:
    MovedLines(const std::vector<std::shared_ptr<litehtml::element>>& old,
               const std::vector<litehtml::element*>& blocks);
    ~MovedLines();
    MovedLines(const MovedLines&) = delete;
    MovedLines& operator=(const MovedLines&) = delete;

    // The plan for `block`'s layout, if it was given lines.
    KeptLines* of(const litehtml::element* block) const;
    // How many old lines were handed over.
    size_t lines() const { return m_lines; }

private:
    std::vector<std::pair<const litehtml::element*, std::unique_ptr<KeptLines>>> m_kept;
    size_t m_lines = 0;
};

} // namespace engine
