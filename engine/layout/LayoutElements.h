#pragma once

#include <litehtml/litehtml.h>
#include <litehtml/el_body.h>
#include <litehtml/el_break.h>
#include <litehtml/el_image.h>
#include <litehtml/el_space.h>
#include <litehtml/el_table.h>
#include <litehtml/el_td.h>

#include <functional>
#include <initializer_list>
#include <utility>

#include <QRect>
#include <QString>

#include "engine/layout/BlockFlow.h"
#include "engine/layout/InheritedStyles.h"
#include "engine/layout/KeptLines.h"
#include "engine/layout/LineFit.h"
#include "engine/layout/PresentationalHints.h"
#include "engine/layout/StyleSheetIndex.h"

#include <litehtml/el_anchor.h>

#include <algorithm>
#include <array>
#include <map>
#include <optional>
#include <strings.h>
#include <type_traits>
#include <unordered_map>
#include <vector>

namespace engine {

class PageContainer;

// The attribute through which the layout serializer tells each element's node
// id to the layout (read back to map layout elements to our nodes).
inline constexpr const char* kNodeIdAttribute = "data-pgn";

// Node id of a layout element, or -1 when the serializer gave it none.
int layoutNodeId(const litehtml::element& el);

// Our element classes, for what litehtml 0.6 lacks; nullptr lets litehtml
// make its own.
std::shared_ptr<litehtml::element> createLayoutElement(const char* tag, const litehtml::string_map& attributes,
                                                       const std::shared_ptr<litehtml::document>& doc,
                                                       PageContainer& container);

// Adds the presentational hints of an element to its style (called from the
// element classes' parse_attributes, so that style sheets rank above them).
void applyPresentationalHints(litehtml::element& el, litehtml::style& style);

// What an element and everything in it paint, noted after each layout,
// relative to the element's own place (its content box's top left): drawing
// passes over elements whose area lies outside the area being painted
// instead of walking all of their content, and an element moved without a
// layout takes its area along. Unknown (null) where the content may paint
// anywhere.
class PaintExtent
{
public:
    void setPaintExtent(const QRect& area) { m_extent = area; }
    const QRect& paintExtent() const { return m_extent; }

    // `x`, `y`: the element's own place in page coordinates.
    bool paintsOutside(const litehtml::position* clip, int x, int y) const
    {
        if (!clip || m_extent.isNull())
            return false;
        const QRect area = m_extent.translated(x, y);
        return area.x() + area.width() <= clip->x || area.x() >= clip->x + clip->width ||
               area.y() + area.height() <= clip->y || area.y() >= clip->y + clip->height;
    }

private:
    QRect m_extent;
};

// The font size of an element to the fraction of a pixel, as browsers keep
// it (litehtml rounds it to whole pixels): the line height of a heading of
// 1.17em follows from 18.72 px, not 19. Sizes follow browsers where litehtml
// differs: the size keywords (and FONT sizes) take the browsers' tables, and
// text whose face is only the generic "monospace" is 13/16 of the size it
// would have (13 px where others are 16) unless a size in absolute units
// fixed it (a PRE in a page of 14px text is 14 px too).
class ExactFontSize
{
public:
    float exactFontSize() const { return m_exactFontSize; }

protected:
    // After litehtml's init_font: notes the size and, where it differs from
    // litehtml's or is not a whole number of pixels, makes `fontSize` and
    // `font` those of that size and gives `metrics` the face's line metrics
    // at that size.
    void noteFontSize(litehtml::element& self, int& fontSize, litehtml::font_metrics& metrics,
                      litehtml::uint_ptr& font);
    // After litehtml's parse_styles: a line height in units of the font size
    // follows the exact size (rounded to whole pixels); one in em or percent
    // that the element inherits is the parent's line height, not the same
    // factor of its own size.
    void noteLineHeight(litehtml::element& self, int& lineHeight) const;

private:
    float m_exactFontSize = 0;
    int m_keyword = 0; // 1 (xx-small) .. 7 (xx-large) for a size given by keyword
    bool m_monospace = false;
    bool m_absoluteSize = false;
};

namespace layoutelements_detail {
// The declarations of a rule (or a style attribute) with the custom
// properties they read put in: var(--name) is the value of --name that the
// declarations themselves, the element or the nearest of its ancestors
// declare, else its fallback (`var(--name, fallback)`). A declaration that
// reads one there is not, without a fallback, is left out, as a browser
// takes it for not set (litehtml left the var() in, which read as black).
std::string withVariables(const litehtml::element& el, const std::string& declarations);
} // namespace layoutelements_detail

// The children of an element, read in place (litehtml hands out each child
// as a new shared pointer, which walks over whole pages cannot afford).
const litehtml::elements_vector& childrenOf(const litehtml::element& el);

namespace layoutelements_detail {
// Counts the drawings of pages (each LayoutEngine::draw is one).
inline thread_local int drawSerial = 0;

// Where the children of a block with very many of them stand, noted at each
// layout: those in the flow, whose tops (see flowTop) follow one another
// down the page, by index; drawn always: floats, positioned boxes placed by
// offsets of their own, and the few that stand out of their order (a word
// set lower in its line than the next) or paint far from their tops (a span
// of many lines); and how far above and below its top any child of the flow
// paints; whether every child of the flow is a word of the block's own
// text (along a line, words stand left to right).
struct ChildIndex
{
    std::vector<int> flow;
    std::vector<int> always;
    int reachAbove = 0;
    int reachBelow = 0;
    bool wordsOnly = true;
};
struct ChildIndexes : std::unordered_map<const litehtml::element*, ChildIndex>
{
};
// Blocks with fewer children are drawn as litehtml draws them.
inline constexpr size_t kManyChildren = 256;
// Where a child of a block stands down the block for drawing by index: its
// own top, or, for an inline box (which litehtml leaves at the top of its
// block: what it holds stands in the lines), the top of the first word or
// box in it; nothing for an inline box with nothing in the lines.
std::optional<int> flowTop(const litehtml::element& child);
// The children of blocks with very many that drawings walked (those drawn
// and those looked at to find them), counted on from zero by whoever reads it.
inline thread_local long childrenWalked = 0;
// The indexes of the page being drawn.
inline thread_local const ChildIndexes* drawingIndexes = nullptr;

// While alive, a block with very many children (a hundred thousand
// paragraphs, the words of one long line) holds for drawing only those that
// paint into the area being drawn: drawing walks each block's children
// once per kind of box, which over all of them takes longer than the window
// may wait. `x`, `y`: the block's own place in page coordinates.
class ChildrenInView
{
public:
    ChildrenInView(litehtml::element& block, litehtml::elements_vector& children, const litehtml::position* clip, int x,
                   int y);
    ~ChildrenInView();
    ChildrenInView(const ChildrenInView&) = delete;
    ChildrenInView& operator=(const ChildrenInView&) = delete;

