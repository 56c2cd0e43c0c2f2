#include "editor/CImpIDispatch.h"

#include "app/CMainFrame.h"
#include "app/CZQView.h"
#include "app/PageLoadCompletion.h"
#include "editor/painters/CHTMLPainterCell.h"

#include "engine/dom/Document.h"
#include "engine/markup/MarkupPointer.h"
#include "engine/view/EventObject.h"
#include "engine/view/PageView.h"

#include <QApplication>
#include <QObject>
#include <QCursor>

namespace sinkevents_detail {

// Event numbers of the engine that need no action.
constexpr int kEngineEvent1 = int(0x80011793u);
constexpr int kEngineEvent2 = int(0x80010022u);

} // namespace sinkevents_detail

void ResetCellPosition(CellPosition& cell)
{
    cell = CellPosition();
}

bool PointPairEquals(const CellPosition& a, const CellPosition& b)
{
    return a.row == b.row && a.column == b.column;
}

CImpIDispatch::CImpIDispatch(CZQView* view, engine::Document* docObject)
    : m_pView(view), m_pDocObject(docObject), m_pCellPainter(std::make_shared<CHTMLPainterCell>())
{
}

CImpIDispatch::~CImpIDispatch() = default;

engine::PageView* CImpIDispatch::pageView() const
{
    return m_pView ? m_pView->GetPageView() : nullptr;
}

engine::Document* CImpIDispatch::document() const
{
    return m_pView ? m_pView->GetHtmlDocument() : m_pDocObject;
}

void CImpIDispatch::ResetPageState()
{
    static_cast<CImpIDispatchState&>(*this) = CImpIDispatchState();
}

bool CImpIDispatch::invoke(int eventId, engine::EventObject& event)
{
    return Invoke(eventId, &event.returnValue) == S_FALSE;
}

HRESULT CImpIDispatch::Invoke(int dispId, engine::Variant* result)
{
    namespace ev = engine::events;
    // 1. While the child frame shows the source or the preview, nothing runs;
    // nor while a dialog of the image-map editor waits for the user in the
    // middle of a handler.
    if (!m_pView || !m_pView->IsEditMode() || m_bInModalRun)
        return S_OK;
    // 2. The handler of the event; the first match ends the comparison.
    HRESULT cancel = 0;
    switch (dispId) {
    case ev::PageLoaded: {
        // A page loaded again into this document leaves nothing of the old one.
        ResetPageState();
        // The page takes the edit focus as soon as it stands: its grid,
        // page-size guide, outlines and colours show before the first click.
        OnBeforeEditFocus();
        if (m_pView->m_bLoadCompleted)
            return S_OK;
        engine::Document* doc = m_pView->GetHtmlDocument();
        cancel = doc ? OnPageLoadComplete(doc, m_pView) : 0;
        break;
    }
    case ev::MoveStart:
        cancel = (m_bNoMove || m_nEditMode == 5) ? 1 : 0;
        break;
    case sinkevents_detail::kEngineEvent1:
        break;
    case ev::MoveEnd:
        m_bMoving = false;
        break;
    case ev::ResizeStart:
        cancel = OnResizeStart();
        break;
    case ev::ResizeEnd:
        cancel = OnResizeEnd();
        break;
    case ev::KeyDown:
        cancel = OnKeyDown();
        break;
    case ev::KeyUp:
        cancel = OnKeyUp();
        break;
    case ev::Copy:
        cancel = OnCopy();
        break;
    case ev::BeforePaste:
        break;
    case ev::Paste:
        cancel = Paste();
        break;
    case ev::MouseDown:
        cancel = OnMouseDown();
        break;
    case ev::MouseMove:
        cancel = OnMouseMove();
        break;
    case ev::MouseUp:
        cancel = OnMouseUp();
        break;
    case ev::SelectStart:
        // A press of the editor's own is pending, or the selection would
        // start outside the text of a TABLE or MARQUEE: no engine selection.
        if ((m_ptDown.x() != -1 && m_ptDown.y() != -1) || !IsTextEditContext()) {
            if (result)
                *result = engine::Variant(false);
            return S_FALSE;
        }
        return S_OK;
    case ev::BeforeEditFocus:
        cancel = OnBeforeEditFocus();
        break;
    case ev::SelectionChange:
        cancel = OnSelectionChange();
        break;
    case ev::Drop:
        cancel = OnDrop();
        break;
    case ev::DragEnter:
        cancel = OnDragEnter();
        break;
    case ev::DragOver:
        return S_OK;
    case ev::DragLeave: {
        // An image of the image browser dragged off the page but still over
        // the view is being dragged again.
        CMainFrame* frame = CMainFrame::instance();
        const QWidget* under = QApplication::widgetAt(QCursor::pos());
        if (frame && under && (under == m_pView || m_pView->isAncestorOf(under)) && frame->m_nImageDragMode == 2)
            frame->m_nImageDragMode = 1;
        return S_OK;
    }
    case ev::ControlSelect:
        cancel = OnControlSelect();
        break;
    case ev::DblClick:
        cancel = OnDblClick();
        break;
    case ev::MouseOver:
        cancel = OnMouseOver();
        break;
    case ev::MouseOut:
        return S_OK;
    case sinkevents_detail::kEngineEvent2:
        break;
    case ev::Move:
        cancel = OnMove();
        break;
    case ev::LoseCapture:
        cancel = OnLoseCapture();
        break;
    default:
        return S_OK;
    }
    // 3. A cancelled event returns false to the engine.
    if (cancel == 1 && result)
        *result = engine::Variant(false);
    return cancel;
}
