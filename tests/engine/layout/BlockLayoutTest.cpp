// A change inside one block lays out that block again and keeps the rest of
// the page when the block keeps its size; otherwise the page is laid out
// whole. Either way the boxes, words and pixels are those of a layout made
// from scratch.

#include "engine/css/Style.h"
#include "engine/layout/DocumentLayout.h"

#include "engine/EnginePage.h"
#include "FullLayoutCheck.h"
#include "LayoutFixture.h"

#include <gtest/gtest.h>

using namespace engine;
using layout_test::byId;
using layout_test::expectSameAsFullLayout;

namespace {

struct Change
{
    enum Kind { Style, Attribute, Typing };
    const char* id;
    Kind kind;
    const char* name;  // property or attribute (Typing: unused)
    const char* value; // Typing: appended to the first text child
};

struct BlockCase
{
    const char* name;
    const char* html;
    std::vector<Change> changes; // made together, then one layout
    bool blockOnly;              // expected: the layout kept the rest of the page
};

void PrintTo(const BlockCase& c, std::ostream* os)
{
    *os << c.name;
}

void apply(Document* doc, const Change& c)
{
    Element* el = byId(doc, c.id);
    switch (c.kind) {
    case Change::Style:
        el->style().setAttribute(QString::fromLatin1(c.name), Variant(QString::fromUtf8(c.value)));
        break;
    case Change::Attribute:
        el->setAttribute(QString::fromLatin1(c.name), Variant(QString::fromUtf8(c.value)));
        break;
    case Change::Typing: {
        Text* t = el->firstChild()->asText();
        t->insertData(t->length(), QString::fromUtf8(c.value));
        break;
    }
    }
}

// Positioned boxes in every page: they are drawn in their own passes and
// must survive a block laid out beside or under them.
constexpr const char* kAbove = "<div id=top style='position:absolute;left:300px;top:20px;width:80px;z-index:2;"
                               "background-color:#ccf'>above</div>";

class BlockLayout : public ::testing::TestWithParam<BlockCase>
{
};

TEST_P(BlockLayout, MatchesAFullLayout)
{
    const BlockCase& c = GetParam();
    Ref<Document> doc =
        pageFrom(QString::fromUtf8(c.html).replace(QStringLiteral("$ABOVE"), QString::fromLatin1(kAbove)));
    DocumentLayout layout(doc.get());
    layout.setViewportSize(QSize(640, 400));
    layout.ensureLayout();
    const DocumentLayout::Counters before = layout.counters();
    for (const Change& change : c.changes)
        apply(doc.get(), change);
    layout.ensureLayout();
    EXPECT_EQ(layout.counters().rebuilds, before.rebuilds);
    EXPECT_EQ(layout.counters().layouts, before.layouts + 1);
    EXPECT_EQ(layout.counters().blockLayouts, before.blockLayouts + (c.blockOnly ? 1 : 0));
    expectSameAsFullLayout(layout, *doc, c.name, true);
}

const BlockCase kCases[] = {
    // Kept: the block keeps its box.
    {"BoldParagraphWithInlineChildren",
     "<body><p id=p>Para <font color=red>some</font> text <a href=x>a <i>link</i></a></p><p>after</p>$ABOVE</body>",
     {{"p", Change::Style, "font-weight", "bold"}},
     true},
    {"InlineElementInsideAParagraph",
     "<body><p>one <span id=s>two</span> three</p><p>after</p>$ABOVE</body>",
     {{"s", Change::Style, "font-style", "italic"}, {"s", Change::Style, "padding-right", "4px"}},
     true},
    {"TypingInAParagraph",
     "<body><p id=p>some words</p><p>after</p>$ABOVE</body>",
     {{"p", Change::Typing, nullptr, " and"}, {"p", Change::Typing, nullptr, " more"}},
     true},
    {"CellWidensItsColumn",
     "<body><table id=t border=1 width=90%><tr><td><span id=s>cell</span></td><td>x</td></tr>"
     "<tr><td colspan=2>wide row</td></tr></table><p>after</p>$ABOVE</body>",
     {{"s", Change::Style, "font-size", "15px"}, {"s", Change::Style, "font-weight", "bold"}},
     true},
    {"NestedTableCell",
     "<body><table border=1 width=400><tr><td>outer</td><td><table><tr><td id=in>inner</td></tr></table></td></tr>"
     "</table>"
     "$ABOVE</body>",
     {{"in", Change::Attribute, "width", "120"}},
     true},
    {"ParagraphInACell",
     "<body><table border=1 width=400><tr><td><p><span id=s>para</span></p></td><td>x</td></tr></table>"
     "$ABOVE</body>",
     {{"s", Change::Style, "padding-left", "30px"}},
     true},
    {"TypingInACell",
     "<body><table border=1 width=300><tr><td id=c>a</td><td rowspan=2>b</td></tr><tr><td>c</td></tr></table>"
     "$ABOVE</body>",
     {{"c", Change::Typing, nullptr, "bc"}},
     true},
    {"InsideAPositionedBoxOfFixedWidth",
     "<body><p>flow</p><div style='position:absolute;left:50px;top:60px;width:200px'><p id=p>inside</p>"
     "<p>below</p></div>$ABOVE</body>",
     {{"p", Change::Style, "font-weight", "bold"}},
     true},
    {"ListItemLaysOutItsList",
     "<body><ul><li id=l>one</li><li>two</li></ul><p>after</p>$ABOVE</body>",
     {{"l", Change::Style, "font-weight", "bold"}},
     true},
    {"TwoChangesInOneBlock",
     "<body><div id=d><b id=b>bold</b> and <i id=i>italic</i></div><p>after</p>$ABOVE</body>",
     {{"b", Change::Style, "font-weight", "normal"}, {"i", Change::Style, "font-style", "normal"}},
     true},

    // Kept, and what follows moved: the block's height or margins changed.
    {"TypingWrapsALine",
     "<body><p id=p style='width:100px'>one</p><p>after</p>$ABOVE</body>",
     {{"p", Change::Typing, nullptr, " two three four"}},
     true},
    {"LargerFontBetweenParagraphs",
     "<body><p>before</p><p id=p>grows, and its margins with it</p><p>after</p><h3>more</h3>$ABOVE</body>",
     {{"p", Change::Style, "font-size", "40px"}},
     true},
    {"SmallerFontBetweenParagraphs",
     "<body><p>before</p><p id=p style='font-size:30px'>shrinks</p><p>after</p>$ABOVE</body>",
     {{"p", Change::Style, "font-size", "10px"}},
     true},
    {"NestedBlockWithTextAndBoxesAfterIt",
     "<body><div style='border:1px solid'><p>a</p><p id=p>grows</p><p>b <span style='background-color:#cfc'>c"
     "</span></p></div>loose <b style='background-color:#ccf'>text</b> in the body<ul><li>item</li></ul>"
     "<div style='position:relative'>rel <i style='position:absolute;left:4px;top:3px'>abs</i></div>"
     "<img style='position:absolute' src=none.gif width=20 height=20><p>end</p>$ABOVE</body>",
     {{"p", Change::Style, "font-size", "30px"}},
     true},
    {"InsideABoxOfSetHeight",
     "<body><div style='height:200px;border:1px solid'><p>a</p><p id=p>grows</p><p>b</p></div><p>after</p>"
     "$ABOVE</body>",
     {{"p", Change::Style, "padding-top", "20px"}},
     true},
    {"MarginsChangeNextToABorder",
     "<body><div style='padding:4px'><p id=p>first</p><p>second</p></div>$ABOVE</body>",
     {{"p", Change::Style, "margin-top", "30px"}, {"p", Change::Style, "margin-bottom", "2px"}},
     true},

    // Laid out whole.
    {"FirstChildsMarginsCollapseWithItsParent",
     "<body><p id=p>grows</p><p>after</p>$ABOVE</body>",
     {{"p", Change::Style, "font-size", "40px"}},
     false},
    {"FloatAfterIt",
     "<body><p>a</p><p id=p>grows</p><div style='float:left;width:40px'>f</div><p>after</p>$ABOVE</body>",
     {{"p", Change::Style, "font-size", "30px"}},
     false},
    {"BoxAfterItPlacedAgainstThePage",
     "<body><p>a</p><p id=p>grows</p><div>x <b style='position:absolute;left:5px;top:5px'>abs</b></div>"
     "$ABOVE</body>",
     {{"p", Change::Style, "font-size", "30px"}},
     false},
    {"MarginChanges",
     "<body><p id=p>text</p><p>after</p>$ABOVE</body>",
     {{"p", Change::Style, "margin-left", "30px"}},
     false},
    {"ChangesInTwoBlocks",
     "<body><p id=a>one</p><p id=b>two</p>$ABOVE</body>",
     {{"a", Change::Style, "font-weight", "bold"}, {"b", Change::Style, "font-weight", "bold"}},
     false},
    {"InsideAPositionedBoxOfContentWidth",
     "<body><div style='height:300px'></div>"
     "<div style='position:absolute;left:50px;top:60px'><p><span id=s>inside</span></p></div>$ABOVE</body>",
     {{"s", Change::Style, "font-size", "10px"}},
     false},
    {"BesideAFloat",
     "<body><div style='float:left;width:50px;height:80px'>f</div><p id=p>beside</p>$ABOVE</body>",
     {{"p", Change::Style, "font-weight", "bold"}},
     false},
    {"FloatInside",
     "<body><div id=d><span style='float:right'>f</span>text</div><p>after</p>$ABOVE</body>",
     {{"d", Change::Style, "font-weight", "bold"}},
     false},
    {"BecomesPositioned",
     "<body><p>one <span id=s>two</span></p><p>after</p>$ABOVE</body>",
     {{"s", Change::Style, "position", "relative"}, {"s", Change::Style, "left", "10px"}},
     false},
    {"BecomesAFloat",
     "<body><p>one <span id=s>two</span></p><p>after</p>$ABOVE</body>",
     {{"s", Change::Style, "float", "left"}},
     false},
    {"InsideAnInlineBlock",
     "<body><p>x <span style='display:inline-block'><b id=b>in</b></span> y</p>$ABOVE</body>",
     {{"b", Change::Style, "font-size", "12px"}},
     false},
    {"WordGrowsPastThePage",
     "<body><p id=p>a</p><p>after</p>$ABOVE</body>",
     {{"p", Change::Typing, nullptr,
       "aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa"}},
     true},
    // Words take the whole pixels of their block's running sums: a change
    // of one moves those after it, in the block and in a cell the text sizes.
    {"WordOfAFractionalSizeAmongOthers",
     "<body><p>many words <span id=s>in</span> a line of text</p><table><tr><td>a cell <b id=b>of</b> text "
     "</td><td>x</td></tr></table><p>after</p>$ABOVE</body>",
     {{"s", Change::Style, "font-size", "0.83em"}, {"b", Change::Style, "font-size", "90%"}},
     false},
    // The table is as wide as its cells: it widens alone.
    {"TypingIntoACellTheColumnFollows",
     "<body><table><tr><td id=c>text that sizes the column </td><td>x</td></tr></table>$ABOVE</body>",
     {{"c", Change::Typing, nullptr, " and more words "}},
     true},
    {"SpaceEndingABlockIsTypedBefore",
     "<body><div style='float:left'><p id=p>text </p></div><p>after</p>$ABOVE</body>",
     {{"p", Change::Typing, nullptr, "more "}},
     false},
    // The layout stands but the boxes do not: the tree is made anew.
    {"ElementHidden",
     "<body><p>one <span id=s>two</span> three</p><p>after</p>$ABOVE</body>",
     {{"s", Change::Style, "display", "none"}},
     false},
};

INSTANTIATE_TEST_SUITE_P(Changes, BlockLayout, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<BlockCase>& i) { return std::string(i.param.name); });

