#include "engine/layout/LayoutTree.h"

#include "engine/layout/InParts.h"

#include <algorithm>
#include <stdexcept>

namespace engine {

namespace layouttree_detail {

// Moves noted on a part of the table at most before they are made at once.
constexpr size_t kMostMovesNoted = 16;

} // namespace layouttree_detail

BoxesByNode& BoxesByNode::operator=(const BoxesByNode& other)
{
    if (this == &other)
        return *this;
    other.settleAll();
    m_slots = other.m_slots;
    m_slotsAPart = other.m_slotsAPart;
    m_size = other.m_size;
    m_parts.clear();
    for (size_t k = 0; k < other.m_parts.size(); ++k)
        m_parts.push_back(std::make_unique<Part>());
    return *this;
}

int BoxesByNode::at(int nodeId) const
{
    if (!holds(nodeId))
        throw std::out_of_range("no box of the node");
    settle(nodeId);
    return m_slots[static_cast<size_t>(nodeId)].second;
}

int& BoxesByNode::operator[](int nodeId)
{
    const size_t at = static_cast<size_t>(nodeId);
    if (at >= m_slots.size()) {
        if (m_slots.empty() || m_slotsAPart == 0) {
            // (Tests that split every pass into short parts keep the table
            // in short parts too.)
            const size_t least = layoutengine_detail::leastPartOfEveryPass().load(std::memory_order_relaxed);
            m_slotsAPart = least ? least : 4096;
        }
        m_slots.resize(at + 1, {-1, -1});
        while (m_parts.size() * m_slotsAPart < m_slots.size())
            m_parts.push_back(std::make_unique<Part>());
    }
    settle(nodeId);
    value_type& slot = m_slots[at];
    if (slot.first < 0) {
        slot = {nodeId, 0};
        ++m_size;
    }
    return slot.second;
}

void BoxesByNode::settlePart(size_t k) const
{
    Part& part = *m_parts[k];
    settleOnce(part.unsettled, [&] {
        const size_t end = std::min(m_slots.size(), (k + 1) * m_slotsAPart);
        for (size_t i = k * m_slotsAPart; i < end; ++i) {
            value_type& slot = m_slots[i];
            if (slot.first < 0)
                continue;
            for (const auto& [least, by] : part.moves) {
                if (slot.second >= least)
                    slot.second += by;
            }
        }
        part.moves.clear();
    });
}

void BoxesByNode::settleAll() const
{
    for (size_t k = 0; k < m_parts.size(); ++k)
        settlePart(k);
}

void BoxesByNode::moveAlong(int index, int by)
{
    for (size_t k = 0; k < m_parts.size(); ++k) {
        Part& part = *m_parts[k];
        if (part.moves.size() >= layouttree_detail::kMostMovesNoted)
            settlePart(k);
        layoutboxes_detail::noteIndexMove(part.moves, index, by);
        part.unsettled.store(!part.moves.empty(), std::memory_order_release);
    }
}

int LayoutTree::subtreeEnd(int index) const
{
    int last = index;
    while (!boxes[static_cast<size_t>(last)].children.empty())
        last = boxes[static_cast<size_t>(last)].children.back();
    return last + 1;
}

std::pair<size_t, size_t> LayoutTree::piecesWithin(int first, int end) const
{
    const auto inside = [first, end](const TextPiece& p) { return p.owner >= first && p.owner < end; };
    // (None of them stands before the first box's first one.)
    const size_t from =
        first >= 0 && static_cast<size_t>(first) < boxes.size()
            ? std::min(static_cast<size_t>(std::max(0, boxes[static_cast<size_t>(first)].firstPiece)), pieces.size())
            : 0;
    const auto begin = std::find_if(pieces.begin() + static_cast<std::ptrdiff_t>(from), pieces.end(), inside);
    // (They stand together, before those of the box after the last: found
    // by halves, a long paragraph holds very many.)
    const size_t limit = end >= 0 && static_cast<size_t>(end) < boxes.size()
                             ? std::clamp(static_cast<size_t>(std::max(0, boxes[static_cast<size_t>(end)].firstPiece)),
                                          static_cast<size_t>(begin - pieces.begin()), pieces.size())
                             : pieces.size();
    auto stop = std::partition_point(begin, pieces.begin() + static_cast<std::ptrdiff_t>(limit), inside);
    if (stop != pieces.end() && inside(*stop))
        stop = std::find_if_not(stop, pieces.end(), inside);
    return {static_cast<size_t>(begin - pieces.begin()), static_cast<size_t>(stop - pieces.begin())};
}

QRect LayoutTree::subtreeArea(int index) const
{
    QRect area;
    const auto cover = [&area](const QRect& r) {
        if (!r.isEmpty())
            area = area.isNull() ? r : area.united(r);
    };
    const int end = subtreeEnd(index);
    for (int i = index; i < end; ++i) {
        const LayoutBox& b = boxes[static_cast<size_t>(i)];
        cover(b.borderBox);
        for (const QRect& r : b.lineBoxes)
            cover(r);
    }
    const auto [first, stop] = piecesWithin(index, end);
    for (size_t i = first; i < stop; ++i)
        cover(pieces[i].box);
    return area;
}

} // namespace engine
