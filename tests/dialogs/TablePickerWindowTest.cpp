// The table picker dropped from the object toolbar's table button in the
// running program: a sweep or a click arms a table for the page, Escape
// cancels, and without a page it only closes.

#include "commands/TablePage.h"

#include "chrome/ULOToolBarObject.h"
#include "controls/ReviewPicture.h"
#include "dialogs/VornaDlgDynamicTableCreate.h"
#include "res/resource.h"

#include <QGuiApplication>
#include <QPainter>
#include <QTest>

namespace {

// The centre of the square of a row and column, counted from 1.
QPoint SquareCentre(int row, int column)
{
    return QPoint(3 + (column - 1) * 20 + 9, 3 + (row - 1) * 20 + 9);
}

class TablePickerWindow : public TablePage
{
protected:
    ULOToolBarObject* objectBar() const { return qobject_cast<ULOToolBarObject*>(app->mainFrame()->toolBar(602)); }
    QWidget* tableButton() const
    {
        ULOToolBarObject* bar = objectBar();
        return bar ? bar->buttonWidget(int(bar->buttonIds().indexOf(ID_TABLE_INSERT))) : nullptr;
    }
    // A page with a paragraph, the object toolbar shown.
    void openPage()
    {
        ASSERT_NE(open(QStringLiteral(">\n<DIV><P>表を置きます</P></DIV>\n")), nullptr);
        ASSERT_NE(objectBar(), nullptr);
        objectBar()->show();
        ASSERT_NE(tableButton(), nullptr);
        updateBars();
    }
    // Presses the table button: the picker is open under it.
    QWidget* pressTableButton()
    {
        QTest::mousePress(tableButton(), Qt::LeftButton, {}, QPoint(5, 5));
        return objectBar()->m_dlgTableCreate.window();
    }
    // Where the button's centre lies in the picker's coordinates.
    QPoint buttonIn(QWidget* picker) const
    {
        return picker->mapFromGlobal(tableButton()->mapToGlobal(tableButton()->rect().center()));
    }
    int tablesOnPage() const { return doc()->getElementsByTagName(QStringLiteral("TABLE")).length(); }
};

TEST_F(TablePickerWindow, ASweepFromTheTableButtonArmsATableThatTheNextClickPlaces)
{
    openPage();
    CMainFrame* frame = app->mainFrame();
    QWidget* picker = pressTableButton();
    ASSERT_NE(picker, nullptr);
    // Under the button, its first size, and the command shows it open.
    EXPECT_EQ(picker->geometry().topLeft(), tableButton()->mapToGlobal(QPoint(0, tableButton()->height())));
    EXPECT_EQ(picker->size(), TablePicker::kFirstSize);
    EXPECT_TRUE(checked(ID_TABLE_INSERT));
    // Held down into the grid, released over the third row's second square.
    QTest::mouseMove(picker, SquareCentre(3, 2));
    QTest::mouseRelease(picker, Qt::LeftButton, {}, SquareCentre(3, 2));
    EXPECT_FALSE(objectBar()->m_dlgTableCreate.IsOpen());
    EXPECT_FALSE(checked(ID_TABLE_INSERT));
    EXPECT_EQ(frame->m_nInsertKind, 4);
    EXPECT_EQ(frame->m_sizeInsertTable, QSize((view()->frameGeometry().width() - 37) / 2, 66));
    const int steps = undoSteps();
    QPoint point(40, 60);
    EXPECT_EQ(sink()->InsertPositionedObject(point), S_OK);
    settle();
    ASSERT_EQ(tablesOnPage(), 1);
    engine::Element* table = doc()->getElementsByTagName(QStringLiteral("TABLE")).item(0);
    EXPECT_EQ(table->rows().length(), 3);
    EXPECT_EQ(table->cells().length(), 6);
    EXPECT_EQ(table->getAttributeText(QStringLiteral("width")), QStringLiteral("50%"));
    EXPECT_EQ(undoSteps(), steps + 1);
}

TEST_F(TablePickerWindow, AClickOnTheButtonLeavesThePickerWaitingForAClickInTheGrid)
{
    openPage();
    CMainFrame* frame = app->mainFrame();
    QWidget* picker = pressTableButton();
    ASSERT_NE(picker, nullptr);
    QTest::mouseRelease(picker, Qt::LeftButton, {}, buttonIn(picker));
    ASSERT_TRUE(objectBar()->m_dlgTableCreate.IsOpen());
    EXPECT_EQ(objectBar()->m_dlgTableCreate.picker().state(), TablePicker::kWaiting);
    QTest::mouseMove(picker, SquareCentre(1, 3));
    QTest::mousePress(picker, Qt::LeftButton, {}, SquareCentre(1, 3));
    EXPECT_TRUE(objectBar()->m_dlgTableCreate.IsOpen());
    QTest::mouseRelease(picker, Qt::LeftButton, {}, SquareCentre(1, 3));
    EXPECT_FALSE(objectBar()->m_dlgTableCreate.IsOpen());
    EXPECT_EQ(frame->m_nInsertKind, 4);
    EXPECT_EQ(frame->m_strInsertHtml.count(QStringLiteral("<TD ")), 3);
    EXPECT_EQ(frame->m_sizeInsertTable.height(), 24);
}

TEST_F(TablePickerWindow, EscapeCancelsThePendingTableAndAClickOutsideArmsNothing)
{
    openPage();
    CMainFrame* frame = app->mainFrame();
    QWidget* picker = pressTableButton();
    ASSERT_NE(picker, nullptr);
    QTest::mouseRelease(picker, Qt::LeftButton, {}, SquareCentre(2, 2));
    ASSERT_EQ(frame->m_nInsertKind, 4);
    // Opened again: Escape ends the table waiting for its click.
    picker = pressTableButton();
    ASSERT_NE(picker, nullptr);
    QTest::keyClick(picker, Qt::Key_Escape);
    EXPECT_FALSE(objectBar()->m_dlgTableCreate.IsOpen());
    EXPECT_EQ(frame->m_nInsertKind, 0);
    EXPECT_TRUE(frame->m_strInsertHtml.isEmpty());
    // Waiting, a press off the grid closes it and arms nothing.
    picker = pressTableButton();
    ASSERT_NE(picker, nullptr);
    QTest::mouseRelease(picker, Qt::LeftButton, {}, buttonIn(picker));
    QTest::mousePress(picker, Qt::LeftButton, {}, QPoint(200, 40));
    EXPECT_FALSE(objectBar()->m_dlgTableCreate.IsOpen());
    EXPECT_EQ(frame->m_nInsertKind, 0);
    EXPECT_EQ(tablesOnPage(), 0);
}

TEST_F(TablePickerWindow, WithoutAPageTheButtonSendsItsCommandAndAPickerOnlyCloses)
{
    ASSERT_NE(objectBar(), nullptr);
    objectBar()->show();
    updateBars();
    ASSERT_NE(tableButton(), nullptr);
    QTest::mousePress(tableButton(), Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseRelease(tableButton(), Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_FALSE(objectBar()->m_dlgTableCreate.IsOpen());
    // Opened all the same (as the basic toolbar may): a choice reaches no page.
    VornaDlgDynamicTableCreate& table = objectBar()->m_dlgTableCreate;
    ASSERT_TRUE(table.CreateAt(app->mainFrame(), QPoint(20, 20), QRect(20, 0, 20, 20)));
    QPointer<QWidget> first = table.window();
    // A second opening closes the first window.
    ASSERT_TRUE(table.CreateAt(app->mainFrame(), QPoint(40, 20), QRect(40, 0, 20, 20)));
    EXPECT_FALSE(first && first->isVisible());
    QTest::mouseRelease(table.window(), Qt::LeftButton, {}, SquareCentre(2, 2));
    EXPECT_FALSE(table.IsOpen());
    EXPECT_EQ(app->mainFrame()->m_nInsertKind, 0);
}

TEST_F(TablePickerWindow, ThePictureOfAThreeByFourSweepOnAGrownPicker)
{
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        GTEST_SKIP() << "needs an X server (Xvfb)";
    openPage();
    QWidget* picker = pressTableButton();
    ASSERT_NE(picker, nullptr);
    // Swept past the right edge and the bottom, then back to 3 rows of 4.
    QTest::mouseMove(picker, QPoint(110, 140));
    QTest::mouseMove(picker, SquareCentre(3, 4));
    QTest::qWait(100);
    ASSERT_EQ(picker->size(), QSize(124, 163));
    QImage picture(picker->size(), QImage::Format_RGB32);
    QPainter painter(&picture);
    objectBar()->m_dlgTableCreate.Paint(painter, SquareCentre(3, 4));
    painter.end();
    EXPECT_EQ(objectBar()->m_dlgTableCreate.picker().Label(), QStringLiteral("3x4"));
    // Shown twice as large, as people look at it.
    EXPECT_TRUE(saveForReview(picture.scaled(picture.size() * 2), QStringLiteral("table-picker.png")));
    QTest::keyClick(picker, Qt::Key_Escape);
}

} // namespace
