#include "engine/layout/TextLines.h"

#include "engine/layout/LayoutTree.h"

#include <algorithm>

namespace engine {

namespace textlines_detail {

// A break laid out as a block one line high: it ends an empty line.
bool isEmptyLineBreak(const LayoutBox& box)
{
    return !box.inlineLevel && box.nodeId >= 0 && box.borderBox.height() > 0 && box.tag.size() == 2 &&
           box.tag == QLatin1String("BR");
}

} // namespace textlines_detail

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
    entries.reserve(tree.pieces.size());
    lineOf.reserve(tree.pieces.size());
    findIn(tree, 0, static_cast<int>(tree.pieces.size()));
}

void TextLines::findIn(const LayoutTree& tree, int from, int to)
{
    const size_t linesBefore = lines.size();
    auto blockOf = [&tree](int owner) {
        int b = owner;
        while (b >= 0 && tree.boxes[static_cast<size_t>(b)].inlineLevel)
            b = tree.boxes[static_cast<size_t>(b)].parent;
        return b;
    };
    for (int i = from; i < to; ++i) {
        const TextPiece& p = tree.pieces[static_cast<size_t>(i)];
        if (p.textNodeId < 0)
            continue;
        const int block = blockOf(p.owner);
        const int entry = static_cast<int>(entries.size());
        entries.push_back(i);
        bool newLine = lines.size() == linesBefore;
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
            line.firstTop = p.box.top();
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
        if (textlines_detail::isEmptyLineBreak(box))
            empty.push_back(emptyLineAt(tree, b));
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
    setEmptyBaselines();
}

TextLines::Line TextLines::emptyLineAt(const LayoutTree& tree, int breakBox)
{
    const LayoutBox& box = tree.boxes[static_cast<size_t>(breakBox)];
    int block = box.parent;
    while (block >= 0 && tree.boxes[static_cast<size_t>(block)].inlineLevel)
        block = tree.boxes[static_cast<size_t>(block)].parent;
    Line line;
    line.first = line.last = -1;
    line.block = block;
    line.lineBreak = breakBox;
    line.rect = QRect(box.borderBox.left(), box.borderBox.top(), 1, box.borderBox.height());
    line.firstTop = line.rect.top();
    return line;
}

void TextLines::setEmptyBaselines()
{
    // The baseline where text would stand: as on the first line of text of
    // the same height, else at a fifth of the height above the bottom.
    std::unordered_map<int, int> ascentOfHeight;
    bool any = false;
    for (const Line& line : lines)
        any = any || line.lineBreak >= 0;
    if (!any)
        return;
    for (const Line& text : lines) {
        if (text.lineBreak < 0)
            ascentOfHeight.emplace(text.rect.height(), text.baseline - text.rect.top());
    }
    for (Line& line : lines) {
        if (line.lineBreak < 0)
            continue;
        const int height = line.rect.height();
        const auto ascent = ascentOfHeight.find(height);
        line.baseline = line.rect.top() + (ascent != ascentOfHeight.end() ? ascent->second : height - height / 5);
    }
}

void TextLines::indexBreaks(const LayoutTree& tree)
{
    lineOfBreak.clear();
    for (size_t l = 0; l < lines.size(); ++l) {
        if (lines[l].lineBreak >= 0)
            lineOfBreak[tree.boxes[static_cast<size_t>(lines[l].lineBreak)].nodeId] = static_cast<int>(l);
    }
}

std::shared_ptr<const TextLines> TextLines::updated(const TextLines& old, const LayoutTree& tree, int from, int had,
                                                    int now, int boxFrom, int boxesHad, int boxesNow)
{
    auto lines = std::make_shared<TextLines>();
    const int morePieces = now - had;
    const int moreBoxes = boxesNow - boxesHad;
    // Where each of the old lines stands: before the part (0), in it (1),
    // after it (2); in that order.
    const auto placeOf = [&](const Line& line) {
        if (line.lineBreak >= 0)
            return line.lineBreak < boxFrom ? 0 : line.lineBreak < boxFrom + boxesHad ? 1 : 2;
        const int piece = old.entries[static_cast<size_t>(line.first)];
        return piece < from ? 0 : piece < from + had ? 1 : 2;
    };
    size_t before = 0;
    while (before < old.lines.size() && placeOf(old.lines[before]) == 0)
        ++before;
    size_t after = before;
    while (after < old.lines.size() && placeOf(old.lines[after]) == 1)
        ++after;
    for (size_t l = after; l < old.lines.size(); ++l) {
        if (placeOf(old.lines[l]) != 2)
            return nullptr;
    }
    // The entries before the part stay; then the part's own lines.
    size_t entriesBefore = 0;
    while (entriesBefore < old.entries.size() && old.entries[entriesBefore] < from)
        ++entriesBefore;
    size_t entriesAfter = entriesBefore;
    while (entriesAfter < old.entries.size() && old.entries[entriesAfter] < from + had)
        ++entriesAfter;
    lines->entries.reserve(old.entries.size() + static_cast<size_t>(std::max(0, morePieces)));
    lines->entries.assign(old.entries.begin(), old.entries.begin() + static_cast<std::ptrdiff_t>(entriesBefore));
    lines->lines.assign(old.lines.begin(), old.lines.begin() + static_cast<std::ptrdiff_t>(before));
    lines->findIn(tree, from, from + now);
    // The part's empty lines, among its lines of text in the page's order.
    std::vector<Line> empty;
    for (int b = boxFrom; b < boxFrom + boxesNow; ++b) {
        if (textlines_detail::isEmptyLineBreak(tree.boxes[static_cast<size_t>(b)]))
            empty.push_back(emptyLineAt(tree, b));
    }
    if (!empty.empty()) {
        std::vector<Line> part(lines->lines.begin() + static_cast<std::ptrdiff_t>(before), lines->lines.end());
        lines->lines.resize(before);
        size_t e = 0;
        for (const Line& line : part) {
            const int firstPiece = lines->entries[static_cast<size_t>(line.first)];
            while (e < empty.size() && tree.boxes[static_cast<size_t>(empty[e].lineBreak)].firstPiece <= firstPiece)
                lines->lines.push_back(empty[e++]);
            lines->lines.push_back(line);
        }
        while (e < empty.size())
            lines->lines.push_back(empty[e++]);
    }
    // The lines after it: their entries, boxes and words further along,
    // each line where its first word (or break) stands now.
    const int moreEntries = static_cast<int>(lines->entries.size()) - static_cast<int>(entriesAfter);
    for (size_t i = entriesAfter; i < old.entries.size(); ++i)
        lines->entries.push_back(old.entries[i] + morePieces);
    for (size_t l = after; l < old.lines.size(); ++l) {
        Line line = old.lines[l];
        const auto moved = [moreBoxes, boxFrom, boxesHad](int& box) {
            if (box >= boxFrom + boxesHad)
                box += moreBoxes;
        };
        moved(line.block);
        int top = 0;
        if (line.lineBreak >= 0) {
            moved(line.lineBreak);
            top = tree.boxes[static_cast<size_t>(line.lineBreak)].borderBox.top();
        } else {
            line.first += moreEntries;
            line.last += moreEntries;
            top = tree.pieces[static_cast<size_t>(lines->entries[static_cast<size_t>(line.first)])].box.top();
        }
        line.rect.translate(0, top - line.firstTop);
        line.baseline += top - line.firstTop;
        line.firstTop = top;
        lines->lines.push_back(line);
    }
    lines->lineOf.assign(lines->entries.size(), 0);
    for (size_t l = 0; l < lines->lines.size(); ++l) {
        const Line& line = lines->lines[l];
        for (int e = line.first; line.lineBreak < 0 && e <= line.last; ++e)
            lines->lineOf[static_cast<size_t>(e)] = static_cast<int>(l);
    }
    lines->setEmptyBaselines();
    lines->indexBreaks(tree);
    lines->indexByNode(tree);
    return lines;
}

} // namespace engine
