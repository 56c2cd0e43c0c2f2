// A picture of the insert-image dialog beside a page of the running program,
// showing the clip art installed with the program, for people to look at.
// Run under Xvfb (see ARCHITECTURE.md, Tests).

#include "commands/FormatPage.h"

#include "images/CVornaImageListCtrl.h"
#include "images/ImageWindowTests.h"
#include "images/VornaDialogOpenImage.h"

#include "support/ReviewPicture.h"

#include <QGuiApplication>
#include <QScreen>
#include <QTest>

namespace {

class ImageDialogScreenshot : public FormatPage
{
};

TEST_F(ImageDialogScreenshot, TheDialogOnTheClipArt)
{
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        GTEST_SKIP() << "needs an X server (Xvfb)";
    CMainFrame* frame = app->mainFrame();
    frame->setGeometry(QGuiApplication::primaryScreen()->availableGeometry());
    ASSERT_TRUE(QTest::qWaitForWindowExposed(frame, 60000));
    ASSERT_NE(open(QStringLiteral(">\n<P>写真を置くページ</P>\n")), nullptr);
    // Nothing remembered yet: the image library's own folder.
    imagewindowtest::RememberImageFolder(QString());
    run(33169);
    VornaDialogOpenImage* dialog = frame->findChild<VornaDialogOpenImage*>();
    ASSERT_NE(dialog, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog, 60000));
    CVornaImageListCtrl* list = dialog->thumbnailList();
    ASSERT_GE(list->GetItemCount(), 6);
    imagewindowtest::WaitForThumbnails(list);
    list->SelectItem(2);
    QTest::qWait(200);
    for (int i = 0; i < list->GetItemCount(); ++i)
        EXPECT_EQ(list->GetItemData(i), 2) << i;
    SaveReviewPicture(dialog->grab().toImage(), QStringLiteral("insert-image-dialog.png"));
}

} // namespace
