#include "app/CMainFrame.h"

#include "app/CChildFrame.h"
#include "app/CZQApp.h"
#include "app/CZQDoc.h"
#include "app/CZQView.h"
#include "engine/editing/CommandGroup.h"
#include "platform/CmdUI.h"
#include "platform/DocTemplate.h"
#include "publish/CVornaDialogStatus.h"
#include "publish/CVornaFtp.h"
#include "publish/VornaDialogPublish.h"
#include "res/resource.h"
#include "util/StringResources.h"
#include "web/VornaDialogSiteManagerPage1.h"
#include "web/VornaDialogSiteManagerSheet.h"

namespace mainframepublish_detail {
constexpr unsigned kSavingWeb = 41819;
} // namespace mainframepublish_detail

CVornaFtp& CMainFrame::GetFtp()
{
    if (!m_pFtp)
        m_pFtp = std::make_unique<CVornaFtp>();
    return *m_pFtp;
}

void CMainFrame::AddPublishCommands()
{
    onCommand(ID_TOOLS_FTP, [this] { OnToolsFtp(); });
    onCommand(ID_SITE_QUICK_PUBLISH_COMMAND, [this] { OnToolsQuickPublish(); });
    onUpdate(ID_SITE_QUICK_PUBLISH_COMMAND,
             [this](platform::CmdUI& ui) { ui.enable(m_bWebOpen && !IsEditingLockedBySiteManager()); });
}

bool CMainFrame::OnToolsFtp()
{
    // 1. The open web's pages are saved first, while the status window says so.
    if (m_bWebOpen) {
        CVornaFtp& ftp = GetFtp();
        ftp.ShowStatusDialog();
        ftp.GetStatusDialog()->SetStatusText(LoadResString(mainframepublish_detail::kSavingWeb));
        ftp.GetStatusDialog()->repaint();
        OnFileSaveWeb();
        ftp.CloseStatusDialog();
    }
    // 2.
    VornaDialogPublish dialog(this);
    dialog.DoModal();
    // 3.
    RefreshWebPages();
    return true;
}

void CMainFrame::RefreshWebPages()
{
    platform::DocTemplate* docs = m_app.docTemplate();
    if (!docs)
        return;
    for (platform::Document* base : docs->documents()) {
        auto* document = qobject_cast<CZQDoc*>(base);
        if (!document || document->pathName().isEmpty() || !IsPageInWeb(document->pathName()))
            continue;
        CZQView* view = document->GetView();
        if (!view)
            continue;
        view->ExecCommand(engine::CommandGroup::BrowseMode);
        view->ExecCommand(engine::CommandGroup::Refresh);
        view->SetEditMode();
        if (CChildFrame* child = view->GetParentFrame())
            child->RestoreEditingPainters();
    }
}

void CMainFrame::OnToolsQuickPublish()
{
    if (m_pSiteManagerSheet)
        m_pSiteManagerSheet->sitePage()->OnQuickPublish();
}
