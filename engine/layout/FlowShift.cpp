#include "engine/layout/FlowShift.h"

#include "engine/layout/InParts.h"
#include "engine/layout/LayoutElements.h"

#include <algorithm>
#include <atomic>
#include <utility>

namespace engine {

namespace flowshift_detail {

using engine::placedByTheFlow;

bool isOutOfFlow(const litehtml::element& el)
{
    const auto position = el.get_element_position();
    return position == litehtml::element_position_absolute || position == litehtml::element_position_fixed;
}

bool hasFloats(const litehtml::element& holder)
{
    return holder.get_floats_height() != 0 || holder.get_left_floats_height() != 0 ||
           holder.get_right_floats_height() != 0;
}

// What follows a block in a box of very many children is looked at and
// moved in parts at once, of at least this many.
constexpr size_t kChildrenAPart = 16 * 1024;

// What moves of the content after the block in one box (see plan).
struct Moves
{
    std::vector<litehtml::element*> moved;
    std::vector<int> kept;
};

// Whether a child moves as a box of its own (all that planMove does with
// it is to note it).
bool movesAsItself(const litehtml::element& el)
{
    const litehtml::style_display display = el.get_display();
    if (display == litehtml::display_inline_text)
        return true;
    return display != litehtml::display_none && display != litehtml::display_inline &&
           !(isOutOfFlow(el) && !placedByTheFlow(el)) && el.get_float() == litehtml::float_none;
}

// Content in the flow after the block, in the box that holds it: what
// moves. Lines move by their words and boxes, not by the inline elements
// around them (whose own place the layout does not use). False when the
// page must be laid out whole.
bool planMove(litehtml::element* el, Moves& moves)
{
    const litehtml::style_display display = el->get_display();
    // (Text stands in the flow, never floats, and is never positioned on
    // its own: it moves. Not asked, as it would ask its parents.)
    if (movesAsItself(*el)) {
        moves.moved.push_back(el);
        return true;
    }
    if (display == litehtml::display_none)
        return true;
    if (isOutOfFlow(*el) && !placedByTheFlow(*el)) {
        // Placed against a box that holds it: it stays where it is, unless
        // only its bottom is given (the box under it grows).
        if (el->get_css_top().is_predefined())
            return false;
        const int id = layoutNodeId(*el);
        if (id < 0)
            return false;
        moves.kept.push_back(id);
        return true;
    }
    if (el->get_float() != litehtml::float_none)
        return false;
    // (An inline element with nothing in it stands on no line: the layout
    // leaves it where it is.)
    for (const auto& child : childrenOf(*el)) {
        if (!planMove(child.get(), moves))
            return false;
    }
    return true;
}

// Boxes are asked this many ahead of the one looked at to be read from
// memory: a long run of them waits mostly on the memory otherwise.
constexpr size_t kAhead = 8;

void ahead(litehtml::element* el)
{
    __builtin_prefetch(el);
    __builtin_prefetch(&el->get_position());
}

// The moves of the children [from, end) of a box, in their order.
bool planMoves(const litehtml::elements_vector& children, size_t from, Moves& moves)
{
    std::atomic<bool> movable{true};
    std::vector<Moves> parts = layoutengine_detail::inPartsInOrder<Moves>(
        from, children.size(), kChildrenAPart, [&](size_t first, size_t end) {
            Moves part;
            for (size_t i = first; i < end && movable.load(std::memory_order_relaxed); ++i) {
                if (i + kAhead < end)
                    ahead(children[i + kAhead].get());
                if (!planMove(children[i].get(), part))
                    movable = false;
            }
            return part;
        });
    if (!movable)
        return false;
    for (const Moves& part : parts) {
        moves.moved.insert(moves.moved.end(), part.moved.begin(), part.moved.end());
        moves.kept.insert(moves.kept.end(), part.kept.begin(), part.kept.end());
    }
    return true;
}

// The same with what is known of the children: only those that do not
// move as themselves are asked.
bool planMoves(const litehtml::elements_vector& children, size_t from, Moves& moves, FlowPlans::Children& known)
{
    known.follow(children, from);
    const size_t count = children.size();
    // (Those from `from` on are the first noted, the last child first.)
    const auto end = std::upper_bound(known.irregular.begin(), known.irregular.end(), count - from);
    std::vector<size_t> asked;
    asked.reserve(static_cast<size_t>(end - known.irregular.begin()));
    for (auto it = end; it != known.irregular.begin();)
        asked.push_back(count - *--it);
    moves.moved.reserve(moves.moved.size() + count - from);
    size_t i = from;
    for (const size_t k : asked) {
        for (; i < k; ++i)
            moves.moved.push_back(children[i].get());
        if (!planMove(children[k].get(), moves))
            return false;
        i = k + 1;
    }
    for (; i < count; ++i)
        moves.moved.push_back(children[i].get());
    return true;
}

} // namespace flowshift_detail

void FlowPlans::Children::follow(const litehtml::elements_vector& children, size_t from)
{
    const size_t count = children.size();
    const size_t had = seen.size();
    const auto same = [&](size_t fromEnd) {
        return seen[had - 1 - fromEnd].get() == children[count - 1 - fromEnd].get();
    };
    // The children from `from` on as seen: nothing to find again.
    size_t tail = 0;
    while (tail < count - from && tail < had && same(tail))
        ++tail;
    if (tail == count - from)
        return;
    while (tail < count && tail < had && same(tail))
        ++tail;
    size_t head = 0;
    while (head < count - tail && head < had - tail && seen[head].get() == children[head].get())
        ++head;
    // seen[head, had - tail) gave way to children[head, count - tail).
    std::vector<size_t> now;
    now.reserve(irregular.size());
    for (const size_t fromEnd : irregular) {
        if (fromEnd <= tail)
            now.push_back(fromEnd);
    }
    for (size_t k = count - tail; k-- > head;) {
        if (k + flowshift_detail::kAhead < count - tail && k >= flowshift_detail::kAhead)
            flowshift_detail::ahead(children[k - flowshift_detail::kAhead].get());
        if (!flowshift_detail::movesAsItself(*children[k]))
            now.push_back(count - k);
    }
    for (const size_t fromEnd : irregular) {
        if (fromEnd > had - head)
            now.push_back(fromEnd - had + count);
    }
    irregular = std::move(now);
    const auto at = seen.begin() + static_cast<std::ptrdiff_t>(head);
    seen.erase(at, seen.begin() + static_cast<std::ptrdiff_t>(had - tail));
    seen.insert(seen.begin() + static_cast<std::ptrdiff_t>(head), children.begin() + static_cast<std::ptrdiff_t>(head),
                children.begin() + static_cast<std::ptrdiff_t>(count - tail));
}

FlowPlans::Children& FlowPlans::of(const std::shared_ptr<litehtml::element>& parent)
{
    Children& known = m_lists[parent.get()];
    // (Not the list of a box gone, that stood at the same address.)
    if (known.parent.lock() != parent)
        known = Children{parent, {}, {}};
    return known;
}

void FlowPlans::forget(const litehtml::element& el)
{
    // The lists of the element and of what it holds, and the element in
    // its parent's.
    for (auto it = m_lists.begin(); it != m_lists.end();) {
        bool within = false;
        for (auto a = it->second.parent.lock(); a && !within; a = a->parent())
            within = a.get() == &el;
        it = within || it->second.parent.expired() ? m_lists.erase(it) : std::next(it);
    }
    const auto parent = el.parent();
    const auto list = parent ? m_lists.find(parent.get()) : m_lists.end();
    if (list == m_lists.end())
        return;
    for (auto& child : list->second.seen) {
        if (child.get() == &el)
            child = nullptr;
    }
}

bool placedByTheFlow(const litehtml::element& el)
{
    return el.get_css_top().is_predefined() && el.get_css_bottom().is_predefined();
}

std::optional<FlowShift> FlowShift::plan(const std::shared_ptr<litehtml::element>& block, int dy, int rootHeight,
                                         const litehtml::element* cell, FlowPlans* plans)
{
    using namespace flowshift_detail;
    FlowShift shift;
    shift.m_dy = dy;
    shift.m_rootHeight = rootHeight;
    Moves moves;
    litehtml::element* child = block.get();
    for (auto a = block->parent(); a; child = a.get(), a = a->parent()) {
        // Floats beside the moved content would be placed anew.
        if (a->is_floats_holder() && hasFloats(*a))
            return std::nullopt;
        const litehtml::elements_vector& children = childrenOf(*a);
        const auto at =
            std::find_if(children.begin(), children.end(), [child](const auto& el) { return el.get() == child; });
        const size_t from = static_cast<size_t>(at - children.begin()) + 1;
        if (at != children.end() &&
            !(plans ? planMoves(children, from, moves, plans->of(a)) : planMoves(children, from, moves)))
            return std::nullopt;
        shift.m_holder = a.get();
        if (a.get() == cell) {
            shift.m_grown.push_back(a.get());
            break;
        }
        const auto display = a->get_display();
        if (display != litehtml::display_block && display != litehtml::display_list_item)
            return std::nullopt;
        // A box of a set height keeps it: nothing after it moves.
        if (!a->get_css_height().is_predefined())
            break;
        shift.m_grown.push_back(a.get());
        if (isOutOfFlow(*a) || !a->have_parent())
            break;
    }
    if (!shift.m_holder)
        return std::nullopt;
    shift.m_moved = std::move(moves.moved);
    shift.m_kept.insert(moves.kept.begin(), moves.kept.end());
    return shift;
}

void FlowShift::apply() const
{
    litehtml::element* const* moved = m_moved.data();
    const int dy = m_dy;
    layoutengine_detail::inParts(
        0, m_moved.size(), flowshift_detail::kChildrenAPart, [moved, dy](size_t first, size_t end) {
            for (size_t i = first; i < end; ++i) {
                if (i + flowshift_detail::kAhead < end)
                    __builtin_prefetch(&moved[i + flowshift_detail::kAhead]->get_position().y, 1);
                moved[i]->get_position().y += dy;
            }
        });
    for (litehtml::element* a : m_grown) {
        if (a->have_parent()) {
            a->get_position().height += m_dy;
            continue;
        }
        if (auto* root = dynamic_cast<RootElement*>(a)) {
            root->moveFlowEnd(m_dy, m_rootHeight);
            continue;
        }
        // The root reaches down to the content's end, and covers the view.
        int bottom = 0;
        for (const auto& child : childrenOf(*a)) {
            if (child->in_normal_flow())
                bottom = std::max(bottom, child->bottom());
        }
        a->get_position().height = std::max(m_rootHeight, bottom);
    }
    // What the boxes around the block paint reaches as far down as the moved
    // content now.
    if (m_dy <= 0 || m_grown.empty())
        return;
    for (auto a = m_grown.front()->parent(); a; a = a->parent()) {
        if (auto* extent = dynamic_cast<PaintExtent*>(a.get()); extent && !extent->paintExtent().isNull())
            extent->setPaintExtent(extent->paintExtent().adjusted(0, 0, 0, m_dy));
        if (a.get() == m_holder)
            break;
    }
    if (auto* extent = dynamic_cast<PaintExtent*>(m_grown.front()); extent && !extent->paintExtent().isNull())
        extent->setPaintExtent(extent->paintExtent().adjusted(0, 0, 0, m_dy));
}

} // namespace engine
