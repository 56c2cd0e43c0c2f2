#include "engine/layout/LayoutEngine.h"

#include "engine/layout/BlockReflow.h"
#include "engine/layout/ContentExtent.h"
#include "engine/layout/DefaultStyleSheet.h"
#include "engine/layout/FlowShift.h"
#include "engine/layout/InParts.h"
#include "engine/layout/KeptLines.h"
#include "engine/layout/LayoutElements.h"
#include "engine/layout/MovedLines.h"
#include "engine/layout/MovedWords.h"
#include "engine/layout/PageParts.h"
#include "engine/layout/TableElement.h"
#include "engine/layout/WordWidths.h"
#include "platform/BackgroundWork.h"

#include <litehtml/litehtml.h>
#include <litehtml/el_space.h>
#include <litehtml/el_text.h>

#include <QCoreApplication>
#include <QPainter>
#include <QThread>
#include "platform/BackgroundWork.h"

#include <algorithm>
#include <atomic>
#include <system_error>
#include <thread>
#include <climits>
#include <mutex>
#include <cstring>

namespace engine {

namespace layoutengine_detail {

// Comments the layout serializer writes before each text node: "#<id>".
int textMarker(litehtml::element& el)
{
    if (!el.is_comment())
        return -2;
    litehtml::tstring text;
    el.get_text(text);
    if (text.size() < 2 || text[0] != '#')
        return -2;
    char* end = nullptr;
    const long id = strtol(text.c_str() + 1, &end, 10);
    return end != text.c_str() + 1 ? static_cast<int>(id) : -2;
}

bool isTextLike(litehtml::element& el)
{
    return el.get_display() == litehtml::display_inline_text;
}

// Text the parser reads: NUL arrives as the replacement character (the
// serializer writes it so).
QString asParsedText(const QString& text)
{
    QString out = text;
    out.replace(QChar(0), QChar(0xFFFD));
    return out;
}

// Elements whose text the parser keeps where it stands. Text in a table's
// structure moves out of the table once it holds more than white space.
bool canHoldWordsInPlace(litehtml::element& el)
{
    switch (el.get_display()) {
    case litehtml::display_table:
    case litehtml::display_inline_table:
    case litehtml::display_table_row:
    case litehtml::display_table_row_group:
    case litehtml::display_table_header_group:
    case litehtml::display_table_footer_group:
    case litehtml::display_table_column:
    case litehtml::display_table_column_group:
        return false;
    default:
        break;
    }
    // The parser goes by the tag, whatever the style says.
    const char* tag = el.get_tagName();
    if (!tag)
        return true;
    for (const char* held : {"html", "head", "table", "tbody", "thead", "tfoot", "tr", "colgroup"}) {
        if (std::strcmp(tag, held) == 0)
            return false;
    }
    return true;
}

// The content, padding and border boxes of an element from where the layout
// placed it.
void placeBoxes(LayoutBox& box, const litehtml::element& el, const litehtml::position& content)
{
    litehtml::position padding = content;
    padding += el.get_paddings();
    litehtml::position border = padding;
    border += el.get_borders();
    box.contentBox = toQRect(content);
    box.paddingBox = toQRect(padding);
    box.borderBox = toQRect(border);
}

// Notes where the children of a block with very many of them stand (see
// layoutelements_detail::ChildIndex), as the tree builder meets them.
class ChildIndexer
{
public:
    ChildIndexer(litehtml::element& block, layoutelements_detail::ChildIndexes* indexes)
        : m_block(block), m_indexes(indexes)
    {
        const litehtml::style_display display = block.get_display();
        m_on = indexes && block.get_children_count() >= layoutelements_detail::kManyChildren &&
               display != litehtml::display_inline && display != litehtml::display_table &&
               display != litehtml::display_inline_table;
        if (indexes)
            indexes->erase(&block);
        if (m_on)
            m_origin = layoutelements_detail::placementOf(block).y;
    }
    // Child `i` paints `area` (page coordinates).
    void add(int i, litehtml::element& child, const QRect& area, bool element)
    {
        if (!m_on)
            return;
        // Floats, and positioned boxes but those that stand where the flow
        // put them (they move with it).
        const litehtml::element_position position = child.get_element_position();
        if (element && (child.get_float() != litehtml::float_none ||
                        (position != litehtml::element_position_static &&
                         (position != litehtml::element_position_absolute || !placedByTheFlow(child))))) {
            m_index.always.push_back(i);
            return;
        }
        const std::optional<int> top = layoutelements_detail::flowTop(child);
        if (!top || (!m_index.flow.empty() && *top < m_lastTop)) {
            m_index.always.push_back(i);
            return;
        }
        m_lastTop = *top;
        m_index.flow.push_back(i);
        m_index.wordsOnly = m_index.wordsOnly && !element;
        m_reach.push_back(
            {std::max(0, m_origin + *top - area.y()), std::max(0, area.y() + area.height() - (m_origin + *top))});
    }
    // Where the children stand is no help: they are drawn as litehtml draws them.
    void giveUp() { m_on = false; }
    void finish()
    {
        if (!m_on)
            return;
        // The few that paint farthest from their tops are drawn always,
        // so that the rest are looked for near the area drawn.
        std::vector<int> reaches(m_reach.size());
        std::transform(m_reach.begin(), m_reach.end(), reaches.begin(),
                       [](const Reach& r) { return std::max(r.above, r.below); });
        int farthest = kFar;
        if (reaches.size() > kFewDrawnAlways) {
            const auto nth = reaches.end() - static_cast<std::ptrdiff_t>(kFewDrawnAlways);
            std::nth_element(reaches.begin(), nth, reaches.end());
            farthest = std::max(farthest, *nth);
        }
        std::vector<int> flow;
        flow.reserve(m_index.flow.size());
        for (size_t k = 0; k < m_index.flow.size(); ++k) {
            const Reach& r = m_reach[k];
            if (std::max(r.above, r.below) > farthest) {
                m_index.always.push_back(m_index.flow[k]);
                continue;
            }
            flow.push_back(m_index.flow[k]);
            m_index.reachAbove = std::max(m_index.reachAbove, r.above);
            m_index.reachBelow = std::max(m_index.reachBelow, r.below);
        }
        m_index.flow = std::move(flow);
        std::sort(m_index.always.begin(), m_index.always.end());
        (*m_indexes)[&m_block] = std::move(m_index);
    }

private:
    // Children that paint no farther than this from their tops are looked
    // for by where they stand; of those that paint farther, so many at most
    // are drawn always.
    static constexpr int kFar = 1024;
    static constexpr size_t kFewDrawnAlways = 256;
    struct Reach
    {
        int above;
        int below;
    };
    const litehtml::element& m_block;
    layoutelements_detail::ChildIndexes* m_indexes;
    bool m_on = false;
    int m_origin = 0;
    int m_lastTop = 0;
    layoutelements_detail::ChildIndex m_index;
    std::vector<Reach> m_reach; // of each child of the flow
};

struct TreeBuilder
{
    LayoutTree& tree;
    // Where the elements and the text markers are noted by node id (none
    // when a block's boxes are read again: its elements stay the same).
    ElementTable* elements;
    ElementTable* markers;
    // Tag names as the boxes give them ("TD"), one shared string each.
    std::unordered_map<std::string, QString>& tagNames;
    int order = 0;
    litehtml::tstring raw; // (one buffer for every word's text)
    // Where the children of blocks with very many stand (for drawing).
    layoutelements_detail::ChildIndexes* indexes = nullptr;
    // Whether the boxes are noted in tree.byNode (not for a part of a page
    // whose boxes go into another tree: its table would be as long as the
    // page's node ids).
    bool indexByNode = true;

    // Hidden elements have no box but take restyles like the others.
    void addHidden(litehtml::element& el)
    {
        const auto self = el.shared_from_this();
        if (const int id = layoutNodeId(el); id >= 0 && elements)
            elements->set(id, self);
        for (size_t i = 0; i < el.get_children_count(); ++i) {
            const auto child = el.get_child(static_cast<int>(i));
            if (child && !child->is_comment() && !isTextLike(*child))
                addHidden(*child);
        }
    }

    const QString& tagName(const char* tag)
    {
        static const QString none;
        if (!tag)
            return none;
        auto it = tagNames.find(tag);
        if (it == tagNames.end())
            it = tagNames.emplace(tag, QString::fromUtf8(tag).toUpper()).first;
        return it->second;
    }

    // `origin`: where the element that holds the text stands on the page.
    void addText(const litehtml::element::ptr& el, int owner, int textNode, int& offset,
                 const litehtml::position& origin)
    {
        raw.clear();
        el->get_text(raw);
        const QString text = QString::fromStdString(raw);
        const int start = offset;
        offset += static_cast<int>(text.size());
        if (el->skip())
            return;
        TextPiece piece;
        piece.textNodeId = textNode;
        piece.offset = start;
        piece.text = text;
        piece.space = el->is_white_space();
        litehtml::position p = el->get_position();
        if (el->get_element_position() == litehtml::element_position_fixed) {
            p = layoutelements_detail::placementOf(*el);
        } else {
            p.x += origin.x;
            p.y += origin.y;
        }
        piece.box = toQRect(p);
        litehtml::font_metrics fm;
        piece.font = static_cast<int>(el->get_font(&fm));
        piece.baseline = p.y + p.height - fm.descent;
        // litehtml places a word box at its line's text height: the baseline
        // lies ascent below the top.
        piece.baseline = p.y + fm.ascent;
        piece.owner = owner;
        tree.pieces.push_back(std::move(piece));
    }

    // What an element and its content paint: null when unknown.
    struct Painted
    {
        QRect area;
        bool anywhere = false;
        void add(const QRect& r) { area = area.isNull() ? r : area.united(r); }
        void add(const Painted& p)
        {
            anywhere = anywhere || p.anywhere;
            if (!p.area.isNull())
                add(p.area);
        }
    };

