#include "engine/layout/KeptLines.h"

#include "engine/layout/LineBoxes.h"

#include <algorithm>
#include <memory>

namespace engine {

namespace keptlines_detail {

using lineboxes::itemsOf;
using lineboxes::leftOf;
using lineboxes::rightOf;

thread_local KeptLines* keptLinesNow = nullptr;

// What placing a word gives (the right edge it reaches; white space reaches
// as far as what comes before it, see LineFit).
int widthOf(litehtml::element& el)
{
    if (!el.is_inline_box() || el.skip())
        return 0;
    return el.right() + el.get_inline_shift_right() - (el.is_white_space() ? el.width() : 0);
}

} // namespace keptlines_detail

KeptLines::KeptLines(const litehtml::element& block, size_t prefix, size_t suffix)
    : m_block(&block), m_prefix(prefix), m_suffix(suffix)
{
}

KeptLines::~KeptLines() = default;

KeptLines::Scope::Scope(KeptLines& kept) : m_outer(keptlines_detail::keptLinesNow)
{
    keptlines_detail::keptLinesNow = &kept;
}

KeptLines::Scope::~Scope()
{
    keptlines_detail::keptLinesNow = m_outer;
}

KeptLines* KeptLines::of(const litehtml::element* block)
{
    KeptLines* now = keptlines_detail::keptLinesNow;
    return now && now->m_block == block ? now : nullptr;
}

bool KeptLines::begin(const litehtml::elements_vector& children, litehtml::box::vector& boxes,
                      litehtml::text_align align)
{
    using namespace keptlines_detail;
    // (Once: a second layout of the block is an ordinary one.)
    if (m_children || m_failed)
        return false;
    m_children = &children;
    if (align == litehtml::text_align_right || align == litehtml::text_align_center || boxes.empty())
        return false;
    const size_t count = children.size();
    // Words and the comments that mark where texts begin, nothing that
    // breaks a line or places words of its own.
    for (const auto& child : children) {
        if (!child->is_comment() && (child->get_display() != litehtml::display_inline_text || child->is_break()))
            return false;
    }
    const size_t prefix = std::min(m_prefix, count);
    const size_t suffixFrom = count - std::min(m_suffix, count - prefix);
    m_right = rightOf(*boxes.front());
    for (size_t l = 0; l < boxes.size(); ++l) {
        const litehtml::box& box = *boxes[l];
        // (Beside no float: every line but the first, which may be
        // indented, stands at the left edge.)
        if (box.get_type() != litehtml::box_line || itemsOf(box).empty() || rightOf(box) != m_right ||
            (l > 0 && leftOf(box) != 0))
            return false;
    }
    // The lines made only of children before the change; the first line
    // that holds more, and whether its first child came before it.
    const size_t lines = boxes.size();
    m_firstOfLine.assign(lines, 0);
    size_t changedLine = lines;
    bool startsBefore = false;
    size_t j = 0;
    for (size_t l = 0; l < lines && changedLine == lines; ++l) {
        const litehtml::elements_vector& items = itemsOf(*boxes[l]);
        for (size_t t = 0; t < items.size(); ++t) {
            while (j < prefix && children[j] != items[t])
                ++j;
            if (j == prefix) {
                changedLine = l;
                startsBefore = t > 0;
                break;
            }
            if (t == 0)
                m_firstOfLine[l] = j;
            ++j;
        }
    }
    // The line to lay out again first: that one, or the one before it when
    // the change begins it (or follows every line).
    const size_t restartLine =
        changedLine < lines && startsBefore ? changedLine : (changedLine > 0 ? changedLine - 1 : 0);
    // The old lines that may be met again: those beginning with a child
    // after the change, after the line laid out again first.
    size_t k = count;
    for (size_t l = lines; l-- > restartLine + 1;) {
        const litehtml::element* first = itemsOf(*boxes[l]).front().get();
        while (k > suffixFrom && children[k - 1].get() != first)
            --k;
        if (k == suffixFrom)
            break;
        --k;
        m_candidates.push_back({l, k});
    }
    std::reverse(m_candidates.begin(), m_candidates.end());
    if (restartLine == 0 && m_candidates.empty())
        return false;
    m_old = std::move(boxes);
    boxes.clear();
    m_kept = restartLine;
    m_restart = restartLine > 0 ? m_firstOfLine[restartLine] : 0;
    m_metAt = count;
    m_phase = restartLine > 0 ? Phase::Before : Phase::Anew;
    return true;
}

void KeptLines::fail()
{
    m_failed = true;
    m_phase = Phase::Off;
}

bool KeptLines::place(litehtml::html_tag& block, litehtml::box::vector& boxes, litehtml::white_space ws,
                      const litehtml::element::ptr& el, int maxWidth, int& width)
{
    using keptlines_detail::widthOf;
    if (m_phase == Phase::Off)
        return false;
    if (!m_placedAny) {
        m_placedAny = true;
        // Laid out at another width, no line stands: the block is laid
        // out as usual.
        if (maxWidth != m_right) {
            m_phase = Phase::Off;
            return false;
        }
    }
    const litehtml::elements_vector& children = *m_children;
    while (m_at < children.size() && children[m_at] != el)
        ++m_at;
    if (m_at == children.size()) {
        fail();
        return false;
    }
    switch (m_phase) {
    case Phase::Before:
        if (m_at < m_restart) {
            if (m_nextKept < m_kept && m_at == m_firstOfLine[m_nextKept])
                boxes.push_back(std::move(m_old[m_nextKept++]));
            width = widthOf(*el);
            return true;
        }
        if (m_at > m_restart || m_nextKept != m_kept) {
            fail();
            return false;
        }
        // The child begins a line, below the last line kept: an empty box
        // at the end gives way to the line litehtml begins for it (its
        // ending of the last line is then that of an empty box).
        m_phase = Phase::Anew;
        boxes.push_back(std::make_unique<litehtml::block_box>(0, 0, 0));
        return false;
    case Phase::Anew: {
        while (m_candidate < m_candidates.size() && m_candidates[m_candidate].child < m_at)
            ++m_candidate;
        if (m_candidate == m_candidates.size() || m_candidates[m_candidate].child != m_at || boxes.empty() ||
            boxes.back()->get_type() != litehtml::box_line || boxes.back()->can_hold(el, ws))
            return false;
        // It begins a line as it began an old one: the old lines from there
        // on stand, below the line that ends here.
        const int top = block.finish_last_box();
        const size_t line = m_candidates[m_candidate].line;
        m_dy = top - m_old[line]->top();
        for (size_t l = line; l < m_old.size(); ++l) {
            if (m_dy != 0)
                m_old[l]->y_shift(m_dy);
            boxes.push_back(std::move(m_old[l]));
        }
        m_keptAfter = m_old.size() - line;
        m_metAt = m_at;
        m_phase = Phase::Met;
        width = widthOf(*el);
        return true;
    }
    case Phase::Met:
        width = widthOf(*el);
        return true;
    case Phase::Off:
        break;
    }
    return false;
}

} // namespace engine
