// The numbers of the layout commands without a page: alignment and
// distribution along one axis, placement of a block on the page, the
// stacking steps, the position texts and the frameset extents.

#include "commands/FramesetExtent.h"
#include "commands/ObjectArrange.h"
#include "commands/PagePlacement.h"
#include "commands/StackingOrder.h"
#include "frames/VornaFrameSet.h"
#include "res/resource.h"

#include "../frames/FrameFakes.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

std::vector<qint64> placesInOrder(const std::vector<DistributedPlace>& places)
{
    std::vector<qint64> positions;
    for (const DistributedPlace& place : places)
        positions.push_back(place.position);
    return positions;
}

std::vector<int> indexesInOrder(const std::vector<DistributedPlace>& places)
{
    std::vector<int> indexes;
    for (const DistributedPlace& place : places)
        indexes.push_back(place.index);
    return indexes;
}

TEST(LayoutArithmetic, AlignmentTakesItsReferenceFromTheObjects)
{
    // Left: the smallest left of all three.
    EXPECT_EQ(AlignedPositions({{30, 5}, {10, 5}, {20, 5}}, AlignEdge::Start), (std::vector<qint64>{10, 10, 10}));
    // Centre: lo 0, hi 351, centre 175; each less half its own width.
    EXPECT_EQ(AlignedPositions({{0, 100}, {300, 51}}, AlignEdge::Middle), (std::vector<qint64>{125, 150}));
    // Right: the largest right edge.
    EXPECT_EQ(AlignedPositions({{0, 100}, {300, 51}}, AlignEdge::End), (std::vector<qint64>{251, 300}));
    EXPECT_TRUE(AlignedPositions({}, AlignEdge::Start).empty());
    // Positions far beyond 32 bits neither wrap nor overflow.
    const qint64 big = std::numeric_limits<int>::max();
    EXPECT_EQ(AlignedPositions({{big, big}, {0, 10}}, AlignEdge::End), (std::vector<qint64>{big, 2 * big - 10}));
}

TEST(LayoutArithmetic, DistributionOverTheObjectsOwnSpan)
{
    // 0 (10), 50 (10), 100 (20): T 40, gap (120 - 40) / 2 = 40.
    EXPECT_EQ(placesInOrder(DistributedPlaces({{0, 10}, {50, 10}, {100, 20}}, false, 0)),
              (std::vector<qint64>{0, 50, 100}));
    // Selected in any order, written in order of place.
    const auto places = DistributedPlaces({{100, 20}, {0, 10}, {70, 10}}, false, 0);
    EXPECT_EQ(indexesInOrder(places), (std::vector<int>{1, 2, 0}));
    EXPECT_EQ(placesInOrder(places), (std::vector<qint64>{0, 50, 100}));
    // The run ends short of the right edge by the division's remainder.
    EXPECT_EQ(placesInOrder(DistributedPlaces({{0, 10}, {13, 10}, {101, 10}}, false, 0)),
              (std::vector<qint64>{0, 50, 100}));
    // One object is no span.
    EXPECT_TRUE(DistributedPlaces({{5, 10}}, false, 0).empty());
    // Equal places are not exchanged with each other, but an exchange with a
    // smaller one may pass them: the exchange sort's order.
    EXPECT_EQ(indexesInOrder(DistributedPlaces({{5, 1}, {5, 1}, {1, 1}}, false, 0)), (std::vector<int>{2, 1, 0}));
}

TEST(LayoutArithmetic, DistributionOverThePage)
{
    // Two of 100 on 640: a gap of 146 before, between and after.
    EXPECT_EQ(placesInOrder(DistributedPlaces({{0, 100}, {500, 100}}, true, 640)), (std::vector<qint64>{146, 392}));
    // Three of 300 on 640: from 0, overlapping by 130 each.
    EXPECT_EQ(placesInOrder(DistributedPlaces({{0, 300}, {10, 300}, {20, 300}}, true, 640)),
              (std::vector<qint64>{0, 170, 340}));
    // One object centred when it fits, at 0 when it does not.
    EXPECT_EQ(placesInOrder(DistributedPlaces({{7, 100}}, true, 640)), (std::vector<qint64>{270}));
    EXPECT_EQ(placesInOrder(DistributedPlaces({{7, 700}}, true, 640)), (std::vector<qint64>{0}));
}

