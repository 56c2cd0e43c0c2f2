#include "util/CShellFileOp.h"

#include "support/TestFiles.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

namespace {

class CShellFileOpTest : public ::testing::Test
{
protected:
    QTemporaryDir dir;
    QString at(const QString& relative) const { return dir.path() + QLatin1Char('/') + relative; }
    void write(const QString& relative, const QByteArray& data) { ASSERT_TRUE(writeTestFile(at(relative), data)); }
    QByteArray read(const QString& relative) const { return readTestFile(at(relative)); }
};

} // namespace

TEST_F(CShellFileOpTest, ListsKeepTheShellsLayout)
{
    CShellFileOp op;
    op.AddFile(CShellFileOp::SourceList, QStringLiteral("a.gif"));
    op.AddFile(CShellFileOp::SourceList, QStringLiteral("b.gif"));
    EXPECT_EQ(op.GetListBuffer(CShellFileOp::SourceList),
              QStringLiteral("a.gif") + QChar(0) + QStringLiteral("b.gif") + QChar(0) + QChar(0));
    EXPECT_EQ(op.GetListLength(CShellFileOp::SourceList), 12);
    op.AddFile(CShellFileOp::TargetList, QStringLiteral("t"));
    op.ClearFiles(CShellFileOp::TargetList);
    EXPECT_EQ(op.GetListLength(CShellFileOp::TargetList), 0);
    EXPECT_EQ(op.GetListLength(CShellFileOp::SourceList), 12);

    op.SetProgressTitle(QStringLiteral("copying"));
    op.SetProgressTitle(QString());
    EXPECT_FALSE(op.HasProgressTitle());
}

TEST_F(CShellFileOpTest, CopyWithoutSourcesDoesNothing)
{
    CShellFileOp op;
    EXPECT_EQ(op.Copy(), 0);
    EXPECT_EQ(op.GetOperation(), FO_COPY);
    EXPECT_EQ(op.Delete(), 0);
}

TEST_F(CShellFileOpTest, CopiesIntoOneFolderOrOneTargetEach)
{
    write(QStringLiteral("src/a.gif"), "a");
    write(QStringLiteral("src/b.gif"), "b");
    write(QStringLiteral("src/c.txt"), "c");
    CShellFileOp op;
    op.AddFile(CShellFileOp::SourceList, at(QStringLiteral("src/*.gif")));
    op.AddFile(CShellFileOp::TargetList, at(QStringLiteral("web/image")));
    ASSERT_EQ(op.Copy(), 0);
    EXPECT_EQ(read(QStringLiteral("web/image/a.gif")), QByteArray("a"));
    EXPECT_EQ(read(QStringLiteral("web/image/b.gif")), QByteArray("b"));
    EXPECT_FALSE(QFileInfo::exists(at(QStringLiteral("web/image/c.txt"))));

    CShellFileOp each;
    each.SetFlags(FOF_MULTIDESTFILES);
    each.AddFile(CShellFileOp::SourceList, at(QStringLiteral("src/a.gif")));
    each.AddFile(CShellFileOp::SourceList, at(QStringLiteral("src/c.txt")));
    each.AddFile(CShellFileOp::TargetList, at(QStringLiteral("x/one.gif")));
    each.AddFile(CShellFileOp::TargetList, at(QStringLiteral("y/two.txt")));
    ASSERT_EQ(each.Copy(), 0);
    EXPECT_EQ(read(QStringLiteral("x/one.gif")), QByteArray("a"));
    EXPECT_EQ(read(QStringLiteral("y/two.txt")), QByteArray("c"));
}

TEST_F(CShellFileOpTest, ExistingTargetsAreKeptUnlessTheFlagsSayOtherwise)
{
    write(QStringLiteral("src/a.gif"), "new");
    write(QStringLiteral("web/a.gif"), "old");
    const auto copyWith = [&](quint16 flags) {
        CShellFileOp op;
        op.SetFlags(flags);
        op.AddFile(CShellFileOp::SourceList, at(QStringLiteral("src/a.gif")));
        op.AddFile(CShellFileOp::TargetList, at(QStringLiteral("web")));
        return op.Copy();
    };
    EXPECT_NE(copyWith(0), 0);
    EXPECT_EQ(read(QStringLiteral("web/a.gif")), QByteArray("old"));
    EXPECT_EQ(copyWith(FOF_RENAMEONCOLLISION), 0);
    EXPECT_EQ(read(QStringLiteral("web/a (2).gif")), QByteArray("new"));
    EXPECT_EQ(copyWith(FOF_NOCONFIRMATION), 0);
    EXPECT_EQ(read(QStringLiteral("web/a.gif")), QByteArray("new"));
}

TEST_F(CShellFileOpTest, MovesRenamesAndDeletes)
{
    write(QStringLiteral("a.txt"), "a");
    write(QStringLiteral("tree/b.txt"), "b");
    CShellFileOp move;
    move.AddFile(CShellFileOp::SourceList, at(QStringLiteral("a.txt")));
    move.AddFile(CShellFileOp::TargetList, at(QStringLiteral("tree")));
    ASSERT_EQ(move.Move(), 0);
    EXPECT_EQ(read(QStringLiteral("tree/a.txt")), QByteArray("a"));

    CShellFileOp rename;
    rename.AddFile(CShellFileOp::SourceList, at(QStringLiteral("tree/a.txt")));
    rename.AddFile(CShellFileOp::TargetList, at(QStringLiteral("tree/c.txt")));
    ASSERT_EQ(rename.Rename(), 0);
    EXPECT_EQ(read(QStringLiteral("tree/c.txt")), QByteArray("a"));

    CShellFileOp remove;
    remove.AddFile(CShellFileOp::SourceList, at(QStringLiteral("tree")));
    ASSERT_EQ(remove.Delete(), 0);
    EXPECT_FALSE(QFileInfo::exists(at(QStringLiteral("tree"))));
    EXPECT_NE(remove.Delete(), 0) << "nothing left to delete";
}
