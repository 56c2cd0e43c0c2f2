#include "engine/view/DesignModeInput.h"

#include "engine/css/Style.h"
#include "engine/dom/Document.h"
#include "engine/editing/ClipboardData.h"
#include "engine/editing/CommandGroup.h"
#include "engine/editing/Selection.h"
#include "engine/editing/TextRange.h"
#include "engine/editing/Typing.h"
#include "engine/layout/Geometry.h"
#include "engine/layout/HitTester.h"
#include "engine/layout/TextGeometry.h"
#include "engine/markup/TextUnits.h"
#include "engine/view/CaretStep.h"
#include "engine/view/EventSink.h"
#include "engine/view/EventDispatcher.h"
#include "engine/view/EventObject.h"
#include "engine/view/PageView.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QMimeData>
#include <QPainter>
#include <QUrl>

#include <algorithm>
#include <cstdlib>

namespace engine {

namespace input_detail {

bool isControlTag(const Element* e)
{
    static const char* const kTags[] = {"IMG", "HR", "EMBED", "OBJECT", "APPLET", "INPUT", "SELECT", "TEXTAREA"};
    for (const char* t : kTags)
        if (e->hasTag(QLatin1String(t)))
            return true;
    return false;
}

bool isTextContainer(const Element* e)
{
    return e->hasTag(QLatin1String("TD")) || e->hasTag(QLatin1String("TH")) || e->hasTag(QLatin1String("CAPTION"));
}

Qt::CursorShape cornerCursor(int corner)
{
    switch (corner) {
    case 5:
    case 8:
        return Qt::SizeFDiagCursor;
    case 6:
    case 7:
        return Qt::SizeBDiagCursor;
    case 1:
    case 3:
        return Qt::SizeVerCursor;
    default:
        return Qt::SizeHorCursor;
    }
}

bool isImageFile(const QString& path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    return suffix == QLatin1String("gif") || suffix == QLatin1String("jpg") || suffix == QLatin1String("jpeg") ||
           suffix == QLatin1String("png") || suffix == QLatin1String("bmp");
}

QString attributeValue(const QString& v)
{
    QString out = v;
    out.replace(u'&', QLatin1String("&amp;")).replace(u'"', QLatin1String("&quot;"));
    return out;
}

// Ends the view's capture when the mouse goes elsewhere: a popup or a modal
// window of the program shows, or the view's window loses the activation.
class CaptureWatch : public QObject
{
public:
    CaptureWatch(DesignModeInput& input, QWidget& view) : m_input(input), m_view(view) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Show && watched->isWidgetType()) {
            auto* widget = static_cast<QWidget*>(watched);
            if (widget->isWindow() && widget != m_view.window() &&
                (widget->windowType() == Qt::Popup || widget->isModal()))
                m_input.loseCapture();
        } else if (event->type() == QEvent::WindowDeactivate && watched == m_view.window()) {
            m_input.loseCapture();
        }
        return false;
    }

private:
    DesignModeInput& m_input;
    QWidget& m_view;
};

// The place of `text` farthest from `offset` in direction `step` (1 towards
// its end, -1 towards its start) whose caret stands on the line at `lineTop`,
// `offset`'s included. Along one text node a later place never stands on an
// earlier line: the place is found by doubling the distance and halving it
// back, not character by character (a line of program text may hold a
// million of them).
int farthestOnLine(TextGeometry& geometry, Text* text, int offset, int step, int lineTop)
{
    const auto onLine = [&](int at) {
        const QRect r = geometry.caretRect(text, at);
        return !r.isNull() && r.top() == lineTop;
    };
    const int limit = step > 0 ? text->length() : 0;
    int on = offset;
    int off = -1; // a place beyond the line, once found
    for (int distance = 1; on != limit; distance *= 2) {
        const int at = step > 0 ? std::min(on + distance, limit) : std::max(on - distance, limit);
        if (!onLine(at)) {
            off = at;
            break;
        }
        on = at;
    }
    while (off >= 0 && std::abs(off - on) > 1) {
        const int middle = on + (off - on) / 2;
        (onLine(middle) ? on : off) = middle;
    }
    // (Never between the two halves of a surrogate pair.)
    if (on > 0 && on < text->length() && text->data().at(on).isLowSurrogate())
        on -= step;
    return on;
}

} // namespace input_detail

DesignModeInput::DesignModeInput(PageView& view, EventDispatcher& events)
    : m_view(view), m_events(events), m_cursor(Qt::ArrowCursor)
{
}

DesignModeInput::~DesignModeInput() = default;

Document* DesignModeInput::doc() const
{
    return m_view.document();
}

bool DesignModeInput::editing() const
{
    return m_view.designMode() && doc()->commands().editMode();
}

// ---------------------------------------------------------------- switches

