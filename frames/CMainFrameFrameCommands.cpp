// The frame commands of the main frame.
#include "app/CMainFrame.h"

#include "app/CChildFrame.h"
#include "app/CZQApp.h"
#include "app/CZQDoc.h"
#include "app/CZQView.h"
#include "controls/ULOFileDialog.h"
#include "frames/FrameCommands.h"
#include "frames/FrameProperties.h"
#include "frames/VornaDialogFrameProperty.h"
#include "frames/VornaDialogFrameSet.h"
#include "frames/VornaDialogFramesetProperty.h"
#include "util/PathText.h"
#include "util/StringResources.h"
#include "res/resource.h"
#include "util/MessageBox.h"
#include "web/VornaDialogSiteManagerPage1.h"
#include "web/VornaDialogSiteManagerSheet.h"

#include "platform/CmdUI.h"
#include "platform/ModalRunner.h"

#include <QFileInfo>
#include <QPointer>

void CMainFrame::OnFileNewFrameset()
{
    NewFramesetPage();
}

bool CMainFrame::NewFramesetPage()
{
    const bool makingWeb = m_bWebOpen && !m_bWebReady;
    // 1. The template.
    VornaDialogFrameSet dialog(this);
    if (dialog.DoModal() != platform::IDOK) {
        if (makingWeb)
            m_bWebOpen = false;
        return false;
    }
    const QString templatePath = dialog.m_strTemplatePath;
    // 2.
    const QString title = QStringLiteral("FrameSet%1").arg(m_nFramesetPageCount++);
    // 3. A new web's home page: the template becomes its index.html (a copy
    // that fails is reported, and no web is made).
    if (makingWeb) {
        const QString home = m_strWebFolder + QStringLiteral("/index.html");
        if (!CopyPageFile(templatePath, home)) {
            m_bWebOpen = false;
            return false;
        }
        m_app.OpenDocumentFile(home);
        return true;
    }
    // 4. A new page loaded from the template; its view builds the panes.
    QPointer<CZQDoc> document = m_app.OpenNewPage(templatePath);
    if (!document)
        return false;
    CZQView* view = GetActiveView();
    if (view && view->GetDocument() == document)
        document->setTitle(title);
    // 5. Into the open web, when the user wants it there; declined there, it
    // stays open and unlisted.
    if (m_bWebOpen && m_bWebReady && MessageBoxById(IDS_ADD_FILE_TO_WEB, 0, 0x40, 4) == platform::IDYES &&
        m_pSiteManagerSheet)
        m_pSiteManagerSheet->sitePage()->AddPageToWeb(title, QString(), QString(), QString(), true);
    return true;
}

void CMainFrame::SplitFrame(int direction)
{
    CChildFrame* child = GetActiveChild();
    if (!child || !::SplitFrame(child, direction, m_nFrameCount))
        return;
    if (CZQView* view = child->GetActiveView(); view && view->GetDocument())
        child->OnSetText(view->GetDocument()->GetDisplayName(true));
    child->RefreshFrameNames();
}

void CMainFrame::OnDeleteFrame()
{
    CChildFrame* child = GetActiveChild();
    if (!child || !DeleteFrame(child))
        return;
    if (CZQView* view = child->GetActiveView(); view && view->GetDocument())
        child->OnSetText(view->GetDocument()->GetDisplayName(true));
}

void CMainFrame::OnSaveFrameset()
{
    if (CChildFrame* child = GetActiveChild())
        SaveFrameset(child, m_nFramesetSaveMode, false);
}

void CMainFrame::OnSaveFramesetAs()
{
    if (CChildFrame* child = GetActiveChild())
        SaveFrameset(child, m_nFramesetSaveMode, true);
}

void CMainFrame::OnFrameProperties()
{
    // 1.
    CChildFrame* child = GetActiveChild();
    CZQView* view = child ? child->GetActiveView() : nullptr;
    if (!view || view == child->GetFramesetView() || !view->GetDocument())
        return;
    VornaFrameSet* frame = FindFrameByViewIn(child->frameTree().root.get(), view);
    if (!frame)
        return;
    // 2.-6.
    VornaDialogFrameProperty dialog(this);
    ReadFrameProperties(frame, view, &dialog);
    const FramePropertyModel before = dialog;
    if (dialog.DoModal() != platform::IDOK)
        return;
    // 7.-12.
    FramePropertyServices services;
    services.installFolder = m_strInstallFolder;
    services.webFolder = m_bWebOpen ? m_strWebFolder : QString();
    services.frameCount = &m_nFrameCount;
    services.askSavePath = [this](const QString& proposed) {
        ULOFileDialog save(false, 2, QString(), proposed, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                           LoadResString(IDS_HTML_FILE_FILTER), this);
        return save.DoModal() == platform::IDOK ? save.GetPathName() : QString();
    };
    services.copyIntoWeb = [this](const QString& path) {
        const QString name = GetFileNamePart(path);
        return AskRenameExistingPage(GetFolderOfPath(path), name,
                                     QFileInfo::exists(m_strWebFolder + QLatin1Char('/') + name), true);
    };
    ApplyFrameProperties(child, frame, view, before, dialog, services);
    child->RefreshFrameNames();
}

void CMainFrame::OnFramesetProperties()
{
    CChildFrame* child = GetActiveChild();
    VornaDialogFramesetProperty dialog(this);
    if (!child || !ReadFramesetProperties(child, &dialog))
        return;
    const FramesetPropertyModel before = dialog;
    if (dialog.DoModal() != platform::IDOK)
        return;
    ApplyFramesetProperties(child, before, dialog);
}

void CMainFrame::AddFrameCommands()
{
    onCommand(ID_FILE_NEW_FRAMESET, [this] { OnFileNewFrameset(); });
    onCommand(ID_SPLIT_FRAME_BOTTOM, [this] { SplitFrame(SplitBottom); });
    onCommand(ID_SPLIT_FRAME_TOP, [this] { SplitFrame(SplitTop); });
    onCommand(ID_SPLIT_FRAME_RIGHT, [this] { SplitFrame(SplitRight); });
    onCommand(ID_SPLIT_FRAME_LEFT, [this] { SplitFrame(SplitLeft); });
    onCommand(ID_DELETE_FRAME, [this] { OnDeleteFrame(); });
    onCommand(ID_SAVE_FRAMESET, [this] { OnSaveFrameset(); });
    onCommand(ID_SAVE_FRAMESET_AS, [this] { OnSaveFramesetAs(); });
    onCommand(ID_FRAME_PROPERTIES, [this] { OnFrameProperties(); });
    onCommand(ID_FRAMESET_PROPERTIES, [this] { OnFramesetProperties(); });
}

void CMainFrame::AddFrameUpdateHandlers()
{
    using platform::CmdUI;
    for (int id : {ID_SPLIT_FRAME_BOTTOM, ID_SPLIT_FRAME_TOP, ID_SPLIT_FRAME_RIGHT, ID_SPLIT_FRAME_LEFT})
        onUpdate(id, [this](CmdUI& ui) { UpdateUIEditMode(ui); });
    for (int id : {ID_SAVE_FRAMESET, ID_SAVE_FRAMESET_AS, ID_FRAMESET_PROPERTIES})
        onUpdate(id, [this](CmdUI& ui) { UpdateUIFramesetCommand(ui); });
    onUpdate(ID_DELETE_FRAME, [this](CmdUI& ui) { ui.enable(IsEditMode() && CanDeleteFrame(GetActiveChild())); });
    onUpdate(ID_FRAME_PROPERTIES, [this](CmdUI& ui) { ui.enable(IsEditMode() && CanEditFrame(GetActiveChild())); });
}
