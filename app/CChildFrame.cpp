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

CChildFrame::~CChildFrame() = default;

void CChildFrame::updateCaption()
{
    setWindowTitle(m_document ? m_document->GetDisplayName() : QString());
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
