// Rows, columns and cells inserted and deleted, cells split and merged, on
// pages in the program: the tables' grids stay whole, each command is one
// undo step, and a table comes back the same when its HTML is read again.

#include "TablePage.h"

#include "commands/TableKeys.h"
#include "commands/TableTargets.h"
#include "res/resource.h"

#include "engine/dom/Document.h"

#include <QApplication>
#include <QKeyEvent>
#include <QProcess>
#include <QTest>

namespace {

// A 3 x 3 table without spans, a table with spans, a table in a cell.
const char* const kPage =
    ">\n"
    "<TABLE id=plain border=1 style=\"POSITION: absolute; LEFT: 10px; TOP: 10px\">"
    "<TR><TD id=a>a</TD><TD id=b width=\"50%\">b</TD><TD id=c>c</TD></TR>"
    "<TR><TD id=d>d</TD><TD id=e width=121px>e</TD><TD id=f width=120>f</TD></TR>"
    "<TR><TD id=g>g</TD><TD id=h width=\"33%\">h</TD><TD id=i></TD></TR></TABLE>\n"
    "<TABLE id=spans border=1 style=\"POSITION: absolute; LEFT: 10px; TOP: 150px\">"
    "<TR><TD id=s00 rowspan=2>1</TD><TD id=s01 colspan=2>2</TD><TD id=s03>3</TD></TR>"
    "<TR><TD id=s11>4</TD><TD id=s12>5</TD><TD id=s13>6</TD></TR>"
    "<TR><TD id=s20>7</TD><TD id=s21 colspan=3 rowspan=2>8</TD></TR>"
    "<TR><TD id=s30>9</TD></TR></TABLE>\n"
    "<TABLE id=outer border=1 style=\"POSITION: absolute; LEFT: 300px; TOP: 10px\">"
    "<TR><TD id=o0>外<TABLE id=inner border=1><TR><TH id=nh>見</TH><TD id=n0>内</TD></TR></TABLE></TD>"
    "<TD id=o1>外</TD></TR></TABLE>\n";

class TableStructure : public TablePage
{
protected:
    void SetUp() override
    {
        TablePage::SetUp();
        ASSERT_NE(open(QString::fromUtf8(kPage)), nullptr);
    }

    // Runs a command with the caret in a cell: one step, and the table as
    // its HTML reads again.
    void runIn(const char* cell, int id, const char* table)
    {
        caretIn(cell);
        updateBars();
        settle();
        ASSERT_TRUE(enabled(id)) << cell;
        const int steps = undoSteps();
        run(id);
        EXPECT_EQ(undoSteps(), steps + 1);
        const QString html = byId(table)->outerHTML();
        engine::Ref<engine::Document> again = engine::Document::create();
        again->replaceContent(QStringLiteral("<HTML><BODY>") + html + QStringLiteral("</BODY></HTML>"));
        EXPECT_EQ(again->body()->innerHTML(), html);
    }

    // A range of cells drawn with the mouse: the caret leaves the table.
    void drawRange(const char* table, const char* anchor, const char* current)
    {
        selectCells(table, anchor, current);
        doc()->selection().empty();
        settle();
        updateBars();
    }

    // A key pressed where the window's keys go first; with the key code the
    // X server gives the key (`native`), as the keyboard sends it.
    void press(Qt::Key key, Qt::KeyboardModifiers modifiers, quint32 native = 0)
    {
        QWidget* target = QApplication::focusWidget();
        if (!target || target->window() != app->mainFrame())
            target = app->mainFrame();
        if (native == 0) {
            QTest::keyClick(target, key, modifiers);
        } else {
            for (QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease}) {
                QKeyEvent event(type, key, modifiers, native, 0, 0);
                QApplication::sendEvent(target, &event);
            }
        }
        settle();
    }

    engine::Element* selectedObject() const
    {
        const engine::ControlRange range = doc()->selection().createControlRange();
        return range.length() == 1 ? range.item(0) : nullptr;
    }

    // The grid of a table: each row's places as the ids of the cells that
    // cover them ("-" for none).
    QString grid(const char* table) const
    {
        const TableGridMap map(byId(table));
        QStringList rows;
        for (int r = 0; r < map.rowCount(); ++r) {
            QStringList places;
            for (int c = 0; c < map.columnCount(); ++c) {
                const GridCell* at = map.cellAt(r, c);
                places << (!at ? QStringLiteral("-") : at->cell->id().isEmpty() ? QStringLiteral("?") : at->cell->id());
            }
            rows << places.join(QLatin1Char(' '));
        }
        return rows.join(QStringLiteral(" | "));
    }
};

