#include "app/CMainFrame.h"

#include "app/CHtmlEditCntrItem.h"
#include "app/CZQView.h"
#include "editor/CHTMLEditHost.h"
#include "editor/painters/CHTMLPainterElemBorders.h"
#include "editor/painters/CHTMLPainterGrid.h"

#include "engine/dom/Document.h"
#include "engine/editing/CommandGroup.h"
#include "engine/view/PageView.h"

bool CMainFrame::SetGridBehavior(CZQView* view)
{
    // 1. A page in the editing view.
    if (!view || !view->IsEditMode())
        return false;
    CHtmlEditCntrItem* item = view->GetItem();
    engine::PageView* page = view->GetPageView();
    engine::Document* doc = view->GetHtmlDocument();
    // 2. The grid leaves BODY before it may come back.
    if (page && doc && doc->body() && view->m_lGridCookie != 0)
        page->removeBehavior(doc->body(), view->m_lGridCookie);
    view->m_lGridCookie = 0;
    // 3. No snapping until the settings say so.
    CHTMLEditHost* host = item ? item->editHost() : nullptr;
    if (!host)
        return false;
    host->m_bSnap = false;
    // 4.-5. The view's painter, attached while the grid or the page-size
    // guide is shown.
    if (!view->m_pGridPainter)
        view->m_pGridPainter = std::make_shared<CHTMLPainterGrid>();
    CHTMLPainterGrid& painter = *view->m_pGridPainter;
    if (!m_settings.gridVisible && !m_settings.pageSizeVisible) {
        painter.m_nGridStyle = 0;
    } else if (page && doc && doc->body()) {
        view->m_lGridCookie = painter.Attach(page, doc->body());
        painter.m_nGridSize = m_settings.gridSize;
        painter.m_nGridStyle = m_settings.gridStyle;
        painter.m_pView = view;
    }
    // 6. Snapping only to a grid that is shown.
    if (m_settings.gridVisible && m_settings.snapOn) {
        host->m_nGridSize = m_settings.gridSize;
        host->m_bSnap = true;
    }
    // 7. The page shows the change.
    painter.InvalidatePainter();
    // 8. Multiple selection and live resizing stay on.
    const engine::Variant on(true);
    view->ExecCommand(engine::CommandGroup::MultipleSelection, &on);
    view->ExecCommand(engine::CommandGroup::LiveResize, &on);
    return true;
}

// Every view has a painter of its own, drawing its own page: one painter for
// all pages would draw the active page's objects on the others.
bool CMainFrame::SetElementBordersBehavior(CZQView* view)
{
    if (!view)
        return false;
    engine::PageView* page = view->GetPageView();
    engine::Document* doc = view->GetHtmlDocument();
    engine::Element* body = doc ? doc->body() : nullptr;
    if (page && body && view->m_lElemBordersCookie != 0)
        page->removeBehavior(body, view->m_lElemBordersCookie);
    view->m_lElemBordersCookie = 0;
    if (!view->m_pElemBordersPainter)
        view->m_pElemBordersPainter = std::make_shared<CHTMLPainterElemBorders>(view);
    if (page && body && view->IsEditMode() && view->m_bObjectBorders)
        view->m_lElemBordersCookie = view->m_pElemBordersPainter->Attach(page, body);
    view->m_pElemBordersPainter->InvalidatePainter();
    return true;
}
