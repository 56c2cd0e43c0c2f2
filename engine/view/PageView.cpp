#include "engine/view/PageView.h"

#include "engine/dom/Document.h"
#include "engine/editing/CommandGroup.h"
#include "engine/editing/Selection.h"
#include "engine/editing/TextRange.h"
#include "engine/layout/Geometry.h"
#include "engine/layout/HitTester.h"
#include "engine/layout/RangeGeometry.h"
#include "engine/markup/MarkupPointer.h"
#include "engine/view/DisplayPointer.h"
#include "engine/view/DesignModeInput.h"
#include "engine/view/EventDispatcher.h"
#include "engine/view/EventObject.h"

#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>

#include <algorithm>

namespace engine {

namespace pageview_detail {

bool drawsBelowContentItself(const Element* el)
{
    return el->hasTag(QLatin1String("TD")) || el->hasTag(QLatin1String("TH")) || el->hasTag(QLatin1String("BODY")) ||
           el->hasTag(QLatin1String("IMG"));
}

// The squares around a control-selected box: corners and edge middles.
std::vector<QRect> handleRects(const QRect& box, int size)
{
    const int left = box.left() - size, top = box.top() - size;
    const int right = box.left() + box.width(), bottom = box.top() + box.height();
    const int cx = box.left() + box.width() / 2 - size / 2, cy = box.top() + box.height() / 2 - size / 2;
    return {QRect(left, top, size, size),  QRect(cx, top, size, size),      QRect(right, top, size, size),
            QRect(left, cy, size, size),   QRect(right, cy, size, size),    QRect(left, bottom, size, size),
            QRect(cx, bottom, size, size), QRect(right, bottom, size, size)};
}

} // namespace pageview_detail

PageView::PageView(Document* doc, QWidget* parent)
    : QAbstractScrollArea(parent), m_doc(doc), m_layout(std::make_unique<DocumentLayout>(doc)),
      m_text(std::make_unique<TextGeometry>(*m_layout))
{
    setFrameShape(QFrame::NoFrame);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    viewport()->setAutoFillBackground(false);
    setFocusPolicy(Qt::StrongFocus);
    m_layout->setRepaintRequest([this] { scheduleFlush(); });
    // Long pages show their first screens at once and grow as the rest is
    // laid out in the background.
    m_layout->setBuildsInBackground(true);
    // A reload disconnects the old nodes: their painters go with them.
    m_layout->setReplacedHandler([this] {
        for (auto it = m_behaviors.begin(); it != m_behaviors.end();) {
            if (it->second.element->isConnected()) {
                ++it;
                continue;
            }
            unindexBehavior(it->second.element.get(), it->first);
            it = m_behaviors.erase(it);
        }
    });
    // A caret hidden by the program shows again wherever the caret is placed next.
    m_events = std::make_unique<EventDispatcher>(doc, [this] {
        m_caretVisible = true;
        selectionChanged();
    });
    m_input = std::make_unique<DesignModeInput>(*this, *m_events);
    // Copy, cut and paste ask the sink first.
    // Display switches and browse mode change what is painted.
    doc->commands().setSwitchHook([this](int id) {
        // The switches of input (overwrite, multiple selection, 2D
        // positioning, live resize, the program's cursor) paint nothing.
        if (id != CommandGroup::Overwrite && id != CommandGroup::MultipleSelection && id != CommandGroup::Position2D &&
            id != CommandGroup::LiveResize && id != CommandGroup::OverrideCursor)
            repaintAll();
    });
    doc->commands().setEventHook([this](quint32 id) {
        EventObject event;
        event.srcElement = m_doc->body();
        return m_events->fire(int(id), event);
    });
    viewport()->setMouseTracking(true);
    viewport()->setAcceptDrops(true);
    setAttribute(Qt::WA_InputMethodEnabled);
    m_layout->engine().container().setBelowContentHook(
        [this](QPainter& p, int nodeId, const QRect& box) { paintBehaviorsBelow(p, nodeId, box, m_currentUpdate); });
    updateViewportSize();
    doc->setLayoutServices(this);
}

PageView::~PageView()
{
    if (m_doc->layoutServices() == static_cast<LayoutServices*>(this))
        m_doc->setLayoutServices(nullptr);
    m_doc->commands().setEventHook({});
    m_doc->commands().setSwitchHook({});
    m_layout->engine().container().setBelowContentHook({});
}

void PageView::setZoom(int percent)
{
    const int zoom = std::clamp(percent, 25, 200);
    if (zoom == m_zoom)
        return;
    m_zoom = zoom;
    updateViewportSize();
    repaintAll();
}

void PageView::setDesignMode(bool on)
{
    m_designMode = on;
    repaintAll();
}

void PageView::setShowZeroBorders(bool on)
{
    m_doc->commands().exec(CommandGroup::ShowZeroBorders, Variant(on));
}

bool PageView::showZeroBorders() const
{
    return m_doc->commands().isSwitchOn(CommandGroup::ShowZeroBorders);
}

void PageView::setShowSpecialCharacters(bool on)
{
    m_doc->commands().exec(CommandGroup::ShowSpecialCharacters, Variant(on));
}

bool PageView::showSpecialCharacters() const
{
    return m_doc->commands().isSwitchOn(CommandGroup::ShowSpecialCharacters);
}

void PageView::setShowAllTags(bool on)
{
    m_doc->commands().exec(CommandGroup::ShowAllTags, Variant(on));
}

bool PageView::showAllTags() const
{
    return m_doc->commands().isSwitchOn(CommandGroup::ShowAllTags);
}

void PageView::setEmptyGlyphTable(bool on)
{
    m_doc->commands().exec(CommandGroup::EmptyGlyphTable, Variant(on));
}

bool PageView::emptyGlyphTable() const
{
    return m_doc->commands().isSwitchOn(CommandGroup::EmptyGlyphTable);
}

void PageView::setCaretVisible(bool visible)
{
    m_caretVisible = visible;
    selectionChanged();
}

QRect PageView::caretLocation()
{
    if (!m_doc)
        return QRect();
    // Where the caret is drawn, also in an empty cell or beside an image.
    const QRect caret = caretPageRect();
    return caret.isNull() ? caret : caret.translated(-m_layout->scrollPosition());
}

bool PageView::moveCaretTo(const DisplayPointer& pointer)
{
    if (!m_doc || !pointer.isPositioned())
        return false;
    m_doc->selection().collapseAt(pointer.node(), pointer.offset());
    m_caretVisible = true;
    const QRect caret = pointer.caretRect();
    if (!caret.isNull())
        scrollIntoView(caret.translated(m_layout->scrollPosition()));
    selectionChanged();
    return true;
}

void PageView::selectionChanged()
{
    // The selection may cover any part of the page: paint the view again.
    repaintAll();
}

Element* PageView::elementAtClientPoint(QPoint client)
{
    if (Element* framed = grabFrameAt(client))
        return framed;
    return HitTester(*m_layout).elementFromPoint(client);
}

Element* PageView::grabFrameElement()
{
    if (!m_designMode || !m_doc || !m_doc->commands().editMode())
        return nullptr;
    const Selection& selection = m_doc->selection();
    if (selection.type() == Selection::Type::Control || !selection.start().isSet())
        return nullptr;
    Node* node = selection.start().node();
    for (Element* e = elementAtOrAbove(node); e; e = e->parentElement()) {
        if (e->hasTag(QLatin1String("BODY")))
            return nullptr;
        if (const LayoutBox* box = m_layout->box(e); box && box->absolute)
            return e;
    }
    return nullptr;
}

Element* PageView::grabFrameAt(QPoint client)
{
    const QPoint page = client + m_layout->scrollPosition();
    const auto onRing = [&](Element* element) {
        const LayoutBox* box = element ? m_layout->box(element) : nullptr;
        if (!box || box->borderBox.isEmpty())
            return false;
        const QRect ring = box->borderBox.adjusted(-kHandleSize, -kHandleSize, kHandleSize, kHandleSize);
        return ring.contains(page) && !box->borderBox.contains(page);
    };
    // The handles around control-selected elements belong to them, the last
    // selected on top.
    if (m_designMode && m_doc && m_doc->selection().type() == Selection::Type::Control) {
        const std::vector<Ref<Element>> selected = m_doc->selection().controlElements();
        for (auto it = selected.rbegin(); it != selected.rend(); ++it)
            if (onRing(it->get()))
                return it->get();
        return nullptr;
    }
    Element* framed = grabFrameElement();
    return onRing(framed) ? framed : nullptr;
}

bool PageView::moveRangeToPoint(TextRange& range, QPoint client)
{
    return RangeGeometry(*m_layout, *m_text).moveToPoint(range, client);
}

std::vector<QRect> PageView::rangeClientRects(const TextRange& range)
{
    return RangeGeometry(*m_layout, *m_text).clientRects(range);
}

QRect PageView::rangeBoundingClientRect(const TextRange& range)
{
    return RangeGeometry(*m_layout, *m_text).boundingClientRect(range);
}

void PageView::scrollRangeIntoView(const TextRange& range)
{
    const QRect page = RangeGeometry(*m_layout, *m_text).rangePageRect(range);
    if (!page.isNull())
        scrollIntoView(page);
}

QRect PageView::offsetRect(Element* element)
{
    Geometry geometry(*m_layout);
    return QRect(geometry.offsetLeft(element), geometry.offsetTop(element), geometry.offsetWidth(element),
                 geometry.offsetHeight(element));
}

int PageView::addBehavior(Element* element, std::shared_ptr<ElementPainter> painter)
{
    if (!element || !painter)
        return 0;
    const int cookie = m_nextCookie++;
    m_behaviors[cookie] = Behavior{Ref<Element>(element), std::move(painter)};
    m_behaviorsByNode[element].push_back(cookie);
    invalidateBehavior(cookie);
    return cookie;
}

void PageView::unindexBehavior(const Element* element, int cookie)
{
    const auto found = m_behaviorsByNode.find(element);
    if (found == m_behaviorsByNode.end())
        return;
    std::vector<int>& cookies = found->second;
    cookies.erase(std::remove(cookies.begin(), cookies.end(), cookie), cookies.end());
    if (cookies.empty())
        m_behaviorsByNode.erase(found);
}

bool PageView::removeBehavior(Element* element, int cookie)
{
    const auto it = m_behaviors.find(cookie);
    if (it == m_behaviors.end() || it->second.element.get() != element)
        return false;
    invalidateBehavior(cookie);
    unindexBehavior(element, cookie);
    m_behaviors.erase(it);
    return true;
}

QRect PageView::behaviorBounds(Element* element)
{
    const QPoint scroll = m_layout->scrollPosition();
    if (element->hasTag(QLatin1String("BODY")))
        return QRect(-scroll, m_layout->canvasSize());
    const LayoutBox* box = m_layout->box(element);
    return box ? box->borderBox.translated(-scroll) : QRect();
}

void PageView::invalidateBehavior(int cookie, const QRect& rect)
{
    const auto it = m_behaviors.find(cookie);
    if (it == m_behaviors.end() || !it->second.element->isConnected())
        return;
    // Painters never cause a layout: a pending layout repaints everything anyway.
    if (m_layout->needsLayout()) {
        repaintAll();
        return;
    }
    const QRect bounds = behaviorBounds(it->second.element.get());
    repaintClient(rect.isNull() ? bounds : rect);
}

QPoint PageView::scrollPosition() const
{
    return m_layout->scrollPosition();
}

void PageView::scrollToPage(QPoint pos)
{
    m_bottomAt.reset();
    const QPoint before = m_layout->scrollPosition();
    m_layout->setScrollPosition(pos);
    updateScrollBars();
    if (m_layout->scrollPosition() != before)
        repaintAll();
}

void PageView::scrollIntoView(const QRect& pageRect)
{
    const QSize client = m_layout->viewportSize();
    QPoint scroll = m_layout->scrollPosition();
    if (pageRect.right() >= scroll.x() + client.width())
        scroll.setX(pageRect.right() + 1 - client.width());
    if (pageRect.left() < scroll.x())
        scroll.setX(pageRect.left());
    if (pageRect.bottom() >= scroll.y() + client.height())
        scroll.setY(pageRect.bottom() + 1 - client.height());
    if (pageRect.top() < scroll.y())
        scroll.setY(pageRect.top());
    scrollToPage(scroll);
}

void PageView::scrollToBottom(int x)
{
    m_layout->ensureLayout();
    scrollToPage(QPoint(x, m_layout->canvasSize().height()));
    if (m_layout->isLayingOutInBackground())
        m_bottomAt = x;
}

namespace pageview_detail {

// Integer division rounding down, also for points left of or above the view
// (mouse capture reports those).
int floorDiv(int a, int b)
{
    return a >= 0 ? a / b : -((-a + b - 1) / b);
}

} // namespace pageview_detail

QPoint PageView::viewToClient(QPoint view) const
{
    return QPoint(pageview_detail::floorDiv(view.x() * 100, m_zoom), pageview_detail::floorDiv(view.y() * 100, m_zoom));
}

QPoint PageView::clientToView(QPoint client) const
{
    return QPoint(client.x() * m_zoom / 100, client.y() * m_zoom / 100);
}

QRect PageView::clientToView(const QRect& client) const
{
    const QPoint tl = clientToView(client.topLeft());
    const QPoint br((client.x() + client.width()) * m_zoom / 100 + 1,
                    (client.y() + client.height()) * m_zoom / 100 + 1);
    return QRect(tl, br - QPoint(1, 1));
}

void PageView::updateViewportSize()
{
    const QSize view = viewport()->size();
    m_layout->setViewportSize(
        QSize(std::max(1, view.width() * 100 / m_zoom), std::max(1, view.height() * 100 / m_zoom)));
    scheduleFlush();
}

void PageView::updateScrollBars()
{
    const QSize canvas = m_layout->canvasSize();
    const QSize client = m_layout->viewportSize();
    const QPoint scroll = m_layout->scrollPosition();
    m_syncingScroll = true;
    horizontalScrollBar()->setRange(0, std::max(0, canvas.width() - client.width()));
    horizontalScrollBar()->setPageStep(client.width());
    horizontalScrollBar()->setSingleStep(16);
    horizontalScrollBar()->setValue(scroll.x());
    verticalScrollBar()->setRange(0, std::max(0, canvas.height() - client.height()));
    verticalScrollBar()->setPageStep(client.height());
    verticalScrollBar()->setSingleStep(16);
    verticalScrollBar()->setValue(scroll.y());
    m_syncingScroll = false;
}

void PageView::scrollContentsBy(int, int)
{
    if (m_syncingScroll)
        return;
    m_bottomAt.reset();
    m_layout->setScrollPosition(QPoint(horizontalScrollBar()->value(), verticalScrollBar()->value()));
    repaintAll();
}

void PageView::hideEvent(QHideEvent* event)
{
    // A hidden view cannot keep the mouse.
    m_input->loseCapture();
    QAbstractScrollArea::hideEvent(event);
}

void PageView::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    updateViewportSize();
    repaintAll();
}

