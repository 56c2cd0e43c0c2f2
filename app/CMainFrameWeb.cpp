// The main frame's webs and the File menu's page commands: the current web,
// the recent webs, new, open, close and save web, new pages (in the web or
// not), open, save all, print, and the site manager, quick-publish and
// server commands.
#include "app/CMainFrame.h"

#include "app/CChildFrame.h"
#include "app/CZQApp.h"
#include "app/CZQDoc.h"
#include "app/CZQView.h"
#include "chrome/CCoolDialogBar.h"
#include "controls/ULOFileDialog.h"
#include "frames/FramesetWriter.h"
#include "frames/VornaFrameSet.h"
#include "publish/CVornaDialogQuickPublish.h"
#include "res/resource.h"
#include "util/MessageBox.h"
#include "util/PathText.h"
#include "util/StringResources.h"
#include "web/VORNA_DIALOG_WEBPROPERTY.h"
#include "web/VornaDialogCreateProject.h"
#include "web/VornaDialogOpenProject.h"
#include "web/VornaDialogSiteManagerPage1.h"
#include "web/VornaDialogSiteManagerSheet.h"
#include "web/VornaDirectoryWatchThread.h"
#include "web/WebFolders.h"

#include "engine/editing/CommandGroup.h"

#include "platform/CmdUI.h"
#include "platform/CommandRegistry.h"
#include "platform/DataRoot.h"
#include "platform/DocTemplate.h"
#include "platform/FileOps.h"
#include "platform/ModalRunner.h"

#include <QAction>
#include <QDir>
#include <QDockWidget>
#include <QFileInfo>
#include <QMdiArea>
#include <QMenu>
#include <QPointer>

namespace mainframeweb_detail {

constexpr int kPrintCommand = 27;
constexpr int kPrintPreviewCommand = 2003;
constexpr int kPageSetupCommand = 2004;

QString pageTemplatePath(const QString& installFolder)
{
    return platform::resolveCaseBlind(installFolder, QStringLiteral("Bin/ULO.html"));
}

bool sameFile(const QString& first, const QString& second)
{
    const QFileInfo a(first);
    const QFileInfo b(second);
    return a.exists() && b.exists() && a.canonicalFilePath() == b.canonicalFilePath();
}

CZQDoc* documentOf(platform::Document* base)
{
    return qobject_cast<CZQDoc*>(base);
}

CChildFrame* frameOf(const CZQDoc* document)
{
    CZQView* view = document ? document->GetView() : nullptr;
    return view ? view->GetParentFrame() : nullptr;
}

// Whether any page of a frameset page's child frame is changed.
bool anyFrameModified(CChildFrame* child)
{
    VornaFrameSet* root = child->frameTree().root.get();
    bool modified = false;
    if (root)
        root->IsAnyFrameModified(&modified, root);
    return modified;
}

// Whether some pane of a frameset page's child frame has no file yet.
bool framesUnsaved(CChildFrame* child)
{
    VornaFrameSet* root = child->frameTree().root.get();
    int panes = 0;
    int saved = 0;
    if (root)
        root->CountFrameDocuments(&panes, &saved, child);
    return panes != saved;
}

// The popup "最近使った Web": the menus that hold the first recent web's action.
QList<QMenu*> recentWebPopups(QAction* first)
{
    QList<QMenu*> popups;
    for (QObject* holder : first->associatedObjects()) {
        if (auto* menu = qobject_cast<QMenu*>(holder))
            popups.append(menu);
    }
    return popups;
}

} // namespace mainframeweb_detail

// ---- commands and their enabling --------------------------------------------

