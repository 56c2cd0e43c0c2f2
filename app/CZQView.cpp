#include "app/CZQView.h"

#include "app/CChildFrame.h"
#include "app/CHtmlEditCntrItem.h"
#include "app/CMainFrame.h"
#include "app/CZQApp.h"
#include "app/CZQDoc.h"
#include "controls/VornaComboEx.h"
#include "editor/CImpIDispatch.h"
#include "frames/FrameLayout.h"
#include "frames/VornaFrameSet.h"
#include "util/AppContext.h"
#include "util/FileFaultText.h"
#include "util/ImageMaps.h"
#include "util/MessageBox.h"
#include "util/PageLinks.h"
#include "util/PageMarkup.h"
#include "util/StringResources.h"
#include "res/resource.h"

#include "engine/dom/Document.h"
#include "engine/editing/CommandGroup.h"
#include "engine/html/PageLoader.h"
#include "engine/view/PageView.h"

#include "platform/DataRoot.h"

#include <QDir>
#include <QDropEvent>
#include <QFileInfo>
#include <QGuiApplication>
#include <QComboBox>
#include <QInputMethodQueryEvent>
#include <QMimeData>
#include <QScopeGuard>
#include <QVBoxLayout>

namespace zqview_detail {

bool isWebAddress(const QString& path)
{
    return path.startsWith(QLatin1String("http://"), Qt::CaseInsensitive) ||
           path.startsWith(QLatin1String("https://"), Qt::CaseInsensitive);
}

// The local files of a drag, or none when it carries anything else.
QStringList droppedFiles(const QMimeData* data)
{
    QStringList files;
    if (!data || !data->hasUrls())
        return files;
    for (const QUrl& url : data->urls()) {
        if (!url.isLocalFile())
            return {};
        files.append(url.toLocalFile());
    }
    return files;
}

} // namespace zqview_detail

CZQView::CZQView(CZQDoc* document, QWidget* parent) : QWidget(parent), m_document(document)
{
    setObjectName(QStringLiteral("pageView"));
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::white);
    setPalette(pal);
    setFocusPolicy(Qt::StrongFocus);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    if (document)
        document->addView(this);
    AddCommandHandlers();
}

CZQView::~CZQView()
{
    OnDestroy();
}

void CZQView::AddCommandHandlers()
{
    onCommand(33001, [this] { OnEditCopy(); });
    onCommand(33002, [this] { OnEditCut(); });
    onCommand(33012, [this] { OnEditDelete(); });
}

CChildFrame* CZQView::GetParentFrame() const
{
    for (QWidget* w = parentWidget(); w; w = w->parentWidget()) {
        if (auto* frame = qobject_cast<CChildFrame*>(w))
            return frame;
    }
    return nullptr;
}

bool CZQView::IsEditMode() const
{
    const CChildFrame* frame = GetParentFrame();
    return frame && frame->m_bEditShown;
}

engine::PageView* CZQView::GetPageView() const
{
    return m_pItem ? m_pItem->pageView() : nullptr;
}

engine::Document* CZQView::GetHtmlDocument() const
{
    return m_pItem ? m_pItem->GetHtmlDocument() : nullptr;
}

// ---- engine creation and loading ---------------------------------------------

void CZQView::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    EnsureEngine();
}

void CZQView::EnsureEngine()
{
    if (m_bEngineCreated || m_bDestroyed)
        return;
    // Set first: a message box about the load runs an event loop that may
    // show the view again.
    m_bEngineCreated = true;
    if (m_document && !m_document->pathName().isEmpty() && !m_document->m_timeFile.isValid())
        m_document->m_timeFile = QFileInfo(m_document->pathName()).lastModified();
    CreateEngine(m_document ? m_document->pathName() : QString());
    // Design mode with zero borders shown, absolute positioning and live resizing.
    ExecCommand(engine::CommandGroup::EditMode);
    ExecCommand(engine::CommandGroup::ShowZeroBorders);
    const engine::Variant on(true);
    ExecCommand(engine::CommandGroup::Position2D, &on);
    ExecCommand(engine::CommandGroup::LiveResize);
    ExecCommand(engine::CommandGroup::EmptyGlyphTable);
}

