#include "publish/VornaDialogPublish.h"

#include "controls/CVornaComboBox.h"
#include "controls/CVornaTreeCtrl.h"
#include "controls/CheckTreeState.h"
#include "platform/DataRoot.h"
#include "platform/ModalResponder.h"
#include "publish/CVornaFtp.h"
#include "publish/VornaDialogProgress.h"
#include "support/FtpTestServer.h"
#include "support/ReviewPicture.h"
#include "support/TestFiles.h"
#include "util/CRegistryEx.h"
#include "web/WebServerSettings.h"
#include "util/StringResources.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QTest>
#include <QLabel>
#include <QTimer>
#include <QTreeWidgetItemIterator>
#include <QUrl>

using platform::IDOK;
using platform::IDYES;
using platform::ModalResponder;

namespace {

void waitUntilClosed(QDialog& dialog)
{
    QEventLoop loop;
    QObject::connect(&dialog, &QDialog::finished, &loop, &QEventLoop::quit);
    QTimer::singleShot(30000, &loop, &QEventLoop::quit);
    if (dialog.isVisible())
        loop.exec();
}

QStringList childTexts(QTreeWidgetItem* item)
{
    QStringList texts;
    for (int i = 0; item && i < item->childCount(); ++i)
        texts << item->child(i)->text(0);
    return texts;
}

// What the previews hand to the desktop.
class OpenedAddresses : public QObject
{
    Q_OBJECT
public:
    OpenedAddresses()
    {
        for (const char* scheme : {"http", "https", "file"})
            QDesktopServices::setUrlHandler(QString::fromLatin1(scheme), this, "open");
    }
    ~OpenedAddresses() override
    {
        for (const char* scheme : {"http", "https", "file"})
            QDesktopServices::unsetUrlHandler(QString::fromLatin1(scheme));
    }
    QStringList addresses;

public slots:
    void open(const QUrl& url) { addresses.append(url.toString()); }
};

class PublishDialogTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(server.isRunning()) << server.errorText().toStdString();
        QDir(platform::webRoot()).removeRecursively();
        removeServers();
        web = CVornaFtp::LocalWebFolder(QStringLiteral("site"));
        ASSERT_TRUE(writeTestFile(web + "/index.html", "<HTML><BODY><IMG src=\"image/a.gif\"></BODY></HTML>"));
        ASSERT_TRUE(writeTestFile(web + "/image/a.gif", QByteArray(512, 'a')));
        ASSERT_TRUE(writeTestFile(web + "/image/b.gif", QByteArray(5, 'b')));
        ASSERT_TRUE(writeTestFile(web + "/project.ini", "[web]\n"));
        server.putFile("www/top.html", "<P>top</P>");
        server.putFile("www/pics/p.gif", "PPPP");
        server.putFile("www/pics/old/q.gif", "QQ");
        server.putFile("www/project.ini", "x");
        CVornaFtp settings;
        settings.SetWebName(QStringLiteral("srv"));
        settings.ResetWebSettings();
        settings.SetFtpHost(QStringLiteral("127.0.0.1"));
        settings.SetFtpPort(QString::number(server.port()));
        settings.SetFtpId(QStringLiteral("user"));
        settings.SetFtpPassword(QStringLiteral("secret"));
        settings.SetFtpDir(QStringLiteral("/www"));
        settings.SetHttpUrl(QStringLiteral("www.example.jp/~ユーザーID/"));
        settings.SaveWebSettings();
        settings.SetActiveWeb(QStringLiteral("srv"));
        responder.always(VornaDialogProgress::DialogId, waitUntilClosed);
        dialog = std::make_unique<VornaDialogPublish>();
        dialog->OnInitDialog();
        chooseWeb(QStringLiteral("site"));
    }
    void TearDown() override { VornaDialogPublish::setOnlineCheck(nullptr); }

    // No server entries (other tests of the process leave theirs).
    static void removeServers()
    {
        CRegistryEx reg(HKEY_CURRENT_USER);
        for (const QString& name : ServerEntryNames())
            reg.DeleteKey(HKEY_CURRENT_USER, CVornaFtp::SettingsKey() + u'\\' + name);
    }
    void chooseWeb(const QString& name)
    {
        auto* combo = dialog->findChild<CVornaComboBox*>("id_10207");
        combo->setCurrentIndex(combo->findText(name));
        dialog->OnSelChangeWeb();
    }
    void connect()
    {
        dialog->OnConnect();
        ASSERT_TRUE(dialog->m_bConnected);
    }
    CVornaTreeCtrl& local() { return *dialog->localTree(); }
    CVornaTreeCtrl& remote() { return *dialog->serverTree(); }
    QTreeWidgetItem* localItem(const QString& path)
    {
        return local().FindItemByPath(local().topLevelItem(0), path, QString());
    }
    QTreeWidgetItem* serverItem(const QString& path)
    {
        return remote().FindItemByPath(remote().topLevelItem(0), path, QString());
    }

    FtpTestServer server;
    ModalResponder responder;
    QString web;
    std::unique_ptr<VornaDialogPublish> dialog;
};

