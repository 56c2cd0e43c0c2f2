#include "app/CChildFrame.h"

#include "app/CMainFrame.h"
#include "skins/VornaSkinManager.h"
#include "util/MessageBox.h"
#include "app/CZQApp.h"
#include "app/CZQDoc.h"
#include "app/CZQView.h"
#include "app/Vorna_Preview.h"
#include "chrome/CCoolDialogBar.h"
#include "chrome/ULOMDIClientHook.h"
#include "chrome/VornaChildFrmTabCtrl.h"
#include "images/VornaDlgImageBrowser.h"
#include "source/VornaSourceEditView.h"
#include "util/CRegistryEx.h"
#include "util/FileHelpers.h"
#include "util/PathText.h"
#include "res/resource.h"

#include "platform/CmdUI.h"
#include "platform/CommandRegistry.h"
#include "platform/DataRoot.h"
#include "platform/DocTemplate.h"
#include "platform/WindowMessage.h"

#include <QAction>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QIcon>
#include <QMainWindow>
#include <QMdiArea>
#include <QMenu>
#include <QStackedWidget>

namespace childframe_detail {

constexpr int kShowNormal = 1;
constexpr int kShowMinimized = 2;
constexpr int kShowMaximized = 3;

QString generalPropertyKey()
{
    return EditorSettings::productKeyPath() + QStringLiteral("\\General Property");
}

} // namespace childframe_detail

CChildFrame::CChildFrame(CZQDoc* document, QWidget* parent)
    : QMdiSubWindow(parent), m_nTempFramePages(m_frameTree.previewCounter), m_document(document)
{
    setAttribute(Qt::WA_DeleteOnClose);
    // The page icon, as the site manager lists pages; a skinned caption and
    // a minimised page show it.
    setWindowIcon(QIcon(QStringLiteral(":/res/icons/%1.png").arg(IDI_SITE_PAGE)));
    if (!VornaSkinManager::GetInstance().SkinChildFrame(this))
        ShowMessageBox(QStringLiteral("Fail to install ASMChildFrame!!!"));
    // The window's own menu keeps its entries but not their keys: the
    // program's accelerators (Ctrl+W shows the page-size guide) would
    // otherwise be ambiguous and do nothing.
    if (QMenu* menu = systemMenu()) {
        for (QAction* action : menu->actions())
            action->setShortcuts({});
    }

    // The window the bars dock in, beside the view tabs at the left.
    m_container = new QWidget(this);
    m_container->setObjectName(QStringLiteral("childFrameInside"));
    auto* row = new QHBoxLayout(m_container);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    m_tabStrip = std::make_unique<VornaChildFrmTabCtrl>();
    // A main window is made as a window of its own: it becomes a part of this one.
    m_inner = new QMainWindow(m_container);
    m_inner->setWindowFlags(Qt::Widget);
    m_inner->show();
    m_inner->setObjectName(QStringLiteral("childFrameDock"));
    VornaSkinManager::GetInstance().SkinFrameDockBars(this);
    row->addWidget(m_inner, 1);
    m_tabStrip->Install(this, m_container);

    // The three views: the preview and the source made hidden with the frame.
    m_stack = new QStackedWidget(m_inner);
    m_editArea = new QWidget(m_stack);
    m_editArea->setObjectName(QStringLiteral("editingArea"));
    auto* area = new QVBoxLayout(m_editArea);
    area->setContentsMargins(0, 0, 0, 0);
    m_pPreviewView = new Vorna_Preview(m_stack);
    m_pSourceView = new VornaSourceEditView(m_stack);
    m_pSourceView->setObjectName(QStringLiteral("sourceView"));
    m_pSourceView->OnInitialUpdate();
    m_view = new CZQView(document, m_editArea);
    area->addWidget(m_view);
    m_stack->addWidget(m_editArea);
    m_stack->addWidget(m_pPreviewView);
    m_stack->addWidget(m_pSourceView);
    m_stack->setCurrentWidget(m_editArea);
    m_inner->setCentralWidget(m_stack);
    for (QWidget* view : {static_cast<QWidget*>(m_view.data()), static_cast<QWidget*>(m_pPreviewView),
                          static_cast<QWidget*>(m_pSourceView)})
        m_tabStrip->AddView(view);
    setWidget(m_container);
    m_pEditView = m_view;
    // Minimised, the page becomes an icon of the main frame's MDI area.
    if (CMainFrame* frame = CMainFrame::instance(); frame && frame->m_pMDIClientHook)
        frame->m_pMDIClientHook->HookChildFrame(this);

    onCommand(33200, [this] { CloseFrame(); });
    onCommand(33456, [this] { OnImageBrowser(); });
    onUpdate(33456, [](platform::CmdUI& ui) {
        CMainFrame* frame = CMainFrame::instance();
        frame->UpdateUIEditMode(ui);
        ui.setCheck(frame->m_pImageBrowserBar && frame->m_pImageBrowserBar->isVisible() ? 1 : 0);
    });
    connect(this, &QMdiSubWindow::windowStateChanged, this, &CChildFrame::OnWindowStateChanged);
    ConnectDocument();
    UpdateCaption();
}