void CMainFrame::AddWebCommands()
{
    using platform::CmdUI;
    onCommand(ID_FILE_NEW_FILE, [this] { OnFileNewFile(); });
    onCommand(ID_FILE_NEW_FROM_TEMPLATE, [this] { OnFileNewFromTemplate(); });
    onCommand(ID_FILE_OPEN_PAGE, [this] { OnFileOpen(); });
    onCommand(ID_FILE_NEW_WEB, [this] { OnFileNewWeb(); });
    onCommand(ID_FILE_OPEN_WEB, [this] { OnFileOpenWeb(); });
    onCommand(ID_FILE_WEB_WIZARD, [this] { OnFileWebWizard(); });
    onCommand(ID_FILE_CLOSE_WEB, [this] { OnFileCloseWeb(); });
    onCommand(ID_FILE_SAVE_WEB, [this] { OnFileSaveWeb(); });
    onCommand(ID_FILE_CLOSE_PAGE, [this] { OnFileClose(); });
    onCommand(ID_FILE_SAVE_ALL, [this] { OnFileSaveAll(); });
    onCommand(ID_FILE_PRINT, [this] { OnFilePrint(); });
    onCommand(ID_FILE_PRINT_PREVIEW, [this] { OnFilePrintPreview(); });
    onCommand(ID_FILE_PAGE_SETUP, [this] { OnFilePageSetup(); });
    onCommand(ID_WINDOW_SITE_MANAGER, [this] { OnWindowSiteManager(); });
    onCommand(ID_TOOLS_QUICK_PUBLISH_PROPERTIES, [this] { OnToolsQuickPublishProperties(); });
    onCommand(ID_FTP_SETTINGS, [this] { OnFtpSettings(); });
    onCommandRange(ID_RECENT_WEB_FIRST, ID_RECENT_WEB_LAST, [this](int id) { OnRecentWeb(id); });

    for (int id : {ID_FILE_SAVE_ALL, ID_FILE_PRINT, ID_FILE_PRINT_PREVIEW, ID_FILE_PAGE_SETUP,
                   ID_TOOLS_QUICK_PUBLISH_PROPERTIES})
        onUpdate(id, [this](CmdUI& ui) { UpdateUIEditMode(ui); });
    onUpdate(ID_FTP_SETTINGS, [this](CmdUI& ui) { ui.enable(!GetActiveView() || IsEditMode()); });
    onUpdate(ID_WINDOW_SITE_MANAGER, [this](CmdUI& ui) {
        ui.enable(m_bWebOpen && (!GetActiveView() || IsEditMode()));
        ui.setCheck(m_pSiteManagerSheet && m_pSiteManagerSheet->IsSitePageVisible() ? 1 : 0);
    });
    onUpdate(ID_RECENT_WEB_FIRST, [this](CmdUI& ui) { OnUpdateRecentWeb(ui); });
}

// ---- the current web ----------------------------------------------------------

QStringList CMainFrame::WebPageNames() const
{
    return m_pSiteManagerSheet ? m_pSiteManagerSheet->sitePage()->GetPageFileNames() : QStringList();
}

void CMainFrame::CreateSiteManagerBar()
{
    if (!m_pSiteManagerSheet)
        m_pSiteManagerSheet = new VornaDialogSiteManagerSheet(this);
    if (m_pSiteManagerBar)
        return;
    auto* bar = new CCoolDialogBar(this);
    if (!bar->Create(this, m_pSiteManagerSheet, LoadResString(IDS_SITE_MANAGER_CAPTION),
                     VornaDialogSiteManagerSheet::IDD,
                     CCoolDialogBar::CBRS_ALIGN_LEFT | CCoolDialogBar::CBRS_ALIGN_RIGHT)) {
        delete bar;
        return;
    }
    // Wide enough for both page tabs and a readable lesson.
    bar->SetExtent(false, qMax(bar->sizeHint().width(), 340));
    m_pSiteManagerBar = bar;
}

void CMainFrame::ShowSiteManager()
{
    // 1, 2. The site manager page in front, in its bar at the right.
    CreateSiteManagerBar();
    m_pSiteManagerSheet->ShowSitePage();
    m_pSiteManagerBar->RestoreShrunkSize();
    if (!m_pSiteManagerBar->isVisibleTo(this))
        m_pSiteManagerBar->show();
    // 3. The most recent web, and a watcher of its folder (the one before
    // was stopped when its web closed).
    AddRecentWeb();
    m_pFolderWatcher.reset();
    m_pFolderWatcher = std::make_unique<VornaDirectoryWatchThread>();
    m_pFolderWatcher->SetNotifyWindow(m_pSiteManagerSheet);
    m_pFolderWatcher->SetWatchFolder(m_strWebFolder);
    m_pFolderWatcher->SetGeneration(++m_nWatchGeneration);
    m_pSiteManagerSheet->SetWatchGeneration(m_nWatchGeneration);
    m_pFolderWatcher->Start();
}

