#include "chrome/CCoolDialogBar.h"
#include "chrome/ULOToolBar.h"
#include "commands/FormatPage.h"
#include "platform/DataRoot.h"
#include "platform/ModalResponder.h"
#include "res/resource.h"
#include "skins/VornaSkinManager.h"
#include "support/ReviewPicture.h"

#include <QDialog>
#include <QGuiApplication>
#include <QListWidget>
#include <QPainter>
#include <QToolButton>

using platform::ModalResponder;

namespace {

// The running program with a page whose text can be made bold, the skin
// chosen as a user chooses it.
class ProgramToolbarSkins : public FormatPage
{
protected:
    void SetUp() override
    {
        FormatPage::SetUp();
        platform::fillDataRoot(platform::shareDir() + QStringLiteral("/Bin/skins"),
                               platform::installPath(QStringLiteral("Bin/skins")));
    }
    void TearDown() override
    {
        VornaSkinManager::GetInstance().ChangeSkin(QStringLiteral("classic"));
        FormatPage::TearDown();
    }
    void choose(const QString& skin)
    {
        ModalResponder responder;
        responder.on(IDD_SKIN, [skin](QDialog& box) {
            auto* list = box.findChild<QListWidget*>(QStringLiteral("id_1072"));
            ASSERT_NE(list, nullptr);
            const QList<QListWidgetItem*> items = list->findItems(skin, Qt::MatchExactly);
            ASSERT_EQ(items.size(), 1);
            list->setCurrentItem(items.first());
            ModalResponder::press(box, 1);
        });
        app->commands()->action(33204)->trigger();
        EXPECT_EQ(responder.pending(), 0);
        settle();
    }
    QToolButton* boldButton() const
    {
        ULOToolBar* format = app->mainFrame()->toolBar(603);
        const int index = int(format->buttonIds().indexOf(ID_FORMAT_BOLD));
        return qobject_cast<QToolButton*>(format->buttonWidget(index));
    }
    static QImage render(QWidget* widget)
    {
        QImage image(widget->size(), QImage::Format_RGB32);
        image.fill(Qt::white);
        widget->render(&image);
        return image;
    }
};

// For review under Xvfb: the skinned bars of the running program.
class BarSkinsScreenshot : public ProgramToolbarSkins
{
};

} // namespace

TEST_F(ProgramToolbarSkins, BoldTextSelectedShowsTheBoldButtonPressedWithItsPressedPicture)
{
    choose(QStringLiteral("metal"));
    ASSERT_TRUE(VornaSkinManager::IsSkinOn());
    ASSERT_NE(open(QStringLiteral("><P id=t>Bold text</P>")), nullptr);
    selectAllTextOf("t");
    run(ID_FORMAT_BOLD);
    updateBars();
    ASSERT_TRUE(checked(ID_FORMAT_BOLD));
    QToolButton* bold = boldButton();
    ASSERT_NE(bold, nullptr);

    const QImage image = render(bold);
    // The picture of list 2 at the picture's place.
    const QImage pressed = ULOToolBar::image(ULOToolBar::kPressed, ULOToolBar::imageIndexOf(ID_FORMAT_BOLD)).toImage();
    const QImage normal = ULOToolBar::image(ULOToolBar::kNormal, ULOToolBar::imageIndexOf(ID_FORMAT_BOLD)).toImage();
    const QPoint origin((image.width() - 16) / 2, 3);
    int pressedPixels = 0;
    int normalPixels = 0;
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            if (qAlpha(pressed.pixel(x, y)) == 255 && pressed.pixel(x, y) != normal.pixel(x, y)) {
                const QRgb shown = image.pixel(origin + QPoint(x, y));
                pressedPixels += shown == (pressed.pixel(x, y) | 0xFF000000u);
                normalPixels += shown == (normal.pixel(x, y) | 0xFF000000u);
            }
    EXPECT_GT(pressedPixels, 10);
    EXPECT_EQ(normalPixels, 0);
    // Behind it, cell 2 of the image button (its top edge, above the stretched middle).
    const SkinButtonRecord& cells = VornaSkinManager::GetInstance().imageButton();
    QImage cell(image.size(), QImage::Format_RGB32);
    cell.fill(Qt::white);
    {
        QPainter dc(&cell);
        cells.DrawSkinButtonImage(dc, 0, 0, cell.width(), cell.height(), 2);
    }
    const QPoint edge(image.width() / 2, 1);
    ASSERT_NE(cell.pixel(edge), qRgb(255, 255, 255));
    EXPECT_EQ(image.pixel(edge), cell.pixel(edge));

    // Classic: the plain button again, no cell.
    choose(QStringLiteral("classic"));
    EXPECT_NE(render(bold).pixel(edge), cell.pixel(edge));
}

// The main frame in a skin with bold text selected (書式ツール's 太字 pressed)
// and the image browser's bar floating in the skin's small frame, for people
// to look at:
//   xvfb-run -a -s "-screen 0 1280x1024x24" env QT_QPA_PLATFORM=xcb PAGINOR_SCREENSHOT_DIR=shots
//     build/test/tests/test_program --gtest_filter=BarSkinsScreenshot.*
TEST_F(BarSkinsScreenshot, ToolbarsAndAFloatingDialogBarInMetalAndSpring)
{
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        GTEST_SKIP() << "needs an X server (Xvfb)";
    CMainFrame* frame = app->mainFrame();
    frame->setGeometry(QRect(0, 0, 1000, 720));
    frame->show();
    ASSERT_NE(open(QStringLiteral("><P id=t>Bold text and more words.</P>")), nullptr);
    app->commands()->sendCommand(33456);
    settle();
    CCoolDialogBar* bar = nullptr;
    for (CCoolDialogBar* each : frame->findChildren<CCoolDialogBar*>())
        if (each->isVisible())
            bar = each;
    ASSERT_NE(bar, nullptr);
    bar->setFloating(true);
    bar->setGeometry(QRect(frame->mapToGlobal(QPoint(420, 420)), QSize(540, 240)));
    for (const char* skin : {"metal", "spring"}) {
        choose(QString::fromLatin1(skin));
        selectAllTextOf("t");
        if (!checked(ID_FORMAT_BOLD))
            run(ID_FORMAT_BOLD);
        updateBars();
        EXPECT_TRUE(checked(ID_FORMAT_BOLD));
        QCoreApplication::processEvents();
        QImage picture = frame->grab().toImage().convertToFormat(QImage::Format_ARGB32);
        {
            // The floating bar over the frame, cut to its outline.
            QPainter painter(&picture);
            painter.translate(frame->mapFromGlobal(bar->pos()));
            if (!bar->mask().isEmpty())
                painter.setClipRegion(bar->mask());
            painter.drawImage(0, 0, bar->grab().toImage());
        }
        SaveReviewPicture(picture, QStringLiteral("bar-skins-%1.png").arg(QString::fromLatin1(skin)));
    }
}
