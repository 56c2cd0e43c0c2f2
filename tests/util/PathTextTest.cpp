#include "util/PathText.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

TEST(PathText, HtmlAndImageNames)
{
    EXPECT_TRUE(IsHtmlFileName(QStringLiteral("index.HTML")));
    EXPECT_TRUE(IsHtmlFileName(QStringLiteral("a.htm")));
    EXPECT_FALSE(IsHtmlFileName(QStringLiteral("a.shtml.txt")));
    EXPECT_FALSE(IsHtmlFileName(QStringLiteral("htm")));
    EXPECT_TRUE(IsImageFileName(QStringLiteral("photo.JPEG")));
    EXPECT_FALSE(IsImageFileName(QStringLiteral("photo.tif")));
    EXPECT_FALSE(IsImageFileName(QStringLiteral("gif")));
}

TEST(PathText, NamePartsAndExtensions)
{
    EXPECT_EQ(GetFileNamePart(QStringLiteral("C:\\web\\index.html")), QStringLiteral("index.html"));
    EXPECT_EQ(GetFileNamePart(QStringLiteral("a/b/c.gif")), QStringLiteral("c.gif"));
    EXPECT_EQ(GetFileNamePart(QStringLiteral("http://host/x.png")), QStringLiteral("x.png"));
    EXPECT_EQ(GetFileNamePart(QStringLiteral("plain")), QStringLiteral("plain"));
    EXPECT_EQ(GetFileExtension(QStringLiteral("/my.folder/readme")), QStringLiteral("folder/readme"));
    EXPECT_EQ(GetFileExtension(QStringLiteral("readme")), QString());
}

TEST(PathText, SeparatorsAndJoining)
{
    EXPECT_TRUE(EndsWithBackslash(QStringLiteral("/web/")));
    EXPECT_TRUE(EndsWithBackslash(QStringLiteral("C:\\web\\")));
    EXPECT_FALSE(EndsWithBackslash(QStringLiteral("表")));
    EXPECT_FALSE(EndsWithBackslash(QString()));
    EXPECT_EQ(JoinPath(QStringLiteral("/web/a.htm"), QStringLiteral("a.htm")), QStringLiteral("/web/a.htm"));
    EXPECT_EQ(JoinPath(QStringLiteral("/web"), QStringLiteral("x")), QStringLiteral("/we/x"));
}

TEST(PathText, FolderOfPath)
{
    QTemporaryDir dir;
    const QString folder = dir.path();
    QFile file(folder + QStringLiteral("/page.gif"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    EXPECT_EQ(GetFolderOfPath(folder), folder);
    EXPECT_EQ(GetFolderOfPath(folder + QStringLiteral("/page.gif")), folder);
    EXPECT_EQ(GetFolderOfPath(folder + QStringLiteral("/new.html")), folder);
    EXPECT_EQ(GetFolderOfPath(folder + QStringLiteral("/new.gif")), QString());
    EXPECT_EQ(GetFolderOfPath(folder + QStringLiteral("/new")), QString());
}
