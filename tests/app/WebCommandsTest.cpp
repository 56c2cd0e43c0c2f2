// The web and page commands of the File, Tools and Window menus in the
// running program, on real web folders in the test's own documents folder.
#include "app/CChildFrame.h"
#include "app/CMainFrame.h"
#include "app/CZQApp.h"
#include "app/CZQDoc.h"
#include "app/CZQView.h"
#include "controls/ULOFileDialog.h"
#include "dialogs/VornaDialogAsk.h"
#include "res/resource.h"
#include "util/MessageBox.h"
#include "util/StringResources.h"
#include "web/VornaDialogCreateProject.h"
#include "web/VornaDialogOpenProject.h"
#include "web/VornaDialogSiteManagerPage1.h"
#include "web/VornaDialogSiteManagerSheet.h"
#include "web/VornaDirListCtrl.h"

#include "WebProgramTest.h"
#include "support/TestFiles.h"

#include "engine/view/PagePrinter.h"

#include "platform/CommandRegistry.h"
#include "platform/DataRoot.h"
#include "platform/DocTemplate.h"
#include "platform/ModalResponder.h"

#include <QAction>
#include <QCoreApplication>
#include <QDialog>
#include <QDir>
#include <QDockWidget>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QMenu>
#include <QPrintDialog>
#include <QPrinter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

using platform::ModalResponder;

const QByteArray kPage = "<HTML><HEAD><TITLE>t</TITLE></HEAD><BODY><P>original</P></BODY></HTML>";

class WebCommandsTest : public WebProgramTest
{
protected:
    // Closed windows go, and the next page comes up.
    static void settle()
    {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
    }
    int documents() { return app->docTemplate()->documentCount(); }

    // A web of pages on disk.
    QString makeWeb(const QString& name, const QStringList& pages)
    {
        for (const QString& page : pages)
            EXPECT_TRUE(writeTestFile(web(name) + QLatin1Char('/') + page, kPage));
        QDir().mkpath(web(name));
        return web(name);
    }
    // Opens a web as a recent web does.
    void openWeb(const QString& name)
    {
        frame().m_recentWebs = QStringList({name, QString(), QString(), QString()});
        app->commands()->updateCommand(ID_RECENT_WEB_FIRST);
        send(ID_RECENT_WEB_FIRST);
    }
    CZQDoc* openPage(const QString& path)
    {
        if (!app->OpenDocumentFile(path))
            return nullptr;
        QCoreApplication::processEvents();
        return active();
    }
    // A file dialog that takes the path.
    static ModalResponder::Action choose(const QString& path)
    {
        return [path](QDialog& d) {
            auto& files = static_cast<QFileDialog&>(d);
            files.selectFile(path);
            QMetaObject::invokeMethod(&files, "accept");
        };
    }

    QTemporaryDir dir;
};

TEST_F(WebCommandsTest, ANewWebIsAFolderWithItsHomePageOpenAndTheSiteManagerShown)
{
    EXPECT_FALSE(app->commands()->updateCommand(ID_WINDOW_SITE_MANAGER));
    ModalResponder responder;
    responder.on(VornaDialogCreateProject::IDD, createWeb(QStringLiteral("shop")));
    send(ID_FILE_NEW_WEB);

    EXPECT_TRUE(QFileInfo(web("shop/index.html")).isFile());
    EXPECT_TRUE(QFileInfo(web("shop/image")).isDir());
    EXPECT_TRUE(QFileInfo(web("shop/other")).isDir());
    EXPECT_TRUE(QFileInfo(web("shop/index.html")).permissions() & QFileDevice::WriteOwner);
    EXPECT_TRUE(frame().m_bWebOpen);
    EXPECT_TRUE(frame().m_bWebReady);
    EXPECT_EQ(frame().m_strWebName, QStringLiteral("shop"));
    EXPECT_EQ(frame().m_recentWebs.value(0), QStringLiteral("shop"));
    ASSERT_NE(active(), nullptr);
    EXPECT_EQ(active()->pathName(), web("shop/index.html"));
    EXPECT_EQ(frame().siteManagerSheet()->sitePage()->m_bWebChanged, 1);
    EXPECT_TRUE(frame().IsPageInWeb(QStringLiteral("index.html")));
    ASSERT_NE(frame().siteManagerBar(), nullptr);
    EXPECT_TRUE(frame().siteManagerBar()->isVisibleTo(&frame()));

    // Window > サイトマネージャ hides and shows the bar.
    EXPECT_TRUE(app->commands()->updateCommand(ID_WINDOW_SITE_MANAGER));
    send(ID_WINDOW_SITE_MANAGER);
    EXPECT_FALSE(frame().siteManagerBar()->isVisibleTo(&frame()));
    send(ID_WINDOW_SITE_MANAGER);
    EXPECT_TRUE(frame().siteManagerBar()->isVisibleTo(&frame()));
}