TEST(LayoutArithmetic, PositionTextsReadTheirLeadingNumberAndNeverGoOffThePage)
{
    EXPECT_EQ(StylePixels(u"125"), 125); // no unit: nothing is cut off
    EXPECT_EQ(StylePixels(u"12PX"), 12);
    EXPECT_EQ(StylePixels(u"50%"), 50);
    EXPECT_EQ(StylePixels(u"-20px"), -20);
    EXPECT_EQ(StylePixels(u"1e9px"), 1);
    EXPECT_EQ(StylePixels(u"auto"), 0);
    EXPECT_EQ(StylePixels(u""), 0);
    EXPECT_EQ(StylePixels(u"99999999999px"), std::numeric_limits<int>::max());
    EXPECT_EQ(PositionText(-20), QStringLiteral("0px"));
    EXPECT_EQ(PositionText(42), QStringLiteral("42px"));
    EXPECT_EQ(PositionText(qint64(1) << 40), QStringLiteral("2147483647px"));
}

TEST(LayoutArithmetic, PlacementMovesTheBlockToThePage)
{
    // Two objects at 100 (width 50) and 300 (width 100).
    SelectionBounds two{100, 20, 400, 80, 150, 120};
    EXPECT_EQ(PlacedPosition(ID_PLACE_LEFT, 100, two, 775, 600), 0);
    EXPECT_EQ(PlacedPosition(ID_PLACE_LEFT, 300, two, 775, 600), 200);
    // One object 100 wide at 50 on 800 x 600: 50 + (775 / 2 - (50 + 50)).
    SelectionBounds one{50, 0, 150, 40, 100, 40};
    EXPECT_EQ(PlacedPosition(ID_PLACE_CENTER, 50, one, 775, 600), 337);
    EXPECT_EQ(PlacedPosition(ID_PLACE_RIGHT, 50, one, 775, 600), 675);
    EXPECT_EQ(PlacedPosition(ID_PLACE_BOTTOM, 0, one, 775, 600), 560);
    EXPECT_EQ(PlacedPosition(ID_PLACE_MIDDLE, 0, one, 775, 900), 430);
    // 2000 wide on a 615-pixel page: negative, written as 0.
    SelectionBounds wide{0, 0, 2000, 10, 2000, 10};
    EXPECT_LT(PlacedPosition(ID_PLACE_RIGHT, 0, wide, 615, 480), 0);
    EXPECT_EQ(PositionText(PlacedPosition(ID_PLACE_RIGHT, 0, wide, 615, 480)), QStringLiteral("0px"));
}

TEST(LayoutArithmetic, StackingStepsPastTheNearestOverlappingNeighbour)
{
    using platform::Rect;
    const StackedObject first{Rect(0, 0, 100, 100), 100};
    const StackedObject second{Rect(50, 50, 150, 150), 105};
    const StackedObject third{Rect(80, 80, 180, 180), 110};
    EXPECT_EQ(SteppedZIndex(first, {second, third}, true), 106);
    EXPECT_EQ(SteppedZIndex(third, {first, second}, false), 104);
    // Nothing overlaps: one step from where it stands.
    const StackedObject alone{Rect(500, 500, 510, 510), 7};
    EXPECT_EQ(SteppedZIndex(alone, {first, second}, true), 8);
    EXPECT_EQ(SteppedZIndex(alone, {first, second}, false), 6);
    // Touching at an edge counts; far indexes count too.
    const StackedObject touching{Rect(100, 0, 200, 100), -5000};
    EXPECT_EQ(SteppedZIndex(first, {touching}, false), -5001);
    const StackedObject far{Rect(100, 0, 200, 100), 300000};
    EXPECT_EQ(SteppedZIndex(first, {far}, true), 300001);
    // No wrap at the ends of 32 bits.
    const StackedObject top{Rect(0, 0, 1, 1), std::numeric_limits<int>::max()};
    EXPECT_EQ(SteppedZIndex(top, {}, true), std::numeric_limits<int>::max());
}

TEST(LayoutArithmetic, FrontAndBackGoBeyondTheCountersAndThePage)
{
    EXPECT_EQ(FrontZIndex(100, std::nullopt), 101);
    EXPECT_EQ(BackZIndex(100, std::nullopt), 99);
    // A reopened page's counters start at 100 whatever the page holds.
    EXPECT_EQ(FrontZIndex(100, ZIndexRange{-3, 500}), 501);
    EXPECT_EQ(BackZIndex(100, ZIndexRange{-3, 500}), -4);
    // Past 32767 the value stays positive.
    EXPECT_EQ(FrontZIndex(40000, ZIndexRange{0, 10}), 40001);
    EXPECT_EQ(KeptZCounter(std::numeric_limits<int>::max()), 1000000000);
}