TEST(BlockLayout, RepaintsTheLinesOfTheBlockOnly)
{
    Ref<Document> doc = pageFrom("<body><p id=a>first</p><p id=b>second</p><p id=c>third</p></body>");
    DocumentLayout layout(doc.get());
    layout.setViewportSize(QSize(640, 400));
    layout.ensureLayout();
    layout.takeDirtyRegion();
    byId(doc.get(), "b")->style().setAttribute(QStringLiteral("font-weight"), Variant(QStringLiteral("bold")));
    layout.ensureLayout();
    ASSERT_EQ(layout.counters().blockLayouts, 1);
    const QRegion dirty = layout.takeDirtyRegion();
    const QRect b = layout.box(byId(doc.get(), "b"))->borderBox;
    EXPECT_TRUE(dirty.contains(QRect(0, b.top(), 640, b.height())));
    EXPECT_FALSE(dirty.intersects(layout.box(byId(doc.get(), "a"))->borderBox.adjusted(0, 0, 0, -9)));
    EXPECT_FALSE(dirty.intersects(layout.box(byId(doc.get(), "c"))->borderBox.adjusted(0, 9, 0, 0)));
}

TEST(BlockLayout, AViewOfAnotherSizeLaysOutWhole)
{
    Ref<Document> doc = pageFrom("<body><p id=p>text</p></body>");
    DocumentLayout layout(doc.get());
    layout.setViewportSize(QSize(640, 400));
    layout.ensureLayout();
    // Only the height: the root box covers the new view, the page lays out whole.
    layout.setViewportSize(QSize(640, 900));
    byId(doc.get(), "p")->style().setAttribute(QStringLiteral("font-weight"), Variant(QStringLiteral("bold")));
    layout.ensureLayout();
    EXPECT_EQ(layout.counters().blockLayouts, 0);
    expectSameAsFullLayout(layout, *doc, "taller view");
}

} // namespace

