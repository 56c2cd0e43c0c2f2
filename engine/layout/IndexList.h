#pragma once

#include "engine/layout/PartedList.h"

#include <atomic>
#include <climits>
#include <cstddef>
#include <utility>
#include <vector>

namespace engine {

namespace indexlist_detail {

// A part of an IndexList.
struct Part
{
    mutable std::vector<int> items;                 // less the moves noted below, while unsettled
    size_t start = 0;                               // where its indexes start in the list
    mutable std::vector<std::pair<int, int>> moves; // (least, by) in turn, as IndexList::moveAlong
    mutable std::atomic<bool> unsettled{false};
    // Its lowest and highest index (moves noted included), when known.
    int least = INT_MAX;
    int most = INT_MIN;
    bool known = true;
};

} // namespace indexlist_detail

// A list of indexes into another list (of words, of lines), kept in parts
// of a few thousand. When the other list changes, the indexes past the
// change are moved along a part at a time: the move is noted on the part
// and made on its indexes when they are next read. So an edit of a long
// page does not pass over every index after it.
// Reading is safe from several threads at once (as long as nothing
// changes the list meanwhile).
class IndexList : public PartedList<int, indexlist_detail::Part, IndexList>
{
public:
    IndexList() = default;
    explicit IndexList(const std::vector<int>& indexes);
    IndexList(const IndexList&) = default;
    IndexList& operator=(const IndexList&) = default;
    IndexList(IndexList&&) noexcept = default;
    IndexList& operator=(IndexList&&) noexcept = default;

    void push_back(int index);
    // The indexes [from, to) give way to `indexes`.
    void replace(size_t from, size_t to, std::vector<int>&& indexes);
    // Every index from `from` on is `by` more.
    void addFrom(size_t from, int by);
    // Every index of at least `least` is `by` further along.
    void moveAlong(int least, int by);
    // Where the indexes in [least, end) stand, in the list's order.
    std::vector<size_t> placesOf(int least, int end) const;

    friend bool operator==(const IndexList& a, const IndexList& b);

private:
    friend class PartedList<int, indexlist_detail::Part, IndexList>;
    using Part = indexlist_detail::Part;

    static void mayChange(Part& part) { part.known = false; }
    // Makes the moves noted on the part on its indexes.
    static void settle(const Part& part);
    static void copied(Part& part, const Part& theirs);
    // The part's lowest and highest index, found again when not known.
    static void findBounds(Part& part);
    // Moves the indexes [begin, end) of the part of at least `least` by
    // `by` (least INT_MIN: all of them): noted for a whole part, made at
    // once on a piece of one.
    static void move(Part& part, size_t begin, size_t end, int least, int by);
    // The indexes of a part are at most this many, at least half as many
    // unless the list is short or where an edit left them.
    static size_t itemsAPart();
};

} // namespace engine