    // Lets go of the children kept for the drawing that ends: called while
    // its page stands (a page let go of since would otherwise be taken
    // apart by the next drawing, of another page, on the window's thread).
    static void forgetDrawing();

private:
    litehtml::elements_vector* m_children = nullptr;
    litehtml::elements_vector* m_kept = nullptr;
    litehtml::elements_vector m_all;
};

// How deep drawing is in the element tree (while it is above zero, hidden
// elements let drawing walk into them; see Hinted).
inline thread_local int drawingDepth = 0;

// While a table measures how narrow and how wide its cells can be: widths
// in percent inside them count as auto there, as in a browser (a DIV of
// width 100% in a cell does not stretch its table to the page).
inline thread_local int measuringCells = 0;
struct CellMeasureScope
{
    CellMeasureScope() { ++measuringCells; }
    ~CellMeasureScope() { --measuringCells; }
    CellMeasureScope(const CellMeasureScope&) = delete;
    CellMeasureScope& operator=(const CellMeasureScope&) = delete;
};

// Lines that wrap for want of room, counted while a box is measured at the
// room it has (see WrapWatch): content that wraps there would be wider than
// it given all the room it asks, as a browser measures it.
inline thread_local int watchingWraps = 0;
inline thread_local int wrappedLines = 0;
// Counts the lines that wrap while it is alive.
class WrapWatch
{
public:
    WrapWatch() : m_watching(watchingWraps), m_before(wrappedLines) { watchingWraps = 1; }
    ~WrapWatch() { watchingWraps = m_watching; }
    WrapWatch(const WrapWatch&) = delete;
    WrapWatch& operator=(const WrapWatch&) = delete;
    bool wrapped() const { return wrappedLines != m_before; }

private:
    int m_watching;
    int m_before;
};
// Leaves out of the count, while it is alive, the lines of a box that is not
// as wide as the room around it (of a width of its own, a float, an inline
// block, a table, a positioned box): they wrap for want of their own room
// (also those a table inside counts for itself).
struct WrapPause
{
    explicit WrapPause(bool pause) : watching(watchingWraps), paused(pause), wrapped(wrappedLines)
    {
        if (pause)
            watchingWraps = 0;
    }
    ~WrapPause()
    {
        watchingWraps = watching;
        if (paused)
            wrappedLines = wrapped;
    }
    WrapPause(const WrapPause&) = delete;
    WrapPause& operator=(const WrapPause&) = delete;
    int watching;
    bool paused;
    int wrapped;
};
// Counts `line` when it ended for want of room (not at a break).
void noteWrap(const litehtml::box& line);

struct DrawingScope
{
    DrawingScope() { ++drawingDepth; }
    ~DrawingScope() { --drawingDepth; }
    DrawingScope(const DrawingScope&) = delete;
    DrawingScope& operator=(const DrawingScope&) = delete;
};

// Hides the text an element holds directly while it is alive (text takes
// the visibility of its element).
class TextHider
{
public:
    explicit TextHider(const litehtml::element& el);
    ~TextHider();
    TextHider(const TextHider&) = delete;
    TextHider& operator=(const TextHider&) = delete;

private:
    std::vector<litehtml::element::ptr> m_hidden;
};

// Whether `el` is a preformatted line break that begins a line with no
// line before it to end: the first after the start of its block or a block
// in it, or after an empty line.
bool opensFirstLine(const litehtml::element& el, const litehtml::box::vector& boxes);
// Where an element stands on the page, as litehtml's get_placement() but
// for boxes of fixed position: those stand where they say in the view, not
// below the boxes around them.
litehtml::position placementOf(const litehtml::element& el);
// Adds what `el` and everything in it reach to `size`, as litehtml's
// calc_document_size(): the words of a block are read where they stand
// rather than asked one by one the long way round (a long paragraph holds
// very many).
void addDocumentSize(litehtml::element& el, litehtml::size& size, int x, int y);
// The same for a block whose children are words of its own and comments
// alone (see KeptLines): along each of its lines, the last word shown
// reaches farthest, and all reach as far down (they are of one font). Its
// lines are read, not its words.
void addWordsBlockSize(litehtml::element& block, litehtml::size& size, int x, int y);
// Whether the last of the boxes is a line with nothing on it.
bool endsInEmptyLine(const litehtml::box::vector& boxes);
// Whether an element would stand in a line of text were it not positioned
// (its own display, before positioning made it a block, is an inline one).
bool isInlineInFlow(const litehtml::element& el);
// The room an absolutely positioned or fixed box without a width of its own
// shrinks to its content in, where it has an offset from a side of its
// containing block (the nearest positioned box around it, else the window):
// that block's width less the offsets. Without either, or in a block further
// out than `container`, it has the room of where it would stand in the flow,
// `flowRoom` (the width of `container`'s content).
int positionedRoom(const litehtml::element& container, const litehtml::element& el, int flowRoom);
// The width of that containing block where the room depends on the offsets;
// -1 where it does not.
int positionedBlock(const litehtml::element& container, const litehtml::element& el, int flowRoom);
// Whether `el` is the first of the children [begin, end) (in that order)
// with content: only white space, comments and empty inline elements before it.
template <class It> bool isEndChildInline(It begin, It end, const litehtml::element::ptr& el)
{
    for (It it = begin; it != end; ++it) {
        const litehtml::element::ptr& child = *it;
        if (child->is_white_space() || child->is_comment())
            continue;
        if (child == el)
            return true;
        if (child->get_display() != litehtml::display_inline || child->have_inline_child())
            return false;
    }
    return false;
}
// The element before `el` among `children` when it matches `selector`,
// text, comments and the boxes of ::before and ::after passed over
// (litehtml took the white space between two elements for the sibling, so
// `p.title + p` never matched).
litehtml::element::ptr adjacentSibling(const litehtml::elements_vector& children, const litehtml::element::ptr& el,
                                       const litehtml::css_selector& selector, bool applyPseudo, bool* isPseudo);
// Whether `el` is the num*n+off-th element among `children` (counted from
// the end with `fromEnd`; among those of its tag with `ofType`; with num 0
// the off-th), text, comments and the boxes of ::before and ::after not
// counted, for :first-child, :last-child and the others (the white space
// before an element's end tag, or the box of ::after, was its last child
// for litehtml).
bool isNthChild(const litehtml::elements_vector& children, const litehtml::element::ptr& el, int num, int off,
                bool ofType, bool fromEnd);
// Whether `el` has the attributes `selector` asks for where litehtml 0.6
// tells wrong: a value ending in a text (`[class$="-summary"]`, it compared
// one character too many and matched nothing) and a class attribute of
// exactly a text (`[class="a"]`, it matched every class); `rest` takes the
// selector without those conditions. False, and `rest` untouched, when the
// selector asks no such thing.
bool selectAttributes(const litehtml::element& el, const litehtml::css_element_selector& selector,
                      litehtml::css_element_selector& rest, bool& matches);
// The width keywords of borders as browsers draw them (thin 1 px, medium
// 3 px, thick 5 px; litehtml took them for 0, and for the colour in the
// shorthand of one side, `border-top: thick double`), and none where the
// border has no style; `widths` takes the widths of the sides given by
// keyword.
void resolveBorderWidths(const litehtml::element& el, litehtml::css_borders& borders, litehtml::margins& widths);
// Lengths in ex and ch (litehtml 0.6 took 1ex and 1ch for 1 px): in pixels
// of the x-height and of the width of "0" of the element's font, as
// browsers take them. `lengths`: each length as parsed with the name of
// its property.
void resolveFontRelativeLengths(const litehtml::element& el, litehtml::uint_ptr font,
                                std::initializer_list<std::pair<const char*, litehtml::css_length*>> lengths);
// A height in pixels of a box sized with its border holds its padding and
// border (litehtml took it for the height of the content).
void resolveBorderBoxHeight(litehtml::box_sizing sizing, litehtml::css_length& height,
                            const litehtml::css_margins& padding, const litehtml::css_borders& borders);
// The spacing between the cells of a box made a table by its style (a DIV
// of display: table), read as for TABLE: litehtml gives it none. The
// spacing is inherited, so that inside a TABLE it is that TABLE's.
void resolveTableSpacing(const litehtml::element& el, int fontSize, int& spacingX, int& spacingY);
// The side margins of a box as styled, auto ones as none.
int styledSideMargins(const litehtml::css_margins& styled, const litehtml::margins& margins);
// The height of the line being filled as browsers make it in quirks and
// limited quirks mode: the block's own line height and face
// count only when the line holds text of the block itself (a space between
// other content, or a line break alone on its line, too). A line of text in
// <font size=2>, or of pictures only, is as high as what it holds.
struct LineStrut
{
    const litehtml::box* line = nullptr;
    size_t seen = 0;          // the line's pieces looked at
    size_t pieces = 0;        // of them, those that are not comments
    bool strut = false;       // the line has the block's height and face
    bool spaceBefore = false; // the last piece is a space of the block
};
void applyLineHeightQuirk(const litehtml::element& block, litehtml::box::vector& boxes,
                          const litehtml::font_metrics& metrics, LineStrut& state);
// An inline element with nothing in it but with padding or a border is a
// box on its line, which then has the height of its block's text, as in a
// browser (litehtml placed nothing for it): laid out as an inline block.
void resolveEmptyInline(const litehtml::element& el, const litehtml::css_margins& padding,
                        const litehtml::margins& borders, litehtml::style_display& display, bool& keptAsBox);
// The white space that begins or ends the text of a box (after its
// leading inline elements, before its trailing ones, comments passed over):
// a line leaves it out, and then, as in a browser, it no longer makes the
// line as high as its element's text (litehtml counted the height of every
// piece of text on a line, also of the spaces it left out).
class EdgeSpace : public litehtml::el_space
{
public:
    using el_space::el_space;
    int line_height() const override { return skip() ? 0 : el_space::line_height(); }
    litehtml::uint_ptr get_font(litehtml::font_metrics* fm = nullptr) override
    {
        const litehtml::uint_ptr font = el_space::get_font(fm);
        if (fm && skip())
            *fm = litehtml::font_metrics{};
        return font;
    }
};
// Makes the white space at the edges of every box in `from` (itself
// included) EdgeSpace; markEdgeSpacesOf only that at the edges of `box`.
void markEdgeSpaces(litehtml::element& from);
// The same for a page read in parts (see fitBoxesInside): in each part,
// everything in the elements open at its cuts but those elements
// (markEdgeSpacesInside); on the joined page, those elements
// (markEdgeSpacesOfOpen).
void markEdgeSpacesInside(litehtml::element& open, const std::function<bool(const litehtml::element&)>& isOpen);
void markEdgeSpacesOfOpen(litehtml::element& open, const std::function<bool(const litehtml::element&)>& isOpen);
// Only around its children [from, to), after those changed (white space
// once marked stays so).
void markEdgeSpacesOf(litehtml::element& box, size_t from = 0, size_t to = static_cast<size_t>(-1));
// The vertical alignment of an element that declares none is the baseline:
// it is not inherited (litehtml 0.6 took it from the parent, so that a
// picture inside the text of a cell, whose content is in the middle, stood
// in the middle of its line, and the line grew).
void resolveVerticalAlign(const litehtml::element& el, litehtml::vertical_align& align);
// The display of an element whose own is one litehtml 0.6 does not know:
// flex and grid containers and flow roots are laid out as blocks (inline-flex and
// inline-grid as inline blocks) instead of as inline text. `display` is
// left as it is for the others.
void resolveUnknownDisplay(const litehtml::element& el, litehtml::style_display& display);
// What a style declares for a property (null when nothing), as litehtml's
// style::get_property gives it, without making a string of the name first:
// most names are too long for a string to hold without allocating, and an
// element's style is asked for about a hundred of them.
const char* ownProperty(const litehtml::style& style, const char* name);
// The same while the element's style is computed: its declarations are read
// once and kept with `kept` until the computation ends.
const char* ownProperty(const litehtml::style& style, const char* name, InheritedStyles& kept);
// Adds the declarations of `from` to `style`, as litehtml's style::combine
// does, for declarations that were read into a style (whose values were
// checked then).
void takeDeclarations(litehtml::style& style, const litehtml::style& from);
inline bool isInherit(const char* value)
{
    return (value[0] == 'i' || value[0] == 'I') && strcasecmp(value, "inherit") == 0;
}
} // namespace layoutelements_detail

// Whether an element is an empty inline element laid out as a box of its
// own (see resolveEmptyInline).
class EmptyInlineBox
{
public:
    bool keptAsBox() const { return m_keptAsBox; }

protected:
    ~EmptyInlineBox() = default;
    bool m_keptAsBox = false;
};

// A litehtml element class with the presentational hints of its attributes,
// its blocks placed with their margins collapsed (see BlockFlow), drawn as
// browsers draw hidden boxes: litehtml 0.6 draws nothing inside a
// `visibility:hidden` element, while what is made visible again in it is
// drawn. Here drawing walks into a hidden element (it reports itself
// visible while drawing), which then paints neither itself nor its text;
// what it holds draws as its own visibility says.
template <class Base>
class Hinted : public Base, public PaintExtent, public BlockFlow, public ExactFontSize, public EmptyInlineBox
{
public:
    using Base::Base;
    void init_font() override
    {
        Base::init_font();
        noteFontSize(*this, this->m_font_size, this->m_font_metrics, this->m_font);
    }
    void parse_styles(bool is_reparse = false) override
    {
        const InheritedStyles::Pass pass;
        m_inherited.begin();
        Base::parse_styles(is_reparse);
        noteLineHeight(*this, this->m_line_height);
        noteStyledMargins(*this, exactFontSize());
        noteLayout(*this);
        layoutelements_detail::resolveBorderWidths(*this, this->m_css_borders, this->m_borders);
        layoutelements_detail::resolveFontRelativeLengths(*this, this->m_font,
                                                          {{"width", &this->m_css_width},
                                                           {"height", &this->m_css_height},
                                                           {"min-width", &this->m_css_min_width},
                                                           {"min-height", &this->m_css_min_height},
                                                           {"max-width", &this->m_css_max_width},
                                                           {"max-height", &this->m_css_max_height},
                                                           {"margin-left", &this->m_css_margins.left},
                                                           {"margin-right", &this->m_css_margins.right},
                                                           {"margin-top", &this->m_css_margins.top},
                                                           {"margin-bottom", &this->m_css_margins.bottom},
                                                           {"padding-left", &this->m_css_padding.left},
                                                           {"padding-right", &this->m_css_padding.right},
                                                           {"padding-top", &this->m_css_padding.top},
                                                           {"padding-bottom", &this->m_css_padding.bottom},
                                                           {"text-indent", &this->m_css_text_indent},
                                                           {"left", &this->m_css_offsets.left},
                                                           {"right", &this->m_css_offsets.right},
                                                           {"top", &this->m_css_offsets.top},
                                                           {"bottom", &this->m_css_offsets.bottom}});
        layoutelements_detail::resolveVerticalAlign(*this, this->m_vertical_align);
        layoutelements_detail::resolveUnknownDisplay(*this, this->m_display);
        layoutelements_detail::resolveEmptyInline(*this, this->m_css_padding, this->m_borders, this->m_display,
                                                  this->m_keptAsBox);
        layoutelements_detail::resolveBorderBoxHeight(this->m_box_sizing, this->m_css_height, this->m_css_padding,
                                                      this->m_css_borders);
        if constexpr (!std::is_base_of_v<litehtml::el_table, Base>) {
            if (this->m_display == litehtml::display_table || this->m_display == litehtml::display_inline_table)
                layoutelements_detail::resolveTableSpacing(*this, this->m_font_size, this->m_border_spacing_x,
                                                           this->m_border_spacing_y);
        }
        m_inherited.end();
    }
    // As litehtml's, with the element's own declarations looked up without
    // allocating and inherited values kept while the styles are computed.
    const char* get_style_property(const char* name, bool inherited, const char* def = nullptr) const override
    {
        if (!name)
            return def;
        if (!inherited) {
            const char* own = layoutelements_detail::ownProperty(this->m_style, name, m_inherited);
            if (!own)
                return def;
            return layoutelements_detail::isInherit(own) ? Base::get_style_property(name, false, def) : own;
        }
        const char* value = m_inherited.find(name, [&]() -> const char* {
            const char* own = layoutelements_detail::ownProperty(this->m_style, name, m_inherited);
            if (own && !layoutelements_detail::isInherit(own))
                return own;
            const litehtml::element::ptr parent = this->parent();
            return parent ? parent->get_style_property(name, true, nullptr) : own;
        });
        return value ? value : def;
    }
    void parse_attributes() override
    {
        // After litehtml's own reading of the attributes, so that ours win.
        Base::parse_attributes();
        applyPresentationalHints(*this, this->m_style);
    }
    // litehtml's application of a sheet, trying only the rules that may
    // match the element's id, classes and tag (see StyleSheetIndex).
    void apply_stylesheet(const litehtml::css& stylesheet) override
    {
        const StyleSheetIndex::Scope scope(stylesheet);
        const StyleSheetIndex* index = StyleSheetIndex::current(stylesheet);
        if (!index) {
            Base::apply_stylesheet(stylesheet);
            return;
        }
        if constexpr (std::is_base_of_v<litehtml::el_anchor, Base>) {
            if (this->get_attr("href"))
                this->m_pseudo_classes.push_back("link");
        }
        this->remove_before_after();
        index->forEachCandidate(this->get_tagName(), this->get_attr("id"), this->m_class_values,
                                [this](const litehtml::css_selector::ptr& rule) { applyRule(rule); });
        for (auto& child : this->m_children) {
            if (child->get_display() != litehtml::display_inline_text)
                child->apply_stylesheet(stylesheet);
        }
    }
    void add_style(const litehtml::tstring& style, const litehtml::tstring& baseurl) override
    {
        if (const litehtml::style* declarations = parsedDeclarations(style, baseurl))
            this->m_style.combine(*declarations);
        else
            Base::add_style(layoutelements_detail::withVariables(*this, style), baseurl);
    }
    void calc_outlines(int parent_width) override
    {
        Base::calc_outlines(parent_width);
        this->m_margins.top = noteMargins(*this, this->m_css_margins, this->m_margins, parent_width);
    }
    int place_element(const litehtml::element::ptr& el, int max_width) override
    {
        // (The words of old lines that stand are not fitted: a long
        // paragraph holds very many.)
        KeptLines* kept = KeptLines::of(this);
        const bool fitted = !kept || kept->placesAnew();
        LineFit::Piece piece = fitted ? m_lineFit.before(*el, this->m_boxes) : LineFit::Piece{};
        if (kept) {
            int keptWidth = 0;
            if (kept->place(*this, this->m_boxes, this->m_white_space, el, max_width, keptWidth)) {
                LineFit::undo(piece);
                return keptWidth;
            }
            kept->continueLine(m_lineFit, this->m_boxes);
            if (!fitted)
                piece = m_lineFit.before(*el, this->m_boxes);
        }
        int width = placeElement(el, max_width);
        m_lineFit.after(piece, *el, this->m_boxes, width);
        if (lineHeightQuirk())
            layoutelements_detail::applyLineHeightQuirk(*this, this->m_boxes, this->m_font_metrics, m_lineStrut);
        return width;
    }
    int placeElement(const litehtml::element::ptr& el, int max_width)
    {
        const litehtml::element_position position = el->get_element_position();
        if (position == litehtml::element_position_absolute)
            return placePositioned(el, layoutelements_detail::positionedRoom(*this, *el, max_width));
        if (position == litehtml::element_position_fixed)
            return Base::place_element(el, layoutelements_detail::positionedRoom(*this, *el, max_width));
        if (placesBlock(*el))
            return placeBlock(*this, this->m_boxes, el, max_width);
        if (el->get_float() != litehtml::float_none && layoutelements_detail::endsInEmptyLine(this->m_boxes)) {
            // litehtml puts a float at the top of the last line, which a float
            // before it may have pushed below itself though the line holds
            // nothing but white space (a sidebar floated beside a float as
            // wide as its box by a negative margin stood below it). A float
            // stands where that line began; the white space follows it.
            litehtml::elements_vector words;
            this->m_boxes.back()->get_elements(words);
            this->m_boxes.pop_back();
            const int width = Base::place_element(el, max_width);
            for (const auto& word : words)
                place_element(word, max_width);
            return width;
        }
        if (!layoutelements_detail::opensFirstLine(*el, this->m_boxes)) {
            // litehtml's width of a line ends at its last piece, before the
            // right margin, border and padding of the inline elements that
            // piece ends.
            const size_t lines = this->m_boxes.size();
            const int width = Base::place_element(el, max_width);
            // (A line a break begins ends the one before by itself, not for
            // want of room.)
            if (layoutelements_detail::watchingWraps > 0 && lines > 0 && this->m_boxes.size() > lines &&
                !el->is_break())
                layoutelements_detail::noteWrap(*this->m_boxes[lines - 1]);
            return el->is_inline_box() && !el->skip() ? width + el->get_inline_shift_right() : width;
        }
        // litehtml opens a line at a preformatted line break, not ends one:
        // a break that begins the block's text would share its line with
        // the text after it. Here it ends its own empty line.
        const int width = Base::place_element(el, max_width);
        litehtml::line_context line{};
        this->new_box(el, max_width, line);
        return width;
    }
    // An absolutely positioned box whose offsets are auto stands where it
    // would stand in the flow: one of the text's (an IMG, a SPAN) where the
    // line has come to, not at the start of the next line as litehtml puts
    // it; a block's at the start of the next line.
    int placePositioned(const litehtml::element::ptr& el, int max_width)
    {
        const int width = Base::place_element(el, max_width);
        if (this->m_boxes.empty() || this->m_boxes.back()->get_type() != litehtml::box_line ||
            !layoutelements_detail::isInlineInFlow(*el))
            return width;
        const litehtml::box& line = *this->m_boxes.back();
        // (litehtml took the line below, unless the line held nothing yet.)
        const int below = line.is_empty() ? line.top() : line.top() + this->line_height();
        litehtml::position& pos = el->get_position();
        pos.x += line.left() + line.width();
        pos.y += line.top() - below;
        return width;
    }
    int render(int x, int y, int max_width, bool second_pass = false) override
    {
        const litehtml::style_display display = this->get_display();
        const layoutelements_detail::WrapPause pause(layoutelements_detail::watchingWraps > 0 && !widthOfTheRoom());
        if constexpr (!std::is_base_of_v<litehtml::el_table, Base>) {
            // A box made a table by its style asks, as TABLE does, for its
            // columns with its frame and margins (litehtml answers the
            // columns alone), its margins as far as the room goes: one of
            // 100% with a margin overflows the cell it stands in rather than
            // widen it.
            if (display == litehtml::display_table || display == litehtml::display_inline_table) {
                const int box =
                    Base::render(x, y, max_width, second_pass) + this->m_padding.width() + this->m_borders.width();
                const int margins = layoutelements_detail::styledSideMargins(this->m_css_margins, this->m_margins);
                return box + (margins > 0 ? std::clamp(max_width - box, 0, margins) : margins);
            }
        }
        if (display == litehtml::display_table || display == litehtml::display_inline_table || this->is_replaced())
            return Base::render(x, y, max_width, second_pass);
        // A width in percent is of the width the element is laid out in
        // (litehtml took it of its parent's declared width: of a parent's
        // border box where the parent is sized with its border, and
        // twice over where the parent's width is in percent too).
        const litehtml::css_length declared = this->m_css_width;
        const bool positionedAgain = layingOutPositionedAgain(second_pass);
        if (!declared.is_predefined() && declared.units() == litehtml::css_units_percentage &&
            display != litehtml::display_table_cell) {
            if (layoutelements_detail::measuringCells > 0)
                this->m_css_width.predef(0);
            else if (positionedAgain)
                this->m_css_width.set_value(float(this->m_pos.width), litehtml::css_units_px);
            else
                this->m_css_width.set_value(float(declared.calc_percent(max_width)), litehtml::css_units_px);
        }
        KeptLines* kept = KeptLines::of(this);
        const bool keeping = kept && kept->begin(this->m_children, this->m_boxes, this->m_text_align);
        int width = 0;
        for (bool done = false; !done;) {
            m_lineStrut = {};
            m_lineFit.reset(*this);
            std::optional<KeptLines::Window> window;
            if (keeping && kept->windowed())
                window.emplace(*kept, this->m_children);
            else if (keeping)
                kept->notePlaced(this->m_children.size());
            Flow flow;
            beginRender(flow);
            width = Base::render(x, y, max_width, second_pass);
            endRender(*this, this->m_boxes, this->m_margins, this->m_pos, y, minHeight());
            window.reset();
            done = !keeping || !kept->windowed() || kept->windowDone(this->m_boxes, m_lineFit);
        }
        // (What the children of the lines that stand give, which litehtml
        // was not given.)
        if (keeping && kept->windowed() && kept->widthAsked())
            width = std::max(width, kept->keptReach(this->m_boxes) + this->content_margins_left() +
                                        this->content_margins_right());
        if (positionedAgain)
            keepPositionedSize();
        this->m_css_width = declared;
        return width;
    }
    void render_positioned(litehtml::render_type rt = litehtml::render_all) override
    {
        // (litehtml put the box of the first layout back.)
        if (m_positionedSize.width >= 0) {
            this->m_pos.width = m_positionedSize.width;
            this->m_pos.height = m_positionedSize.height;
            m_positionedSize = {-1, -1};
        }
        Base::render_positioned(rt);
    }
    // A cell's content moves within its height by where its content ends,
    // the margins below its last block left out.
    void apply_vertical_align() override
    {
        if (this->m_boxes.empty() || this->m_pos.height <= contentHeight())
            return;
        int add = 0;
        if (this->m_vertical_align == litehtml::va_middle)
            add = (this->m_pos.height - contentHeight() + 1) / 2;
        else if (this->m_vertical_align == litehtml::va_bottom)
            add = this->m_pos.height - contentHeight();
        for (auto& box : this->m_boxes)
            box->y_shift(add);
    }
    // As litehtml's, the comments that mark where each text begins passed
    // over: the first piece of an inline element stands after its left
    // margin, border and padding, the last before its right ones.
    bool is_first_child_inline(const litehtml::element::ptr& el) const override
    {
        return layoutelements_detail::isEndChildInline(this->m_children.begin(), this->m_children.end(), el);
    }
    bool is_last_child_inline(const litehtml::element::ptr& el) override
    {
        return layoutelements_detail::isEndChildInline(this->m_children.rbegin(), this->m_children.rend(), el);
    }
    bool is_floats_holder() const override { return independentFlow() || Base::is_floats_holder(); }
    // Whether its width and height are of its border box.
    bool sizedWithBorder() const { return this->m_box_sizing == litehtml::box_sizing_border_box; }
    litehtml::element::ptr find_adjacent_sibling(const litehtml::element::ptr& el,
                                                 const litehtml::css_selector& selector, bool apply_pseudo = true,
                                                 bool* is_pseudo = nullptr) override
    {
        return layoutelements_detail::adjacentSibling(this->m_children, el, selector, apply_pseudo, is_pseudo);
    }
    bool is_nth_child(const litehtml::element::ptr& el, int num, int off, bool of_type) const override
    {
        return layoutelements_detail::isNthChild(this->m_children, el, num, off, of_type, false);
    }
    bool is_nth_last_child(const litehtml::element::ptr& el, int num, int off, bool of_type) const override
    {
        return layoutelements_detail::isNthChild(this->m_children, el, num, off, of_type, true);
    }
    int select(const litehtml::css_element_selector& selector, bool apply_pseudo = true) override
    {
        litehtml::css_element_selector rest;
        bool matches = false;
        if (!layoutelements_detail::selectAttributes(*this, selector, rest, matches))
            return Base::select(selector, apply_pseudo);
        return matches ? Base::select(rest, apply_pseudo) : litehtml::select_no_match;
    }
    bool is_only_child(const litehtml::element::ptr& el, bool of_type) const override
    {
        return is_nth_child(el, 0, 1, of_type) && is_nth_last_child(el, 0, 1, of_type);
    }
    litehtml::visibility get_visibility() const override
    {
        return layoutelements_detail::drawingDepth > 0 ? litehtml::visibility_visible : Base::get_visibility();
    }
    void draw(litehtml::uint_ptr hdc, int x, int y, const litehtml::position* clip) final
    {
        if (!hiddenBox())
            drawBox(hdc, x, y, clip);
    }
    void draw_stacking_context(litehtml::uint_ptr hdc, int x, int y, const litehtml::position* clip,
                               bool with_positioned) override
    {
        layoutelements_detail::DrawingScope scope;
        Base::draw_stacking_context(hdc, x, y, clip, with_positioned);
    }
    void draw_children(litehtml::uint_ptr hdc, int x, int y, const litehtml::position* clip, litehtml::draw_flag flag,
                       int zindex) override
    {
        if (paintsOutside(clip, x + this->m_pos.x, y + this->m_pos.y))
            return;
        layoutelements_detail::DrawingScope scope;
        layoutelements_detail::ChildrenInView inView(*this, this->m_children, clip, x + this->m_pos.x,
                                                     y + this->m_pos.y);
        if (hiddenBox()) {
            layoutelements_detail::TextHider hideText(*this);
            Base::draw_children(hdc, x, y, clip, flag, zindex);
        } else {
            Base::draw_children(hdc, x, y, clip, flag, zindex);
        }
    }

protected:
    // litehtml lays an absolutely positioned box with a width in percent out
    // a second time once it knows its containing block: the box's width then
    // holds the percentage of that block, and the room it is given is that
    // width with the frame, of which the percentage must not be taken again.
    // Afterwards litehtml puts back the box of the first layout; the size of
    // the second is kept for render_positioned.
    bool layingOutPositionedAgain(bool second_pass) const
    {
        if (!second_pass || this->m_css_width.is_predefined() ||
            this->m_css_width.units() != litehtml::css_units_percentage)
            return false;
        const litehtml::element_position position = this->get_element_position();
        return position == litehtml::element_position_absolute || position == litehtml::element_position_fixed;
    }
    // Whether its width is that of the room it is laid out in.
    bool widthOfTheRoom() const
    {
        const litehtml::style_display display = this->get_display();
        const litehtml::element_position position = this->get_element_position();
        return this->m_css_width.is_predefined() && this->get_float() == litehtml::float_none &&
               display != litehtml::display_inline_block && display != litehtml::display_table &&
               display != litehtml::display_inline_table && position != litehtml::element_position_absolute &&
               position != litehtml::element_position_fixed;
    }
    void keepPositionedSize() { m_positionedSize = {this->m_pos.width, this->m_pos.height}; }
    // The element's own painting: background, borders, list marker, image.
    virtual void drawBox(litehtml::uint_ptr hdc, int x, int y, const litehtml::position* clip)
    {
        Base::draw(hdc, x, y, clip);
    }
    void setLaidOutBottomMargin(int margin) override { this->m_margins.bottom = margin; }
    bool hasMinHeight() const override { return this->m_css_min_height.val() != 0; }
    int textIndentAt(int width) const override
    {
        return this->m_css_text_indent.val() != 0 ? this->m_css_text_indent.calc_percent(width) : 0;
    }
    bool verticalPaddingInPercent() const override
    {
        return this->m_css_padding.top.units() == litehtml::css_units_percentage ||
               this->m_css_padding.bottom.units() == litehtml::css_units_percentage;
    }

private:
    void applyRule(const litehtml::css_selector::ptr& rule)
    {
        // (Through the element's table: the rule's select, not ours of one
        // compound selector.)
        litehtml::element& self = *this;
        const int match = self.select(*rule, false);
        if (match == litehtml::select_no_match)
            return;
        auto used = std::make_unique<litehtml::used_selector>(rule, false);
        if (rule->is_media_valid() &&
            (!(match & litehtml::select_match_pseudo_class) || self.select(*rule, true) != litehtml::select_no_match)) {
            litehtml::element::ptr target;
            if (match & litehtml::select_match_with_after)
                target = this->get_element_after();
            else if (match & litehtml::select_match_with_before)
                target = this->get_element_before();
            if (target) {
                target->add_style(rule->m_style.find("var(") == std::string::npos
                                      ? rule->m_style
                                      : layoutelements_detail::withVariables(*target, rule->m_style),
                                  rule->m_baseurl);
            } else if (!(match & (litehtml::select_match_with_after | litehtml::select_match_with_before))) {
                this->add_style(rule->m_style, rule->m_baseurl);
                used->m_used = true;
            }
        }
        this->m_used_styles.push_back(std::move(used));
    }
    layoutelements_detail::LineStrut m_lineStrut;
    LineFit m_lineFit;
    mutable InheritedStyles m_inherited;
    struct PositionedSize
    {
        int width = -1, height = -1;
    } m_positionedSize;
    bool hiddenBox() const { return Base::get_visibility() != litehtml::visibility_visible; }
    int minHeight() const
    {
        const litehtml::css_length& min = this->m_css_min_height;
        if (min.units() != litehtml::css_units_percentage)
            return static_cast<int>(min.val());
        int height = 0;
        const auto parent = this->parent();
        return parent && parent->get_predefined_height(height) ? min.calc_percent(height) : 0;
    }
};

// MARQUEE: a clipped, non-scrolling block of its width and height.
class MarqueeElement : public Hinted<litehtml::html_tag>
{
public:
    using Hinted::Hinted;
};

// EMBED, OBJECT, APPLET and the form controls: a box of the element's size
// with a placeholder painted in it; its content is not laid out.
class PlaceholderElement : public Hinted<litehtml::html_tag>
{
public:
    PlaceholderElement(const std::shared_ptr<litehtml::document>& doc, PageContainer& container)
        : Hinted(doc), m_container(container)
    {
    }
    void parse_attributes() override;
    void parse_styles(bool is_reparse = false) override;
    bool appendChild(const litehtml::element::ptr& el) override;
    // A control stands on the baseline of its text, as in a browser.
    int get_base_line() override;

private:
    // The form controls whose size follows their face (others are plug-ins
    // and text areas of a fixed default size).
    enum class Control { None, Field, FileField, Button, Box, List, ListBox };