namespace {

// A colour change repaints without a layout, yet what the element holds keeps
// its own styles (inline colours) and its box sizes: with padding in
// percentages, a layout of the block brings them back.
TEST(BlockLayout, ColourChangeKeepsWhatTheElementHolds)
{
    Ref<Document> doc =
        pageFrom("<body><div id=d>a <span style='color:green'>b</span> "
                 "<span style='padding-left:10%;background-color:yellow'>c</span>"
                 "<p id=p style='margin-left:20%;padding-left:10%;background-color:#ccc'>d</p></div></body>");
    DocumentLayout layout(doc.get());
    layout.setViewportSize(QSize(640, 400));
    layout.ensureLayout();
    byId(doc.get(), "d")->style().setAttribute(QStringLiteral("color"), Variant(QStringLiteral("red")));
    expectSameAsFullLayout(layout, *doc, "percentages", true);
    EXPECT_EQ(layout.counters().blockLayouts, 1);
    // Without percentages: a repaint only.
    Ref<Document> plain = pageFrom("<body><div id=d>a <span style='color:green'>b</span> "
                                   "<p style='padding-left:20px;background-color:#ccc'>d</p></div></body>");
    DocumentLayout plainLayout(plain.get());
    plainLayout.setViewportSize(QSize(640, 400));
    plainLayout.ensureLayout();
    const DocumentLayout::Counters before = plainLayout.counters();
    byId(plain.get(), "d")->style().setAttribute(QStringLiteral("color"), Variant(QStringLiteral("blue")));
    EXPECT_EQ(plainLayout.counters().repaintOnly, before.repaintOnly + 1);
    expectSameAsFullLayout(plainLayout, *plain, "colour", true);
    EXPECT_EQ(plainLayout.counters().layouts, before.layouts);
}

} // namespace

