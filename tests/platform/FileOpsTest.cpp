#include "platform/FileOps.h"

#include "support/SmallFileSystem.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <unistd.h>

using namespace platform;

namespace {

class FileOpsTest : public ::testing::Test
{
protected:
    QTemporaryDir dir;
    QString at(const QString& relative) const { return dir.path() + QLatin1Char('/') + relative; }

    void write(const QString& relative, const QByteArray& data) { ASSERT_TRUE(writeTestFile(at(relative), data)); }
    QByteArray read(const QString& relative) const { return readTestFile(at(relative)); }
    // A tree with a file, a nested folder and links to a folder and a file outside it.
    void makeTreeWithOutsideLinks()
    {
        write(QStringLiteral("outside/keep.txt"), "outside");
        write(QStringLiteral("tree/a.txt"), "a");
        write(QStringLiteral("tree/sub/b.txt"), "b");
        ASSERT_TRUE(QFile::link(at(QStringLiteral("outside")), at(QStringLiteral("tree/sub/dirlink"))));
        ASSERT_TRUE(QFile::link(at(QStringLiteral("outside/keep.txt")), at(QStringLiteral("tree/filelink"))));
    }
};

} // namespace

TEST_F(FileOpsTest, RemovingATreeRemovesLinksNotWhatTheyPointTo)
{
    makeTreeWithOutsideLinks();
    EXPECT_EQ(removePath(at(QStringLiteral("tree"))), FileError::Success);
    EXPECT_FALSE(pathExists(at(QStringLiteral("tree"))));
    EXPECT_EQ(read(QStringLiteral("outside/keep.txt")), QByteArray("outside"));
}

TEST_F(FileOpsTest, EmptyingKeepsTheFolderAndRefusesALinkToAFolder)
{
    makeTreeWithOutsideLinks();
    EXPECT_EQ(emptyFolder(at(QStringLiteral("tree"))), FileError::Success);
    EXPECT_TRUE(QDir(at(QStringLiteral("tree"))).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden));
    EXPECT_EQ(read(QStringLiteral("outside/keep.txt")), QByteArray("outside"));

    ASSERT_TRUE(QFile::link(at(QStringLiteral("outside")), at(QStringLiteral("link"))));
    EXPECT_EQ(emptyFolder(at(QStringLiteral("link"))), FileError::InvalidParameter);
    EXPECT_TRUE(QFileInfo::exists(at(QStringLiteral("outside/keep.txt"))));
}

TEST_F(FileOpsTest, ALinkNamedWithATrailingSlashIsStillALink)
{
    write(QStringLiteral("outside/keep.txt"), "outside");
    ASSERT_TRUE(QFile::link(at(QStringLiteral("outside")), at(QStringLiteral("link"))));
    EXPECT_EQ(emptyFolder(at(QStringLiteral("link/"))), FileError::InvalidParameter);
    EXPECT_EQ(read(QStringLiteral("outside/keep.txt")), QByteArray("outside"));

    // Moved onto an existing folder, the link moves as a link: nothing of the outside is copied.
    ASSERT_TRUE(QDir().mkpath(at(QStringLiteral("target/link"))));
    EXPECT_EQ(movePath(at(QStringLiteral("link/")), at(QStringLiteral("target/link")), OnConflict::Overwrite),
              FileError::Exists);
    EXPECT_FALSE(QFileInfo::exists(at(QStringLiteral("target/link/keep.txt"))));
    EXPECT_EQ(movePath(at(QStringLiteral("link/")), at(QStringLiteral("moved"))), FileError::Success);
    EXPECT_TRUE(QFileInfo(at(QStringLiteral("moved"))).isSymLink());
    EXPECT_EQ(read(QStringLiteral("outside/keep.txt")), QByteArray("outside"));
}

TEST_F(FileOpsTest, CopyingATreeCopiesLinksAsLinks)
{
    makeTreeWithOutsideLinks();
    ASSERT_EQ(copyPath(at(QStringLiteral("tree")), at(QStringLiteral("copy"))), FileError::Success);
    EXPECT_EQ(read(QStringLiteral("copy/sub/b.txt")), QByteArray("b"));
    EXPECT_TRUE(QFileInfo(at(QStringLiteral("copy/sub/dirlink"))).isSymLink());
    EXPECT_TRUE(QFileInfo(at(QStringLiteral("copy/filelink"))).isSymLink());
    // Removing the copy leaves the outside alone as well.
    EXPECT_EQ(removePath(at(QStringLiteral("copy"))), FileError::Success);
    EXPECT_EQ(read(QStringLiteral("outside/keep.txt")), QByteArray("outside"));
}