TEST_F(TableStructure, RowsGoInAboveTheCaretAndCellsFromAboveSpanThem)
{
    runIn("e", ID_TABLE_INSERT_ROW, "plain");
    EXPECT_EQ(shape("plain"), QStringLiteral("a b c | ? ? ? | d e f | g h i"));
    EXPECT_EQ(byId("e")->parentElement()->rowIndex(), 2);
    undo();
    EXPECT_EQ(shape("plain"), QStringLiteral("a b c | d e f | g h i"));
    // Spans: the new row copies the column spans of the row's own cells; the
    // cell spanning into it from above covers it too.
    runIn("s12", ID_TABLE_INSERT_ROW, "spans");
    EXPECT_EQ(grid("spans"), QStringLiteral("s00 s01 s01 s03 | s00 ? ? ? | s00 s11 s12 s13 | s20 s21 s21 s21 | "
                                            "s30 s21 s21 s21"));
    runIn("s20", ID_TABLE_INSERT_ROW, "spans");
    EXPECT_EQ(shape("spans").section(QStringLiteral(" | "), 3, 3), QStringLiteral("? ?:3x1"));
}

TEST_F(TableStructure, DeletingARowMovesCellsThatGoOnBelowIt)
{
    runIn("s01", ID_TABLE_DELETE_ROW, "spans");
    EXPECT_EQ(selectedObject(), byId("spans"));
    // 1 spanned rows 0 and 1: it moves into row 1 with its content.
    EXPECT_EQ(grid("spans"), QStringLiteral("s00 s11 s12 s13 | s20 s21 s21 s21 | s30 s21 s21 s21"));
    EXPECT_EQ(byId("s00")->innerText(), QStringLiteral("1"));
    // The row a cell spans into from above.
    runIn("s30", ID_TABLE_DELETE_ROW, "spans");
    EXPECT_EQ(grid("spans"), QStringLiteral("s00 s11 s12 s13 | s20 s21 s21 s21"));
    // The only row: a table without rows. A table in a cell is not selected
    // as an object, which would take it out of the cell's flow.
    runIn("n0", ID_TABLE_DELETE_ROW, "inner");
    EXPECT_EQ(byId("inner")->rows().length(), 0);
    EXPECT_EQ(selectedObject(), nullptr);
    EXPECT_FALSE(byId("inner")->outerHTML().contains(QStringLiteral("POSITION")));
    EXPECT_EQ(shape("outer"), QStringLiteral("o0 o1"));
}

TEST_F(TableStructure, ColumnsGoInLeftOfTheCaretsGridColumn)
{
    const int width = ElementClientSize(view(), byId("b")).width();
    runIn("b", ID_TABLE_INSERT_COLUMN, "plain");
    EXPECT_EQ(shape("plain"), QStringLiteral("a ? b c | d ? e f | g ? h i"));
    engine::Element* added = byId("plain")->rows().item(2)->cells().item(1);
    EXPECT_EQ(added->outerHTML(), QStringLiteral("<TD width=%1>&nbsp;</TD>").arg(width));
    undo();
    EXPECT_EQ(shape("plain"), QStringLiteral("a b c | d e f | g h i"));
    // Spans: a cell across the column spans it, one starting on it gets a
    // new cell of its rows before it.
    runIn("s12", ID_TABLE_INSERT_COLUMN, "spans");
    EXPECT_EQ(grid("spans"), QStringLiteral("s00 s01 s01 s01 s03 | s00 s11 ? s12 s13 | s20 s21 s21 s21 s21 | "
                                            "s30 s21 s21 s21 s21"));
    runIn("s00", ID_TABLE_INSERT_COLUMN, "spans");
    EXPECT_EQ(shape("spans").section(QStringLiteral(" | "), 0, 0), QStringLiteral("?:1x2 s00:1x2 s01:3x1 s03"));
}

