// Tables as pages written by hand or by other tools leave them: empty ones,
// spans beyond the grid, widths that are no numbers, huge or negative, deep
// nesting; and tables in places the editor moves or changes (positioned
// boxes, MARQUEE, widths edited in place).

#include "engine/EnginePage.h"
#include "engine/css/Style.h"
#include "engine/layout/DocumentLayout.h"
#include "engine/layout/HitTester.h"
#include "engine/layout/LayoutEngine.h"

#include "LayoutFixture.h"

#include <gtest/gtest.h>

#include <set>

using engine::LayoutBox;
using engine::LayoutEngine;

namespace {

QRect tableBoxOf(const engine::LayoutTree& tree, const char* id)
{
    const LayoutBox* box = tree.boxByHtmlId(QString::fromLatin1(id));
    if (!box)
        throw std::runtime_error(std::string("no box for ") + id);
    return box->borderBox;
}

TEST(OddTables, HugeWidthsStayWithinPixelArithmetic)
{
    LayoutEngine layout;
    layout_test::loadFixture(layout, QStringLiteral("tables-odd.html"));
    // 1000000 % of 780: as wide as asked, and every box of it positive;
    // o13's widths, spacing and span (99999999999) neither overflow nor
    // make a grid of that many columns.
    const QRect table = tableBoxOf(layout.tree(), "o12");
    EXPECT_GT(table.width(), 780);
    EXPECT_GT(tableBoxOf(layout.tree(), "o12a").width(), 0);
    EXPECT_GT(tableBoxOf(layout.tree(), "o12b").width(), 0);
    EXPECT_GT(tableBoxOf(layout.tree(), "o12b").left(), tableBoxOf(layout.tree(), "o12a").left());
    for (const LayoutBox& box : layout.tree().boxes) {
        EXPECT_GE(box.borderBox.width(), 0);
        EXPECT_GE(box.borderBox.height(), 0);
    }
}

TEST(OddTables, SameBoxesOverRepeatedLayouts)
{
    LayoutEngine layout;
    layout_test::loadFixture(layout, QStringLiteral("tables-odd.html"));
    const engine::LayoutTree first = layout.tree();
    layout.layout(300);
    layout.layout(800);
    ASSERT_EQ(layout.tree().boxes.size(), first.boxes.size());
    for (size_t i = 0; i < first.boxes.size(); ++i)
        EXPECT_EQ(layout.tree().boxes[i].borderBox, first.boxes[i].borderBox) << i;
}

// The positioned objects the editor drags: a relayout (after a move, an edit
// elsewhere, a resize of the view) must not change a table's width in them.
const char* const kPositionedTables = R"(<HTML><BODY>
<DIV id=d1 style="position:absolute;left:20px;top:20px;width:90px">
<TABLE id=t1 border=1><TR><TD id=t1a width="60%">alpha beta</TD><TD id=t1b>gamma delta</TD></TR></TABLE></DIV>
<DIV id=d2 style="position:absolute;left:300px;top:20px">
<TABLE id=t2 border=1 width="100%"><TR><TD id=t2a width="30%">one two</TD><TD id=t2b>three four five</TD></TR></TABLE></DIV>
<DIV id=d3 style="position:absolute;left:20px;top:200px">
<TABLE id=t3 border=1><CAPTION id=t3c>A caption of several words</CAPTION><TR><TD id=t3a width="50%">x</TD><TD id=t3b>y</TD></TR></TABLE></DIV>
</BODY></HTML>)";

TEST(TablesInPositionedBoxes, KeepTheirWidthsOverRelayouts)
{
    LayoutEngine layout;
    layout.load(QString::fromLatin1(kPositionedTables));
    layout.layout(800);
    const engine::LayoutTree first = layout.tree();
    for (int width : {800, 640, 800, 1200, 800}) {
        layout.layout(width);
        for (const char* id : {"d1", "t1", "t1a", "t1b", "d2", "t2", "t2a", "d3", "t3", "t3c", "t3a", "t3b"})
            EXPECT_EQ(tableBoxOf(layout.tree(), id).size(), tableBoxOf(first, id).size()) << id << " at " << width;
    }
    // The shrink-to-fit boxes hold their tables.
    for (const char* pair : {"d2t2", "d3t3"}) {
        const char box[3] = {pair[0], pair[1], 0}, table[3] = {pair[2], pair[3], 0};
        EXPECT_GE(tableBoxOf(layout.tree(), box).width(), tableBoxOf(layout.tree(), table).width()) << box;
    }
}

