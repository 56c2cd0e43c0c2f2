// The panes of a frameset page in its child frame: one page view per FRAME
// over the editing area, the splitter bars between them and the close
// question of the frame pages.
#include "app/CChildFrame.h"

#include "app/CMainFrame.h"
#include "app/CZQApp.h"
#include "app/CZQDoc.h"
#include "app/CZQView.h"
#include "frames/FrameEnvironment.h"
#include "frames/FrameLayout.h"
#include "frames/FramePages.h"
#include "frames/FrameTreeLoader.h"
#include "frames/FramesetWriter.h"
#include "util/FileHelpers.h"
#include "util/PathText.h"
#include "web/VornaDialogSiteManagerPage1.h"
#include "web/VornaDialogSiteManagerSheet.h"

#include "engine/dom/Document.h"

#include "platform/DocTemplate.h"

#include <QApplication>
#include <QEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QRubberBand>
#include <QStackedWidget>
#include <QStyle>

namespace childframeframes_detail {

// The platform's edge width: a press that near a frameset's outer edge is no
// press on its bars.
int edgeWidth(const QWidget* widget)
{
    return std::max(1, widget->style()->pixelMetric(QStyle::PM_DefaultFrameWidth));
}

bool sameFolder(const QString& a, const QString& b)
{
    return QDir::cleanPath(a).compare(QDir::cleanPath(b), Qt::CaseInsensitive) == 0;
}

// The page view a widget of a pane belongs to, or none.
CZQView* paneViewOf(QWidget* widget)
{
    for (QWidget* w = widget; w; w = w->parentWidget()) {
        if (auto* view = qobject_cast<CZQView*>(w))
            return view;
    }
    return nullptr;
}

} // namespace childframeframes_detail

using namespace childframeframes_detail;

void CChildFrame::SetFramesetView(CZQView* view)
{
    m_frameTree.rootView = view;
    if (view) {
        view->hide();
        view->setEnabled(false);
    }
}

CZQView* CChildFrame::CreatePaneView(CZQDoc* document, const platform::Rect& rect)
{
    auto* view = new CZQView(document, m_editArea);
    view->moveWindow(rect);
    // A pane that goes (its page closed) leaves its FRAME without a view.
    FramePane* pane = view;
    connect(view, &QObject::destroyed, m_paneWatch.get(), [this, pane] {
        if (VornaFrameSet* node = FindFrameByViewIn(m_frameTree.root.get(), pane))
            node->m_pView = nullptr;
        m_editArea->update();
    });
    view->show();
    return view;
}

