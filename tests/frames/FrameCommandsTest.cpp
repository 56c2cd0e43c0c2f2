// Splitting, deleting and saving frames over a fake child frame.

#include "FrameFakes.h"

#include "frames/FrameCommands.h"
#include "res/resource.h"
#include "util/StringResources.h"

#include "platform/ModalResponder.h"

#include <gtest/gtest.h>

namespace {

using platform::Rect;

std::string rect(const Rect& r)
{
    return QString("%1,%2,%3,%4").arg(r.left).arg(r.top).arg(r.right).arg(r.bottom).toStdString();
}

TEST(FrameSplitGeometry, ARightSplitOfSixHundredPixelsLeavesTheDefaultGap)
{
    FrameSplitGeometry g;
    ASSERT_TRUE(ComputeFrameSplit(Rect(10, 20, 610, 420), 2, SplitRight, &g));
    EXPECT_EQ(rect(g.splitPane), "10,20,309,420");
    EXPECT_EQ(rect(g.splitWindow), "10,20,309,420");
    EXPECT_EQ(rect(g.newPane), "311,20,610,420");
    EXPECT_EQ(str(g.split), "cols");
    EXPECT_FALSE(g.newFirst);
}

TEST(FrameSplitGeometry, TopAndLeftPutTheNewPaneFirst)
{
    FrameSplitGeometry top;
    ASSERT_TRUE(ComputeFrameSplit(Rect(0, 0, 300, 201), 2, SplitTop, &top));
    EXPECT_TRUE(top.newFirst);
    EXPECT_EQ(str(top.split), "rows");
    EXPECT_EQ(rect(top.newPane), "0,0,300,99");
    EXPECT_EQ(rect(top.splitPane), "0,101,300,201");
    // The window takes the height of the other half.
    EXPECT_EQ(top.splitWindow.height(), 99);

    FrameSplitGeometry left;
    ASSERT_TRUE(ComputeFrameSplit(Rect(0, 0, 300, 200), 6, SplitLeft, &left));
    EXPECT_TRUE(left.newFirst);
    EXPECT_EQ(rect(left.newPane), "0,0,147,200");
    EXPECT_EQ(rect(left.splitPane), "153,0,300,200");
}

TEST(FrameSplitGeometry, SmallSpacingsStillLeaveTwoPixelsAndSmallPanesAreRefused)
{
    for (int spacing : {0, 1, 2, 3}) {
        FrameSplitGeometry g;
        ASSERT_TRUE(ComputeFrameSplit(Rect(0, 0, 400, 300), spacing, SplitBottom, &g));
        EXPECT_EQ(g.newPane.top - g.splitPane.bottom, 2) << spacing;
    }
    FrameSplitGeometry g;
    EXPECT_FALSE(ComputeFrameSplit(Rect(0, 0, 400, 41), 2, SplitBottom, &g));
    EXPECT_FALSE(ComputeFrameSplit(Rect(0, 0, 400, 41), 2, SplitTop, &g));
    EXPECT_TRUE(ComputeFrameSplit(Rect(0, 0, 400, 42), 2, SplitTop, &g));
    // The width does not matter for a split across, the height not for one along.
    EXPECT_TRUE(ComputeFrameSplit(Rect(0, 0, 41, 400), 2, SplitBottom, &g));
    EXPECT_FALSE(ComputeFrameSplit(Rect(0, 0, 41, 400), 2, SplitRight, &g));
    EXPECT_FALSE(ComputeFrameSplit(Rect(0, 0, 400, 400), 2, 4, &g));
}

class FrameCommands : public ::testing::Test
{
protected:
    FakeEnvironment env;
    FakeHost host;
    FakeSiteRows sites;
    QStringList log;
    int frameCount = 1;