    Painted addElement(const litehtml::element::ptr& el, int parent)
    {
        Painted painted;
        if (el->get_display() == litehtml::display_none) {
            addHidden(*el);
            return painted;
        }
        const int index = static_cast<int>(tree.boxes.size());
        const litehtml::position content = layoutelements_detail::placementOf(*el);
        tree.boxes.emplace_back();
        {
            LayoutBox& box = tree.boxes.back();
            box.nodeId = layoutNodeId(*el);
            const char* tag = el->get_tagName();
            box.tag = tagName(tag);
            const char* id = el->get_attr("id");
            if (id)
                box.htmlId = QString::fromUtf8(id);
            box.parent = parent;
            box.order = order++;
            box.firstPiece = static_cast<int>(tree.pieces.size());
            placeBoxes(box, *el, content);
            const auto position = el->get_element_position();
            box.positioned = position != litehtml::element_position_static;
            box.absolute =
                position == litehtml::element_position_absolute || position == litehtml::element_position_fixed;
            box.zIndex = box.positioned ? el->get_zindex() : 0;
            box.clipsContent = el->get_overflow() > litehtml::overflow_visible;
            box.hidden = el->get_visibility() != litehtml::visibility_visible;
            const auto display = el->get_display();
            box.inlineLevel = display == litehtml::display_inline;
            if (box.inlineLevel) {
                litehtml::position::vector lines;
                el->get_inline_boxes(lines);
                // Line fragments are relative to the block that holds the lines.
                const int ox = content.x - el->get_position().x;
                const int oy = content.y - el->get_position().y;
                QRect united;
                for (const auto& line : lines) {
                    const QRect r(line.x + ox, line.y + oy, line.width, line.height);
                    box.lineBoxes.push_back(r);
                    united = united.isNull() ? r : united.united(r);
                }
                if (!united.isNull()) {
                    box.borderBox = united;
                    box.paddingBox = united;
                    box.contentBox = united;
                }
            }
            if (box.nodeId >= 0) {
                if (indexByNode)
                    tree.byNode[box.nodeId] = index;
                if (elements)
                    elements->set(box.nodeId, el);
            }
        }
        if (parent >= 0)
            tree.boxes[static_cast<size_t>(parent)].children.push_back(index);

        int textNode = -1;
        int offset = 0;
        ChildIndexer indexer(*el, indexes);
        for (size_t i = 0; i < el->get_children_count(); ++i) {
            const litehtml::element::ptr child = el->get_child(static_cast<int>(i));
            if (!child)
                continue;
            const int marker = textMarker(*child);
            if (marker != -2) {
                textNode = marker;
                offset = 0;
                if (markers)
                    markers->set(marker, child);
                continue;
            }
            if (isTextLike(*child)) {
                const size_t had = tree.pieces.size();
                addText(child, index, textNode, offset, content);
                if (tree.pieces.size() > had) {
                    painted.add(tree.pieces.back().box);
                    indexer.add(static_cast<int>(i), *child, tree.pieces.back().box, false);
                }
                continue;
            }
            if (child->is_comment())
                continue;
            textNode = -1;
            const Painted inChild = addElement(child, index);
            painted.add(inChild);
            if (inChild.anywhere)
                indexer.giveUp();
            else if (!inChild.area.isNull())
                indexer.add(static_cast<int>(i), *child, inChild.area, true);
        }
        indexer.finish();
        const LayoutBox& box = tree.boxes[static_cast<size_t>(index)];
        painted.add(box.borderBox);
        for (const QRect& line : box.lineBoxes)
            painted.add(line);
        // Fixed boxes paint where the window is; a list marker image may be
        // of any size.
        if (el->get_element_position() == litehtml::element_position_fixed ||
            (el->get_display() == litehtml::display_list_item && el->get_style_property("list-style-image", true)))
            painted.anywhere = true;
        if (auto* extent = dynamic_cast<PaintExtent*>(el.get())) {
            // Room for list markers beside their items, glyphs that reach
            // past their line and italic overhangs; relative to the element.
            const litehtml::position at = layoutelements_detail::placementOf(*el);
            extent->setPaintExtent(painted.anywhere || painted.area.isNull()
                                       ? QRect()
                                       : painted.area.adjusted(-64, -16, 64, 16).translated(-at.x, -at.y));
        }
        return painted;
    }
};

// Parts worth a thread: of words, of boxes (larger, each with lists of its own).
// (About a millisecond of work each: a thread started for less costs more
// than it saves on a busy machine, where it waits for a core.)
constexpr size_t kWordsAPart = 128 * 1024;
constexpr size_t kBoxesAPart = 8 * 1024;

// Whether an extent (of the page, of the canvas) stands when one part of the
// page reached `before` and reaches `after` now: when the part stays inside
// it, or it was that part's and the part keeps its edge.
bool keepsExtent(int before, int after, int extent)
{
    return after <= extent && (before < extent || after == before);
}

// What drawing reads of the outlines of an element and everything in it:
// padding and borders, and the margins of inline boxes (those of blocks
// are the layout's, collapsed, and drawing does not read them).
void collectOutlines(const litehtml::element& el, std::vector<int>& out)
{
    for (const litehtml::margins& m : {el.get_paddings(), el.get_borders()})
        out.insert(out.end(), {m.left, m.right, m.top, m.bottom});
    if (el.get_display() == litehtml::display_inline) {
        const litehtml::margins m = el.get_margins();
        out.insert(out.end(), {m.left, m.right, m.top, m.bottom});
    }
    for (size_t i = 0; i < el.get_children_count(); ++i) {
        if (const auto child = el.get_child(static_cast<int>(i)))
            collectOutlines(*child, out);
    }
}

// What an element and everything in it add to the layout library's extent
// of the page (it takes in the margin boxes of what is visible, positioned
// boxes too, except inside a box that clips or a fixed one); nothing when
// they are not counted.
std::optional<litehtml::size> extentOf(litehtml::element& el)
{
    for (auto a = el.parent(); a; a = a->parent()) {
        if (!a->is_visible() || a->get_element_position() == litehtml::element_position_fixed ||
            a->get_overflow() != litehtml::overflow_visible)
            return std::nullopt;
    }
    const litehtml::position at = layoutelements_detail::placementOf(el);
    const litehtml::position& own = el.get_position();
    litehtml::size size;
    layoutelements_detail::addDocumentSize(el, size, at.x - own.x, at.y - own.y);
    return size;
}

// After the boxes of `el` moved or changed: the areas its ancestors paint
// take in its own.
void widenPaintExtents(const litehtml::element& el)
{
    const auto* own = dynamic_cast<const PaintExtent*>(&el);
    const litehtml::position at = layoutelements_detail::placementOf(el);
    const QRect area = own && !own->paintExtent().isNull() ? own->paintExtent().translated(at.x, at.y) : QRect();
    for (auto a = el.parent(); a; a = a->parent()) {
        auto* extent = dynamic_cast<PaintExtent*>(a.get());
        if (!extent)
            continue;
        if (area.isNull()) {
            extent->setPaintExtent(QRect()); // paints anywhere
        } else if (!extent->paintExtent().isNull()) {
            const litehtml::position origin = layoutelements_detail::placementOf(*a);
            extent->setPaintExtent(extent->paintExtent().united(area.translated(-origin.x, -origin.y)));
        }
    }
}

// After what `el` holds grew by `dy` at its bottom: the area it paints,
// and those of its ancestors, take that in.
void widenPaintExtentsBelow(litehtml::element& el, int dy)
{
    auto* extent = dynamic_cast<PaintExtent*>(&el);
    if (dy <= 0 || !extent || extent->paintExtent().isNull())
        return;
    extent->setPaintExtent(extent->paintExtent().adjusted(0, 0, 0, dy));
    widenPaintExtents(el);
}

bool isRowOrRowGroup(const LayoutBox& box, const litehtml::element* el)
{
    if (el) {
        const auto d = el->get_display();
        return d == litehtml::display_table_row || d == litehtml::display_table_row_group ||
               d == litehtml::display_table_header_group || d == litehtml::display_table_footer_group;
    }
    return box.tag == QLatin1String("TR") || box.tag == QLatin1String("TBODY") || box.tag == QLatin1String("THEAD") ||
           box.tag == QLatin1String("TFOOT");
}

} // namespace layoutengine_detail

namespace layoutengine_detail {

// The rules for media that a page keeps, which litehtml lends out to no
// one: an explicit instantiation may name a private member, and hands it to
// the function declared here.
using MediaListsMember = litehtml::media_query_list::vector litehtml::document::*;
struct MediaLists
{
    friend MediaListsMember mediaListsOf(MediaLists);
};
template <MediaListsMember Member> struct MediaListsOf
{
    friend MediaListsMember mediaListsOf(MediaLists) { return Member; }
};
template struct MediaListsOf<&litehtml::document::m_media_lists>;

bool mediaRulesChange(litehtml::document& document, const PageContainer& container)
{
    const litehtml::media_query_list::vector& lists = document.*mediaListsOf(MediaLists{});
    if (lists.empty())
        return false;
    litehtml::media_features features;
    container.get_media_features(features);
    // (Each tried on a copy: the page keeps what applied when it was read.)
    return std::any_of(lists.begin(), lists.end(), [&features](const litehtml::media_query_list::ptr& list) {
        litehtml::media_query_list tried(*list);
        return tried.apply_media_features(features);
    });
}

// The default style sheet of quirks mode or of the other modes, read once
// for all pages: documents only read a context's sheet, on any thread.
std::shared_ptr<litehtml::context> defaultStyleContext(bool quirks)
{
    const auto make = [](DocumentMode mode) {
        auto context = std::make_shared<litehtml::context>();
        context->load_master_stylesheet(defaultStyleSheet(mode));
        return context;
    };
    static const std::shared_ptr<litehtml::context> ofQuirks = make(DocumentMode::Quirks);
    static const std::shared_ptr<litehtml::context> ofStandards = make(DocumentMode::NoQuirks);
    return quirks ? ofQuirks : ofStandards;
}

} // namespace layoutengine_detail

LayoutEngine::LayoutEngine()
    : m_container(std::make_shared<PageContainer>()), m_context(layoutengine_detail::defaultStyleContext(true)),
      m_childIndexes(std::make_unique<layoutelements_detail::ChildIndexes>()),
      m_wideBlock(std::make_unique<WideBlock>())
{
    m_flowPlans = std::make_unique<FlowPlans>();
}

LayoutEngine::~LayoutEngine()
{
    // The document refers to the container: it goes first.
    m_reflow.reset();
    letGoOfPage();
}

bool LayoutEngine::takenApartInBackground() const
{
    return m_document && m_tree.boxes.size() + m_tree.pieces.size() / kWordsABox >= kBoxesTakenApartInBackground;
}

void LayoutEngine::forgetWhatKeysFound()
{
    m_lineStart.reset();
    m_wordsCut.reset();
    m_typedWords.reset();
    m_wordsBlock = {};
    m_blockExtent.reset();
}

void LayoutEngine::letGoOfPage()
{
    forgetChangedBlocks();
    m_flowPlans->clear();
    m_wordsEdited.reset();
    forgetWhatKeysFound();
    m_treeLines.reset();
    m_textLines.reset();
    m_reflow.reset();
    m_contentExtent.reset();
    QCoreApplication* app = QCoreApplication::instance();
    if (!takenApartInBackground() || !app || QThread::currentThread() != app->thread()) {
        m_elements.clear();
        m_textMarkers.clear();
        m_tree = LayoutTree();
        m_document.reset();
        m_partDocuments.clear();
        return;
    }
    // What the page refers to (the container, the style context) stays
    // until the page is gone.
    struct Page
    {
        std::shared_ptr<PageContainer> container;
        std::shared_ptr<litehtml::context> context;
        std::shared_ptr<litehtml::document> document;
        std::vector<std::shared_ptr<litehtml::document>> parts;
        ElementTable elements;
        ElementTable markers;
        LayoutTree tree;
    };
    auto page = std::make_shared<Page>(Page{m_container, m_context, std::move(m_document), std::move(m_partDocuments),
                                            std::move(m_elements), std::move(m_textMarkers), std::move(m_tree)});
    m_document.reset();
    m_partDocuments.clear();
    m_elements.clear();
    m_textMarkers.clear();
    m_tree = LayoutTree();
    platform::disposeInBackground([page = std::move(page)]() mutable {
        page->elements.clear();
        page->markers.clear();
        page->document.reset();
        page->parts.clear();
        page.reset();
    });
}

void LayoutEngine::setBaseFolder(const QString& folder)
{
    m_container->setBaseFolder(folder);
}

void LayoutEngine::setViewportSize(QSize size)
{
    // The root box covers the visible area: the next layout is a whole one.
    if (size != m_viewport) {
        m_reflow.reset();
        forgetChangedBlocks();
        m_wholeLayoutDue = true;
    }
    m_viewport = size;
    m_container->setViewportSize(size);
    // The page's rules for screens of some sizes (@media) may apply or stop
    // applying: then it is read again, its styles as at a first reading.
    // (litehtml's own look at the rules restyles the whole page on the
    // spot, which on a page of megabytes keeps the window for seconds, only
    // for the page to be read again.)
    if (m_document && layoutengine_detail::mediaRulesChange(*m_document, *m_container))
        m_reloadDue = true;
}

void LayoutEngine::setDocumentMode(DocumentMode mode)
{
    m_container->setDocumentMode(mode);
}

void LayoutEngine::takeStyleSheetOfMode()
{
    // The default style sheet differs with the mode.
    const bool quirks = m_container->documentMode() == DocumentMode::Quirks;
    if (quirks == m_quirksSheet)
        return;
    m_context = layoutengine_detail::defaultStyleContext(quirks);
    m_quirksSheet = quirks;
}

void LayoutEngine::load(const QString& html)
{
    m_container->forgetStyleSheets();
    letGoOfPage();
    takeStyleSheetOfMode();
    const QByteArray utf8 = html.toUtf8();
    m_document = litehtml::document::createFromUTF8(utf8.constData(), m_container.get(), m_context.get());
    prepareWords();
}

void LayoutEngine::load(const std::vector<QString>& pieces, const std::vector<LayoutSerializer::Cut>& cuts,
                        const QStringList& styleSheetLinks, int parts, qsizetype leastPartLength)
{
    // The rules of linked style sheets decide too.
    m_container->forgetStyleSheets();
    for (const QString& href : styleSheetLinks) {
        if (!m_container->styleSheetAllowsParts(href))
            parts = 1;
    }
    letGoOfPage();
    takeStyleSheetOfMode();
    if (std::optional<PageParts::Read> read =
            PageParts::read(pieces, cuts, *m_container, *m_context, parts, leastPartLength)) {
        m_document = std::move(read->document);
        m_partDocuments = std::move(read->others);
        // (Their words were prepared as the parts were read.)
        m_laidOut = false;
        m_reloadDue = false;
        return;
    }
    load(LayoutSerializer::join(pieces));
}

void LayoutEngine::prepareWords()
{
    forgetChangedBlocks();
    if (m_document && m_document->root()) {
        layoutelements_detail::markEdgeSpaces(*m_document->root());
        fitWordWidths(*m_document->root(), m_container->fonts());
    }
    m_laidOut = false;
    m_reloadDue = false;
}

void LayoutEngine::takeOver(LayoutEngine& other)
{
    m_wordsEdited.reset();
    forgetWhatKeysFound();
    other.forgetWhatKeysFound();
    other.m_container->setBelowContentHook(m_container->belowContentHook());
    m_reflow.reset();
    other.m_reflow.reset();
    forgetChangedBlocks();
    other.forgetChangedBlocks();
    std::swap(m_contentExtent, other.m_contentExtent);
    other.m_contentExtent.reset();
    std::swap(m_container, other.m_container);
    std::swap(m_context, other.m_context);
    std::swap(m_quirksSheet, other.m_quirksSheet);
    std::swap(m_document, other.m_document);
    std::swap(m_partDocuments, other.m_partDocuments);
    std::swap(m_tree, other.m_tree);
    std::swap(m_textLines, other.m_textLines);
    std::swap(m_treeLines, other.m_treeLines);
    std::swap(m_childIndexes, other.m_childIndexes);
    std::swap(m_flowPlans, other.m_flowPlans);
    std::swap(m_elements, other.m_elements);
    std::swap(m_textMarkers, other.m_textMarkers);
    std::swap(m_tagNames, other.m_tagNames);
    std::swap(m_width, other.m_width);
    std::swap(m_laidOut, other.m_laidOut);
    std::swap(m_reloadDue, other.m_reloadDue);
    std::swap(m_wholeLayoutDue, other.m_wholeLayoutDue);
    std::swap(m_documentSize, other.m_documentSize);
    std::swap(m_lastArea, other.m_lastArea);
    m_container->setViewportSize(m_viewport);
    // The words drawn so far need no shaping again.
    m_container->fonts().takeShapedTextsOf(other.m_container->fonts());
}

bool LayoutEngine::isLoaded() const
{
    return m_document != nullptr;
}

void LayoutEngine::layout(int width)
{
    const bool sameWidth = std::max(1, width) == m_width;
    m_lastKept = {};
    m_blockExtent.reset();
    const std::optional<WordsEdited> wordsEdited = std::exchange(m_wordsEdited, std::nullopt);
    if (std::exchange(m_runLaidOut, false) && sameWidth && !m_wholeLayoutDue) {
        // (Its lines were found with it.)
        m_lastKept = m_runKept;
        m_lastArea = m_runArea;
        m_laidOut = true;
        return;
    }
    m_textLines.reset();
    m_lastArea.reset();
    m_width = std::max(1, width);
    if (!m_document) {
        m_reflow.reset();
        m_treeLines.reset();
        m_tree = LayoutTree();
        m_laidOut = true;
        return;
    }
    // (A block of words whose words alone changed keeps what it can of
    // its lines.)
    if (m_reflow && sameWidth && wordsEdited && wordsEdited->block == m_reflow->block().get()) {
        m_keptLines = std::make_unique<KeptLines>(*m_reflow->block(), wordsEdited->prefix, wordsEdited->suffix,
                                                  m_wordsBlock.block == wordsEdited->block && m_wordsBlock.onlyWords);
        m_keptLines->useLineStart(&m_lineStart);
    }
    m_wordsEditedNow = wordsEdited;
    const bool blockOnly = m_reflow && sameWidth && layoutBlockOnly();
    m_wordsBlock.onlyWords = m_keptLines && m_keptLines->wordsOnly() && m_wordsBlock.block == wordsEdited->block;
    m_reflow.reset();
    m_keptLines.reset();
    m_wordsEditedNow.reset();
    if (blockOnly && m_linesUpdate) {
        // The lines of the words read again found anew, the others kept.
        LinesUpdate update = std::move(*m_linesUpdate);
        m_linesUpdate.reset();
        m_textLines = update.withinLineOf >= 0
                          ? TextLines::updatedWithinLine(std::move(update.before), m_tree, update.from, update.had,
                                                         update.now, update.withinLineOf)
                          : TextLines::updated(std::move(update.before), m_tree, update.from, update.had, update.now,
                                               update.boxFrom, update.boxesHad, update.boxesNow,
                                               update.shifted ? &*update.shifted : nullptr);
        m_treeLines = m_textLines;
    }
    m_linesUpdate.reset();
    if (!blockOnly) {
        m_contentExtent.reset();
        m_flowPlans->clear();
        m_wholeLayoutDue = false;
        m_document->render(m_width);
        m_documentSize = QSize(m_document->width(), m_document->height());
        buildTree();
    }
    m_laidOut = true;
}

std::unique_ptr<BlockReflow> LayoutEngine::blockBefore(const std::shared_ptr<litehtml::element>& changed,
                                                       bool inContent, const litehtml::element* inFlow)
{
    if (m_wholeLayoutDue)
        return nullptr;
    // Without a current layout (or a block pending), the next one is whole
    // (but for a run replaced that takes in each block changed).
    if (!m_laidOut && !m_reflow) {
        if (m_changesOutsideBlocks)
            return nullptr;
        const auto block = BlockReflow::blockFor(changed, inFlow);
        if (block && !changedBlockExtent(block.get()))
            m_changedBlocks.push_back({block, BlockReflow(block).extentBefore()});
        return nullptr;
    }
    const auto block = BlockReflow::blockFor(changed, inFlow);
    if (!block)
        return nullptr;
    if (!m_laidOut && block != m_reflow->block()) {
        m_changedBlocks = {{m_reflow->block(), m_reflow->extentBefore()}, {block, BlockReflow(block).extentBefore()}};
        return nullptr;
    }
    std::optional<litehtml::size> extent;
    if (m_laidOut && m_blockExtent && m_blockExtent->block == block.get())
        extent = m_blockExtent->size;
    auto reflow = std::make_unique<BlockReflow>(block, extent);
    reflow->noteChangeIn(changed, inContent);
    // (A block with changes pending keeps what was noted before the first.)
    if (m_laidOut)
        reflow->noteWidths();
    return reflow;
}

void LayoutEngine::noteChange(const std::shared_ptr<litehtml::element>& changed, std::unique_ptr<BlockReflow> block,
                              const litehtml::element* inFlow)
{
    // The change may have made the block unfit (a float, a position).
    if (block && BlockReflow::blockFor(changed, inFlow) != block->block())
        block.reset();
    if (m_laidOut) {
        m_changedBlocks.clear();
        m_changesOutsideBlocks = !block;
        m_reflow = std::move(block);
    } else if (!block || !m_reflow || m_reflow->block() != block->block()) {
        // (A block noted before the change stays as fit after it.)
        if (!m_reflow && !m_changesOutsideBlocks) {
            const auto now = BlockReflow::blockFor(changed, inFlow);
            m_changesOutsideBlocks = !now || !changedBlockExtent(now.get());
        } else if (m_reflow) {
            m_changesOutsideBlocks = m_changedBlocks.empty();
        }
        m_reflow.reset(); // (else the place noted before the first change stands)
    } else {
        m_reflow->noteAlso(*block);
    }
    m_laidOut = false;
}

bool LayoutEngine::changesWithin(const std::vector<std::shared_ptr<litehtml::element>>& run) const
{
    // (A block of the run, or one inside it: the run is written anew with
    // everything it holds.)
    const auto inRun = [&run](std::shared_ptr<litehtml::element> block) {
        for (; block; block = block->parent()) {
            if (std::find(run.begin(), run.end(), block) != run.end())
                return true;
        }
        return false;
    };
    if (m_reflow)
        return inRun(m_reflow->block());
    if (m_changesOutsideBlocks || m_changedBlocks.empty())
        return false;
    return std::all_of(m_changedBlocks.begin(), m_changedBlocks.end(),
                       [&inRun](const ChangedBlock& changed) { return inRun(changed.block.lock()); });
}

const litehtml::size* LayoutEngine::changedBlockExtent(const litehtml::element* block) const
{
    for (const ChangedBlock& changed : m_changedBlocks) {
        if (changed.block.lock().get() == block)
            return &changed.extent;
    }
    return nullptr;
}

void LayoutEngine::forgetChangedBlocks()
{
    m_changedBlocks.clear();
    m_changesOutsideBlocks = true;
}

bool LayoutEngine::layoutBlockOnly()
{
    BlockReflow::Result result = BlockReflow::Result::OtherBox;
    {
        std::optional<KeptLines::Scope> keeping;
        if (m_keptLines) {
            // (The block is laid out at its place, in the room it had.)
            m_keptLines->leaveWidthUnasked();
            keeping.emplace(*m_keptLines);
        }
        result = m_reflow->run();
    }
    // (A layout that went otherwise than planned is of no use.)
    if (result == BlockReflow::Result::OtherBox || (m_keptLines && m_keptLines->failed()))
        return false;
    // (An item numbered otherwise now numbers those after it otherwise.)
    const auto* item = dynamic_cast<const ListItemElement*>(m_reflow->block().get());
    if (const auto list = item && item->numbered() ? item->parent() : nullptr) {
        const litehtml::elements_vector& items = childrenOf(*list);
        const auto at = std::find(items.begin(), items.end(), m_reflow->block());
        if (ListItemElement::renumber(*list, static_cast<size_t>(at - items.begin()) + 1))
            return false;
    }
    if (result == BlockReflow::Result::OtherHeight)
        return layoutBlockAndMoveWhatFollows();
    // Whether the page's extent changes is known only from a whole layout,
    // unless the block stays inside it, or the extent of everything beside
    // the block is kept (see ContentExtent: a long line typed in that makes
    // the page wider or narrower, where nothing is laid out by the page's
    // extent).
    const litehtml::size before = m_reflow->extentBefore();
    // (A block of words whose lines partly stood is measured by its lines.)
    const bool ofWords = m_keptLines && m_keptLines->used();
    const litehtml::size after = m_reflow->extentAfter(ofWords);
    const bool keepsExtent = layoutengine_detail::keepsExtent(before.width, after.width, m_documentSize.width()) &&
                             layoutengine_detail::keepsExtent(before.height, after.height, m_documentSize.height());
    const std::shared_ptr<litehtml::element>& block = m_reflow->block();
    const std::shared_ptr<litehtml::element> holder = m_reflow->cell() ? m_reflow->cell() : block->parent();
    if (!(m_contentExtent && holder.get() == m_contentExtent->cell() && m_contentExtent->update(*block, 0, after)))
        m_contentExtent = keepsExtent || m_reflow->cell() || !holder ? nullptr : ContentExtent::of(holder);
    auto* root = dynamic_cast<RootElement*>(m_document->root().get());
    if (!keepsExtent && (!m_contentExtent || m_reflow->cell() || !root))
        return false;
    const int canvasWidth = m_tree.canvas.width();
    QRect changed;
    if (refreshBlockBoxes(m_reflow->laidOut(), changed, !keepsExtent)) {
        // (The block kept its height: every word after it stands where it
        // stood.)
        if (m_linesUpdate)
            m_linesUpdate->shifted = TextLines::Shifted{0, INT_MAX, 0};
        if (!keepsExtent) {
            takeTextBoxPageExtent(*root, nullptr);
            changed = QRect(0, changed.y(), std::max(canvasWidth, m_tree.canvas.width()), changed.height());
        }
        m_lastArea = changed;
        m_blockExtent = BlockExtent{block.get(), after};
    } else {
        if (!keepsExtent) {
            litehtml::size view;
            view.width = m_viewport.width();
            view.height = m_viewport.height();
            const litehtml::size size = m_contentExtent->extent(view);
            m_documentSize = QSize(size.width, size.height);
        }
        buildTree();
    }
    return true;
}

bool LayoutEngine::layoutBlockAndMoveWhatFollows()
{
    const std::shared_ptr<litehtml::element>& block = m_reflow->block();
    // (What follows the block moves, the block stays: its extent too.)
    const litehtml::size after = m_reflow->extentAfter(m_keptLines && m_keptLines->used());
    if (!layoutengine_detail::keepsExtent(m_reflow->extentBefore().width, after.width, m_documentSize.width()))
        return false;
    const litehtml::element* cell = m_reflow->cell().get();
    const std::optional<FlowShift> shift =
        FlowShift::plan(block, m_reflow->heightChange(), m_viewport.height(), cell, m_flowPlans.get());
    if (!shift || (cell && shift->holder() != cell))
        return false;
    const auto blockEntry = m_tree.byNode.find(layoutNodeId(*block));
    const auto holderEntry = m_tree.byNode.find(layoutNodeId(*shift->holder()));
    if (blockEntry == m_tree.byNode.end() || holderEntry == m_tree.byNode.end())
        return false;
    const int blockBox = blockEntry->second;
    const int holderBox = holderEntry->second;
    // In a text box, the rows below the cell move too, and the table grows.
    auto* table = cell ? dynamic_cast<TableElement*>(m_reflow->table().get()) : nullptr;
    const int row = table ? table->rowOf(*cell) : -1;
    int tableBox = -1;
    if (table) {
        const auto found = m_tree.byNode.find(layoutNodeId(*table));
        if (row < 0 || found == m_tree.byNode.end())
            return false;
        tableBox = found->second;
    }
    const int movedEnd = m_tree.subtreeEnd(tableBox >= 0 ? tableBox : holderBox);
    if (!movesWithItsPlace(blockBox, movedEnd, *shift))
        return false;
    shift->apply();
    if (table) {
        table->growRow(row, shift->dy());
        layoutengine_detail::widenPaintExtentsBelow(*table, shift->dy());
    }
    const int canvasHeight = m_tree.canvas.height();
    const QRect& old = m_tree.boxes[static_cast<size_t>(blockBox)].borderBox;
    const int oldBottom = old.y() + old.height();
    QRect changed;
    MovedRange movedBoxes;
    const MovedRange* moved = &movedBoxes;
    OwnersMoved owners;
    if (refreshBlockBoxes(block, changed, true)) {
        movedBoxes = moveTreeAfter(blockBox, holderBox, tableBox, oldBottom, *shift);
    } else if (replaceBlockBoxes(block, blockBox, changed, owners)) {
        movedBoxes = moveTreeAfter(blockBox, holderBox, tableBox, oldBottom, *shift, &owners);
    } else {
        buildTree();
        moved = nullptr;
    }
    if (m_linesUpdate && moved)
        m_linesUpdate->shifted = TextLines::Shifted{moved->from, moved->movedTo, shift->dy()};
    auto* root = dynamic_cast<RootElement*>(m_document->root().get());
    if (table && root) {
        // The page's extent as the layout library measures it, the root box
        // stretched to it (the table stands out of the flow).
        // (Kept from one edit in the cell to the next: a long page is not
        // walked again.)
        bool kept =
            m_contentExtent && m_contentExtent->cell() == cell && m_contentExtent->update(*block, shift->dy(), after);
        if (!kept) {
            m_contentExtent = ContentExtent::of(m_reflow->cell());
            kept = m_contentExtent != nullptr;
        }
        takeTextBoxPageExtent(*root, moved);
    } else {
        m_contentExtent.reset();
        // The page's extent: its boxes' (the root's reaches down to the
        // flow's end).
        m_documentSize.setHeight(0);
        updateCanvas(moved);
        m_documentSize.setHeight(m_tree.canvas.height());
    }
    // From the block down: everything there may have moved.
    const int top = std::min(m_reflow->topBefore(), changed.y());
    m_lastArea = QRect(0, top, m_tree.canvas.width(), std::max(canvasHeight, m_tree.canvas.height()) - top);
    return true;
}

bool LayoutEngine::movesWithItsPlace(int blockBox, int to, const FlowShift& shift) const
{
    // Each positioned box in the moved content is placed against the nearest
    // positioned box around it: it moves along when that one moves too, or
    // when it takes its place from the flow.
    const auto& boxes = m_tree.boxes;
    const int from = m_tree.subtreeEnd(blockBox);
    const auto movesAlong = [&](const LayoutBox& b) {
        int against = b.parent;
        while (against >= 0 && !boxes[static_cast<size_t>(against)].positioned)
            against = boxes[static_cast<size_t>(against)].parent;
        if (against >= from)
            return true;
        const auto el = elementOf(b.nodeId);
        return el && el->get_element_position() != litehtml::element_position_fixed && placedByTheFlow(*el);
    };
    if (shift.kept().empty()) {
        // (Only the parts of the list that hold absolute boxes looked at: a
        // long page holds very many boxes.)
        const std::vector<size_t> absolute =
            boxes.absoluteIn(static_cast<size_t>(std::max(0, from)), static_cast<size_t>(std::max(from, to)));
        return std::all_of(absolute.begin(), absolute.end(), [&](size_t i) { return movesAlong(boxes[i]); });
    }
    for (int i = from; i < to;) {
        const LayoutBox& b = boxes[static_cast<size_t>(i)];
        if (b.nodeId >= 0 && !shift.kept().empty() && shift.kept().count(b.nodeId)) {
            i = m_tree.subtreeEnd(i);
            continue;
        }
        if (b.absolute && !movesAlong(b))
            return false;
        ++i;
    }
    return true;
}

LayoutEngine::MovedRange LayoutEngine::moveTreeAfter(int blockBox, int holderBox, int tableBox, int oldBottom,
                                                     const FlowShift& shift, const OwnersMoved* owners)
{
    m_treeLines.reset();
    auto& boxes = m_tree.boxes;
    const int dy = shift.dy();
    const int from = m_tree.subtreeEnd(blockBox);
    const int holderEnd = m_tree.subtreeEnd(holderBox);
    const int to = tableBox >= 0 ? m_tree.subtreeEnd(tableBox) : holderEnd;
    // Mostly every box after the block in its holder moves: no positioned
    // box stays. (The rows of a table around a text box's cell stand apart:
    // those below it are looked at one by one.)
    const int allTo = shift.kept().empty() ? std::min(holderEnd, to) : from;
    MovedRange range{from, to, 0, 0, std::max(from, allTo)};
    const auto reach = [](MovedRange& reached, const LayoutBox& b) {
        reached.right = std::max(reached.right, b.borderBox.x() + b.borderBox.width());
        reached.bottom = std::max(reached.bottom, b.borderBox.y() + b.borderBox.height());
    };
    std::vector<char> moved(static_cast<size_t>(std::max(0, to - range.movedTo)), 0);
    // An inline box on no line stands where the layout left it, in the box
    // around it: it moves only inside a box that moves (see FlowShift).
    const auto staysOffLines = [&boxes = std::as_const(boxes), from](const LayoutBox& b) {
        if (!b.inlineLevel || !b.lineBoxes.empty())
            return false;
        for (int p = b.parent; p >= from; p = boxes[static_cast<size_t>(p)].parent) {
            if (!boxes[static_cast<size_t>(p)].inlineLevel)
                return false;
        }
        return true;
    };
    const auto moveBox = [dy, &staysOffLines](LayoutBox& b) {
        if (staysOffLines(b))
            return;
        b.borderBox.translate(0, dy);
        b.paddingBox.translate(0, dy);
        b.contentBox.translate(0, dy);
        for (QRect& r : b.lineBoxes)
            r.translate(0, dy);
    };
    if (range.movedTo > from) {
        // (A part of the list at a time: a long page holds very many.)
        boxes.moveDown(static_cast<size_t>(from), static_cast<size_t>(range.movedTo), dy,
                       [&staysOffLines](const LayoutBox& b) { return staysOffLines(b); });
        const auto [right, bottom] = boxes.reach(static_cast<size_t>(from), static_cast<size_t>(range.movedTo));
        range.right = std::max(range.right, right);
        range.bottom = std::max(range.bottom, bottom);
    }
    for (int i = range.movedTo; i < to;) {
        LayoutBox& b = boxes[static_cast<size_t>(i)];
        if (b.nodeId >= 0 && shift.kept().count(b.nodeId)) {
            for (const int end = m_tree.subtreeEnd(i); i < end; ++i)
                reach(range, boxes[static_cast<size_t>(i)]);
            continue;
        }
        // The rows of a table stand at its top, their cells in the table.
        if (i >= holderEnd && layoutengine_detail::isRowOrRowGroup(b, elementOf(b.nodeId).get())) {
            reach(range, b);
            ++i;
            continue;
        }
        moved[static_cast<size_t>(i - range.movedTo)] = 1;
        moveBox(b);
        reach(range, b);
        ++i;
    }
    // The boxes around the block take their new heights (the root's need
    // not have changed by the block's change: it covers the view).
    std::unordered_map<int, int> grown;
    for (litehtml::element* a : shift.grown())
        grown.emplace(layoutNodeId(*a), a->get_position().height);
    std::vector<int> around; // the boxes from the block's parent to the holder
    for (int p = boxes[static_cast<size_t>(blockBox)].parent; p >= 0; p = boxes[static_cast<size_t>(p)].parent) {
        around.push_back(p);
        LayoutBox& b = boxes[static_cast<size_t>(p)];
        if (const auto g = grown.find(b.nodeId); b.nodeId >= 0 && g != grown.end()) {
            const int change = g->second - b.contentBox.height();
            b.borderBox.setHeight(b.borderBox.height() + change);
            b.paddingBox.setHeight(b.paddingBox.height() + change);
            b.contentBox.setHeight(b.contentBox.height() + change);
        }
        if (p == holderBox)
            break;
    }
    if (tableBox >= 0) {
        LayoutBox& t = boxes[static_cast<size_t>(tableBox)];
        t.borderBox.setHeight(t.borderBox.height() + dy);
        t.paddingBox.setHeight(t.paddingBox.height() + dy);
        t.contentBox.setHeight(t.contentBox.height() + dy);
    }
    // Words of the boxes that moved, and words of the boxes around the
    // block on lines below it (lines above it stay): all of them after the
    // block's own, before those of the boxes after the moved ones.
    auto& pieces = m_tree.pieces;
    // (After a run, the block is its last: the words after the run's follow
    // its own.)
    size_t piecesFrom = owners ? owners->from : 0;
    if (!owners) {
        const auto [blockFrom, blockTo] = m_tree.piecesWithin(blockBox, from);
        piecesFrom = blockTo > blockFrom
                         ? blockTo
                         : static_cast<size_t>(std::max(0, boxes[static_cast<size_t>(blockBox)].firstPiece));
    }
    const size_t piecesTo = static_cast<size_t>(to) < boxes.size()
                                ? static_cast<size_t>(std::max(0, boxes[static_cast<size_t>(to)].firstPiece))
                                : pieces.size();
    // (Mostly a part of the list at a time: a long page holds very many.)
    if (owners && owners->added != 0)
        pieces.moveOwners(std::min(piecesFrom, pieces.size()), pieces.size(), owners->end, owners->added);
    pieces.moveDown(std::min(piecesFrom, pieces.size()), std::min(piecesTo, pieces.size()), from, range.movedTo, dy,
                    [&](TextPiece& p) {
                        const bool inMoved = p.owner >= range.movedTo && p.owner < to &&
                                             moved[static_cast<size_t>(p.owner - range.movedTo)];
                        if (inMoved || (p.box.y() >= oldBottom &&
                                        std::find(around.begin(), around.end(), p.owner) != around.end())) {
                            p.box.translate(0, dy);
                            p.baseline += dy;
                        }
                    });
    return range;
}

void LayoutEngine::takeTextBoxPageExtent(RootElement& root, const MovedRange* moved)
{
    litehtml::size view;
    view.width = m_viewport.width();
    view.height = m_viewport.height();
    const litehtml::size size = m_contentExtent ? m_contentExtent->extent(view) : root.measureExtent();
    m_documentSize = QSize(size.width, size.height);
    if (!m_tree.boxes.empty() && m_tree.boxes.front().nodeId == layoutNodeId(root))
        layoutengine_detail::placeBoxes(m_tree.boxes.front(), root, layoutelements_detail::placementOf(root));
    updateCanvas(moved);
}

void LayoutEngine::updateCanvas(const MovedRange* moved)
{
    int right = m_documentSize.width();
    int bottom = m_documentSize.height();
    // (A part of the list at a time: a long page holds very many.)
    const auto reach = [&](size_t from, size_t to) {
        const auto [partsRight, partsBottom] = m_tree.boxes.reach(from, to);
        right = std::max(right, partsRight);
        bottom = std::max(bottom, partsBottom);
    };
    if (moved) {
        reach(0, static_cast<size_t>(moved->from));
        right = std::max(right, moved->right);
        bottom = std::max(bottom, moved->bottom);
        reach(static_cast<size_t>(moved->to), m_tree.boxes.size());
    } else {
        reach(0, m_tree.boxes.size());
    }
    m_tree.canvas = QSize(right, bottom);
}

bool LayoutEngine::refreshBlockBoxes(const std::shared_ptr<litehtml::element>& block, QRect& changed,
                                     bool canvasMayChange)
{
    if (m_keptLines && m_keptLines->used() && refreshKeptWords(block, changed, canvasMayChange))
        return true;
    const auto found = m_tree.byNode.find(layoutNodeId(*block));
    if (found == m_tree.byNode.end())
        return false;
    auto& boxes = m_tree.boxes;
    auto& pieces = m_tree.pieces;
    // The block's boxes follow it in document order, its words likewise.
    const int first = found->second;
    const int end = m_tree.subtreeEnd(first);
    const auto [piecesFrom, piecesTo] = m_tree.piecesWithin(first, end);
    const auto piecesBegin = pieces.begin() + static_cast<std::ptrdiff_t>(piecesFrom);
    const auto piecesEnd = pieces.begin() + static_cast<std::ptrdiff_t>(piecesTo);

    LayoutTree part;
    // (Room for as many as before: a long paragraph holds very many words.)
    part.boxes.reserve(static_cast<size_t>(end - first));
    part.pieces.reserve(piecesTo - piecesFrom);
    layoutengine_detail::TreeBuilder builder{part, nullptr, nullptr, m_tagNames, 0, {}};
    builder.indexes = m_childIndexes.get();
    builder.indexByNode = false;
    builder.addElement(block, -1);
    if (part.boxes.size() != static_cast<size_t>(end - first))
        return false;
    if (piecesBegin == piecesEnd && !part.pieces.empty())
        return false; // no place known for the new words

    QRect before, after;
    const auto cover = [](QRect& area, const QRect& r) { area = area.isNull() ? r : area.united(r); };
    const auto coverBox = [&cover](QRect& area, const LayoutBox& b) {
        cover(area, b.borderBox);
        for (const QRect& r : b.lineBoxes)
            cover(area, r);
    };
    for (int i = first; i < end; ++i)
        coverBox(before, boxes[static_cast<size_t>(i)]);
    for (const LayoutBox& b : part.boxes)
        coverBox(after, b);
    for (auto p = piecesBegin; p != piecesEnd; ++p)
        cover(before, p->box);
    for (const TextPiece& p : part.pieces)
        cover(after, p.box);
    // The canvas follows the boxes at its edges.
    using layoutengine_detail::keepsExtent;
    if (!canvasMayChange &&
        (!keepsExtent(before.x() + before.width(), after.x() + after.width(), m_tree.canvas.width()) ||
         !keepsExtent(before.y() + before.height(), after.y() + after.height(), m_tree.canvas.height())))
        return false;
    const QRect area = before.united(after);
    for (size_t i = 0; i < part.boxes.size(); ++i) {
        if (part.boxes[i].nodeId != boxes[static_cast<size_t>(first) + i].nodeId)
            return false;
    }
    // The lines of the tree before: those of the block are found again.
    std::shared_ptr<const TextLines> linesBefore = std::exchange(m_treeLines, nullptr);

    for (size_t i = 0; i < part.boxes.size(); ++i) {
        LayoutBox& b = part.boxes[i];
        LayoutBox& old = boxes[static_cast<size_t>(first) + i];
        b.parent = i == 0 ? old.parent : b.parent + first;
        for (int& c : b.children)
            c += first;
        b.order = old.order;
        b.firstPiece += static_cast<int>(piecesFrom);
        old = std::move(b);
    }
    // The words after the block moved up or down in the list.
    if (const int more = static_cast<int>(part.pieces.size()) - static_cast<int>(piecesTo - piecesFrom); more != 0) {
        for (size_t i = static_cast<size_t>(end); i < boxes.size(); ++i)
            boxes[i].firstPiece += more;
    }
    for (TextPiece& p : part.pieces)
        p.owner += first;
    widenChildReach(*block, after);
    // (The words after the block are moved along the list once at most: a
    // long page holds very many.)
    const size_t had = piecesTo - piecesFrom;
    const size_t now = part.pieces.size();
    pieces.replace(piecesFrom, piecesTo, part.pieces.takeAll());
    layoutengine_detail::widenPaintExtents(*block);
    if (linesBefore) {
        const int boxes = end - first;
        m_linesUpdate = LinesUpdate{std::move(linesBefore),
                                    static_cast<int>(piecesFrom),
                                    static_cast<int>(had),
                                    static_cast<int>(now),
                                    first,
                                    boxes,
                                    boxes,
                                    std::nullopt,
                                    -1};
    }
    // Whole lines of the page: list markers and overflowing text stand
    // beside the boxes.
    changed = QRect(0, area.y(), m_tree.canvas.width(), area.height());
    return true;
}

bool LayoutEngine::refreshKeptWords(const std::shared_ptr<litehtml::element>& block, QRect& changed,
                                    bool canvasMayChange)
{
    using namespace layoutengine_detail;
    if (!m_wordsEditedNow || m_wordsEditedNow->block != block.get())
        return false;
    const WordsEdited& edited = *m_wordsEditedNow;
    const KeptLines& kept = *m_keptLines;
    const auto found = m_tree.byNode.find(layoutNodeId(*block));
    if (found == m_tree.byNode.end())
        return false;
    const int blockBox = found->second;
    const int dy = kept.dy();
    // (Lines that moved in a block of the same height: its height is its own.)
    if (m_tree.subtreeEnd(blockBox) != blockBox + 1 || (dy != 0 && !canvasMayChange))
        return false;
    auto& pieces = m_tree.pieces;
    // (Plain names: the lambdas below take them, and the fuzzing build's
    // compiler cannot capture structured bindings.)
    const std::pair<size_t, size_t> within = m_tree.piecesWithin(blockBox, blockBox + 1);
    const size_t piecesFrom = within.first;
    const size_t piecesTo = within.second;
    const litehtml::elements_vector& children = childrenOf(*block);
    const size_t restart = kept.restart();
    const size_t metAt = kept.metAt();
    // The words of the children before and after those placed anew are
    // those of the tree.
    const auto makesWord = [](litehtml::element& child) {
        return textMarker(child) == -2 && isTextLike(child) && !child.skip();
    };
    // (Where it is known where the words of the lines of the restart and
    // of the meeting stood, they are counted from the tree's, which stand
    // line by line: a long paragraph holds very many.)
    const int originY = layoutelements_detail::placementOf(*block).y;
    const auto wordsAbove = [&](int y) {
        const auto first = pieces.begin() + static_cast<std::ptrdiff_t>(piecesFrom);
        const auto end = pieces.begin() + static_cast<std::ptrdiff_t>(piecesTo);
        return static_cast<size_t>(std::partition_point(first, end, [y](const TextPiece& p) { return p.box.y() < y; }) -
                                   first);
    };
    size_t before = 0;
    if (kept.withinLine()) {
        before = kept.wordsBeforeWithinLine();
    } else if (restart > 0 && kept.restartY() != INT_MIN) {
        before = wordsAbove(originY + kept.restartY());
    } else {
        for (size_t c = 0; c < restart; ++c)
            before += makesWord(*children[c]) ? 1 : 0;
    }
    size_t after = 0;
    if (kept.withinLine()) {
        after = kept.wordsAfterWithinLine();
    } else if (metAt < children.size() && kept.metY() != INT_MIN) {
        after = piecesTo - piecesFrom - wordsAbove(originY + kept.metY());
    } else {
        for (size_t c = metAt; c < children.size(); ++c)
            after += makesWord(*children[c]) ? 1 : 0;
    }
    if (before + after > piecesTo - piecesFrom)
        return false;
    const size_t had = piecesTo - piecesFrom - before - after;
    // Where the text the first child placed anew belongs to stands.
    int textNode = -1;
    int offset = 0;
    {
        int back = 0;
        bool known = false;
        for (size_t c = restart; c-- > 0 && !known;) {
            litehtml::element& child = *children[c];
            if (const int marker = textMarker(child); marker != -2) {
                textNode = marker;
                offset = back;
                known = true;
            } else if (isTextLike(child)) {
                if (!child.skip()) {
                    if (before == 0)
                        return false;
                    const TextPiece& last = pieces[piecesFrom + before - 1];
                    textNode = last.textNodeId;
                    offset = last.offset + static_cast<int>(last.text.size()) + back;
                    known = true;
                } else {
                    litehtml::tstring text;
                    child.get_text(text);
                    back += static_cast<int>(QString::fromStdString(text).size());
                }
            } else if (!child.is_comment()) {
                return false;
            }
        }
        if (!known)
            offset = back;
    }
    // The words of the children placed anew.
    LayoutTree part;
    TreeBuilder builder{part, nullptr, nullptr, m_tagNames, 0, {}};
    builder.indexByNode = false;
    const litehtml::position origin = layoutelements_detail::placementOf(*block);
    std::vector<int> indexed; // the children that made them
    for (size_t c = restart; c < metAt; ++c) {
        const litehtml::element::ptr& child = children[c];
        if (const int marker = textMarker(*child); marker != -2) {
            textNode = marker;
            offset = 0;
        } else if (isTextLike(*child)) {
            const size_t made = part.pieces.size();
            builder.addText(child, blockBox, textNode, offset, origin);
            if (part.pieces.size() > made)
                indexed.push_back(static_cast<int>(c));
        } else if (!child->is_comment()) {
            return false;
        }
    }
    // Blocks of very many children are drawn by the index of them, which
    // follows (it is there when the block holds as many now as it did).
    const auto index = m_childIndexes->find(block.get());
    if ((index != m_childIndexes->end()) != (children.size() >= layoutelements_detail::kManyChildren))
        return false;

    const auto cover = [](QRect& area, const QRect& r) { area = area.isNull() ? r : area.united(r); };
    LayoutBox& box = m_tree.boxes[static_cast<size_t>(blockBox)];
    QRect areaBefore = box.borderBox;
    const size_t partFrom = piecesFrom + before;
    for (size_t i = partFrom; i < partFrom + had; ++i)
        cover(areaBefore, pieces[i].box);
    LayoutBox placed = box;
    placeBoxes(placed, *block, origin);
    QRect areaAfter = placed.borderBox;
    for (const TextPiece& p : part.pieces)
        cover(areaAfter, p.box);
    // (Along a line that stood in part, the words after the change reach
    // as far as its last one.)
    if (kept.withinLine() && after > 0) {
        const QRect last = pieces[piecesTo - 1].box;
        cover(areaBefore, last);
        for (size_t c = children.size(); c-- > metAt;) {
            if (!children[c]->is_comment()) {
                const litehtml::position& pos = children[c]->get_position();
                cover(areaAfter, QRect(origin.x + pos.x, last.y(), pos.width, last.height()));
                break;
            }
        }
    }
    if (!canvasMayChange &&
        (!keepsExtent(areaBefore.x() + areaBefore.width(), areaAfter.x() + areaAfter.width(), m_tree.canvas.width()) ||
         !keepsExtent(areaBefore.y() + areaBefore.height(), areaAfter.y() + areaAfter.height(),
                      m_tree.canvas.height())))
        return false;

    // Nothing looked at fails from here on.
    std::shared_ptr<const TextLines> linesBefore = std::exchange(m_treeLines, nullptr);
    box.borderBox = placed.borderBox;
    box.paddingBox = placed.paddingBox;
    box.contentBox = placed.contentBox;
    if (index != m_childIndexes->end()) {
        layoutelements_detail::ChildIndex& ci = index->second;
        const int oldMetAt = static_cast<int>(metAt) - edited.childrenChange;
        const auto from = std::lower_bound(ci.flow.begin(), ci.flow.end(), static_cast<int>(restart));
        const auto to = std::lower_bound(from, ci.flow.end(), oldMetAt);
        const auto moved = ci.flow.erase(from, to);
        for (auto i = moved; i != ci.flow.end(); ++i)
            *i += edited.childrenChange;
        ci.flow.insert(moved, indexed.begin(), indexed.end());
        for (size_t i = 0; i < indexed.size(); ++i) {
            const int top = origin.y + children[static_cast<size_t>(indexed[i])]->get_position().y;
            const QRect& area = part.pieces[i].box;
            ci.reachAbove = std::max(ci.reachAbove, top - area.y());
            ci.reachBelow = std::max(ci.reachBelow, area.y() + area.height() - top);
        }
    }
    // The words after those placed anew moved down (and along their text;
    // along their line, of other widths, when it stood in part).
    for (size_t i = piecesTo - after; i < piecesTo; ++i) {
        TextPiece& p = pieces[i];
        if (dy != 0) {
            p.box.translate(0, dy);
            p.baseline += dy;
        }
        if (p.textNodeId == edited.textNodeId)
            p.offset += edited.lengthChange;
    }
    if (kept.withinLine()) {
        size_t i = piecesTo - after;
        // (Every child there but the comments is a word of the line.)
        for (size_t c = metAt; c < children.size() && i < piecesTo; ++c) {
            litehtml::element& child = *children[c];
            if (child.is_comment())
                continue;
            const litehtml::position& pos = child.get_position();
            TextPiece& p = pieces[i++];
            p.box = QRect(origin.x + pos.x, p.box.y(), pos.width, p.box.height());
        }
    }
    const size_t now = part.pieces.size();
    pieces.replace(partFrom, partFrom + had, part.pieces.takeAll());
    if (const int more = static_cast<int>(now) - static_cast<int>(had); more != 0) {
        for (size_t i = static_cast<size_t>(blockBox) + 1; i < m_tree.boxes.size(); ++i)
            m_tree.boxes[i].firstPiece += more;
    }
    // What the block paints takes in the words placed anew and those moved.
    if (auto* extent = dynamic_cast<PaintExtent*>(block.get()); extent && !extent->paintExtent().isNull()) {
        QRect area = extent->paintExtent();
        if (dy != 0)
            area = area.united(area.translated(0, dy));
        extent->setPaintExtent(area.united(areaAfter.adjusted(-64, -16, 64, 16).translated(-origin.x, -origin.y)));
    }
    widenChildReach(*block, areaAfter);
    widenPaintExtents(*block);
    if (linesBefore)
        m_linesUpdate = LinesUpdate{std::move(linesBefore),
                                    static_cast<int>(partFrom),
                                    static_cast<int>(had),
                                    static_cast<int>(now),
                                    blockBox + 1,
                                    0,
                                    0,
                                    std::nullopt,
                                    kept.withinLine() ? blockBox : -1};
    m_lastKept = {kept.linesKeptBefore() + kept.linesKeptAfter(), now, kept.childrenPlaced()};
    const QRect area = areaBefore.united(areaAfter);
    changed = QRect(0, area.y(), m_tree.canvas.width(), area.height());
    return true;
}

void LayoutEngine::widenChildReach(const litehtml::element& block, const QRect& area)
{
    if (m_childIndexes->empty() || area.isNull())
        return;
    const litehtml::element* child = &block;
    for (auto p = block.parent(); p; child = p.get(), p = p->parent()) {
        const auto index = m_childIndexes->find(p.get());
        if (index == m_childIndexes->end())
            continue;
        const int top =
            layoutelements_detail::placementOf(*p).y + const_cast<litehtml::element*>(child)->get_position().y;
        index->second.reachAbove = std::max(index->second.reachAbove, top - area.y());
        index->second.reachBelow = std::max(index->second.reachBelow, area.y() + area.height() - top);
    }
}

void LayoutEngine::buildTree()
{
    m_treeLines.reset();
    m_linesUpdate.reset();
    // Room for as much as the layout before held (a layout again of the
    // same page holds as much).
    const size_t boxes = m_tree.boxes.size();
    const size_t pieces = m_tree.pieces.size();
    const size_t ids = std::max(m_elements.capacity(), m_textMarkers.capacity());
    m_tree = LayoutTree();
    m_elements.clear();
    m_textMarkers.clear();
    if (!m_document || !m_document->root())
        return;
    m_tree.boxes.reserve(boxes);
    m_tree.pieces.reserve(pieces);
    m_tree.byNode.reserve(boxes);
    m_elements.reserve(ids);
    m_textMarkers.reserve(ids);
    m_childIndexes->clear();
    layoutengine_detail::TreeBuilder builder{m_tree, &m_elements, &m_textMarkers, m_tagNames, 0, {}};
    builder.indexes = m_childIndexes.get();
    builder.addElement(m_document->root(), -1);
    // (With room for the blocks edits add: the first that adds one does not
    // move the boxes of a long page elsewhere.)
    m_tree.boxes.reserve(m_tree.boxes.size() + m_tree.boxes.size() / 32);
    m_tree.byNode.leaveRoom();
    updateCanvas();
}

std::shared_ptr<const TextLines> LayoutEngine::textLines()
{
    if (!m_textLines)
        findTextLines();
    return m_textLines;
}

void LayoutEngine::findTextLines()
{
    m_textLines = TextLines::of(m_tree);
    m_treeLines = m_textLines;
}

void LayoutEngine::measureTextBoxExtent()
{
    if (!m_laidOut || !m_document || m_contentExtent)
        return;
    const LayoutBox* most = nullptr;
    for (const LayoutBox& b : m_tree.boxes) {
        if (b.tag == u"TD" && !b.children.empty() && (!most || b.children.size() > most->children.size()))
            most = &b;
    }
    const auto cell = most ? elementOf(most->nodeId) : nullptr;
    if (!cell || childrenOf(*cell).empty() || BlockReflow::textBoxCellOf(*childrenOf(*cell).front()) != cell)
        return;
    m_contentExtent = ContentExtent::of(cell);
}

std::shared_ptr<litehtml::element> LayoutEngine::elementOf(int nodeId) const
{
    return m_elements.find(nodeId);
}

int LayoutEngine::fontOf(int nodeId) const
{
    const auto el = elementOf(nodeId);
    return el ? static_cast<int>(el->get_font()) : 0;
}

namespace layoutengine_detail {

bool isOrHoldsListItem(const litehtml::element& el)
{
    if (el.get_display() == litehtml::display_list_item)
        return true;
    for (size_t i = 0; i < el.get_children_count(); ++i) {
        const auto child = el.get_child(static_cast<int>(i));
        if (child && isOrHoldsListItem(*child))
            return true;
    }
    return false;
}

// Whether an element's box kind may change from `before` to `after` in
// place: litehtml builds table grids, list markers and the boxes of inlines
// that hold blocks when it parses the page.
bool displayChangesInPlace(const litehtml::element& el, litehtml::style_display before, litehtml::style_display after)
{
    const auto simple = [](litehtml::style_display d) {
        return d == litehtml::display_none || d == litehtml::display_block || d == litehtml::display_inline ||
               d == litehtml::display_inline_block;
    };
    if (before == after)
        return true;
    if (!simple(before) || !simple(after))
        return false;
    if (before != litehtml::display_inline && after != litehtml::display_inline)
        return true;
    for (size_t i = 0; i < el.get_children_count(); ++i) {
        const auto child = el.get_child(static_cast<int>(i));
        const auto d = child ? child->get_display() : litehtml::display_none;
        if (d == litehtml::display_block || d == litehtml::display_list_item || d == litehtml::display_table)
            return false;
    }
    return true;
}

} // namespace layoutengine_detail

bool LayoutEngine::holdsListItems(int nodeId) const
{
    const auto el = elementOf(nodeId);
    return el && layoutengine_detail::isOrHoldsListItem(*el);
}

bool LayoutEngine::restyle(int nodeId, const std::vector<std::pair<QString, QString>>& attributes, bool paintOnly)
{
    m_wordsCut.reset();
    m_wordsEdited.reset();
    m_wordsBlock = {};
    m_lineStart.reset();
    m_textLines.reset();
    const auto el = elementOf(nodeId);
    if (!el) {
        // An element the layout holds apart (a table's COL) is read again
        // with the whole page.
        m_reloadDue = true;
        return false;
    }
    m_flowPlans->forget(*el);
    std::unique_ptr<BlockReflow> block = blockBefore(el);
    const litehtml::style_display displayBefore = el->get_display();
    const auto* table = dynamic_cast<const TableElement*>(el.get());
    const bool blockAroundTableBefore = table && table->blockAroundTable();
    std::vector<int> outlines;
    if (paintOnly)
        layoutengine_detail::collectOutlines(*el, outlines);
    for (const auto& [name, value] : attributes)
        el->set_attr(name.toLower().toUtf8().constData(), value.toUtf8().constData());
    // The style sheet's rules again for the element and everything in it;
    // then every one of them computes its style anew (what it inherits may
    // have changed: a bold paragraph has bold words).
    el->refresh_styles();
    el->parse_attributes();
    el->parse_styles(false);
    // The words are measured again: the run of text they belong to is
    // fitted again (that of the element's parent where the element is not
    // a box of its own before and after).
    const auto parent = el->parent();
    const bool ownRuns = el->get_display() == displayBefore && runsHolder(*el) == el.get();
    if (litehtml::element* holder = ownRuns || !parent ? el.get() : runsHolder(*parent))
        fitWordWidths(*holder, m_container->fonts());
    if (!layoutengine_detail::displayChangesInPlace(*el, displayBefore, el->get_display()) ||
        (table && table->blockAroundTable() != blockAroundTableBefore))
        m_reloadDue = true;
    if (paintOnly) {
        // Margins and padding in percentages of a width come out of the
        // style as nothing until a layout gives the width.
        std::vector<int> after;
        layoutengine_detail::collectOutlines(*el, after);
        if (after == outlines)
            return true;
    }
    // Column widths come from the cells when a table's grid is built: the
    // table around a restyled element builds its grid again (not for a
    // block in the cell of a text box, which leaves the cell as it was).
    for (auto p = el; p && !(block && block->cell()); p = p->parent()) {
        const auto display = p->get_display();
        if (display == litehtml::display_table || display == litehtml::display_inline_table) {
            p->init();
            break;
        }
    }
    noteChange(el, std::move(block));
    return true;
}

bool LayoutEngine::replaceText(int textNodeId, const QString& before, const QString& after)
{
    m_wordsCut.reset();
    m_textLines.reset();
    using namespace layoutengine_detail;
    const auto marker = m_textMarkers.find(textNodeId);
    const auto parent = marker ? std::dynamic_pointer_cast<litehtml::html_tag>(marker->parent()) : nullptr;
    if (!parent || !m_document || !canHoldWordsInPlace(*parent) || after.contains(u'\r'))
        return false;
    litehtml::elements_vector& children = parent->children();
    const QString parsedBefore = asParsedText(before);
    if (!m_typedWords || !m_typedWords->holds(textNodeId, *marker, children, parsedBefore)) {
        m_typedWords.reset();
        const auto at = std::find(children.begin(), children.end(), marker);
        if (at == children.end())
            return false;
        // The words must be this text node's as the parser made them: text
        // the parser moved (out of a table) or changed (line breaks) is not
        // there.
        litehtml::tstring had;
        std::vector<size_t> lengths;
        for (auto w = at + 1; w != children.end() && isTextLike(**w) && textMarker(**w) == -2; ++w) {
            const size_t length = had.size();
            (*w)->get_text(had);
            lengths.push_back(had.size() - length);
        }
        if (QString::fromStdString(had) != parsedBefore)
            return false;
        m_typedWords.emplace(textNodeId, marker, static_cast<size_t>(at - children.begin()), children, std::move(had),
                             parsedBefore, lengths);
    }
    TypedWords& typed = *m_typedWords;
    const auto at = children.begin() + static_cast<std::ptrdiff_t>(typed.markerAt());
    const auto end = at + 1 + static_cast<std::ptrdiff_t>(typed.count());
    // (A block typed in before still holds no float nor positioned box: the
    // keys since changed words alone, and the change makes words.)
    if (m_wordsBlock.block != parent.get())
        m_wordsBlock = {};
    std::unique_ptr<BlockReflow> block = blockBefore(parent, true, m_wordsBlock.block);
    if (block && block->block() == parent)
        m_wordsBlock.block = parent.get();
    else
        m_wordsBlock = {};
    const QString parsedAfter = asParsedText(after);
    const QByteArray utf8 = parsedAfter.toUtf8();
    // Only the words around the change are made anew (a long paragraph
    // holds very many): the rest stand as the parser made them.
    TypedWords::Change change =
        TypedWords::changeBetween(typed.bytes(), std::string_view(utf8.constData(), static_cast<size_t>(utf8.size())));
    size_t fromWord = typed.firstFrom(change.from);
    size_t toWord = typed.firstFrom(change.to);
    if (typed.startOf(fromWord) != change.from || typed.startOf(toWord) != change.to) {
        // (Words not split as said: all of them are made anew.)
        change = TypedWords::Change{0, typed.bytes().size(), static_cast<size_t>(utf8.size())};
        fromWord = 0;
        toWord = typed.count();
    }
    auto from = at + 1 + static_cast<std::ptrdiff_t>(fromWord);
    auto to = at + 1 + static_cast<std::ptrdiff_t>(toWord);
    // (White space marked as standing at a box's edge is made anew: the
    // text may go on beyond it now.)
    using layoutelements_detail::EdgeSpace;
    if (from != at + 1 && dynamic_cast<EdgeSpace*>((from - 1)->get())) {
        --from;
        --fromWord;
        change.from = typed.startOf(fromWord);
    }
    if (to != end && dynamic_cast<EdgeSpace*>(to->get())) {
        ++to;
        ++toWord;
        const size_t length = typed.startOf(toWord) - change.to;
        change.to += length;
        change.toAfter += length;
    }
    // Which of the block's children stand as they were (see KeptLines).
    const size_t erasedFrom = static_cast<size_t>(from - children.begin());
    if (m_lineStart && (m_lineStart->block != parent.get() || erasedFrom < m_lineStart->children))
        m_lineStart.reset();
    const size_t erasedTo = static_cast<size_t>(to - children.begin());
    const size_t countBefore = children.size();
    const bool ownBlock = block && block->block() == parent;
    const bool firstEdit = m_laidOut;
    if (change.to - change.from >= MovedWords::leastShared())
        m_wordsCut = WordsCut{parent, litehtml::elements_vector(from, to),
                              typed.bytes().substr(change.from, change.to - change.from)};
    const auto first = children.erase(from, to);
    // The words as litehtml splits them when it parses a page.
    litehtml::elements_vector words;
    std::vector<size_t> lengths;
    const QByteArray changed =
        utf8.mid(static_cast<qsizetype>(change.from), static_cast<qsizetype>(change.toAfter - change.from));
    MovedWords::makeWords(*m_container, m_document, changed.constData(), words, &lengths);
    children.insert(first, words.begin(), words.end());
    typed.replace(fromWord, toWord, lengths, utf8.toStdString(), parsedAfter, children.size());
    m_wordsMade = words.size();
    for (const auto& word : words) {
        word->parent(parent);
        word->parse_styles(false);
    }
    // (The white space at the block's edges may be made anew too.)
    size_t prefix = erasedFrom;
    size_t suffix = countBefore - erasedTo;
    const auto edges = [&children]() {
        std::pair<size_t, size_t> at{children.size(), children.size()};
        for (size_t i = 0; i < children.size() && at.first == children.size(); ++i)
            if (!children[i]->is_comment())
                at.first = i;
        for (size_t i = children.size(); i-- > 0 && at.second == children.size();)
            if (!children[i]->is_comment())
                at.second = i;
        return at;
    };
    const auto [firstBefore, lastBefore] = edges();
    const litehtml::element* firstChild = firstBefore < children.size() ? children[firstBefore].get() : nullptr;
    const litehtml::element* lastChild = lastBefore < children.size() ? children[lastBefore].get() : nullptr;
    // (The words' widths are given as they are placed on lines, see LineFit.)
    if (litehtml::element* holder = runsHolder(*parent); holder == parent.get())
        layoutelements_detail::markEdgeSpacesOf(*holder, erasedFrom, erasedFrom + words.size());
    else if (holder)
        layoutelements_detail::markEdgeSpacesOf(*holder);
    if (firstChild && children[firstBefore].get() != firstChild)
        prefix = std::min(prefix, firstBefore);
    if (lastChild && children[lastBefore].get() != lastChild)
        suffix = std::min(suffix, children.size() - lastBefore);
    noteChange(parent, std::move(block), m_wordsBlock.block);
    noteWordsEdited(*parent, textNodeId, ownBlock && (firstEdit || m_wordsEdited), prefix, suffix,
                    static_cast<int>(words.size()) - static_cast<int>(erasedTo - erasedFrom),
                    static_cast<int>(after.size()) - static_cast<int>(before.size()));
    return true;
}

void LayoutEngine::noteWordsEdited(const litehtml::element& block, int textNodeId, bool keepable, size_t prefix,
                                   size_t suffix, int childrenChange, int lengthChange)
{
    if (!keepable || !m_reflow || m_reflow->block().get() != &block ||
        (m_wordsEdited && (m_wordsEdited->block != &block || m_wordsEdited->textNodeId != textNodeId))) {
        m_wordsEdited.reset();
        return;
    }
    WordsEdited edited = m_wordsEdited.value_or(WordsEdited{&block, textNodeId, prefix, suffix, 0, 0});
    edited.prefix = std::min(edited.prefix, prefix);
    edited.suffix = std::min(edited.suffix, suffix);
    edited.lengthChange += lengthChange;
    edited.childrenChange += childrenChange;
    m_wordsEdited = edited;
}

bool LayoutEngine::shiftPositioned(int nodeId, int dx, int dy)
{
    m_wordsBlock = {};
    m_blockExtent.reset();
    m_treeLines.reset();
    m_textLines.reset();
    using layoutengine_detail::keepsExtent;
    const auto el = elementOf(nodeId);
    const auto it = m_tree.byNode.find(nodeId);
    auto* root = m_document ? dynamic_cast<RootElement*>(m_document->root().get()) : nullptr;
    if (!el || it == m_tree.byNode.end() || !m_laidOut || !root)
        return false;
    if (!m_tree.boxes[static_cast<size_t>(it->second)].absolute)
        return false;
    // A box held by its left and its right offset takes its width from where
    // it stands, one held by its top and its bottom its height: moving it
    // lays it out.
    if ((dx != 0 && !el->get_css_right().is_predefined()) || (dy != 0 && !el->get_css_bottom().is_predefined()))
        return false;
    // One as wide as its content within the room from its left offset to
    // the far side of the window (or of the box holding it) keeps its width
    // moved right while it is no wider than the room left there (its lines
    // break where they did); moved left, while it did not take all of its
    // room (a table takes all of it when its text wraps; other boxes may
    // have wrapped short of it and lay out unless empty).
    if (const litehtml::element::ptr parent = el->parent(); dx != 0 && parent) {
        const int block = layoutelements_detail::positionedBlock(*parent, *el, parent->get_position().width);
        if (block >= 0) {
            const int left = el->get_css_left().calc_percent(block);
            const int room = std::max(0, block - left);
            const int outer = el->width() + el->margin_left() + el->margin_right();
            if (outer > std::max(0, room - dx) ||
                (dx < 0 && outer > 0 && (outer >= room || !dynamic_cast<const TableElement*>(el.get()))))
                return false;
        }
    }
    m_contentExtent.reset();
    const std::optional<litehtml::size> extentBefore = layoutengine_detail::extentOf(*el);
    el->get_position().x += dx;
    el->get_position().y += dy;
    layoutengine_detail::widenPaintExtents(*el);
    // Drawn by where it stood among the children of its block: moved up
    // or down, it no longer stands in their order.
    if (const auto parent = el->parent(); dy != 0 && parent && !m_childIndexes->empty()) {
        if (const auto index = m_childIndexes->find(parent.get()); index != m_childIndexes->end()) {
            const litehtml::elements_vector& children = childrenOf(*parent);
            auto& flow = index->second.flow;
            const auto at = std::find_if(flow.begin(), flow.end(),
                                         [&](int i) { return children[static_cast<size_t>(i)].get() == el.get(); });
            if (at != flow.end()) {
                auto& always = index->second.always;
                always.insert(std::upper_bound(always.begin(), always.end(), *at), *at);
                flow.erase(at);
            }
        }
    }
    // The element's subtree follows in document order: shift every box and
    // word inside it.
    const int first = it->second;
    const int end = m_tree.subtreeEnd(first);
    QPoint reachBefore(INT_MIN, INT_MIN); // the farthest right and bottom edges
    QPoint reachAfter(INT_MIN, INT_MIN);
    for (int i = first; i < end; ++i) {
        LayoutBox& b = m_tree.boxes[static_cast<size_t>(i)];
        const QPoint reach(b.borderBox.x() + b.borderBox.width(), b.borderBox.y() + b.borderBox.height());
        reachBefore = QPoint(std::max(reachBefore.x(), reach.x()), std::max(reachBefore.y(), reach.y()));
        reachAfter = QPoint(std::max(reachAfter.x(), reach.x() + dx), std::max(reachAfter.y(), reach.y() + dy));
        b.borderBox.translate(dx, dy);
        b.paddingBox.translate(dx, dy);
        b.contentBox.translate(dx, dy);
        for (QRect& r : b.lineBoxes)
            r.translate(dx, dy);
    }
    const auto [piecesFrom, piecesTo] = m_tree.piecesWithin(first, end);
    for (size_t i = piecesFrom; i < piecesTo; ++i) {
        TextPiece& p = m_tree.pieces[i];
        p.box.translate(dx, dy);
        p.baseline += dy;
    }
    // The page's extent, as a layout gives it: the layout library's (and
    // with it the root box, which covers it) changes when the moved boxes
    // reach past it or were what reached farthest; the canvas takes in every
    // box.
    bool extentChanged = false;
    if (const std::optional<litehtml::size> extentAfter = layoutengine_detail::extentOf(*el); extentAfter) {
        extentChanged = !keepsExtent(extentBefore->width, extentAfter->width, m_documentSize.width()) ||
                        !keepsExtent(extentBefore->height, extentAfter->height, m_documentSize.height());
    }
    if (extentChanged) {
        const litehtml::size size = root->measureExtent();
        m_documentSize = QSize(size.width, size.height);
        if (!m_tree.boxes.empty() && m_tree.boxes.front().nodeId == layoutNodeId(*root))
            layoutengine_detail::placeBoxes(m_tree.boxes.front(), *root, layoutelements_detail::placementOf(*root));
    }
    if (extentChanged || !keepsExtent(reachBefore.x(), reachAfter.x(), m_tree.canvas.width()) ||
        !keepsExtent(reachBefore.y(), reachAfter.y(), m_tree.canvas.height()))
        updateCanvas();
    return true;
}

QColor LayoutEngine::backgroundColor() const
{
    if (m_document && m_document->root()) {
        const auto body = m_document->root()->select_one("body");
        if (body) {
            const litehtml::background* bg = body->get_background(true);
            if (bg && bg->m_color.alpha > 0)
                return toQColor(bg->m_color);
        }
        const litehtml::background* rootBg = m_document->root()->get_background(true);
        if (rootBg && rootBg->m_color.alpha > 0)
            return toQColor(rootBg->m_color);
    }
    return QColor(Qt::white);
}

void LayoutEngine::draw(QPainter& painter, const QRect& pageArea)
{
    if (!m_laidOut)
        layout(m_width > 0 ? m_width : m_viewport.width());
    painter.fillRect(pageArea, backgroundColor());
    if (!m_document)
        return;
    painter.save();
    painter.setClipRect(pageArea, Qt::IntersectClip);
    // Glyphs reach past their line box (the face's descenders below the
    // line a browser gives it, italic overhangs): litehtml leaves out what
    // lies outside its clip, so it is given a wider one than the painter's.
    constexpr int kGlyphOverhang = 8;
    const QRect cull = pageArea.adjusted(-kGlyphOverhang, -kGlyphOverhang, kGlyphOverhang, kGlyphOverhang);
    const litehtml::position clip(cull.x(), cull.y(), cull.width(), cull.height());
    m_container->beginDraw(&painter);
    ++layoutelements_detail::drawSerial;
    layoutelements_detail::drawingIndexes = m_childIndexes.get();
    m_document->draw(reinterpret_cast<litehtml::uint_ptr>(&painter), 0, 0, &clip);
    layoutelements_detail::drawingIndexes = nullptr;
    layoutelements_detail::ChildrenInView::forgetDrawing();
    m_container->endDraw();
    painter.restore();
}

QImage LayoutEngine::render(int width, int minHeight)
{
    layout(width);
    const QSize canvas = m_tree.canvas.expandedTo(QSize(width, std::max(1, minHeight)));
    QImage image(canvas, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter painter(&image);
    draw(painter, QRect(QPoint(0, 0), canvas));
    painter.end();
    return image;
}

namespace layoutengine_detail {

// In the ascending `list`, the entries in [first, end) give way to `with`
// (ascending, at least `first`, less than the entries after them) and
// those from `end` on are `by` further along. (A box's children and a flow's
// blocks on a page of very many: moved along where they stand.)
void spliceAscending(std::vector<int>& list, int first, int end, const std::vector<int>& with, int by)
{
    const auto from = std::lower_bound(list.begin(), list.end(), first);
    const auto to = std::lower_bound(from, list.end(), end);
    for (auto it = to; it != list.end(); ++it)
        *it += by;
    const auto at = from - list.begin();
    const auto had = static_cast<size_t>(to - from);
    if (with.size() > had)
        list.insert(to, with.size() - had, 0);
    else
        list.erase(from + static_cast<std::ptrdiff_t>(with.size()), to);
    std::copy(with.begin(), with.end(), list.begin() + at);
}

// Children of a flow of blocks that take no room: comments (the text
// markers among them) and white space at the edges of lines.
bool takesNoRoom(litehtml::element& el)
{
    return el.is_comment() || (isTextLike(el) && el.skip());
}

// The bottom of an element's border box, in its parent's content.
int borderBottom(litehtml::element& el)
{
    return el.get_position().y + el.get_position().height + el.padding_bottom() + el.border_bottom();
}

bool isFlowBlock(const litehtml::element& el)
{
    const auto d = el.get_display();
    return (d == litehtml::display_block || d == litehtml::display_list_item || d == litehtml::display_table) &&
           el.get_float() == litehtml::float_none && el.get_element_position() == litehtml::element_position_static;
}

// Fractions of a pixel (margins to 1/64 px and what adds up from them) add
// up without loss in a float up to here.
constexpr int kExactHeight = 262144;

// The blocks of a run (its other children take no room); false when one of
// them is not a block that may be laid out alone.
bool runBlocks(const std::vector<std::shared_ptr<litehtml::element>>& run, std::vector<litehtml::element*>& blocks)
{
    for (const auto& el : run) {
        if (takesNoRoom(*el))
            continue;
        if (BlockReflow::blockFor(el) != el || !dynamic_cast<BlockFlow*>(el.get()))
            return false;
        blocks.push_back(el.get());
    }
    return !blocks.empty();
}

// Drops what the layout noted of elements that leave the page.
void forgetIndexes(litehtml::element& el, layoutelements_detail::ChildIndexes& indexes)
{
    if (indexes.empty())
        return;
    indexes.erase(&el);
    for (const auto& child : childrenOf(el))
        forgetIndexes(*child, indexes);
}

// Forgets the elements and text markers of a subtree that leaves the page
// by their node ids: those nodes are no longer laid out (litehtml may keep
// the elements alive a while, in the lines of the parent they left).
void forgetIds(litehtml::element& el, ElementTable& elements, ElementTable& markers)
{
    if (const int marker = textMarker(el); marker != -2) {
        markers.forget(marker, &el);
        return;
    }
    elements.forget(layoutNodeId(el), &el);
    for (const auto& child : childrenOf(el))
        forgetIds(*child, elements, markers);
}

} // namespace layoutengine_detail

struct LayoutEngine::RunBefore
{
    int x = 0;                // where the parent placed the run's blocks, in its content
    int top = 0;              // the first block's border top, in the parent's content
    int bottom = 0;           // the last block's border bottom
    int marginTop = 0;        // the first block's top margin as laid out
    MarginStrut topStrut;     // the margins at the first block's top
    MarginStrut bottomStrut;  // those at the last block's bottom
    float fraction = 0;       // of a pixel, where the run's content started
    float bottomFraction = 0; // of a pixel, below `bottom` where the last block's border ended
    int firstBox = -1;        // our boxes of the run: firstBox .. endBox-1
    int endBox = -1;
    int lastBox = -1;
    int width = 0;  // of the page, as far as the run reached
    int height = 0; // and down
    // In a text box: its cell, and how wide the run's blocks made it.
    std::shared_ptr<litehtml::element> cell;
    std::shared_ptr<litehtml::element> table;
    int widthInCell = -1;
    std::vector<const litehtml::element*> blocks; // the run's blocks
};

bool LayoutEngine::noteRunBefore(const std::vector<std::shared_ptr<litehtml::element>>& old, RunBefore& before) const
{
    using namespace layoutengine_detail;
    std::vector<litehtml::element*> blocks;
    if (!runBlocks(old, blocks))
        return false;
    before.blocks.assign(blocks.begin(), blocks.end());
    {
        const BlockReflow first(blocks.front()->shared_from_this());
        before.cell = first.cell();
        before.table = first.table();
    }
    litehtml::element& first = *blocks.front();
    litehtml::element& last = *blocks.back();
    const auto& firstFlow = dynamic_cast<const BlockFlow&>(first);
    const auto& lastFlow = dynamic_cast<const BlockFlow&>(last);
    before.fraction = BlockFlow::originFractionOf(first);
    if (first.get_position().height <= 0 || last.get_position().height <= 0)
        return false;
    before.x = first.get_position().x - first.content_margins_left();
    before.top = first.get_position().y - first.padding_top() - first.border_top();
    before.bottom = borderBottom(last);
    before.bottomFraction = BlockFlow::originFractionOf(last) + lastFlow.heightFraction();
    before.marginTop = first.margin_top();
    before.topStrut = firstFlow.topMargins();
    before.bottomStrut = lastFlow.bottomMargins();
    const auto firstBox = m_tree.byNode.find(layoutNodeId(first));
    const auto lastBox = m_tree.byNode.find(layoutNodeId(last));
    if (firstBox == m_tree.byNode.end() || lastBox == m_tree.byNode.end() || lastBox->second < firstBox->second)
        return false;
    before.firstBox = firstBox->second;
    before.lastBox = lastBox->second;
    before.endBox = m_tree.subtreeEnd(lastBox->second);
    // Only the run's blocks stand between them (their words included).
    for (int i = before.firstBox; i < before.endBox; i = m_tree.subtreeEnd(i)) {
        const int id = m_tree.boxes[static_cast<size_t>(i)].nodeId;
        if (std::none_of(blocks.begin(), blocks.end(), [id](litehtml::element* b) { return layoutNodeId(*b) == id; }))
            return false;
    }
    const auto [piecesFrom, piecesTo] = m_tree.piecesWithin(before.firstBox, before.endBox);
    if (piecesFrom == piecesTo)
        return false; // (no place known for the words of the run that takes its place)
    const int owner = m_tree.boxes[static_cast<size_t>(before.firstBox)].parent;
    for (size_t i = piecesFrom; i < piecesTo; ++i) {
        if (m_tree.pieces[i].owner == owner)
            return false;
    }
    // The blocks changed since the layout, each with its extent before.
    std::vector<std::pair<const litehtml::element*, litehtml::size>> changed;
    if (m_reflow)
        changed.emplace_back(m_reflow->block().get(), m_reflow->extentBefore());
    for (const ChangedBlock& c : m_changedBlocks) {
        if (const auto block = c.block.lock(); block && (!m_reflow || block != m_reflow->block()))
            changed.emplace_back(block.get(), c.extent);
    }
    for (litehtml::element* b : blocks) {
        // (A block whose words changed since the layout reaches as far as
        // its words did then: those an Enter cut off are no longer in it.
        // One that holds such a block reaches at least as far as that one
        // did, and as its other boxes do.)
        litehtml::size size;
        const auto own = std::find_if(changed.begin(), changed.end(), [b](const auto& c) { return c.first == b; });
        if (own != changed.end()) {
            size = own->second;
        } else {
            const litehtml::position origin = layoutelements_detail::placementOf(*b->parent());
            layoutelements_detail::addDocumentSize(*b, size, origin.x, origin.y);
        }
        const litehtml::element* reflowed = m_reflow ? m_reflow->block().get() : nullptr;
        for (const auto& [block, extent] : changed) {
            bool inside = false;
            for (auto a = block->parent(); a && !inside; a = a->parent())
                inside = a.get() == b;
            // (In a text box, how wide it made the box was noted of the
            // block laid out alone only.)
            if (before.cell && (inside || (block == b && block != reflowed)))
                return false;
            if (inside) {
                size.width = std::max(size.width, extent.width);
                size.height = std::max(size.height, extent.height);
            }
        }
        before.width = std::max(before.width, size.width);
        before.height = std::max(before.height, size.height);
    }
    // (Last: measuring the blocks lays them out at other widths.)
    for (litehtml::element* b : blocks) {
        if (!before.cell)
            continue;
        // (A block whose words changed since the layout was measured before.)
        const bool changed = m_reflow && m_reflow->block().get() == b;
        const int width = changed ? m_reflow->widthInCellBefore() : BlockReflow::widthInCellOf(b->shared_from_this());
        if (width < 0)
            return false;
        before.widthInCell = std::max(before.widthInCell, width);
    }
    return !before.cell || before.widthInCell >= 0;
}

bool LayoutEngine::laysOut(int nodeId) const
{
    return elementOf(nodeId) || m_textMarkers.find(nodeId);
}

bool LayoutEngine::keepsLineFeeds(int nodeId) const
{
    const auto el = elementOf(nodeId);
    const litehtml::white_space ws = el ? el->get_white_space() : litehtml::white_space_normal;
    return ws == litehtml::white_space_pre || ws == litehtml::white_space_pre_wrap ||
           ws == litehtml::white_space_pre_line;
}

bool LayoutEngine::replaceRun(const std::vector<int>& open, int firstId, int lastId, const QString& html,
                              const std::vector<std::pair<int, QString>>& textsLeftOut)
{
    m_wordsTaken = 0;
    std::optional<WordsCut> cut = std::exchange(m_wordsCut, std::nullopt);
    m_wordsEdited.reset();
    forgetWhatKeysFound();
    using namespace layoutengine_detail;
    m_textLines.reset();
    m_runLaidOut = false;
    if (!m_document || open.empty())
        return false;
    const auto parent = std::dynamic_pointer_cast<litehtml::html_tag>(elementOf(open.back()));
    const auto first = elementOf(firstId);
    const auto last = elementOf(lastId);
    if (!parent || !first || !last || first->parent() != parent || last->parent() != parent)
        return false;
    litehtml::elements_vector& children = parent->children();
    const auto from = std::find(children.begin(), children.end(), first);
    const auto to = std::find(from, children.end(), last);
    if (from == children.end() || to == children.end())
        return false;
    // The run read as a page of its own: the elements around it as the
    // page has them, the run in the innermost.
    const QByteArray utf8 = html.toUtf8();
    std::shared_ptr<litehtml::document> part =
        litehtml::document::createFromUTF8(utf8.constData(), m_container.get(), m_context.get());
    litehtml::element::ptr inner = part ? part->root() : nullptr;
    if (!inner || layoutNodeId(*inner) != open.front())
        return false;
    for (size_t level = 1; inner && level < open.size(); ++level) {
        litehtml::element::ptr next;
        for (const auto& child : childrenOf(*inner)) {
            if (layoutNodeId(*child) == open[level]) {
                next = child;
                break;
            }
        }
        inner = next;
    }
    if (!inner || inner->get_display() != parent->get_display())
        return false;
    // (Rules on siblings in the page's linked style sheets would match
    // otherwise in the run read apart.)
    if (!m_container->styleSheetsAllowParts())
        return false;
    const std::vector<std::shared_ptr<litehtml::element>> old(from, to + 1);
    // Where the run stands now, when it may be laid out in place. (Noted
    // before its words are taken over: the run's blocks are measured by
    // them.)
    const bool pending = changesWithin(old);
    RunBefore before;
    const bool inPlace = !m_wholeLayoutDue && !m_reloadDue && (m_laidOut || pending) && noteRunBefore(old, before);
    // A run in a table's cell moves the rows below it, which a run laid out
    // in place does not: the table is laid out again at its place instead,
    // as for a change inside the cell (see BlockReflow), and what follows
    // it moved.
    std::unique_ptr<BlockReflow> table;
    if (!m_reloadDue && !m_wholeLayoutDue) {
        const auto block = BlockReflow::blockFor(parent);
        if (block && block != parent && block->get_display() == litehtml::display_table) {
            if (m_laidOut) {
                table = blockBefore(parent);
            } else if (m_reflow && m_reflow->block() == block) {
                // (Changes in the table before this one: where it stood
                // before the first stands.)
                if (const std::unique_ptr<BlockReflow> now = blockBefore(parent)) {
                    m_reflow->noteAlso(*now);
                    table = std::move(m_reflow);
                }
            }
        }
    }
    if (!textsLeftOut.empty() && !placeTextsLeftOut(*inner, textsLeftOut, old, std::move(cut))) {
        if (table && !m_laidOut)
            m_reflow = std::move(table); // (the changes before stand as noted)
        return false;
    }
    layoutelements_detail::markEdgeSpaces(*part->root());
    fitWordWidths(*inner, m_container->fonts());
    const litehtml::elements_vector fresh = childrenOf(*inner);
    m_reflow.reset();
    std::unique_ptr<ContentExtent> extent = std::exchange(m_contentExtent, nullptr);

    const size_t at = static_cast<size_t>(from - children.begin());
    children.erase(from, to + 1);
    children.insert(children.begin() + static_cast<std::ptrdiff_t>(at), fresh.begin(), fresh.end());
    for (const auto& el : fresh)
        el->parent(parent);
    for (const auto& el : old) {
        forgetIndexes(*el, *m_childIndexes);
        forgetIds(*el, m_elements, m_textMarkers);
    }
    m_partDocuments.push_back(std::move(part));
    m_laidOut = false;
    forgetChangedBlocks();
    m_runLaidOut = inPlace && layoutRunInPlace(parent, at, fresh, old, before, std::move(extent));
    if (!m_runLaidOut && table && BlockReflow::blockFor(parent) == table->block())
        m_reflow = std::move(table);
    return true;
}

bool LayoutEngine::placeTextsLeftOut(litehtml::element& inner, const std::vector<std::pair<int, QString>>& texts,
                                     const std::vector<std::shared_ptr<litehtml::element>>& old,
                                     std::optional<WordsCut> cut)
{
    using namespace layoutengine_detail;
    // The marker of each text: the box its words go in, and where.
    std::unordered_map<int, size_t> wanted;
    for (size_t t = 0; t < texts.size(); ++t)
        wanted.emplace(texts[t].first, t);
    std::vector<std::pair<litehtml::element*, size_t>> markers(texts.size(), {nullptr, 0});
    std::vector<litehtml::element*> stack{&inner};
    while (!stack.empty()) {
        litehtml::element* el = stack.back();
        stack.pop_back();
        const litehtml::elements_vector& children = childrenOf(*el);
        for (size_t i = children.size(); i-- > 0;) {
            litehtml::element& child = *children[i];
            if (child.is_comment()) {
                if (const auto found = wanted.find(textMarker(child)); found != wanted.end())
                    markers[found->second] = {el, i};
            } else if (!isTextLike(child)) {
                stack.push_back(&child);
            }
        }
    }
    // The parser places text where it places the comment before it but in
    // a table's structure (see canHoldWordsInPlace).
    for (const auto& [box, at] : markers) {
        if (!box || !dynamic_cast<litehtml::html_tag*>(box) || !canHoldWordsInPlace(*box))
            return false;
    }
    MovedWords moved(old);
    if (cut)
        moved.addCut(cut->box, std::move(cut->words), std::move(cut->bytes));
    std::vector<litehtml::elements_vector> words(texts.size());
    for (size_t t = 0; t < texts.size(); ++t)
        words[t] =
            moved.wordsOf(*markers[t].first, asParsedText(texts[t].second).toStdString(), *m_container, m_document);
    // (The last of a box first: the markers before stand where found.)
    std::vector<size_t> order(texts.size());
    for (size_t t = 0; t < order.size(); ++t)
        order[t] = t;
    std::sort(order.begin(), order.end(), [&markers](size_t a, size_t b) {
        return markers[a].first != markers[b].first ? markers[a].first < markers[b].first
                                                    : markers[a].second > markers[b].second;
    });
    for (const size_t t : order) {
        auto* box = dynamic_cast<litehtml::html_tag*>(markers[t].first);
        litehtml::elements_vector& children = box->children();
        children.insert(children.begin() + static_cast<std::ptrdiff_t>(markers[t].second) + 1,
                        std::make_move_iterator(words[t].begin()), std::make_move_iterator(words[t].end()));
    }
    moved.take();
    m_wordsTaken = moved.taken();
    return true;
}

bool LayoutEngine::layoutRunInPlace(const std::shared_ptr<litehtml::element>& parent, size_t at,
                                    const litehtml::elements_vector& fresh,
                                    const std::vector<std::shared_ptr<litehtml::element>>& old, const RunBefore& before,
                                    std::unique_ptr<ContentExtent> extent)
{
    using namespace layoutengine_detail;
    // White space between the blocks stands on lines of its own, which
    // take no room: a layout of the parent leaves it out.
    for (const auto& el : fresh) {
        if (dynamic_cast<layoutelements_detail::EdgeSpace*>(el.get()))
            el->skip(true);
    }
    std::vector<litehtml::element*> blocks;
    if (!runBlocks(fresh, blocks))
        return false;
    // The blocks one below the other, their margins collapsed, from where
    // the run's first stood.
    const int width = parent->get_position().width;
    // A text box keeps its width while its widest block is as wide.
    if (before.cell) {
        int widest = -1;
        std::vector<std::pair<const litehtml::element*, int>> widths;
        for (litehtml::element* block : blocks) {
            widths.emplace_back(block, BlockReflow::widthInCellOf(block->shared_from_this()));
            widest = std::max(widest, widths.back().second);
        }
        if (widest < 0)
            return false;
        // (A block beside the run as wide as the run was keeps the width
        // when the run becomes narrower: known from the widths noted of the
        // cell's blocks, else looked for near the run.)
        CellBlockWidths* cellWidths = BlockReflow::blockWidthsOf(*before.cell, *parent);
        if (cellWidths)
            cellWidths->replace(before.blocks, widths);
        const bool kept = BlockReflow::keepsCellWidth(before.widthInCell, widest, width) ||
                          (cellWidths && cellWidths->known()
                               ? BlockReflow::widestKeepsCellWidth(cellWidths, before.widthInCell, widest, width)
                               : before.widthInCell == width && widest < width &&
                                     BlockReflow::keptWideBeside(*parent, at, at + fresh.size(), width, *m_wideBlock));
        if (!kept)
            return false;
    }
    // Blocks that took words over keep what they can of the lines those
    // stood on (not in a text box: its blocks were measured at other
    // widths since).
    m_runKept = {};
    std::optional<MovedLines> movedLines;
    if (m_wordsTaken > 0 && !before.cell)
        movedLines.emplace(old, blocks);
    // Each block stands where the flow puts it to the fraction of a pixel
    // (see BlockFlow::placeBlock), counted here from the whole pixel the
    // run's first block stood at: the blocks after a heading's margin of
    // 19.92 px stand a fraction lower than a whole pixel, and are laid out
    // so.
    int top = before.top;
    int bottom = 0;
    float exactTop = before.fraction;
    float exactBottom = 0;
    const BlockFlow* previous = nullptr;
    for (litehtml::element* block : blocks) {
        const auto* flow = dynamic_cast<const BlockFlow*>(block);
        KeptLines* kept = movedLines ? movedLines->of(block) : nullptr;
        float fraction = before.fraction;
        if (previous) {
            block->calc_outlines(width); // (its top margins)
            MarginStrut between = previous->bottomMargins();
            between.add(flow->topMargins());
            exactTop = exactBottom + between.collapsed();
            const int whole = wholePixel(exactTop);
            top = before.top + whole;
            fraction = exactTop - static_cast<float>(whole);
        }
        {
            const BlockFlow::FractionScope scope(fraction);
            std::optional<KeptLines::Scope> keeping;
            if (kept)
                keeping.emplace(*kept);
            block->render(before.x, 0, width);
        }
        // (A layout that went otherwise than planned is of no use.)
        if (kept && kept->failed())
            return false;
        if (kept && kept->used()) {
            m_runKept.linesKept += kept->linesKeptBefore() + kept->linesKeptAfter();
            m_runKept.childrenPlaced += kept->childrenPlaced();
        }
        if (!previous && (flow->topMargins() != before.topStrut || block->margin_top() != before.marginTop))
            return false;
        litehtml::position& pos = block->get_position();
        if (pos.height <= 0 || flow->laidOutEmpty() || flow->collapsesThrough(*block))
            return false;
        pos.y = top + block->padding_top() + block->border_top();
        bottom = borderBottom(*block);
        exactBottom = exactTop + static_cast<float>(bottom - top) + flow->heightFraction();
        previous = flow;
    }
    // What follows moves by the change of where the next block stands: by
    // whole pixels, or it would be laid out anew at another fraction.
    litehtml::element* after = nullptr;
    const litehtml::elements_vector& children = childrenOf(*parent);
    for (size_t i = at + fresh.size(); i < children.size(); ++i) {
        litehtml::element& el = *children[i];
        if (takesNoRoom(el) || el.get_display() == litehtml::display_none)
            continue;
        after = &el;
        break;
    }
    float moves = exactBottom - (static_cast<float>(before.bottom - before.top) + before.bottomFraction);
    if (after) {
        const auto* next = dynamic_cast<const BlockFlow*>(after);
        if (!next || !isFlowBlock(*after) || after->get_position().height <= 0)
            return false;
        MarginStrut now = previous->bottomMargins();
        now.add(next->topMargins());
        MarginStrut then = before.bottomStrut;
        then.add(next->topMargins());
        moves += now.collapsed() - then.collapsed();
    } else if (previous->bottomMargins() != before.bottomStrut) {
        return false;
    }
    if (moves != std::floor(moves) || std::max(bottom, before.bottom) - before.top >= kExactHeight)
        return false;
    const int dy = static_cast<int>(moves);
    int right = 0;
    int down = 0;
    for (litehtml::element* block : blocks) {
        litehtml::size size;
        const litehtml::position origin = layoutelements_detail::placementOf(*parent);
        layoutelements_detail::addDocumentSize(*block, size, origin.x, origin.y);
        right = std::max(right, size.width);
        down = std::max(down, size.height);
    }
    const litehtml::element* cell = before.cell.get();
    // A run that makes the page wider or narrower (a line wider than the
    // window split or joined again) takes the page's extent measured anew;
    // not in a text box, whose width the run keeps.
    auto* rootElement = dynamic_cast<RootElement*>(m_document->root().get());
    const bool keepsWidth = keepsExtent(before.width, right, m_documentSize.width());
    if (!keepsWidth && (cell || !rootElement))
        return false;
    const std::shared_ptr<litehtml::element> lastBlock = blocks.back()->shared_from_this();
    const std::optional<FlowShift> shift = FlowShift::plan(lastBlock, dy, m_viewport.height(), cell, m_flowPlans.get());
    if (!shift || (cell && shift->holder() != cell))
        return false;
    // The page reaches down to the flow's end, which moves by the change:
    // unless the run's content reaches past it, or did (content that
    // overflows its box, as that of a cell in a row it spans past).
    if (rootElement && !cell) {
        const bool rootMoves = !shift->grown().empty() && !shift->grown().back()->have_parent();
        const int reach = rootElement->reach();
        const int reachAfter = reach + (rootMoves ? dy : 0);
        if (down > reachAfter || (before.height >= reach && down != before.height + dy))
            return false;
    }
    const auto holderEntry = m_tree.byNode.find(layoutNodeId(*shift->holder()));
    const auto parentEntry = m_tree.byNode.find(layoutNodeId(*parent));
    if (holderEntry == m_tree.byNode.end() || parentEntry == m_tree.byNode.end())
        return false;
    // (Both stand before the run: their indexes stay.)
    const int holderBox = holderEntry->second;
    const int parentBox = parentEntry->second;
    // In a text box, the rows below the cell move too, and the table grows.
    auto* table = cell ? dynamic_cast<TableElement*>(before.table.get()) : nullptr;
    const int row = table ? table->rowOf(*cell) : -1;
    int tableBox = -1;
    if (cell) {
        const auto found = table ? m_tree.byNode.find(layoutNodeId(*table)) : m_tree.byNode.end();
        if (row < 0 || found == m_tree.byNode.end())
            return false;
        tableBox = found->second;
    }
    if (!movesWithItsPlace(before.lastBox, m_tree.subtreeEnd(tableBox >= 0 ? tableBox : holderBox), *shift))
        return false;
    // The lines of the tree before: those of the run are found again.
    std::shared_ptr<const TextLines> linesBefore = std::exchange(m_treeLines, nullptr);
    shift->apply();
    if (table) {
        table->growRow(row, dy);
        widenPaintExtentsBelow(*table, dy);
    }
    const int parentTop = layoutelements_detail::placementOf(*parent).y;
    const int canvasHeight = m_tree.canvas.height();
    const auto [piecesFrom, piecesTo] = m_tree.piecesWithin(before.firstBox, before.endBox);
    const size_t piecesHad = m_tree.pieces.size();
    const size_t boxesHad = m_tree.boxes.size();
    OwnersMoved owners;
    const int lastBox = spliceTree(parentBox, before.firstBox, before.endBox, fresh, owners);
    const MovedRange moved = moveTreeAfter(lastBox, holderBox, tableBox, parentTop + before.bottom, *shift, &owners);
    if (linesBefore) {
        const int morePieces = static_cast<int>(m_tree.pieces.size()) - static_cast<int>(piecesHad);
        const int moreBoxes = static_cast<int>(m_tree.boxes.size()) - static_cast<int>(boxesHad);
        const int had = static_cast<int>(piecesTo - piecesFrom);
        const int boxes = before.endBox - before.firstBox;
        const TextLines::Shifted shifted{moved.from, moved.movedTo, shift->dy()};
        m_textLines = TextLines::updated(std::move(linesBefore), m_tree, static_cast<int>(piecesFrom), had,
                                         had + morePieces, before.firstBox, boxes, boxes + moreBoxes,
                                         moved.movedTo > moved.from ? &shifted : nullptr);
        m_treeLines = m_textLines;
    }
    // Blocks drawn by the index of their children find the new ones there.
    const int added = static_cast<int>(fresh.size()) - static_cast<int>(old.size());
    const int firstAt = static_cast<int>(at);
    const int lastAt = static_cast<int>(at + old.size()) - 1;
    if (const auto index = m_childIndexes->find(parent.get()); index != m_childIndexes->end()) {
        std::vector<int> placed;
        for (size_t k = 0; k < fresh.size(); ++k) {
            if (!takesNoRoom(*fresh[k]))
                placed.push_back(firstAt + static_cast<int>(k));
        }
        spliceAscending(index->second.flow, firstAt, lastAt + 1, placed, added);
        index->second.wordsOnly = index->second.wordsOnly && fresh.empty();
        for (int& i : index->second.always) {
            if (i > lastAt)
                i += added;
        }
    }
    QRect area;
    for (litehtml::element* block : blocks) {
        widenPaintExtents(*block);
        const auto box = m_tree.byNode.find(layoutNodeId(*block));
        if (box != m_tree.byNode.end()) {
            const QRect covered = m_tree.subtreeArea(box->second);
            widenChildReach(*block, covered);
            area = area.isNull() ? covered : area.united(covered);
        }
    }
    if (table && rootElement) {
        // The page's extent as the layout library measures it, the root box
        // stretched to it (the table stands out of the flow). (Kept from
        // one edit in the cell to the next: a long page is not walked again.)
        if (extent && extent->cell() == before.cell.get() &&
            extent->replace(*parent, at, old, fresh.size(), shift->dy()))
            m_contentExtent = std::move(extent);
        else
            m_contentExtent = ContentExtent::of(before.cell);
        takeTextBoxPageExtent(*rootElement, &moved);
    } else if (!keepsWidth) {
        // (As a layout measures it, the root box stretched to it.)
        m_contentExtent.reset();
        takeTextBoxPageExtent(*rootElement, &moved);
    } else {
        m_documentSize.setHeight(0);
        updateCanvas(&moved);
        m_documentSize.setHeight(m_tree.canvas.height());
    }
    // The numbers of the list's items after the run count its items anew
    // (they are drawn in the area below).
    const auto isItem = [](const auto& el) { return dynamic_cast<const ListItemElement*>(&*el) != nullptr; };
    if (std::any_of(fresh.begin(), fresh.end(), isItem) || std::any_of(old.begin(), old.end(), isItem))
        ListItemElement::renumber(*parent, at + fresh.size());
    const int from = std::min(parentTop + before.top, area.isNull() ? INT_MAX : area.y());
    m_runArea = QRect(0, from, m_tree.canvas.width(), std::max(canvasHeight, m_tree.canvas.height()) - from);
    return true;
}

bool LayoutEngine::replaceBlockBoxes(const std::shared_ptr<litehtml::element>& block, int blockBox, QRect& changed,
                                     OwnersMoved& owners)
{
    const int boxesHad = m_tree.subtreeEnd(blockBox) - blockBox;
    const auto [piecesFrom, piecesTo] = m_tree.piecesWithin(blockBox, blockBox + boxesHad);
    if (piecesFrom == piecesTo)
        return false; // (no place known for the words it may hold now)
    std::shared_ptr<const TextLines> linesBefore = std::exchange(m_treeLines, nullptr);
    const QRect before = m_tree.subtreeArea(blockBox);
    const size_t allPieces = m_tree.pieces.size();
    const size_t allBoxes = m_tree.boxes.size();
    spliceTree(m_tree.boxes[static_cast<size_t>(blockBox)].parent, blockBox, blockBox + boxesHad, {block}, owners);
    const int had = static_cast<int>(piecesTo - piecesFrom);
    const int boxesNow = boxesHad + static_cast<int>(m_tree.boxes.size()) - static_cast<int>(allBoxes);
    if (linesBefore) {
        const int now = had + static_cast<int>(m_tree.pieces.size()) - static_cast<int>(allPieces);
        m_linesUpdate = LinesUpdate{std::move(linesBefore),
                                    static_cast<int>(piecesFrom),
                                    had,
                                    now,
                                    blockBox,
                                    boxesHad,
                                    boxesNow,
                                    std::nullopt,
                                    -1};
    }
    layoutengine_detail::widenPaintExtents(*block);
    const QRect after = m_tree.subtreeArea(blockBox);
    widenChildReach(*block, after);
    const QRect area = before.united(after);
    changed = QRect(0, area.y(), m_tree.canvas.width(), area.height());
    return true;
}

int LayoutEngine::spliceTree(int parentBox, int first, int end, const litehtml::elements_vector& fresh,
                             OwnersMoved& owners)
{
    auto& boxes = m_tree.boxes;
    auto& pieces = m_tree.pieces;
    LayoutTree part;
    layoutengine_detail::TreeBuilder builder{part, &m_elements, &m_textMarkers, m_tagNames, 0, {}};
    builder.indexes = m_childIndexes.get();
    builder.indexByNode = false;
    std::vector<int> tops;
    for (const auto& el : fresh) {
        if (el->is_comment() || layoutengine_detail::isTextLike(*el))
            continue;
        tops.push_back(static_cast<int>(part.boxes.size()));
        builder.addElement(el, -1);
    }
    const auto [piecesFrom, piecesTo] = m_tree.piecesWithin(first, end);
    const int added = static_cast<int>(part.boxes.size()) - (end - first);
    const int morePieces = static_cast<int>(part.pieces.size()) - static_cast<int>(piecesTo - piecesFrom);
    const auto moved = [first, end, added](int i) { return i < first ? i : i >= end ? i + added : -1; };
    for (int i = first; i < end; ++i)
        m_tree.byNode.erase(boxes[static_cast<size_t>(i)].nodeId);
    // Of the boxes before the run only those around it hold boxes after it.
    for (int a = parentBox; a >= 0; a = boxes[static_cast<size_t>(a)].parent) {
        LayoutBox& b = boxes[static_cast<size_t>(a)];
        if (a == parentBox) {
            std::vector<int> placed;
            placed.reserve(tops.size());
            for (const int t : tops)
                placed.push_back(first + t);
            layoutengine_detail::spliceAscending(b.children, first, end, placed, added);
            continue;
        }
        for (int& c : b.children)
            c = moved(c);
    }
    for (LayoutBox& b : part.boxes) {
        b.parent = b.parent < 0 ? parentBox : b.parent + first;
        for (int& c : b.children)
            c += first;
        b.firstPiece += static_cast<int>(piecesFrom);
    }
    for (TextPiece& p : part.pieces)
        p.owner += first;
    // (The boxes after the run are moved along a part of the list at a
    // time: a long page holds very many.)
    const size_t partPieces = part.pieces.size();
    const size_t partBoxes = part.boxes.size();
    pieces.replace(piecesFrom, piecesTo, part.pieces.takeAll());
    boxes.replace(static_cast<size_t>(first), static_cast<size_t>(end), part.boxes.takeAll());
    const size_t after = static_cast<size_t>(first) + partBoxes;
    for (size_t i = static_cast<size_t>(first); i < after; ++i)
        boxes[i].order = static_cast<int>(i);
    // The boxes after the run, where they stand now: what they point at
    // further along (none of them points into the run).
    if (added != 0)
        m_tree.byNode.moveAlong(end, added);
    boxes.moveAlong(after, end, added, morePieces);
    // (The owners of the words after the run are moved along by
    // moveTreeAfter, in its pass over those words.)
    owners = {piecesFrom + partPieces, end, added};
    for (size_t i = 0; i < partBoxes; ++i) {
        const LayoutBox& b = std::as_const(boxes)[static_cast<size_t>(first) + i];
        if (b.nodeId >= 0)
            m_tree.byNode[b.nodeId] = first + static_cast<int>(i);
    }
    return tops.empty() ? -1 : first + tops.back();
}

} // namespace engine
