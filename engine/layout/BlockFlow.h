#pragma once

#include "engine/layout/DocumentMode.h"

#include <litehtml/litehtml.h>

namespace engine {

// Vertical margins that adjoin, taken as one margin (CSS 2.1, 8.3.1
// "Collapsing margins"): the largest positive one and the most negative one
// added. Browsers in quirks mode (only there) keep the default margins of paragraphs,
// lists, headings and preformatted blocks apart ("quirky" ones): they
// vanish at the top and bottom edges of a BODY or table cell, however deep
// the blocks that bring them stand.
//
// Margins are kept to the fraction of a pixel (a heading's 0.67em of 32 px
// is 21.44 px), as browsers keep them.
struct MarginStrut
{
    float positive = 0;
    float negative = 0;
    float quirky = 0; // the largest positive quirky margin

    void add(float margin, bool isQuirky = false);
    void add(const MarginStrut& other);
    float collapsed() const;
    // The margin at the top or bottom edge of a BODY or cell.
    float collapsedAtQuirkyEdge() const { return positive + negative; }
    MarginStrut withoutQuirky() const { return {positive, negative, 0}; }
    bool operator==(const MarginStrut&) const = default;
};

// The whole pixel a place to the fraction of a pixel is laid out at.
int wholePixel(float exact);

// The vertical flow of the blocks in an element: litehtml 0.6 collapses a
// block's margins with its parent's before it knows them (so that each of
// four DIVs around a heading stood one heading margin lower than the one
// around it), not when the block has a border of its own, never through
// empty blocks and never when negative. Here the element classes place
// their in-flow blocks themselves, margins collapsed as CSS 2.1 has them:
// a block's top margin with its first child's and its bottom margin with
// its last child's through any depth of blocks, adjacent siblings' margins,
// and the margins above, in and below an empty block as one; not through a
// border, padding, clearance, or a box with a flow of its own (the root,
// floats, positioned boxes, inline blocks, tables and their cells, boxes
// that clip their overflow).
//
// Blocks stand where a browser puts them to the fraction of a pixel: each
// block's place is kept exactly (of its margins in em, of fractional font
// sizes) and rounded to whole pixels only for the box laid out, so that the
// fractions do not add up from heading to heading.
//
// A litehtml element class of ours derives from this and forwards
// calc_outlines, place_element and render (see Hinted).
class BlockFlow
{
public:
    virtual ~BlockFlow() = default;

    // While alive, the blocks laid out stand in content whose top lies
    // `fraction` of a pixel below the whole pixel it is laid out at (the
    // top of the block laid out, for laying one out again on its own).
    class FractionScope
    {
    public:
        explicit FractionScope(float fraction);
        ~FractionScope();
        FractionScope(const FractionScope&) = delete;
        FractionScope& operator=(const FractionScope&) = delete;

    private:
        float m_outer;
    };
    // The fraction its content's top stood at in the last layout of `el`
    // (0 for an element that is not ours).
    static float originFractionOf(const litehtml::element& el);

    // The margins that adjoin the element's top border edge (its own and
    // those of the first blocks in it that collapse with it), known once
    // its outlines are computed.
    const MarginStrut& topMargins() const { return m_top; }
    // The margins that adjoin its bottom border edge, known once it is
    // laid out.
    const MarginStrut& bottomMargins() const { return m_bottom; }
    // Whether the element's top and bottom margins adjoin: a block with no
    // height, border, padding or content of its own. Worked out once per
    // layout (each block asks about the blocks it holds, at every level of
    // a deep nest); outside a layout, anew at each call.
    bool collapsesThrough(const litehtml::element& self) const;
    // How many times the answer above was worked out rather than recalled,
    // on this thread, since it began.
    static long collapseAnswersWorkedOut();
    // How far the content of the element reached in its last layout: its
    // last line, or its last block and the margins below it that stay
    // inside.
    int contentHeight() const { return m_contentHeight; }
    // Whether its last layout placed nothing in it that takes room: no
    // line, no block that is not empty, no block below floats it cleared.
    bool laidOutEmpty() const { return m_laidOutEmpty; }
    // How much higher its content is than the whole pixels laid out (a
    // fraction of a pixel either way).
    float heightFraction() const { return m_heightFraction; }
    // Whether the element lays its content out apart from the flow around
    // it, as a flex or grid container and each item of one do: margins do
    // not collapse through it and floats stay inside.
    bool independentFlow() const { return m_layout != Layout::Flow || m_item; }
    // Whether it is a flex or grid container, which places its items itself.
    bool placesItems() const { return m_layout == Layout::Flex || m_layout == Layout::Grid; }
    // Whether its lines are as high as browsers make them in quirks and
    // limited quirks mode (see applyLineHeightQuirk), not at least as high
    // as its own line height everywhere.
    bool lineHeightQuirk() const { return m_mode != DocumentMode::NoQuirks; }
    // How far its first line is indented (text-indent) in content `width`
    // wide.
    virtual int textIndentAt(int width) const = 0;

protected:
    struct Flow;