bool DesignModeInput::multipleSelection() const
{
    return doc()->commands().isSwitchOn(CommandGroup::MultipleSelection);
}
bool DesignModeInput::position2D() const
{
    return doc()->commands().isSwitchOn(CommandGroup::Position2D);
}
bool DesignModeInput::liveResize() const
{
    return doc()->commands().isSwitchOn(CommandGroup::LiveResize);
}
bool DesignModeInput::overwrite() const
{
    return doc()->commands().isSwitchOn(CommandGroup::Overwrite);
}
bool DesignModeInput::overrideCursor() const
{
    return doc()->commands().isSwitchOn(CommandGroup::OverrideCursor);
}

// ---------------------------------------------------------------- capture

void DesignModeInput::setCapture(Element* element)
{
    m_capture = element;
    if (!m_captureWatch && m_capture && QCoreApplication::instance()) {
        m_captureWatch = std::make_unique<input_detail::CaptureWatch>(*this, m_view);
        QCoreApplication::instance()->installEventFilter(m_captureWatch.get());
    }
    if (m_view.isVisible() && !m_view.testAttribute(Qt::WA_DontShowOnScreen))
        m_view.viewport()->grabMouse();
}

void DesignModeInput::releaseCapture()
{
    if (m_captureWatch && QCoreApplication::instance())
        QCoreApplication::instance()->removeEventFilter(m_captureWatch.get());
    m_captureWatch.reset();
    if (!m_capture)
        return;
    m_capture = nullptr;
    if (m_view.isVisible() && !m_view.testAttribute(Qt::WA_DontShowOnScreen))
        m_view.viewport()->releaseMouse();
}

void DesignModeInput::loseCapture()
{
    if (!m_capture)
        return;
    Ref<Document> keep(doc());
    Ref<Element> lost = m_capture;
    releaseCapture();
    if (m_drag != Drag::None)
        endDrag();
    EventObject event;
    event.srcElement = lost;
    m_events.fire(events::LoseCapture, event);
    finishEvent();
}

// ---------------------------------------------------------------- geometry

Element* DesignModeInput::elementAt(QPoint client) const
{
    if (Element* framed = m_view.grabFrameAt(client))
        return framed;
    HitTester hit(m_view.layout());
    if (Element* e = hit.elementFromPoint(client))
        return e;
    // Outside the view (capture): what lies there on the page.
    return hit.elementAtPagePoint(client + m_view.scrollPosition());
}

QRect DesignModeInput::clientRect(Element* el) const
{
    return Geometry(m_view.layout()).boundingClientRect(el);
}

Element* DesignModeInput::handleAt(QPoint client, int* corner) const
{
    if (doc()->selection().type() != Selection::Type::Control)
        return nullptr;
    static const int kCorners[] = {5, 1, 6, 2, 4, 7, 3, 8};
    for (const auto& el : doc()->selection().controlElements()) {
        const QRect box = clientRect(el.get());
        if (box.isNull())
            continue;
        const auto handles = PageView::handleRects(box);
        for (size_t i = 0; i < handles.size() && i < 8; ++i)
            if (handles[i].contains(client)) {
                *corner = kCorners[i];
                return el.get();
            }
    }
    return nullptr;
}

bool DesignModeInput::holdsCaret(const Element* element) const
{
    const Selection& sel = doc()->selection();
    return sel.type() != Selection::Type::Control && sel.start().isSet() && element->containsNode(sel.start().node());
}

Element* DesignModeInput::selectedMemberAt(QPoint client, Element* hit) const
{
    if (doc()->selection().type() != Selection::Type::Control)
        return nullptr;
    for (const auto& el : doc()->selection().controlElements()) {
        if (hit && el->containsNode(hit))
            return el.get();
        const QRect box = clientRect(el.get());
        const int ring = PageView::kHandleSize;
        if (!box.isNull() && box.adjusted(-ring, -ring, ring, ring).contains(client))
            return el.get();
    }
    return nullptr;
}

// ---------------------------------------------------------------- events

EventObject DesignModeInput::mouseEvent(QPoint client, int button, Qt::KeyboardModifiers mods, Element* src) const
{
    EventObject e;
    e.srcElement = src;
    e.x = client.x();
    e.y = client.y();
    e.button = button;
    e.shiftKey = mods & Qt::ShiftModifier;
    e.ctrlKey = mods & Qt::ControlModifier;
    e.altKey = mods & Qt::AltModifier;
    return e;
}

void DesignModeInput::finishEvent(Repaint repaint)
{
    // onselectionchange follows the event that changed the selection; the
    // selection's decorations are painted again, but after a mouse move
    // that dragged nothing.
    doc()->selection().flushChange();
    if (repaint == Repaint::Decorations)
        m_view.selectionChanged();
}

void DesignModeInput::mouseDown(QPoint client, int button, Qt::KeyboardModifiers mods)
{
    Ref<Document> keep(doc());
    Ref<Element> hit = elementAt(client);
    m_pressPoint = client;
    m_pressButton = button;
    m_secondPress = false;
    m_drag = Drag::None;
    EventObject event = mouseEvent(client, button, mods, hit.get() ? hit.get() : doc()->body());
    const bool capturedBefore = bool(m_capture);
    const bool cancelled = m_events.fire(events::MouseDown, event);
    if (!cancelled && !capturedBefore && !m_capture && editing() && hit) {
        EventDispatcher::Scope scope(m_events, event);
        pressDefault(client, hit.get(), mods, event);
    }
    finishEvent();
    updateCursor(client);
}

