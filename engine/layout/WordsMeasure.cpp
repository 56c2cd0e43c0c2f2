#include "engine/layout/WordsMeasure.h"

#include "engine/layout/BlockFlow.h"
#include "engine/layout/LayoutElements.h"
#include "engine/layout/LineBoxes.h"
#include "engine/layout/PageContainer.h"
#include "engine/layout/WordWidths.h"

#include <litehtml/el_text.h>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace engine {

namespace wordsmeasure_detail {

bool setTo(const char* value, const char* none)
{
    return value && std::strcmp(value, none) != 0;
}

// Whether the block's own width follows from its words: see WordsMeasure.
bool sizedByItsWords(const litehtml::element& block)
{
    if (block.get_display() != litehtml::display_block || !block.get_css_width().is_predefined() ||
        block.get_float() != litehtml::float_none || block.get_element_position() != litehtml::element_position_static)
        return false;
    if (setTo(block.get_style_property("min-width", false, nullptr), "0") ||
        setTo(block.get_style_property("max-width", false, nullptr), "none"))
        return false;
    for (const char* side : {"margin-left", "margin-right", "padding-left", "padding-right"}) {
        const char* value = block.get_style_property(side, false, nullptr);
        if (value && std::strchr(value, '%'))
            return false;
    }
    const char* marker = block.get_style_property("list-style-position", true, nullptr);
    return !(marker && std::strcmp(marker, "inside") == 0);
}

// A piece of text as litehtml places it.
struct Piece
{
    bool space = false;     // white space that collapses
    bool lineBreak = false; // a preformatted line break
    bool hangs = false;     // it never wraps to the next line
    double exact = 0;       // its exact width (see LineFit)
};

// The whole pixels from `from` to `from + width` on a line.
int pixelsBetween(double from, double width)
{
    return static_cast<int>(std::llround(from + width) - std::llround(from));
}

// The placing of the pieces on lines at one width, keeping only what the
// answer needs: where the current line has come to (litehtml's line box).
class Placing
{
public:
    Placing(const BlockFlow& flow, int maxWidth, int margins)
        : m_flow(flow), m_margins(margins), m_room(maxWidth ? maxWidth - margins : 0)
    {
    }

    void place(const Piece& piece)
    {
        // A break that begins the text (or follows an empty line) ends a
        // line of its own.
        if (piece.lineBreak && (m_lines == 0 || !m_line.shows)) {
            newLine();
            add(piece, 0, true);
            newLine();
            return;
        }
        // Another piece goes on the line when it fits there, or hangs at its
        // end; else it begins a line, and the line before it wrapped unless
        // it ended at a break.
        // (Its width at the end of the line decides; see LineFit.)
        const bool collapses =
            piece.lineBreak || (piece.space && (m_lines == 0 || !m_line.started || m_line.afterSpace));
        const int asContinued = collapses ? 0 : pixelsBetween(m_line.exact, piece.exact);
        const bool fits =
            m_lines > 0 && !piece.lineBreak && (piece.hangs || m_line.left + m_line.width + asContinued <= m_room);
        if (!fits) {
            newLine();
            if (m_lines > 1 && m_previous.shows && !m_previous.endsInBreak && !piece.lineBreak)
                m_wrapped = true;
        }
        add(piece, fits ? asContinued : (collapses ? 0 : pixelsBetween(0, piece.exact)), collapses);
    }
    WordsMeasure measure() const { return {m_widest + m_margins, m_wrapped}; }

private:
    struct Line
    {
        int left = 0;             // where its first piece starts (the first line's indent)
        int width = 0;            // its pieces' widths added up
        bool holdsItems = false;  // pieces placed on it, shown or not
        bool endsInSpace = false; // its last piece is white space or a break
        bool endsInBreak = false; // its last piece is a break
        bool shows = false;       // a piece shown or a break on it (not empty)
        double exact = 0;         // the exact widths of its pieces added up
        bool started = false;     // something other than white space stands on it
        bool afterSpace = false;  // its last piece shown is white space
    };

    void newLine()
    {
        m_previous = m_line;
        m_line = Line{};
        if (m_lines++ == 0)
            m_line.left = m_flow.textIndentAt(m_room);
    }
    // As the line box adds a piece: breaks and white space that begins a
    // line are not shown; white space after white space is not added.
    void add(const Piece& piece, int width, bool collapses)
    {
        const bool shown = !piece.lineBreak && !(piece.space && !m_line.holdsItems);
        if (shown && piece.space && m_line.endsInSpace)
            return;
        m_line.holdsItems = true;
        m_line.endsInSpace = piece.space || piece.lineBreak;
        m_line.endsInBreak = piece.lineBreak;
        m_line.shows = m_line.shows || shown || piece.lineBreak;
        if (!shown)
            return;
        m_line.width += width;
        if (!collapses)
            m_line.exact += piece.exact;
        m_line.started = m_line.started || !piece.space;
        m_line.afterSpace = piece.space;
        // (White space reaches no farther than what comes before it.)
        if (!piece.space)
            m_widest = std::max(m_widest, m_line.left + m_line.width);
    }

    const BlockFlow& m_flow;
    int m_margins;
    int m_room;
    int m_lines = 0;
    int m_widest = 0;
    bool m_wrapped = false;
    Line m_line;
    Line m_previous;
};

} // namespace wordsmeasure_detail