void CChildFrame::LoadFrameset()
{
    auto* framesetView = dynamic_cast<CZQView*>(m_frameTree.rootView);
    CZQDoc* framesetDoc = framesetView ? framesetView->GetDocument() : nullptr;
    engine::Document* page = framesetView ? framesetView->GetHtmlDocument() : nullptr;
    CZQApp* app = CZQApp::instance();
    if (!framesetDoc || !page || m_frameTree.root || !app || !app->docTemplate())
        return;
    CMainFrame* main = CMainFrame::instance();

    // 1. A frameset page of the open web shows as one in the site list.
    const QString name = framesetDoc->GetDisplayName();
    const QString framesetPath = framesetDoc->pathName();
    const bool inWeb = main && main->m_bWebOpen && main->IsPageInWeb(name) &&
                       (framesetPath.isEmpty() || sameFolder(GetFolderOfPath(framesetPath), main->m_strWebFolder));
    FrameSiteRows* rows = frameEnvironment() ? frameEnvironment()->siteManager() : nullptr;
    if (inWeb && rows) {
        if (const int row = rows->FindFileRow(name); row >= 0)
            rows->SetItemKind(row, 2);
    }
    // Relative sources stand beside the frameset page (in the web's folder
    // for a page of the web), never in the process's current folder.
    const QString base = FrameSrcBaseFolder(name, framesetPath.isEmpty() ? framesetDoc->m_strSourcePath : framesetPath);

    // 2. A node per FRAMESET and FRAME, a pane with a page of its own per FRAME.
    CZQView* first = nullptr;
    m_frameNames.clear();
    page->beginLoadScope();
    BuildFrameTree(page, this, [&](VornaFrameSet* node, engine::Element* element) {
        auto* paneDoc = qobject_cast<CZQDoc*>(app->docTemplate()->createDocument());
        if (!paneDoc)
            return;
        FrameSource source = ResolveFrameSource(node->m_strSrc, base, framesetPath);
        if (source.kind == FrameSource::Page && inWeb && main &&
            !sameFolder(GetFolderOfPath(source.path), main->m_strWebFolder)) {
            // 5. A page from outside the web is brought into it when the user agrees.
            const QString copied = main->AskRenameExistingPage(
                GetFolderOfPath(source.path), GetFileNamePart(source.path),
                QFileInfo::exists(main->m_strWebFolder + QLatin1Char('/') + GetFileNamePart(source.path)), true);
            if (!copied.isEmpty())
                source.path = copied;
        }
        switch (source.kind) {
        case FrameSource::Page:
            paneDoc->setPathName(source.path, false);
            break;
        case FrameSource::Missing:
            // 6. A FRAME whose page is gone gets a new page; the frameset changed.
            framesetDoc->m_bPageChanged = true;
            [[fallthrough]];
        case FrameSource::None:
        case FrameSource::Foreign:
            // A new untitled page (from the template, or shown from a file it
            // must not be saved over).
            paneDoc->setTitle(QStringLiteral("Frame%1").arg(main ? main->m_nFrameCount++ : 1));
            paneDoc->m_strSourcePath = source.path;
            break;
        }
        CZQView* pane = CreatePaneView(paneDoc, node->m_rcPane);
        node->m_pView = pane;
        if (!first)
            first = pane;
        if (inWeb && main && main->siteManagerSheet() && !paneDoc->pathName().isEmpty())
            main->siteManagerSheet()->sitePage()->AddOrUpdateFileRow(GetFileNamePart(paneDoc->pathName()), name);
        // 7. The FRAME names the page its pane shows.
        const QString shown = !paneDoc->pathName().isEmpty() ? paneDoc->pathName() : paneDoc->m_strSourcePath;
        element->setAttribute(QStringLiteral("src"), engine::Variant(shown));
        node->SetSrc(shown);
        m_frameNames.append(paneDoc->GetDisplayName());
    });
    page->endLoadScope();
    if (!m_frameTree.root)
        return;

    // The panes over the editing area by their entries.
    LayoutPanes();
    AttachPanes();

    // 3. The first frame page is the current one.
    if (first) {
        activatePane(first);
        OnSetText(first->GetDocument() ? first->GetDocument()->GetDisplayName(true) : QString());
    }
}

void CChildFrame::AttachPanes()
{
    if (!m_dragBar)
        m_dragBar = new QRubberBand(QRubberBand::Line, m_editArea);
    m_editArea->setMouseTracking(true);
    m_editArea->removeEventFilter(this);
    m_editArea->installEventFilter(this);
    // Clicking into a pane makes it the current one.
    disconnect(qApp, &QApplication::focusChanged, m_paneWatch.get(), nullptr);
    connect(qApp, &QApplication::focusChanged, m_paneWatch.get(), [this](QWidget*, QWidget* now) {
        CZQView* view = paneViewOf(now);
        if (!view || view == GetActiveView() || !FindFrameByViewIn(m_frameTree.root.get(), view))
            return;
        activatePane(view);
        OnSetText(view->GetDocument() ? view->GetDocument()->GetDisplayName(true) : QString());
        m_editArea->update();
    });
}

void CChildFrame::RefreshFrameNames()
{
    QList<FramePane*> panes;
    if (VornaFrameSet* root = m_frameTree.root.get())
        root->CollectFrameViews(panes);
    m_frameNames.clear();
    for (FramePane* pane : panes)
        m_frameNames.append(pane->displayName());
}

// ---- the frame commands' changes of the panes ---------------------------------

FramePane* CChildFrame::activePane()
{
    return GetActiveView();
}

FramePane* CChildFrame::createPane(const platform::Rect& rect, const QString& title)
{
    CZQApp* app = CZQApp::instance();
    auto* document = app && app->docTemplate() ? qobject_cast<CZQDoc*>(app->docTemplate()->createDocument()) : nullptr;
    if (!document)
        return nullptr;
    document->setTitle(title);
    CZQView* view = CreatePaneView(document, rect);
    m_editArea->update();
    return view;
}

