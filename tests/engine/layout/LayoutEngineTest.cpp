#include "engine/layout/InParts.h"
#include "engine/layout/LayoutEngine.h"

#include "LayoutFixture.h"

#include <gtest/gtest.h>

#include <map>

#include <QPainter>

using engine::LayoutBox;
using engine::LayoutEngine;

namespace {

const LayoutBox& boxById(const LayoutEngine& layout, const char* id)
{
    const LayoutBox* box = layout.tree().boxByHtmlId(QString::fromLatin1(id));
    if (!box)
        throw std::runtime_error(std::string("no box for ") + id);
    return *box;
}

} // namespace

TEST(LayoutEngine, LaysOutBlocksInsideTheBodyMargins)
{
    LayoutEngine layout;
    layout.load(QStringLiteral("<html><body><div id=a style='width:100px;height:50px'></div>"
                               "<div id=b style='height:20px'></div></body></html>"));
    layout.layout(400);
    EXPECT_EQ(boxById(layout, "a").borderBox, QRect(10, 15, 100, 50));
    EXPECT_EQ(boxById(layout, "b").borderBox, QRect(10, 65, 380, 20));
}

TEST(LayoutEngine, EmptyAndUnloadedPagesLayOutToNothing)
{
    LayoutEngine layout;
    layout.setViewportSize(QSize(300, 100));
    layout.layout(300);
    EXPECT_TRUE(layout.tree().boxes.empty());
    layout.load(QString());
    layout.layout(300);
    const QImage image = layout.render(300, 100);
    EXPECT_EQ(image.size(), QSize(300, 100));
}

TEST(LayoutEngine, ACellOfHeightZeroIsAsHighAsItsContent)
{
    LayoutEngine layout;
    layout.load(QStringLiteral("<html><body><table><tr><td id=a height=0>text</td><td id=b>text</td></tr>"
                               "</table></body></html>"));
    layout.layout(400);
    EXPECT_EQ(boxById(layout, "a").borderBox.height(), boxById(layout, "b").borderBox.height());
    EXPECT_GT(boxById(layout, "a").borderBox.height(), 10);
}

TEST(LayoutEngine, TableHeightAttributeAndCellGeometry)
{
    LayoutEngine layout;
    layout_test::loadFixture(layout, "tables.html");
    const LayoutBox& t1 = boxById(layout, "t1");
    EXPECT_EQ(t1.borderBox.width(), 500);
    EXPECT_EQ(t1.borderBox.height(), 120);
    // cellspacing 4 between the table border (1) and the cells.
    const LayoutBox& a1 = boxById(layout, "a1");
    EXPECT_EQ(a1.borderBox.topLeft(), t1.borderBox.topLeft() + QPoint(5, 5));
    // The spanning cells line up with the cells they span.
    const LayoutBox& b1 = boxById(layout, "b1");
    const LayoutBox& b2 = boxById(layout, "b2");
    const LayoutBox& a3 = boxById(layout, "a3");
    EXPECT_EQ(a1.borderBox.left(), b1.borderBox.left());
    EXPECT_EQ(a1.borderBox.right(), b2.borderBox.right());
    EXPECT_EQ(a3.borderBox.top(), a1.borderBox.top());
    EXPECT_EQ(a3.borderBox.bottom(), b1.borderBox.bottom());
    // cellpadding 6 plus the 1px cell border.
    EXPECT_EQ(b1.contentBox.left() - b1.borderBox.left(), 7);
}

TEST(LayoutEngine, CellSizeAttributesAsBrowsersReadThem)
{
    // width is the content box (plus padding 4 and border 1 on each side);
    // height is the whole cell, as chromium lays out the same page.
    LayoutEngine layout;
    layout_test::loadFixture(layout, "hit.html");
    EXPECT_EQ(boxById(layout, "c1").borderBox, QRect(32, 32, 110, 40));
    EXPECT_EQ(boxById(layout, "c2").borderBox, QRect(152, 32, 110, 40));
    EXPECT_EQ(boxById(layout, "t").borderBox, QRect(20, 20, 254, 64));
}

