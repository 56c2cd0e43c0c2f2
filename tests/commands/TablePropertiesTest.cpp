// Table > 表のプロパティ, セルのプロパティ and the split of a cell into two side
// by side, on a page in the program.

#include "TablePage.h"

#include "app/CZQDoc.h"
#include "commands/TableStructure.h"
#include "commands/TableTargets.h"
#include "commands/TableValues.h"
#include "dialogs/VornaDialogTableCellProperty.h"
#include "dialogs/VornaDialogTableProperty.h"
#include "res/resource.h"

#include "platform/ModalResponder.h"

#include <functional>

namespace {

// A family's album: a table of an older editor (an unreadable border
// colour, an inline width beside the attribute, a formatted caption), a
// table without border, a table with a caption, and a table in a cell.
const char* const kPage =
    ">\n"
    "<TABLE id=t1 border=0 width=\"80%\" bgcolor=#ffcc00 bordercolor=notacolor cellpadding=4 "
    "style=\"WIDTH: 300px; POSITION: absolute; LEFT: 10px; TOP: 10px\">"
    "<CAPTION id=cap1><B>夏</B>の旅</CAPTION>"
    "<TR><TD id=c00 width=\"40%\" align=right>一</TD><TD id=c01 nowrap bgcolor=bogus>二</TD></TR>"
    "<TR><TD id=c10>三</TD><TD id=c11 width=100 height=20 background=\"bg.gif\">四</TD></TR></TABLE>\n"
    "<TABLE id=t2 width=300 style=\"POSITION: absolute; LEFT: 10px; TOP: 200px\"><TR><TD id=d00>五</TD></TR>"
    "</TABLE>\n"
    "<TABLE id=t3 border=2 style=\"POSITION: absolute; LEFT: 10px; TOP: 300px\"><CAPTION id=cap3 valign=bottom>冬"
    "</CAPTION><TR><TD id=e00>六<TABLE id=t4 border=1><TR><TD id=f00 width=60>七</TD><TD id=f01>八</TD></TR>"
    "</TABLE></TD><TD id=e01>九</TD></TR></TABLE>\n";

class TableProperties : public TablePage
{
protected:
    void SetUp() override
    {
        TablePage::SetUp();
        ASSERT_NE(open(QString::fromUtf8(kPage)), nullptr);
    }

    // Runs Table properties: `opened` gets the dialog's values as it
    // opened, `answer` changes them as the user would.
    void runTable(std::function<void(VornaDialogTableProperty&)> answer, int result = platform::IDOK)
    {
        platform::ModalResponder responder;
        responder.on(IDD_TABLE_PROPERTY, [&](QDialog& d) {
            auto& dialog = static_cast<VornaDialogTableProperty&>(d);
            opened = TableValuesOf(dialog);
            existing = dialog.m_bExistingTable;
            if (answer)
                answer(dialog);
            dialog.done(result);
        });
        updateBars();
        ASSERT_TRUE(enabled(ID_TABLE_PROPERTIES));
        run(ID_TABLE_PROPERTIES);
        EXPECT_EQ(responder.runCount(IDD_TABLE_PROPERTY), 1);
    }

    void runCell(std::function<void(VornaDialogTableCellProperty&)> answer, int result = platform::IDOK)
    {
        platform::ModalResponder responder;
        responder.on(IDD_TABLE_CELL_PROPERTY, [&](QDialog& d) {
            auto& dialog = static_cast<VornaDialogTableCellProperty&>(d);
            openedCell = CellValuesOf(dialog);
            cellBase = QSize(dialog.m_nReferenceWidth, dialog.m_nReferenceHeight);
            if (answer)
                answer(dialog);
            dialog.done(result);
        });
        updateBars();
        ASSERT_TRUE(enabled(ID_TABLE_CELL_PROPERTIES));
        run(ID_TABLE_CELL_PROPERTIES);
        EXPECT_EQ(responder.runCount(IDD_TABLE_CELL_PROPERTY), 1);
    }

    QString outer(const char* id) const { return byId(id)->outerHTML(); }