FramePane* CChildFrame::createFramesetPane(const platform::Rect& rect, const QString& title)
{
    CZQView* page = m_view;
    auto* view = dynamic_cast<CZQView*>(createPane(rect, title));
    if (!view || !page)
        return nullptr;
    // The frameset page's own view: hidden, with a page of its own for its title.
    view->EnsureEngine();
    SetFramesetView(view);
    // The page's view is a pane now, placed by the tree instead of the layout;
    // the frameset document is the window's.
    m_editArea->layout()->removeWidget(page);
    AdoptDocument(view->GetDocument());
    m_view = view;
    m_pEditView = view;
    AttachPanes();
    return view;
}

void CChildFrame::removePane(FramePane* pane)
{
    auto* view = dynamic_cast<CZQView*>(pane);
    if (!view || view == m_view)
        return;
    if (m_activePane == view)
        m_activePane = nullptr;
    // The page goes with its only view, once the command that removed it has
    // returned (it may have come from the view's own menu).
    view->hide();
    view->deleteLater();
    RefreshFrameNames();
    m_editArea->update();
}

void CChildFrame::setClosingFrame(bool closing)
{
    m_bClosing = closing;
}

void CChildFrame::LayoutPanes()
{
    VornaFrameSet* root = m_frameTree.root.get();
    if (!root)
        return;
    const QRect area = m_editArea->rect();
    m_rcPaneArea =
        platform::Rect(area.left() + 2, area.top() + 2, area.left() + area.width() - 2, area.top() + area.height() - 2);
    DivideFramesetPanes(root, m_rcPaneArea, root->GetFrameSpacing());
    m_editArea->update();
}

// ---- painting -----------------------------------------------------------------

void CChildFrame::OnPaint(QPainter& painter)
{
    VornaFrameSet* root = m_frameTree.root.get();
    if (!root)
        return;
    const QColor face = palette().color(QPalette::Button);
    PaintFrameGaps(painter, root);
    painter.setPen(QPen(face, 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(m_editArea->rect().adjusted(0, 0, -1, -1));

    // The current pane in red: the frameset page's own while it is asked about.
    const CMainFrame* main = CMainFrame::instance();
    const int saveMode = main ? main->m_nFramesetSaveMode : 0;
    platform::Rect pane;
    if (saveMode == -1) {
        pane = m_rcPaneArea;
        pane.inflate(-2, -2);
    } else if (CZQView* view = GetActiveView(); view && view != m_frameTree.rootView) {
        pane = platform::Rect::fromQRect(view->geometry());
    } else {
        return;
    }
    painter.setPen(QPen(QColor(255, 0, 0), 1));
    for (const platform::Rect& r : PaneOutlineRects(pane, saveMode))
        painter.drawRect(QRect(r.left, r.top, r.width() - 1, r.height() - 1));
}

void CChildFrame::PaintFrameGaps(QPainter& painter, VornaFrameSet* node)
{
    VornaFrameSet* root = m_frameTree.root.get();
    if (!root)
        return;
    painter.setPen(QPen(palette().color(QPalette::Button), 1));
    painter.setBrush(Qt::NoBrush);
    for (const platform::Rect& r : FrameGapRects(node, m_rcPaneArea, root->GetFrameSpacing()))
        painter.drawRect(QRect(r.left, r.top, r.width() - 1, r.height() - 1));
}

// ---- the splitter bars ----------------------------------------------------------

void CChildFrame::OnLButtonDown(const QPoint& point)
{
    VornaFrameSet* root = m_frameTree.root.get();
    if (!root || !m_splitterDrag.Begin(root, point, edgeWidth(this)))
        return;
    m_editArea->setCursor(m_splitterDrag.SplitsCols() ? Qt::SizeHorCursor : Qt::SizeVerCursor);
    m_dragBar->setGeometry(m_splitterDrag.BarRect().toQRect());
    m_dragBar->raise();
    m_dragBar->show();
}

void CChildFrame::OnMouseMove(const QPoint& point)
{
    VornaFrameSet* root = m_frameTree.root.get();
    if (!root)
        return;
    if (m_splitterDrag.IsActive()) {
        if (m_splitterDrag.Move(point))
            m_dragBar->setGeometry(m_splitterDrag.BarRect().toQRect());
        return;
    }
    const SplitterCursor cursor = SplitterCursorAt(root, point, m_bEditShown, [this](const QPoint& at) -> FramePane* {
        return paneViewOf(m_editArea->childAt(at));
    });
    if (cursor == SplitterCursor::WestEast)
        m_editArea->setCursor(Qt::SizeHorCursor);
    else if (cursor == SplitterCursor::NorthSouth)
        m_editArea->setCursor(Qt::SizeVerCursor);
    else
        m_editArea->unsetCursor();
}

void CChildFrame::OnLButtonUp(const QPoint& point)
{
    Q_UNUSED(point);
    if (!m_frameTree.root || !m_splitterDrag.IsActive())
        return;
    m_dragBar->hide();
    if (m_splitterDrag.End(this))
        setFramesetModified();
    LayoutPanes();
    m_editArea->unsetCursor();
}

bool CChildFrame::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != m_editArea || !m_frameTree.root)
        return QMdiSubWindow::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::Paint: {
        QPainter painter(m_editArea);
        OnPaint(painter);
        return true;
    }
    case QEvent::Resize:
        LayoutPanes();
        break;
    case QEvent::MouseButtonPress: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton)
            OnLButtonDown(mouse->position().toPoint());
        return true;
    }
    case QEvent::MouseMove:
        OnMouseMove(static_cast<QMouseEvent*>(event)->position().toPoint());
        return true;
    case QEvent::MouseButtonRelease: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton)
            OnLButtonUp(mouse->position().toPoint());
        return true;
    }
    default:
        break;
    }
    return QMdiSubWindow::eventFilter(watched, event);
}