void CMainFrame::AddRecentWeb()
{
    PutRecentWeb(m_recentWebs, m_strWebName);
}

void CMainFrame::OpenWeb(const QString& name, const QString& folder)
{
    m_bWebOpen = true;
    m_strWebName = name;
    m_strWebFolder = folder;
    m_bWebReady = true;
    ShowSiteManager();
}

void CMainFrame::OpenHomePage()
{
    // The site list's row of the home page names its file as it is written.
    QString name = QStringLiteral("index.html");
    for (const QString& page : WebPageNames()) {
        if (page.compare(name, Qt::CaseInsensitive) == 0) {
            name = page;
            break;
        }
    }
    // 1. No home page, no page.
    const QString home = m_strWebFolder + QLatin1Char('/') + name;
    if (!QFileInfo(home).isFile())
        return;
    // 2, 3. The page when it is open already (also a new page meant to be
    // saved as the home page), else the file.
    if (platform::DocTemplate* docs = m_app.docTemplate()) {
        for (platform::Document* base : docs->documents()) {
            CZQDoc* document = mainframeweb_detail::documentOf(base);
            if (!document)
                continue;
            const bool match = document->pathName() == home ||
                               (document->pathName().isEmpty() && document->m_strWebTargetPath == home);
            CChildFrame* child = mainframeweb_detail::frameOf(document);
            if (match && child) {
                m_mdiArea->setActiveSubWindow(child);
                return;
            }
        }
    }
    m_app.OpenDocumentFile(home);
}

void CMainFrame::OnUpdateRecentWeb(platform::CmdUI& ui)
{
    // 1. One item per recent web, its name in the action's data.
    bool any = false;
    for (int slot = 0; slot < 4; ++slot) {
        QAction* action = m_registry.action(ID_RECENT_WEB_FIRST + slot);
        const QString name = m_recentWebs.value(slot);
        action->setData(name);
        action->setVisible(!name.isEmpty());
        if (!name.isEmpty())
            action->setText(RecentWebMenuText(slot, name));
        any = any || !name.isEmpty();
    }
    ui.enable(any);
    // 2. The popup itself is greyed while it is empty or a transfer runs.
    const bool enabled = any && !IsEditingLockedBySiteManager();
    if (ui.action()) {
        for (QMenu* popup : mainframeweb_detail::recentWebPopups(ui.action()))
            popup->menuAction()->setEnabled(enabled);
    }
}

void CMainFrame::WatchRecentWebMenus()
{
    // The File menus that hold the popup bring its items up to date when they open.
    for (QMenu* popup : mainframeweb_detail::recentWebPopups(m_registry.action(ID_RECENT_WEB_FIRST))) {
        for (QObject* holder : popup->menuAction()->associatedObjects()) {
            if (auto* parent = qobject_cast<QMenu*>(holder))
                connect(parent, &QMenu::aboutToShow, this, [this] { m_registry.updateCommand(ID_RECENT_WEB_FIRST); });
        }
    }
    m_registry.updateCommand(ID_RECENT_WEB_FIRST);
}

void CMainFrame::OnRecentWeb(int id)
{
    // 1. The chosen name.
    const QString name = m_registry.action(id)->data().toString();
    if (name.isEmpty())
        return;
    // 2. The open web closes first; the one chosen again stays as it is.
    if (m_bWebOpen && m_strWebName == name)
        return;
    if (!CloseWebToReplaceIt())
        return;
    // 3. Only a web of the web root opens: a name from a damaged list leads nowhere else.
    const QString root = platform::webRoot();
    if (!IsWebOfRoot(name, root)) {
        MessageBoxById(IDS_RECENT_WEB_NOT_FOUND);
        return;
    }
    // 4. Open, with its home page.
    OpenWeb(name, WebFolderOf(name, root));
    OpenHomePage();
}

