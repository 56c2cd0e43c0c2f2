// A picture of the main window with a page and the image browser at the
// bottom, showing the clip art installed with the program, for people to
// look at. Run under Xvfb (see ARCHITECTURE.md, Tests).

#include "commands/FormatPage.h"

#include "app/CMainFrame.h"
#include "images/CVornaImageListCtrl.h"
#include "images/ImageWindowTests.h"
#include "images/VornaDlgImageBrowser.h"

#include "support/ReviewPicture.h"

#include <QGuiApplication>
#include <QScreen>
#include <QTest>

namespace {

class ImageBrowserScreenshot : public FormatPage
{
};

TEST_F(ImageBrowserScreenshot, TheMainWindowWithTheBrowserOnTheClipArt)
{
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        GTEST_SKIP() << "needs an X server (Xvfb)";
    CMainFrame* frame = app->mainFrame();
    frame->setGeometry(QGuiApplication::primaryScreen()->availableGeometry());
    ASSERT_TRUE(QTest::qWaitForWindowExposed(frame, 60000));
    ASSERT_NE(open(QStringLiteral(">\n<P>写真を置くページ</P>\n")), nullptr);
    // Nothing remembered yet: the image library's own folder.
    imagewindowtest::RememberImageFolder(QString());
    run(33456);
    VornaDlgImageBrowser* browser = frame->m_pImageBrowser;
    ASSERT_NE(browser, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(browser, 60000));
    CVornaImageListCtrl* list = browser->thumbnailList();
    ASSERT_GE(list->GetItemCount(), 6);
    imagewindowtest::WaitForThumbnails(list);
    list->SelectItem(3);
    QTest::qWait(200);
    SaveReviewPicture(frame->grab().toImage(), QStringLiteral("image-browser.png"));
}

} // namespace
