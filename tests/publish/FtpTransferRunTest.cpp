#include "publish/FtpTransferPaths.h"
#include "publish/FtpTransferRun.h"

#include "FakeFtpClient.h"
#include "util/StringResources.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace {

QByteArray readLocal(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

void writeLocal(const QString& path, const QByteArray& content)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(content);
}

struct PathCase
{
    const char* base;
    const char* item;
    const char* server;
};

class ServerPaths : public ::testing::TestWithParam<PathCase>
{
};

TEST_P(ServerPaths, JoinWithOneSlash)
{
    EXPECT_EQ(MakeServerPath(GetParam().base, GetParam().item), QString::fromUtf8(GetParam().server));
}

INSTANTIATE_TEST_SUITE_P(Paths, ServerPaths,
                         ::testing::Values(PathCase{"/www/", "/index.html", "/www/index.html"},
                                           PathCase{"/www", "index.html", "/www/index.html"},
                                           PathCase{"/www//", "image\\a.gif", "/www/image/a.gif"},
                                           PathCase{"", "/index.html", "/index.html"}, PathCase{"/", "/", "/"},
                                           PathCase{"www/", "a/", "www/a/"}),
                         [](const ::testing::TestParamInfo<PathCase>& info) {
                             return "Case" + std::to_string(info.index);
                         });

TEST(TransferItems, ItemsThatLeaveTheWebFolderAreRefused)
{
    EXPECT_TRUE(ParseTransferItem("/image/a.gif").isSafe);
    EXPECT_TRUE(ParseTransferItem("..a/b..").isSafe);
    for (const char* bad : {"../x", "/image/../../x", "..\\x", "./a", "a\nb"})
        EXPECT_FALSE(ParseTransferItem(QString::fromUtf8(bad)).isSafe) << bad;
    EXPECT_EQ(MakeLocalPath("/web/", "\\image\\a.gif"), QStringLiteral("/web/image/a.gif"));
    EXPECT_TRUE(MakeLocalPath("/web", "../x").isEmpty());
}

TEST(TransferItems, LongLabelsKeepTheItemWhole)
{
    EXPECT_EQ(BuildProgressLabel("D", "/www", "/a.html"), QStringLiteral("D\n/www/a.html"));
    EXPECT_EQ(BuildProgressLabel("D", "/home/someone/public_html/site", "/index.html"),
              QStringLiteral("D\n/home/someone/pu...") + "/index.html");
    const QString longItem(40, u'x');
    EXPECT_EQ(BuildProgressLabel("D", "/www", longItem), QStringLiteral("D\n...") + longItem);
}

class TransferRunTest : public ::testing::Test
{
protected:
    void SetUp() override { QDir().mkpath(web()); }
    QTemporaryDir dir;
    QString web() const { return dir.path() + QStringLiteral("/web"); }
    FakeFtpClient server;
    FakeTransferHost host;
};

TEST_F(TransferRunTest, UploadMakesServerFoldersOutermostFirstAndOnce)
{
    writeLocal(web() + "/image/a.gif", "GIF89a");
    writeLocal(web() + "/image/b.gif", "GIF89b");
    writeLocal(web() + "/index.html", "<html>");
    FtpTransferRun run(server, host, FtpTransferRun::Direction::Upload, 18);
    QStringList uploaded;
    run.onUploaded = [&](const QString& item) { uploaded << item; };
    EXPECT_EQ(run.run({"/image/", "/image/a.gif", "/image/b.gif", "/index.html"}, web(), "/www/"),
              FtpTransferRun::Outcome::Completed);
    EXPECT_EQ(server.files.value("/www/image/a.gif"), QByteArray("GIF89a"));
    EXPECT_EQ(server.files.value("/www/index.html"), QByteArray("<html>"));
    EXPECT_EQ(server.log.filter("MKD"), (QStringList{"MKD /www", "MKD /www/image"}));
    EXPECT_EQ(uploaded, (QStringList{"/image/a.gif", "/image/b.gif", "/index.html"}));
    EXPECT_EQ(host.percents.last(), 100);
    EXPECT_TRUE(host.messages.isEmpty());
}

