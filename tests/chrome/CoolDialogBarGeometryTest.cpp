#include "chrome/CoolDialogBarGeometry.h"
#include "controls/SysColors.h"

#include <gtest/gtest.h>

using namespace coolbar;
using platform::Rect;

namespace {

QPoint centre(const Rect& r)
{
    return QPoint(r.left + r.width() / 2, r.top + r.height() / 2);
}

// ---- the parts of the window per dock side ----------------------------------------

TEST(CoolDialogBarGeometry, ABarDockedLeftOrRightHasItsCaptionAlongTheTop)
{
    const Frame right = LayoutFrame(AFX_IDW_DOCKBAR_RIGHT, 300, 500, kEdgeWidth);
    EXPECT_EQ(right.caption, Rect(0, 0, 260, 20));
    // The close button 11 x 11, 10 pixels from the right; the roll-up button 13 to its left.
    EXPECT_EQ(right.close.width(), 11);
    EXPECT_EQ(right.close.height(), 11);
    EXPECT_EQ(right.close.right, 290);
    EXPECT_EQ(right.rollUp.right, 277);
    EXPECT_EQ(right.rollUp.top, right.close.top);
    // The edge on the inner side (facing the page windows), the dialog inside the rest.
    EXPECT_EQ(right.edge, Rect(0, 0, 6, 500));
    EXPECT_EQ(right.client, Rect(6, 20, 297, 497));

    const Frame left = LayoutFrame(AFX_IDW_DOCKBAR_LEFT, 300, 500, kEdgeWidth);
    EXPECT_EQ(left.edge, Rect(294, 0, 300, 500));
    EXPECT_EQ(left.client, Rect(3, 20, 294, 497));
    EXPECT_EQ(left.close, right.close);
    // Two 3-D lines 4 pixels apart run along the caption as far as the caption goes.
    EXPECT_EQ(left.grippers[1].top - left.grippers[0].top, 4);
    EXPECT_EQ(left.grippers[0].right, left.caption.right);
}

TEST(CoolDialogBarGeometry, ABarDockedTopOrBottomHasItsCaptionDownTheLeftSide)
{
    const Frame bottom = LayoutFrame(AFX_IDW_DOCKBAR_BOTTOM, 800, 150, kEdgeWidth);
    EXPECT_EQ(bottom.caption, Rect(0, 0, 20, 150));
    EXPECT_EQ(bottom.close.left, 7);
    EXPECT_EQ(bottom.close.width(), 12);
    EXPECT_EQ(bottom.close.height(), 12);
    EXPECT_EQ(bottom.rollUp.left, 7);
    EXPECT_EQ(bottom.rollUp.top - bottom.close.top, 13);
    EXPECT_EQ(bottom.edge, Rect(0, 0, 800, 6));
    EXPECT_EQ(bottom.client, Rect(20, 6, 797, 147));
    // The gripper lines run down below the buttons.
    EXPECT_GT(bottom.grippers[0].top, bottom.rollUp.bottom);
    EXPECT_EQ(bottom.grippers[1].left - bottom.grippers[0].left, 4);

    const Frame top = LayoutFrame(AFX_IDW_DOCKBAR_TOP, 800, 150, kEdgeWidth);
    EXPECT_EQ(top.edge, Rect(0, 144, 800, 150));
    EXPECT_EQ(top.client, Rect(20, 3, 797, 144));
}

TEST(CoolDialogBarGeometry, TheLineAlongTheEdgeIsLightAboveAndLeftAndDarkBelowAndRight)
{
    const Frame top = LayoutFrame(AFX_IDW_DOCKBAR_TOP, 100, 50, kEdgeWidth);
    EXPECT_EQ(top.edgeLine, Rect(0, 44, 100, 45));
    EXPECT_EQ(top.edgeLineColor, COLOR_3DHIGHLIGHT);
    const Frame left = LayoutFrame(AFX_IDW_DOCKBAR_LEFT, 100, 50, kEdgeWidth);
    EXPECT_EQ(left.edgeLine, Rect(94, 0, 95, 50));
    EXPECT_EQ(left.edgeLineColor, COLOR_3DHIGHLIGHT);
    const Frame right = LayoutFrame(AFX_IDW_DOCKBAR_RIGHT, 100, 50, kEdgeWidth);
    EXPECT_EQ(right.edgeLine, Rect(5, 0, 6, 50));
    EXPECT_EQ(right.edgeLineColor, COLOR_3DSHADOW);
    const Frame bottom = LayoutFrame(AFX_IDW_DOCKBAR_BOTTOM, 100, 50, kEdgeWidth);
    EXPECT_EQ(bottom.edgeLine, Rect(0, 5, 100, 6));
    EXPECT_EQ(bottom.edgeLineColor, COLOR_3DSHADOW);
    // Without an edge strip there is no line.
    EXPECT_TRUE(LayoutFrame(AFX_IDW_DOCKBAR_LEFT, 100, 50, 0).edgeLine.isEmpty());
}

TEST(CoolDialogBarGeometry, RolledUpTheWholeBarIsTheStripAndTheCloseButtonStaysInside)
{
    // Docked at the bottom, 18 high: the strip is the whole window.
    const Frame bottom = LayoutFrame(AFX_IDW_DOCKBAR_BOTTOM, 800, kRolledEdgeWidth, kRolledEdgeWidth);
    EXPECT_EQ(bottom.edge, Rect(0, 0, 800, 18));
    EXPECT_EQ(HitTest(bottom, QPoint(400, 9)), HTSIZE);
    EXPECT_EQ(HitTest(bottom, centre(bottom.close)), HTCLOSE);
    // Docked at the right, 18 wide: the close button is kept inside the bar.
    const Frame right = LayoutFrame(AFX_IDW_DOCKBAR_RIGHT, kRolledEdgeWidth, 500, kRolledEdgeWidth);
    EXPECT_GE(right.close.left, 0);
    EXPECT_LE(right.close.right, 18);
    EXPECT_EQ(HitTest(right, QPoint(9, 250)), HTSIZE);
}

TEST(CoolDialogBarGeometry, AFloatingBarHasASmallCaptionAndItsEdgeOppositeItsAlignment)
{
    const Frame f = LayoutFrame(AFX_IDW_DOCKBAR_FLOAT, 200, 300, 0);
    EXPECT_EQ(f.caption, Rect(0, 0, 200, 20));
    EXPECT_EQ(f.client, Rect(0, 20, 200, 300));
    EXPECT_TRUE(f.rollUp.isEmpty()); // the roll-up button is the floating frame hook's
    EXPECT_EQ(f.close.right, 198);
    EXPECT_TRUE(f.grippers[0].isEmpty());
    // Aligned top: the edge at the bottom; aligned left: at the right.
    EXPECT_EQ(LayoutFrame(AFX_IDW_DOCKBAR_FLOAT, 200, 300, 6, AFX_IDW_DOCKBAR_TOP).edge, Rect(0, 294, 200, 300));
    const Frame left = LayoutFrame(AFX_IDW_DOCKBAR_FLOAT, 200, 300, 6, AFX_IDW_DOCKBAR_LEFT);
    EXPECT_EQ(left.edge, Rect(194, 0, 200, 300));
    EXPECT_EQ(left.client, Rect(0, 20, 194, 300));
}

TEST(CoolDialogBarGeometry, HitTestsTakeTheButtonsBeforeTheEdgeAndTheEdgeBeforeTheCaption)
{
    const Frame f = LayoutFrame(AFX_IDW_DOCKBAR_RIGHT, 300, 500, kEdgeWidth);
    EXPECT_EQ(HitTest(f, centre(f.close)), HTCLOSE);
    EXPECT_EQ(HitTest(f, centre(f.rollUp)), HTMINBUTTON);
    EXPECT_EQ(HitTest(f, QPoint(2, 10)), HTSIZE); // where edge and caption meet
    EXPECT_EQ(HitTest(f, QPoint(100, 10)), HTCAPTION);
    EXPECT_EQ(HitTest(f, QPoint(100, 200)), HTNOWHERE);
    // Between the caption's end and the roll-up button: nothing.
    EXPECT_EQ(HitTest(f, QPoint(f.caption.right + 1, 2)), HTNOWHERE);
}

TEST(CoolDialogBarGeometry, TheRollUpArrowPointsAtTheFrameEdgeAndTheUnrollArrowBack)
{
    EXPECT_EQ(RollUpArrow(AFX_IDW_DOCKBAR_TOP), Arrow::Up);
    EXPECT_EQ(RollUpArrow(AFX_IDW_DOCKBAR_LEFT), Arrow::Left);
    EXPECT_EQ(RollUpArrow(AFX_IDW_DOCKBAR_RIGHT), Arrow::Right);
    EXPECT_EQ(RollUpArrow(AFX_IDW_DOCKBAR_BOTTOM), Arrow::Down);
    EXPECT_EQ(UnrollArrow(AFX_IDW_DOCKBAR_BOTTOM), Arrow::Up);
    EXPECT_EQ(UnrollArrow(AFX_IDW_DOCKBAR_RIGHT), Arrow::Left);
    EXPECT_EQ(UnrollArrow(AFX_IDW_DOCKBAR_LEFT), Arrow::Right);
    EXPECT_EQ(UnrollArrow(AFX_IDW_DOCKBAR_TOP), Arrow::Down);
}

TEST(CoolDialogBarGeometry, EachButtonStateHasItsTwoFrames)
{
    const ButtonColors hot = CaptionButtonColors(1);
    EXPECT_EQ(hot.outerTopLeft, COLOR_3DLIGHT);
    EXPECT_EQ(hot.outerBottomRight, COLOR_3DDKSHADOW);
    EXPECT_EQ(hot.innerTopLeft, COLOR_3DHIGHLIGHT);
    EXPECT_EQ(hot.innerBottomRight, COLOR_3DSHADOW);
    const ButtonColors pressed = CaptionButtonColors(2);
    EXPECT_EQ(pressed.outerTopLeft, COLOR_3DSHADOW);
    EXPECT_EQ(pressed.outerBottomRight, COLOR_3DHIGHLIGHT);
    const ButtonColors normal = CaptionButtonColors(0);
    EXPECT_EQ(normal.outerTopLeft, COLOR_3DHIGHLIGHT);
    EXPECT_EQ(normal.outerBottomRight, COLOR_3DSHADOW);
    EXPECT_EQ(normal.innerTopLeft, COLOR_3DFACE);
}

// ---- rolling up and down -----------------------------------------------------------

TEST(CoolDialogBarExtents, RollingUpKeepsTheExtentAndUnrollingGivesItBack)
{
    Extents e;
    e.horzHeight = 140;
    e.RollUp(true, 152); // the bar's present height, after the user resized it
    EXPECT_TRUE(e.IsShrunk());
    EXPECT_EQ(e.horzHeight, 18);
    EXPECT_EQ(e.edgeWidth, 18);
    EXPECT_EQ(e.vertWidth, 200);
    // A second roll-up keeps the extent from before the first.
    e.RollUp(true, 18);
    e.Unroll(true);
    EXPECT_FALSE(e.IsShrunk());
    EXPECT_EQ(e.horzHeight, 152);
    EXPECT_EQ(e.edgeWidth, 6);
    EXPECT_EQ(e.savedExtent, -1);
    // Unrolling an unrolled bar changes nothing.
    e.Unroll(true);
    EXPECT_EQ(e.horzHeight, 152);

    e.RollUp(false, 260);
    EXPECT_EQ(e.vertWidth, 18);
    e.Unroll(false);
    EXPECT_EQ(e.vertWidth, 260);
}

TEST(CoolDialogBarExtents, AnEdgeDraggedPastTheOuterSideLeavesTheSmallestExtent)
{
    Extents e;
    e.Resize(true, -40);
    EXPECT_EQ(e.horzHeight, kMinHeight);
    e.Resize(false, 3);
    EXPECT_EQ(e.vertWidth, kMinWidth);
    e.Resize(false, 333);
    EXPECT_EQ(e.vertWidth, 333);
}

// ---- pressing, leaving and releasing the buttons --------------------------------

TEST(CoolDialogBarButtons, AButtonActsOnlyWhenReleasedOverItself)
{
    CaptionButtons b;
    EXPECT_EQ(b.Hover(HTCLOSE), -1);
    EXPECT_EQ(b.StateOf(HTCLOSE, HTCLOSE), 1);
    ASSERT_TRUE(b.Press(HTCLOSE));
    EXPECT_EQ(b.StateOf(HTCLOSE, HTCLOSE), 2);
    // Left while held: drawn normal, and nothing hovers meanwhile.
    EXPECT_EQ(b.StateOf(HTCLOSE, -1), 0);
    EXPECT_EQ(b.Hover(HTMINBUTTON), -1);
    EXPECT_EQ(b.StateOf(HTMINBUTTON, HTMINBUTTON), 0);
    // Released over another button: nothing happens, nothing stays pressed.
    EXPECT_EQ(b.Release(HTMINBUTTON), -1);
    EXPECT_EQ(b.pressed(), -1);
    EXPECT_EQ(b.hot(), -1);

    ASSERT_TRUE(b.Press(HTMINBUTTON));
    EXPECT_EQ(b.Release(HTMINBUTTON), HTMINBUTTON);
    // A press beside the buttons holds nothing.
    EXPECT_FALSE(b.Press(-1));
    EXPECT_EQ(b.Release(-1), -1);
}

TEST(CoolDialogBarButtons, MovingToAnotherButtonTellsWhichOneToDrawNormal)
{
    CaptionButtons b;
    b.Hover(HTCLOSE);
    EXPECT_EQ(b.Hover(HTMINBUTTON), HTCLOSE);
    EXPECT_EQ(b.Hover(HTMINBUTTON), -1);
    EXPECT_EQ(b.Hover(-1), HTMINBUTTON);
    EXPECT_EQ(b.StateOf(HTMINBUTTON, -1), 0);
}

} // namespace
