#include "app/CMainFrame.h"
#include "app/ProgramStart.h"
#include "chrome/CCoolDialogBar.h"
#include "controls/SysColors.h"

#include "platform/ColorRef.h"
#include "platform/CommandRegistry.h"

#include <QApplication>
#include <QMainWindow>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// A dialog that asks for 300 x 120.
class SizedDialog : public QWidget
{
public:
    QSize sizeHint() const override { return QSize(300, 120); }
};

class CoolDialogBarTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        frame.setCentralWidget(new QWidget(&frame));
        frame.resize(900, 700);
        frame.show();
    }

    CCoolDialogBar* makeBar(quint32 style)
    {
        auto* bar = new CCoolDialogBar(&frame);
        dialog = new SizedDialog;
        EXPECT_TRUE(bar->Create(&frame, dialog, QStringLiteral("Bar"), 560, style));
        bar->show();
        settle();
        return bar;
    }
    static void settle()
    {
        for (int i = 0; i < 3; ++i)
            QApplication::processEvents();
    }
    // The bar's part under a point of the bar, and the point there.
    static QWidget* partAt(CCoolDialogBar* bar, QPoint point)
    {
        QWidget* part = bar->captionBand();
        if (!part->geometry().contains(point))
            part = bar->widget();
        return part;
    }
    static void click(CCoolDialogBar* bar, const platform::Rect& rect)
    {
        const QPoint point(rect.left + rect.width() / 2, rect.top + rect.height() / 2);
        QWidget* part = partAt(bar, point);
        QTest::mouseClick(part, Qt::LeftButton, Qt::NoModifier, part->mapFrom(bar, point));
        settle();
    }

    QMainWindow frame;
    QWidget* dialog = nullptr;
};

TEST_F(CoolDialogBarTest, ABarAtTheBottomRollsUpToItsStripAndBack)
{
    CCoolDialogBar* bar = makeBar(CCoolDialogBar::CBRS_ALIGN_BOTTOM);
    EXPECT_EQ(bar->objectName(), QStringLiteral("bar_560"));
    ASSERT_EQ(bar->dockId(), AFX_IDW_DOCKBAR_BOTTOM);
    EXPECT_EQ(frame.dockWidgetArea(bar), Qt::BottomDockWidgetArea);
    // The caption runs down the left side; the dialog lies right of it.
    EXPECT_EQ(bar->captionBand()->geometry(), QRect(0, 0, 20, bar->height()));
    EXPECT_GE(dialog->mapTo(bar, QPoint()).x(), 20);
    const int before = bar->height();
    EXPECT_GT(before, 100);

    click(bar, bar->barFrame().rollUp);
    ASSERT_TRUE(bar->IsShrunk());
    EXPECT_EQ(bar->height(), 18);
    EXPECT_FALSE(dialog->isVisible());
    // The strip unrolls it to the height from before.
    click(bar, platform::Rect(400, 0, 410, 18));
    EXPECT_FALSE(bar->IsShrunk());
    EXPECT_EQ(bar->height(), before);
    EXPECT_TRUE(dialog->isVisible());
    // A bar may be resized by the frame again once unrolled.
    frame.resizeDocks({bar}, {before + 40}, Qt::Vertical);
    settle();
    EXPECT_EQ(bar->height(), before + 40);
}

TEST_F(CoolDialogBarTest, TheCloseButtonHidesTheBarOnlyWhenReleasedOverIt)
{
    CCoolDialogBar* bar = makeBar(CCoolDialogBar::CBRS_ALIGN_BOTTOM);
    QSignalSpy closed(bar, &CCoolDialogBar::closedFromCaption);
    const platform::Rect close = bar->barFrame().close;
    QWidget* band = bar->captionBand();
    const QPoint over(close.left + 5, close.top + 5);
    QTest::mousePress(band, Qt::LeftButton, Qt::NoModifier, over);
    QTest::mouseMove(band, QPoint(10, 80));
    QTest::mouseRelease(band, Qt::LeftButton, Qt::NoModifier, QPoint(10, 80));
    settle();
    EXPECT_TRUE(bar->isVisible());
    EXPECT_EQ(closed.count(), 0);
    // Not even the roll-up button took it.
    EXPECT_FALSE(bar->IsShrunk());

    click(bar, close);
    EXPECT_FALSE(bar->isVisible());
    EXPECT_EQ(closed.count(), 1);
}

