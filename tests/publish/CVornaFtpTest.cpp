#include "publish/CVornaFtp.h"

#include "FakeFtpClient.h"
#include "platform/FtpClient.h"
#include "platform/ModalResponder.h"
#include "publish/PublishTextIds.h"
#include "publish/VornaDialogProgress.h"
#include "support/FtpTestServer.h"
#include "util/StringResources.h"

#include <gtest/gtest.h>

#include <QDialog>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QProgressBar>
#include <QTimer>

using platform::IDOK;
using platform::IDYES;
using platform::ModalResponder;

namespace {

void writeFile(const QString& path, const QByteArray& content)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(content);
}

QByteArray readFile(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

// Lets a progress window run until the transfer closes it.
void waitUntilClosed(QDialog& dialog)
{
    QEventLoop loop;
    QObject::connect(&dialog, &QDialog::finished, &loop, &QEventLoop::quit);
    QTimer::singleShot(30000, &loop, &QEventLoop::quit);
    if (dialog.isVisible())
        loop.exec();
}

void configure(CVornaFtp& engine, quint16 port, const QString& password = QStringLiteral("secret"))
{
    engine.SetWebName(QStringLiteral("site"));
    engine.ResetWebSettings();
    engine.SetFtpHost(QStringLiteral("127.0.0.1"));
    engine.SetFtpPort(QString::number(port));
    engine.SetFtpId(QStringLiteral("user"));
    engine.SetFtpPassword(password);
    engine.SetFtpDir(QStringLiteral("/www/"));
    engine.SetFtpTimeout(QStringLiteral("5"));
    engine.SaveWebSettings();
}

class CVornaFtpServerTest : public ::testing::TestWithParam<int>
{
protected:
    QString web() const { return CVornaFtp::LocalWebFolder(QStringLiteral("site")); }
};

TEST_P(CVornaFtpServerTest, PublishesAndFetchesATreeOfJapaneseNames)
{
    FtpTestServer server;
    ASSERT_TRUE(server.isRunning()) << server.errorText().toStdString();
    writeFile(web() + "/index.html", "<p>トップ</p>");
    writeFile(web() + "/画像/写真.gif", QByteArray(300000, 'g'));
    writeFile(web() + "/other/memo.txt", "");
    CVornaFtp engine;
    configure(engine, server.port());
    engine.SetFtpPassive(GetParam());
    engine.SaveWebSettings();
    ModalResponder responder;
    responder.always(VornaDialogProgress::DialogId, waitUntilClosed);
    responder.answerMessageBox(IDOK, LoadResString(41480));
    responder.answerMessageBox(IDOK, LoadResString(41481));

    ASSERT_TRUE(engine.Connect());
    engine.UploadAll(QStringLiteral("site"));
    EXPECT_EQ(server.fileContent("www/index.html"), QByteArray("<p>トップ</p>"));
    EXPECT_EQ(server.fileContent("www/画像/写真.gif"), QByteArray(300000, 'g'));
    EXPECT_TRUE(QFileInfo(server.home() + "/www/other/memo.txt").isFile());
    EXPECT_EQ(engine.GetDoneBytes(), engine.GetTotalBytes());
    EXPECT_FALSE(engine.IsBusy());

    QDir(web()).removeRecursively();
    QDir().mkpath(web());
    engine.DownloadFiles(QStringLiteral("site"), {"/画像/", "/画像/写真.gif", "/index.html"}, 300000 + 15);
    EXPECT_EQ(readFile(web() + "/画像/写真.gif"), QByteArray(300000, 'g'));
    EXPECT_EQ(readFile(web() + "/index.html"), QByteArray("<p>トップ</p>"));
    engine.Disconnect();
    engine.Disconnect();
    EXPECT_EQ(responder.pending(), 0);
    EXPECT_EQ(responder.runCount(VornaDialogProgress::DialogId), 2);
}

INSTANTIATE_TEST_SUITE_P(Modes, CVornaFtpServerTest, ::testing::Values(1, 0),
                         [](const ::testing::TestParamInfo<int>& info) {
                             return std::string(info.param ? "Passive" : "Active");
                         });

TEST(CVornaFtpConnect, WrongPasswordShowsTheLoginMessage)
{
    FtpTestServer server;
    ASSERT_TRUE(server.isRunning()) << server.errorText().toStdString();
    CVornaFtp engine;
    configure(engine, server.port(), QStringLiteral("wrong"));
    ModalResponder responder;
    responder.answerMessageBox(IDOK);
    EXPECT_FALSE(engine.Connect());
    EXPECT_FALSE(engine.IsConnected());
    ASSERT_EQ(responder.messageTexts().size(), 1);
    EXPECT_EQ(responder.messageTexts()[0], QStringLiteral("Error Code : 12014\n") + LoadResString(41906));
    EXPECT_EQ(engine.GetStatusDialog(), nullptr);
}

TEST(CVornaFtpConnect, ServerThatNeverAnswersTimesOutWithAdvice)
{
    SilentFtpServer silent;
    CVornaFtp engine;
    configure(engine, silent.port());
    engine.SetFtpTimeout(QStringLiteral("1"));
    engine.SaveWebSettings();
    ModalResponder responder;
    responder.answerMessageBox(IDOK);
    EXPECT_FALSE(engine.Connect());
    ASSERT_EQ(responder.messageTexts().size(), 1);
    EXPECT_TRUE(responder.messageTexts()[0].startsWith(QStringLiteral("Error Code : 12002\n")));
    EXPECT_TRUE(responder.messageTexts()[0].endsWith(u'\n' + LoadResString(57695)));
}

struct SettingsCase
{
    const char* port;
    const char* timeout;
    int passive;
    quint16 expectedPort;
    int expectedMs;
    const char* timeoutAfter;
};

class CVornaFtpConnectSettings : public ::testing::TestWithParam<SettingsCase>
{
};

TEST_P(CVornaFtpConnectSettings, BadTextsFallBackToDefaults)
{
    const SettingsCase& c = GetParam();
    auto client = std::make_unique<FakeFtpClient>();
    FakeFtpClient* fake = client.get();
    CVornaFtp engine(std::move(client));
    engine.SetWebName("fake");
    engine.ResetWebSettings();
    engine.SetFtpId("user");
    engine.SetFtpPort(c.port);
    engine.SetFtpTimeout(c.timeout);
    engine.SetFtpPassive(c.passive);
    engine.SaveWebSettings();
    ASSERT_TRUE(engine.Connect());
    EXPECT_EQ(fake->lastLogin.port, c.expectedPort);
    EXPECT_EQ(fake->lastLogin.timeoutMs, c.expectedMs);
    EXPECT_EQ(fake->lastLogin.passive, c.passive != 0);
    EXPECT_EQ(engine.GetFtpTimeout(), QString::fromUtf8(c.timeoutAfter));
    EXPECT_EQ(engine.GetFtpPassive(), c.passive ? 1 : 0);

    CVornaFtp reread(std::make_unique<FakeFtpClient>());
    reread.SetWebName("fake");
    reread.LoadWebSettings();
    EXPECT_EQ(reread.GetFtpTimeout(), QString::fromUtf8(c.timeout)); // the corrected text stays in memory
}

INSTANTIATE_TEST_SUITE_P(
    Texts, CVornaFtpConnectSettings,
    ::testing::Values(SettingsCase{"2121", "0", 7, 2121, 10000, "10"}, SettingsCase{"", "-5", 1, 0, 10000, "10"},
                      SettingsCase{"abc", "abc", 0, 0, 10000, "10"}, SettingsCase{"21", "", 1, 21, 10000, "10"},
                      SettingsCase{"99999", "30", 1, 0, 30000, "30"}),
    [](const ::testing::TestParamInfo<SettingsCase>& info) { return "Case" + std::to_string(info.index); });

TEST(CVornaFtpConnect, PlaceholderUserIdIsRefusedWithoutTraffic)
{
    for (const QString& id : {QString(), LoadResString(41554)}) {
        auto client = std::make_unique<FakeFtpClient>();
        FakeFtpClient* fake = client.get();
        CVornaFtp engine(std::move(client));
        engine.SetWebName("fake");
        engine.ResetWebSettings();
        engine.SetFtpId(id);
        engine.SaveWebSettings();
        ModalResponder responder;
        responder.answerMessageBox(IDOK, LoadResString(41906));
        EXPECT_FALSE(engine.Connect());
        EXPECT_TRUE(fake->log.isEmpty());
    }
    auto client = std::make_unique<FakeFtpClient>();
    CVornaFtp engine(std::move(client));
    engine.SetWebName("fake");
    engine.ResetWebSettings();
    engine.SetFtpId(LoadResString(41554) + u' ');
    engine.SaveWebSettings();
    EXPECT_TRUE(engine.Connect());
}

TEST(CVornaFtpTransfers, CancelInTheMiddleKeepsTheOldLocalFileAndBlocksOtherTransfers)
{
    FtpTestServer::Options options;
    options.throttle = 1000000;
    FtpTestServer server(options);
    ASSERT_TRUE(server.isRunning()) << server.errorText().toStdString();
    server.putFile("www/big.bin", QByteArray(8 * 1000 * 1000, 'n'));
    const QString web = CVornaFtp::LocalWebFolder("site");
    writeFile(web + "/big.bin", "the old file");

    CVornaFtp engine;
    configure(engine, server.port());
    CVornaFtp other(std::make_unique<FakeFtpClient>());
    ASSERT_TRUE(engine.Connect());
    ModalResponder responder;
    responder.on(VornaDialogProgress::DialogId, [&](QDialog& dialog) {
        EXPECT_TRUE(engine.IsBusy());
        other.UploadFiles("site", {"/big.bin"}, 12); // refused while a transfer runs
        auto* bar = dialog.findChild<QProgressBar*>(QStringLiteral("id_1265"));
        QEventLoop wait;
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, [&] {
            if (bar->value() > 0)
                wait.quit();
        });
        poll.start(5);
        QTimer::singleShot(20000, &wait, &QEventLoop::quit);
        wait.exec();
        ModalResponder::press(dialog, VornaDialogProgress::CancelId);
        waitUntilClosed(dialog);
    });
    responder.answerMessageBox(IDYES, LoadResString(41776));
    responder.answerMessageBox(IDOK, LoadResString(41601));
    engine.DownloadFiles("site", {"/big.bin"}, 8 * 1000 * 1000);
    EXPECT_EQ(readFile(web + "/big.bin"), QByteArray("the old file"));
    EXPECT_EQ(QDir(web).entryList(QDir::Files), QStringList{"big.bin"});
    EXPECT_LT(engine.GetDoneBytes(), 8u * 1000 * 1000);
    EXPECT_EQ(responder.pending(), 0);
    EXPECT_EQ(responder.runCount(VornaDialogProgress::DialogId), 1);
    EXPECT_FALSE(engine.IsBusy());
}