void CChildFrame::ConnectDocument()
{
    if (!m_document)
        return;
    connect(m_document, &platform::Document::closing, this, [this] {
        m_document = nullptr;
        m_bClosing = true;
        close();
    });
    connect(m_document, &platform::Document::titleChanged, this, &CChildFrame::UpdateCaption);
    connect(m_document, &platform::Document::pathChanged, this, &CChildFrame::UpdateCaption);
}

void CChildFrame::AdoptDocument(CZQDoc* document)
{
    if (m_document)
        disconnect(m_document, nullptr, this, nullptr);
    m_document = document;
    ConnectDocument();
}

CChildFrame::~CChildFrame()
{
    // The MDI window's own end changes its state: this window is gone by then.
    disconnect(this, &QMdiSubWindow::windowStateChanged, this, nullptr);
    // The main frame forgets this window while it still is one: the MDI
    // window's own end activates another and must not find this one there.
    if (CMainFrame* frame = CMainFrame::instance(); frame && frame->m_activeChildFrame == this) {
        frame->m_activeChildFrame = nullptr;
        frame->UpdateFrameTitle();
    }
    // The bars belong to the main frame: they go back before this window goes.
    ReleaseBars();
    // The page's view goes after this body, closing its document: the
    // document's signals must no longer reach a frame that is no more one.
    if (m_document)
        disconnect(m_document, nullptr, this, nullptr);
    // The panes' views go with their widgets; the tree only points at them.
    m_frameTree.rootView = nullptr;
    m_frameTree.clear();
}

CZQView* CChildFrame::GetActiveView() const
{
    return m_activePane ? m_activePane.data() : m_view.data();
}

CZQView* CChildFrame::GetFramesetView() const
{
    return HasFrameset() ? dynamic_cast<CZQView*>(m_frameTree.rootView) : nullptr;
}

QWidget* CChildFrame::GetShownView() const
{
    if (m_bPreviewShown)
        return m_pPreviewView;
    if (m_bSourceShown)
        return m_pSourceView;
    return GetActiveView();
}

QList<platform::CommandTarget*> CChildFrame::CommandRoute()
{
    QList<platform::CommandTarget*> route;
    if (m_bPreviewShown)
        route.append(m_pPreviewView);
    else if (m_bSourceShown)
        route.append(m_pSourceView);
    else if (CZQView* view = GetActiveView())
        route.append(view);
    if (m_document)
        route.append(m_document);
    route.append(this);
    return route;
}

void CChildFrame::activatePane(FramePane* pane)
{
    auto* view = dynamic_cast<CZQView*>(pane);
    if (!view)
        return;
    CZQView* before = GetActiveView();
    m_activePane = view;
    view->setFocus(Qt::OtherFocusReason);
    if (before != view) {
        if (before)
            before->OnActivateView(false, view, before);
        view->OnActivateView(true, view, before);
    }
}

void CChildFrame::setCaption(const QString& text)
{
    OnSetText(text);
}

bool CChildFrame::isFramesetModified() const
{
    const CZQView* view = GetFramesetView();
    return view && view->GetDocument() && view->GetDocument()->m_bPageChanged;
}

void CChildFrame::setFramesetModified()
{
    if (CZQView* view = GetFramesetView(); view && view->GetDocument())
        view->GetDocument()->m_bPageChanged = true;
}

void CChildFrame::clearFramesetModified()
{
    if (CZQView* view = GetFramesetView(); view && view->GetDocument())
        view->GetDocument()->m_bPageChanged = false;
}

void CChildFrame::setFramesetText(const QString& text)
{
    if (CZQView* view = GetFramesetView(); view && view->GetDocument())
        view->GetDocument()->m_strFramesetHtml = text;
}

QString CChildFrame::framesetCharset() const
{
    const CZQView* view = GetFramesetView();
    return view && view->GetDocument() ? view->GetDocument()->m_strFramesetCharset : QString();
}

