#include "engine/layout/BlockReflow.h"

#include "engine/layout/LayoutElements.h"
#include "engine/layout/TableElement.h"
#include "engine/layout/WordsMeasure.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <utility>

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
    // (A list item draws its bullet or number beside itself; a number
    // inside would take room from its first line. Items laid out in place
    // number those after them anew.)
    const auto* item = d == litehtml::display_list_item ? dynamic_cast<const ListItemElement*>(&el) : nullptr;
    return (d == litehtml::display_block || d == litehtml::display_table ||
            (item && (!item->numbered() || item->markerOutside()))) &&
           el.get_float() == litehtml::float_none && el.get_element_position() == litehtml::element_position_static &&
           !el.is_replaced() && !el.is_body() && el.get_css_height().units() != litehtml::css_units_percentage;
}

// Floats register with the block that holds them, positioned boxes with
// their containing block: laying out a block with either inside would
// leave those lists wrong.
bool holdsFloatsOrPositioned(const litehtml::element& el)
{
    const bool inlineBox = el.get_display() == litehtml::display_inline;
    for (const auto& child : childrenOf(el)) {
        if (!child)
            continue;
        // (Words outside inline elements are placed in the flow, and asking
        // them says so the long way round: a long paragraph holds very many.)
        if (!inlineBox && child->get_display() == litehtml::display_inline_text)
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

litehtml::size extentOf(const std::shared_ptr<litehtml::element>& block, bool ofWords = false)
{
    litehtml::size size;
    const auto parent = block->parent();
    const litehtml::position origin = parent ? layoutelements_detail::placementOf(*parent) : litehtml::position();
    if (ofWords)
        layoutelements_detail::addWordsBlockSize(*block, size, origin.x, origin.y);
    else
        layoutelements_detail::addDocumentSize(*block, size, origin.x, origin.y);
    return size;
}

bool sameMargins(const litehtml::margins& a, const litehtml::margins& b)
{
    return a.left == b.left && a.right == b.right && a.top == b.top && a.bottom == b.bottom;
}

bool sameSides(const litehtml::margins& a, const litehtml::margins& b)
{
    return a.left == b.left && a.right == b.right;
}

bool sameTopAndBottom(const litehtml::margins& a, const litehtml::margins& b)
{
    return a.top == b.top && a.bottom == b.bottom;
}

// Whether two places lie at the same fraction of a pixel (as far as
// floating point tells them apart).
bool sameFraction(float a, float b)
{
    return std::abs(a - b) < 1e-3f;
}

bool isBlockBox(const litehtml::element& el)
{
    const auto d = el.get_display();
    return (d == litehtml::display_block || d == litehtml::display_table || d == litehtml::display_list_item) &&
           el.get_float() == litehtml::float_none && el.in_normal_flow() &&
           el.get_element_position() != litehtml::element_position_fixed;
}

// What stands next to `block` in its parent's flow, in direction `step`:
// the block box there (null at the parent's edge), passing over white
// space, comments and elements without a box. False when it is anything
// else (lines of text, a float, a positioned box): margins do not simply
// collapse with it.
bool neighbour(const litehtml::element& block, int step, std::shared_ptr<litehtml::element>& out)
{
    out = nullptr;
    const auto parent = block.parent();
    if (!parent)
        return false;
    const int count = static_cast<int>(parent->get_children_count());
    int i = 0;
    while (i < count && parent->get_child(i).get() != &block)
        ++i;
    for (i += step; i >= 0 && i < count; i += step) {
        const auto el = parent->get_child(i);
        if (!el || el->is_comment() || el->get_display() == litehtml::display_none ||
            (el->is_white_space() && el->skip()))
            continue;
        if (!isBlockBox(*el))
            return false;
        out = el;
        return true;
    }
    return true;
}

// The bottom of an element's border box, in its parent's content coordinates.
int borderBottom(litehtml::element& el)
{
    return el.get_position().y + el.get_position().height + el.padding_bottom() + el.border_bottom();
}

// A block between the block laid out and its cell whose width follows the
// cell's by a fixed amount: it does not set its own width, in pixels or in
// percent, nor margins or padding in percent.
bool followsCellWidth(const litehtml::element& el)
{
    const auto d = el.get_display();
    if ((d != litehtml::display_block && d != litehtml::display_list_item) || !el.get_css_width().is_predefined())
        return false;
    for (const char* side : {"margin-left", "margin-right", "padding-left", "padding-right"}) {
        const char* value = el.get_style_property(side, false, nullptr);
        if (value && std::strchr(value, '%'))
            return false;
    }
    return true;
}

bool spansOne(const litehtml::element& cell, const char* name)
{
    const char* span = cell.get_attr(name);
    return !span || std::atoi(span) <= 1;
}

// The cell of a text box that `block` stands in (see BlockReflow): the
// table is positioned absolutely, sized by its one column and placed by its
// top; neither it, the row nor the cell have a height of their own.
std::shared_ptr<litehtml::element> textBoxCellOf(const litehtml::element& block)
{
    auto cell = block.parent();
    while (cell && cell->get_display() != litehtml::display_table_cell) {
        if (!followsCellWidth(*cell))
            return nullptr;
        cell = cell->parent();
    }
    if (!cell || !cell->get_css_width().is_predefined() || !cell->get_css_height().is_predefined() ||
        !spansOne(*cell, "rowspan") || !spansOne(*cell, "colspan"))
        return nullptr;
    const auto row = cell->parent();
    if (!row || row->get_display() != litehtml::display_table_row || !row->get_css_height().is_predefined())
        return nullptr;
    auto table = row->parent();
    if (table && isTablePart(table->get_display()))
        table = table->parent();
    const auto* box = dynamic_cast<const TableElement*>(table.get());
    if (!box || !box->sizedByOneColumn() || box->cellMeasureWidth() <= 0 ||
        box->get_element_position() != litehtml::element_position_absolute || !box->get_css_bottom().is_predefined())
        return nullptr;
    return cell;
}

// Whether a cell of the width `width` (in the block's terms) stays as wide
// when one of its blocks, which made it `before` wide, makes it `after`
// wide: the cell is as wide as its widest block.
bool keepsCellWidth(int before, int after, int width)
{
    if (before > width)
        return false; // (not as laid out)
    return after == before || (after <= width && (after == width || before < width));
}

thread_local long tableCellsAlone = 0;
thread_local long measuredFromWords = 0;

} // namespace blockreflow_detail

long BlockReflow::tableCellsLaidOutAlone()
{
    return blockreflow_detail::tableCellsAlone;
}

std::shared_ptr<litehtml::element> BlockReflow::blockFor(const std::shared_ptr<litehtml::element>& changed,
                                                         const litehtml::element* inFlow)
{
    using namespace blockreflow_detail;
    std::shared_ptr<litehtml::element> block;
    for (auto a = changed; a && a->have_parent(); a = a->parent()) {
        const auto d = a->get_display();
        // The items of a flex or grid container are sized together: the
        // container lays out again as a whole.
        if (const auto* flow = dynamic_cast<const BlockFlow*>(a.get()); flow && flow->placesItems()) {
            if (!canStandAlone(*a))
                return nullptr;
            block = a;
            continue;
        }
        if (!block) {
            if (canStandAlone(*a))
                block = a;
            else if (sizedByContent(*a))
                return nullptr;
            continue;
        }
        // The cells of a table give its column widths: the table lays out
        // again as a whole (a text box's cell keeps its width, see run).
        if (isTablePart(d)) {
            if (d == litehtml::display_table_cell && textBoxCellOf(*block) == a)
                break;
            continue;
        }
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
    if (parentDisplay != litehtml::display_block && parentDisplay != litehtml::display_list_item &&
        !(parentDisplay == litehtml::display_table_cell && textBoxCellOf(*block) == parent))
        return nullptr;
    if ((block.get() != inFlow && holdsFloatsOrPositioned(*block)) || besideFloats(*block))
        return nullptr;
    return block;
}

BlockReflow::BlockReflow(std::shared_ptr<litehtml::element> block, std::optional<litehtml::size> extent)
    : m_block(std::move(block))
{
    m_pos = m_block->get_position();
    m_margins = m_block->get_margins();
    m_paddings = m_block->get_paddings();
    m_borders = m_block->get_borders();
    // (Noted before the block is measured for its cell, which lays it out
    // elsewhere.)
    m_originFraction = BlockFlow::originFractionOf(*m_block);
    if (const auto* flow = dynamic_cast<const BlockFlow*>(m_block.get())) {
        m_heightFraction = flow->heightFraction();
        m_topStrut = flow->topMargins();
        m_bottomStrut = flow->bottomMargins();
    }
    // The parent placed the block at (x, y) for the width of its content.
    m_x = m_pos.x - m_block->content_margins_left();
    m_y = m_pos.y - m_block->content_margins_top();
    const auto parent = m_block->parent();
    m_width = parent ? parent->get_position().width : 0;
    m_extentBefore = extent ? *extent : blockreflow_detail::extentOf(m_block);
    m_top = layoutelements_detail::placementOf(*m_block).y - m_block->padding_top() - m_block->border_top();
    m_cell = blockreflow_detail::textBoxCellOf(*m_block);
    if (m_cell) {
        m_table = m_cell->parent()->parent();
        if (m_table && blockreflow_detail::isTablePart(m_table->get_display()))
            m_table = m_table->parent();
    }
}

int BlockReflow::widthInCell()
{
    // The table measures the cell at a width of its own: the block stands in
    // as much less room as it has less than the cell now.
    const auto* table = static_cast<const TableElement*>(m_table.get());
    const int cellWidth =
        m_cell->get_position().width + m_cell->content_margins_left() + m_cell->content_margins_right();
    const int room = table->cellMeasureWidth() - cellWidth + m_width;
    // (Text that wraps in the room asks for all of it, as the table measures
    // the cell.)
    const auto inCell = [room](int narrowest, int widest, bool wrapped) {
        return std::max(narrowest, wrapped ? room : std::min(widest, room));
    };
    // A block of words is measured from its words, or where it is laid out
    // at that room, from its lines.
    // (The words of a block whose lines were kept are known to be words.)
    const KeptLines* kept = KeptLines::of(m_block.get());
    if (m_linesOfItsPlace && asksForAllTheRoom(*m_block, room, kept && kept->wordsOnly())) {
        ++blockreflow_detail::measuredFromWords;
        return room;
    }
    if (const auto measured = measureWords(*m_block, room)) {
        ++blockreflow_detail::measuredFromWords;
        return inCell(measured->narrowest.width, measured->widest.width, measured->widest.wrapped);
    }
    const layoutelements_detail::CellMeasureScope measuring;
    m_laidOutElsewhere = true;
    const int narrowest = m_block->render(0, 0, 1);
    const layoutelements_detail::WrapWatch watch;
    const int widest = m_block->render(0, 0, room);
    return inCell(narrowest, widest, watch.wrapped());
}

std::shared_ptr<litehtml::element> BlockReflow::textBoxCellOf(const litehtml::element& block)
{
    return blockreflow_detail::textBoxCellOf(block);
}

long BlockReflow::blocksMeasuredFromWords()
{
    return blockreflow_detail::measuredFromWords;
}

void BlockReflow::noteChangeIn(const std::shared_ptr<litehtml::element>& changed, bool inContent)
{
    if (m_changesElsewhere)
        return;
    // The cell of the table's own that holds the change (a cell's own style
    // may change its borders, which the table shares out).
    std::shared_ptr<litehtml::element> cell;
    for (auto a = !changed || inContent ? changed : changed->parent(); a && a != m_block; a = a->parent()) {
        if (a->get_display() == litehtml::display_table_cell)
            cell = a;
    }
    auto* table = m_cell ? nullptr : dynamic_cast<TableElement*>(m_block.get());
    const auto row = cell ? cell->parent() : nullptr;
    auto owner = row ? row->parent() : nullptr;
    if (owner && blockreflow_detail::isTablePart(owner->get_display()))
        owner = owner->parent();
    if (!table || !cell || owner != m_block || (m_tableCell && m_tableCell != cell) ||
        !table->laysOutCellAlone(*cell)) {
        m_changesElsewhere = true;
        m_tableCell = nullptr;
        return;
    }
    m_tableCell = cell;
}

void BlockReflow::noteAlso(const BlockReflow& later)
{
    if (later.m_changesElsewhere || later.m_tableCell != m_tableCell) {
        m_changesElsewhere = true;
        m_tableCell = nullptr;
    }
}

std::shared_ptr<litehtml::element> BlockReflow::laidOut() const
{
    return m_tableCellAlone ? m_tableCell : m_block;
}

bool BlockReflow::layOutTableCellAlone()
{
    auto* table = static_cast<TableElement*>(m_block.get());
    if (!m_tableCell || !m_tableCellBefore.fits || !table->laysOutCellAlone(*m_tableCell))
        return false;
    if (!(table->layOutCellAgain(m_tableCell) == m_tableCellBefore))
        return false;
    ++blockreflow_detail::tableCellsAlone;
    return true;
}

void BlockReflow::noteWidths()
{
    // (What the table took of the cell, it is laid out at its place again.)
    if (m_tableCell && !m_changesElsewhere && m_tableCellBefore.height < 0)
        m_tableCellBefore = static_cast<TableElement*>(m_block.get())->layOutCellAgain(m_tableCell);
    if (!m_cell || m_widthInCell >= 0)
        return;
    m_linesOfItsPlace = true;
    const long measured = blockreflow_detail::measuredFromWords;
    m_widthInCell = widthInCell();
    m_linesOfItsPlace = false;
    m_askedForTheRoom = !m_laidOutElsewhere && blockreflow_detail::measuredFromWords > measured && !m_tableCell &&
                        m_widthInCell == m_width;
    if (!std::exchange(m_laidOutElsewhere, false))
        return;
    const BlockFlow::FractionScope fraction(m_originFraction);
    m_block->render(m_x, m_y, m_width);
}

int BlockReflow::widthInCellOf(const std::shared_ptr<litehtml::element>& block)
{
    BlockReflow reflow(block);
    return reflow.m_cell ? reflow.widthInCell() : -1;
}

bool BlockReflow::keepsCellWidth(int before, int after, int width)
{
    return blockreflow_detail::keepsCellWidth(before, after, width);
}

bool BlockReflow::keptWideBeside(const litehtml::element& parent, size_t from, size_t to, int width, WideBlock& last)
{
    const litehtml::elements_vector& children = childrenOf(parent);
    const auto asWide = [&](size_t i) {
        const std::shared_ptr<litehtml::element>& el = children[i];
        if (el->is_comment() || !dynamic_cast<const BlockFlow*>(el.get()) || blockFor(el) != el)
            return false;
        BlockReflow reflow(el);
        if (!reflow.m_cell)
            return false;
        reflow.noteWidths();
        if (reflow.m_widthInCell != width)
            return false;
        last = {el, i};
        return true;
    };
    // The block found last time, moved along by the edits since (each adds
    // or takes a few children).
    constexpr size_t kDrift = 64;
    if (const auto block = last.block.lock()) {
        const size_t begin = last.at > kDrift ? last.at - kDrift : 0;
        const size_t end = std::min(children.size(), last.at + kDrift + 1);
        for (size_t i = begin; i < end; ++i) {
            if (children[i] == block) {
                if ((i < from || i >= to) && asWide(i))
                    return true;
                break;
            }
        }
    }
    last = {};
    // The nearest blocks below and above, a few of them: in running text
    // one of them is as wide (a line that wraps fills the cell).
    constexpr int kLooks = 24;
    size_t below = to;
    size_t above = from;
    int looks = 0;
    for (int step = 0; looks < kLooks && step < 8 * kLooks && (below < children.size() || above > 0); ++step) {
        const bool down = (step % 2 == 0 && below < children.size()) || above == 0;
        const size_t i = down ? below++ : --above;
        if (children[i]->is_comment() || !dynamic_cast<const BlockFlow*>(children[i].get()))
            continue;
        ++looks;
        if (asWide(i))
            return true;
    }
    return false;
}

CellBlockWidths* BlockReflow::blockWidthsOf(litehtml::element& cell, const litehtml::element& parent)
{
    auto* textCell = dynamic_cast<CellElement*>(&cell);
    if (!textCell || !textCell->blockWidths().known())
        return nullptr;
    if (&parent != &cell) {
        textCell->blockWidths().forget();
        return nullptr;
    }
    return &textCell->blockWidths();
}

bool BlockReflow::widestKeepsCellWidth(const CellBlockWidths* widths, int before, int after, int width)
{
    return widths && widths->known() && before == width && after < width && widths->widest() == width;
}

BlockReflow::Result BlockReflow::run()
{
    using namespace blockreflow_detail;
    m_shift = 0;
    if (!m_block->parent())
        return Result::OtherBox;
    // In a text box, the table keeps its width only while the cell's widest
    // content is as wide as before: the block's own, or another block's as
    // wide as the block was.
    // A block of words that asked its cell for all of the room is laid out
    // at its place first: whether it still does is told from its lines.
    const bool placedFirst = m_cell && m_askedForTheRoom;
    if (placedFirst) {
        const BlockFlow::FractionScope fraction(m_originFraction);
        m_block->render(m_x, m_y, m_width);
    }
    if (m_cell) {
        if (m_widthInCell < 0)
            return Result::OtherBox;
        m_linesOfItsPlace = placedFirst;
        const int after = widthInCell();
        m_linesOfItsPlace = false;
        // (Laid out elsewhere, it is no longer laid out at its place.)
        if (placedFirst && m_laidOutElsewhere)
            return Result::OtherBox;
        CellBlockWidths* widths = blockWidthsOf(*m_cell, *m_block->parent());
        if (widths)
            widths->replace({m_block.get()}, {{m_block.get(), after}});
        const bool kept = keepsCellWidth(m_widthInCell, after, m_width) ||
                          widestKeepsCellWidth(widths, m_widthInCell, after, m_width);
        if (!kept)
            return Result::OtherBox;
    }
    m_tableCellAlone = !placedFirst && !m_changesElsewhere && layOutTableCellAlone();
    if (!m_tableCellAlone && !placedFirst) {
        // (Its content starts at the fraction of a pixel it started at.)
        const BlockFlow::FractionScope fraction(m_originFraction);
        m_block->render(m_x, m_y, m_width);
    }
    // What follows stands at the fraction of a pixel the block ends at: it
    // moves by whole pixels only while that fraction stays.
    const auto* flow = dynamic_cast<const BlockFlow*>(m_block.get());
    if (flow && flow->heightFraction() != m_heightFraction)
        return Result::OtherBox;
    litehtml::position& now = m_block->get_position();
    const litehtml::margins margins = m_block->get_margins();
    const litehtml::margins paddings = m_block->get_paddings();
    const litehtml::margins borders = m_block->get_borders();
    // A table is as wide as its cells make it: typing in one widens or
    // narrows it (and centres it anew), while what follows stays where it
    // is (in a text box, while the box keeps its width, as found above).
    const bool ownWidth = m_block->get_display() == litehtml::display_table;
    if ((!ownWidth && (now.x != m_pos.x || now.width != m_pos.width || !sameSides(margins, m_margins))) ||
        !sameSides(paddings, m_paddings) || !sameSides(borders, m_borders))
        return Result::OtherBox;
    // (Margins that round to the same pixels may still end at another
    // fraction of one.)
    const bool sameEdges = (ownWidth ? sameTopAndBottom(margins, m_margins) : sameMargins(margins, m_margins)) &&
                           sameMargins(paddings, m_paddings) && sameMargins(borders, m_borders) &&
                           (!flow || (flow->topMargins() == m_topStrut && flow->bottomMargins() == m_bottomStrut));
    if (sameEdges && now.height == m_pos.height)
        return now.y == m_pos.y ? Result::SameBox : Result::OtherBox;
    // A block without height lets the margins around it collapse through it.
    if (now.height <= 0 || m_pos.height <= 0)
        return Result::OtherBox;
    if (sameEdges) {
        m_shift = now.height - m_pos.height;
        return Result::OtherHeight;
    }
    // Its margins, padding or borders changed (they follow the font size):
    // the block takes its place after the block before it, and the block
    // after it its place after this one, their margins collapsed. Where a
    // margin would collapse with the parent's instead, the page is laid out
    // whole.
    std::shared_ptr<litehtml::element> before, after;
    if (!flow || !neighbour(*m_block, -1, before) || !neighbour(*m_block, 1, after))
        return Result::OtherBox;
    const auto parent = m_block->parent();
    // (At the edges of a cell or of the body, margins may vanish.)
    if ((parent->get_display() == litehtml::display_table_cell || parent->is_body()) && (!before || !after))
        return Result::OtherBox;
    if ((!before && parent->padding_top() + parent->border_top() == 0) ||
        (!after && parent->padding_bottom() + parent->border_bottom() == 0))
        return Result::OtherBox;
    if ((before && before->get_position().height <= 0) || (after && after->get_position().height <= 0))
        return Result::OtherBox;
    // Places to the fraction of a pixel, in the parent's content, as its
    // flow has them: each block stands at the whole pixel nearest its exact
    // place, and what it holds was laid out from the fraction it stood at.
    const auto* beforeFlow = dynamic_cast<const BlockFlow*>(before.get());
    const auto* afterFlow = dynamic_cast<const BlockFlow*>(after.get());
    if ((before && !beforeFlow) || (after && !afterFlow))
        return Result::OtherBox;
    MarginStrut above = flow->topMargins();
    float topExact = BlockFlow::originFractionOf(*parent);
    if (before) {
        above.add(beforeFlow->bottomMargins());
        topExact = static_cast<float>(borderBottom(*before)) + BlockFlow::originFractionOf(*before) +
                   beforeFlow->heightFraction();
    }
    topExact += above.collapsed();
    const int top = wholePixel(topExact);
    if (!sameFraction(topExact - static_cast<float>(top), m_originFraction))
        return Result::OtherBox;
    MarginStrut belowBefore = m_bottomStrut;
    MarginStrut below = flow->bottomMargins();
    if (after) {
        belowBefore.add(afterFlow->topMargins());
        below.add(afterFlow->topMargins());
    }
    const float end = m_originFraction + m_heightFraction;
    const float nextBefore = static_cast<float>(m_pos.y + m_pos.height + m_paddings.bottom + m_borders.bottom) + end +
                             belowBefore.collapsed();
    now.y = top + paddings.top + borders.top;
    const float next = static_cast<float>(borderBottom(*m_block)) + end + below.collapsed();
    // What follows moves by whole pixels: it stays at the fraction it was
    // laid out at.
    const int nextTop = wholePixel(nextBefore);
    if (!sameFraction(nextBefore - static_cast<float>(nextTop), next - static_cast<float>(wholePixel(next))) ||
        (after && nextTop != after->get_position().y - after->padding_top() - after->border_top()))
        return Result::OtherBox;
    m_shift = wholePixel(next) - nextTop;
    return Result::OtherHeight;
}

litehtml::size BlockReflow::extentAfter(bool ofWords) const
{
    return blockreflow_detail::extentOf(m_block, ofWords);
}

} // namespace engine