TEST_F(PublishDialogTest, TheLocalTreeShowsWhatAPublishTakesWithTheSizes)
{
    ASSERT_TRUE(writeTestFile(web + "/PROJECT.INI", "x"));
    ASSERT_TRUE(writeTestFile(web + "/.hidden", "x"));
    ASSERT_TRUE(writeTestFile(web + "/.secret/page.html", "x"));
    ASSERT_TRUE(writeTestFile(platform::webRoot() + "/outside.txt", "x"));
    ASSERT_TRUE(QFile::link(platform::webRoot() + "/outside.txt", web + "/link.txt"));
    ASSERT_TRUE(QFile::link(web + "/image/a.gif", web + "/inside.gif"));
    chooseWeb(QStringLiteral("site"));

    QTreeWidgetItem* root = local().topLevelItem(0);
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(root->text(0), QStringLiteral("[site]"));
    EXPECT_EQ(childTexts(root), QStringList({"image", "index.html", "inside.gif"}));
    EXPECT_EQ(childTexts(localItem("image")), QStringList({"a.gif", "b.gif"}));
    EXPECT_EQ(localItem("image/a.gif")->data(0, VornaDialogPublish::SizeRole).toLongLong(), 512);

    // The prompt of the web list shows no web.
    chooseWeb(LoadResString(41555));
    EXPECT_EQ(local().topLevelItemCount(), 0);
}

TEST_F(PublishDialogTest, ConnectingListsOneLevelAndAFolderOnlyWhenOpened)
{
    connect();
    QTreeWidgetItem* root = remote().topLevelItem(0);
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(root->text(0), QStringLiteral("srv[/www]"));
    EXPECT_EQ(childTexts(root), QStringList({"pics", "top.html"})); // no project.ini
    QTreeWidgetItem* pics = serverItem("pics");
    ASSERT_EQ(childTexts(pics), QStringList({QString()})); // the placeholder
    EXPECT_EQ(responder.runCount(VornaDialogProgress::DialogId), 0);

    pics->setExpanded(true); // lists the folder with everything below it
    EXPECT_EQ(childTexts(pics), QStringList({"old", "p.gif"}));
    EXPECT_EQ(childTexts(serverItem("pics/old")), QStringList({"q.gif"}));
    EXPECT_EQ(dialog->GetServerItemPath(serverItem("pics/old/q.gif")), QStringLiteral("/www/pics/old/q.gif"));
    pics->setExpanded(false);
    pics->setExpanded(true);
    EXPECT_EQ(responder.runCount(VornaDialogProgress::DialogId), 1); // listed once

    dialog->OnConnect(); // disconnects
    EXPECT_FALSE(dialog->m_bConnected);
    EXPECT_FALSE(dialog->ftp().IsConnected());
    EXPECT_EQ(remote().topLevelItemCount(), 0);
}

TEST_F(PublishDialogTest, AHostileServersNamesNeverReachTheTree)
{
    FtpTestServer::Options options;
    options.hostile = true;
    FtpTestServer hostile(options);
    ASSERT_TRUE(hostile.isRunning()) << hostile.errorText().toStdString();
    hostile.putFile("www/sub/page.html", "x");
    CVornaFtp settings;
    settings.SetWebName(QStringLiteral("srv"));
    settings.LoadWebSettings();
    settings.SetFtpPort(QString::number(hostile.port()));
    settings.SaveWebSettings();
    connect();
    dialog->OnServerSelectAll();
    QStringList names;
    for (QTreeWidgetItemIterator it(&remote()); *it; ++it)
        names << (*it)->text(0);
    EXPECT_EQ(names, QStringList({"srv[/www]", "sub", "page.html"}));
}