// ---- closing ------------------------------------------------------------------

bool CChildFrame::SaveFramesetOnClose()
{
    CZQView* framesetView = GetFramesetView();
    CZQDoc* framesetDoc = framesetView ? framesetView->GetDocument() : nullptr;
    CMainFrame* main = CMainFrame::instance();
    if (!framesetDoc || !main)
        return m_document ? m_document->saveModified() : true;
    VornaFrameSet* root = m_frameTree.root.get();

    // 2. Each frame page first, with a thicker outline while it is asked.
    main->m_nFramesetSaveMode = 1;
    m_editArea->update();
    const bool framesClosed = ForEachFrameView(root, FrameViewClose, this);
    main->m_nFramesetSaveMode = 0;
    if (!framesClosed) {
        m_editArea->update();
        return false;
    }

    // 3. Then the frameset page, outlined as a whole.
    QString text;
    BuildFramesetPageHtml(text, FramesetTextOnly, this);
    framesetDoc->m_strFramesetHtml = text;
    CZQView* remembered = GetActiveView();
    OnSetText(framesetDoc->GetDisplayName(true));
    main->m_nFramesetSaveMode = -1;
    m_editArea->update();

    // 4. A changed frame page, or pages without a file, change the frameset page.
    bool modified = false;
    root->IsAnyFrameModified(&modified, root);
    int panes = 0;
    int saved = 0;
    root->CountFrameDocuments(&panes, &saved, this);
    if (modified || panes != saved)
        framesetDoc->m_bPageChanged = true;
    const bool accepted = framesetDoc->saveModified();
    main->m_nFramesetSaveMode = 0;
    if (!accepted) {
        if (remembered)
            activatePane(remembered);
        m_editArea->update();
        return false;
    }
    ForgetFrameset();
    return true;
}

void CChildFrame::ForgetFrameset()
{
    VornaFrameSet* root = m_frameTree.root.get();
    if (!root)
        return;
    QList<FramePane*> views;
    root->CollectFrameViews(views);
    // The tree goes first: the panes' ends find no node to clear.
    m_frameTree.rootView = nullptr;
    m_frameTree.clear();
    m_frameNames.clear();
    m_splitterDrag.Cancel();
    // Each frame page's document goes with its only view.
    for (FramePane* pane : views)
        delete dynamic_cast<CZQView*>(pane);
}
