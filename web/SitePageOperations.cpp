#include "web/SitePageOperations.h"

#include "app/CChildFrame.h"
#include "app/CMainFrame.h"
#include "app/CZQApp.h"
#include "app/CZQDoc.h"
#include "app/CZQView.h"
#include "editor/CImpIDispatch.h"
#include "frames/VornaFrameSet.h"
#include "util/AppContext.h"
#include "util/FileHelpers.h"
#include "util/PageLinks.h"
#include "web/CVornaSiteGridCtrl.h"
#include "web/SiteFileTexts.h"
#include "web/VornaDialogSiteManagerPage1.h"
#include "web/VornaDialogSiteManagerSheet.h"

#include <QHash>
#include <QMdiArea>
#include <QPointer>
#include <QTimer>

#include <functional>

namespace sitepageops_detail {

VornaDialogSiteManagerPage1* sitePage()
{
    CMainFrame* main = CMainFrame::instance();
    VornaDialogSiteManagerSheet* sheet = main ? main->siteManagerSheet() : nullptr;
    return sheet ? sheet->sitePage() : nullptr;
}

// The pages of the web's page rows (frame pages go with their frameset
// pages), each opened when it is not open. A page's views: its own, or the
// views of its frameset's frames.
void forEachSitePage(const std::function<void(CZQView*)>& visit)
{
    VornaDialogSiteManagerPage1* page = sitePage();
    if (!page)
        return;
    CVornaSiteGridCtrl* list = page->siteList();
    const QString web = SiteWebFolder();
    // The rows as they stand: opening a page may change the list.
    QStringList paths;
    for (int row = 0; row < list->GetItemCount(); ++row) {
        if (SiteSameText(list->GetRowType(row), CVornaSiteGridCtrl::TypePage()) && list->GetItemKind(row) != 1)
            paths.append(list->GetItemPath(row));
    }
    // The open pages by their paths, looked up once.
    QHash<QString, CZQDoc*> open;
    for (const AppContext::OpenDocument& page : AppContext::instance().openDocuments()) {
        if (!page.path.isEmpty())
            open.insert(page.path, page.document);
    }
    for (const QString& path : paths) {
        CZQView* view = nullptr;
        const QString full = web + QLatin1Char('/') + path;
        CZQDoc* document = open.value(full);
        if (!document)
            document = FindOpenDocument(full);
        if (document) {
            view = document->GetView();
        } else {
            const int row = page->FindFileRow(path);
            if (row < 0)
                continue;
            page->OpenItem(row);
            CZQApp* app = CZQApp::instance();
            view = app ? app->GetActiveView() : nullptr;
        }
        if (!view)
            continue;
        CChildFrame* child = view->GetParentFrame();
        const bool tree = child && child->HasFrameset();
        const bool framesetView = child && child->GetFramesetView();
        if (tree != framesetView)
            continue;
        if (!tree) {
            visit(view);
            continue;
        }
        QList<FramePane*> panes;
        child->frameTree().root->CollectFrameViews(panes);
        for (FramePane* pane : panes) {
            if (auto* paneView = dynamic_cast<CZQView*>(pane))
                visit(paneView);
        }
    }
}

} // namespace sitepageops_detail

void ApplyBodyAttributesToSitePages(const QString& background, const QString& bgColor, const QString& text,
                                    const QString& link, const QString& aLink, const QString& vLink)
{
    VornaDialogSiteManagerPage1* page = sitepageops_detail::sitePage();
    if (!page) {
        // No web: the active page alone.
        WriteBodyAttributes(nullptr, background, bgColor, text, link, aLink, vLink);
        return;
    }
    // 1.
    CMainFrame* main = CMainFrame::instance();
    QMdiArea* area = main ? main->mdiArea() : nullptr;
    QPointer<QMdiSubWindow> active = main ? main->GetActiveChild() : nullptr;
    const bool maximized = active && active->isMaximized();
    // 2.-5. A page still loading gets them when it has loaded.
    page->SetBodyAttributes(background, bgColor, text, link, aLink, vLink);
    sitepageops_detail::forEachSitePage([page](CZQView* view) {
        if (view->m_bLoadCompleted)
            page->ApplyBodyAttributes(view);
        else
            view->m_bApplyBodyAttributes = true;
    });
    // 6. Now, and again once the pages opened on the way have shown themselves.
    const auto reactivate = [area = QPointer<QMdiArea>(area), active, maximized] {
        if (!active || !area)
            return;
        area->setActiveSubWindow(active);
        if (maximized)
            active->showMaximized();
    };
    reactivate();
    if (area)
        QTimer::singleShot(0, area, reactivate);
}

void ReplaceLinksInSitePages(const QString& oldName, const QString& newName, int mode, const QString& oldPath)
{
    sitepageops_detail::forEachSitePage([&](CZQView* view) {
        if (!view->m_bLoadCompleted) {
            view->m_pendingLinkRename = {oldName, newName, oldPath, mode};
            return;
        }
        if (oldPath.isEmpty())
            CollectPageLinks(view, oldName, newName, mode);
        else
            CollectPageLinksToFile(view, oldPath, newName, mode);
        view->m_pendingLinkRename = {};
    });
}

void ResetDragMode()
{
    // 1.
    CMainFrame* main = CMainFrame::instance();
    if (!main)
        return;
    // 2.
    if (CZQView* view = main->GetActiveView()) {
        if (CImpIDispatch* sink = view->GetSink()) {
            sink->ReleaseDocumentCapture();
            const int kind = main->m_nInsertKind;
            if (kind == 1 || kind == 10 || kind == 3)
                sink->m_bInserting = false;
        }
    }
    // 3., 4.
    main->m_bDragPending = false;
    if (VornaDialogSiteManagerPage1* page = sitepageops_detail::sitePage())
        page->siteList()->unsetCursor();
    // 5.
    main->m_nInsertKind = 0;
    main->m_strInsertImageSrc.clear();
    main->m_strInsertHtml.clear();
    main->m_strInsertMediaSrc.clear();
}
