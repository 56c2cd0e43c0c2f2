#pragma once

#include "engine/layout/LayoutBoxes.h"
#include "engine/layout/TextPieces.h"

#include <QRect>
#include <QString>

#include <atomic>
#include <cstddef>
#include <iterator>
#include <memory>
#include <utility>
#include <vector>

namespace engine {

// Node id -> the index of its box. Node ids are handed out from 0 up, one
// a node, so that the table is indexed by id. The table is kept in parts
// of a few thousand ids: an edit that moves the boxes along their list
// notes the move on each part, and a part's entries take the moves noted
// when one of them is next read. So an edit on a page of very many nodes
// does not pass over every entry.
// Reading is safe from several threads at once (as long as nothing
// changes the table meanwhile).
class BoxesByNode
{
public:
    using value_type = std::pair<int, int>; // node id, box index

    template <typename Slot> class Iterator
    {
    public:
        using iterator_category = std::forward_iterator_tag;
        using value_type = std::pair<int, int>;
        using difference_type = std::ptrdiff_t;
        using pointer = Slot*;
        using reference = Slot&;

        Iterator() = default;
        Iterator(Slot* at, Slot* end) : m_at(at), m_end(end) { skipEmpty(); }
        reference operator*() const { return *m_at; }
        pointer operator->() const { return m_at; }
        Iterator& operator++()
        {
            ++m_at;
            skipEmpty();
            return *this;
        }
        bool operator==(const Iterator& other) const { return m_at == other.m_at; }
        bool operator!=(const Iterator& other) const { return m_at != other.m_at; }

    private:
        void skipEmpty()
        {
            while (m_at != m_end && m_at->first < 0)
                ++m_at;
        }
        Slot* m_at = nullptr;
        Slot* m_end = nullptr;
    };
    using iterator = Iterator<value_type>;
    using const_iterator = Iterator<const value_type>;

    BoxesByNode() = default;
    BoxesByNode(const BoxesByNode& other) { *this = other; }
    BoxesByNode& operator=(const BoxesByNode& other);
    BoxesByNode(BoxesByNode&&) noexcept = default;
    BoxesByNode& operator=(BoxesByNode&&) noexcept = default;
    ~BoxesByNode() = default;

    // (Every entry takes the moves noted first.)
    iterator begin()
    {
        settleAll();
        return {m_slots.data(), m_slots.data() + m_slots.size()};
    }
    iterator end() { return {m_slots.data() + m_slots.size(), m_slots.data() + m_slots.size()}; }
    const_iterator begin() const
    {
        settleAll();
        return {m_slots.data(), m_slots.data() + m_slots.size()};
    }
    const_iterator end() const { return {m_slots.data() + m_slots.size(), m_slots.data() + m_slots.size()}; }

    iterator find(int nodeId)
    {
        if (!holds(nodeId))
            return end();
        settle(nodeId);
        return iterator(&m_slots[static_cast<size_t>(nodeId)], m_slots.data() + m_slots.size());
    }
    const_iterator find(int nodeId) const
    {
        if (!holds(nodeId))
            return end();
        settle(nodeId);
        return const_iterator(&m_slots[static_cast<size_t>(nodeId)], m_slots.data() + m_slots.size());
    }
    size_t count(int nodeId) const { return holds(nodeId) ? 1 : 0; }
    // (Throws std::out_of_range for a node without a box.)
    int at(int nodeId) const;
    // The entry of a node (0 when new); nodeId >= 0.
    int& operator[](int nodeId);
    void erase(int nodeId)
    {
        if (holds(nodeId)) {
            m_slots[static_cast<size_t>(nodeId)] = {-1, -1};
            --m_size;
        }
    }
    size_t size() const { return m_size; }
    bool empty() const { return m_size == 0; }
    void reserve(size_t nodeIds) { m_slots.reserve(nodeIds); }
    // Room for a few more node ids than it holds.
    void leaveRoom() { m_slots.reserve(m_slots.size() + m_slots.size() / 32); }
    // The boxes from `index` on moved `by` along their list: the entries
    // that name them follow.
    void moveAlong(int index, int by);
    void clear()
    {
        m_slots.clear();
        m_parts.clear();
        m_size = 0;
    }

private:
    // The moves noted on a part of the table, not yet made on its entries.
    struct Part
    {
        std::vector<std::pair<int, int>> moves; // (least, by) in turn, as moveAlong
        std::atomic<bool> unsettled{false};
    };

    bool holds(int nodeId) const
    {
        return nodeId >= 0 && static_cast<size_t>(nodeId) < m_slots.size() &&
               m_slots[static_cast<size_t>(nodeId)].first >= 0;
    }
    // Makes the moves noted on the part of the node's entry on its entries.
    void settle(int nodeId) const
    {
        const Part& part = *m_parts[static_cast<size_t>(nodeId) / m_slotsAPart];
        if (part.unsettled.load(std::memory_order_acquire))
            settlePart(static_cast<size_t>(nodeId) / m_slotsAPart);
    }
    void settlePart(size_t part) const;
    void settleAll() const;

    // (mutable: reading an entry makes the moves noted on its part.)
    mutable std::vector<value_type> m_slots;    // .first: the node id, -1 where no node has a box
    std::vector<std::unique_ptr<Part>> m_parts; // of m_slotsAPart slots each, the last of fewer
    size_t m_slotsAPart = 0;                    // chosen when the first slot is made
    size_t m_size = 0;
};

// Everything a layout produced that geometry, hit testing and text geometry
// read. Built after each layout; independent of the layout library.
struct LayoutTree
{
    LayoutBoxes boxes;  // in document order; boxes[0] is the root when not empty
    TextPieces pieces;  // in document order
    BoxesByNode byNode; // node id -> box index
    QSize canvas;       // extent of the page, positioned boxes included

    const LayoutBox* box(int nodeId) const
    {
        const auto it = byNode.find(nodeId);
        return it == byNode.end() ? nullptr : &boxes[static_cast<size_t>(it->second)];
    }
    // One past the last box of the subtree of boxes[index]: a subtree's
    // boxes follow its top in document order.
    int subtreeEnd(int index) const;
    // The words held by the boxes first .. end-1 (a subtree): they follow
    // each other in document order. As indexes in pieces, [first, second).
    std::pair<size_t, size_t> piecesWithin(int first, int end) const;
    // What the subtree of boxes[index] covers: its boxes, line fragments
    // and words (null when it covers nothing).
    QRect subtreeArea(int index) const;

    int indexOfHtmlId(const QString& id) const
    {
        for (size_t i = 0; i < boxes.size(); ++i) {
            if (boxes[i].htmlId == id)
                return static_cast<int>(i);
        }
        return -1;
    }
    const LayoutBox* boxByHtmlId(const QString& id) const
    {
        const int i = indexOfHtmlId(id);
        return i < 0 ? nullptr : &boxes[static_cast<size_t>(i)];
    }
    int indexOfTag(const QString& tag, int nth = 0) const
    {
        for (size_t i = 0; i < boxes.size(); ++i) {
            if (boxes[i].tag == tag && nth-- == 0)
                return static_cast<int>(i);
        }
        return -1;
    }
};

} // namespace engine
