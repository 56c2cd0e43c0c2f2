#include "chrome/CCoolDialogBar.h"
#include "chrome/RollUpButtonGeometry.h"
#include "chrome/VornaShrinkDialogSub.h"
#include "chrome/VornaShrinkMiniFrmSub.h"
#include "skins/VornaFrameSkin.h"
#include "tests/skins/SkinFixture.h"

#include <QApplication>
#include <QCursor>
#include <QDialog>
#include <QMainWindow>
#include <QLabel>
#include <QTabWidget>
#include <QTest>
#include <QVBoxLayout>
#include <gtest/gtest.h>

using platform::Rect;

namespace {

// ---- where the button stands ----------------------------------------------------------

TEST(RollUpButtonGeometry, ADialogsButtonStandsLeftOfItsCloseAndHelpButtons)
{
    EXPECT_EQ(rollup::DialogButtonRect(300, false), Rect(261, 5, 277, 19));
    EXPECT_EQ(rollup::DialogButtonRect(300, true), Rect(243, 5, 259, 19));
    // A skin's record: beside it, as wide and at its height.
    SkinCaptionButton close;
    close.width = 16;
    close.xOffset = 5;
    close.y = 4;
    close.image.Attach(QImage(16 * 8, 14, QImage::Format_RGB32));
    EXPECT_EQ(rollup::SkinDialogButtonRect(300, close), Rect(261, 4, 277, 18));
    // A skin without the record has no button.
    EXPECT_TRUE(rollup::SkinDialogButtonRect(300, SkinCaptionButton{}).isEmpty());
}

TEST(RollUpButtonGeometry, AFloatingBarsButtonStandsLeftOfItsCloseButton)
{
    const Rect button = rollup::MiniFrameButtonRect(200);
    EXPECT_EQ(button, Rect(168, 3, 182, 17));
    const Rect close = coolbar::LayoutFrame(AFX_IDW_DOCKBAR_FLOAT, 200, 300, 0).close;
    EXPECT_LT(button.right, close.left);
    EXPECT_EQ(button.top, close.top);
    EXPECT_TRUE(rollup::SkinMiniFrameButtonRect(200, SkinCaptionButton{}).isEmpty());
}

// ---- the hook of a floating bar -----------------------------------------------------

// A dialog that asks for 260 x 180, its controls in a layout.
class SizedDialog : public QWidget
{
public:
    SizedDialog() { (new QVBoxLayout(this))->addWidget(new QTabWidget); }
    QSize sizeHint() const override { return QSize(260, 180); }
};

class FloatingBarRollUpTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        frame.setCentralWidget(new QWidget(&frame));
        frame.resize(900, 700);
        frame.show();
        bar = new CCoolDialogBar(&frame);
        ASSERT_TRUE(bar->Create(&frame, new SizedDialog, QStringLiteral("Bar"), 674,
                                CCoolDialogBar::CBRS_ALIGN_LEFT | CCoolDialogBar::CBRS_ALIGN_RIGHT));
        bar->show();
        EXPECT_EQ(bar->miniFrameHook(), nullptr);
        bar->setFloating(true);
        bar->resize(260, 320);
        QApplication::processEvents();
        ASSERT_NE(bar->miniFrameHook(), nullptr);
    }
    QPoint buttonCentre() const
    {
        const Rect r = bar->miniFrameHook()->GetButtonRect();
        return QPoint(r.left + r.width() / 2, r.top + r.height() / 2);
    }
    void clickButton()
    {
        QTest::mouseClick(bar->captionBand(), Qt::LeftButton, Qt::NoModifier, buttonCentre());
        QApplication::processEvents();
    }

    QMainWindow frame;
    CCoolDialogBar* bar = nullptr;
};

