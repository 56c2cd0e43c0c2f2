// The live browse-view tests start a WebEngine render process (no GPU and, as
// root, no sandbox). They need a display and run when asked; CTest runs them
// on their own under Xvfb when xvfb-run is installed:
//   PAGINOR_BROWSE_TESTS=1 QT_QPA_PLATFORM=xcb xvfb-run -a test_engine --gtest_filter='BrowseView*'
// Every wait ends as soon as what it waits for happens; the long deadline only
// matters when the render process is slow on a loaded machine.

#include "engine/view/BrowseView.h"

#include "support/TestFiles.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QEventLoop>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWebEngineDownloadRequest>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineView>

#include <functional>
#include <memory>
#include <ostream>
#include <vector>

using engine::BrowseView;

namespace {

constexpr int kDeadlineMs = 60000;

// A page that names itself only once it has been drawn twice, so a test
// that waits for the title knows the page takes clicks.
QByteArray browsePage(const char* title, const char* body)
{
    return QByteArray("<html><head><title>-</title></head><body>") + body +
           "<script>requestAnimationFrame(function() { requestAnimationFrame(function() { document.title = '" + title +
           "'; }); });</script></body></html>";
}

TEST(BrowseView, AddressesBecomeUrls)
{
    EXPECT_EQ(BrowseView::addressToUrl(QStringLiteral("/tmp/a b.html")),
              QUrl::fromLocalFile(QStringLiteral("/tmp/a b.html")));
    EXPECT_EQ(BrowseView::addressToUrl(QStringLiteral("  http://example.com/x ")),
              QUrl(QStringLiteral("http://example.com/x")));
    EXPECT_EQ(BrowseView::addressToUrl(QStringLiteral("example.com")), QUrl(QStringLiteral("http://example.com")));
    EXPECT_EQ(BrowseView::addressToUrl(QString()), QUrl(QStringLiteral("about:blank")));
}

// One view on two small pages: a.html links to b.html and to a .zip file.
class BrowseViewLive : public ::testing::Test
{
protected:
    struct Load
    {
        QString file;
        bool ok;
        bool operator==(const Load&) const = default;
        friend void PrintTo(const Load& load, std::ostream* out)
        {
            *out << load.file.toStdString() << (load.ok ? " ok" : " failed");
        }
    };

    void SetUp() override
    {
        if (qEnvironmentVariableIsEmpty("PAGINOR_BROWSE_TESTS"))
            GTEST_SKIP() << "set PAGINOR_BROWSE_TESTS=1 (and a display) to run it";
        BrowseView::prepareEnvironment(true);
        ASSERT_TRUE(dir.isValid());
        ASSERT_TRUE(writeTestFile(dir.filePath(QStringLiteral("a.html")),
                                  browsePage("A", "<a href='b.html' style='position:absolute; left:10px; top:10px; "
                                                  "width:150px; height:40px'>b</a>"
                                                  "<a href='pack.zip' style='position:absolute; left:10px; top:60px; "
                                                  "width:150px; height:40px'>zip</a>")));
        ASSERT_TRUE(writeTestFile(dir.filePath(QStringLiteral("b.html")), browsePage("B", "b")));
        ASSERT_TRUE(writeTestFile(dir.filePath(QStringLiteral("pack.zip")), zipBytes()));

        view = std::make_unique<BrowseView>();
        view->resize(400, 300);
        view->show();
        QObject::connect(view.get(), &BrowseView::loadFinished, [this](bool ok) {
            loads.push_back({view->url().fileName(), ok});
        });
        QObject::connect(view.get(), &BrowseView::beforeNavigate, [this](const QUrl& url, bool* cancel) {
            asked.push_back(url.fileName());
            *cancel = refused.contains(url.fileName());
        });
        QObject::connect(view.get(), &BrowseView::downloadBegin, [this] { ++begins; });
        QObject::connect(view.get(), &BrowseView::fileDownload, [this](const QUrl& url, bool* cancel) {
            downloads.push_back(url.fileName());
            *cancel = refuseDownloads;
        });
    }

    static QByteArray zipBytes()
    {
        // An empty archive: only the end-of-central-directory record.
        return QByteArray("PK\x05\x06", 4) + QByteArray(18, '\0');
    }

    // Runs the event loop until `done` holds (checked every few ms) or the
    // deadline passes. The loop must keep running: WebEngine's browser side
    // works on it, so a wait that sleeps between rounds slows every load down.
    static bool waitUntil(const std::function<bool()>& done)
    {
        if (done())
            return true;
        QEventLoop loop;
        QTimer check;
        QObject::connect(&check, &QTimer::timeout, &loop, [&] {
            if (done())
                loop.quit();
        });
        check.start(5);
        QTimer::singleShot(kDeadlineMs, &loop, &QEventLoop::quit);
        loop.exec();
        return done();
    }

