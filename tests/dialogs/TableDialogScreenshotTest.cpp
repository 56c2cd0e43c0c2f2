// Pictures of the table and cell dialogs as 表 > 表のプロパティ and
// セルのプロパティ open them, for people to look at. Run under Xvfb (see
// ARCHITECTURE.md, Tests).

#include "editor/EditorPage.h"

#include "controls/ReviewPicture.h"
#include "dialogs/VornaDialogTableCellProperty.h"
#include "dialogs/VornaDialogTableProperty.h"

#include "platform/ModalResponder.h"

#include <QGuiApplication>
#include <QTest>

#include <functional>

namespace {

class TableDialogScreenshot : public EditorPage
{
protected:
    QImage shot(int dialogId, const std::function<int()>& run)
    {
        QImage picture;
        platform::ModalResponder responder;
        responder.on(dialogId, [&](QDialog& d) {
            QTest::qWait(200);
            picture = d.grab().toImage().convertToFormat(QImage::Format_RGB32);
            platform::ModalResponder::press(d, platform::IDCANCEL);
        });
        EXPECT_EQ(run(), platform::IDCANCEL);
        return picture;
    }
};

TEST_F(TableDialogScreenshot, TheTableOfAPageWithItsCaptionBelowAndColours)
{
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        GTEST_SKIP() << "needs an X server (Xvfb)";
    VornaDialogTableProperty dialog(app->mainFrame());
    dialog.m_bExistingTable = true;
    dialog.m_strRows = QStringLiteral("4");
    dialog.m_strColumns = QStringLiteral("3");
    dialog.m_strWidth = QStringLiteral("480");
    dialog.m_bWidthPercent = false;
    dialog.m_strCellPadding = QStringLiteral("4");
    dialog.m_strCellSpacing = QStringLiteral("2");
    dialog.m_strCaption = QStringLiteral("時間割");
    dialog.m_bCaptionBottom = true;
    dialog.m_crBackground = 0xE0F0FF;
    dialog.m_crBorder = 0x804000;
    dialog.m_strBackground = QStringLiteral("../image/paper.jpg");
    const QImage picture = shot(VornaDialogTableProperty::IDD, [&] { return dialog.DoModal(); });
    ASSERT_FALSE(picture.isNull());
    EXPECT_TRUE(saveForReview(picture, QStringLiteral("table-properties.png")));
}

TEST_F(TableDialogScreenshot, ACellAlignedRightWithoutWrapping)
{
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        GTEST_SKIP() << "needs an X server (Xvfb)";
    VornaDialogTableCellProperty dialog(app->mainFrame());
    dialog.m_strWidth = QStringLiteral("25");
    dialog.m_strHeight = QStringLiteral("40");
    dialog.m_bHeightPercent = false;
    dialog.m_bHAlignSet = true;
    dialog.m_strHAlign = QStringLiteral("right");
    dialog.m_bVAlignSet = true;
    dialog.m_strVAlign = QStringLiteral("top");
    dialog.m_bNoWrap = true;
    dialog.m_crBackground = 0xC0FFFF;
    const QImage picture = shot(VornaDialogTableCellProperty::IDD, [&] { return dialog.DoModal(); });
    ASSERT_FALSE(picture.isNull());
    EXPECT_TRUE(saveForReview(picture, QStringLiteral("cell-properties.png")));
}

} // namespace
