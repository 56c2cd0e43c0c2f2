// The main frame's side of the toolbars: what their buttons do on the pages.
#include "app/CMainFrame.h"

#include "app/CZQView.h"
#include "editor/CImpIDispatch.h"
#include "engine/view/PageView.h"

bool CMainFrame::DropTextBox(QPoint screenPoint)
{
    // The page view under the point: a frameset's pane there (the insertion
    // makes it the active one), else the active view.
    CZQView* view = DropTargetView(screenPoint);
    if (!view || !view->rect().contains(view->mapFromGlobal(screenPoint)))
        return false;
    engine::PageView* page = view->GetPageView();
    CImpIDispatch* sink = view->GetSink();
    if (!page || !sink || BeginInsertObject(1) != 0)
        return false;
    QPoint point = page->viewToClient(page->viewport()->mapFromGlobal(screenPoint));
    sink->m_bInserting = true;
    sink->m_ptInsert = point;
    const bool inserted = sink->InsertPositionedObject(point) == 0;
    sink->m_bInserting = false;
    m_nInsertKind = 0;
    return inserted;
}