QString CZQView::LoadAddress(const QString& path, bool* asNewPage) const
{
    *asNewPage = false;
    if (!path.isEmpty())
        return path;
    const QString source = m_document ? m_document->m_strSourcePath : QString();
    *asNewPage = true;
    if (source.isEmpty())
        return platform::resolveCaseBlind(AppContext::instance().installFolder(), QStringLiteral("Bin/ULO.html"));
    if (zqview_detail::isWebAddress(source))
        *asNewPage = false; // an address loads as it is; the page still has no file of its own
    return source;
}

bool CZQView::CreateEngine(const QString& path)
{
    if (m_pItem)
        return true;
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    const auto restoreCursor = qScopeGuard([] { QGuiApplication::restoreOverrideCursor(); });

    m_pItem = std::make_unique<CHtmlEditCntrItem>(m_document, this);
    engine::PageView* page = m_pItem->pageView();
    layout()->addWidget(page);
    setFocusProxy(page);
    page->viewport()->installEventFilter(this);
    page->installEventFilter(this);
    // A page from an address that cannot be fetched is said so when the
    // answer comes; the view then shows an empty page.
    m_loadFailed = connect(&m_pItem->GetHtmlDocument()->loader(), &engine::PageLoader::loadFailed, this,
                           [this](platform::FileFault fault) {
                               bool asNew = false;
                               ReportLoadFailure(LoadAddress(m_document ? m_document->pathName() : QString(), &asNew),
                                                 FileFaultText(fault, FileAccess::Read));
                               if (m_pItem)
                                   m_pItem->LoadNewDocument(QString());
                           });

    // Changes made when a page has loaded belong to the load.
    connect(&m_pItem->GetHtmlDocument()->loader(), &engine::PageLoader::pageLoaded, this, [this] {
        m_bImportStripped = false;
        StripImportedLinks();
        if (CChildFrame* child = GetParentFrame(); child && child->GetActiveView() == this)
            child->UpdateCaption();
    });

    page->layout().setDeepContentHandler([this] { ReportDeepContent(); });

    bool asNewPage = false;
    const QString address = LoadAddress(path, &asNewPage);
    QString error;
    const HRESULT hr = asNewPage ? m_pItem->LoadNewDocument(address, &error) : m_pItem->LoadDocument(address, &error);
    if (FAILED(hr)) {
        ReportLoadFailure(address, error);
        m_pItem->LoadNewDocument(QString());
    }
    m_bLoadCompleted = false;

    // The sink sees the page-loaded event: it is fired after this call returns.
    m_pSink = std::make_unique<CImpIDispatch>(this, m_pItem->GetHtmlDocument());
    ConnectEvents();
    page->show();
    return true;
}

void CZQView::ReportLoadFailure(const QString& name, const QString& cause)
{
    ShowMessageBox(LoadResString(IDS_PAGE_NOT_LOADED).arg(QDir::toNativeSeparators(name), cause));
}

void CZQView::ReportDeepContent()
{
    if (m_bDeepContentReported)
        return;
    m_bDeepContentReported = true;
    // (The layout that found it may be under way inside a paint.)
    QMetaObject::invokeMethod(
        this, [] { MessageBoxById(IDS_CONTENT_NESTED_TOO_DEEP); }, Qt::QueuedConnection);
}

void CZQView::ConnectEvents()
{
    if (m_pSink && GetPageView() && m_dwAdviseCookie == 0)
        m_dwAdviseCookie = GetPageView()->advise(m_pSink.get());
}

void CZQView::SetEditMode()
{
    ExecCommand(engine::CommandGroup::EditMode);
    ExecCommand(engine::CommandGroup::LiveResize);
    m_bDesignMode = true;
    m_bLiveResize = true;
}

bool CZQView::ReloadPage()
{
    EnsureEngine();
    if (!m_pItem || !m_document || m_document->pathName().isEmpty())
        return false;
    QString error;
    // The page read again is completed again once it is in.
    m_bLoadCompleted = false;
    if (FAILED(m_pItem->LoadDocument(m_document->pathName(), &error))) {
        ReportLoadFailure(m_document->pathName(), error);
        return false;
    }
    m_document->m_timeFile = QFileInfo(m_document->pathName()).lastModified();
    return true;
}

void CZQView::StripImportedLinks()
{
    engine::Document* doc = GetHtmlDocument();
    if (!m_bImportedPage || m_bImportStripped || !doc)
        return;
    m_bImportStripped = true;
    StripLinksAndImageMaps(doc, this);
}