void DesignModeInput::pressDefault(QPoint client, Element* hit, Qt::KeyboardModifiers mods, EventObject&)
{
    Selection& sel = doc()->selection();
    const bool shift = mods & Qt::ShiftModifier;
    if (m_pressButton != LeftButton)
        return;
    // A handle of a control-selected element: live resize.
    int corner = 0;
    if (Element* sized = handleAt(client, &corner); sized && liveResize()) {
        EventObject start = mouseEvent(client, m_pressButton, mods, sized);
        if (m_events.fire(events::ResizeStart, start))
            return;
        m_moved = {Moved{Ref<Element>(sized), clientRect(sized)}};
        m_corner = corner;
        m_drag = Drag::Resize;
        doc()->beginUndoUnit();
        m_undoOpen = true;
        return;
    }
    // A member of the control range keeps the range; a drag moves it.
    if (Element* member = selectedMemberAt(client, hit)) {
        if (shift && multipleSelection())
            return;
        m_pressElement = member;
        m_drag = position2D() ? Drag::Pending : Drag::None;
        m_moveStarted = false;
        return;
    }
    if (hit->hasTag(QLatin1String("BODY")))
        sel.forceChangeNotification();
    const auto textPress = [&](Element* container, Element* block = nullptr) {
        if (placeCaretAt(client, container, hit, block)) {
            m_pressElement = hit;
            m_drag = Drag::TextSelect;
            m_moveStarted = false;
        }
    };
    // What the press falls on.
    for (Element* e = hit; e; e = e->parentElement()) {
        if (e->hasTag(QLatin1String("MARQUEE"))) {
            // The text of a MARQUEE being typed in takes the caret; any
            // other press selects the MARQUEE.
            if (holdsCaret(e))
                textPress(e);
            else
                controlSelect(e, shift, client, mods);
            return;
        }
        if (input_detail::isControlTag(e) || (e == hit && e->hasTag(QLatin1String("TABLE")))) {
            controlSelect(e, shift, client, mods);
            return;
        }
        if (input_detail::isTextContainer(e) || e->hasTag(QLatin1String("BODY"))) {
            if (shift && m_anchor.isSet()) {
                const TextPosition pos = m_view.textGeometry().positionAtPoint(client + m_view.scrollPosition());
                if (!pos.isNull() && e->containsNode(pos.node)) {
                    m_focus.set(pos.node, pos.offset);
                    sel.setTextRange(m_anchor.node(), m_anchor.offset(), pos.node, pos.offset);
                    return;
                }
            }
            // In the page's flow the caret stays in the block pressed on.
            textPress(e, e->hasTag(QLatin1String("BODY")) ? flowBlockOf(hit) : nullptr);
            return;
        }
        if (const LayoutBox* box = m_view.layout().box(e); box && box->absolute) {
            controlSelect(e, shift, client, mods);
            return;
        }
    }
}

Element* DesignModeInput::flowBlockOf(Node* node) const
{
    for (Element* e = elementAtOrAbove(node); e; e = e->parentElement()) {
        if (e->hasTag(QLatin1String("BODY")))
            return e;
        if (const LayoutBox* box = m_view.layout().box(e); box && !box->inlineLevel)
            return e;
    }
    return nullptr;
}

bool DesignModeInput::placeCaretAt(QPoint client, Element* container, Element* src, Element* block)
{
    EventObject focus = mouseEvent(client, m_pressButton, Qt::NoModifier, container);
    focus.srcElement = src;
    if (m_events.fire(events::BeforeEditFocus, focus))
        return false;
    Selection& sel = doc()->selection();
    const TextPosition pos = m_view.textGeometry().positionAtPoint(client + m_view.scrollPosition());
    // A press on the bare page does not reach for the nearest paragraph.
    const bool inBlock = !block || (block->hasTag(QLatin1String("BODY")) ? flowBlockOf(pos.node) == block
                                                                         : block->containsNode(pos.node));
    if (!pos.isNull() && container->containsNode(pos.node) && inBlock &&
        Typing::editingContainer(pos.node) == Typing::editingContainer(container))
        sel.collapseAt(pos.node, pos.offset);
    else
        sel.collapseAt(container, container->childCount());
    m_view.setCaretVisible(true);
    m_anchor = sel.start();
    m_focus = sel.start();
    m_goalX = -1;
    return true;
}

