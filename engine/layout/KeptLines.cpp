#include "engine/layout/KeptLines.h"

#include "engine/layout/LineBoxes.h"
#include "engine/layout/LineFit.h"

#include <algorithm>
#include <memory>

namespace engine {

namespace keptlines_detail {

using lineboxes::itemsOf;
using lineboxes::leftOf;
using lineboxes::rightOf;

thread_local KeptLines* keptLinesNow = nullptr;

// How many old lines after the change are given to litehtml to be met
// (see KeptLines::Window): a key's lines mostly meet the old ones within
// one or two lines.
constexpr size_t kLinesToMeet = 8;

// What placing a word gives (the right edge it reaches; white space reaches
// as far as what comes before it, see LineFit).
int widthOf(litehtml::element& el)
{
    if (!el.is_inline_box() || el.skip())
        return 0;
    return el.right() + el.get_inline_shift_right() - (el.is_white_space() ? el.width() : 0);
}

// Whether the line can still hold `el`, as litehtml asks it when it places
// it: at the size it has now (its width at the end of the line, see
// LineFit), not at the one it was placed at last (its width on an old line,
// which may begin with it).
bool lineHolds(const litehtml::box& line, const litehtml::element::ptr& el, litehtml::white_space ws)
{
    litehtml::size size;
    el->get_content_size(size, 0);
    litehtml::position& pos = el->get_position();
    const int placedWidth = pos.width;
    pos.width = size.width;
    const bool holds = line.can_hold(el, ws);
    pos.width = placedWidth;
    return holds;
}

// Where the words of a line stand (the first shown on it); INT_MIN when
// none is.
int wordsY(const litehtml::box& line)
{
    for (const auto& item : itemsOf(line)) {
        if (!item->skip() && item->get_display() == litehtml::display_inline_text)
            return item->get_position().y;
    }
    return INT_MIN;
}

} // namespace keptlines_detail

KeptLines::KeptLines(const litehtml::element& block, size_t prefix, size_t suffix, bool wordsKnown)
    : m_block(&block), m_prefix(prefix), m_suffix(suffix), m_wordsKnown(wordsKnown)
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
    const size_t prefix = std::min(m_prefix, count);
    const size_t suffixFrom = count - std::min(m_suffix, count - prefix);
    // Words and the comments that mark where texts begin, nothing that
    // breaks a line or places words of its own. (White space breaks a line
    // only where it is kept as it stands; asking each is the long way round.
    // Those known to be words already are not asked again.)
    const litehtml::white_space ws = m_block->get_white_space();
    const bool spacesBreak = ws != litehtml::white_space_normal && ws != litehtml::white_space_nowrap;
    for (size_t c = m_wordsKnown ? prefix : 0; c < (m_wordsKnown ? suffixFrom : count); ++c) {
        const litehtml::element& child = *children[c];
        if (child.get_display() != litehtml::display_inline_text) {
            if (!child.is_comment())
                return false;
        } else if (spacesBreak && child.is_break()) {
            return false;
        }
    }
    m_wordsOnly = true;
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
    if (restartLine < lines)
        m_restartY = wordsY(*boxes[restartLine]);
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
    if (restartLine == 0 && m_candidates.empty()) {
        // (A block of preformatted text without breaks has one line.)
        if (ws != litehtml::white_space_pre || lines != 1 || !beginWithinLine(children, boxes, prefix, suffixFrom))
            return false;
        m_restartY = INT_MIN;
        m_old = std::move(boxes);
        boxes.clear();
        m_kept = 0;
        m_phase = Phase::Before;
        m_at = m_windowFrom;
        return true;
    }
    m_old = std::move(boxes);
    boxes.clear();
    m_kept = restartLine;
    m_restart = restartLine > 0 ? m_firstOfLine[restartLine] : 0;
    m_metAt = count;
    m_phase = restartLine > 0 ? Phase::Before : Phase::Anew;
    // The children given to litehtml: up to the first child of an old line
    // a few lines below the change. (litehtml passes over white space after
    // white space before it places it: the first child given is none such.)
    if (m_restart == 0 || !children[m_restart - 1]->is_white_space() || !children[m_restart]->is_white_space()) {
        m_windowFrom = m_restart;
        m_windowTo =
            m_candidates.empty() ? count : m_candidates[std::min(kLinesToMeet, m_candidates.size()) - 1].child + 1;
        m_windowAll = m_windowTo == count;
        m_at = m_windowFrom;
    }
    return true;
}