TEST(LayoutEngine, SpareTableWidthGoesToColumnsByTheirWidths)
{
    LayoutEngine layout;
    layout_test::loadFixture(layout, "tables.html");
    // Two equal columns share the spare width equally, not all to the last.
    const int e1 = boxById(layout, "e1").borderBox.width();
    const int e2 = boxById(layout, "e2").borderBox.width();
    EXPECT_LE(std::abs(e1 - e2), 1);
    EXPECT_EQ(boxById(layout, "t4").borderBox.width(), 300);
    // Longer content, wider column.
    EXPECT_LT(boxById(layout, "d1").borderBox.width(), boxById(layout, "d3").borderBox.width());
    EXPECT_LT(boxById(layout, "d3").borderBox.width(), boxById(layout, "d2").borderBox.width());
}

TEST(LayoutEngine, NestedTableSitsInsideItsCell)
{
    LayoutEngine layout;
    layout_test::loadFixture(layout, "tables.html");
    const LayoutBox& cell = boxById(layout, "n1");
    const LayoutBox& inner = boxById(layout, "inner");
    EXPECT_EQ(cell.borderBox.width(), 120);
    EXPECT_TRUE(cell.borderBox.contains(inner.borderBox));
    EXPECT_EQ(boxById(layout, "n2").borderBox.size(), QSize(200, 60));
}

TEST(LayoutEngine, MarqueeIsAClippedBoxOfItsSize)
{
    LayoutEngine layout;
    layout_test::loadFixture(layout, "objects.html");
    EXPECT_EQ(boxById(layout, "mq").borderBox.size(), QSize(300, 40));
    EXPECT_TRUE(boxById(layout, "mq").clipsContent);
}

struct BoxSizeCase
{
    const char* id;
    QSize size;
};

class ObjectBoxSize : public ::testing::TestWithParam<BoxSizeCase>
{
};

TEST_P(ObjectBoxSize, HasTheSizeOfItsAttributesOrItsDefault)
{
    LayoutEngine layout;
    layout_test::loadFixture(layout, "objects.html");
    EXPECT_EQ(boxById(layout, GetParam().id).borderBox.size(), GetParam().size) << GetParam().id;
}

INSTANTIATE_TEST_SUITE_P(Objects, ObjectBoxSize,
                         ::testing::Values(BoxSizeCase{"img1", QSize(60, 40)},  // the image's own size
                                           BoxSizeCase{"img2", QSize(124, 84)}, // width/height plus border 2
                                           BoxSizeCase{"img3", QSize(16, 16)},  // cannot be loaded
                                           BoxSizeCase{"emb", QSize(100, 60)}, BoxSizeCase{"obj", QSize(80, 50)},
                                           BoxSizeCase{"app", QSize(90, 40)},
                                           BoxSizeCase{"txt", QSize(15 * 8 + 17, 21)},
                                           BoxSizeCase{"chk", QSize(13, 13)},
                                           BoxSizeCase{"ta", QSize(182, 3 * 15 + 6)}));

struct HiddenPaintCase
{
    const char* name;
    const char* body; // the element with id p is checked
    bool drawn;
};

class HiddenPaint : public ::testing::TestWithParam<HiddenPaintCase>
{
};

// A hidden box paints nothing of its own, its text included, whatever its
// class; what is made visible again inside it paints.
TEST_P(HiddenPaint, DrawsOnlyWhatIsVisible)
{
    LayoutEngine layout;
    layout.setViewportSize(QSize(400, 200));
    layout.load(QStringLiteral("<html><body>%1</body></html>").arg(QString::fromLatin1(GetParam().body)));
    layout.layout(400);
    const QImage image = layout.render(400, 200);
    const QRect box = boxById(layout, "p").borderBox;
    ASSERT_FALSE(box.isEmpty());
    bool inked = false;
    for (int y = box.top(); y <= box.bottom() && !inked; ++y) {
        for (int x = box.left(); x <= box.right() && !inked; ++x)
            inked = qGray(image.pixel(x, y)) < 128;
    }
    EXPECT_EQ(inked, GetParam().drawn);
}