bool DesignModeInput::controlSelect(Element* el, bool add, QPoint client, Qt::KeyboardModifiers mods)
{
    EventObject event = mouseEvent(client, m_pressButton, mods, el);
    if (m_events.fire(events::ControlSelect, event))
        return false;
    Selection& sel = doc()->selection();
    std::vector<Ref<Element>> items;
    if (add && multipleSelection() && sel.type() == Selection::Type::Control)
        items = sel.controlElements();
    items.push_back(Ref<Element>(el));
    sel.setControlRange(items);
    m_pressElement = el;
    m_drag = position2D() ? Drag::Pending : Drag::None;
    m_moveStarted = false;
    return true;
}

void DesignModeInput::doubleClick(QPoint client, int button, Qt::KeyboardModifiers)
{
    // The second press fires neither mousedown nor click.
    m_secondPress = true;
    m_pressPoint = client;
    m_pressButton = button;
    m_drag = Drag::None;
}

void DesignModeInput::mouseMove(QPoint client, int buttons, Qt::KeyboardModifiers mods)
{
    Ref<Document> keep(doc());
    updateHover(client, mods);
    Ref<Element> hit = elementAt(client);
    EventObject event = mouseEvent(client, buttons, mods, hit.get() ? hit.get() : doc()->body());
    const bool cancelled = m_events.fire(events::MouseMove, event);
    if (!m_capture && editing() && (buttons & LeftButton)) {
        EventDispatcher::Scope scope(m_events, event);
        switch (m_drag) {
        case Drag::Pending:
        case Drag::Move:
            if (!cancelled)
                stepMove(client, event);
            break;
        case Drag::Resize:
            if (!cancelled)
                stepResize(client, event);
            break;
        case Drag::TextSelect:
            if (!cancelled)
                stepTextSelect(client, event);
            break;
        case Drag::None:
            break;
        }
    } else if (m_capture) {
        m_drag = Drag::None; // the sink took over the press
    }
    finishEvent(m_capture || m_drag != Drag::None ? Repaint::Decorations : Repaint::IfSelectionChanged);
    updateCursor(client);
}

void DesignModeInput::stepTextSelect(QPoint client, EventObject& event)
{
    if (!m_moveStarted) {
        if ((client - m_pressPoint).manhattanLength() < 2)
            return;
        EventObject start = event;
        start.srcElement = m_pressElement;
        if (m_events.fire(events::SelectStart, start)) {
            m_drag = Drag::None;
            return;
        }
        m_moveStarted = true;
    }
    const TextPosition pos = m_view.textGeometry().positionAtPoint(client + m_view.scrollPosition());
    if (pos.isNull() || !m_anchor.isSet() || !Typing(doc()).isEditable(pos.node))
        return;
    m_focus.set(pos.node, pos.offset);
    doc()->selection().setTextRange(m_anchor.node(), m_anchor.offset(), pos.node, pos.offset);
    m_anchor = LivePosition(m_anchor);
}

void DesignModeInput::startMove(QPoint)
{
    m_moved.clear();
    for (const auto& el : doc()->selection().controlElements()) {
        const LayoutBox* box = m_view.layout().box(el.get());
        if (box && box->absolute)
            m_moved.push_back(Moved{el, clientRect(el.get())});
    }
}

void DesignModeInput::stepMove(QPoint client, EventObject& event)
{
    if (!m_moveStarted) {
        if ((client - m_pressPoint).manhattanLength() < 2)
            return;
        m_moveStarted = true;
        startMove(client);
        if (m_moved.empty()) {
            m_drag = Drag::None;
            return;
        }
        EventObject start = event;
        start.srcElement = m_moved.front().element;
        if (m_events.fire(events::MoveStart, start)) {
            m_drag = Drag::None;
            m_moved.clear();
            return;
        }
        m_drag = Drag::Move;
        doc()->beginUndoUnit();
        m_undoOpen = true;
    }
    const QPoint delta = client - m_pressPoint;
    for (const auto& m : m_moved) {
        QRect rect = m.start.translated(delta);
        if (m_editHost)
            m_editHost->snapRect(m.element.get(), rect, 0);
        EventObject step = event;
        step.srcElement = m.element;
        if (m_events.fire(events::Move, step))
            continue;
        writeRect(m.element.get(), rect, true);
        // The view follows an object dragged past its edge.
        m_view.scrollIntoView(rect.translated(m_view.scrollPosition()));
    }
}

void DesignModeInput::stepResize(QPoint client, EventObject&)
{
    if (m_moved.empty())
        return;
    const Moved& m = m_moved.front();
    const QPoint d = client - m_pressPoint;
    int left = m.start.left(), top = m.start.top(), right = m.start.left() + m.start.width(),
        bottom = m.start.top() + m.start.height();
    switch (m_corner) {
    case 1:
        top += d.y();
        break;
    case 2:
        left += d.x();
        break;
    case 3:
        bottom += d.y();
        break;
    case 4:
        right += d.x();
        break;
    case 5:
        left += d.x();
        top += d.y();
        break;
    case 6:
        right += d.x();
        top += d.y();
        break;
    case 7:
        left += d.x();
        bottom += d.y();
        break;
    case 8:
        right += d.x();
        bottom += d.y();
        break;
    default:
        break;
    }
    left = std::min(left, right - 1);
    top = std::min(top, bottom - 1);
    QRect rect(QPoint(left, top), QPoint(right - 1, bottom - 1));
    if (m_editHost)
        m_editHost->snapRect(m.element.get(), rect, m_corner);
    writeRect(m.element.get(), rect, false);
    m_view.scrollIntoView(rect.translated(m_view.scrollPosition()));
}

