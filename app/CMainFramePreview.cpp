// The main frame's commands that switch the active page between its views,
// the preview in the desktop's browser, and the page editor's status panes.
#include "app/CMainFrame.h"

#include "app/CChildFrame.h"
#include "app/CZQDoc.h"
#include "app/CZQView.h"
#include "editor/CImpIDispatch.h"
#include "effects/CScriptUtility.h"
#include "frames/FramesetWriter.h"
#include "frames/VornaFrameSet.h"
#include "util/ElementGeometry.h"
#include "util/MessageBox.h"
#include "util/PageDom.h"
#include "util/PageLinks.h"
#include "util/StringResources.h"
#include "res/resource.h"

#include "engine/dom/Document.h"
#include "engine/view/PageView.h"

#include "platform/CmdUI.h"
#include "platform/DataRoot.h"
#include "platform/Desktop.h"

#include <QCursor>
#include <QDir>
#include <QDockWidget>
#include <QFile>
#include <QFileInfo>
#include <QMdiArea>

namespace mainframepreview_detail {

// The folder of a path, without its trailing "/".
QString folderOf(const QString& path)
{
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    return slash < 0 ? QString() : path.left(slash);
}

// Whether the selection is an object whose place and size the panes show.
bool showsObject(quint32 mask)
{
    return !(mask & (0x1 | 0x20000 | 0x8000000)) &&
           (mask & (0x2 | 0x4 | 0x8 | 0x10 | 0x100 | 0x200 | 0x400000 | 0x2000000 | 0x80000));
}

} // namespace mainframepreview_detail

QString CMainFrame::GetPreviewFolder() const
{
    using mainframepreview_detail::folderOf;
    CChildFrame* child = GetActiveChild();
    // 1. The page: a frameset page's own, else the active one.
    const CZQView* view = child ? child->GetActiveView() : nullptr;
    if (child && child->GetFramesetView())
        view = child->GetFramesetView();
    const CZQDoc* page = view ? view->GetDocument() : nullptr;
    const CZQDoc* active = child ? child->GetDocument() : nullptr;
    // 2. A page with a file: its folder.
    if (page && !page->pathName().isEmpty())
        return folderOf(page->pathName());
    // 3. A new page made from a local file other than the template: that file's folder.
    if (active && active->pathName().isEmpty()) {
        const QString source = QString(active->m_strSourcePath).replace(QLatin1Char('\\'), QLatin1Char('/'));
        const QString templatePage = platform::resolveCaseBlind(m_strInstallFolder, QStringLiteral("Bin/ULO.html"));
        if (!source.isEmpty() && !source.contains(QLatin1String("://")) && source != templatePage)
            return folderOf(source);
    }
    // 4. The open web, else the install folder.
    return m_bWebOpen && !m_strWebFolder.isEmpty() ? m_strWebFolder : m_strInstallFolder;
}

void CMainFrame::OnShowPreview()
{
    CChildFrame* child = GetActiveChild();
    if (!child)
        return;
    const QString folder = GetPreviewFolder();
    if (child->m_bEditShown) {
        if (!child->ShowPreviewFromEdit(folder))
            return;
        // The site manager gives the page its room; a switch from the source
        // already took it away.
        if (m_pSiteManagerBar) {
            if (!child->m_bSourceToPreview)
                m_bSiteManagerWasVisible = m_pSiteManagerBar->isVisible();
            m_pSiteManagerBar->hide();
        }
    } else if (child->m_bSourceShown) {
        child->ShowPreviewFromSource();
    }
    setAcceptDrops(false);
}

void CMainFrame::OnShowSource()
{
    CChildFrame* child = GetActiveChild();
    if (!child)
        return;
    const QString folder = GetPreviewFolder();
    if (child->m_bEditShown) {
        if (!child->ShowSourceFromEdit(folder))
            return;
        if (m_pSiteManagerBar) {
            m_bSiteManagerWasVisible = m_pSiteManagerBar->isVisible();
            m_pSiteManagerBar->hide();
        }
    } else if (child->m_bPreviewShown) {
        child->ShowSourceFromPreview(folder);
    }
    setAcceptDrops(false);
}

