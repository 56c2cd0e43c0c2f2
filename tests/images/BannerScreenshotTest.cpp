// Pictures of the banner maker for people to look at: the main window with
// the sheet over a page, and the twelve text styles, flat and turned. Run
// under Xvfb (see ARCHITECTURE.md, Tests).

#include "commands/FormatPage.h"

#include "images/BannerTextRenderer.h"
#include "images/ImageTestFiles.h"
#include "images/VornaPropertyPageTextStyle.h"
#include "images/VornaPropertySheetTextImage.h"

#include "platform/ModalResponder.h"
#include "support/DialogInput.h"
#include "support/ReviewPicture.h"
#include "util/StringResources.h"

#include <QGuiApplication>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

namespace {

class BannerScreenshot : public FormatPage
{
};

TEST_F(BannerScreenshot, TheSheetOverAPage)
{
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        GTEST_SKIP() << "needs an X server (Xvfb)";
    CMainFrame* frame = app->mainFrame();
    frame->setGeometry(QGuiApplication::primaryScreen()->availableGeometry());
    ASSERT_TRUE(QTest::qWaitForWindowExposed(frame, 60000));
    ASSERT_NE(open(QStringLiteral(">\n<P id=flow>バナーを置くページ</P>\n")), nullptr);
    caretIn("flow");
    QTemporaryDir dir;
    const QString sky =
        imagetest::save(dir.path(), QStringLiteral("sky.png"), imagetest::rgbPng(imagetest::pattern(360, 90)));
    platform::ModalResponder responder;
    responder.on(VornaPropertySheetTextImage::kDialogId, [&](QDialog& dialog) {
        auto& sheet = static_cast<VornaPropertySheetTextImage&>(dialog);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&sheet, 60000));
        TypeInto(sheet, 1524, sky);
        TypeInto(sheet, 1006, QStringLiteral("Paginor バナー"));
        TypeInto(sheet, 1004, QStringLiteral("36"));
        sheet.tabs()->setCurrentWidget(sheet.stylePage());
        sheet.stylePage()->findChild<QListWidget*>(QStringLiteral("id_1535"))->setCurrentRow(10);
        TypeInto(sheet, 1408, QStringLiteral("5"));
        QTest::qWait(200);
        QImage shot = frame->grab().toImage();
        {
            QPainter dc(&shot);
            dc.drawImage(sheet.mapToGlobal(QPoint(0, 0)) - frame->mapToGlobal(QPoint(0, 0)), sheet.grab().toImage());
        }
        SaveReviewPicture(shot, QStringLiteral("banner-maker.png"));
        QTest::mouseClick(sheet.findChild<QPushButton*>(QStringLiteral("id_1")), Qt::LeftButton);
    });
    run(33477);
    EXPECT_FALSE(frame->m_strInsertImageSrc.isEmpty());
}

TEST_F(BannerScreenshot, TheTwelveStyles)
{
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        GTEST_SKIP() << "needs an X server (Xvfb)";
    const QSize cell(300, 90);
    QImage sheet(cell.width() * 2 + 160, cell.height() * 12, QImage::Format_RGB32);
    sheet.fill(Qt::white);
    QPainter dc(&sheet);
    for (int index = 0; index < 12; ++index) {
        dc.setPen(Qt::black);
        dc.drawText(QRect(4, index * cell.height(), 156, cell.height()), Qt::AlignVCenter,
                    LoadResString(57716 + index));
        for (int turned = 0; turned < 2; ++turned) {
            BannerTextParams params;
            params.text = QStringLiteral("Paginor");
            params.style = BannerStyleCodeOfIndex(index);
            params.font.setPixelSize(40);
            params.font.setBold(true);
            params.angle = turned ? 150 : 0;
            const QImage layer =
                Draw3dText(cell, platform::Rect(10, 10, cell.width() - 10, cell.height() - 10), params);
            dc.drawImage(160 + turned * cell.width(), index * cell.height(), layer);
        }
        dc.setPen(QColor(220, 220, 220));
        dc.drawLine(0, (index + 1) * cell.height() - 1, sheet.width(), (index + 1) * cell.height() - 1);
    }
    dc.end();
    SaveReviewPicture(sheet, QStringLiteral("banner-styles.png"));
}

} // namespace
