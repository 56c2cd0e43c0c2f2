#include "app/CMainFrame.h"
#include "app/ProgramStart.h"
#include "chrome/MinimisedIcons.h"
#include "chrome/ULOMDIClientHook.h"
#include "support/PreviewRecorder.h"

#include "platform/CommandRegistry.h"

#include <QApplication>
#include <QFontMetrics>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QStyle>
#include <QTest>
#include <gtest/gtest.h>

using platform::Rect;

namespace {

// ---- cells, pull-back, zoom and titles ----------------------------------------------

TEST(MinimisedIcons, IconsFillTheBottomRowFromTheLeftThenTheRowAbove)
{
    std::vector<Rect> icons;
    for (int i = 0; i < 5; ++i)
        icons.push_back(mdiicons::FindFreeCell(240, 300, icons));
    // Three cells fit in a row 240 wide: 1, 76, 151.
    EXPECT_EQ(icons[0], Rect(1, 229, 76, 299));
    EXPECT_EQ(icons[1], Rect(76, 229, 151, 299));
    EXPECT_EQ(icons[2], Rect(151, 229, 226, 299));
    EXPECT_EQ(icons[3], Rect(1, 159, 76, 229));
    EXPECT_EQ(icons[4], Rect(76, 159, 151, 229));
    // A cell left free by an icon dragged away is taken again first.
    icons[1].offset(0, -150);
    EXPECT_EQ(mdiicons::FindFreeCell(240, 300, icons), Rect(76, 229, 151, 299));
    // An area too small for any cell gives the corner.
    EXPECT_EQ(mdiicons::FindFreeCell(60, 60, {}), Rect(0, 0, 75, 70));
    EXPECT_EQ(mdiicons::FindFreeCell(200, 71, {}), Rect(0, 0, 75, 70));
}

TEST(MinimisedIcons, ArrangedIconsTakeTheCellsInOrderRowAboveRow)
{
    const std::vector<Rect> cells = mdiicons::ArrangeCells(240, 300, 5);
    ASSERT_EQ(cells.size(), 5u);
    EXPECT_EQ(cells[0], Rect(1, 229, 76, 299));
    EXPECT_EQ(cells[2], Rect(151, 229, 226, 299));
    EXPECT_EQ(cells[3], Rect(1, 159, 76, 229));
    // More icons than cells: the rest in the corner.
    const std::vector<Rect> crowded = mdiicons::ArrangeCells(100, 150, 3);
    EXPECT_EQ(crowded[0], Rect(1, 79, 76, 149));
    EXPECT_EQ(crowded[1], Rect(1, 9, 76, 79));
    EXPECT_EQ(crowded[2], Rect(0, 0, 75, 70));
    EXPECT_TRUE(mdiicons::ArrangeCells(240, 300, 0).empty());
}

TEST(MinimisedIcons, ShrinkingTheAreaPullsIconsBackButNeverPastTheCorner)
{
    EXPECT_EQ(mdiicons::PullBack(Rect(500, 400, 575, 470), 300, 200), Rect(225, 130, 300, 200));
    EXPECT_EQ(mdiicons::PullBack(Rect(10, 10, 85, 80), 300, 200), Rect(10, 10, 85, 80));
    EXPECT_EQ(mdiicons::PullBack(Rect(100, 100, 175, 170), 40, 30), Rect(0, 0, 75, 70));
    // A drag keeps the icon inside the area on every side.
    EXPECT_EQ(mdiicons::MoveInside(Rect(10, 10, 85, 80), -50, -50, 300, 200), Rect(0, 0, 75, 70));
    EXPECT_EQ(mdiicons::MoveInside(Rect(10, 10, 85, 80), 400, 20, 300, 200), Rect(225, 30, 300, 100));
}

TEST(MinimisedIcons, TheZoomTakesNineteenTwentiethsOfTheWay)
{
    const auto steps = mdiicons::ZoomSteps(Rect(100, 50, 500, 350), Rect(1, 229, 76, 299));
    // Each twentieth cut to whole pixels: left -99/20 = -4, right 424/20 = 21.
    EXPECT_EQ(steps[0], Rect(96, 58, 479, 348));
    EXPECT_EQ(steps[18], Rect(100 - 4 * 19, 50 + 8 * 19, 500 - 21 * 19, 350 - 2 * 19));
    // Towards a bigger rectangle the frames grow.
    const auto back = mdiicons::ZoomSteps(Rect(1, 229, 76, 299), Rect(100, 50, 500, 350));
    EXPECT_EQ(back[0], Rect(5, 221, 97, 301));
}

TEST(MinimisedIcons, TitlesWrapAtSpacesAndLongOnesEndWithAnEllipsis)
{
    const QFontMetrics metrics(QApplication::font());
    const QChar ellipsis(0x2026);
    EXPECT_TRUE(mdiicons::TitleLines(QString(), metrics, 75, 2).isEmpty());
    EXPECT_EQ(mdiicons::TitleLines(QStringLiteral("a b"), metrics, 75, 2), QStringList{QStringLiteral("a b")});
    // A thousand letters without a space: one line, cut.
    const QStringList one = mdiicons::TitleLines(QString(1000, QLatin1Char('x')), metrics, 75, 2);
    ASSERT_EQ(one.size(), 1);
    EXPECT_TRUE(one[0].endsWith(ellipsis));
    EXPECT_LE(metrics.horizontalAdvance(one[0]), 75);
    // A thousand characters of words: two lines, the second cut.
    QString words;
    while (words.size() < 1000)
        words += QStringLiteral("page ");
    const QStringList two = mdiicons::TitleLines(words, metrics, 75, 2);
    ASSERT_EQ(two.size(), 2);
    EXPECT_FALSE(two[0].endsWith(ellipsis));
    EXPECT_TRUE(two[1].endsWith(ellipsis));
    EXPECT_LE(metrics.horizontalAdvance(two[1]), 75);
}

// ---- the hooks on an area and its windows ------------------------------------------

class MinimisedIconsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        area = new QMdiArea(&frame);
        frame.setCentralWidget(area);
        frame.resize(800, 600);
        frame.show();
        ASSERT_TRUE(hook.Install(area));
    }
    QMdiSubWindow* addPage(const QString& title)
    {
        auto* page = new QMdiSubWindow;
        page->setWidget(new QWidget);
        page->setWindowTitle(title);
        page->setWindowIcon(QApplication::style()->standardIcon(QStyle::SP_FileIcon));
        page->setAttribute(Qt::WA_DeleteOnClose);
        area->addSubWindow(page);
        page->setGeometry(30, 20, 300, 200);
        page->show();
        EXPECT_TRUE(hook.HookChildFrame(page));
        return page;
    }
    void waitForZoom()
    {
        EXPECT_TRUE(QTest::qWaitFor([&] { return !hook.zoomRunning(); }, 2000));
    }
    QPoint centreOf(int icon) const
    {
        const Rect& r = hook.icons()[size_t(icon)].rect;
        return QPoint(r.left + r.width() / 2, r.top + r.height() / 2);
    }
    QWidget* viewport() const { return area->viewport(); }

    QMainWindow frame;
    QMdiArea* area = nullptr;
    ULOMDIClientHook hook;
};