    void drawBox(litehtml::uint_ptr hdc, int x, int y, const litehtml::position* clip) override;
    void setDefaultSize(int width, int height);

    PageContainer& m_container;
    int m_kind = 0;
    Control m_control = Control::None;
    int m_count = 0;                // the size attribute: characters of a field, rows of a list
    std::vector<QString> m_options; // the texts of a list's options
    litehtml::margins m_inner;      // the control's own frame and spacing inside its box
    int m_baseline = 0;             // the text's baseline above the box's bottom
    QString m_label;
    QString m_content; // text of the content that is not laid out
};

// LI: numbers itself among the LI elements of its list (litehtml 0.6 leaves
// every number at 0), from the list's start and the items' value attributes.
class ListItemElement : public Hinted<litehtml::html_tag>
{
public:
    using Hinted::Hinted;
    int render(int x, int y, int max_width, bool second_pass = false) override;
    // Whether its marker is a number (counted among the list's items), not
    // a bullet.
    bool numbered() const { return m_list_style_type >= litehtml::list_style_type_armenian; }
    // Whether its marker stands outside its box, where the number it shows
    // takes no room from its lines.
    bool markerOutside() const { return m_list_style_position == litehtml::list_style_position_outside; }
    // Numbers the items of `list` from its child `from` on as a layout
    // would: those after items laid out in place count them anew. Whether
    // a number changed.
    static bool renumber(const litehtml::element& list, size_t from);

private:
    // Its number, counted or its own value (-1 until it is laid out): the
    // item after it counts on from it.
    int m_number = -1;
    mutable int m_indexHint = -1; // its index among the list's children, last found
};

// IMG: draws its background, then the painters below content, then the image
// with the effect of its style filter, or a broken-image box.
class ImageElement : public Hinted<litehtml::el_image>
{
public:
    ImageElement(const std::shared_ptr<litehtml::document>& doc, PageContainer& container)
        : Hinted(doc), m_container(container)
    {
    }
    int render(int x, int y, int max_width, bool second_pass = false) override;
    int get_base_line() override;

private:
    void drawBox(litehtml::uint_ptr hdc, int x, int y, const litehtml::position* clip) override;