// ---- command gateway --------------------------------------------------------

HRESULT CZQView::ExecCommand(int id, const engine::Variant* in, engine::Variant* out, bool prompt)
{
    EnsureEngine();
    if (!m_pItem)
        return -1;
    return m_pItem->ExecCommand(id, in, out, prompt);
}

quint32 CZQView::QueryCommandStatus(int engineCommand) const
{
    if (!m_document || !m_pItem)
        return 0;
    return m_pItem->QueryCommandStatus(engineCommand);
}

void CZQView::OnEditCopy()
{
    ExecCommand(engine::CommandGroup::Copy);
}

void CZQView::OnEditCut()
{
    ExecCommand(engine::CommandGroup::Cut);
}

void CZQView::OnEditDelete()
{
    ExecCommand(engine::CommandGroup::Delete);
}

// ---- page operations --------------------------------------------------------

bool CZQView::AppendElementToBody(const QString& tag, const QString& outerHtml, engine::Element** element)
{
    if (element)
        *element = nullptr;
    engine::Document* doc = GetHtmlDocument();
    if (!IsEditMode() || !doc || !doc->body())
        return false;
    engine::Ref<engine::Element> made;
    if (FAILED(AppendChildElementHtml(doc->body(), tag, outerHtml, &made, doc)) || !made)
        return false;
    if (element)
        *element = made.get();
    return true;
}

void CZQView::SetDocumentTitle(const QString& title)
{
    if (engine::Document* doc = GetHtmlDocument())
        doc->setTitle(title);
    if (CChildFrame* child = GetParentFrame(); child && child->GetActiveView() == this)
        child->UpdateCaption();
}

QString CZQView::GetDocumentTitle() const
{
    const engine::Document* doc = GetHtmlDocument();
    return doc ? doc->title() : QString();
}

void CZQView::ActivateItemUI()
{
    if (m_pItem)
        m_pItem->ActivateUI();
}

void CZQView::OnActivateView(bool activate, CZQView* activated, CZQView* deactivated)
{
    CMainFrame* frame = CMainFrame::instance();
    // A view left while its image map is edited leaves that editing.
    if (!activate && deactivated == this && m_pSink && m_pSink->m_nEditMode == 3) {
        m_pSink->ResetImageMapMode();
        m_pSink->ReleaseDocumentCapture();
        if (frame)
            frame->m_nInsertKind = 0;
    }
    if (activated && activated->GetDocument()) {
        CChildFrame* child = activated->GetParentFrame();
        const QString name = activated->GetDocument()->GetDisplayName();
        if (child && child->HasFrameset())
            child->setCaption(name);
        VornaDialogSiteManagerSheet* sheet = frame ? frame->siteManagerSheet() : nullptr;
        const QString path = activated->GetDocument()->pathName();
        if (activate && sheet && frame->IsPageInWeb(name) && !path.isEmpty() &&
            QFileInfo(path).absolutePath() == frame->m_strWebFolder &&
            ((child && child->HasFrameset()) || sheet->GetSiteListSelectionMark() <= 0)) {
            sheet->ClearSelection();
            sheet->SelectFile(name, 1);
        }
    }
    if (CChildFrame* child = GetParentFrame())
        child->update();
}

void CZQView::OnDestroy()
{
    if (m_bDestroyed)
        return;
    m_bDestroyed = true;
    engine::PageView* page = GetPageView();
    engine::Document* doc = GetHtmlDocument();
    if (page && doc && doc->body() && m_lGridCookie != 0)
        page->removeBehavior(doc->body(), m_lGridCookie);
    if (page && doc && doc->body() && m_lElemBordersCookie != 0)
        page->removeBehavior(doc->body(), m_lElemBordersCookie);
    if (m_pSink) {
        if ((m_dwSelKind & 0x8) && m_pSink->m_pMapImage)
            m_pSink->RemoveImageMapPainter(m_pSink->m_pMapImage.get());
        if (m_pSink->HasCellSelection()) {
            ResetCellPosition(m_pSink->m_cellAnchor);
            ResetCellPosition(m_pSink->m_cellCurrent);
            m_pSink->UpdateCellHighlight();
            m_pSink->m_pSelTable = nullptr;
            m_pSink->m_pAnchorCell = nullptr;
            m_pSink->m_pCurrentCell = nullptr;
        }
        if (page && m_dwAdviseCookie)
            page->unadvise(m_dwAdviseCookie);
        m_dwAdviseCookie = 0;
    }
    if (page) {
        page->viewport()->removeEventFilter(this);
        page->removeEventFilter(this);
    }
    // A fetch cut short by the page going is no failure to report.
    disconnect(m_loadFailed);
    // The main frame's image-map painters of this page go with it.
    if (CMainFrame* frame = CMainFrame::instance())
        frame->ReleaseImageMapPainters(this);
    // The page widget goes with the item, before the sink it called.
    m_pItem.reset();
    m_pSink.reset();
}