TEST_F(PublishDialogTest, CommandsSayWhatIsMissingInTheirOrder)
{
    chooseWeb(LoadResString(41555));
    responder.answerMessageBox(IDOK, LoadResString(41451));
    dialog->OnUpload(); // no web, even before the connection
    chooseWeb(QStringLiteral("site"));
    responder.answerMessageBox(IDOK, LoadResString(41450));
    dialog->OnDownload();
    responder.answerMessageBox(IDOK, LoadResString(41450));
    dialog->OnServerSelectAll();

    VornaDialogPublish::setOnlineCheck([](const QString&) { return false; });
    responder.answerMessageBox(IDOK, LoadResString(41491));
    dialog->OnConnect();
    EXPECT_FALSE(dialog->m_bConnected);
    VornaDialogPublish::setOnlineCheck(nullptr);

    connect();
    responder.answerMessageBox(IDOK, LoadResString(41787));
    dialog->OnUpload();
    responder.answerMessageBox(IDOK, LoadResString(41787));
    dialog->OnServerDelete(); // nothing ticked: no question
    responder.answerMessageBox(IDOK, LoadResString(41787));
    dialog->OnLocalSelectInserted();
    EXPECT_EQ(responder.pending(), 0);
    EXPECT_EQ(responder.messageTexts().size(), 7);
}

TEST_F(PublishDialogTest, ConnectingWithoutAServerAsksForOne)
{
    removeServers();
    dialog = std::make_unique<VornaDialogPublish>();
    dialog->OnInitDialog();
    dialog->show();
    responder.answerMessageBox(IDOK, LoadResString(57779));
    dialog->OnConnect();
    EXPECT_EQ(dialog->focusWidget(), dialog->findChild<QWidget*>("id_1009"));
    EXPECT_FALSE(dialog->m_bConnected);
}

TEST_F(PublishDialogTest, UploadingTheWholeWebSendsTheProjectFileLastAndAPartNone)
{
    connect();
    responder.answerMessageBox(IDOK, LoadResString(41480));
    dialog->OnLocalSelectAll();
    dialog->OnUpload();
    EXPECT_EQ(dialog->m_pFileList,
              QStringList({"/image/", "/image/a.gif", "/image/b.gif", "/index.html", "/project.ini"}));
    EXPECT_EQ(server.fileContent("www/image/a.gif"), QByteArray(512, 'a'));
    EXPECT_EQ(server.fileContent("www/project.ini"), QByteArray("[web]\n"));
    // The server shows its top level afresh.
    EXPECT_FALSE(dialog->m_bServerFullyListed);
    EXPECT_EQ(childTexts(remote().topLevelItem(0)), QStringList({"image", "pics", "index.html", "top.html"}));

    ASSERT_TRUE(writeTestFile(web + "/index.html", "<P>new</P>"));
    ASSERT_TRUE(writeTestFile(web + "/project.ini", "[changed]\n"));
    dialog->OnActivateApp(); // the tree is read again, its ticks dropped
    dialog->OnLocalSelectAll();
    local().SetCheck(localItem("image/b.gif"), checktree::kClear);
    responder.answerMessageBox(IDOK, LoadResString(41480));
    dialog->OnUpload();
    EXPECT_EQ(dialog->m_pFileList, QStringList({"/image/", "/image/a.gif", "/index.html"}));
    EXPECT_EQ(server.fileContent("www/index.html"), QByteArray("<P>new</P>"));
    EXPECT_EQ(server.fileContent("www/project.ini"), QByteArray("[web]\n"));
}

TEST_F(PublishDialogTest, SelectAllListsTheServerOnceAndADownloadShowsInTheLocalTree)
{
    connect();
    dialog->OnServerSelectAll();
    EXPECT_TRUE(dialog->m_bServerFullyListed);
    EXPECT_EQ(responder.runCount(VornaDialogProgress::DialogId), 1);
    EXPECT_EQ(remote().GetStateImage(serverItem("pics/old/q.gif")), checktree::kChecked);
    dialog->OnServerSelectAll();
    EXPECT_EQ(responder.runCount(VornaDialogProgress::DialogId), 1);
    // 4 + 2 + 10 bytes in six items (three folders' worth of "pics", "old" and files).
    EXPECT_EQ(dialog->m_nServerChecked, 5);
    EXPECT_EQ(dialog->findChild<QLabel*>("id_1003")->text(),
              "5" + LoadResString(41815) + LoadResString(41816) + "0.016K)");

    dialog->OnServerSelectNone();
    EXPECT_TRUE(dialog->findChild<QLabel*>("id_1003")->text().isEmpty());
    remote().SetCheck(serverItem("pics"), checktree::kCheck);
    responder.answerMessageBox(IDOK, LoadResString(41481));
    dialog->OnDownload();
    EXPECT_EQ(readTestFile(web + "/pics/old/q.gif"), QByteArray("QQ"));
    EXPECT_NE(localItem("pics/old/q.gif"), nullptr);
}