TEST(TablesInPositionedBoxes, PercentageTablesGetTheRoomTheirColumnsAsk)
{
    LayoutEngine layout;
    layout_test::loadFixture(layout, QStringLiteral("tables-shrink.html"));
    const engine::LayoutTree& tree = layout.tree();
    // Every cell keeps its words on one line.
    for (const char* id : {"t2a", "t2b", "t3a", "t3b"}) {
        const QRect cell = tableBoxOf(tree, id);
        std::set<int> lines;
        for (const engine::TextPiece& piece : tree.pieces) {
            if (cell.contains(piece.box) && !piece.text.trimmed().isEmpty())
                lines.insert(piece.box.top());
        }
        EXPECT_EQ(lines.size(), 1u) << id;
    }
    for (const char* pair : {"d2t2", "d3t3"}) {
        const char box[3] = {pair[0], pair[1], 0}, table[3] = {pair[2], pair[3], 0};
        EXPECT_EQ(tableBoxOf(tree, box).width(), tableBoxOf(tree, table).width()) << box;
    }
}

TEST(TablesInPositionedBoxes, KeepTheirWidthsWhenDraggedAndLaidOutAgain)
{
    engine::Ref<engine::Document> doc = pageFrom(QString::fromLatin1(kPositionedTables));
    engine::DocumentLayout layout(doc.get());
    layout.setViewportSize(QSize(800, 600));
    layout.ensureLayout();
    const QSize before = layout.box(layout_test::byId(doc.get(), "t2"))->borderBox.size();
    layout_test::byId(doc.get(), "d2")
        ->style()
        .setAttribute(QStringLiteral("left"), engine::Variant(QStringLiteral("420px")));
    layout.ensureLayout();
    EXPECT_EQ(layout.box(layout_test::byId(doc.get(), "t2"))->borderBox.size(), before);
    layout.setViewportSize(QSize(700, 600));
    layout.ensureLayout();
    EXPECT_EQ(layout.box(layout_test::byId(doc.get(), "t2"))->borderBox.size(), before);
}

TEST(TablesInPositionedBoxes, MatchAFreshLayoutAfterAWidthIsEdited)
{
    engine::Ref<engine::Document> doc = pageFrom(QString::fromLatin1(kPositionedTables));
    engine::DocumentLayout layout(doc.get());
    layout.setViewportSize(QSize(800, 600));
    layout.ensureLayout();
    for (const char* value : {"0", "-5", "abc%", "1000000", "90%", "40"}) {
        layout_test::byId(doc.get(), "t1a")
            ->setAttribute(QStringLiteral("width"), engine::Variant(QString::fromLatin1(value)));
        layout_test::byId(doc.get(), "t3")
            ->setAttribute(QStringLiteral("width"), engine::Variant(QString::fromLatin1(value)));
        layout.ensureLayout();
        engine::DocumentLayout fresh(doc.get());
        fresh.setViewportSize(QSize(800, 600));
        fresh.ensureLayout();
        for (const char* id : {"d1", "t1", "t1a", "t1b", "d3", "t3", "t3c", "t3a", "t3b"}) {
            const engine::Element* el = layout_test::byId(doc.get(), id);
            ASSERT_TRUE(layout.box(el) && fresh.box(el)) << id;
            EXPECT_EQ(layout.box(el)->borderBox, fresh.box(el)->borderBox) << id << " with width " << value;
        }
    }
    // The caption is found where it is drawn, above the cells.
    const QRect caption = layout.box(layout_test::byId(doc.get(), "t3c"))->borderBox;
    const QRect cell = layout.box(layout_test::byId(doc.get(), "t3a"))->borderBox;
    engine::Element* hit = engine::HitTester(layout).elementFromPoint(caption.center());
    EXPECT_EQ(hit ? hit->id() : QString(), QStringLiteral("t3c"));
    hit = engine::HitTester(layout).elementFromPoint(cell.center());
    EXPECT_EQ(hit ? hit->id() : QString(), QStringLiteral("t3a"));
}

