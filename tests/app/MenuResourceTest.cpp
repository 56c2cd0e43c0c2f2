#include "app/MenuResource.h"
#include "chrome/ULOToolBar.h"

#include "platform/CommandRegistry.h"

#include <QAction>
#include <QMenu>

#include <gtest/gtest.h>

namespace {

TEST(MenuResourceTest, ParsesNestedSubmenusCommandsAndSeparators)
{
    QStringList problems;
    const QList<MenuNode> menus = MenuResource::parse(QStringLiteral("# comment\n"
                                                                     "ファイル(&F)\n"
                                                                     "  新規作成(&N)\n"
                                                                     "    33205 新規ファイル(&N)\n"
                                                                     "  -\n"
                                                                     "  33106 保存(S)\\tCtrl+S\n"
                                                                     "編集(&E)\n"
                                                                     "   33462 bad indent\n"
                                                                     "  33462 元に戻す\n"),
                                                      &problems);
    ASSERT_EQ(menus.size(), 2);
    ASSERT_EQ(menus[0].children.size(), 3);
    EXPECT_EQ(menus[0].children[0].kind, MenuNode::Popup);
    EXPECT_EQ(menus[0].children[0].children[0].id, 33205);
    EXPECT_EQ(menus[0].children[1].kind, MenuNode::Separator);
    EXPECT_EQ(menus[0].children[2].text, QStringLiteral("保存(S)\tCtrl+S"));
    ASSERT_EQ(menus[1].children.size(), 1);
    EXPECT_EQ(menus[1].children[0].id, 33462);
    EXPECT_EQ(problems.size(), 1);
}

TEST(MenuResourceTest, ShippedMenusHoldTheShellCommands)
{
    const QList<int> main = MenuResource::commandIds(MenuResource::load(126));
    const QList<int> document = MenuResource::commandIds(MenuResource::load(507));
    for (int id : {33205, 33161, 33092, 33219, 57665, 33380, 33215, 33494, 33156, 57616})
        EXPECT_TRUE(main.contains(id)) << id;
    for (int id : {33106, 33198, 33200, 33358, 33462, 33466, 33468, 33128, 33135, 33224, 33013, 33020, 33494})
        EXPECT_TRUE(document.contains(id)) << id;
    // Saving needs a page: the main menu does not offer it.
    EXPECT_FALSE(main.contains(33106));
}

TEST(MenuResourceTest, AcceleratorsGiveShortcutsToTheSharedActions)
{
    QStringList problems;
    const auto table =
        MenuResource::parseAccelerators(QStringLiteral("33106 Ctrl+S\n33198 F12\nnonsense\n"), &problems);
    EXPECT_EQ(table.size(), 2);
    EXPECT_EQ(problems.size(), 1);
    platform::CommandRegistry registry;
    MenuResource::applyAccelerators(table, registry);
    EXPECT_EQ(registry.action(33106)->shortcut(), QKeySequence(QStringLiteral("Ctrl+S")));

    const auto shipped = MenuResource::loadAccelerators(126);
    EXPECT_EQ(shipped.value(33106), QKeySequence(QStringLiteral("Ctrl+S")));
    EXPECT_EQ(shipped.value(33198), QKeySequence(QStringLiteral("F12")));
    EXPECT_EQ(shipped.value(33135), QKeySequence(QStringLiteral("Ctrl+K")));
}

TEST(MenuResourceTest, BuiltMenusShareOneActionPerCommand)
{
    platform::CommandRegistry registry;
    QWidget owner;
    const QList<QMenu*> main = MenuResource::buildMenus(MenuResource::load(126), registry, &owner);
    const QList<QMenu*> document = MenuResource::buildMenus(MenuResource::load(507), registry, &owner);
    ASSERT_FALSE(main.isEmpty());
    ASSERT_FALSE(document.isEmpty());
    EXPECT_EQ(main[0]->title(), QStringLiteral("ファイル(&F)"));
    QAction* save = registry.findAction(33106);
    ASSERT_NE(save, nullptr);
    EXPECT_EQ(save->text(), QStringLiteral("保存(S)"));
}

TEST(ULOToolBarTest, LoadsItsButtonsFromTheToolbarResource)
{
    EXPECT_EQ(ULOToolBar::parseButtons(QStringLiteral("33205 33160 | 57607\n")), (QList<int>{33205, 33160, 0, 57607}));
    platform::CommandRegistry registry;
    ULOToolBar bar;
    ASSERT_TRUE(bar.LoadToolBarEx(601, 2011, registry));
    EXPECT_EQ(bar.buttonIds().value(0), 33205);
    EXPECT_EQ(bar.actions().value(0), registry.action(33205));
    EXPECT_EQ(bar.objectName(), QStringLiteral("bar_601"));
    ULOToolBar missing;
    EXPECT_FALSE(missing.LoadToolBarEx(699, 0, registry));
    for (int id = 601; id <= 611; ++id) {
        ULOToolBar each;
        EXPECT_TRUE(each.LoadToolBarEx(id, 0, registry)) << id;
    }
}

} // namespace