INSTANTIATE_TEST_SUITE_P(
    Markup, HiddenPaint,
    ::testing::Values(
        HiddenPaintCase{"HiddenInlineText", "a <span id=p style='visibility:hidden'>gone</span> b", false},
        HiddenPaintCase{"VisibleInsideHiddenInline",
                        "<span style='visibility:hidden'>gone <b id=p style='visibility:visible'>shown</b></span>",
                        true},
        HiddenPaintCase{"InheritedHidden", "<div style='visibility:hidden'><p id=p>inherited</p></div>", false},
        HiddenPaintCase{
            "VisibleTwoLevelsDown",
            "<div style='visibility:hidden'><div><span id=p style='visibility:visible'>deep</span></div></div>", true},
        HiddenPaintCase{"VisibleCellOfAHiddenTable",
                        "<table style='visibility:hidden' border=1><tr><td id=p style='visibility:visible'>cell</td>"
                        "<td>gone</td></tr></table>",
                        true},
        HiddenPaintCase{"HiddenTableBorder",
                        "<table id=p style='visibility:hidden' border=3><tr><td></td></tr></table>", false},
        HiddenPaintCase{"HiddenPlaceholder", "<input id=p style='visibility:hidden' value=x>", false},
        HiddenPaintCase{"HiddenBackground",
                        "<div id=p style='visibility:hidden;background:black;width:50px;height:20px'></div>", false},
        HiddenPaintCase{"HiddenPositionedLayer",
                        "<div id=p style='position:absolute;left:10px;top:10px;visibility:hidden;border:2px solid "
                        "black'>gone</div>",
                        false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(LayoutEngine, HiddenInputAndObjectContentHaveNoBox)
{
    LayoutEngine layout;
    layout_test::loadFixture(layout, "objects.html");
    EXPECT_EQ(layout.tree().boxByHtmlId("hid"), nullptr);
    EXPECT_EQ(layout.tree().indexOfTag("PARAM"), -1);
}

TEST(LayoutEngine, ImageSpacingAttributes)
{
    LayoutEngine layout;
    layout_test::loadFixture(layout, "objects.html");
    const LayoutBox& img1 = boxById(layout, "img1");
    const LayoutBox& img2 = boxById(layout, "img2");
    // hspace 5 on both sides; one space between the images.
    const int space = img2.borderBox.left() - img1.borderBox.right() - 1;
    EXPECT_GE(space, 5 + 3);
    EXPECT_LE(space, 5 + 6);
}

TEST(LayoutEngine, InlineElementsGetOneBoxPerLine)
{
    LayoutEngine layout;
    layout.load(QStringLiteral("<body><p style='width:120px'>aaa <a id=a href=x>bbb ccc ddd eee fff</a></p></body>"));
    layout.layout(400);
    const LayoutBox& a = boxById(layout, "a");
    ASSERT_GE(a.lineBoxes.size(), 2u);
    EXPECT_GT(a.lineBoxes[1].top(), a.lineBoxes[0].top());
    EXPECT_TRUE(a.borderBox.contains(a.lineBoxes[0]));
    EXPECT_TRUE(a.borderBox.contains(a.lineBoxes[1]));
}

TEST(LayoutEngine, JapaneseTextBreaksBetweenAnyCharacters)
{
    LayoutEngine layout;
    layout.load(QStringLiteral("<body><p id=p style='width:100px'>日本語の文章を折り返す。</p></body>"));
    layout.layout(400);
    const auto& pieces = layout.tree().pieces;
    ASSERT_FALSE(pieces.empty());
    std::set<int> lines;
    for (const auto& piece : pieces) {
        EXPECT_LE(piece.text.size(), 2) << piece.text.toStdString();
        lines.insert(piece.box.top());
    }
    EXPECT_GT(lines.size(), 1u);
    // The full stop stays with the character before it.
    EXPECT_EQ(pieces.back().text, QStringLiteral("す。"));
}

TEST(LayoutEngine, WindowsFaceNamesRenderWithTheIpaFonts)
{
    LayoutEngine layout;
    layout.load(QStringLiteral("<body><font id=f face='ＭＳ 明朝'>明朝</font></body>"));
    layout.layout(400);
    ASSERT_FALSE(layout.tree().pieces.empty());
    const int font = layout.tree().pieces.front().font;
    EXPECT_EQ(layout.container().fonts().qfont(font).families().value(0), QStringLiteral("IPAMincho"));
}

// Underlines, strike-outs and overlines are drawn at their text wherever the
// painter stands (the view paints a scrolled page through a translation):
// the picture drawn 40 across and 200 down is the same picture moved.
TEST(LayoutEngine, TextLinesStayAtTheirTextWhereThePainterIsMoved)
{
    LayoutEngine layout;
    layout.load(QStringLiteral("<html><body><p><a href=a.html>link text</a> <u>underlined</u> <s>struck</s> "
                               "<span style='text-decoration: overline'>over</span></p></body></html>"));
    layout.layout(400);
    const auto picture = [&layout](QPoint at) {
        QImage image(500, 300, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        painter.translate(at);
        layout.draw(painter, QRect(0, 0, 400, 60));
        return image;
    };
    const QImage still = picture(QPoint(0, 0));
    const QImage moved = picture(QPoint(40, 200));
    int dark = 0;
    for (int y = 0; y < 300; ++y)
        for (int x = 0; x < 500; ++x) {
            const bool inStill = x < 460 && y < 100 && qGray(still.pixel(x, y)) < 160;
            dark += inStill;
            const bool inMoved = x >= 40 && y >= 200 && qGray(moved.pixel(x, y)) < 160;
            const bool wasStill = x >= 40 && y >= 200 && qGray(still.pixel(x - 40, y - 200)) < 160;
            ASSERT_EQ(inMoved, wasStill) << x << "," << y;
            if (!(x >= 40 && y >= 200)) {
                ASSERT_GE(qGray(moved.pixel(x, y)), 160) << "drawn outside the moved page at " << x << "," << y;
            }
        }
    EXPECT_GT(dark, 200);
}

TEST(LayoutEngine, FontSizeAttributeGivesTheOldEnginesSizes)
{
    LayoutEngine layout;
    layout_test::loadFixture(layout, "text.html");
    auto heightOf = [&](const char* id) { return boxById(layout, id).borderBox.height(); };
    EXPECT_LT(heightOf("f1"), heightOf("f4"));
    EXPECT_LT(heightOf("f4"), heightOf("f5"));
    EXPECT_EQ(heightOf("fplus"), heightOf("f5")); // +2 from 3 is 5
    EXPECT_LT(heightOf("f5"), heightOf("f7"));
}

TEST(LayoutEngine, CanvasCoversPositionedBoxesAndFollowsAShift)
{
    LayoutEngine layout;
    layout_test::loadFixture(layout, "positioned.html");
    EXPECT_EQ(boxById(layout, "d1").borderBox, QRect(40, 60, 120, 80));
    EXPECT_EQ(boxById(layout, "d1").zIndex, 2);
    EXPECT_TRUE(boxById(layout, "d1").absolute);
    EXPECT_EQ(layout.canvasSize(), QSize(960, 740));

    const int d1 = layout.tree().indexOfHtmlId("d1");
    LayoutBox& mutableBox = const_cast<LayoutBox&>(layout.tree().boxes[static_cast<size_t>(d1)]);
    mutableBox.nodeId = 7;
    const_cast<engine::LayoutTree&>(layout.tree()).byNode[7] = d1;
    // Without a node id known to the layout nothing moves.
    EXPECT_FALSE(layout.shiftPositioned(7, 5, 5));
}

TEST(LayoutEngine, ShiftsAPositionedElementWithoutRelayout)
{
    LayoutEngine layout;
    layout.load(QStringLiteral("<body><div data-pgn=4 id=d style='position:absolute;left:10px;top:20px;"
                               "width:50px;height:30px'>text</div></body>"));
    layout.layout(400);
    const QRect before = boxById(layout, "d").borderBox;
    ASSERT_TRUE(layout.shiftPositioned(4, 900, 3));
    EXPECT_EQ(boxById(layout, "d").borderBox, before.translated(900, 3));
    EXPECT_EQ(layout.tree().pieces.front().box.left() - before.left(), 900);
    EXPECT_GE(layout.canvasSize().width(), 960);
    // The drawing follows as well.
    QImage image(1000, 100, QImage::Format_RGB32);
    QPainter p(&image);
    layout.draw(p, image.rect());
}

// The canvas takes in what a moved layer holds below or beside its own box,
// as a new layout's would: scrolling reaches all of it.
TEST(LayoutEngine, ShiftedLayerWithContentOutsideItsBoxKeepsItInTheCanvas)
{
    LayoutEngine layout;
    layout.load(QStringLiteral("<body><div data-pgn=4 id=d style='position:absolute;left:10px;top:20px;"
                               "width:50px;height:10px'><div id=tall style='width:300px;height:200px'></div>"
                               "</div></body>"));
    layout.layout(400);
    ASSERT_TRUE(layout.shiftPositioned(4, 700, 500));
    const QRect tall = boxById(layout, "tall").borderBox;
    EXPECT_EQ(tall.topLeft(), QPoint(710, 520));
    EXPECT_GE(layout.canvasSize().width(), tall.right() + 1);
    EXPECT_GE(layout.canvasSize().height(), tall.bottom() + 1);
}

TEST(LayoutEngine, RestyleInPlaceMatchesAFullLayout)
{
    const QString before =
        QStringLiteral("<body><table data-pgn=1 id=t border=1><tr><td data-pgn=2 id=c>cell</td><td>x</td></tr></table>"
                       "<div data-pgn=3 id=d style='width:40px'>div</div></body>");
    const QString after = QStringLiteral(
        "<body><table data-pgn=1 id=t border=1><tr><td data-pgn=2 id=c width=200 bgcolor=red>cell</td><td>x</td>"
        "</tr></table><div data-pgn=3 id=d style='width:140px;padding:3px'>div</div></body>");
    LayoutEngine inPlace;
    inPlace.load(before);
    inPlace.layout(500);
    ASSERT_TRUE(inPlace.restyle(2, {{"width", "200"}, {"bgcolor", "red"}}));
    ASSERT_TRUE(inPlace.restyle(3, {{"style", "width:140px;padding:3px"}}));
    EXPECT_FALSE(inPlace.isLaidOut());
    inPlace.layout(500);

    LayoutEngine full;
    full.load(after);
    full.layout(500);
    for (const char* id : {"t", "c", "d"})
        EXPECT_EQ(boxById(inPlace, id).borderBox, boxById(full, id).borderBox) << id;
    EXPECT_EQ(inPlace.render(500, 100), full.render(500, 100));
}

// Lines as tall as a browser makes them: the ascender, descender and line
// gap of the face's horizontal header, each rounded (IPAPGothic 16px: 14 +
// 2, where the face's Windows descent would give 17), and preformatted text
// in the 13px monospace face with its 1em margins. The boxes are headless
// chromium's for the same page.
TEST(LayoutEngine, LineHeightsAndMonospaceTextAsABrowserLaysThemOut)
{
    LayoutEngine layout;
    layout.load(QStringLiteral("<body><p id=p1>One line of text here.</p><h2 id=h2>Heading</h2>"
                               "<p id=p2>Two<br>lines</p><pre id=pre>line1\nline2\nline3\nline4</pre>"
                               "<pre id=pre2>x</pre><p id=p3><tt id=tt>tt text</tt></p><h1 id=h1>Big</h1>"
                               "<p id=p4><font size=5>big font</font></p></body>"));
    layout.layout(800);
    // Tops from the first paragraph's. A line holding only smaller text is
    // as high as that text (p3: 15 px). Browsers add the headings' margins
    // of a fraction of a pixel (h1: 21.44 px) exactly and round the sum,
    // where this layout rounds each: a pixel apart after two of them.
    const struct
    {
        const char* id;
        int top; // -1: not compared
        int height;
        int slack;
    } chromium[] = {{"h2", 36, 24, 0},  {"p2", 80, 32, 0}, {"pre", 128, 60, 0}, {"pre2", 201, 15, 0},
                    {"p3", 232, 15, 0}, {"h1", -1, 32, 0}, {"p4", 322, 24, 1}};
    const int origin = boxById(layout, "p1").borderBox.top();
    EXPECT_EQ(boxById(layout, "p1").borderBox.height(), 16);
    for (const auto& c : chromium) {
        const QRect box = boxById(layout, c.id).borderBox;
        if (c.top >= 0) {
            EXPECT_NEAR(box.top() - origin, c.top, c.slack) << c.id;
        }
        if (c.height >= 0) {
            EXPECT_EQ(box.height(), c.height) << c.id;
        }
    }
    EXPECT_EQ(boxById(layout, "tt").borderBox.height(), 15);
}

// The default margins browsers drop in quirks mode: at the top of the body
// and of a table cell, and a paragraph's at the bottom of a cell; a list's
// bottom margin, a margin the page sets, a block after text and a block in
// a bordered DIV keep theirs. The boxes are headless chromium's.
TEST(LayoutEngine, DefaultMarginsAtTheEdgesOfBodyAndCellsAsInQuirksMode)
{
    LayoutEngine layout;
    layout.load(QStringLiteral(
        "<body><h1 id=h1>Title</h1><p id=p1>para</p><table border=1><tr><td id=c1><p id=cp1>first</p>"
        "<p id=cp2>last</p></td><td>text<p id=cp3>after text</p></td></tr></table><div style='border:1px solid'>"
        "<p id=dp>in a bordered div</p></div><table><tr><td id=c3><ul id=ul1><li>item</li></ul></td><td id=c4>"
        "<p id=cp4 style='margin-top:30px'>own margin</p></td></tr></table></body>"));
    layout.layout(800);
    const struct
    {
        const char* id;
        int top;
        int height;
    } chromium[] = {{"h1", 15, 32},   {"p1", 68, 16},  {"c1", 103, 52}, {"cp1", 105, 16}, {"cp2", 137, 16},
                    {"cp3", 137, 16}, {"dp", 175, 16}, {"c3", 210, 48}, {"ul1", 218, 16}, {"cp4", 241, 16}};
    for (const auto& c : chromium) {
        const QRect box = boxById(layout, c.id).borderBox;
        EXPECT_EQ(box.top(), c.top) << c.id;
        EXPECT_EQ(box.height(), c.height) << c.id;
    }
}

// A list inside a list (a definition's too) has no margins of its own; one
// after text in a DIV keeps them. Offsets from headless chromium's boxes.
TEST(LayoutEngine, ListsInListsHaveNoMargins)
{
    LayoutEngine layout;
    layout.load(QStringLiteral("<body><div id=a>Second<dl id=a1><dt>t</dt></dl></div>"
                               "<dl><dd id=b>Second<dl id=b1><dt>t</dt></dl></dd></dl>"
                               "<dl><dd id=d>Second<ul id=d1><li>x</li></ul></dd></dl></body>"));
    layout.layout(800);
    const auto top = [&](const char* id) { return boxById(layout, id).borderBox.top(); };
    EXPECT_EQ(top("a1") - top("a"), 32);
    EXPECT_EQ(top("b1") - top("b"), 16);
    EXPECT_EQ(boxById(layout, "b").borderBox.height(), 32);
    EXPECT_EQ(top("d1") - top("d"), 16);
    EXPECT_EQ(top("d") - top("b"), 48);
}

// Tables inside CENTER, a DIV or cell aligned to the centre stand in the
// middle, as in a browser; an inner align=left or CSS text-align does not
// centre them. Left edges from headless chromium's boxes.
TEST(LayoutEngine, TablesInCentredBlocksAreCentred)
{
    LayoutEngine layout;
    layout.load(QStringLiteral(
        "<body><center><table id=t1 border=1><tr><td>in CENTER</td></tr></table></center><div align=center>"
        "<table id=t2 border=1><tr><td>in a centred DIV</td></tr></table><div align=left><table id=t3 border=1>"
        "<tr><td>aligned left again</td></tr></table></div><table id=t4 border=1 style='margin-left:0'><tr><td>"
        "own margin</td></tr></table></div><table width=400 border=1><tr><td align=center><table id=t5 border=1>"
        "<tr><td>in a centred cell</td></tr></table></td></tr></table><div style='text-align:center'>"
        "<table id=t6 border=1><tr><td>css text-align</td></tr></table></div></body>"));
    layout.layout(800);
    const auto centre = [&](const char* id) {
        const QRect box = boxById(layout, id).borderBox;
        return box.left() + box.width() / 2;
    };
    EXPECT_NEAR(centre("t1"), 400, 1);
    EXPECT_NEAR(centre("t2"), 400, 1);
    EXPECT_EQ(boxById(layout, "t3").borderBox.left(), 10);
    EXPECT_NEAR(centre("t4"), 400, 1);
    EXPECT_NEAR(centre("t5"), 210, 1);
    EXPECT_EQ(boxById(layout, "t6").borderBox.left(), 10);
}

TEST(LayoutEngine, RealigningADivMovesItsTablesAsAFullLayoutDoes)
{
    LayoutEngine inPlace;
    inPlace.load(QStringLiteral("<body><div data-pgn=1 align=center><table id=t border=1><tr><td>x</td></tr>"
                                "</table></div></body>"));
    inPlace.layout(500);
    EXPECT_GT(boxById(inPlace, "t").borderBox.left(), 200);
    ASSERT_TRUE(inPlace.restyle(1, {{"align", "left"}}));
    inPlace.layout(500);
    EXPECT_EQ(boxById(inPlace, "t").borderBox.left(), 10);
    ASSERT_TRUE(inPlace.restyle(1, {{"align", "center"}}));
    inPlace.layout(500);
    LayoutEngine full;
    full.load(QStringLiteral("<body><div align=center><table id=t border=1><tr><td>x</td></tr></table></div></body>"));
    full.layout(500);
    EXPECT_EQ(boxById(inPlace, "t").borderBox, boxById(full, "t").borderBox);
}

// By hand, to compare with scripts/layout-boxes-chromium.sh:
//   PAGINOR_FIXTURE=tables.html test_engine --gtest_also_run_disabled_tests
//       --gtest_filter='*PrintBoxes*'
TEST(LayoutEngine, DISABLED_PrintBoxes)
{
    LayoutEngine layout;
    layout_test::loadFixture(layout, qEnvironmentVariable("PAGINOR_FIXTURE", QStringLiteral("tables.html")));
    for (const LayoutBox& b : layout.tree().boxes) {
        if (!b.htmlId.isEmpty())
            printf("%s %d %d %d %d\n", qPrintable(b.htmlId), b.borderBox.x(), b.borderBox.y(), b.borderBox.width(),
                   b.borderBox.height());
    }
}

// The boxes of nodes, a table indexed by node id: only nodes given a box
// are found, counted and walked, whatever ids lie between them.
TEST(LayoutEngine, BoxesByNodeHoldsOnlyTheNodesGivenABox)
{
    engine::BoxesByNode byNode;
    byNode[5] = 2;
    byNode[0] = 0;
    byNode[9] = 7;
    byNode[5] = 3;
    EXPECT_EQ(byNode.size(), 3u);
    EXPECT_EQ(byNode.at(5), 3);
    EXPECT_TRUE(byNode.find(4) == byNode.end());
    EXPECT_TRUE(byNode.find(-1) == byNode.end());
    EXPECT_TRUE(byNode.find(10) == byNode.end());
    byNode.erase(0);
    byNode.erase(4);
    EXPECT_EQ(byNode.size(), 2u);
    EXPECT_THROW(static_cast<void>(byNode.at(0)), std::out_of_range);
    std::vector<std::pair<int, int>> walked;
    for (const auto& [id, index] : byNode)
        walked.emplace_back(id, index);
    EXPECT_EQ(walked, (std::vector<std::pair<int, int>>{{5, 3}, {9, 7}}));
    byNode.find(9)->second += 4;
    EXPECT_EQ(byNode.at(9), 11);
}

// Moves of the boxes along their list are noted on the table's parts and
// made on an entry when it is read: every entry reads as if each move had
// been made on every entry at once, across the parts' edges, with entries
// written, erased and copied between the moves, and more moves than a part
// notes.
TEST(LayoutEngine, BoxesByNodeFollowsTheMovesOfTheBoxesWhenRead)
{
    struct ShortParts
    {
        ShortParts() { engine::layoutengine_detail::leastPartOfEveryPass() = 3; }
        ~ShortParts() { engine::layoutengine_detail::leastPartOfEveryPass() = 0; }
    } shortParts;
    engine::BoxesByNode byNode;
    std::map<int, int> expected;
    for (int id = 0; id < 40; id += 2)
        byNode[id] = expected[id] = id * 3;
    const auto moveAlong = [&](int index, int by) {
        byNode.moveAlong(index, by);
        for (auto& [id, box] : expected) {
            if (box >= index)
                box += by;
        }
    };
    const auto same = [&](const std::string& step) {
        ASSERT_EQ(byNode.size(), expected.size()) << step;
        for (const auto& [id, box] : expected)
            EXPECT_EQ(byNode.at(id), box) << step << ", node " << id;
        std::map<int, int> walked;
        for (const auto& [id, box] : byNode)
            walked[id] = box;
        EXPECT_EQ(walked, expected) << step;
    };
    // An Enter and the Backspace that undoes it, then moves that do not
    // undo each other.
    moveAlong(30, 1);
    moveAlong(31, -1);
    same("undone");
    moveAlong(30, 2);
    EXPECT_EQ(byNode.find(12)->second, 38);
    moveAlong(10, -3);
    byNode[13] = expected[13] = 20;
    expected.erase(14);
    byNode.erase(14);
    moveAlong(20, 5);
    same("written between moves");
    for (int k = 0; k < 40; ++k)
        moveAlong(k * 2, k % 3 == 0 ? -1 : 2);
    const engine::BoxesByNode copy = byNode;
    const std::map<int, int> copied = expected;
    moveAlong(50, 7);
    same("more moves than a part notes");
    for (const auto& [id, box] : copied)
        EXPECT_EQ(copy.at(id), box) << "copy, node " << id;
    byNode[41] = expected[41] = 1;
    moveAlong(0, 1);
    same("a node added after the last");
}
