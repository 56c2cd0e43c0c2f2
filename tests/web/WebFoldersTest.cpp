// Webs on disk and the recent-web list, without a window.
#include "res/resource.h"
#include "web/WebFolders.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QStringList recent(std::initializer_list<const char*> names)
{
    QStringList list;
    for (const char* name : names)
        PutRecentWeb(list, QString::fromUtf8(name));
    return list;
}

TEST(RecentWebs, AWebOpenedAgainMovesToTheFrontAndIsListedOnce)
{
    EXPECT_EQ(recent({"A", "B", "A"}), QStringList({"A", "B", "", ""}));
    EXPECT_EQ(recent({"A", "B", "C", "D", "B"}), QStringList({"B", "D", "C", "A"}));
}

TEST(RecentWebs, AFifthWebDropsTheOldest)
{
    EXPECT_EQ(recent({"A", "B", "C", "D", "E"}), QStringList({"E", "D", "C", "B"}));
    // The fourth chosen again comes to the front without a double.
    EXPECT_EQ(recent({"A", "B", "C", "D", "A"}), QStringList({"A", "D", "C", "B"}));
}

TEST(RecentWebs, MenuTextsNumberTheSlotsAndKeepAmpersands)
{
    EXPECT_EQ(RecentWebMenuText(0, QStringLiteral("Shop")), QStringLiteral("&1 Shop"));
    EXPECT_EQ(RecentWebMenuText(3, QStringLiteral("Tom & Jerry")), QStringLiteral("&4 Tom && Jerry"));
}

class WebRootTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        root = dir.filePath(QStringLiteral("My Web"));
        ASSERT_TRUE(QDir().mkpath(root + QStringLiteral("/shop")));
        QFile file(root + QStringLiteral("/notes.txt"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    QTemporaryDir dir;
    QString root;
};

TEST_F(WebRootTest, NewWebNamesAreRefusedForBlankBadOrTakenNames)
{
    EXPECT_EQ(NewWebNameRefusal(QString(), root), IDS_ENTER_WEB_NAME);
    EXPECT_EQ(NewWebNameRefusal(QStringLiteral("   "), root), IDS_ENTER_WEB_NAME);
    for (const char* bad : {".", "..", "a/b", "a\\b", "../shop", "x?", "x*y", "a|b", "\"q\""})
        EXPECT_EQ(NewWebNameRefusal(QString::fromUtf8(bad), root), IDS_BAD_FILE_NAME) << bad;
    // Any entry of that name stands in the way, a web or not.
    EXPECT_EQ(NewWebNameRefusal(QStringLiteral("shop"), root), IDS_WEB_EXISTS);
    EXPECT_EQ(NewWebNameRefusal(QStringLiteral("notes.txt"), root), IDS_WEB_EXISTS);
    EXPECT_EQ(NewWebNameRefusal(QStringLiteral("ホームページ"), root), 0);
}

TEST_F(WebRootTest, OnlyFoldersDirectlyInTheRootAreWebs)
{
    EXPECT_TRUE(IsWebOfRoot(QStringLiteral("shop"), root));
    EXPECT_FALSE(IsWebOfRoot(QStringLiteral("notes.txt"), root));
    EXPECT_FALSE(IsWebOfRoot(QStringLiteral("gone"), root));
    EXPECT_FALSE(IsWebOfRoot(QStringLiteral(".."), root));
    EXPECT_FALSE(IsWebOfRoot(QStringLiteral("shop/.."), root));
    EXPECT_FALSE(IsWebOfRoot(QString(), root));
    EXPECT_EQ(WebNamesOfRoot(root), QStringList{QStringLiteral("shop")});
}

TEST_F(WebRootTest, FoldersAreMadeOnlyInsideTheRoot)
{
    // The root itself is made with the first web.
    const QString fresh = dir.filePath(QStringLiteral("Other/My Web"));
    EXPECT_TRUE(CreateFolderInWebRoot(fresh + QStringLiteral("/first"), fresh));
    EXPECT_TRUE(QFileInfo(fresh + QStringLiteral("/first")).isDir());
    EXPECT_TRUE(CreateFolderInWebRoot(root + QStringLiteral("/shop"), root));

    // Beside the root, with a name that merely starts like it, or through "..".
    EXPECT_FALSE(CreateFolderInWebRoot(root + QStringLiteral("2/x"), root));
    EXPECT_FALSE(CreateFolderInWebRoot(root + QStringLiteral("/../escape"), root));
    EXPECT_FALSE(CreateFolderInWebRoot(root, root));
    EXPECT_FALSE(QFileInfo::exists(root + QStringLiteral("2")));
    EXPECT_FALSE(QFileInfo::exists(dir.filePath(QStringLiteral("escape"))));

    // Through a link that leads out of the root.
    const QString outside = dir.filePath(QStringLiteral("outside"));
    ASSERT_TRUE(QDir().mkpath(outside));
    ASSERT_TRUE(QFile::link(outside, root + QStringLiteral("/link")));
    EXPECT_FALSE(CreateFolderInWebRoot(root + QStringLiteral("/link"), root));
    EXPECT_FALSE(CreateFolderInWebRoot(root + QStringLiteral("/link/deeper"), root));
}

} // namespace
