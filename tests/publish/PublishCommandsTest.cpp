#include "../app/ProgramStart.h"

#include "app/CMainFrame.h"
#include "app/CZQDoc.h"
#include "app/CZQView.h"
#include "engine/dom/Document.h"
#include "engine/dom/Element.h"
#include "controls/CVornaTreeCtrl.h"
#include "platform/CommandRegistry.h"
#include "platform/DataRoot.h"
#include "platform/DocTemplate.h"
#include "platform/ModalResponder.h"
#include "publish/CVornaDialogQuickPublish.h"
#include "publish/CVornaFtp.h"
#include "publish/VornaDialogProgress.h"
#include "publish/VornaDialogPublish.h"
#include "res/resource.h"
#include "support/FtpTestServer.h"
#include "support/TestFiles.h"
#include "util/StringResources.h"
#include "web/VornaDialogSiteManagerPage1.h"
#include "web/VornaDialogSiteManagerSheet.h"
#include "web/WebServerSettings.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QTimer>
#include <QTreeWidget>

using platform::IDCANCEL;
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

class PublishCommandsTest : public ::testing::Test
{
protected:
    void startWith(const FtpTestServer::Options& options = {})
    {
        server = std::make_unique<FtpTestServer>(options);
        ASSERT_TRUE(server->isRunning()) << server->errorText().toStdString();
        VornaDialogSiteManagerSheet::setTutorialViewFactory([](QWidget* parent) { return new QWidget(parent); });
        app = StartProgramWithoutGuide();
        ASSERT_NE(app, nullptr);
        web = platform::webRoot() + "/site";
        ASSERT_TRUE(writeTestFile(web + "/index.html", "<HTML><BODY><IMG src=\"image/logo.gif\"></BODY></HTML>"));
        ASSERT_TRUE(writeTestFile(web + "/image/logo.gif", "GIF89a"));
        ASSERT_TRUE(writeTestFile(web + "/other/big.bin", QByteArray(200000, 'b')));
        CVornaFtp settings;
        settings.SetWebName(QStringLiteral("srv"));
        settings.ResetWebSettings();
        settings.SetFtpHost(QStringLiteral("127.0.0.1"));
        settings.SetFtpPort(QString::number(server->port()));
        settings.SetFtpId(QStringLiteral("user"));
        settings.SetFtpPassword(QStringLiteral("secret"));
        settings.SetFtpDir(QStringLiteral("/www"));
        settings.SaveWebSettings();
        settings.SetActiveWeb(QStringLiteral("srv"));
        server->putFile("www/old.html", "old");
        responder.always(VornaDialogProgress::DialogId, waitUntilClosed);
    }
    void TearDown() override
    {
        app.reset();
        VornaDialogSiteManagerSheet::setTutorialViewFactory(nullptr);
    }
    // The quick-publish options as stored.
    static void storeOptions(int deleteFirst, int onlyModified, int hide, int saveFirst)
    {
        CVornaDialogQuickPublish options;
        options.m_nOverwriteOrDelete = deleteFirst;
        options.m_bPublishOnlyModifiedFiles = onlyModified;
        options.m_bHidePublishProperty = hide;
        options.m_bSaveBeforeUpload = saveFirst;
        options.SaveOptions();
    }
    CMainFrame& frame() { return *app->mainFrame(); }
    VornaDialogSiteManagerPage1& sitePage() { return *frame().siteManagerSheet()->sitePage(); }
    void send(int id) { app->commands()->sendCommand(id); }
    void openWeb()
    {
        frame().m_recentWebs = QStringList({"site", QString(), QString(), QString()});
        app->commands()->updateCommand(ID_RECENT_WEB_FIRST);
        send(ID_RECENT_WEB_FIRST);
        QCoreApplication::processEvents();
        ASSERT_TRUE(frame().m_bWebOpen);
    }
    bool onServer(const QString& path) const { return QFileInfo::exists(server->home() + "/www/" + path); }

    std::unique_ptr<FtpTestServer> server;
    std::unique_ptr<CZQApp> app;
    ModalResponder responder;
    QString web;
};

