#include "engine/layout/TextLines.h"

#include "engine/layout/InParts.h"
#include "engine/layout/LayoutTree.h"

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <iterator>

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

// Replaces list[from, to) by [first, last), moving what follows once.
template <typename T, typename It> void replaceRange(std::vector<T>& list, size_t from, size_t to, It first, It last)
{
    const size_t had = to - from;
    const size_t now = static_cast<size_t>(std::distance(first, last));
    if (now > had)
        list.insert(list.begin() + static_cast<std::ptrdiff_t>(to), now - had, T{});
    else if (now < had)
        list.erase(list.begin() + static_cast<std::ptrdiff_t>(from + now),
                   list.begin() + static_cast<std::ptrdiff_t>(to));
    std::copy(first, last, list.begin() + static_cast<std::ptrdiff_t>(from));
}

std::uint64_t nextVersion()
{
    static std::atomic<std::uint64_t> versions{0};
    return ++versions;
}

// Parts of the passes over every word or line of a long page worth a
// thread (each step of them is a few instructions): about a millisecond of
// work each, see LayoutEngine's.
constexpr size_t kEntriesAPart = 256 * 1024;
constexpr size_t kLinesAPart = 64 * 1024;

// Adds `more` to list[from..]: in parts at once on a long page.
void addFrom(std::vector<int>& list, size_t from, int more)
{
    if (more == 0)
        return;
    int* const values = list.data();
    layoutengine_detail::inParts(from, list.size(), kEntriesAPart, [values, more](size_t first, size_t end) {
        for (size_t i = first; i < end; ++i)
            values[i] += more;
    });
}

} // namespace

std::shared_ptr<const TextLines> TextLines::of(const LayoutTree& tree)
{
    auto lines = std::make_shared<TextLines>();
    lines->version = nextVersion();
    lines->find(tree);
    lines->indexByNode(tree);
    lines->addEmptyLines(tree);
    // (With room for the lines and text nodes edits add, as for the words.)
    lines->lines.reserve(lines->lines.size() + lines->lines.size() / 32);
    lines->nodeEntriesStart.reserve(lines->nodeEntriesStart.size() + lines->nodeEntriesStart.size() / 32);
    return lines;
}