void DesignModeInput::writeRect(Element* el, const QRect& client, bool moveOnly)
{
    Style& style = el->style();
    const QPoint page = client.topLeft() + m_view.scrollPosition();
    const LayoutBox* box = m_view.layout().box(el);
    const bool absolute = box && box->absolute;
    if (absolute || moveOnly) {
        style.setLeft(page.x());
        style.setTop(page.y());
    }
    if (!moveOnly) {
        style.setWidth(std::max(1, client.width()));
        style.setHeight(std::max(1, client.height()));
    }
}

void DesignModeInput::endDrag()
{
    const Drag drag = m_drag;
    m_drag = Drag::None;
    if (drag == Drag::Move && m_moveStarted && !m_moved.empty()) {
        EventObject end = mouseEvent(m_pressPoint, m_pressButton, Qt::NoModifier, m_moved.front().element.get());
        m_events.fire(events::MoveEnd, end);
    } else if (drag == Drag::Resize && !m_moved.empty()) {
        EventObject end = mouseEvent(m_pressPoint, m_pressButton, Qt::NoModifier, m_moved.front().element.get());
        m_events.fire(events::ResizeEnd, end);
    }
    if (m_undoOpen) {
        m_undoOpen = false;
        doc()->endUndoUnit();
    }
    m_moved.clear();
    m_moveStarted = false;
}

void DesignModeInput::mouseUp(QPoint client, int button, Qt::KeyboardModifiers mods)
{
    Ref<Document> keep(doc());
    Ref<Element> hit = elementAt(client);
    EventObject event = mouseEvent(client, button, mods, hit.get() ? hit.get() : doc()->body());
    m_events.fire(events::MouseUp, event);
    if (button == m_pressButton)
        endDrag();
    if (m_secondPress) {
        m_secondPress = false;
        EventObject dbl = event;
        const bool cancelled = m_events.fire(events::DblClick, dbl);
        if (!cancelled && !m_capture && editing() && button == LeftButton) {
            const TextPosition pos = m_view.textGeometry().positionAtPoint(client + m_view.scrollPosition());
            if (pos.text() && Typing(doc()).isEditable(pos.node) &&
                doc()->selection().type() != Selection::Type::Control) {
                const auto [from, to] = m_view.textGeometry().wordAt(pos.text(), pos.offset);
                if (to > from) {
                    doc()->selection().setTextRange(pos.node, from, pos.node, to);
                    m_anchor.set(pos.node, from);
                    m_focus.set(pos.node, to);
                }
            }
        }
    } else {
        EventObject click = event;
        m_events.fire(events::Click, click);
    }
    finishEvent();
    updateCursor(client);
}

void DesignModeInput::contextMenu(QPoint client, QPoint screen)
{
    if (!m_viewHost)
        return;
    Element* el = elementAt(client);
    m_viewHost->showContextMenu(screen, el ? el : doc()->body());
}

void DesignModeInput::updateHover(QPoint client, Qt::KeyboardModifiers mods)
{
    Ref<Element> now = elementAt(client);
    if (now.get() == m_hover.get())
        return;
    Ref<Element> before = m_hover;
    m_hover = now;
    if (before) {
        EventObject out = mouseEvent(client, 0, mods, before.get());
        out.fromElement = before;
        out.toElement = now;
        m_events.fire(events::MouseOut, out);
    }
    if (now) {
        EventObject over = mouseEvent(client, 0, mods, now.get());
        over.fromElement = before;
        over.toElement = now;
        m_events.fire(events::MouseOver, over);
    }
}

// ---------------------------------------------------------------- cursor

Qt::CursorShape DesignModeInput::cursorAt(QPoint client)
{
    if (!editing())
        return Qt::ArrowCursor;
    int corner = 0;
    if (handleAt(client, &corner))
        return input_detail::cornerCursor(corner);
    if (m_view.grabFrameAt(client))
        return Qt::SizeAllCursor;
    Element* hit = elementAt(client);
    if (selectedMemberAt(client, hit))
        return Qt::SizeAllCursor;
    if (!hit)
        return Qt::ArrowCursor;
    for (Element* e = hit; e; e = e->parentElement()) {
        // An unselected MARQUEE (a selected one is a member), unless its
        // text holds the caret.
        if (e->hasTag(QLatin1String("MARQUEE"))) {
            if (!holdsCaret(e))
                return Qt::ArrowCursor;
            break;
        }
    }
    if (input_detail::isControlTag(hit) || hit->hasTag(QLatin1String("TABLE")))
        return Qt::ArrowCursor;
    const TextPosition pos = m_view.textGeometry().positionAtPoint(client + m_view.scrollPosition());
    if (!pos.isNull() && hit->containsNode(pos.node)) {
        const QRect caret =
            m_view.textGeometry().caretRectAt(pos.node, pos.offset).translated(-m_view.scrollPosition());
        if (caret.top() <= client.y() && client.y() <= caret.bottom())
            return Qt::IBeamCursor;
    }
    return Qt::ArrowCursor;
}

