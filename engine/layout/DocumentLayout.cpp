#include "engine/layout/DocumentLayout.h"

#include "engine/css/Style.h"
#include "engine/dom/Document.h"
#include "engine/dom/Text.h"
#include "engine/layout/LayoutSerializer.h"
#include "engine/layout/MovedWords.h"
#include "platform/BackgroundWork.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QThread>
#include <QUrl>

#include <algorithm>
#include <atomic>
#include <climits>

namespace engine {

namespace documentlayout_detail {

// Room around a changed area for what is drawn beside boxes: the selection
// handles (7 px outside the border box), glyphs reaching past their word.
constexpr int kHandleRoom = 8;
constexpr int kGlyphRoom = 4;

// "NAME: value; NAME2: value2" (the fixed form of an inline style) as pairs.
std::vector<std::pair<QString, QString>> declarations(const QString& css)
{
    std::vector<std::pair<QString, QString>> out;
    for (const QString& part : css.split(QLatin1String("; "), Qt::SkipEmptyParts)) {
        const int colon = static_cast<int>(part.indexOf(QLatin1String(": ")));
        if (colon > 0)
            out.emplace_back(part.left(colon).toUpper(), part.mid(colon + 2));
    }
    return out;
}

// A left/top value the fast move path understands: whole pixels.
bool pixelValue(const QString& v, int& px)
{
    QString s = v.trimmed();
    if (s.endsWith(QLatin1String("px"), Qt::CaseInsensitive))
        s.chop(2);
    bool ok = false;
    px = s.toInt(&ok);
    return ok;
}

// Properties and attributes whose change alters how a box is painted, not
// its size or place.
bool isPaintOnlyProperty(const QString& upperName)
{
    static const QStringList names = {"COLOR",
                                      "BACKGROUND-COLOR",
                                      "BORDER-COLOR",
                                      "BORDER-TOP-COLOR",
                                      "BORDER-RIGHT-COLOR",
                                      "BORDER-BOTTOM-COLOR",
                                      "BORDER-LEFT-COLOR",
                                      "FILTER"};
    return names.contains(upperName);
}

bool isPaintOnlyAttribute(const QString& name)
{
    return name.compare(QLatin1String("bgcolor"), Qt::CaseInsensitive) == 0 ||
           name.compare(QLatin1String("color"), Qt::CaseInsensitive) == 0 ||
           name.compare(QLatin1String("bordercolor"), Qt::CaseInsensitive) == 0 ||
           name.compare(QLatin1String("text"), Qt::CaseInsensitive) == 0;
}

// The move from one inline style to another when only its pixel left and
// top differ.
bool moveBetween(const QString& from, const QString& to, int& dx, int& dy)
{
    const auto before = declarations(from);
    const auto after = declarations(to);
    if (before.size() != after.size())
        return false;
    dx = dy = 0;
    for (size_t i = 0; i < before.size(); ++i) {
        if (before[i].first != after[i].first)
            return false;
        if (before[i].second == after[i].second)
            continue;
        int a = 0, b = 0;
        if (!pixelValue(before[i].second, a) || !pixelValue(after[i].second, b))
            return false;
        if (before[i].first == QLatin1String("LEFT"))
            dx = b - a;
        else if (before[i].first == QLatin1String("TOP"))
            dy = b - a;
        else
            return false;
    }
    return true;
}

// Lets a layout made on the worker thread go, there too: taking a long
// page's layout apart takes as long as making it.
void disposeInBackground(std::shared_ptr<LayoutEngine>&& engine)
{
    platform::disposeInBackground([engine = std::move(engine)]() mutable { engine.reset(); });
}

} // namespace documentlayout_detail

// Where a layout made on the worker thread reports, while the layout that
// asked for it lives.
struct DocumentLayout::Mailbox
{
    DocumentLayout* layout = nullptr;
    // The generation of the page laid out now, for the worker thread to see
    // that its build is no longer wanted.
    std::atomic<int> generation{0};
    // The generation whose whole page is being laid out: a part of it not
    // laid out yet is not laid out any more.
    std::atomic<int> wholeGeneration{0};
};

DocumentLayout::DocumentLayout(Document* doc) : m_doc(doc)
{
    if (!m_doc)
        return;
    m_doc->addObserver(this);
    // IMG width and height read the rendered size: of the first layout (the
    // view's), not of a passing one such as the print layout.
    if (m_doc->hasRenderedSizeProvider())
        return;
    m_providesSize = true;
    m_doc->setRenderedSizeProvider([this](const Element* e) -> std::optional<QSize> {
        const LayoutBox* b = box(e);
        if (!b)
            return std::nullopt;
        return b->contentBox.size();
    });
}

DocumentLayout::~DocumentLayout()
{
    if (m_mailbox)
        m_mailbox->layout = nullptr;
    if (m_replay)
        documentlayout_detail::disposeInBackground(std::move(m_replay->built));
    if (!m_doc)
        return;
    if (m_providesSize)
        m_doc->setRenderedSizeProvider({});
    m_doc->removeObserver(this);
    freeTablesInBackground();
    letGoOfNodesInSteps(m_nodes);
    letGoOfHeld();
}

void DocumentLayout::letGoOfNodesInSteps(std::vector<Ref<Node>>& nodes)
{
    // Letting go of each node of a long page takes a while (a node's count
    // is far from the next one's): a part at a time on the event loop, the
    // page held until the last, so that it is taken apart as it would be
    // now (see Document::takeApartOnAWorker).
    QCoreApplication* app = QCoreApplication::instance();
    if (nodes.size() <= size_t(kNodesLetGoAtOnce) || !app || QCoreApplication::closingDown() ||
        QThread::currentThread() != app->thread())
        return;
    struct Held
    {
        Ref<Document> doc;
        std::vector<Ref<Node>> nodes;
    };
    auto held = std::make_shared<Held>(Held{Ref<Document>(m_doc), std::exchange(nodes, {})});
    const auto step = [](const auto& self, std::shared_ptr<Held> held) -> void {
        QMetaObject::invokeMethod(
            QCoreApplication::instance(),
            [self, held = std::move(held)]() mutable {
                const size_t left = held->nodes.size() - std::min(held->nodes.size(), size_t(kNodesLetGoAtOnce));
                held->nodes.erase(held->nodes.begin() + std::ptrdiff_t(left), held->nodes.end());
                if (held->nodes.empty())
                    held->doc = Ref<Document>();
                else
                    self(self, std::move(held));
            },
            Qt::QueuedConnection);
    };
    step(step, std::move(held));
}

void DocumentLayout::freeTablesInBackground()
{
    // The tables of a long page are let go of on a worker thread: freeing
    // them takes a while (their texts share the page's, counted atomically).
    if (std::max(size_t(m_ids.size()), m_textAtLayout.size()) > size_t(kTablesFreedInBackground)) {
        platform::disposeInBackground([ids = std::exchange(m_ids, {}), styles = std::exchange(m_styleAtLayout, {}),
                                       texts = std::exchange(m_textAtLayout, {})]() mutable {
            ids.clear();
            styles.clear();
            texts.clear();
        });
    }
}

void DocumentLayout::setBaseFolder(const QString& folder)
{
    m_baseFolder = folder;
    invalidateAll();
}

void DocumentLayout::setViewportSize(QSize size)
{
    if (size == m_viewport)
        return;
    const bool sameWidth = size.width() == m_viewport.width();
    m_viewport = size;
    // A long page laid out anew at another width keeps its layout on
    // screen until the new one reaches the place the view shows (unless
    // changes wait to be laid out in it). (Another height alone meanwhile
    // waits for the same new layout, see below.)
    if (m_long && m_scroll.y() > 0 && !(m_holding && sameWidth) &&
        (m_holding || (!sameWidth && !m_structureDirty && m_treeChanges.empty() && !(m_writer && m_showsFirstPart)))) {
        if (!m_anchor)
            m_anchor = ViewAnchor::at(m_engine.tree(), m_scroll, [this](int id) { return node(id); });
        m_holdOnRebuild = true;
        invalidateAll();
        return;
    }
    m_engine.setViewportSize(size);
    if (m_long) {
        // A long page reaches below any view: a view of another height
        // shows the same layout; one of another width lays it out anew, in
        // the background again. While only its first screens are shown (the
        // view has just made room for its scroll bar, say), they are laid
        // out again at once and the writing goes on. One where rules for
        // screens of some sizes start or stop applying is laid out anew
        // too, whatever its width.
        if (!sameWidth && m_writer && m_showsFirstPart) {
            m_layoutDirty = true;
        } else if (!sameWidth || m_engine.reloadDue()) {
            // (The layout held stays until the new one reaches the view.)
            m_holdOnRebuild = m_holding;
            invalidateAll();
        }
        m_allDirty = true;
        requestRepaint();
        return;
    }
    // Lines follow the width; the root box, and boxes of heights in
    // percentages of it, follow the height.
    m_layoutDirty = true;
    m_allDirty = true;
    requestRepaint();
}

QPoint DocumentLayout::clampScroll(QPoint pos)
{
    const QSize canvas = canvasSize();
    return QPoint(std::clamp(pos.x(), 0, std::max(0, canvas.width() - m_viewport.width())),
                  std::clamp(pos.y(), 0, std::max(0, canvas.height() - m_viewport.height())));
}

void DocumentLayout::setScrollPosition(QPoint pos)
{
    const bool scrolled = pos != m_scroll;
    m_scroll = clampScroll(pos);
    if (!scrolled)
        return;
    // (Scrolled while the layout held is shown: the new one shows what
    // the view shows now.)
    m_anchor.reset();
    if (m_holding)
        m_anchor = ViewAnchor::at(m_engine.tree(), m_scroll, [this](int id) { return node(id); });
}

bool DocumentLayout::needsLayout() const
{
    return m_structureDirty || m_layoutDirty || !m_restyle.isEmpty();
}

void DocumentLayout::rebuild()
{
    ++m_counters.rebuilds;
    stopBackground();
    auto writer = std::make_unique<LayoutSerializer>(*m_doc);
    if (m_buildsInBackground) {
        // A long page shows its first screens first: the part written until
        // then (its text cut there), closed, is laid out alone. The page is
        // long when it does not end within the first part, or when it holds
        // tables nested so deep that laying them out takes a while.
        writer->takeFirstPartAt(kFirstScreensLength, kTablesNestedAtOnce);
        writer->keepInPiecesOf(kPieceLength);
        while (!writer->advance(512) && writer->writtenLength() < kPartLength) {
        }
    } else {
        while (!writer->advance(1 << 20)) {
        }
    }
    m_long = m_buildsInBackground &&
             (!writer->isDone() || writer->writtenLength() > kPartLength || writer->firstPartEndsAtATable());
    // The layout shown stays while the new one is made (see m_holding);
    // a short page is laid out at once.
    const bool hold = std::exchange(m_holdOnRebuild, false) && m_long && m_anchor && m_anchor->node();
    if (hold && !m_holding) {
        m_heldNodes = std::exchange(m_nodes, {});
        m_heldIds = std::exchange(m_ids, {});
    } else if (!hold) {
        letGoOfHeld();
    }
    letGoOfNodesInSteps(m_nodes);
    m_nodes.clear();
    freeTablesInBackground();
    m_ids.clear();
    m_holding = hold;
    m_styleAtLayout.clear();
    m_textAtLayout.clear();
    QString base = m_baseFolder;
    if (base.isEmpty() && m_doc) {
        const QString url = m_doc->url();
        const QString path =
            url.startsWith(QLatin1String("file:"), Qt::CaseInsensitive) ? QUrl(url).toLocalFile() : url;
        if (!path.isEmpty() && !path.contains(QLatin1String("://")))
            base = QFileInfo(path).absolutePath();
    }
    m_engine.setBaseFolder(base);
    const DocumentType* doctype = m_doc ? m_doc->doctype() : nullptr;
    m_engine.setDocumentMode(documentModeOf(doctype ? doctype->text() : QString()));
    m_structureDirty = false;
    m_treeChanges.clear();
    m_restyle.clear();
    m_deferredRestyle.clear();
    m_layoutDirty = true;
    m_leftOutDeep.clear();
    if (!m_long) {
        LayoutSerializer::Result result = writer->takeResult();
        noteLeftOutDeep(std::move(result.leftOutDeep), true);
        m_nodes = std::move(result.nodes);
        adoptNodes(0);
        m_engine.setViewportSize(m_viewport);
        m_engine.load(result.html);
        return;
    }
    m_writer = std::move(writer);
    m_showsFirstPart = true;
    adoptNodes(0);
    QString first = m_writer->firstPart().isEmpty() ? m_writer->partialHtml() : m_writer->firstPart();
    if (m_holding && !takeFirstPartReachingAnchor(first)) {
        // (Until the view's place is laid out, the layout shown stays.)
        m_firstPartHeld = std::move(first);
        m_layoutDirty = false;
    } else if (!m_holding) {
        m_engine.setViewportSize(m_viewport);
        m_engine.load(first);
    }
    startInBackground();
}

bool DocumentLayout::takeFirstPartReachingAnchor(const QString& first)
{
    if (!m_ids.contains(m_anchor->node()))
        return false;
    // (Laid out aside: the layout held stays unless it shows the view's
    // place.)
    auto part = std::make_shared<LayoutEngine>();
    part->setBaseFolder(m_engine.container().baseFolder());
    part->setDocumentMode(m_engine.container().documentMode());
    part->setViewportSize(m_viewport);
    part->load(first);
    part->layout(std::max(1, m_viewport.width()));
    const bool reaches = reachesAnchor(*part, false);
    if (reaches) {
        letGoOfHeld();
        m_holding = false;
        m_engine.setViewportSize(m_viewport);
        m_engine.takeOver(*part);
        ++m_counters.layouts;
        m_layoutDirty = false;
        m_allDirty = true;
        placeAnchor(false);
    }
    documentlayout_detail::disposeInBackground(std::move(part));
    return reaches;
}

void DocumentLayout::showFirstPartHeld()
{
    if (!m_holding)
        return;
    letGoOfHeld();
    m_holding = false;
    m_engine.setViewportSize(m_viewport);
    m_engine.load(std::exchange(m_firstPartHeld, {}));
    m_layoutDirty = true;
    m_allDirty = true;
    requestRepaint();
}

void DocumentLayout::letGoOfHeld()
{
    m_firstPartHeld.clear();
    if (m_heldIds.size() > kTablesFreedInBackground)
        platform::disposeInBackground([ids = std::exchange(m_heldIds, {})]() mutable { ids.clear(); });
    m_heldIds.clear();
    letGoOfNodesInSteps(m_heldNodes);
    m_heldNodes.clear();
}

bool DocumentLayout::reachesAnchor(const LayoutEngine& built, bool whole) const
{
    if (whole)
        return true;
    // (The build has the ids of the new writing.)
    const std::optional<QPoint> at =
        m_anchor->scrollIn(built.tree(), [this](const Node* n) { return m_ids.value(n, -1); });
    return at && at->y() + m_viewport.height() <= built.canvasSize().height();
}

bool DocumentLayout::placeAnchor(bool whole)
{
    if (!m_anchor)
        return true;
    const std::optional<QPoint> at = m_anchor->scrollIn(m_engine.tree(), [this](const Node* n) { return nodeId(n); });
    const bool reached = at && at->y() + m_viewport.height() <= canvasSize().height();
    if (!reached && !whole)
        return false;
    m_scroll = clampScroll(at.value_or(m_anchor->pixels()));
    m_anchor.reset();
    return true;
}

void DocumentLayout::adoptNodes(size_t from)
{
    if (m_writer)
        m_writer->moveNodesInto(m_nodes);
    // (The texts by id, a place for each node: the page's nodes are taken in
    // in the order of their ids, so that the list is written straight on.)
    m_textAtLayout.resize(m_nodes.size());
    for (size_t i = from; i < m_nodes.size(); ++i) {
        const Node* n = m_nodes[i].get();
        const int id = static_cast<int>(i);
        m_ids.insert(n, id);
        if (const Text* t = n->asText())
            m_textAtLayout[i] = t->data();
        if (const Element* e = n->isText() ? nullptr : n->asElement()) {
            if (const Style* s = e->styleIfAny())
                m_styleAtLayout.insert(id, s->cssText());
        }
    }
}

void DocumentLayout::startInBackground()
{
    if (!m_mailbox) {
        m_mailbox = std::make_shared<Mailbox>();
        m_mailbox->layout = this;
    }
    m_mailbox->generation = ++m_generation;
    m_builtLength = m_writer->writtenLength();
    scheduleStep(&DocumentLayout::writeOn);
}

size_t DocumentLayout::nodeRoom() const
{
    return std::min({m_nodes.capacity(), size_t(m_ids.capacity()), m_textAtLayout.capacity()});
}

void DocumentLayout::writeOn()
{
    if (!m_writer)
        return;
    // Room for the whole page's nodes at once, in a step of its own (not in
    // that of the first screens): growing by the page as it is written would
    // copy what was taken in, in steps longer than the rest. (With room for
    // the nodes edits add: the first edit does not move the whole table
    // elsewhere in the window's time.)
    // (Each table is looked at: written again, the node list keeps its room
    // from the writing before, the others do not, and would otherwise grow
    // in steps that each copy what was taken in.)
    const size_t expected = size_t(std::max(0, m_doc->nodeCount()));
    if (nodeRoom() < expected) {
        m_nodes.reserve(expected + expected / 32);
        m_ids.reserve(qsizetype(expected + expected / 32));
        m_textAtLayout.reserve(expected + expected / 32);
        scheduleStep(&DocumentLayout::writeOn);
        return;
    }
    // A part of the page written and its nodes taken in, short enough for
    // the window to go on (with a paint or a part laid out in the same turn
    // of the event loop).
    QElapsedTimer clock;
    clock.start();
    while (!m_writer->isDone() && clock.elapsed() < kStepMilliseconds) {
        const size_t had = m_nodes.size();
        m_writer->advance(500);
        adoptNodes(had);
    }
    // The whole page is laid out as soon as it is written, also while a
    // part is: the whole is what the page waits for. A part is laid out
    // meanwhile (the scroll bar grows) while much more is still to be
    // written than it holds; a part of most of the page would only hold
    // back the whole on a busy machine.
    if (m_writer->isDone()) {
        noteLeftOutDeep(m_writer->result().leftOutDeep, true);
        if (!m_buildingWhole)
            buildInBackground(m_writer->wholePieces(), true);
    } else if (!m_building && (!m_holding || m_ids.contains(m_anchor->node())) &&
               m_writer->writtenLength() >= 4 * m_builtLength &&
               m_writer->writtenLength() <= kLongestPartInBackground && !m_writer->insideTable() &&
               m_nodes.size() * 2 < size_t(std::max(0, m_doc->nodeCount()))) {
        buildInBackground(m_writer->partialPieces(), false);
    }
    if (!m_writer->isDone())
        scheduleStep(&DocumentLayout::writeOn);
}

void DocumentLayout::scheduleStep(void (DocumentLayout::*step)())
{
    // On the event loop, after what waits there (input, painting).
    QMetaObject::invokeMethod(
        QCoreApplication::instance(),
        [box = std::weak_ptr<Mailbox>(m_mailbox), generation = m_generation, step]() {
            if (const auto b = box.lock(); b && b->layout && b->layout->m_generation == generation)
                (b->layout->*step)();
        },
        Qt::QueuedConnection);
}

void DocumentLayout::buildInBackground(std::vector<QString>&& pieces, bool whole)
{
    (whole ? m_buildingWhole : m_building) = true;
    m_builtLength = m_writer->writtenLength();
    if (whole)
        m_mailbox->wholeGeneration = m_generation;
    const QString base = m_engine.container().baseFolder();
    const DocumentMode mode = m_engine.container().documentMode();
    const QSize viewport = m_viewport;
    const int width = std::max(1, m_viewport.width());
    // The whole page is read in parts on threads of their own where it
    // can be cut.
    std::vector<LayoutSerializer::Cut> cuts;
    if (whole && m_writer->partsAllowed())
        cuts = m_writer->cuts();
    const int written = static_cast<int>(m_nodes.size());
    platform::runInBackground([pieces = std::move(pieces), cuts = std::move(cuts), links = m_writer->styleSheetLinks(),
                               whole, base, mode, viewport, width, written, generation = m_generation,
                               box = std::weak_ptr<Mailbox>(m_mailbox)]() {
        auto built = std::make_shared<LayoutEngine>();
        built->setBaseFolder(base);
        built->setDocumentMode(mode);
        built->setViewportSize(viewport);
        // A layout nobody waits for any more (the page closed or changed,
        // or, for a part, the whole page is being laid out) is not made
        // further: on a long page each stage takes seconds and the memory
        // of several pages.
        const auto abandoned = [&box, &built, generation, whole] {
            if (const auto b = box.lock();
                b && b->generation == generation && (whole || b->wholeGeneration != generation))
                return false;
            documentlayout_detail::disposeInBackground(std::move(built));
            return true;
        };
        if (whole)
            built->load(pieces, cuts, links, QThread::idealThreadCount(), kLeastPartLength);
        else
            built->load(LayoutSerializer::join(pieces));
        if (abandoned())
            return;
        built->layout(width);
        if (abandoned())
            return;
        // (Its lines too: on a long page, finding them takes a while.)
        built->findTextLines();
        built->measureTextBoxExtent();
        QMetaObject::invokeMethod(
            QCoreApplication::instance(),
            [box, generation, whole, written, built = std::move(built)]() mutable {
                if (const auto b = box.lock(); b && b->layout)
                    b->layout->takeBuild(generation, whole, written, std::move(built));
                else
                    documentlayout_detail::disposeInBackground(std::move(built));
            },
            Qt::QueuedConnection);
    });
}

void DocumentLayout::takeBuild(int generation, bool whole, int written, std::shared_ptr<LayoutEngine>&& built)
{
    if (generation != m_generation || !m_writer) {
        documentlayout_detail::disposeInBackground(std::move(built));
        return;
    }
    (whole ? m_buildingWhole : m_building) = false;
    if (built->layoutWidth() != std::max(1, m_viewport.width())) {
        // Made for the view's width before: the next part is laid out at
        // the width now.
        documentlayout_detail::disposeInBackground(std::move(built));
        m_builtLength = 0;
        if (m_writer->isDone() && !m_buildingWhole)
            buildInBackground(m_writer->wholePieces(), true);
        return;
    }
    // A build still being brought up to date gives way to a later one,
    // which holds more (a part that comes in after the whole is dropped).
    if (m_replay) {
        if (m_replay->whole && !whole) {
            documentlayout_detail::disposeInBackground(std::move(built));
            return;
        }
        documentlayout_detail::disposeInBackground(std::move(m_replay->built));
    }
    m_replay = Replay{std::move(built), whole, written};
    replayStep();
}

void DocumentLayout::replayStep()
{
    if (!m_replay)
        return;
    // What was edited since it was written is edited in it too, for as
    // long as a step of the event loop may take at a time: the part shown
    // has the edits already, and edits made meanwhile are made too. (A
    // step ends only before a change still to make: typing that goes on
    // in the last one changes what is still to be made.)
    ++m_counters.replaySteps;
    QElapsedTimer clock;
    clock.start();
    while (m_replay->next < m_editsWhileWriting.size()) {
        if (!replayEdit(*m_replay->built, m_editsWhileWriting[m_replay->next], m_replay->written)) {
            invalidateAll();
            return;
        }
        ++m_replay->next;
        if (clock.elapsed() >= kStepMilliseconds && m_replay->next < m_editsWhileWriting.size()) {
            scheduleStep(&DocumentLayout::replayStep);
            return;
        }
    }
    showBuild();
}

void DocumentLayout::showBuild()
{
    Replay replay = std::move(*m_replay);
    m_replay.reset();
    if (m_holding) {
        // (A part that ends above the view's place is not shown: the
        // layout held stays.)
        if (!reachesAnchor(*replay.built, replay.whole)) {
            documentlayout_detail::disposeInBackground(std::move(replay.built));
            if (m_writer->isDone() && !m_buildingWhole)
                buildInBackground(m_writer->wholePieces(), true);
            return;
        }
        letGoOfHeld();
        m_holding = false;
        m_engine.setViewportSize(m_viewport);
    }
    m_engine.takeOver(*replay.built);
    m_showsFirstPart = false;
    documentlayout_detail::disposeInBackground(std::move(replay.built));
    // The objects moved since they were written stand where they were moved.
    for (auto it = m_movedWhileWriting.cbegin(); it != m_movedWhileWriting.cend(); ++it) {
        int dx = 0, dy = 0;
        if (!documentlayout_detail::moveBetween(it.value(), m_styleAtLayout.value(it.key()), dx, dy) ||
            !m_engine.shiftPositioned(it.key(), dx, dy)) {
            invalidateAll();
            return;
        }
    }
    ++m_counters.layouts;
    ++m_counters.partsInBackground;
    // (The changes made in it are laid out; changes of the tree since the
    // last layout are laid out with the next.)
    m_layoutDirty = !m_treeChanges.empty();
    m_allDirty = true;
    if (!placeAnchor(replay.whole))
        m_scroll = clampScroll(m_scroll);
    if (replay.whole) {
        m_writer.reset();
        m_movedWhileWriting.clear();
        m_editsWhileWriting.clear();
    } else if (m_writer->isDone() && !m_buildingWhole)
        buildInBackground(m_writer->wholePieces(), true);
    requestRepaint();
}

bool DocumentLayout::replayEdit(LayoutEngine& built, const EditWhileWriting& e, int written)
{
    if (e.restyleId >= 0) {
        // (Not in a part written before the element was; one written
        // before but not laid out, such as a table's COL, is read again
        // with the whole page.)
        if (!built.laysOut(e.restyleId))
            return e.restyleId >= written;
        built.restyle(e.restyleId, e.attributes);
        if (built.reloadDue())
            return false;
    } else if (e.textId >= 0) {
        // (Not in a part written before the text was.)
        if (!built.laysOut(e.textId))
            return true;
        if (!built.replaceText(e.textId, e.before, e.after))
            return false;
    } else if (!built.replaceRun(e.open, e.firstId, e.lastId, e.html, e.textsLeftOut)) {
        return false;
    }
    // Each change is laid out before the next, as in the layout shown: the
    // block it changed alone, or the run in place (a block left to lay out
    // would be laid out whole with the next change's).
    built.layout(std::max(1, m_viewport.width()));
    return true;
}

void DocumentLayout::noteTextWhileWriting(int id, const QString& before, const QString& after)
{
    // Typing in one text node: one change from the text written.
    if (!m_editsWhileWriting.empty() && m_editsWhileWriting.back().textId == id) {
        m_editsWhileWriting.back().after = after;
        return;
    }
    EditWhileWriting e;
    e.textId = id;
    e.before = before;
    e.after = after;
    m_editsWhileWriting.push_back(std::move(e));
}

void DocumentLayout::restyleWhileWriting(Element* el, int id, const QString& attribute)
{
    // Restyled in the part shown now, with the next layout; an element
    // written but not shown yet is restyled in the parts that come in.
    const Style* style = el->styleIfAny();
    if (!m_engine.laysOut(id))
        m_styleAtLayout.insert(id, style ? style->cssText() : QString());
    else if (!tryRepaintOnly(el, id, attribute))
        m_restyle.insert(id);
    // (The style restyled with holds where a moved object stands.)
    m_movedWhileWriting.remove(id);
    if (m_editsWhileWriting.empty() || m_editsWhileWriting.back().restyleId != id) {
        EditWhileWriting e;
        e.restyleId = id;
        m_editsWhileWriting.push_back(std::move(e));
    }
    m_editsWhileWriting.back().attributes = layoutAttributes(el);
    requestRepaint();
}

void DocumentLayout::stopBackground()
{
    if (m_replay) {
        documentlayout_detail::disposeInBackground(std::move(m_replay->built));
        m_replay.reset();
    }
    m_writer.reset();
    m_movedWhileWriting.clear();
    m_editsWhileWriting.clear();
    m_building = false;
    m_buildingWhole = false;
    ++m_generation;
    if (m_mailbox)
        m_mailbox->generation = m_generation;
}

void DocumentLayout::finishLayout()
{
    if (m_writer) {
        const bool background = m_buildsInBackground;
        m_buildsInBackground = false;
        invalidateAll();
        ensureLayout();
        m_buildsInBackground = background;
        return;
    }
    ensureLayout();
}

void DocumentLayout::ensureLayout()
{
    using documentlayout_detail::kHandleRoom;
    if (!m_doc)
        return;
    if (!m_structureDirty && !m_treeChanges.empty() && !layOutTreeChanges())
        m_structureDirty = true;
    if (m_structureDirty)
        rebuild();
    if (!m_restyle.isEmpty()) {
        m_deferredRestyle.unite(m_restyle);
        m_restyle.clear();
        m_layoutDirty = true;
    }
    if (!m_layoutDirty)
        return;
    for (int id : std::as_const(m_deferredRestyle)) {
        const Node* n = node(id);
        if (n && !n->isText()) {
            ++m_counters.restyles;
            const Element* el = n->asElement();
            m_engine.restyle(id, layoutAttributes(el));
            const Style* style = el->styleIfAny();
            m_styleAtLayout.insert(id, style ? style->cssText() : QString());
        }
    }
    m_deferredRestyle.clear();
    if (m_engine.reloadDue())
        rebuild();
    ++m_counters.layouts;
    m_engine.layout(std::max(1, m_viewport.width()));
    m_layoutDirty = false;
    if (const std::optional<QRect> area = m_engine.lastLayoutArea()) {
        ++m_counters.blockLayouts;
        // Room for the selection handles drawn around boxes.
        m_dirty += area->adjusted(0, -kHandleRoom, 0, kHandleRoom);
    } else {
        m_allDirty = true;
    }
    if (!placeAnchor(!m_writer))
        m_scroll = clampScroll(m_scroll);
}

const LayoutTree& DocumentLayout::tree()
{
    ensureLayout();
    return m_engine.tree();
}

QSize DocumentLayout::canvasSize()
{
    ensureLayout();
    QSize canvas = m_engine.canvasSize().expandedTo(m_viewport);
    // A long page reaches below the view, also while the part laid out
    // first is shorter: its scroll bar stays. (Taken away, it would give
    // the page another width, which lays the whole page out anew, and the
    // short part shown meanwhile would take it away again, over and over.)
    if (m_long)
        canvas.setHeight(std::max(canvas.height(), m_viewport.height() + 1));
    return canvas;
}

const QString* DocumentLayout::textAtLayout(int id) const
{
    const size_t at = size_t(id);
    return id >= 0 && at < m_textAtLayout.size() && at < m_nodes.size() && m_nodes[at] && m_nodes[at]->isText()
               ? &m_textAtLayout[at]
               : nullptr;
}

int DocumentLayout::nodeId(const Node* node) const
{
    // (The ids of the layout shown: of the one held while the new one is
    // written.)
    return (m_holding ? m_heldIds : m_ids).value(node, -1);
}

Node* DocumentLayout::node(int id) const
{
    const std::vector<Ref<Node>>& nodes = m_holding ? m_heldNodes : m_nodes;
    return id >= 0 && id < static_cast<int>(nodes.size()) ? nodes[static_cast<size_t>(id)].get() : nullptr;
}

const LayoutBox* DocumentLayout::box(const Element* el)
{
    ensureLayout();
    const int id = nodeId(el);
    return id < 0 ? nullptr : m_engine.tree().box(id);
}

const LayoutBox* DocumentLayout::boxAt(int index) const
{
    const auto& boxes = m_engine.tree().boxes;
    return index >= 0 && index < static_cast<int>(boxes.size()) ? &boxes[static_cast<size_t>(index)] : nullptr;
}

Element* DocumentLayout::elementOfBox(int boxIndex) const
{
    for (const LayoutBox* b = boxAt(boxIndex); b; b = boxAt(b->parent)) {
        Node* n = node(b->nodeId);
        if (n && !n->isText() && n->isConnected())
            return n->asElement();
    }
    return nullptr;
}

QRegion DocumentLayout::takeDirtyRegion()
{
    QRegion region = m_allDirty ? QRegion(QRect(QPoint(0, 0), canvasSize())) : m_dirty;
    m_dirty = QRegion();
    m_allDirty = false;
    return region;
}

void DocumentLayout::invalidateAll()
{
    // (A long page laid out anew shows its first screens first.)
    if (m_long && !m_anchor && m_scroll != QPoint())
        m_anchor = ViewAnchor::at(m_engine.tree(), m_scroll, [this](int id) { return node(id); });
    stopBackground();
    m_structureDirty = true;
    m_allDirty = true;
    requestRepaint();
}

void DocumentLayout::requestRepaint()
{
    if (m_repaint)
        m_repaint();
}

std::vector<std::pair<QString, QString>> DocumentLayout::layoutAttributes(const Element* el) const
{
    std::vector<std::pair<QString, QString>> attrs;
    for (int i = 0; i < el->attributeCount(); ++i) {
        const Attribute& a = el->attributeAt(i);
        if (a.name.compare(QLatin1String("style"), Qt::CaseInsensitive) != 0)
            attrs.emplace_back(a.name, a.value);
    }
    const Style* style = el->styleIfAny();
    attrs.emplace_back(QStringLiteral("style"), style ? style->cssText() : QString());
    return attrs;
}

// Nodes outside the page (a detached copy of a range being read, an element
// still being built) are not laid out: their changes leave the layout alone.
void DocumentLayout::nodeInserted(Node* parent, Node* child)
{
    if (parent && parent->isConnected()) {
        showFirstPartHeld();
        noteTreeChange(parent, child);
    }
}

void DocumentLayout::nodeRemoved(Node* parent, Node* child)
{
    if (parent && parent->isConnected()) {
        showFirstPartHeld();
        noteTreeChange(parent, child);
    }
}

void DocumentLayout::childrenMoved(Node* from, Node* to)
{
    // (Many nodes at once: the page is written anew.)
    if (from->isConnected() || to->isConnected())
        invalidateAll();
}

void DocumentLayout::noteTreeChange(Node* parent, Node* child)
{
    // A long page still being written: what the writing has not reached is
    // written as it is when reached; a change of what was written is laid
    // out in place, as a run of blocks written anew, else the page is
    // written anew.
    if (m_writer) {
        if (!m_writer->followTreeChange()) {
            invalidateAll();
            return;
        }
        const bool unwritten =
            parent && (nodeId(parent) < 0 || (child && child->parentNode() == parent
                                                  ? m_writer->writesLater(*parent, *child)
                                                  : child && nodeId(child) < 0 && m_writer->isOpen(*parent)));
        if (unwritten)
            return;
    }
    if (liesUnwritten(parent))
        return;
    // (A page to be written whole anyway is written anew.)
    if (m_structureDirty || !m_deferredRestyle.isEmpty()) {
        invalidateAll();
        return;
    }
    // Elements restyled since the last layout are written anew with the run.
    for (const int id : std::as_const(m_restyle)) {
        Node* restyled = node(id);
        if (!restyled || !restyled->parentNode()) {
            invalidateAll();
            return;
        }
        m_treeChanges.push_back(TreeChange{Ref<Node>(restyled->parentNode()), Ref<Node>(restyled), id});
    }
    m_restyle.clear();
    m_treeChanges.push_back(TreeChange{Ref<Node>(parent), Ref<Node>(child), child ? nodeId(child) : -1});
    m_layoutDirty = true;
    requestRepaint();
}

namespace documentlayout_detail {

// Elements that stand as blocks in a flow of blocks (a run of them is
// written anew as a whole).
bool isFlowBlockTag(const Node* node)
{
    const Element* el = node && !node->isText() ? node->asElement() : nullptr;
    if (!el || el->isComment())
        return false;
    static const QSet<QString> tags = {"P",       "DIV",     "H1",     "H2",      "H3",         "H4",    "H5",
                                       "H6",      "PRE",     "UL",     "OL",      "LI",         "DL",    "DD",
                                       "DT",      "HR",      "CENTER", "ADDRESS", "BLOCKQUOTE", "TABLE", "FORM",
                                       "SECTION", "ARTICLE", "HEADER", "FOOTER",  "NAV",        "ASIDE", "MAIN"};
    return tags.contains(el->tagName().toUpper());
}

// The child of `parent` that is or holds `node`; null when none.
Node* childHolding(Node* parent, Node* node)
{
    for (Node* n = node; n; n = n->parentNode()) {
        if (n->parentNode() == parent)
            return n;
    }
    return nullptr;
}

} // namespace documentlayout_detail

bool DocumentLayout::layOutTreeChanges()
{
    using documentlayout_detail::childHolding;
    using documentlayout_detail::isFlowBlockTag;
    const std::vector<TreeChange> changes = std::exchange(m_treeChanges, {});
    if (!m_doc || !m_restyle.isEmpty() || !m_deferredRestyle.isEmpty() || !m_engine.tree().box(0))
        return false;
    const LayoutTree& tree = m_engine.tree();
    // The element whose children change: the nearest around every change,
    // from which on the children changed are blocks.
    Node* parent = nullptr;
    for (const TreeChange& c : changes) {
        if (!c.parent->isConnected())
            continue;
        if (!parent) {
            parent = c.parent.get();
            continue;
        }
        while (parent && !parent->containsNode(c.parent.get()))
            parent = parent->parentNode();
    }
    for (int guard = 0; parent && guard < 64; ++guard, parent = parent->parentNode()) {
        const int parentId = nodeId(parent);
        const auto parentBox = tree.byNode.find(parentId);
        if (parentId < 0 || parentBox == tree.byNode.end())
            continue;
        // The children changed, as the page has them now (by index) and as
        // the layout holds them (by box).
        int first = INT_MAX, last = -1;
        int firstBox = INT_MAX, lastBox = -1;
        bool blocks = true;
        const auto addNow = [&](Node* n) {
            Node* child = childHolding(parent, n);
            if (!child)
                return;
            blocks = blocks && isFlowBlockTag(child);
            const int i = child->indexInParent();
            first = std::min(first, i);
            last = std::max(last, i);
        };
        const auto addThen = [&](int id) {
            auto box = tree.byNode.find(id);
            if (box == tree.byNode.end())
                return false;
            int b = box->second;
            while (b >= 0 && tree.boxes[static_cast<size_t>(b)].parent != parentBox->second)
                b = tree.boxes[static_cast<size_t>(b)].parent;
            if (b < 0)
                return false;
            firstBox = std::min(firstBox, b);
            lastBox = std::max(lastBox, b);
            return true;
        };
        bool known = true;
        for (const TreeChange& c : changes) {
            const bool inParent = c.parent.get() == parent;
            if (c.parent->isConnected() && !inParent)
                addNow(c.parent.get());
            if (c.child && c.child->isConnected())
                addNow(c.child.get());
            // (Nodes a run replaced before are no longer laid out.)
            const int parentOld = m_engine.laysOut(nodeId(c.parent.get())) ? nodeId(c.parent.get()) : -1;
            if (!inParent && parentOld >= 0 && !addThen(parentOld) && c.parent->isConnected() &&
                parent->containsNode(c.parent.get()))
                known = false;
            if (c.childId >= 0 && m_engine.laysOut(c.childId) && !addThen(c.childId) &&
                (inParent || !c.child || !c.child->isText()))
                known = false;
            // (A node written but not in the part shown yet stands in the
            // parts that come in: the run, made again there, would leave it
            // where it stood.)
            if (m_writer && c.childId >= 0 && !m_engine.laysOut(c.childId))
                return false;
            // (A text directly in the parent has no box of its own.)
            if (inParent && c.child && c.child->isText())
                known = false;
            // An inline element taken out (a line break joined) changes the
            // lines of the block around it, not the blocks here.
            if (inParent && c.child && !c.child->isConnected() && !c.child->isText()) {
                const Element* gone = c.child->asElement();
                blocks = blocks && (!gone || gone->isComment() || isFlowBlockTag(gone));
            }
        }
        // Changes that cannot be told apart among the children (a text
        // directly in the element) are written anew with the element, in
        // the run of blocks around it.
        if (!known || !blocks)
            continue;
        // Nothing changed on one side: the block before (or after) the
        // change on the other joins both.
        if (last < 0 && lastBox < 0)
            return false;
        const auto boxIdOf = [&](int b) { return tree.boxes[static_cast<size_t>(b)].nodeId; };
        if (last < 0 || lastBox < 0) {
            // The neighbour: the block before the change, else after it.
            Node* neighbour = nullptr;
            const auto fits = [&](Node* n) {
                return n && n->parentNode() == parent && isFlowBlockTag(n) && tree.box(nodeId(n)) ? n : nullptr;
            };
            if (last >= 0) {
                for (Node* n = parent->child(first)->previousSibling(); n && !neighbour; n = n->previousSibling())
                    neighbour = fits(n);
                for (Node* n = parent->child(last)->nextSibling(); n && !neighbour; n = n->nextSibling())
                    neighbour = fits(n);
            } else {
                const auto& children = tree.boxes[static_cast<size_t>(parentBox->second)].children;
                const auto from = std::find(children.begin(), children.end(), firstBox);
                const auto to = std::find(from, children.end(), lastBox);
                if (to == children.end())
                    return false;
                if (from != children.begin())
                    neighbour = fits(node(boxIdOf(*(from - 1))));
                if (!neighbour && to + 1 != children.end())
                    neighbour = fits(node(boxIdOf(*(to + 1))));
            }
            if (!neighbour)
                return false;
            addNow(neighbour);
            addThen(nodeId(neighbour));
        }
        if (last < 0 || lastBox < 0 || !blocks)
            return false;
        // The run's edges must be as the layout has them: the same elements
        // before and after it.
        const Node* firstNow = parent->child(first);
        const Node* lastNow = parent->child(last);
        const auto& siblings = tree.boxes[static_cast<size_t>(parentBox->second)].children;
        const auto firstAt = std::find(siblings.begin(), siblings.end(), firstBox);
        const auto lastAt = std::find(firstAt, siblings.end(), lastBox);
        if (firstAt == siblings.end() || lastAt == siblings.end())
            return false;
        // Loose text in the run or beside it has no box to tell on which
        // side of the run's edges the layout holds it (a break removed before
        // it leaves it inside the run laid out before, paragraphs pasted
        // before it take it into the run written anew): the page is laid out
        // whole.
        const auto isElement = [](const Node* n) {
            return !n->isText() && n->asElement() && !n->asElement()->isComment();
        };
        const auto isLooseText = [](const Node* n) {
            const Text* t = n->asText();
            return t && std::any_of(t->data().begin(), t->data().end(), [](QChar c) {
                       return c != u' ' && c != u'\n' && c != u'\t' && c != u'\r' && c != u'\f';
                   });
        };
        const Node* before = firstNow->previousSibling();
        for (; before && !isElement(before); before = before->previousSibling()) {
            if (isLooseText(before))
                return false;
        }
        const Node* after = lastNow->nextSibling();
        for (; after && !isElement(after); after = after->nextSibling()) {
            if (isLooseText(after))
                return false;
        }
        for (const Node* n = firstNow; n && n != lastNow; n = n->nextSibling()) {
            if (isLooseText(n))
                return false;
        }
        if ((before ? nodeId(before) : -1) != (firstAt == siblings.begin() ? -1 : boxIdOf(*(firstAt - 1))) ||
            (after ? nodeId(after) : -1) != (lastAt + 1 == siblings.end() ? -1 : boxIdOf(*(lastAt + 1))))
            return false;
        std::vector<int> open;
        for (Node* n = parent; n && n != m_doc; n = n->parentNode())
            open.push_back(nodeId(n));
        std::reverse(open.begin(), open.end());
        // (On a page still being written, a run the writing is inside or
        // has not reached is written with the page.)
        if (m_writer && !m_writer->wroteChildrenUpTo(*parent, last))
            return false;
        const int firstId = static_cast<int>(m_nodes.size());
        // (The words of long texts are placed without a parse: a long
        // paragraph split or joined is not read again.)
        std::optional<LayoutSerializer::Result> run = LayoutSerializer::writeRun(
            *m_doc, *parent->asElement(), first, last, firstId, [this](const Node* n) { return nodeId(n); },
            static_cast<qsizetype>(MovedWords::leftOutFrom()));
        const int firstReplaced = boxIdOf(firstBox), lastReplaced = boxIdOf(lastBox);
        if (!run || !m_engine.replaceRun(open, firstReplaced, lastReplaced, run->html, run->textsLeftOut))
            return false;
        noteLeftOutDeep(std::move(run->leftOutDeep), false);
        if (m_writer) {
            // Made again in each part laid out from what was written; the
            // writing goes on with ids after the run's.
            m_writer->skipIds(static_cast<int>(run->nodes.size()));
            EditWhileWriting e;
            e.open = open;
            e.firstId = firstReplaced;
            e.lastId = lastReplaced;
            e.html = run->html;
            e.textsLeftOut = run->textsLeftOut;
            m_editsWhileWriting.push_back(std::move(e));
        }
        const size_t from = m_nodes.size();
        for (Ref<Node>& n : run->nodes)
            m_nodes.push_back(std::move(n));
        adoptNodes(from);
        m_layoutDirty = true;
        return true;
    }
    return false;
}

void DocumentLayout::textChanged(Text* text)
{
    if (!text->isConnected())
        return;
    showFirstPartHeld();
    const int id = nodeId(text);
    // After a change of the tree, the text is written anew with it.
    if (!m_structureDirty && !m_treeChanges.empty()) {
        noteTreeChange(text->parentNode(), text);
        return;
    }
    // (On a page still laid out in the background, a text not written yet
    // is written as it is. The text of a TITLE or a TEXTAREA has no id of
    // its own: its element is written anew.)
    if (m_writer && id < 0) {
        Node* parent = text->parentNode();
        if (parent && nodeId(parent) >= 0 && !m_writer->writesLater(*parent, *text))
            invalidateAll();
        return;
    }
    // Typing: the words of the text node change in place. (A text written
    // but not in the part of a long page shown yet changes in the parts
    // that come in.)
    if (const QString* written = id >= 0 && !m_structureDirty ? textAtLayout(id) : nullptr) {
        const QString before = *written;
        const bool shown = !m_writer || m_engine.laysOut(id);
        if (!shown || m_engine.replaceText(id, before, text->data())) {
            if (m_writer)
                noteTextWhileWriting(id, before, text->data());
            m_textAtLayout[size_t(id)] = text->data();
            ++m_counters.textUpdates;
            m_layoutDirty = m_layoutDirty || shown;
            requestRepaint();
            return;
        }
    }
    if (id < 0 && liesUnwritten(text->parentNode()))
        return;
    invalidateAll();
}

bool DocumentLayout::leavesOutDeepContent() const
{
    return std::any_of(m_leftOutDeep.begin(), m_leftOutDeep.end(),
                       [this](const Ref<Node>& n) { return staysLeftOut(n.get()); });
}

bool DocumentLayout::staysLeftOut(const Node* node) const
{
    return node->isConnected() && node->document() == m_doc && nodeId(node) < 0;
}

void DocumentLayout::noteLeftOutDeep(std::vector<Ref<Node>> leftOut, bool whole)
{
    // (The page written whole holds all it leaves out; a run adds to what
    // the page left out before, of which an edit may have taken some out.)
    std::erase_if(m_leftOutDeep, [this](const Ref<Node>& n) { return !staysLeftOut(n.get()); });
    if (!whole && m_leftOutDeep.empty())
        m_toldLeftOutDeep = false;
    m_leftOutDeep.insert(m_leftOutDeep.end(), std::make_move_iterator(leftOut.begin()),
                         std::make_move_iterator(leftOut.end()));
    if (m_leftOutDeep.empty()) {
        m_toldLeftOutDeep = false;
        return;
    }
    if (m_toldLeftOutDeep)
        return;
    m_toldLeftOutDeep = true;
    if (m_deepContent)
        m_deepContent();
}

bool DocumentLayout::liesUnwritten(const Node* parent) const
{
    // While no change of the tree waits, an element without an id stood in
    // the page at the last layout (or came into such an element since),
    // and the layout did not receive it: it is nested deeper than the
    // layout takes (see LayoutSerializer).
    return !m_writer && !m_structureDirty && m_treeChanges.empty() && parent && parent->isConnected() &&
           parent->asElement() && nodeId(parent) < 0;
}

void DocumentLayout::documentReplaced(Document*)
{
    invalidateAll();
    m_leftOutDeep.clear();
    m_toldLeftOutDeep = false;
    m_anchor.reset();
    if (m_replaced)
        m_replaced();
}

void DocumentLayout::attributeChanged(Element* element, const QString& name)
{
    if (!element->isConnected())
        return;
    showFirstPartHeld();
    const int id = nodeId(element);
    // (On a page still being written, an element not written yet is
    // written as it is now.)
    if (m_writer && id < 0)
        return;
    // A removed attribute, an element the layout does not know, or a class or
    // id (style sheet rules that did not match before may match now): lay out
    // anew.
    const bool selectorKey = name.compare(QLatin1String("class"), Qt::CaseInsensitive) == 0 ||
                             name.compare(QLatin1String("id"), Qt::CaseInsensitive) == 0;
    if (!m_structureDirty && !m_treeChanges.empty()) {
        noteTreeChange(element->parentNode(), element);
        return;
    }
    // An element the layout does not hold yet, a removed attribute, a class
    // or an id (rules that did not match before may match now): the
    // element is written anew.
    if (id < 0 || m_structureDirty || selectorKey || !element->hasAttribute(name)) {
        if (m_structureDirty || !element->parentNode())
            invalidateAll();
        else
            noteTreeChange(element->parentNode(), element);
        return;
    }
    if (m_writer) {
        restyleWhileWriting(element, id, name);
        return;
    }
    if (!tryRepaintOnly(element, id, name))
        m_restyle.insert(id);
    requestRepaint();
}

void DocumentLayout::markSubtreeDirty(int id)
{
    using documentlayout_detail::kGlyphRoom;
    const LayoutTree& tree = m_engine.tree();
    const auto it = tree.byNode.find(id);
    if (it == tree.byNode.end())
        return;
    // BODY's and the root's backgrounds fill the whole canvas.
    const QString& tag = tree.boxes[static_cast<size_t>(it->second)].tag;
    if (it->second == 0 || tag == QLatin1String("BODY") || tag == QLatin1String("HTML")) {
        m_allDirty = true;
        return;
    }
    // Words and boxes may stand outside the element's own box (text below a
    // block of fixed height, content wider than its layer). The handles stay
    // where they are; slanted glyphs reach a little past their words.
    const QRect area = tree.subtreeArea(it->second);
    if (area.isNull())
        return;
    // A list item's marker takes its colour and stands left of its box:
    // whole lines of the page.
    if (m_engine.holdsListItems(id))
        m_dirty += QRect(0, area.y(), std::max(tree.canvas.width(), m_viewport.width()), area.height());
    else
        m_dirty += area.adjusted(-kGlyphRoom, 0, kGlyphRoom, 0);
}

bool DocumentLayout::tryRepaintOnly(Element* el, int id, const QString& attribute)
{
    using namespace documentlayout_detail;
    if (m_layoutDirty || !m_restyle.isEmpty() || !m_deferredRestyle.isEmpty() || !m_engine.tree().box(id))
        return false;
    const Style* style = el->styleIfAny();
    const QString now = style ? style->cssText() : QString();
    if (!attribute.isEmpty()) {
        if (!isPaintOnlyAttribute(attribute) || now != m_styleAtLayout.value(id))
            return false;
    } else {
        // Every declaration that differs must be a paint-only one.
        const auto before = declarations(m_styleAtLayout.value(id));
        const auto after = declarations(now);
        QHash<QString, QString> a, b;
        for (const auto& [k, v] : before)
            a.insert(k, v);
        for (const auto& [k, v] : after)
            b.insert(k, v);
        for (auto it = a.cbegin(); it != a.cend(); ++it) {
            if (b.value(it.key()) != it.value() && !isPaintOnlyProperty(it.key()))
                return false;
        }
        for (auto it = b.cbegin(); it != b.cend(); ++it) {
            if (!a.contains(it.key()) && !isPaintOnlyProperty(it.key()))
                return false;
        }
    }
    m_engine.restyle(id, layoutAttributes(el), true);
    m_styleAtLayout.insert(id, now);
    if (!m_engine.isLaidOut()) {
        // Sizes in percentages need a layout to come back.
        ++m_counters.restyles;
        m_layoutDirty = true;
        return true;
    }
    ++m_counters.repaintOnly;
    markSubtreeDirty(id);
    return true;
}

bool DocumentLayout::tryShift(Element* el, int id)
{
    using namespace documentlayout_detail;
    if (m_layoutDirty || !m_restyle.isEmpty())
        return false;
    const LayoutBox* b = m_engine.tree().box(id);
    if (!b || !b->absolute)
        return false;
    const Style* style = el->styleIfAny();
    const QString now = style ? style->cssText() : QString();
    int dx = 0, dy = 0;
    if (!moveBetween(m_styleAtLayout.value(id), now, dx, dy))
        return false;
    // Everything the layer holds moves with it, also what stands outside its
    // own box; the selection handles stand around the box.
    // (An empty layer has handles too.)
    const QRect old = m_engine.tree().subtreeArea(m_engine.tree().byNode.at(id)) |
                      QRect(b->borderBox.topLeft(), b->borderBox.size().expandedTo(QSize(1, 1)));
    if (!m_engine.shiftPositioned(id, dx, dy))
        return false;
    ++m_counters.shifts;
    m_styleAtLayout.insert(id, now);
    // The layout library's own element follows at the next real layout.
    m_deferredRestyle.insert(id);
    const QRect around = old.adjusted(-kHandleRoom, -kHandleRoom, kHandleRoom, kHandleRoom);
    m_dirty += around;
    m_dirty += around.translated(dx, dy);
    return true;
}

void DocumentLayout::styleChanged(Element* element)
{
    if (!element->isConnected())
        return;
    showFirstPartHeld();
    const int id = nodeId(element);
    if (m_writer) {
        // A long page being laid out: what is not written yet will be
        // written as it is now; an object moved in the part shown moves in
        // each part that comes in (an object dragged keeps the page's layout
        // going); anything else is restyled in place there too, or written
        // anew with the tree changed since the last layout.
        if (id < 0)
            return;
        const QString written = m_styleAtLayout.value(id);
        if (tryShift(element, id)) {
            if (!m_movedWhileWriting.contains(id))
                m_movedWhileWriting.insert(id, written);
            requestRepaint();
            return;
        }
        if (!m_structureDirty && !m_treeChanges.empty())
            noteTreeChange(element->parentNode(), element);
        else
            restyleWhileWriting(element, id, QString());
        return;
    }
    if (!m_structureDirty && !m_treeChanges.empty()) {
        noteTreeChange(element->parentNode(), element);
        return;
    }
    if (id < 0 || m_structureDirty) {
        if (m_structureDirty || !element->parentNode())
            invalidateAll();
        else
            noteTreeChange(element->parentNode(), element);
        return;
    }
    if (!tryShift(element, id) && !tryRepaintOnly(element, id, QString()))
        m_restyle.insert(id);
    requestRepaint();
}

} // namespace engine
