#pragma once

#include <QUrl>
#include <QWidget>

class QWebEngineDownloadRequest;
class QWebEngineLoadingInfo;
class QWebEngineView;

namespace engine {

class BrowsePage;

// The preview of a page as a browser shows it (scripts, MARQUEE and form
// controls included), on Qt WebEngine. Read-only: it navigates to files and
// addresses, follows links, goes back and forward, stops and refreshes, asks
// before each navigation and tells when each load begins and ends. Editing
// never uses it.
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
    // Before each navigation of the page (navigate(), links, scripts, back,
    // forward, refresh); set *cancel to stop it. A stopped navigation neither
    // begins nor finishes a load.
    void beforeNavigate(const QUrl& url, bool* cancel);
    // A navigation that went ahead begins loading (back, forward and refresh
    // included; a link to a file that gets downloaded too). A move within
    // the page that makes or takes a history entry (a link to an anchor,
    // back to the page before it, a script's pushState) is told as a load
    // that begins and ends at once; it is not asked about beforehand.
    // An address the browser cannot take (longer than its limit of 2 MB) is
    // dropped: nothing is asked or told.
    void downloadBegin();
    // That load ended: ok when the page is shown, false when it failed, was
    // stopped or turned into a file download.
    void loadFinished(bool ok);
    // A link leads to a file the view does not show; set *cancel to refuse it,
    // else it is saved in the download folder.
    void fileDownload(const QUrl& url, bool* cancel);
    void titleChanged(const QString& title);
    // The page's script reported an error (a console error or an uncaught
    // exception): its message, and the line and source it came from.
    void scriptError(const QString& message, int line, const QString& source);

private:
    friend class BrowsePage;
    bool askBeforeNavigate(const QUrl& url);
    void onLoading(const QWebEngineLoadingInfo& info);
    void onDownload(QWebEngineDownloadRequest* download);
    void onUrlChanged();
    QWebEngineView* m_view = nullptr;
    BrowsePage* m_page = nullptr;
    // The last navigation refused, and whether its (empty) load is under way.
    QUrl m_refused;
    bool m_inRefusedLoad = false;
    // A load is under way; the history entry shown when none was.
    bool m_loading = false;
    int m_historyIndex = 0;
};

} // namespace engine
