#include "app/PageLoadCompletion.h"

#include "app/CChildFrame.h"
#include "app/CHtmlEditCntrItem.h"
#include "app/CMainFrame.h"
#include "app/CZQDoc.h"
#include "app/CZQView.h"
#include "app/PageContent.h"
#include "editor/CImpIDispatch.h"
#include "frames/FramesetWriter.h"
#include "frames/VornaFrameSet.h"
#include "util/ImageMaps.h"
#include "util/PageLinks.h"
#include "util/PathText.h"
#include "web/VornaDialogSiteManagerPage1.h"
#include "web/VornaDialogSiteManagerSheet.h"

#include "engine/css/Style.h"
#include "engine/dom/Document.h"

#include <QDir>
#include <QFileInfo>
#include <QScopeGuard>

#include <climits>

namespace pageload_detail {

bool sameText(const QString& a, const QString& b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

bool endsInHtml(const QString& name)
{
    return name.endsWith(QLatin1String(".htm"), Qt::CaseInsensitive) ||
           name.endsWith(QLatin1String(".html"), Qt::CaseInsensitive);
}

// A frameset page: its view becomes the frame's frameset view and its frame
// pages show in panes.
void completeFramesetPage(engine::Document* document, CZQView* view, CZQDoc* doc, CChildFrame* child)
{
    CMainFrame* main = CMainFrame::instance();
    // a.-c.
    if (const QString charset = document->charset(); !charset.isEmpty())
        doc->m_strFramesetCharset = charset;
    child->SetFramesetView(view);
    if (!doc->m_strWebTargetPath.isEmpty())
        doc->setPathName(doc->m_strWebTargetPath, true);
    // d.-e. The panes, laid out over the editing area.
    view->m_bLoadCompleted = true;
    child->LoadFrameset();
    // The web's BODY attributes asked for this page go to its frame pages
    // still loading (those loaded already took them), once.
    if (view->m_bApplyBodyAttributes) {
        QList<FramePane*> panes;
        if (VornaFrameSet* root = child->frameTree().root.get())
            root->CollectFrameViews(panes);
        for (FramePane* pane : panes) {
            if (auto* paneView = dynamic_cast<CZQView*>(pane); paneView && !paneView->m_bLoadCompleted)
                paneView->m_bApplyBodyAttributes = true;
        }
        view->m_bApplyBodyAttributes = false;
    }
    // f.
    const QString name = doc->GetDisplayName();
    if (endsInHtml(name)) {
        if (main && main->IsPageInWeb(name))
            doc->setPathName(QDir::cleanPath(main->m_strWebFolder + QLatin1Char('/') + name), true);
        QString text;
        BuildFramesetPageHtml(text, FramesetTextOnly, child);
        doc->m_strFramesetHtml = text;
        // A page made for the web is written there now. A frameset page that
        // merely changed while loading (a frame page was missing) waits for
        // the user's save: it is asked about when it closes.
        if (!doc->m_strWebTargetPath.isEmpty() && !sameText(doc->m_strWebTargetPath, doc->m_strSourcePath)) {
            doc->m_bPageChanged = true;
            doc->m_bPageChanged = !doc->onSaveDocument(doc->pathName());
        }
    }
    // g.
    view->hide();
}

// A page made from another file goes into the open web: its files are
// copied, it is saved there and read again from there.
void importIntoWeb(CZQView* view, CZQDoc* doc)
{
    CMainFrame* main = CMainFrame::instance();
    const bool webOpen = main && main->m_bWebOpen;
    // 1.-4.
    const QString source = doc->m_strSourcePath;
    view->StripImportedLinks();
    doc->MakeLinksRelative();
    if (webOpen)
        doc->CopyResourcesToWeb(false);
    // 5.-6.
    if (view->m_bImportedPage && !doc->m_strWebTargetPath.isEmpty()) {
        const QString target = doc->m_strWebTargetPath;
        doc->onSaveDocument(target);
        doc->setPathName(target, true);
    }
    if (!doc->m_strWebTargetPath.isEmpty())
        doc->setPathName(doc->m_strWebTargetPath, true);
    // 7.-8.
    doc->FixLinksForSave(true, false);
    if (webOpen) {
        const QString web = QDir::cleanPath(main->m_strWebFolder);
        const bool homeByPath = !doc->pathName().isEmpty() &&
                                sameText(QDir::cleanPath(GetFolderOfPath(doc->pathName())), web) &&
                                sameText(doc->GetDisplayName(), QStringLiteral("index.html"));
        const bool homeByTarget =
            sameText(QDir::cleanPath(doc->m_strWebTargetPath), web + QStringLiteral("/index.html"));
        if (homeByPath || homeByTarget)
            doc->m_bFromTemplate = false;
    }
    // 9. Written and read again from its place in the web.
    CHtmlEditCntrItem* item = view->GetItem();
    if (!doc->pathName().isEmpty() && item) {
        const QString path = doc->pathName();
        item->SaveDocument(path);
        const QFileInfo file(path);
        doc->m_timeFile = file.exists() ? file.lastModified() : QDateTime();
        item->LoadDocument(path);
    }
    // 10.
    doc->m_strSourcePath = source;
    doc->m_strWebTargetPath.clear();
}

void completeOrdinaryPage(engine::Document* document, CZQView* view, CZQDoc* doc, CChildFrame* child)
{
    CMainFrame* main = CMainFrame::instance();
    // 5. Links of a page read from a web address; the z-index range.
    if (doc->m_strSourcePath.startsWith(QLatin1String("http://"), Qt::CaseInsensitive) ||
        doc->m_strSourcePath.startsWith(QLatin1String("https://"), Qt::CaseInsensitive))
        doc->FixAbsoluteHttpLinks();
    FindZIndexRange(document, &view->m_nMaxZIndex, &view->m_nMinZIndex);

    // 6. Into the web, already there, or content from elsewhere.
    const QString& target = doc->m_strWebTargetPath;
    const QString& source = doc->m_strSourcePath;
    if (!target.isEmpty() && !source.isEmpty() && !sameText(target, source))
        importIntoWeb(view, doc);
    else if (!target.isEmpty() && sameText(target, source))
        doc->setPathName(target, true);
    else if (!source.isEmpty() && target.isEmpty())
        view->StripImportedLinks();

    // 7a. An image waiting for a page goes in at the next click on this one.
    if (main && main->m_nInsertKind == 2 && !main->m_strInsertImageSrc.isEmpty() && main->GetActiveView() == view)
        main->BeginInsertObject(2);
    // b.
    if (!doc->pathName().isEmpty())
        doc->RewritePageFileOnOpen();
    // c. The web's BODY attributes, asked for by the page or its frameset.
    const CZQView* framesetView = child ? child->GetFramesetView() : nullptr;
    if (view->m_bApplyBodyAttributes || (framesetView && framesetView->m_bApplyBodyAttributes)) {
        if (main && main->siteManagerSheet() && main->siteManagerSheet()->sitePage())
            main->siteManagerSheet()->sitePage()->ApplyBodyAttributes(view);
        // Once: a later load (back from the source view) keeps the user's edits.
        view->m_bApplyBodyAttributes = false;
    }
    // Links to a file renamed while the page was loading.
    if (CZQView::PendingLinkRename& rename = view->m_pendingLinkRename; !rename.oldName.isEmpty()) {
        if (rename.oldPath.isEmpty())
            CollectPageLinks(view, rename.oldName, rename.newName, rename.mode);
        else
            CollectPageLinksToFile(view, rename.oldPath, rename.newName, rename.mode);
        rename = {};
    }
    // d. Flowing text of BODY into a positioned text box.
    if (HasLooseBodyText(document))
        WrapLooseContent(document, view);
    // e.
    if (child && child->GetActiveView() == view)
        child->OnSetText(doc->GetDisplayName());
    // f. Image maps named as the editor keeps them, without "#"; the save
    // gives the "#" back.
    if (CImpIDispatch* sink = view->GetSink()) {
        for (const engine::Ref<engine::Element>& image : document->images().toVector())
            sink->RemoveUsemapHash(image.get());
    }
}

} // namespace pageload_detail

bool FindZIndexRange(engine::Document* document, int* highest, int* lowest)
{
    if (!document)
        return false;
    int high = INT_MIN;
    int low = INT_MAX;
    bool met = false;
    // A z-index stands in an inline style: elements without one (nearly all
    // of a long page) are passed over before their tag is looked at.
    for (const engine::Node* node = document->firstChild(); node; node = node->nextInTree(document)) {
        const engine::Element* element = node->isText() ? nullptr : node->asElement();
        const engine::Style* style = element ? element->styleIfAny() : nullptr;
        if (!style || (!element->hasTag(QLatin1String("TABLE")) && !element->hasTag(QLatin1String("IMG")) &&
                       !element->hasTag(QLatin1String("EMBED"))))
            continue;
        const engine::Variant z = style->zIndex();
        if (z.isNull())
            continue;
        high = std::max(high, z.toInt());
        low = std::min(low, z.toInt());
        met = true;
    }
    if (met) {
        *highest = high;
        *lowest = low;
    }
    return met;
}

int OnPageLoadComplete(engine::Document* document, CZQView* view)
{
    using namespace pageload_detail;
    // 1.
    if (!view || view->m_bLoadCompleted)
        return 0;
    if (!document)
        return -1;
    document->beginLoadScope();
    const auto endScope = qScopeGuard([document] { document->endLoadScope(); });
    CZQDoc* doc = view->GetDocument();
    CChildFrame* child = view->GetParentFrame();
    if (doc) {
        // 2.
        if (const QString title = document->title(); !title.isEmpty())
            doc->SetPageTitle(title);
        // 3.-4. A frameset page shows its frame pages in panes; a page shown
        // in a pane stays a page, so that panes never nest.
        if (child && !child->HasFrameset() && document->frames().length() > 0)
            completeFramesetPage(document, view, doc, child);
        else if (!child || child->GetFramesetView() != view)
            completeOrdinaryPage(document, view, doc, child);
    }
    // 8.
    view->m_bLoadCompleted = true;
    return 0;
}
