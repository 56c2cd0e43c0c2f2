#include "engine/layout/IndexList.h"

#include "engine/layout/InParts.h"

#include <algorithm>

namespace engine {

namespace {

// Moves noted on a part at most before they are made at once.
constexpr size_t kMostIndexMovesNoted = 16;

} // namespace

size_t IndexList::itemsAPart()
{
    // (Tests that split every pass into short parts keep the indexes in
    // short parts too, so that edits meet the parts' edges.)
    const size_t least = layoutengine_detail::leastPartOfEveryPass().load(std::memory_order_relaxed);
    return least ? least : 4096;
}

IndexList::IndexList(const std::vector<int>& indexes)
{
    reserve(indexes.size());
    for (const int i : indexes)
        push_back(i);
}

void IndexList::settle(const Part& part)
{
    settleOnce(part, [](const Part& moved) {
        for (const auto& [least, by] : moved.moves) {
            if (least == INT_MIN) {
                for (int& i : moved.items)
                    i += by;
                continue;
            }
            for (int& i : moved.items) {
                if (i >= least)
                    i += by;
            }
        }
        moved.moves.clear();
    });
}

void IndexList::copied(Part& part, const Part& theirs)
{
    part.least = theirs.least;
    part.most = theirs.most;
    part.known = theirs.known;
}

void IndexList::findBounds(Part& part)
{
    settle(part);
    const auto [least, most] = std::minmax_element(part.items.begin(), part.items.end());
    part.least = least == part.items.end() ? INT_MAX : *least;
    part.most = most == part.items.end() ? INT_MIN : *most;
    part.known = true;
}

void IndexList::push_back(int index)
{
    Part& part = lastPartForOneMore();
    if (part.known) {
        part.least = std::min(part.least, index);
        part.most = std::max(part.most, index);
    }
    part.items.push_back(index);
}

void IndexList::replace(size_t from, size_t to, std::vector<int>&& indexes)
{
    Q_ASSERT(from <= to && to <= m_size);
    if (from == m_size) {
        for (const int i : indexes)
            push_back(i);
        return;
    }
    if (from == to && indexes.empty())
        return;
    replaceItems(from, to, std::move(indexes), [](Part& part) { findBounds(part); });
}

void IndexList::move(Part& part, size_t begin, size_t end, int least, int by)
{
    if (!part.known)
        findBounds(part);
    if (part.most < least)
        return;
    const bool all = least == INT_MIN || part.least >= least;
    if (begin == 0 && end == part.items.size() && (all || part.moves.size() < kMostIndexMovesNoted)) {
        // (Noted: made on its indexes when they are read. Moves of every
        // index of the part are made as one.)
        if (all && !part.moves.empty() && part.moves.back().first == INT_MIN)
            part.moves.back().second += by;
        else if (all && part.moves.size() < kMostIndexMovesNoted)
            part.moves.emplace_back(INT_MIN, by);
        else if (!all)
            part.moves.emplace_back(least, by);
        else {
            settle(part);
            part.moves.emplace_back(INT_MIN, by);
        }
        // (Bounds of what the moved indexes may be.)
        if (all) {
            part.least += by;
            part.most += by;
        } else {
            part.least = std::min(part.least, least + by);
            part.most = std::max(part.most + by, least - 1);
        }
        part.unsettled.store(true, std::memory_order_release);
        return;
    }
    settle(part);
    for (size_t k = begin; k < end; ++k) {
        if (part.items[k] >= least)
            part.items[k] += by;
    }
    findBounds(part);
}

void IndexList::addFrom(size_t from, int by)
{
    if (by == 0)
        return;
    inEachPart(from, m_size, [by](Part& part, size_t begin, size_t end) { move(part, begin, end, INT_MIN, by); });
}

void IndexList::moveAlong(int least, int by)
{
    if (by == 0)
        return;
    inEachPart(0, m_size, [least, by](Part& part, size_t begin, size_t end) { move(part, begin, end, least, by); });
}

std::vector<size_t> IndexList::placesOf(int least, int end) const
{
    std::vector<size_t> places;
    inEachPart(0, m_size, [&](Part& part, size_t, size_t) {
        if (!part.known)
            findBounds(part);
        if (part.most < least || part.least >= end)
            return;
        settle(part);
        for (size_t k = 0; k < part.items.size(); ++k) {
            if (part.items[k] >= least && part.items[k] < end)
                places.push_back(part.start + k);
        }
    });
    return places;
}

bool operator==(const IndexList& a, const IndexList& b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin());
}

} // namespace engine