    // Waits for the page `file` to have loaded and been drawn.
    bool waitForPage(const QString& file, const QString& title)
    {
        return waitUntil(
            [&] { return !loads.empty() && loads.back().file == file && loads.back().ok && view->title() == title; });
    }

    bool openA()
    {
        view->navigate(dir.filePath(QStringLiteral("a.html")));
        return waitForPage(QStringLiteral("a.html"), QStringLiteral("A"));
    }

    // Clicks a link with the mouse, as a user follows it (a click from a
    // script would lack the user's gesture, and going back would skip the
    // page it came from).
    void click(QPoint at)
    {
        auto* web = view->findChild<QWebEngineView*>();
        ASSERT_NE(web, nullptr);
        ASSERT_NE(web->focusProxy(), nullptr);
        QTest::mouseClick(web->focusProxy(), Qt::LeftButton, {}, at);
    }
    static constexpr QPoint kLinkToB{60, 30};
    static constexpr QPoint kLinkToZip{60, 80};

    // A round trip through the render process: everything the page did
    // before has been reported once this returns.
    bool settle()
    {
        auto* web = view->findChild<QWebEngineView*>();
        bool answered = false;
        web->page()->runJavaScript(QStringLiteral("1"), [&](const QVariant&) { answered = true; });
        return waitUntil([&] { return answered; });
    }