void PageView::scheduleFlush()
{
    if (m_flushQueued)
        return;
    m_flushQueued = true;
    QMetaObject::invokeMethod(
        this, [this] { flushChanges(); }, Qt::QueuedConnection);
}

void PageView::flushChanges()
{
    m_flushQueued = false;
    m_layout->ensureLayout();
    // A taller view or a shorter page: the scroll position stays inside the
    // canvas (a layout clamps it too, a change of height alone does not).
    const QPoint scrolled = m_layout->scrollPosition();
    m_layout->setScrollPosition(m_bottomAt ? QPoint(*m_bottomAt, m_layout->canvasSize().height()) : scrolled);
    if (m_layout->scrollPosition() != scrolled)
        repaintAll();
    if (!m_layout->isLayingOutInBackground())
        m_bottomAt.reset();
    updateScrollBars();
    const QRegion dirty = m_layout->takeDirtyRegion();
    const QPoint scroll = m_layout->scrollPosition();
    for (const QRect& r : dirty)
        repaintClient(r.translated(-scroll));
}

void PageView::repaintClient(const QRect& client)
{
    if (client.isEmpty())
        return;
    const QRect view = clientToView(client).intersected(viewport()->rect());
    if (view.isEmpty())
        return;
    m_pending += view;
    viewport()->update(view);
}

