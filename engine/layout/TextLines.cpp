#include "engine/layout/TextLines.h"

#include "engine/layout/LayoutTree.h"

#include <algorithm>

namespace engine {

std::shared_ptr<const TextLines> TextLines::of(const LayoutTree& tree)
{
    auto lines = std::make_shared<TextLines>();
    lines->find(tree);
    lines->indexByNode(tree);
    lines->addEmptyLines(tree);
    return lines;
}

void TextLines::find(const LayoutTree& tree)
{
    auto blockOf = [&tree](int owner) {
        int b = owner;
        while (b >= 0 && tree.boxes[static_cast<size_t>(b)].inlineLevel)
            b = tree.boxes[static_cast<size_t>(b)].parent;
        return b;
    };
    entries.reserve(tree.pieces.size());
    lineOf.reserve(tree.pieces.size());
    for (int i = 0; i < static_cast<int>(tree.pieces.size()); ++i) {
        const TextPiece& p = tree.pieces[static_cast<size_t>(i)];
        if (p.textNodeId < 0)
            continue;
        const int block = blockOf(p.owner);
        const int entry = static_cast<int>(entries.size());
        entries.push_back(i);
        bool newLine = lines.empty();
        if (!newLine) {
            const Line& line = lines.back();
            const TextPiece& prev = tree.pieces[static_cast<size_t>(entries[static_cast<size_t>(line.last)])];
            newLine = line.block != block || p.box.left() < prev.box.left() || p.box.top() >= line.rect.bottom() + 1 ||
                      p.box.bottom() <= line.rect.top();
        }
        if (newLine) {
            Line line;
            line.first = line.last = entry;
            line.block = block;
            line.rect = p.box;
            line.baseline = p.baseline;
            lines.push_back(line);
        } else {
            Line& line = lines.back();
            line.last = entry;
            line.rect = line.rect.united(p.box);
            line.baseline = std::max(line.baseline, p.baseline);
        }
        lineOf.push_back(static_cast<int>(lines.size()) - 1);
    }
}

void TextLines::indexByNode(const LayoutTree& tree)
{
    // Counted per node, then placed (a long page has a million words).
    std::vector<int> nodeOfEntry(entries.size());
    int last = -1;
    for (size_t e = 0; e < entries.size(); ++e) {
        nodeOfEntry[e] = tree.pieces[static_cast<size_t>(entries[e])].textNodeId;
        last = std::max(last, nodeOfEntry[e]);
    }
    nodeEntriesStart.assign(static_cast<size_t>(last) + 2, 0);
    for (const int n : nodeOfEntry)
        ++nodeEntriesStart[static_cast<size_t>(n) + 1];
    for (size_t n = 1; n < nodeEntriesStart.size(); ++n)
        nodeEntriesStart[n] += nodeEntriesStart[n - 1];
    std::vector<int> next(nodeEntriesStart.begin(), nodeEntriesStart.end() - 1);
    entriesByNode.resize(entries.size());
    for (size_t e = 0; e < entries.size(); ++e)
        entriesByNode[static_cast<size_t>(next[static_cast<size_t>(nodeOfEntry[e])]++)] = static_cast<int>(e);
}

void TextLines::addEmptyLines(const LayoutTree& tree)
{
    // A break that ends an empty line is laid out as a block one line high:
    // its box is the line. The lines are merged in among the lines of text
    // in the page's order (a break comes before the words laid out after
    // it).
    std::vector<Line> empty;
    for (int b = 0; b < static_cast<int>(tree.boxes.size()); ++b) {
        const LayoutBox& box = tree.boxes[static_cast<size_t>(b)];
        if (box.inlineLevel || box.nodeId < 0 || box.borderBox.height() <= 0 || box.tag.size() != 2 ||
            box.tag != QLatin1String("BR"))
            continue;
        int block = box.parent;
        while (block >= 0 && tree.boxes[static_cast<size_t>(block)].inlineLevel)
            block = tree.boxes[static_cast<size_t>(block)].parent;
        Line line;
        line.first = line.last = -1;
        line.block = block;
        line.lineBreak = b;
        line.rect = QRect(box.borderBox.left(), box.borderBox.top(), 1, box.borderBox.height());
        // The baseline where text would stand: as on a line of text of the
        // same height, else at a fifth of the height above the bottom.
        const int height = line.rect.height();
        line.baseline = line.rect.top() + height - height / 5;
        for (const Line& text : lines) {
            if (text.rect.height() == height) {
                line.baseline = line.rect.top() + (text.baseline - text.rect.top());
                break;
            }
        }
        empty.push_back(line);
    }
    if (empty.empty())
        return;
    auto breakBox = [&tree](const Line& line) -> const LayoutBox& {
        return tree.boxes[static_cast<size_t>(line.lineBreak)];
    };
    std::vector<Line> merged;
    merged.reserve(lines.size() + empty.size());
    std::vector<int> moved(lines.size());
    size_t e = 0;
    for (size_t l = 0; l < lines.size(); ++l) {
        const int firstPiece = entries[static_cast<size_t>(lines[l].first)];
        while (e < empty.size() && breakBox(empty[e]).firstPiece <= firstPiece) {
            lineOfBreak[breakBox(empty[e]).nodeId] = static_cast<int>(merged.size());
            merged.push_back(empty[e++]);
        }
        moved[l] = static_cast<int>(merged.size());
        merged.push_back(lines[l]);
    }
    for (; e < empty.size(); ++e) {
        lineOfBreak[breakBox(empty[e]).nodeId] = static_cast<int>(merged.size());
        merged.push_back(empty[e]);
    }
    for (int& line : lineOf)
        line = moved[static_cast<size_t>(line)];
    lines = std::move(merged);
}

} // namespace engine
