// The tree grid's tree and rows, without a window.

#include "controls/TreeGridItemModel.h"
#include "controls/TreeGridModel.h"

#include <gtest/gtest.h>

#include <QAbstractItemModelTester>

#include <memory>

namespace {

using Item = TreeGridModel::CTreeItem;

std::unique_ptr<CItemInfo> info(const QString& text, const QStringList& subItems = {})
{
    auto data = std::make_unique<CItemInfo>();
    data->SetItemText(text);
    for (const QString& s : subItems)
        data->AddSubItemText(s);
    return data;
}

// The texts of the tree column, row by row.
QStringList rows(const TreeGridModel& grid)
{
    QStringList texts;
    for (int row = 0; row < grid.GetItemCount(); ++row)
        texts << grid.GetItemText(row, 0);
    return texts;
}

// Every shown item's stored row equals its list row.
void expectRowsNumbered(const TreeGridModel& grid)
{
    for (int row = 0; row < grid.GetItemCount(); ++row) {
        EXPECT_EQ(grid.GetCurIndex(grid.GetTreeItem(row)), row) << row;
        EXPECT_EQ(grid.GetItemIndex(grid.GetTreeItem(row)), row) << row;
    }
}

// A web: the root "site", the folders "pages" (a.html, b.html, "sub" with
// c.html) and "images" (logo.gif), and "index.html".
struct Web
{
    TreeGridModel grid;
    Item* site = nullptr;
    Item* pages = nullptr;
    Item* a = nullptr;
    Item* b = nullptr;
    Item* sub = nullptr;
    Item* c = nullptr;
    Item* images = nullptr;
    Item* logo = nullptr;
    Item* index = nullptr;

    Web()
    {
        site = grid.InsertRootItem(info("site"));
        pages = grid.InsertItem(site, info("pages"));
        a = grid.InsertItem(pages, info("a.html", {"A ページ"}));
        b = grid.InsertItem(pages, info("b.html"));
        sub = grid.InsertItem(pages, info("sub"));
        c = grid.InsertItem(sub, info("c.html"));
        images = grid.InsertItem(site, info("images"));
        logo = grid.InsertItem(images, info("logo.gif"));
        index = grid.InsertItem(site, info("index.html", {"トップ"}));
    }
};

} // namespace

TEST(CItemInfoTest, SubItemsGrowAndCopyLeavesTagAndKind)
{
    CItemInfo source;
    source.SetItemText("index.html");
    source.SetSubItemText(3, "2002-05-01", 7);
    EXPECT_EQ(source.GetSubItemCount(), 4);
    EXPECT_EQ(source.GetSubItem(0), "");
    EXPECT_EQ(source.GetSubItem(9), "");
    source.SetControlType(1, CItemInfo::ComboBox);
    source.SetListData(1, {"はい", "いいえ"});
    source.SetControlType(6, CItemInfo::ComboBox); // past the sub-items: not copied
    source.SetCellColor(2, platform::rgb(255, 0, 0));
    source.SetCheck(1);
    source.SetImage(4);
    source.SetUserNumber(12);
    source.SetRowColor(platform::rgb(0, 0, 255));
    source.SetTag("top.html");
    source.m_nKind = 2;

    CItemInfo copy;
    copy.CopyObjects(source);
    EXPECT_EQ(copy.GetItemText(), "index.html");
    EXPECT_EQ(copy.GetSubItem(3), "2002-05-01");
    CItemInfo::CONTROLTYPE type = CItemInfo::Edit;
    EXPECT_EQ(copy.GetControlType(1, type), 1);
    EXPECT_EQ(type, CItemInfo::ComboBox);
    EXPECT_EQ(copy.GetControlType(6, type), 0);
    QStringList choices;
    ASSERT_TRUE(copy.GetListData(1, choices));
    EXPECT_EQ(choices, QStringList({"はい", "いいえ"}));
    EXPECT_EQ(copy.GetCellColor(2), platform::rgb(255, 0, 0));
    EXPECT_EQ(copy.GetCellColor(0), platform::ColorRef(-1));
    EXPECT_EQ(copy.GetCellImage(3), 7);
    EXPECT_EQ(copy.GetCheck(), 1);
    EXPECT_EQ(copy.GetImage(), 4);
    EXPECT_EQ(copy.GetUserNumber(), 12);
    EXPECT_EQ(copy.GetRowColor(), platform::rgb(0, 0, 255));
    EXPECT_EQ(copy.GetTag(), "");
    EXPECT_EQ(copy.m_nKind, 0);
}

