// The Table menu on a page in the program: which commands the selection
// enables, and 編集 > 選択's table, row, column and cell.

#include "TablePage.h"

#include "res/resource.h"

#include "engine/editing/TextRange.h"

namespace {

// A price list with a caption, a heading across two columns, a row span, a
// nested table with a heading cell; a second table with an empty cell; a
// text box and an image.
const char* const kPage =
    ">\n"
    "<TABLE id=price border=1 style=\"POSITION: absolute; LEFT: 10px; TOP: 10px\">"
    "<CAPTION id=cap>料金表</CAPTION>"
    "<TR><TD id=a00 colspan=2>大人</TD><TD id=a02>1000</TD></TR>"
    "<TR><TD id=a10 rowspan=2>子供</TD><TD id=a11>平日</TD><TD id=a12>500</TD></TR>"
    "<TR><TD id=a21>休日</TD><TD id=a22>600<TABLE id=inner border=1><TR><TH id=nh>見</TH><TD id=n00>内</TD>"
    "</TR></TABLE></TD></TR></TABLE>\n"
    "<TABLE id=other border=1 style=\"POSITION: absolute; LEFT: 10px; TOP: 250px\">"
    "<TR><TD id=b00>他</TD><TD id=b01></TD></TR></TABLE>\n"
    "<TABLE id=text style=\"POSITION: absolute; LEFT: 300px; TOP: 10px\"><TR><TD id=box>箱</TD></TR></TABLE>\n"
    "<IMG id=pic width=20 height=20 style=\"POSITION: absolute; LEFT: 300px; TOP: 100px\">\n";

constexpr int kCellCommands[] = {ID_TABLE_CELL_PROPERTIES, ID_TABLE_SPLIT_CELL_COLUMN, ID_TABLE_SELECT_TABLE,
                                 ID_TABLE_SELECT_ROW,      ID_TABLE_SELECT_COLUMN,     ID_TABLE_SELECT_CELL};

class TableMenu : public TablePage
{
protected:
    void SetUp() override
    {
        TablePage::SetUp();
        ASSERT_NE(open(QString::fromUtf8(kPage)), nullptr);
    }

    // How many of the cell commands are enabled.
    int cellCommandsEnabled()
    {
        int n = 0;
        for (int id : kCellCommands)
            n += enabled(id);
        return n;
    }