TEST_F(PublishCommandsTest, TheFtpCommandRunsThePublishingWindowOnTheOpenWeb)
{
    startWith();
    EXPECT_FALSE(app->commands()->updateCommand(ID_SITE_QUICK_PUBLISH_COMMAND)); // no web open
    openWeb();
    EXPECT_TRUE(app->commands()->updateCommand(ID_SITE_QUICK_PUBLISH_COMMAND));
    QString shown;
    responder.on(VornaDialogPublish::IDD, [&shown](QDialog& dialog) {
        auto* tree = dialog.findChild<QTreeWidget*>("id_10204");
        shown = tree && tree->topLevelItemCount() ? tree->topLevelItem(0)->text(0) : QString();
        ModalResponder::press(dialog, VornaDialogPublish::kCloseId);
    });
    send(ID_TOOLS_FTP);
    EXPECT_EQ(shown, QStringLiteral("[site]"));

    // The folder of the web open in the editor keeps its name.
    responder.on(VornaDialogPublish::IDD, [](QDialog& window) {
        auto& dialog = static_cast<VornaDialogPublish&>(window);
        QTreeWidgetItem* root = dialog.localTree()->topLevelItem(0);
        dialog.localTree()->setCurrentItem(root);
        dialog.OnEndLabelEditLocal(root, QStringLiteral("renamed"));
        EXPECT_EQ(root->text(0), QStringLiteral("[site]"));
        ModalResponder::press(window, VornaDialogPublish::kCloseId);
    });
    responder.answerMessageBox(IDOK, LoadResString(41785));
    EXPECT_TRUE(frame().OnToolsFtp());
    EXPECT_TRUE(QFileInfo::exists(web + "/index.html"));
    EXPECT_EQ(responder.pending(), 0);
}

TEST_F(PublishCommandsTest, AfterTheFtpWindowTheWebsOpenPagesShowWhatCameDown)
{
    startWith();
    openWeb();
    ASSERT_TRUE(app->OpenDocumentFile(web + "/index.html"));
    QCoreApplication::processEvents();
    responder.on(VornaDialogPublish::IDD, [this](QDialog& window) {
        // What a download writes over the open page.
        EXPECT_TRUE(writeTestFile(web + "/index.html", "<HTML><BODY><P>came down</P></BODY></HTML>"));
        ModalResponder::press(window, VornaDialogPublish::kCloseId);
    });
    send(ID_TOOLS_FTP);
    QCoreApplication::processEvents();
    CZQView* view = frame().GetActiveView();
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->GetHtmlDocument()->body()->innerText().trimmed(), QStringLiteral("came down"));
    EXPECT_TRUE(frame().IsEditMode());
}

TEST_F(PublishCommandsTest, QuickPublishSendsTheWholeWebWithoutItsDialogWhenASeverIsActive)
{
    startWith();
    storeOptions(0, 0, 1, 1);
    openWeb();
    responder.answerMessageBox(IDOK, LoadResString(41480));
    send(ID_SITE_QUICK_PUBLISH_COMMAND);
    EXPECT_EQ(responder.runCount(CVornaDialogQuickPublish::IDD), 0);
    EXPECT_EQ(server->fileContent("www/image/logo.gif"), QByteArray("GIF89a"));
    EXPECT_TRUE(onServer("other/big.bin"));
    EXPECT_TRUE(onServer("old.html")); // overwritten, not deleted
    EXPECT_FALSE(sitePage().GetFtp().IsConnected());
    EXPECT_EQ(responder.pending(), 0);
}

TEST_F(PublishCommandsTest, OnlyModifiedFilesGoUpAndNothingWhenNothingChanged)
{
    startWith();
    storeOptions(0, 1, 1, 1);
    openWeb();
    sitePage().ClearModifiedFiles();
    send(ID_SITE_QUICK_PUBLISH_COMMAND);
    EXPECT_EQ(responder.runCount(VornaDialogProgress::DialogId), 0);
    EXPECT_FALSE(onServer("index.html"));

    sitePage().AddModifiedFile(QStringLiteral("index.html"));
    responder.answerMessageBox(IDOK, LoadResString(41480));
    send(ID_SITE_QUICK_PUBLISH_COMMAND);
    EXPECT_TRUE(onServer("index.html"));
    EXPECT_TRUE(onServer("image/logo.gif")); // what the page shows goes with it
    EXPECT_FALSE(onServer("other/big.bin"));
    EXPECT_EQ(sitePage().GetModifiedFiles(), nullptr); // the sent page left the list
}

