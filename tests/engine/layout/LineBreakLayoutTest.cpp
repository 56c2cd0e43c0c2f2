// Lines that breaks open and end, as browsers lay them out.
#include "engine/EnginePage.h"
#include "engine/dom/Text.h"
#include "engine/layout/DocumentLayout.h"
#include "LayoutFixture.h"

#include <gtest/gtest.h>

using namespace engine;
using layout_test::byId;

namespace {

int heightOf(const QString& body, const char* id = "x")
{
    Ref<Document> doc = pageFrom(QStringLiteral("<body>") + body + QStringLiteral("</body>"));
    DocumentLayout layout(doc.get());
    layout.setViewportSize(QSize(600, 400));
    const LayoutBox* box = layout.box(byId(doc.get(), id));
    return box ? box->borderBox.height() : -1;
}

int lineHeight()
{
    static const int height = heightOf(QStringLiteral("<div id=x>a</div>"));
    return height;
}

struct LinesCase
{
    const char* name;
    const char* content; // of a DIV
    int lines;
};

class BreakLines : public ::testing::TestWithParam<LinesCase>
{
};

} // namespace

TEST_P(BreakLines, ShowAsManyLinesAsInBrowsers)
{
    const LinesCase& c = GetParam();
    ASSERT_GT(lineHeight(), 10);
    EXPECT_EQ(heightOf(QStringLiteral("<div id=x>%1</div>").arg(QString::fromUtf8(c.content))), c.lines * lineHeight());
}

INSTANTIATE_TEST_SUITE_P(
    Breaks, BreakLines,
    ::testing::Values(LinesCase{"Between", "a<br>b", 2}, LinesCase{"EmptyLineBetween", "a<br><br>b", 3},
                      LinesCase{"TwoEmptyLines", "a<br><br><br>b", 4}, LinesCase{"Trailing", "a<br>", 1},
                      LinesCase{"TrailingPair", "a<br><br>", 2}, LinesCase{"Lone", "<br>", 1},
                      LinesCase{"LonePair", "<br><br>", 2}, LinesCase{"Leading", "<br>b", 2},
                      LinesCase{"InsideInline", "<b><br></b>", 1}, LinesCase{"EndOfInline", "<b>a<br></b><br>", 2},
                      LinesCase{"WhiteSpaceIsNoContent", "a <br> \n <br> b", 3},
                      LinesCase{"EmptyInlineIsNoContent", "<span></span><br>", 1},
                      LinesCase{"ImageIsContent", "<img width=4 height=16><br>", 1},
                      LinesCase{"BeforeABlock", "a<br><div>b</div>", 2},
                      LinesCase{"AfterABlock", "<div>a</div><br>b", 3}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(BreakLines, EmptyLineHasTheHeightOfItsFont)
{
    EXPECT_EQ(heightOf(QStringLiteral("<div id=x style='font-size:32px'><br></div>")),
              heightOf(QStringLiteral("<div id=x style='font-size:32px'>a</div>")));
    // A cell holding a break is one line high, as one holding a word.
    EXPECT_EQ(heightOf(QStringLiteral("<table><tr><td id=x><br></td></tr></table>")),
              heightOf(QStringLiteral("<table><tr><td id=x>a</td></tr></table>")));
}

// Typing changes the words of a text node in place: the lines of the breaks
// around it follow.
TEST(BreakLines, FollowTextTypedBesideThem)
{
    Ref<Document> doc = pageFrom("<body><p id=x>a<br></p><p id=y>a<br>b</p></body>");
    DocumentLayout layout(doc.get());
    layout.setViewportSize(QSize(600, 400));
    Element* x = byId(doc.get(), "x");
    Element* y = byId(doc.get(), "y");
    const int line = layout.box(x)->borderBox.height();
    ASSERT_EQ(layout.box(y)->borderBox.height(), 2 * line);
    x->firstChild()->asText()->deleteData(0, 1); // <p>""<br></p>: an empty line
    y->lastChild()->asText()->deleteData(0, 1);  // <p>a<br>""</p>: the break ends the block
    EXPECT_EQ(layout.box(x)->borderBox.height(), line);
    EXPECT_EQ(layout.box(y)->borderBox.height(), line);
    EXPECT_GT(layout.counters().textUpdates, 0);
    x->firstChild()->asText()->setData(QStringLiteral("ab"));
    y->lastChild()->asText()->setData(QStringLiteral("c"));
    EXPECT_EQ(layout.box(x)->borderBox.height(), line);
    EXPECT_EQ(layout.box(y)->borderBox.height(), 2 * line);
}

// The empty line's box stands where text of its alignment would start: the
// caret is drawn there.
TEST(BreakLines, EmptyLineFollowsTheAlignment)
{
    Ref<Document> doc = pageFrom("<body><div style='width:300px'><p id=l><br></p><p id=c align=center><br></p>"
                                 "<p id=r style='text-align:right'><br></p></div></body>");
    DocumentLayout layout(doc.get());
    layout.setViewportSize(QSize(600, 400));
    auto breakIn = [&](const char* id) {
        return layout.box(byId(doc.get(), id)->firstChild()->asElement())->borderBox;
    };
    const QRect p = layout.box(byId(doc.get(), "l"))->contentBox;
    EXPECT_EQ(breakIn("l").left(), p.left());
    EXPECT_NEAR(breakIn("c").left(), p.left() + p.width() / 2, 1);
    EXPECT_NEAR(breakIn("r").left(), p.left() + p.width(), 1);
}
