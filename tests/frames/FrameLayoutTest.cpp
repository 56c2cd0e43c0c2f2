#include "FrameFakes.h"

#include "frames/FrameLayout.h"

#include <gtest/gtest.h>

using platform::Rect;

namespace {

class FrameLayoutTest : public ::testing::Test
{
protected:
    FakeEnvironment env;
    FakeHost host;
    TreeBuilder build{host};
    FakePane rootView{"top.html"};
    FakePane a{"a.html"}, b{"b.html"}, c{"c.html"};

    void SetUp() override
    {
        env.host = &host;
        host.tree.rootView = &rootView;
    }
    VornaFrameSet* root() { return host.tree.root.get(); }
    VornaFrameSet* child(int index)
    {
        VornaFrameSet* node = root()->m_pFirstChild.get();
        while (index-- > 0)
            node = node->m_pNext.get();
        return node;
    }
    // A root FRAMESET of three panes side by side (or stacked) of 100 each.
    void threePanes(const QString& split, const QString& sizes)
    {
        const bool cols = split == "cols";
        build.frameset(split, sizes, 3);
        build.frame("a", cols ? Rect(0, 0, 100, 300) : Rect(0, 0, 300, 100), &a);
        build.frame("b", cols ? Rect(100, 0, 200, 300) : Rect(0, 100, 300, 200), &b);
        build.frame("c", cols ? Rect(200, 0, 300, 300) : Rect(0, 200, 300, 300), &c);
    }
};

TEST_F(FrameLayoutTest, PixelsPercentagesAndStarsShareTheWidth)
{
    threePanes("cols", "200,30%,*");
    UpdateFramesetSizes(root(), Rect(0, 0, 600, 300));

    EXPECT_EQ(child(0)->m_rcPane, Rect(0, 0, 200, 300));
    EXPECT_EQ(child(1)->m_rcPane, Rect(200, 0, 318, 300)); // (600 - 200) * 30 / 100 - 2
    EXPECT_EQ(child(2)->m_rcPane, Rect(318, 0, 600, 300)); // 278, then stretched to the right edge
    EXPECT_EQ(a.window, child(0)->m_rcPane);
    EXPECT_EQ(b.window, child(1)->m_rcPane);
    EXPECT_EQ(c.window, child(2)->m_rcPane);
}

TEST_F(FrameLayoutTest, TwoPercentagesShareTheExtentEqually)
{
    build.frameset("cols", "30%,30%", 2);
    build.frame("a", Rect(0, 0, 100, 300), &a);
    build.frame("b", Rect(100, 0, 200, 300), &b);
    UpdateFramesetSizes(root(), Rect(0, 0, 600, 300));

    EXPECT_EQ(child(0)->m_rcPane.width(), 298); // 600 * 30 / 60 - 2
    EXPECT_EQ(child(1)->m_rcPane, Rect(298, 0, 600, 300));
}

class PixelScalingTest : public FrameLayoutTest, public ::testing::WithParamInterface<const char*>
{
};

TEST_P(PixelScalingTest, PixelEntriesScaleToTheExtent)
{
    const QString split = GetParam();
    threePanes(split, "100,100,100");
    UpdateFramesetSizes(root(), split == "cols" ? Rect(0, 0, 600, 300) : Rect(0, 0, 300, 600));

    for (int i = 0; i < 3; ++i) {
        const Rect pane = child(i)->m_rcPane;
        EXPECT_EQ(split == "cols" ? pane.width() : pane.height(), 200) << i;
        EXPECT_EQ(split == "cols" ? pane.left : pane.top, 200 * i) << i;
    }
}

INSTANTIATE_TEST_SUITE_P(Splits, PixelScalingTest, ::testing::Values("cols", "rows"));

TEST_F(FrameLayoutTest, WeightedStarsShareWithoutAPlainStar)
{
    threePanes("cols", "100,2*,3*");
    UpdateFramesetSizes(root(), Rect(0, 0, 600, 300));

    EXPECT_EQ(child(0)->m_rcPane.width(), 100);
    EXPECT_EQ(child(1)->m_rcPane.width(), 248); // (600 - 100) / 2 - 2
    EXPECT_EQ(child(2)->m_rcPane.right, 600);
}

TEST_F(FrameLayoutTest, AbsurdEntriesStayWithinRange)
{
    threePanes("cols", "99999999999,50%,*");
    UpdateFramesetSizes(root(), Rect(0, 0, 600, 300));
    EXPECT_EQ(child(0)->m_rcPane.width(), 1 << 24);
    EXPECT_EQ(child(2)->m_rcPane.right, 600);
}

TEST_F(FrameLayoutTest, NestedFramesetIsLaidOutInItsShare)
{
    build.frameset("cols", "200,*", 2);
    build.frame("a", Rect(0, 0, 100, 300), &a);
    build.frameset("rows", "100,*", 2);
    build.frame("b", Rect(100, 0, 300, 150), &b);
    build.frame("c", Rect(100, 150, 300, 300), &c);
    UpdateFramesetSizes(root(), Rect(0, 0, 600, 400));

    EXPECT_EQ(child(0)->m_rcPane, Rect(0, 0, 200, 400));
    EXPECT_EQ(b.window, Rect(200, 0, 600, 100));
    EXPECT_EQ(c.window, Rect(200, 100, 600, 400));
}

struct WriteCase
{
    const char* entry;
    const char* split; // the word passed in
    const char* parentSplit;
    int newWidth;
    bool hasNext;
    const char* expected;
};

void PrintTo(const WriteCase& c, std::ostream* os)
{
    *os << caseName(std::string(c.entry) + "_" + c.split + "_in_" + c.parentSplit + "_to_" +
                    std::to_string(c.newWidth) + (c.hasNext ? "" : "_last"));
}

class WriteSizesTest : public FrameLayoutTest, public ::testing::WithParamInterface<WriteCase>
{
};

TEST_P(WriteSizesTest, EntryFromTheNewRectangle)
{
    const WriteCase& w = GetParam();
    build.frameset(w.parentSplit, "*,*", 2);
    build.frame("a", Rect(0, 0, 300, 300), &a);
    build.frame("b", Rect(300, 0, 600, 300), &b);
    VornaFrameSet* node = w.hasNext ? child(0) : child(1);
    node->m_strSize = w.entry;

    WriteFramesetSizes(node, w.split, Rect(0, 0, w.newWidth, w.newWidth));
    EXPECT_EQ(node->m_strSize, QString(w.expected));
    EXPECT_TRUE(host.framesetModified);
}

INSTANTIATE_TEST_SUITE_P(
    Entries, WriteSizesTest,
    ::testing::Values(WriteCase{"*", "cols", "cols", 400, true, "66%"},     // 400 * 100 / 600
                      WriteCase{"*", "cols", "cols", 400, false, "*"},      // the last pane keeps its star
                      WriteCase{"200", "cols", "cols", 250, true, "250"},   // pixels
                      WriteCase{"50%", "cols", "cols", 299, true, "50%"},   // 299 * 100 / (600 - 2)
                      WriteCase{"50%", "cols", "rows", 100, true, "50%"},   // split differs: unchanged
                      WriteCase{"20%", "rows", "rows", 150, true, "50%"})); // 150 * 100 / (300 - 2)

TEST_F(FrameLayoutTest, PercentageOfAZeroWidthFramesetIsLeftAlone)
{
    build.frameset("cols", "50%,*", 2);
    build.frame("a", Rect(0, 0, 0, 300), &a);
    build.frame("b", Rect(0, 0, 2, 300), &b);
    root()->SetFrameSpacing(2);
    child(0)->m_strSize = "50%";

    WriteFramesetSizes(child(0), "cols", Rect(0, 0, 10, 300));
    EXPECT_EQ(child(0)->m_strSize, "50%");
    child(0)->m_strSize = "*";
    child(0)->SetRect(0, 0, 0, 0);
    child(1)->SetRect(0, 0, 0, 300);
    WriteFramesetSizes(child(0), "cols", Rect(0, 0, 10, 300));
    EXPECT_EQ(child(0)->m_strSize, "*");
}

TEST_F(FrameLayoutTest, MovedRectanglesAreClampedOnTheLeadingEdgesOnly)
{
    build.frameset("cols", "50%,*", 2);
    build.frame("a", Rect(10, 10, 110, 110), &a);
    build.frame("b", Rect(110, 10, 210, 110), &b);

    LayoutFrameWindows(root(), 20, 15, 4, 4);
    EXPECT_EQ(child(0)->m_rcPane, Rect(0, 0, 86, 91));
    EXPECT_EQ(child(1)->m_rcPane, Rect(90, 0, 186, 91));
    EXPECT_EQ(a.window, Rect(0, 0, 86, 91));
}

TEST_F(FrameLayoutTest, ApplyLayoutNarrowsAndRespacesTwoColumns)
{
    build.frameset("cols", "50%,*", 2);
    build.frame("a", Rect(0, 0, 300, 300), &a);
    build.frame("b", Rect(302, 0, 600, 300), &b);

    ApplyFramesetLayout(root(), -2, -2);
    EXPECT_EQ(child(0)->m_rcPane, Rect(0, 0, 299, 300));
    EXPECT_EQ(child(1)->m_rcPane, Rect(301, 0, 600, 300));
    EXPECT_EQ(b.window, Rect(301, 0, 600, 300));
    EXPECT_TRUE(host.framesetModified);
}

TEST_F(FrameLayoutTest, WiderSpacingMovesTheSecondRow)
{
    build.frameset("rows", "100,*", 2);
    build.frame("a", Rect(0, 0, 300, 100), &a);
    build.frame("b", Rect(0, 102, 300, 300), &b);
    root()->SetFrameSpacing(10);

    ApplyFramesetLayout(root(), 0, 0);
    EXPECT_EQ(child(1)->m_rcPane.top, 110);
    EXPECT_EQ(child(0)->m_rcPane, Rect(0, 0, 300, 100));
}

TEST_F(FrameLayoutTest, MovingAPaneAndAFrameset)
{
    build.frameset("cols", "100,*", 2);
    build.frame("a", Rect(0, 0, 100, 300), &a);
    build.frameset("rows", "50%,*", 2);
    build.frame("b", Rect(102, 0, 300, 150), &b);
    build.frame("c", Rect(102, 152, 300, 300), &c);

    child(0)->MoveResizePane(0, 0, 50, 0);
    EXPECT_EQ(a.window, Rect(0, 0, 150, 300));

    child(1)->MoveResizePane(50, 0, -50, 0);
    EXPECT_EQ(b.window.left, 152);
    EXPECT_EQ(c.window.left, 152);
    EXPECT_EQ(b.window.right, 300);
    EXPECT_EQ(c.window.right, 300);
    EXPECT_EQ(c.window.bottom, 300);
}

TEST_F(FrameLayoutTest, NothingHappensWithoutATree)
{
    build.frameset("cols", "100,*", 2);
    build.frame("a", Rect(0, 0, 100, 300), &a);
    build.frame("b", Rect(100, 0, 300, 300), &b);
    FakeHost empty;
    WriteFramesetSizes(child(0), "cols", Rect(0, 0, 10, 10), &empty);
    UpdateFramesetSizes(root(), Rect(0, 0, 10, 10), &empty);
    ApplyFramesetLayout(root(), -2, -2, &empty);
    EXPECT_EQ(child(0)->m_strSize, "100");
    EXPECT_EQ(a.moves, 0);
    EXPECT_FALSE(empty.framesetModified);
}

TEST_F(FrameLayoutTest, FrameRectanglesMoveIntoOtherCoordinatesWithoutTheirWindows)
{
    build.frameset("cols", "50%,*", 2);
    build.frame("a", Rect(10, 10, 210, 110), &a);
    build.frame("b", Rect(-50, 30, 60, 80), &b);
    const Rect frameset = root()->m_rcPane;
    OffsetFrameRects(root(), 20, 5, 4, 4);
    EXPECT_EQ(child(0)->m_rcPane, Rect(0, 5, 186, 101));
    EXPECT_EQ(child(1)->m_rcPane, Rect(0, 25, 36, 71));
    EXPECT_EQ(root()->m_rcPane, frameset);
    EXPECT_EQ(a.moves, 0);
}

} // namespace