TEST(CVornaFtpTransfers, HostileListingWritesAndDeletesNothingOutsideTheWeb)
{
    FtpTestServer::Options options;
    options.hostile = true;
    FtpTestServer server(options);
    ASSERT_TRUE(server.isRunning()) << server.errorText().toStdString();
    server.putFile("evil.txt", "outside");
    server.putFile("www/index.html", "inside");
    server.putFile("www/image/a.gif", "gif");
    const QString web = CVornaFtp::LocalWebFolder("site");
    QDir().mkpath(web);

    CVornaFtp engine;
    configure(engine, server.port());
    ASSERT_TRUE(engine.Connect());
    QList<platform::FtpEntry> entries;
    ASSERT_TRUE(engine.GetConnection().list("/www", &entries));
    QStringList items;
    for (const platform::FtpEntry& e : entries)
        items << u'/' + e.name + (e.isFolder ? QStringLiteral("/") : QString());
    items << "../evil.txt";
    ModalResponder responder;
    responder.always(VornaDialogProgress::DialogId, waitUntilClosed);
    responder.answerMessageBox(IDOK, LoadResString(41778));
    responder.answerMessageBox(IDOK, LoadResString(PublishTextIds::DownloadWithFailures).arg(1));
    engine.DownloadFiles("site", items, 0);
    EXPECT_EQ(readFile(web + "/index.html"), QByteArray("inside"));
    EXPECT_FALSE(QFileInfo::exists(QFileInfo(web).absolutePath() + "/evil.txt"));

    engine.DeleteRemoteFolder("/", "/www/");
    EXPECT_FALSE(QFileInfo::exists(server.home() + "/www"));
    EXPECT_EQ(server.fileContent("evil.txt"), QByteArray("outside"));
    EXPECT_EQ(responder.pending(), 0);
}

} // namespace

