// Cell ranges of tables with spans on a page in the program: their grid
// rectangle, their highlight as the page paints it, and their end.

#include "EditorPage.h"

#include "editor/painters/CHTMLPainterCell.h"

#include "engine/markup/UndoManager.h"
#include "engine/view/DesignModeInput.h"

namespace {

// A price list as people made them: a heading across the table, a row span
// in the first column, a nested table in a cell.
const char* const kTables =
    "style=\"margin:0\">\n"
    "<TABLE id=plain border=1 cellspacing=0 cellpadding=4 style=\"POSITION: absolute; LEFT: 0px; TOP: 0px\">"
    "<TR><TD id=p00 width=60>一</TD><TD id=p01 width=60>二</TD><TD id=p02 width=60>三</TD></TR>"
    "<TR><TD id=p10>四</TD><TD id=p11>五</TD><TD id=p12>六</TD></TR>"
    "<TR><TD id=p20>七</TD><TD id=p21>八</TD><TD id=p22>九</TD></TR></TABLE>\n"
    "<TABLE id=spans border=1 cellspacing=0 cellpadding=4 style=\"POSITION: absolute; LEFT: 0px; TOP: 150px\">"
    "<TR><TH id=head colspan=2>料金表</TH><TH id=h2 width=60>円</TH><TH id=h3 width=60>税</TH></TR>"
    "<TR><TD id=kind rowspan=2 width=60>大人</TD><TD id=s11 width=60>平日</TD><TD id=s12>1000</TD><TD "
    "id=s13>50</TD></TR>"
    "<TR><TD id=s21>休日</TD><TD id=s22>1200</TD><TD id=s23>60</TD></TR>"
    "<TR><TD id=s30>子供</TD><TD id=s31 colspan=2>無料</TD>"
    "<TD id=s33><TABLE id=inner border=1><TR><TD id=n00>内</TD></TR></TABLE></TD></TR></TABLE>\n";

class CellRange : public EditorPage
{
protected:
    void SetUp() override
    {
        EditorPage::SetUp();
        ASSERT_NE(open(QString::fromUtf8(kTables), "EUC-JP"), nullptr);
    }

    // The range as the Table commands set it, then painted.
    void setRange(const char* table, const char* anchor, const char* current)
    {
        CImpIDispatch* s = sink();
        s->m_pSelTable = byId(table);
        int row = 0, column = 0;
        ASSERT_EQ(s->GetCellGridPosition(byId(anchor), row, column, false), S_OK) << anchor;
        s->m_cellAnchor = {row, column};
        s->m_pAnchorCell = byId(anchor);
        ASSERT_EQ(s->GetCellGridPosition(byId(current), row, column, false), S_OK) << current;
        s->m_cellCurrent = {row, column};
        s->m_pCurrentCell = byId(current);
        s->UpdateCellHighlight();
    }

    QString indices()
    {
        int l = 0, t = 0, r = 0, b = 0;
        if (!sink()->GetSelectedCellIndices(l, t, r, b))
            return QStringLiteral("none");
        return QStringLiteral("%1,%2 ~ %3,%4").arg(l).arg(t).arg(r).arg(b);
    }

    // Whether the middle of a cell is painted in the selection blue.
    bool painted(const char* id)
    {
        const QImage image = page()->renderToImage();
        const QRect box = clientBox(id);
        // Beside the text, inside the padding.
        return image.pixel(page()->clientToView(QPoint(box.left() + 2, box.top() + 2))) ==
               platform::toQColor(CHTMLPainterCell::kFillColor).rgb();
    }