void TextLines::find(const LayoutTree& tree)
{
    // (With room for the words edits add: the first that adds one does not
    // move every list of a long page elsewhere.)
    const size_t room = tree.pieces.size() + tree.pieces.size() / 32;
    entries.reserve(room);
    lineOf.reserve(room);
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
    entriesByNode.reserve(entries.capacity());
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
    // (Found by halves, then every line looked at in parts at once: they
    // must stand in that order.)
    const auto placedBelow = [&](int place) {
        return static_cast<size_t>(std::partition_point(old->lines.begin(), old->lines.end(),
                                                        [&](const Line& line) { return placeOf(line) < place; }) -
                                   old->lines.begin());
    };
    const size_t before = placedBelow(1);
    const size_t after = placedBelow(2);
    std::atomic<bool> inOrder{true};
    layoutengine_detail::inParts(0, old->lines.size(), kLinesAPart, [&](size_t first, size_t end) {
        for (size_t l = first; l < end && inOrder.load(std::memory_order_relaxed); ++l) {
            if (placeOf(old->lines[l]) != (l < before ? 0 : l < after ? 1 : 2))
                inOrder = false;
        }
    });
    if (!inOrder)
        return nullptr;
    // The entries of the part, [entriesBefore, entriesAfter): the lines
    // before it hold only entries before it, those after it only entries
    // after it.
    const size_t entriesBefore =
        static_cast<size_t>(std::lower_bound(old->entries.begin(), old->entries.end(), from) - old->entries.begin());
    const size_t entriesAfter =
        static_cast<size_t>(std::lower_bound(old->entries.begin() + static_cast<std::ptrdiff_t>(entriesBefore),
                                             old->entries.end(), from + had) -
                            old->entries.begin());
    const auto lastTextLine = [&](size_t end, size_t begin) {
        for (size_t l = end; l > begin; --l) {
            if (old->lines[l - 1].lineBreak < 0)
                return static_cast<int>(l - 1);
        }
        return -1;
    };
    if (const int l = lastTextLine(before, 0);
        l >= 0 && old->lines[static_cast<size_t>(l)].last >= static_cast<int>(entriesBefore))
        return nullptr;
    for (size_t l = after; l < old->lines.size(); ++l) {
        if (old->lines[l].lineBreak < 0) {
            if (old->lines[l].first < static_cast<int>(entriesAfter))
                return nullptr;
            break;
        }
    }

    // The part's own lines, found as if the page began with it.
    TextLines part;
    part.findIn(tree, from, from + now);
    std::vector<Line> empty;
    for (int b = boxFrom; b < boxFrom + boxesNow; ++b) {
        if (textlines_detail::isEmptyLineBreak(tree.boxes[static_cast<size_t>(b)]))
            empty.push_back(emptyLineAt(tree, b));
    }
    if (!empty.empty()) {
        // Its empty lines among its lines of text, in the page's order.
        std::vector<Line> text = std::move(part.lines);
        std::vector<int> moved(text.size());
        part.lines.clear();
        size_t e = 0;
        for (size_t l = 0; l < text.size(); ++l) {
            const int firstPiece = part.entries[static_cast<size_t>(text[l].first)];
            while (e < empty.size() && tree.boxes[static_cast<size_t>(empty[e].lineBreak)].firstPiece <= firstPiece)
                part.lines.push_back(empty[e++]);
            moved[l] = static_cast<int>(part.lines.size());
            part.lines.push_back(text[l]);
        }
        while (e < empty.size())
            part.lines.push_back(empty[e++]);
        for (int& line : part.lineOf)
            line = moved[static_cast<size_t>(line)];
    }
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

    // The old lines changed where they are when nobody else holds them.
    std::shared_ptr<TextLines> lines =
        old.use_count() == 1 ? std::const_pointer_cast<TextLines>(std::move(old)) : std::make_shared<TextLines>(*old);
    old.reset();
    lines->version = nextVersion();

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
    {
        std::vector<int>& byNode = lines->entriesByNode;
        const std::vector<int>& starts = lines->nodeEntriesStart;
        const int oldFirst = static_cast<int>(entriesBefore);
        const int oldEnd = static_cast<int>(entriesAfter);
        const auto nodeAt = [&starts](size_t k) {
            return static_cast<int>(std::upper_bound(starts.begin(), starts.end(), static_cast<int>(k)) -
                                    starts.begin()) -
                   1;
        };
        // (One pass over every word of the page, in parts at once: kept
        // tight. Each part notes the runs of entries of the part it meets,
        // joined after.)
        int* const entriesOfNodes = byNode.data();
        std::atomic<bool> inOrder{true};
        std::vector<std::vector<Touched>> runs = layoutengine_detail::inPartsInOrder<std::vector<Touched>>(
            0, byNode.size(), kEntriesAPart, [&](size_t first, size_t end) {
                std::vector<Touched> met;
                for (size_t k = first; k < end; ++k) {
                    const int e = entriesOfNodes[k];
                    if (e >= oldEnd) {
                        entriesOfNodes[k] = e + moreEntries;
                    } else if (e >= oldFirst) {
                        const bool sameNode = !met.empty() && met.back().to == k &&
                                              static_cast<int>(k) < starts[static_cast<size_t>(met.back().node) + 1];
                        if (!sameNode) {
                            const int node = nodeAt(k);
                            if (!met.empty() && met.back().node == node)
                                inOrder = false; // (a node's entries are in the page's order)
                            met.push_back({node, k, k + 1, {}});
                        } else {
                            ++met.back().to;
                        }
                    }
                }
                return met;
            });
        if (!inOrder)
            return nullptr;
        for (std::vector<Touched>& met : runs) {
            for (Touched& t : met) {
                if (!touched.empty() && touched.back().node == t.node) {
                    // (A node's entries cut where the parts meet.)
                    if (touched.back().to != t.from)
                        return nullptr;
                    touched.back().to = t.to;
                    continue;
                }
                touched.push_back(std::move(t));
            }
        }
        std::sort(touched.begin(), touched.end(), [](const Touched& a, const Touched& b) { return a.node < b.node; });
        // Nodes whose words the part holds now: theirs go where entries of
        // the part stood, or between those before and after it.
        for (int e = 0; e < partEntries; ++e) {
            const int node = tree.pieces[static_cast<size_t>(part.entries[static_cast<size_t>(e)])].textNodeId;
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
        std::vector<int>& byNode = lines->entriesByNode;
        std::vector<int>& starts = lines->nodeEntriesStart;
        if (!touched.empty() && touched.back().node + 2 > static_cast<int>(starts.size()))
            starts.resize(static_cast<size_t>(touched.back().node) + 2, starts.empty() ? 0 : starts.back());
        for (auto t = touched.rbegin(); t != touched.rend(); ++t)
            replaceRange(byNode, t->from, t->to, t->now.begin(), t->now.end());
        int shift = 0;
        for (size_t t = 0; t < touched.size(); ++t) {
            shift += static_cast<int>(touched[t].now.size()) - static_cast<int>(touched[t].to - touched[t].from);
            const size_t end = t + 1 < touched.size() ? static_cast<size_t>(touched[t + 1].node) + 1 : starts.size();
            for (size_t n = static_cast<size_t>(touched[t].node) + 1; n < end; ++n)
                starts[n] += shift;
        }
        // As long as its last node with words.
        while (starts.size() >= 2 && starts[starts.size() - 2] == starts.back())
            starts.pop_back();
        if (starts.empty())
            starts.push_back(0);
    }

    // The entries and lines: the part's in place of the old ones, those
    // after it further along, each line where its first word (or break)
    // stands now.
    // (Passes over every word after the part: kept tight.)
    const bool breaksBefore = !lines->lineOfBreak.empty();
    replaceRange(lines->entries, entriesBefore, entriesAfter, part.entries.begin(), part.entries.end());
    addFrom(lines->entries, entriesBefore + part.entries.size(), morePieces);
    replaceRange(lines->lineOf, entriesBefore, entriesAfter, part.lineOf.begin(), part.lineOf.end());
    addFrom(lines->lineOf, entriesBefore + part.lineOf.size(), moreLines);
    replaceRange(lines->lines, before, after, part.lines.begin(), part.lines.end());
    const auto moveLines = [&](size_t first, size_t end) {
        const auto moved = [moreBoxes, boxFrom, boxesHad](int& box) {
            if (box >= boxFrom + boxesHad)
                box += moreBoxes;
        };
        for (size_t l = first; l < end; ++l) {
            Line& line = lines->lines[l];
            moved(line.block);
            int top = 0;
            if (line.lineBreak >= 0) {
                moved(line.lineBreak);
                top = tree.boxes[static_cast<size_t>(line.lineBreak)].borderBox.top();
            } else {
                line.first += moreEntries;
                line.last += moreEntries;
                // (The words of a block that moved stand where they stood,
                // moved by as much: not read again, one by one.)
                top = shifted && line.block >= shifted->from && line.block < shifted->to
                          ? line.firstTop + shifted->dy
                          : tree.pieces[static_cast<size_t>(lines->entries[static_cast<size_t>(line.first)])].box.top();
            }
            line.rect.translate(0, top - line.firstTop);
            line.baseline += top - line.firstTop;
            line.firstTop = top;
        }
    };
    layoutengine_detail::inParts(before + part.lines.size(), lines->lines.size(), kLinesAPart, moveLines);
    // (Without breaks there are no empty lines to place.)
    if (breaksBefore || !empty.empty()) {
        lines->setEmptyBaselines();
        lines->indexBreaks(tree);
    }
    return lines;
}

} // namespace engine
