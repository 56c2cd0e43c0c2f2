#include "engine/view/BrowseView.h"

#include <QDir>
#include <QFileInfo>
#include <QVBoxLayout>
#include <QWebEngineDownloadRequest>
#include <QWebEngineHistory>
#include <QWebEngineLoadingInfo>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineView>

#include <unistd.h>

namespace engine {

class BrowsePage : public QWebEnginePage
{
public:
    BrowsePage(QWebEngineProfile* profile, BrowseView* view) : QWebEnginePage(profile, view), m_view(view) {}

protected:
    bool acceptNavigationRequest(const QUrl& url, NavigationType, bool isMainFrame) override
    {
        return !isMainFrame || m_view->askBeforeNavigate(url);
    }

    void javaScriptConsoleMessage(JavaScriptConsoleMessageLevel level, const QString& message, int line,
                                  const QString& source) override
    {
        if (level == ErrorMessageLevel)
            emit m_view->scriptError(message, line, source);
    }

private:
    BrowseView* m_view;
};

void BrowseView::prepareEnvironment(bool disableGpu)
{
    if (geteuid() == 0 && qEnvironmentVariableIsEmpty("QTWEBENGINE_DISABLE_SANDBOX"))
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    if (disableGpu) {
        QByteArray flags = qgetenv("QTWEBENGINE_CHROMIUM_FLAGS");
        if (!flags.contains("--disable-gpu"))
            qputenv("QTWEBENGINE_CHROMIUM_FLAGS", (flags + " --disable-gpu").trimmed());
    }
}

BrowseView::BrowseView(QWidget* parent) : QWidget(parent)
{
    prepareEnvironment(false);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_view = new QWebEngineView(this);
    layout->addWidget(m_view);
    // An off-the-record profile: previews leave no cookies or cache behind.
    auto* profile = new QWebEngineProfile(this);
    m_page = new BrowsePage(profile, this);
    m_view->setPage(m_page);
    connect(m_page, &QWebEnginePage::loadingChanged, this, &BrowseView::onLoading);
    connect(m_page, &QWebEnginePage::titleChanged, this, &BrowseView::titleChanged);
    connect(m_page, &QWebEnginePage::urlChanged, this, &BrowseView::onUrlChanged);
    m_historyIndex = m_page->history()->currentItemIndex();
    connect(profile, &QWebEngineProfile::downloadRequested, this, &BrowseView::onDownload);
}

BrowseView::~BrowseView()
{
    // The page goes before its profile, telling nothing on its way out.
    disconnect(m_page, nullptr, this, nullptr);
    m_view->setPage(nullptr);
    delete m_page;
}

QUrl BrowseView::addressToUrl(const QString& addressIn)
{
    const QString address = addressIn.trimmed();
    if (address.isEmpty())
        return QUrl(QStringLiteral("about:blank"));
    if (QDir::isAbsolutePath(address) || QFileInfo::exists(address))
        return QUrl::fromLocalFile(QFileInfo(address).absoluteFilePath());
    return QUrl::fromUserInput(address);
}

void BrowseView::navigate(const QString& address)
{
    m_view->setUrl(addressToUrl(address));
}

void BrowseView::goBack()
{
    m_view->back();
}

void BrowseView::goForward()
{
    m_view->forward();
}

void BrowseView::stop()
{
    m_view->stop();
}

void BrowseView::refresh()
{
    m_view->reload();
}

bool BrowseView::canGoBack() const
{
    return m_page->history()->canGoBack();
}

bool BrowseView::canGoForward() const
{
    return m_page->history()->canGoForward();
}

QUrl BrowseView::url() const
{
    return m_page->url();
}

QString BrowseView::title() const
{
    return m_page->title();
}

bool BrowseView::askBeforeNavigate(const QUrl& url)
{
    bool cancel = false;
    emit beforeNavigate(url, &cancel);
    m_refused = cancel ? url : QUrl();
    return !cancel;
}

void BrowseView::onLoading(const QWebEngineLoadingInfo& info)
{
    // WebEngine reports a load for a refused navigation too (begun, then
    // aborted); nothing was loaded, so it is not passed on.
    const bool refused = !m_refused.isEmpty() && info.url() == m_refused;
    if (info.status() == QWebEngineLoadingInfo::LoadStartedStatus) {
        m_inRefusedLoad = refused;
        if (!refused) {
            m_loading = true;
            emit downloadBegin();
        }
        return;
    }
    if (m_inRefusedLoad && refused) {
        m_inRefusedLoad = false;
        m_refused.clear();
        return;
    }
    m_loading = false;
    m_historyIndex = m_page->history()->currentItemIndex();
    emit loadFinished(info.status() == QWebEngineLoadingInfo::LoadSucceededStatus);
}

void BrowseView::onUrlChanged()
{
    // WebEngine reports no load for a move within the page, but the
    // history has an entry more or stands elsewhere: whoever counts the
    // positions of the history by the loads must hear of it.
    if (m_loading)
        return;
    const int index = m_page->history()->currentItemIndex();
    if (index == m_historyIndex)
        return;
    m_historyIndex = index;
    emit downloadBegin();
    emit loadFinished(true);
}

void BrowseView::onDownload(QWebEngineDownloadRequest* download)
{
    bool cancel = false;
    emit fileDownload(download->url(), &cancel);
    if (cancel)
        download->cancel();
    else
        download->accept();
}

} // namespace engine
