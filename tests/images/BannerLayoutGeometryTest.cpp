#include "images/BannerLayoutGeometry.h"

#include <gtest/gtest.h>

namespace {

using platform::Rect;
using namespace bannerlayout;

TEST(BannerLayoutGeometry, ATextBoxStaysAtLeastFiftyPixelsAndFivePixelsOverTheCanvas)
{
    Rect text(10, 10, 100, 80);
    ResizeTextBox(text, QPoint(-70, -5));
    EXPECT_EQ(text, Rect(10, 10, 60, 75));
    ResizeTextBox(text, QPoint(-20, -40));
    EXPECT_EQ(text, Rect(10, 10, 60, 60));

    const Rect canvas(0, 0, 300, 100);
    text = Rect(10, 10, 70, 70);
    EXPECT_TRUE(MoveTextBox(text, QPoint(294, 20), canvas)) << "six pixels stay over the canvas";
    EXPECT_EQ(text, Rect(294, 20, 354, 80));
    EXPECT_FALSE(MoveTextBox(text, QPoint(295, 20), canvas));
    EXPECT_FALSE(MoveTextBox(text, QPoint(10, 95), canvas));
    EXPECT_FALSE(MoveTextBox(text, QPoint(-55, 10), canvas)) << "its right edge would leave the canvas";
    EXPECT_FALSE(MoveTextBox(text, QPoint(10, -55), canvas));
    EXPECT_TRUE(MoveTextBox(text, QPoint(-54, -54), canvas));
    EXPECT_EQ(text, Rect(-54, -54, 6, 6));
}

TEST(BannerLayoutGeometry, CornersThatMeetSnapEightPixelsApart)
{
    const Rect canvas(0, 0, 300, 100);
    // The text grip let go 3 pixels up-left of the canvas grip.
    Rect text(20, 20, 297, 97);
    SnapTextBoxToCanvas(text, canvas);
    EXPECT_EQ(text, Rect(20, 20, 292, 92));
    // Beyond the corner it is pushed out.
    text = Rect(20, 20, 303, 100);
    SnapTextBoxToCanvas(text, canvas);
    EXPECT_EQ(text, Rect(20, 20, 308, 108));
    // Close in one direction only: nothing.
    text = Rect(20, 20, 297, 80);
    SnapTextBoxToCanvas(text, canvas);
    EXPECT_EQ(text, Rect(20, 20, 297, 80));

    Rect dragged(0, 0, 296, 95);
    SnapCanvasToTextBox(dragged, Rect(20, 20, 300, 100));
    EXPECT_EQ(dragged, Rect(0, 0, 308, 108));
    dragged = Rect(0, 0, 250, 95);
    SnapCanvasToTextBox(dragged, Rect(20, 20, 300, 100));
    EXPECT_EQ(dragged, Rect(0, 0, 250, 95));
}

TEST(BannerLayoutGeometry, TheCanvasCornerStopsAtEightHundredOnlyWithoutAPicture)
{
    EXPECT_EQ(DraggedCanvas(QPoint(950, 1200), false), Rect(0, 0, 800, 800));
    EXPECT_EQ(DraggedCanvas(QPoint(950, 1200), true), Rect(0, 0, 950, 1200));
    EXPECT_EQ(DraggedCanvas(QPoint(-4, 0), false), Rect(0, 0, 1, 1)) << "never an empty canvas";
}

TEST(BannerLayoutGeometry, TheTextBoxIsPulledBackInsideTheCanvas)
{
    const Rect canvas(0, 0, 300, 100);
    Rect text(295, 96, 395, 160);
    KeepTextBoxInside(text, canvas, 10);
    EXPECT_EQ(text, Rect(290, 90, 390, 154));
    text = Rect(295, 96, 395, 160);
    KeepTextBoxInside(text, canvas, 2);
    EXPECT_EQ(text, Rect(295, 96, 395, 160)) << "2 pixels of margin are enough";
    text = Rect(299, 99, 399, 199);
    KeepTextBoxInside(text, canvas, 2);
    EXPECT_EQ(text, Rect(298, 98, 398, 198));
    text = Rect(5, 5, 295, 95);
    KeepTextBoxInside(text, canvas, 10);
    EXPECT_EQ(text, Rect(5, 5, 295, 95));
}

TEST(BannerLayoutGeometry, HandlesKeepToTheirMarginsAndNeverCross)
{
    const QSize frame(430, 190);
    Handles handles = HomeHandles(frame);
    EXPECT_EQ(handles.left, Rect(9, 0, 25, 8));
    EXPECT_EQ(handles.right, Rect(409, 0, 425, 8));
    EXPECT_EQ(handles.top, Rect(0, 9, 8, 25));
    EXPECT_EQ(handles.bottom, Rect(0, 169, 8, 185));

    MoveHandle(handles, kLeftHandle, QPoint(-100, 50), frame);
    EXPECT_EQ(handles.left, Rect(4, 0, 20, 8)) << "4 pixels from the left, along the top only";
    MoveHandle(handles, kLeftHandle, QPoint(1000, 0), frame);
    EXPECT_EQ(handles.left.right, handles.right.left - 1);
    MoveHandle(handles, kRightHandle, QPoint(-1000, 0), frame);
    EXPECT_EQ(handles.right.left, handles.left.right + 1) << "the right handle is already against it";
    handles = HomeHandles(frame);
    MoveHandle(handles, kRightHandle, QPoint(1000, 0), frame);
    EXPECT_EQ(handles.right.right, 425);
    MoveHandle(handles, kBottomHandle, QPoint(0, 100), frame);
    EXPECT_EQ(handles.bottom.bottom, 185);
    MoveHandle(handles, kTopHandle, QPoint(40, -100), frame);
    EXPECT_EQ(handles.top, Rect(0, 4, 8, 20));
    MoveHandle(handles, kBottomHandle, QPoint(0, -1000), frame);
    EXPECT_EQ(handles.bottom.top, handles.top.bottom + 1);
}

TEST(BannerLayoutGeometry, UntouchedHandlesCropNothing)
{
    // The handles placed on the fitted banner stand for the whole canvas.
    const QSize frame(430, 190);
    const QSize view(414, 174);
    const QSize canvas(380, 95);
    const Handles placed = PlacedHandles(HomeHandles(frame), canvas, view);
    const Rect fit = CanvasFit(canvas, view);
    EXPECT_EQ(fit, Rect(17, 39, 397, 134)) << "centred, never enlarged";
    const Rect crop = CropOfHandles(placed, false);
    EXPECT_EQ(crop, fit);
    EXPECT_EQ(CanvasOfCrop(crop, fit, canvas.width()), Rect(0, 0, 380, 95));
    EXPECT_EQ(CropOfHandles(placed, true), Rect(16, 38, 396, 133));

    // A large banner is shown at half size: a crop scales back up.
    const QSize large(796, 316);
    const Rect halfFit = CanvasFit(large, view);
    EXPECT_EQ(halfFit.width(), 398);
    const Rect cut(halfFit.left + 10, halfFit.top + 5, halfFit.right - 100, halfFit.bottom);
    EXPECT_EQ(CanvasOfCrop(cut, halfFit, large.width()), Rect(20, 10, 596, 316));
    // Beyond the fit: the canvas grows, to the left as a negative origin.
    const Rect wider(halfFit.left - 4, halfFit.top, halfFit.right + 4, halfFit.bottom);
    EXPECT_EQ(CanvasOfCrop(wider, halfFit, large.width()), Rect(-8, 0, 804, 316));
}

} // namespace