TEST_F(MinimisedIconsTest, AMinimisedPageHidesBehindAnIconThatADoubleClickRestores)
{
    QMdiSubWindow* page = addPage(QStringLiteral("index.html"));
    QMdiSubWindow* other = addPage(QStringLiteral("about.html"));
    page->showMinimized();
    QCoreApplication::processEvents();
    ASSERT_EQ(hook.icons().size(), 1u);
    EXPECT_FALSE(page->isVisible());
    EXPECT_TRUE(hook.zoomRunning());
    const int height = viewport()->height();
    EXPECT_EQ(hook.icons()[0].rect, Rect(1, height - 71, 76, height - 1));
    other->showMinimized();
    ASSERT_EQ(hook.icons().size(), 2u);
    EXPECT_EQ(hook.icons()[1].rect.left, 76);
    waitForZoom();

    QTest::mouseDClick(viewport(), Qt::LeftButton, Qt::NoModifier, centreOf(0));
    EXPECT_EQ(hook.icons().size(), 1u);
    waitForZoom();
    EXPECT_TRUE(page->isVisible());
    EXPECT_FALSE(page->isMinimized());
    EXPECT_EQ(page->geometry(), QRect(30, 20, 300, 200));
    EXPECT_EQ(area->activeSubWindow(), page);
}

TEST_F(MinimisedIconsTest, AClickSelectsAnIconAndADragMovesItInsideTheArea)
{
    QMdiSubWindow* page = addPage(QStringLiteral("index.html"));
    page->showMinimized();
    waitForZoom();
    const QPoint start = centreOf(0);
    QTest::mousePress(viewport(), Qt::LeftButton, Qt::NoModifier, start);
    EXPECT_EQ(hook.selected(), 0);
    QTest::mouseMove(viewport(), start + QPoint(100, -200));
    QTest::mouseRelease(viewport(), Qt::LeftButton, Qt::NoModifier, start + QPoint(100, -200));
    EXPECT_EQ(hook.icons()[0].rect.left, 101);
    EXPECT_EQ(hook.icons()[0].rect.top, viewport()->height() - 271);
    // Dragged past the corner it stops there.
    QTest::mousePress(viewport(), Qt::LeftButton, Qt::NoModifier, centreOf(0));
    QTest::mouseRelease(viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(-500, -500));
    EXPECT_EQ(hook.icons()[0].rect, Rect(0, 0, 75, 70));
    // A click beside it clears the selection.
    QTest::mouseClick(viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(400, 300));
    EXPECT_EQ(hook.selected(), -1);
    // Shown again as a minimised page, as the Window menu does: it stays an icon, selected.
    page->show();
    QCoreApplication::processEvents();
    EXPECT_EQ(hook.selected(), 0);
    EXPECT_FALSE(page->isVisible());
}

