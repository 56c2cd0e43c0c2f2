#pragma once

#include <QUrl>
#include <QWidget>

class QWebEngineView;
class QWebEngineDownloadRequest;

namespace engine {

class BrowsePage;

// The preview of a page as a browser shows it (scripts, MARQUEE and form
// controls included), on Qt WebEngine. Read-only: it navigates to files and
// addresses, follows links, goes back and forward, stops and refreshes, and
// asks before each navigation and each download. Editing never uses it.
// Programs that may create one set Qt::AA_ShareOpenGLContexts before the
// application object; as root the sandbox must be off
// (QTWEBENGINE_DISABLE_SANDBOX=1, see prepareEnvironment).
class BrowseView : public QWidget
{
    Q_OBJECT
public:
    explicit BrowseView(QWidget* parent = nullptr);
    ~BrowseView() override;

    // Sets what WebEngine needs in this process before the first view exists:
    // no sandbox when running as root, no GPU when asked (tests, CI).
    static void prepareEnvironment(bool disableGpu);

    // A local path, a file: address or a network address.
    void navigate(const QString& address);
    void goBack();
    void goForward();
    void stop();
    void refresh();
    bool canGoBack() const;
    bool canGoForward() const;
    QUrl url() const;
    QString title() const;

    // Turns a local path or an address typed by the user into a URL.
    static QUrl addressToUrl(const QString& address);

signals:
    // Before each navigation (links, scripts, navigate()); set *cancel to stop it.
    void beforeNavigate(const QUrl& url, bool* cancel);
    // Before a download starts; set *cancel to refuse it.
    void downloadBegin(const QUrl& url, bool* cancel);
    void loadFinished(bool ok);
    void titleChanged(const QString& title);

private:
    void onDownload(QWebEngineDownloadRequest* download);
    QWebEngineView* m_view = nullptr;
    BrowsePage* m_page = nullptr;
};

} // namespace engine