void DesignModeInput::updateCursor(QPoint client)
{
    if (overrideCursor() || m_capture)
        return;
    m_programCursor = false;
    Qt::CursorShape shape = cursorAt(client);
    if (m_drag == Drag::Move)
        shape = Qt::SizeAllCursor;
    if (m_cursor.shape() != shape) {
        m_cursor = QCursor(shape);
        m_view.viewport()->setCursor(m_cursor);
    }
}

void DesignModeInput::setProgramCursor(const QCursor& cursor)
{
    m_cursor = cursor;
    m_programCursor = true;
    m_view.viewport()->setCursor(cursor);
}

// ---------------------------------------------------------------- keys

void DesignModeInput::keyDown(int qtKey, Qt::KeyboardModifiers mods, const QString& text)
{
    Ref<Document> keep(doc());
    EventObject event;
    event.srcElement =
        doc()->selection().start().isSet() && doc()->selection().start().node()->asElement()
            ? doc()->selection().start().node()->asElement()
            : (doc()->selection().start().isSet() ? doc()->selection().start().node()->parentElement() : doc()->body());
    event.keyCode = virtualKeyOf(qtKey);
    event.shiftKey = mods & Qt::ShiftModifier;
    event.ctrlKey = mods & Qt::ControlModifier;
    event.altKey = mods & Qt::AltModifier;
    if (m_events.fire(events::KeyDown, event) || !editing()) {
        finishEvent();
        return;
    }
    EventDispatcher::Scope scope(m_events, event);
    const bool ctrl = event.ctrlKey, shift = event.shiftKey;
    if ((ctrl || event.altKey) && m_viewHost &&
        m_viewHost->translateAccelerator(event.keyCode, shift, ctrl, event.altKey)) {
        finishEvent();
        return;
    }
    Typing typing(doc());
    Selection& sel = doc()->selection();
    bool changed = false;
    if (ctrl) {
        switch (qtKey) {
        case Qt::Key_Z:
            doc()->commands().exec(CommandGroup::Undo);
            break;
        case Qt::Key_Y:
            doc()->commands().exec(CommandGroup::Redo);
            break;
        case Qt::Key_C:
            doc()->commands().exec(CommandGroup::Copy);
            break;
        case Qt::Key_X:
            doc()->commands().exec(CommandGroup::Cut);
            break;
        case Qt::Key_V:
            doc()->commands().exec(CommandGroup::Paste);
            break;
        case Qt::Key_A:
            selectAll();
            break;
        case Qt::Key_B:
        case Qt::Key_U:
            // Bold and underline of the text selected or typed next, as the
            // format commands give them; the objects of a control selection
            // have no text format of their own.
            if (sel.type() != Selection::Type::Control && sel.start().isSet() && typing.isEditable(sel.start().node()))
                doc()->commands().exec(qtKey == Qt::Key_B ? CommandGroup::Bold : CommandGroup::Underline);
            break;
        case Qt::Key_Left:
        case Qt::Key_Right:
        case Qt::Key_Home:
        case Qt::Key_End:
            moveCaret(qtKey, shift, true);
            changed = true;
            break;
        default:
            break;
        }
        finishEvent();
        return;
    }
    switch (qtKey) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        changed = shift ? typing.insertLineBreak() : typing.insertParagraph();
        break;
    case Qt::Key_Backspace:
        changed = sel.type() == Selection::Type::Control ? doc()->commands().exec(CommandGroup::Delete) == 0
                                                         : typing.deleteBackward();
        break;
    case Qt::Key_Delete:
        changed = sel.type() == Selection::Type::Control ? doc()->commands().exec(CommandGroup::Delete) == 0
                                                         : typing.deleteForward();
        break;
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Home:
    case Qt::Key_End:
        moveCaret(qtKey, shift, false);
        changed = true;
        break;
    default:
        if (!event.altKey && !text.isEmpty() && text.at(0).isPrint()) {
            EventObject press = event;
            press.keyCode = text.at(0).unicode();
            if (!m_events.fire(events::KeyPress, press))
                changed = typing.insertText(text, overwrite());
        }
        break;
    }
    if (changed && qtKey != Qt::Key_Up && qtKey != Qt::Key_Down)
        m_goalX = -1;
    if (changed) {
        m_view.setCaretVisible(true);
        m_anchor = qtKey >= Qt::Key_Left && qtKey <= Qt::Key_Down ? m_anchor : sel.start();
        const QRect caret = m_view.caretPageRect();
        if (!caret.isNull())
            m_view.scrollIntoView(caret);
    }
    finishEvent();
}