TEST_F(WebCommandsTest, NewWebNamesThatCannotBeAWebKeepTheDialogOpen)
{
    ASSERT_TRUE(QDir().mkpath(web("photos"))); // a folder, not a web
    ModalResponder responder;
    QStringList stayed;
    responder.on(VornaDialogCreateProject::IDD, [&](QDialog& d) {
        for (const char* name : {"", "photos", "a/b", ".."}) {
            ModalResponder::setText(d, VornaDialogCreateProject::kNameEditId, QString::fromUtf8(name));
            ModalResponder::press(d, platform::IDOK);
            if (d.isVisible())
                stayed << QString::fromUtf8(name);
        }
        ModalResponder::press(d, platform::IDCANCEL);
    });
    responder.always(platform::kMessageBoxDialogId, [](QDialog& box) { ModalResponder::press(box, platform::IDOK); });
    send(ID_FILE_NEW_WEB);
    EXPECT_EQ(stayed, QStringList({"", "photos", "a/b", ".."}));
    EXPECT_EQ(responder.messageTexts(),
              QStringList({LoadResString(IDS_ENTER_WEB_NAME), LoadResString(IDS_WEB_EXISTS),
                           LoadResString(IDS_BAD_FILE_NAME), LoadResString(IDS_BAD_FILE_NAME)}));
    EXPECT_FALSE(frame().m_bWebOpen);
    EXPECT_EQ(QDir(root).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList{QStringLiteral("photos")});
}

TEST_F(WebCommandsTest, ATemplateFirstPageIsTheHomePageAndACancelledOneLeavesNoFolder)
{
    ModalResponder responder;
    responder.on(VornaDialogCreateProject::IDD,
                 createWeb(QStringLiteral("none"), VornaDialogCreateProject::kTemplatePageId));
    responder.on(ULOFileDialog::kDialogId, [](QDialog& d) { d.reject(); });
    send(ID_FILE_NEW_WEB);
    EXPECT_FALSE(frame().m_bWebOpen);
    EXPECT_FALSE(QFileInfo::exists(web("none")));
    EXPECT_EQ(documents(), 0);

    const QString chosen = dir.filePath(QStringLiteral("template.html"));
    ASSERT_TRUE(writeTestFile(chosen, kPage));
    responder.on(VornaDialogCreateProject::IDD,
                 createWeb(QStringLiteral("made"), VornaDialogCreateProject::kTemplatePageId));
    responder.on(ULOFileDialog::kDialogId, choose(chosen));
    send(ID_FILE_NEW_WEB);
    EXPECT_TRUE(frame().m_bWebOpen);
    EXPECT_EQ(readTestFile(web("made/index.html")), kPage);
    // The page made from the template is the one shown, to be saved as the home page.
    ASSERT_EQ(documents(), 1);
    ASSERT_NE(active(), nullptr);
    EXPECT_TRUE(active()->pathName().isEmpty());
    EXPECT_EQ(active()->m_strWebTargetPath, web("made/index.html"));
    EXPECT_TRUE(active()->isModified());
    EXPECT_EQ(responder.pending(), 0);
}