TEST_F(FloatingBarRollUpTest, TheButtonLeavesOnlyTheCaptionWhichCannotBeResizedAndBringsTheBarBack)
{
    const QSize before = bar->size();
    clickButton();
    ASSERT_TRUE(bar->miniFrameHook()->IsRolledUp());
    EXPECT_LE(bar->height(), bar->captionBand()->height() + 2 * bar->captionBand()->y());
    EXPECT_FALSE(bar->dialog()->isVisible());
    EXPECT_EQ(bar->minimumSize(), bar->maximumSize());
    clickButton();
    EXPECT_FALSE(bar->miniFrameHook()->IsRolledUp());
    EXPECT_EQ(bar->size(), before);
    EXPECT_TRUE(bar->dialog()->isVisible());
    EXPECT_NE(bar->minimumSize(), bar->maximumSize());
}

TEST_F(FloatingBarRollUpTest, PressingLeavingAndReleasingElsewhereChangesNothing)
{
    QWidget* band = bar->captionBand();
    QTest::mousePress(band, Qt::LeftButton, Qt::NoModifier, buttonCentre());
    QTest::mouseMove(band, QPoint(10, 10));
    QTest::mouseRelease(band, Qt::LeftButton, Qt::NoModifier, QPoint(10, 10));
    EXPECT_FALSE(bar->miniFrameHook()->IsRolledUp());
    EXPECT_TRUE(bar->dialog()->isVisible());
    EXPECT_TRUE(bar->isVisible());
}

TEST_F(FloatingBarRollUpTest, ARolledUpFloatingBarComesBackWholeWhenShownOrDocked)
{
    const QSize before = bar->size();
    clickButton();
    ASSERT_TRUE(bar->miniFrameHook()->IsRolledUp());
    bar->hide();
    bar->RestoreShrunkSize();
    bar->show();
    EXPECT_FALSE(bar->miniFrameHook()->IsRolledUp());
    EXPECT_EQ(bar->size(), before);

    clickButton();
    ASSERT_TRUE(bar->miniFrameHook()->IsRolledUp());
    bar->setFloating(false);
    QApplication::processEvents();
    EXPECT_FALSE(bar->miniFrameHook()->IsRolledUp());
    EXPECT_TRUE(bar->dialog()->isVisible());
    // Docked, the caption has no roll-up button of the hook's: a click there is the bar's own.
    EXPECT_EQ(bar->dockId(), AFX_IDW_DOCKBAR_RIGHT);
    clickButton();
    EXPECT_FALSE(bar->miniFrameHook()->IsRolledUp());
}

TEST(DialogRollUpTest, WithTheDesktopsOwnCaptionTheHookDoesNothing)
{
    QDialog dialog;
    dialog.resize(300, 200);
    dialog.show();
    VornaShrinkDialogSub hook;
    hook.Attach(&dialog);
    const Rect r = hook.GetButtonRect();
    QTest::mouseClick(&dialog, Qt::LeftButton, Qt::NoModifier, QPoint(r.left + 4, r.top + 4));
    EXPECT_FALSE(hook.IsRolledUp());
    EXPECT_EQ(dialog.size(), QSize(300, 200));
}

// ---- the hook of a dialog under a skin ----------------------------------------------

// A dialog wearing the metal skin's frame, its hook attached once it is
// shown, as a dialog attaches it at the end of its initialisation.
class SkinnedDialogRollUpTest : public SkinFixture
{
protected:
    void SetUp() override
    {
        SkinFixture::SetUp();
        Use("metal");
        auto* layout = new QVBoxLayout(&dialog);
        layout->addWidget(new QLabel(QStringLiteral("Pictures"), &dialog));
        dialog.resize(392, 270);
        dialog.show();
        hook.Attach(&dialog);
        // Shown in the skin, it grew by the frame.
        ASSERT_EQ(dialog.size(), QSize(400, 300));
        ASSERT_NE(VornaSkinManager::GetInstance().Find(&dialog), nullptr);
    }
    void TearDown() override
    {
        hook.Attach(nullptr);
        dialog.hide();
        SkinFixture::TearDown();
    }
    QPoint buttonCentre() const
    {
        const Rect r = hook.GetButtonRect();
        return QPoint(r.left + r.width() / 2, r.top + r.height() / 2);
    }
    QImage buttonPicture()
    {
        const Rect r = hook.GetButtonRect();
        return Render(dialog).copy(r.toQRect());
    }