    engine::Element* selectedObject() const
    {
        const engine::ControlRange range = doc()->selection().createControlRange();
        return range.length() == 1 ? range.item(0) : nullptr;
    }
};

TEST_F(TableMenu, TheCaretsPlaceDecidesWhatIsEnabled)
{
    // In a cell: everything but merge.
    caretIn("a11", 1);
    EXPECT_EQ(cellCommandsEnabled(), 6);
    EXPECT_TRUE(enabled(ID_TABLE_PROPERTIES));
    EXPECT_TRUE(enabled(ID_TABLE_INSERT));
    EXPECT_FALSE(enabled(ID_TABLE_MERGE_CELLS));
    // Text selected in a cell: the same.
    selectText("a11", 0, 2);
    EXPECT_EQ(cellCommandsEnabled(), 6);
    // In the caption: the table's properties only.
    caretIn("cap", 1);
    EXPECT_EQ(cellCommandsEnabled(), 0);
    EXPECT_TRUE(enabled(ID_TABLE_PROPERTIES));
    // In a text box: only a new table.
    caretIn("box", 1);
    EXPECT_EQ(cellCommandsEnabled(), 0);
    EXPECT_FALSE(enabled(ID_TABLE_PROPERTIES));
    EXPECT_TRUE(enabled(ID_TABLE_INSERT));
    EXPECT_FALSE(checked(ID_TABLE_INSERT));
}

TEST_F(TableMenu, SelectedTablesEnableTheirPropertiesOnly)
{
    selectObjects({"price"});
    EXPECT_EQ(cellCommandsEnabled(), 0);
    EXPECT_TRUE(enabled(ID_TABLE_PROPERTIES));
    EXPECT_TRUE(enabled(ID_TABLE_INSERT));
    selectObjects({"price", "other"});
    EXPECT_TRUE(enabled(ID_TABLE_PROPERTIES));
    EXPECT_EQ(cellCommandsEnabled(), 0);
    selectObjects({"price", "pic"});
    EXPECT_FALSE(enabled(ID_TABLE_PROPERTIES));
    // No page: nothing but the toolbar switch.
    app->mainFrame()->OnFileCloseAll();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ASSERT_EQ(app->GetActiveView(), nullptr);
    EXPECT_FALSE(enabled(ID_TABLE_INSERT));
    EXPECT_FALSE(enabled(ID_TABLE_PROPERTIES));
    EXPECT_TRUE(enabled(ID_TABLE_TOOLBAR));
}

TEST_F(TableMenu, SelectRowTakesTheRowFromItsFirstToItsLastGridColumn)
{
    caretIn("a02", 1);
    run(ID_TABLE_SELECT_ROW);
    // The first cell spans two columns: the last one stands at column 2.
    EXPECT_EQ(rangeEnds(), QStringLiteral("0,0 ~ 0,2"));
    EXPECT_EQ(highlighted("price"), QStringLiteral("a00 a02"));
    EXPECT_EQ(view()->m_dwSelKind, 0x1000u);
    EXPECT_EQ(cellCommandsEnabled(), 0);
    // A row whose first column is covered from above starts at column 1.
    caretIn("a22", 1);
    run(ID_TABLE_SELECT_ROW);
    EXPECT_EQ(rangeEnds(), QStringLiteral("2,1 ~ 2,2"));
    EXPECT_EQ(highlighted("price"), QStringLiteral("a21 a22"));
}

TEST_F(TableMenu, SelectColumnTakesTheCellsThatStartInTheCaretCellsColumns)
{
    // Two columns under the heading; the cell of the last row is pushed
    // right by the row span, into column 1.
    caretIn("a00", 1);
    run(ID_TABLE_SELECT_COLUMN);
    EXPECT_EQ(rangeEnds(), QStringLiteral("0,0 ~ 2,1"));
    EXPECT_EQ(highlighted("price"), QStringLiteral("a00 a10 a11 a21"));
    EXPECT_EQ(view()->m_dwSelKind, 0x1000u);
    caretIn("a21", 1);
    run(ID_TABLE_SELECT_COLUMN);
    EXPECT_EQ(rangeEnds(), QStringLiteral("1,1 ~ 2,1"));
    EXPECT_EQ(highlighted("price"), QStringLiteral("a11 a21"));
    // Column 0 has no cell of its own in the last row: the row span from
    // above ends the range there.
    caretIn("a10", 1);
    run(ID_TABLE_SELECT_COLUMN);
    EXPECT_EQ(rangeEnds(), QStringLiteral("0,0 ~ 1,0"));
    EXPECT_EQ(highlighted("price"), QStringLiteral("a00 a10 a11 a21"));
    int l = 0, t = 0, r = 0, b = 0;
    ASSERT_TRUE(sink()->GetSelectedCellIndices(l, t, r, b));
    EXPECT_EQ(QRect(QPoint(l, t), QPoint(r, b)), QRect(QPoint(0, 0), QPoint(1, 2)));
}

TEST_F(TableMenu, TheSelectionsWorkOnTheInnermostTable)
{
    // A nested table's cell: its own row, column and table.
    caretIn("n00", 0);
    run(ID_TABLE_SELECT_ROW);
    EXPECT_EQ(sink()->m_pSelTable, byId("inner"));
    EXPECT_EQ(rangeEnds(), QStringLiteral("0,0 ~ 0,1"));
    EXPECT_EQ(highlighted("price"), QString());
    caretIn("n00", 0);
    run(ID_TABLE_SELECT_TABLE);
    EXPECT_EQ(selectedObject(), byId("inner"));
    EXPECT_TRUE(enabled(ID_TABLE_PROPERTIES));
    EXPECT_EQ(cellCommandsEnabled(), 0);
    // A heading cell of the nested table is in no cell of the outer one.
    caretIn("nh", 0);
    const QString before = doc()->body()->innerHTML();
    for (int id : {ID_TABLE_SELECT_TABLE, ID_TABLE_SELECT_ROW, ID_TABLE_SELECT_COLUMN, ID_TABLE_SELECT_CELL})
        run(id);
    EXPECT_EQ(doc()->selection().type(), engine::Selection::Type::None);
    EXPECT_EQ(sink()->m_pSelTable, nullptr);
    EXPECT_EQ(doc()->body()->innerHTML(), before);
}

TEST_F(TableMenu, SelectCellSelectsItsText)
{
    caretIn("a11", 1);
    run(ID_TABLE_SELECT_CELL);
    EXPECT_EQ(doc()->selection().type(), engine::Selection::Type::Text);
    EXPECT_EQ(doc()->selection().createRange().text(), QStringLiteral("平日"));
    // An empty cell: the caret stands in it.
    caretIn("b01");
    run(ID_TABLE_SELECT_CELL);
    EXPECT_EQ(doc()->selection().type(), engine::Selection::Type::None);
    EXPECT_EQ(doc()->selection().createRange().parentElement(), byId("b01"));
    EXPECT_EQ(sink()->m_pSelTable, nullptr);
}

TEST_F(TableMenu, TheToolbarSwitchFlipsItsCheckAndTheSetting)
{
    // No menu carries the command: an item of its own, as one would be.
    app->commands()->action(ID_TABLE_TOOLBAR);
    EXPECT_TRUE(checked(ID_TABLE_TOOLBAR));
    run(ID_TABLE_TOOLBAR);
    EXPECT_FALSE(checked(ID_TABLE_TOOLBAR));
    EXPECT_EQ(app->mainFrame()->m_settings.showTableToolbar, 0);
    run(ID_TABLE_TOOLBAR);
    EXPECT_TRUE(checked(ID_TABLE_TOOLBAR));
}

} // namespace
