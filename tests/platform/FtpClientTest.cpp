#include "platform/FtpClient.h"

#include "support/FtpTestServer.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>

using platform::FtpClient;
using platform::FtpEntry;
using platform::FtpErrorKind;
using platform::FtpLogin;

namespace {

FtpLogin loginFor(const FtpTestServer& server, bool passive = true)
{
    FtpLogin login;
    login.host = QStringLiteral("127.0.0.1");
    login.port = server.port();
    login.user = QStringLiteral("user");
    login.password = QStringLiteral("secret");
    login.passive = passive;
    login.timeoutMs = 5000;
    return login;
}

bool uploadBytes(FtpClient& client, const QString& path, const QByteArray& bytes, qint64 blockLimit = 2048)
{
    qint64 offset = 0;
    return client.upload(path, [&](char* buffer, qint64 capacity) {
        const qint64 n = std::min({capacity, blockLimit, qint64(bytes.size()) - offset});
        memcpy(buffer, bytes.constData() + offset, size_t(n));
        offset += n;
        return n;
    });
}

bool downloadBytes(FtpClient& client, const QString& path, QByteArray* bytes)
{
    bytes->clear();
    return client.download(path, [&](const char* data, qint64 size) {
        bytes->append(data, size);
        return true;
    });
}

QStringList names(const QList<FtpEntry>& entries)
{
    QStringList result;
    for (const FtpEntry& e : entries)
        result << e.name + (e.isFolder ? QStringLiteral("/") : QString());
    result.sort();
    return result;
}

class FtpClientModes : public ::testing::TestWithParam<bool>
{
};

TEST_P(FtpClientModes, WorksTreesOfJapaneseNamesBothWays)
{
    FtpTestServer server;
    ASSERT_TRUE(server.isRunning()) << server.errorText().toStdString();
    server.putFile(QStringLiteral("www/index.html"), "<p>old</p>");
    auto client = FtpClient::create();
    ASSERT_TRUE(client->connect(loginFor(server, GetParam()))) << client->lastError().text.toStdString();
    EXPECT_EQ(client->pwd(), QStringLiteral("/"));

    const QString folder = QStringLiteral("/www/画像 フォルダ");
    ASSERT_TRUE(client->mkd(folder)) << client->lastError().text.toStdString();
    EXPECT_FALSE(client->mkd(folder)); // already there
    QByteArray page(70000, 'x');
    page.prepend("日本語のページ");
    ASSERT_TRUE(uploadBytes(*client, folder + QStringLiteral("/ページ.html"), page));
    ASSERT_TRUE(uploadBytes(*client, QStringLiteral("/www//index.html"), "<p>new</p>"));
    ASSERT_TRUE(uploadBytes(*client, QStringLiteral("/www/empty.txt"), QByteArray()));

    QList<FtpEntry> entries;
    ASSERT_TRUE(client->list(QStringLiteral("/www/"), &entries));
    EXPECT_EQ(names(entries), (QStringList{QStringLiteral("empty.txt"), QStringLiteral("index.html"),
                                           QStringLiteral("画像 フォルダ/")}));
    ASSERT_TRUE(client->list(folder, &entries));
    ASSERT_EQ(entries.size(), 1);
    EXPECT_EQ(entries[0].name, QStringLiteral("ページ.html"));
    EXPECT_EQ(entries[0].size, page.size());

    qint64 size = -1;
    ASSERT_TRUE(client->size(folder + QStringLiteral("/ページ.html"), &size));
    EXPECT_EQ(size, page.size());
    QByteArray back;
    ASSERT_TRUE(downloadBytes(*client, folder + QStringLiteral("/ページ.html"), &back));
    EXPECT_EQ(back, page);
    ASSERT_TRUE(downloadBytes(*client, QStringLiteral("/www/empty.txt"), &back));
    EXPECT_TRUE(back.isEmpty());
    EXPECT_EQ(server.fileContent(QStringLiteral("www/index.html")), QByteArray("<p>new</p>"));

    ASSERT_TRUE(client->rename(QStringLiteral("/www/index.html"), QStringLiteral("/www/トップ.html")));
    EXPECT_FALSE(client->rename(QStringLiteral("/www/missing.html"), QStringLiteral("/www/x.html")));
    EXPECT_EQ(server.fileContent(QStringLiteral("www/トップ.html")), QByteArray("<p>new</p>"));

    EXPECT_FALSE(client->rmd(folder)); // not empty
    ASSERT_TRUE(client->dele(folder + QStringLiteral("/ページ.html")));
    EXPECT_FALSE(client->dele(folder + QStringLiteral("/ページ.html")));
    ASSERT_TRUE(client->rmd(folder));
    ASSERT_TRUE(client->list(QStringLiteral("/www"), &entries));
    EXPECT_EQ(names(entries), (QStringList{QStringLiteral("empty.txt"), QStringLiteral("トップ.html")}));
    client->disconnect();
    client->disconnect();
    EXPECT_FALSE(client->isConnected());
}

INSTANTIATE_TEST_SUITE_P(PassiveAndActive, FtpClientModes, ::testing::Values(true, false),
                         [](const ::testing::TestParamInfo<bool>& info) {
                             return std::string(info.param ? "Passive" : "Active");
                         });

TEST(FtpClient, WrongPasswordIsLoginDenied)
{
    FtpTestServer server;
    ASSERT_TRUE(server.isRunning()) << server.errorText().toStdString();
    auto client = FtpClient::create();
    FtpLogin login = loginFor(server);
    login.password = QStringLiteral("wrong");
    EXPECT_FALSE(client->connect(login));
    EXPECT_FALSE(client->isConnected());
    EXPECT_EQ(client->lastError().kind, FtpErrorKind::LoginDenied);
    EXPECT_EQ(client->lastError().code, 12014);
    EXPECT_TRUE(client->lastError().text.startsWith(QStringLiteral("530"))) << client->lastError().text.toStdString();
}

TEST(FtpClient, ServerThatNeverAnswersTimesOut)
{
    SilentFtpServer silent;
    ASSERT_NE(silent.port(), 0);
    auto client = FtpClient::create();
    FtpLogin login;
    login.host = QStringLiteral("127.0.0.1");
    login.port = silent.port();
    login.user = QStringLiteral("user");
    login.timeoutMs = 1000;
    QElapsedTimer timer;
    timer.start();
    EXPECT_FALSE(client->connect(login));
    EXPECT_LT(timer.elapsed(), 8000);
    EXPECT_EQ(client->lastError().kind, FtpErrorKind::TimedOut);
    EXPECT_EQ(client->lastError().code, 12002);
}

TEST(FtpClient, ReportsConnectionStepsInOrder)
{
    FtpTestServer server;
    ASSERT_TRUE(server.isRunning()) << server.errorText().toStdString();
    auto client = FtpClient::create();
    QList<int> steps;
    client->setStatusHandler([&](int status) { steps << status; });
    ASSERT_TRUE(client->connect(loginFor(server)));
    client->disconnect();
    ASSERT_GE(steps.size(), 8);
    EXPECT_EQ(steps.mid(0, 6), (QList<int>{60, 10, 11, 20, 21, 40}));
    EXPECT_EQ(steps.mid(steps.size() - 3), (QList<int>{50, 70, 51}));
}

TEST(FtpClient, CwdChecksTheFolderAndResolvesRelativePaths)
{
    FtpTestServer server;
    ASSERT_TRUE(server.isRunning()) << server.errorText().toStdString();
    server.putFile(QStringLiteral("www/sub/a.txt"), "abc");
    auto client = FtpClient::create();
    ASSERT_TRUE(client->connect(loginFor(server)));
    EXPECT_FALSE(client->cwd(QStringLiteral("/missing")));
    EXPECT_EQ(client->pwd(), QStringLiteral("/"));
    ASSERT_TRUE(client->cwd(QStringLiteral("www")));
    ASSERT_TRUE(client->cwd(QStringLiteral("sub/")));
    EXPECT_EQ(client->pwd(), QStringLiteral("/www/sub"));
    qint64 size = 0;
    ASSERT_TRUE(client->size(QStringLiteral("a.txt"), &size));
    EXPECT_EQ(size, 3);
    EXPECT_FALSE(client->size(QStringLiteral("nothing.txt"), &size));
    ASSERT_TRUE(client->cwd(QStringLiteral("../..")));
    EXPECT_EQ(client->pwd(), QStringLiteral("/"));
    QList<FtpEntry> entries;
    EXPECT_FALSE(client->list(QStringLiteral("/missing"), &entries));
}

TEST(FtpClient, StoppedTransferLeavesTheSessionUsable)
{
    FtpTestServer server;
    ASSERT_TRUE(server.isRunning()) << server.errorText().toStdString();
    server.putFile(QStringLiteral("big.bin"), QByteArray(8 * 1024 * 1024, 'b'));
    auto client = FtpClient::create();
    ASSERT_TRUE(client->connect(loginFor(server)));
    qint64 received = 0;
    EXPECT_FALSE(client->download(QStringLiteral("/big.bin"), [&](const char*, qint64 size) {
        received += size;
        return received < 100000;
    }));
    EXPECT_EQ(client->lastError().kind, FtpErrorKind::Stopped);
    EXPECT_LT(received, 8 * 1024 * 1024);

    bool stop = false;
    client->setStopCheck([&] { return stop; });
    qint64 sent = 0;
    EXPECT_FALSE(client->upload(QStringLiteral("/part.bin"), [&](char* buffer, qint64 capacity) {
        memset(buffer, 'u', size_t(capacity));
        sent += capacity;
        stop = sent > 200000;
        return capacity;
    }));
    EXPECT_EQ(client->lastError().kind, FtpErrorKind::Stopped);
    client->setStopCheck({});

    QByteArray small;
    server.putFile(QStringLiteral("small.txt"), "still here");
    ASSERT_TRUE(downloadBytes(*client, QStringLiteral("/small.txt"), &small)) << client->lastError().text.toStdString();
    EXPECT_EQ(small, QByteArray("still here"));
}

TEST(FtpClient, HostileListingYieldsOnlyEntriesInsideTheFolder)
{
    FtpTestServer::Options options;
    options.hostile = true;
    FtpTestServer server(options);
    ASSERT_TRUE(server.isRunning()) << server.errorText().toStdString();
    server.putFile(QStringLiteral("www/index.html"), "x");
    auto client = FtpClient::create();
    ASSERT_TRUE(client->connect(loginFor(server)));
    QList<FtpEntry> entries;
    ASSERT_TRUE(client->list(QStringLiteral("/www"), &entries));
    EXPECT_EQ(names(entries), QStringList{QStringLiteral("index.html")});
}

TEST(FtpClient, ListingWithoutEndIsRefusedAndTheSessionGoesOn)
{
    FtpTestServer::Options options;
    options.endlessListing = true;
    FtpTestServer server(options);
    ASSERT_TRUE(server.isRunning()) << server.errorText().toStdString();
    server.putFile(QStringLiteral("www/index.html"), "page");
    auto client = FtpClient::create();
    ASSERT_TRUE(client->connect(loginFor(server)));
    QList<FtpEntry> entries{FtpEntry{QStringLiteral("kept"), false, 0}};
    EXPECT_FALSE(client->list(QStringLiteral("/www"), &entries));
    EXPECT_EQ(client->lastError().kind, FtpErrorKind::Other);
    EXPECT_TRUE(client->lastError().text.contains(QStringLiteral("too long")))
        << client->lastError().text.toStdString();
    EXPECT_EQ(names(entries), QStringList{QStringLiteral("kept")});
    QByteArray page;
    EXPECT_TRUE(downloadBytes(*client, QStringLiteral("/www/index.html"), &page));
    EXPECT_EQ(page, QByteArray("page"));
}

TEST(FtpClient, PathsResolveAgainstTheCurrentFolder)
{
    EXPECT_EQ(platform::resolveFtpPath("/", "www//a.html"), QStringLiteral("/www/a.html"));
    EXPECT_EQ(platform::resolveFtpPath("/home/u", "../x/./y/"), QStringLiteral("/home/x/y"));
    EXPECT_EQ(platform::resolveFtpPath("/a", "/../../b"), QStringLiteral("/b"));
    EXPECT_EQ(platform::resolveFtpPath("/a", ""), QStringLiteral("/a"));
}

} // namespace
