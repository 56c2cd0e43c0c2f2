#include "images/VornaPropertySheetTextImage.h"

#include "images/BannerLayoutGeometry.h"
#include "images/ImageCodec.h"
#include "images/ImageFiles.h"
#include "images/ImageTestFiles.h"
#include "images/VornaDialogOpenImage.h"
#include "images/VornaImageFrame.h"
#include "images/VornaImageView.h"
#include "images/VornaPropertyPageTextFont.h"
#include "images/VornaPropertyPageTextStyle.h"
#include "util/FileHelpers.h"

#include "controls/CColorPickerCB.h"
#include "platform/ModalResponder.h"
#include "support/DialogInput.h"

#include <QDir>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>

namespace {

using platform::ModalResponder;
using platform::Rect;
using Sheet = VornaPropertySheetTextImage;

class BannerSheet : public ::testing::Test
{
protected:
    void SetUp() override { QDir(UserImageFolder()).removeRecursively(); }

    // Runs the sheet, the action playing the user; the sheet's result.
    int run(const std::function<void(Sheet&)>& act, const QString& picture = QString())
    {
        Sheet sheet(57747, nullptr, 0);
        sheet.m_strPicturePath = picture;
        responder.on(Sheet::kDialogId, [&](QDialog&) { act(sheet); });
        const int result = sheet.DoModal();
        resultPath = sheet.m_strResultPath;
        resultCanvas = sheet.m_rcCanvas;
        return result;
    }

    static bool enabled(Sheet& sheet, int id) { return DialogControl(sheet, id)->isEnabled(); }
    static QWidget* onPage(QWidget* page, int id) { return page->findChild<QWidget*>(QStringLiteral("id_%1").arg(id)); }
    static void press(QWidget* button) { QTest::mouseClick(button, Qt::LeftButton); }
    static void chooseStyle(Sheet& sheet, int index)
    {
        static_cast<QListWidget*>(onPage(sheet.stylePage(), 1535))->setCurrentRow(index);
    }

    // A drag on the layout view, from one client point to another.
    static void drag(Sheet& sheet, QPoint from, QPoint to)
    {
        QWidget* viewport = sheet.view()->viewport();
        QTest::mousePress(viewport, Qt::LeftButton, Qt::NoModifier, from);
        QTest::mouseMove(viewport, (from + to) / 2);
        QTest::mouseMove(viewport, to);
        QTest::mouseRelease(viewport, Qt::LeftButton, Qt::NoModifier, to);
    }