void CZQView::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    LayoutFrameset(size());
}

void CZQView::LayoutFrameset(QSize size)
{
    CChildFrame* child = GetParentFrame();
    if (!child || !child->HasFrameset() || child->GetFramesetView() != this)
        return;
    FrameTree& tree = child->frameTree();
    CZQView* active = CZQApp::instance() ? CZQApp::instance()->GetActiveView() : nullptr;
    if (!child->m_bEditShown)
        active = child->GetActiveView();
    VornaFrameSet* node = active ? FindFrameByViewIn(tree.root.get(), active) : nullptr;
    if (!node)
        return;
    VornaFrameSet* root = tree.root.get();
    platform::Rect panes;
    GetFramesBoundingRect(root, &panes, false);
    const int cx = size.width();
    const int cy = size.height();
    root->m_sizeViewChange =
        (cx == 0 && cy == 0) ? QSize(0, 0) : QSize(cx + 2 - panes.width(), cy + 2 - panes.height());
    const QRect window(mapTo(child, QPoint(0, 0)), size);
    const platform::Rect shrunk(window.left() + 2, window.top() + 2, window.left() + window.width() - 2,
                                window.top() + window.height() - 2);
    if (shrunk.left != panes.left || shrunk.top != panes.top)
        LayoutFrameWindows(root, -(shrunk.left - panes.left), -(shrunk.top - panes.top), 0, 0);
    UpdateFramesetSizes(root, shrunk, child);
}

// Files dropped on the page go the way of files dropped on the main window
// (an image goes in where it was dropped), not the engine's own.
bool CZQView::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        auto* drag = static_cast<QDragMoveEvent*>(event);
        if (zqview_detail::droppedFiles(drag->mimeData()).isEmpty())
            break;
        drag->acceptProposedAction();
        return true;
    }
    case QEvent::InputMethodQuery:
        if (watched == GetPageView() && AnswerInputMethodQuery(static_cast<QInputMethodQueryEvent*>(event)))
            return true;
        break;
    case QEvent::Drop: {
        auto* drop = static_cast<QDropEvent*>(event);
        const QStringList files = zqview_detail::droppedFiles(drop->mimeData());
        if (files.isEmpty())
            break;
        drop->acceptProposedAction();
        auto* widget = qobject_cast<QWidget*>(watched);
        if (CMainFrame* frame = CMainFrame::instance(); frame && widget)
            frame->OnDropFiles(files, widget->mapToGlobal(drop->position().toPoint()));
        return true;
    }
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

// Typing over text with an input method: the composition shows one pixel
// above the caret, in the face and size the format bar shows. The engine's
// overwrite typing replaces as many characters as a composition commits.
bool CZQView::AnswerInputMethodQuery(QInputMethodQueryEvent* query)
{
    const CMainFrame* frame = CMainFrame::instance();
    // The page's own answers (its override is protected; the widget's call is not).
    const QWidget* page = GetPageView();
    if (!frame || !frame->m_bOverwrite || !page)
        return false;
    for (const Qt::InputMethodQuery asked :
         {Qt::ImEnabled, Qt::ImCursorRectangle, Qt::ImFont, Qt::ImCursorPosition, Qt::ImSurroundingText,
          Qt::ImCurrentSelection, Qt::ImAnchorRectangle, Qt::ImHints, Qt::ImAnchorPosition}) {
        if (!(query->queries() & asked))
            continue;
        if (asked == Qt::ImCursorRectangle) {
            const QRect caret = page->inputMethodQuery(Qt::ImCursorRectangle).toRect();
            query->setValue(asked, caret.isNull() ? caret : caret.translated(0, -1));
        } else if (asked == Qt::ImFont) {
            query->setValue(asked, CompositionFont());
        } else {
            query->setValue(asked, page->inputMethodQuery(asked));
        }
    }
    query->accept();
    return true;
}