TEST(TreeGridModelTest, TopLevelRowsFollowTheExpandedItemsBeforeThem)
{
    TreeGridModel grid;
    Item* first = grid.InsertRootItem(info("first"));
    Item* second = grid.InsertRootItem(info("second"));
    EXPECT_EQ(grid.GetItemIndex(first), 0);
    EXPECT_EQ(grid.GetItemIndex(second), 1);
    for (const char* name : {"x", "y", "z"})
        grid.InsertItem(first, info(name));
    EXPECT_TRUE(grid.IsCollapsed(first));
    EXPECT_EQ(grid.GetItemIndex(second), 1);
    EXPECT_EQ(grid.Expand(first, 0), 3);
    EXPECT_EQ(rows(grid), QStringList({"first", "x", "y", "z", "second"}));
    EXPECT_EQ(grid.GetItemIndex(second), 4);
    EXPECT_EQ(grid.GetIndent(grid.GetChild(first, 0)), 2);
    expectRowsNumbered(grid);
}

TEST(TreeGridModelTest, CollapseTakesAwayEveryDescendantRowAndExpandShowsOnlyChildren)
{
    Web web;
    int last = -1;
    web.grid.ExpandAll(web.site, last);
    EXPECT_EQ(rows(web.grid),
              QStringList({"site", "pages", "a.html", "b.html", "sub", "c.html", "images", "logo.gif", "index.html"}));
    web.grid.Collapse(web.site);
    EXPECT_EQ(rows(web.grid), QStringList({"site"}));
    EXPECT_TRUE(web.grid.IsCollapsed(web.pages));
    EXPECT_TRUE(web.grid.IsCollapsed(web.sub));
    EXPECT_EQ(web.grid.GetItemIndex(web.c), -1);
    // Hidden items keep the row they had.
    EXPECT_EQ(web.grid.GetCurIndex(web.c), 5);
    web.grid.Expand(web.site, 0);
    EXPECT_EQ(rows(web.grid), QStringList({"site", "pages", "images", "index.html"}));
    expectRowsNumbered(web.grid);
}

TEST(TreeGridModelTest, ChildInsertedWithUpdateGetsItsRowInPlace)
{
    Web web;
    web.grid.Expand(web.site, 0);
    web.grid.Expand(web.pages, 1);
    Item* d = web.grid.InsertItem(web.pages, info("d.html", {"新しい"}), true);
    EXPECT_EQ(rows(web.grid),
              QStringList({"site", "pages", "a.html", "b.html", "sub", "d.html", "images", "index.html"}));
    EXPECT_EQ(web.grid.GetCurIndex(d), 5);
    EXPECT_EQ(web.grid.GetItemText(5, 1), "新しい");
    EXPECT_EQ(web.grid.GetRow(5).indent, 3);
    expectRowsNumbered(web.grid);
    // A child of a collapsed parent waits, and its parent counts as collapsed.
    Item* e = web.grid.InsertItem(web.images, info("e.gif"), false);
    EXPECT_EQ(web.grid.GetItemIndex(e), -1);
    EXPECT_EQ(web.grid.InsertItem(nullptr, info("x")), nullptr);
}

