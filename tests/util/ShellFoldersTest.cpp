#include "util/ShellFolders.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QStandardPaths>

namespace {

QString documents()
{
    const QString path = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    QDir().mkpath(path);
    return path;
}

} // namespace

TEST(ShellFolders, DisplayPathsResolveToFileSystemPaths)
{
    const QString docs = documents();
    QString path = QStringLiteral("マイ ドキュメント/web/site");
    ResolveShellDisplayPath(path);
    EXPECT_EQ(path, docs + QStringLiteral("/web/site"));

    path = DocumentsDisplayPrefix();
    ResolveShellDisplayPath(path);
    EXPECT_EQ(path, docs);

    path = QStringLiteral("マイ コンピュータ/usr/share");
    ResolveShellDisplayPath(path);
    EXPECT_EQ(path, QStringLiteral("/usr/share"));

    path = QStringLiteral("デスクトップ\\");
    ResolveShellDisplayPath(path);
    EXPECT_EQ(path, QStandardPaths::writableLocation(QStandardPaths::DesktopLocation) + QStringLiteral("/"));

    path = QStringLiteral("/plain/path");
    ResolveShellDisplayPath(path);
    EXPECT_EQ(path, QStringLiteral("/plain/path"));
}

TEST(ShellFolders, NearestExistingFolder)
{
    documents();
    EXPECT_EQ(GetNearestExistingFolder(QStringLiteral("マイ ドキュメント/deleted")),
              QStringLiteral("マイ ドキュメント"));
    EXPECT_EQ(GetNearestExistingFolder(QStringLiteral("マイ ドキュメント/deleted/")),
              QStringLiteral("マイ ドキュメント/"));
    EXPECT_EQ(GetNearestExistingFolder(QStringLiteral("マイ コンピュータ/usr/no/such")),
              QStringLiteral("マイ コンピュータ/usr"));
    EXPECT_EQ(GetNearestExistingFolder(QStringLiteral("マイ コンピュータ/no-such-volume/x")), ComputerDisplayPrefix());
    EXPECT_EQ(GetNearestExistingFolder(QStringLiteral("マイ コンピュータ/usr")),
              QStringLiteral("マイ コンピュータ/usr"));
}

TEST(ShellFolders, SpecialFoldersAndDisplayNames)
{
    QString path = QStringLiteral("unchanged");
    EXPECT_EQ(GetSpecialFolderPath(12345, path), E_FAIL);
    EXPECT_EQ(path, QStringLiteral("unchanged"));
    EXPECT_EQ(GetSpecialFolderPath(CSIDL_PERSONAL, path), S_OK);
    EXPECT_EQ(path, documents());

    EXPECT_TRUE(GetShellDisplayName(path));
    EXPECT_EQ(path, QStringLiteral("マイ ドキュメント"));
    path = QStringLiteral("/");
    EXPECT_TRUE(GetShellDisplayName(path));
    EXPECT_EQ(path, QStringLiteral("マイ コンピュータ"));
    path = QStringLiteral("/no/such/folder");
    EXPECT_FALSE(GetShellDisplayName(path));
}

TEST(ShellFolders, DriveLabels)
{
    QString label = QStringLiteral("Root (/)");
    EXPECT_TRUE(GetDriveTypeOfLabel(label));
    EXPECT_EQ(label, QStringLiteral("/"));
    label = QStringLiteral("no volume here");
    EXPECT_FALSE(GetDriveTypeOfLabel(label));
    label = QStringLiteral("/usr/x (y)");
    EXPECT_FALSE(GetDriveTypeOfLabel(label)) << "a path, not a label";
}