bool CMainFrame::CreateWebFolder(const QString& path)
{
    return CreateFolderInWebRoot(path, platform::webRoot());
}

bool CMainFrame::CreateNewWebFolders(const QString& folder)
{
    if (!CreateWebFolder(folder)) {
        MessageBoxById(IDS_WEB_NOT_CREATED);
        return false;
    }
    // The folders the saves copy linked files into.
    QDir web(folder);
    web.mkdir(QStringLiteral("image"));
    web.mkdir(QStringLiteral("other"));
    return true;
}

void CMainFrame::CloseSiteManagerPage()
{
    if (!m_pSiteManagerSheet)
        return;
    if (m_pSiteManagerBar) {
        m_pSiteManagerSheet->sitePage()->ClearModifiedFiles();
        m_pSiteManagerSheet->RemoveSitePage();
    }
    // The watcher ends before the page it tells goes.
    if (m_pFolderWatcher)
        m_pFolderWatcher->Stop();
}

// ---- web commands -------------------------------------------------------------

void CMainFrame::OnFileNewWeb()
{
    GuideNewWeb();
}

bool CMainFrame::GuideNewWeb()
{
    // 1. The open web closes first.
    if (m_bWebOpen) {
        if (MessageBoxById(IDS_CLOSE_WEB_AND_CREATE, 0, 0x40, 4) != platform::IDYES)
            return false;
        OnFileCloseWeb();
        if (m_bWebOpen)
            return false;
    }
    // 2. Its name and first page.
    VornaDialogCreateProject dialog(this);
    if (dialog.DoModal() != platform::IDOK)
        return false;
    // 3.-5. Its folders.
    const QString folder = WebFolderOf(dialog.m_strName, platform::webRoot());
    if (!CreateNewWebFolders(folder))
        return false;
    // 6. The first page; a cancelled one cancels the web.
    m_strWebName = dialog.m_strName;
    m_strWebFolder = folder;
    m_bWebOpen = true;
    m_bWebReady = false;
    switch (dialog.m_nPageKind) {
    case 1:
        OnFileNewFrameset();
        break;
    case 2:
        OnFileNewFromTemplate();
        break;
    default:
        OnFileNewFile();
        break;
    }
    // A first page that was not made leaves no home page behind.
    if (m_bWebOpen && !QFileInfo(m_strWebFolder + QStringLiteral("/index.html")).isFile())
        m_bWebOpen = false;
    if (m_bWebOpen) {
        // 7. The web opens; its structure is new to the server.
        m_bWebReady = true;
        ShowSiteManager();
        m_pSiteManagerSheet->sitePage()->m_bWebChanged = 1;
        OpenHomePage();
        return true;
    }
    // 8. Nothing was made: the new folders go when they are still empty.
    QDir web(folder);
    web.rmdir(QStringLiteral("image"));
    web.rmdir(QStringLiteral("other"));
    QDir().rmdir(folder);
    m_strWebName.clear();
    m_strWebFolder.clear();
    return false;
}

void CMainFrame::OnFileOpenWeb()
{
    GuideOpenWeb();
}

bool CMainFrame::GuideOpenWeb()
{
    // 1. The open web closes first.
    if (!CloseWebToReplaceIt())
        return false;
    // 2. The web to open.
    VornaDialogOpenProject dialog(this);
    if (dialog.DoModal() != platform::IDOK)
        return false;
    // 3, 4. Open, with its home page.
    OpenWeb(dialog.m_strName, dialog.m_strRoot);
    OpenHomePage();
    return true;
}

bool CMainFrame::CloseWebToReplaceIt()
{
    if (!m_bWebOpen)
        return true;
    if (MessageBoxById(IDS_CLOSE_WEB_AND_OPEN, 0, 0x40, 4) != platform::IDYES)
        return false;
    OnFileCloseWeb();
    return !m_bWebOpen;
}

