#include "engine/layout/FlowShift.h"

#include "engine/layout/LayoutElements.h"

#include <algorithm>

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
    // Content in the flow after `el`, in the box that holds it: what moves.
    // Lines move by their words and boxes, not by the inline elements
    // around them (whose own place the layout does not use).
    const auto planMove = [&shift](litehtml::element* el, const auto& self) -> bool {
        if (el->get_display() == litehtml::display_none)
            return true;
        if (isOutOfFlow(*el) && !placedByTheFlow(*el)) {
            // Placed against a box that holds it: it stays where it is,
            // unless only its bottom is given (the box under it grows).
            if (el->get_css_top().is_predefined())
                return false;
            if (const int id = layoutNodeId(*el); id >= 0)
                shift.m_kept.insert(id);
            else
                return false;
            return true;
        }
        if (el->get_float() != litehtml::float_none)
            return false;
        if (el->get_display() == litehtml::display_inline && !childrenOf(*el).empty()) {
            for (const auto& child : childrenOf(*el)) {
                if (!self(child.get(), self))
                    return false;
            }
            return true;
        }
        shift.m_moved.push_back(el);
        return true;
    };

    litehtml::element* child = block.get();
    for (auto a = block->parent(); a; child = a.get(), a = a->parent()) {
        // Floats beside the moved content would be placed anew.
        if (a->is_floats_holder() && hasFloats(*a))
            return std::nullopt;
        bool after = false;
        for (const auto& el : childrenOf(*a)) {
            if (el.get() == child) {
                after = true;
                continue;
            }
            if (after && !planMove(el.get(), planMove))
                return std::nullopt;
        }
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
    return shift;
}

void FlowShift::apply() const
{
    for (litehtml::element* el : m_moved)
        el->get_position().y += m_dy;
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
