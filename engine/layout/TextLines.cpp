#include "engine/layout/TextLines.h"

#include "engine/layout/LayoutTree.h"

#include <algorithm>
#include <atomic>
#include <climits>
#include <cstdint>
#include <utility>

namespace engine {

namespace textlines_detail {

// A break laid out as a block one line high: it ends an empty line.
bool isEmptyLineBreak(const LayoutBox& box)
{
    return !box.inlineLevel && box.nodeId >= 0 && box.borderBox.height() > 0 && box.tag.size() == 2 &&
           box.tag == QLatin1String("BR");
}

} // namespace textlines_detail

namespace {

std::uint64_t nextVersion()
{
    static std::atomic<std::uint64_t> versions{0};
    return ++versions;
}

} // namespace

std::shared_ptr<const TextLines> TextLines::of(const LayoutTree& tree)
{
    auto lines = std::make_shared<TextLines>();
    lines->version = nextVersion();
    // (Found in plain lists, then kept in parts.)
    Found found;
    found.entries.reserve(tree.pieces.size());
    found.lineOf.reserve(tree.pieces.size());
    findIn(tree, 0, static_cast<int>(tree.pieces.size()), found);
    addEmptyLines(tree, 0, static_cast<int>(tree.boxes.size()), found);
    setEmptyBaselines(found.lines);
    lines->indexByNode(tree, found.entries);
    lines->entries = IndexList(found.entries);
    lines->lineOf = IndexList(found.lineOf);
    for (size_t l = 0; l < found.lines.size(); ++l) {
        if (found.lines[l].lineBreak >= 0)
            lines->lineOfBreak[tree.boxes[static_cast<size_t>(found.lines[l].lineBreak)].nodeId] = static_cast<int>(l);
    }
    lines->lines = LineList(std::move(found.lines));
    return lines;
}

void TextLines::findIn(const LayoutTree& tree, int from, int to, Found& found)
{
    std::vector<int>& entries = found.entries;
    std::vector<Line>& lines = found.lines;
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
        found.lineOf.push_back(static_cast<int>(lines.size()) - 1);
    }
}

void TextLines::indexByNode(const LayoutTree& tree, const std::vector<int>& entries)
{
    // Counted per node, then placed (a long page has a million words).
    std::vector<int> nodeOfEntry(entries.size());
    int last = -1;
    for (size_t e = 0; e < entries.size(); ++e) {
        nodeOfEntry[e] = tree.pieces[static_cast<size_t>(entries[e])].textNodeId;
        last = std::max(last, nodeOfEntry[e]);
    }
    // (With room for the text nodes edits add: the first that adds one
    // does not move the list elsewhere.)
    nodeEntriesStart.reserve((static_cast<size_t>(last) + 2) * 33 / 32);
    nodeEntriesStart.assign(static_cast<size_t>(last) + 2, 0);
    for (const int n : nodeOfEntry)
        ++nodeEntriesStart[static_cast<size_t>(n) + 1];
    for (size_t n = 1; n < nodeEntriesStart.size(); ++n)
        nodeEntriesStart[n] += nodeEntriesStart[n - 1];
    std::vector<int> next(nodeEntriesStart.begin(), nodeEntriesStart.end() - 1);
    std::vector<int> byNode(entries.size());
    for (size_t e = 0; e < entries.size(); ++e)
        byNode[static_cast<size_t>(next[static_cast<size_t>(nodeOfEntry[e])]++)] = static_cast<int>(e);
    entriesByNode = IndexList(byNode);
}