TEST_F(TableStructure, DeletingAColumnNarrowsTheCellsAcrossIt)
{
    runIn("s11", ID_TABLE_DELETE_COLUMN, "spans");
    EXPECT_EQ(selectedObject(), byId("spans"));
    EXPECT_EQ(grid("spans"), QStringLiteral("s00 s01 s03 | s00 s12 s13 | s20 s21 s21 | s30 s21 s21"));
    // A table of one column left without cells, selected.
    runIn("n0", ID_TABLE_DELETE_COLUMN, "inner");
    runIn("o1", ID_TABLE_DELETE_COLUMN, "outer");
    runIn("o0", ID_TABLE_DELETE_COLUMN, "outer");
    EXPECT_EQ(byId("outer")->rows().length(), 1);
    EXPECT_EQ(byId("outer")->cells().length(), 0);
    EXPECT_EQ(selectedObject(), byId("outer"));
}

TEST_F(TableStructure, ACellGoesInAfterTheCaretsCellWithHalfItsWidth)
{
    runIn("b", ID_TABLE_INSERT_CELL, "plain");
    EXPECT_EQ(attr("b", "width"), QStringLiteral("25%"));
    engine::Element* added = byId("b")->nextSibling()->asElement();
    EXPECT_EQ(added->outerHTML(), QStringLiteral("<TD width=\"25%\">&nbsp;</TD>"));
    runIn("h", ID_TABLE_INSERT_CELL, "plain");
    EXPECT_EQ(attr("h", "width"), QStringLiteral("16%"));
    runIn("e", ID_TABLE_INSERT_CELL, "plain");
    EXPECT_EQ(attr("e", "width"), QStringLiteral("60px"));
    runIn("f", ID_TABLE_INSERT_CELL, "plain");
    EXPECT_EQ(attr("f", "width"), QStringLiteral("60px"));
    EXPECT_EQ(byId("f")->nextSibling()->asElement()->getAttributeText(QStringLiteral("width")), QStringLiteral("60px"));
    runIn("a", ID_TABLE_INSERT_CELL, "plain");
    EXPECT_FALSE(has("a", "width"));
    EXPECT_EQ(byId("a")->nextSibling()->asElement()->outerHTML(), QStringLiteral("<TD>&nbsp;</TD>"));
    // The spans go along; the cells after it move right.
    runIn("s21", ID_TABLE_INSERT_CELL, "spans");
    EXPECT_EQ(shape("spans").section(QStringLiteral(" | "), 2, 3), QStringLiteral("s20 s21:3x2 ?:3x2 | s30"));
    // One undo restores both cells.
    undo();
    EXPECT_EQ(shape("spans").section(QStringLiteral(" | "), 2, 2), QStringLiteral("s20 s21:3x2"));
}

TEST_F(TableStructure, DeletingACellShortensItsRow)
{
    runIn("e", ID_TABLE_DELETE_CELL, "plain");
    EXPECT_EQ(shape("plain"), QStringLiteral("a b c | d f | g h i"));
    EXPECT_EQ(attr("d", "width"), QString());
    EXPECT_EQ(selectedObject(), byId("plain"));
    runIn("s30", ID_TABLE_DELETE_CELL, "spans");
    EXPECT_EQ(shape("spans").section(QStringLiteral(" | "), 3, 3), QString());
    // Only the nested table changes.
    runIn("n0", ID_TABLE_DELETE_CELL, "inner");
    EXPECT_EQ(shape("inner"), QStringLiteral("nh"));
    EXPECT_EQ(shape("outer"), QStringLiteral("o0 o1"));
}

TEST_F(TableStructure, SplittingVerticallyWidensTheMiddleColumnOfOddSpans)
{
    const int width = ElementClientSize(view(), byId("e")).width();
    runIn("e", ID_TABLE_SPLIT_CELL_VERTICAL, "plain");
    EXPECT_EQ(shape("plain"), QStringLiteral("a b:2x1 c | d e ? f | g h:2x1 i"));
    EXPECT_EQ(attr("e", "width"), QString::number(width / 2));
    EXPECT_EQ(byId("e")->nextSibling()->asElement()->getAttributeText(QStringLiteral("width")),
              QString::number(width / 2));
    // Three columns and two rows: 2 and 2; the cells of other rows across
    // the middle column span it, those of the second spanned row not.
    runIn("s21", ID_TABLE_SPLIT_CELL_VERTICAL, "spans");
    EXPECT_EQ(grid("spans"), QStringLiteral("s00 s01 s01 s01 s03 | s00 s11 s12 s12 s13 | s20 s21 s21 ? ? | "
                                            "s30 s21 s21 ? ?"));
    // An even span is shared without other changes.
    undo();
    runIn("s01", ID_TABLE_SPLIT_CELL_VERTICAL, "spans");
    EXPECT_EQ(shape("spans").section(QStringLiteral(" | "), 0, 1), QStringLiteral("s00:1x2 s01 ? s03 | s11 s12 s13"));
}

