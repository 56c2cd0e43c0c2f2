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
#include "util/PageDom.h"
#include "util/PageLinks.h"
#include "util/PathText.h"
#include "web/VornaDialogSiteManagerPage1.h"
#include "web/VornaDialogSiteManagerSheet.h"

#include "engine/css/Style.h"
#include "engine/dom/Document.h"

#include "platform/BackgroundWork.h"

#include <QDir>
#include <QFileInfo>
#include <QPointer>
#include <QScopeGuard>
#include <QTimer>

#include <atomic>
#include <climits>
#include <memory>
#include <optional>
#include <utility>

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

// Pages of up to this many nodes are walked in one go (a few milliseconds);
// longer ones in steps.
constexpr int kPageWalkedAtOnce = 100000;

// What the completion reads from the whole page, gathered in one walk over
// it: whether it holds a FRAME, the range of the z-indexes of its objects,
// its pictures with an image map and whether BODY holds objects the editor
// places (see IsPlacedObject). It holds while the page is as it was then
// (its version).
struct PageScan
{
    bool hasFrame = false;
    bool placedInBody = false;
    bool zMet = false;
    int zHigh = INT_MIN;
    int zLow = INT_MAX;
    std::vector<engine::Ref<engine::Element>> mapImages;
    quint64 version = 0;
    // The page's file and the charset its META names, when read meanwhile.
    std::optional<std::pair<QString, QString>> fileCharset;

    bool holds(const engine::Document* document) const { return document->version() == version; }
};

// Walks the page from `from`, noting what the scan holds (see
// VisitPageElements).
engine::Node* scanPage(engine::Document* document, engine::Node* from, PageScan& scan, int budgetMs = -1)
{
    const engine::Node* body = document->body();
    return VisitPageElements(document, from, budgetMs, [&scan, body](engine::Element* element) {
        if (!scan.placedInBody && element->parentNode() == body && IsPlacedObject(element))
            scan.placedInBody = true;
        // An IMG: a z-index and an image map; a TABLE or an EMBED: a
        // z-index; a FRAME.
        const bool image = element->hasTag(QLatin1String("IMG"));
        if (image && element->hasAttribute(QStringLiteral("usemap")))
            scan.mapImages.emplace_back(element);
        if (!scan.hasFrame && element->hasTag(QLatin1String("FRAME")))
            scan.hasFrame = true;
        // A z-index stands in an inline style: elements without one (nearly
        // all of a long page) are passed over before their tag is looked at.
        const engine::Style* style = element->styleIfAny();
        if (!style || (!image && !element->hasTag(QLatin1String("TABLE")) && !element->hasTag(QLatin1String("EMBED"))))
            return;
        const engine::Variant z = style->zIndex();
        if (z.isNull())
            return;
        scan.zHigh = std::max(scan.zHigh, z.toInt());
        scan.zLow = std::min(scan.zLow, z.toInt());
        scan.zMet = true;
    });
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
        // (At once: the steps below work on the page as read from there.)
        item->LoadDocument(path, nullptr, engine::Reading::AtOnce);
    }
    // 10.
    doc->m_strSourcePath = source;
    doc->m_strWebTargetPath.clear();
}

// False when the page is being read again (in another charset): its
// completion follows when it is in.
bool completeOrdinaryPage(engine::Document* document, CZQView* view, CZQDoc* doc, CChildFrame* child, PageScan& scan)
{
    CMainFrame* main = CMainFrame::instance();
    // 5. Links of a page read from a web address; the z-index range.
    if (doc->m_strSourcePath.startsWith(QLatin1String("http://"), Qt::CaseInsensitive) ||
        doc->m_strSourcePath.startsWith(QLatin1String("https://"), Qt::CaseInsensitive))
        doc->FixAbsoluteHttpLinks();
    if (!scan.holds(document))
        FindZIndexRange(document, &view->m_nMaxZIndex, &view->m_nMinZIndex);
    else if (scan.zMet) {
        view->m_nMaxZIndex = scan.zHigh;
        view->m_nMinZIndex = scan.zLow;
    }

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
    if (!doc->pathName().isEmpty() && doc->RewritePageFileOnOpen(scan.fileCharset))
        return false;
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
    if (HasLooseBodyText(document)) {
        // The box is made of a TABLE, its body, row and cell, and the page's
        // nodes moved into it: its pictures stay those the scan found.
        const bool held = scan.holds(document);
        WrapLooseContent(document, view, held ? std::optional<bool>(scan.placedInBody) : std::nullopt);
        if (held)
            scan.version = document->version();
    }
    // e.
    if (child && child->GetActiveView() == view)
        child->OnSetText(doc->GetDisplayName());
    // f. Image maps named as the editor keeps them, without "#"; the save
    // gives the "#" back.
    if (CImpIDispatch* sink = view->GetSink()) {
        const std::vector<engine::Ref<engine::Element>> images =
            scan.holds(document) ? std::move(scan.mapImages) : document->images().toVector();
        for (const engine::Ref<engine::Element>& image : images)
            sink->RemoveUsemapHash(image.get());
    }
    return true;
}

} // namespace pageload_detail

