// The picture of the rolling dialog bars, the view tabs and the icons of
// minimised pages, for people to look at (it is not compared); taken under
// Xvfb (tests/CMakeLists.txt runs DialogBarsScreenshot.* there):
//   xvfb-run -a -s "-screen 0 1280x1024x24" env QT_QPA_PLATFORM=xcb PAGINOR_SCREENSHOT_DIR=/tmp
//   build/test/tests/test_program --gtest_filter=DialogBarsScreenshot.*
// PAGINOR_UPDATE_EXPECTED=1 also rewrites the reviewed copy in tests/data/expected/.

#include "app/CChildFrame.h"
#include "app/CMainFrame.h"
#include "app/ProgramStart.h"
#include "chrome/CCoolDialogBar.h"
#include "support/PreviewRecorder.h"
#include "support/ReviewPicture.h"
#include "web/VornaDialogSiteManagerSheet.h"

#include "platform/CommandRegistry.h"

#include <QGuiApplication>
#include <QMdiArea>
#include <QScreen>
#include <QTest>

#include <gtest/gtest.h>

namespace {

TEST(DialogBarsScreenshot, BarsTabsAndIcons)
{
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        GTEST_SKIP() << "needs an X server (Xvfb)";
    // The site manager's tutorial page and any preview stay plain widgets:
    // the live browser needs an OpenGL context, which the X server of the
    // tests need not offer.
    PreviewRecorder::Installed previews;
    VornaDialogSiteManagerSheet::setTutorialViewFactory([](QWidget* parent) { return new QWidget(parent); });
    struct Restore
    {
        ~Restore() { VornaDialogSiteManagerSheet::setTutorialViewFactory(nullptr); }
    } restore;
    std::unique_ptr<CZQApp> app = StartProgramWithoutGuide();
    ASSERT_NE(app, nullptr);
    CMainFrame* frame = app->mainFrame();
    frame->setGeometry(QGuiApplication::primaryScreen()->availableGeometry().adjusted(0, 0, -200, -160));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(frame, 60000));

    // Four pages; the last stays open with its tabs, the others go to icons.
    for (int i = 0; i < 4; ++i)
        ASSERT_TRUE(app->OpenDocumentFile(QString()));
    const QList<QMdiSubWindow*> pages = frame->findChild<QMdiArea*>()->subWindowList();
    ASSERT_EQ(pages.size(), 4);
    pages[3]->showNormal();
    pages[3]->setGeometry(40, 20, 520, 330);

    // The site manager bar, dragged to the left; the image browser rolled up at the bottom.
    app->commands()->sendCommand(33494);
    auto* siteBar = qobject_cast<CCoolDialogBar*>(frame->siteManagerBar());
    ASSERT_NE(siteBar, nullptr);
    frame->addDockWidget(Qt::LeftDockWidgetArea, siteBar);
    frame->resizeDocks({siteBar}, {300}, Qt::Horizontal);
    app->commands()->sendCommand(33456);
    ASSERT_NE(frame->m_pImageBrowserBar, nullptr);
    QTest::qWait(200);
    frame->m_pImageBrowserBar->RollUp();
    QTest::qWait(200);
    for (int i = 0; i < 3; ++i)
        pages[i]->showMinimized();
    app->m_bCommandRan = true;
    app->OnIdle();
    QTest::qWait(600);
    SaveReviewPicture(frame->grab().toImage(), QStringLiteral("dialog-bars-tabs-icons.png"));
}

} // namespace
