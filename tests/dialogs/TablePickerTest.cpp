// The table picker's grid without a window: its squares, the size the cursor
// picks, the growth of the window, the states a press and release lead to,
// and the empty table a choice inserts.

#include "dialogs/TablePicker.h"

#include <gtest/gtest.h>

namespace {

const QRect kScreen(0, 0, 1280, 1024);
// The table button above the picker's top-left corner.
const QRect kOpener(100, 76, 24, 24);

TablePicker OpenPicker()
{
    TablePicker picker;
    picker.Open(QPoint(100, 100), kOpener, kScreen);
    return picker;
}

// The centre of the square of a row and column, counted from 1.
QPoint SquareCentre(int row, int column)
{
    return QPoint(3 + (column - 1) * 20 + 9, 3 + (row - 1) * 20 + 9);
}

int Count(const QString& text, const QString& part)
{
    return int(text.count(part));
}

TEST(TablePicker, TheFirstWindowHoldsFourColumnsOfFiveSquaresAboveItsLabel)
{
    const TablePicker picker = OpenPicker();
    EXPECT_EQ(picker.state(), TablePicker::kFollowing);
    EXPECT_EQ(picker.window(), QRect(100, 100, 84, 123));
    const QList<QRect> squares = picker.Squares();
    ASSERT_EQ(squares.size(), 20);
    // Column by column, each top to bottom, 18 pixels on a 20-pixel pitch.
    EXPECT_EQ(squares.first(), QRect(3, 3, 18, 18));
    EXPECT_EQ(squares[1], QRect(3, 23, 18, 18));
    EXPECT_EQ(squares[5], QRect(23, 3, 18, 18));
    EXPECT_EQ(squares.last(), QRect(63, 83, 18, 18));
    // The label strip: from 3 to the width less 3, 19 to 3 above the bottom.
    EXPECT_EQ(picker.LabelRect(), QRect(QPoint(3, 104), QPoint(80, 119)));
}

TEST(TablePicker, TheCursorPicksTheSquaresAboveAndLeftOfIt)
{
    TablePicker picker = OpenPicker();
    EXPECT_EQ(picker.SizeAt(SquareCentre(3, 2)), QSize(2, 3));
    // The grid's first pixel is the first square; the gap after a square
    // still counts for it.
    EXPECT_EQ(picker.SizeAt(QPoint(3, 3)), QSize(1, 1));
    EXPECT_EQ(picker.SizeAt(QPoint(23, 23)), QSize(1, 1));
    EXPECT_EQ(picker.SizeAt(QPoint(24, 24)), QSize(2, 2));
    // Outside the grid (the frame, the label, beyond the window): nothing.
    EXPECT_EQ(picker.SizeAt(QPoint(2, 50)), QSize(0, 0));
    EXPECT_EQ(picker.SizeAt(QPoint(40, 110)), QSize(0, 0));
    EXPECT_EQ(picker.SizeAt(QPoint(-30, -30)), QSize(0, 0));
    // Lit: the squares whose corner lies above and left of the cursor.
    const QPoint cursor = SquareCentre(2, 3);
    int lit = 0;
    for (const QRect& square : picker.Squares())
        lit += picker.IsLit(square, cursor) ? 1 : 0;
    EXPECT_EQ(lit, 6);
}

TEST(TablePicker, SweepingPastAnEdgeGrowsTheWindowByWholeSquaresAndNeverShrinksIt)
{
    TablePicker picker = OpenPicker();
    // 10 pixels past the right edge: one column more.
    EXPECT_TRUE(picker.MouseMove(QPoint(83 + 10, 40)));
    EXPECT_EQ(picker.window().size(), QSize(104, 123));
    EXPECT_EQ(picker.Squares().size(), 25);
    // Back inside: it stays.
    EXPECT_FALSE(picker.MouseMove(QPoint(30, 40)));
    EXPECT_EQ(picker.window().size(), QSize(104, 123));
    // Below the grid: a row more; far past both edges: as many as reached.
    EXPECT_TRUE(picker.MouseMove(QPoint(30, 103)));
    EXPECT_EQ(picker.window().size(), QSize(104, 143));
    EXPECT_TRUE(picker.MouseMove(QPoint(190, 170)));
    EXPECT_EQ(picker.window().size(), QSize(204, 203));
    // Beside the grid's top-left corner nothing grows.
    EXPECT_FALSE(picker.MouseMove(QPoint(300, 2)));
    EXPECT_FALSE(picker.MouseMove(QPoint(2, 400)));
}

TEST(TablePicker, GrowthStopsAtTheScreensEdge)
{
    TablePicker picker;
    picker.Open(QPoint(1100, 800), kOpener, kScreen);
    EXPECT_TRUE(picker.MouseMove(QPoint(5000, 5000)));
    EXPECT_EQ(picker.window(), QRect(1100, 800, 164, 223));
    // A window that already passes the edge keeps its size.
    picker.Open(QPoint(1250, 10), kOpener, kScreen);
    EXPECT_FALSE(picker.MouseMove(QPoint(500, 50)));
    EXPECT_EQ(picker.window().size(), TablePicker::kFirstSize);
}

TEST(TablePicker, AReleaseOverTheButtonWaitsForAClickInTheGrid)
{
    TablePicker picker = OpenPicker();
    // The release that ends the press on the opener, over it.
    EXPECT_FALSE(picker.MouseRelease(QPoint(10, -10)));
    EXPECT_EQ(picker.state(), TablePicker::kWaiting);
    // Waiting, only a cursor inside the grid lights squares, and moving
    // past the edge grows nothing.
    EXPECT_FALSE(picker.IsLit(picker.Squares().first(), QPoint(300, 300)));
    EXPECT_TRUE(picker.IsLit(picker.Squares().first(), SquareCentre(1, 1)));
    EXPECT_FALSE(picker.MouseMove(QPoint(120, 40)));
    // A press in the grid holds; its release picks the size.
    EXPECT_FALSE(picker.MousePress(SquareCentre(2, 4)));
    EXPECT_EQ(picker.state(), TablePicker::kPressed);
    EXPECT_TRUE(picker.MouseRelease(SquareCentre(1, 4)));
    EXPECT_EQ(picker.Chosen(), QSize(4, 1));
    EXPECT_EQ(picker.Label(), QStringLiteral("1x4"));
}

TEST(TablePicker, APressOutsideTheGridWhileWaitingChoosesNothing)
{
    TablePicker picker = OpenPicker();
    picker.Wait();
    EXPECT_TRUE(picker.MousePress(QPoint(-50, 40)));
    EXPECT_EQ(picker.Chosen(), QSize(0, 0));
    // While following the held button, a release off the opener and off
    // the grid chooses nothing as well.
    picker = OpenPicker();
    EXPECT_TRUE(picker.MouseRelease(QPoint(300, 40)));
    EXPECT_EQ(picker.Chosen(), QSize(0, 0));
}

TEST(TablePicker, ReleasingOnTheThirdRowsSecondSquareInsertsThreeRowsOfTwoCells)
{
    TablePicker picker = OpenPicker();
    EXPECT_TRUE(picker.MouseRelease(SquareCentre(3, 2)));
    EXPECT_EQ(picker.Label(), QStringLiteral("3x2"));
    const TablePicker::Insertion insertion = TablePicker::InsertionFor(picker.Chosen(), 837);
    const QString row = QStringLiteral("\t<TR>\n\t\t<TD width=197 ></TD>\n\t\t<TD width=197 ></TD>\n\t</TR>\n");
    EXPECT_EQ(insertion.html,
              QStringLiteral(" width=\"50%\" border=1>\n") + row + row + row + QStringLiteral("</TABLE>"));
}

TEST(TablePicker, TheTableIsHalfTheViewWideAndTwentyOnePixelsARow)
{
    // 837 pixels of view: 400 of table, each of 4 cells 97 wide.
    TablePicker::Insertion insertion = TablePicker::InsertionFor(QSize(4, 3), 837);
    EXPECT_EQ(Count(insertion.html, QStringLiteral("<TD width=97 >")), 12);
    EXPECT_EQ(insertion.size, QSize(400, 66));
    // A view narrower than its margins: the table and its cells stay a pixel wide.
    insertion = TablePicker::InsertionFor(QSize(3, 1), 30);
    EXPECT_EQ(insertion.size, QSize(1, 24));
    EXPECT_EQ(Count(insertion.html, QStringLiteral("<TD width=1 >")), 3);
    EXPECT_FALSE(insertion.html.contains(QLatin1Char('-')));
}

} // namespace