    void SetUp() override
    {
        env.host = &host;
        env.sites = &sites;
    }
    VornaFrameSet* root() { return host.tree.root.get(); }
};

TEST_F(FrameCommands, TheFirstSplitOfAPageMakesItAFramesetPage)
{
    FakePane page("page.html", "/w/page.html");
    page.window = Rect(0, 0, 604, 404);
    host.active = &page;

    ASSERT_TRUE(SplitFrame(&host, SplitRight, frameCount));
    ASSERT_EQ(host.made.size(), 2u);
    EXPECT_EQ(str(host.made[0]->name), "FrameSet1");
    EXPECT_EQ(str(host.made[1]->name), "Frame2");
    EXPECT_EQ(frameCount, 3);
    ASSERT_NE(root(), nullptr);
    EXPECT_TRUE(root()->IsFrameset());
    EXPECT_EQ(str(root()->m_strSplit), "cols");
    EXPECT_EQ(root()->m_pView, host.made[0].get());
    EXPECT_EQ(host.tree.rootView, host.made[0].get());
    // The frameset view stands where the page stood, the page at the left half.
    EXPECT_EQ(rect(host.made[0]->window), "2,2,602,402");
    EXPECT_EQ(rect(page.window), "2,2,301,402");
    EXPECT_EQ(rect(host.made[1]->window), "303,2,602,402");
    VornaFrameSet* first = root()->m_pFirstChild.get();
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->m_pView, &page);
    EXPECT_EQ(str(first->m_strSrc), "/w/page.html");
    EXPECT_EQ(str(first->m_strSize), "50%");
    EXPECT_EQ(str(first->m_pNext->m_strSize), "*");
    EXPECT_EQ(host.tree.lastNode, first);
    EXPECT_EQ(str(checkLinks(root())), "");
    EXPECT_EQ(host.active, host.made[1].get());
    EXPECT_TRUE(host.framesetModified);
}

TEST_F(FrameCommands, SplittingAFrameOfATreeNestsANewFramesetInItsPlace)
{
    FakePane top("top.html");
    FakePane a("a.html");
    FakePane b("b.html");
    host.tree.rootView = &top;
    TreeBuilder build(host);
    build.frameset("cols", "30%,*", 2);
    build.frame("a", Rect(2, 2, 200, 400), &a);
    build.frame("b", Rect(202, 2, 600, 400), &b);
    host.active = &b;

    ASSERT_TRUE(SplitFrame(&host, SplitTop, frameCount));
    ASSERT_EQ(host.made.size(), 1u);
    EXPECT_EQ(str(host.made[0]->name), "Frame1");
    EXPECT_EQ(str(describeTree(root())), "[a [b1 b]]");
    VornaFrameSet* nested = root()->m_pFirstChild->m_pNext.get();
    EXPECT_EQ(str(nested->m_strSplit), "rows");
    // It keeps b's entry; the new frame above gets half, b the rest.
    EXPECT_EQ(str(nested->m_strSize), "*");
    EXPECT_EQ(str(nested->m_pFirstChild->m_strSize), "50%");
    EXPECT_EQ(str(nested->m_pFirstChild->m_pNext->m_strSize), "*");
    EXPECT_EQ(str(checkLinks(root())), "");
    EXPECT_EQ(host.tree.rootView, &top);
}

TEST_F(FrameCommands, APaneTooSmallIsRefusedAndNothingChanges)
{
    platform::ModalResponder responder;
    responder.answerMessageBox(platform::IDOK, LoadResString(IDS_CANNOT_SPLIT_FRAME));
    FakePane page("page.html");
    page.window = Rect(0, 0, 600, 45); // 41 high once shrunk
    host.active = &page;
    EXPECT_FALSE(SplitFrame(&host, SplitBottom, frameCount));
    EXPECT_EQ(root(), nullptr);
    EXPECT_TRUE(host.made.empty());
    EXPECT_EQ(frameCount, 1);
    EXPECT_EQ(page.moves, 0);
    EXPECT_FALSE(host.framesetModified);
    EXPECT_EQ(responder.pending(), 0);
}

