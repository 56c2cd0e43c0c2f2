#include "engine/layout/ContentExtent.h"

#include "engine/layout/LayoutElements.h"

#include <algorithm>

namespace engine {

namespace contentextent_detail {

// What `el` and everything in it add to the layout library's extent of the
// page, in page coordinates.
litehtml::size extentOf(litehtml::element& el)
{
    const litehtml::position at = layoutelements_detail::placementOf(el);
    const litehtml::position& own = el.get_position();
    litehtml::size size;
    el.calc_document_size(size, at.x - own.x, at.y - own.y);
    return size;
}

// What the box of `el` alone adds.
litehtml::size boxExtentOf(litehtml::element& el)
{
    const litehtml::position at = layoutelements_detail::placementOf(el);
    const litehtml::position& own = el.get_position();
    litehtml::size size;
    if (el.is_visible())
        el.litehtml::element::calc_document_size(size, at.x - own.x, at.y - own.y);
    return size;
}

void widen(litehtml::size& size, const litehtml::size& by)
{
    size.width = std::max(size.width, by.width);
    size.height = std::max(size.height, by.height);
}

} // namespace contentextent_detail

std::unique_ptr<ContentExtent> ContentExtent::of(const std::shared_ptr<litehtml::element>& cell)
{
    using namespace contentextent_detail;
    // The layout library counts what stands in the boxes around the cell:
    // the page's extent is the cell's content's and the rest's.
    std::vector<std::shared_ptr<litehtml::element>> path;
    for (auto a = cell; a; a = a->parent()) {
        if (!a->is_visible() || a->get_element_position() == litehtml::element_position_fixed ||
            a->get_overflow() != litehtml::overflow_visible)
            return nullptr;
        path.push_back(a);
    }
    const auto& root = path.back();
    if (root->content_margins_top() || root->content_margins_bottom() || root->content_margins_left() ||
        root->content_margins_right())
        return nullptr;
    // Nothing in the table follows the cell (it would move with it).
    for (size_t i = 1; i < path.size(); ++i) {
        bool after = false;
        for (const auto& child : childrenOf(*path[i])) {
            if (after && !child->is_white_space() && !child->is_comment() &&
                child->get_display() != litehtml::display_none)
                return nullptr;
            after = after || child.get() == path[i - 1].get();
        }
        const auto d = path[i]->get_display();
        if (d == litehtml::display_table || d == litehtml::display_inline_table)
            break;
    }
    auto extent = std::unique_ptr<ContentExtent>(new ContentExtent);
    extent->m_cell = cell;
    // Everything but the cell's content, the boxes around it (whose
    // extents follow from their boxes) and the root (stretched to it).
    for (size_t i = path.size() - 1; i > 0; --i) {
        const litehtml::element* next = path[i - 1].get();
        for (const auto& child : childrenOf(*path[i])) {
            if (child.get() != next)
                widen(extent->m_outside, extentOf(*child));
        }
    }
    extent->m_around.assign(path.begin(), path.end() - 1);
    const auto& children = childrenOf(*cell);
    const int count = static_cast<int>(children.size());
    extent->m_index.reserve(children.size());
    extent->m_leaves.reserve(children.size());
    for (int i = 0; i < count; ++i) {
        extent->m_index.emplace(children[static_cast<size_t>(i)].get(), i);
        extent->m_leaves.push_back(extentOf(*children[static_cast<size_t>(i)]));
    }
    if (count > 0) {
        extent->m_nodes.resize(static_cast<size_t>(4 * count));
        extent->build(1, 0, count);
    }
    extent->m_leaves.clear();
    extent->m_leaves.shrink_to_fit();
    return extent;
}

void ContentExtent::build(int node, int from, int to)
{
    Node& n = m_nodes[static_cast<size_t>(node)];
    if (to - from == 1) {
        n.bottom = m_leaves[static_cast<size_t>(from)].height;
        n.right = m_leaves[static_cast<size_t>(from)].width;
        return;
    }
    const int middle = (from + to) / 2;
    build(2 * node, from, middle);
    build(2 * node + 1, middle, to);
    n.bottom =
        std::max(m_nodes[static_cast<size_t>(2 * node)].bottom, m_nodes[static_cast<size_t>(2 * node + 1)].bottom);
    n.right = std::max(m_nodes[static_cast<size_t>(2 * node)].right, m_nodes[static_cast<size_t>(2 * node + 1)].right);
}

void ContentExtent::pushDown(int node)
{
    Node& n = m_nodes[static_cast<size_t>(node)];
    if (n.add == 0)
        return;
    for (const int child : {2 * node, 2 * node + 1}) {
        Node& c = m_nodes[static_cast<size_t>(child)];
        c.bottom += n.add;
        c.add += n.add;
    }
    n.add = 0;
}

void ContentExtent::set(int node, int from, int to, int at, int bottom, int right)
{
    Node& n = m_nodes[static_cast<size_t>(node)];
    if (to - from == 1) {
        n.bottom = bottom;
        n.right = right;
        return;
    }
    pushDown(node);
    const int middle = (from + to) / 2;
    if (at < middle)
        set(2 * node, from, middle, at, bottom, right);
    else
        set(2 * node + 1, middle, to, at, bottom, right);
    n.bottom =
        std::max(m_nodes[static_cast<size_t>(2 * node)].bottom, m_nodes[static_cast<size_t>(2 * node + 1)].bottom);
    n.right = std::max(m_nodes[static_cast<size_t>(2 * node)].right, m_nodes[static_cast<size_t>(2 * node + 1)].right);
}

void ContentExtent::addFrom(int node, int from, int to, int at, int dy)
{
    Node& n = m_nodes[static_cast<size_t>(node)];
    if (to <= at)
        return;
    if (from >= at) {
        n.bottom += dy;
        if (to - from > 1)
            n.add += dy;
        return;
    }
    pushDown(node);
    const int middle = (from + to) / 2;
    addFrom(2 * node, from, middle, at, dy);
    addFrom(2 * node + 1, middle, to, at, dy);
    n.bottom =
        std::max(m_nodes[static_cast<size_t>(2 * node)].bottom, m_nodes[static_cast<size_t>(2 * node + 1)].bottom);
}

bool ContentExtent::update(const litehtml::element& block, int dy)
{
    using namespace contentextent_detail;
    // The child of the cell the block is or stands in.
    const litehtml::element* child = &block;
    while (child && child->parent().get() != m_cell.get())
        child = child->parent().get();
    const auto found = child ? m_index.find(child) : m_index.end();
    if (found == m_index.end())
        return false;
    const int count = static_cast<int>(m_index.size());
    const litehtml::size now = extentOf(const_cast<litehtml::element&>(*child));
    set(1, 0, count, found->second, now.height, now.width);
    if (dy != 0)
        addFrom(1, 0, count, found->second + 1, dy);
    return true;
}

void ContentExtent::collect(int node, int from, int to, std::vector<litehtml::size>& out)
{
    const Node& n = m_nodes[static_cast<size_t>(node)];
    if (to - from == 1) {
        litehtml::size leaf;
        leaf.width = n.right;
        leaf.height = n.bottom;
        out.push_back(leaf);
        return;
    }
    pushDown(node);
    const int middle = (from + to) / 2;
    collect(2 * node, from, middle, out);
    collect(2 * node + 1, middle, to, out);
}

bool ContentExtent::replace(const litehtml::element& parent, size_t at,
                            const std::vector<std::shared_ptr<litehtml::element>>& removed, size_t added, int dy)
{
    using namespace contentextent_detail;
    if (&parent != m_cell.get())
        return update(parent, dy);
    const auto& children = childrenOf(*m_cell);
    const size_t had = m_index.size();
    if (had < removed.size() || children.size() != had - removed.size() + added || at + added > children.size())
        return false;
    // The children before the run as they were, the run's measured, those
    // after it lower by dy.
    std::vector<litehtml::size> leaves;
    leaves.reserve(had);
    if (had > 0)
        collect(1, 0, static_cast<int>(had), leaves);
    m_leaves.clear();
    m_leaves.reserve(children.size());
    m_leaves.insert(m_leaves.end(), leaves.begin(), leaves.begin() + static_cast<std::ptrdiff_t>(at));
    for (size_t i = at; i < at + added; ++i)
        m_leaves.push_back(extentOf(*children[i]));
    for (size_t i = at + removed.size(); i < had; ++i) {
        litehtml::size leaf = leaves[i];
        leaf.height += dy;
        m_leaves.push_back(leaf);
    }
    for (const auto& el : removed)
        m_index.erase(el.get());
    for (size_t i = at; i < children.size(); ++i)
        m_index[children[i].get()] = static_cast<int>(i);
    const int count = static_cast<int>(children.size());
    m_nodes.assign(static_cast<size_t>(4 * std::max(count, 1)), Node{});
    if (count > 0)
        build(1, 0, count);
    else
        m_nodes.clear();
    m_leaves.clear();
    return true;
}

litehtml::size ContentExtent::extent(litehtml::size view)
{
    using namespace contentextent_detail;
    litehtml::size size = m_outside;
    if (!m_nodes.empty()) {
        litehtml::size content;
        content.width = m_nodes[1].right;
        content.height = m_nodes[1].bottom;
        widen(size, content);
    }
    for (const auto& around : m_around)
        widen(size, boxExtentOf(*around));
    if (const auto root = m_around.back()->parent()) {
        root->get_position().height = std::max(size.height, view.height);
        root->get_position().width = std::max(size.width, view.width);
    }
    return size;
}

} // namespace engine