TEST_F(MinimisedIconsTest, ArrangingPutsDraggedIconsBackInTheOrderTheyWereMade)
{
    for (int i = 0; i < 3; ++i)
        addPage(QStringLiteral("page %1").arg(i))->showMinimized();
    waitForZoom();
    ASSERT_EQ(hook.icons().size(), 3u);
    const std::vector<Rect> made = {hook.icons()[0].rect, hook.icons()[1].rect, hook.icons()[2].rect};
    // The first dragged up and right, over nothing.
    QTest::mousePress(viewport(), Qt::LeftButton, Qt::NoModifier, centreOf(0));
    QTest::mouseRelease(viewport(), Qt::LeftButton, Qt::NoModifier, centreOf(0) + QPoint(300, -250));
    ASSERT_NE(hook.icons()[0].rect, made[0]);
    hook.ArrangeIcons();
    for (size_t i = 0; i < 3; ++i)
        EXPECT_EQ(hook.icons()[i].rect, made[i]) << i;
    // A hook without an area has nothing to arrange.
    ULOMDIClientHook none;
    none.ArrangeIcons();
}

TEST_F(MinimisedIconsTest, ShrinkingTheMainWindowPullsTwentyIconsBackIn)
{
    for (int i = 0; i < 20; ++i)
        addPage(QStringLiteral("page %1").arg(i))->showMinimized();
    waitForZoom();
    ASSERT_EQ(hook.icons().size(), 20u);
    // As small as the main window goes.
    const int before = viewport()->width();
    frame.resize(200, 150);
    ASSERT_TRUE(QTest::qWaitFor([&] { return viewport()->width() < before; }));
    for (const ULOMDIClientHook::Icon& icon : hook.icons()) {
        EXPECT_LE(icon.rect.right, std::max(viewport()->width(), 75));
        EXPECT_LE(icon.rect.bottom, std::max(viewport()->height(), 70));
        EXPECT_GE(icon.rect.left, 0);
        EXPECT_GE(icon.rect.top, 0);
    }
}

TEST_F(MinimisedIconsTest, AMaximisedPageBecomesAnIconWithoutZoomAndAClosedOneLosesIt)
{
    QMdiSubWindow* page = addPage(QStringLiteral("index.html"));
    page->showMaximized();
    page->showMinimized();
    ASSERT_EQ(hook.icons().size(), 1u);
    EXPECT_FALSE(hook.zoomRunning());
    // A double-click brings it back maximised.
    QTest::mouseDClick(viewport(), Qt::LeftButton, Qt::NoModifier, centreOf(0));
    waitForZoom();
    EXPECT_TRUE(page->isVisible());
    EXPECT_TRUE(page->isMaximized());
    page->showMinimized();
    ASSERT_EQ(hook.icons().size(), 1u);
    // Closed while the zoom back runs: the icon and the restore go with it.
    QTest::mouseDClick(viewport(), Qt::LeftButton, Qt::NoModifier, centreOf(0));
    ASSERT_TRUE(hook.zoomRunning());
    page->close();
    waitForZoom();
    EXPECT_TRUE(hook.icons().empty());
    EXPECT_TRUE(area->subWindowList().isEmpty());

    // A page restored by other means takes its icon away; one destroyed as an icon too.
    QMdiSubWindow* second = addPage(QStringLiteral("a"));
    second->showMinimized();
    ASSERT_EQ(hook.icons().size(), 1u);
    second->showNormal();
    EXPECT_TRUE(hook.icons().empty());
    second->showMinimized();
    delete second;
    EXPECT_TRUE(hook.icons().empty());
}

// ---- the Window menu's command in the program ---------------------------------------

TEST(MinimisedIconsProgram, ArrangeIconsLinesUpTheIconsOfMinimisedPages)
{
    PreviewRecorder::Installed previews;
    std::unique_ptr<CZQApp> app = StartProgramWithoutGuide();
    ASSERT_NE(app, nullptr);
    CMainFrame* frame = app->mainFrame();
    frame->resize(900, 700);
    frame->show();
    for (int i = 0; i < 3; ++i)
        ASSERT_TRUE(app->OpenDocumentFile(QString()));
    QMdiArea* area = frame->findChild<QMdiArea*>();
    const QList<QMdiSubWindow*> pages = area->subWindowList();
    pages.back()->showNormal();
    for (QMdiSubWindow* page : pages)
        page->showMinimized();
    ULOMDIClientHook* hook = frame->m_pMDIClientHook.get();
    ASSERT_TRUE(QTest::qWaitFor([&] { return hook->icons().size() == 3u; }));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !hook->zoomRunning(); }));
    const Rect first = hook->icons()[0].rect;
    QWidget* viewport = area->viewport();
    const QPoint centre(first.left + 30, first.top + 30);
    QTest::mousePress(viewport, Qt::LeftButton, Qt::NoModifier, centre);
    QTest::mouseRelease(viewport, Qt::LeftButton, Qt::NoModifier, centre + QPoint(200, -200));
    ASSERT_NE(hook->icons()[0].rect, first);
    app->commands()->sendCommand(57649);
    EXPECT_EQ(hook->icons()[0].rect, first);
    EXPECT_EQ(hook->icons()[1].rect.top, first.top);
}

} // namespace