TEST_F(FrameCommands, AFirstSplitOfAWebPageListsTheFramesetPageAndHangsBothFramesUnderIt)
{
    env.app.web = "/w";
    env.webPages = QStringList{"page.html"};
    sites.add("index.html");
    sites.add("page.html");
    FakePane page("page.html", "/w/page.html");
    page.window = Rect(0, 0, 600, 400);
    host.active = &page;

    ASSERT_TRUE(SplitFrame(&host, SplitBottom, frameCount));
    ASSERT_EQ(sites.rows.size(), 4);
    EXPECT_EQ(str(sites.rows[2].file), "FrameSet1");
    EXPECT_EQ(sites.rows[2].kind, 2);
    EXPECT_EQ(str(sites.rows[2].title), str(LoadResString(IDS_NO_TITLE)));
    EXPECT_EQ(str(sites.rows[3].file), "Frame2");
    EXPECT_EQ(str(sites.rows[3].tag), "FrameSet1");
    EXPECT_EQ(sites.rows[3].kind, 1);
    EXPECT_EQ(str(sites.rows[3].type), str(LoadResString(IDS_FILE_TYPE_HTML)));
    EXPECT_EQ(str(sites.rows[1].tag), "FrameSet1");
    EXPECT_EQ(sites.rows[1].kind, 1);
}

TEST_F(FrameCommands, SplittingAFrameOfAFramesetPageOfTheWebListsTheNewFrameUnderIt)
{
    env.app.web = "/w";
    env.webPages = QStringList{"site.html", "a.html"};
    sites.add("site.html", QString(), 2);
    sites.add("a.html", "site.html", 1);
    FakePane top("site.html", "/w/site.html");
    FakePane a("a.html", "/w/a.html");
    a.title = "Menu";
    host.tree.rootView = &top;
    TreeBuilder build(host);
    build.frameset("cols", "50%,*", 1);
    build.frame("a", Rect(2, 2, 600, 400), &a);
    host.active = &a;

    ASSERT_TRUE(SplitFrame(&host, SplitRight, frameCount));
    ASSERT_EQ(sites.rows.size(), 3);
    EXPECT_EQ(str(sites.rows[2].file), "Frame1");
    EXPECT_EQ(str(sites.rows[2].tag), "site.html");
    EXPECT_EQ(sites.rows[2].kind, 1);
    EXPECT_EQ(str(sites.rows[1].title), "Menu");
    EXPECT_EQ(str(sites.rows[1].tag), "site.html");
}

class DeleteFrames : public FrameCommands
{
protected:
    FakePane top{"site.html", "/w/site.html"};
    FakePane a{"a.html", "/w/a.html"};
    FakePane b{"b.html", "/w/b.html"};
    FakePane c{"c.html", "/w/c.html"};

    void twoFrames()
    {
        host.tree.rootView = &top;
        TreeBuilder build(host);
        build.frameset("cols", "30%,*", 2);
        build.frame("a", Rect(2, 2, 180, 400), &a);
        build.frame("b", Rect(182, 2, 600, 400), &b);
    }
};

TEST_F(DeleteFrames, DeletingTheFirstOfTwoFramesGivesTheSecondBothPlacesAndUnlistsThem)
{
    env.app.web = "/w";
    env.webPages = QStringList{"site.html", "a.html", "b.html"};
    sites.add("site.html", QString(), 2);
    sites.add("a.html", "site.html", 1);
    sites.add("b.html", "site.html", 1);
    twoFrames();
    host.active = &a;
    ASSERT_TRUE(CanDeleteFrame(&host));

    ASSERT_TRUE(DeleteFrame(&host));
    EXPECT_EQ(str(describeTree(root())), "[b]");
    EXPECT_EQ(rect(root()->m_pFirstChild->m_rcPane), "2,2,600,400");
    EXPECT_EQ(rect(b.window), "2,2,600,400");
    EXPECT_EQ(host.active, &b);
    EXPECT_EQ(str(host.removed), "a.html");
    EXPECT_TRUE(host.framesetModified);
    EXPECT_EQ(str(sites.rows[1].tag), "");
    EXPECT_EQ(sites.rows[1].kind, 0);
    EXPECT_EQ(str(sites.rows[2].tag), "");
    EXPECT_EQ(sites.rows[2].kind, 0);
    // One frame left: the command is off.
    EXPECT_FALSE(CanDeleteFrame(&host));
}

