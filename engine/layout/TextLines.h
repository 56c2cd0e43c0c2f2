#pragma once

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
    struct Line
    {
        int first = 0; // entry indices [first, last]; -1 on an empty line
        int last = 0;
        int block = -1;
        QRect rect;
        int baseline = 0;
        int lineBreak = -1; // on an empty line: the box of the break that ends it
        int firstTop = 0;   // where the line's first word (or break) stood when the line was found
    };

    std::vector<int> entries;                 // indices in LayoutTree::pieces of the words of text nodes
    std::vector<Line> lines;                  // in the page's order
    std::vector<int> lineOf;                  // per entry
    std::unordered_map<int, int> lineOfBreak; // break node id -> its empty line
    std::vector<int> entriesByNode;           // the entries of each text node, in order:
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

    // The entries of a text node, as [begin, end) in entriesByNode.
    std::pair<int, int> entriesOfNode(int nodeId) const
    {
        if (nodeId < 0 || static_cast<size_t>(nodeId) + 1 >= nodeEntriesStart.size())
            return {0, 0};
        return {nodeEntriesStart[static_cast<size_t>(nodeId)], nodeEntriesStart[static_cast<size_t>(nodeId) + 1]};
    }

private:
    void find(const LayoutTree& tree);
    void indexByNode(const LayoutTree& tree);
    void addEmptyLines(const LayoutTree& tree);
    // An empty line at a break's box (its baseline set by setEmptyBaselines).
    static Line emptyLineAt(const LayoutTree& tree, int breakBox);
    // The lines of the words [from, to) of the tree, their entries from
    // `entries.size()` on.
    void findIn(const LayoutTree& tree, int from, int to);
    // The baselines of the empty lines: as on the first line of text of the
    // same height, else a fifth of the height above the bottom.
    void setEmptyBaselines();
    void indexBreaks(const LayoutTree& tree);
};

} // namespace engine
