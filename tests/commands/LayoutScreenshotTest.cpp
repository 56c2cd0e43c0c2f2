// A picture of the View menu's layout aids in the running program for people
// to look at: a page at 150% with the dotted-line grid, the 640 x 480 guide
// and the outlines of its objects, each switched on by its command. Run under
// Xvfb (see ARCHITECTURE.md, Tests).

#include "LayoutPage.h"

#include "res/resource.h"

#include "../controls/ReviewPicture.h"

#include <QGuiApplication>
#include <QScreen>
#include <QTest>

namespace {

class LayoutScreenshot : public LayoutPage
{
};

TEST_F(LayoutScreenshot, PageAtOneHundredFiftyPercentWithGridGuideAndOutlines)
{
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        GTEST_SKIP() << "needs an X server (Xvfb)";
    CMainFrame* frame = app->mainFrame();
    frame->setGeometry(QGuiApplication::primaryScreen()->availableGeometry());
    ASSERT_TRUE(QTest::qWaitForWindowExposed(frame, 60000));
    frame->m_settings.gridVisible = 0;
    frame->m_settings.gridStyle = 3;
    frame->m_settings.gridSize = 20;
    frame->m_settings.pageSizeVisible = 0;
    // A beginner's page on silver, where text boxes and marquees are outlined too.
    ASSERT_NE(open(QStringLiteral(
                       "bgcolor=silver>\n"
                       "<TABLE id=text style=\"Z-INDEX: 101; LEFT: 20px; POSITION: absolute; TOP: 20px\" width=260 "
                       "height=50><TR><TD>ようこそ、私のホームページへ</TD></TR></TABLE>\n"
                       "<MARQUEE style=\"Z-INDEX: 102; LEFT: 300px; POSITION: absolute; TOP: 30px\" width=200 "
                       "height=30>新着情報はこちら</MARQUEE>\n"
                       "<IMG src=none.gif alt=写真 width=160 height=120 "
                       "style=\"Z-INDEX: 103; LEFT: 20px; POSITION: absolute; TOP: 100px\">\n"
                       "<EMBED src=movie.swf width=200 height=120 "
                       "style=\"Z-INDEX: 104; LEFT: 220px; POSITION: absolute; TOP: 100px\">\n"
                       "<TABLE border=1 style=\"Z-INDEX: 105; LEFT: 20px; POSITION: absolute; TOP: 260px\">"
                       "<TR><TD>曜日</TD><TD>営業時間</TD></TR><TR><TD>平日</TD><TD>10:00-19:00</TD></TR></TABLE>\n"),
                   "UTF-8", QStringLiteral("guide")),
              nullptr);
    // A click on the page's empty space, as the user starts editing: the
    // page's own aids (its outlines) come on.
    QTest::mouseClick(page()->viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(700, 500));
    settle();
    // The aids as the View menu switches them on.
    run(ID_VIEW_SHOW_GRID);
    run(ID_VIEW_PAGE_SIZE_640);
    run(ID_VIEW_SHOW_PAGE_SIZE);
    run(33018); // ズーム > 150%
    ASSERT_EQ(page()->zoom(), 150);
    ASSERT_TRUE(view()->m_bObjectBorders);
    ASSERT_NE(view()->m_lGridCookie, 0);
    ASSERT_NE(view()->m_lElemBordersCookie, 0);
    QTest::qWait(200);
    settle();
    // The guide's corner, (615, 480) at 150%, with a margin.
    const QSize size(qMin(view()->width(), 960), qMin(view()->height(), 760));
    const QImage shot = view()->grab(QRect(QPoint(0, 0), size)).toImage();
    EXPECT_TRUE(saveForReview(shot, QStringLiteral("layout-zoom-grid-guide.png")));
}

} // namespace