TEST_F(DeleteFrames, ACancelledSaveQuestionDeletesNothing)
{
    twoFrames();
    host.active = &b;
    b.answer = false;
    bool closingWhileAsked = false;
    b.onAsk = [&] { closingWhileAsked = host.closingFrame; };
    EXPECT_FALSE(DeleteFrame(&host));
    EXPECT_TRUE(closingWhileAsked);
    EXPECT_FALSE(host.closingFrame);
    EXPECT_EQ(str(describeTree(root())), "[a b]");
    EXPECT_TRUE(host.removed.isEmpty());
    EXPECT_FALSE(host.framesetModified);
}

TEST_F(DeleteFrames, AFramesetTakingThePlaceIsLaidOutAgainInTheWholeSpace)
{
    host.tree.rootView = &top;
    TreeBuilder build(host);
    build.frameset("cols", "200,*", 2);
    build.frame("a", Rect(2, 2, 200, 400), &a);
    build.frameset("rows", "50%,*", 2);
    build.frame("b", Rect(202, 2, 600, 200), &b);
    build.frame("c", Rect(202, 202, 600, 400), &c);
    host.active = &a;

    ASSERT_TRUE(DeleteFrame(&host));
    // The root left with the nested frameset alone gives way to it.
    EXPECT_EQ(str(describeTree(root())), "[b c]");
    EXPECT_EQ(b.window.left, 2);
    EXPECT_EQ(c.window.left, 2);
    EXPECT_EQ(b.window.right, 600);
    EXPECT_LT(b.window.bottom, c.window.top);
    EXPECT_EQ(c.window.bottom, 400);
    EXPECT_EQ(host.active, &b);
}

TEST_F(DeleteFrames, UpdateRulesFollowTheTreeAndTheActivePane)
{
    EXPECT_FALSE(CanUseFrameset(nullptr));
    host.active = &a;
    EXPECT_FALSE(CanUseFrameset(&host));
    EXPECT_FALSE(CanDeleteFrame(&host));
    twoFrames();
    EXPECT_TRUE(CanUseFrameset(&host));
    EXPECT_TRUE(CanEditFrame(&host));
    host.active = &top;
    EXPECT_FALSE(CanEditFrame(&host));
    EXPECT_FALSE(CanDeleteFrame(&host));
    // A tree that is still its root alone.
    host.active = &a;
    host.tree.lastNode = root();
    EXPECT_FALSE(CanDeleteFrame(&host));
}

TEST_F(DeleteFrames, SaveWritesTheFramesetTextAndKeepsTheChangeWhenCancelled)
{
    twoFrames();
    host.framesetModified = true;
    int saveMode = 0;
    top.path.clear();
    EXPECT_FALSE(SaveFrameset(&host, saveMode, false));
    EXPECT_EQ(saveMode, 0);
    EXPECT_TRUE(host.framesetText.startsWith("<HTML>"));
    EXPECT_TRUE(host.framesetText.contains("<FRAMESET"));
    EXPECT_TRUE(host.framesetModified);

    top.pathGivenOnSave = "/w/site.html";
    EXPECT_TRUE(SaveFrameset(&host, saveMode, false));
    EXPECT_FALSE(host.framesetModified);

    host.framesetModified = true;
    top.pathGivenOnSaveAs = "/w/other.html";
    EXPECT_TRUE(SaveFrameset(&host, saveMode, true));
    EXPECT_FALSE(host.framesetModified);
    EXPECT_EQ(str(host.caption), "other.html");
    // Nothing to save without a frameset page.
    FakeHost plain;
    EXPECT_FALSE(SaveFrameset(&plain, saveMode, false));
}

} // namespace