    bool imageMissing();
    // Shows its alternative text in place of a picture that cannot be shown.
    bool showsAltText();
    PageContainer& m_container;
    int m_missing = -1;
};

// How wide the blocks of a text box's cell make it, each as
// BlockReflow::widthInCellOf measures it: noted as the table measures the
// cell for its widest content, and kept up to date by the blocks laid out
// in place since, so that an edit knows the cell's widest block without a
// walk of the cell. Unknown until the cell is measured so, and after a
// change it cannot follow.
class CellBlockWidths
{
public:
    bool known() const { return m_known; }
    void forget();
    // What one measure of the cell found: its blocks and their widths.
    void take(std::unordered_map<const litehtml::element*, int>&& widths);
    // The blocks `gone` replaced by `fresh` (a block laid out again may be
    // both); unknown when one of `gone` was not noted.
    void replace(const std::vector<const litehtml::element*>& gone,
                 const std::vector<std::pair<const litehtml::element*, int>>& fresh);
    // The widest block's width (-1 when unknown or none).
    int widest() const;

private:
    std::unordered_map<const litehtml::element*, int> m_widths;
    std::map<int, int> m_blocksOfWidth;
    bool m_known = false;
};

namespace layoutelements_detail {
// While a table measures a text box's cell for its widest content: the
// cell, and the width each of its blocks asked for there.
struct CellWidthsRecording
{
    const litehtml::element* cell = nullptr;
    std::unordered_map<const litehtml::element*, int> widths;
};
inline thread_local CellWidthsRecording* recordingCellWidths = nullptr;
} // namespace layoutelements_detail

// TD/TH: presentational attributes of the cell and its table, and the
// painters below content.
class CellElement : public Hinted<litehtml::el_td>
{
public:
    CellElement(const std::shared_ptr<litehtml::document>& doc, PageContainer& container)
        : Hinted(doc), m_container(container)
    {
    }
    // A cell's height counts its padding and border, as in browsers; it has
    // no margins.
    void parse_styles(bool is_reparse = false) override;
    CellBlockWidths& blockWidths() { return m_blockWidths; }

private:
    void drawBox(litehtml::uint_ptr hdc, int x, int y, const litehtml::position* clip) override;

