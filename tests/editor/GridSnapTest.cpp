// The edit host's settling of one move or resize step, in page coordinates.

#include "editor/painters/GridSnap.h"

#include <gtest/gtest.h>

#include <ostream>

namespace {

using platform::Rect;

struct SnapCase
{
    const char* name;
    Rect proposal;
    QSize before;
    int corner;
    bool snap;
    bool keepRatio;
    Rect expected;
};

void PrintTo(const SnapCase& c, std::ostream* os)
{
    *os << c.name;
}

class SnapEditRectTest : public ::testing::TestWithParam<SnapCase>
{
};

TEST_P(SnapEditRectTest, SettlesTheStep)
{
    const SnapCase& c = GetParam();
    SnapStep step;
    step.rect = c.proposal;
    step.before = c.before;
    step.corner = c.corner;
    step.gridSize = 40;
    step.snap = c.snap;
    step.keepRatio = c.keepRatio;
    const Rect r = SnapEditRect(step);
    EXPECT_EQ(r, c.expected) << r.left << "," << r.top << "," << r.right << "," << r.bottom;
}

// An element 100 x 50 at (10, 10) unless said otherwise; grid 40.
INSTANTIATE_TEST_SUITE_P(
    Steps, SnapEditRectTest,
    ::testing::Values(
        SnapCase{"MoveSnapsTopLeftKeepsSize", {57, 21, 157, 71}, {100, 50}, 0, true, false, {40, 40, 140, 90}},
        SnapCase{"MoveWithoutSnapStaysPut", {57, 21, 157, 71}, {100, 50}, 0, false, false, {57, 21, 157, 71}},
        SnapCase{"MoveRoundsHalfUp", {20, 19, 120, 69}, {100, 50}, 0, true, false, {40, 0, 140, 50}},
        SnapCase{"BottomEdgeOnePastTheLine", {10, 10, 110, 95}, {100, 50}, 3, true, false, {10, 10, 110, 81}},
        SnapCase{"RightEdgeOnePastTheLine", {10, 10, 101, 60}, {100, 50}, 4, true, false, {10, 10, 121, 60}},
        SnapCase{"TopEdgeKeepsWidth", {10, 25, 130, 60}, {100, 50}, 1, true, false, {10, 40, 110, 60}},
        SnapCase{"LeftEdgeKeepsHeight", {55, 10, 110, 90}, {100, 50}, 2, true, false, {40, 10, 110, 60}},
        SnapCase{"BottomRightCorner", {10, 10, 139, 95}, {100, 50}, 8, true, false, {10, 10, 121, 81}},
        SnapCase{"TopLeftCorner", {-15, 25, 110, 60}, {100, 50}, 5, true, false, {0, 40, 110, 60}},
        // Shift: a 100 x 50 image dragged to width 160 gets height 80.
        SnapCase{"RightEdgeKeepsRatio", {10, 10, 170, 60}, {100, 50}, 4, false, true, {10, 10, 170, 90}},
        SnapCase{"BottomEdgeKeepsRatio", {10, 10, 110, 110}, {100, 50}, 3, false, true, {10, 10, 210, 110}},
        // At a corner the side that changed more leads.
        SnapCase{"CornerWidthLeads", {10, 10, 210, 70}, {100, 50}, 8, false, true, {10, 10, 210, 110}},
        SnapCase{"CornerHeightLeads", {10, 10, 120, 110}, {100, 50}, 8, false, true, {10, 10, 210, 110}},
        SnapCase{"TopLeftCornerRatio", {-90, 10, 110, 60}, {100, 50}, 5, false, true, {-90, -40, 110, 60}},
        // Nothing to keep for an element without a height; an unknown corner is left.
        SnapCase{"NoHeightNoRatio", {10, 10, 170, 10}, {100, 0}, 4, false, true, {10, 10, 170, 10}},
        SnapCase{"UnknownCorner", {57, 21, 157, 71}, {100, 50}, 9, true, true, {57, 21, 157, 71}}));

TEST(SnapEditRect, APinnedElementStaysAtItsOrigin)
{
    SnapStep step;
    step.rect = Rect(57, 21, 157, 71);
    step.before = QSize(100, 50);
    step.snap = true;
    step.pinned = true;
    step.pinnedAt = QPoint(12, 34);
    EXPECT_EQ(SnapEditRect(step), Rect(12, 34, 112, 84));
    // A resize of a pinned element is settled as any other.
    step.corner = 4;
    step.rect = Rect(10, 10, 101, 60);
    EXPECT_EQ(SnapEditRect(step), Rect(10, 10, 121, 60));
}

TEST(SnapToGrid, NearestLineAndSmallPitches)
{
    EXPECT_EQ(SnapToGrid(57, 40), 40);
    EXPECT_EQ(SnapToGrid(60, 40), 80);
    EXPECT_EQ(SnapToGrid(71, 40), 80);
    EXPECT_EQ(SnapToGrid(7, 10), 10);
    EXPECT_EQ(SnapToGrid(-15, 40), 0); // toward zero
    EXPECT_EQ(SnapToGrid(33, 1), 33);
    EXPECT_EQ(SnapToGrid(33, 0), 33);
    EXPECT_EQ(SnapToGrid(33, -5), 33);
}

} // namespace
