#pragma once

#include <algorithm>
#include <atomic>
#include <cstddef>
#include <iterator>
#include <memory>
#include <mutex>
#include <type_traits>
#include <utility>
#include <vector>

namespace engine {

// Makes the moves noted on a part of a list (while `unsettled`), make(),
// once: by the first of the threads that read them.
template <typename Make> void settleOnce(std::atomic<bool>& unsettled, const Make& make)
{
    if (!unsettled.load(std::memory_order_acquire))
        return;
    // (Moves are rarely made by readers at once: one lock for every list.)
    static std::mutex settling;
    const std::lock_guard<std::mutex> lock(settling);
    if (!unsettled.load(std::memory_order_relaxed))
        return;
    make();
    unsettled.store(false, std::memory_order_release);
}

// An iterator over a list kept in parts (TextPieces, LayoutBoxes): an index
// in the list, each item read through the list's operator[] (which makes
// the moves noted on its part).
template <typename List, typename Item, bool Const> class PartsIterator
{
public:
    using iterator_category = std::random_access_iterator_tag;
    using value_type = Item;
    using difference_type = std::ptrdiff_t;
    using Of = std::conditional_t<Const, const List, List>;
    using reference = std::conditional_t<Const, const Item&, Item&>;
    using pointer = std::conditional_t<Const, const Item*, Item*>;

    PartsIterator() = default;
    PartsIterator(Of* list, size_t at) : m_list(list), m_at(at) {}
    reference operator*() const { return (*m_list)[m_at]; }
    pointer operator->() const { return &(*m_list)[m_at]; }
    reference operator[](difference_type n) const { return (*m_list)[m_at + static_cast<size_t>(n)]; }
    PartsIterator& operator++()
    {
        ++m_at;
        return *this;
    }
    PartsIterator operator++(int)
    {
        PartsIterator was = *this;
        ++m_at;
        return was;
    }
    PartsIterator& operator--()
    {
        --m_at;
        return *this;
    }
    PartsIterator operator--(int)
    {
        PartsIterator was = *this;
        --m_at;
        return was;
    }
    PartsIterator& operator+=(difference_type n)
    {
        m_at = static_cast<size_t>(static_cast<difference_type>(m_at) + n);
        return *this;
    }
    PartsIterator& operator-=(difference_type n) { return *this += -n; }
    friend PartsIterator operator+(PartsIterator it, difference_type n) { return it += n; }
    friend PartsIterator operator+(difference_type n, PartsIterator it) { return it += n; }
    friend PartsIterator operator-(PartsIterator it, difference_type n) { return it -= n; }
    friend difference_type operator-(const PartsIterator& a, const PartsIterator& b)
    {
        return static_cast<difference_type>(a.m_at) - static_cast<difference_type>(b.m_at);
    }
    friend bool operator==(const PartsIterator& a, const PartsIterator& b) { return a.m_at == b.m_at; }
    friend auto operator<=>(const PartsIterator& a, const PartsIterator& b) { return a.m_at <=> b.m_at; }

private:
    Of* m_list = nullptr;
    size_t m_at = 0;
};

// What TextPieces and LayoutBoxes share: a list of `Item`s kept in parts
// of `Derived::itemsAPart()` (each a `Part` with its `items` and its
// `start` in the list), whose moves each of them notes on its parts in its
// own way and makes in `Derived::settle(part)`.
template <typename Item, typename Part, typename Derived> class PartedList
{
public:
    using iterator = PartsIterator<Derived, Item, false>;
    using const_iterator = PartsIterator<Derived, Item, true>;

    size_t size() const { return m_size; }
    bool empty() const { return m_size == 0; }
    void reserve(size_t items) { m_parts.reserve(items / Derived::itemsAPart() + 1); }
    void clear()
    {
        m_parts.clear();
        m_size = 0;
    }
    // Every item, in order; the list is left empty.
    std::vector<Item> takeAll()
    {
        std::vector<Item> all;
        all.reserve(m_size);
        for (const auto& part : m_parts) {
            Derived::settle(*part);
            std::move(part->items.begin(), part->items.end(), std::back_inserter(all));
        }
        clear();
        return all;
    }
    const Item& operator[](size_t at) const
    {
        const Part& part = *m_parts[partOf(at)];
        if (part.unsettled.load(std::memory_order_acquire))
            Derived::settle(part);
        return part.items[at - part.start];
    }
    // (What the derived list knows of the part's items is found again
    // after a change through it.)
    Item& operator[](size_t at)
    {
        Part& part = *m_parts[partOf(at)];
        if (part.unsettled.load(std::memory_order_acquire))
            Derived::settle(part);
        Derived::mayChange(part);
        return part.items[at - part.start];
    }
    const Item& front() const { return (*this)[0]; }
    const Item& back() const { return (*this)[m_size - 1]; }
    iterator begin() { return {static_cast<Derived*>(this), 0}; }
    iterator end() { return {static_cast<Derived*>(this), m_size}; }
    const_iterator begin() const { return {static_cast<const Derived*>(this), 0}; }
    const_iterator end() const { return {static_cast<const Derived*>(this), m_size}; }

    // How many parts the items are kept in.
    size_t parts() const { return m_parts.size(); }

protected:
    PartedList() = default;
    PartedList(const PartedList& other) { *this = other; }
    PartedList& operator=(const PartedList& other)
    {
        if (this == &other)
            return *this;
        m_parts.clear();
        m_parts.reserve(other.m_parts.size());
        for (const auto& theirs : other.m_parts) {
            Derived::settle(*theirs);
            auto part = std::make_unique<Part>();
            part->items = theirs->items;
            part->start = theirs->start;
            Derived::copied(*part, *theirs);
            m_parts.push_back(std::move(part));
        }
        m_size = other.m_size;
        return *this;
    }
    PartedList(PartedList&&) noexcept = default;
    PartedList& operator=(PartedList&&) noexcept = default;
    ~PartedList() = default;

    // Makes the moves noted on the part on its items, make(part), once: by
    // the first of the threads that read them.
    template <typename Make> static void settleOnce(const Part& part, const Make& make)
    {
        engine::settleOnce(part.unsettled, [&] { make(part); });
    }

    // The part item `at` stands in (at < size()).
    size_t partOf(size_t at) const
    {
        // (Items are mostly read in order: the part last read on this
        // thread, or the next, before a search.)
        thread_local size_t last = 0;
        const size_t count = m_parts.size();
        if (last < count && m_parts[last]->start <= at) {
            if (at < m_parts[last]->start + m_parts[last]->items.size())
                return last;
            if (last + 1 < count && at < m_parts[last + 1]->start + m_parts[last + 1]->items.size())
                return ++last;
        }
        const auto after =
            std::upper_bound(m_parts.begin(), m_parts.end(), at,
                             [](size_t item, const std::unique_ptr<Part>& p) { return item < p->start; });
        last = static_cast<size_t>(after - m_parts.begin()) - 1;
        return last;
    }
    // The part to add an item to at the end (a new one when the last is
    // full), settled; the item is counted.
    Part& lastPartForOneMore()
    {
        if (m_parts.empty() || m_parts.back()->items.size() >= Derived::itemsAPart()) {
            auto part = std::make_unique<Part>();
            part->start = m_size;
            m_parts.push_back(std::move(part));
        }
        Part& part = *m_parts.back();
        Derived::settle(part);
        ++m_size;
        return part;
    }
    // The items [from, to) give way to `items` (from < size()): the parts
    // they stand in (where the new ones go when none is replaced) are made
    // again of what they keep and the new ones, madePart(part) told of
    // each, in parts of the usual length unless they fit in two; those
    // after them start further along.
    template <typename MadePart>
    void replaceItems(size_t from, size_t to, std::vector<Item>&& items, const MadePart& madePart)
    {
        const size_t first = partOf(from);
        const size_t last = to > from ? partOf(to - 1) : first;
        Part& head = *m_parts[first];
        Part& tail = *m_parts[last];
        Derived::settle(head);
        Derived::settle(tail);
        const size_t headKept = from - head.start;
        const size_t tailFrom = to - tail.start;
        const size_t most = Derived::itemsAPart();
        const size_t inOnePart = first == last ? head.items.size() - (tailFrom - headKept) + items.size() : 0;
        if (inOnePart > 0 && inOnePart <= 2 * most) {
            // Within one part that stays of a usual length, in place: only
            // the items after the new ones move, and once.
            replaceInPart(head, headKept, tailFrom, std::move(items));
            Derived::mayChange(head);
            madePart(head);
            startPartsFrom(first + 1);
            return;
        }
        std::vector<Item> joined;
        joined.reserve(headKept + items.size() + tail.items.size() - tailFrom);
        std::move(head.items.begin(), head.items.begin() + static_cast<std::ptrdiff_t>(headKept),
                  std::back_inserter(joined));
        std::move(items.begin(), items.end(), std::back_inserter(joined));
        std::move(tail.items.begin() + static_cast<std::ptrdiff_t>(tailFrom), tail.items.end(),
                  std::back_inserter(joined));
        std::vector<std::unique_ptr<Part>> parts;
        for (size_t at = 0; at < joined.size();) {
            const size_t count = joined.size() - at <= 2 * most ? joined.size() - at : most;
            auto part = std::make_unique<Part>();
            part->items.reserve(count);
            std::move(joined.begin() + static_cast<std::ptrdiff_t>(at),
                      joined.begin() + static_cast<std::ptrdiff_t>(at + count), std::back_inserter(part->items));
            madePart(*part);
            parts.push_back(std::move(part));
            at += count;
        }
        const auto begin = m_parts.begin() + static_cast<std::ptrdiff_t>(first);
        m_parts.erase(begin, begin + static_cast<std::ptrdiff_t>(last - first + 1));
        m_parts.insert(m_parts.begin() + static_cast<std::ptrdiff_t>(first), std::make_move_iterator(parts.begin()),
                       std::make_move_iterator(parts.end()));
        startPartsFrom(first);
    }
    // The part's items [begin, end) give way to `items`.
    static void replaceInPart(Part& part, size_t begin, size_t end, std::vector<Item>&& items)
    {
        auto& held = part.items;
        const auto at = held.begin() + static_cast<std::ptrdiff_t>(begin);
        const size_t had = end - begin;
        const size_t common = std::min(had, items.size());
        const auto more = items.begin() + static_cast<std::ptrdiff_t>(common);
        std::move(items.begin(), more, at);
        if (items.size() > had)
            held.insert(at + static_cast<std::ptrdiff_t>(had), std::make_move_iterator(more),
                        std::make_move_iterator(items.end()));
        else
            held.erase(at + static_cast<std::ptrdiff_t>(common), at + static_cast<std::ptrdiff_t>(had));
    }
    // The parts from `first` on start where the one before them ends.
    void startPartsFrom(size_t first)
    {
        size_t start = first == 0 ? 0 : m_parts[first - 1]->start + m_parts[first - 1]->items.size();
        for (size_t k = first; k < m_parts.size(); ++k) {
            m_parts[k]->start = start;
            start += m_parts[k]->items.size();
        }
        m_size = start;
    }
    // move(part, begin, end) for each part that holds items of [from, to),
    // with the part's [begin, end) of them.
    template <typename Move> void inEachPart(size_t from, size_t to, const Move& move) const
    {
        if (from >= std::min(to, m_size))
            return;
        for (size_t k = partOf(from); k < m_parts.size() && m_parts[k]->start < to; ++k) {
            Part& part = *m_parts[k];
            move(part, std::max(from, part.start) - part.start,
                 std::min(to, part.start + part.items.size()) - part.start);
        }
    }

    std::vector<std::unique_ptr<Part>> m_parts; // none empty
    size_t m_size = 0;
};

} // namespace engine
