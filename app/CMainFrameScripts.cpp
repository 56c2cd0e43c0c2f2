#include "app/CMainFrame.h"

#include "app/CZQDoc.h"
#include "app/CZQView.h"
#include "app/CChildFrame.h"
#include "effects/CScriptUtility.h"
#include "effects/ScriptEffectWriters.h"
#include "effects/VornaDlgScript.h"
#include "effects/VornaDlgScriptBrowser.h"
#include "effects/VornaDlgScriptImg.h"
#include "effects/VornaDlgScriptManage.h"
#include "effects/VornaDlgScriptMouse.h"
#include "effects/VornaDlgScriptScreen.h"
#include "effects/VornaDlgScriptStatus.h"
#include "effects/VornaDlgScriptText.h"
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
    onCommand(ID_SCRIPT_WIZARD, [this] { OnScriptWizard(); });
    onUpdate(ID_SCRIPT_WIZARD, [this](platform::CmdUI& ui) { OnUpdateScriptWizard(ui); });
}

bool CMainFrame::IsActivePageInWeb() const
{
    // 1. The active page: its full path, or its name while it is not saved.
    // Differs from matching the display name alone: a page elsewhere with
    // the file name of a web page is no page of the web.
    const CZQView* view = GetActiveView();
    const CZQDoc* document = view ? view->GetDocument() : nullptr;
    if (!document)
        return false;
    const QString path = document->pathName();
    const QString name = path.isEmpty() ? document->GetDisplayName(false) : path;
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

void CMainFrame::OnUpdateScriptWizard(platform::CmdUI& ui) const
{
    ui.enable(IsEditMode());
}

void CMainFrame::OnScriptWizard()
{
    // 1.-2. The wizard; a cancelled one changes nothing.
    std::vector<std::unique_ptr<VornaScriptPage>> pages;
    {
        VornaDlgScript wizard;
        const CChildFrame* child = GetActiveChild();
        wizard.SetFramesetPage(child && child->HasFrameset());
        if (platform::runModal(wizard, VornaDlgScript::IDD) != platform::IDOK)
            return;
        pages = wizard.TakePages();
    }
    // 3. The writer of the effect page's kind; the pages go afterwards.
    VornaScriptPage* effect = pages.size() >= 2 ? pages[1].get() : nullptr;
    if (pages.size() == 2) {
        if (auto* status = dynamic_cast<VornaDlgScriptStatus*>(effect))
            InsertStatusBarScript(*status);
        else if (auto* browser = dynamic_cast<VornaDlgScriptBrowser*>(effect))
            InsertBrowserScript(*browser);
        else if (auto* screen = dynamic_cast<VornaDlgScriptScreen*>(effect))
            InsertScreenScript(*screen);
        else if (dynamic_cast<VornaDlgScriptMouse*>(effect))
            InsertMouseScript(pages);
    } else if (pages.size() == 3 && dynamic_cast<VornaDlgScriptMouse*>(effect)) {
        InsertMouseScript(pages);
    }
}

void CMainFrame::InsertStatusBarScript(VornaDlgScriptStatus& page)
{
    WriteStatusBarEffect(page);
}

void CMainFrame::InsertBrowserScript(const VornaDlgScriptBrowser& page)
{
    WriteBrowserEffect(page);
}

void CMainFrame::InsertScreenScript(const VornaDlgScriptScreen& page)
{
    WriteScreenEffect(page);
}

void CMainFrame::InsertMouseScript(const std::vector<std::unique_ptr<VornaScriptPage>>& pages)
{
    const auto* mouse = pages.size() >= 2 ? dynamic_cast<const VornaDlgScriptMouse*>(pages[1].get()) : nullptr;
    if (!mouse)
        return;
    const VornaScriptPage* pointer = pages.size() >= 3 ? pages[2].get() : nullptr;
    WriteMouseEffect(*mouse, dynamic_cast<const VornaDlgScriptText*>(pointer),
                     dynamic_cast<const VornaDlgScriptImg*>(pointer));
}
