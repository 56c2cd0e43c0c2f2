#include "engine/layout/LineList.h"

#include "engine/layout/InParts.h"

#include <algorithm>

namespace engine {

namespace {

// Moves noted on a part at most before they are made at once.
constexpr size_t kMostLineMovesNoted = 16;

void moveLineBoxes(TextLine& line, int least, int by)
{
    if (line.block >= least)
        line.block += by;
    if (line.lineBreak >= 0 && line.lineBreak >= least)
        line.lineBreak += by;
}

void moveLineDown(TextLine& line, int dy)
{
    line.rect.translate(0, dy);
    line.baseline += dy;
    line.firstTop += dy;
}

} // namespace

size_t LineList::itemsAPart()
{
    // (Tests that split every pass into short parts keep the lines in short
    // parts too, so that edits meet the parts' edges.)
    const size_t least = layoutengine_detail::leastPartOfEveryPass().load(std::memory_order_relaxed);
    return least ? least : 2048;
}

LineList::LineList(std::vector<TextLine>&& lines)
{
    reserve(lines.size());
    for (const TextLine& line : lines)
        push_back(line);
}

void LineList::settle(const Part& part)
{
    settleOnce(part, [](const Part& moved) {
        for (TextLine& line : moved.items) {
            if (line.lineBreak < 0) {
                line.first += moved.entriesBy;
                line.last += moved.entriesBy;
            }
            for (const auto& [least, by] : moved.boxMoves)
                moveLineBoxes(line, least, by);
            if (moved.dy != 0)
                moveLineDown(line, moved.dy);
        }
        moved.entriesBy = 0;
        moved.boxMoves.clear();
        moved.dy = 0;
    });
}

void LineList::copied(Part& part, const Part& theirs)
{
    part.leastBox = theirs.leastBox;
    part.mostBox = theirs.mostBox;
    part.empty = theirs.empty;
    part.known = theirs.known;
}

void LineList::counted(Part& part, const TextLine& line)
{
    part.leastBox = std::min(part.leastBox, line.block);
    part.mostBox = std::max(part.mostBox, line.block);
    if (line.lineBreak >= 0) {
        ++part.empty;
        part.leastBox = std::min(part.leastBox, line.lineBreak);
        part.mostBox = std::max(part.mostBox, line.lineBreak);
    }
}

void LineList::findBounds(Part& part)
{
    settle(part);
    part.leastBox = INT_MAX;
    part.mostBox = INT_MIN;
    part.empty = 0;
    for (const TextLine& line : part.items)
        counted(part, line);
    part.known = true;
}

void LineList::push_back(const TextLine& line)
{
    Part& part = lastPartForOneMore();
    if (part.known)
        counted(part, line);
    part.items.push_back(line);
}

void LineList::replace(size_t from, size_t to, std::vector<TextLine>&& lines)
{
    Q_ASSERT(from <= to && to <= m_size);
    if (from == m_size) {
        for (const TextLine& line : lines)
            push_back(line);
        return;
    }
    if (from == to && lines.empty())
        return;
    replaceItems(from, to, std::move(lines), [](Part& part) { findBounds(part); });
}

void LineList::moveAfter(size_t from, const Move& move, const std::function<int(const TextLine&)>& topOf)
{
    inEachPart(from, m_size, [&](Part& part, size_t begin, size_t end) {
        if (!part.known)
            findBounds(part);
        // The boxes the part's lines name, moved.
        const bool none = part.mostBox < move.least;
        const bool all = part.leastBox >= move.least;
        const int least = none  ? part.leastBox
                          : all ? part.leastBox + move.boxesBy
                                : std::min(part.leastBox, move.least + move.boxesBy);
        const int most = none  ? part.mostBox
                         : all ? part.mostBox + move.boxesBy
                               : std::max(part.mostBox + move.boxesBy, move.least - 1);
        const bool shifted = least >= move.shiftedFrom && most < move.shiftedTo;
        if (begin == 0 && end == part.items.size() && shifted &&
            (none || all || part.boxMoves.size() < kMostLineMovesNoted)) {
            // (Noted: made on its lines when they are read. Moves of every
            // box the part names are made as one.)
            const bool moves = !none && move.boxesBy != 0;
            const bool joined = all && !part.boxMoves.empty() && part.boxMoves.back().first == INT_MIN;
            if (moves && !joined && part.boxMoves.size() >= kMostLineMovesNoted)
                settle(part);
            part.entriesBy += move.entriesBy;
            if (moves && all && !part.boxMoves.empty() && part.boxMoves.back().first == INT_MIN)
                part.boxMoves.back().second += move.boxesBy;
            else if (moves)
                part.boxMoves.emplace_back(all ? INT_MIN : move.least, move.boxesBy);
            part.dy += move.dy;
            part.leastBox = least;
            part.mostBox = most;
            part.unsettled.store(true, std::memory_order_release);
            return;
        }
        settle(part);
        for (size_t k = begin; k < end; ++k) {
            TextLine& line = part.items[k];
            moveLineBoxes(line, move.least, move.boxesBy);
            if (line.lineBreak < 0) {
                line.first += move.entriesBy;
                line.last += move.entriesBy;
            }
            const int placedBy = line.lineBreak >= 0 ? line.lineBreak : line.block;
            // (The words of a block that moved stand where they stood,
            // moved by as much: not read again, one by one.)
            const int top =
                placedBy >= move.shiftedFrom && placedBy < move.shiftedTo ? line.firstTop + move.dy : topOf(line);
            moveLineDown(line, top - line.firstTop);
        }
        findBounds(part);
    });
}

void LineList::forEachEmpty(const std::function<void(size_t, const TextLine&)>& found) const
{
    inEachPart(0, m_size, [&](Part& part, size_t, size_t) {
        if (!part.known)
            findBounds(part);
        if (part.empty == 0)
            return;
        settle(part);
        for (size_t k = 0; k < part.items.size(); ++k) {
            if (part.items[k].lineBreak >= 0)
                found(part.start + k, part.items[k]);
        }
    });
}

bool LineList::anyEmpty() const
{
    bool any = false;
    inEachPart(0, m_size, [&](Part& part, size_t, size_t) {
        if (!part.known)
            findBounds(part);
        any = any || part.empty > 0;
    });
    return any;
}

} // namespace engine
