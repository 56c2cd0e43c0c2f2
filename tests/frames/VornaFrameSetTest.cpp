#include "FrameFakes.h"

#include <gtest/gtest.h>

using platform::Rect;

namespace {

class FrameTreeTest : public ::testing::Test
{
protected:
    FakeEnvironment env;
    FakeHost host;
    TreeBuilder build{host};
    FakePane rootView{"top.html"};

    void SetUp() override
    {
        env.host = &host;
        host.tree.rootView = &rootView;
    }
    VornaFrameSet* root() { return host.tree.root.get(); }
    QString tree() { return describeTree(root()); }
    // Splits the frame; returns the new frame, or none when refused.
    static VornaFrameSet* split(VornaFrameSet* frame, bool after, VornaFrameSet** newSet = nullptr)
    {
        auto frameset = std::make_unique<VornaFrameSet>();
        frameset->SetKind("FRAMESET");
        if (newSet)
            *newSet = frameset.get();
        auto created = std::make_unique<VornaFrameSet>();
        VornaFrameSet* result = created.get();
        return frame->SplitPane(std::move(frameset), std::move(created), after) ? result : nullptr;
    }
    int frameCount()
    {
        int n = 0;
        CountFrameNodes(root(), &n);
        return n;
    }
};

TEST_F(FrameTreeTest, LoadingFollowsDeclaredChildCounts)
{
    build.frameset("cols", "50%,*", 2);
    build.frameset("rows", "30%,*", 2);
    build.frame("a");
    build.frame("b");
    VornaFrameSet* c = build.frame("c");

    EXPECT_EQ(tree(), "[[a b] c]");
    EXPECT_EQ(checkLinks(root()), "");
    EXPECT_EQ(root()->m_pView, &rootView);
    EXPECT_EQ(c->m_pParent, root());
    EXPECT_EQ(c->m_strSize, "*");
    EXPECT_EQ(root()->m_pFirstChild->m_strSize, "50%");
    EXPECT_EQ(root()->m_pFirstChild->m_pFirstChild->m_strSize, "30%");
}

TEST_F(FrameTreeTest, FrameBeyondDeclaredChildrenIsKeptAtTheRoot)
{
    build.frameset("cols", "50%,*", 2);
    build.frameset("rows", "30%,*", 2);
    build.frame("a");
    build.frame("b");
    build.frame("c");
    VornaFrameSet* extra = build.frame("d");
    build.frame("e");

    ASSERT_NE(extra, nullptr);
    EXPECT_EQ(tree(), "[[a b] c d e]");
    EXPECT_EQ(checkLinks(root()), "");
    EXPECT_EQ(root()->CountChildren(), 4);
    EXPECT_EQ(frameCount(), 5);
}

TEST_F(FrameTreeTest, AddingWithoutAChildFrameDiscardsTheNode)
{
    env.host = nullptr;
    EXPECT_EQ(AddFrameTreeNode(std::make_unique<VornaFrameSet>()), nullptr);
}

struct ListItemCase
{
    const char* list;
    int index;
    const char* item;
};

void PrintTo(const ListItemCase& c, std::ostream* os)
{
    *os << caseName(std::string(c.list) + "_" + std::to_string(c.index));
}

class ListItemTest : public ::testing::TestWithParam<ListItemCase>
{
};

TEST_P(ListItemTest, Item)
{
    EXPECT_EQ(GetListItem(GetParam().list, GetParam().index), QString(GetParam().item));
}

INSTANTIATE_TEST_SUITE_P(Lists, ListItemTest,
                         ::testing::Values(ListItemCase{"50%,*", 0, "50%"}, ListItemCase{"50%,*", 1, "*"},
                                           ListItemCase{"50%,*", 7, "*"}, ListItemCase{"100%", 0, ""},
                                           ListItemCase{"100%", 3, ""}, ListItemCase{"200,30%,*", 1, "30%"},
                                           ListItemCase{"200,30%,*", 2, "*"}, ListItemCase{",a,b", 0, ",a"},
                                           ListItemCase{"", 0, ""}));

TEST_F(FrameTreeTest, FramesetRectangleBoundsItsFrames)
{
    build.frameset("cols", "100,*", 2);
    build.frame("a", Rect(0, 0, 100, 300));
    build.frame("b", Rect(104, 0, 300, 300));

    Rect rect;
    root()->GetPaneRect(&rect);
    EXPECT_EQ(rect, Rect(0, 0, 300, 300));
    root()->m_pFirstChild->GetPaneRect(&rect);
    EXPECT_EQ(rect, Rect(0, 0, 100, 300));

    Rect siblings;
    GetFramesBoundingRect(root()->m_pFirstChild->m_pNext.get(), &siblings, false);
    EXPECT_EQ(siblings, Rect(104, 0, 300, 300));
}

TEST_F(FrameTreeTest, FindFrameAtPointExcludesRightAndBottomEdges)
{
    FakePane paneA("a.html"), paneB("b.html");
    paneB.screen = Rect(500, 500, 600, 600);
    build.frameset("cols", "100,*", 2);
    build.frame("a", Rect(0, 0, 100, 300), &paneA);
    build.frame("b", Rect(100, 0, 300, 300), &paneB);

    EXPECT_EQ(root()->FindFrameAtPoint(99, 299, false)->m_strName, "a");
    EXPECT_EQ(root()->FindFrameAtPoint(100, 0, false)->m_strName, "b");
    EXPECT_EQ(root()->FindFrameAtPoint(300, 10, false), nullptr);
    EXPECT_EQ(root()->FindFrameAtPoint(QPoint(150, 10))->m_strName, "b");
    EXPECT_EQ(root()->FindFrameAtPoint(550, 550, true)->m_strName, "b");
    EXPECT_EQ(root()->FindFrameAtPoint(50, 50, true), nullptr);
    EXPECT_EQ(FindFrameNode(&paneB)->m_strName, "b");
    EXPECT_EQ(FindFrameNode(&rootView), nullptr);
}

TEST_F(FrameTreeTest, DocumentCountsAndModifiedFlag)
{
    FakePane a("a.html", "/w/a.html"), b("b.html"), noDoc("c.html");
    noDoc.document = false;
    rootView.path = "/w/top.html";
    build.frameset("cols", "30%,30%,*", 3);
    build.frame("a", {}, &a);
    build.frame("b", {}, &b);
    build.frame("c", {}, &noDoc);

    int panes = 0, saved = 0;
    root()->CountFrameDocuments(&panes, &saved);
    EXPECT_EQ(panes, 3); // a, b and the frameset page itself
    EXPECT_EQ(saved, 2);

    bool modified = false;
    root()->IsAnyFrameModified(&modified);
    EXPECT_FALSE(modified);
    b.modified = true;
    root()->IsAnyFrameModified(&modified);
    EXPECT_TRUE(modified);

    modified = false;
    b.modified = false;
    rootView.modified = true;
    root()->IsAnyFrameModified(&modified);
    EXPECT_TRUE(modified);

    QList<FramePane*> views;
    root()->CollectFrameViews(views);
    EXPECT_EQ(views, (QList<FramePane*>{&a, &b, &noDoc}));
}

TEST_F(FrameTreeTest, RemovingTheMiddlePaneLinksItsNeighbours)
{
    build.frameset("cols", "30%,30%,*", 3);
    build.frame("a");
    build.frame("b");
    build.frame("c");

    VornaFrameSet* taker = root()->m_pFirstChild->m_pNext->RemovePane();
    EXPECT_EQ(taker->m_strName, "a");
    EXPECT_EQ(tree(), "[a c]");
    EXPECT_EQ(checkLinks(root()), "");
}

TEST_F(FrameTreeTest, RemovingFromANestedPairPutsTheOtherPaneInItsPlace)
{
    build.frameset("cols", "30%,*,*", 3);
    build.frame("a");
    build.frameset("rows", "50%,*", 2);
    build.frame("b");
    build.frame("c");
    build.frame("d");
    VornaFrameSet* inner = root()->m_pFirstChild->m_pNext.get();
    inner->m_strSize = "*";

    VornaFrameSet* c = inner->m_pFirstChild->m_pNext.get();
    VornaFrameSet* taker = c->RemovePane();
    EXPECT_EQ(taker->m_strName, "b");
    EXPECT_EQ(tree(), "[a b d]");
    EXPECT_EQ(checkLinks(root()), "");
    EXPECT_EQ(taker->m_strSize, "50%"); // keeps its own entry until the sizes are recomputed
}

TEST_F(FrameTreeTest, RemovingTheFirstOfANestedPairAsFirstChild)
{
    build.frameset("cols", "50%,*", 2);
    build.frameset("rows", "50%,*", 2);
    build.frame("a");
    build.frame("b");
    build.frame("c");

    VornaFrameSet* taker = root()->m_pFirstChild->m_pFirstChild->RemovePane();
    EXPECT_EQ(taker->m_strName, "b");
    EXPECT_EQ(tree(), "[b c]");
    EXPECT_EQ(root()->m_pFirstChild.get(), taker);
    EXPECT_EQ(checkLinks(root()), "");
}

TEST_F(FrameTreeTest, RemovingOneOfTheLastTwoFramesKeepsTheRoot)
{
    build.frameset("cols", "50%,*", 2);
    build.frame("a");
    build.frame("b");

    EXPECT_EQ(root()->m_pFirstChild->RemovePane()->m_strName, "b");
    EXPECT_EQ(tree(), "[b]");
    EXPECT_TRUE(root()->IsFrameset());
    EXPECT_EQ(checkLinks(root()), "");
}

TEST_F(FrameTreeTest, RootLeftWithOneFramesetIsReplacedByIt)
{
    build.frameset("cols", "50%,*", 2);
    build.frameset("rows", "50%,*", 2);
    build.frame("a");
    build.frame("b");
    build.frame("c");
    root()->SetBorder(0);
    root()->SetFrameSpacing(6);
    VornaFrameSet* inner = root()->m_pFirstChild.get();
    inner->m_nLevel = 2;

    EXPECT_EQ(root()->m_pFirstChild->m_pNext->RemovePane(), inner);
    EXPECT_EQ(root(), inner);
    EXPECT_EQ(tree(), "[a b]");
    EXPECT_EQ(checkLinks(root()), "");
    EXPECT_EQ(inner->m_pView, &rootView);
    EXPECT_EQ(inner->GetBorder(), 0);
    EXPECT_EQ(inner->GetFrameSpacing(), 6);
    EXPECT_EQ(inner->m_nLevel, 2);
}

TEST_F(FrameTreeTest, NestedFramesetWithoutSiblingsKeepsItsLastChild)
{
    build.frameset("cols", "50%,*", 2);
    build.frame("a");
    build.frameset("rows", "*", 1);
    build.frameset("cols", "50%,*", 2);
    build.frame("b");
    build.frame("c");
    ASSERT_EQ(tree(), "[a [[b c]]]");

    VornaFrameSet* deepest = root()->m_pFirstChild->m_pNext->m_pFirstChild.get();
    EXPECT_EQ(deepest->m_pFirstChild->RemovePane()->m_strName, "c");
    EXPECT_EQ(tree(), "[a [[c]]]");
    EXPECT_EQ(checkLinks(root()), "");
}

TEST_F(FrameTreeTest, SplittingTakesThePlaceOfTheFrame)
{
    build.frameset("cols", "30%,40%,*", 3);
    build.frame("a");
    build.frame("main");
    build.frame("c");
    VornaFrameSet* main = root()->m_pFirstChild->m_pNext.get();

    VornaFrameSet* newSet = nullptr;
    VornaFrameSet* newFrame = split(main, true, &newSet);
    ASSERT_NE(newFrame, nullptr);

    EXPECT_EQ(tree(), "[a [main main1] c]");
    EXPECT_EQ(checkLinks(root()), "");
    EXPECT_EQ(newSet->m_strSize, "40%");
    EXPECT_EQ(newSet->GetName(), "main");
    EXPECT_EQ(newSet->m_nNameCounter, 2);
    EXPECT_EQ(newFrame->m_pPrev, main);

    // Split before: the new frame comes first.
    ASSERT_NE(split(root()->m_pFirstChild.get(), false), nullptr);
    EXPECT_EQ(tree(), "[[a1 a] [main main1] c]");
    EXPECT_EQ(checkLinks(root()), "");
}

TEST_F(FrameTreeTest, SplittingNonameTwiceNamesBothNewFramesNoname1)
{
    build.frameset("cols", "50%,*", 2);
    build.frame("noname");
    build.frame("b");
    VornaFrameSet* x = root()->m_pFirstChild.get();

    for (int i = 0; i < 2; ++i) {
        VornaFrameSet* newFrame = split(x, true);
        ASSERT_NE(newFrame, nullptr);
        EXPECT_EQ(newFrame->GetName(), "noname1");
    }
    EXPECT_EQ(tree(), "[[[noname noname1] noname1] b]");
    EXPECT_EQ(checkLinks(root()), "");
}

TEST_F(FrameTreeTest, SplittingAFramesetIsRefused)
{
    build.frameset("cols", "50%,*", 2);
    build.frame("a");
    build.frame("b");
    EXPECT_FALSE(root()->SplitPane(std::make_unique<VornaFrameSet>(), std::make_unique<VornaFrameSet>(), true));
    EXPECT_EQ(root()->RemovePane(), nullptr);
    EXPECT_EQ(tree(), "[a b]");
}

} // namespace