namespace {

TEST(CVornaFtpTransfers, ConnectionStaysWithTheRunningTransfer)
{
    auto client = std::make_unique<FakeFtpClient>();
    FakeFtpClient* fake = client.get();
    fake->files["/a.html"] = "page";
    QDir().mkpath(CVornaFtp::LocalWebFolder("fake"));
    CVornaFtp engine(std::move(client));
    engine.SetWebName("fake");
    engine.ResetWebSettings();
    engine.SetFtpId("user");
    engine.SetFtpDir("/");
    engine.SaveWebSettings();
    ASSERT_TRUE(engine.Connect());
    ModalResponder responder;
    responder.on(VornaDialogProgress::DialogId, [&](QDialog& dialog) {
        // What a window's event could ask while the transfer runs.
        engine.Disconnect();
        EXPECT_FALSE(engine.Connect());
        waitUntilClosed(dialog);
    });
    responder.answerMessageBox(IDOK, LoadResString(41481));
    engine.DownloadFiles("fake", {"/a.html"}, 4);
    EXPECT_TRUE(engine.IsConnected());
    EXPECT_TRUE(fake->connected);
    EXPECT_EQ(fake->log.filter("CONNECT").size(), 1);
    EXPECT_EQ(readFile(CVornaFtp::LocalWebFolder("fake") + "/a.html"), QByteArray("page"));
    EXPECT_EQ(responder.pending(), 0);
}

TEST(CVornaFtpTransfers, AnEmptyListStillShowsProgressAndCompletes)
{
    CVornaFtp engine(std::make_unique<FakeFtpClient>());
    ModalResponder responder;
    responder.always(VornaDialogProgress::DialogId, waitUntilClosed);
    responder.answerMessageBox(IDOK, LoadResString(41480));
    responder.answerMessageBox(IDOK, LoadResString(41481));
    engine.UploadFiles("site", {}, 0);
    engine.DownloadFiles("site", {}, 0);
    EXPECT_EQ(responder.runCount(VornaDialogProgress::DialogId), 2);
    EXPECT_EQ(responder.pending(), 0);
    EXPECT_FALSE(engine.IsBusy());
}

} // namespace