void CMainFrame::ClosePages(const std::function<bool(CZQDoc*)>& picked, bool& running)
{
    platform::DocTemplate* docs = m_app.docTemplate();
    bool restart = true;
    while (restart && running && docs) {
        restart = false;
        const QList<platform::Document*> list = docs->documents();
        for (platform::Document* base : list) {
            if (!running)
                break;
            // Closing one page may have closed others (the frames of a frameset page).
            if (!docs->documents().contains(base))
                continue;
            CZQDoc* document = mainframeweb_detail::documentOf(base);
            CChildFrame* frame = mainframeweb_detail::frameOf(document);
            if (!frame || !picked(document))
                continue;
            // a. The page is closed from its editing view, its source text in it.
            frame->LeaveToEditMode();
            // b. A frameset page asks once for all its pages, through its frame.
            if (frame->HasFrameset()) {
                const QPointer<CChildFrame> closed = frame;
                if (mainframeweb_detail::anyFrameModified(frame)) {
                    m_mdiArea->setActiveSubWindow(frame);
                    frame->CloseFrame();
                } else {
                    CZQView* frameset = frame->GetFramesetView();
                    CZQDoc* page = frameset && frameset->GetDocument() ? frameset->GetDocument() : document;
                    page->closeDocument();
                }
                // Closed: its frame pages go with it, not one by one.
                if (running && closed)
                    closed->ForgetFrameset();
                restart = true;
                break;
            }
            // c. Any other page.
            if (!document->isModified()) {
                document->closeDocument();
                continue;
            }
            if (document->pathName().isEmpty() || m_nRememberedAnswer == 0) {
                m_mdiArea->setActiveSubWindow(frame);
                frame->CloseFrame();
                continue;
            }
            if (m_nRememberedAnswer == platform::IDYES && !document->doFileSave()) {
                // A page that cannot be saved stays open, and the batch stops.
                running = false;
                break;
            }
            document->closeDocument();
        }
    }
}

void CMainFrame::OnFileCloseWeb()
{
    // 1.
    m_bClosingWeb = true;
    m_nRememberedAnswer = 0;
    // 2.
    if (!m_pSiteManagerSheet) {
        m_bWebOpen = false;
        m_bClosingWeb = false;
        return;
    }
    // 3, 4. The web's pages: in the web folder (or not saved yet) and named in its site list.
    const QStringList names = WebPageNames();
    const QString web = m_strWebFolder;
    ClosePages(
        [&names, &web](CZQDoc* document) {
            const QString path = document->pathName();
            return (path.isEmpty() || QFileInfo(path).absolutePath() == web) &&
                   names.contains(document->GetDisplayName());
        },
        m_bClosingWeb);
    // 5. Closed unless a save was cancelled.
    if (m_bClosingWeb) {
        CloseSiteManagerPage();
        m_bWebOpen = false;
        m_bWebReady = false;
        m_bClosingWeb = false;
        m_strWebFolder.clear();
        m_strWebName.clear();
    }
    // 6.
    m_nRememberedAnswer = 0;
}

void CMainFrame::SaveFramesetPage(CChildFrame* child)
{
    CZQView* view = child->GetFramesetView();
    CZQDoc* document = view ? view->GetDocument() : nullptr;
    if (!document)
        return;
    // The frame pages without a file ask for their names in the frameset's window.
    if (mainframeweb_detail::framesUnsaved(child))
        m_mdiArea->setActiveSubWindow(child);
    m_nFramesetSaveMode = 1;
    QString text;
    BuildFramesetPageHtml(text, FramesetSaveUnsavedFrames, child);
    m_nFramesetSaveMode = -1;
    document->m_strFramesetHtml = text;
    document->OnFileSave();
    m_nFramesetSaveMode = 0;
}

