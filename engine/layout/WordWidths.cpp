#include "engine/layout/WordWidths.h"

#include "engine/layout/FontCatalog.h"
#include "engine/layout/LayoutElements.h"

#include <litehtml/el_text.h>

#include <cmath>
#include <vector>

namespace engine {

namespace wordwidths_detail {

// (The measured text and size of a word are litehtml's own.)
struct TextAccess : litehtml::el_text
{
    static constexpr litehtml::size litehtml::el_text::*size = &TextAccess::m_size;
    static constexpr litehtml::tstring litehtml::el_text::*text = &TextAccess::m_text;
    static constexpr litehtml::tstring litehtml::el_text::*transformed = &TextAccess::m_transformed_text;
    static constexpr bool litehtml::el_text::*useTransformed = &TextAccess::m_use_transformed;
};

struct Run
{
    double exact = 0;        // the exact widths so far
    bool started = false;    // something stands on the line
    bool afterSpace = false; // and it ends in white space that collapses
    // The white space after the last thing on the line: where the run ends
    // it is dropped, as a browser drops the spaces that end a line.
    std::vector<litehtml::size*> trailing;

    void contentAdded()
    {
        started = true;
        afterSpace = false;
        // (The white space before it keeps the width it was given.)
        trailing.clear();
    }
    void restart()
    {
        for (litehtml::size* size : trailing)
            size->width = 0;
        *this = Run();
    }
    // The whole pixels of a piece `width` wide that comes next.
    int add(double width)
    {
        const double before = exact;
        exact += width;
        return static_cast<int>(std::llround(exact) - std::llround(before));
    }
};

void fitWord(litehtml::el_text& word, Run& run, const FontCatalog& fonts)
{
    litehtml::size& size = word.*TextAccess::size;
    // (litehtml gives breaks no width.)
    const double exact = engine::exactWidthOf(word, fonts);
    if (exact < 0)
        return;
    if (word.is_white_space()) {
        // Leading and repeated white space is dropped from the line (also
        // where litehtml would keep it: after a break that ends its line by
        // itself, the line goes on in litehtml).
        if (!run.started || run.afterSpace) {
            size.width = 0;
            return;
        }
        run.afterSpace = true;
        run.trailing.push_back(&size);
        size.width = run.add(exact);
        return;
    }
    run.contentAdded();
    size.width = run.add(exact);
}

void fitChildren(const litehtml::element& parent, Run& run, const FontCatalog& fonts)
{
    for (const auto& child : childrenOf(parent)) {
        const litehtml::style_display display = child->get_display();
        // (Text reports itself inline text, and asking that is cheaper than a
        // cast on the elements of classes of several bases.)
        if (display == litehtml::display_inline_text) {
            if (auto* word = dynamic_cast<litehtml::el_text*>(child.get())) {
                fitWord(*word, run, fonts);
                continue;
            }
        }
        if (display == litehtml::display_none)
            continue;
        // A line break ends the line, also one that litehtml lays out as a
        // box of its own or as no break at all: the white space before it
        // is dropped.
        if (dynamic_cast<const litehtml::el_break*>(child.get())) {
            run.restart();
            continue;
        }
        if (display == litehtml::display_inline && !child->is_replaced()) {
            if (child->is_break())
                run.restart();
            else
                fitChildren(*child, run, fonts);
            continue;
        }
        // A box of its own: its text is a run of its own; the line goes on
        // after an inline one (whole pixels wide) and starts anew after a
        // block. A box out of the flow leaves the line as it is.
        Run inner;
        fitChildren(*child, inner, fonts);
        inner.restart();
        const litehtml::element_position position = child->get_element_position();
        if (position == litehtml::element_position_absolute || position == litehtml::element_position_fixed)
            continue;
        if (display == litehtml::display_inline_block || display == litehtml::display_inline_table ||
            display == litehtml::display_inline)
            run.contentAdded();
        else
            run.restart();
    }
}

using OpenTest = std::function<bool(const litehtml::element&)>;

// A box of its own in the runs of its parent (fitChildren's last case).
bool isBoxOfItsOwn(const litehtml::element& child)
{
    const litehtml::style_display display = child.get_display();
    if (display == litehtml::display_none || dynamic_cast<const litehtml::el_break*>(&child))
        return false;
    if (display == litehtml::display_inline_text && dynamic_cast<const litehtml::el_text*>(&child))
        return false;
    return display != litehtml::display_inline || child.is_replaced();
}

// fitChildren for an open element: its boxes of their own that are not
// open themselves were fitted in their parts.
void fitAround(const litehtml::element& parent, Run& run, const FontCatalog& fonts, const OpenTest& isOpen)
{
    for (const auto& child : childrenOf(parent)) {
        if (!isBoxOfItsOwn(*child)) {
            // (As fitChildren does.)
            const litehtml::style_display display = child->get_display();
            if (display == litehtml::display_none)
                continue;
            if (auto* word = display == litehtml::display_inline_text ? dynamic_cast<litehtml::el_text*>(child.get())
                                                                      : nullptr) {
                fitWord(*word, run, fonts);
                continue;
            }
            if (dynamic_cast<const litehtml::el_break*>(child.get()) || child->is_break())
                run.restart();
            else
                fitChildren(*child, run, fonts);
            continue;
        }
        if (isOpen(*child)) {
            Run inner;
            fitAround(*child, inner, fonts, isOpen);
            inner.restart();
        }
        const litehtml::element_position position = child->get_element_position();
        if (position == litehtml::element_position_absolute || position == litehtml::element_position_fixed)
            continue;
        const litehtml::style_display display = child->get_display();
        if (display == litehtml::display_inline_block || display == litehtml::display_inline_table ||
            display == litehtml::display_inline)
            run.contentAdded();
        else
            run.restart();
    }
}

} // namespace wordwidths_detail

void fitBoxesInside(litehtml::element& open, const std::function<bool(const litehtml::element&)>& isOpen,
                    const FontCatalog& fonts)
{
    using namespace wordwidths_detail;
    for (const auto& child : childrenOf(open)) {
        if (!isBoxOfItsOwn(*child))
            continue;
        if (isOpen(*child)) {
            fitBoxesInside(*child, isOpen, fonts);
            continue;
        }
        Run inner;
        fitChildren(*child, inner, fonts);
        inner.restart();
    }
}

void fitAroundBoxes(litehtml::element& open, const std::function<bool(const litehtml::element&)>& isOpen,
                    const FontCatalog& fonts)
{
    wordwidths_detail::Run run;
    wordwidths_detail::fitAround(open, run, fonts, isOpen);
    run.restart();
}

void fitWordWidths(litehtml::element& from, const FontCatalog& fonts)
{
    wordwidths_detail::Run run;
    if (auto* word = dynamic_cast<litehtml::el_text*>(&from))
        wordwidths_detail::fitWord(*word, run, fonts);
    else
        wordwidths_detail::fitChildren(from, run, fonts);
    run.restart();
}

double exactWidthOf(litehtml::el_text& word, const FontCatalog& fonts)
{
    using wordwidths_detail::TextAccess;
    const auto font = static_cast<int>(word.get_font());
    if (word.is_break() || font <= 0)
        return -1;
    const litehtml::tstring& text =
        word.*TextAccess::useTransformed ? word.*TextAccess::transformed : word.*TextAccess::text;
    return fonts.exactTextWidth(font, text);
}

int wordWidthOf(litehtml::el_text& word)
{
    return (word.*wordwidths_detail::TextAccess::size).width;
}

void setWordWidth(litehtml::el_text& word, int width)
{
    (word.*wordwidths_detail::TextAccess::size).width = width;
}

litehtml::element* runsHolder(litehtml::element& el)
{
    litehtml::element* at = &el;
    while (at) {
        const litehtml::style_display display = at->get_display();
        if (display != litehtml::display_inline && display != litehtml::display_inline_text &&
            display != litehtml::display_none)
            return at;
        const auto parent = at->parent();
        if (!parent)
            return at;
        at = parent.get();
    }
    return at;
}

} // namespace engine
