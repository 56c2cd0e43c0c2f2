#pragma once

#include <litehtml/litehtml.h>

#include <memory>
#include <vector>

namespace engine {

// The layout elements of a page by node id. The layout serializer numbers
// the nodes it writes from 0 up, so the table is a row indexed by id (a
// long page's tens of thousands of elements are noted in each layout);
// ids outside the numbers a page can have are not kept.
class ElementTable
{
public:
    void set(int id, const std::shared_ptr<litehtml::element>& el)
    {
        if (id < 0 || id >= kMostIds)
            return;
        if (static_cast<size_t>(id) >= m_elements.size())
            m_elements.resize(std::max(static_cast<size_t>(id) + 1, m_elements.size() * 2));
        m_elements[static_cast<size_t>(id)] = el;
    }
    // Null when the id has no element (or it is gone).
    std::shared_ptr<litehtml::element> find(int id) const
    {
        return id >= 0 && static_cast<size_t>(id) < m_elements.size() ? m_elements[static_cast<size_t>(id)].lock()
                                                                      : nullptr;
    }
    // Forgets `el`, noted under `id`, which left the layout (another
    // element noted there since stays).
    void forget(int id, const litehtml::element* el)
    {
        if (id >= 0 && static_cast<size_t>(id) < m_elements.size() &&
            m_elements[static_cast<size_t>(id)].lock().get() == el)
            m_elements[static_cast<size_t>(id)].reset();
    }
    void clear() { m_elements.clear(); }
    // Room for ids below `count`.
    void reserve(size_t count) { m_elements.reserve(count); }
    size_t capacity() const { return m_elements.capacity(); }

    // (Far more than the nodes of the largest page the program opens.)
    static constexpr int kMostIds = 1 << 26;

private:
    std::vector<std::weak_ptr<litehtml::element>> m_elements;
};

} // namespace engine