TEST_F(PublishDialogTest, TickingAClosedServerFolderListsAndTicksAllOfIt)
{
    connect();
    QTreeWidgetItem* pics = serverItem("pics");
    remote().SetCheck(pics, checktree::kCheck);
    dialog->OnClickServerTree(pics);
    EXPECT_EQ(remote().GetStateImage(serverItem("pics/old/q.gif")), checktree::kChecked);
    EXPECT_EQ(dialog->m_nServerChecked, 4); // pics, old, q.gif, p.gif
}

TEST_F(PublishDialogTest, LocalDeletionTakesTheTickedFilesAndReportsAFolderThatStays)
{
    ASSERT_TRUE(writeTestFile(web + "/other/.keep", "x"));
    chooseWeb(QStringLiteral("site"));
    local().SetCheck(localItem("image/b.gif"), checktree::kCheck);
    local().SetCheck(localItem("other"), checktree::kCheck);
    responder.answerMessageBox(platform::IDNO, LoadResString(41822));
    dialog->OnLocalDelete();
    EXPECT_TRUE(QFileInfo::exists(web + "/image/b.gif"));

    responder.answerMessageBox(IDYES, LoadResString(41822));
    responder.answerMessageBox(IDOK, LoadResString(41742)); // "other" holds a hidden file
    dialog->OnLocalDelete();
    EXPECT_FALSE(QFileInfo::exists(web + "/image/b.gif"));
    EXPECT_TRUE(QFileInfo::exists(web + "/image/a.gif"));
    EXPECT_EQ(localItem("image/b.gif"), nullptr);
    EXPECT_NE(localItem("other"), nullptr);
    EXPECT_EQ(local().GetStateImage(local().topLevelItem(0)), checktree::kCleared);
    EXPECT_EQ(responder.pending(), 0);
}

TEST_F(PublishDialogTest, DeletingTheWholeWebRemovesItsFolderAndItsEntry)
{
    dialog->OnLocalSelectAll();
    responder.answerMessageBox(IDYES, LoadResString(41822));
    dialog->OnLocalDelete();
    EXPECT_FALSE(QFileInfo::exists(web));
    EXPECT_EQ(local().topLevelItemCount(), 0);
    auto* combo = dialog->findChild<CVornaComboBox*>("id_10207");
    EXPECT_EQ(combo->findText("site"), -1);
    EXPECT_EQ(combo->currentText(), LoadResString(41555));
}

TEST_F(PublishDialogTest, ServerDeletionOfAPartAndOfEverything)
{
    connect();
    dialog->OnServerSelectAll();
    dialog->OnServerSelectNone();
    remote().SetCheck(serverItem("pics/old"), checktree::kCheck);
    remote().SetCheck(serverItem("top.html"), checktree::kCheck);
    responder.answerMessageBox(IDYES, LoadResString(41821));
    dialog->OnServerDelete();
    EXPECT_FALSE(QFileInfo::exists(server.home() + "/www/pics/old"));
    EXPECT_FALSE(QFileInfo::exists(server.home() + "/www/top.html"));
    EXPECT_TRUE(QFileInfo::exists(server.home() + "/www/pics/p.gif"));
    EXPECT_EQ(serverItem("pics/old"), nullptr);

    dialog->OnServerSelectAll();
    responder.answerMessageBox(IDYES, LoadResString(41821));
    dialog->OnServerDelete();
    EXPECT_FALSE(QFileInfo::exists(server.home() + "/www/pics"));
    ASSERT_EQ(remote().topLevelItemCount(), 1); // the root stays
    EXPECT_EQ(remote().topLevelItem(0)->childCount(), 0);
}

