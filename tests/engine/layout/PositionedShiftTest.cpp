// Moving absolutely positioned boxes by their left and top: the layout
// shifts their boxes without laying out where the move cannot change a size,
// and lays out where it can; either way the result is what a layout of the
// page made from scratch gives.

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

struct Move
{
    const char* id;
    const char* property; // "left" or "top" (or another, for the fallbacks)
    const char* value;
};

struct ShiftCase
{
    const char* name;
    const char* html;
    // Steps of moves (a step: the moves of one drag step, made together),
    // each followed by a check against a full layout.
    std::vector<std::vector<Move>> steps;
    bool shifted; // expected: no layout, only shifts
};

void PrintTo(const ShiftCase& c, std::ostream* os)
{
    *os << c.name;
}

class PositionedShift : public ::testing::TestWithParam<ShiftCase>
{
};

TEST_P(PositionedShift, MatchesAFullLayout)
{
    const ShiftCase& c = GetParam();
    Ref<Document> doc = pageFrom(c.html);
    DocumentLayout layout(doc.get());
    layout.setViewportSize(QSize(640, 400));
    layout.ensureLayout();
    int step = 0;
    for (const std::vector<Move>& moves : c.steps) {
        const DocumentLayout::Counters before = layout.counters();
        for (const Move& m : moves)
            byId(doc.get(), m.id)->style().setAttribute(QString::fromLatin1(m.property), Variant(m.value));
        EXPECT_EQ(layout.needsLayout(), !c.shifted) << "step " << step;
        layout.ensureLayout();
        if (c.shifted) {
            EXPECT_EQ(layout.counters().layouts, before.layouts) << "step " << step;
            EXPECT_EQ(layout.counters().shifts, before.shifts + int(moves.size())) << "step " << step;
        } else {
            EXPECT_EQ(layout.counters().layouts, before.layouts + 1) << "step " << step;
        }
        expectSameAsFullLayout(layout, *doc, std::string(c.name) + ", step " + std::to_string(step), true);
        ++step;
    }
    // A layout for another reason afterwards keeps every box where it was moved.
    doc->body()->setAttribute(QStringLiteral("bgcolor"), Variant(QStringLiteral("#eeeeee")));
    byId(doc.get(), "flow")->style().setAttribute(QStringLiteral("font-weight"), Variant(QStringLiteral("bold")));
    layout.ensureLayout();
    expectSameAsFullLayout(layout, *doc, std::string(c.name) + ", after a layout", true);
}