TEST_F(TableStructure, SplittingHorizontallyAddsARowForOddSpans)
{
    const int height = ElementClientSize(view(), byId("e")).height();
    runIn("e", ID_TABLE_SPLIT_CELL_HORIZONTAL, "plain");
    EXPECT_EQ(shape("plain"), QStringLiteral("a b c | d:1x2 e f:1x2 | ? | g h i"));
    EXPECT_EQ(attr("e", "height"), QString::number(height / 2));
    EXPECT_EQ(grid("plain"), QStringLiteral("a b c | d e f | d ? f | g h i"));
    // Two rows: the new cell in the row below, after its cells to the left.
    runIn("s00", ID_TABLE_SPLIT_CELL_HORIZONTAL, "spans");
    EXPECT_EQ(grid("spans"), QStringLiteral("s00 s01 s01 s03 | ? s11 s12 s13 | s20 s21 s21 s21 | s30 s21 s21 s21"));
    // Two rows again: the new cell after the one to its left.
    runIn("s21", ID_TABLE_SPLIT_CELL_HORIZONTAL, "spans");
    EXPECT_EQ(grid("spans"), QStringLiteral("s00 s01 s01 s03 | ? s11 s12 s13 | s20 s21 s21 s21 | s30 ? ? ?"));
    // A span past the table's end is one row: the row added below is the
    // new cell's, not the split cell's.
    byId("s30")->setAttribute(QStringLiteral("rowSpan"), 3);
    runIn("s30", ID_TABLE_SPLIT_CELL_HORIZONTAL, "spans");
    EXPECT_EQ(grid("spans").section(QStringLiteral(" | "), 3), QStringLiteral("s30 ? ? ? | ? ? ? ?"));
    EXPECT_FALSE(has("s30", "rowSpan"));
}

TEST_F(TableStructure, ACaretInAHeadingOrANestedTableLeavesTheOuterTableAlone)
{
    const QString before = doc()->body()->innerHTML();
    caretIn("nh");
    for (int id :
         {ID_TABLE_INSERT_ROW, ID_TABLE_DELETE_ROW, ID_TABLE_INSERT_COLUMN, ID_TABLE_DELETE_COLUMN,
          ID_TABLE_INSERT_CELL, ID_TABLE_DELETE_CELL, ID_TABLE_SPLIT_CELL_VERTICAL, ID_TABLE_SPLIT_CELL_HORIZONTAL})
        run(id);
    EXPECT_EQ(doc()->body()->innerHTML(), before);
    runIn("n0", ID_TABLE_SPLIT_CELL_HORIZONTAL, "inner");
    EXPECT_EQ(shape("outer"), QStringLiteral("o0 o1"));
}

TEST_F(TableStructure, MergingGathersTheContentsInReadingOrder)
{
    // The 2 x 2 range at the top left.
    int expectedWidth = 0;
    for (const char* id : {"a", "b"})
        expectedWidth += ElementClientSize(view(), byId(id)).width();
    drawRange("plain", "a", "e");
    ASSERT_TRUE(enabled(ID_TABLE_MERGE_CELLS));
    const int steps = undoSteps();
    run(ID_TABLE_MERGE_CELLS);
    EXPECT_EQ(undoSteps(), steps + 1);
    engine::Element* merged = byId("plain")->rows().item(0)->cells().item(0);
    EXPECT_EQ(merged->outerHTML(),
              QStringLiteral("<TD width=%1 colSpan=2 rowSpan=2>a<BR>b<BR>d<BR>e</TD>").arg(expectedWidth));
    EXPECT_EQ(shape("plain"), QStringLiteral("?:2x2 c | f | g h i"));
    // The range and its highlight are gone; the caret stands in the new cell.
    EXPECT_FALSE(sink()->HasCellSelection());
    EXPECT_EQ(highlighted("plain"), QString());
    EXPECT_EQ(doc()->selection().createRange().parentElement(), merged);
    EXPECT_FALSE(enabled(ID_TABLE_MERGE_CELLS));
    EXPECT_TRUE(enabled(ID_TABLE_INSERT_ROW));
    EXPECT_EQ(doc()->body()->children().item(0), byId("plain")); // no holding cell left
    undo();
    EXPECT_EQ(shape("plain"), QStringLiteral("a b c | d e f | g h i"));
    EXPECT_EQ(byId("e")->innerText(), QStringLiteral("e"));
}