bool KeptLines::beginWithinLine(const litehtml::elements_vector& children, litehtml::box::vector& boxes, size_t prefix,
                                size_t suffixFrom)
{
    litehtml::box& line = *boxes.front();
    litehtml::elements_vector& items = lineboxes::itemsOf(line);
    const size_t count = children.size();
    // Nothing of preformatted text is left off its line: the line holds
    // every child but the comments that mark where texts begin, those
    // before and after the change as they stand. (`before`: the items of
    // the children before `prefix`; `afterAt`: the first of those from
    // `suffixFrom` on.)
    // (Each of them a word placed on it, none left out: the block holds
    // words and comments alone, and preformatted text without breaks
    // leaves out nothing. Only the lists are looked at: a long line's
    // words are many.)
    size_t before = 0;
    for (size_t c = 0; c < prefix; ++c) {
        if (before < items.size() && items[before] == children[c])
            ++before;
        else if (!children[c]->is_comment())
            return false;
    }
    size_t afterAt = items.size();
    for (size_t c = count; c-- > suffixFrom;) {
        if (afterAt > before && items[afterAt - 1] == children[c])
            --afterAt;
        else if (!children[c]->is_comment())
            return false;
    }
    size_t wordsBefore = before;
    size_t wordsAfter = items.size() - afterAt;
    // litehtml is given at least one word (the line's height is that of its
    // words): one of either side of the change when no word is new.
    const auto isWord = [&children](size_t c) {
        return children[c]->get_display() == litehtml::display_inline_text && !children[c]->is_comment();
    };
    size_t from = prefix;
    size_t to = suffixFrom;
    bool word = false;
    for (size_t c = from; c < to && !word; ++c)
        word = isWord(c);
    if (!word) {
        if (to < count && isWord(to) && afterAt < items.size() && items[afterAt] == children[to]) {
            ++to;
            ++afterAt;
            --wordsAfter;
        } else if (from > 0 && isWord(from - 1) && before > 0 && items[before - 1] == children[from - 1]) {
            --from;
            --before;
            --wordsBefore;
        } else {
            return false;
        }
    }
    WithinLine within;
    // What the pieces before take: up to where the next piece stood.
    if (before < items.size()) {
        litehtml::element& at = *items[before];
        within.width =
            at.get_position().x - lineboxes::leftOf(line) - at.get_inline_shift_left() - at.content_margins_left();
    } else {
        within.width = lineboxes::lineWidthOf(line);
    }
    within.top = line.top();
    within.height = line.height();
    within.baseline = line.baseline();
    within.wordsBefore = wordsBefore;
    within.wordsAfter = wordsAfter;
    // (Taken off the line: it is given to litehtml without them.)
    const auto at = [&items](size_t i) {
        return std::make_move_iterator(items.begin() + static_cast<std::ptrdiff_t>(i));
    };
    within.before.assign(at(0), at(before));
    within.after.assign(at(afterAt), at(items.size()));
    items.clear();
    m_inLine = std::move(within);
    m_restart = from;
    m_metAt = to;
    m_windowFrom = from;
    m_windowTo = to;
    return true;
}

void KeptLines::continueLine(LineFit& fit, const litehtml::box::vector& boxes)
{
    if (!m_inLine || !m_inLine->handed || m_inLine->continued)
        return;
    m_inLine->continued = true;
    if (m_lineStart && *m_lineStart && (*m_lineStart)->block == m_block && (*m_lineStart)->children == m_restart) {
        fit.resume(boxes, (*m_lineStart)->along);
        return;
    }
    fit.continueAfter(boxes, m_inLine->before);
    if (!m_lineStart)
        return;
    if (const std::optional<LineFit::Along> along = fit.along())
        *m_lineStart = LineStart{m_block, m_restart, *along};
    else
        m_lineStart->reset();
}

KeptLines::Window::Window(KeptLines& kept, litehtml::elements_vector& children)
    : m_kept(kept), m_children(children), m_all(std::move(children))
{
    m_children.assign(m_all.begin() + static_cast<std::ptrdiff_t>(kept.m_windowFrom),
                      m_all.begin() + static_cast<std::ptrdiff_t>(kept.m_windowTo));
    m_kept.m_children = &m_all;
    m_kept.m_childrenPlaced += m_children.size();
}

KeptLines::Window::~Window()
{
    m_children = std::move(m_all);
    m_kept.m_children = &m_children;
}

