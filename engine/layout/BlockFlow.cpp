#include "engine/layout/BlockFlow.h"

#include "engine/layout/GridLayout.h"
#include "engine/layout/LayoutElements.h"
#include "engine/layout/PageContainer.h"

#include <litehtml/el_break.h>
#include <litehtml/el_text.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstring>
#include <string_view>
#include <utility>

namespace engine {

namespace blockflow_detail {
namespace {

// The vertical margins the default style sheet gives a tag in em, which
// browsers in quirks mode treat as quirky: at the top all of them, at the
// bottom those of paragraphs and preformatted blocks only.
struct QuirkyMargin
{
    float em = 0;
    bool bottom = false;
};

QuirkyMargin quirkyMargin(const char* tag)
{
    // (Asked at every placing of every block: tags compare by length first.)
    static constexpr struct
    {
        std::string_view tag;
        QuirkyMargin margin;
    } kMargins[] = {{"p", {1, true}},         {"pre", {1, true}},  {"xmp", {1, true}},         {"listing", {1, true}},
                    {"plaintext", {1, true}}, {"ul", {1, false}},  {"ol", {1, false}},         {"dl", {1, false}},
                    {"menu", {1, false}},     {"dir", {1, false}}, {"blockquote", {1, false}}, {"h1", {0.67f, false}},
                    {"h2", {0.83f, false}},   {"h3", {1, false}},  {"h4", {1.33f, false}},     {"h5", {1.67f, false}},
                    {"h6", {2.33f, false}}};
    if (!tag)
        return {};
    const std::string_view name(tag);
    for (const auto& m : kMargins) {
        if (name == m.tag)
            return m.margin;
    }
    return {};
}

// Whether a margin as styled is the quirky default of its tag (litehtml
// has turned the em into pixels by now: a margin the page sets to the same
// pixels counts as the default).
bool isQuirky(const litehtml::element& el, const litehtml::css_length& margin, bool bottom)
{
    const QuirkyMargin quirky = quirkyMargin(el.get_tagName());
    if (quirky.em <= 0 || (bottom && !quirky.bottom))
        return false;
    const float px = quirky.em * static_cast<float>(el.get_font_size());
    return (margin.units() == litehtml::css_units_px || margin.units() == litehtml::css_units_em) &&
           std::abs(margin.val() - px) < 1;
}

bool isQuirkContainer(const litehtml::element& el)
{
    const char* tag = el.get_tagName();
    return tag && (std::strcmp(tag, "body") == 0 || std::strcmp(tag, "td") == 0 || std::strcmp(tag, "th") == 0);
}

bool isOutOfFlow(const litehtml::element& el)
{
    const auto position = el.get_element_position();
    return el.get_float() != litehtml::float_none || position == litehtml::element_position_absolute ||
           position == litehtml::element_position_fixed;
}

// Whether the blocks in an element form a flow of their own, whose margins
// never join the element's: the root, floats, positioned boxes, inline
// blocks, tables and their cells and captions, boxes that clip.
// `flow`: the element's own (the element is one of ours).
bool ownsFlow(const litehtml::element& el, const BlockFlow& flow)
{
    if (!el.have_parent() || isOutOfFlow(el) || el.is_replaced() || el.get_overflow() != litehtml::overflow_visible)
        return true;
    if (flow.independentFlow())
        return true;
    const auto display = el.get_display();
    return display != litehtml::display_block && display != litehtml::display_list_item;
}

// Whether a block that clears floats may find some to clear: a float
// placed so far in the flow of the box that holds it, on the side it
// clears. (A block that clears nothing lets margins through.)
bool mayClearFloats(const litehtml::element& el)
{
    const litehtml::element_clear clear = el.get_clear();
    if (clear == litehtml::clear_none)
        return false;
    auto holder = el.parent();
    while (holder && !holder->is_floats_holder())
        holder = holder->parent();
    if (!holder)
        return false;
    const bool left = holder->get_left_floats_height() > 0;
    const bool right = holder->get_right_floats_height() > 0;
    return clear == litehtml::clear_left ? left : clear == litehtml::clear_right ? right : left || right;
}

bool isFlowBlock(const litehtml::element& el)
{
    const auto display = el.get_display();
    return (display == litehtml::display_block || display == litehtml::display_list_item ||
            display == litehtml::display_table) &&
           !isOutOfFlow(el);
}

// What a child is to the vertical flow of its parent.
enum class Part { Nothing, Inline, Block, Content };

Part partOf(const litehtml::element& child)
{
    if (child.is_comment() || child.is_white_space() || child.get_display() == litehtml::display_none ||
        isOutOfFlow(child))
        return Part::Nothing;
    if (dynamic_cast<const litehtml::el_text*>(&child) || dynamic_cast<const litehtml::el_break*>(&child))
        return Part::Content;
    if (isFlowBlock(child))
        return Part::Block;
    if (child.get_display() == litehtml::display_inline && !child.is_replaced())
        return childrenOf(child).empty() ? Part::Nothing : Part::Inline;
    return Part::Content;
}

bool hasFlowContent(const litehtml::element& el)
{
    for (const auto& child : childrenOf(el)) {
        switch (partOf(*child)) {
        case Part::Nothing:
            break;
        case Part::Inline:
            if (hasFlowContent(*child))
                return true;
            break;
        case Part::Block: {
            const auto* flow = dynamic_cast<const BlockFlow*>(child.get());
            if (!flow || !flow->collapsesThrough(*child))
                return true;
            break;
        }
        case Part::Content:
            return true;
        }
    }
    return false;
}

// Adds to `out` the top margins of the first blocks in `el` (looking into
// inline elements) that adjoin its content's top: up to the first block or
// line that is not empty, or a block that may clear floats. Returns whether the
// walk stopped there.
bool addFirstMargins(const litehtml::element& el, int width, MarginStrut& out)
{
    for (const auto& child : childrenOf(el)) {
        switch (partOf(*child)) {
        case Part::Nothing:
            break;
        case Part::Inline:
            if (addFirstMargins(*child, width, out))
                return true;
            break;
        case Part::Block: {
            if (mayClearFloats(*child))
                return true;
            child->calc_outlines(width);
            auto* flow = dynamic_cast<BlockFlow*>(child.get());
            if (!flow) {
                out.add(static_cast<float>(child->margin_top()));
                return true;
            }
            out.add(flow->topMargins());
            if (!flow->collapsesThrough(*child))
                return true;
            out.add(flow->bottomMargins());
            break;
        }
        case Part::Content:
            return true;
        }
    }
    return false;
}

int borderBoxHeight(litehtml::element& el)
{
    return el.get_position().height + el.padding_top() + el.padding_bottom() + el.border_top() + el.border_bottom();
}

// The fraction of a pixel the content of the blocks being laid out starts
// below its whole pixel.
thread_local float originFraction = 0;
// While a block beside floats is measured for its own width.
thread_local bool measuringOwnWidth = false;

// Layouts are numbered, each from the start of its outermost render (or of
// a computation of outlines outside one) to its end, so that what a block
// answers in one is not taken in the next, after an edit. (Numbered across
// threads: a page laid out on one may be laid out again on another.)
std::atomic<unsigned> lastLayout{0};
thread_local unsigned currentLayout = 0; // none
thread_local int layoutDepth = 0;
// Set while an answer is worked out that depends on the width a block is
// laid out at, which changes between the measures of one layout.
thread_local bool answerFollowsWidth = false;
thread_local long collapseAnswers = 0;

void enterLayout()
{
    if (layoutDepth++ > 0)
        return;
    do
        currentLayout = ++lastLayout;
    while (currentLayout == 0);
}

void leaveLayout()
{
    if (--layoutDepth == 0)
        currentLayout = 0;
}

struct LayoutScope
{
    LayoutScope() { enterLayout(); }
    ~LayoutScope() { leaveLayout(); }
    LayoutScope(const LayoutScope&) = delete;
    LayoutScope& operator=(const LayoutScope&) = delete;
};

} // namespace
} // namespace blockflow_detail

int wholePixel(float exact)
{
    return static_cast<int>(std::floor(exact + 0.5f));
}

void MarginStrut::add(float margin, bool isQuirky)
{
    if (margin < 0)
        negative = std::min(negative, margin);
    else if (isQuirky)
        quirky = std::max(quirky, margin);
    else
        positive = std::max(positive, margin);
}

void MarginStrut::add(const MarginStrut& other)
{
    positive = std::max(positive, other.positive);
    negative = std::min(negative, other.negative);
    quirky = std::max(quirky, other.quirky);
}

float MarginStrut::collapsed() const
{
    return std::max(positive, quirky) + negative;
}

BlockFlow::FractionScope::FractionScope(float fraction) : m_outer(blockflow_detail::originFraction)
{
    blockflow_detail::originFraction = fraction;
}

BlockFlow::FractionScope::~FractionScope()
{
    blockflow_detail::originFraction = m_outer;
}

float BlockFlow::originFractionOf(const litehtml::element& el)
{
    const auto* flow = dynamic_cast<const BlockFlow*>(&el);
    return flow ? flow->m_originFraction : 0;
}

void BlockFlow::noteStyledMargins(const litehtml::element& self, float fontSize)
{
    const auto styled = [&](const char* name) {
        litehtml::css_length length;
        length.fromString(self.get_style_property(name, false, "0"), "");
        // (Units other than these are taken as litehtml computed them.)
        if (length.units() == litehtml::css_units_em)
            length.set_value(length.val() * fontSize, litehtml::css_units_px);
        else if (length.units() == litehtml::css_units_pt)
            length.set_value(length.val() * 4 / 3, litehtml::css_units_px);
        else if (length.units() != litehtml::css_units_px && length.units() != litehtml::css_units_percentage)
            length.predef(0);
        return length;
    };
    m_styledTop = styled("margin-top");
    m_styledBottom = styled("margin-bottom");
}

void BlockFlow::noteLayout(const litehtml::element& self)
{
    const auto layoutOf = [](const litehtml::element& el) {
        const char* css = el.get_style_property("display", false, nullptr);
        const std::string_view value(css ? css : "");
        if (value == "flex" || value == "inline-flex")
            return Layout::Flex;
        if (value == "flow-root")
            return Layout::Root;
        return value == "grid" || value == "inline-grid" ? Layout::Grid : Layout::Flow;
    };
    const bool placedItems = placesItems();
    m_layout = layoutOf(self);
    const auto* page = dynamic_cast<const PageContainer*>(self.get_document()->container());
    m_mode = page ? page->documentMode() : DocumentMode::Quirks;
    const auto parent = self.parent();
    const auto* outer = parent ? dynamic_cast<const BlockFlow*>(parent.get()) : nullptr;
    m_item = outer && outer->placesItems() && !self.is_white_space() && !self.is_comment();
    // (litehtml reads the styles of the children before the element's own
    // are noted here: they took the layout noted before, which matters only
    // where this one or that placed items.)
    if (!placedItems && !placesItems())
        return;
    for (const auto& child : childrenOf(self)) {
        if (auto* flow = dynamic_cast<BlockFlow*>(child.get()))
            flow->m_item = placesItems() && !child->is_white_space() && !child->is_comment();
    }
}

// A vertical margin to the fraction of a pixel, where litehtml's whole
// pixels `computed` are what it was styled to.
float BlockFlow::exactMargin(const litehtml::css_length& styled, int computed, int parentWidth)
{
    float exact = static_cast<float>(computed);
    if (styled.is_predefined())
        return exact;
    if (styled.units() == litehtml::css_units_px)
        exact = styled.val();
    else if (styled.units() == litehtml::css_units_percentage)
        exact = styled.val() * static_cast<float>(parentWidth) / 100;
    // (A margin set otherwise than by the style, by litehtml itself, stays.)
    const float off = std::abs(exact - static_cast<float>(computed));
    if (off >= 1 + std::abs(exact) / 10)
        return static_cast<float>(computed);
    // Browsers keep places in 64ths of a pixel, margins cut to them.
    return std::trunc(exact * 64) / 64;
}

long BlockFlow::collapseAnswersWorkedOut()
{
    return blockflow_detail::collapseAnswers;
}

bool BlockFlow::collapsesThrough(const litehtml::element& self) const
{
    using namespace blockflow_detail;
    // (Asked of each block by every block around it: without the answer
    // kept, a nest of blocks took time of the cube of its depth.)
    if (currentLayout != 0 && m_collapsePass == currentLayout)
        return m_collapses;
    const bool outer = std::exchange(answerFollowsWidth, false);
    const bool collapses = collapsesThroughNow(self);
    if (currentLayout != 0 && !answerFollowsWidth) {
        m_collapsePass = currentLayout;
        m_collapses = collapses;
    }
    answerFollowsWidth = outer || answerFollowsWidth;
    return collapses;
}

bool BlockFlow::collapsesThroughNow(const litehtml::element& self) const
{
    using namespace blockflow_detail;
    ++collapseAnswers;
    if (ownsFlow(self, *this) || self.get_display() != litehtml::display_block ||
        dynamic_cast<const litehtml::el_break*>(&self))
        return false;
    if (verticalPaddingInPercent())
        answerFollowsWidth = true;
    const litehtml::margins padding = self.get_paddings();
    const litehtml::margins borders = self.get_borders();
    if (padding.top || padding.bottom || borders.top || borders.bottom || hasMinHeight())
        return false;
    const litehtml::css_length height = self.get_css_height();
    if (!height.is_predefined() && height.val() != 0)
        return false;
    return !hasFlowContent(self);
}

int BlockFlow::noteMargins(litehtml::element& self, const litehtml::css_margins& css, const litehtml::margins& computed,
                           int parentWidth)
{
    using namespace blockflow_detail;
    m_top = {};
    const bool quirks = m_mode == DocumentMode::Quirks;
    m_top.add(exactMargin(m_styledTop, computed.top, parentWidth), quirks && isQuirky(self, css.top, false));
    m_ownBottom = exactMargin(m_styledBottom, computed.bottom, parentWidth);
    m_quirkyBottom = quirks && isQuirky(self, css.bottom, true);
    m_bottom = {};
    m_bottom.add(m_ownBottom, m_quirkyBottom);
    // The first blocks inside join the element's top margin unless a
    // border, padding or a flow of its own stands between.
    m_joinsFirstChild = !ownsFlow(self, *this) && self.padding_top() == 0 && self.border_top() == 0;
    if (m_joinsFirstChild) {
        const int inner = std::max(0, parentWidth - self.margin_left() - self.margin_right() -
                                          self.get_paddings().width() - self.get_borders().width());
        MarginStrut first;
        const LayoutScope layout;
        addFirstMargins(self, inner, first);
        m_top.add(isQuirkContainer(self) ? first.withoutQuirky() : first);
    }
    return wholePixel(m_top.collapsed());
}

bool BlockFlow::placesBlock(const litehtml::element& el) const
{
    return m_flow && blockflow_detail::isFlowBlock(el);
}

void BlockFlow::beginRender(Flow& flow)
{
    blockflow_detail::enterLayout();
    flow.outer = m_flow;
    flow.origin = blockflow_detail::originFraction;
    m_originFraction = flow.origin;
    m_flow = &flow;
}

// Lays out an in-flow block that is no flow of its own where it stands and
// returns the width it asks for. litehtml counts the room of the floats
// beside its lines into that width; while a table measures its cells, a
// browser sizes such a block by its own content, the floats apart (a table
// holding a float and a heading after it is as wide as the wider of the
// two, not both). Its own width is taken laid out below the floats, then
// it is laid out again where it stands; blocks inside it take the answer
// they find there.
int BlockFlow::widthBesideFloats(litehtml::html_tag& self, litehtml::element& el, const litehtml::line_context& line,
                                 int maxWidth)
{
    using namespace blockflow_detail;
    if ((line.left <= 0 && line.right >= maxWidth) || layoutelements_detail::measuringCells == 0 || measuringOwnWidth)
        return el.render(0, line.top, maxWidth);
    measuringOwnWidth = true;
    const int own = el.render(0, std::max(line.top, self.get_floats_height()), maxWidth);
    el.render(0, line.top, maxWidth);
    measuringOwnWidth = false;
    return own;
}

// Places an in-flow block below what the element holds so far (CSS 2.1,
// 8.3.1 and 9.5.2 "Controlling flow next to floats: the 'clear' property").
int BlockFlow::placeBlock(litehtml::html_tag& self, litehtml::box::vector& boxes, const litehtml::element::ptr& el,
                          int maxWidth)
{
    using namespace blockflow_detail;
    Flow::State& state = m_flow->now;
    // 1. litehtml places the block before a float again when the float is
    //    placed: the flow stands as it stood before that block.
    if (el.get() == state.lastBlock && (boxes.empty() || boxes.back().get() != state.lastBox))
        state = m_flow->beforeLast;
    m_flow->beforeLast = state;

    // 2. The block's outlines and a box for it where litehtml would open
    //    one: below the last box, below the floats it clears, or below
    //    floats it cannot stand beside.
    litehtml::line_context line{};
    line.top = boxes.empty() ? 0 : boxes.back()->top();
    line.left = 0;
    line.right = maxWidth;
    line.fix_top();
    self.get_line_left_right(line.top, maxWidth, line.left, line.right);
    const litehtml::style_display display = el->get_display();
    const bool besideFloats = display == litehtml::display_block && (el->is_replaced() || el->is_floats_holder());
    if (besideFloats) {
        litehtml::position& pos = el->get_position();
        pos.width = el->get_css_width().calc_percent(line.right - line.left);
        const auto parent = el->parent();
        pos.height = el->get_css_height().calc_percent(parent ? parent->get_position().height : 0);
    }
    el->calc_outlines(line.right - line.left);
    self.new_box(el, maxWidth, line);
    litehtml::box& box = *boxes.back();
    const litehtml::box* previous = boxes.size() >= 2 ? boxes[boxes.size() - 2].get() : nullptr;

    // 3. Lines since the last block: the block stands below them.
    if (previous && previous != state.lastBox) {
        state.borderBottom = static_cast<float>(previous->bottom()) + state.lineOffset;
        state.pending = {};
        state.atStart = false;
    }

    // 4. Its top border edge: at the top of the content when its margins
    //    join the element's own; else below the last block or line, the
    //    margins between collapsed; below floats it must clear. It is
    //    laid out at the whole pixel nearest its exact place.
    auto* flow = dynamic_cast<BlockFlow*>(el.get());
    MarginStrut top;
    if (flow)
        top = flow->topMargins();
    else
        top.add(static_cast<float>(el->margin_top()));
    const bool joinsParent = state.atStart && m_joinsFirstChild && !mayClearFloats(*el);
    const bool quirkyEdge = state.atStart && isQuirkContainer(self);
    MarginStrut joined = state.pending;
    joined.add(top);
    const float origin = m_flow->origin;
    float exactTop = 0;
    if (!joinsParent)
        exactTop = state.borderBottom + (quirkyEdge ? joined.collapsedAtQuirkyEdge() : joined.collapsed());
    int borderTop = wholePixel(origin + exactTop);
    const int placedAt = previous ? previous->bottom() : 0;
    const bool cleared = box.top() > placedAt && box.top() > borderTop;
    // (Below floats, at the whole pixel where they end.)
    const auto moveTo = [&](int laidOut) {
        borderTop = laidOut;
        exactTop = static_cast<float>(laidOut) - origin;
    };
    if (cleared)
        moveTo(box.top());

    // 5. Lay it out there, as litehtml would; a table or another box with a
    //    flow of its own, of a set width, moves down below the floats it
    //    does not fit beside, and asks for the room of the floats beside it
    //    as well as its own.
    const auto placeAt = [&](int top) {
        line.top = top - el->margin_top();
        line.left = 0;
        line.right = maxWidth;
        line.fix_top();
        self.get_line_left_right(line.top, maxWidth, line.left, line.right);
    };
    placeAt(borderTop);
    // (While a table measures its cells, a width in percent counts as none:
    // such a box is measured beside the floats.)
    const litehtml::css_length& styledWidth = el->get_css_width();
    const bool sizedWidth = !styledWidth.is_predefined() && (styledWidth.units() != litehtml::css_units_percentage ||
                                                             layoutelements_detail::measuringCells == 0);
    if ((display == litehtml::display_table || besideFloats) && sizedWidth && line.width() < maxWidth) {
        const int width = el->get_css_width().calc_percent(maxWidth) + el->content_margins_width();
        if (width > line.width()) {
            const int below = self.find_next_line_top(line.top, width, maxWidth);
            if (below > line.top) {
                moveTo(below);
                placeAt(borderTop);
            }
        }
    }
    box.y_shift(line.top - box.top());
    int width = 0;
    const int wrapsBefore = layoutelements_detail::wrappedLines;
    {
        const FractionScope fraction(origin + exactTop - static_cast<float>(borderTop));
        if (display == litehtml::display_list_item)
            width = el->render(line.left, line.top, line.width());
        else if (besideFloats || display == litehtml::display_table)
            width = el->render(line.left, line.top, line.width()) + line.left + (maxWidth - line.right);
        else
            width = widthBesideFloats(self, *el, line, maxWidth);
    }
    box.add_element(el);
    // (Content that wraps in the room asks for all of it, as the table
    // measures the cell.)
    if (auto* recording = layoutelements_detail::recordingCellWidths; recording && recording->cell == &self)
        recording->widths[el.get()] =
            layoutelements_detail::wrappedLines != wrapsBefore ? maxWidth : std::min(width, maxWidth);

    // 6. What follows stands below its bottom border edge, its bottom
    //    margins pending; below an empty block, the margins above, in and
    //    below it are one, and what follows its box (a line, a float)
    //    starts where they end.
    //    Lines that follow stand where its box ends (see endRender).
    MarginStrut bottom;
    if (flow)
        bottom = flow->bottomMargins();
    else
        bottom.add(static_cast<float>(el->margin_bottom()));
    if (flow && !cleared && flow->collapsesThrough(*el) && flow->laidOutEmpty()) {
        float next = 0;
        if (!joinsParent) {
            state.pending.add(top);
            state.pending.add(bottom);
            next =
                state.borderBottom + (quirkyEdge ? state.pending.collapsedAtQuirkyEdge() : state.pending.collapsed());
        }
        const int laidOutNext = wholePixel(origin + next);
        flow->setLaidOutBottomMargin(laidOutNext - borderTop - borderBoxHeight(*el));
        state.lineOffset = next - static_cast<float>(laidOutNext);
    } else {
        const float height = static_cast<float>(borderBoxHeight(*el)) + (flow ? flow->heightFraction() : 0);
        state.borderBottom = exactTop + height;
        state.pending = bottom;
        state.atStart = false;
        state.lineOffset = state.borderBottom + bottom.collapsed() -
                           static_cast<float>(borderTop + borderBoxHeight(*el) + el->margin_bottom());
    }
    state.lastBlock = el.get();
    state.lastBox = &box;
    return width;
}

// The element's height and bottom margin from where its blocks and lines
// ended (CSS 2.1, 10.6.3 "Block-level non-replaced elements in normal flow
// when 'overflow' computes to 'visible'" and 8.3.1).
void BlockFlow::endRender(litehtml::html_tag& self, const litehtml::box::vector& boxes, litehtml::margins& margins,
                          litehtml::position& pos, int y, int minHeight)
{
    using namespace blockflow_detail;
    Flow& flow = *m_flow;
    m_flow = flow.outer;
    const Flow::State& state = flow.now;
    // (A second pass at another width, inside the first: the first ends
    // where the second did.)
    if (m_flow)
        m_flow->now = state;
    // 1. The content ends at the last line, or at the last block that is
    //    not empty with the margins below it pending.
    float contentBottom = state.borderBottom;
    MarginStrut trailing = state.pending;
    bool empty = state.atStart;
    if (!boxes.empty() && boxes.back().get() != state.lastBox) {
        contentBottom = static_cast<float>(boxes.back()->bottom()) + state.lineOffset;
        trailing = {};
        empty = false;
    }
    // (A grid places its items again in its cells.)
    if (m_layout == Layout::Grid) {
        const int gridHeight = layoutGridItems(self, pos.width);
        if (gridHeight >= 0) {
            contentBottom = static_cast<float>(gridHeight);
            trailing = {};
            empty = gridHeight == 0;
        }
    }
    m_laidOutEmpty = empty;
    if (isQuirkContainer(self))
        trailing = trailing.withoutQuirky();
    // 2. Those margins join the element's bottom margin unless a border,
    //    padding, a set height or a flow of its own stands between.
    const bool joinsLast = !ownsFlow(self, *this) && self.padding_bottom() == 0 && self.border_bottom() == 0 &&
                           self.get_css_height().is_predefined() && minHeight == 0;
    m_bottom = {};
    m_bottom.add(m_ownBottom, m_quirkyBottom);
    float exactHeight = contentBottom;
    if (joinsLast)
        m_bottom.add(trailing);
    else
        exactHeight += trailing.collapsed();
    int height = wholePixel(flow.origin + exactHeight);
    m_contentHeight = height;
    // 3. The top margin: litehtml collapsed it again after its own rule (also
    //    with the first child's of a box with a flow of its own); the floats
    //    inside moved along with it, and move back.
    const int topMargin = wholePixel(m_top.collapsed());
    if (margins.top != topMargin) {
        self.update_floats(topMargin - margins.top, self.shared_from_this());
        margins.top = topMargin;
    }
    // 4. The rest as litehtml has it: floats inside a box with a flow of its
    //    own, a set height, min-height.
    if (self.is_floats_holder())
        height = std::max(height, self.get_floats_height());
    int set = 0;
    if (self.get_predefined_height(set))
        height = set;
    pos.height = std::max(height, minHeight);
    m_heightFraction = pos.height == m_contentHeight ? exactHeight - static_cast<float>(m_contentHeight) : 0;
    // 5. The bottom margin ends at the whole pixel nearest its exact end,
    //    where lines that follow begin.
    const float exactEnd = m_originFraction + static_cast<float>(pos.height) + m_heightFraction + m_bottom.collapsed();
    margins.bottom = wholePixel(exactEnd) - pos.height;
    pos.y = y + self.content_margins_top();
    leaveLayout();
}

} // namespace engine