TEST_F(TableStructure, MergingARowEndsOnItsLastNonEmptyCell)
{
    caretIn("g");
    run(ID_TABLE_SELECT_ROW);
    ASSERT_TRUE(enabled(ID_TABLE_MERGE_CELLS));
    run(ID_TABLE_MERGE_CELLS);
    // The last cell is empty: the break after h stays.
    EXPECT_EQ(byId("plain")->rows().item(2)->innerHTML().section(QLatin1Char('>'), 1),
              QStringLiteral("g<BR>h<BR></TD>"));
    EXPECT_EQ(shape("plain"), QStringLiteral("a b c | d e f | ?:3x1"));
}

TEST_F(TableStructure, MergingTheWholeTableLeavesOneRowOfOneCell)
{
    drawRange("plain", "a", "i");
    run(ID_TABLE_MERGE_CELLS);
    EXPECT_EQ(shape("plain"), QStringLiteral("?"));
    EXPECT_EQ(byId("plain")->cells().item(0)->innerHTML().count(QStringLiteral("<BR>")), 8);
    // All columns of two rows of a table with spans: a row left empty under
    // the new cell's span.
    drawRange("spans", "s20", "s21");
    run(ID_TABLE_MERGE_CELLS);
    EXPECT_EQ(grid("spans"), QStringLiteral("s00 s01 s01 s03 | s00 s11 s12 s13 | ? ? ? ? | ? ? ? ?"));
    EXPECT_EQ(shape("spans").section(QStringLiteral(" | "), 3, 3), QString());
}

TEST_F(TableStructure, AnUndoSinceTheRangeWasDrawnIsTakenIntoAccount)
{
    // The range is read again from its corner cells: a row that went away
    // is not merged into it.
    runIn("e", ID_TABLE_INSERT_ROW, "plain");
    drawRange("plain", "a", "e");
    undo();
    updateBars();
    run(ID_TABLE_MERGE_CELLS);
    EXPECT_EQ(shape("plain"), QStringLiteral("?:2x2 c | f | g h i"));
    // A table taken out of the page since (an undo of its insertion) is
    // left alone.
    drawRange("spans", "s00", "s12");
    const engine::Ref<engine::Element> table(byId("spans"));
    const QString before = table->outerHTML();
    table->parentNode()->removeChild(table.get());
    const int steps = undoSteps();
    run(ID_TABLE_MERGE_CELLS);
    EXPECT_EQ(table->outerHTML(), before);
    EXPECT_EQ(undoSteps(), steps);
    EXPECT_EQ(doc()->body()->children().item(0), byId("plain"));
}