void CMainFrame::OnFileSaveWeb()
{
    // 1.
    const QStringList names = WebPageNames();
    platform::DocTemplate* docs = m_app.docTemplate();
    QPointer<CChildFrame> active = GetActiveChild();
    if (!docs || docs->documentCount() == 0 || !active)
        return;
    // 2. Every changed page of the web, each frameset page once.
    QList<CChildFrame*> framesetsDone;
    for (platform::Document* base : docs->documents()) {
        CZQDoc* document = mainframeweb_detail::documentOf(base);
        CChildFrame* frame = mainframeweb_detail::frameOf(document);
        if (!frame || !names.contains(document->GetDisplayName()))
            continue;
        if (frame->HasFrameset()) {
            if (!framesetsDone.contains(frame) && mainframeweb_detail::anyFrameModified(frame)) {
                framesetsDone.append(frame);
                SaveFramesetPage(frame);
            }
            continue;
        }
        if (!document->isModified())
            continue;
        if (document->pathName().isEmpty())
            m_mdiArea->setActiveSubWindow(frame);
        document->OnFileSave();
    }
    // 3.
    if (active)
        m_mdiArea->setActiveSubWindow(active);
}

// ---- page commands ------------------------------------------------------------

bool CMainFrame::CopyPageFile(const QString& from, const QString& to)
{
    if (mainframeweb_detail::sameFile(from, to))
        return true;
    if (platform::copyPath(from, to, platform::OnConflict::Overwrite) != platform::FileError::Success) {
        ShowMessageBox(LoadResString(IDS_FILE_NOT_COPIED).arg(QDir::toNativeSeparators(to)));
        return false;
    }
    // A page copied from a read-only template is the user's to change.
    QFile::setPermissions(to, QFile::permissions(to) | QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    return true;
}

void CMainFrame::OnFileNewFile()
{
    // 1. A new web's first page: the page template becomes its home page.
    if (m_bWebOpen && !m_bWebReady) {
        if (!CopyPageFile(mainframeweb_detail::pageTemplatePath(m_strInstallFolder),
                          m_strWebFolder + QStringLiteral("/index.html")))
            m_bWebOpen = false;
        return;
    }
    // 2. A new page from the page template.
    m_app.OpenDocumentFile(QString());
    // 3. Into the open web, when the user wants it there.
    if (!m_bWebOpen || !m_bWebReady || !m_pSiteManagerSheet ||
        MessageBoxById(IDS_ADD_FILE_TO_WEB, 0, 0x40, 4) != platform::IDYES)
        return;
    CZQView* view = GetActiveView();
    CZQDoc* document = view ? view->GetDocument() : nullptr;
    const QString name = document ? document->GetDisplayName() : QString();
    if (m_pSiteManagerSheet->sitePage()->AddPageToWeb(name, QString(), QString(), QString(), false) == -1 && document) {
        document->closeDocument();
        m_mdiArea->activateNextSubWindow();
    }
}

bool CMainFrame::OnFileNewFromTemplate()
{
    const bool makingWeb = m_bWebOpen && !m_bWebReady;
    // 1. The page to start from; without one, a web being made is not made.
    ULOFileDialog dialog(true, 3, QString(), QString(), OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT | OFN_FILEMUSTEXIST,
                         LoadResString(IDS_HTML_FILE_FILTER), this);
    if (dialog.DoModal() != platform::IDOK) {
        if (makingWeb)
            m_bWebOpen = false;
        return false;
    }
    const QString chosen = dialog.GetPathName();
    // 2, 3. A new page from it; in a web being made, its copy is the home page.
    QPointer<CZQDoc> document;
    if (makingWeb) {
        const QString home = m_strWebFolder + QStringLiteral("/index.html");
        if (!CopyPageFile(chosen, home)) {
            m_bWebOpen = false;
            return false;
        }
        document = m_app.OpenNewPage(chosen);
        if (document)
            document->m_strWebTargetPath = home;
    } else {
        document = m_app.OpenNewPage(chosen);
    }
    // 4. Into the open web, when the user wants it there; the page is new
    // work, without the template's links and image maps.
    CZQView* view = GetActiveView();
    if (!document || !view || view->GetDocument() != document)
        return true;
    if (m_bWebOpen && m_bWebReady && m_pSiteManagerSheet &&
        MessageBoxById(IDS_ADD_FILE_TO_WEB, 0, 0x40, 4) == platform::IDYES &&
        m_pSiteManagerSheet->sitePage()->AddPageToWeb(document->GetDisplayName(), chosen, QString(), QString(),
                                                      false) == -1) {
        document->closeDocument();
        m_mdiArea->activateNextSubWindow();
        return true;
    }
    document->m_bFromTemplate = true;
    view->m_bImportedPage = true;
    view->StripImportedLinks();
    return true;
}

void CMainFrame::OnFileOpen()
{
    // 1.
    ULOFileDialog dialog(true, 0, QString(), QString(), OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT | OFN_FILEMUSTEXIST,
                         LoadResString(IDS_HTML_FILE_FILTER), this);
    if (dialog.DoModal() != platform::IDOK)
        return;
    // 2. An address typed in the dialog.
    if (dialog.m_bURL) {
        m_app.OpenNewPage(dialog.m_strURL);
        return;
    }
    // 3. An image waits in a new page for the click that places it.
    const QString path = dialog.GetPathName();
    if (IsImageFileName(path)) {
        m_app.OpenDocumentFile(QString());
        ArmImageInsertion(path);
        return;
    }
    // 4. A page (its window comes up when it is open already).
    m_app.OpenDocumentFile(path);
}

void CMainFrame::OnFileClose()
{
    if (CChildFrame* child = GetActiveChild())
        child->CloseFrame();
}

void CMainFrame::OnFileSaveAll()
{
    // 1.
    QPointer<CChildFrame> active = GetActiveChild();
    platform::DocTemplate* docs = m_app.docTemplate();
    if (!active || !docs)
        return;
    // 2. Every changed or untitled page, each frameset page once.
    QList<CChildFrame*> framesetsDone;
    for (platform::Document* base : docs->documents()) {
        CZQDoc* document = mainframeweb_detail::documentOf(base);
        CChildFrame* frame = mainframeweb_detail::frameOf(document);
        if (!frame)
            continue;
        if (frame->HasFrameset()) {
            if (!framesetsDone.contains(frame) && frame->GetFramesetView() &&
                (mainframeweb_detail::anyFrameModified(frame) || mainframeweb_detail::framesUnsaved(frame))) {
                framesetsDone.append(frame);
                SaveFramesetPage(frame);
            }
            continue;
        }
        if (!document->isModified() && !document->pathName().isEmpty())
            continue;
        if (document->pathName().isEmpty())
            m_mdiArea->setActiveSubWindow(frame);
        document->OnFileSave();
    }
    // 3. Back to the page the user was in, shown in the site list when it is the web's.
    if (!active)
        return;
    m_mdiArea->setActiveSubWindow(active);
    CZQView* view = active->GetActiveView();
    CZQDoc* document = view ? view->GetDocument() : nullptr;
    const QString name = document ? document->GetDisplayName() : QString();
    if (!name.isEmpty() && IsPageInWeb(name) &&
        (document->pathName().isEmpty() || QFileInfo(document->pathName()).absolutePath() == m_strWebFolder))
        m_pSiteManagerSheet->SelectFile(name, 1);
}

void CMainFrame::OnFilePrint()
{
    if (CZQView* view = GetActiveView())
        view->ExecCommand(mainframeweb_detail::kPrintCommand, nullptr, nullptr, true);
}

void CMainFrame::OnFilePrintPreview()
{
    if (CZQView* view = GetActiveView())
        view->ExecCommand(mainframeweb_detail::kPrintPreviewCommand, nullptr, nullptr, false);
}

void CMainFrame::OnFilePageSetup()
{
    if (CZQView* view = GetActiveView())
        view->ExecCommand(mainframeweb_detail::kPageSetupCommand, nullptr, nullptr, true);
}

QString CMainFrame::ImportPageIntoWeb()
{
    ULOFileDialog dialog(true, 4, QString(), QString(), OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT | OFN_FILEMUSTEXIST,
                         LoadResString(IDS_FILTER_HTML), this);
    if (dialog.DoModal() != platform::IDOK || !m_pSiteManagerSheet)
        return QString();
    const QString path = dialog.GetPathName();
    if (m_pSiteManagerSheet->sitePage()->AddPageToWeb(path, QString(), QString(), QString(), false) == -1)
        return QString();
    return path;
}

QString CMainFrame::AskRenameExistingPage(const QString& folder, const QString& fileName, bool exists, bool noOpen)
{
    // 1.
    const QString source = QDir::cleanPath(folder + QLatin1Char('/') + fileName);
    QString name = fileName;
    QString confirmed;
    // 2. A name taken in the web: another one, proposed free of the web's pages.
    if (exists) {
        if (MessageBoxById(IDS_RENAME_EXISTING_PAGE, 0, 0x40, 4) != platform::IDYES)
            return QString();
        QString base = QFileInfo(fileName).completeBaseName();
        const QFileInfoList pages =
            QDir(m_strWebFolder).entryInfoList({QStringLiteral("*.htm*")}, QDir::Files, QDir::Name | QDir::IgnoreCase);
        for (const QFileInfo& page : pages) {
            if (page.completeBaseName().compare(base, Qt::CaseInsensitive) == 0)
                base += QLatin1Char('1');
        }
        ULOFileDialog dialog(false, 4, QString(), m_strWebFolder + QLatin1Char('/') + base + QStringLiteral(".html"),
                             OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, LoadResString(IDS_HTML_FILE_FILTER), this);
        if (dialog.DoModal() != platform::IDOK)
            return QString();
        confirmed = dialog.GetPathName();
        if (!IsHtmlFileName(confirmed))
            confirmed += QStringLiteral(".html");
        name = GetFileNamePart(confirmed);
    }
    // 3. The copy; a file of the web is replaced only when the user said so.
    const QString target = m_strWebFolder + QLatin1Char('/') + name;
    if (!mainframeweb_detail::sameFile(source, target) && platform::pathExists(target) && confirmed != target &&
        ShowMessageBox(LoadResString(IDS_FILE_REPLACE).arg(QDir::toNativeSeparators(target)), 0, 0x40, 4) !=
            platform::IDYES)
        return QString();
    if (!CopyPageFile(source, target))
        return QString();
    // 4. A new page on it, to be saved as the copy.
    if (!noOpen) {
        if (CZQDoc* document = m_app.OpenNewPage(source))
            document->m_strWebTargetPath = target;
    }
    // 5.
    return target;
}

// ---- site manager, quick publish and servers ------------------------------------

void CMainFrame::OnWindowSiteManager()
{
    // 1. Made and shown on first use, with no watcher and no recent web.
    if (!m_pSiteManagerBar) {
        CreateSiteManagerBar();
        m_pSiteManagerBar->show();
        m_pSiteManagerSheet->ActivateSitePage();
        return;
    }
    // 2. Shown and rolled up: unrolled, with the site manager page in front
    //    when the lesson was; shown: hidden; hidden: unrolled and shown with
    //    the site manager page in front.
    if (m_pSiteManagerBar->isVisibleTo(this)) {
        if (m_pSiteManagerBar->IsShrunk()) {
            m_pSiteManagerBar->RestoreShrunkSize();
            m_pSiteManagerBar->repaint();
            if (m_pSiteManagerSheet->IsTutorialPageActive())
                m_pSiteManagerSheet->ActivateSitePage();
            return;
        }
        m_pSiteManagerBar->hide();
        return;
    }
    m_pSiteManagerBar->RestoreShrunkSize();
    m_pSiteManagerSheet->ActivateSitePage();
    m_pSiteManagerBar->show();
}

void CMainFrame::OnToolsQuickPublishProperties()
{
    CVornaDialogQuickPublish dialog(this);
    dialog.DoModal();
}

void CMainFrame::OnFtpSettings()
{
    VORNA_DIALOG_WEBPROPERTY dialog(this, &GetFtp());
    dialog.DoModal();
}