TEST_F(CoolDialogBarTest, ABarRolledUpClosedAndShownAgainComesBackWhole)
{
    CCoolDialogBar* bar = makeBar(CCoolDialogBar::CBRS_ALIGN_BOTTOM);
    const int before = bar->height();
    click(bar, bar->barFrame().rollUp);
    ASSERT_TRUE(bar->IsShrunk());
    // Its close button stays at hand in the strip.
    click(bar, bar->barFrame().close);
    ASSERT_FALSE(bar->isVisible());
    bar->RestoreShrunkSize();
    bar->show();
    settle();
    EXPECT_FALSE(bar->IsShrunk());
    EXPECT_EQ(bar->height(), before);
    EXPECT_TRUE(dialog->isVisible());
}

TEST_F(CoolDialogBarTest, ABarOnTheLeftHasItsCaptionOnTopAndRollsUpSideways)
{
    CCoolDialogBar* bar = makeBar(CCoolDialogBar::CBRS_ALIGN_LEFT | CCoolDialogBar::CBRS_ALIGN_RIGHT);
    // First at the right; the user drags it to the left.
    EXPECT_EQ(frame.dockWidgetArea(bar), Qt::RightDockWidgetArea);
    EXPECT_EQ(bar->allowedAreas(), Qt::LeftDockWidgetArea | Qt::RightDockWidgetArea);
    // Widened at the right by the frame's separator, it keeps that width at the left.
    frame.resizeDocks({bar}, {380}, Qt::Horizontal);
    settle();
    ASSERT_EQ(bar->width(), 380);
    frame.addDockWidget(Qt::LeftDockWidgetArea, bar);
    settle();
    ASSERT_EQ(bar->dockId(), AFX_IDW_DOCKBAR_LEFT);
    EXPECT_EQ(bar->width(), 380);
    EXPECT_FALSE(bar->features().testFlag(QDockWidget::DockWidgetVerticalTitleBar));
    EXPECT_EQ(bar->captionBand()->geometry(), QRect(0, 0, bar->width(), 20));
    EXPECT_GE(dialog->mapTo(bar, QPoint()).y(), 20);
    const int before = bar->width();

    click(bar, bar->barFrame().rollUp);
    ASSERT_TRUE(bar->IsShrunk());
    EXPECT_EQ(bar->width(), 18);
    click(bar, platform::Rect(0, 300, 18, 310));
    EXPECT_FALSE(bar->IsShrunk());
    EXPECT_EQ(bar->width(), before);
}

TEST_F(CoolDialogBarTest, AFloatingBarKeepsItsCaptionAndARolledUpOneFloatsUnrolled)
{
    CCoolDialogBar* bar = makeBar(CCoolDialogBar::CBRS_ALIGN_BOTTOM);
    click(bar, bar->barFrame().rollUp);
    ASSERT_TRUE(bar->IsShrunk());
    bar->setFloating(true);
    settle();
    ASSERT_EQ(bar->dockId(), AFX_IDW_DOCKBAR_FLOAT);
    EXPECT_FALSE(bar->IsShrunk());
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_GT(bar->height(), 100);
    EXPECT_FALSE(bar->features().testFlag(QDockWidget::DockWidgetVerticalTitleBar));
    EXPECT_EQ(bar->captionBand()->height(), 20);
    EXPECT_TRUE(bar->barFrame().rollUp.isEmpty());
    // Its roll-up button does nothing afloat; its close button hides it.
    bar->RollUp();
    EXPECT_FALSE(bar->IsShrunk());
    click(bar, bar->barFrame().close);
    EXPECT_FALSE(bar->isVisible());
}