void TextLines::addEmptyLines(const LayoutTree& tree, int from, int to, Found& found)
{
    // A break that ends an empty line is laid out as a block one line high:
    // its box is the line.
    std::vector<Line> empty;
    for (int b = from; b < to; ++b) {
        if (textlines_detail::isEmptyLineBreak(tree.boxes[static_cast<size_t>(b)]))
            empty.push_back(emptyLineAt(tree, b));
    }
    if (empty.empty())
        return;
    std::vector<Line> text = std::move(found.lines);
    std::vector<int> moved(text.size());
    std::vector<Line>& merged = found.lines;
    merged.clear();
    merged.reserve(text.size() + empty.size());
    size_t e = 0;
    for (size_t l = 0; l < text.size(); ++l) {
        const int firstPiece = found.entries[static_cast<size_t>(text[l].first)];
        while (e < empty.size() && tree.boxes[static_cast<size_t>(empty[e].lineBreak)].firstPiece <= firstPiece)
            merged.push_back(empty[e++]);
        moved[l] = static_cast<int>(merged.size());
        merged.push_back(text[l]);
    }
    while (e < empty.size())
        merged.push_back(empty[e++]);
    for (int& line : found.lineOf)
        line = moved[static_cast<size_t>(line)];
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

template <typename Lines> void TextLines::setEmptyBaselines(Lines& lines)
{
    // The baseline where text would stand: as on the first line of text of
    // the same height, else at a fifth of the height above the bottom.
    std::unordered_map<int, int> ascentOfHeight;
    bool any = false;
    for (const Line& line : std::as_const(lines))
        any = any || line.lineBreak >= 0;
    if (!any)
        return;
    for (const Line& text : std::as_const(lines)) {
        if (text.lineBreak < 0)
            ascentOfHeight.emplace(text.rect.height(), text.baseline - text.rect.top());
    }
    for (size_t l = 0; l < lines.size(); ++l) {
        if (std::as_const(lines)[l].lineBreak < 0)
            continue;
        Line& line = lines[l];
        const int height = line.rect.height();
        const auto ascent = ascentOfHeight.find(height);
        line.baseline = line.rect.top() + (ascent != ascentOfHeight.end() ? ascent->second : height - height / 5);
    }
}

void TextLines::indexBreaks(const LayoutTree& tree)
{
    lineOfBreak.clear();
    lines.forEachEmpty([&](size_t l, const Line& line) {
        lineOfBreak[tree.boxes[static_cast<size_t>(line.lineBreak)].nodeId] = static_cast<int>(l);
    });
}

std::shared_ptr<const TextLines> TextLines::updated(std::shared_ptr<const TextLines> old, const LayoutTree& tree,
                                                    int from, int had, int now, int boxFrom, int boxesHad, int boxesNow,
                                                    const Shifted* shifted)
{
    if (!old)
        return nullptr;
    const int morePieces = now - had;
    const int moreBoxes = boxesNow - boxesHad;
    // Where each of the old lines stands: before the part (0), in it (1),
    // after it (2); in that order.
    const auto placeOf = [&](const Line& line) {
        if (line.lineBreak >= 0)
            return line.lineBreak < boxFrom ? 0 : line.lineBreak < boxFrom + boxesHad ? 1 : 2;
        const int piece = old->entries[static_cast<size_t>(line.first)];
        return piece < from ? 0 : piece < from + had ? 1 : 2;
    };
    const LineList& oldLines = old->lines;
    const auto placedBelow = [&](int place) {
        return static_cast<size_t>(std::partition_point(oldLines.begin(), oldLines.end(),
                                                        [&](const Line& line) { return placeOf(line) < place; }) -
                                   oldLines.begin());
    };
    // (Found by halves. The lines of text stand in the order of their
    // words: those nearest the edges of the part are looked at, and every
    // empty line.)
    const size_t before = placedBelow(1);
    const size_t after = placedBelow(2);
    const auto placedAt = [&](size_t l) { return l < before ? 0 : l < after ? 1 : 2; };
    const auto textLinesFit = [&](size_t edge) {
        for (size_t l = edge; l > 0; --l) {
            if (oldLines[l - 1].lineBreak < 0) {
                if (placeOf(oldLines[l - 1]) != placedAt(l - 1))
                    return false;
                break;
            }
        }
        for (size_t l = edge; l < oldLines.size(); ++l) {
            if (oldLines[l].lineBreak < 0)
                return placeOf(oldLines[l]) == placedAt(l);
        }
        return true;
    };
    bool inOrder = textLinesFit(before) && textLinesFit(after);
    if (inOrder) {
        oldLines.forEachEmpty([&](size_t l, const Line& line) { inOrder = inOrder && placeOf(line) == placedAt(l); });
    }
    if (!inOrder)
        return nullptr;
    // The entries of the part, [entriesBefore, entriesAfter): the lines
    // before it hold only entries before it, those after it only entries
    // after it.
    const IndexList& oldEntries = old->entries;
    const auto [entriesBefore, entriesAfter] = entriesWithin(oldEntries, from, from + had);
    for (size_t l = before; l > 0; --l) {
        if (oldLines[l - 1].lineBreak < 0) {
            if (oldLines[l - 1].last >= static_cast<int>(entriesBefore))
                return nullptr;
            break;
        }
    }
    for (size_t l = after; l < oldLines.size(); ++l) {
        if (oldLines[l].lineBreak < 0) {
            if (oldLines[l].first < static_cast<int>(entriesAfter))
                return nullptr;
            break;
        }
    }

    // The part's own lines, found as if the page began with it.
    Found part;
    findIn(tree, from, from + now, part);
    addEmptyLines(tree, boxFrom, boxFrom + boxesNow, part);
    const bool emptyInPart =
        std::any_of(part.lines.begin(), part.lines.end(), [](const Line& line) { return line.lineBreak >= 0; });
    const int partEntries = static_cast<int>(part.entries.size());
    for (Line& line : part.lines) {
        if (line.lineBreak < 0) {
            line.first += static_cast<int>(entriesBefore);
            line.last += static_cast<int>(entriesBefore);
        }
    }
    for (int& line : part.lineOf)
        line += static_cast<int>(before);
    const int moreEntries = partEntries - static_cast<int>(entriesAfter - entriesBefore);
    const int moreLines = static_cast<int>(part.lines.size()) - static_cast<int>(after - before);

    std::shared_ptr<TextLines> lines = toChange(std::move(old));
    if (!lines->replaceEntriesByNode(tree, static_cast<int>(entriesBefore), static_cast<int>(entriesAfter),
                                     part.entries))
        return nullptr;

    // The entries and lines: the part's in place of the old ones, those
    // after it further along, each line where its first word (or break)
    // stands now. (Those after it moved a part of the list at a time.)
    const bool breaksBefore = !lines->lineOfBreak.empty();
    lines->entries.addFrom(entriesAfter, morePieces);
    lines->entries.replace(entriesBefore, entriesAfter, std::move(part.entries));
    lines->lineOf.addFrom(entriesAfter, moreLines);
    lines->lineOf.replace(entriesBefore, entriesAfter, std::move(part.lineOf));
    LineList::Move move;
    move.entriesBy = moreEntries;
    move.least = boxFrom + boxesHad;
    move.boxesBy = moreBoxes;
    if (shifted) {
        move.shiftedFrom = shifted->from;
        move.shiftedTo = shifted->to;
        move.dy = shifted->dy;
    }
    const IndexList& entries = lines->entries;
    lines->lines.moveAfter(after, move, [&tree, &entries](const Line& line) {
        return line.lineBreak >= 0
                   ? tree.boxes[static_cast<size_t>(line.lineBreak)].borderBox.top()
                   : tree.pieces[static_cast<size_t>(entries[static_cast<size_t>(line.first)])].box.top();
    });
    lines->lines.replace(before, after, std::move(part.lines));
    // (Without breaks there are no empty lines to place.)
    if (breaksBefore || emptyInPart) {
        setEmptyBaselines(lines->lines);
        lines->indexBreaks(tree);
    }
    return lines;
}

std::pair<size_t, size_t> TextLines::entriesWithin(const IndexList& entries, int from, int to)
{
    const auto begin = std::lower_bound(entries.begin(), entries.end(), from);
    const auto end = std::lower_bound(begin, entries.end(), to);
    return {static_cast<size_t>(begin - entries.begin()), static_cast<size_t>(end - entries.begin())};
}

std::shared_ptr<TextLines> TextLines::toChange(std::shared_ptr<const TextLines> old)
{
    std::shared_ptr<TextLines> lines =
        old.use_count() == 1 ? std::const_pointer_cast<TextLines>(std::move(old)) : std::make_shared<TextLines>(*old);
    lines->version = nextVersion();
    return lines;
}

bool TextLines::replaceEntriesByNode(const LayoutTree& tree, int oldFirst, int oldEnd, const std::vector<int>& part)
{
    // The per-node index: the entries of the nodes the part held before or
    // holds now replaced; those after the part further along.
    struct Touched
    {
        int node;
        size_t from; // the node's entries of the part, [from, to) in entriesByNode
        size_t to;
        std::vector<int> now;
    };
    std::vector<Touched> touched;
    IndexList& byNode = entriesByNode;
    std::vector<int>& starts = nodeEntriesStart;
    {
        const auto nodeAt = [&starts](size_t k) {
            return static_cast<int>(std::upper_bound(starts.begin(), starts.end(), static_cast<int>(k)) -
                                    starts.begin()) -
                   1;
        };
        // (Where the part's entries stand: looked for only in the parts of
        // the index that may hold them.)
        for (const size_t k : byNode.placesOf(oldFirst, oldEnd)) {
            if (!touched.empty() && touched.back().to == k &&
                static_cast<int>(k) < starts[static_cast<size_t>(touched.back().node) + 1]) {
                ++touched.back().to;
                continue;
            }
            const int node = nodeAt(k);
            if (!touched.empty() && touched.back().node == node)
                return false; // (a node's entries are in the page's order)
            touched.push_back({node, k, k + 1, {}});
        }
        byNode.moveAlong(oldEnd, static_cast<int>(part.size()) - (oldEnd - oldFirst));
        // Nodes whose words the part holds now: theirs go where entries of
        // the part stood, or between those before and after it.
        for (int e = 0; e < static_cast<int>(part.size()); ++e) {
            const int node = tree.pieces[static_cast<size_t>(part[static_cast<size_t>(e)])].textNodeId;
            auto it = std::lower_bound(touched.begin(), touched.end(), node,
                                       [](const Touched& t, int n) { return t.node < n; });
            if (it == touched.end() || it->node != node) {
                size_t at = starts.empty() ? 0 : static_cast<size_t>(starts.back());
                if (node + 1 < static_cast<int>(starts.size())) {
                    const auto begin = byNode.begin() + starts[static_cast<size_t>(node)];
                    const auto end = byNode.begin() + starts[static_cast<size_t>(node) + 1];
                    // (Those after the part are further along already.)
                    at = static_cast<size_t>(std::lower_bound(begin, end, oldFirst) - byNode.begin());
                }
                it = touched.insert(it, {node, at, at, {}});
            }
            it->now.push_back(oldFirst + e);
        }
    }
    {
        if (!touched.empty() && touched.back().node + 2 > static_cast<int>(starts.size()))
            starts.resize(static_cast<size_t>(touched.back().node) + 2, starts.empty() ? 0 : starts.back());
        int shift = 0;
        for (size_t t = 0; t < touched.size(); ++t) {
            shift += static_cast<int>(touched[t].now.size()) - static_cast<int>(touched[t].to - touched[t].from);
            const size_t end = t + 1 < touched.size() ? static_cast<size_t>(touched[t + 1].node) + 1 : starts.size();
            for (size_t n = static_cast<size_t>(touched[t].node) + 1; n < end; ++n)
                starts[n] += shift;
        }
        for (auto t = touched.rbegin(); t != touched.rend(); ++t)
            byNode.replace(t->from, t->to, std::move(t->now));
        // As long as its last node with words.
        while (starts.size() >= 2 && starts[starts.size() - 2] == starts.back())
            starts.pop_back();
        if (starts.empty())
            starts.push_back(0);
    }

    return true;
}

std::shared_ptr<const TextLines> TextLines::updatedWithinLine(std::shared_ptr<const TextLines> old,
                                                              const LayoutTree& tree, int from, int had, int now,
                                                              int block)
{
    if (!old)
        return nullptr;
    const IndexList& oldEntries = old->entries;
    const auto [entriesBefore, entriesAfter] = entriesWithin(oldEntries, from, from + had);
    // The block's line: that of the words before the part, or after it.
    int at = -1;
    for (const size_t e : {entriesBefore - 1, entriesAfter}) {
        if (at < 0 && e < oldEntries.size()) {
            const int l = old->lineOf[e];
            if (old->lines[static_cast<size_t>(l)].block == block)
                at = l;
        }
    }
    if (at < 0)
        return nullptr;
    Line line = old->lines[static_cast<size_t>(at)];
    Found part;
    findIn(tree, from, from + now, part);
    const int moreEntries = static_cast<int>(part.entries.size()) - static_cast<int>(entriesAfter - entriesBefore);
    if (line.lineBreak >= 0 || line.first > static_cast<int>(entriesBefore) ||
        line.last + 1 < static_cast<int>(entriesAfter) || line.last + moreEntries < line.first ||
        std::any_of(part.entries.begin(), part.entries.end(),
                    [&](int p) { return tree.pieces[static_cast<size_t>(p)].owner != block; }))
        return nullptr;

    std::shared_ptr<TextLines> lines = toChange(std::move(old));
    if (!lines->replaceEntriesByNode(tree, static_cast<int>(entriesBefore), static_cast<int>(entriesAfter),
                                     part.entries))
        return nullptr;
    const size_t partEntries = part.entries.size();
    lines->entries.addFrom(entriesAfter, now - had);
    lines->entries.replace(entriesBefore, entriesAfter, std::move(part.entries));
    lines->lineOf.replace(entriesBefore, entriesAfter, std::vector<int>(partEntries, at));
    // The line's words stand along it, of its one height: it reaches from
    // its first word to its last.
    line.last += moreEntries;
    const IndexList& entries = lines->entries;
    const TextPiece& first = tree.pieces[static_cast<size_t>(entries[static_cast<size_t>(line.first)])];
    const TextPiece& last = tree.pieces[static_cast<size_t>(entries[static_cast<size_t>(line.last)])];
    line.rect = first.box.united(last.box);
    line.baseline = std::max(first.baseline, last.baseline);
    for (size_t e = entriesBefore; e < entriesBefore + partEntries; ++e) {
        const TextPiece& p = tree.pieces[static_cast<size_t>(entries[e])];
        line.rect = line.rect.united(p.box);
        line.baseline = std::max(line.baseline, p.baseline);
    }
    line.firstTop = first.box.top();
    lines->lines.replace(static_cast<size_t>(at), static_cast<size_t>(at) + 1, {line});
    LineList::Move move;
    move.entriesBy = moreEntries;
    move.least = INT_MAX;
    move.shiftedFrom = INT_MIN;
    move.shiftedTo = INT_MAX;
    lines->lines.moveAfter(static_cast<size_t>(at) + 1, move, [](const Line&) { return 0; });
    return lines;
}

} // namespace engine