// Follows litehtml's placing of inline text in a block (render_box,
// place_element, new_box and the line box's can_hold and add_element) and
// ours (Hinted::place_element), piece by piece, at both widths at once.
std::optional<WordsMeasures> measureWords(litehtml::element& block, int maxWidth)
{
    using namespace wordsmeasure_detail;
    const auto* flow = dynamic_cast<const BlockFlow*>(&block);
    auto* container = dynamic_cast<PageContainer*>(block.get_document()->container());
    if (!flow || !container || !sizedByItsWords(block))
        return std::nullopt;
    const FontCatalog* fonts = &container->fonts();
    // 1. The block's margins, borders and padding take their part of the
    //    width; its white space says how lines end.
    const int margins = block.content_margins_left() + block.content_margins_right();
    Placing narrowest(*flow, 1, margins);
    Placing widest(*flow, maxWidth, margins);
    const litehtml::white_space ws = block.get_white_space();
    const bool collapsesSpaces = ws == litehtml::white_space_normal || ws == litehtml::white_space_nowrap ||
                                 ws == litehtml::white_space_pre_line;
    const bool neverWraps = ws == litehtml::white_space_nowrap || ws == litehtml::white_space_pre;
    const bool keepsBreaks =
        ws == litehtml::white_space_pre || ws == litehtml::white_space_pre_line || ws == litehtml::white_space_pre_wrap;
    // 2. Each child in turn: words and white space (litehtml's text, the
    //    only inline text there is); comments take no place.
    bool afterSpace = false;
    for (const auto& child : childrenOf(block)) {
        litehtml::element& el = *child;
        const litehtml::style_display display = el.get_display();
        if (el.is_comment()) {
            if (display != litehtml::display_inline && display != litehtml::display_none)
                return std::nullopt;
            afterSpace = false; // (not white space, it ends a run of it)
            continue;
        }
        if (display != litehtml::display_inline_text)
            return std::nullopt;
        Piece piece;
        piece.space = el.is_white_space();
        // (White space after white space is passed over.)
        if (collapsesSpaces) {
            if (piece.space && afterSpace)
                continue;
            afterSpace = piece.space;
        }
        piece.lineBreak = keepsBreaks && el.is_break();
        piece.hangs = neverWraps || (ws == litehtml::white_space_pre_wrap && el.is_space());
        auto* text = dynamic_cast<litehtml::el_text*>(&el);
        if (!text)
            return std::nullopt;
        piece.exact = std::max(0.0, exactWidthOf(*text, *fonts));
        narrowest.place(piece);
        widest.place(piece);
    }
    // 3. The widest line's right edge, and the block's frame.
    return WordsMeasures{narrowest.measure(), widest.measure()};
}

bool asksForAllTheRoom(litehtml::element& block, int maxWidth, bool wordsKnown)
{
    using namespace wordsmeasure_detail;
    const auto* flow = dynamic_cast<const BlockFlow*>(&block);
    const auto* tag = dynamic_cast<const litehtml::html_tag*>(&block);
    auto* container = dynamic_cast<PageContainer*>(block.get_document()->container());
    // (White space that collapses, lines that wrap, no line breaks of its
    // own: each line but the last ended for want of room.)
    if (!flow || !tag || !container || !sizedByItsWords(block) ||
        block.get_white_space() != litehtml::white_space_normal)
        return false;
    const int margins = block.content_margins_left() + block.content_margins_right();
    const int room = maxWidth - margins;
    if (room <= 0 || block.get_position().width != room)
        return false;
    for (const auto& child : childrenOf(block)) {
        if (wordsKnown)
            break;
        const litehtml::style_display display = child->get_display();
        if (display == litehtml::display_inline_text && !child->is_comment())
            continue;
        if (!child->is_comment() || (display != litehtml::display_inline && display != litehtml::display_none))
            return false;
    }
    const litehtml::box::vector& lines = lineboxes::boxesOf(*tag);
    if (lines.size() < 2)
        return false;
    for (const auto& line : lines) {
        if (line->get_type() != litehtml::box_line)
            return false;
    }
    // The first line shows a word (the lines after it wrapped).
    const litehtml::elements_vector& first = lineboxes::itemsOf(*lines.front());
    if (std::none_of(first.begin(), first.end(),
                     [](const litehtml::element::ptr& el) { return !el->skip() && !el->is_white_space(); }))
        return false;
    // A word alone on a line is within a pixel of its width on its line,
    // which is no wider than the line: only the words of lines that come
    // within a pixel or two of the width are measured.
    const int indent = std::max(0, flow->textIndentAt(1 - margins));
    const FontCatalog& fonts = container->fonts();
    for (const auto& line : lines) {
        if (indent + line->width() + 1 < room)
            continue;
        for (const litehtml::element::ptr& el : lineboxes::itemsOf(*line)) {
            auto* text = dynamic_cast<litehtml::el_text*>(el.get());
            if (!text || el->is_white_space())
                continue;
            if (indent + pixelsBetween(0, std::max(0.0, exactWidthOf(*text, fonts))) > room)
                return false;
        }
    }
    return true;
}

} // namespace engine
