// Sizing table columns and rows by their borders, and the engine's resize of
// a table or rule ending in plain attributes, on pages of the running program.

#include "GesturePage.h"

#include "engine/css/Style.h"
#include "engine/layout/Geometry.h"

namespace {

const char* const kPage = "style=\"margin:0\">\n"
                          "<TABLE id=t border=1 cellspacing=2 style='Z-INDEX: 101; LEFT: 20px; POSITION: absolute; "
                          "TOP: 20px'><TR><TD id=a1 width=80>一</TD><TD id=b1 width=80>二</TD>"
                          "<TD id=c1 width=80>三</TD></TR>"
                          "<TR><TD id=a2 colspan=2>四五</TD><TD id=c2 width=\"50%\">六</TD></TR></TABLE>\n"
                          "<TABLE id=plain style='Z-INDEX: 102; LEFT: 20px; POSITION: absolute; TOP: 200px'>"
                          "<TR><TD id=p1>x</TD><TD id=p2>y</TD></TR></TABLE>\n"
                          "<HR id=rule style=\"Z-INDEX: 103; LEFT: 20px; POSITION: absolute; TOP: 300px; "
                          "HEIGHT: 150px; WIDTH: 30%\">\n"
                          "<HR id=thin size=3 style=\"Z-INDEX: 104; LEFT: 20px; POSITION: absolute; TOP: 340px; "
                          "WIDTH: 4px\">\n";

class CellSizing : public GesturePage
{
protected:
    void SetUp() override
    {
        GesturePage::SetUp();
        ASSERT_NE(open(QString::fromUtf8(kPage)), nullptr);
    }
    // The hovered table as the mouse-over handler leaves it.
    void hover(const char* table, int border, int spacing)
    {
        sink()->m_pSizingTable = byId(table);
        sink()->m_nTableBorder = border;
        sink()->m_nTableCellSpacing = spacing;
        sink()->m_bOnColumnBorder = sink()->m_bOnRowBorder = sink()->m_bOnTableEdge = false;
    }
    QString attr(const char* id, const char* name) const
    {
        return byId(id)->getAttributeText(QString::fromLatin1(name));
    }
    int clientWidth(const char* id) const { return engine::Geometry(page()->layout()).clientWidth(byId(id)); }
};

TEST_F(CellSizing, TheBorderUnderThePointerAndItsBand)
{
    const QRect a1 = clientBox("a1");
    const QRect b1 = clientBox("b1");
    // In the spacing between the first two columns, coming from the left.
    hover("t", 1, 2);
    sink()->m_ptMousePrev = QPoint(a1.right() - 5, a1.center().y());
    sink()->m_ptMouse = QPoint(a1.right() + 1, a1.center().y());
    const int x = a1.right() + 2;
    sink()->HitTestCellBorder(x, a1.center().y());
    EXPECT_TRUE(sink()->m_bOnColumnBorder);
    EXPECT_FALSE(sink()->m_bOnRowBorder);
    EXPECT_FALSE(sink()->m_bOnTableEdge);
    EXPECT_EQ(sink()->m_pSizingCell.get(), byId("a1"));
    EXPECT_EQ(sink()->m_borderZone.xFrom, x);
    EXPECT_EQ(sink()->m_borderZone.xTo, x + 2);
    // Coming from the right, the band lies on the other side.
    sink()->m_ptMousePrev = QPoint(b1.left() + 5, a1.center().y());
    sink()->HitTestCellBorder(x, a1.center().y());
    EXPECT_EQ(sink()->m_borderZone.xFrom, x - 2);
    EXPECT_EQ(sink()->m_borderZone.xTo, x);
    // Below the first row: a row border.
    hover("t", 1, 2);
    const int y = a1.bottom() + 2;
    sink()->HitTestCellBorder(b1.center().x(), y);
    EXPECT_TRUE(sink()->m_bOnRowBorder);
    EXPECT_FALSE(sink()->m_bOnColumnBorder);
    // In front of the first column: the row selection mode, no border.
    hover("t", 1, 2);
    sink()->HitTestCellBorder(a1.left() - 1, a1.center().y());
    EXPECT_TRUE(sink()->m_bIsRowSelectionMode);
    EXPECT_FALSE(sink()->m_bOnColumnBorder);
    // The mouse-over handler reads an empty spacing as 2 and an empty border as 1.
    const QRect p1 = clientBox("p1");
    move(QPoint(p1.right() - 3, p1.center().y()));
    move(QPoint(p1.right() + 2, p1.center().y()));
    EXPECT_EQ(sink()->m_pSizingTable.get(), byId("plain"));
    EXPECT_EQ(sink()->m_nTableCellSpacing, 2);
    EXPECT_EQ(sink()->m_nTableBorder, 1);
}

TEST_F(CellSizing, AColumnBorderDraggedRewritesTheWidthsBesideIt)
{
    hover("t", 1, 2);
    sink()->m_pSizingCell = byId("b1");
    const int b = clientWidth("b1");
    const int c = clientWidth("c1");
    const int table = clientWidth("t");
    const int steps = undoSteps();
    sink()->ResizeColumnByDrag(20);
    // Columns 1 and 2: +21 and -19; the percentage cell became pixels first;
    // the table keeps its frozen width; the sizing cell keeps its own id.
    EXPECT_EQ(attr("b1", "width"), QString::number(b + 21));
    EXPECT_EQ(attr("c1", "width"), QString::number(c - 19));
    EXPECT_FALSE(attr("c2", "width").contains(QLatin1Char('%')));
    EXPECT_EQ(attr("t", "width"), QString::number(table + 2));
    EXPECT_EQ(attr("b1", "id"), QStringLiteral("b1"));
    EXPECT_EQ(undoSteps(), steps + 1);
    // A border dragged past the next one: no width below 1.
    sink()->ResizeColumnByDrag(-500);
    EXPECT_EQ(attr("b1", "width"), QStringLiteral("1"));
    // The outer right edge dragged: the table follows.
    hover("t", 1, 2);
    sink()->m_pSizingCell = byId("c1");
    sink()->m_bOnTableEdge = true;
    const int offset = engine::Geometry(page()->layout()).offsetWidth(byId("t"));
    sink()->ResizeColumnByDrag(30);
    EXPECT_EQ(attr("t", "width"), QString::number(offset + 30));
}

TEST_F(CellSizing, ARowBorderDraggedRewritesTheHeightsBesideIt)
{
    hover("t", 1, 2);
    sink()->m_pSizingCell = byId("a1");
    const int h = clientBox("a1").height() - 2;
    sink()->ResizeRowByDrag(10);
    EXPECT_EQ(attr("a1", "height"), QString::number(h + 12));
    EXPECT_EQ(attr("c1", "height"), QString::number(h + 12));
    EXPECT_EQ(attr("a2", "height"), QStringLiteral("0"));
    EXPECT_FALSE(byId("t")->hasAttribute(QStringLiteral("height")));
    // The row below keeps the height of its text.
    EXPECT_GT(clientBox("a2").height(), 10);
    // Dragged far up: the upper row keeps a height of 1.
    sink()->ResizeRowByDrag(-500);
    EXPECT_EQ(attr("a1", "height"), QStringLiteral("1"));
}

TEST_F(CellSizing, TheEnginesResizeEndsInPlainAttributes)
{
    selectObjects({"rule", "thin"});
    sink()->OnResizeEnd();
    // Height 150px at most 100; a percentage width becomes pixels.
    EXPECT_EQ(attr("rule", "size"), QStringLiteral("100"));
    EXPECT_EQ(byId("rule")->style().getAttribute(QStringLiteral("height")).toString(), QStringLiteral("100px"));
    EXPECT_FALSE(attr("rule", "width").contains(QLatin1Char('%')));
    EXPECT_GE(attr("rule", "width").toInt(), 10);
    // 4px wide becomes 10; no style height, its size stays.
    EXPECT_EQ(attr("thin", "width"), QStringLiteral("10"));
    EXPECT_EQ(attr("thin", "size"), QStringLiteral("3"));
    // Two tables: both get fixed widths.
    selectObjects({"t", "plain"});
    sink()->OnResizeEnd();
    EXPECT_FALSE(attr("t", "width").isEmpty());
    EXPECT_FALSE(attr("plain", "width").isEmpty());
    EXPECT_FALSE(attr("p1", "width").isEmpty());
}

} // namespace