    QTemporaryDir dir;
    ModalResponder responder;
    QString resultPath;
    QRect resultCanvas;
};

TEST_F(BannerSheet, TextEnablesOkAndCanvasSizeModeTakesItAway)
{
    EXPECT_EQ(run([](Sheet& sheet) {
                  EXPECT_FALSE(enabled(sheet, platform::IDOK)) << "no banner without text";
                  EXPECT_FALSE(enabled(sheet, 1019)) << "nothing to delete";
                  EXPECT_EQ(sheet.model().m_rcCanvas, Rect(0, 0, 380, 95));
                  TypeInto(sheet, 1006, QStringLiteral("Paginor"));
                  EXPECT_EQ(sheet.model().m_text.text, QStringLiteral("Paginor"));
                  EXPECT_TRUE(enabled(sheet, platform::IDOK));
                  auto* canvas = sheet.findChild<QPushButton*>(QStringLiteral("id_1017"));
                  press(canvas);
                  EXPECT_TRUE(sheet.IsCanvasModeOn());
                  for (int id : {platform::IDOK, 1023, 1025, 1019})
                      EXPECT_FALSE(enabled(sheet, id)) << id;
                  EXPECT_FALSE(onPage(sheet.fontPage(), 1006)->isEnabled());
                  // The style page shown meanwhile is all disabled.
                  sheet.tabs()->setCurrentWidget(sheet.stylePage());
                  for (int id : {1535, 1408, 1519, 1520, 1522})
                      EXPECT_FALSE(onPage(sheet.stylePage(), id)->isEnabled()) << id;
                  // Left without a drag: the canvas keeps its size.
                  press(canvas);
                  EXPECT_FALSE(sheet.IsCanvasModeOn());
                  EXPECT_EQ(sheet.model().m_rcCanvas, Rect(0, 0, 380, 95));
                  EXPECT_TRUE(enabled(sheet, platform::IDOK));
                  EXPECT_TRUE(onPage(sheet.stylePage(), 1535)->isEnabled());
                  press(sheet.findChild<QPushButton*>(QStringLiteral("id_1")));
              }),
              platform::IDOK);
    EXPECT_EQ(resultPath, QDir(UserImageFolder()).filePath(QStringLiteral("UserImage0.GIF")));
    EXPECT_EQ(resultCanvas, QRect(0, 0, 380, 95));
    EXPECT_EQ(GetImageFileSize(resultPath), QSize(380, 95));
}

TEST_F(BannerSheet, TheStylePageFollowsItsStyleAndKeepsItsNumbersInRange)
{
    run([](Sheet& sheet) {
        QWidget* page = sheet.stylePage();
        sheet.tabs()->setCurrentWidget(page);
        EXPECT_EQ(sheet.model().m_text.style, kTextStyleOutlineBlock) << "the sheet's default until a change";
        const auto states = [&] {
            return QList<bool>{onPage(page, 1519)->isEnabled(), onPage(page, 1520)->isEnabled(),
                               onPage(page, 1522)->isEnabled()};
        };
        chooseStyle(sheet, 0); // 三次元効果なし
        EXPECT_EQ(states(), (QList<bool>{false, false, false}));
        EXPECT_EQ(sheet.model().m_text.style, kTextStyleNone);
        chooseStyle(sheet, 7); // 浮き出しヘビー
        EXPECT_EQ(states(), (QList<bool>{true, false, false}));
        EXPECT_EQ(sheet.model().m_text.style, kTextStyleRaisedHeavy);
        chooseStyle(sheet, 9); // ドロップシャドウ
        EXPECT_EQ(states(), (QList<bool>{true, true, true}));
        EXPECT_EQ(sheet.model().m_text.style, kTextStyleDropShadow);

        TypeInto(sheet, 1408, QStringLiteral("500"));
        EXPECT_EQ(DialogText(sheet, 1408), QStringLiteral("360"));
        EXPECT_EQ(sheet.model().m_text.angle, 3600);
        ModalResponder::setText(sheet, 1520, QStringLiteral("-5"));
        EXPECT_EQ(DialogText(sheet, 1520), QStringLiteral("0"));
        EXPECT_EQ(sheet.model().m_text.shadowX, 0);
        TypeInto(sheet, 1522, QString());
        EXPECT_EQ(sheet.model().m_text.shadowY, 3) << "an emptied offset changes nothing";
        TypeInto(sheet, 1522, QStringLiteral("12"));
        EXPECT_EQ(sheet.model().m_text.shadowY, 12);

        auto* shadow = static_cast<CColorPickerCB*>(onPage(page, 1519));
        shadow->SetColor(0xBDBDBD);
        emit shadow->colorChosen(0xBDBDBD, 1519);
        EXPECT_EQ(sheet.model().m_text.shadowColor, 0xC0C0C0u);
        sheet.reject();
    });
}

TEST_F(BannerSheet, TheFontPageMakesTheFontAndColours)
{
    run([](Sheet& sheet) {
        QWidget* page = sheet.fontPage();
        auto* face = static_cast<QComboBox*>(onPage(page, 1386));
        EXPECT_GT(face->count(), 0);
        EXPECT_GE(face->currentIndex(), 0) << "the face standing for Arial is chosen";
        EXPECT_EQ(DialogText(sheet, 1004), QStringLiteral("18"));
        TypeInto(sheet, 1006, QStringLiteral("Paginor"));
        const int dpi = page->logicalDpiY();
        EXPECT_EQ(sheet.model().m_text.font.pixelSize(), (18 * dpi + 36) / 72);
        EXPECT_EQ(sheet.model().m_text.font.family(), face->currentText());
        TypeInto(sheet, 1004, QStringLiteral("13"));
        EXPECT_EQ(sheet.model().m_text.font.pixelSize(), (13 * dpi + 36) / 72) << "a size not in the list";
        TypeInto(sheet, 1004, QStringLiteral("abc"));
        EXPECT_EQ(sheet.model().m_text.font.pixelSize(), -1) << "the default height";
        QTest::mouseClick(onPage(page, 1007), Qt::LeftButton);
        EXPECT_TRUE(sheet.model().m_text.font.bold());
        QTest::mouseClick(onPage(page, 1009), Qt::LeftButton);
        EXPECT_TRUE(sheet.model().m_text.font.underline());

        auto* text = static_cast<CColorPickerCB*>(onPage(page, 1384));
        EXPECT_EQ(sheet.model().m_text.textColor, 0xCBFBBAu);
        text->SetColor(0xBDBDBD);
        emit text->colorChosen(0xBDBDBD, 1384);
        EXPECT_EQ(sheet.model().m_text.textColor, 0xC0C0C0u);
        auto* border = static_cast<CColorPickerCB*>(onPage(page, 1294));
        border->SetColor(0x0000FF);
        emit border->colorChosen(0x0000FF, 1294);
        EXPECT_EQ(sheet.model().m_text.borderColor, 0x0000FFu);
        sheet.reject();
    });
}

TEST_F(BannerSheet, PicturesComeByPathOrBrowseAndGoWithDelete)
{
    const QString photo =
        imagetest::save(dir.path(), QStringLiteral("photo.png"), imagetest::rgbPng(imagetest::pattern(150, 60)));
    const QString other =
        imagetest::save(dir.path(), QStringLiteral("other.jpg"), imagetest::jpeg(imagetest::pattern(90, 45)));
    responder.on(VornaDialogOpenImage::IDD, [&](QDialog& chooser) {
        auto& open = static_cast<VornaDialogOpenImage&>(chooser);
        EXPECT_TRUE(open.m_bBannerMode);
        open.m_strResultPath = other;
        open.done(platform::IDOK);
    });
    run(
        [&](Sheet& sheet) {
            EXPECT_EQ(DialogText(sheet, 1524), photo) << "the caller's picture";
            EXPECT_EQ(sheet.model().m_rcCanvas, Rect(0, 0, 150, 60));
            EXPECT_TRUE(enabled(sheet, 1019));
            // A path typed part way names nothing yet: the picture stays.
            TypeInto(sheet, 1524, dir.filePath(QStringLiteral("oth")));
            EXPECT_EQ(sheet.model().m_strPicturePath, photo);
            EXPECT_TRUE(sheet.model().HasPicture());
            press(onPage(sheet.fontPage(), 1017));
            EXPECT_EQ(DialogText(sheet, 1524), other);
            EXPECT_EQ(sheet.model().m_rcCanvas, Rect(0, 0, 90, 45));
            // Delete: back to the default canvas of the view.
            press(sheet.findChild<QPushButton*>(QStringLiteral("id_1019")));
            EXPECT_TRUE(DialogText(sheet, 1524).isEmpty());
            EXPECT_FALSE(sheet.model().HasPicture());
            EXPECT_FALSE(enabled(sheet, 1019));
            const QSize client = sheet.view()->ClientSize();
            EXPECT_EQ(sheet.model().m_rcCanvas, Rect(0, 0, client.width() - 50, client.height() / 2));
            sheet.reject();
        },
        photo);
    EXPECT_EQ(responder.pending(), 0);
}

TEST_F(BannerSheet, TheMouseMovesAndSizesTheTextBoxAndTheCanvas)
{
    run([](Sheet& sheet) {
        BannerModel& model = sheet.model();
        ASSERT_EQ(sheet.view()->ScrollPosition(), QPoint(0, 0));
        ASSERT_EQ(model.m_rcText, Rect(5, 5, 375, 90));
        // Moved by its middle.
        drag(sheet, QPoint(100, 40), QPoint(90, 45));
        EXPECT_EQ(model.m_rcText, Rect(-5, 10, 365, 95));
        // Its grip let go 3 pixels up-left of the canvas's corner.
        drag(sheet, QPoint(365, 95), QPoint(377, 92));
        EXPECT_EQ(model.m_rcText, Rect(-5, 10, 372, 87));
        // Sized below 50 x 50: held at 50 x 50.
        drag(sheet, QPoint(372, 87), QPoint(10, 20));
        EXPECT_EQ(model.m_rcText, Rect(-5, 10, 45, 60));
        // The canvas's corner dragged: a larger banner.
        drag(sheet, QPoint(377, 92), QPoint(400, 150));
        EXPECT_EQ(model.m_rcCanvas, Rect(0, 0, 400, 150));
        EXPECT_EQ(model.Composite()->width(), 400);
        EXPECT_FALSE(model.m_bCanvasDrag);
        sheet.reject();
    });
}

TEST_F(BannerSheet, ACanvasDraggedOutOfTheViewScrollsAndStopsAtEightHundredWithoutAPicture)
{
    const QString small =
        imagetest::save(dir.path(), QStringLiteral("small.png"), imagetest::rgbPng(imagetest::pattern(100, 50)));
    // The corner held past the view's bottom-right edge for 250 mouse moves.
    const auto dragOut = [](Sheet& sheet) {
        QWidget* viewport = sheet.view()->viewport();
        const Rect& canvas = sheet.model().m_rcCanvas;
        const QPoint grip(canvas.right + 2, canvas.bottom + 2);
        QTest::mousePress(viewport, Qt::LeftButton, Qt::NoModifier, grip);
        const QPoint outside(viewport->width() + 40, viewport->height() + 40);
        for (int i = 0; i < 250; ++i)
            QTest::mouseMove(viewport, outside + QPoint(i % 2, 0));
        QTest::mouseRelease(viewport, Qt::LeftButton, Qt::NoModifier, outside);
    };
    run([&](Sheet& sheet) {
        dragOut(sheet);
        EXPECT_EQ(sheet.model().m_rcCanvas, Rect(0, 0, 800, 800));
        EXPECT_GT(sheet.view()->ScrollPosition().x(), 300) << "the view followed the corner";
        TypeInto(sheet, 1524, small);
        ASSERT_EQ(sheet.model().m_rcCanvas, Rect(0, 0, 100, 50));
        // The text box lies over the small canvas's corner: hidden, it
        // leaves the corner to the mouse.
        press(sheet.findChild<QPushButton*>(QStringLiteral("id_1023")));
        EXPECT_FALSE(sheet.model().m_bTextAreaShown);
        dragOut(sheet);
        EXPECT_GT(sheet.model().m_rcCanvas.width(), 800) << "a picture may grow beyond";
        EXPECT_GT(sheet.model().m_rcCanvas.height(), 800);
        EXPECT_EQ(sheet.model().Composite()->size(),
                  QSize(sheet.model().m_rcCanvas.width(), sheet.model().m_rcCanvas.height()));
        sheet.reject();
    });
}

TEST_F(BannerSheet, CanvasSizeModeFitsALargePictureBetweenItsHandles)
{
    const QString wide =
        imagetest::save(dir.path(), QStringLiteral("wide.png"), imagetest::rgbPng(imagetest::pattern(600, 270)));
    run([&](Sheet& sheet) {
        TypeInto(sheet, 1524, wide);
        ASSERT_EQ(sheet.model().m_rcCanvas, Rect(0, 0, 600, 270));
        press(sheet.findChild<QPushButton*>(QStringLiteral("id_1017")));
        VornaImageView* view = sheet.view();
        EXPECT_EQ(view->ClientSize(), view->size()) << "no scroll bars over the fitted banner";
        const Rect fit = bannerlayout::CanvasFit(QSize(600, 270), view->ClientSize());
        EXPECT_EQ(bannerlayout::CropOfHandles(sheet.frame()->handles(), false), fit);
        view->viewport()->grab();
        EXPECT_EQ(view->CropSelection(), fit) << "the view shows the whole banner selected";
        // The left handle dragged 60 pixels in: the banner loses its
        // left part at the banner's scale.
        QWidget* frame = sheet.frame();
        const platform::Rect left = sheet.frame()->handles().left;
        const QPoint grip(left.left + left.width() / 2, left.top + 4);
        QTest::mousePress(frame, Qt::LeftButton, Qt::NoModifier, grip);
        QTest::mouseMove(frame, grip + QPoint(30, 0));
        QTest::mouseMove(frame, grip + QPoint(60, 0));
        QTest::mouseRelease(frame, Qt::LeftButton, Qt::NoModifier, grip + QPoint(60, 0));
        press(sheet.findChild<QPushButton*>(QStringLiteral("id_1017")));
        const int cut = int(60 * 600.0 / fit.width());
        EXPECT_NEAR(sheet.model().m_rcCanvas.width(), 600 - cut, 2);
        EXPECT_EQ(sheet.model().m_rcCanvas.height(), 270);
        sheet.reject();
    });
}

TEST_F(BannerSheet, AFailedWriteIsToldAndKeepsTheSheetOpen)
{
    const QString folder = UserImageFolder();
    QDir().mkpath(QFileInfo(folder).absolutePath());
    QFile blocker(folder);
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    responder.answerMessageBox(platform::IDOK);
    EXPECT_EQ(run([](Sheet& sheet) {
                  TypeInto(sheet, 1006, QStringLiteral("Paginor"));
                  QTest::mouseClick(sheet.findChild<QPushButton*>(QStringLiteral("id_1")), Qt::LeftButton);
                  EXPECT_TRUE(sheet.isVisible()) << "the banner waits to be saved again";
                  EXPECT_TRUE(sheet.m_strResultPath.isEmpty());
                  sheet.reject();
              }),
              platform::IDCANCEL);
    ASSERT_EQ(responder.messageTexts().size(), 1);
    EXPECT_TRUE(responder.messageTexts().front().contains(QStringLiteral("UserImage0.GIF")));
    EXPECT_TRUE(resultPath.isEmpty());
    QFile::remove(folder);
}

} // namespace