// A FRAMESET node of a hand-built tree with FRAME children of these entries.
VornaFrameSet* addFrameset(std::unique_ptr<VornaFrameSet>& slot, VornaFrameSet* parent, const char* split)
{
    slot = std::make_unique<VornaFrameSet>();
    slot->SetKind(QStringLiteral("FRAMESET"));
    slot->m_strSplit = QString::fromLatin1(split);
    slot->m_pParent = parent;
    return slot.get();
}

VornaFrameSet* addFrame(VornaFrameSet* parent, const char* entry, FramePane* pane = nullptr)
{
    std::unique_ptr<VornaFrameSet>* slot = &parent->m_pFirstChild;
    VornaFrameSet* previous = nullptr;
    while (*slot) {
        previous = slot->get();
        slot = &previous->m_pNext;
    }
    *slot = std::make_unique<VornaFrameSet>();
    (*slot)->m_strSize = QString::fromLatin1(entry);
    (*slot)->m_pParent = parent;
    (*slot)->m_pPrev = previous;
    (*slot)->m_pView = pane;
    parent->CountChildren();
    return slot->get();
}

TEST(LayoutArithmetic, FramesetsShareTheGuideByTheirEntries)
{
    FakePane left, right, top, bottom;
    std::unique_ptr<VornaFrameSet> root;
    VornaFrameSet* cols = addFrameset(root, nullptr, "cols");
    cols->m_nFrameSpacing = 2;
    addFrame(cols, "200", &left);
    VornaFrameSet* rightFrame = addFrame(cols, "*", &right);
    rightFrame->SetRect(300, 0, 900, 700); // where the pane stands on the screen
    // Pixels as given; "*" takes the rest less the spacing's share (2 / 2).
    EXPECT_EQ(FrameExtentInGuide(root.get(), &left, QSize(775, 600)), QSize(200, 600));
    EXPECT_EQ(FrameExtentInGuide(root.get(), &right, QSize(775, 600)), QSize(574, 600));
    // The live tree's rectangles stay: they place the panes on the screen.
    EXPECT_EQ(rightFrame->m_rcPane, platform::Rect(300, 0, 900, 700));
    EXPECT_EQ(FrameExtentInGuide(root.get(), &top, QSize(775, 600)), std::nullopt);

    // Rows nested in the last column: one percentage beside a "*" counts
    // against 100; the nested spacing share is 2 / 2 children.
    rightFrame->SetKind(QStringLiteral("FRAMESET"));
    rightFrame->m_strSplit = QStringLiteral("rows");
    rightFrame->m_pView = nullptr;
    addFrame(rightFrame, "50%", &top);
    addFrame(rightFrame, "*", &bottom);
    EXPECT_EQ(FrameExtentInGuide(root.get(), &top, QSize(775, 600)), QSize(475, 299));
    EXPECT_EQ(FrameExtentInGuide(root.get(), &bottom, QSize(775, 600)), QSize(475, 299));

    // Pixels alone stretch to the length; a share never leaves the guide.
    cols->m_pFirstChild->m_strSize = QStringLiteral("100");
    rightFrame->m_strSize = QStringLiteral("300");
    rightFrame->SetRect(0, 0, 0, 0);
    EXPECT_EQ(FrameExtentInGuide(root.get(), &left, QSize(800, 600)), QSize(200, 600));
    EXPECT_EQ(FrameExtentInGuide(root.get(), &left, QSize(0, 0)), QSize(0, 0));
}

TEST(LayoutArithmetic, BadFramesetEntriesNeitherCrashNorHang)
{
    FakePane pane;
    std::unique_ptr<VornaFrameSet> root;
    VornaFrameSet* node = addFrameset(root, nullptr, "rows");
    // Fifty FRAMESETs nested as the last child of each other.
    for (int level = 0; level < 50; ++level) {
        addFrame(node, "abc");
        VornaFrameSet* next = addFrame(node, "300%");
        next->SetKind(QStringLiteral("FRAMESET"));
        node = next;
    }
    addFrame(node, "-5", &pane);
    addFrame(node, "99999999999");
    const std::optional<QSize> extent = FrameExtentInGuide(root.get(), &pane, QSize(775, 600));
    ASSERT_TRUE(extent.has_value());
    EXPECT_GE(extent->width(), 0);
    EXPECT_GE(extent->height(), 0);
}

} // namespace