QFont CZQView::CompositionFont() const
{
    const CMainFrame* frame = CMainFrame::instance();
    QFont font = GetPageView() ? GetPageView()->font() : QFont();
    const QComboBox* face = frame ? frame->fontFaceBox() : nullptr;
    font.setFamily(face && face->currentIndex() >= 0 ? face->currentText() : QString());
    // The size box reads "7(36pt)": the points follow the level and the parenthesis.
    int points = 12;
    const QComboBox* size = frame ? frame->fontSizeBox() : nullptr;
    if (size && size->currentIndex() >= 0) {
        const QString text = size->currentText();
        int digits = 2;
        while (digits < text.size() && text.at(digits).isDigit())
            ++digits;
        points = text.mid(2, digits - 2).toInt();
    }
    font.setPointSize(qMax(1, points));
    return font;
}

// ---- FramePane --------------------------------------------------------------

bool CZQView::hasDocument() const
{
    return m_document != nullptr;
}

QString CZQView::documentPath() const
{
    return m_document ? m_document->pathName() : QString();
}

QString CZQView::loadSource() const
{
    return m_document ? m_document->m_strSourcePath : QString();
}

QString CZQView::displayName() const
{
    return m_document ? m_document->GetDisplayName() : QString();
}

bool CZQView::isModified() const
{
    return m_document && m_document->isModified();
}

bool CZQView::saveModified()
{
    return !m_document || m_document->saveModified();
}

bool CZQView::saveDocument(const QString& path)
{
    return m_document && m_document->onSaveDocument(path);
}

bool CZQView::fileSave()
{
    return m_document && m_document->OnFileSave();
}

bool CZQView::fileSaveAs()
{
    return m_document && m_document->OnFileSaveAs();
}

QString CZQView::pageTitle() const
{
    return GetDocumentTitle();
}

void CZQView::setPageTitle(const QString& title)
{
    SetDocumentTitle(title);
}

void CZQView::setDocumentTitle(const QString& title)
{
    if (m_document)
        m_document->setTitle(title);
}

void CZQView::setDocumentPath(const QString& path)
{
    if (m_document)
        m_document->setPathName(path, !path.isEmpty());
}

void CZQView::setLoadSource(const QString& path)
{
    if (m_document)
        m_document->m_strSourcePath = path;
}

void CZQView::setTargetFile(const QString& path)
{
    if (m_document)
        m_document->m_strWebTargetPath = path;
}

void CZQView::reloadPage()
{
    // A view not shown yet loads the page it points at when it first shows.
    if (!m_pItem)
        return;
    bool asNewPage = false;
    const QString address = LoadAddress(m_document ? m_document->pathName() : QString(), &asNewPage);
    QString cause;
    m_bLoadCompleted = false;
    const HRESULT loaded =
        asNewPage ? m_pItem->LoadNewDocument(address, &cause) : m_pItem->LoadDocument(address, &cause);
    if (FAILED(loaded))
        ReportLoadFailure(address, cause);
    else if (m_document && !m_document->pathName().isEmpty())
        m_document->m_timeFile = QFileInfo(m_document->pathName()).lastModified();
}

bool CZQView::savePageCopyAs(const QString& path)
{
    return m_document && m_document->SavePageCopyAs(path, this);
}

void CZQView::moveWindow(const platform::Rect& rect)
{
    setGeometry(QRect(rect.left, rect.top, rect.width(), rect.height()));
    update();
}

platform::Rect CZQView::windowRect() const
{
    return platform::Rect::fromQRect(geometry());
}

platform::Rect CZQView::screenRect() const
{
    const QPoint topLeft = mapToGlobal(QPoint(0, 0));
    return platform::Rect(topLeft.x(), topLeft.y(), topLeft.x() + width(), topLeft.y() + height());
}

void CZQView::writeBodyAttributes(const QString& background, const QString& bgColor, const QString& text,
                                  const QString& link, const QString& aLink, const QString& vLink)
{
    WriteBodyAttributes(this, background, bgColor, text, link, aLink, vLink);
}

void CZQView::collectPageLinks(const QString& oldName, const QString& newName, int mode)
{
    CollectPageLinks(this, oldName, newName, mode);
}

void CZQView::collectScriptFiles(bool mode)
{
    CollectScriptFiles(mode, this);
}
