#include "platform/DataRoot.h"

#include "platform/FileOps.h"

#include "support/SmallFileSystem.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryDir>

using namespace platform;

namespace {

class DataRootTest : public ::testing::Test
{
protected:
    QTemporaryDir dir;
    QString share() const { return dir.path() + QStringLiteral("/share"); }
    QString root() const { return dir.path() + QStringLiteral("/root"); }

    static void write(const QString& path, const QByteArray& data) { ASSERT_TRUE(writeTestFile(path, data)); }
    static QByteArray read(const QString& path) { return readTestFile(path); }
};

} // namespace

TEST_F(DataRootTest, RestartRestoresMissingFilesAndKeepsChangedOnes)
{
    write(share() + QStringLiteral("/Bin/ULO.html"), "template");
    write(share() + QStringLiteral("/Template/a.html"), "a");
    DataRootFill fill = fillDataRoot(share(), root());
    EXPECT_EQ(fill.copied, 2);

    write(root() + QStringLiteral("/Template/a.html"), "mine");
    QFile::remove(root() + QStringLiteral("/Bin/ULO.html"));
    write(root() + QStringLiteral("/Template/own.html"), "own");

    fill = fillDataRoot(share(), root());
    EXPECT_EQ(fill.copied, 1);
    EXPECT_EQ(fill.kept, 1);
    EXPECT_EQ(read(root() + QStringLiteral("/Bin/ULO.html")), QByteArray("template"));
    EXPECT_EQ(read(root() + QStringLiteral("/Template/a.html")), QByteArray("mine"));
    EXPECT_EQ(read(root() + QStringLiteral("/Template/own.html")), QByteArray("own"));
}

TEST_F(DataRootTest, AnUntouchedFileFollowsANewShippedVersion)
{
    write(share() + QStringLiteral("/a.txt"), "v1");
    write(share() + QStringLiteral("/b.txt"), "v1");
    fillDataRoot(share(), root());
    write(root() + QStringLiteral("/b.txt"), "edited");
    write(share() + QStringLiteral("/a.txt"), "v2");
    write(share() + QStringLiteral("/b.txt"), "v2");

    const DataRootFill fill = fillDataRoot(share(), root());
    EXPECT_EQ(fill.updated, 1);
    EXPECT_EQ(read(root() + QStringLiteral("/a.txt")), QByteArray("v2"));
    EXPECT_EQ(read(root() + QStringLiteral("/b.txt")), QByteArray("edited"));
}

TEST_F(DataRootTest, LinksInTheShippedTreeAreNotFollowed)
{
    write(dir.path() + QStringLiteral("/secret.txt"), "secret");
    QDir().mkpath(share());
    ASSERT_TRUE(QFile::link(dir.path() + QStringLiteral("/secret.txt"), share() + QStringLiteral("/link.txt")));
    fillDataRoot(share(), root());
    EXPECT_FALSE(pathExists(root() + QStringLiteral("/link.txt")));
}

TEST_F(DataRootTest, ResolvesComponentsWithoutRegardToCase)
{
    write(root() + QStringLiteral("/Bin/skins/Blue/skin.ini"), "");
    EXPECT_EQ(resolveCaseBlind(root(), QStringLiteral("\\bin\\SKINS\\blue\\Skin.INI")),
              root() + QStringLiteral("/Bin/skins/Blue/skin.ini"));
    // Components that match nothing are kept as given.
    EXPECT_EQ(resolveCaseBlind(root(), QStringLiteral("BIN/New/file.html")),
              root() + QStringLiteral("/Bin/New/file.html"));
    EXPECT_EQ(resolveCaseBlind(root(), QString()), root());
    // An exact match wins over another spelling.
    write(root() + QStringLiteral("/bin/x"), "");
    EXPECT_EQ(resolveCaseBlind(root(), QStringLiteral("bin/x")), root() + QStringLiteral("/bin/x"));
}

TEST_F(DataRootTest, ProgramDataRootIsFilledFromTheShippedTree)
{
    initDataRoot();
    EXPECT_TRUE(dataRoot().startsWith(QDir::homePath())) << "the test HOME is private";
    EXPECT_TRUE(QFileInfo(installPath(QStringLiteral("bin/ulo.html"))).isFile());
    EXPECT_EQ(installPath(), dataRoot());
}

TEST(WebRoot, IsMyWebInTheDocumentsFolder)
{
    EXPECT_EQ(webRoot(),
              QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation) + QStringLiteral("/My Web"));
}

TEST(PrivateTempFolder, IsPrivateAndRemovedWithItsContents)
{
    const QString folder = privateTempFolder();
    ASSERT_FALSE(folder.isEmpty());
    EXPECT_EQ(privateTempFolder(), folder);
    EXPECT_EQ(QFile::permissions(folder) & 0x0077, QFile::Permissions());
    QDir().mkpath(folder + QStringLiteral("/Images"));
    QFile file(folder + QStringLiteral("/Images/a.png"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    removePrivateTempFolder();
    EXPECT_FALSE(pathExists(folder));
    EXPECT_NE(privateTempFolder(), folder);
    removePrivateTempFolder();
}

// On a full disk the files and the record of shipped versions stay as they
// were; the next start with room completes what was left.
TEST_F(DataRootTest, AFullDiskKeepsTheFilesAndTheirRecord)
{
    SmallFileSystem fs;
    PAGINOR_SKIP_WITHOUT(fs);
    const QString target = fs.filePath(QStringLiteral("root"));
    const QString manifest = target + QStringLiteral("/.paginor-shipped.json");
    write(share() + QStringLiteral("/Bin/ULO.html"), "template 1");
    ASSERT_EQ(fillDataRoot(share(), target).copied, 1);
    const QByteArray record = read(manifest);
    write(share() + QStringLiteral("/Bin/ULO.html"), "template 2");
    write(share() + QStringLiteral("/Template/empty.html"), ""); // copied even now: it needs no room
    ASSERT_TRUE(fs.fill());
    DataRootFill fill = fillDataRoot(share(), target);
    EXPECT_EQ(fill.copied, 1);
    EXPECT_TRUE(fill.failed.contains(QStringLiteral("Bin/ULO.html")));
    EXPECT_TRUE(fill.failed.contains(QStringLiteral(".paginor-shipped.json")));
    EXPECT_EQ(read(target + QStringLiteral("/Bin/ULO.html")), QByteArray("template 1"));
    EXPECT_EQ(read(manifest), record);
    EXPECT_EQ(QDir(target + QStringLiteral("/Bin")).entryList(QDir::Files | QDir::Hidden),
              QStringList{QStringLiteral("ULO.html")});

    fs.unfill();
    fill = fillDataRoot(share(), target);
    EXPECT_EQ(fill.updated, 1);
    EXPECT_TRUE(fill.failed.isEmpty());
    EXPECT_EQ(read(target + QStringLiteral("/Bin/ULO.html")), QByteArray("template 2"));
}
