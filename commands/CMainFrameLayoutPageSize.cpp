// View > ページサイズ and View > ズーム > ユーザー指定: the page-size guide drawn
// over the page (a screen resolution or a size of the user's), which is also
// the page the placement commands use, and a zoom of the user's choice.
#include "app/CMainFrame.h"

#include "app/CChildFrame.h"
#include "app/CZQView.h"
#include "commands/LayoutObjects.h"
#include "commands/PageZoom.h"
#include "dialogs/VornaDialogPageSize.h"
#include "dialogs/VornaDialogPropertyZoom.h"
#include "res/resource.h"

#include "platform/CmdUI.h"
#include "platform/ModalRunner.h"

#include <algorithm>

namespace layoutpagesize_detail {

// The command whose size the guide has: one of the three resolutions, or the
// user's own size.
int commandOfSize(QSize size)
{
    if (size == QSize(640, 480))
        return ID_VIEW_PAGE_SIZE_640;
    if (size == QSize(800, 600))
        return ID_VIEW_PAGE_SIZE_800;
    if (size == QSize(1024, 768))
        return ID_VIEW_PAGE_SIZE_1024;
    return ID_VIEW_PAGE_SIZE_USER;
}

// A fixed size is stored; a shown guide takes it at once.
void setPageSize(CMainFrame& frame, QSize size)
{
    frame.m_settings.pageSize = size;
    if (frame.m_settings.pageSizeVisible)
        frame.RefreshPageSizeGuides();
}

} // namespace layoutpagesize_detail

// Differs from leaving the page alone while no size is chosen: the page then
// shows the guide of 800 x 600 (PageGuideSize).
void CMainFrame::RefreshPageSizeGuides()
{
    CChildFrame* child = GetActiveChild();
    if (child && child->HasFrameset())
        RefreshPageSizeGuidesInFrames(child->frameTree().root.get());
    else if (CZQView* view = GetActiveView())
        RefreshPageSizeGuide(view);
}

void CMainFrame::RefreshPageSizeGuide(CZQView* view)
{
    SetGridBehavior(view);
}

void CMainFrame::RefreshPageSizeGuidesInFrames(VornaFrameSet* node)
{
    ForEachFrameView(node, [this](CZQView* view) { RefreshPageSizeGuide(view); });
}

void CMainFrame::OnShowPageSize()
{
    m_settings.pageSizeVisible = m_settings.pageSizeVisible ? 0 : 1;
    RefreshPageSizeGuides();
}

void CMainFrame::OnPageSize640()
{
    layoutpagesize_detail::setPageSize(*this, QSize(640, 480));
}

void CMainFrame::OnPageSize800()
{
    layoutpagesize_detail::setPageSize(*this, QSize(800, 600));
}

void CMainFrame::OnPageSize1024()
{
    layoutpagesize_detail::setPageSize(*this, QSize(1024, 768));
}

void CMainFrame::OnPageSizeUser()
{
    // 1. The dialog with the guide's size, or none (it proposes 800 x 600)
    // while the guide is hidden.
    VornaDialogPageSize dialog(this);
    dialog.m_size = m_settings.pageSizeVisible ? m_settings.pageSize : QSize(0, 0);
    if (dialog.DoModal() != platform::IDOK)
        return;
    // 2. The guide shown at the chosen size.
    m_settings.pageSizeVisible = 1;
    m_settings.pageSize = QSize(std::max(0, dialog.m_size.width()), std::max(0, dialog.m_size.height()));
    RefreshPageSizeGuides();
}

void CMainFrame::OnUpdateShowPageSize(platform::CmdUI& ui)
{
    ui.enable(IsEditMode());
    ui.setCheck(m_settings.pageSizeVisible ? 1 : 0);
}

void CMainFrame::OnUpdatePageSize(platform::CmdUI& ui)
{
    ui.enable(IsEditMode());
    ui.setCheck(layoutpagesize_detail::commandOfSize(m_settings.pageSize) == ui.id() ? 1 : 0);
}

void CMainFrame::OnUpdatePageSizeUser(platform::CmdUI& ui)
{
    OnUpdatePageSize(ui);
}

void CMainFrame::OnViewZoomUser()
{
    VornaDialogPropertyZoom dialog;
    if (dialog.DoModal() == platform::IDOK && dialog.m_nZoom != 0)
        SetPageZoom(QStringLiteral("%1%").arg(dialog.m_nZoom));
}