TEST_F(WebCommandsTest, RecentWebsOpenMoveToTheFrontAndAVanishedOneOpensNothing)
{
    makeWeb(QStringLiteral("A"), {QStringLiteral("index.html")});
    makeWeb(QStringLiteral("B"), {QStringLiteral("index.html")});
    // An empty list: the popup is greyed.
    app->commands()->updateCommand(ID_RECENT_WEB_FIRST);
    QAction* first = app->commands()->action(ID_RECENT_WEB_FIRST);
    const auto popupEnabled = [first] {
        for (QObject* holder : first->associatedObjects()) {
            if (auto* menu = qobject_cast<QMenu*>(holder))
                return menu->menuAction()->isEnabled();
        }
        return true;
    };
    EXPECT_FALSE(popupEnabled());

    ModalResponder responder;
    openWeb(QStringLiteral("A"));
    EXPECT_EQ(frame().m_strWebName, QStringLiteral("A"));
    EXPECT_EQ(active()->pathName(), web("A/index.html"));
    // The open web chosen again: nothing asked, nothing changed.
    send(ID_RECENT_WEB_FIRST);
    EXPECT_EQ(documents(), 1);
    frame().m_recentWebs = QStringList({"A", "B", "", ""});
    app->commands()->updateCommand(ID_RECENT_WEB_FIRST);
    EXPECT_TRUE(popupEnabled());
    EXPECT_EQ(app->commands()->action(ID_RECENT_WEB_FIRST + 1)->text(), QStringLiteral("&2 B"));
    EXPECT_FALSE(app->commands()->action(ID_RECENT_WEB_FIRST + 2)->isVisible());
    responder.answerMessageBox(platform::IDYES, LoadResString(IDS_CLOSE_WEB_AND_OPEN));
    send(ID_RECENT_WEB_FIRST + 1);
    EXPECT_EQ(frame().m_strWebName, QStringLiteral("B"));
    EXPECT_EQ(frame().m_recentWebs, QStringList({"B", "A", "", ""}));
    EXPECT_EQ(documents(), 1);
    EXPECT_EQ(active()->pathName(), web("B/index.html"));

    // A web gone since: said so, and no web is open.
    responder.answerMessageBox(platform::IDYES, LoadResString(IDS_CLOSE_WEB_AND_OPEN));
    responder.answerMessageBox(platform::IDOK, LoadResString(IDS_RECENT_WEB_NOT_FOUND));
    frame().m_recentWebs = QStringList({"B", "gone", "", ""});
    app->commands()->updateCommand(ID_RECENT_WEB_FIRST);
    send(ID_RECENT_WEB_FIRST + 1);
    EXPECT_FALSE(frame().m_bWebOpen);
    EXPECT_EQ(documents(), 0);
    EXPECT_EQ(responder.pending(), 0);
}

TEST_F(WebCommandsTest, ClosingTheWebSavesOrDropsItsChangedPagesByTheAnswerForAll)
{
    for (const int answer : {platform::IDYES, platform::IDNO}) {
        const QString name = answer == platform::IDYES ? QStringLiteral("yes") : QStringLiteral("no");
        makeWeb(name, {QStringLiteral("a.html"), QStringLiteral("b.html"), QStringLiteral("c.html")});
        openWeb(name);
        const QString outside = dir.filePath(name + QStringLiteral("-outside.html"));
        ASSERT_TRUE(writeTestFile(outside, kPage));
        for (const char* page : {"a.html", "b.html", "c.html"}) {
            CZQDoc* document = openPage(web(name) + QLatin1Char('/') + QLatin1String(page));
            ASSERT_NE(document, nullptr);
            document->m_bPageChanged = true;
        }
        ASSERT_NE(openPage(outside), nullptr);
        active()->m_bPageChanged = true;

        ModalResponder responder;
        responder.onMessageBox([answer](QDialog& box) {
            ModalResponder::setChecked(box, kApplyToAllCheckBoxId, true);
            ModalResponder::press(box, answer);
        });
        send(ID_FILE_CLOSE_WEB);
        settle();
        EXPECT_FALSE(frame().m_bWebOpen) << name.toStdString();
        EXPECT_EQ(responder.runCount(platform::kMessageBoxDialogId), 1);
        // The page outside the web stays open, changed.
        ASSERT_EQ(documents(), 1);
        EXPECT_EQ(active()->pathName(), outside);
        for (const char* page : {"a.html", "b.html", "c.html"}) {
            const QByteArray text = readTestFile(web(name) + QLatin1Char('/') + QLatin1String(page));
            EXPECT_EQ(text.contains("generator"), answer == platform::IDYES) << page;
        }
        active()->m_bPageChanged = false;
        active()->closeDocument();
    }
}