TEST_F(TransferRunTest, DownloadCopiesToTheEndAndCreatesFolders)
{
    server.folders << "/www"
                   << "/www/image";
    server.files["/www/image/a.gif"] = QByteArray(5000, 'g');
    server.files["/www/empty.txt"] = QByteArray();
    FtpTransferRun run(server, host, FtpTransferRun::Direction::Download, 0);
    EXPECT_EQ(run.run({"/image/", "/image/a.gif", "", "/empty.txt"}, web(), "/www"),
              FtpTransferRun::Outcome::Completed);
    EXPECT_EQ(readLocal(web() + "/image/a.gif"), QByteArray(5000, 'g'));
    EXPECT_EQ(readLocal(web() + "/empty.txt"), QByteArray());
    EXPECT_TRUE(host.percents.isEmpty()); // no total: the bar stays
    EXPECT_TRUE(server.log.filter("SIZE").isEmpty());
}

TEST_F(TransferRunTest, ProgressPastFourGigabytePercentsStaysRight)
{
    // 44 MB: done * 100 overflows 32 bits past 42.9 MB.
    server.files["/big.bin"] = QByteArray(44 * 1000 * 1000, 'b');
    FtpTransferRun run(server, host, FtpTransferRun::Direction::Download, 44 * 1000 * 1000);
    EXPECT_EQ(run.run({"big.bin"}, web(), "/"), FtpTransferRun::Outcome::Completed);
    ASSERT_EQ(host.percents.size(), 100);
    for (int i = 0; i < 100; ++i)
        EXPECT_EQ(host.percents[i], i + 1);
}

TEST_F(TransferRunTest, CancelOrLostConnectionKeepsTheOldLocalFile)
{
    writeLocal(web() + "/page.html", "old page");
    server.files["/page.html"] = QByteArray(100000, 'n');
    host.cancelAfterSteps = 10;
    FtpTransferRun cancelled(server, host, FtpTransferRun::Direction::Download, 100000);
    EXPECT_EQ(cancelled.run({"/page.html", "/other.html"}, web(), "/"), FtpTransferRun::Outcome::Cancelled);
    EXPECT_EQ(readLocal(web() + "/page.html"), QByteArray("old page"));
    EXPECT_TRUE(server.log.filter("other").isEmpty());

    server.breakAfter["/page.html"] = 20000;
    FakeTransferHost quiet;
    FtpTransferRun broken(server, quiet, FtpTransferRun::Direction::Download, 100000);
    EXPECT_EQ(broken.run({"/page.html"}, web(), "/"), FtpTransferRun::Outcome::Failed);
    EXPECT_EQ(readLocal(web() + "/page.html"), QByteArray("old page"));
    ASSERT_EQ(quiet.messages.size(), 1);
    EXPECT_EQ(quiet.messages[0], QStringLiteral("Error Code : 12030\nConnection lost."));
    EXPECT_EQ(QDir(web()).entryList(QDir::Files), QStringList{"page.html"}); // no temporary left
}

TEST_F(TransferRunTest, FailedItemsAreCountedAndTheListGoesOn)
{
    server.files["/b.html"] = "bbb";
    FtpTransferRun download(server, host, FtpTransferRun::Direction::Download, 0);
    EXPECT_EQ(download.run({"/missing.html", "/b.html"}, web(), "/"), FtpTransferRun::Outcome::WithFailures);
    EXPECT_EQ(download.failures(), 1);
    EXPECT_EQ(readLocal(web() + "/b.html"), QByteArray("bbb"));
    ASSERT_EQ(host.messages.size(), 1);
    EXPECT_EQ(host.messages[0], QStringLiteral("/missing.html\n") + LoadResString(41779));

    server.files["/keep.html"] = "server copy";
    FakeTransferHost uphost;
    FtpTransferRun upload(server, uphost, FtpTransferRun::Direction::Upload, 0);
    EXPECT_EQ(upload.run({"/keep.html", "/b.html"}, web(), "/"), FtpTransferRun::Outcome::WithFailures);
    EXPECT_EQ(server.files.value("/keep.html"), QByteArray("server copy")); // never opened on the server
    EXPECT_EQ(server.log.filter("STOR"), QStringList{"STOR /b.html"});
    EXPECT_EQ(uphost.messages, QStringList{web() + "/keep.html\n" + LoadResString(41777)});
}