void PageView::repaintAll()
{
    m_pending = QRegion(viewport()->rect());
    viewport()->update();
}

void PageView::paintEvent(QPaintEvent* event)
{
    m_layout->ensureLayout();
    QPainter p(viewport());
    paintViewRegion(p, event->region());
    m_pending = QRegion();
}

void PageView::paintViewRegion(QPainter& p, const QRegion& region)
{
    // One pass over the bounding rectangle when it is not much larger than
    // the region: each pass costs a walk over the whole page.
    long long area = 0;
    for (const QRect& r : region)
        area += static_cast<long long>(r.width()) * r.height();
    const QRect bounds = region.boundingRect();
    std::vector<QRect> rects;
    if (static_cast<long long>(bounds.width()) * bounds.height() <= 3 * area)
        rects.push_back(bounds);
    else
        rects.assign(region.begin(), region.end());
    for (const QRect& view : rects) {
        // The client area under the view rectangle, rounded outwards.
        const QPoint tl = viewToClient(view.topLeft());
        const QPoint br(((view.x() + view.width()) * 100 + m_zoom - 1) / m_zoom,
                        ((view.y() + view.height()) * 100 + m_zoom - 1) / m_zoom);
        p.save();
        p.setClipRect(view);
        p.scale(m_zoom / 100.0, m_zoom / 100.0);
        paintClient(p, QRect(tl, br - QPoint(1, 1)));
        p.restore();
    }
}

