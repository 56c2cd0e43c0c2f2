// The start-up guide in the running program: which of its ways in close it,
// and its box across a restart.
#include "app/CMainFrame.h"
#include "app/CZQApp.h"
#include "app/CZQDoc.h"
#include "app/CZQView.h"
#include "controls/VornaImageButton.h"
#include "frames/VornaDialogFrameSet.h"
#include "publish/VornaDialogPublish.h"
#include "res/resource.h"
#include "util/StringResources.h"
#include "web/VornaDialogCreateProject.h"
#include "web/VornaDialogGuide.h"
#include "web/VornaDialogOpenProject.h"
#include "web/VornaDialogProjectWizard.h"
#include "web/VornaDialogSiteManagerSheet.h"

#include "WebProgramTest.h"
#include "support/ReviewPicture.h"
#include "support/TestFiles.h"

#include "platform/CommandRegistry.h"
#include "platform/DataRoot.h"
#include "platform/DocTemplate.h"
#include "platform/ModalResponder.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QTest>

#include <gtest/gtest.h>

namespace {

using platform::ModalResponder;

constexpr int kShowGuide = 33219;

class StartupGuideTest : public WebProgramTest
{
protected:
    // Shows the guide by its command; the action plays the user. What the
    // guide ended with and its choice.
    void showGuide(const std::function<void(QDialog&)>& action)
    {
        responder.on(VornaDialogGuide::IDD, [&, action](QDialog& d) {
            action(d);
            choice = static_cast<VornaDialogGuide&>(d).m_nChoice;
        });
        app->commands()->sendCommand(kShowGuide);
        for (const ModalResponder::Run& run : responder.runs()) {
            if (run.dialogId == VornaDialogGuide::IDD)
                result = run.result;
        }
    }
    ModalResponder responder;
    int choice = 0;
    int result = -1;
};

TEST_F(StartupGuideTest, TheFiveWaysInArePictureButtonsAndAllAreEnabled)
{
    QStringList missing;
    showGuide([&](QDialog& d) {
        for (int id : {1016, 1017, 1018, 1019, 1020}) {
            auto* button = d.findChild<VornaImageButton*>(QStringLiteral("id_%1").arg(id));
            if (!button || !button->hasPictures() || !button->isEnabled())
                missing << QString::number(id);
        }
        ModalResponder::press(d, VornaDialogGuide::kCloseId);
    });
    EXPECT_TRUE(missing.isEmpty()) << qPrintable(missing.join(QLatin1Char(' ')));
    EXPECT_EQ(result, platform::IDCANCEL);
}

TEST_F(StartupGuideTest, ACancelledNewWebKeepsTheGuideAndAMadeOneClosesIt)
{
    responder.answer(VornaDialogCreateProject::IDD, platform::IDCANCEL);
    responder.on(VornaDialogCreateProject::IDD, createWeb(QStringLiteral("shop")));
    bool stayed = false;
    showGuide([&](QDialog& d) {
        ModalResponder::press(d, VornaDialogGuide::kNewWebId);
        stayed = d.isVisible();
        ModalResponder::press(d, VornaDialogGuide::kNewWebId);
    });
    EXPECT_TRUE(stayed);
    EXPECT_EQ(result, platform::IDOK);
    EXPECT_EQ(choice, 1);
    EXPECT_TRUE(frame().m_bWebOpen);
    EXPECT_EQ(frame().m_strWebName, QStringLiteral("shop"));
    EXPECT_TRUE(QFileInfo(web("shop/index.html")).isFile());
}

TEST_F(StartupGuideTest, AFramesetFirstPageCountsOnlyWhenItWasMade)
{
    // Cancelled: no web, no folder, and the guide stays.
    responder.on(VornaDialogCreateProject::IDD,
                 createWeb(QStringLiteral("frames"), VornaDialogCreateProject::kFramesetPageId));
    responder.answer(VornaDialogFrameSet::IDD, platform::IDCANCEL);
    // Chosen: the frameset template is the web's home page, and the guide closes.
    responder.on(VornaDialogCreateProject::IDD,
                 createWeb(QStringLiteral("frames"), VornaDialogCreateProject::kFramesetPageId));
    responder.on(VornaDialogFrameSet::IDD, [](QDialog& d) { ModalResponder::press(d, platform::IDOK); });
    bool stayed = false;
    bool folderAfterCancel = true;
    showGuide([&](QDialog& d) {
        ModalResponder::press(d, VornaDialogGuide::kNewWebId);
        stayed = d.isVisible() && !frame().m_bWebOpen;
        folderAfterCancel = QFileInfo::exists(web("frames"));
        ModalResponder::press(d, VornaDialogGuide::kNewWebId);
    });
    EXPECT_TRUE(stayed);
    EXPECT_FALSE(folderAfterCancel);
    EXPECT_EQ(result, platform::IDOK);
    EXPECT_EQ(choice, 1);
    EXPECT_TRUE(frame().m_bWebOpen);
    EXPECT_TRUE(readTestFile(web("frames/index.html")).toUpper().contains("<FRAMESET"));
}

TEST_F(StartupGuideTest, OpenWebWithAWebOpenAsksFirstAndNoKeepsBothTheWebAndTheGuide)
{
    ASSERT_TRUE(writeTestFile(web("old/index.html"), "<HTML></HTML>"));
    ASSERT_TRUE(writeTestFile(web("new/index.html"), "<HTML></HTML>"));
    frame().OpenWeb(QStringLiteral("old"), web("old"));
    responder.answerMessageBox(platform::IDNO, LoadResString(IDS_CLOSE_WEB_AND_OPEN));
    responder.answerMessageBox(platform::IDYES, LoadResString(IDS_CLOSE_WEB_AND_OPEN));
    responder.on(VornaDialogOpenProject::IDD, [](QDialog& d) {
        ModalResponder::setText(d, VornaDialogOpenProject::kNameEditId, QStringLiteral("new"));
        ModalResponder::press(d, platform::IDOK);
    });
    bool stayed = false;
    QString webAfterNo;
    showGuide([&](QDialog& d) {
        ModalResponder::press(d, VornaDialogGuide::kOpenWebId);
        stayed = d.isVisible();
        webAfterNo = frame().m_strWebName;
        ModalResponder::press(d, VornaDialogGuide::kOpenWebId);
    });
    EXPECT_TRUE(stayed);
    EXPECT_EQ(webAfterNo, QStringLiteral("old"));
    EXPECT_EQ(responder.runCount(VornaDialogOpenProject::IDD), 1);
    EXPECT_EQ(result, platform::IDOK);
    EXPECT_EQ(choice, 3);
    EXPECT_EQ(frame().m_strWebName, QStringLiteral("new"));
}

TEST_F(StartupGuideTest, TheWebWizardClosesTheGuideOnlyWhenItMadeAWeb)
{
    responder.answer(VornaDialogProjectWizard::IDD, platform::IDCANCEL);
    responder.on(VornaDialogProjectWizard::IDD, [](QDialog& d) {
        ModalResponder::setText(d, VornaDialogProjectWizard::kNameEditId, QStringLiteral("sample"));
        ModalResponder::press(d, platform::IDOK);
    });
    bool stayed = false;
    showGuide([&](QDialog& d) {
        ModalResponder::press(d, VornaDialogGuide::kWebWizardId);
        stayed = d.isVisible();
        // Enter presses the button that has the focus.
        QTest::keyClick(d.findChild<QWidget*>(QStringLiteral("id_1017")), Qt::Key_Return);
    });
    EXPECT_TRUE(stayed);
    EXPECT_EQ(result, platform::IDOK);
    EXPECT_EQ(choice, 2);
    EXPECT_EQ(frame().m_strWebName, QStringLiteral("sample"));
    EXPECT_TRUE(QFileInfo(web("sample/index.html")).isFile());
}

TEST_F(StartupGuideTest, FtpRunsThePublishingWindowAndKeepsTheGuide)
{
    responder.answer(VornaDialogPublish::IDD, platform::IDCANCEL);
    bool stayed = false;
    showGuide([&](QDialog& d) {
        ModalResponder::press(d, VornaDialogGuide::kFtpId);
        stayed = d.isVisible();
        ModalResponder::press(d, VornaDialogGuide::kTutorialId);
    });
    EXPECT_EQ(responder.runCount(VornaDialogPublish::IDD), 1);
    EXPECT_TRUE(stayed);
    EXPECT_EQ(result, platform::IDOK);
    EXPECT_EQ(choice, 5);
}

TEST_F(StartupGuideTest, TheBoxHoldsAcrossARestart)
{
    frame().m_settings.showGuide = 0;
    showGuide([](QDialog& d) {
        ModalResponder::setChecked(d, VornaDialogGuide::kShowAtStartId, true);
        ModalResponder::press(d, VornaDialogGuide::kCloseId);
    });
    EXPECT_EQ(frame().m_settings.showGuide, 1);
    // The next start shows it; unticked there, the start after shows none.
    // The user's settings are kept when the window closes.
    frame().close();
    app.reset();
    app = std::make_unique<CZQApp>();
    responder.on(VornaDialogGuide::IDD, [](QDialog& d) {
        ModalResponder::setChecked(d, VornaDialogGuide::kShowAtStartId, false);
        ModalResponder::press(d, VornaDialogGuide::kCloseId);
    });
    ASSERT_TRUE(app->InitInstance({}));
    EXPECT_EQ(responder.runCount(VornaDialogGuide::IDD), 2);
    frame().close();
    app.reset();
    app = std::make_unique<CZQApp>();
    ASSERT_TRUE(app->InitInstance({}));
    EXPECT_EQ(responder.runCount(VornaDialogGuide::IDD), 2);
}

// The guide, for people to look at (it is not compared):
// screenshots/startup-guide.png under Xvfb.
TEST(StartupGuideScreenshot, TheFiveWaysIn)
{
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        GTEST_SKIP() << "needs an X server (Xvfb)";
    std::unique_ptr<CZQApp> app = StartProgramWithoutGuide();
    ASSERT_NE(app, nullptr);
    ModalResponder responder;
    responder.on(VornaDialogGuide::IDD, [](QDialog& d) {
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&d, 60000));
        QTest::qWait(200);
        SaveReviewPicture(d.grab().toImage(), QStringLiteral("startup-guide.png"));
        ModalResponder::press(d, VornaDialogGuide::kCloseId);
    });
    app->commands()->sendCommand(kShowGuide);
    EXPECT_EQ(responder.runCount(VornaDialogGuide::IDD), 1);
}

} // namespace