// The grid is built with the spans browsers would use (columns where no cell
// begins left out); an edit of one span builds it again from the page's own.
TEST(OddTables, SpansEditedInPlaceMatchAFreshLayout)
{
    engine::Ref<engine::Document> doc =
        pageFrom(QStringLiteral("<body><table id=t border=1><tr><td id=a colspan=3>across all</td></tr>"
                                "<tr><td id=b>b</td><td id=c>c c</td><td id=d>d</td></tr></table></body>"));
    engine::DocumentLayout layout(doc.get());
    layout.setViewportSize(QSize(800, 600));
    layout.ensureLayout();
    for (const char* span : {"2", "0", "7", "1", "3"}) {
        layout_test::byId(doc.get(), "b")
            ->setAttribute(QStringLiteral("colspan"), engine::Variant(QString::fromLatin1(span)));
        layout.ensureLayout();
        engine::DocumentLayout fresh(doc.get());
        fresh.setViewportSize(QSize(800, 600));
        fresh.ensureLayout();
        for (const char* id : {"t", "a", "b", "c", "d"}) {
            const engine::Element* el = layout_test::byId(doc.get(), id);
            ASSERT_TRUE(layout.box(el) && fresh.box(el)) << id;
            EXPECT_EQ(layout.box(el)->borderBox, fresh.box(el)->borderBox) << id << " with colspan " << span;
        }
    }
}

TEST(NestedPercentageTables, TwelveDeepLayOutInsideEachOther)
{
    QString html = QStringLiteral("<HTML><BODY>");
    for (int i = 0; i < 12; ++i)
        html += QStringLiteral("<TABLE id=n%1 width=\"100%\" border=1><TR><TD width=\"90%\">%1").arg(i);
    for (int i = 0; i < 12; ++i)
        html += QStringLiteral("</TD><TD>r</TD></TR></TABLE>");
    html += QStringLiteral("</BODY></HTML>");
    LayoutEngine layout;
    layout.load(html);
    layout.layout(800);
    QRect outer = tableBoxOf(layout.tree(), "n0");
    EXPECT_EQ(outer.width(), 780);
    for (int i = 1; i < 12; ++i) {
        const QByteArray id = QByteArray("n") + QByteArray::number(i);
        const QRect inner = tableBoxOf(layout.tree(), id.constData());
        EXPECT_TRUE(outer.contains(inner)) << id.constData();
        EXPECT_GT(inner.width(), 0) << id.constData();
        outer = inner;
    }
}

TEST(TablesInMarquee, LayOutInsideTheMarquee)
{
    LayoutEngine layout;
    layout.load(QStringLiteral("<HTML><BODY><MARQUEE id=m width=300 height=80>"
                               "<TABLE id=t border=1 width=\"50%\"><CAPTION id=c>cap</CAPTION><TR>"
                               "<TD id=a width=\"40%\">a</TD><TD id=b>b</TD></TR></TABLE></MARQUEE></BODY></HTML>"));
    layout.layout(800);
    const QRect marquee = tableBoxOf(layout.tree(), "m");
    const QRect table = tableBoxOf(layout.tree(), "t");
    EXPECT_EQ(marquee.width(), 300);
    EXPECT_EQ(table.width(), 150);
    EXPECT_EQ(table.left(), marquee.left());
    EXPECT_EQ(tableBoxOf(layout.tree(), "c").width(), 150);
    EXPECT_NEAR(tableBoxOf(layout.tree(), "a").width(), (150 - 2 - 3 * 2) * 40 / 100, 1);
}

} // namespace