bool KeptLines::windowDone(litehtml::box::vector& boxes, LineFit& fit)
{
    if (m_failed) {
        m_windowTo = 0;
        return true;
    }
    if (m_inLine && m_phase != Phase::Off) {
        // The words made anew stand on the line after its pieces before the
        // change, at the height those stood at; the pieces after the change
        // follow them.
        WithinLine& within = *m_inLine;
        litehtml::box* line = boxes.size() == 1 ? boxes.front().get() : nullptr;
        if (!within.handed || m_phase != Phase::Anew || !line || line->get_type() != litehtml::box_line ||
            line->top() != within.top || line->height() != within.height || line->baseline() != within.baseline) {
            fail();
            m_windowTo = 0;
            return true;
        }
        litehtml::elements_vector& items = lineboxes::itemsOf(*line);
        const auto wordY = [](const litehtml::elements_vector& pieces) {
            for (const auto& piece : pieces) {
                if (piece->get_display() == litehtml::display_inline_text && !piece->is_comment())
                    return piece->get_position().y;
            }
            return INT_MIN;
        };
        const int keptY = wordY(within.before.empty() ? within.after : within.before);
        if (keptY != INT_MIN && wordY(items) != keptY) {
            fail();
            m_windowTo = 0;
            return true;
        }
        litehtml::elements_vector fresh = std::move(items);
        items = std::move(within.before);
        items.reserve(items.size() + fresh.size() + within.after.size());
        items.insert(items.end(), std::make_move_iterator(fresh.begin()), std::make_move_iterator(fresh.end()));
        fit.placeAlong(boxes, std::move(within.after));
        return true;
    }
    if (m_phase == Phase::Met || m_windowAll)
        return true;
    if (m_phase == Phase::Off) {
        // Laid out at another width: every child is placed as usual.
        m_windowTo = 0;
        return false;
    }
    // No old line was met: the lines kept before the restart go back to
    // the plan, and every child from the restart on is given.
    for (size_t l = 0; l < m_nextKept && l < boxes.size(); ++l)
        m_old[l] = std::move(boxes[l]);
    boxes.clear();
    m_nextKept = 0;
    m_candidate = 0;
    m_placedAny = false;
    m_phase = m_kept > 0 ? Phase::Before : Phase::Anew;
    m_at = m_windowFrom;
    m_windowTo = m_children->size();
    m_windowAll = true;
    return false;
}

int KeptLines::keptReach(const litehtml::box::vector& boxes) const
{
    using keptlines_detail::widthOf;
    // (Along a line, what a piece reaches grows: its last pieces, up to the
    // last that is not white space, reach farthest.)
    const auto reachOf = [](const litehtml::box& line) {
        int reach = 0;
        const litehtml::elements_vector& items = lineboxes::itemsOf(line);
        for (size_t i = items.size(); i-- > 0;) {
            reach = std::max(reach, widthOf(*items[i]));
            if (!items[i]->is_white_space())
                break;
        }
        return reach;
    };
    int reach = 0;
    if (m_inLine && !boxes.empty())
        reach = reachOf(*boxes.back());
    const size_t before = std::min(m_kept, boxes.size());
    for (size_t l = 0; l < before; ++l)
        reach = std::max(reach, reachOf(*boxes[l]));
    if (m_phase == Phase::Met) {
        for (size_t l = boxes.size() - std::min(m_keptAfter, boxes.size()); l < boxes.size(); ++l)
            reach = std::max(reach, reachOf(*boxes[l]));
    }
    return reach;
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
        if (m_inLine) {
            // The line is given to litehtml at the first word made anew,
            // holding what its pieces before the change take of it.
            if (m_at != m_restart || m_inLine->handed) {
                fail();
                return false;
            }
            litehtml::box::ptr& line = m_old.front();
            lineboxes::widenLine(*line, m_inLine->width - lineboxes::lineWidthOf(*line));
            boxes.push_back(std::move(line));
            m_inLine->handed = true;
            m_phase = Phase::Anew;
            return false;
        }
        // (Given only the children from the restart on, the lines before
        // it stand at once.)
        if (m_windowTo > 0 && m_at == m_restart) {
            while (m_nextKept < m_kept)
                boxes.push_back(std::move(m_old[m_nextKept++]));
        }
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
            boxes.back()->get_type() != litehtml::box_line || keptlines_detail::lineHolds(*boxes.back(), el, ws))
            return false;
        // It begins a line as it began an old one: the old lines from there
        // on stand, below the line that ends here.
        const int top = block.finish_last_box();
        const size_t line = m_candidates[m_candidate].line;
        m_metY = keptlines_detail::wordsY(*m_old[line]);
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