TEST_F(PublishCommandsTest, DeleteModeEmptiesTheServerAndSendsTheWholeWeb)
{
    startWith();
    storeOptions(1, 1, 1, 1); // "only modified" stays ticked but greyed
    openWeb();
    sitePage().ClearModifiedFiles();
    responder.answerMessageBox(IDOK, LoadResString(41480));
    send(ID_SITE_QUICK_PUBLISH_COMMAND);
    EXPECT_FALSE(onServer("old.html"));
    EXPECT_TRUE(onServer("index.html"));
    EXPECT_TRUE(onServer("other/big.bin"));
}

TEST_F(PublishCommandsTest, WithoutAnActiveServerTheSettingsAskAndCancelEndsIt)
{
    startWith();
    storeOptions(0, 0, 1, 1);
    CRegistryEx reg(HKEY_CURRENT_USER);
    ASSERT_TRUE(reg.Open(HKEY_CURRENT_USER, CVornaFtp::SettingsKey()));
    reg.DeleteValue(QStringLiteral("Active Web"));
    reg.Close();
    openWeb();
    responder.answer(CVornaDialogQuickPublish::IDD, IDCANCEL);
    send(ID_SITE_QUICK_PUBLISH_COMMAND);
    EXPECT_EQ(responder.runCount(CVornaDialogQuickPublish::IDD), 1);
    EXPECT_FALSE(onServer("index.html"));
}

TEST_F(PublishCommandsTest, ClosingDuringQuickPublishStopsTheTransferThenCloses)
{
    FtpTestServer::Options slow;
    slow.throttle = 50000;
    startWith(slow);
    storeOptions(0, 0, 1, 1);
    openWeb();
    responder.on(VornaDialogProgress::DialogId, [this](QDialog& progress) {
        // F11 again does nothing while the transfer runs; closing asks first.
        QTimer::singleShot(300, &progress, [this] {
            EXPECT_TRUE(frame().IsEditingLockedBySiteManager());
            send(ID_SITE_QUICK_PUBLISH_COMMAND);
            frame().OnSysCommandClose();
            EXPECT_TRUE(sitePage().m_bCloseAfterPublish);
        });
        waitUntilClosed(progress);
    });
    responder.answerMessageBox(IDYES, LoadResString(41776));
    responder.answerMessageBox(IDOK, LoadResString(41599)); // the upload was cancelled
    send(ID_SITE_QUICK_PUBLISH_COMMAND);
    EXPECT_FALSE(frame().m_bClosing);
    QCoreApplication::processEvents();
    EXPECT_EQ(responder.runCount(VornaDialogProgress::DialogId), 1);
    EXPECT_FALSE(server->fileContent("www/other/big.bin") == QByteArray(200000, 'b'));
    EXPECT_TRUE(frame().m_bClosing); // the window closed once the transfer stopped
    EXPECT_EQ(responder.pending(), 0);
}

TEST_F(PublishCommandsTest, AChangedPageIsAskedAboutOnceAndCancelSendsNothing)
{
    startWith();
    storeOptions(0, 0, 1, 0);
    openWeb();
    ASSERT_TRUE(writeTestFile(web + "/b.html", "<P>b</P>"));
    ASSERT_TRUE(app->OpenDocumentFile(web + "/index.html"));
    ASSERT_TRUE(app->OpenDocumentFile(web + "/b.html"));
    for (platform::Document* document : app->docTemplate()->documents())
        static_cast<CZQDoc*>(document)->m_bPageChanged = true;
    responder.answerMessageBox(IDCANCEL, LoadResString(41452));
    send(ID_SITE_QUICK_PUBLISH_COMMAND);
    EXPECT_EQ(responder.runCount(VornaDialogProgress::DialogId), 0);
    EXPECT_FALSE(onServer("index.html"));
    EXPECT_EQ(responder.messageTexts().size(), 1);
}

} // namespace
