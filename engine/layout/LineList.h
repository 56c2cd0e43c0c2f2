#pragma once

#include "engine/layout/PartedList.h"

#include <QRect>

#include <atomic>
#include <climits>
#include <cstddef>
#include <functional>
#include <utility>
#include <vector>

namespace engine {

// A line of text as laid out (see TextLines).
struct TextLine
{
    int first = 0; // entry indices [first, last]; -1 on an empty line
    int last = 0;
    int block = -1;
    QRect rect;
    int baseline = 0;
    int lineBreak = -1; // on an empty line: the box of the break that ends it
    int firstTop = 0;   // where the line's first word (or break) stood when the line was found
};

namespace linelist_detail {

// A part of a LineList.
struct Part
{
    mutable std::vector<TextLine> items;               // less the moves noted below, while unsettled
    size_t start = 0;                                  // where its lines start in the list
    mutable int entriesBy = 0;                         // to add to the entries of its lines of text
    mutable std::vector<std::pair<int, int>> boxMoves; // (least, by) in turn on its boxes (least INT_MIN: all)
    mutable int dy = 0;                                // to add to its lines' y
    mutable std::atomic<bool> unsettled{false};
    // The lowest and highest box its lines name (their blocks, the breaks
    // of the empty ones; moves noted included), and how many lines are
    // empty, when known.
    int leastBox = INT_MAX;
    int mostBox = INT_MIN;
    size_t empty = 0;
    bool known = true;
};

} // namespace linelist_detail

// The lines of a page (TextLines) in the page's order, kept in parts of a
// few thousand. The lines after an edit, which name words and boxes that
// moved along their lists and stand lower or higher on the page, are moved
// a part at a time: the move is noted on the part and made on its lines
// when they are next read. So an edit of a long page does not pass over
// every line after it.
// Reading is safe from several threads at once (as long as nothing
// changes the list meanwhile).
class LineList : public PartedList<TextLine, linelist_detail::Part, LineList>
{
public:
    LineList() = default;
    explicit LineList(std::vector<TextLine>&& lines);
    LineList(const LineList&) = default;
    LineList& operator=(const LineList&) = default;
    LineList(LineList&&) noexcept = default;
    LineList& operator=(LineList&&) noexcept = default;

    void push_back(const TextLine& line);
    // The lines [from, to) give way to `lines`.
    void replace(size_t from, size_t to, std::vector<TextLine>&& lines);

    // How the lines after an edit move: their entries `entriesBy`
    // further along; the boxes they name, of at least `least`, `boxesBy`;
    // the lines placed by a box in [shiftedFrom, shiftedTo) (their block,
    // the break of an empty one) `dy` lower; every other one to where
    // `topOf` finds its first word (or break) now.
    struct Move
    {
        int entriesBy = 0;
        int least = 0;
        int boxesBy = 0;
        int shiftedFrom = 0;
        int shiftedTo = 0;
        int dy = 0;
    };
    // Moves the lines from `from` on.
    void moveAfter(size_t from, const Move& move, const std::function<int(const TextLine&)>& topOf);
    // Calls found(index, line) for each empty line, in order.
    void forEachEmpty(const std::function<void(size_t, const TextLine&)>& found) const;
    // Whether any line is empty.
    bool anyEmpty() const;

private:
    friend class PartedList<TextLine, linelist_detail::Part, LineList>;
    using Part = linelist_detail::Part;

    static void mayChange(Part& part) { part.known = false; }
    // Makes the moves noted on the part on its lines.
    static void settle(const Part& part);
    static void copied(Part& part, const Part& theirs);
    // What is known of the part's lines, found again.
    static void findBounds(Part& part);
    // The line counted in what is known of its part.
    static void counted(Part& part, const TextLine& line);
    // The lines of a part are at most this many, at least half as many
    // unless the list is short or where an edit left them.
    static size_t itemsAPart();
};

} // namespace engine
