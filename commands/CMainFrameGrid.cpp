// View > グリッド and View > オブジェクト外枠: the layout grid shown, snapped
// to and set up, and the outlines of the page's objects, drawn by painters on
// each page's BODY.
#include "app/CMainFrame.h"

#include "app/CChildFrame.h"
#include "app/CHtmlEditCntrItem.h"
#include "app/CZQView.h"
#include "commands/LayoutObjects.h"
#include "dialogs/VornaDialogGrid.h"
#include "editor/CHTMLEditHost.h"
#include "editor/painters/CHTMLPainterElemBorders.h"
#include "editor/painters/CHTMLPainterGrid.h"
#include "util/TextHelpers.h"

#include "engine/dom/Document.h"
#include "engine/editing/CommandGroup.h"
#include "engine/view/PageView.h"

#include "platform/CmdUI.h"
#include "platform/ModalRunner.h"

#include <algorithm>

namespace layoutgrid_detail {

// The grid dialog's spacing limits.
constexpr int kMinGridSize = 3;
constexpr int kMaxGridSize = 100;

} // namespace layoutgrid_detail

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

void CMainFrame::SetGridBehaviorInFrames(VornaFrameSet* node)
{
    ForEachFrameView(node, [this](CZQView* view) { SetGridBehavior(view); });
}

void CMainFrame::RefreshGrid()
{
    if (m_settings.gridSize <= 0)
        return;
    ForEachActivePageView(*this, [this](CZQView* view) { SetGridBehavior(view); });
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

void CMainFrame::SetElementBordersBehaviorInFrames(VornaFrameSet* node)
{
    ForEachFrameView(node, [this](CZQView* view) { SetElementBordersBehavior(view); });
}

void CMainFrame::OnShowGrid()
{
    m_settings.gridVisible = m_settings.gridVisible ? 0 : 1;
    RefreshGrid();
}

void CMainFrame::OnSnapToGrid()
{
    m_settings.snapOn = m_settings.snapOn ? 0 : 1;
    // Differs from refreshing through the page-size guides, which do nothing
    // while no page size is set: the edit host takes the snapping in any case.
    RefreshGrid();
}

void CMainFrame::OnGridSettings()
{
    using namespace layoutgrid_detail;
    // 1.-2. The dialog with the current kind and spacing.
    if (!GetActiveView())
        return;
    VornaDialogGrid dialog(this);
    dialog.SetInitialValues(m_settings.gridStyle, m_settings.gridSize);
    if (dialog.DoModal() != platform::IDOK)
        return;
    // 3. "なし" hides the grid and keeps kind and spacing for the next time;
    // any other kind is stored with the spacing (its leading number, within
    // the dialog's limits) and shown.
    if (dialog.m_nKind == 0) {
        m_settings.gridVisible = 0;
    } else {
        m_settings.gridSize = std::clamp(LeadingInteger(dialog.m_strSpacing), kMinGridSize, kMaxGridSize);
        m_settings.gridStyle = std::clamp(dialog.m_nKind, 1, 3);
        m_settings.gridVisible = 1;
    }
    RefreshGrid();
}

void CMainFrame::OnShowObjectBorders()
{
    // 1.-2. The active page's switch, and the engine's outlines of tables
    // without borders with it.
    CZQView* view = GetActiveView();
    if (!view)
        return;
    view->m_bObjectBorders = !view->m_bObjectBorders;
    const engine::Variant on(view->m_bObjectBorders);
    view->ExecCommand(engine::CommandGroup::ShowZeroBorders, &on);
    // 3. Both painters again: every frame of a frameset page follows its own
    // view's switch.
    ForEachActivePageView(*this, [this](CZQView* page) {
        SetElementBordersBehavior(page);
        SetGridBehavior(page);
    });
}

void CMainFrame::OnUpdateShowGrid(platform::CmdUI& ui)
{
    ui.enable(IsEditMode());
    ui.setCheck(m_settings.gridVisible ? 1 : 0);
}

void CMainFrame::OnUpdateSnapToGrid(platform::CmdUI& ui)
{
    ui.enable(IsEditMode() && m_settings.gridVisible);
    ui.setCheck(m_settings.snapOn ? 1 : 0);
}

void CMainFrame::OnUpdateGridSettings(platform::CmdUI& ui)
{
    ui.enable(IsEditMode());
}
