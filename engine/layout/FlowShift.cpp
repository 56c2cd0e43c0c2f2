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

// Content in the flow after the block, in the box that holds it: what
// moves. Lines move by their words and boxes, not by the inline elements
// around them (whose own place the layout does not use). False when the
// page must be laid out whole.
bool planMove(litehtml::element* el, Moves& moves)
{
    const litehtml::style_display display = el->get_display();
    // (Text stands in the flow, never floats, and is never positioned on
    // its own: it moves. Not asked, as it would ask its parents.)
    if (display == litehtml::display_inline_text) {
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
    if (display == litehtml::display_inline) {
        for (const auto& child : childrenOf(*el)) {
            if (!planMove(child.get(), moves))
                return false;
        }
        return true;
    }
    moves.moved.push_back(el);
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

} // namespace flowshift_detail

bool placedByTheFlow(const litehtml::element& el)
{
    return el.get_css_top().is_predefined() && el.get_css_bottom().is_predefined();
}

std::optional<FlowShift> FlowShift::plan(const std::shared_ptr<litehtml::element>& block, int dy, int rootHeight,
                                         const litehtml::element* cell)
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
        if (at != children.end() && !planMoves(children, static_cast<size_t>(at - children.begin()) + 1, moves))
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