bool FindZIndexRange(engine::Document* document, int* highest, int* lowest)
{
    if (!document)
        return false;
    pageload_detail::PageScan scan;
    pageload_detail::scanPage(document, document->firstChild(), scan);
    if (scan.zMet) {
        *highest = scan.zHigh;
        *lowest = scan.zLow;
    }
    return scan.zMet;
}

namespace pageload_detail {

// Brings the page up to date with what the scan found, in the order of the
// steps of the completion.
void completeWith(engine::Document* document, CZQView* view, PageScan& scan)
{
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
        const bool frameset = scan.holds(document) ? scan.hasFrame : document->frames().length() > 0;
        if (child && !child->HasFrameset() && frameset)
            completeFramesetPage(document, view, doc, child);
        else if ((!child || child->GetFramesetView() != view) &&
                 !completeOrdinaryPage(document, view, doc, child, scan))
            return;
    }
    // 8.
    view->m_bLoadCompleted = true;
}

// The walk over a long page, in steps on the event loop that leave the
// window free to paint and take input; the completion follows in one step
// of its own. A change of the page meanwhile starts the walk again; another
// page loaded into the view, or the view closing, ends it.
class SteppedCompletion : public QObject
{
public:
    SteppedCompletion(engine::Document* document, CZQView* view) : QObject(view), m_view(view), m_document(document)
    {
        setObjectName(QStringLiteral("SteppedCompletion"));
        restart();
        scheduleStep();
        // The charset the page's file names is read meanwhile, away from
        // the window: a long page without one is read to its end.
        if (const CZQDoc* doc = view->GetDocument(); doc && !doc->pathName().isEmpty()) {
            m_fileCharset = std::make_shared<FileCharset>();
            m_fileCharset->path = doc->PageFilePath();
            platform::runInBackground([read = m_fileCharset] {
                read->charset = CZQDoc::MetaCharsetOfFile(read->path);
                read->done = true;
            });
        }
    }

private:
    // (Beside the steps of the page's layout in the same turns of the event
    // loop: short, so that input waits behind them for no more than a
    // couple of dozen milliseconds.)
    static constexpr int kStepMilliseconds = 2;

    void restart()
    {
        m_scan = PageScan();
        m_scan.version = m_document->version();
        m_next = m_document->firstChild();
    }
    void scheduleStep()
    {
        QTimer::singleShot(0, this, [this] { step(); });
    }
    void step()
    {
        if (m_view->m_bLoadCompleted || m_view->GetHtmlDocument() != m_document.get() || m_document->isLoading()) {
            deleteLater();
            return;
        }
        if (!m_scan.holds(m_document.get()))
            restart();
        if (m_next) {
            m_next = scanPage(m_document.get(), m_next.get(), m_scan, kStepMilliseconds);
            scheduleStep();
            return;
        }
        deleteLater();
        if (m_fileCharset && m_fileCharset->done)
            m_scan.fileCharset.emplace(m_fileCharset->path, m_fileCharset->charset);
        completeWith(m_document.get(), m_view, m_scan);
    }

    struct FileCharset
    {
        QString path;
        QString charset; // once done
        std::atomic<bool> done{false};
    };

    CZQView* m_view;
    engine::Ref<engine::Document> m_document;
    engine::Ref<engine::Node> m_next;
    PageScan m_scan;
    std::shared_ptr<FileCharset> m_fileCharset;
};

} // namespace pageload_detail

int OnPageLoadComplete(engine::Document* document, CZQView* view)
{
    using namespace pageload_detail;
    // 1.
    if (!view || view->m_bLoadCompleted)
        return 0;
    if (!document)
        return -1;
    // A walk begun for a page loaded before ends: this one is the view's.
    delete view->findChild<SteppedCompletion*>(QStringLiteral("SteppedCompletion"), Qt::FindDirectChildrenOnly);
    if (document->nodeCount() > kPageWalkedAtOnce) {
        new SteppedCompletion(document, view);
        return 0;
    }
    PageScan scan;
    scan.version = document->version();
    scanPage(document, document->firstChild(), scan);
    completeWith(document, view, scan);
    return 0;
}
