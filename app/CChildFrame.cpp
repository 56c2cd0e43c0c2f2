#include "app/CChildFrame.h"

#include "app/CZQDoc.h"
#include "app/CZQView.h"

#include <QCloseEvent>
#include <QMainWindow>
#include <QStyle>

CChildFrame::CChildFrame(CZQDoc* document, QWidget* parent)
    : QMdiSubWindow(parent), m_document(document), m_inner(new QMainWindow(this)), m_view(nullptr)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowIcon(style()->standardIcon(QStyle::SP_FileIcon));
    m_inner->setWindowFlags(Qt::Widget);
    m_view = new CZQView(document, m_inner);
    m_inner->setCentralWidget(m_view);
    setWidget(m_inner);
    onCommand(33200, [this] { close(); });
    if (document) {
        connect(document, &platform::Document::closing, this, [this] {
            m_document = nullptr;
            m_bClosing = true;
            close();
        });
        connect(document, &platform::Document::titleChanged, this, &CChildFrame::updateCaption);
        connect(document, &platform::Document::pathChanged, this, &CChildFrame::updateCaption);
    }
    updateCaption();
}

CChildFrame::~CChildFrame()
{
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
    return m_activePane ? m_activePane.data() : m_view;
}

CZQView* CChildFrame::GetFramesetView() const
{
    return HasFrameset() ? dynamic_cast<CZQView*>(m_frameTree.rootView) : nullptr;
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
    setWindowTitle(text);
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

QString CChildFrame::framesetCharset() const
{
    const CZQView* view = GetFramesetView();
    return view && view->GetDocument() ? view->GetDocument()->m_strFramesetCharset : QString();
}

void CChildFrame::updateCaption()
{
    setWindowTitle(m_document ? m_document->GetDisplayName(true) : QString());
}

void CChildFrame::closeEvent(QCloseEvent* event)
{
    // A document that is already closing takes its frame with it.
    if (!m_document) {
        event->accept();
        return;
    }
    m_bClosing = true;
    if (!m_document->saveModified()) {
        m_bClosing = false;
        event->ignore();
        return;
    }
    CZQDoc* document = m_document;
    m_document = nullptr;
    event->accept();
    document->closeDocument();
}