void DesignModeInput::keyUp(int qtKey, Qt::KeyboardModifiers mods)
{
    EventObject event;
    event.srcElement = doc()->body();
    event.keyCode = virtualKeyOf(qtKey);
    // On the release of a modifier its flag already reads false.
    event.shiftKey = (mods & Qt::ShiftModifier) && qtKey != Qt::Key_Shift;
    event.ctrlKey = (mods & Qt::ControlModifier) && qtKey != Qt::Key_Control;
    event.altKey = (mods & Qt::AltModifier) && qtKey != Qt::Key_Alt;
    m_events.fire(events::KeyUp, event);
    finishEvent();
}

bool DesignModeInput::selectAll()
{
    Selection& sel = doc()->selection();
    if (sel.type() == Selection::Type::Control || !sel.start().isSet() || !Typing(doc()).isEditable(sel.start().node()))
        return false;
    Element* body = doc()->body();
    TextRange range(doc());
    range.moveToElementText(body);
    range.select();
    m_anchor = range.start();
    m_focus = range.end();
    return true;
}

Element* DesignModeInput::positionedLayer(Node* node)
{
    for (Element* e = elementAtOrAbove(node); e; e = e->parentElement()) {
        if (e->hasTag(QLatin1String("BODY")))
            return nullptr;
        if (const LayoutBox* box = m_view.layout().box(e); box && box->absolute)
            return e;
    }
    return nullptr;
}

void DesignModeInput::moveCaret(int qtKey, bool extend, bool ctrl)
{
    Selection& sel = doc()->selection();
    if (sel.type() == Selection::Type::Control || !sel.start().isSet())
        return;
    // Keep the anchor and the moving end when they still are the selection's ends.
    const bool ours = m_anchor.isSet() && m_focus.isSet() &&
                      ((m_anchor.compare(sel.start()) == 0 && m_focus.compare(sel.end()) == 0) ||
                       (m_anchor.compare(sel.end()) == 0 && m_focus.compare(sel.start()) == 0));
    if (!ours) {
        m_anchor = sel.start();
        m_focus = sel.end();
    }
    if (!extend && !sel.isCollapsed() && (qtKey == Qt::Key_Left || qtKey == Qt::Key_Right)) {
        const LivePosition to = qtKey == Qt::Key_Left ? sel.start() : sel.end();
        sel.collapseAt(to.node(), to.offset());
        m_anchor = m_focus = sel.start();
        return;
    }
    Node* node = m_focus.node();
    int offset = m_focus.offset();
    Node* scope = doc()->body();
    TextGeometry& text = m_view.textGeometry();
    switch (qtKey) {
    case Qt::Key_Left:
        if (ctrl)
            textunits::prevWordStart(node, offset, scope);
        else
            stepCaret(text, node, offset, -1, scope);
        break;
    case Qt::Key_Right:
        if (ctrl)
            textunits::nextWordStart(node, offset, scope);
        else
            stepCaret(text, node, offset, 1, scope);
        break;
    case Qt::Key_Up:
    case Qt::Key_Down: {
        Node* n = node;
        int o = offset;
        // From an empty line as it stands; elsewhere from the text at the place.
        if (!text.lineInfoAt(n, o) && !n->isText() && !textunits::firstCharAt(n, o, scope) &&
            !textunits::lastCharEnd(n, o, scope))
            break;
        const QRect caret = text.caretRectAt(n, o);
        if (caret.isNull())
            break;
        if (m_goalX < 0)
            m_goalX = caret.x();
        const TextPosition to = text.moveLineAt(n, o, qtKey == Qt::Key_Up ? -1 : 1, m_goalX);
        // The lines of an absolutely positioned element are its own: the
        // caret leaves it neither for the page nor for another object.
        if (!to.isNull() && positionedLayer(to.node) == positionedLayer(node)) {
            node = to.node;
            offset = to.offset;
        }
        break;
    }
    case Qt::Key_Home:
    case Qt::Key_End: {
        if (ctrl) {
            TextRange all(doc());
            all.moveToElementText(doc()->body());
            const LivePosition& p = qtKey == Qt::Key_Home ? all.start() : all.end();
            node = p.node();
            offset = p.offset();
            break;
        }
        Node* n = node;
        int o = offset;
        const bool home = qtKey == Qt::Key_Home;
        if (!n->isText() && text.lineInfoAt(n, o))
            break; // an empty line: its start is its end
        if (!n->isText() && !(home ? textunits::firstCharAt(n, o, scope) : textunits::lastCharEnd(n, o, scope)))
            break;
        if (!n->isText())
            break;
        const int lineTop = text.caretRect(n->asText(), o).top();
        const Element* container = Typing::editingContainer(n);
        for (int guard = 0; guard < 100000; ++guard) {
            // (Along the text it stands in first, then a step beyond it.)
            if (Text* along = n->asText())
                o = input_detail::farthestOnLine(text, along, o, home ? -1 : 1, lineTop);
            Node* tn = n;
            int to = o;
            if (!(home ? textunits::prevChar(tn, to, scope) : textunits::nextChar(tn, to, scope)) || !tn->isText() ||
                Typing::editingContainer(tn) != container)
                break;
            const QRect r = text.caretRect(tn->asText(), to);
            if (r.isNull() || r.top() != lineTop)
                break;
            n = tn;
            o = to;
        }
        node = n;
        offset = o;
        break;
    }
    default:
        break;
    }
    m_focus.set(node, offset);
    if (extend) {
        sel.setTextRange(m_anchor.node(), m_anchor.offset(), node, offset);
    } else {
        sel.collapseAt(node, offset);
        m_anchor = m_focus;
    }
}