TEST_F(FileOpsTest, CopyConflictRules)
{
    write(QStringLiteral("new.txt"), "new");
    write(QStringLiteral("old.txt"), "old");
    EXPECT_EQ(copyPath(at(QStringLiteral("new.txt")), at(QStringLiteral("old.txt"))), FileError::Exists);
    EXPECT_EQ(read(QStringLiteral("old.txt")), QByteArray("old"));
    EXPECT_EQ(copyPath(at(QStringLiteral("new.txt")), at(QStringLiteral("old.txt")), OnConflict::Rename),
              FileError::Success);
    EXPECT_EQ(read(QStringLiteral("old (2).txt")), QByteArray("new"));
    EXPECT_EQ(copyPath(at(QStringLiteral("new.txt")), at(QStringLiteral("old.txt")), OnConflict::Overwrite),
              FileError::Success);
    EXPECT_EQ(read(QStringLiteral("old.txt")), QByteArray("new"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 3) << "no temporary copy left";
}

TEST_F(FileOpsTest, MoveMergesIntoAnExistingFolder)
{
    write(QStringLiteral("from/a.txt"), "a");
    write(QStringLiteral("from/sub/b.txt"), "b");
    write(QStringLiteral("to/c.txt"), "c");
    EXPECT_EQ(movePath(at(QStringLiteral("from")), at(QStringLiteral("to"))), FileError::Success);
    EXPECT_FALSE(pathExists(at(QStringLiteral("from"))));
    EXPECT_EQ(read(QStringLiteral("to/a.txt")), QByteArray("a"));
    EXPECT_EQ(read(QStringLiteral("to/sub/b.txt")), QByteArray("b"));
    EXPECT_EQ(read(QStringLiteral("to/c.txt")), QByteArray("c"));
}

TEST_F(FileOpsTest, RefusesMissingSourcesAndCopiesIntoThemselves)
{
    write(QStringLiteral("tree/a.txt"), "a");
    EXPECT_EQ(copyPath(at(QStringLiteral("nothing")), at(QStringLiteral("x"))), FileError::NotFound);
    EXPECT_EQ(removePath(at(QStringLiteral("nothing"))), FileError::NotFound);
    EXPECT_EQ(copyPath(at(QStringLiteral("tree")), at(QStringLiteral("tree/inner"))), FileError::InvalidParameter);
    EXPECT_EQ(movePath(at(QStringLiteral("tree")), at(QStringLiteral("tree/inner"))), FileError::InvalidParameter);
    EXPECT_EQ(renamePath(at(QStringLiteral("tree/a.txt")), at(QStringLiteral("tree/b.txt"))), FileError::Success);
    EXPECT_EQ(read(QStringLiteral("tree/b.txt")), QByteArray("a"));
}

TEST_F(FileOpsTest, WritingIntoAProtectedFolderIsAccessDenied)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "root may write anywhere";
    write(QStringLiteral("a.txt"), "a");
    QDir().mkpath(at(QStringLiteral("locked")));
    QFile::setPermissions(at(QStringLiteral("locked")), QFile::ReadOwner | QFile::ExeOwner);
    EXPECT_EQ(copyPath(at(QStringLiteral("a.txt")), at(QStringLiteral("locked/a.txt"))), FileError::AccessDenied);
    QFile::setPermissions(at(QStringLiteral("locked")), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

// A copy that fails half-way (a full disk) leaves what stood at the target:
// the old file, or nothing; a link copied over a link replaces it in one step.
TEST_F(FileOpsTest, ACopyOntoAFullDiskLeavesWhatWasThere)
{
    write(QStringLiteral("picture.gif"), QByteArray(100000, 'g'));
    write(QStringLiteral("other.gif"), "other");
    ASSERT_TRUE(QFile::link(QStringLiteral("picture.gif"), at(QStringLiteral("link"))));
    ASSERT_TRUE(QFile::link(QStringLiteral("other.gif"), at(QStringLiteral("old-link"))));
    EXPECT_EQ(copyPath(at(QStringLiteral("link")), at(QStringLiteral("old-link")), OnConflict::Overwrite),
              FileError::Success);
    EXPECT_EQ(QFileInfo(at(QStringLiteral("old-link"))).symLinkTarget(), at(QStringLiteral("picture.gif")));

    SmallFileSystem fs;
    PAGINOR_SKIP_WITHOUT(fs);
    const QString web = fs.filePath(QStringLiteral("web"));
    ASSERT_TRUE(writeTestFile(web + QStringLiteral("/picture.gif"), "old"));
    ASSERT_TRUE(fs.fill());
    EXPECT_EQ(copyPath(at(QStringLiteral("picture.gif")), web + QStringLiteral("/picture.gif"), OnConflict::Overwrite),
              FileError::DiskFull);
    EXPECT_EQ(readTestFile(web + QStringLiteral("/picture.gif")), QByteArray("old"));
    EXPECT_EQ(copyPath(at(QStringLiteral("picture.gif")), web + QStringLiteral("/new.gif")), FileError::DiskFull);
    EXPECT_EQ(QDir(web).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              QStringList{QStringLiteral("picture.gif")});
}