    // From parse_styles: notes the vertical margins as styled, to the
    // fraction of a pixel; `fontSize` is the element's exact font size. And
    // how the element lays out its content (litehtml 0.6 knows neither flex
    // nor grid), and the mode of the page.
    void noteStyledMargins(const litehtml::element& self, float fontSize);
    void noteLayout(const litehtml::element& self);
    // From calc_outlines: notes the element's own margins as computed and
    // the first blocks in it whose top margins join its own; returns the
    // top margin to lay the element out with.
    int noteMargins(litehtml::element& self, const litehtml::css_margins& css, const litehtml::margins& computed,
                    int parentWidth);
    // Whether place_element of the element places `el` (an in-flow block
    // while the element is laid out).
    bool placesBlock(const litehtml::element& el) const;
    // Places an in-flow block as litehtml's place_element does, margins
    // collapsed; returns the width it takes.
    static int widthBesideFloats(litehtml::html_tag& self, litehtml::element& el, const litehtml::line_context& line,
                                 int maxWidth);
    int placeBlock(litehtml::html_tag& self, litehtml::box::vector& boxes, const litehtml::element::ptr& el,
                   int maxWidth);

    // Around litehtml's render of a block container (`Flow` lives on the
    // caller's stack): after it, the element's height and margins follow
    // from where its blocks stand. `minHeight`: the height the element
    // must at least have.
    void beginRender(Flow& flow);
    void endRender(litehtml::html_tag& self, const litehtml::box::vector& boxes, litehtml::margins& margins,
                   litehtml::position& pos, int y, int minHeight);

    // The margin an empty block lays out below itself: what follows it in
    // its parent starts where the margins so far end.
    virtual void setLaidOutBottomMargin(int margin) = 0;
    // The element's min-height, in pixels where it is set in them.
    virtual bool hasMinHeight() const = 0;
    // Whether its top or bottom padding is a percentage (of the width it is
    // laid out at, which differs between the measures of one layout).
    virtual bool verticalPaddingInPercent() const = 0;

private:
    bool collapsesThroughNow(const litehtml::element& self) const;
    static float exactMargin(const litehtml::css_length& styled, int computed, int parentWidth);

    enum class Layout { Flow, Root, Flex, Grid };

    MarginStrut m_top;
    MarginStrut m_bottom;
    Layout m_layout = Layout::Flow;
    DocumentMode m_mode = DocumentMode::Quirks;
    bool m_item = false; // an item of a flex or grid container
    litehtml::css_length m_styledTop;
    litehtml::css_length m_styledBottom;
    float m_ownBottom = 0;
    float m_originFraction = 0;
    float m_heightFraction = 0;
    bool m_quirkyBottom = false;
    bool m_joinsFirstChild = false;
    int m_contentHeight = 0;
    bool m_laidOutEmpty = false;
    Flow* m_flow = nullptr;
    // collapsesThrough's answer in the layout numbered m_collapsePass.
    mutable unsigned m_collapsePass = 0;
    mutable bool m_collapses = false;
};

// Where the blocks of an element being laid out have come to.
struct BlockFlow::Flow
{
    // Places in the flow are exact, relative to the content's exact top;
    // litehtml's lines and boxes stand at whole pixels, relative to the
    // whole pixel the content's top is laid out at.
    struct State
    {
        float borderBottom = 0; // the bottom border edge of the last block or line that is not empty
        float lineOffset = 0;   // the exact place of the lines since the last block less their laid-out one
        MarginStrut pending;    // the margins below it, not collapsed yet
        bool atStart = true;    // nothing but empty blocks since the content's top
        const litehtml::element* lastBlock = nullptr;
        const litehtml::box* lastBox = nullptr;
    };
    State now;
    State beforeLast; // before the last block was placed
    Flow* outer = nullptr;
    float origin = 0; // how far below its laid-out top the content's exact top lies
};

} // namespace engine