// ---------------------------------------------------------------- input methods

void DesignModeInput::composition(const QString& preedit, const QString& commit)
{
    Ref<Document> keep(doc());
    EventObject event;
    event.srcElement = doc()->body();
    event.keyCode = 229;
    // The composition is pending while its key-down is handled, as the
    // input method's string is.
    m_preedit = editing() ? preedit : QString();
    if (m_events.fire(events::KeyDown, event)) {
        m_preedit.clear();
        finishEvent();
        return;
    }
    if (!commit.isEmpty() && editing())
        Typing(doc()).insertText(commit, overwrite());
    finishEvent();
}

void DesignModeInput::paintComposition(QPainter& p, const QRect& caret) const
{
    if (m_preedit.isEmpty() || caret.isNull())
        return;
    const QFontMetrics fm(p.font());
    const QRect box(caret.left(), caret.top(), fm.horizontalAdvance(m_preedit) + 2,
                    std::max(caret.height(), fm.height()));
    p.save();
    p.fillRect(box, Qt::white);
    p.setPen(Qt::black);
    p.drawText(box, Qt::AlignLeft | Qt::AlignVCenter, m_preedit);
    p.drawLine(box.left(), box.bottom(), box.right(), box.bottom());
    p.restore();
}

// ---------------------------------------------------------------- drag and drop

bool DesignModeInput::dragEnter(QPoint client, const QMimeData*)
{
    EventObject event = mouseEvent(client, 0, Qt::NoModifier, elementAt(client));
    m_events.fire(events::DragEnter, event);
    return true;
}

bool DesignModeInput::dragOver(QPoint client, const QMimeData*)
{
    EventObject event = mouseEvent(client, 0, Qt::NoModifier, elementAt(client));
    m_events.fire(events::DragOver, event);
    return true;
}

void DesignModeInput::dragLeave()
{
    EventObject event;
    event.srcElement = m_hover;
    m_events.fire(events::DragLeave, event);
}

bool DesignModeInput::drop(QPoint client, const QMimeData* data)
{
    Ref<Document> keep(doc());
    Element* hit = elementAt(client);
    EventObject event = mouseEvent(client, 0, Qt::NoModifier, hit);
    if (m_events.fire(events::Drop, event) || !editing() || !data || !hit) {
        finishEvent();
        return false;
    }
    // The drop point becomes the caret.
    Element* container = Typing::editingContainer(hit);
    if (!container) {
        finishEvent();
        return false;
    }
    Selection& sel = doc()->selection();
    const TextPosition pos = m_view.textGeometry().positionAtPoint(client + m_view.scrollPosition());
    if (!pos.isNull() && container->containsNode(pos.node))
        sel.collapseAt(pos.node, pos.offset);
    else
        sel.collapseAt(container, container->childCount());
    // The start of what is inserted, at a place the insertion leaves before it.
    LivePosition start = sel.start();
    if (Node* n = start.node(); n->isText() && start.offset() == 0 && n->parentNode())
        start.set(n->parentNode(), n->indexInParent());
    QString html;
    for (const QUrl& url : data->urls())
        if (url.isLocalFile() && input_detail::isImageFile(url.toLocalFile()))
            html += QStringLiteral("<IMG src=\"%1\">").arg(input_detail::attributeValue(url.toLocalFile()));
    const bool images = !html.isEmpty();
    if (!images)
        html = clipboard::fragmentOf(data);
    const QString text = html.isEmpty() ? clipboard::textOf(data) : QString();
    const bool inserted = !html.isEmpty() || !text.isEmpty();
    if (inserted) {
        TextRange range = sel.createRange();
        if (!html.isEmpty())
            range.pasteHTML(html);
        else
            range.setText(text);
        range.select();
    }
    if (inserted) {
        const LivePosition end = sel.end();
        Node* sn = start.node();
        const int so = start.offset();
        // One image alone is selected as an object.
        Node* only = sn && !sn->isText() ? sn->child(so) : nullptr;
        if (images && only && only->asElement() && only->nextSibling() == end.node()->child(end.offset()) &&
            end.node() == sn && end.offset() == so + 1)
            sel.setControlRange({Ref<Element>(only->asElement())});
        else
            sel.setTextRange(sn, so, end.node(), end.offset());
    }
    finishEvent();
    return inserted;
}

} // namespace engine