// Each page has a paragraph "flow" in the flow.
const ShiftCase kCases[] = {
    // Shifted.
    {"PictureByLeftAndTop",
     "<body><p id=flow>text</p><img id=a src=none.gif width=32 height=24 "
     "style='position:absolute;left:20px;top:40px;z-index:3'></body>",
     {{{"a", "left", "25px"}, {"a", "top", "45px"}}, {{"a", "left", "20px"}}, {{"a", "top", "300px"}}},
     true},
    {"BoxOfFixedWidthWithText",
     "<body><p id=flow>text</p><div id=a style='position:absolute;left:20px;top:40px;width:120px;"
     "background-color:#ccf'>some words that wrap in the box <b>bold</b></div></body>",
     {{{"a", "left", "500px"}, {"a", "top", "10px"}}, {{"a", "left", "0px"}}},
     true},
    {"TableObject",
     "<body><p id=flow>text</p><table id=a border=1 style='position:absolute;left:57px;top:93px;z-index:1'>"
     "<tr><td>obj 1</td><td>two</td></tr></table></body>",
     {{{"a", "left", "62px"}, {"a", "top", "98px"}}, {{"a", "left", "57px"}, {"a", "top", "93px"}}},
     true},
    {"GroupOfThree",
     "<body><p id=flow>text</p>"
     "<img id=a src=none.gif width=30 height=20 style='position:absolute;left:10px;top:10px'>"
     "<div id=b style='position:absolute;left:100px;top:30px;width:60px;height:40px;border:1px solid'>b</div>"
     "<table id=c border=1 style='position:absolute;left:200px;top:60px'><tr><td>c</td></tr></table></body>",
     {{{"a", "left", "15px"},
       {"a", "top", "20px"},
       {"b", "left", "105px"},
       {"b", "top", "40px"},
       {"c", "left", "205px"},
       {"c", "top", "70px"}},
      {{"a", "top", "10px"}, {"b", "top", "30px"}, {"c", "top", "60px"}}},
     true},
    {"OuterBoxCarriesAPositionedChild",
     "<body><p id=flow>text</p><div id=a style='position:absolute;left:30px;top:30px;width:200px;height:100px;"
     "border:1px solid'>outer<div style='position:absolute;left:50px;top:40px;width:40px'>inner</div></div>"
     "</body>",
     {{{"a", "left", "80px"}, {"a", "top", "90px"}}},
     true},
    {"PositionedChildInsideItsBox",
     "<body><p id=flow>text</p><div style='position:absolute;left:30px;top:30px;width:200px;height:100px;"
     "border:1px solid'>outer<div id=a style='position:absolute;left:50px;top:40px;width:40px'>inner</div>"
     "</div></body>",
     {{{"a", "left", "10px"}, {"a", "top", "5px"}}, {{"a", "left", "150px"}}},
     true},
    {"BoxInACell",
     "<body><p id=flow>text</p><table border=1 width=300><tr><td>cell text<img id=a src=none.gif width=20 "
     "height=20 style='position:absolute;left:40px;top:50px'></td><td>x</td></tr></table></body>",
     {{{"a", "left", "90px"}, {"a", "top", "70px"}}},
     true},
    {"BackFromBelowThePage",
     "<body><p id=flow>text</p><div id=a style='position:absolute;left:20px;top:40px;width:50px;height:50px'>"
     "</div></body>",
     {{{"a", "top", "900px"}, {"a", "left", "900px"}}, {{"a", "top", "40px"}, {"a", "left", "20px"}}},
     true},
    {"EmptyBoxAtTheRightEdge",
     "<body><p id=flow>text</p><div id=a style='position:absolute;left:700px;top:40px'></div></body>",
     {{{"a", "left", "900px"}}, {{"a", "left", "100px"}}},
     true},
    {"InsideABoxThatClips",
     "<body><p id=flow>text</p><div style='position:absolute;left:10px;top:10px;width:100px;height:100px;"
     "overflow:hidden'><div id=a style='position:absolute;left:20px;top:20px;width:300px;height:30px;"
     "background-color:#cfc'>x</div></div></body>",
     {{{"a", "left", "700px"}, {"a", "top", "500px"}}, {{"a", "left", "0px"}}},
     true},
    {"OnALongPage",
     "<body><p id=flow>text</p><div style='height:2000px'>tall</div><img id=a src=none.gif width=20 height=20 "
     "style='position:absolute;left:20px;top:1990px'></body>",
     {{{"a", "top", "2100px"}}, {{"a", "top", "1000px"}}, {{"a", "top", "1990px"}}},
     true},

    // Laid out: the move changes a size.
    {"LeftAndRightBothSet",
     "<body><p id=flow>text</p><div id=a style='position:absolute;left:20px;right:20px;top:40px;"
     "border:1px solid'>stretched</div></body>",
     {{{"a", "left", "100px"}}},
     false},
    {"TopAndBottomBothSet",
     "<body><p id=flow>text</p><div id=a style='position:absolute;left:20px;top:40px;bottom:20px;width:50px;"
     "border:1px solid'>tall</div></body>",
     {{{"a", "top", "100px"}}},
     false},
    {"LeftInPercent",
     "<body><p id=flow>text</p><img id=a src=none.gif width=20 height=20 "
     "style='position:absolute;left:10%;top:40px'></body>",
     {{{"a", "left", "20%"}}},
     false},
    {"TopFirstSet",
     "<body><p id=flow>text</p><img id=a src=none.gif width=20 height=20 style='position:absolute;left:10px'>"
     "</body>",
     {{{"a", "top", "40px"}}},
     false},
    {"NotPositioned",
     "<body><p id=flow>text</p><div id=a style='position:relative;left:10px;top:10px'>rel</div></body>",
     {{{"a", "left", "30px"}}},
     false},
    // A box as wide as its content wraps in the room its left offset
    // leaves it: moved right towards the edge, and left again.
    {"BoxOfContentWidthTowardsTheRightEdge",
     "<body><p id=flow>text</p><div id=a style='position:absolute;left:20px;top:40px'>words enough to fill "
     "a line of this page when the box stands far to the right of it</div></body>",
     {{{"a", "left", "400px"}}, {{"a", "left", "30px"}}},
     false},
    {"TextBoxOfWrappedText",
     "<body><p id=flow>text</p><table id=a style='position:absolute;left:20px;top:40px'><tr><td>words enough "
     "to fill more than a line of this page, and then some more words to be sure that they wrap</td></tr>"
     "</table></body>",
     {{{"a", "left", "25px"}}, {{"a", "left", "15px"}}},
     false},
    {"LeftAndAnotherProperty",
     "<body><p id=flow>text</p><div id=a style='position:absolute;left:20px;top:40px;width:50px'>x</div></body>",
     {{{"a", "left", "30px"}, {"a", "width", "80px"}}},
     false},
};

// A paragraph laid out again moved what follows it and grew or shrank the
// page; the page's extent measured after a move starts from the page as it
// is then.
TEST(PositionedShiftAfterABlockLayout, MatchesAFullLayout)
{
    for (const char* size : {"90px", "8px"}) {
        Ref<Document> doc = pageFrom("<body><p>before</p><p id=flow style='font-size:40px'>grows</p><p>after</p>"
                                     "<p>more</p><div id=a style='position:absolute;left:20px;top:300px;width:50px;"
                                     "height:50px;border:1px solid'></div></body>");
        DocumentLayout layout(doc.get());
        layout.setViewportSize(QSize(640, 150));
        layout.ensureLayout();
        byId(doc.get(), "flow")->style().setAttribute(QStringLiteral("font-size"), Variant(size));
        layout.ensureLayout();
        ASSERT_EQ(layout.counters().blockLayouts, 1) << size;
        // (Boxes and words: the glyphs of words laid out again in a block
        // paint a little apart, whatever moves.)
        Element* a = byId(doc.get(), "a");
        const int shifts = layout.counters().shifts;
        for (const char* top : {"900px", "10px", "300px"}) {
            a->style().setAttribute(QStringLiteral("top"), Variant(top));
            expectSameAsFullLayout(layout, *doc, std::string(size) + ", top " + top);
        }
        EXPECT_EQ(layout.counters().shifts, shifts + 3) << size;
    }
}

INSTANTIATE_TEST_SUITE_P(Moves, PositionedShift, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<ShiftCase>& info) { return std::string(info.param.name); });

} // namespace
