#include "engine/layout/PageParts.h"

#include "engine/layout/LayoutElements.h"
#include "engine/layout/PageContainer.h"
#include "engine/layout/WordWidths.h"

#include <litehtml/litehtml.h>

#include <algorithm>
#include <future>

namespace engine {

namespace pageparts_detail {

// The child of `parent` that stands for node `id`: the first (in a part's
// opening) or the last (the one still open in the joined document).
litehtml::element::ptr childOf(litehtml::element& parent, int id, bool last)
{
    const int count = static_cast<int>(parent.get_children_count());
    for (int k = 0; k < count; ++k) {
        const int i = last ? count - 1 - k : k;
        litehtml::element::ptr child = parent.get_child(i);
        if (child && layoutNodeId(*child) == id)
            return child;
    }
    return nullptr;
}

int indexOf(litehtml::element& parent, const litehtml::element::ptr& child)
{
    for (int i = 0; i < static_cast<int>(parent.get_children_count()); ++i) {
        if (parent.get_child(i) == child)
            return i;
    }
    return -1;
}

// A table, a section of its rows, a row: their cells are laid out by the
// table's grid, made as the document was read.
bool isTableStructure(litehtml::style_display display)
{
    return display == litehtml::display_table || display == litehtml::display_inline_table ||
           display == litehtml::display_table_row_group || display == litehtml::display_table_header_group ||
           display == litehtml::display_table_footer_group || display == litehtml::display_table_row;
}

// The elements open at a cut a part's content may go into.
bool holdsPart(litehtml::style_display display)
{
    return display == litehtml::display_block || display == litehtml::display_table_cell || isTableStructure(display);
}

bool onlyBlanksFrom(litehtml::element& parent, int from)
{
    for (int i = from; i < static_cast<int>(parent.get_children_count()); ++i) {
        const litehtml::element::ptr child = parent.get_child(i);
        if (child && !child->is_white_space() && !child->is_comment())
            return false;
    }
    return true;
}

// Moves what a part adds into the joined document: under each element open
// where the part starts, what follows the element open inside it (all that
// the innermost holds), innermost first, as the text runs. False, with
// nothing moved, when the part's opening or the joined document is not as
// the cut says, or an element open there is not a plain block.
bool join(litehtml::element& into, litehtml::element& part, const std::vector<int>& open)
{
    if (open.empty() || layoutNodeId(into) != open[0] || layoutNodeId(part) != open[0])
        return false;
    std::vector<litehtml::element::ptr> joined{into.shared_from_this()};
    std::vector<litehtml::element::ptr> parts{part.shared_from_this()};
    for (size_t level = 1; level < open.size(); ++level) {
        litehtml::element::ptr j = childOf(*joined.back(), open[level], true);
        litehtml::element::ptr p = childOf(*parts.back(), open[level], false);
        if (!j || !p || j->get_display() != p->get_display() || !holdsPart(j->get_display()))
            return false;
        joined.push_back(std::move(j));
        parts.push_back(std::move(p));
    }
    std::vector<int> from(open.size(), 0);
    for (size_t level = 0; level + 1 < open.size(); ++level) {
        from[level] = indexOf(*parts[level], parts[level + 1]) + 1;
        if (from[level] <= 0)
            return false;
    }
    // The table's structure stands in the joined document as the first part
    // read it: the rest of a table, a section or a row must be blanks (which
    // the grid passes over as it does the page's).
    for (size_t level = 0; level < open.size(); ++level) {
        if (isTableStructure(parts[level]->get_display()) && !onlyBlanksFrom(*parts[level], from[level]))
            return false;
    }
    for (size_t level = open.size(); level-- > 0;) {
        litehtml::element& p = *parts[level];
        for (int i = from[level]; i < static_cast<int>(p.get_children_count()); ++i)
            joined[level]->appendChild(p.get_child(i));
    }
    return true;
}

} // namespace pageparts_detail

std::vector<size_t> PageParts::cutsFor(const std::vector<QString>& pieces,
                                       const std::vector<LayoutSerializer::Cut>& cuts, int parts,
                                       qsizetype leastPartLength)
{
    std::vector<qsizetype> startOf(pieces.size() + 1, 0);
    for (size_t i = 0; i < pieces.size(); ++i)
        startOf[i + 1] = startOf[i] + pieces[i].size();
    const qsizetype total = startOf.back();
    parts = static_cast<int>(std::min<qsizetype>(parts, total / std::max<qsizetype>(1, leastPartLength)));
    std::vector<size_t> taken;
    if (parts < 2 || cuts.empty())
        return taken;
    // For each end of a part the cut nearest to where it should end, after
    // the one before.
    for (int k = 1; k < parts; ++k) {
        const qsizetype wanted = total * k / parts;
        size_t best = cuts.size();
        for (size_t c = taken.empty() ? 0 : taken.back() + 1; c < cuts.size(); ++c) {
            if (cuts[c].piece == 0 || cuts[c].piece >= pieces.size())
                continue;
            if (best == cuts.size() ||
                std::abs(startOf[cuts[c].piece] - wanted) < std::abs(startOf[cuts[best].piece] - wanted))
                best = c;
        }
        if (best < cuts.size())
            taken.push_back(best);
    }
    return taken;
}

std::optional<PageParts::Read> PageParts::read(const std::vector<QString>& pieces,
                                               const std::vector<LayoutSerializer::Cut>& cuts, PageContainer& container,
                                               litehtml::context& context, int parts, qsizetype leastPartLength)
{
    const std::vector<size_t> taken = cutsFor(pieces, cuts, parts, leastPartLength);
    if (taken.empty())
        return std::nullopt;
    // Part k runs from the cut before it (the page's start) to the cut after
    // it (the page's end).
    const auto readPart = [&](size_t k) {
        const LayoutSerializer::Cut* start = k > 0 ? &cuts[taken[k - 1]] : nullptr;
        const LayoutSerializer::Cut* end = k < taken.size() ? &cuts[taken[k]] : nullptr;
        QString text = start ? start->opening : QString();
        for (size_t i = start ? start->piece : 0; i < (end ? end->piece : pieces.size()); ++i)
            text += pieces[i];
        if (end)
            text += end->closing;
        const QByteArray utf8 = text.toUtf8();
        text = QString();
        return litehtml::document::createFromUTF8(utf8.constData(), &container, &context);
    };
    // The words of what a part holds are prepared on its thread: all but
    // the runs of the elements open at its cuts, which go across them and
    // are prepared on the joined page.
    const auto openAt = [&](std::vector<int> ids, const LayoutSerializer::Cut* cut) {
        if (cut)
            ids.insert(ids.end(), cut->open.begin(), cut->open.end());
        std::sort(ids.begin(), ids.end());
        return ids;
    };
    const auto isOpenIn = [](const std::vector<int>& ids) {
        return [&ids](const litehtml::element& el) {
            return std::binary_search(ids.begin(), ids.end(), layoutNodeId(el));
        };
    };
    std::vector<std::vector<int>> openInPart(taken.size() + 1);
    std::vector<int> openAnywhere;
    for (size_t k = 0; k <= taken.size(); ++k) {
        openInPart[k] =
            openAt(openAt({}, k > 0 ? &cuts[taken[k - 1]] : nullptr), k < taken.size() ? &cuts[taken[k]] : nullptr);
        openAnywhere = openAt(std::move(openAnywhere), k < taken.size() ? &cuts[taken[k]] : nullptr);
    }
    const auto readAndPrepare = [&](size_t k) {
        std::shared_ptr<litehtml::document> doc = readPart(k);
        if (doc && doc->root()) {
            const auto isOpen = isOpenIn(openInPart[k]);
            layoutelements_detail::markEdgeSpacesInside(*doc->root(), isOpen);
            fitBoxesInside(*doc->root(), isOpen, container.fonts());
        }
        return doc;
    };
    std::vector<std::future<std::shared_ptr<litehtml::document>>> others;
    for (size_t k = 1; k <= taken.size(); ++k)
        others.push_back(std::async(std::launch::async, readAndPrepare, k));
    Read read;
    read.document = readAndPrepare(0);
    bool joined = read.document && read.document->root();
    for (size_t k = 1; k <= taken.size(); ++k) {
        std::shared_ptr<litehtml::document> doc = others[k - 1].get();
        joined = joined && doc && doc->root() &&
                 pageparts_detail::join(*read.document->root(), *doc->root(), cuts[taken[k - 1]].open);
        read.others.push_back(std::move(doc));
    }
    if (!joined)
        return std::nullopt;
    const auto isOpen = isOpenIn(openAnywhere);
    layoutelements_detail::markEdgeSpacesOfOpen(*read.document->root(), isOpen);
    fitAroundBoxes(*read.document->root(), isOpen, container.fonts());
    return read;
}

} // namespace engine
