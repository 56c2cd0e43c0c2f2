// Table layouts against the boxes headless chromium gives the same fixture
// pages (scripts/layout-boxes-chromium.sh), left edges and widths within a
// pixel: text widths are fractional there and whole pixels here. Heights are
// left out (our lines are a pixel taller with the same font).

#include "engine/EnginePage.h"
#include "engine/layout/DocumentLayout.h"
#include "engine/layout/HitTester.h"
#include "engine/layout/LayoutEngine.h"

#include "LayoutFixture.h"

#include <gtest/gtest.h>

using engine::LayoutBox;
using engine::LayoutEngine;

namespace {

QRect boxOf(const LayoutEngine& layout, const char* id)
{
    const LayoutBox* box = layout.tree().boxByHtmlId(QString::fromLatin1(id));
    if (!box)
        throw std::runtime_error(std::string("no box for ") + id);
    return box->borderBox;
}

struct BrowserBox
{
    const char* page;
    const char* id;
    int left;
    int width;
};

void PrintTo(const BrowserBox& b, std::ostream* os)
{
    *os << b.page << '#' << b.id;
}

class TableBoxes : public ::testing::TestWithParam<BrowserBox>
{
};

TEST_P(TableBoxes, MatchChromium)
{
    const BrowserBox& b = GetParam();
    LayoutEngine layout;
    layout_test::loadFixture(layout, QString::fromLatin1(b.page));
    const QRect box = boxOf(layout, b.id);
    EXPECT_NEAR(box.left(), b.left, 1) << b.id;
    EXPECT_NEAR(box.width(), b.width, 1) << b.id;
}

INSTANTIATE_TEST_SUITE_P(
    Percentages, TableBoxes,
    ::testing::Values(
        // width=600: 30 % and 20 % of the width inside borders and spacing.
        BrowserBox{"tables-percent.html", "p1a", 13, 177}, BrowserBox{"tables-percent.html", "p1b", 192, 295},
        BrowserBox{"tables-percent.html", "p1c", 489, 118},
        // No table width: as wide as the 25 % column needs to hold its text.
        BrowserBox{"tables-percent.html", "p2", 10, 254}, BrowserBox{"tables-percent.html", "p2a", 13, 62},
        BrowserBox{"tables-percent.html", "p2b", 77, 185},
        // 60 % + 60 %: the second gets what the first left.
        BrowserBox{"tables-percent.html", "p3a", 13, 268}, BrowserBox{"tables-percent.html", "p3b", 283, 182},
        BrowserBox{"tables-percent.html", "p3c", 468, 39},
        // width=100% with a fixed, a percentage and an auto column.
        BrowserBox{"tables-percent.html", "p4a", 11, 54}, BrowserBox{"tables-percent.html", "p4b", 65, 233},
        BrowserBox{"tables-percent.html", "p4c", 298, 491},
        // A 100 % table inside a 70 % cell.
        BrowserBox{"tables-percent.html", "p5a", 10, 546}, BrowserBox{"tables-percent.html", "p5i", 10, 546},
        BrowserBox{"tables-percent.html", "p5ia", 13, 215}, BrowserBox{"tables-percent.html", "p5b", 556, 234},
        // A cell spanning two columns at 50 %.
        BrowserBox{"tables-percent.html", "p6a", 13, 197}, BrowserBox{"tables-percent.html", "p6d", 13, 51},
        BrowserBox{"tables-percent.html", "p6e", 66, 144}, BrowserBox{"tables-percent.html", "p6f", 212, 195},
        // Percentages under 100 and nothing else: shared by percentage.
        BrowserBox{"tables-percent.html", "p7a", 13, 157}, BrowserBox{"tables-percent.html", "p7b", 172, 235},
        BrowserBox{"tables-percent.html", "p8", 10, 160}, BrowserBox{"tables-percent.html", "p8a", 13, 76},
        // A long word keeps its column wider than its percentage.
        BrowserBox{"tables-percent.html", "p9a", 13, 254}, BrowserBox{"tables-percent.html", "p9b", 269, 38},
        // A header cell spanning two rows at 40 %.
        BrowserBox{"tables-percent.html", "p10a", 13, 157}, BrowserBox{"tables-percent.html", "p10c", 172, 235},
        // A 100 % table inside a cell of a table without a width.
        BrowserBox{"tables-percent.html", "p11", 10, 111}, BrowserBox{"tables-percent.html", "p11i", 15, 62},
        BrowserBox{"tables-percent.html", "p11ia", 18, 16}, BrowserBox{"tables-percent.html", "p11b", 81, 36},
        // 100 % beside an auto column: the auto column keeps its minimum.
        BrowserBox{"tables-percent.html", "p12a", 13, 278}, BrowserBox{"tables-percent.html", "p12b", 293, 14},
        // A lone 50 % column makes its table twice as wide as its text.
        BrowserBox{"tables-percent.html", "p13", 10, 143},
        // A narrow container.
        BrowserBox{"tables-percent.html", "p14a", 13, 154}, BrowserBox{"tables-percent.html", "p14b", 169, 38}));

INSTANTIATE_TEST_SUITE_P(
    Captions, TableBoxes,
    ::testing::Values(
        // The caption spans the table; the columns share as without it.
        BrowserBox{"tables-caption.html", "c1c", 10, 400}, BrowserBox{"tables-caption.html", "c1a", 13, 196},
        BrowserBox{"tables-caption.html", "c1b", 211, 196},
        // A caption's longest word widens a table of narrow cells.
        BrowserBox{"tables-caption.html", "c2", 10, 57}, BrowserBox{"tables-caption.html", "c2c", 10, 57},
        BrowserBox{"tables-caption.html", "c2a", 13, 24}, BrowserBox{"tables-caption.html", "c3c", 10, 300},
        BrowserBox{"tables-caption.html", "c3b", 101, 204}, BrowserBox{"tables-caption.html", "c4a", 13, 197},
        BrowserBox{"tables-caption.html", "c4b", 212, 295},
        // caption-side from a style sheet; 200 % is read as 100 %.
        BrowserBox{"tables-caption.html", "c6c", 10, 300}, BrowserBox{"tables-caption.html", "c6a", 13, 278}));

INSTANTIATE_TEST_SUITE_P(
    AutoAndFixed, TableBoxes,
    ::testing::Values(BrowserBox{"tables.html", "a1", 15, 404}, BrowserBox{"tables.html", "b1", 15, 128},
                      BrowserBox{"tables.html", "b2", 147, 272}, BrowserBox{"tables.html", "a3", 423, 82},
                      BrowserBox{"tables.html", "d1", 13, 91}, BrowserBox{"tables.html", "d2", 106, 366},
                      BrowserBox{"tables.html", "d3", 474, 133}, BrowserBox{"tables.html", "e1", 13, 146},
                      BrowserBox{"tables.html", "e2", 161, 146}));

INSTANTIATE_TEST_SUITE_P(
    OddMarkup, TableBoxes,
    ::testing::Values(
        // A table without cells is its borders.
        BrowserBox{"tables-odd.html", "o1", 10, 2},
        // Spans beyond the grid end at its last column / row; columns where
        // no cell begins take no room (o13a spans 99999999999 columns).
        BrowserBox{"tables-odd.html", "o3a", 13, 80}, BrowserBox{"tables-odd.html", "o13a", 11, 27},
        BrowserBox{"tables-odd.html", "o3b", 13, 39}, BrowserBox{"tables-odd.html", "o3c", 54, 39},
        BrowserBox{"tables-odd.html", "o4a", 13, 67}, BrowserBox{"tables-odd.html", "o4b", 82, 12},
        // Zero, negative and unreadable widths count as none.
        BrowserBox{"tables-odd.html", "o5", 10, 97}, BrowserBox{"tables-odd.html", "o5a", 13, 36},
        BrowserBox{"tables-odd.html", "o6", 10, 87}, BrowserBox{"tables-odd.html", "o6a", 13, 49},
        BrowserBox{"tables-odd.html", "o7", 10, 112}, BrowserBox{"tables-odd.html", "o7a", 13, 29},
        BrowserBox{"tables-odd.html", "o11a", 13, 32}, BrowserBox{"tables-odd.html", "o11b", 47, 36},
        // A cell far wider than the room: the table takes the room.
        BrowserBox{"tables-odd.html", "o8", 10, 780}, BrowserBox{"tables-odd.html", "o8b", 751, 36},
        // Percentages on the table and its cells together, over 100.
        BrowserBox{"tables-odd.html", "o9", 10, 390}, BrowserBox{"tables-odd.html", "o9a", 13, 239},
        BrowserBox{"tables-odd.html", "o9b", 254, 104}, BrowserBox{"tables-odd.html", "o9c", 359, 38}));

INSTANTIATE_TEST_SUITE_P(
    InBoxesAsWideAsTheirContent, TableBoxes,
    ::testing::Values(
        // The positioned DIV holds the table with its borders and padding.
        BrowserBox{"tables-shrink.html", "d1", 300, 115}, BrowserBox{"tables-shrink.html", "t1a", 307, 87},
        BrowserBox{"tables-shrink.html", "d4", 300, 129}, BrowserBox{"tables-shrink.html", "t4a", 302, 114},
        // A table with a width in pixels asks for it.
        BrowserBox{"tables-shrink.html", "d5", 300, 150}, BrowserBox{"tables-shrink.html", "t5", 300, 150},
        BrowserBox{"tables-shrink.html", "d6", 300, 74}, BrowserBox{"tables-shrink.html", "t6c", 300, 74},
        // A cell holds the table inside it, a float its table.
        BrowserBox{"tables-shrink.html", "o1a", 15, 124}, BrowserBox{"tables-shrink.html", "n1", 17, 120},
        BrowserBox{"tables-shrink.html", "f1", 10, 105}));

INSTANTIATE_TEST_SUITE_P(
    FloatsInBoxesAsWideAsTheirContent, TableBoxes,
    ::testing::Values(
        // A float and a block after it that has no flow of its own: the cell
        // is as wide as the wider of the two, not both side by side; left
        // and right floats alike, however deep the block stands.
        BrowserBox{"tables-floats.html", "r", 20, 247}, BrowserBox{"tables-floats.html", "rb", 23, 241},
        BrowserBox{"tables-floats.html", "l", 20, 247}, BrowserBox{"tables-floats.html", "lb", 23, 241},
        BrowserBox{"tables-floats.html", "n", 20, 247}, BrowserBox{"tables-floats.html", "nb", 23, 241},
        BrowserBox{"tables-floats.html", "w", 20, 422}, BrowserBox{"tables-floats.html", "wb", 23, 416},
        // Text beside the float in its own lines, and a block with a flow of
        // its own beside it: side by side.
        BrowserBox{"tables-floats.html", "i", 20, 302}, BrowserBox{"tables-floats.html", "o", 20, 302},
        BrowserBox{"tables-floats.html", "ob", 23, 159},
        // A table after a float asks for both side by side, one of a width
        // in percent too (it counts as none while measured); laid out, the
        // latter stands below the float.
        BrowserBox{"tables-floats.html", "t", 20, 234}, BrowserBox{"tables-floats.html", "tt", 85, 165},
        BrowserBox{"tables-floats.html", "d", 20, 232}, BrowserBox{"tables-floats.html", "dd", 23, 226},
        BrowserBox{"tables-floats.html", "p", 20, 234}, BrowserBox{"tables-floats.html", "pt", 23, 228}));

INSTANTIATE_TEST_SUITE_P(
    PercentagesInMeasuredCells, TableBoxes,
    ::testing::Values(
        // Measured for the cell around it, a table sizes its percentage
        // columns and its percentage width by their content: a member list
        // with a 100% column in a box as wide as its content, two deep, in
        // a table of BODY and beside fixed columns; laid out, the columns
        // then take their percentages of the width the cell got.
        BrowserBox{"tables-measured.html", "a", 20, 315}, BrowserBox{"tables-measured.html", "air", 118, 213},
        BrowserBox{"tables-measured.html", "b", 20, 94}, BrowserBox{"tables-measured.html", "biir", 52, 54},
        BrowserBox{"tables-measured.html", "d", 20, 88}, BrowserBox{"tables-measured.html", "djr", 49, 54},
        BrowserBox{"tables-measured.html", "fil", 25, 58}, BrowserBox{"tables-measured.html", "fir", 85, 99},
        BrowserBox{"tables-measured.html", "fix", 186, 41}, BrowserBox{"tables-measured.html", "hir", 184, 157},
        BrowserBox{"tables-measured.html", "n1", 20, 88}, BrowserBox{"tables-measured.html", "n3d", 108, 265},
        BrowserBox{"tables-measured.html", "n2c", 22, 143}, BrowserBox{"tables-measured.html", "n2d", 167, 451},
        // In a table of a width in pixels the percentage column takes what
        // the other leaves of it.
        BrowserBox{"tables-measured.html", "c", 20, 600}, BrowserBox{"tables-measured.html", "cir", 49, 566},
        // Text that wraps in the room asks for all of it.
        BrowserBox{"tables-measured.html", "g", 20, 780}, BrowserBox{"tables-measured.html", "gir", 49, 746},
        // A table sized by itself, or in a float, widens for its percentages.
        BrowserBox{"tables-measured.html", "k", 20, 526}, BrowserBox{"tables-measured.html", "kr", 284, 260},
        BrowserBox{"tables-measured.html", "n4", 20, 760},
        // The cell makes room for the table's margins (auto ones apart).
        BrowserBox{"tables-measured.html", "m", 20, 194}, BrowserBox{"tables-measured.html", "mi", 29, 182}));

INSTANTIATE_TEST_SUITE_P(
    BoxesMadeTablesByTheirStyle, TableBoxes,
    ::testing::Values(
        // A DIV of display: table in a TABLE's cell takes the spacing the
        // TABLE passes down, and the cell makes room for its frame and
        // margins, a width of 100% counting as none while it is measured.
        BrowserBox{"tables-measured.html", "s", 20, 93}, BrowserBox{"tables-measured.html", "sdi", 25, 83},
        BrowserBox{"tables-measured.html", "w", 20, 98}, BrowserBox{"tables-measured.html", "wd", 23, 92},
        BrowserBox{"tables-measured.html", "v", 20, 102}, BrowserBox{"tables-measured.html", "vdi", 33, 83},
        // One of 100% with a margin: the margin overflows the cell.
        BrowserBox{"tables-measured.html", "x", 20, 250}, BrowserBox{"tables-measured.html", "xd", 23, 244}));

INSTANTIATE_TEST_SUITE_P(
    PositionedWithWidthsInPercent, TableBoxes,
    ::testing::Values(
        // The editor's new table: 50% of the window at 800, its columns
        // sharing all of it, not half of it again; cells without a width,
        // one of 50% and a table of 100% in a cell alike.
        BrowserBox{"tables-positioned.html", "t", 40, 400}, BrowserBox{"tables-positioned.html", "t1", 43, 130},
        BrowserBox{"tables-positioned.html", "t3", 307, 130}, BrowserBox{"tables-positioned.html", "a2", 175, 130},
        BrowserBox{"tables-positioned.html", "b1", 43, 195}, BrowserBox{"tables-positioned.html", "b4", 45, 390},
        // Fixed: of the window too.
        BrowserBox{"tables-positioned.html", "c2", 174, 263},
        // A DIV of 50%: its blocks and tables share its width.
        BrowserBox{"tables-positioned.html", "d1", 41, 400}, BrowserBox{"tables-positioned.html", "d3", 44, 129},
        // In a text box and in a relatively positioned DIV of 300 px.
        BrowserBox{"tables-positioned.html", "e2", 44, 47}, BrowserBox{"tables-positioned.html", "f", 50, 150}));

INSTANTIATE_TEST_SUITE_P(InlineEdges, TableBoxes,
                         ::testing::Values(
                             // Cells and floats as wide as their text hold the margins, borders
                             // and padding of the inline elements around it, at either end: a
                             // member label in a column beside one of 100%, after text and
                             // nested.
                             BrowserBox{"inline-edges.html", "a2", 363, 47},
                             BrowserBox{"inline-edges.html", "b", 10, 51}, BrowserBox{"inline-edges.html", "c", 10, 51},
                             BrowserBox{"inline-edges.html", "d", 10, 59}, BrowserBox{"inline-edges.html", "e", 10, 68},
                             BrowserBox{"inline-edges.html", "f", 10, 51}));

INSTANTIATE_TEST_SUITE_P(
    PositionedAsWideAsTheirContent, TableBoxes,
    ::testing::Values(
        // Room from the left offset to the far side of the window, or of
        // the positioned DIV holding the box (less its margin), or from the
        // window's left side to a right offset; for tables, DIVs and fixed
        // boxes alike.
        BrowserBox{"tables-positioned.html", "g", 500, 300}, BrowserBox{"tables-positioned.html", "h", 270, 140},
        BrowserBox{"tables-positioned.html", "k", 600, 200}, BrowserBox{"tables-positioned.html", "m", 320, 480},
        // Text that wraps in the room takes all of it, positioned or not
        // (not text that wraps in a DIV or column of a width of its own, nor
        // in a table in such a DIV).
        BrowserBox{"tables-positioned.html", "n", 400, 400}, BrowserBox{"tables-positioned.html", "o", 20, 300},
        BrowserBox{"tables-positioned.html", "q", 100, 206}, BrowserBox{"tables-positioned.html", "s", 100, 156},
        BrowserBox{"tables-positioned.html", "r", 100, 700}));

// The head's rows stand first and the foot's last, wherever the page
// writes them (litehtml alone laid each group out in a cell of its own).
// The boxes are headless chromium's.
TEST(TableRows, HeadFirstAndFootLastLikeInBrowsers)
{
    LayoutEngine layout;
    layout.load(QStringLiteral("<body><table id=t border=1><tfoot><tr><td id=f>foot</td><td>x</td></tr></tfoot>"
                               "<tbody><tr><td id=b>body</td><td>y</td></tr></tbody><thead><tr><th id=h>head</th>"
                               "<th id=h2>wider head</th></tr></thead></table></body>"));
    layout.layout(800);
    EXPECT_EQ(boxOf(layout, "t"), QRect(10, 15, 137, 70));
    EXPECT_EQ(boxOf(layout, "h"), QRect(13, 18, 42, 20));
    EXPECT_EQ(boxOf(layout, "h2"), QRect(57, 18, 87, 20));
    EXPECT_EQ(boxOf(layout, "b"), QRect(13, 40, 42, 20));
    EXPECT_EQ(boxOf(layout, "f"), QRect(13, 62, 42, 20));
}

TEST(TableCaptions, CaptionAboveTheRowsAndTheCellsRightBelowIt)
{
    LayoutEngine layout;
    layout_test::loadFixture(layout, "tables-caption.html");
    const QRect table = boxOf(layout, "c1"), caption = boxOf(layout, "c1c"), cell = boxOf(layout, "c1a");
    EXPECT_EQ(caption.top(), table.top());
    // The table's border (1) and cell spacing (2) below the caption.
    EXPECT_EQ(cell.top(), caption.bottom() + 1 + 1 + 2);
    EXPECT_EQ(cell.bottom() + 2 + 1, table.bottom());
}

TEST(TableCaptions, BottomCaptionBelowTheRows)
{
    LayoutEngine layout;
    layout_test::loadFixture(layout, "tables-caption.html");
    const QRect table = boxOf(layout, "c3"), caption = boxOf(layout, "c3c"), cell = boxOf(layout, "c3a");
    // Border 1 and spacing 4 above the cells, the caption after the bottom ones.
    EXPECT_EQ(cell.top(), table.top() + 1 + 4);
    EXPECT_EQ(caption.top(), cell.bottom() + 1 + 4 + 1);
    EXPECT_EQ(caption.bottom(), table.bottom());
    // The next table starts below the caption.
    EXPECT_GT(boxOf(layout, "c4").top(), caption.bottom());
    // Also when a style sheet puts it there.
    EXPECT_EQ(boxOf(layout, "c6c").bottom(), boxOf(layout, "c6").bottom());
    EXPECT_GT(boxOf(layout, "c6c").top(), boxOf(layout, "c6a").bottom());
}

TEST(TableCaptions, BoxesAndWordsStayPutOverRepeatedLayouts)
{
    LayoutEngine layout;
    layout_test::loadFixture(layout, "tables-caption.html");
    const engine::LayoutTree first = layout.tree();
    layout.layout(500);
    layout.layout(800);
    const engine::LayoutTree again = layout.tree();
    for (const char* id : {"c1a", "c1b", "c3a", "c3c", "c4a", "c5b"})
        EXPECT_EQ(boxOf(layout, id), first.boxByHtmlId(QString::fromLatin1(id))->borderBox) << id;
    ASSERT_EQ(again.pieces.size(), first.pieces.size());
    for (size_t i = 0; i < first.pieces.size(); ++i)
        EXPECT_EQ(again.pieces[i].box, first.pieces[i].box) << first.pieces[i].text.toStdString();
    // A word of a cell lies inside the cell.
    const QRect cell = boxOf(layout, "c1a");
    bool found = false;
    for (const engine::TextPiece& piece : again.pieces) {
        if (piece.text == QLatin1String("ab")) {
            EXPECT_TRUE(cell.contains(piece.box)) << "word at " << piece.box.y() << ", cell at " << cell.y();
            found = true;
        }
    }
    EXPECT_TRUE(found);
}

TEST(TableCaptions, HitTestingFindsCaptionsAndCellsWhereTheyAreDrawn)
{
    engine::Ref<engine::Document> doc = pageFrom(layout_test::readFixture("tables-caption.html"));
    engine::DocumentLayout layout(doc.get());
    layout.setViewportSize(QSize(800, 600));
    const auto hitAt = [&](QPoint p) {
        engine::Element* el = engine::HitTester(layout).elementFromPoint(p);
        return el ? el->id().toStdString() : std::string("null");
    };
    // c1: caption 15..31, the cells from 34; c3: cells 200..220, caption
    // below from 225 to 241 (boxes as the fixture page lays out at 800).
    EXPECT_EQ(hitAt({20, 20}), "c1c");
    EXPECT_EQ(hitAt({20, 37}), "c1a");
    EXPECT_EQ(hitAt({20, 212}), "c3a");
    EXPECT_EQ(hitAt({20, 226}), "c3c");
    EXPECT_EQ(hitAt({150, 240}), "c3c");
}

TEST(TablePercentages, ChangedInPlaceLaysOutAsAFreshLayout)
{
    engine::Ref<engine::Document> doc = pageFrom(layout_test::readFixture("tables-percent.html"));
    engine::DocumentLayout layout(doc.get());
    layout.setViewportSize(QSize(800, 600));
    layout.ensureLayout();
    layout_test::byId(doc.get(), "p1a")->setAttribute(QStringLiteral("width"), engine::Variant(QStringLiteral("60%")));
    layout_test::byId(doc.get(), "p6a")->setAttribute(QStringLiteral("width"), engine::Variant(QStringLiteral("80")));
    layout.ensureLayout();
    engine::DocumentLayout fresh(doc.get());
    fresh.setViewportSize(QSize(800, 600));
    fresh.ensureLayout();
    for (const char* id : {"p1a", "p1b", "p1c", "p6a", "p6c", "p6d", "p6e", "p6f"}) {
        const engine::Element* el = layout_test::byId(doc.get(), id);
        ASSERT_TRUE(layout.box(el) && fresh.box(el)) << id;
        EXPECT_EQ(layout.box(el)->borderBox, fresh.box(el)->borderBox) << id;
    }
    // 60 % of the 590 px inside the borders and spacing.
    EXPECT_EQ(layout.box(layout_test::byId(doc.get(), "p1a"))->borderBox.width(), 354);
}

TEST(TablePercentages, ShareFollowsTheAvailableWidth)
{
    LayoutEngine layout;
    layout_test::loadFixture(layout, "tables-percent.html", 500);
    // width=100% at 500: 478 inside the page margins and the table's
    // borders; 30 % of it for the second column.
    EXPECT_EQ(boxOf(layout, "p4").width(), 480);
    EXPECT_EQ(boxOf(layout, "p4b").width(), 143);
    EXPECT_EQ(boxOf(layout, "p5a").width(), 336);
}

} // namespace

