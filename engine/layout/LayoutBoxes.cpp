#include "engine/layout/LayoutBoxes.h"

#include "engine/layout/InParts.h"

#include <algorithm>

namespace engine {

namespace {

// Moves noted on a part at most before they are made at once.
constexpr size_t kMostMovesNoted = 16;

void moveIndexes(LayoutBox& b, int least, int by)
{
    if (b.parent >= least)
        b.parent += by;
    for (int& c : b.children) {
        if (c >= least)
            c += by;
    }
    if (b.order >= least)
        b.order += by;
}

void moveBoxDown(LayoutBox& b, int dy)
{
    b.borderBox.translate(0, dy);
    b.paddingBox.translate(0, dy);
    b.contentBox.translate(0, dy);
    for (QRect& r : b.lineBoxes)
        r.translate(0, dy);
}

} // namespace

namespace layoutboxes_detail {

// (A move that starts where the last one, a move forward, took the indexes
// at its start is one move with it: those it moved stand at `least` and
// after, those it left before. So a run of boxes that grows and shrinks
// back, an Enter, then the Backspace that joins the paragraphs again,
// leaves nothing to make on the boxes after it.)
void noteIndexMove(std::vector<std::pair<int, int>>& moves, int least, int by)
{
    if (by == 0)
        return;
    if (!moves.empty() && moves.back().second > 0 && moves.back().first + moves.back().second == least) {
        moves.back().second += by;
        if (moves.back().second == 0)
            moves.pop_back();
        return;
    }
    moves.emplace_back(least, by);
}

} // namespace layoutboxes_detail

size_t LayoutBoxes::itemsAPart()
{
    // (Tests that split every pass into short parts keep the boxes in short
    // parts too, so that edits meet the parts' edges.)
    const size_t least = layoutengine_detail::leastPartOfEveryPass().load(std::memory_order_relaxed);
    return least ? least : 2048;
}

void LayoutBoxes::settle(const Part& part)
{
    settleOnce(part, [](const Part& moved) {
        if (moved.dy == 0 && moved.piecesBy == 0 && moved.indexMoves.empty())
            return;
        for (LayoutBox& b : moved.items) {
            if (moved.dy != 0)
                moveBoxDown(b, moved.dy);
            b.firstPiece += moved.piecesBy;
            for (const auto& [least, by] : moved.indexMoves)
                moveIndexes(b, least, by);
        }
        moved.dy = 0;
        moved.piecesBy = 0;
        moved.indexMoves.clear();
    });
}

const LayoutBoxes::Part& LayoutBoxes::known(const Part& part)
{
    if (part.known)
        return part;
    settle(part);
    part.right = INT_MIN;
    part.bottom = INT_MIN;
    part.absolute = false;
    part.offLines = false;
    for (const LayoutBox& b : part.items) {
        part.right = std::max(part.right, b.borderBox.x() + b.borderBox.width());
        part.bottom = std::max(part.bottom, b.borderBox.y() + b.borderBox.height());
        part.absolute = part.absolute || b.absolute;
        part.offLines = part.offLines || (b.inlineLevel && b.lineBoxes.empty());
    }
    part.known = true;
    return part;
}

void LayoutBoxes::replace(size_t from, size_t to, std::vector<LayoutBox>&& boxes)
{
    Q_ASSERT(from <= to && to <= m_size);
    if (from == m_size) {
        for (LayoutBox& b : boxes)
            push_back(std::move(b));
        return;
    }
    replaceItems(from, to, std::move(boxes), [](Part&) {});
}

void LayoutBoxes::moveAlong(size_t from, int least, int by, int piecesBy)
{
    if (by == 0 && piecesBy == 0)
        return;
    inEachPart(from, m_size, [least, by, piecesBy](Part& part, size_t begin, size_t end) {
        if (begin == 0 && end == part.items.size() && part.indexMoves.size() < kMostMovesNoted) {
            // (Noted: made on its boxes when they are read.)
            part.piecesBy += piecesBy;
            layoutboxes_detail::noteIndexMove(part.indexMoves, least, by);
            part.unsettled.store(true, std::memory_order_release);
            return;
        }
        settle(part);
        for (size_t i = begin; i < end; ++i) {
            LayoutBox& b = part.items[i];
            b.firstPiece += piecesBy;
            moveIndexes(b, least, by);
        }
    });
}

void LayoutBoxes::moveDown(size_t from, size_t to, int dy, const std::function<bool(const LayoutBox&)>& stays)
{
    if (dy == 0)
        return;
    inEachPart(from, to, [&](Part& part, size_t begin, size_t end) {
        if (begin == 0 && end == part.items.size() && !known(part).offLines) {
            part.dy += dy;
            if (part.bottom != INT_MIN)
                part.bottom += dy;
            part.unsettled.store(true, std::memory_order_release);
            return;
        }
        settle(part);
        part.known = false;
        for (size_t i = begin; i < end; ++i) {
            LayoutBox& b = part.items[i];
            if (!(b.inlineLevel && b.lineBoxes.empty() && stays(b)))
                moveBoxDown(b, dy);
        }
    });
}

std::pair<int, int> LayoutBoxes::reach(size_t from, size_t to) const
{
    int right = INT_MIN;
    int bottom = INT_MIN;
    inEachPart(from, to, [&](Part& part, size_t begin, size_t end) {
        if (begin == 0 && end == part.items.size()) {
            right = std::max(right, known(part).right);
            bottom = std::max(bottom, part.bottom);
            return;
        }
        settle(part);
        for (size_t i = begin; i < end; ++i) {
            const QRect& box = part.items[i].borderBox;
            right = std::max(right, box.x() + box.width());
            bottom = std::max(bottom, box.y() + box.height());
        }
    });
    return {right, bottom};
}

std::vector<size_t> LayoutBoxes::absoluteIn(size_t from, size_t to) const
{
    std::vector<size_t> found;
    inEachPart(from, to, [&](Part& part, size_t begin, size_t end) {
        if (!known(part).absolute)
            return;
        for (size_t i = begin; i < end; ++i) {
            if (part.items[i].absolute)
                found.push_back(part.start + i);
        }
    });
    return found;
}

} // namespace engine
