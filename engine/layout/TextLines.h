#pragma once

#include <QRect>

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
    };

    std::vector<int> entries;                 // indices in LayoutTree::pieces of the words of text nodes
    std::vector<Line> lines;                  // in the page's order
    std::vector<int> lineOf;                  // per entry
    std::unordered_map<int, int> lineOfBreak; // break node id -> its empty line
    std::vector<int> entriesByNode;           // the entries of each text node, in order:
    std::vector<int> nodeEntriesStart;        // those of node id n start at [n], end at [n + 1]

    static std::shared_ptr<const TextLines> of(const LayoutTree& tree);

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
};

} // namespace engine
