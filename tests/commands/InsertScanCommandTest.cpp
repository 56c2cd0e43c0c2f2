#include "app/CMainFrame.h"
#include "app/CZQApp.h"
#include "app/EditorSettings.h"
#include "images/SaneTestBackend.h"
#include "images/VornaDlgImageBrowser.h"
#include "images/ScanDialogs.h"
#include "images/VornaTwain.h"
#include "util/CRegistryEx.h"
#include "util/FileHelpers.h"
#include "util/InstallInfo.h"
#include "web/VornaDialogSiteManagerSheet.h"

#include "platform/CommandRegistry.h"
#include "platform/ModalResponder.h"

#include <QComboBox>
#include <QDeadlineTimer>
#include <QDialog>
#include <QDir>
#include <QTest>

#include <gtest/gtest.h>

namespace {

using platform::ModalResponder;

class InsertScanCommandTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        InitInstallFolder(); // the page template
        CRegistryEx reg(HKEY_CURRENT_USER);
        ASSERT_TRUE(reg.Create(HKEY_CURRENT_USER, EditorSettings::productKeyPath()));
        ASSERT_TRUE(reg.WriteDWord(QStringLiteral("SHOW_GUIDE"), 0));
        VornaDialogSiteManagerSheet::setTutorialViewFactory([](QWidget* parent) { return new QWidget(parent); });
        QDir(UserImageFolder()).removeRecursively();
        app = std::make_unique<CZQApp>();
        ASSERT_TRUE(app->InitInstance({}));
    }
    void TearDown() override
    {
        app.reset();
        VornaDialogSiteManagerSheet::setTutorialViewFactory(nullptr);
    }
    CMainFrame& frame() { return *app->mainFrame(); }
    bool enabled(int id) { return app->commands()->updateCommand(id); }

    std::unique_ptr<CZQApp> app;
};

TEST_F(InsertScanCommandTest, OfferedWhileAPageIsEdited)
{
    EXPECT_FALSE(enabled(33481));
    frame().OnFileNewFile();
    EXPECT_TRUE(enabled(33481));
}

TEST_F(InsertScanCommandTest, ScannedPagesGoToTheUserImagesAndTheUserIsTold)
{
    SaneTestBackend backend("mode Color\n");
    frame().OnFileNewFile();
    ModalResponder responder;
    responder.on(VornaTwain::SelectDialogId, [](QDialog& dialog) {
        dialog.findChild<QComboBox*>(QStringLiteral("id_%1").arg(ScanSourceDialog::SourceId))
            ->setCurrentText(QStringLiteral("Automatic Document Feeder"));
        ModalResponder::press(dialog, platform::IDOK);
    });
    responder.on(VornaTwain::ProgressDialogId, [](QDialog& dialog) {
        QDeadlineTimer deadline(60000);
        while (dialog.isVisible() && !deadline.hasExpired())
            QTest::qWait(10);
    });
    responder.answerMessageBox(platform::IDOK, QStringLiteral("イメージを成功にダウンロードしました"));
    app->commands()->sendCommand(33481);
    EXPECT_EQ(responder.pending(), 0);
    const QStringList pages = QDir(UserImageFolder()).entryList({QStringLiteral("UserImage*.png")});
    EXPECT_EQ(pages.size(), 10);
    // The image browser comes up on their folder.
    ASSERT_NE(frame().m_pImageBrowser, nullptr);
    EXPECT_TRUE(frame().m_pImageBrowser->isVisibleTo(&frame()));
    EXPECT_EQ(frame().m_pImageBrowser->m_strCurrentFolder, UserImageFolder() + QLatin1Char('/'));
}

TEST_F(InsertScanCommandTest, NoDeviceIsSaidSo)
{
    SaneTestBackend backend("", false);
    frame().OnFileNewFile();
    ModalResponder responder;
    responder.answerMessageBox(platform::IDOK, QStringLiteral("設置された外部装置がありません"));
    app->commands()->sendCommand(33481);
    EXPECT_EQ(responder.pending(), 0);
}

TEST_F(InsertScanCommandTest, ChooserCancelledScansNothingAndSaysNothing)
{
    SaneTestBackend backend("mode Gray\n");
    frame().OnFileNewFile();
    ModalResponder responder;
    responder.answer(VornaTwain::SelectDialogId, platform::IDCANCEL);
    app->commands()->sendCommand(33481);
    EXPECT_EQ(responder.runCount(platform::kMessageBoxDialogId), 0);
    EXPECT_FALSE(QDir(UserImageFolder()).exists());
}

} // namespace