void CChildFrame::setFramesetCharset(const QString& charset)
{
    if (CZQView* view = GetFramesetView(); view && view->GetDocument())
        view->GetDocument()->m_strFramesetCharset = charset;
}

// ---- caption ------------------------------------------------------------------

void CChildFrame::OnSetText(const QString& text)
{
    CZQView* view = GetActiveView();
    CZQDoc* document = view ? view->GetDocument() : nullptr;
    if (!document)
        return;
    // 1.-2. The page's title: the live page's, the one taken last, else the
    // TITLE of its file (its source, the new-page template).
    QString title = view->GetDocumentTitle();
    if (title.isEmpty())
        title = document->GetPageTitle();
    if (title.isEmpty()) {
        QString file = document->pathName();
        if (file.isEmpty())
            file = document->m_strSourcePath;
        if (file.isEmpty()) {
            const CMainFrame* frame = CMainFrame::instance();
            file = platform::resolveCaseBlind(frame ? frame->m_strInstallFolder : platform::installPath(),
                                              QStringLiteral("Bin/ULO.html"));
        }
        // An address is no file to read.
        if (!file.contains(QLatin1String("://")))
            title = GetHtmlFileTitle(file);
    }
    // 3.-5. "title" - name.
    QString caption = QLatin1Char('"') + title + QStringLiteral("\" - ");
    caption += HasFrameset() ? document->GetDisplayName(true) : text;
    setWindowTitle(caption);
    ShowCaptionInMainWindow();
}

void CChildFrame::ShowCaptionInMainWindow()
{
    if (CMainFrame* frame = CMainFrame::instance(); frame && frame->m_activeChildFrame == this)
        frame->UpdateFrameTitle();
}

void CChildFrame::OnWindowStateChanged()
{
    // The active page window tells whether the page windows fill the main
    // window; maximised, its caption stands in the main window's title.
    if (CMainFrame* frame = CMainFrame::instance(); frame && frame->m_activeChildFrame == this) {
        frame->m_bPageWindowsMaximized = isMaximized();
        frame->UpdateFrameTitle();
    }
}

void CChildFrame::UpdateCaption()
{
    OnSetText(m_document ? m_document->GetDisplayName(true) : QString());
}

QString CChildFrame::GetTitleText() const
{
    const QString text = windowTitle();
    if (IsHtmlFileName(text) || !m_document)
        return text;
    return m_document->GetDisplayName(true);
}

// ---- activation and closing ---------------------------------------------------

void CChildFrame::ActivateFrame()
{
    CMainFrame* frame = CMainFrame::instance();
    if (frame && frame->m_bChildFrameShowStatus) {
        frame->m_bChildFrameShowStatus = false;
        showMaximized();
    } else {
        show();
    }
    if (mdiArea())
        mdiArea()->setActiveSubWindow(this);
}

void CChildFrame::CloseFrame()
{
    close();
}

void CChildFrame::closeEvent(QCloseEvent* event)
{
    // A document that is already closing takes its frame with it.
    if (!m_document) {
        if (m_bBarsHere)
            ShowBarsForView(nullptr, GetActiveView());
        RememberShowState();
        ReleaseBars();
        event->accept();
        return;
    }
    // 1. The source text reaches the page before the save question.
    LeaveToEditMode();
    // 2. The bars of the page go while it is asked about.
    m_tabStrip->SetCurTab(0);
    const bool barsHere = m_bBarsHere;
    if (barsHere)
        ShowBarsForView(nullptr, GetActiveView());
    m_bClosing = true;
    // 4. The framework's close: the save question (a frameset page asks for
    // each of its frame pages, then for itself).
    if (!(HasFrameset() ? SaveFramesetOnClose() : m_document->saveModified())) {
        // 5. Cancelled: the bars come back.
        m_bClosing = false;
        if (barsHere)
            ShowBarsForView(GetActiveView(), nullptr);
        event->ignore();
        return;
    }
    RememberShowState();
    ReleaseBars();
    CZQDoc* document = m_document;
    m_document = nullptr;
    event->accept();
    document->closeDocument();
    // The last page gone: the image browser goes with it.
    CMainFrame* frame = CMainFrame::instance();
    if (frame && frame->m_pImageBrowserBar && frame->mdiArea() && frame->mdiArea()->subWindowList().size() <= 1) {
        frame->m_pImageBrowserBar->hide();
        frame->m_bImageBrowserShown = false;
    }
}

