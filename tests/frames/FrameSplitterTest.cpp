#include "FrameFakes.h"

#include "frames/FrameLayout.h"
#include "frames/FrameSplitter.h"

#include <gtest/gtest.h>

using platform::Rect;

namespace {

class FrameSplitterTest : public ::testing::Test
{
protected:
    FakeEnvironment env;
    FakeHost host;
    TreeBuilder build{host};
    FakePane rootView{"set.html"};
    FakePane a{"a.html"}, b{"b.html"}, c{"c.html"};

    void SetUp() override
    {
        env.host = &host;
        host.tree.rootView = &rootView;
    }
    VornaFrameSet* root() { return host.tree.root.get(); }
    VornaFrameSet* first() { return root()->m_pFirstChild.get(); }
    VornaFrameSet* second() { return first()->m_pNext.get(); }

    // "200,*" side by side over 600 x 400, divided as the child frame does.
    void twoColumns(const QString& sizes = "200,*")
    {
        build.frameset("cols", sizes, 2);
        build.frame("a", {}, &a);
        build.frame("b", {}, &b);
        DivideFramesetPanes(root(), Rect(0, 0, 600, 400), 2);
    }
    // Drags from the middle of the gap after the first pane by dx, dy.
    bool drag(int dx, int dy)
    {
        const Rect left = first()->m_rcPane;
        const bool cols = root()->m_strSplit == "cols";
        const QPoint start = cols ? QPoint(left.right + 2, 200) : QPoint(300, left.bottom + 2);
        FrameSplitterDrag dragging;
        if (!dragging.Begin(root(), start, 2))
            return false;
        dragging.Move(start + QPoint(dx, dy));
        return dragging.End(&host);
    }
};

TEST_F(FrameSplitterTest, DividingLeavesTheGapBetweenPanes)
{
    twoColumns();
    EXPECT_EQ(first()->m_rcPane, Rect(0, 0, 200, 400));
    EXPECT_EQ(second()->m_rcPane, Rect(204, 0, 600, 400));
    EXPECT_EQ(b.window, second()->m_rcPane);
}

TEST_F(FrameSplitterTest, DraggingFiftyPixelsRightRewritesTheEntry)
{
    twoColumns();
    ASSERT_TRUE(drag(50, 0));
    EXPECT_EQ(str(first()->m_strSize), "250");
    EXPECT_EQ(str(second()->m_strSize), "*");
    EXPECT_EQ(first()->m_rcPane.width(), 250);
    EXPECT_EQ(second()->m_rcPane.left, 254);
    EXPECT_EQ(a.window, first()->m_rcPane);
    EXPECT_TRUE(host.framesetModified);
}

TEST_F(FrameSplitterTest, RowsDragAndPercentEntries)
{
    build.frameset("rows", "25%,*", 2);
    build.frame("a", {}, &a);
    build.frame("b", {}, &b);
    DivideFramesetPanes(root(), Rect(0, 0, 400, 404), 2);
    EXPECT_EQ(first()->m_rcPane.height(), 100);
    ASSERT_TRUE(drag(0, 100));
    // A share of the frameset's height less its spacing: 200 of 402.
    EXPECT_EQ(str(first()->m_strSize), "49%");
    EXPECT_EQ(first()->m_rcPane.height(), 200);
}

TEST_F(FrameSplitterTest, ADragBackToItsStartOrOffTheBarsChangesNothing)
{
    twoColumns();
    EXPECT_FALSE(drag(0, 0));
    EXPECT_FALSE(host.framesetModified);
    FrameSplitterDrag dragging;
    EXPECT_FALSE(dragging.Begin(root(), QPoint(100, 100), 2)); // inside a pane: no bar
    EXPECT_FALSE(dragging.Begin(root(), QPoint(1000, 100), 2));
    EXPECT_FALSE(dragging.IsActive());
}

TEST_F(FrameSplitterTest, TheBarStaysWithinTwentyPixelsAndTheSpacingOfThePanesEdges)
{
    twoColumns();
    FrameSplitterDrag dragging;
    ASSERT_TRUE(dragging.Begin(root(), QPoint(202, 50), 2));
    EXPECT_EQ(dragging.m_rcDragLimits, Rect(0, 0, 600, 400));
    EXPECT_FALSE(dragging.Move(QPoint(10, 50)));
    EXPECT_FALSE(dragging.Move(QPoint(590, 50)));
    EXPECT_EQ(dragging.BarRect(), Rect(202, 0, 204, 400));
    EXPECT_TRUE(dragging.Move(QPoint(577, 50)));
    EXPECT_EQ(dragging.BarRect(), Rect(577, 0, 579, 400));
    ASSERT_TRUE(dragging.End(&host));
    EXPECT_GE(second()->m_rcPane.width(), 20); // the later pane keeps some room
}

TEST_F(FrameSplitterTest, TheDeepestFramesetUnderThePointOwnsTheBar)
{
    build.frameset("cols", "150,*", 2);
    build.frame("a", {}, &a);
    VornaFrameSet* inner = build.frameset("rows", "80,*", 2);
    build.frame("b", {}, &b);
    build.frame("c", {}, &c);
    DivideFramesetPanes(root(), Rect(0, 0, 600, 400), 2);
    EXPECT_EQ(b.window, Rect(154, 0, 600, 80));
    EXPECT_EQ(c.window, Rect(154, 84, 600, 400));

    EXPECT_EQ(FindSplitterNode(root(), QPoint(152, 200), 2), root());
    EXPECT_EQ(FindSplitterNode(root(), QPoint(300, 82), 2), inner);
    EXPECT_EQ(FindSplitterNode(root(), QPoint(700, 82), 2), nullptr);

    // Dragging the outer bar narrows the inner frameset's panes alike.
    FrameSplitterDrag dragging;
    ASSERT_TRUE(dragging.Begin(root(), QPoint(152, 200), 2));
    dragging.Move(QPoint(202, 200));
    ASSERT_TRUE(dragging.End(&host));
    EXPECT_EQ(str(first()->m_strSize), "200");
    EXPECT_EQ(b.window.left, 204);
    EXPECT_EQ(c.window.left, 204);
    EXPECT_EQ(c.window.right, 600);
}

struct DivideCase
{
    const char* sizes;
    int frames;
};

class BadSizeListTest : public FrameSplitterTest, public ::testing::WithParamInterface<DivideCase>
{
};

TEST_P(BadSizeListTest, PanesKeepAPlaceAndFillTheWidth)
{
    build.frameset("cols", GetParam().sizes, GetParam().frames);
    QList<FakePane*> panes;
    for (int i = 0; i < GetParam().frames; ++i) {
        panes.append(new FakePane(QString::number(i)));
        build.frame(QString::number(i), {}, panes.last());
    }
    DivideFramesetPanes(root(), Rect(0, 0, 600, 400), 2);
    int at = 0;
    for (FakePane* pane : panes) {
        EXPECT_GE(pane->window.left, at);
        EXPECT_GE(pane->window.width(), 12) << str(pane->name);
        at = pane->window.right;
    }
    EXPECT_EQ(panes.last()->window.right, 600);
    host.tree.clear();
    qDeleteAll(panes);
}

INSTANTIATE_TEST_SUITE_P(Lists, BadSizeListTest,
                         ::testing::Values(DivideCase{"abc,def", 2}, DivideCase{"0,0", 2}, DivideCase{"-5,*", 2},
                                           DivideCase{"300%,*", 2}, DivideCase{"100,*", 4},
                                           DivideCase{"100,200,300,400", 2}, DivideCase{"9000,9000", 2}),
                         [](const auto& info) { return caseName(std::string(info.param.sizes)); });

TEST_F(FrameSplitterTest, ATinyWindowGivesNoNegativePane)
{
    twoColumns("300,*");
    DivideFramesetPanes(root(), Rect(0, 0, 10, 10), 2);
    EXPECT_GE(a.window.width(), 0);
    EXPECT_GE(b.window.width(), 0);
}

TEST_F(FrameSplitterTest, ResizeCursorsBetweenTwoPanes)
{
    twoColumns();
    first()->SetNoResize(true);
    auto paneAt = [this](const QPoint& p) -> FramePane* {
        if (first()->m_rcPane.contains(p))
            return &a;
        return second()->m_rcPane.contains(p) ? &b : nullptr;
    };
    // Editing: noresize does not hold the bar.
    EXPECT_EQ(SplitterCursorAt(root(), QPoint(202, 100), true, paneAt), SplitterCursor::WestEast);
    EXPECT_EQ(SplitterCursorAt(root(), QPoint(202, 100), false, paneAt), SplitterCursor::Arrow);
    EXPECT_EQ(SplitterCursorAt(root(), QPoint(100, 100), true, paneAt), SplitterCursor::Arrow);
}

TEST_F(FrameSplitterTest, OutlineAndGapsOfThePanes)
{
    EXPECT_EQ(PaneOutlineRects(Rect(10, 10, 50, 50), 0), QList<Rect>{Rect(9, 9, 51, 51)});
    EXPECT_EQ(PaneOutlineRects(Rect(10, 10, 50, 50), 1), (QList<Rect>{Rect(9, 9, 51, 51), Rect(8, 8, 52, 52)}));

    twoColumns();
    const QList<Rect> gaps = FrameGapRects(root(), Rect(0, 0, 600, 400), 4);
    ASSERT_EQ(gaps.size(), 6); // 0, 1 and 2 pixels around each pane
    // The outer border is not painted over: only the inner sides grow.
    EXPECT_EQ(gaps[2], Rect(0, 0, 202, 400));
    EXPECT_EQ(gaps[5], Rect(202, 0, 600, 400));
}

} // namespace
