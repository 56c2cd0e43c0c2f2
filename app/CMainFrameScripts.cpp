#include "app/CMainFrame.h"

#include "app/CZQDoc.h"
#include "app/CZQView.h"
#include "effects/CScriptUtility.h"
#include "effects/VornaDlgScriptManage.h"
#include "res/resource.h"
#include "util/PageDom.h"

#include "engine/dom/Document.h"

#include "platform/CmdUI.h"
#include "platform/ModalRunner.h"

void CMainFrame::AddScriptCommands()
{
    onCommand(ID_SCRIPT_MANAGE, [this] { OnScriptManage(); });
    onUpdate(ID_SCRIPT_MANAGE, [this](platform::CmdUI& ui) { OnUpdateScriptManage(ui); });
    onCommand(ID_TOOLS_CUSTOMER_INFO, [this] { OnToolsCustomerInfo(); });
}

bool CMainFrame::IsActivePageInWeb() const
{
    // 1. The active page's display name.
    const CZQView* view = GetActiveView();
    const CZQDoc* document = view ? view->GetDocument() : nullptr;
    if (!document)
        return false;
    const QString name = document->GetDisplayName(false);
    // 2. A page of the open web's page list.
    return m_bWebOpen && IsPageInWeb(name);
}

void CMainFrame::OnUpdateScriptManage(platform::CmdUI& ui) const
{
    if (!IsEditMode()) {
        ui.enable(false);
        return;
    }
    QString families;
    CScriptUtility::GetScriptSourceList(families);
    ui.enable(!families.isEmpty());
}

void CMainFrame::OnScriptManage()
{
    // 1. The dialog.
    VornaDlgScriptManage dialog(this);
    if (platform::runModal(dialog, VornaDlgScriptManage::DialogId) != platform::IDOK)
        return;
    // 2. The deleted families leave the page: calls first, then includes,
    // all as one undo step.
    const QStringList families = dialog.removedFamilies();
    if (families.isEmpty())
        return;
    engine::Ref<engine::Document> document;
    if (GetHTMLDocument(document) != S_OK)
        return;
    engine::Element* body = document->body();
    if (!body)
        return;
    engine::UndoUnit unit(document.get());
    CScriptUtility::RemoveEffectCalls(document.get(), body, families);
    CScriptUtility::RemoveEffectIncludes(document.get(), body, families);
}