TEST_F(WebCommandsTest, AnUntitledPageOfTheWebAsksItsNameAndACancelKeepsTheWebOpen)
{
    makeWeb(QStringLiteral("site"), {QStringLiteral("index.html")});
    openWeb(QStringLiteral("site"));
    active()->m_bPageChanged = true;
    ModalResponder responder;
    responder.answerMessageBox(platform::IDYES, LoadResString(IDS_ADD_FILE_TO_WEB));
    responder.on(VornaDialogAsk::IDD, [](QDialog& d) { ModalResponder::press(d, platform::IDOK); });
    send(ID_FILE_NEW_FILE);
    ASSERT_EQ(documents(), 2);
    EXPECT_TRUE(frame().IsPageInWeb(active()->GetDisplayName()));

    // Cancel at the first page: the web and both pages stay.
    responder.answerMessageBox(platform::IDCANCEL);
    send(ID_FILE_CLOSE_WEB);
    EXPECT_TRUE(frame().m_bWebOpen);
    EXPECT_FALSE(frame().m_bClosingWeb);
    EXPECT_EQ(documents(), 2);

    // Yes for all: the untitled page still asks for its file name.
    responder.onMessageBox([](QDialog& box) {
        ModalResponder::setChecked(box, kApplyToAllCheckBoxId, true);
        ModalResponder::press(box, platform::IDYES);
    });
    const QString named = web("site/new.html");
    responder.on(ULOFileDialog::kDialogId, choose(named));
    send(ID_FILE_CLOSE_WEB);
    EXPECT_FALSE(frame().m_bWebOpen);
    EXPECT_EQ(documents(), 0);
    EXPECT_TRUE(QFileInfo(named).isFile());
    EXPECT_TRUE(readTestFile(web("site/index.html")).contains("generator"));
    EXPECT_EQ(responder.pending(), 0);
}

TEST_F(WebCommandsTest, TheOpenWebDialogDeletesOnlyAListedWebAfterTheQuestion)
{
    makeWeb(QStringLiteral("keep"), {QStringLiteral("index.html")});
    makeWeb(QStringLiteral("drop"), {QStringLiteral("index.html"), QStringLiteral("sub/page.html")});
    const QString beside = dir.filePath(QStringLiteral("beside"));
    ASSERT_TRUE(writeTestFile(beside + QStringLiteral("/precious.txt"), "keep me"));
    ASSERT_TRUE(QFile::link(beside, web("link")));
    ModalResponder responder;
    responder.on(VornaDialogOpenProject::IDD, [&](QDialog& d) {
        auto& dialog = static_cast<VornaDialogOpenProject&>(d);
        EXPECT_EQ(dialog.webList()->count(), 3);
        // Names that are no listed web.
        responder.always(platform::kMessageBoxDialogId,
                         [](QDialog& box) { ModalResponder::press(box, platform::IDOK); });
        for (const char* typed : {"..", "keep/..", "elsewhere"}) {
            ModalResponder::setText(d, VornaDialogOpenProject::kNameEditId, QString::fromUtf8(typed));
            dialog.OnDelete();
        }
        ModalResponder::setText(d, VornaDialogOpenProject::kNameEditId, QStringLiteral("drop"));
        responder.answerMessageBox(platform::IDNO, QStringLiteral("'drop'"));
        dialog.OnDelete();
        EXPECT_TRUE(QFileInfo(web("drop/sub/page.html")).isFile());
        ModalResponder::setText(d, VornaDialogOpenProject::kNameEditId, QStringLiteral("drop"));
        responder.answerMessageBox(platform::IDYES, QStringLiteral("'drop'"));
        dialog.OnDelete();
        ModalResponder::setText(d, VornaDialogOpenProject::kNameEditId, QStringLiteral("link"));
        responder.answerMessageBox(platform::IDYES, QStringLiteral("'link'"));
        dialog.OnDelete();
        EXPECT_EQ(dialog.webList()->count(), 1);
        ModalResponder::setText(d, VornaDialogOpenProject::kNameEditId, QStringLiteral("keep"));
        ModalResponder::press(d, platform::IDOK);
    });
    send(ID_FILE_OPEN_WEB);
    EXPECT_FALSE(QFileInfo::exists(web("drop")));
    EXPECT_FALSE(QFileInfo(web("link")).isSymLink());
    EXPECT_EQ(readTestFile(beside + QStringLiteral("/precious.txt")), "keep me");
    EXPECT_EQ(responder.messageTexts().count(LoadResString(IDS_WEB_NAME_NOT_FOUND)), 3);
    EXPECT_EQ(frame().m_strWebName, QStringLiteral("keep"));
    EXPECT_EQ(active()->pathName(), web("keep/index.html"));
}

