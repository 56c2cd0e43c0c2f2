#include "app/VornaHTMLViewer.h"

#include "app/Vorna_Preview.h"

VornaHTMLViewer::VornaHTMLViewer(QWidget* parent) : QMainWindow(parent)
{
    // A main window is made as a window of its own: here it is a part of a dialog.
    setWindowFlags(Qt::Widget);
    setObjectName(QStringLiteral("htmlViewer"));
}

VornaHTMLViewer::~VornaHTMLViewer() = default;

bool VornaHTMLViewer::Create(const QRect& rect, QWidget* parent)
{
    setParent(parent, Qt::Widget);
    m_rcPage = rect.adjusted(20, 20, -20, -20);
    setGeometry(rect);
    if (!m_pView) {
        m_pView = new Vorna_Preview(this);
        m_pView->Create(QRect(QPoint(0, 0), rect.size()), this);
        setCentralWidget(m_pView);
    }
    show();
    return true;
}

void VornaHTMLViewer::ShowImage(const QString& imagePath)
{
    if (m_pView)
        m_pView->ShowImage(imagePath);
}

void VornaHTMLViewer::ShowHtmlBody(const QString& fragment)
{
    if (m_pView)
        m_pView->ShowHtmlBody(fragment);
}

void VornaHTMLViewer::ShowHtmlPage(const QString& bodyText)
{
    if (m_pView)
        m_pView->ShowHtmlPage(bodyText);
}

void VornaHTMLViewer::Navigate(const QString& address)
{
    if (m_pView)
        m_pView->Navigate(address);
}

QString VornaHTMLViewer::GetLocationURL() const
{
    return m_pView ? m_pView->GetLocationURL() : QString();
}
