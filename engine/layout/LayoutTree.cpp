#include "engine/layout/LayoutTree.h"

#include "engine/layout/InParts.h"

#include <algorithm>
#include <stdexcept>

namespace engine {

int BoxesByNode::at(int nodeId) const
{
    if (!holds(nodeId))
        throw std::out_of_range("no box of the node");
    return m_slots[static_cast<size_t>(nodeId)].second;
}

int& BoxesByNode::operator[](int nodeId)
{
    const size_t at = static_cast<size_t>(nodeId);
    if (at >= m_slots.size())
        m_slots.resize(at + 1, {-1, -1});
    value_type& slot = m_slots[at];
    if (slot.first < 0) {
        slot = {nodeId, 0};
        ++m_size;
    }
    return slot.second;
}

void BoxesByNode::moveAlong(int index, int by)
{
    // (One pass over every node of the page: in parts at once on a long one.)
    constexpr size_t kSlotsAPart = 64 * 1024;
    value_type* const entries = m_slots.data();
    layoutengine_detail::inParts(0, m_slots.size(), kSlotsAPart, [entries, index, by](size_t first, size_t end) {
        for (size_t i = first; i < end; ++i) {
            if (entries[i].first >= 0 && entries[i].second >= index)
                entries[i].second += by;
        }
    });
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