TEST_F(PublishDialogTest, RenamesOnBothSidesRefuseTakenAndUnsafeNames)
{
    ASSERT_TRUE(writeTestFile(web + "/Index.HTM", "x"));
    chooseWeb(QStringLiteral("site"));
    QTreeWidgetItem* page = localItem("index.html");
    local().setCurrentItem(page);
    responder.answerMessageBox(IDOK, LoadResString(41786));
    dialog->OnEndLabelEditLocal(page, QStringLiteral("INDEX.htm"));
    for (const QString& bad : QStringList{"../up.html", "a/b.html", "..", "x\ty"}) {
        responder.answerMessageBox(IDOK, LoadResString(41638));
        dialog->OnEndLabelEditLocal(page, bad);
    }
    EXPECT_TRUE(QFileInfo::exists(web + "/index.html"));
    dialog->OnEndLabelEditLocal(page, QStringLiteral("INDEX.html")); // its own name in another case
    EXPECT_TRUE(QFileInfo::exists(web + "/INDEX.html"));
    EXPECT_EQ(page->text(0), QStringLiteral("INDEX.html"));
    QTreeWidgetItem* folder = localItem("image");
    local().setCurrentItem(folder);
    dialog->OnEndLabelEditLocal(folder, QStringLiteral("画像"));
    EXPECT_TRUE(QFileInfo::exists(web + "/画像/a.gif"));

    connect();
    QTreeWidgetItem* pics = serverItem("pics");
    remote().setCurrentItem(pics);
    dialog->OnEndLabelEditServer(pics, QStringLiteral("写真"));
    EXPECT_EQ(server.fileContent("www/写真/p.gif"), QByteArray("PPPP"));
    EXPECT_EQ(dialog->GetServerItemPath(serverItem("写真")), QStringLiteral("/www/写真/"));
    responder.answerMessageBox(IDOK, LoadResString(41638));
    dialog->OnEndLabelEditServer(serverItem("写真"), QStringLiteral("../evil"));
    EXPECT_EQ(responder.pending(), 0);
}

TEST_F(PublishDialogTest, InsertedFilesOfTickedTopLevelPagesAreTicked)
{
    local().SetCheck(localItem("index.html"), checktree::kCheck);
    dialog->OnLocalSelectInserted();
    EXPECT_EQ(local().GetStateImage(localItem("image/a.gif")), checktree::kChecked);
    EXPECT_EQ(local().GetStateImage(localItem("image/b.gif")), checktree::kCleared);
    // The page (49 bytes), the partly ticked folder and a.gif (512 bytes).
    EXPECT_EQ(dialog->m_nLocalChecked, 3);
    EXPECT_EQ(dialog->findChild<QLabel*>("id_1002")->text(),
              "3" + LoadResString(41815) + LoadResString(41816) + "0.561K)");

    ASSERT_TRUE(QDir().mkpath(web + "/empty"));
    chooseWeb(QStringLiteral("site"));
    local().SetCheck(localItem("empty"), checktree::kCheck);
    dialog->OnClickLocalTree(localItem("empty")); // an empty folder still counts
    EXPECT_EQ(dialog->findChild<QLabel*>("id_1002")->text(),
              "1" + LoadResString(41815) + LoadResString(41816) + "0.000K)");
}

TEST_F(PublishDialogTest, PreviewsOpenTheHomePageAndTheServersAddress)
{
    OpenedAddresses catcher;
    const QStringList& opened = catcher.addresses;
    dialog->OnPreview();
    QFile::remove(web + "/index.html");
    ASSERT_TRUE(writeTestFile(web + "/news.htm", "x"));
    chooseWeb(QStringLiteral("site"));
    dialog->OnPreview();
    dialog->OnBrowserPreview();
    ASSERT_EQ(opened.size(), 3);
    EXPECT_TRUE(opened.at(0).endsWith("/site/index.html"));
    EXPECT_TRUE(opened.at(1).endsWith("/site/news.htm"));
    EXPECT_EQ(opened.at(2), QStringLiteral("http://www.example.jp/~user/"));
}

TEST_F(PublishDialogTest, PublishScreenshotConnectedWithBothTreesTickedInPart)
{
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        GTEST_SKIP() << "needs an X server (Xvfb)";
    ASSERT_TRUE(writeTestFile(web + "/profile.html", QByteArray(2300, 'p')));
    ASSERT_TRUE(writeTestFile(web + "/diary/2026-12.html", QByteArray(4100, 'd')));
    chooseWeb(QStringLiteral("site"));
    connect();
    local().SetCheck(localItem("index.html"), checktree::kCheck);
    dialog->OnLocalSelectInserted();
    local().SetCheck(localItem("diary"), checktree::kCheck);
    dialog->OnClickLocalTree(localItem("diary"));
    serverItem("pics")->setExpanded(true);
    remote().SetCheck(serverItem("pics/old"), checktree::kCheck);
    dialog->OnClickServerTree(serverItem("pics/old"));
    remote().setCurrentItem(serverItem("top.html"));
    dialog->resize(900, 560);
    dialog->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog.get(), 30000));
    for (int i = 0; i < 10; ++i)
        QCoreApplication::processEvents();
    SaveReviewPicture(dialog->grab().toImage(), QStringLiteral("publish-dialog.png"));
}

} // namespace

#include "PublishDialogTest.moc"