    QDialog dialog;
    VornaShrinkDialogSub hook;
};

TEST_F(SkinnedDialogRollUpTest, TheButtonStandsLeftOfTheSkinsCloseButtonAndRollsTheDialogUpToItsCaption)
{
    // Close: 18 wide, 6 from the right edge, 4 down; the button 2 further left.
    EXPECT_EQ(hook.GetButtonRect(), Rect(400 - 6 - 18 - 2 - 18, 4, 400 - 6 - 18 - 2, 4 + 18));
    const QImage unrolled = buttonPicture();
    EXPECT_NE(unrolled.pixel(9, 9), Render(dialog).pixel(200, 12)) << "no button drawn over the caption";

    QTest::mouseClick(&dialog, Qt::LeftButton, Qt::NoModifier, buttonCentre());
    ASSERT_TRUE(hook.IsRolledUp());
    EXPECT_EQ(dialog.size(), QSize(400, 26));
    // Rolled up, it shows the maximise glyph instead.
    EXPECT_NE(buttonPicture(), unrolled);

    QTest::mouseClick(&dialog, Qt::LeftButton, Qt::NoModifier, buttonCentre());
    EXPECT_FALSE(hook.IsRolledUp());
    EXPECT_EQ(dialog.size(), QSize(400, 300));
    EXPECT_EQ(buttonPicture(), unrolled);
}

TEST_F(SkinnedDialogRollUpTest, PressingShowsThePressedLookAndReleasingElsewhereChangesNothing)
{
    const QImage normal = buttonPicture();
    QTest::mousePress(&dialog, Qt::LeftButton, Qt::NoModifier, buttonCentre());
    EXPECT_NE(buttonPicture(), normal);
    QTest::mouseMove(&dialog, QPoint(150, 150));
    EXPECT_EQ(buttonPicture(), normal);
    QTest::mouseRelease(&dialog, Qt::LeftButton, Qt::NoModifier, QPoint(150, 150));
    EXPECT_FALSE(hook.IsRolledUp());
    EXPECT_EQ(dialog.size(), QSize(400, 300));
}

TEST_F(SkinnedDialogRollUpTest, TheHotLookGoesSoonAfterThePointerLeftTheButtonForAControl)
{
    QApplication::setActiveWindow(&dialog);
    const QImage normal = buttonPicture();
    QCursor::setPos(dialog.mapToGlobal(buttonCentre()));
    QHoverEvent over(QEvent::HoverMove, buttonCentre(), dialog.mapToGlobal(buttonCentre()), QPoint(-1, -1));
    QApplication::sendEvent(&dialog, &over);
    ASSERT_NE(buttonPicture(), normal);
    // Straight onto the label, which keeps the pointer's moves to itself.
    QCursor::setPos(dialog.mapToGlobal(QPoint(150, 150)));
    EXPECT_TRUE(QTest::qWaitFor([&] { return buttonPicture() == normal; }, 1000));
}

TEST_F(SkinnedDialogRollUpTest, SwitchingTheSkinOffGivesARolledUpDialogItsSizeBack)
{
    QTest::mouseClick(&dialog, Qt::LeftButton, Qt::NoModifier, buttonCentre());
    ASSERT_TRUE(hook.IsRolledUp());
    Use("classic");
    QApplication::processEvents();
    EXPECT_FALSE(hook.IsRolledUp());
    // Without the skin's frame, its inside as large as before.
    EXPECT_EQ(dialog.size(), QSize(392, 270));
}

} // namespace
