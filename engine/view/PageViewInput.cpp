// The page view's input: Qt's events become the engine's at client points.
#include "engine/view/PageView.h"

#include "engine/dom/Document.h"
#include "engine/editing/Selection.h"
#include "engine/view/DesignModeInput.h"
#include "engine/view/EventDispatcher.h"
#include "engine/view/EventObject.h"

#include <QContextMenuEvent>
#include <QDragEnterEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>

namespace engine {

namespace pageview_input_detail {

int buttonOf(Qt::MouseButton b)
{
    switch (b) {
    case Qt::LeftButton:
        return LeftButton;
    case Qt::RightButton:
        return RightButton;
    case Qt::MiddleButton:
        return MiddleButton;
    default:
        return NoButton;
    }
}

int buttonsOf(Qt::MouseButtons b)
{
    return (b & Qt::LeftButton ? LeftButton : 0) | (b & Qt::RightButton ? RightButton : 0) |
           (b & Qt::MiddleButton ? MiddleButton : 0);
}

} // namespace pageview_input_detail

int PageView::advise(EventSink* sink)
{
    return m_events->advise(sink);
}
bool PageView::unadvise(int cookie)
{
    return m_events->unadvise(cookie);
}
EventObject* PageView::windowEvent() const
{
    return m_events->current();
}
void PageView::setEditHost(EditHost* host)
{
    m_input->setEditHost(host);
}
void PageView::setViewHost(ViewHost* host)
{
    m_input->setViewHost(host);
}
void PageView::setCapture(Element* element)
{
    m_input->setCapture(element);
}
void PageView::releaseCapture()
{
    m_input->releaseCapture();
}
void PageView::setPageCursor(const QCursor& cursor)
{
    m_input->setProgramCursor(cursor);
}
QCursor PageView::pageCursor() const
{
    return m_input->currentCursor();
}

void PageView::mousePressEvent(QMouseEvent* event)
{
    m_input->mouseDown(viewToClient(event->position().toPoint()), pageview_input_detail::buttonOf(event->button()),
                       event->modifiers());
}

void PageView::mouseDoubleClickEvent(QMouseEvent* event)
{
    m_input->doubleClick(viewToClient(event->position().toPoint()), pageview_input_detail::buttonOf(event->button()),
                         event->modifiers());
}

void PageView::mouseMoveEvent(QMouseEvent* event)
{
    m_input->mouseMove(viewToClient(event->position().toPoint()), pageview_input_detail::buttonsOf(event->buttons()),
                       event->modifiers());
}

void PageView::mouseReleaseEvent(QMouseEvent* event)
{
    m_input->mouseUp(viewToClient(event->position().toPoint()), pageview_input_detail::buttonOf(event->button()),
                     event->modifiers());
}

void PageView::keyPressEvent(QKeyEvent* event)
{
    m_input->keyDown(event->key(), event->modifiers(), event->text());
}

void PageView::keyReleaseEvent(QKeyEvent* event)
{
    if (!event->isAutoRepeat())
        m_input->keyUp(event->key(), event->modifiers());
}

void PageView::inputMethodEvent(QInputMethodEvent* event)
{
    m_input->composition(event->preeditString(), event->commitString());
    event->accept();
}

QVariant PageView::inputMethodQuery(Qt::InputMethodQuery query) const
{
    if (query == Qt::ImCursorRectangle || query == Qt::ImAnchorRectangle) {
        auto* self = const_cast<PageView*>(this);
        const QRect caret = self->caretPageRect();
        if (caret.isNull())
            return QRect();
        return clientToView(caret.translated(-scrollPosition())).translated(viewport()->pos());
    }
    if (query == Qt::ImEnabled)
        return m_designMode;
    return QAbstractScrollArea::inputMethodQuery(query);
}

void PageView::contextMenuEvent(QContextMenuEvent* event)
{
    m_input->contextMenu(viewToClient(event->pos()), event->globalPos());
    event->accept();
}

void PageView::dragEnterEvent(QDragEnterEvent* event)
{
    if (m_input->dragEnter(viewToClient(event->position().toPoint()), event->mimeData()))
        event->acceptProposedAction();
}

void PageView::dragMoveEvent(QDragMoveEvent* event)
{
    if (m_input->dragOver(viewToClient(event->position().toPoint()), event->mimeData()))
        event->acceptProposedAction();
}

void PageView::dragLeaveEvent(QDragLeaveEvent*)
{
    m_input->dragLeave();
}

void PageView::dropEvent(QDropEvent* event)
{
    if (m_input->drop(viewToClient(event->position().toPoint()), event->mimeData()))
        event->acceptProposedAction();
}

bool PageView::focusNextPrevChild(bool)
{
    return false;
}

} // namespace engine