TEST(TreeGridModelTest, DeletingARowSelectsTheRowNowInItsPlaceButNotAtTheTop)
{
    Web web;
    int last = -1;
    web.grid.ExpandAll(web.site, last);
    // pages (row 1) goes with a.html, b.html, sub and c.html.
    web.grid.DeleteTreeItem(web.pages, 1);
    EXPECT_EQ(rows(web.grid), QStringList({"site", "images", "logo.gif", "index.html"}));
    EXPECT_EQ(web.grid.GetSelectedRow(), 1);
    EXPECT_TRUE(web.grid.GetItemState(1, LVIS_FOCUSED));
    expectRowsNumbered(web.grid);
    EXPECT_EQ(web.grid.GetChildCount(web.site), 2);
    // The last row: the one above it is selected.
    web.grid.SetItemState(1, 0, LVIS_SELECTED);
    web.grid.DeleteTreeItem(web.index, 3);
    EXPECT_EQ(web.grid.GetSelectedRow(), 2);
    // Row 0: everything goes and nothing is selected.
    web.grid.DeleteTreeItem(web.site, 0);
    EXPECT_EQ(web.grid.GetItemCount(), 0);
    EXPECT_EQ(web.grid.GetRootCount(), 0);
    EXPECT_EQ(web.grid.GetSelectedRow(), -1);
}

TEST(TreeGridModelTest, EmptyGridAndDeleteAll)
{
    TreeGridModel empty;
    Web other;
    EXPECT_EQ(empty.GetItemIndex(other.site), -1);
    empty.DeleteAll();
    EXPECT_EQ(empty.GetItemCount(), 0);
    other.grid.Expand(other.site, 0);
    other.grid.DeleteAll();
    EXPECT_EQ(other.grid.GetItemCount(), 0);
    EXPECT_EQ(other.grid.GetRootItem(0), nullptr);
    EXPECT_EQ(other.grid.GetTreeItemCount(), 0);
}

TEST(TreeGridModelTest, FindItemByPathMatchesLeavesExactly)
{
    Web web;
    int last = -1;
    web.grid.ExpandAll(web.site, last);
    EXPECT_EQ(web.grid.FindItemByPath(web.site, "pages/sub/c.html"), 5);
    EXPECT_EQ(web.grid.FindItemByPath(web.site, "index.html"), 8);
    // An item with children is no page; the top-level text is not part of a path.
    EXPECT_EQ(web.grid.FindItemByPath(web.site, "pages/sub"), -1);
    EXPECT_EQ(web.grid.FindItemByPath(web.site, "site/index.html"), -1);
    // Paths compare exactly.
    for (const char* path : {"Pages/sub/c.html", "pages//sub/c.html", "pages/sub/c.html/", "pages/../pages/a.html",
                             "/index.html", "pages\\a.html"})
        EXPECT_EQ(web.grid.FindItemByPath(web.site, path), -1) << path;
    // The answer is the stored row, also for an item not shown now.
    web.grid.Collapse(web.pages);
    EXPECT_EQ(web.grid.FindItemByPath(web.site, "pages/a.html"), 2);
    EXPECT_EQ(web.grid.FindItemByPath(nullptr, "index.html"), -1);
}

TEST(TreeGridModelTest, ChildrenMarkMakesAnItemExpandable)
{
    TreeGridModel grid;
    Item* folder = grid.InsertRootItem(info("folder"));
    EXPECT_FALSE(grid.ItemHasChildren(folder));
    grid.SetChildrenMark(folder, 1);
    EXPECT_TRUE(grid.ItemHasChildren(folder));
    grid.SetCollapsed(folder, true);
    EXPECT_EQ(grid.Expand(folder, 0), 0);
    EXPECT_FALSE(grid.IsCollapsed(folder));
    EXPECT_EQ(grid.GetItemCount(), 1);
}

