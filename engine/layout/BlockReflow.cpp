#include "engine/layout/BlockReflow.h"

namespace engine {

namespace blockreflow_detail {

bool isTablePart(litehtml::style_display d)
{
    switch (d) {
    case litehtml::display_table_cell:
    case litehtml::display_table_row:
    case litehtml::display_table_row_group:
    case litehtml::display_table_header_group:
    case litehtml::display_table_footer_group:
    case litehtml::display_table_caption:
    case litehtml::display_table_column:
    case litehtml::display_table_column_group:
        return true;
    default:
        return false;
    }
}

bool isAbsolute(const litehtml::element& el)
{
    const auto position = el.get_element_position();
    return position == litehtml::element_position_absolute || position == litehtml::element_position_fixed;
}

// Boxes whose size follows the width of their content: a change inside
// them may change their size, whatever the height of the block.
bool sizedByContent(const litehtml::element& el)
{
    const auto d = el.get_display();
    return d == litehtml::display_inline_block || d == litehtml::display_inline_table ||
           el.get_float() != litehtml::float_none || (isAbsolute(el) && el.get_css_width().is_predefined());
}

// A block placed in the flow by its parent: what a block may be.
bool canStandAlone(const litehtml::element& el)
{
    const auto d = el.get_display();
    return (d == litehtml::display_block || d == litehtml::display_table) && el.get_float() == litehtml::float_none &&
           el.get_element_position() == litehtml::element_position_static && !el.is_replaced() && !el.is_body() &&
           el.get_css_height().units() != litehtml::css_units_percentage;
}

// Floats register with the block that holds them, positioned boxes with
// their containing block: laying out a block with either inside would
// leave those lists wrong.
bool holdsFloatsOrPositioned(const litehtml::element& el)
{
    for (size_t i = 0; i < el.get_children_count(); ++i) {
        const auto child = el.get_child(static_cast<int>(i));
        if (!child)
            continue;
        if (child->get_float() != litehtml::float_none ||
            child->get_element_position() != litehtml::element_position_static || holdsFloatsOrPositioned(*child))
            return true;
    }
    return false;
}

bool besideFloats(const litehtml::element& block)
{
    for (auto a = block.parent(); a; a = a->parent()) {
        if (a->is_floats_holder())
            return a->get_floats_height() != 0 || a->get_left_floats_height() != 0 || a->get_right_floats_height() != 0;
    }
    return false;
}

litehtml::size extentOf(const std::shared_ptr<litehtml::element>& block)
{
    litehtml::size size;
    const auto parent = block->parent();
    const litehtml::position origin = parent ? parent->get_placement() : litehtml::position();
    block->calc_document_size(size, origin.x, origin.y);
    return size;
}

bool sameMargins(const litehtml::margins& a, const litehtml::margins& b)
{
    return a.left == b.left && a.right == b.right && a.top == b.top && a.bottom == b.bottom;
}

} // namespace blockreflow_detail

std::shared_ptr<litehtml::element> BlockReflow::blockFor(const std::shared_ptr<litehtml::element>& changed)
{
    using namespace blockreflow_detail;
    std::shared_ptr<litehtml::element> block;
    for (auto a = changed; a && a->have_parent(); a = a->parent()) {
        const auto d = a->get_display();
        if (!block) {
            if (canStandAlone(*a))
                block = a;
            else if (sizedByContent(*a))
                return nullptr;
            continue;
        }
        // The cells of a table give its column widths: the table lays out
        // again as a whole.
        if (isTablePart(d))
            continue;
        if (d == litehtml::display_table) {
            if (!canStandAlone(*a))
                return nullptr;
            block = a;
            continue;
        }
        if (sizedByContent(*a) || d == litehtml::display_inline)
            return nullptr;
    }
    if (!block)
        return nullptr;
    const auto parent = block->parent();
    const auto parentDisplay = parent ? parent->get_display() : litehtml::display_none;
    if (parentDisplay != litehtml::display_block && parentDisplay != litehtml::display_list_item)
        return nullptr;
    if (holdsFloatsOrPositioned(*block) || besideFloats(*block))
        return nullptr;
    return block;
}

BlockReflow::BlockReflow(std::shared_ptr<litehtml::element> block) : m_block(std::move(block))
{
    m_pos = m_block->get_position();
    m_margins = m_block->get_margins();
    m_paddings = m_block->get_paddings();
    m_borders = m_block->get_borders();
    // The parent placed the block at (x, y) for the width of its content.
    m_x = m_pos.x - m_block->content_margins_left();
    m_y = m_pos.y - m_block->content_margins_top();
    const auto parent = m_block->parent();
    m_width = parent ? parent->get_position().width : 0;
    m_extentBefore = blockreflow_detail::extentOf(m_block);
}

bool BlockReflow::run()
{
    using namespace blockreflow_detail;
    if (!m_block->parent())
        return false;
    m_block->render(m_x, m_y, m_width);
    const litehtml::position& now = m_block->get_position();
    return now.x == m_pos.x && now.y == m_pos.y && now.width == m_pos.width && now.height == m_pos.height &&
           sameMargins(m_block->get_margins(), m_margins) && sameMargins(m_block->get_paddings(), m_paddings) &&
           sameMargins(m_block->get_borders(), m_borders);
}

litehtml::size BlockReflow::extentAfter() const
{
    return blockreflow_detail::extentOf(m_block);
}

} // namespace engine