TEST_F(TransferRunTest, ItemsThatClimbOutOfTheWebAreNeverTransferred)
{
    server.files["/evil.txt"] = "evil";
    server.folders << "/up";
    FtpTransferRun run(server, host, FtpTransferRun::Direction::Download, 0);
    EXPECT_EQ(run.run({"../up/", "../evil.txt", "/a/../../evil.txt"}, web(), "/"),
              FtpTransferRun::Outcome::WithFailures);
    EXPECT_EQ(run.failures(), 3);
    EXPECT_FALSE(QFileInfo::exists(dir.path() + "/evil.txt"));
    EXPECT_FALSE(QFileInfo::exists(dir.path() + "/up"));
    EXPECT_TRUE(server.log.filter("RETR").isEmpty());
}

TEST_F(TransferRunTest, DeleteStopsAtAFolderItCannotListAndKeepsTheRoot)
{
    server.folders << "/www"
                   << "/www/image"
                   << "/www/locked";
    server.files["/www/index.html"] = "x";
    server.files["/www/image/a.gif"] = "x";
    server.files["/www/locked/keep.txt"] = "x";
    server.unlistable << "/www/locked";
    FtpTransferRun::DeleteRemoteFolder(server, host, "/", "/www/");
    EXPECT_EQ(server.files.keys(), QStringList{"/www/locked/keep.txt"});
    EXPECT_TRUE(server.folders.contains("/www/locked"));
    EXPECT_FALSE(server.folders.contains("/www/image"));
    EXPECT_EQ(host.messages, (QStringList{"/www/locked" + LoadResString(41742), "/www" + LoadResString(41742)}));

    server.unlistable.clear();
    FakeTransferHost rootHost;
    FtpTransferRun::DeleteRemoteFolder(server, rootHost, "/", "/");
    EXPECT_TRUE(server.files.isEmpty());
    EXPECT_EQ(server.folders, QSet<QString>{"/"});
    EXPECT_TRUE(rootHost.messages.isEmpty());
    EXPECT_FALSE(server.log.contains("RMD /"));
}

// A server that lists a linked folder as a folder: "loop" inside every folder, without end.
class EndlessTreeServer : public FakeFtpClient
{
public:
    bool list(const QString& folder, QList<platform::FtpEntry>* entries) override
    {
        log << QStringLiteral("LIST ") + folder;
        *entries = {platform::FtpEntry{QStringLiteral("loop"), true, 0}};
        return true;
    }
};

TEST_F(TransferRunTest, DeleteOfAnEndlessTreeStopsAtItsDepthLimit)
{
    EndlessTreeServer endless;
    FtpTransferRun::DeleteRemoteFolder(endless, host, "/", "/www/");
    EXPECT_EQ(endless.log.filter("LIST").size(), FtpTransferRun::MaxDeleteDepth);
    ASSERT_FALSE(host.messages.isEmpty());
    EXPECT_TRUE(host.messages[0].endsWith(QStringLiteral("/loop") + LoadResString(41742)));
}

TEST_F(TransferRunTest, CollectsAFolderBeforeItsContents)
{
    writeLocal(web() + "/index.html", "12345");
    writeLocal(web() + "/image/a.gif", "123");
    writeLocal(web() + "/image/sub/b.gif", "1");
    writeLocal(web() + "/other/c.txt", "12");
    QStringList items;
    quint64 total = 0;
    FtpTransferRun::CollectLocalFiles(QString(), web(), &items, &total);
    EXPECT_EQ(items, (QStringList{"image/", "index.html", "other/", "image/a.gif", "image/sub/", "image/sub/b.gif",
                                  "other/c.txt"}));
    EXPECT_EQ(total, 11u);
}

TEST_F(TransferRunTest, CollectingTakesNoLinkOutOfTheWeb)
{
    writeLocal(web() + "/index.html", "12345");
    writeLocal(dir.path() + "/private/key.txt", "secret");
    ASSERT_TRUE(QFile::link(dir.path() + "/private/key.txt", web() + "/key.txt"));
    ASSERT_TRUE(QFile::link(dir.path() + "/private", web() + "/private"));
    ASSERT_TRUE(QFile::link(web() + "/index.html", web() + "/home.html"));
    QStringList items;
    quint64 total = 0;
    FtpTransferRun::CollectLocalFiles(QString(), web(), &items, &total);
    EXPECT_EQ(items, (QStringList{"home.html", "index.html"}));
    EXPECT_EQ(total, 10u);
}

} // namespace