void CChildFrame::RememberShowState()
{
    // The show state of the page window closed last; the next page comes up
    // maximised when the last one went maximised. Only the active page window
    // shows maximised: one behind it closes in the state of the page windows.
    CMainFrame* frame = CMainFrame::instance();
    const bool maximized =
        isMaximized() || (frame && frame->m_activeChildFrame != this && frame->m_bPageWindowsMaximized);
    const int show = maximized       ? childframe_detail::kShowMaximized
                     : isMinimized() ? childframe_detail::kShowMinimized
                                     : childframe_detail::kShowNormal;
    CRegistryEx reg(HKEY_CURRENT_USER);
    if (reg.Create(HKEY_CURRENT_USER, childframe_detail::generalPropertyKey()))
        reg.WriteDWord(QStringLiteral("ChildFrameShowStatus"), quint32(show));
    const platform::DocTemplate* docs = CZQApp::instance() ? CZQApp::instance()->docTemplate() : nullptr;
    if (frame && docs && docs->documentCount() == 1)
        frame->m_bChildFrameShowStatus = show == childframe_detail::kShowMaximized;
}

bool CChildFrame::event(QEvent* event)
{
    if (event->type() == platform::WindowMessage::eventType()) {
        auto* message = static_cast<platform::WindowMessage*>(event);
        if (message->message() == VornaChildFrmTabCtrl::kViewTabMessage) {
            message->setResult(OnViewTabClicked(int(message->wParam())));
            return true;
        }
    }
    return QMdiSubWindow::event(event);
}

int CChildFrame::OnViewTabClicked(int code)
{
    int command = 0;
    switch (code) {
    case 1000:
        command = 32870;
        break;
    case 1001:
        command = 33183;
        break;
    case 1002:
        command = 32869;
        break;
    default:
        return 0;
    }
    if (CZQApp* app = CZQApp::instance(); app && app->commands())
        app->commands()->sendCommand(command);
    UpdateTabStrip();
    return 1;
}

void CChildFrame::UpdateTabStrip()
{
    m_tabStrip->SetCurTab(m_bSourceShown ? 1 : m_bPreviewShown ? 2 : 0);
    update();
}

// ---- the image browser ----------------------------------------------------------

void CChildFrame::OnImageBrowser()
{
    CMainFrame* frame = CMainFrame::instance();
    if (!frame)
        return;
    QAction* button = CZQApp::instance() ? CZQApp::instance()->commands()->action(33456) : nullptr;
    // 1. A browser made before: shown or hidden.
    if (frame->m_pImageBrowserBar) {
        frame->m_pImageBrowserBar->RestoreShrunkSize();
        frame->m_pImageBrowserBar->setVisible(!frame->m_pImageBrowserBar->isVisible());
    } else {
        // 2. The first time: the browser in a bar of the main frame.
        if (!frame->m_pImageBrowser)
            frame->m_pImageBrowser = new VornaDlgImageBrowser(frame);
        auto* bar = new CCoolDialogBar(frame);
        if (!bar->Create(frame, frame->m_pImageBrowser, QStringLiteral("Vorna Image Browser"),
                         VornaDlgImageBrowser::IDD, CCoolDialogBar::CBRS_ALIGN_BOTTOM)) {
            delete bar;
            return;
        }
        frame->m_pImageBrowserBar = bar;
        // Closed from its caption, the browser stays closed when the editing view comes back.
        QObject::connect(bar, &CCoolDialogBar::closedFromCaption, frame, [frame] {
            frame->m_bImageBrowserShown = false;
            if (QAction* button = CZQApp::instance()->commands()->findAction(33456))
                button->setChecked(false);
        });
        bar->show();
    }
    const bool shown = frame->m_pImageBrowserBar->isVisible();
    if (button) {
        button->setCheckable(true);
        button->setChecked(shown);
    }
    frame->m_bImageBrowserShown = shown;
    update();
}

void CChildFrame::HideEditingOnlyWindows()
{
    CMainFrame* frame = CMainFrame::instance();
    if (!frame || !frame->m_bImageBrowserShown)
        return;
    // The flag stays set: the browser comes back with the editing view.
    if (QAction* button = CZQApp::instance()->commands()->findAction(33456))
        button->setChecked(false);
    if (frame->m_pImageBrowserBar)
        frame->m_pImageBrowserBar->hide();
}

void CChildFrame::RestoreEditingOnlyWindows()
{
    CMainFrame* frame = CMainFrame::instance();
    if (!frame)
        return;
    const bool show = frame->m_bImageBrowserShown && frame->m_pImageBrowserBar;
    if (show && !frame->m_pImageBrowserBar->isVisible())
        frame->m_pImageBrowserBar->show();
    if (QAction* button = CZQApp::instance()->commands()->findAction(33456); button && button->isCheckable())
        button->setChecked(show);
}
