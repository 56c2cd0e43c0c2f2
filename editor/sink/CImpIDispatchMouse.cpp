// The mouse on the page: the press, the moves and the release become the
// editor's own drags. Every mode lives in the sink's fields; the cursor shown
// at the press chooses among the drags of the selection.

#include "editor/CImpIDispatch.h"

#include "app/CZQView.h"
#include "util/PageDom.h"

#include "engine/dom/Document.h"
#include "engine/editing/CommandGroup.h"
#include "engine/editing/Selection.h"
#include "engine/editing/TextRange.h"
#include "engine/view/EventObject.h"
#include "engine/view/PageView.h"

#include <QCursor>

namespace sinkmouse_detail {

bool isSizingCursor(Qt::CursorShape shape)
{
    return shape == Qt::SizeFDiagCursor || shape == Qt::SizeBDiagCursor || shape == Qt::SizeHorCursor ||
           shape == Qt::SizeVerCursor;
}

} // namespace sinkmouse_detail

const engine::EventObject* CImpIDispatch::CurrentEvent() const
{
    engine::PageView* page = pageView();
    return page ? page->windowEvent() : nullptr;
}

void CImpIDispatch::SetCursorOverride(bool on)
{
    if (!m_pView)
        return;
    const engine::Variant value(on);
    m_pView->ExecCommand(engine::CommandGroup::OverrideCursor, &value);
}

void CImpIDispatch::ShowOwnCursor(const QCursor& cursor)
{
    if (engine::PageView* page = pageView())
        page->setPageCursor(cursor);
}

bool CImpIDispatch::OnMouseDown()
{
    const engine::EventObject* event = CurrentEvent();
    // 1. The press and the element under it.
    m_bMoving = true;
    QPoint p;
    if (!event || GetEventPoint(p) != S_OK)
        return true;
    m_ptDragEnter = p;
    engine::Ref<engine::Element> element;
    if (GetElementFromPoint(p, element) != S_OK)
        return true;
    m_ptMouseDown = p;
    const bool shift = event->shiftKey;
    // 7. The drags of the selection, chosen by the cursor shown at the press.
    engine::PageView* page = pageView();
    if (event->button != engine::LeftButton || m_bLButtonDown || (m_nEditMode != 0 && m_nEditMode != 1) || !page)
        return false;
    const Qt::CursorShape cursor = page->pageCursor().shape();
    if (cursor == Qt::SizeAllCursor) {
        // 7.1 The move cursor: the selection follows the pointer.
        if (!shift && BeginDragMove(p.x(), p.y())) {
            m_bIsDragMoveMode = true;
            SetDocumentCapture();
            m_bUndoUnitOpen = false;
        }
        return false;
    }
    if (sinkmouse_detail::isSizingCursor(cursor)) {
        // 7.2 A sizing cursor: the handle under it resizes the selection.
        if (BeginHandleResize(p.x(), p.y())) {
            SetDocumentCapture();
            m_bUndoUnitOpen = false;
        }
        return false;
    }
    // 7.3 The text cursor: a text selection by dragging.
    if (!shift && cursor == Qt::IBeamCursor)
        BeginTextDragSelection(p.x(), p.y());
    // 8.
    return false;
}

bool CImpIDispatch::OnMouseMove()
{
    // 1. A drag move: the move cursor, one undo unit from the first step.
    if (m_bIsDragMoveMode) {
        QPoint p;
        if (GetEventPoint(p) != S_OK)
            return false;
        ShowOwnCursor(QCursor(Qt::SizeAllCursor));
        SetCursorOverride(true);
        if (!m_bUndoUnitOpen) {
            BeginUndoUnit();
            m_bUndoUnitOpen = true;
        }
        DragMoveSelection(p.x(), p.y());
        return false;
    }
    // 2. A handle resize, the same way.
    if (m_nSizeHandle >= 2) {
        if (!m_bUndoUnitOpen) {
            BeginUndoUnit();
            m_bUndoUnitOpen = true;
        }
        QPoint p;
        if (GetEventPoint(p) == S_OK)
            ResizeByHandle(p.x(), p.y());
        return false;
    }
    // 3.3-3.4 Otherwise the engine's cursor.
    SetCursorOverride(false);
    // 3.6 A text drag selects, the engine's own selection cancelled.
    if (m_bIsTextDragMode) {
        ExtendTextDragSelection();
        return true;
    }
    return false;
}

bool CImpIDispatch::OnMouseUp()
{
    // 1. The release.
    m_bMoving = false;
    QPoint p;
    const bool havePoint = GetEventPoint(p) == S_OK;
    // 9. The selection's kind and format.
    UpdateSelectionState();
    UpdateFormatState();
    // 13. The end of a drag move or of a handle resize.
    if (!m_bIsDragMoveMode) {
        if (m_nSizeHandle >= 2) {
            m_nSizeHandle = 0;
            ReleaseDocumentCapture();
            OnResizeEnd();
            if (m_bUndoUnitOpen)
                EndUndoUnit();
            m_bUndoUnitOpen = false;
            m_dAspectRatio = -1.0;
        }
    } else {
        ReleaseDocumentCapture();
        m_bIsDragMoveMode = false;
        KillAutoScrollTimer();
        if (!m_bUndoUnitOpen && !m_bPressedMarquee && havePoint)
            EnterTextAtClick(p);
        else if (m_bUndoUnitOpen)
            EndUndoUnit();
        m_bUndoUnitOpen = false;
    }
    // 14. The end of a text drag.
    if (m_bIsTextDragMode)
        EndTextDragSelection();
    // 15.
    return false;
}

void CImpIDispatch::EnterTextAtClick(QPoint point)
{
    // A click that moved nothing on the one selected object puts the caret
    // where it fell, when that is the text of a text container.
    engine::Document* doc = document();
    if (!doc || controlSelection().size() != 1)
        return;
    engine::Ref<engine::Element> element;
    if (GetElementFromPoint(point, element) != S_OK || FindTextContainer(element) != S_OK)
        return;
    doc->selection().empty();
    engine::TextRange range = doc->selection().createRange();
    range.moveToPoint(point.x(), point.y());
    range.select();
    MoveCaretToPoint(point, doc);
}