namespace {

// Every element of the fixture pages, one after the other: made bold, then
// given a larger font. Each change lays out alone or whole; either way the
// result is the full layout's.
class BlockLayoutOnFixtures : public ::testing::TestWithParam<const char*>
{
};

TEST_P(BlockLayoutOnFixtures, EveryElementRestyledMatchesAFullLayout)
{
    Ref<Document> doc = pageFrom(layout_test::readFixture(QString::fromLatin1(GetParam())));
    DocumentLayout layout(doc.get());
    layout.setBaseFolder(layout_test::fixtureFolder());
    layout.setViewportSize(QSize(800, 600));
    layout.ensureLayout();
    const ElementCollection all = doc->all();
    for (int i = 0; i < all.length(); ++i) {
        Element* el = all.item(i);
        const QString tag = el->tagName();
        if (tag == QLatin1String("HTML") || tag == QLatin1String("HEAD") || tag == QLatin1String("TITLE") ||
            tag == QLatin1String("STYLE") || tag == QLatin1String("SCRIPT") || tag == QLatin1String("META"))
            continue;
        const std::string what = std::string(GetParam()) + " " + tag.toStdString() + " #" + std::to_string(i);
        el->style().setAttribute(QStringLiteral("font-weight"), Variant(QStringLiteral("bold")));
        expectSameAsFullLayout(layout, *doc, what + " bold", true, layout_test::fixtureFolder());
        el->style().setAttribute(QStringLiteral("font-size"), Variant(QStringLiteral("20px")));
        expectSameAsFullLayout(layout, *doc, what + " larger", false, layout_test::fixtureFolder());
        if (HasFailure())
            return;
    }
}

// Typing a word into every text of the page, one after the other.
TEST_P(BlockLayoutOnFixtures, EveryTextTypedIntoMatchesAFullLayout)
{
    Ref<Document> doc = pageFrom(layout_test::readFixture(QString::fromLatin1(GetParam())));
    DocumentLayout layout(doc.get());
    layout.setBaseFolder(layout_test::fixtureFolder());
    layout.setViewportSize(QSize(800, 600));
    layout.ensureLayout();
    std::vector<Text*> texts;
    layout_test::collectTexts(doc->body(), texts);
    for (size_t i = 0; i < texts.size(); ++i) {
        texts[i]->insertData(texts[i]->length() / 2, QStringLiteral("ab"));
        expectSameAsFullLayout(layout, *doc, std::string(GetParam()) + " text " + std::to_string(i), i % 4 == 0,
                               layout_test::fixtureFolder());
        if (HasFailure())
            return;
    }
}

INSTANTIATE_TEST_SUITE_P(Fixtures, BlockLayoutOnFixtures, ::testing::ValuesIn(layout_test::kFixturePages),
                         layout_test::fixtureTestName);

} // namespace

namespace {

// Elements without a box (hidden, or inside a hidden element) take their
// changes too: they show as changed once they show.
TEST(BlockLayout, HiddenElementsTakeTheirChanges)
{
    Ref<Document> doc = pageFrom("<body><div id=d style='display:none'><p id=p>inner</p></div>"
                                 "<p id=q style='display:none'>hidden</p><p>after</p></body>");
    DocumentLayout layout(doc.get());
    layout.setViewportSize(QSize(640, 400));
    layout.ensureLayout();
    byId(doc.get(), "p")->style().setAttribute(QStringLiteral("font-size"), Variant(QStringLiteral("30px")));
    layout.ensureLayout();
    byId(doc.get(), "d")->style().setAttribute(QStringLiteral("display"), Variant(QStringLiteral("block")));
    byId(doc.get(), "q")->style().setAttribute(QStringLiteral("display"), Variant(QStringLiteral("block")));
    expectSameAsFullLayout(layout, *doc, "shown", true);
    ASSERT_NE(layout.box(byId(doc.get(), "q")), nullptr);
}

} // namespace