    QTemporaryDir dir;
    std::unique_ptr<BrowseView> view;
    int begins = 0;
    std::vector<Load> loads;
    QStringList asked;
    QStringList refused;
    QStringList downloads;
    bool refuseDownloads = false;
};

TEST_F(BrowseViewLive, FollowsLinksAsksFirstAndKeepsHistory)
{
    ASSERT_TRUE(openA());
    EXPECT_TRUE(asked.contains(QStringLiteral("a.html"))); // navigate() is asked about too
    EXPECT_EQ(begins, 1);
    EXPECT_FALSE(view->canGoBack());

    // A refused link is not followed: no load, no history entry.
    refused = {QStringLiteral("b.html")};
    click(kLinkToB);
    ASSERT_TRUE(waitUntil([&] { return asked.contains(QStringLiteral("b.html")); }));
    ASSERT_TRUE(settle());
    EXPECT_EQ(view->url().fileName(), QStringLiteral("a.html"));
    EXPECT_EQ(view->title(), QStringLiteral("A"));

    refused.clear();
    click(kLinkToB);
    ASSERT_TRUE(waitForPage(QStringLiteral("b.html"), QStringLiteral("B")));
    EXPECT_EQ(asked.count(QStringLiteral("b.html")), 2);
    EXPECT_EQ(begins, 2);
    EXPECT_EQ(loads, (std::vector<Load>{{QStringLiteral("a.html"), true}, {QStringLiteral("b.html"), true}}));
    EXPECT_TRUE(view->canGoBack());
    EXPECT_FALSE(view->canGoForward());

    view->goBack();
    ASSERT_TRUE(waitForPage(QStringLiteral("a.html"), QStringLiteral("A")));
    EXPECT_FALSE(view->canGoBack()) << "the refused navigation left an entry";
    EXPECT_TRUE(view->canGoForward());
    view->goForward();
    ASSERT_TRUE(waitForPage(QStringLiteral("b.html"), QStringLiteral("B")));

    // Refresh reads the file again.
    ASSERT_TRUE(writeTestFile(dir.filePath(QStringLiteral("b.html")), browsePage("B2", "b")));
    view->refresh();
    ASSERT_TRUE(waitForPage(QStringLiteral("b.html"), QStringLiteral("B2")));
    EXPECT_EQ(begins, 5); // back, forward and refresh each begin a load
    EXPECT_EQ(loads.size(), 5u);
}

TEST_F(BrowseViewLive, AFileDownloadIsAskedAboutAndARefusedOneWritesNothing)
{
    // The requests as the view left them (this slot runs after the view's).
    QList<QPointer<QWebEngineDownloadRequest>> requests;
    auto* web = view->findChild<QWebEngineView*>();
    ASSERT_NE(web, nullptr);
    QObject::connect(web->page()->profile(), &QWebEngineProfile::downloadRequested,
                     [&](QWebEngineDownloadRequest* request) { requests.push_back(request); });
    const QString folder = web->page()->profile()->downloadPath();
    auto stored = [&] { return QDir(folder).entryList(QDir::Files | QDir::Hidden); };
    ASSERT_TRUE(openA());

    refuseDownloads = true;
    click(kLinkToZip);
    ASSERT_TRUE(waitUntil([&] { return requests.size() == 1; }));
    EXPECT_EQ(downloads, QStringList{QStringLiteral("pack.zip")});
    // The link began a load, which ends without a page.
    ASSERT_TRUE(waitUntil([&] { return loads.size() == 2; }));
    EXPECT_EQ(begins, 2);
    EXPECT_FALSE(loads.back().ok);
    ASSERT_TRUE(requests[0]);
    EXPECT_EQ(requests[0]->state(), QWebEngineDownloadRequest::DownloadCancelled);
    ASSERT_TRUE(settle());
    EXPECT_EQ(view->url().fileName(), QStringLiteral("a.html")); // the page stays

    // An accepted one is written, and is the only file there.
    refuseDownloads = false;
    click(kLinkToZip);
    ASSERT_TRUE(waitUntil([&] { return requests.size() == 2 && requests[1] && requests[1]->isFinished(); }));
    EXPECT_EQ(requests[1]->state(), QWebEngineDownloadRequest::DownloadCompleted);
    EXPECT_EQ(stored(), QStringList{QStringLiteral("pack.zip")});
    EXPECT_EQ(readTestFile(QDir(folder).filePath(QStringLiteral("pack.zip"))), zipBytes());
}

TEST_F(BrowseViewLive, StopEndsALoadThatDoesNotAnswer)
{
    // A server that takes the request and never answers. The browser may
    // open more than one connection; the request comes on one of them.
    QTcpServer server;
    ASSERT_TRUE(server.listen(QHostAddress::LocalHost));
    QList<QTcpSocket*> connections;
    QObject::connect(&server, &QTcpServer::newConnection, [&] {
        while (QTcpSocket* socket = server.nextPendingConnection())
            connections.push_back(socket);
    });
    auto requested = [&] {
        for (QTcpSocket* socket : connections)
            if (socket->peek(64).startsWith("GET /slow.html"))
                return true;
        return false;
    };
    view->navigate(QStringLiteral("http://127.0.0.1:%1/slow.html").arg(server.serverPort()));
    ASSERT_TRUE(waitUntil(requested));
    view->stop();
    ASSERT_TRUE(waitUntil([&] { return !loads.empty(); }));
    EXPECT_FALSE(loads.back().ok);
    // The view is still usable.
    ASSERT_TRUE(openA());
}

TEST_F(BrowseViewLive, APageThatNavigatesItselfIsAskedFirst)
{
    // It goes once it has loaded and been drawn. (Refused while the page is
    // still being read, as a timer of no delay may go on a busy machine,
    // the navigation stops that reading: the page never loads.)
    ASSERT_TRUE(writeTestFile(dir.filePath(QStringLiteral("self.html")),
                              browsePage("S", "<script>addEventListener('load', function() {"
                                              " requestAnimationFrame(function() { requestAnimationFrame(function() {"
                                              " location.href = 'b.html'; }); }); });</script>")));
    refused = {QStringLiteral("b.html")};
    view->navigate(dir.filePath(QStringLiteral("self.html")));
    ASSERT_TRUE(waitUntil([&] { return asked.contains(QStringLiteral("b.html")); }));
    ASSERT_TRUE(waitForPage(QStringLiteral("self.html"), QStringLiteral("S")));
    ASSERT_TRUE(settle());
    EXPECT_EQ(view->url().fileName(), QStringLiteral("self.html"));
    EXPECT_EQ(begins, 1);
    EXPECT_EQ(loads, (std::vector<Load>{{QStringLiteral("self.html"), true}}));

    refused.clear();
    view->refresh();
    ASSERT_TRUE(waitForPage(QStringLiteral("b.html"), QStringLiteral("B")));
    EXPECT_EQ(begins, 3);
    EXPECT_TRUE(view->canGoBack());
}

TEST_F(BrowseViewLive, AMissingFileBeginsALoadThatFails)
{
    ASSERT_TRUE(openA());
    view->navigate(dir.filePath(QStringLiteral("missing.html")));
    ASSERT_TRUE(waitUntil([&] { return loads.size() == 2; }));
    EXPECT_EQ(begins, 2);
    EXPECT_FALSE(loads.back().ok);
    ASSERT_TRUE(settle());
    EXPECT_EQ(loads.size(), 2u);
    // Back returns to the page before it, as the positions the preview
    // counts say.
    EXPECT_TRUE(view->canGoBack());
    view->goBack();
    ASSERT_TRUE(waitForPage(QStringLiteral("a.html"), QStringLiteral("A")));
}

TEST_F(BrowseViewLive, LongAddressesLoadAndOnesOverTheLimitAreDropped)
{
    ASSERT_TRUE(openA());
    // 2 MB is the most the browser takes: beyond, nothing is asked or begun.
    const QString b = QUrl::fromLocalFile(dir.filePath(QStringLiteral("b.html"))).toString();
    view->navigate(b + QStringLiteral("?q=") + QString(2 * 1024 * 1024, QLatin1Char('x')));
    ASSERT_TRUE(settle());
    EXPECT_EQ(asked.size(), 1);
    EXPECT_EQ(begins, 1);
    // 200 KB is asked about and loads.
    view->navigate(b + QStringLiteral("?q=") + QString(200 * 1024, QLatin1Char('y')));
    ASSERT_TRUE(waitForPage(QStringLiteral("b.html"), QStringLiteral("B")));
    EXPECT_EQ(asked.size(), 2);
    EXPECT_EQ(begins, 2);
}

TEST_F(BrowseViewLive, MovesWithinThePageAreToldAsLoads)
{
    ASSERT_TRUE(writeTestFile(dir.filePath(QStringLiteral("long.html")),
                              browsePage("L", "<a href='#end' style='position:absolute; left:10px; top:10px; "
                                              "width:150px; height:40px'>end</a>"
                                              "<div id=end style='position:absolute; top:3000px'>end</div>")));
    view->navigate(dir.filePath(QStringLiteral("long.html")));
    ASSERT_TRUE(waitForPage(QStringLiteral("long.html"), QStringLiteral("L")));
    click(kLinkToB);
    ASSERT_TRUE(waitUntil([&] { return view->url().fragment() == QStringLiteral("end"); }));
    ASSERT_TRUE(settle());
    EXPECT_TRUE(view->canGoBack());
    EXPECT_EQ(begins, 2) << "an entry in the history, but no load told";
    EXPECT_EQ(loads.size(), 2u);
    view->goBack();
    ASSERT_TRUE(waitUntil([&] { return view->url().fragment().isEmpty(); }));
    ASSERT_TRUE(settle());
    EXPECT_EQ(begins, 3);
    // A script that only rewrites the address makes no entry.
    view->findChild<QWebEngineView*>()->page()->runJavaScript(
        QStringLiteral("history.replaceState(null, '', '#other')"));
    ASSERT_TRUE(waitUntil([&] { return view->url().fragment() == QStringLiteral("other"); }));
    ASSERT_TRUE(settle());
    EXPECT_EQ(begins, 3);
    EXPECT_EQ(loads.size(), 3u);
}

TEST_F(BrowseViewLive, DestroyedWhileLoading)
{
    QTcpServer server;
    ASSERT_TRUE(server.listen(QHostAddress::LocalHost));
    bool requested = false;
    QObject::connect(&server, &QTcpServer::newConnection, [&] { requested = true; });
    view->navigate(QStringLiteral("http://127.0.0.1:%1/slow.html").arg(server.serverPort()));
    ASSERT_TRUE(waitUntil([&] { return requested; }));
    ASSERT_EQ(begins, 1);
    const size_t loadsBefore = loads.size();
    view.reset();
    EXPECT_EQ(loads.size(), loadsBefore) << "told about a load while being destroyed";
    // Another view works afterwards.
    view = std::make_unique<BrowseView>();
    QObject::connect(view.get(), &BrowseView::loadFinished, [this](bool ok) {
        loads.push_back({view->url().fileName(), ok});
    });
    view->show();
    ASSERT_TRUE(openA());
}

} // namespace

TEST_F(BrowseViewLive, ScriptErrorsOfThePageAreTold)
{
    QStringList errors;
    QObject::connect(view.get(), &BrowseView::scriptError, [&](const QString& message, int line, const QString&) {
        errors.append(message + QLatin1Char('@') + QString::number(line));
    });
    ASSERT_TRUE(writeTestFile(dir.filePath(QStringLiteral("error.html")),
                              browsePage("E", "<script>\nconsole.log('fine');\nnoSuchFunction();\n</script>")));
    view->navigate(dir.filePath(QStringLiteral("error.html")));
    ASSERT_TRUE(waitForPage(QStringLiteral("error.html"), QStringLiteral("E")));
    ASSERT_TRUE(waitUntil([&] { return !errors.isEmpty(); }));
    EXPECT_TRUE(errors.first().contains(QLatin1String("noSuchFunction"))) << errors.first().toStdString();
    EXPECT_TRUE(errors.first().endsWith(QLatin1String("@3"))) << errors.first().toStdString();
    // A page without errors tells none.
    errors.clear();
    ASSERT_TRUE(openA());
    ASSERT_TRUE(settle());
    EXPECT_TRUE(errors.isEmpty());
}