TEST(TreeGridModelTest, WalksOfRootsChildrenAndTheTree)
{
    Web web;
    Item* second = web.grid.InsertRootItem(info("second"));
    int position = web.grid.GetRootHeadPosition();
    QStringList roots;
    while (position != -1)
        roots << web.grid.GetData(web.grid.GetNextRoot(position))->GetItemText();
    EXPECT_EQ(roots, QStringList({"site", "second"}));
    position = web.grid.GetTailChildPosition(web.site);
    QStringList backwards;
    while (position != -1)
        backwards << web.grid.GetData(web.grid.GetPrevChild(web.site, position))->GetItemText();
    EXPECT_EQ(backwards, QStringList({"index.html", "images", "pages"}));
    EXPECT_EQ(web.grid.GetRootIndex(second), 1);
    EXPECT_TRUE(web.grid.IsRoot(second));
    EXPECT_FALSE(web.grid.IsRoot(web.pages));
    EXPECT_EQ(web.grid.GetNextTreeItem(web.b), web.sub);
    EXPECT_EQ(web.grid.GetNextTreeItem(web.c), web.images);
    EXPECT_EQ(web.grid.GetNextTreeItem(web.index), nullptr);
    EXPECT_EQ(web.grid.GetPrevTreeItem(web.images), web.c);
    EXPECT_EQ(web.grid.GetPrevTreeItem(web.pages), web.site);
    EXPECT_EQ(web.grid.GetTreeItemCount(), 10);
}

TEST(TreeGridModelTest, MovingCopiesTheSubtreeDepthFirstWithItsTexts)
{
    struct Recording : TreeGridModel
    {
        QStringList copied;
        std::unique_ptr<CItemInfo> CopyItemData(const CItemInfo* source) override
        {
            copied << source->GetItemText();
            return TreeGridModel::CopyItemData(source);
        }
    } grid;
    Item* site = grid.InsertRootItem(info("site"));
    Item* pages = grid.InsertItem(site, info("pages", {"フォルダ"}));
    Item* sub = grid.InsertItem(pages, info("sub"));
    grid.InsertItem(sub, info("c.html"));
    grid.InsertItem(pages, info("a.html"));
    Item* images = grid.InsertItem(site, info("images"));
    int last = -1;
    grid.ExpandAll(site, last);

    EXPECT_FALSE(grid.CanMoveItem(images, site)); // a top-level item stays
    EXPECT_FALSE(grid.CanMoveItem(site, pages));  // onto its own parent
    EXPECT_FALSE(grid.CanMoveItem(pages, pages));
    EXPECT_FALSE(grid.CanMoveItem(sub, pages)); // into its own subtree
    ASSERT_TRUE(grid.CanMoveItem(images, pages));

    ASSERT_TRUE(grid.MoveItem(images, pages));
    EXPECT_EQ(grid.copied, QStringList({"pages", "sub", "c.html", "a.html"}));
    grid.RemoveTreeItem(pages);
    // The copy is the last child of the expanded drop item, shown at once.
    EXPECT_EQ(rows(grid), QStringList({"site", "images", "pages"}));
    Item* moved = grid.GetChild(images, 0);
    EXPECT_EQ(grid.GetData(moved)->GetSubItem(0), "フォルダ");
    EXPECT_EQ(grid.GetIndent(moved), 3);
    EXPECT_TRUE(grid.IsCollapsed(moved));
    grid.ExpandAll(moved, last);
    EXPECT_EQ(rows(grid), QStringList({"site", "images", "pages", "sub", "c.html", "a.html"}));
    EXPECT_EQ(grid.GetIndent(grid.GetTreeItem(4)), 5);
    expectRowsNumbered(grid);
}

TEST(TreeGridModelTest, SortingAndSelectingAnItem)
{
    TreeGridModel grid;
    Item* z = grid.InsertRootItem(info("zeta"));
    grid.InsertItem(z, info("b"));
    grid.InsertItem(z, info("a"));
    grid.InsertRootItem(info("alpha"));
    grid.Expand(z, 0);
    grid.SortAllItems(true);
    EXPECT_EQ(rows(grid), QStringList({"alpha", "zeta"}));
    grid.SelectItem(grid.GetChild(z, 0));
    EXPECT_EQ(rows(grid), QStringList({"alpha", "zeta", "a", "b"}));
    EXPECT_EQ(grid.GetSelectedRow(), 2);
    EXPECT_EQ(grid.GetSelectedCount(), 1);
}