    TableValues opened;
    bool existing = false;
    CellValues openedCell;
    QSize cellBase;
};

TEST_F(TableProperties, OneTableOpensWithItsValuesAndTakesThemBackAsTheyWere)
{
    caretIn("c10");
    doc()->setDirty(false);
    const int steps = undoSteps();
    runTable(nullptr);
    EXPECT_TRUE(existing);
    EXPECT_EQ(opened.width, QStringLiteral("80"));
    EXPECT_TRUE(opened.widthPercent);
    EXPECT_TRUE(opened.height.isEmpty());
    EXPECT_EQ(opened.backColor, platform::rgb(0xFF, 0xCC, 0));
    EXPECT_EQ(opened.borderColor, platform::rgb(0, 0, 0)); // the colour it cannot read
    EXPECT_EQ(opened.border, QStringLiteral("0"));
    EXPECT_EQ(opened.cellPadding, QStringLiteral("4"));
    EXPECT_TRUE(opened.cellSpacing.isEmpty());
    EXPECT_EQ(opened.rows, QStringLiteral("2"));
    EXPECT_EQ(opened.columns, QStringLiteral("2"));
    EXPECT_EQ(opened.caption, QStringLiteral("夏の旅"));
    EXPECT_FALSE(opened.captionBottom);
    // Accepted unchanged: the width attribute wins over the inline width,
    // the colours stay as written, the caption keeps its bold, all in one step.
    EXPECT_EQ(attr("t1", "width"), QStringLiteral("80%"));
    EXPECT_FALSE(outer("t1").contains(QStringLiteral("WIDTH")));
    EXPECT_EQ(attr("t1", "bgcolor"), QStringLiteral("#ffcc00"));
    EXPECT_EQ(attr("t1", "bordercolor"), QStringLiteral("notacolor"));
    EXPECT_EQ(attr("t1", "border"), QStringLiteral("0"));
    EXPECT_EQ(byId("cap1")->innerHTML(), QStringLiteral("<B>夏</B>の旅"));
    EXPECT_EQ(undoSteps(), steps + 1);
    EXPECT_TRUE(view()->GetDocument()->m_bPageChanged);
    undo();
    EXPECT_TRUE(outer("t1").contains(QStringLiteral("WIDTH: 300px")));
}

TEST_F(TableProperties, ChangedValuesAreWrittenAndEmptiedOnesRemoved)
{
    caretIn("c00");
    runTable([](VornaDialogTableProperty& d) {
        d.m_strWidth.clear();
        d.m_strHeight = QStringLiteral("120");
        d.m_bHeightPercent = false;
        d.m_strCellPadding.clear();
        d.m_crBorder = kColorNone;
        d.m_crBackground = platform::rgb(0, 0, 0xFF);
        d.m_strCaption = QStringLiteral("冬の旅");
        d.m_bCaptionBottom = true;
    });
    EXPECT_FALSE(has("t1", "width")); // not "" or "%"
    EXPECT_EQ(attr("t1", "height"), QStringLiteral("120"));
    EXPECT_FALSE(has("t1", "cellpadding"));
    EXPECT_FALSE(has("t1", "bordercolor"));
    EXPECT_EQ(attr("t1", "bgcolor"), QStringLiteral("Blue"));
    EXPECT_EQ(byId("t1")->caption()->outerHTML(), QStringLiteral("<CAPTION id=cap1 vAlign=bottom>冬の旅</CAPTION>"));
    // An emptied caption goes, also from a table selected as an object.
    selectObjects({"t3"});
    runTable([this](VornaDialogTableProperty& d) {
        EXPECT_TRUE(d.m_bCaptionBottom);
        d.m_strCaption.clear();
    });
    EXPECT_EQ(byId("t3")->caption(), nullptr);
    // A table without border shows 1 and gets it.
    caretIn("d00");
    runTable(nullptr);
    EXPECT_EQ(opened.border, QStringLiteral("1"));
    EXPECT_EQ(opened.width, QStringLiteral("300"));
    EXPECT_FALSE(opened.widthPercent);
    EXPECT_EQ(attr("t2", "border"), QStringLiteral("1"));
    EXPECT_EQ(attr("t2", "width"), QStringLiteral("300"));
}

TEST_F(TableProperties, SeveralTablesTakeOnlyWhatTheUserChanged)
{
    selectObjects({"t1", "t2", "t3"});
    const QString before = doc()->body()->innerHTML();
    const int steps = undoSteps();
    runTable(nullptr);
    EXPECT_TRUE(opened.rows.isEmpty());
    EXPECT_EQ(opened.border, QStringLiteral("1"));
    EXPECT_EQ(opened.backColor, kColorDefault);
    // Untouched: no table loses its width, colours or caption.
    EXPECT_EQ(doc()->body()->innerHTML(), before);
    runTable([](VornaDialogTableProperty& d) {
        d.m_strCellSpacing = QStringLiteral("3");
        d.m_crBackground = platform::rgb(0xEE, 0xEE, 0xEE);
    });
    for (const char* id : {"t1", "t2", "t3"}) {
        EXPECT_EQ(attr(id, "cellspacing"), QStringLiteral("3")) << id;
        EXPECT_EQ(attr(id, "bgcolor"), QStringLiteral("#eeeeee")) << id;
    }
    EXPECT_EQ(attr("t1", "width"), QStringLiteral("80%"));
    EXPECT_EQ(attr("t3", "border"), QStringLiteral("2"));
    EXPECT_EQ(byId("cap3")->innerText(), QStringLiteral("冬"));
    EXPECT_EQ(undoSteps(), steps + 1);
    undo();
    EXPECT_EQ(doc()->body()->innerHTML(), before);
}

TEST_F(TableProperties, TheCellOpensWithItsValuesInBothUnits)
{
    caretIn("c00");
    const int tableWidth = ElementClientSize(view(), byId("t1")).width();
    runCell(nullptr);
    EXPECT_EQ(cellBase.width(), tableWidth);
    EXPECT_EQ(openedCell.width, QStringLiteral("40"));
    EXPECT_TRUE(openedCell.widthPercent);
    EXPECT_TRUE(openedCell.widthPresent);
    EXPECT_EQ(openedCell.widthPixels, 40 * tableWidth / 100);
    EXPECT_EQ(openedCell.widthPercentValue, 40);
    EXPECT_EQ(openedCell.hAlign, QStringLiteral("right"));
    EXPECT_TRUE(openedCell.hAlignSet);
    EXPECT_FALSE(openedCell.vAlignSet);
    EXPECT_EQ(openedCell.backColor, kColorDefault);
    // Accepted unchanged: the cell stays as it was.
    EXPECT_EQ(outer("c00"), QStringLiteral("<TD id=c00 width=\"40%\" align=right>一</TD>"));
    caretIn("c11");
    runCell(nullptr);
    EXPECT_EQ(openedCell.widthPixels, 100);
    EXPECT_EQ(openedCell.widthPercentValue, int(100.0 / cellBase.width() * 100.0));
    EXPECT_FALSE(openedCell.widthPercent);
    EXPECT_EQ(openedCell.background, QStringLiteral("bg.gif"));
}

TEST_F(TableProperties, TheCellTakesItsChangesAsOneStep)
{
    caretIn("c01");
    const int steps = undoSteps();
    runCell([](VornaDialogTableCellProperty& d) {
        EXPECT_TRUE(d.m_bNoWrap);
        d.m_bNoWrap = false;
        d.m_strVAlign = QStringLiteral("bottom");
        d.m_bVAlignSet = true;
        d.m_strWidth = QStringLiteral("30");
    });
    // The unreadable colour stays as written.
    EXPECT_EQ(outer("c01"), QStringLiteral("<TD id=c01 bgcolor=bogus width=\"30%\" valign=bottom>二</TD>"));
    EXPECT_EQ(undoSteps(), steps + 1);
    // Emptied width, height and background go.
    caretIn("c11");
    runCell([](VornaDialogTableCellProperty& d) {
        d.m_strWidth.clear();
        d.m_strHeight.clear();
        d.m_strBackground.clear();
        d.m_crBorder = platform::rgb(255, 0, 0);
    });
    EXPECT_EQ(outer("c11"), QStringLiteral("<TD id=c11 bordercolor=Red>四</TD>"));
    EXPECT_EQ(undoSteps(), steps + 2);
    undo();
    EXPECT_EQ(outer("c11"), QStringLiteral("<TD id=c11 width=100 height=20 background=\"bg.gif\">四</TD>"));
}

TEST_F(TableProperties, SplittingACellIntoColumnsKeepsTheGridWhole)
{
    // A cell of width 60 in a nested table: only the nested table splits.
    caretIn("f00");
    const int steps = undoSteps();
    ASSERT_TRUE(enabled(ID_TABLE_SPLIT_CELL_COLUMN));
    run(ID_TABLE_SPLIT_CELL_COLUMN);
    EXPECT_EQ(shape("t4"), QStringLiteral("f00 ? f01"));
    EXPECT_EQ(attr("f00", "width"), QStringLiteral("30"));
    EXPECT_EQ(byId("t4")->rows().item(0)->cells().item(1)->getAttributeText(QStringLiteral("width")),
              QStringLiteral("30"));
    EXPECT_EQ(shape("t3"), QStringLiteral("e00 e01"));
    EXPECT_FALSE(has("e00", "width"));
    EXPECT_EQ(undoSteps(), steps + 1);
    // A cell without width: both halves 50 %.
    caretIn("e01");
    run(ID_TABLE_SPLIT_CELL_COLUMN);
    EXPECT_EQ(attr("e01", "width"), QStringLiteral("50%"));
}

TEST_F(TableProperties, TheCellsAcrossASplitColumnAreWidenedByTheirGridPlaces)
{
    ASSERT_NE(open(QStringLiteral(">\n<TABLE id=g border=1>"
                                  "<TR><TD id=a rowspan=2 width=100>a</TD><TD id=b>b</TD><TD id=c>c</TD></TR>"
                                  "<TR><TD id=d colspan=2>d</TD></TR>"
                                  "<TR><TD id=e>e</TD><TD id=f>f</TD><TD id=g2>g</TD></TR></TABLE>\n"),
                   "UTF-8", QStringLiteral("grid")),
              nullptr);
    // The cell spans two rows: its new neighbour too; the row below it
    // spans the new column with the cell under it.
    engine::Element* a = byId("a");
    ASSERT_TRUE(SplitCellColumn(a));
    EXPECT_EQ(shape("g"), QStringLiteral("a:1x2 ?:1x2 b c | d:2x1 | e:2x1 f g2"));
    EXPECT_EQ(attr("a", "width"), QStringLiteral("50"));
    // A cell spanning two columns gives up its last one.
    ASSERT_TRUE(SplitCellColumn(byId("d")));
    EXPECT_EQ(shape("g"), QStringLiteral("a:1x2 ?:1x2 b c | d ? | e:2x1 f g2"));
    // Not a cell of a row: nothing.
    EXPECT_FALSE(SplitCellColumn(byId("g")));
}

} // namespace