TEST_F(WebCommandsTest, APageOfATakenNameIsProposedWithOneAddedPerClash)
{
    makeWeb(QStringLiteral("site"), {QStringLiteral("a.html"), QStringLiteral("A1.htm"), QStringLiteral("b.html")});
    openWeb(QStringLiteral("site"));
    const QString source = dir.filePath(QStringLiteral("from"));
    ASSERT_TRUE(writeTestFile(source + QStringLiteral("/a.html"), "<HTML><BODY>new</BODY></HTML>"));
    ModalResponder responder;
    responder.answerMessageBox(platform::IDNO, LoadResString(IDS_RENAME_EXISTING_PAGE));
    EXPECT_EQ(frame().AskRenameExistingPage(source, QStringLiteral("a.html"), true, true), QString());

    QString proposed;
    responder.answerMessageBox(platform::IDYES, LoadResString(IDS_RENAME_EXISTING_PAGE));
    responder.on(ULOFileDialog::kDialogId, [&](QDialog& d) {
        proposed = static_cast<ULOFileDialog&>(d).fileNameEdit()->text();
        static_cast<QFileDialog&>(d).selectFile(web("site/fresh"));
        QMetaObject::invokeMethod(&d, "accept");
    });
    const QString copy = frame().AskRenameExistingPage(source, QStringLiteral("a.html"), true, false);
    EXPECT_EQ(proposed, QStringLiteral("a11.html"));
    EXPECT_EQ(copy, web("site/fresh.html"));
    EXPECT_EQ(readTestFile(copy), "<HTML><BODY>new</BODY></HTML>");
    EXPECT_EQ(readTestFile(web("site/a.html")), kPage);
    ASSERT_NE(active(), nullptr);
    EXPECT_EQ(active()->m_strWebTargetPath, copy);

    // A page of the web that the caller did not know of is not replaced unasked.
    responder.answerMessageBox(platform::IDNO, QStringLiteral("b.html"));
    ASSERT_TRUE(writeTestFile(source + QStringLiteral("/b.html"), "other"));
    EXPECT_EQ(frame().AskRenameExistingPage(source, QStringLiteral("b.html"), false, true), QString());
    EXPECT_EQ(readTestFile(web("site/b.html")), kPage);
    EXPECT_EQ(responder.pending(), 0);
}

TEST_F(WebCommandsTest, OpenTakesAnyCaseOfAnAddressAndArmsAnImage)
{
    ModalResponder responder;
    responder.on(ULOFileDialog::kDialogId, [](QDialog& d) {
        static_cast<ULOFileDialog&>(d).fileNameEdit()->setText(QStringLiteral("HTTPS://127.0.0.1:9/page.html"));
        QMetaObject::invokeMethod(&d, "accept");
    });
    send(ID_FILE_OPEN_PAGE);
    ASSERT_NE(active(), nullptr);
    EXPECT_EQ(active()->m_strSourcePath, QStringLiteral("HTTPS://127.0.0.1:9/page.html"));
    EXPECT_TRUE(active()->pathName().isEmpty());

    const QString image = dir.filePath(QStringLiteral("PHOTO.PNG"));
    QImage picture(8, 6, QImage::Format_RGB32);
    picture.fill(Qt::red);
    ASSERT_TRUE(picture.save(image, "PNG"));
    responder.on(ULOFileDialog::kDialogId, choose(image));
    send(ID_FILE_OPEN_PAGE);
    EXPECT_EQ(documents(), 2);
    EXPECT_TRUE(active()->pathName().isEmpty());
    EXPECT_EQ(frame().m_nInsertKind, 2);
    EXPECT_EQ(frame().m_strInsertImageSrc, image);
}

