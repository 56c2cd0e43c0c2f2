// File > Web を作成 > Web ウィザード in the running program: a new web made from
// the shipped sample webs in the test's own "My Web".
#include "app/CMainFrame.h"
#include "app/CZQApp.h"
#include "app/CZQDoc.h"
#include "app/CZQView.h"
#include "images/CVornaListCtrlImage.h"
#include "res/resource.h"
#include "util/StringResources.h"
#include "web/VornaDialogProjectWizard.h"
#include "web/VornaDialogSiteManagerSheet.h"

#include "WebProgramTest.h"
#include "support/TestFiles.h"

#include "platform/CommandRegistry.h"
#include "platform/DataRoot.h"
#include "platform/DocTemplate.h"
#include "platform/ModalResponder.h"

#include <QComboBox>
#include <QDir>
#include <QDirIterator>
#include <QDockWidget>
#include <QFileInfo>

#include <gtest/gtest.h>

namespace {

using platform::ModalResponder;

const QString kCategory = QStringLiteral("ビジネス");
const QString kTemplate = QStringLiteral("カフェ");

class WebWizardCommandTest : public WebProgramTest
{
protected:
    void SetUp() override
    {
        WebProgramTest::SetUp();
        templateFolder =
            platform::installPath(QStringLiteral("Template/Home/") + kCategory + QLatin1Char('/') + kTemplate);
    }

    // The wizard answered with a name and the cafe template.
    static ModalResponder::Action makeCafe(const QString& name)
    {
        return [name](QDialog& d) {
            auto& wizard = static_cast<VornaDialogProjectWizard&>(d);
            auto* combo =
                d.findChild<QComboBox*>(QStringLiteral("id_%1").arg(VornaDialogProjectWizard::kCategoryComboId));
            combo->setCurrentIndex(combo->findText(kCategory));
            CVornaListCtrlImage* list = wizard.templateList();
            for (int i = 0; i < list->GetItemCount(); ++i) {
                if (list->GetItemText(i) == kTemplate)
                    list->SelectItem(i);
            }
            ModalResponder::setText(d, VornaDialogProjectWizard::kNameEditId, name);
            ModalResponder::press(d, platform::IDOK);
        };
    }
    // The files below a folder, by their paths in it.
    static QStringList filesBelow(const QString& folder)
    {
        QStringList files;
        QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
        while (it.hasNext())
            files << QDir(folder).relativeFilePath(it.next());
        files.sort();
        return files;
    }

    QString templateFolder;
};

TEST_F(WebWizardCommandTest, TheWizardMakesAWebFromASampleWebAndOpensItsHomePage)
{
    EXPECT_TRUE(app->commands()->updateCommand(ID_FILE_WEB_WIZARD));
    ModalResponder responder;
    responder.on(VornaDialogProjectWizard::IDD, makeCafe(QStringLiteral("mycafe")));
    send(ID_FILE_WEB_WIZARD);

    // Every file of the template, byte for byte, and the folders saves copy into.
    const QStringList files = filesBelow(templateFolder);
    ASSERT_TRUE(files.contains(QStringLiteral("index.html")));
    ASSERT_TRUE(files.contains(QStringLiteral("image/logo.gif")));
    EXPECT_EQ(filesBelow(web("mycafe")), files);
    for (const QString& file : files)
        EXPECT_EQ(readTestFile(web("mycafe/") + file), readTestFile(templateFolder + QLatin1Char('/') + file))
            << qPrintable(file);
    EXPECT_TRUE(QFileInfo(web("mycafe/other")).isDir());

    EXPECT_TRUE(frame().m_bWebOpen);
    EXPECT_EQ(frame().m_strWebName, QStringLiteral("mycafe"));
    EXPECT_EQ(frame().m_strWebFolder, web("mycafe"));
    EXPECT_EQ(frame().m_recentWebs.value(0), QStringLiteral("mycafe"));
    ASSERT_NE(frame().siteManagerBar(), nullptr);
    EXPECT_TRUE(frame().siteManagerBar()->isVisibleTo(&frame()));
    EXPECT_TRUE(frame().IsPageInWeb(QStringLiteral("menu.html")));
    ASSERT_NE(active(), nullptr);
    EXPECT_EQ(active()->pathName(), web("mycafe/index.html"));
}

TEST_F(WebWizardCommandTest, AnOpenWebClosesFirstOnlyWhenTheUserAgrees)
{
    ModalResponder responder;
    responder.on(VornaDialogProjectWizard::IDD, makeCafe(QStringLiteral("first")));
    send(ID_FILE_WEB_WIZARD);
    ASSERT_TRUE(frame().m_bWebOpen);

    // No: the open web stays and the wizard is not shown.
    responder.answerMessageBox(platform::IDNO, LoadResString(IDS_CLOSE_WEB_AND_OPEN));
    send(ID_FILE_WEB_WIZARD);
    EXPECT_EQ(responder.runCount(VornaDialogProjectWizard::IDD), 1);
    EXPECT_EQ(frame().m_strWebName, QStringLiteral("first"));
    EXPECT_NE(active(), nullptr);

    // Yes: the web and its pages close, and the new one takes its place.
    responder.answerMessageBox(platform::IDYES, LoadResString(IDS_CLOSE_WEB_AND_OPEN));
    responder.on(VornaDialogProjectWizard::IDD, makeCafe(QStringLiteral("second")));
    send(ID_FILE_WEB_WIZARD);
    EXPECT_EQ(frame().m_strWebName, QStringLiteral("second"));
    EXPECT_EQ(app->docTemplate()->documentCount(), 1);
    ASSERT_NE(active(), nullptr);
    EXPECT_EQ(active()->pathName(), web("second/index.html"));
}

TEST_F(WebWizardCommandTest, AWebRootThatCannotHoldWebsMakesNoWeb)
{
    // "My Web" is a file: no folder can be made in it.
    QDir(root).removeRecursively();
    ASSERT_TRUE(writeTestFile(root, "not a folder"));
    ModalResponder responder;
    responder.on(VornaDialogProjectWizard::IDD, makeCafe(QStringLiteral("mycafe")));
    responder.answerMessageBox(platform::IDOK, LoadResString(IDS_WEB_NOT_CREATED));
    send(ID_FILE_WEB_WIZARD);
    EXPECT_EQ(responder.pending(), 0);
    EXPECT_FALSE(frame().m_bWebOpen);
    EXPECT_TRUE(frame().m_strWebName.isEmpty());
    EXPECT_EQ(app->docTemplate()->documentCount(), 0);
    EXPECT_EQ(readTestFile(root), "not a folder");
}

} // namespace
