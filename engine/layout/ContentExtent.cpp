#include "engine/layout/ContentExtent.h"

#include "engine/layout/InParts.h"
#include "engine/layout/LayoutElements.h"

#include <algorithm>
#include <climits>

namespace engine {

namespace contentextent_detail {

// What `el` and everything in it add to the layout library's extent of the
// page, in page coordinates; `origin`: where its parent's content stands
// (see placementOf).
litehtml::size extentOf(litehtml::element& el, const litehtml::position& origin)
{
    const bool fixed = el.get_element_position() == litehtml::element_position_fixed;
    litehtml::size size;
    layoutelements_detail::addDocumentSize(el, size, fixed ? 0 : origin.x, fixed ? 0 : origin.y);
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

thread_local long walked = 0;

// Children of the cell worth a thread of their own to measure.
constexpr size_t kChildrenAPart = 1024;

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
        const litehtml::position origin = layoutelements_detail::placementOf(*path[i]);
        for (const auto& child : childrenOf(*path[i])) {
            if (child.get() != next)
                widen(extent->m_outside, extentOf(*child, origin));
        }
    }
    extent->m_around.assign(path.begin(), path.end() - 1);
    ++walked;
    // (Each child's boxes walked: on a long page, in parts at once. The
    // cell's place is found once: each child asking for the boxes around
    // it, on several threads, would take turns at their counts.)
    const auto& children = childrenOf(*cell);
    const litehtml::position origin = layoutelements_detail::placementOf(*cell);
    std::vector<litehtml::size> leaves(children.size());
    layoutengine_detail::inParts(0, children.size(), kChildrenAPart, [&](size_t first, size_t end) {
        for (size_t i = first; i < end; ++i)
            leaves[i] = extentOf(*children[i], origin);
    });
    extent->splice(0, 0, leaves);
    return extent;
}

long ContentExtent::pagesWalked()
{
    return contentextent_detail::walked;
}

namespace contentextent_detail {

// How many children a part holds at most (it is split beyond).
constexpr size_t kPart = 512;

} // namespace contentextent_detail

void ContentExtent::Part::measure()
{
    bottom = INT_MIN;
    right = INT_MIN;
    for (const litehtml::size& leaf : leaves) {
        bottom = std::max(bottom, leaf.height);
        right = std::max(right, leaf.width);
    }
}

int ContentExtent::placeOf(const litehtml::element& child)
{
    const auto& children = childrenOf(*m_cell);
    if (children.size() != m_count)
        return -1;
    // Edits follow one another closely: looked for around the last one's.
    const size_t count = children.size();
    const size_t start = std::min(m_lastAt, count);
    for (size_t d = 0; d <= count; ++d) {
        const bool below = start + d < count;
        const bool above = d > 0 && d <= start;
        if (!below && !above)
            break;
        if (below && children[start + d].get() == &child)
            return static_cast<int>(m_lastAt = start + d);
        if (above && children[start - d].get() == &child)
            return static_cast<int>(m_lastAt = start - d);
    }
    return -1;
}

std::pair<size_t, size_t> ContentExtent::partOf(size_t at) const
{
    size_t p = 0;
    while (p + 1 < m_parts.size() && at >= m_parts[p].leaves.size()) {
        at -= m_parts[p].leaves.size();
        ++p;
    }
    return {p, at};
}

void ContentExtent::addFrom(size_t at, int dy)
{
    if (dy == 0 || at >= m_count)
        return;
    const auto [first, inPart] = partOf(at);
    Part& part = m_parts[first];
    for (size_t i = inPart; i < part.leaves.size(); ++i)
        part.leaves[i].height += dy;
    part.measure();
    for (size_t p = first + 1; p < m_parts.size(); ++p)
        m_parts[p].add += dy;
}

void ContentExtent::splice(size_t at, size_t count, const std::vector<litehtml::size>& fresh)
{
    using contentextent_detail::kPart;
    if (m_parts.empty())
        m_parts.emplace_back();
    auto [p, inPart] = partOf(at);
    // Those taken out (they may span parts).
    for (size_t left = count, q = p, from = inPart; left > 0 && q < m_parts.size(); ++q, from = 0) {
        auto& leaves = m_parts[q].leaves;
        const size_t n = std::min(left, leaves.size() - from);
        leaves.erase(leaves.begin() + static_cast<std::ptrdiff_t>(from),
                     leaves.begin() + static_cast<std::ptrdiff_t>(from + n));
        left -= n;
        m_parts[q].measure();
    }
    m_count -= count;
    // Those put in, in the part the first taken out stood in (its bottoms
    // are kept less what was added to them).
    Part& into = m_parts[p];
    std::vector<litehtml::size> added(fresh);
    for (litehtml::size& leaf : added)
        leaf.height -= into.add;
    into.leaves.insert(into.leaves.begin() + static_cast<std::ptrdiff_t>(std::min(inPart, into.leaves.size())),
                       added.begin(), added.end());
    m_count += fresh.size();
    // Parts too large split, empty ones dropped.
    std::vector<Part> parts;
    for (size_t q = 0; q < m_parts.size(); ++q) {
        Part& part = m_parts[q];
        if (part.leaves.size() <= 2 * kPart) {
            if (!part.leaves.empty()) {
                if (q == p)
                    part.measure();
                parts.push_back(std::move(part));
            }
            continue;
        }
        for (size_t from = 0; from < part.leaves.size(); from += kPart) {
            Part piece;
            piece.add = part.add;
            const size_t end = std::min(part.leaves.size(), from + kPart);
            piece.leaves.assign(part.leaves.begin() + static_cast<std::ptrdiff_t>(from),
                                part.leaves.begin() + static_cast<std::ptrdiff_t>(end));
            piece.measure();
            parts.push_back(std::move(piece));
        }
    }
    m_parts = std::move(parts);
}

bool ContentExtent::update(const litehtml::element& block, int dy, const std::optional<litehtml::size>& extent)
{
    using namespace contentextent_detail;
    // The child of the cell the block is or stands in.
    const litehtml::element* child = &block;
    while (child && child->parent().get() != m_cell.get())
        child = child->parent().get();
    const int at = child ? placeOf(*child) : -1;
    if (at < 0)
        return false;
    const auto [p, inPart] = partOf(static_cast<size_t>(at));
    Part& part = m_parts[p];
    litehtml::size now = child == &block && extent ? *extent
                                                   : extentOf(const_cast<litehtml::element&>(*child),
                                                              layoutelements_detail::placementOf(*m_cell));
    now.height -= part.add;
    part.leaves[inPart] = now;
    part.measure();
    addFrom(static_cast<size_t>(at) + 1, dy);
    return true;
}

bool ContentExtent::replace(const litehtml::element& parent, size_t at,
                            const std::vector<std::shared_ptr<litehtml::element>>& removed, size_t added, int dy)
{
    using namespace contentextent_detail;
    if (&parent != m_cell.get())
        return update(parent, dy);
    const auto& children = childrenOf(*m_cell);
    const size_t had = m_count;
    if (had < removed.size() || at + removed.size() > had || children.size() != had - removed.size() + added ||
        at + added > children.size())
        return false;
    // The children before the run as they were, the run's measured, those
    // after it lower by dy.
    addFrom(at + removed.size(), dy);
    std::vector<litehtml::size> fresh;
    fresh.reserve(added);
    const litehtml::position origin = layoutelements_detail::placementOf(*m_cell);
    for (size_t i = at; i < at + added; ++i)
        fresh.push_back(extentOf(*children[i], origin));
    splice(at, removed.size(), fresh);
    m_lastAt = at;
    return true;
}

litehtml::size ContentExtent::extent(litehtml::size view)
{
    using namespace contentextent_detail;
    litehtml::size size = m_outside;
    for (const Part& part : m_parts) {
        litehtml::size content;
        content.width = part.right;
        content.height = part.bottom + part.add;
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
