// Insert > スクリプトウィザード in the running program: when it is enabled,
// what a finished wizard writes into the active page (and where its files
// go), and one undo that takes it back.
#include "ProgramStart.h"

#include "app/CChildFrame.h"
#include "app/CMainFrame.h"
#include "app/CZQView.h"
#include "support/PreviewRecorder.h"
#include "effects/VornaDlgScript.h"
#include "effects/VornaScriptPage.h"
#include "web/VornaDialogSiteManagerSheet.h"

#include "engine/dom/Document.h"
#include "engine/markup/UndoManager.h"

#include "platform/CommandRegistry.h"
#include "platform/DataRoot.h"
#include "platform/ModalResponder.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QListWidget>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using platform::ModalResponder;

namespace {

constexpr int kScriptWizard = 32880;

class ScriptWizardCommand : public ::testing::Test
{
protected:
    void SetUp() override
    {
        VornaDialogSiteManagerSheet::setTutorialViewFactory([](QWidget* parent) { return new QWidget(parent); });
        app = StartProgramWithoutGuide();
        ASSERT_NE(app, nullptr);
    }
    void TearDown() override
    {
        app.reset();
        VornaDialogSiteManagerSheet::setTutorialViewFactory(nullptr);
    }
    bool open(const QString& path)
    {
        QDir().mkpath(QFileInfo(path).path());
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write("<HTML><BODY><P>x</P></BODY></HTML>") < 0)
            return false;
        file.close();
        if (!app->OpenDocumentFile(path))
            return false;
        QCoreApplication::processEvents();
        return true;
    }
    engine::Document* page() { return app->GetActiveView()->GetHtmlDocument(); }
    QString bodyText() { return page()->body()->outerHTML(); }
    bool enabled() { return app->commands()->updateCommand(kScriptWizard); }
    // Runs the command choosing a kind, then the effect row of page 1.
    void finishWith(int kind, int row)
    {
        responder.on(VornaDlgScript::IDD, [kind, row](QDialog& dialog) {
            auto& wizard = static_cast<VornaDlgScript&>(dialog);
            wizard.GetPage(0)->findChild<QListWidget*>(QStringLiteral("id_14000"))->setCurrentRow(kind);
            ModalResponder::press(dialog, 1);
            if (kind == 3)
                wizard.GetPage(1)->findChild<QCheckBox*>(QStringLiteral("id_1013"))->click();
            else
                wizard.GetPage(1)->findChild<QListWidget*>(QStringLiteral("id_14000"))->setCurrentRow(row);
            ModalResponder::press(dialog, 1);
        });
        app->commands()->sendCommand(kScriptWizard);
    }

    PreviewRecorder::Installed previews;
    QTemporaryDir dir;
    ModalResponder responder;
    std::unique_ptr<CZQApp> app;
};

TEST_F(ScriptWizardCommand, EnabledInTheEditingViewAndOneUndoTakesTheEffectBack)
{
    EXPECT_FALSE(enabled()); // no page
    ASSERT_TRUE(open(dir.filePath(QStringLiteral("diary.html"))));
    EXPECT_TRUE(enabled());
    CChildFrame* child = app->mainFrame()->GetActiveChild();
    child->m_bEditShown = false;
    child->m_bSourceShown = true;
    EXPECT_FALSE(enabled());
    child->m_bSourceShown = false;
    child->m_bEditShown = true;

    // Cancelled: nothing changes.
    const QString before = bodyText();
    const int steps = page()->undoManager().undoCount();
    responder.answer(VornaDlgScript::IDD, 2);
    app->commands()->sendCommand(kScriptWizard);
    EXPECT_EQ(bodyText(), before);

    // The fade: its script in the install folder's Work folder, named by its path.
    finishWith(2, 6);
    const QString work = platform::installPath() + QStringLiteral("/Work/");
    EXPECT_TRUE(QFileInfo::exists(work + QStringLiteral("screen_fadeinout.js")));
    const QString after = bodyText();
    EXPECT_TRUE(after.contains(QStringLiteral("src=\"%1screen_fadeinout.js\"").arg(work))) << after.toStdString();
    EXPECT_TRUE(after.contains(QLatin1String("screen_fadeinout_initParam(60, '#808080', '#ffffff');")));
    EXPECT_EQ(page()->undoManager().undoCount(), steps + 1);
    page()->undoManager().undo();
    EXPECT_EQ(bodyText(), before);

    // The mouse page with the crosshair alone finishes on page 1.
    finishWith(3, 0);
    EXPECT_TRUE(bodyText().contains(QLatin1String("mouse_follow_xy_initParam();")));
    EXPECT_EQ(responder.pending(), 0);
}

TEST_F(ScriptWizardCommand, OnlyAPageOfTheWebGetsItsFilesInTheWebsOtherFolder)
{
    const QString web = dir.filePath(QStringLiteral("My Web/hanako"));
    QDir().mkpath(web);
    CMainFrame& frame = *app->mainFrame();
    frame.m_bWebOpen = true;
    frame.m_strWebFolder = web;
    frame.OnWindowTutorial();
    ASSERT_NE(frame.siteManagerSheet(), nullptr);
    frame.siteManagerSheet()->AddOrUpdateFileRow(QStringLiteral("index.html"), QString());

    // A page elsewhere with the name of a web page is no page of the web.
    ASSERT_TRUE(open(dir.filePath(QStringLiteral("elsewhere/index.html"))));
    EXPECT_FALSE(frame.IsActivePageInWeb());
    ASSERT_TRUE(open(web + QStringLiteral("/index.html")));
    EXPECT_TRUE(frame.IsActivePageInWeb());
    finishWith(0, 2);
    EXPECT_TRUE(QFileInfo::exists(web + QStringLiteral("/other/statusbar_outin.js")));
    EXPECT_TRUE(bodyText().contains(QLatin1String("src=\"other/statusbar_outin.js\""))) << bodyText().toStdString();
}

} // namespace
