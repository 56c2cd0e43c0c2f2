#include "engine/layout/LineFit.h"

#include "engine/layout/LayoutElements.h"
#include "engine/layout/LineBoxes.h"
#include "engine/layout/PageContainer.h"
#include "engine/layout/WordWidths.h"

#include <litehtml/el_break.h>
#include <litehtml/el_text.h>

#include <cmath>

namespace engine {

namespace linefit_detail {

// The whole pixels from `from` to `from + width` on a line.
int pixelsBetween(double from, double width)
{
    return static_cast<int>(std::llround(from + width) - std::llround(from));
}

bool isLine(const litehtml::box& box)
{
    return box.get_type() == litehtml::box_line;
}

bool isOutOfFlow(const litehtml::element& el)
{
    const litehtml::element_position position = el.get_element_position();
    return position == litehtml::element_position_absolute || position == litehtml::element_position_fixed;
}

// Whether `el` ends the run of text before it: a line break, or a box that
// is not one of the line's (a block, a float).
bool endsRun(const litehtml::element& el)
{
    if (dynamic_cast<const litehtml::el_break*>(&el))
        return true;
    const litehtml::style_display display = el.get_display();
    switch (display) {
    case litehtml::display_none:
    case litehtml::display_inline_text:
    case litehtml::display_inline_block:
    case litehtml::display_inline_table:
        return false;
    case litehtml::display_inline:
        return !el.is_replaced() && el.is_break();
    default:
        return !isOutOfFlow(el);
    }
}

// Whether `el`, placed on a line, is content there (not white space, not a
// comment, not an inline element whose own pieces are placed one by one).
bool isContent(const litehtml::element& el)
{
    if (!el.is_inline_box() || el.is_comment() || el.is_white_space() || el.is_break() || isOutOfFlow(el))
        return false;
    return el.get_display() != litehtml::display_inline || el.is_replaced();
}

} // namespace linefit_detail

void LineFit::reset(const litehtml::element& block)
{
    *this = LineFit();
    if (auto* container = dynamic_cast<PageContainer*>(block.get_document()->container()))
        m_fonts = &container->fonts();
    const litehtml::elements_vector& children = childrenOf(block);
    for (size_t i = children.size(); i-- > 0 && !m_lastContent;) {
        if (!children[i]->is_white_space() && !children[i]->is_comment())
            m_lastContent = children[i].get();
    }
}

bool LineFit::onSameLine(const litehtml::box::vector& lines) const
{
    return m_line && lines.size() == m_lines && lines.back().get() == m_line;
}

void LineFit::endRun(const litehtml::box::vector& lines)
{
    if (onSameLine(lines)) {
        int back = 0;
        for (litehtml::element* el : m_sinceContent) {
            if (back != 0)
                el->get_position().x -= back;
            if (el->skip() || !el->is_white_space() || el->is_break())
                continue;
            auto* space = dynamic_cast<litehtml::el_text*>(el);
            if (!space)
                continue;
            const int width = el->get_position().width;
            setWordWidth(*space, 0);
            el->get_position().width = 0;
            back += width;
        }
        if (back != 0)
            lineboxes::widenLine(*lines.back(), -back);
    }
    m_sinceContent.clear();
    m_exact = 0;
    m_started = false;
    m_afterSpace = false;
}

LineFit::Piece LineFit::before(litehtml::element& el, const litehtml::box::vector& lines)
{
    using linefit_detail::pixelsBetween;
    Piece piece;
    if (!m_fonts)
        return piece;
    // (Text reports itself inline text, and asking that is cheaper than a
    // cast on the elements of classes of several bases.)
    if (el.get_display() != litehtml::display_inline_text) {
        if (linefit_detail::endsRun(el))
            endRun(lines);
        return piece;
    }
    auto* word = dynamic_cast<litehtml::el_text*>(&el);
    if (!word)
        return piece;
    const double exact = exactWidthOf(*word, *m_fonts);
    if (exact < 0)
        return piece;
    const bool sameLine = onSameLine(lines);
    const double from = sameLine ? m_exact : 0;
    piece.word = word;
    piece.widthBefore = wordWidthOf(*word);
    piece.space = word->is_white_space();
    if (piece.space && (!sameLine || !m_started || m_afterSpace)) {
        // White space that collapses (at the start of a line it is left out
        // in any case).
        piece.asContinued = piece.alone = 0;
    } else {
        piece.exact = exact;
        piece.asContinued = pixelsBetween(from, exact);
        piece.alone = piece.space ? piece.asContinued : pixelsBetween(0, exact);
    }
    setWordWidth(*word, piece.asContinued);
    return piece;
}

void LineFit::undo(const Piece& piece)
{
    if (piece.word)
        setWordWidth(static_cast<litehtml::el_text&>(*piece.word), piece.widthBefore);
}

void LineFit::after(const Piece& piece, litehtml::element& el, const litehtml::box::vector& lines, int& width)
{
    if (lines.empty() || !linefit_detail::isLine(*lines.back())) {
        m_line = nullptr;
        m_sinceContent.clear();
        return;
    }
    if (!onSameLine(lines)) {
        beginLine(lines);
        // A word that begins the line takes its width there.
        if (piece.word && !el.skip() && piece.alone != piece.asContinued) {
            const int by = piece.alone - piece.asContinued;
            setWordWidth(static_cast<litehtml::el_text&>(*piece.word), piece.alone);
            el.get_position().width += by;
            lineboxes::widenLine(*lines.back(), by);
            width += by;
        }
    }
    if (!el.skip()) {
        if (piece.word) {
            m_exact += piece.exact;
            if (piece.space) {
                m_afterSpace = true;
                // (White space reaches only as far as what comes before it:
                // at the end of a line it is left out.)
                width -= el.width();
                m_sinceContent.push_back(&el);
            } else {
                m_started = true;
                m_afterSpace = false;
                m_sinceContent.clear();
            }
        } else if (linefit_detail::isContent(el)) {
            m_started = true;
            m_afterSpace = false;
            m_sinceContent.clear();
        } else if (const litehtml::elements_vector& items = lineboxes::itemsOf(*lines.back());
                   !items.empty() && items.back().get() == &el) {
            // (Something else the line holds, as a comment: it moves back
            // with the white space before it.)
            m_sinceContent.push_back(&el);
        }
    }
    // The block's text ends with it. (A float ends the run before it also
    // where placing it placed the line's pieces again.)
    if (&el == m_lastContent || (!piece.word && linefit_detail::endsRun(el)))
        endRun(lines);
}

void LineFit::beginLine(const litehtml::box::vector& lines)
{
    m_line = lines.back().get();
    m_lines = lines.size();
    m_exact = 0;
    m_started = false;
    m_afterSpace = false;
    m_sinceContent.clear();
}

void LineFit::continueAfter(const litehtml::box::vector& lines, const litehtml::elements_vector& items)
{
    beginLine(lines);
    for (const auto& item : items) {
        const Piece piece = before(*item, lines);
        undo(piece);
        int width = 0;
        after(piece, *item, lines, width);
    }
}

std::optional<LineFit::Along> LineFit::along() const
{
    if (!m_line || !m_sinceContent.empty())
        return std::nullopt;
    return Along{m_exact, m_started, m_afterSpace};
}

void LineFit::resume(const litehtml::box::vector& lines, const Along& along)
{
    beginLine(lines);
    m_exact = along.exact;
    m_started = along.started;
    m_afterSpace = along.afterSpace;
}

void LineFit::placeAlong(const litehtml::box::vector& lines, litehtml::elements_vector&& items)
{
    litehtml::box& line = *lines.back();
    litehtml::elements_vector& placed = lineboxes::itemsOf(line);
    placed.reserve(placed.size() + items.size());
    const int left = lineboxes::leftOf(line);
    for (auto& held : items) {
        // (Moved onto the line, and placed there.)
        const litehtml::element::ptr& item = placed.emplace_back(std::move(held));
        const Piece piece = before(*item, lines);
        // As the line places a piece that does not end it (the line was
        // ended with the pieces before).
        litehtml::position& pos = item->get_position();
        if (piece.word)
            pos.width = wordWidthOf(*static_cast<litehtml::el_text*>(piece.word));
        if (!item->skip()) {
            pos.x = left + lineboxes::lineWidthOf(line) + item->get_inline_shift_left() + item->content_margins_left();
            lineboxes::widenLine(line, item->width() + item->get_inline_shift_left() + item->get_inline_shift_right());
        }
        int width = 0;
        after(piece, *item, lines, width);
    }
}

} // namespace engine
