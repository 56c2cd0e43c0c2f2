// Pictures of the Table menu's work in the running program for people to
// look at. Run under Xvfb (see ARCHITECTURE.md, Tests).

#include "TablePage.h"

#include "chrome/ULOToolBar.h"
#include "res/resource.h"

#include "../controls/ReviewPicture.h"

#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <QTest>

namespace {

// A timetable: the subject of the first two periods spans two rows, a
// heading spans two columns.
const char* const kTimetable =
    "bgcolor=#FFFFFF>\n"
    "<TABLE id=week border=1 cellspacing=0 cellpadding=6 style=\"Z-INDEX: 101; LEFT: 30px; POSITION: absolute; "
    "TOP: 20px\">"
    "<TR><TD id=h0>時限</TD><TD id=h1 colspan=2>月・火</TD><TD id=h3>水</TD></TR>"
    "<TR><TD id=p1>1</TD><TD id=m1 rowspan=2>国語</TD><TD id=t1>算数</TD><TD id=w1>理科</TD></TR>"
    "<TR><TD id=p2>2</TD><TD id=t2>音楽</TD><TD id=w2>社会</TD></TR>"
    "<TR><TD id=p3>3</TD><TD id=m3>体育</TD><TD id=t3 colspan=2>図工</TD></TR></TABLE>\n";

class TableScreenshot : public TablePage
{
protected:
    // The window over the whole screen with the table toolbar shown, and the
    // timetable open.
    void openTimetable()
    {
        CMainFrame* frame = app->mainFrame();
        frame->setGeometry(QGuiApplication::primaryScreen()->availableGeometry());
        ASSERT_TRUE(QTest::qWaitForWindowExposed(frame, 60000));
        ASSERT_NE(open(QString::fromUtf8(kTimetable), "Shift_JIS", QStringLiteral("timetable")), nullptr);
        ULOToolBar* bar = frame->toolBar(607);
        ASSERT_NE(bar, nullptr);
        frame->addToolBarBreak(Qt::TopToolBarArea);
        frame->addToolBar(Qt::TopToolBarArea, bar);
        bar->show();
    }

    // The table toolbar and the table under it.
    QImage picture()
    {
        settle();
        updateBars();
        QTest::qWait(200);
        updateBars();
        CMainFrame* frame = app->mainFrame();
        const QPoint barTop = frame->toolBar(607)->mapTo(frame, QPoint(0, 0));
        return frame->grab(QRect(0, barTop.y(), 520, 300)).toImage();
    }
};

TEST_F(TableScreenshot, ColumnSelectedAcrossSpanningCells)
{
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        GTEST_SKIP() << "needs an X server (Xvfb)";
    openTimetable();
    // The column of 算数: the heading above spans into it, 国語 beside it
    // spans two rows, 図工 below starts in it.
    caretIn("t1", 1);
    ASSERT_TRUE(enabled(ID_TABLE_SELECT_COLUMN));
    run(ID_TABLE_SELECT_COLUMN);
    // The last cell spans a column further: the range takes it along.
    EXPECT_EQ(highlighted("week"), QStringLiteral("t1 w1 t2 w2 t3"));
    EXPECT_TRUE(saveForReview(picture(), QStringLiteral("table-column-selected.png")));
}

TEST_F(TableScreenshot, MergeOfATwoByTwoRangeAndSplitOfASpanningCell)
{
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        GTEST_SKIP() << "needs an X server (Xvfb)";
    openTimetable();
    const QImage before = picture();
    // The 2 x 2 range of 算数, 理科, 音楽 and 社会 merged, as drawn with the mouse.
    selectCells("week", "t1", "w2");
    doc()->selection().empty();
    settle();
    updateBars();
    ASSERT_TRUE(enabled(ID_TABLE_MERGE_CELLS));
    run(ID_TABLE_MERGE_CELLS);
    // 国語, two rows high, split into two one above the other.
    caretIn("m1", 1);
    ASSERT_TRUE(enabled(ID_TABLE_SPLIT_CELL_HORIZONTAL));
    run(ID_TABLE_SPLIT_CELL_HORIZONTAL);
    EXPECT_EQ(shape("week"), QStringLiteral("h0 h1:2x1 h3 | p1 m1 ?:2x2 | p2 ? | p3 m3 t3:2x1"));
    const QImage after = picture();
    QImage both(before.width(), before.height() * 2, QImage::Format_RGB32);
    QPainter painter(&both);
    painter.drawImage(0, 0, before);
    painter.drawImage(0, before.height(), after);
    painter.end();
    EXPECT_TRUE(saveForReview(both, QStringLiteral("table-merge-and-split.png")));
}

} // namespace
