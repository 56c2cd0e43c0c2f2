#include "engine/layout/MovedLines.h"

#include "engine/layout/BlockFlow.h"
#include "engine/layout/KeptLines.h"
#include "engine/layout/LayoutElements.h"
#include "engine/layout/LineBoxes.h"

#include <algorithm>
#include <cstring>
#include <typeinfo>

namespace engine {

namespace movedlines_detail {

using lineboxes::itemsOf;

bool sameProperty(const litehtml::element& a, const litehtml::element& b, const char* name)
{
    const char* x = a.get_style_property(name, true, "");
    const char* y = b.get_style_property(name, true, "");
    return std::strcmp(x ? x : "", y ? y : "") == 0;
}

// Whether lines laid out in `from` come out alike in `to` (see MovedLines).
bool linesAlike(litehtml::element& from, litehtml::element& to)
{
    const auto* a = dynamic_cast<const litehtml::html_tag*>(&from);
    const auto* b = dynamic_cast<const litehtml::html_tag*>(&to);
    const auto* flowFrom = dynamic_cast<const BlockFlow*>(&from);
    const auto* flowTo = dynamic_cast<const BlockFlow*>(&to);
    if (!a || !b || !flowFrom || !flowTo || typeid(from) != typeid(to) ||
        std::strcmp(a->get_tagName(), b->get_tagName()) != 0)
        return false;
    if (from.get_display() != litehtml::display_block || to.get_display() != litehtml::display_block ||
        from.get_font(nullptr) != to.get_font(nullptr) || from.line_height() != to.line_height() ||
        from.get_white_space() != to.get_white_space())
        return false;
    for (const char* name : {"text-align", "text-indent", "line-height", "direction", "text-transform"}) {
        if (!sameProperty(from, to, name))
            return false;
    }
    const int room = from.get_position().width;
    return flowFrom->textIndentAt(room) == 0 && flowTo->textIndentAt(room) == 0;
}

// How many of `children` from the first are the items of `lines` [0, end)
// in their order, the comments that mark where texts begin passed over.
size_t sameFromStart(const litehtml::elements_vector& children, const litehtml::box::vector& lines, size_t end)
{
    size_t matched = 0;
    size_t line = 0;
    size_t item = 0;
    for (size_t c = 0; c < children.size(); ++c) {
        if (children[c]->is_comment())
            continue;
        while (line < end && item == itemsOf(*lines[line]).size()) {
            ++line;
            item = 0;
        }
        if (line == end || itemsOf(*lines[line])[item] != children[c])
            break;
        ++item;
        matched = c + 1;
    }
    return matched;
}

// How many of `children` to the last are the items of `lines` [from, end)
// in their order, alike.
size_t sameToEnd(const litehtml::elements_vector& children, const litehtml::box::vector& lines, size_t from, size_t end)
{
    size_t matched = children.size();
    size_t line = end;
    size_t item = 0; // (counted from the line's end)
    for (size_t c = children.size(); c-- > 0;) {
        if (children[c]->is_comment())
            continue;
        while (line > from && item == 0) {
            --line;
            item = itemsOf(*lines[line]).size();
        }
        if (item == 0 || itemsOf(*lines[line])[item - 1] != children[c])
            break;
        --item;
        matched = c;
    }
    return children.size() - matched;
}

} // namespace movedlines_detail

MovedLines::MovedLines(const std::vector<std::shared_ptr<litehtml::element>>& old,
                       const std::vector<litehtml::element*>& blocks)
{
    using namespace movedlines_detail;
    struct Given
    {
        litehtml::box::vector lines;
        std::vector<size_t> groups; // where the lines of each old block begin
        const litehtml::element* lastFrom = nullptr;
        bool firstFromTop = false; // the first line was its old block's first
    };
    std::vector<Given> given(blocks.size());
    for (const auto& el : old) {
        auto* tag = dynamic_cast<litehtml::html_tag*>(el.get());
        if (!tag)
            continue;
        litehtml::box::vector& boxes = lineboxes::boxesOf(*tag);
        std::vector<int> alike(blocks.size(), -1);
        bool handed = false;
        for (size_t i = 0; i < boxes.size(); ++i) {
            auto& box = boxes[i];
            if (box->get_type() != litehtml::box_line || itemsOf(*box).empty())
                continue;
            const std::shared_ptr<litehtml::element> owner = itemsOf(*box).front()->parent();
            const auto found = std::find(blocks.begin(), blocks.end(), owner.get());
            if (found == blocks.end())
                continue;
            const auto b = static_cast<size_t>(found - blocks.begin());
            if (alike[b] < 0)
                alike[b] = linesAlike(*el, *blocks[b]) ? 1 : 0;
            if (alike[b] == 0)
                continue;
            Given& to = given[b];
            if (to.lastFrom != el.get()) {
                if (to.groups.empty())
                    to.firstFromTop = i == 0;
                to.groups.push_back(to.lines.size());
                to.lastFrom = el.get();
            }
            to.lines.push_back(std::move(box));
            handed = true;
        }
        if (handed)
            boxes.erase(std::remove(boxes.begin(), boxes.end(), nullptr), boxes.end());
    }
    for (size_t b = 0; b < blocks.size(); ++b) {
        Given& g = given[b];
        auto* tag = dynamic_cast<litehtml::html_tag*>(blocks[b]);
        if (g.lines.empty() || !tag || !lineboxes::boxesOf(*tag).empty())
            continue;
        const litehtml::elements_vector& children = childrenOf(*tag);
        // (The lines that stand at the start stand where they stood: they
        // must have begun their old block too.)
        const size_t prefix =
            g.firstFromTop ? sameFromStart(children, g.lines, g.groups.size() > 1 ? g.groups[1] : g.lines.size()) : 0;
        const size_t suffix = sameToEnd(children, g.lines, g.groups.back(), g.lines.size());
        if (prefix == 0 && suffix == 0)
            continue;
        m_lines += g.lines.size();
        lineboxes::boxesOf(*tag) = std::move(g.lines);
        auto kept = std::make_unique<KeptLines>(*tag, prefix, suffix);
        // (The block is laid out at its place, in the room the old ones had.)
        kept->leaveWidthUnasked();
        m_kept.emplace_back(tag, std::move(kept));
    }
}

MovedLines::~MovedLines() = default;

KeptLines* MovedLines::of(const litehtml::element* block) const
{
    for (const auto& [el, kept] : m_kept) {
        if (el == block)
            return kept.get();
    }
    return nullptr;
}

} // namespace engine
