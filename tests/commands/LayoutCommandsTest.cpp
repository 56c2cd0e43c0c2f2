// The layout commands of the Settings menu on real pages in the running
// program: alignment, distribution, placement and spacing on the page, and
// the stacking order, each one undo step, sent as the menus and bars send
// them.

#include "LayoutPage.h"

#include "app/CChildFrame.h"
#include "commands/PagePlacement.h"
#include "frames/VornaFrameSet.h"
#include "res/resource.h"

#include <QElapsedTimer>

namespace {

class LayoutCommands : public LayoutPage
{
protected:
    void SetUp() override
    {
        LayoutPage::SetUp();
        app->mainFrame()->m_settings.pageSize = QSize(800, 600);
    }
};

TEST_F(LayoutCommands, AlignmentLinesTheObjectsUpAsOneStep)
{
    openObjects(object("a", 30, 40, 100, 20) + object("b", 10, 90, 60, 20) + object("c", 20, 140, 40, 20));
    // Enabled from two selected objects; distribution from three.
    selectObjects({"a"});
    updateBars();
    EXPECT_FALSE(enabled(ID_ALIGN_LEFT));
    selectObjects({"a", "b"});
    EXPECT_TRUE(enabled(ID_ALIGN_LEFT));
    EXPECT_FALSE(enabled(ID_DISTRIBUTE_HORIZONTALLY));
    selectObjects({"a", "b", "c"});
    EXPECT_TRUE(enabled(ID_DISTRIBUTE_HORIZONTALLY));

    const int steps = undoSteps();
    run(ID_ALIGN_LEFT);
    EXPECT_EQ(lefts({"a", "b", "c"}), QStringList({"10px", "10px", "10px"}));
    EXPECT_EQ(undoSteps(), steps + 1);
    EXPECT_TRUE(pageChanged());
    run(ID_ALIGN_RIGHT);
    EXPECT_EQ(lefts({"a", "b", "c"}), QStringList({"10px", "50px", "70px"}));
    run(ID_ALIGN_BOTTOM);
    EXPECT_EQ(tops({"a", "b", "c"}), QStringList({"140px", "140px", "140px"}));
    // Undo takes each command back whole.
    undo();
    EXPECT_EQ(tops({"a", "b", "c"}), QStringList({"40px", "90px", "140px"}));
    undo();
    undo();
    EXPECT_EQ(lefts({"a", "b", "c"}), QStringList({"30px", "10px", "20px"}));
}

TEST_F(LayoutCommands, CentringUsesTheObjectsClientWidths)
{
    openObjects(object("a", 0, 0, 100, 20) + object("b", 300, 40, 51, 20));
    selectObjects({"a", "b"});
    run(ID_ALIGN_CENTER);
    EXPECT_EQ(lefts({"a", "b"}), QStringList({"125px", "150px"}));
    run(ID_ALIGN_MIDDLE);
    EXPECT_EQ(tops({"a", "b"}), QStringList({"20px", "20px"}));
}

TEST_F(LayoutCommands, NothingWrittenLeavesThePageUnchanged)
{
    openObjects(object("a", 10, 0, 40, 20) + object("b", 10, 50, 40, 20));
    selectObjects({"a", "b"});
    const int steps = undoSteps();
    run(ID_ALIGN_LEFT);
    EXPECT_EQ(undoSteps(), steps);
    EXPECT_FALSE(pageChanged());
}

TEST_F(LayoutCommands, BadPositionTextsReadTheirLeadingNumber)
{
    ASSERT_NE(
        open(QStringLiteral(">\n"
                            "<IMG id=a style=\"POSITION: absolute; LEFT: auto; TOP: 50%; WIDTH: 20px; HEIGHT: 20px\">"
                            "<IMG id=b style=\"POSITION: absolute; LEFT: -20px; TOP: 12PX; WIDTH: 20px; HEIGHT: 20px\">"
                            "<IMG id=c style=\"POSITION: absolute; LEFT: 1e9px; TOP: 125; WIDTH: 20px; HEIGHT: 20px\">"
                            "<IMG id=d style=\"POSITION: absolute; WIDTH: 20px; HEIGHT: 20px\">")),
        nullptr);
    selectObjects({"a", "b", "c", "d"});
    // -20 is the leftmost: no object is sent off the page at the left.
    run(ID_ALIGN_LEFT);
    EXPECT_EQ(lefts({"a", "b", "c", "d"}), QStringList({"0px", "0px", "0px", "0px"}));
    // 125 reads as 125, not as 1.
    run(ID_ALIGN_BOTTOM);
    EXPECT_EQ(tops({"a", "b", "c", "d"}), QStringList({"125px", "125px", "125px", "125px"}));
}

TEST_F(LayoutCommands, DistributionSpreadsInOrderOfPlace)
{
    openObjects(object("a", 100, 0, 20, 20) + object("b", 0, 30, 10, 20) + object("c", 70, 70, 10, 20));
    selectObjects({"a", "b", "c"});
    const int steps = undoSteps();
    run(ID_DISTRIBUTE_HORIZONTALLY);
    EXPECT_EQ(lefts({"b", "c", "a"}), QStringList({"0px", "50px", "100px"}));
    EXPECT_EQ(undoSteps(), steps + 1);
    run(ID_DISTRIBUTE_VERTICALLY);
    EXPECT_EQ(tops({"a", "b", "c"}), QStringList({"0px", "35px", "70px"}));
    undo();
    undo();
    EXPECT_EQ(lefts({"a", "b", "c"}), QStringList({"100px", "0px", "70px"}));
}

TEST_F(LayoutCommands, PlacementMovesTheBlockOnThePageGuide)
{
    openObjects(object("a", 100, 40, 50, 30) + object("b", 300, 80, 100, 30));
    selectObjects({"a", "b"});
    updateBars();
    EXPECT_TRUE(enabled(ID_PLACE_LEFT));
    run(ID_PLACE_LEFT);
    EXPECT_EQ(lefts({"a", "b"}), QStringList({"0px", "200px"}));
    // 800 less 25: the block's right edge at 775.
    run(ID_PLACE_RIGHT);
    EXPECT_EQ(lefts({"a", "b"}), QStringList({"475px", "675px"}));
    run(ID_PLACE_TOP);
    EXPECT_EQ(tops({"a", "b"}), QStringList({"0px", "40px"}));
    run(ID_PLACE_BOTTOM);
    EXPECT_EQ(tops({"a", "b"}), QStringList({"530px", "570px"}));
    // One undo step each.
    undo();
    EXPECT_EQ(tops({"a", "b"}), QStringList({"0px", "40px"}));

    // One object 100 wide at 50: 50 + (775 / 2 - (50 + 50)).
    openObjects(object("one", 50, 10, 100, 30));
    selectObjects({"one"});
    run(ID_PLACE_CENTER);
    EXPECT_EQ(left("one"), QStringLiteral("337px"));
    // Wider than the page: never off its left edge.
    openObjects(object("wide", 50, 10, 2000, 30));
    app->mainFrame()->m_settings.pageSize = QSize(640, 480);
    selectObjects({"wide"});
    run(ID_PLACE_RIGHT);
    EXPECT_EQ(left("wide"), QStringLiteral("0px"));
}

TEST_F(LayoutCommands, VerticalCentringCountsTheWholePage)
{
    // The objects reach down to 900 on a guide 600 high: the block centres in 900.
    openObjects(object("a", 10, 100, 40, 40) + object("low", 200, 860, 40, 40));
    selectObjects({"a"});
    run(ID_PLACE_MIDDLE);
    EXPECT_EQ(top("a"), QStringLiteral("430px"));
}

TEST_F(LayoutCommands, AnObjectWithoutAPlaceOfItsOwnStandsWhereTheLayoutPutIt)
{
    ASSERT_NE(open(QStringLiteral(" style=\"margin: 0\">\n"
                                  "<IMG id=a style=\"POSITION: absolute; WIDTH: 40px; HEIGHT: 40px\">\n") +
                   object("b", 300, 200, 40, 40)),
              nullptr);
    selectObjects({"a", "b"});
    run(ID_PLACE_LEFT);
    EXPECT_EQ(lefts({"a", "b"}), QStringList({"0px", "300px"}));
    EXPECT_EQ(top("a"), QString());
}

TEST_F(LayoutCommands, SpacingSpreadsAcrossThePageOrTheObjectsReach)
{
    openObjects(object("a", 0, 0, 100, 20) + object("b", 500, 40, 100, 20));
    app->mainFrame()->m_settings.pageSize = QSize(665, 480);
    selectObjects({"a", "b"});
    updateBars();
    EXPECT_TRUE(enabled(ID_SPACE_HORIZONTALLY));
    const int steps = undoSteps();
    // Two of 100 across 640: gaps of 146.
    run(ID_SPACE_HORIZONTALLY);
    EXPECT_EQ(lefts({"a", "b"}), QStringList({"146px", "392px"}));
    EXPECT_EQ(undoSteps(), steps + 1);
    // A page narrower than the objects' right edge: the edge is the extent.
    openObjects(object("c", 0, 0, 100, 20) + object("d", 900, 40, 100, 20));
    selectObjects({"c", "d"});
    run(ID_SPACE_HORIZONTALLY);
    EXPECT_EQ(lefts({"c", "d"}), QStringList({"266px", "632px"}));
    // With no size chosen (0 x 0, a negative side counting as 0) the objects
    // are placed in the guide the page shows, 800 x 600: the block of 466
    // from 266 centres in 775.
    app->mainFrame()->m_settings.pageSize = QSize(-5, 0);
    run(ID_SPACE_VERTICALLY);
    EXPECT_EQ(tops({"c", "d"}), QStringList({"186px", "392px"}));
    run(ID_PLACE_CENTER);
    EXPECT_EQ(lefts({"c", "d"}), QStringList({"154px", "520px"}));
}

TEST_F(LayoutCommands, AFramePageIsPlacedInItsFramesShareOfTheGuide)
{
    openObjects(object("a", 50, 10, 100, 30));
    // A frameset page of two columns whose right frame shows this page.
    CChildFrame* child = view()->GetParentFrame();
    FrameTree& tree = child->frameTree();
    tree.root = std::make_unique<VornaFrameSet>();
    tree.root->SetKind(QStringLiteral("FRAMESET"));
    tree.root->m_strSplit = QStringLiteral("cols");
    tree.root->m_pFirstChild = std::make_unique<VornaFrameSet>();
    VornaFrameSet* menu = tree.root->m_pFirstChild.get();
    menu->m_pParent = tree.root.get();
    menu->m_strSize = QStringLiteral("200");
    menu->m_pNext = std::make_unique<VornaFrameSet>();
    VornaFrameSet* main = menu->m_pNext.get();
    main->m_pParent = tree.root.get();
    main->m_pPrev = menu;
    main->m_strSize = QStringLiteral("*");
    main->m_pView = view();
    main->SetRect(210, 0, 1000, 800);
    tree.root->CountChildren();
    selectObjects({"a"});
    // 775 less 200 less 1: the frame is 574 wide.
    run(ID_PLACE_RIGHT);
    EXPECT_EQ(left("a"), QStringLiteral("474px"));
    EXPECT_EQ(main->m_rcPane, platform::Rect(210, 0, 1000, 800));
    // A view that shows no frame of the tree: nothing happens.
    main->m_pView = nullptr;
    run(ID_PLACE_LEFT);
    EXPECT_EQ(left("a"), QStringLiteral("474px"));
    tree.clear();
}

TEST_F(LayoutCommands, FrontAndBackCountBeyondEveryIndexOnThePage)
{
    openObjects(object("a", 0, 0, 40, 40) + object("b", 20, 20, 40, 40));
    selectObjects({"a"});
    const int steps = undoSteps();
    run(ID_BRING_TO_FRONT);
    EXPECT_EQ(zIndex("a"), QStringLiteral("101"));
    EXPECT_EQ(undoSteps(), steps + 1);
    run(ID_BRING_TO_FRONT);
    EXPECT_EQ(zIndex("a"), QStringLiteral("102"));
    run(ID_SEND_TO_BACK);
    EXPECT_EQ(zIndex("a"), QStringLiteral("99"));
    run(ID_SEND_TO_BACK);
    run(ID_SEND_TO_BACK);
    EXPECT_EQ(zIndex("a"), QStringLiteral("97"));
    undo();
    EXPECT_EQ(zIndex("a"), QStringLiteral("98"));

    // A reopened page: its counters start at 100, its objects do not.
    openObjects(object("c", 0, 0, 40, 40, 500) + object("d", 20, 20, 40, 40, -3) + object("e", 40, 40, 40, 40));
    selectObjects({"e"});
    run(ID_BRING_TO_FRONT);
    EXPECT_EQ(zIndex("e"), QStringLiteral("501"));
    run(ID_SEND_TO_BACK);
    EXPECT_EQ(zIndex("e"), QStringLiteral("-4"));
    // Past 32767 front stays in front.
    view()->m_nMaxZIndex = 40000;
    run(ID_BRING_TO_FRONT);
    EXPECT_EQ(zIndex("e"), QStringLiteral("40001"));
}

TEST_F(LayoutCommands, StepsGoPastTheNearestOverlappingNeighbour)
{
    openObjects(object("a", 0, 0, 100, 100, 100) + object("b", 50, 50, 100, 100, 105) +
                object("c", 80, 80, 100, 100, 110) + object("far", 500, 500, 10, 10, 7) +
                QStringLiteral("<P>本文の段落</P>\n"));
    selectObjects({"a"});
    updateBars();
    EXPECT_TRUE(enabled(ID_BRING_FORWARD));
    const int steps = undoSteps();
    run(ID_BRING_FORWARD);
    EXPECT_EQ(zIndex("a"), QStringLiteral("106"));
    EXPECT_EQ(undoSteps(), steps + 1);
    selectObjects({"c"});
    run(ID_SEND_BACKWARD);
    EXPECT_EQ(zIndex("c"), QStringLiteral("105"));
    // Overlapping nothing (the paragraph has no place of its own): one step.
    selectObjects({"far"});
    run(ID_SEND_BACKWARD);
    EXPECT_EQ(zIndex("far"), QStringLiteral("6"));
    run(ID_BRING_FORWARD);
    EXPECT_EQ(zIndex("far"), QStringLiteral("7"));
    undo();
    EXPECT_EQ(zIndex("far"), QStringLiteral("6"));
}

TEST_F(LayoutCommands, StepsOnAPageOfFiveThousandObjects)
{
    QString objects;
    for (int i = 0; i < 5000; ++i)
        objects +=
            object(QByteArray("o" + QByteArray::number(i)).constData(), (i % 100) * 10, (i / 100) * 10, 12, 12, i + 1);
    openObjects(objects);
    selectObjects({"o0"});
    QElapsedTimer timer;
    timer.start();
    run(ID_BRING_FORWARD);
    run(ID_SEND_BACKWARD);
    run(ID_BRING_TO_FRONT);
    EXPECT_EQ(zIndex("o0"), QStringLiteral("5001"));
    EXPECT_LT(timer.elapsed(), 5000);
}

} // namespace
