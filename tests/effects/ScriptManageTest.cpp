#include "effects/ScriptManageList.h"
#include "effects/VornaDlgScriptManage.h"

#include "util/LivePage.h"

#include <QListWidget>
#include <QPushButton>

#include <gtest/gtest.h>

TEST(ScriptManage, RowsShowTheFamiliesLabelsAndDeletionsHandBackTheirKeys)
{
    ScriptManageList list;
    list.Fill(QStringLiteral("statusbar\tmouse\tjquery\tbrowser\tscreen\tleft over"));
    EXPECT_EQ(list.labels(), (QStringList{QStringLiteral("ステータスバーに関連するスクリプト"),
                                          QStringLiteral("マウスに関連するスクリプト"), QStringLiteral("jquery"),
                                          QStringLiteral("ブラウザに関連するスクリプト"),
                                          QStringLiteral("画面に関連するスクリプト")}));
    // Two rows chosen, in any order: the topmost goes first.
    list.RemoveRows({2, 1});
    EXPECT_EQ(list.removedFamilies(), (QStringList{QStringLiteral("mouse"), QStringLiteral("jquery")}));
    list.RemoveAll();
    EXPECT_EQ(list.removedFamilies(),
              (QStringList{QStringLiteral("mouse"), QStringLiteral("jquery"), QStringLiteral("statusbar"),
                           QStringLiteral("browser"), QStringLiteral("screen")}));
    EXPECT_TRUE(list.rows().isEmpty());
    ScriptManageList empty;
    empty.Fill(QString());
    EXPECT_TRUE(empty.rows().isEmpty());
    empty.RemoveRows({0});
    EXPECT_TRUE(empty.removedFamilies().isEmpty());
}

TEST(ScriptManage, TheDialogListsTheActivePagesFamiliesAndDeletesTheChosenOnes)
{
    LivePage page("<HTML><BODY><P>x</P><SCRIPT src=\"other/statusbar_outin.js\"></SCRIPT>"
                  "<SCRIPT src=\"/w/Work/mouse_click.js\"></SCRIPT><SCRIPT src=\"other/mouse_follow_xy.js\"></SCRIPT>"
                  "</BODY></HTML>");
    VornaDlgScriptManage dialog;
    auto* rows = dialog.findChild<QListWidget*>(QStringLiteral("id_14000"));
    ASSERT_NE(rows, nullptr);
    ASSERT_EQ(rows->count(), 2);
    EXPECT_EQ(rows->item(0)->text(), QStringLiteral("ステータスバーに関連するスクリプト"));
    EXPECT_EQ(rows->item(1)->text(), QStringLiteral("マウスに関連するスクリプト"));
    rows->item(1)->setSelected(true);
    dialog.findChild<QPushButton*>(QStringLiteral("id_1009"))->click();
    EXPECT_EQ(rows->count(), 1);
    EXPECT_EQ(dialog.removedFamilies(), QStringList{QStringLiteral("mouse")});
    dialog.findChild<QPushButton*>(QStringLiteral("id_1027"))->click();
    EXPECT_EQ(rows->count(), 0);
    EXPECT_EQ(dialog.removedFamilies(), (QStringList{QStringLiteral("mouse"), QStringLiteral("statusbar")}));
    EXPECT_FALSE(dialog.findChild<QPushButton*>(QStringLiteral("id_1009"))->isEnabled());
}
