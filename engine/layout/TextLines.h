#pragma once

#include "engine/layout/IndexList.h"
#include "engine/layout/LineList.h"

#include <QRect>

#include <cstdint>
#include <memory>
#include <unordered_map>
#include <utility>
#include <vector>

namespace engine {

struct LayoutTree;

// The laid-out words of a page read as lines of text: a new line where the
// words of a block wrap, and the empty lines that breaks make among them.
// Found from a LayoutTree alone, so that the lines of a long page are found
// on the thread that lays it out (see LayoutEngine::textLines()).
struct TextLines
{
    using Line = TextLine;

    IndexList entries;                        // indices in LayoutTree::pieces of the words of text nodes
    LineList lines;                           // in the page's order
    IndexList lineOf;                         // per entry
    std::unordered_map<int, int> lineOfBreak; // break node id -> its empty line
    IndexList entriesByNode;                  // the entries of each text node, in order:
    std::vector<int> nodeEntriesStart;        // those of node id n start at [n], end at [n + 1]
    // Which lines these are: another number for every TextLines found or
    // updated (one updated in place is not the one it was).
    std::uint64_t version = 0;

    static std::shared_ptr<const TextLines> of(const LayoutTree& tree);

    // A part of the tree changed: the words [from, from + had) of the tree
    // `old` was found in are the words [from, from + now) of `tree`, and its
    // boxes [boxFrom, boxFrom + boxesHad) the boxes [boxFrom, boxFrom +
    // boxesNow); the words and boxes after them moved along the lists (and
    // may have moved on the page). The lines of `tree`, found again only
    // for the part; null when the part's lines do not follow one another.
    // `old` is changed in place when nobody else holds it. With `shifted`,
    // every word of the boxes [from, to) of `tree` (boxes after the part)
    // stands `dy` lower than it stood in the tree `old` was found in.
    struct Shifted
    {
        int from = 0;
        int to = 0;
        int dy = 0;
    };
    static std::shared_ptr<const TextLines> updated(std::shared_ptr<const TextLines> old, const LayoutTree& tree,
                                                    int from, int had, int now, int boxFrom, int boxesHad, int boxesNow,
                                                    const Shifted* shifted = nullptr);

    // The same for a part that stands within one line of the block whose
    // box is `block`, a block whose words stand on one line (a line of
    // preformatted text): the part's words, and the words after it along
    // the line, moved; the lines after it only along the lists. Null when
    // the line is not found so.
    static std::shared_ptr<const TextLines> updatedWithinLine(std::shared_ptr<const TextLines> old,
                                                              const LayoutTree& tree, int from, int had, int now,
                                                              int block);

    // The entries of a text node, as [begin, end) in entriesByNode.
    std::pair<int, int> entriesOfNode(int nodeId) const
    {
        if (nodeId < 0 || static_cast<size_t>(nodeId) + 1 >= nodeEntriesStart.size())
            return {0, 0};
        return {nodeEntriesStart[static_cast<size_t>(nodeId)], nodeEntriesStart[static_cast<size_t>(nodeId) + 1]};
    }

private:
    // Lines found in a part of the words, in plain lists.
    struct Found
    {
        std::vector<int> entries;
        std::vector<Line> lines;
        std::vector<int> lineOf;
    };
    // The lines of the words [from, to) of the tree, their entries from
    // `found.entries.size()` on.
    static void findIn(const LayoutTree& tree, int from, int to, Found& found);
    // The empty lines at the breaks of the boxes [from, to) of the tree,
    // merged in among the lines of text in the page's order (a break comes
    // before the words laid out after it).
    static void addEmptyLines(const LayoutTree& tree, int from, int to, Found& found);
    void indexByNode(const LayoutTree& tree, const std::vector<int>& entries);
    // An empty line at a break's box (its baseline set by setEmptyBaselines).
    static Line emptyLineAt(const LayoutTree& tree, int breakBox);
    // The baselines of the empty lines: as on the first line of text of the
    // same height, else a fifth of the height above the bottom.
    template <typename Lines> static void setEmptyBaselines(Lines& lines);
    void indexBreaks(const LayoutTree& tree);
    // The per-node index after the entries [oldFirst, oldEnd) gave way to
    // `part` (of the words of `tree`); false, with nothing changed, when
    // the index does not hold them in the page's order.
    bool replaceEntriesByNode(const LayoutTree& tree, int oldFirst, int oldEnd, const std::vector<int>& part);
    // Where the entries of the words [from, to) of the tree stand in
    // `entries`, as [first, end).
    static std::pair<size_t, size_t> entriesWithin(const IndexList& entries, int from, int to);
    // The lines as found or held by nobody else, to be changed.
    static std::shared_ptr<TextLines> toChange(std::shared_ptr<const TextLines> old);
};

} // namespace engine