void CMainFrame::OnBackToEdit()
{
    CChildFrame* child = GetActiveChild();
    if (!child || child->m_bEditShown)
        return;
    if (m_pSiteManagerBar && m_bSiteManagerWasVisible)
        m_pSiteManagerBar->show();
    if (child->m_bPreviewShown)
        child->ShowEditViewFromPreview();
    else if (child->m_bSourceShown)
        child->ShowEditViewFromSource();
    setAcceptDrops(true);
    if (CZQView* view = child->m_pEditView) {
        view->setFocus(Qt::OtherFocusReason);
        if (CImpIDispatch* sink = view->GetSink())
            sink->ReleaseDocumentCapture();
    }
}

void CMainFrame::OnPreviewInBrowser()
{
    CChildFrame* child = GetActiveChild();
    CZQView* view = GetActiveView();
    if (!child || !view)
        return;
    // 1. The page file.
    const QString folder = GetPreviewFolder();
    const QString path = CChildFrame::TempPagePath(folder);
    // 2.-3. The page (a frameset page with a page per frame) as a file.
    QList<FramePane*> panes;
    bool written = false;
    if (VornaFrameSet* root = child->frameTree().root.get()) {
        int counter = 0;
        written = child->WriteFramePagesToTemp(root, folder, counter);
        child->m_nTempFramePages = 0;
        QString text;
        BuildFramesetPageHtml(text, FramesetPreview, child);
        written = written && child->WriteHiddenTextFile(path, text);
        child->m_nTempFramePages = 0;
        root->CollectFrameViews(panes);
    } else {
        view->StripImportedLinks();
        CollectScriptFiles(false, view);
        written = child->WritePageToTempFile(path, nullptr);
        CollectScriptFiles(true, view);
    }
    if (!written) {
        child->ReportTempFileFailure(path);
        return;
    }
    // 4. The effect scripts of pages of the web without a file of their own go beside the page.
    QList<CZQView*> views{view};
    for (FramePane* pane : panes) {
        if (auto* paneView = dynamic_cast<CZQView*>(pane))
            views.append(paneView);
    }
    for (CZQView* each : views) {
        const CZQDoc* document = each->GetDocument();
        QString scripts;
        CScriptUtility::GetScriptSourceList(scripts);
        if (!document || !document->pathName().isEmpty() || !IsPageInWeb(document->GetDisplayName()) ||
            scripts.isEmpty())
            continue;
        const QString other = folder + QStringLiteral("/other");
        if (!QDir().mkpath(other))
            continue;
        QStringList files;
        CScriptUtility::GetScriptFilePaths(files, each);
        const engine::Document* page = each->GetHtmlDocument();
        if (page && page->body())
            CScriptUtility::GetScriptImageFiles(files, page->body()->innerHTML(), false);
        for (const QString& file : files) {
            const QString source = QString(file).replace(QLatin1Char('\\'), QLatin1Char('/'));
            const QString target = other + QLatin1Char('/') + QFileInfo(source).fileName();
            if (source == target || !QFileInfo::exists(source))
                continue;
            QFile::remove(target);
            QFile::copy(source, target);
        }
    }
    // 5.-6. The desktop's browser shows it; the program does not wait for it.
    // Differs from the command it stands for, which says nothing when no
    // browser starts: the user is told.
    if (!platform::openWithDesktop(path))
        ShowMessageBox(LoadResString(IDS_BROWSER_NOT_STARTED).arg(QDir::toNativeSeparators(path)));
}

// ---- the status panes -------------------------------------------------------------

