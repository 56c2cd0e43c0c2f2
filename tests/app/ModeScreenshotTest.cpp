// Pictures of a page in its source view and in its browser preview, for
// people to look at (they are not compared). CTest runs them under Xvfb and
// writes screenshots/page-source.png and page-preview.png in the build
// folder; PAGINOR_UPDATE_EXPECTED=1 also rewrites the reviewed copies in
// tests/data/expected/. By hand:
//   xvfb-run -a -s "-screen 0 1280x1024x24" env QT_QPA_PLATFORM=xcb PAGINOR_BROWSE_TESTS=1
//   PAGINOR_SCREENSHOT_DIR=/tmp build/test/tests/test_program --gtest_filter=ShellScreenshot.APage*

#include "ProgramStart.h"
#include "support/ReviewPicture.h"

#include "app/CChildFrame.h"
#include "app/CMainFrame.h"
#include "app/CZQView.h"
#include "app/Vorna_Preview.h"

#include "engine/view/BrowseView.h"

#include "platform/CommandRegistry.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QWebEngineView>

#include <gtest/gtest.h>

namespace {

QString pagesFolder()
{
    return QFileInfo(QString::fromUtf8(__FILE__)).absolutePath() + QStringLiteral("/../data/pages/");
}

TEST(ShellScreenshot, APageInItsSourceAndInItsPreview)
{
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        GTEST_SKIP() << "needs an X server (Xvfb)";
    engine::BrowseView::prepareEnvironment(true);
    QTemporaryDir dir;
    const QString page = dir.filePath(QStringLiteral("index.html"));
    ASSERT_TRUE(QFile::copy(pagesFolder() + QStringLiteral("positioned-tables.html"), page));
    std::unique_ptr<CZQApp> app = StartProgramWithoutGuide();
    ASSERT_NE(app, nullptr);
    app->mainFrame()->setGeometry(QGuiApplication::primaryScreen()->availableGeometry());
    ASSERT_TRUE(app->OpenDocumentFile(page));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(app->mainFrame(), 60000));
    QCoreApplication::processEvents();
    const auto picture = [&app](const QString& name) {
        app->m_bCommandRan = true;
        app->OnIdle();
        QCoreApplication::processEvents();
        SaveReviewPicture(app->mainFrame()->grab().toImage(), name);
    };

    // The source, as View > ソース shows it.
    app->commands()->sendCommand(33183);
    CChildFrame* child = app->mainFrame()->GetActiveChild();
    ASSERT_TRUE(child->m_bSourceShown);
    picture(QStringLiteral("page-source.png"));

    if (qEnvironmentVariableIsEmpty("PAGINOR_BROWSE_TESTS"))
        GTEST_SKIP() << "the preview needs PAGINOR_BROWSE_TESTS=1";
    // The preview, as View > プレビュー shows it once the browser has the page.
    app->commands()->sendCommand(32869);
    ASSERT_TRUE(child->m_bPreviewShown);
    auto* browser = child->GetPreviewView()->findChild<QWebEngineView*>();
    ASSERT_NE(browser, nullptr);
    QElapsedTimer clock;
    clock.start();
    bool loaded = false;
    QObject::connect(browser, &QWebEngineView::loadFinished, [&loaded](bool ok) { loaded = ok; });
    while (!loaded && clock.elapsed() < 30000)
        QTest::qWait(50);
    EXPECT_TRUE(loaded);
    QTest::qWait(500);
    picture(QStringLiteral("page-preview.png"));
    app->commands()->sendCommand(32870);
    EXPECT_TRUE(child->m_bEditShown);
}

} // namespace
