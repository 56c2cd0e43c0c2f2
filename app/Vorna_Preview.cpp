#include "app/Vorna_Preview.h"

#include "app/CMainFrame.h"
#include "app/CZQApp.h"
#include "app/PageTextFiles.h"
#include "app/PreviewBrowser.h"

#include "platform/CmdUI.h"
#include "platform/DataRoot.h"

#include <QFile>
#include <QVBoxLayout>

Vorna_Preview::Vorna_Preview(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("previewView"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    onCommand(33184, [this] {
        if (!m_browser)
            return;
        // Marked first: the load it begins is not a new page.
        m_bGoingBack = true;
        --m_nHistoryPos;
        m_browser->goBack();
    });
    onUpdate(33184, [this](platform::CmdUI& ui) { ui.enable(m_nHistoryPos > 1); });
    onCommand(33185, [this] {
        if (!m_browser)
            return;
        m_bGoingForward = true;
        ++m_nHistoryPos;
        m_browser->goForward();
    });
    onUpdate(33185, [this](platform::CmdUI& ui) { ui.enable(m_nHistoryEnd > m_nHistoryPos); });
    onCommand(33186, [this] { Stop(); });
    onCommand(33187, [this] {
        if (m_browser)
            m_browser->refresh();
    });
}

Vorna_Preview::~Vorna_Preview()
{
    // The temporary page goes with the window; a failure is no matter.
    if (!m_strTempFile.isEmpty())
        QFile::remove(m_strTempFile);
}

bool Vorna_Preview::Create(const QRect& rect, QWidget* parent)
{
    m_rcPage = rect.adjusted(20, 20, -20, -20);
    setParent(parent);
    setGeometry(rect);
    return true;
}

void Vorna_Preview::EnsureBrowser()
{
    if (m_browser)
        return;
    m_browser = PreviewBrowser::create(this);
    connect(m_browser.get(), &PreviewBrowser::beforeNavigate, this, [](const QUrl&, bool*) {
        if (CZQApp* app = CZQApp::instance())
            app->m_bCommandRan = true;
    });
    connect(m_browser.get(), &PreviewBrowser::downloadBegin, this, &Vorna_Preview::OnDownloadBegin);
}

void Vorna_Preview::OnDownloadBegin()
{
    if (!m_bGoingBack && !m_bGoingForward) {
        ++m_nHistoryPos;
        m_nHistoryEnd = m_nHistoryPos;
    } else {
        m_bGoingBack = false;
        m_bGoingForward = false;
    }
}

void Vorna_Preview::Navigate(const QString& address)
{
    EnsureBrowser();
    m_browser->navigate(address);
}

void Vorna_Preview::Stop()
{
    if (m_browser)
        m_browser->stop();
}

QString Vorna_Preview::GetLocationURL() const
{
    return m_browser ? m_browser->locationUrl() : QString();
}

void Vorna_Preview::ShowImage(const QString& imagePath)
{
    ShowHtmlBody(QStringLiteral("<IMG src=\"%1\" style=\"POSITION: absolute; LEFT: 0px; TOP: 0px\">").arg(imagePath));
}

void Vorna_Preview::ShowHtmlBody(const QString& fragment)
{
    ShowHtmlPage(QStringLiteral("<BODY oncontextmenu=\"return false\" onselectstart=\"return false\" scroll=no>") +
                 fragment + QStringLiteral("\n\r</BODY>"));
}

void Vorna_Preview::ShowHtmlPage(const QString& bodyText)
{
    WriteTempPageAndNavigate(
        QStringLiteral("<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.0 Transitional//EN\">\n\r<HTML><HEAD><META "
                       "http-equiv=Content-Type content=\"text/html; charset=shift_jis\"></HEAD>") +
        bodyText + QStringLiteral("\n\r</HTML>"));
}

void Vorna_Preview::WriteTempPageAndNavigate(const QString& text)
{
    const CMainFrame* frame = CMainFrame::instance();
    const QString folder = frame ? frame->m_strInstallFolder : platform::installPath();
    const QString path =
        platform::resolveCaseBlind(folder, QStringLiteral("Bin")) + QStringLiteral("/VornaPreviewTemp~.html");
    QString page = text;
    WritePageText(path, page);
    Navigate(path);
    m_strTempFile = path;
}