void CMainFrame::OnUpdateIndicatorXY(platform::CmdUI& ui) const
{
    const CZQView* view = GetActiveView();
    if (!view && !IsEditMode())
        return;
    ui.enable(true);
    if (!IsEditMode()) {
        ui.setText(QString());
        return;
    }
    engine::Ref<engine::Element> element;
    if (mainframepreview_detail::showsObject(view->m_dwSelKind) &&
        SUCCEEDED(GetPageSelection(&element, nullptr, nullptr, const_cast<CZQView*>(view))) && element) {
        QString left, top, width, height;
        GetElementOffsets(element.get(), left, top, width, height);
        ui.setText(QStringLiteral("x : %1  y : %2").arg(left, top));
        return;
    }
    // The mouse in the page's client coordinates, when it is over the page.
    const engine::PageView* page = view->GetPageView();
    if (!page) {
        ui.setText(QStringLiteral(" "));
        return;
    }
    const QPoint local = page->viewport()->mapFromGlobal(QCursor::pos());
    const QPoint client = page->viewToClient(local);
    const QRect area = page->rect();
    if (client.x() < 0 || client.y() < 0 || local.x() >= area.width() || local.y() >= area.height())
        ui.setText(QStringLiteral(" "));
    else
        ui.setText(QStringLiteral("x : %1  y : %2").arg(client.x()).arg(client.y()));
}

void CMainFrame::OnUpdateIndicatorSize(platform::CmdUI& ui) const
{
    const CZQView* view = GetActiveView();
    if (!view)
        return;
    ui.enable(true);
    if (!IsEditMode()) {
        ui.setText(QString());
        return;
    }
    engine::Ref<engine::Element> element;
    if (mainframepreview_detail::showsObject(view->m_dwSelKind) &&
        SUCCEEDED(GetPageSelection(&element, nullptr, nullptr, const_cast<CZQView*>(view))) && element) {
        QString left, top, width, height;
        GetElementOffsets(element.get(), left, top, width, height);
        ui.setText(QStringLiteral("width : %1  height : %2").arg(width, height));
        return;
    }
    ui.setText(QStringLiteral(" "));
}

void CMainFrame::OnUpdateIndicatorOverwrite(platform::CmdUI& ui) const
{
    ui.enable(true);
    ui.setText(IsPreviewMode() ? QString() : LoadResString(m_bOverwrite ? 57680 : 57679));
}

// ---- the page windows ---------------------------------------------------------------

void CMainFrame::OnChildActivated(CChildFrame* child)
{
    // Without window activation the current page window stays the active one.
    if (!child && m_mdiArea && m_mdiArea->currentSubWindow() == m_activeChildFrame.data() && m_activeChildFrame &&
        !m_activeChildFrame->m_bClosing)
        return;
    if (child == m_activeChildFrame.data())
        return;
    CChildFrame* before = m_activeChildFrame.data();
    m_activeChildFrame = child;
    if (before)
        before->OnMDIActivate(false, child != nullptr);
    if (child) {
        child->OnMDIActivate(true, false);
        m_bPageWindowsMaximized = child->isMaximized();
    }
    UpdateFrameTitle();
}

void CMainFrame::UpdateFrameTitle()
{
    QString title = QStringLiteral("Vorna-Paginor 2002");
    if (const CChildFrame* child = m_activeChildFrame.data();
        child && child->isMaximized() && !child->windowTitle().isEmpty())
        title += QStringLiteral(" - [") + child->windowTitle() + QLatin1Char(']');
    if (windowTitle() != title)
        setWindowTitle(title);
}

void CMainFrame::AddPreviewCommands()
{
    onCommand(32869, [this] { OnShowPreview(); });
    onCommand(33183, [this] { OnShowSource(); });
    onCommand(32870, [this] { OnBackToEdit(); });
    onCommand(33400, [this] { OnPreviewInBrowser(); });
}

void CMainFrame::AddPreviewUpdateHandlers()
{
    onUpdate(33183, [this](platform::CmdUI& ui) { ui.enable(!IsSourceMode()); });
    onUpdate(33400, [this](platform::CmdUI& ui) { ui.enable(IsEditMode()); });
    onUpdate(41871, [this](platform::CmdUI& ui) { OnUpdateIndicatorXY(ui); });
    onUpdate(41872, [this](platform::CmdUI& ui) { OnUpdateIndicatorSize(ui); });
    onUpdate(57678, [this](platform::CmdUI& ui) { OnUpdateIndicatorOverwrite(ui); });
}