    PageContainer& m_container;
    CellBlockWidths m_blockWidths;
};

// BR. litehtml 0.6 opens a line at a break instead of ending one, and gives
// a line's height to a break that opens one before a block: a block starting
// with a break lost a line, `<p><br></p>` was 0 px high and `a<br><div>`
// showed an empty line. Here a break is laid out as browsers show it:
// - one that ends an empty line (nothing but white space before it since the
//   previous break, a block or the start of the block's text) is a block one
//   line high in its font: `<p><br></p>`, the second of `a<br><br>b`;
// - one that ends a line of content and has nothing after it up to the next
//   break or block (`a<br></p>`, the first of `a<br><br>b`) only ends that
//   line: it opens none;
// - any other breaks the line as litehtml does. Floated, positioned and
//   clearing breaks keep litehtml's layout.
class BreakElement : public Hinted<litehtml::el_break>
{
public:
    using Hinted::Hinted;
    litehtml::style_display get_display() const override;
    bool is_break() const override;
    int render(int x, int y, int max_width, bool second_pass = false) override;
    // Whether the break ends a line that holds something before it.
    bool followsTextOfItsLine() const { return inFlow() && !lineEdgeNextTo(-1); }

private:
    // Whether a break, a block or the edge of the block's text comes first
    // before (step -1) or after (step +1) this break, past white space.
    bool lineEdgeNextTo(int step) const;
    bool inFlow() const;
    // The index of this break among its parent's children, and of each
    // inline ancestor among its own parent's, last found.
    mutable std::array<int, 4> m_indexHints{-1, -1, -1, -1};
};

// STYLE: its text is the page's style sheet, for the media it names, with
// attribute values in single quotes (`[type='text']`) read as in double
// quotes (litehtml 0.6 dropped such a condition, so that the rule applied
// to every element of its tag).
class StyleSheetElement : public litehtml::element
{
public:
    StyleSheetElement(const std::shared_ptr<litehtml::document>& doc, const litehtml::string_map& attributes);
    void parse_attributes() override;
    bool appendChild(const litehtml::element::ptr& el) override;
    const litehtml::tchar_t* get_tagName() const override { return "style"; }

private:
    litehtml::elements_vector m_text;
    std::string m_media;
    bool m_hasMedia = false;
};

namespace layoutelements_detail {
// Rewrites the values in single quotes of a style sheet's attribute
// selectors in double quotes.
void quoteAttributeValues(std::string& css);
} // namespace layoutelements_detail

// HTML: litehtml stretches the root box over the page's extent and the
// window after each layout. The root keeps the size its content gave it, so
// that the extent can be measured again after boxes moved without a layout.
class RootElement : public Hinted<litehtml::html_tag>
{
public:
    using Hinted::Hinted;
    void calc_document_size(litehtml::size& sz, int x = 0, int y = 0) override;
    // The page's extent as a layout measures it, the root box stretched to it.
    litehtml::size measureExtent();
    // The flow's end moved by `dy` (blocks laid out again in place): the
    // root reaches down to it as a layout places it (to the fraction of a
    // pixel its margins ended at), and covers at least `viewHeight`.
    void moveFlowEnd(int dy, int viewHeight);
    // How far down the page's boxes reach, with their margins.
    int reach() const { return m_reach; }

private:
    int m_laidOutWidth = 0; // the root's size before it was stretched
    int m_laidOutHeight = 0;
    int m_stretchedHeight = -1; // and after
    int m_reach = 0;            // how far down the page's boxes reach (with their margins)
};

// BODY: the painters below content.
class BodyElement : public Hinted<litehtml::el_body>
{
public:
    BodyElement(const std::shared_ptr<litehtml::document>& doc, PageContainer& container)
        : Hinted(doc), m_container(container)
    {
    }

private:
    void drawBox(litehtml::uint_ptr hdc, int x, int y, const litehtml::position* clip) override;

    PageContainer& m_container;
};

} // namespace engine
