// The browse view starts a WebEngine render process (without GPU and, as
// root, without sandbox). Under the full parallel suite the render process
// sometimes starts too late, so the navigation test runs when asked:
//   PAGINOR_BROWSE_TESTS=1 xvfb-run -a ctest -R BrowseView

#include "engine/view/BrowseView.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>

using engine::BrowseView;

TEST(BrowseView, AddressesBecomeUrls)
{
    EXPECT_EQ(BrowseView::addressToUrl(QStringLiteral("/tmp/a b.html")), QUrl::fromLocalFile(QStringLiteral("/tmp/a b.html")));
    EXPECT_EQ(BrowseView::addressToUrl(QStringLiteral("http://example.com/x")), QUrl(QStringLiteral("http://example.com/x")));
    EXPECT_EQ(BrowseView::addressToUrl(QString()), QUrl(QStringLiteral("about:blank")));
}

TEST(BrowseView, NavigatesAndAsksBeforeFollowingALink)
{
    if (qEnvironmentVariableIsEmpty("PAGINOR_BROWSE_TESTS"))
        GTEST_SKIP() << "set PAGINOR_BROWSE_TESTS=1 to run it";
    BrowseView::prepareEnvironment(true);
    QTemporaryDir dir;
    QFile a(dir.filePath(QStringLiteral("a.html")));
    ASSERT_TRUE(a.open(QIODevice::WriteOnly));
    a.write("<html><head><title>A</title></head><body><a id=l href='b.html'>b</a>"
            "<script>setTimeout(function(){ location.href = 'b.html'; }, 10);</script></body></html>");
    a.close();
    QFile b(dir.filePath(QStringLiteral("b.html")));
    ASSERT_TRUE(b.open(QIODevice::WriteOnly));
    b.write("<html><head><title>B</title></head><body>b</body></html>");
    b.close();

    BrowseView view;
    view.resize(400, 300);
    view.show();
    int asked = 0;
    bool refuse = true;
    QObject::connect(&view, &BrowseView::beforeNavigate, [&](const QUrl& url, bool* cancel) {
        if (url.fileName() == QLatin1String("b.html")) {
            ++asked;
            *cancel = refuse;
        }
    });
    QSignalSpy loaded(&view, &BrowseView::loadFinished);
    QSignalSpy asking(&view, &BrowseView::beforeNavigate);
    view.navigate(a.fileName());
    ASSERT_TRUE(loaded.wait(20000));
    EXPECT_EQ(view.title(), QStringLiteral("A"));
    // The script's navigation is asked about and refused.
    while (asked == 0)
        ASSERT_TRUE(asking.wait(20000));
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(view.url().fileName(), QStringLiteral("a.html"));
    refuse = false;
    view.navigate(b.fileName());
    ASSERT_TRUE(loaded.wait(20000));
    EXPECT_EQ(view.url().fileName(), QStringLiteral("b.html"));
    EXPECT_TRUE(view.canGoBack());
}