// A cell has no margins; a table as wide as its block does not fit beside a
// float and stands below it. The boxes are headless chromium's.
TEST(TableBoxesBesideOthers, CellsWithoutMarginsAndWideTablesBelowFloats)
{
    LayoutEngine layout;
    layout.load(QStringLiteral(
        "<body><table id=t style='border-spacing:0'><tr><td id=a style='margin:4px'>left</td>"
        "<td id=b style='margin:4px'>right</td></tr></table><h2 id=f style='float:left;margin:0 0 -1px'>float</h2>"
        "<div id=m style='display:table;width:100%'>table</div></body>"));
    layout.layout(800);
    EXPECT_EQ(boxOf(layout, "t"), QRect(10, 15, 62, 18));
    EXPECT_EQ(boxOf(layout, "a"), QRect(10, 15, 26, 18));
    EXPECT_EQ(boxOf(layout, "b"), QRect(36, 15, 36, 18));
    EXPECT_EQ(boxOf(layout, "f"), QRect(10, 33, 50, 24));
    EXPECT_EQ(boxOf(layout, "m"), QRect(10, 56, 780, 16));
}

// A positioned DIV of 50% is as tall as its content laid out at its width:
// two inline blocks that share a line at 400 px (not at the 390 px of the
// body it was first laid out in).
TEST(PositionedPercentages, HeightOfTheContentAtTheBoxsWidth)
{
    LayoutEngine layout;
    layout_test::loadFixture(layout, "tables-positioned.html");
    EXPECT_EQ(boxOf(layout, "d2").top(), 329);
    EXPECT_EQ(boxOf(layout, "d").bottom(), boxOf(layout, "d2").bottom() + 1);
}

TEST(PositionedPercentages, ChangedInPlaceLaysOutAsAFreshLayout)
{
    engine::Ref<engine::Document> doc = pageFrom(layout_test::readFixture("tables-positioned.html"));
    engine::DocumentLayout layout(doc.get());
    layout.setViewportSize(QSize(800, 600));
    layout.ensureLayout();
    layout_test::byId(doc.get(), "t")->setAttribute(QStringLiteral("width"), engine::Variant(QStringLiteral("60%")));
    layout_test::byId(doc.get(), "t1")->setAttribute(QStringLiteral("width"), engine::Variant(QStringLiteral("50%")));
    layout.ensureLayout();
    engine::DocumentLayout fresh(doc.get());
    fresh.setViewportSize(QSize(800, 600));
    fresh.ensureLayout();
    for (const char* id : {"t", "t1", "t2", "t3", "d", "d2"}) {
        const engine::Element* el = layout_test::byId(doc.get(), id);
        ASSERT_TRUE(layout.box(el) && fresh.box(el)) << id;
        EXPECT_EQ(layout.box(el)->borderBox, fresh.box(el)->borderBox) << id;
    }
    EXPECT_EQ(layout.box(layout_test::byId(doc.get(), "t"))->borderBox.width(), 480);
}