    int paintedCount(std::initializer_list<const char*> ids)
    {
        int n = 0;
        for (const char* id : ids)
            n += painted(id);
        return n;
    }
};

TEST_F(CellRange, APlainTableFromCornerToCorner)
{
    setRange("plain", "p00", "p21");
    EXPECT_TRUE(sink()->HasCellSelection());
    EXPECT_EQ(indices(), QStringLiteral("0,0 ~ 1,2"));
    EXPECT_TRUE(sink()->m_bCellRangeRectangular);
    EXPECT_EQ(paintedCount({"p00", "p01", "p10", "p11", "p20", "p21"}), 6);
    EXPECT_EQ(paintedCount({"p02", "p12", "p22"}), 0);
    // Backwards: the same cells.
    setRange("plain", "p21", "p00");
    EXPECT_EQ(indices(), QStringLiteral("0,0 ~ 1,2"));
    EXPECT_EQ(paintedCount({"p00", "p01", "p10", "p11", "p20", "p21", "p02", "p12", "p22"}), 6);
}

TEST_F(CellRange, OneCellIsNoRange)
{
    setRange("plain", "p11", "p11");
    EXPECT_FALSE(sink()->HasCellSelection());
    EXPECT_EQ(indices(), QStringLiteral("none"));
    EXPECT_FALSE(painted("p11"));
    // Only the anchor set: no range either.
    ResetCellPosition(sink()->m_cellCurrent);
    EXPECT_FALSE(sink()->HasCellSelection());
}

TEST_F(CellRange, GridPlacesOfCellsWithSpans)
{
    CImpIDispatch* s = sink();
    s->m_pSelTable = byId("spans");
    int row = -5, column = -5;
    EXPECT_EQ(s->GetCellGridPosition(byId("s21"), row, column, false), S_OK);
    EXPECT_EQ(QPoint(column, row), QPoint(1, 2)); // after the row span
    EXPECT_EQ(s->GetCellGridPosition(byId("kind"), row, column, true), S_OK);
    EXPECT_EQ(QPoint(column, row), QPoint(0, 2)); // its last covered row
    EXPECT_EQ(s->GetCellGridPosition(byId("head"), row, column, true), S_OK);
    EXPECT_EQ(QPoint(column, row), QPoint(1, 0)); // its last covered column
    EXPECT_EQ(s->GetCellGridPosition(byId("s33"), row, column, false), S_OK);
    EXPECT_EQ(QPoint(column, row), QPoint(3, 3));
    // A cell of the nested table, or of another table, is not on this grid.
    EXPECT_EQ(s->GetCellGridPosition(byId("n00"), row, column, false), -1);
    EXPECT_EQ(s->GetCellGridPosition(byId("p00"), row, column, false), -1);
    EXPECT_EQ(s->GetCellGridPosition(byId("spans"), row, column, false), -1);
    EXPECT_EQ(s->GetCellGridPosition(nullptr, row, column, false), -1);
}

TEST_F(CellRange, TheSpanOfTheFartherEndWidensTheRange)
{
    // Anchor at column 1 under the heading (colspan 2 from column 0): the
    // range from the heading to a cell at column 2.
    setRange("spans", "s12", "head");
    EXPECT_EQ(indices(), QStringLiteral("0,0 ~ 2,1")); // the heading at the smaller index does not widen
    setRange("spans", "head", "s12");
    EXPECT_EQ(indices(), QStringLiteral("0,0 ~ 2,1"));
    // Equal columns: the larger span of the two.
    setRange("spans", "s31", "s11");
    EXPECT_EQ(indices(), QStringLiteral("1,1 ~ 2,3"));
    // The row span of the end further down.
    setRange("spans", "s12", "kind");
    EXPECT_EQ(indices(), QStringLiteral("0,1 ~ 2,2"));
}

TEST_F(CellRange, ACellAcrossAnEdgeMakesTheRangeUneven)
{
    // From column 1 to column 2, rows 0 and 1: the heading spans from column 0.
    setRange("spans", "h2", "s11");
    EXPECT_EQ(indices(), QStringLiteral("1,0 ~ 2,1"));
    EXPECT_FALSE(sink()->m_bCellRangeRectangular);
    // Rows 1 to 2 of columns 1 to 3: every cell inside.
    setRange("spans", "s11", "s23");
    EXPECT_TRUE(sink()->m_bCellRangeRectangular);
    EXPECT_EQ(paintedCount({"s11", "s12", "s13", "s21", "s22", "s23"}), 6);
    EXPECT_EQ(paintedCount({"kind", "head", "s30", "s31"}), 0);
    // Rows 2 to 3 of column 0: the row span reaches up out of the range.
    setRange("spans", "s30", "kind");
    EXPECT_EQ(indices(), QStringLiteral("0,1 ~ 0,3"));
    setRange("spans", "s21", "s30");
    EXPECT_FALSE(sink()->m_bCellRangeRectangular);
}

TEST_F(CellRange, TheHighlightLeavesNoUndoStepAndClearsCompletely)
{
    doc()->setDirty(false);
    const bool couldUndo = doc()->undoManager().canUndo();
    setRange("spans", "s11", "s23");
    setRange("spans", "s11", "s33");
    EXPECT_EQ(doc()->undoManager().canUndo(), couldUndo);
    EXPECT_FALSE(doc()->isDirty());
    sink()->ClearCellRange();
    EXPECT_FALSE(sink()->HasCellSelection());
    EXPECT_EQ(sink()->m_pSelTable, nullptr);
    EXPECT_EQ(sink()->m_pAnchorCell, nullptr);
    EXPECT_EQ(paintedCount({"s11", "s12", "s13", "s21", "s22", "s23", "s31", "s33"}), 0);
    EXPECT_TRUE(sink()->m_cellCookies->held.empty());
    EXPECT_FALSE(doc()->isDirty());
}

TEST_F(CellRange, ARangeMovedToAnotherTableTakesItsHighlightAlong)
{
    setRange("plain", "p00", "p11");
    EXPECT_EQ(paintedCount({"p00", "p01", "p10", "p11"}), 4);
    // The Table commands set a range on another table: the former one's
    // highlights go, also where the two tables' grid places coincide.
    setRange("spans", "s11", "s23");
    EXPECT_EQ(paintedCount({"p00", "p01", "p10", "p11"}), 0);
    EXPECT_EQ(paintedCount({"s11", "s23"}), 2);
    EXPECT_EQ(sink()->m_cellCookies->held.size(), 6u);
}

TEST_F(CellRange, RowsBeyondTheCookieTableAreNotHighlighted)
{
    QString rows;
    for (int r = 0; r < 300; ++r)
        rows += QStringLiteral("<TR><TD id=r%1a>%1</TD><TD id=r%1b>x</TD></TR>").arg(r);
    ASSERT_NE(open(QStringLiteral("><TABLE id=long border=1>") + rows + QStringLiteral("</TABLE>"), "UTF-8",
                   QStringLiteral("long")),
              nullptr);
    setRange("long", "r250a", "r299b");
    EXPECT_EQ(indices(), QStringLiteral("0,250 ~ 1,299"));
    EXPECT_EQ(sink()->m_cellCookies->held.size(), 6u * 2u); // rows 250 to 255
    sink()->ClearCellRange();
    EXPECT_TRUE(sink()->m_cellCookies->held.empty());
}

TEST_F(CellRange, TheTableOfTheTextSelectionWithoutARange)
{
    engine::Ref<engine::Element> table;
    caretIn("s22", 1);
    EXPECT_EQ(sink()->GetSelectedTable(table), S_OK);
    EXPECT_EQ(table.get(), byId("spans"));
    caretIn("n00", 0);
    EXPECT_EQ(sink()->GetSelectedTable(table), S_OK);
    EXPECT_EQ(table.get(), byId("inner"));
    selectObjects({"plain"});
    EXPECT_EQ(sink()->GetSelectedTable(table), -1);
    EXPECT_EQ(table, nullptr);
}

TEST_F(CellRange, SelectionOperationsOfTheCommands)
{
    // An element as the control selection, and the one at a page point.
    EXPECT_EQ(sink()->SelectControlElement(byId("spans")), S_OK);
    EXPECT_EQ(doc()->selection().controlElements().front().get(), byId("spans"));
    engine::Ref<engine::Element> found;
    const QRect box = clientBox("plain");
    EXPECT_EQ(sink()->SelectElementAtPoint(QPoint(box.right() + 20, 60), &found), -1); // BODY is no object
    EXPECT_EQ(sink()->SelectElementAtPoint(QPoint(5, 45), &found), S_OK);
    // The innermost element there: a cell of the table.
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(found->tagName(), QStringLiteral("TD"));
    EXPECT_TRUE(byId("plain")->contains(found.get()));
    EXPECT_EQ(doc()->selection().controlElements().front(), found);
    // The page takes the mouse.
    sink()->SetDocumentCapture();
    EXPECT_EQ(page()->input().captureElement(), doc()->body());
    sink()->ReleaseDocumentCapture();
    EXPECT_EQ(page()->input().captureElement(), nullptr);
}

} // namespace