TEST(TreeGridModelTest, UpAndDownMoveTheSelectionWithinTheList)
{
    TreeGridModel grid;
    for (const char* name : {"a", "b", "c"})
        grid.InsertRootItem(info(name));
    EXPECT_EQ(grid.SelectRowAbove(), 0);
    grid.SetItemState(0, 0, LVIS_SELECTED | LVIS_FOCUSED);
    EXPECT_EQ(grid.SelectRowBelow(), 0);
    EXPECT_EQ(grid.SelectRowBelow(), 1);
    EXPECT_EQ(grid.SelectRowBelow(), 2);
    EXPECT_EQ(grid.SelectRowBelow(), 2);
    EXPECT_EQ(grid.GetSelectedCount(), 1);
    grid.SelectByClick(0, false, true);
    EXPECT_EQ(grid.GetSelectedCount(), 3);
    EXPECT_EQ(grid.SelectRowAbove(), 0);
    EXPECT_EQ(grid.GetSelectedCount(), 1);
    grid.SelectByClick(2, true, false);
    EXPECT_EQ(grid.GetSelectedCount(), 2);
    EXPECT_EQ(grid.GetNextItem(-1, LVIS_FOCUSED), 2);
    TreeGridModel empty;
    EXPECT_EQ(empty.SelectRowBelow(), -1);
}

TEST(TreeGridModelTest, TreesThousandsOfLevelsDeepNeedNoDeepStack)
{
    TreeGridModel grid;
    Item* root = grid.InsertRootItem(info("root"));
    Item* at = root;
    QStringList path;
    constexpr int kDepth = 200000;
    for (int level = 0; level < kDepth; ++level) {
        at = grid.InsertItem(at, info("d"));
        path << "d";
    }
    EXPECT_EQ(grid.GetTreeItemCount(), kDepth + 1);
    EXPECT_EQ(grid.GetItemIndex(at), -1);
    EXPECT_EQ(grid.FindItemByPath(root, path.join('/')), -1); // never shown: its stored row
    Item* other = grid.InsertRootItem(info("other"));
    Item* target = grid.InsertItem(other, info("t"));
    grid.Expand(other, 1);
    ASSERT_TRUE(grid.MoveItem(target, grid.GetChild(root, 0)));
    EXPECT_EQ(grid.GetTreeItemCount(), 2 * kDepth + 3);
    grid.Collapse(root);
    grid.DeleteTreeItem(root, 0);
    EXPECT_EQ(grid.GetTreeItemCount(), kDepth + 2);
    grid.DeleteAll();
}

namespace {
QStringList g_modelWarnings;
void collectWarnings(QtMsgType type, const QMessageLogContext&, const QString& text)
{
    if (type != QtDebugMsg && type != QtInfoMsg)
        g_modelWarnings << text;
}
} // namespace

TEST(TreeGridModelTest, RowChangesReachAQtViewConsistently)
{
    g_modelWarnings.clear();
    const QtMessageHandler previous = qInstallMessageHandler(collectWarnings);
    Web web;
    TreeGridItemModel table(&web.grid);
    web.grid.SetRowObserver(&table);
    table.insertColumn(0, {"ファイル名", LVCFMT_LEFT});
    table.insertColumn(1, {"タイトル", LVCFMT_LEFT});
    QAbstractItemModelTester tester(&table, QAbstractItemModelTester::FailureReportingMode::Warning);
    int last = -1;
    web.grid.ExpandAll(web.site, last);
    EXPECT_EQ(table.rowCount(), 9);
    EXPECT_EQ(table.data(table.index(2, 1), Qt::DisplayRole).toString(), "A ページ");
    web.grid.Collapse(web.pages);
    web.grid.InsertItem(web.images, info("new.gif"), true);
    web.grid.DeleteTreeItem(web.images, web.grid.GetItemIndex(web.images));
    EXPECT_EQ(table.rowCount(), web.grid.GetItemCount());
    web.grid.SortAllItems(false);
    web.grid.DeleteAll();
    EXPECT_EQ(table.rowCount(), 0);
    web.grid.SetRowObserver(nullptr);
    qInstallMessageHandler(previous);
    EXPECT_TRUE(g_modelWarnings.isEmpty()) << g_modelWarnings.join('\n').toStdString();
}