TEST(TableKeys, ThePlusAndMinusKeysOfEachLayout)
{
    using Levels = platform::KeyLevels;
    const Levels usEquals{QLatin1Char('='), QLatin1Char('+')};
    const Levels usMinus{QLatin1Char('-'), QLatin1Char('_')};
    const Levels jpSemicolon{QLatin1Char(';'), QLatin1Char('+')};
    const Levels jpMinus{QLatin1Char('-'), QLatin1Char('=')};
    const Levels usSemicolon{QLatin1Char(';'), QLatin1Char(':')};
    const auto ctrl = Qt::ControlModifier;
    const auto ctrlShift = Qt::ControlModifier | Qt::ShiftModifier;
    // US: Ctrl+= and Ctrl+Shift+= (reported as Ctrl++).
    EXPECT_EQ(TableKeyCommand(ctrl, Qt::Key_Equal, usEquals), ID_TABLE_INSERT_ROW);
    EXPECT_EQ(TableKeyCommand(ctrlShift, Qt::Key_Plus, usEquals), ID_TABLE_INSERT_COLUMN);
    EXPECT_EQ(TableKeyCommand(ctrl, Qt::Key_Minus, usMinus), ID_TABLE_DELETE_ROW);
    EXPECT_EQ(TableKeyCommand(ctrlShift, Qt::Key_Underscore, usMinus), ID_TABLE_DELETE_COLUMN);
    EXPECT_EQ(TableKeyCommand(ctrl, Qt::Key_Semicolon, usSemicolon), 0);
    // Japanese: Ctrl+; and Ctrl+Shift+; (Ctrl++), Ctrl+- and Ctrl+Shift+- (reported as Ctrl+=).
    EXPECT_EQ(TableKeyCommand(ctrl, Qt::Key_Semicolon, jpSemicolon), ID_TABLE_INSERT_ROW);
    EXPECT_EQ(TableKeyCommand(ctrlShift, Qt::Key_Plus, jpSemicolon), ID_TABLE_INSERT_COLUMN);
    EXPECT_EQ(TableKeyCommand(ctrl, Qt::Key_Minus, jpMinus), ID_TABLE_DELETE_ROW);
    EXPECT_EQ(TableKeyCommand(ctrlShift, Qt::Key_Equal, jpMinus), ID_TABLE_DELETE_COLUMN);
    // The keypad, and keys without Ctrl or with Alt.
    EXPECT_EQ(TableKeyCommand(ctrl | Qt::KeypadModifier, Qt::Key_Plus, Levels{QLatin1Char('+'), QLatin1Char('+')}),
              ID_TABLE_INSERT_ROW);
    EXPECT_EQ(TableKeyCommand(Qt::NoModifier, Qt::Key_Minus, usMinus), 0);
    EXPECT_EQ(TableKeyCommand(ctrl | Qt::AltModifier, Qt::Key_Minus, usMinus), 0);
    // Unknown levels: read as a US keyboard.
    EXPECT_EQ(TableKeyCommand(ctrlShift, Qt::Key_Plus, Levels()), ID_TABLE_INSERT_COLUMN);
    EXPECT_EQ(TableKeyCommand(ctrl, Qt::Key_Semicolon, Levels()), 0);
}

TEST_F(TableStructure, TheKeysRunTheCommandsOnlyWhereTheyAreEnabled)
{
    caretIn("e");
    updateBars();
    press(Qt::Key_Equal, Qt::ControlModifier);
    EXPECT_EQ(shape("plain"), QStringLiteral("a b c | ? ? ? | d e f | g h i"));
    press(Qt::Key_Underscore, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(shape("plain"), QStringLiteral("a c | ? ? | d f | g i"));
    // The table is selected now: the keys do nothing.
    updateBars();
    const QString before = doc()->body()->innerHTML();
    press(Qt::Key_Minus, Qt::ControlModifier);
    EXPECT_EQ(doc()->body()->innerHTML(), before);
}

// The layout switched while the program runs, as the desktop switches it:
// the keys are those that carry + and - now. Key codes of the X server:
// 20 and 21 right of 0, 47 right of L.
TEST_F(TableStructure, TheKeysFollowTheLayoutOfTheX11Keyboard)
{
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        GTEST_SKIP() << "needs an X server (Xvfb)";
    struct Layout
    {
        static bool use(const char* name)
        {
            return QProcess::execute(QStringLiteral("setxkbmap"), {QString::fromLatin1(name)}) == 0;
        }
        ~Layout() { use("us"); }
    } layout;
    if (!Layout::use("jp"))
        GTEST_SKIP() << "needs setxkbmap";
    const auto ctrl = Qt::ControlModifier;
    caretIn("e");
    updateBars();
    // Japanese: ; carries +, ^ nothing, and Ctrl+Shift+- reads as Ctrl+=.
    press(Qt::Key_Semicolon, ctrl, 47);
    press(Qt::Key_AsciiCircum, ctrl, 21);
    EXPECT_EQ(shape("plain"), QStringLiteral("a b c | ? ? ? | d e f | g h i"));
    press(Qt::Key_Equal, ctrl | Qt::ShiftModifier, 20);
    EXPECT_EQ(shape("plain"), QStringLiteral("a c | ? ? | d f | g i"));
    // US: = carries +, ; nothing.
    ASSERT_TRUE(Layout::use("us"));
    caretIn("f");
    updateBars();
    press(Qt::Key_Semicolon, ctrl, 47);
    press(Qt::Key_Equal, ctrl, 21);
    EXPECT_EQ(shape("plain"), QStringLiteral("a c | ? ? | ? ? | d f | g i"));
}

} // namespace