void PageView::setHeadless(QSize size)
{
    // Headless views answer for the whole page at once.
    m_layout->setBuildsInBackground(false);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setAttribute(Qt::WA_DontShowOnScreen);
    resize(size);
    show();
    updateViewportSize();
    flushChanges();
}

QImage PageView::renderToImage()
{
    flushChanges();
    QImage image(viewport()->size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter p(&image);
    // As a paint event paints: at a zoom the last column and row of the view
    // show part of a page pixel too.
    paintViewRegion(p, QRegion(image.rect()));
    p.end();
    m_pending = QRegion();
    return image;
}

void PageView::paintClient(QPainter& p, const QRect& clientRect)
{
    m_layout->ensureLayout();
    const QPoint scroll = m_layout->scrollPosition();
    const QRect pageRect = clientRect.translated(scroll);
    m_currentUpdate = pageRect;
    p.save();
    p.translate(-scroll);
    m_layout->engine().draw(p, pageRect);
    if (m_designMode) {
        paintBehaviors(p, pageRect, true);
        paintDecorations(p, pageRect);
        paintBehaviors(p, pageRect, false);
    }
    p.restore();
}

void PageView::paintBehaviorsBelow(QPainter& p, int nodeId, const QRect& pageBox, const QRect& pageUpdate)
{
    if (!m_designMode || m_behaviors.empty())
        return;
    const Node* node = m_layout->node(nodeId);
    // Only the node's own painters, in the order they were attached: a table
    // of many highlighted cells draws each cell's without a walk over all.
    const auto own = node ? m_behaviorsByNode.find(node) : m_behaviorsByNode.end();
    if (own == m_behaviorsByNode.end())
        return;
    const QPoint scroll = m_layout->scrollPosition();
    for (int cookie : std::vector<int>(own->second)) {
        const auto it = m_behaviors.find(cookie);
        if (it == m_behaviors.end())
            continue;
        Behavior& b = it->second;
        if (b.painter->zOrder() != ElementPainter::BelowContent)
            continue;
        const QRect bounds = b.element->hasTag(QLatin1String("BODY")) ? QRect(-scroll, m_layout->canvasSize())
                                                                      : pageBox.translated(-scroll);
        p.save();
        p.translate(scroll);
        b.painter->draw(p, bounds, pageUpdate.translated(-scroll), b.painter->flags());
        p.restore();
    }
}

void PageView::paintBehaviors(QPainter& p, const QRect& pageUpdate, bool belowPassLeftovers)
{
    const QPoint scroll = m_layout->scrollPosition();
    for (auto& [cookie, b] : m_behaviors) {
        if (!b.element->isConnected())
            continue;
        const bool below = b.painter->zOrder() == ElementPainter::BelowContent;
        // Elements whose layout class calls the painters below content had
        // theirs drawn with the page; the others get them before decorations.
        if (belowPassLeftovers != below || (below && pageview_detail::drawsBelowContentItself(b.element.get())))
            continue;
        const QRect bounds = behaviorBounds(b.element.get());
        if (bounds.isNull() || !bounds.translated(scroll).intersects(pageUpdate))
            continue;
        p.save();
        p.translate(scroll);
        b.painter->draw(p, bounds, pageUpdate.translated(-scroll), b.painter->flags());
        p.restore();
    }
}

void PageView::paintDecorations(QPainter& p, const QRect& pageUpdate)
{
    const LayoutTree& tree = m_layout->tree();
    if (showZeroBorders()) {
        p.save();
        p.setPen(QPen(QColor(0x80, 0x80, 0x80), 1, Qt::DotLine));
        p.setBrush(Qt::NoBrush);
        // (A long page has hundreds of thousands of boxes: the cheap tests
        // first.)
        for (const LayoutBox& b : tree.boxes) {
            if (!b.borderBox.intersects(pageUpdate) || b.borderBox != b.paddingBox)
                continue;
            if (b.positioned || b.tag == QLatin1String("TABLE") || b.tag == QLatin1String("TD") ||
                b.tag == QLatin1String("TH"))
                p.drawRect(b.borderBox.adjusted(0, 0, -1, -1));
        }
        p.restore();
    }
    if (!m_doc)
        return;
    // The grab frame of the positioned element being typed in: hatched.
    if (Element* framed = grabFrameElement()) {
        const LayoutBox* box = m_layout->box(framed);
        const QRect inner = box ? box->borderBox : QRect();
        const QRect outer = inner.adjusted(-kHandleSize, -kHandleSize, kHandleSize, kHandleSize);
        if (!inner.isEmpty() && outer.intersects(pageUpdate)) {
            const QBrush hatch(QColor(0x80, 0x80, 0x80), Qt::BDiagPattern);
            p.fillRect(QRect(outer.left(), outer.top(), outer.width(), kHandleSize), hatch);
            p.fillRect(QRect(outer.left(), inner.bottom() + 1, outer.width(), kHandleSize), hatch);
            p.fillRect(QRect(outer.left(), inner.top(), kHandleSize, inner.height()), hatch);
            p.fillRect(QRect(inner.right() + 1, inner.top(), kHandleSize, inner.height()), hatch);
        }
    }
    Selection& selection = m_doc->selection();
    // A collapsed text range is a caret.
    const Selection::Type type =
        selection.type() == Selection::Type::Text && selection.isCollapsed() ? Selection::Type::None : selection.type();
    switch (type) {
    case Selection::Type::Text: {
        // The covered part of each line of text between the two ends, and
        // the empty lines between them.
        const QColor highlight(0x33, 0x99, 0xff, 110);
        for (const QRect& r : RangeGeometry(*m_layout, *m_text).highlightRects(selection.start(), selection.end())) {
            if (r.intersects(pageUpdate))
                p.fillRect(r, highlight);
        }
        break;
    }
    case Selection::Type::Control: {
        p.save();
        p.setPen(QPen(Qt::black, 1));
        p.setBrush(Qt::white);
        for (const Ref<Element>& el : selection.controlElements()) {
            const LayoutBox* box = m_layout->box(el.get());
            if (!box)
                continue;
            for (const QRect& h : pageview_detail::handleRects(box->borderBox, kHandleSize))
                p.drawRect(h.adjusted(0, 0, -1, -1));
        }
        p.restore();
        break;
    }
    case Selection::Type::None: {
        if (!m_caretVisible)
            break;
        const QRect caret = caretPageRect();
        if (!caret.isNull() && caret.intersects(pageUpdate))
            p.fillRect(caret, Qt::black);
        m_input->paintComposition(p, caret);
        break;
    }
    }
}

QRect PageView::caretPageRect()
{
    Selection& selection = m_doc->selection();
    if (selection.type() == Selection::Type::Control || !selection.isCollapsed() || !selection.start().isSet())
        return QRect();
    return m_text->caretRectAt(selection.start().node(), selection.start().offset());
}

bool PageView::moveMarkupPointerToCaret(MarkupPointer& pointer)
{
    // The caret of a text selection stands at its end.
    Selection& selection = m_doc->selection();
    if (selection.type() == Selection::Type::Control || !selection.end().isSet())
        return false;
    pointer.moveTo(selection.end().node(), selection.end().offset());
    return true;
}

std::vector<QRect> PageView::handleRects(const QRect& borderBox)
{
    return pageview_detail::handleRects(borderBox, kHandleSize);
}

} // namespace engine