TEST_F(WebCommandsTest, SaveAllSavesChangedPagesAndAsksTheNameOfAnUntitledOne)
{
    const QString changed = dir.filePath(QStringLiteral("changed.html"));
    const QString untouched = dir.filePath(QStringLiteral("untouched.html"));
    ASSERT_TRUE(writeTestFile(changed, kPage));
    ASSERT_TRUE(writeTestFile(untouched, kPage));
    ASSERT_NE(openPage(changed), nullptr);
    active()->m_bPageChanged = true;
    ASSERT_NE(openPage(untouched), nullptr);
    ASSERT_TRUE(app->OpenDocumentFile(QString()));
    CZQDoc* last = active();

    ModalResponder responder;
    const QString named = dir.filePath(QStringLiteral("named.html"));
    responder.on(ULOFileDialog::kDialogId, choose(named));
    send(ID_FILE_SAVE_ALL);
    EXPECT_TRUE(readTestFile(changed).contains("generator"));
    EXPECT_EQ(readTestFile(untouched), kPage);
    EXPECT_TRUE(QFileInfo(named).isFile());
    EXPECT_EQ(active(), last);
    EXPECT_EQ(responder.pending(), 0);
}

TEST_F(WebCommandsTest, PrintWritesThePageToAPdfPrinter)
{
    const QString page = dir.filePath(QStringLiteral("page.html"));
    ASSERT_TRUE(writeTestFile(page, kPage));
    EXPECT_FALSE(app->commands()->updateCommand(ID_FILE_PRINT));
    ASSERT_NE(openPage(page), nullptr);
    EXPECT_TRUE(app->commands()->updateCommand(ID_FILE_PRINT));
    const QString pdf = dir.filePath(QStringLiteral("page.pdf"));
    ModalResponder responder;
    responder.on(engine::PagePrinter::kPrintDialogId, [&pdf](QDialog& d) {
        auto& print = static_cast<QPrintDialog&>(d);
        print.printer()->setOutputFormat(QPrinter::PdfFormat);
        print.printer()->setOutputFileName(pdf);
        // Accepted as the printer stands: the dialog's own fields would name another file.
        print.done(QDialog::Accepted);
    });
    send(ID_FILE_PRINT);
    EXPECT_TRUE(readTestFile(pdf).startsWith("%PDF"));
    responder.on(engine::PagePrinter::kPreviewDialogId, [](QDialog& d) { d.reject(); });
    send(ID_FILE_PRINT_PREVIEW);
    EXPECT_EQ(responder.pending(), 0);
}

TEST_F(WebCommandsTest, TheToolsMenuOpensTheServerListAndTheQuickPublishSettings)
{
    ModalResponder responder;
    responder.on(404, [](QDialog& d) { d.reject(); });
    send(ID_FTP_SETTINGS);
    EXPECT_EQ(responder.runCount(404), 1);
    // The quick-publish settings need a page in its editing view.
    EXPECT_FALSE(app->commands()->updateCommand(ID_TOOLS_QUICK_PUBLISH_PROPERTIES));
    ASSERT_TRUE(app->OpenDocumentFile(QString()));
    EXPECT_TRUE(app->commands()->updateCommand(ID_TOOLS_QUICK_PUBLISH_PROPERTIES));
    responder.on(14083, [](QDialog& d) { d.reject(); });
    send(ID_TOOLS_QUICK_PUBLISH_PROPERTIES);
    EXPECT_EQ(responder.pending(), 0);
}

} // namespace