TEST_F(CoolDialogBarTest, CreateNeedsAFrameAndADialog)
{
    CCoolDialogBar bar;
    SizedDialog dialog;
    EXPECT_FALSE(bar.Create(nullptr, &dialog, QStringLiteral("Bar"), 1, 0));
    EXPECT_FALSE(bar.Create(&frame, nullptr, QStringLiteral("Bar"), 1, 0));
    EXPECT_EQ(bar.dialog(), nullptr);
}

TEST_F(CoolDialogBarTest, TheButtonUnderTheMouseIsDrawnHotUntilTheMouseLeaves)
{
    CCoolDialogBar* bar = makeBar(CCoolDialogBar::CBRS_ALIGN_BOTTOM);
    QWidget* band = bar->captionBand();
    const platform::Rect close = bar->barFrame().close;
    const auto outerCorner = [&] { return band->grab().toImage().pixelColor(close.left, close.top); };
    const QColor normal = outerCorner();
    EXPECT_EQ(normal, platform::toQColor(GetSysColor(COLOR_3DHIGHLIGHT)));
    QHoverEvent over(QEvent::HoverMove, QPointF(close.left + 5, close.top + 5), QPointF(), QPointF(10, 200));
    QApplication::sendEvent(band, &over);
    EXPECT_EQ(outerCorner(), platform::toQColor(GetSysColor(COLOR_3DLIGHT)));
    QHoverEvent leave(QEvent::HoverLeave, QPointF(-1, -1), QPointF(), QPointF(close.left + 5, close.top + 5));
    QApplication::sendEvent(band, &leave);
    EXPECT_EQ(outerCorner(), normal);
}

TEST_F(CoolDialogBarTest, ABarTakesItsExtentWhenShownAndBackWhenTheFrameGrowsAgain)
{
    auto* bar = new CCoolDialogBar(&frame);
    ASSERT_TRUE(bar->Create(&frame, new SizedDialog, QStringLiteral("Bar"), 674,
                            CCoolDialogBar::CBRS_ALIGN_LEFT | CCoolDialogBar::CBRS_ALIGN_RIGHT));
    bar->SetExtent(false, 340);
    bar->show();
    ASSERT_TRUE(QTest::qWaitFor([&] { return bar->width() == 340; }));
    // The separator dragged: the width the bar keeps.
    frame.resizeDocks({bar}, {250}, Qt::Horizontal);
    settle();
    EXPECT_EQ(bar->extents().vertWidth, 250);
    // The frame shrunk squeezes the bar; grown again, it is as wide as before.
    frame.resize(150, 700);
    ASSERT_TRUE(QTest::qWaitFor([&] { return bar->width() < 250; }));
    EXPECT_EQ(bar->extents().vertWidth, 250);
    frame.resize(900, 700);
    EXPECT_TRUE(QTest::qWaitFor([&] { return bar->width() == 250; }));
}

// ---- the main frame's bars ----------------------------------------------------------

TEST(MainFrameDialogBars, TheTutorialCommandShowsTheSiteManagerBarUnrolledAtTheRight)
{
    std::unique_ptr<CZQApp> app = StartProgramWithoutGuide();
    ASSERT_NE(app, nullptr);
    CMainFrame* frame = app->mainFrame();
    frame->show();
    app->commands()->sendCommand(33494);
    auto* bar = qobject_cast<CCoolDialogBar*>(frame->siteManagerBar());
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(frame->dockWidgetArea(bar), Qt::RightDockWidgetArea);
    EXPECT_EQ(bar->allowedAreas(), Qt::LeftDockWidgetArea | Qt::RightDockWidgetArea);
    QApplication::processEvents();
    bar->RollUp();
    ASSERT_TRUE(bar->IsShrunk());
    // Shown: unrolled in place.
    app->commands()->sendCommand(33494);
    EXPECT_FALSE(bar->IsShrunk());
    EXPECT_TRUE(bar->isVisible());
    // Rolled up and closed from its caption: shown again whole.
    bar->RollUp();
    bar->CloseFromCaption();
    EXPECT_TRUE(app->m_bCommandRan);
    ASSERT_FALSE(bar->isVisible());
    app->commands()->sendCommand(33494);
    EXPECT_TRUE(bar->isVisible());
    EXPECT_FALSE(bar->IsShrunk());
}

} // namespace
