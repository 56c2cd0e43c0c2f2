#include "engine/layout/LayoutElements.h"

#include <unordered_map>

#include "engine/layout/LineBoxes.h"
#include "engine/layout/PageContainer.h"
#include "engine/layout/StyleSheetText.h"
#include "engine/layout/TableElement.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstring>
#include <string_view>
#include <utility>

#include <litehtml/el_anchor.h>
#include <litehtml/el_before_after.h>
#include <litehtml/el_break.h>
#include <litehtml/el_cdata.h>
#include <litehtml/el_comment.h>
#include <litehtml/el_div.h>
#include <litehtml/el_font.h>
#include <litehtml/el_para.h>
#include <litehtml/el_text.h>
#include <litehtml/el_tr.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>

namespace engine {

namespace layoutelements_detail {

QString attr(const litehtml::element& el, const char* name)
{
    const char* v = const_cast<litehtml::element&>(el).get_attr(name);
    return v ? QString::fromUtf8(v) : QString();
}

QString lowerTag(const litehtml::element& el)
{
    const char* t = const_cast<litehtml::element&>(el).get_tagName();
    return t ? QString::fromUtf8(t).toLower() : QString();
}

litehtml::element::ptr ancestor(const litehtml::element& el, const char* tag)
{
    for (auto p = el.parent(); p; p = p->parent()) {
        const char* t = p->get_tagName();
        if (t && strcasecmp(t, tag) == 0)
            return p;
    }
    return nullptr;
}

void addProperty(litehtml::style& style, const litehtml::element* el, const char* name, const QString& value)
{
    style.add_property(name, value.toUtf8().constData(), nullptr, false, el);
}

QRect borderBoxAt(const litehtml::element& el, int x, int y)
{
    litehtml::position pos = const_cast<litehtml::element&>(el).get_position();
    pos.x += x;
    pos.y += y;
    pos += el.get_paddings();
    pos += el.get_borders();
    return toQRect(pos);
}

litehtml::position placementOf(const litehtml::element& el)
{
    litehtml::position pos = const_cast<litehtml::element&>(el).get_position();
    if (el.get_element_position() == litehtml::element_position_fixed)
        return pos;
    for (litehtml::element::ptr at = el.parent(); at; at = at->parent()) {
        pos.x += at->get_position().x;
        pos.y += at->get_position().y;
        if (at->get_element_position() == litehtml::element_position_fixed)
            break;
    }
    return pos;
}

namespace {

// What litehtml's calc_document_size() adds of a block of its own children
// itself: its box. Where its overflow is shown, true, and where its content
// starts (`cx`, `cy`), for what its children reach. (Anything else is
// measured by litehtml whole.)
bool addOwnBox(litehtml::element& el, litehtml::size& size, int x, int y, int& cx, int& cy)
{
    auto* tag = dynamic_cast<litehtml::html_tag*>(&el);
    if (!tag || !tag->have_parent() || !el.is_visible() ||
        el.get_element_position() == litehtml::element_position_fixed) {
        el.calc_document_size(size, x, y);
        return false;
    }
    el.litehtml::element::calc_document_size(size, x, y);
    if (el.get_overflow() != litehtml::overflow_visible)
        return false;
    cx = x + el.get_position().x;
    cy = y + el.get_position().y;
    return true;
}

} // namespace

void addDocumentSize(litehtml::element& el, litehtml::size& size, int x, int y)
{
    int cx = 0;
    int cy = 0;
    if (!addOwnBox(el, size, x, y, cx, cy))
        return;
    for (const auto& child : childrenOf(el)) {
        // (Text takes the visibility of no style of its own: it is seen
        // unless left out.)
        if (child->get_display() != litehtml::display_inline_text) {
            child->calc_document_size(size, cx, cy);
        } else if (!child->skip()) {
            size.width = std::max(size.width, cx + child->right());
            size.height = std::max(size.height, cy + child->bottom());
        }
    }
}

void addWordsBlockSize(litehtml::element& block, litehtml::size& size, int x, int y)
{
    auto* tag = dynamic_cast<litehtml::html_tag*>(&block);
    const litehtml::box::vector* lines = tag ? &lineboxes::boxesOf(*tag) : nullptr;
    if (!lines ||
        std::any_of(lines->begin(), lines->end(), [](const auto& b) { return b->get_type() != litehtml::box_line; })) {
        addDocumentSize(block, size, x, y);
        return;
    }
    int cx = 0;
    int cy = 0;
    if (!addOwnBox(block, size, x, y, cx, cy))
        return;
    for (const auto& line : *lines) {
        const litehtml::elements_vector& items = lineboxes::itemsOf(*line);
        for (auto i = items.rbegin(); i != items.rend(); ++i) {
            if (!(*i)->skip() && (*i)->get_display() == litehtml::display_inline_text) {
                size.width = std::max(size.width, cx + (*i)->right());
                size.height = std::max(size.height, cy + (*i)->bottom());
                break;
            }
        }
    }
}

bool endsInEmptyLine(const litehtml::box::vector& boxes)
{
    return !boxes.empty() && boxes.back()->get_type() == litehtml::box_line && boxes.back()->is_empty();
}

bool isInlineInFlow(const litehtml::element& el)
{
    const char* display = el.get_style_property("display", false, "inline");
    return display && (strcmp(display, "inline") == 0 || strcmp(display, "inline-block") == 0 ||
                       strcmp(display, "inline-table") == 0);
}

int positionedBlock(const litehtml::element& container, const litehtml::element& el, int flowRoom)
{
    if (!el.get_css_width().is_predefined() ||
        (el.get_css_left().is_predefined() && el.get_css_right().is_predefined()))
        return -1;
    if (el.get_element_position() == litehtml::element_position_absolute) {
        for (const litehtml::element* around = &container; around; around = around->parent().get()) {
            if (around->get_element_position() == litehtml::element_position_static)
                continue;
            // (The width of a box further out is not known while its content
            // is laid out.)
            return around == &container ? flowRoom + container.padding_left() + container.padding_right() : -1;
        }
    }
    litehtml::position window;
    el.get_document()->container()->get_client_rect(window);
    return window.width > 0 ? window.width : -1;
}

int positionedRoom(const litehtml::element& container, const litehtml::element& el, int flowRoom)
{
    const int block = positionedBlock(container, el, flowRoom);
    if (block < 0)
        return flowRoom;
    const litehtml::css_length left = el.get_css_left();
    const litehtml::css_length right = el.get_css_right();
    const int offsets =
        (left.is_predefined() ? 0 : left.calc_percent(block)) + (right.is_predefined() ? 0 : right.calc_percent(block));
    return std::max(0, block - offsets);
}

bool opensFirstLine(const litehtml::element& el, const litehtml::box::vector& boxes)
{
    return el.get_display() == litehtml::display_inline_text && el.is_break() &&
           dynamic_cast<const litehtml::el_text*>(&el) &&
           (boxes.empty() || boxes.back()->get_type() != litehtml::box_line || boxes.back()->is_empty());
}

enum class Around { Nothing, Content, LineEdge };

bool isBreakElement(const litehtml::element& el)
{
    return dynamic_cast<const litehtml::el_break*>(&el) != nullptr;
}

// What stands next to child `from` of an element in the direction `step`
// (-1 before it, +1 after it), looking into inline elements: content, a
// line edge (a break or a block), or nothing. `budget` bounds the walk; when
// it runs out the answer is content.
Around scanText(const litehtml::element& container, int from, int step, int& budget)
{
    const int count = static_cast<int>(container.get_children_count());
    for (int i = from + step; i >= 0 && i < count; i += step) {
        if (--budget < 0)
            return Around::Content;
        const litehtml::element::ptr c = container.get_child(i);
        if (!c || c->is_comment() || c->is_white_space())
            continue;
        if (isBreakElement(*c))
            return Around::LineEdge;
        const litehtml::style_display display = c->get_display();
        if (display == litehtml::display_none || c->get_float() != litehtml::float_none)
            continue;
        const litehtml::element_position position = c->get_element_position();
        if (position == litehtml::element_position_absolute || position == litehtml::element_position_fixed)
            continue;
        if (display == litehtml::display_inline) {
            const int start = step < 0 ? static_cast<int>(c->get_children_count()) : -1;
            const Around inside = scanText(*c, start, step, budget);
            if (inside != Around::Nothing)
                return inside;
            continue;
        }
        return c->is_inline_box() ? Around::Content : Around::LineEdge;
    }
    return Around::Nothing;
}

// The index of a child, searched outward from its last known index, else
// from where the last search in the same parent found its child: layout asks
// for the breaks of a parent in order, so a search is short.
int childIndex(const litehtml::element& parent, const litehtml::element* child, int& hint)
{
    struct Found
    {
        const litehtml::element* parent = nullptr;
        int index = 0;
    };
    thread_local std::array<Found, 8> lastFound; // by the parent's address
    Found& last = lastFound[(reinterpret_cast<std::uintptr_t>(&parent) >> 4) % lastFound.size()];
    const int count = static_cast<int>(parent.get_children_count());
    const int guess = hint >= 0 && hint < count ? hint : last.parent == &parent ? std::min(last.index, count - 1) : 0;
    for (int d = 0; d < count; ++d) {
        for (const int i : {guess + d, guess - d - 1}) {
            if (i >= 0 && i < count && parent.get_child(i).get() == child) {
                last = Found{&parent, i};
                return hint = i;
            }
        }
        if (guess + d >= count && guess - d - 1 < 0)
            break;
    }
    return -1;
}

TextHider::TextHider(const litehtml::element& el)
{
    for (size_t i = 0; i < el.get_children_count(); ++i) {
        auto child = el.get_child(static_cast<int>(i));
        if (child && !child->skip() && dynamic_cast<const litehtml::el_text*>(child.get())) {
            child->skip(true);
            m_hidden.push_back(std::move(child));
        }
    }
}

TextHider::~TextHider()
{
    for (const auto& child : m_hidden)
        child->skip(false);
}

} // namespace layoutelements_detail

bool BreakElement::lineEdgeNextTo(int step) const
{
    using namespace layoutelements_detail;
    // Pages may hold long runs of breaks: each walk stops at the next one,
    // and a walk that runs too long keeps litehtml's line.
    int budget = 4096;
    const litehtml::element* self = this;
    size_t level = 0;
    for (litehtml::element::ptr parent = element::parent(); parent; parent = parent->parent(), ++level) {
        int scratch = -1;
        const int index = childIndex(*parent, self, level < m_indexHints.size() ? m_indexHints[level] : scratch);
        if (index < 0)
            return false;
        const Around around = scanText(*parent, index, step, budget);
        if (around != Around::Nothing)
            return around == Around::LineEdge;
        if (parent->get_display() != litehtml::display_inline)
            return true;
        self = parent.get();
    }
    return false;
}

bool BreakElement::inFlow() const
{
    if (get_float() != litehtml::float_none || get_clear() != litehtml::clear_none)
        return false;
    const litehtml::element_position position = get_element_position();
    return position != litehtml::element_position_absolute && position != litehtml::element_position_fixed;
}

bool BreakElement::is_break() const
{
    // A break with nothing after it in its line's text ends that line by
    // itself: it opens no line (litehtml would open one, and give it a
    // line's height when a block follows).
    if (Hinted::get_display() != litehtml::display_none && inFlow() && !lineEdgeNextTo(-1) && lineEdgeNextTo(1))
        return false;
    return Hinted::is_break();
}

litehtml::style_display BreakElement::get_display() const
{
    const litehtml::style_display display = Hinted::get_display();
    if (display != litehtml::display_inline_block && display != litehtml::display_inline)
        return display;
    return inFlow() && lineEdgeNextTo(-1) ? litehtml::display_block : display;
}

int BreakElement::render(int x, int y, int max_width, bool second_pass)
{
    const int width = Hinted::render(x, y, max_width, second_pass);
    if (get_display() == litehtml::display_block) {
        // The empty line: as high as a line of text in the break's font, no
        // wider than a caret, so that a point on it hits the block.
        m_pos.height = line_height();
        m_pos.width = 0;
        // Where the caret stands on the line: as text of its alignment would.
        const char* align = get_style_property("text-align", true, "left");
        const int room = std::max(0, max_width - content_margins_left() - content_margins_right());
        if (align && strcmp(align, "center") == 0)
            m_pos.x += room / 2;
        else if (align && strcmp(align, "right") == 0)
            m_pos.x += room;
        return 0;
    }
    return width;
}

namespace layoutelements_detail {
// (A class of litehtml's own may name the children it keeps for its kind.)
struct ChildrenOf : litehtml::element
{
    static constexpr litehtml::elements_vector litehtml::element::*member = &ChildrenOf::m_children;
};
} // namespace layoutelements_detail

namespace layoutelements_detail {

namespace {

bool outside(const QRect& area, const litehtml::position& clip)
{
    return area.x() + area.width() <= clip.x || area.x() >= clip.x + clip.width || area.y() + area.height() <= clip.y ||
           area.y() >= clip.y + clip.height;
}

// The children of the blocks met in the current drawing, as far as they
// paint into its area (the same for each kind of box drawn).
// Lines of so many words at least are drawn by where their words stand
// along them.
constexpr std::ptrdiff_t kLongLine = 256;

struct InView
{
    int serial = -1;
    std::unordered_map<const litehtml::element*, litehtml::elements_vector> kept;
};
thread_local InView inView;

} // namespace

ChildrenInView::ChildrenInView(litehtml::element& block, litehtml::elements_vector& children,
                               const litehtml::position* clip, int x, int y)
{
    const litehtml::style_display display = block.get_display();
    // In an inline box or a table, children stand where other boxes say.
    if (!clip || children.size() < kManyChildren || display == litehtml::display_inline ||
        display == litehtml::display_table || display == litehtml::display_inline_table)
        return;
    if (inView.serial != drawSerial) {
        inView.kept.clear();
        inView.serial = drawSerial;
    }
    auto found = inView.kept.find(&block);
    if (found == inView.kept.end()) {
        litehtml::elements_vector kept;
        const auto index = drawingIndexes ? drawingIndexes->find(&block) : ChildIndexes::const_iterator();
        if (drawingIndexes && index != drawingIndexes->end()) {
            // The children of the flow whose tops lie where what they paint
            // can reach the area, found by their order; with those always
            // drawn, in the children's order.
            const ChildIndex& at = index->second;
            const int from = clip->y - y - at.reachBelow;
            const int to = clip->y + clip->height - y + at.reachAbove;
            const auto topOf = [&children](int i) {
                const litehtml::element& child = *children[static_cast<size_t>(i)];
                return flowTop(child).value_or(const_cast<litehtml::element&>(child).get_position().y);
            };
            const auto first =
                std::partition_point(at.flow.begin(), at.flow.end(), [&](int i) { return topOf(i) <= from; });
            const auto last = std::partition_point(first, at.flow.end(), [&](int i) { return topOf(i) < to; });
            std::vector<int> drawn;
            if (at.wordsOnly && last - first >= kLongLine) {
                // Words of one top stand on one line, left to right: of a
                // long line, those whose boxes reach into the area are found
                // by where they stand along it (a line of preformatted text
                // holds hundreds of thousands).
                const auto boxOf = [&children](int i) -> const litehtml::position& {
                    return children[static_cast<size_t>(i)]->get_position();
                };
                for (auto run = first; run != last;) {
                    const int top = topOf(*run);
                    const auto runEnd = std::partition_point(run, last, [&](int i) { return topOf(i) <= top; });
                    if (runEnd - run < kLongLine) {
                        drawn.insert(drawn.end(), run, runEnd);
                    } else {
                        const auto a = std::partition_point(
                            run, runEnd, [&](int i) { return x + boxOf(i).x + boxOf(i).width <= clip->x; });
                        const auto b = std::partition_point(
                            a, runEnd, [&](int i) { return x + boxOf(i).x < clip->x + clip->width; });
                        drawn.insert(drawn.end(), a, b);
                    }
                    run = runEnd;
                }
            } else {
                drawn.assign(first, last);
            }
            childrenWalked += static_cast<long>(at.always.size());
            for (const int i : at.always) {
                const litehtml::element& child = *children[static_cast<size_t>(i)];
                const litehtml::position& pos = const_cast<litehtml::element&>(child).get_position();
                const auto* extent = dynamic_cast<const PaintExtent*>(&child);
                if (!extent || !extent->paintsOutside(clip, x + pos.x, y + pos.y))
                    drawn.push_back(i);
            }
            std::sort(drawn.begin(), drawn.end());
            for (const int i : drawn)
                kept.push_back(children[static_cast<size_t>(i)]);
        } else {
            childrenWalked += static_cast<long>(children.size());
            for (const auto& child : children) {
                const litehtml::position& pos = child->get_position();
                if (const auto* extent = dynamic_cast<const PaintExtent*>(child.get())) {
                    if (extent->paintsOutside(clip, x + pos.x, y + pos.y))
                        continue;
                } else if (child->get_display() == litehtml::display_inline_text &&
                           outside(QRect(x + pos.x, y + pos.y, pos.width, pos.height), *clip)) {
                    continue; // a word (its glyphs' overhang is in the area already)
                }
                kept.push_back(child);
            }
        }
        found = inView.kept.emplace(&block, std::move(kept)).first;
    }
    // (Lent to litehtml for each kind of box it draws, and given back: a
    // copy would take every child's count of owners up and down again.)
    childrenWalked += static_cast<long>(found->second.size());
    m_children = &children;
    m_kept = &found->second;
    m_all.swap(children);
    children.swap(*m_kept);
}

ChildrenInView::~ChildrenInView()
{
    if (!m_children)
        return;
    m_children->swap(*m_kept);
    m_children->swap(m_all);
}

void ChildrenInView::forgetDrawing()
{
    inView.kept.clear();
    inView.serial = -1;
}

} // namespace layoutelements_detail

namespace layoutelements_detail {

namespace {
// Text, comments and the boxes of ::before and ::after, which are no
// elements of the page for selectors (`nav > :last-child` is the list
// before the box of `nav::after`).
bool notAnElement(const litehtml::element& el)
{
    return dynamic_cast<const litehtml::el_text*>(&el) || dynamic_cast<const litehtml::el_comment*>(&el) ||
           dynamic_cast<const litehtml::el_cdata*>(&el) || dynamic_cast<const litehtml::el_before_after_base*>(&el);
}
} // namespace

bool selectAttributes(const litehtml::element& el, const litehtml::css_element_selector& selector,
                      litehtml::css_element_selector& rest, bool& matches)
{
    const auto& attrs = selector.m_attrs;
    const auto ours = [](const litehtml::css_attribute_selector& a) {
        return a.condition == litehtml::select_end_str ||
               (a.condition == litehtml::select_equal && a.class_val.empty() && a.attribute == "class");
    };
    if (std::none_of(attrs.begin(), attrs.end(), ours))
        return false;
    matches = true;
    rest.m_tag = selector.m_tag;
    for (const auto& a : attrs) {
        if (!ours(a)) {
            rest.m_attrs.push_back(a);
            continue;
        }
        const char* value = const_cast<litehtml::element&>(el).get_attr(a.attribute.c_str());
        const std::string_view text = value ? value : "";
        if (a.condition == litehtml::select_equal)
            matches = matches && value && text == a.val;
        else
            matches = matches && value && !a.val.empty() && text.size() >= a.val.size() &&
                      text.substr(text.size() - a.val.size()) == a.val;
    }
    return true;
}

bool isNthChild(const litehtml::elements_vector& children, const litehtml::element::ptr& el, int num, int off,
                bool ofType, bool fromEnd)
{
    int index = 0;
    const auto count = [&](const litehtml::element::ptr& child) {
        if (notAnElement(*child) || (ofType && std::strcmp(child->get_tagName(), el->get_tagName()) != 0))
            return false;
        ++index;
        return child == el;
    };
    const bool found = fromEnd ? std::any_of(children.rbegin(), children.rend(), count)
                               : std::any_of(children.begin(), children.end(), count);
    if (!found)
        return false;
    if (num == 0)
        return index == off;
    return (index - off) % num == 0 && (index - off) / num >= 0;
}

void resolveBorderWidths(const litehtml::element& el, litehtml::css_borders& borders, litehtml::margins& widths)
{
    static constexpr std::array<int, 3> kWidths{1, 3, 5};
    struct Side
    {
        litehtml::css_border* border;
        int* width;
        const char* color;
    };
    const std::array<Side, 4> sides{{{&borders.left, &widths.left, "border-left-color"},
                                     {&borders.top, &widths.top, "border-top-color"},
                                     {&borders.right, &widths.right, "border-right-color"},
                                     {&borders.bottom, &widths.bottom, "border-bottom-color"}}};
    for (const Side& side : sides) {
        if (side.border->style == litehtml::border_style_none || side.border->style == litehtml::border_style_hidden) {
            side.border->width = 0;
            *side.width = 0;
            continue;
        }
        if (const char* color = el.get_style_property(side.color, false, nullptr)) {
            const int keyword = litehtml::value_index(color, border_width_strings);
            if (keyword >= 0) {
                side.border->width.predef(keyword);
                side.border->color = const_cast<litehtml::element&>(el).get_color("color", true);
            }
        }
        if (side.border->width.is_predefined()) {
            *side.width = kWidths[std::clamp<size_t>(side.border->width.predef(), 0, kWidths.size() - 1)];
            side.border->width = static_cast<float>(*side.width);
        }
    }
}

void resolveFontRelativeLengths(const litehtml::element& el, litehtml::uint_ptr font,
                                std::initializer_list<std::pair<const char*, litehtml::css_length*>> lengths)
{
    auto* container = font ? dynamic_cast<PageContainer*>(el.get_document()->container()) : nullptr;
    if (!container)
        return;
    for (const auto& [name, length] : lengths) {
        if (length->is_predefined())
            continue;
        float unit = 0;
        if (length->units() == litehtml::css_units_ex) {
            unit = static_cast<float>(container->fonts().exactXHeight(static_cast<int>(font)));
        } else if (length->units() == litehtml::css_units_none && length->val() != 0) {
            // (litehtml reads "ch" as no unit at all.)
            const char* css = el.get_style_property(name, false, nullptr);
            const std::string_view value(css ? css : "");
            if (value.size() < 2 || value.substr(value.size() - 2) != "ch")
                continue;
            unit = static_cast<float>(container->fonts().exactTextWidth(static_cast<int>(font), "0"));
        } else {
            continue;
        }
        // (Whole pixels, as litehtml keeps lengths.)
        length->set_value(std::round(length->val() * unit), litehtml::css_units_px);
    }
}

void resolveBorderBoxHeight(litehtml::box_sizing sizing, litehtml::css_length& height,
                            const litehtml::css_margins& padding, const litehtml::css_borders& borders)
{
    if (sizing != litehtml::box_sizing_border_box || height.is_predefined() || height.units() != litehtml::css_units_px)
        return;
    const auto px = [](const litehtml::css_length& length) {
        return length.units() == litehtml::css_units_px ? length.val() : 0.0F;
    };
    const float frame = px(padding.top) + px(padding.bottom) + px(borders.top.width) + px(borders.bottom.width);
    height.set_value(std::max(height.val() - frame, 0.0F), litehtml::css_units_px);
}

void resolveTableSpacing(const litehtml::element& el, int fontSize, int& spacingX, int& spacingY)
{
    const char* collapse = el.get_style_property("border-collapse", true, "separate");
    if (collapse && strcasecmp(collapse, "collapse") == 0) {
        spacingX = spacingY = 0;
        return;
    }
    const auto spacing = [&](const char* name) {
        litehtml::css_length length;
        length.fromString(el.get_style_property(name, true, "0px"), "0px");
        return std::max(0, el.get_document()->cvt_units(length, fontSize));
    };
    spacingX = spacing("-litehtml-border-spacing-x");
    spacingY = spacing("-litehtml-border-spacing-y");
}

int styledSideMargins(const litehtml::css_margins& styled, const litehtml::margins& margins)
{
    return (styled.left.is_predefined() ? 0 : margins.left) + (styled.right.is_predefined() ? 0 : margins.right);
}

namespace {
// The line height and face a line box of litehtml keeps for its strut, which
// it does not let us change: reached through the explicit instantiation of
// a template, which may name private members.
template <typename Tag, typename Tag::type Member> struct PrivateMember
{
    friend typename Tag::type memberOf(Tag) { return Member; }
};
struct LineStrutHeight
{
    using type = int litehtml::line_box::*;
    friend type memberOf(LineStrutHeight);
};
struct LineStrutFace
{
    using type = litehtml::font_metrics litehtml::line_box::*;
    friend type memberOf(LineStrutFace);
};
template struct PrivateMember<LineStrutHeight, &litehtml::line_box::m_line_height>;
template struct PrivateMember<LineStrutFace, &litehtml::line_box::m_font_metrics>;
} // namespace

void noteWrap(const litehtml::box& line)
{
    if (line.get_type() != litehtml::box_line || line.is_empty())
        return;
    const litehtml::elements_vector& items = lineboxes::itemsOf(line);
    if (!items.empty() && !items.back()->is_break())
        ++wrappedLines;
}

void applyLineHeightQuirk(const litehtml::element& block, litehtml::box::vector& boxes,
                          const litehtml::font_metrics& metrics, LineStrut& state)
{
    if (boxes.empty() || boxes.back()->get_type() != litehtml::box_line)
        return;
    auto& line = static_cast<litehtml::line_box&>(*boxes.back());
    const litehtml::elements_vector& items = lineboxes::itemsOf(line);
    // Only what came since the last call is looked at (a line of
    // preformatted text may hold thousands of pieces); the line may have
    // given pieces back to make room for a float.
    if (state.line != &line || items.size() < state.seen)
        state = LineStrut{&line};
    for (; state.seen < items.size(); ++state.seen) {
        const litehtml::element& item = *items[state.seen];
        // (The comments that mark where each text begins are not content.)
        if (item.is_comment())
            continue;
        ++state.pieces;
        // (White space before a break goes with it.)
        const auto* br = dynamic_cast<const BreakElement*>(&item);
        state.strut = state.strut || (state.spaceBefore && !br);
        state.spaceBefore = false;
        const litehtml::style_display display = item.get_display();
        const auto* kept =
            display == litehtml::display_inline_block ? dynamic_cast<const EmptyInlineBox*>(&item) : nullptr;
        if (kept && kept->keptAsBox())
            state.strut = true;
        else if (item.parent().get() != &block)
            continue;
        else if (br && !item.is_break() && state.seen > 0) {
            // A break that ends its line by itself: the white space before it
            // goes with it, also from the line's height.
            auto& before = *items[state.seen - 1];
            if (dynamic_cast<const EdgeSpace*>(&before) && !before.skip())
                before.skip(true);
        } else if (item.is_break()) {
            // (litehtml puts the break that ended the line before at the start
            // of the next: that one makes no line of its own.)
            if (br && br->followsTextOfItsLine())
                --state.pieces;
            else
                state.strut = state.strut || state.pieces == 1;
        } else if (item.is_white_space())
            state.spaceBefore = !item.skip();
        else if (display == litehtml::display_inline_text)
            state.strut = true;
    }
    line.*memberOf(LineStrutHeight{}) = state.strut ? block.line_height() : 0;
    line.*memberOf(LineStrutFace{}) = state.strut ? metrics : litehtml::font_metrics{};
}

void resolveEmptyInline(const litehtml::element& el, const litehtml::css_margins& padding,
                        const litehtml::margins& borders, litehtml::style_display& display, bool& keptAsBox)
{
    keptAsBox = false;
    if (display != litehtml::display_inline || el.is_replaced() || el.is_break())
        return;
    for (const auto& child : childrenOf(el))
        if (!child->is_comment())
            return;
    const bool padded =
        padding.left.val() > 0 || padding.right.val() > 0 || padding.top.val() > 0 || padding.bottom.val() > 0;
    if (!padded && borders.left + borders.right + borders.top + borders.bottom == 0)
        return;
    display = litehtml::display_inline_block;
    keptAsBox = true;
}

namespace {
bool holdsLines(const litehtml::element& el)
{
    const litehtml::style_display display = el.get_display();
    return display != litehtml::display_inline && display != litehtml::display_inline_text &&
           display != litehtml::display_none && !el.is_replaced();
}

bool startsBlock(const litehtml::element& el)
{
    switch (el.get_display()) {
    case litehtml::display_inline:
    case litehtml::display_inline_text:
    case litehtml::display_inline_block:
    case litehtml::display_inline_table:
    case litehtml::display_none:
        return false;
    default:
        return true;
    }
}

// Makes `el`, or the first (or last) piece of text through the inline
// elements it starts with (or ends with), EdgeSpace where it is white space.
// `at`: the index of `el` among its parent's children (a box of lines may
// hold hundreds of thousands: looking it up there would take each edge that
// long).
void markEdge(litehtml::element* el, size_t at, bool last)
{
    while (el && el->get_display() == litehtml::display_inline && !el->is_replaced() && el->have_inline_child()) {
        const litehtml::elements_vector& children = childrenOf(*el);
        litehtml::element* edge = nullptr;
        for (size_t k = 0; k < children.size() && !edge; ++k) {
            const size_t i = last ? children.size() - 1 - k : k;
            litehtml::element* child = children[i].get();
            if (!child->is_comment() && child->get_display() != litehtml::display_none) {
                edge = child;
                at = i;
            }
        }
        el = edge;
    }
    if (!el || !el->is_white_space() || el->is_break() || dynamic_cast<EdgeSpace*>(el))
        return;
    const litehtml::element::ptr parent = el->parent();
    litehtml::elements_vector& siblings = (*parent).*ChildrenOf::member;
    if (at >= siblings.size() || siblings[at].get() != el) {
        const auto found =
            std::find_if(siblings.begin(), siblings.end(), [el](const auto& c) { return c.get() == el; });
        if (found == siblings.end())
            return;
        at = static_cast<size_t>(found - siblings.begin());
    }
    litehtml::tstring text;
    el->get_text(text);
    auto space = std::make_shared<EdgeSpace>(text.c_str(), el->get_document());
    space->parent(parent);
    space->parse_styles(false);
    siblings[at] = space;
}
} // namespace

void markEdgeSpacesOf(litehtml::element& box, size_t from, size_t to)
{
    if (!holdsLines(box))
        return;
    // Lines begin and end at the box's edges and at the blocks in it.
    const litehtml::elements_vector& children = childrenOf(box);
    // (Boxes out of the flow end no line: the text goes on beside them.
    // Words in a box of lines stand in the flow; asking them says so the
    // long way round.)
    const auto inLine = [&children](size_t k) {
        if (children[k]->get_display() == litehtml::display_inline_text)
            return !children[k]->is_comment();
        const litehtml::element_position position = children[k]->get_element_position();
        return !children[k]->is_comment() && position != litehtml::element_position_absolute &&
               position != litehtml::element_position_fixed;
    };
    litehtml::element* before = nullptr; // the last child since a block, not a comment
    size_t beforeAt = 0;
    bool lineStarts = true;
    // What the walk knows after a child is that child's: it begins after
    // the child before `from`, and ends after the first child from `to` on.
    size_t k = std::min(from, children.size());
    while (k > 0 && !inLine(k - 1))
        --k;
    if (k > 0) {
        const bool block = startsBlock(*children[k - 1]);
        before = block ? nullptr : children[k - 1].get();
        beforeAt = k - 1;
        lineStarts = block;
    }
    for (; k < children.size(); ++k) {
        if (!inLine(k))
            continue;
        const bool word = children[k]->get_display() == litehtml::display_inline_text;
        const bool block = startsBlock(*children[k]);
        // (White space before a line break ends its line too.)
        if ((block || (!word && dynamic_cast<const litehtml::el_break*>(children[k].get()))) && before)
            markEdge(before, beforeAt, true);
        if (!block && lineStarts)
            markEdge(children[k].get(), k, false);
        // (The child may have been replaced.)
        before = block ? nullptr : children[k].get();
        beforeAt = k;
        lineStarts = block;
        if (k >= to)
            return;
    }
    if (before)
        markEdge(before, beforeAt, true);
}

void markEdgeSpaces(litehtml::element& from)
{
    std::vector<litehtml::element*> stack{&from};
    while (!stack.empty()) {
        litehtml::element* el = stack.back();
        stack.pop_back();
        markEdgeSpacesOf(*el);
        for (const auto& child : childrenOf(*el))
            if (!child->is_comment() && child->get_display() != litehtml::display_inline_text)
                stack.push_back(child.get());
    }
}

void markEdgeSpacesInside(litehtml::element& open, const std::function<bool(const litehtml::element&)>& isOpen)
{
    for (const auto& child : childrenOf(open)) {
        if (child->is_comment() || child->get_display() == litehtml::display_inline_text)
            continue;
        if (isOpen(*child))
            markEdgeSpacesInside(*child, isOpen);
        else
            markEdgeSpaces(*child);
    }
}

void markEdgeSpacesOfOpen(litehtml::element& open, const std::function<bool(const litehtml::element&)>& isOpen)
{
    markEdgeSpacesOf(open);
    for (const auto& child : childrenOf(open))
        if (!child->is_comment() && child->get_display() != litehtml::display_inline_text && isOpen(*child))
            markEdgeSpacesOfOpen(*child, isOpen);
}

void resolveVerticalAlign(const litehtml::element& el, litehtml::vertical_align& align)
{
    if (!el.get_style_property("vertical-align", false, nullptr))
        align = litehtml::va_baseline;
}

void resolveUnknownDisplay(const litehtml::element& el, litehtml::style_display& display)
{
    const char* css = el.get_style_property("display", false, nullptr);
    if (!css)
        return;
    const std::string_view value(css);
    if (value == "flex" || value == "grid" || value == "flow-root")
        display = litehtml::display_block;
    else if (value == "inline-flex" || value == "inline-grid")
        display = el.get_float() != litehtml::float_none ||
                          el.get_element_position() == litehtml::element_position_absolute ||
                          el.get_element_position() == litehtml::element_position_fixed
                      ? litehtml::display_block
                      : litehtml::display_inline_block;
}

litehtml::element::ptr adjacentSibling(const litehtml::elements_vector& children, const litehtml::element::ptr& el,
                                       const litehtml::css_selector& selector, bool applyPseudo, bool* isPseudo)
{
    litehtml::element::ptr before;
    for (const auto& child : children) {
        if (child == el) {
            if (!before)
                return nullptr;
            const int match = before->select(selector, applyPseudo);
            if (match == litehtml::select_no_match)
                return nullptr;
            if (isPseudo)
                *isPseudo = (match & litehtml::select_match_pseudo_class) != 0;
            return before;
        }
        if (!notAnElement(*child))
            before = child;
    }
    return nullptr;
}

} // namespace layoutelements_detail

namespace layoutelements_detail {

namespace {

// The end of the parenthesis opened just before `from` (the index of its
// closing one), or npos.
size_t closingParenthesis(std::string_view text, size_t from)
{
    const size_t at = csstext::scan(text, from, [&](size_t i, int depth) { return text[i] == ')' && depth == 0; });
    return at < text.size() ? at : std::string_view::npos;
}

std::string_view trimmedText(std::string_view s)
{
    while (!s.empty() && static_cast<unsigned char>(s.front()) <= ' ')
        s.remove_prefix(1);
    while (!s.empty() && static_cast<unsigned char>(s.back()) <= ' ')
        s.remove_suffix(1);
    return s;
}

bool startsVariableAt(std::string_view text, size_t i)
{
    return text.compare(i, 4, "var(") == 0 &&
           (i == 0 || !(std::isalnum(static_cast<unsigned char>(text[i - 1])) || text[i - 1] == '-'));
}

// `value` with each var() in it replaced by the custom property it names
// (`lookup`), else by its fallback; false when one has neither (the
// declaration is then void, as in a browser).
template <class Lookup> bool substitute(std::string_view value, std::string& out, const Lookup& lookup, int depth)
{
    if (depth > 16)
        return false; // (custom properties that name one another in a ring)
    size_t copied = 0;
    for (size_t i = 0; i < value.size(); ++i) {
        if (!startsVariableAt(value, i))
            continue;
        const size_t close = closingParenthesis(value, i + 4);
        if (close == std::string_view::npos)
            return false;
        const std::string_view inside = value.substr(i + 4, close - i - 4);
        const size_t comma = inside.find(',');
        const std::string name(trimmedText(inside.substr(0, comma)));
        out.append(value.substr(copied, i - copied));
        const char* found = name.size() > 2 && name[0] == '-' && name[1] == '-' ? lookup(name) : nullptr;
        if (found && *found) {
            if (!substitute(found, out, lookup, depth + 1))
                return false;
        } else if (comma != std::string_view::npos) {
            if (!substitute(trimmedText(inside.substr(comma + 1)), out, lookup, depth + 1))
                return false;
        } else {
            return false;
        }
        copied = close + 1;
        i = close;
    }
    out.append(value.substr(copied));
    return true;
}

} // namespace

std::string withVariables(const litehtml::element& el, const std::string& declarations)
{
    // The declarations, split at their semicolons (not those in strings or
    // parentheses).
    std::vector<std::string_view> parts;
    const std::string_view text(declarations);
    size_t start = 0;
    csstext::scan(text, 0, [&](size_t i, int depth) {
        if (text[i] == ';' && depth <= 0) {
            parts.push_back(text.substr(start, i - start));
            start = i + 1;
        }
        return false;
    });
    parts.push_back(text.substr(start));
    // Custom properties declared here count before those of the element
    // and its ancestors.
    std::unordered_map<std::string, std::string> own;
    for (const std::string_view part : parts) {
        const size_t colon = part.find(':');
        const std::string_view name = trimmedText(part.substr(0, colon));
        if (colon != std::string_view::npos && name.size() > 2 && name.substr(0, 2) == "--")
            own[std::string(name)] = std::string(trimmedText(part.substr(colon + 1)));
    }
    const auto lookup = [&](const std::string& name) -> const char* {
        const auto found = own.find(name);
        return found != own.end() ? found->second.c_str() : el.get_style_property(name.c_str(), true, nullptr);
    };
    std::string out;
    out.reserve(declarations.size());
    for (const std::string_view part : parts) {
        const size_t colon = part.find(':');
        const std::string_view name = trimmedText(part.substr(0, colon));
        if (colon == std::string_view::npos || part.find("var(") == std::string_view::npos ||
            name.substr(0, 2) == "--") {
            out.append(part).push_back(';');
            continue;
        }
        std::string value;
        if (!substitute(part.substr(colon + 1), value, lookup, 0))
            continue;
        out.append(name).push_back(':');
        out.append(value).push_back(';');
    }
    return out;
}

} // namespace layoutelements_detail

const litehtml::elements_vector& childrenOf(const litehtml::element& el)
{
    return el.*layoutelements_detail::ChildrenOf::member;
}

std::optional<int> layoutelements_detail::flowTop(const litehtml::element& child)
{
    litehtml::element& el = const_cast<litehtml::element&>(child);
    const int own = el.get_position().y;
    if (el.get_display() != litehtml::display_inline)
        return own;
    for (const auto& inner : childrenOf(el)) {
        const litehtml::element_position position = inner->get_element_position();
        if (inner->is_comment() || inner->skip() || inner->get_display() == litehtml::display_none ||
            inner->get_float() != litehtml::float_none || position == litehtml::element_position_absolute ||
            position == litehtml::element_position_fixed)
            continue;
        if (const std::optional<int> top = flowTop(*inner))
            return own + *top;
    }
    return std::nullopt;
}

namespace {

// Sizes of the keywords xx-small .. xx-large as browsers take them for the
// default size of 16 px, and for monospace text (13 px).
constexpr std::array<float, 7> kKeywordSizes{9, 10, 13, 16, 18, 24, 32};
constexpr std::array<float, 7> kMonospaceKeywordSizes{9, 9, 10, 13, 16, 20, 26};
constexpr float kMonospaceScale = 13.0f / 16.0f;

bool onlyGenericMonospace(const char* family)
{
    QString name = QString::fromUtf8(family ? family : "").trimmed();
    if (name.size() >= 2 && (name.front() == '"' || name.front() == '\'') && name.back() == name.front())
        name = name.mid(1, name.size() - 2).trimmed();
    return name.compare(QLatin1String("monospace"), Qt::CaseInsensitive) == 0;
}

} // namespace

void ExactFontSize::noteFontSize(litehtml::element& self, int& fontSize, litehtml::font_metrics& metrics,
                                 litehtml::uint_ptr& font)
{
    const int rounded = fontSize;
    const auto parent = self.parent();
    const auto* parentSize = dynamic_cast<const ExactFontSize*>(parent.get());
    const bool known = parentSize && parentSize->exactFontSize() > 0;
    const float inherited = known    ? parentSize->exactFontSize()
                            : parent ? static_cast<float>(parent->get_font_size())
                                     : static_cast<float>(kKeywordSizes[3]);
    const bool parentMonospace = known && parentSize->m_monospace;
    m_monospace = onlyGenericMonospace(self.get_style_property("font-family", true, nullptr));
    m_absoluteSize = known && parentSize->m_absoluteSize;
    m_keyword = known ? parentSize->m_keyword : 4;
    // 1. The size as browsers compute it: unrounded for the units that scale
    //    the parent's size and for absolute units, the keywords from the
    //    browsers' tables; litehtml's own for the rest.
    m_exactFontSize = static_cast<float>(rounded);
    bool ours = true;
    const char* value = self.get_style_property("font-size", false, nullptr);
    if (!value)
        m_exactFontSize = inherited;
    else {
        litehtml::css_length size;
        size.fromString(value, font_size_strings);
        m_keyword = 0;
        if (size.is_predefined()) {
            const int predefined = size.predef();
            if (predefined <= litehtml::fontSize_xx_large) {
                m_keyword = predefined + 1;
                m_absoluteSize = false;
            } else {
                m_exactFontSize = predefined == litehtml::fontSize_smaller ? inherited / 1.2f : inherited * 1.2f;
            }
        } else {
            switch (size.units()) {
            case litehtml::css_units_percentage:
                m_exactFontSize = inherited * size.val() / 100;
                break;
            case litehtml::css_units_em:
                m_exactFontSize = inherited * size.val();
                break;
            case litehtml::css_units_px:
                m_exactFontSize = size.val();
                m_absoluteSize = true;
                break;
            case litehtml::css_units_pt:
                m_exactFontSize = size.val() * 4 / 3;
                m_absoluteSize = true;
                break;
            default:
                ours = false; // (litehtml's size stands)
                m_absoluteSize = true;
                break;
            }
        }
    }
    // 2. Text of the generic monospace face is smaller where the size is not
    //    fixed in absolute units, and grows back in another face.
    if (m_keyword > 0)
        m_exactFontSize = (m_monospace ? kMonospaceKeywordSizes : kKeywordSizes)[static_cast<size_t>(m_keyword - 1)];
    else if (!m_absoluteSize && m_monospace != parentMonospace && ours)
        m_exactFontSize = m_monospace ? m_exactFontSize * kMonospaceScale : m_exactFontSize / kMonospaceScale;
    if (!ours || m_exactFontSize <= 0) {
        m_exactFontSize = static_cast<float>(rounded);
        return;
    }
    // 3. The font of that size and its line metrics.
    fontSize = std::max(1, static_cast<int>(std::lround(m_exactFontSize)));
    if (fontSize != rounded && font) {
        font = self.get_document()->get_font(self.get_style_property("font-family", true, "inherit"), fontSize,
                                             self.get_style_property("font-weight", true, "normal"),
                                             self.get_style_property("font-style", true, "normal"),
                                             self.get_style_property("text-decoration", true, "none"), &metrics);
    }
    if (std::abs(m_exactFontSize - static_cast<float>(fontSize)) < 0.01f || !font)
        return;
    auto* container = dynamic_cast<PageContainer*>(self.get_document()->container());
    if (!container)
        return;
    font = static_cast<litehtml::uint_ptr>(container->fonts().atExactSize(static_cast<int>(font), m_exactFontSize));
    const FontMetricsPx& exact = container->fonts().metrics(static_cast<int>(font));
    metrics.ascent = exact.ascent;
    metrics.descent = exact.descent;
    metrics.height = exact.height;
}

void ExactFontSize::noteLineHeight(litehtml::element& self, int& lineHeight) const
{
    litehtml::css_length css;
    css.fromString(self.get_style_property("line-height", true, "normal"), "normal");
    if (css.is_predefined() || m_exactFontSize <= 0)
        return;
    float factor = 0;
    switch (css.units()) {
    case litehtml::css_units_none:
    case litehtml::css_units_em:
        factor = css.val();
        break;
    case litehtml::css_units_percentage:
        factor = css.val() / 100;
        break;
    default:
        return;
    }
    const auto parent = self.parent();
    if (css.units() != litehtml::css_units_none && parent && !self.get_style_property("line-height", false, nullptr)) {
        lineHeight = parent->line_height();
        return;
    }
    lineHeight = static_cast<int>(std::lround(factor * m_exactFontSize));
}

int layoutNodeId(const litehtml::element& el)
{
    const char* v = const_cast<litehtml::element&>(el).get_attr(kNodeIdAttribute);
    if (!v)
        return -1;
    char* end = nullptr;
    const long id = strtol(v, &end, 10);
    return end != v ? static_cast<int>(id) : -1;
}

namespace layoutelements_detail {

// The declarations a litehtml style keeps, which it lends out only by name:
// an explicit instantiation may name a private member, and hands it to the
// function declared here.
using PropertiesMember = litehtml::props_map litehtml::style::*;
struct StyleProperties
{
    friend PropertiesMember propertiesOf(StyleProperties);
};
template <PropertiesMember Member> struct StylePropertiesOf
{
    friend PropertiesMember propertiesOf(StyleProperties) { return Member; }
};
template struct StylePropertiesOf<&litehtml::style::m_properties>;

const char* ownProperty(const litehtml::style& style, const char* name)
{
    thread_local std::string key; // (keeps its room from name to name)
    key.assign(name);
    const litehtml::props_map& properties = style.*propertiesOf(StyleProperties{});
    const auto found = properties.find(key);
    return found == properties.end() ? nullptr : found->second.m_value.c_str();
}

const char* ownProperty(const litehtml::style& style, const char* name, InheritedStyles& kept)
{
    const litehtml::props_map& properties = style.*propertiesOf(StyleProperties{});
    const auto read = [&properties](const auto& keep) {
        for (const auto& [ownName, property] : properties)
            keep(ownName.data(), ownName.size(), property.m_value.c_str());
    };
    const char* value = nullptr;
    return kept.findOwn(name, read, value) ? value : ownProperty(style, name);
}

void takeDeclarations(litehtml::style& style, const litehtml::style& from)
{
    // As litehtml's style::combine, without checking the values again
    // against the keywords their properties allow: `from` took them only
    // once they passed that check.
    litehtml::props_map& properties = style.*propertiesOf(StyleProperties{});
    for (const auto& [name, declared] : from.*propertiesOf(StyleProperties{})) {
        const auto [at, added] = properties.try_emplace(name, declared);
        if (!added && (!at->second.m_important || declared.m_important))
            at->second = declared;
    }
}

// (A class of litehtml's own may name the attributes it keeps for its kind.)
struct AttributesOf : litehtml::html_tag
{
    static constexpr litehtml::string_map litehtml::html_tag::*member = &AttributesOf::m_attrs;
};

void addHints(const litehtml::element& el, litehtml::style& style, const litehtml::element* forVariables)
{
    HintSource source;
    source.tag = lowerTag(el);
    source.attribute = [&el](const char* name) { return attr(el, name); };
    source.ancestorAttribute = [&el](const char* tag, const char* name) {
        const auto a = ancestor(el, tag);
        return a ? attr(*a, name) : QString();
    };
    for (const StyleHint& hint : presentationalHints(source))
        addProperty(style, forVariables, hint.property.toUtf8().constData(), hint.value);
}

// Appends the attributes the hints may read to the key of an element's hints.
void appendHintAttributes(std::string& key, const litehtml::element& el)
{
    const auto* tag = dynamic_cast<const litehtml::html_tag*>(&el);
    if (!tag)
        return;
    for (const auto& [name, value] : tag->*AttributesOf::member) {
        const HintUse use = hintUseOf(name);
        if (use == HintUse::Ignored)
            continue;
        key.append(name).push_back('\0');
        if (use == HintUse::Value)
            key.append(value);
        key.push_back('\0');
    }
}

} // namespace layoutelements_detail

void applyPresentationalHints(litehtml::element& el, litehtml::style& style)
{
    using namespace layoutelements_detail;
    if (!tagTakesHints(el.get_tagName()))
        return;
    // The hints follow from the tag and the attributes of the element and of
    // one ancestor: those of the elements alike (the cells of one table, the
    // paragraphs of one page) are read into declarations once per thread,
    // which each such element takes over.
    std::string key = el.get_tagName();
    std::transform(key.begin(), key.end(), key.begin(),
                   [](char c) { return c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c; });
    const char* above = hintAncestorOf(key);
    key.push_back('\0');
    appendHintAttributes(key, el);
    if (above) {
        key.push_back('\1');
        if (const auto a = ancestor(el, above))
            appendHintAttributes(key, *a);
    }
    if (key.find('(') != std::string::npos) {
        addHints(el, style, &el); // (what may name a custom property: read for the element)
        return;
    }
    thread_local std::unordered_map<std::string, litehtml::style> read;
    auto found = read.find(key);
    if (found == read.end()) {
        if (read.size() >= 4096)
            read.clear();
        found = read.emplace(std::move(key), litehtml::style()).first;
        addHints(el, found->second, nullptr);
    }
    takeDeclarations(style, found->second);
}

StyleSheetElement::StyleSheetElement(const std::shared_ptr<litehtml::document>& doc,
                                     const litehtml::string_map& attributes)
    : litehtml::element(doc)
{
    const auto media = attributes.find("media");
    m_hasMedia = media != attributes.end();
    if (m_hasMedia)
        m_media = media->second;
}

bool StyleSheetElement::appendChild(const litehtml::element::ptr& el)
{
    m_text.push_back(el);
    return true;
}

void StyleSheetElement::parse_attributes()
{
    std::string text;
    for (const auto& el : m_text)
        el->get_text(text);
    layoutelements_detail::quoteAttributeValues(text);
    splitNegationLists(text);
    readMediaFeatures(text);
    std::string media = m_media;
    readMediaQuery(media);
    get_document()->add_stylesheet(text.c_str(), nullptr, m_hasMedia ? media.c_str() : nullptr);
}

void layoutelements_detail::quoteAttributeValues(std::string& css)
{
    char quote = 0; // the quote of the string being read
    bool inSelector = false;
    for (size_t i = 0; i < css.size(); ++i) {
        const char c = css[i];
        if (quote) {
            if (c == '\\')
                ++i;
            else if (c == quote)
                quote = 0;
        } else if (c == '/' && i + 1 < css.size() && css[i + 1] == '*') {
            const size_t end = css.find("*/", i + 2);
            i = end == std::string::npos ? css.size() : end + 1;
        } else if (c == '[') {
            inSelector = true;
        } else if (c == ']') {
            inSelector = false;
        } else if (c == '"' || c == '\'') {
            quote = c;
            const size_t end = css.find(c, i + 1);
            if (inSelector && c == '\'' && end != std::string::npos &&
                std::string_view(css).substr(i + 1, end - i - 1).find_first_of("\"\\") == std::string_view::npos) {
                css[i] = '"';
                css[end] = '"';
                i = end;
                quote = 0;
            }
        }
    }
}

std::shared_ptr<litehtml::element> createLayoutElement(const char* tagIn, const litehtml::string_map& attributes,
                                                       const std::shared_ptr<litehtml::document>& doc,
                                                       PageContainer& container)
{
    if (!tagIn)
        return nullptr;
    std::string tag = tagIn;
    std::transform(tag.begin(), tag.end(), tag.begin(),
                   [](char c) { return c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c; });
    std::shared_ptr<litehtml::element> el;
    if (tag == "img")
        el = std::make_shared<ImageElement>(doc, container);
    else if (tag == "td" || tag == "th")
        el = std::make_shared<CellElement>(doc, container);
    else if (tag == "body")
        el = std::make_shared<BodyElement>(doc, container);
    else if (tag == "html")
        el = std::make_shared<RootElement>(doc);
    else if (tag == "table")
        el = std::make_shared<TableElement>(doc);
    else if (tag == "marquee")
        el = std::make_shared<MarqueeElement>(doc);
    else if (tag == "embed" || tag == "object" || tag == "applet" || tag == "input" || tag == "select" ||
             tag == "textarea" || tag == "button")
        el = std::make_shared<PlaceholderElement>(doc, container);
    else if (tag == "font")
        el = std::make_shared<Hinted<litehtml::el_font>>(doc);
    else if (tag == "p")
        el = std::make_shared<Hinted<litehtml::el_para>>(doc);
    else if (tag == "div")
        el = std::make_shared<Hinted<litehtml::el_div>>(doc);
    else if (tag == "tr")
        el = std::make_shared<Hinted<litehtml::el_tr>>(doc);
    else if (tag == "a")
        el = std::make_shared<Hinted<litehtml::el_anchor>>(doc);
    else if (tag == "br")
        el = std::make_shared<BreakElement>(doc);
    else if (tag == "li")
        el = std::make_shared<ListItemElement>(doc);
    else if (tag == "style")
        el = std::make_shared<StyleSheetElement>(doc, attributes);
    else if (tag != "link" && tag != "title" && tag != "style" && tag != "base" && tag != "script")
        // Every element that may draw is ours, so that what a hidden one
        // holds can be drawn.
        el = std::make_shared<Hinted<litehtml::html_tag>>(doc);
    if (el)
        el->set_tagName(tag.c_str());
    return el;
}

// ---------------------------------------------------------------------------

void RootElement::calc_document_size(litehtml::size& sz, int x, int y)
{
    m_laidOutWidth = m_pos.width;
    m_laidOutHeight = m_pos.height;
    Hinted::calc_document_size(sz, x, y);
    m_stretchedHeight = m_pos.height;
    m_reach = sz.height;
}

litehtml::size RootElement::measureExtent()
{
    // A block laid out again since moved the content's end (and set the
    // root's height): the root reaches down to it.
    if (m_pos.height != m_stretchedHeight) {
        m_laidOutHeight = 0;
        for (const auto& child : childrenOf(*this)) {
            if (child->in_normal_flow())
                m_laidOutHeight = std::max(m_laidOutHeight, child->bottom());
        }
    }
    m_pos.width = m_laidOutWidth;
    m_pos.height = m_laidOutHeight;
    litehtml::size size;
    calc_document_size(size);
    return size;
}

void RootElement::moveFlowEnd(int dy, int viewHeight)
{
    // What reaches farthest down is at the flow's end: the last blocks'
    // margins, which may reach past the root's own end.
    m_laidOutHeight += dy;
    m_reach += dy;
    m_pos.height = std::max(m_reach, viewHeight) - content_margins_top() - content_margins_bottom();
    m_stretchedHeight = m_pos.height;
}

// ---------------------------------------------------------------------------

namespace {
// The text an element shows: the comments that mark its text nodes for the
// layout are left out.
void appendShownText(const litehtml::element& el, QString& out)
{
    if (dynamic_cast<const litehtml::el_comment*>(&el))
        return;
    if (dynamic_cast<const litehtml::el_text*>(&el)) {
        litehtml::tstring text;
        const_cast<litehtml::element&>(el).get_text(text);
        out += QString::fromStdString(text);
        return;
    }
    for (const auto& child : childrenOf(el))
        appendShownText(*child, out);
}
} // namespace

void PlaceholderElement::parse_attributes()
{
    using namespace layoutelements_detail;
    Hinted::parse_attributes();
    const QString tag = lowerTag(*this);
    const QString type = attr(*this, "type").trimmed().toLower();
    m_kind = PageContainer::PlaceholderObject;
    m_control = Control::None;
    if (tag == QLatin1String("input")) {
        if (type == QLatin1String("hidden")) {
            addProperty(m_style, this, "display", QStringLiteral("none"));
            return;
        }
        if (type == QLatin1String("checkbox") || type == QLatin1String("radio")) {
            m_kind = type == QLatin1String("radio") ? PageContainer::PlaceholderRadio : PageContainer::PlaceholderCheck;
            m_control = Control::Box;
            addProperty(m_style, this, "margin", QStringLiteral("3px 3px 3px 4px"));
        } else if (type == QLatin1String("submit") || type == QLatin1String("reset") ||
                   type == QLatin1String("button")) {
            m_kind = PageContainer::PlaceholderButton;
            m_control = Control::Button;
            m_label = attr(*this, "value");
            if (m_label.isNull())
                m_label = type == QLatin1String("submit")  ? QStringLiteral("送信")
                          : type == QLatin1String("reset") ? QStringLiteral("リセット")
                                                           : QString();
        } else {
            m_kind = PageContainer::PlaceholderField;
            m_control = type == QLatin1String("file") ? Control::FileField : Control::Field;
            m_label = type == QLatin1String("password") ? QString(attr(*this, "value").size(), QChar(0x25CF))
                                                        : attr(*this, "value");
            m_count = attr(*this, "size").toInt();
        }
    } else if (tag == QLatin1String("select")) {
        m_kind = PageContainer::PlaceholderList;
        m_count = attr(*this, "size").toInt();
        m_control = m_count > 1 ? Control::ListBox : Control::List;
        for (const auto& child : m_children) {
            QString text;
            appendShownText(*child, text);
            m_options.push_back(text.simplified());
            if (m_label.isEmpty())
                m_label = m_options.back();
        }
    } else if (tag == QLatin1String("textarea")) {
        m_kind = PageContainer::PlaceholderField;
        m_label = m_content.section('\n', 0, 0);
        FontCatalog& fonts = m_container.fonts();
        const int cols = attr(*this, "cols").toInt();
        const int rows = attr(*this, "rows").toInt();
        // Columns of the monospace face's advance, lines of its height, a
        // scroll bar beside them.
        const int mono = fonts.atExactSize(fonts.font(QStringLiteral("monospace"), 13, 400, false, 0), 40.0 / 3);
        setDefaultSize(static_cast<int>(std::lround((cols > 0 ? cols : 20) * fonts.exactTextWidth(mono, "0") + 21.7)),
                       (rows > 0 ? rows : 2) * fonts.metrics(mono).height + 6);
    } else if (tag == QLatin1String("button")) {
        m_kind = PageContainer::PlaceholderButton;
        m_control = Control::Button;
        m_label = m_content.simplified();
    } else {
        m_label = tag.toUpper();
        setDefaultSize(150, 150);
    }
}

void PlaceholderElement::setDefaultSize(int width, int height)
{
    using layoutelements_detail::addProperty;
    // The size attributes of plug-ins came as hints above; style sheets and
    // the style attribute still override these defaults.
    if (m_style.get_property("width") == nullptr)
        addProperty(m_style, this, "width", QStringLiteral("%1px").arg(width));
    if (m_style.get_property("height") == nullptr)
        addProperty(m_style, this, "height", QStringLiteral("%1px").arg(height));
}

void PlaceholderElement::parse_styles(bool is_reparse)
{
    Hinted::parse_styles(is_reparse);
    if (m_control == Control::None)
        return;
    // Controls are drawn in a face of their own (Arial of 13 1/3 px unless
    // the page gave them a size or face), their frame and inner spacing
    // (which a browser's own style gives them) inside the box, except on
    // the sides where the page set its own padding or border: those come
    // around the box as on any element. The box's content is one line of
    // that face, or the options of a list.
    FontCatalog& fonts = m_container.fonts();
    const bool ownSize = get_style_property("font-size", false, nullptr) != nullptr;
    const qreal size = ownSize && exactFontSize() > 0 ? exactFontSize() : 40.0 / 3;
    const char* family = get_style_property("font-family", false, nullptr);
    const int font = fonts.atExactSize(
        fonts.font(family ? QString::fromUtf8(family) : QStringLiteral("Arial"), static_cast<int>(size), 400, false, 0),
        size);
    const FontMetricsPx& metrics = fonts.metrics(font);
    // Inner spacing and frame of each kind: left and right, top and bottom.
    int padX = 0, padY = 0, frame = 0;
    int width = 0, height = metrics.height;
    switch (m_control) {
    case Control::Box:
        width = height = 13;
        break;
    case Control::Button:
        padX = 6, padY = 1, frame = 2;
        width = std::max(static_cast<int>(std::lround(fonts.exactTextWidth(font, m_label.toStdString()))), 0);
        break;
    case Control::Field:
    case Control::FileField:
        padX = 2, padY = 1, frame = 2;
        width = m_control == Control::FileField
                    ? 245
                    : static_cast<int>(std::lround(size * (0.6 * (m_count > 0 ? m_count : 20) + 0.675)));
        break;
    case Control::List:
    case Control::ListBox: {
        frame = 1;
        qreal longest = 0;
        for (const QString& option : std::as_const(m_options))
            longest = std::max(longest, fonts.exactTextWidth(font, option.toStdString()));
        width = static_cast<int>(std::lround(longest + 20.5));
        // A list's line is a little higher than the face's; the rows of a
        // list box are two pixels apart.
        height = m_control == Control::ListBox ? m_count * (metrics.height + 2) : metrics.height + (size < 14 ? 2 : 1);
        break;
    }
    case Control::None:
        break;
    }
    const auto own = [&](const char* padding, const char* borderStyle, const char* borderWidth) {
        return std::pair<bool, bool>{get_style_property(padding, false, nullptr) != nullptr,
                                     get_style_property(borderStyle, false, nullptr) != nullptr ||
                                         get_style_property(borderWidth, false, nullptr) != nullptr};
    };
    const auto inner = [&](std::pair<bool, bool> sides, int pad) {
        return (sides.first ? 0 : pad) + (sides.second ? 0 : frame);
    };
    m_inner.left = inner(own("padding-left", "border-left-style", "border-left-width"), padX);
    m_inner.right = inner(own("padding-right", "border-right-style", "border-right-width"), padX);
    m_inner.top = inner(own("padding-top", "border-top-style", "border-top-width"), padY);
    m_inner.bottom = inner(own("padding-bottom", "border-bottom-style", "border-bottom-width"), padY);
    // Where the text's baseline stands above the box's bottom: a line of
    // the face centred in the content; a check box or radio button stands
    // on it, a list box a little above.
    const int textTop = m_inner.top + (height - metrics.height) / 2;
    const int boxHeight = height + m_inner.height();
    m_baseline = m_control == Control::Box       ? 0
                 : m_control == Control::ListBox ? 2
                                                 : boxHeight - textTop - metrics.ascent;
    // The width of a box sized with its border holds the page's padding and
    // border too (its height is the content's: see resolveBorderBoxHeight).
    int outerX = 0;
    if (m_box_sizing == litehtml::box_sizing_border_box) {
        const auto px = [](const litehtml::css_length& length) {
            return length.units() == litehtml::css_units_percentage ? 0 : static_cast<int>(length.val());
        };
        outerX = px(m_css_padding.left) + px(m_css_padding.right) + px(m_css_borders.left.width) +
                 px(m_css_borders.right.width);
    }
    if (!get_style_property("width", false, nullptr))
        m_css_width.set_value(static_cast<float>(width + m_inner.width() + outerX), litehtml::css_units_px);
    if (!get_style_property("height", false, nullptr))
        m_css_height.set_value(static_cast<float>(boxHeight), litehtml::css_units_px);
}

int PlaceholderElement::get_base_line()
{
    if (m_control == Control::None)
        return Hinted::get_base_line();
    return m_baseline + m_padding.bottom + m_borders.bottom + m_margins.bottom;
}

bool PlaceholderElement::appendChild(const litehtml::element::ptr& el)
{
    // The options of a list are read for its label; nothing else inside a
    // control or plug-in is laid out.
    const char* tag = get_tagName();
    if (tag && strcasecmp(tag, "select") == 0)
        return html_tag::appendChild(el);
    if (el)
        appendShownText(*el, m_content);
    return true;
}

void PlaceholderElement::drawBox(litehtml::uint_ptr hdc, int x, int y, const litehtml::position* clip)
{
    html_tag::draw(hdc, x, y, clip);
    litehtml::position pos = m_pos;
    pos.x += x;
    pos.y += y;
    if (clip && !pos.does_intersect(clip))
        return;
    m_container.drawPlaceholder(hdc, toQRect(pos), m_label, m_kind);
}

// ---------------------------------------------------------------------------

bool ImageElement::imageMissing()
{
    if (m_missing < 0) {
        const char* src = get_attr("src");
        m_missing = (!src || m_container.image(QString::fromUtf8(src)).isNull()) ? 1 : 0;
    }
    return m_missing == 1;
}

bool ImageElement::showsAltText()
{
    const char* alt = get_attr("alt");
    return alt && *alt && imageMissing() && m_css_width.is_predefined() && m_css_height.is_predefined();
}

int ImageElement::render(int x, int y, int max_width, bool second_pass)
{
    int ret = el_image::render(x, y, max_width, second_pass);
    // An image that cannot be shown and has no size of its own is, as in a
    // browser once the page has loaded, the small box of a broken picture
    // that the user can see and select; with an alternative text, that
    // picture and the text on a line (as high as the text, at least as high
    // as the picture); with an empty one, nothing.
    if (imageMissing() && m_css_width.is_predefined() && m_css_height.is_predefined()) {
        const char* alt = get_attr("alt");
        if (!alt) {
            m_pos.width = m_pos.height = PageContainer::kBrokenImageSize;
        } else if (!*alt) {
            m_pos.width = m_pos.height = 0;
        } else {
            m_pos.width = PageContainer::kBrokenImageSize + m_container.text_width(alt, get_font());
            m_pos.height = std::max(PageContainer::kBrokenImageSize, m_font_metrics.height);
        }
        ret = m_pos.width + content_margins_left() + content_margins_right();
    }
    return ret;
}

int ImageElement::get_base_line()
{
    // The alternative text stands on the line as text does.
    if (showsAltText())
        return m_pos.height - m_font_metrics.ascent + content_margins_bottom();
    return Hinted::get_base_line();
}

void ImageElement::drawBox(litehtml::uint_ptr hdc, int x, int y, const litehtml::position* clip)
{
    litehtml::position pos = m_pos;
    pos.x += x;
    pos.y += y;
    litehtml::position borderBox = pos;
    borderBox += m_padding;
    borderBox += m_borders;
    if (clip && !borderBox.does_intersect(clip))
        return;
    auto* container = get_document()->container();
    if (const litehtml::background* bg = get_background()) {
        litehtml::background_paint paint;
        init_background_paint(pos, paint, bg);
        container->draw_background(hdc, paint);
    }
    litehtml::borders bdr = m_css_borders;
    container->draw_borders(hdc, bdr, borderBox, false);
    m_container.paintBelowContent(hdc, layoutNodeId(*this), toQRect(borderBox));
    if (pos.width <= 0 || pos.height <= 0)
        return;
    if (showsAltText()) {
        const QRect box = toQRect(pos);
        m_container.drawPlaceholder(
            hdc, QRect(box.topLeft(), QSize(PageContainer::kBrokenImageSize, PageContainer::kBrokenImageSize)),
            QString(), PageContainer::PlaceholderBrokenImage);
        litehtml::position text = pos;
        text.x += PageContainer::kBrokenImageSize;
        text.width -= PageContainer::kBrokenImageSize;
        text.height = m_font_metrics.height;
        m_container.draw_text(hdc, get_attr("alt", ""), get_font(), get_color("color", true, litehtml::web_color()),
                              text);
        return;
    }
    if (imageMissing()) {
        m_container.drawPlaceholder(hdc, toQRect(pos), QString(), PageContainer::PlaceholderBrokenImage);
        return;
    }
    litehtml::background_paint img;
    img.image = get_attr("src", "");
    img.baseurl = "";
    img.clip_box = pos;
    img.origin_box = pos;
    img.border_box = borderBox;
    img.repeat = litehtml::background_repeat_no_repeat;
    img.image_size.width = pos.width;
    img.image_size.height = pos.height;
    img.position_x = pos.x;
    img.position_y = pos.y;
    img.color = litehtml::web_color(0, 0, 0, 0);
    const char* filter = get_style_property("filter", false, nullptr);
    m_container.setImageFilter(filter ? QString::fromUtf8(filter) : QString());
    container->draw_background(hdc, img);
    m_container.setImageFilter(QString());
}

// ---------------------------------------------------------------------------

void CellElement::drawBox(litehtml::uint_ptr hdc, int x, int y, const litehtml::position* clip)
{
    el_td::draw(hdc, x, y, clip);
    m_container.paintBelowContent(hdc, layoutNodeId(*this), layoutelements_detail::borderBoxAt(*this, x, y));
}

void CellBlockWidths::forget()
{
    m_known = false;
    m_widths.clear();
    m_blocksOfWidth.clear();
}

void CellBlockWidths::take(std::unordered_map<const litehtml::element*, int>&& widths)
{
    m_widths = std::move(widths);
    m_blocksOfWidth.clear();
    for (const auto& [block, width] : m_widths)
        ++m_blocksOfWidth[width];
    m_known = true;
}

void CellBlockWidths::replace(const std::vector<const litehtml::element*>& gone,
                              const std::vector<std::pair<const litehtml::element*, int>>& fresh)
{
    if (!m_known)
        return;
    for (const litehtml::element* block : gone) {
        const auto at = m_widths.find(block);
        if (at == m_widths.end()) {
            forget();
            return;
        }
        const auto count = m_blocksOfWidth.find(at->second);
        if (--count->second == 0)
            m_blocksOfWidth.erase(count);
        m_widths.erase(at);
    }
    for (const auto& [block, width] : fresh) {
        if (!m_widths.emplace(block, width).second) {
            forget();
            return;
        }
        ++m_blocksOfWidth[width];
    }
}

int CellBlockWidths::widest() const
{
    return m_known && !m_blocksOfWidth.empty() ? m_blocksOfWidth.rbegin()->first : -1;
}

void CellElement::parse_styles(bool is_reparse)
{
    Hinted::parse_styles(is_reparse);
    // Table cells have no margins (litehtml laid them out with them).
    for (litehtml::css_length* side :
         {&m_css_margins.left, &m_css_margins.right, &m_css_margins.top, &m_css_margins.bottom})
        side->set_value(0, litehtml::css_units_px);
    m_margins = litehtml::margins();
    if (!m_css_height.is_predefined() && m_css_height.units() != litehtml::css_units_percentage) {
        const float inner = m_css_height.val() - static_cast<float>(m_padding.height() + m_borders.height());
        m_css_height.set_value(std::max(0.0f, inner), litehtml::css_units_px);
    }
}

void BodyElement::drawBox(litehtml::uint_ptr hdc, int x, int y, const litehtml::position* clip)
{
    el_body::draw(hdc, x, y, clip);
    m_container.paintBelowContent(hdc, layoutNodeId(*this), layoutelements_detail::borderBoxAt(*this, x, y));
}

// ---------------------------------------------------------------------------

namespace layoutelements_detail {

bool isListItem(const litehtml::element& el)
{
    const char* tag = el.get_tagName();
    return tag && strcasecmp(tag, "li") == 0;
}

} // namespace layoutelements_detail

// An item is numbered from the list's start, or one after the item before
// it, or by its own value attribute. (Counted on from the item before, laid
// out just before it or numbered anew since: a long list is not counted
// again for each of its items.)
int ListItemElement::render(int x, int y, int max_width, bool second_pass)
{
    int number = 1;
    if (const auto list = parent()) {
        const int at = layoutelements_detail::childIndex(*list, this, m_indexHint);
        int before = at;
        while (--before >= 0 && !layoutelements_detail::isListItem(*list->get_child(before))) {
        }
        const auto* item = before >= 0 ? dynamic_cast<const ListItemElement*>(list->get_child(before).get()) : nullptr;
        if (item && item->m_number >= 0 && item->get_display() != litehtml::display_none) {
            number = item->m_number + 1;
        } else if (at != 0) {
            if (const char* start = list->get_attr("start"))
                number = atoi(start);
            for (size_t i = 0; i < list->get_children_count(); ++i) {
                const auto child = list->get_child(static_cast<int>(i));
                if (child.get() == this)
                    break;
                if (layoutelements_detail::isListItem(*child)) {
                    const char* value = child->get_attr("value");
                    number = value ? atoi(value) + 1 : number + 1;
                }
            }
        } else if (const char* start = list->get_attr("start")) {
            number = atoi(start);
        }
    }
    if (const char* value = get_attr("value"))
        number = atoi(value);
    m_number = number;
    if (numbered())
        set_attr("list_index", std::to_string(number).c_str());
    return Hinted::render(x, y, max_width, second_pass);
}

bool ListItemElement::renumber(const litehtml::element& list, size_t from)
{
    bool changed = false;
    const char* start = list.get_attr("start");
    int next = start ? atoi(start) : 1;
    const litehtml::elements_vector& children = childrenOf(list);
    for (size_t i = 0; i < children.size(); ++i) {
        litehtml::element& child = *children[i];
        if (!layoutelements_detail::isListItem(child))
            continue;
        const char* value = child.get_attr("value");
        const int index = value ? atoi(value) : next;
        next = index + 1;
        auto* item = dynamic_cast<ListItemElement*>(&child);
        if (!item || i < from)
            continue;
        item->m_number = index;
        if (!item->numbered())
            continue;
        const std::string number = std::to_string(index);
        const char* was = item->get_attr("list_index");
        if (!was || number != was) {
            item->set_attr("list_index", number.c_str());
            changed = true;
        }
    }
    return changed;
}

} // namespace engine
