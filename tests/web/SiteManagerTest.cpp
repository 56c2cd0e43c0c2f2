// The site manager in the running program: opening a web fills it, the
// folder watcher keeps it current while a page is edited, its page buttons.
#include "app/CChildFrame.h"
#include "app/CMainFrame.h"
#include "app/CZQApp.h"
#include "app/CZQDoc.h"
#include "app/CZQView.h"
#include "controls/ULOFileDialog.h"
#include "controls/VornaImageButton.h"
#include "dialogs/VornaDialogAsk.h"
#include "publish/CVornaDialogQuickPublish.h"
#include "res/resource.h"
#include "util/StringResources.h"
#include "web/CVornaSiteGridCtrl.h"
#include "web/VornaDialogSiteManagerPage1.h"
#include "web/VornaDialogSiteManagerSheet.h"
#include "web/VornaDirectoryWatchThread.h"

#include "../app/ProgramStart.h"
#include "support/ReviewPicture.h"
#include "support/TestFiles.h"

#include "platform/CommandRegistry.h"
#include "platform/DataRoot.h"
#include "platform/DocTemplate.h"
#include "platform/ModalResponder.h"
#include "platform/WindowMessage.h"

#include <QCoreApplication>
#include <QDir>
#include <QDockWidget>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QFileDialog>
#include <QGuiApplication>
#include <QScreen>
#include <QTest>
#include <QKeyEvent>
#include <QLabel>
#include <QThread>

#include <gtest/gtest.h>

namespace {

using platform::ModalResponder;

class SiteManagerTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        VornaDialogSiteManagerSheet::setTutorialViewFactory([](QWidget* parent) { return new QWidget(parent); });
        app = StartProgramWithoutGuide();
        ASSERT_NE(app, nullptr);
        web = platform::webRoot() + "/site";
        const QByteArray sjis = QByteArray("<HTML><HEAD><TITLE>") + QByteArray::fromHex("93fa967b8cea") +
                                "</TITLE><META http-equiv=\"Content-Type\" content=\"text/html; charset=Shift_JIS\">"
                                "</HEAD><BODY><P>x</P></BODY></HTML>";
        ASSERT_TRUE(writeTestFile(web + "/index.html", sjis));
        ASSERT_TRUE(writeTestFile(web + "/image/logo.gif", "GIF89a"));
    }
    void TearDown() override
    {
        app.reset();
        VornaDialogSiteManagerSheet::setTutorialViewFactory(nullptr);
    }
    CMainFrame& frame() { return *app->mainFrame(); }
    VornaDialogSiteManagerPage1& sitePage() { return *frame().siteManagerSheet()->sitePage(); }
    CVornaSiteGridCtrl& list() { return *sitePage().siteList(); }
    void send(int id) { app->commands()->sendCommand(id); }
    void openWeb()
    {
        frame().m_recentWebs = QStringList({"site", QString(), QString(), QString()});
        app->commands()->updateCommand(ID_RECENT_WEB_FIRST);
        send(ID_RECENT_WEB_FIRST);
        QCoreApplication::processEvents();
    }
    bool waitForRow(const QString& path, bool present, int ms = 1500)
    {
        QElapsedTimer timer;
        timer.start();
        while (timer.elapsed() < ms) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
            if ((sitePage().FindFileRow(path) >= 0) == present)
                return true;
            QThread::msleep(10);
        }
        return false;
    }

    std::unique_ptr<CZQApp> app;
    QString web;
};

TEST_F(SiteManagerTest, OpeningAWebShowsItsFilesAndClosingItEmptiesThePageAndEndsTheWatcher)
{
    openWeb();
    VornaDialogSiteManagerSheet* sheet = frame().siteManagerSheet();
    ASSERT_NE(sheet, nullptr);
    EXPECT_TRUE(sheet->IsSitePageVisible());
    EXPECT_EQ(sheet->PageCount(), 2);
    EXPECT_EQ(sheet->findChild<QLabel*>("id_1392")->toolTip(), "site");
    const int home = sitePage().FindFileRow("index.html");
    ASSERT_GT(home, 0);
    EXPECT_EQ(list().GetItemText(home, 1), QString::fromUtf8("日本語"));
    EXPECT_GT(sitePage().FindFileRow("image/logo.gif"), 0);
    ASSERT_NE(frame().m_pFolderWatcher, nullptr);
    EXPECT_TRUE(frame().m_pFolderWatcher->IsRunning());
    EXPECT_EQ(frameEnvironment()->siteManager(), &sitePage());

    send(ID_FILE_CLOSE_WEB);
    EXPECT_FALSE(frame().m_bWebOpen);
    EXPECT_EQ(sheet->PageCount(), 1);
    EXPECT_EQ(list().GetItemCount(), 0);
    EXPECT_FALSE(frame().m_pFolderWatcher->IsRunning());
    EXPECT_EQ(frameEnvironment()->siteManager(), nullptr);
}

TEST_F(SiteManagerTest, FilesMadeOrDeletedOutsideShowWhileAPageIsEditedOnly)
{
    openWeb();
    ASSERT_NE(app->GetActiveView(), nullptr);
    ASSERT_TRUE(frame().IsEditMode());
    ASSERT_TRUE(writeTestFile(web + "/sub/news.html", "<TITLE>News</TITLE>"));
    EXPECT_TRUE(waitForRow("sub/news.html", true));
    ASSERT_TRUE(QFile::remove(web + "/sub/news.html"));
    EXPECT_TRUE(waitForRow("sub/news.html", false));

    // In the source view the change is dropped, not kept for later.
    CChildFrame* child = app->GetActiveView()->GetParentFrame();
    child->m_bEditShown = false;
    child->m_bSourceShown = true;
    ASSERT_TRUE(writeTestFile(web + "/later.html", "x"));
    EXPECT_FALSE(waitForRow("later.html", true, 500));
    // Whatever the watcher still tells arrives in the source view too.
    frame().m_pFolderWatcher->Stop();
    QCoreApplication::processEvents();
    child->m_bSourceShown = false;
    child->m_bEditShown = true;
    QCoreApplication::processEvents();
    EXPECT_EQ(sitePage().FindFileRow("later.html"), -1);
    // A message of a stopped watcher is dropped too.
    platform::sendMessage(frame().siteManagerSheet(), VornaDirectoryWatchThread::WM_WEB_FOLDER_CHANGED, 0, 0,
                          QVariant::fromValue(quint64(0)));
    EXPECT_EQ(sitePage().FindFileRow("later.html"), -1);
    // The busy list drops it as well.
    list().m_bBusy = 1;
    platform::sendMessage(frame().siteManagerSheet(), VornaDirectoryWatchThread::WM_WEB_FOLDER_CHANGED, 0, 0,
                          QVariant::fromValue(frame().m_nWatchGeneration));
    EXPECT_EQ(sitePage().FindFileRow("later.html"), -1);
    list().m_bBusy = 0;
    platform::sendMessage(frame().siteManagerSheet(), VornaDirectoryWatchThread::WM_WEB_FOLDER_CHANGED, 0, 0,
                          QVariant::fromValue(frame().m_nWatchGeneration));
    EXPECT_GT(sitePage().FindFileRow("later.html"), 0);
}

TEST_F(SiteManagerTest, ANewPageAsksItsTitleAndKeepsItsRowThroughARefresh)
{
    openWeb();
    ModalResponder responder;
    responder.answerMessageBox(platform::IDYES, LoadResString(IDS_ADD_FILE_TO_WEB));
    responder.always(VornaDialogAsk::IDD, [](QDialog& d) {
        ModalResponder::setText(d, 1041, QStringLiteral("My news"));
        ModalResponder::press(d, platform::IDOK);
    });
    send(ID_FILE_NEW_FILE);
    CZQDoc* document = app->GetActiveView()->GetDocument();
    const QString name = document->GetDisplayName();
    const int row = sitePage().FindFileRow(name);
    ASSERT_GT(row, 0);
    EXPECT_EQ(list().GetItemText(row, 1), "My news");
    EXPECT_EQ(list().GetSelectedRow(), row);

    sitePage().OnRefresh();
    const int kept = sitePage().FindFileRow(name);
    ASSERT_GT(kept, 0);
    EXPECT_EQ(list().GetRowType(kept), LoadResString(IDS_FILE_TYPE_HTML));
    document->m_bPageChanged = false;
    document->closeDocument();
}

TEST_F(SiteManagerTest, DeletingAnOpenPageClosesItAndLeavesItsNamesakeAlone)
{
    ASSERT_TRUE(writeTestFile(web + "/sub/a.html", "<TITLE>Sub</TITLE>"));
    ASSERT_TRUE(writeTestFile(web + "/a.html", "<TITLE>Top</TITLE>"));
    openWeb();
    ASSERT_TRUE(app->OpenDocumentFile(web + "/sub/a.html"));
    ASSERT_TRUE(app->OpenDocumentFile(web + "/a.html"));
    QCoreApplication::processEvents();
    const int documents = app->docTemplate()->documentCount();
    list().ClearSelection();
    list().SetItemState(sitePage().FindFileRow("sub/a.html"), LVIS_SELECTED, LVIS_SELECTED);
    ModalResponder responder;
    responder.answerMessageBox(platform::IDYES, LoadResString(IDS_SITE_DELETE_QUESTION));
    sitePage().OnDelete();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(QFileInfo::exists(web + "/sub/a.html"));
    EXPECT_TRUE(QFileInfo::exists(web + "/a.html"));
    EXPECT_EQ(app->docTemplate()->documentCount(), documents - 1);
    EXPECT_GT(sitePage().FindFileRow("a.html"), 0);
    EXPECT_EQ(sitePage().FindFileRow("sub/a.html"), -1);
}

TEST_F(SiteManagerTest, ImportCopiesAPageIntoTheWebAskingForANewNameWhenItsNameIsTaken)
{
    openWeb();
    const QString outside = platform::webRoot() + "/../elsewhere";
    ASSERT_TRUE(writeTestFile(outside + "/diary.html", "<HTML><HEAD><TITLE>Diary</TITLE></HEAD><BODY>d</BODY></HTML>"));
    ASSERT_TRUE(writeTestFile(outside + "/index.html", "<HTML><HEAD><TITLE>Other</TITLE></HEAD><BODY>o</BODY></HTML>"));
    const auto choose = [](const QString& path) {
        return [path](QDialog& d) {
            auto& files = static_cast<QFileDialog&>(d);
            files.selectFile(path);
            QMetaObject::invokeMethod(&files, "accept");
        };
    };
    ModalResponder responder;
    responder.on(ULOFileDialog::kDialogId, choose(QDir::cleanPath(outside + "/diary.html")));
    sitePage().OnImport();
    QCoreApplication::processEvents();
    EXPECT_TRUE(QFileInfo::exists(web + "/diary.html"));
    const int row = sitePage().FindFileRow("diary.html");
    ASSERT_GT(row, 0);
    EXPECT_EQ(list().GetItemText(row, 1), "Diary");

    // A page named like the web's home page: the user names the copy.
    responder.on(ULOFileDialog::kDialogId, choose(QDir::cleanPath(outside + "/index.html")));
    responder.answerMessageBox(platform::IDYES, LoadResString(IDS_RENAME_EXISTING_PAGE));
    responder.on(ULOFileDialog::kDialogId, choose(web + "/other.html"));
    sitePage().OnImport();
    QCoreApplication::processEvents();
    EXPECT_TRUE(readTestFile(web + "/index.html").contains(QByteArray::fromHex("93fa967b8cea")));
    EXPECT_TRUE(readTestFile(web + "/other.html").contains("Other"));
    EXPECT_GT(sitePage().FindFileRow("other.html"), 0);
    EXPECT_EQ(responder.pending(), 0);
}

TEST_F(SiteManagerTest, ASavedPageOfASubFolderIsListedForPublishingByItsPathInTheWeb)
{
    ASSERT_TRUE(writeTestFile(web + "/sub/a.html", "<HTML><HEAD><TITLE>A</TITLE></HEAD><BODY>a</BODY></HTML>"));
    openWeb();
    ASSERT_TRUE(app->OpenDocumentFile(web + "/sub/a.html"));
    QCoreApplication::processEvents();
    CZQDoc* document = app->GetActiveView()->GetDocument();
    ASSERT_EQ(document->pathName(), web + "/sub/a.html");
    document->m_bPageChanged = true;
    ASSERT_TRUE(document->OnFileSave());
    ASSERT_NE(sitePage().GetModifiedFiles(), nullptr);
    EXPECT_EQ(*sitePage().GetModifiedFiles(), QStringList({"sub/a.html"}));
}

TEST_F(SiteManagerTest, DeletingAFramePageOpenInItsFramesetKeepsThePaneAsANewPage)
{
    const QString pages = QFileInfo(QString::fromUtf8(__FILE__)).absolutePath() + "/../data/pages/";
    for (const char* name : {"frameset.html", "menu.html", "top.html", "main.html"})
        ASSERT_TRUE(QFile::copy(pages + name, web + "/" + name));
    openWeb();
    EXPECT_EQ(list().GetItemKind(sitePage().FindFileRow("frameset.html")), 2);
    EXPECT_EQ(list().GetItemTag(sitePage().FindFileRow("main.html")), "frameset.html");
    ASSERT_TRUE(app->OpenDocumentFile(web + "/frameset.html"));
    for (int i = 0; i < 6; ++i)
        QCoreApplication::processEvents();
    CChildFrame* child = app->GetActiveView()->GetParentFrame();
    ASSERT_TRUE(child->HasFrameset());
    const int documents = app->docTemplate()->documentCount();
    const int counter = frame().m_nFrameCount;

    list().ClearSelection();
    list().SetItemState(sitePage().FindFileRow("main.html"), LVIS_SELECTED, LVIS_SELECTED);
    ModalResponder responder;
    responder.answerMessageBox(platform::IDYES, LoadResString(IDS_SITE_DELETE_QUESTION));
    sitePage().OnDelete();

    EXPECT_FALSE(QFileInfo::exists(web + "/main.html"));
    EXPECT_EQ(app->docTemplate()->documentCount(), documents);
    const QString renamed = QStringLiteral("Frame%1").arg(counter);
    EXPECT_EQ(frame().m_nFrameCount, counter + 1);
    const int row = sitePage().FindFileRow(renamed);
    ASSERT_GT(row, 0);
    EXPECT_EQ(list().GetItemTag(row), "frameset.html");
    EXPECT_EQ(list().GetItemKind(row), 1);
    EXPECT_EQ(sitePage().FindFileRow("main.html"), -1);
    for (platform::Document* base : app->docTemplate()->documents())
        EXPECT_NE(base->pathName(), web + "/main.html");
}

TEST_F(SiteManagerTest, TheFiveButtonsHavePicturesAndTheSettingsButtonOpensTheQuickPublishSettings)
{
    openWeb();
    VornaDialogSiteManagerSheet* sheet = frame().siteManagerSheet();
    for (int id : {IDC_SITE_IMPORT, IDC_SITE_DELETE, IDC_SITE_REFRESH, IDC_SITE_QUICK_PUBLISH,
                   IDC_SITE_QUICK_PUBLISH_PROPERTIES}) {
        auto* button = sheet->findChild<VornaImageButton*>(QStringLiteral("id_%1").arg(id));
        ASSERT_NE(button, nullptr) << id;
        EXPECT_TRUE(button->hasPictures()) << id;
    }
    ModalResponder responder;
    responder.answer(CVornaDialogQuickPublish::IDD, platform::IDCANCEL);
    sheet->findChild<VornaImageButton*>(QStringLiteral("id_%1").arg(IDC_SITE_QUICK_PUBLISH_PROPERTIES))->click();
    EXPECT_EQ(responder.runCount(CVornaDialogQuickPublish::IDD), 1);
}

TEST_F(SiteManagerTest, F9HidesTheSiteManagerAndF5Reloads)
{
    openWeb();
    QDockWidget* bar = frame().findChild<QDockWidget*>("bar_674");
    ASSERT_NE(bar, nullptr);
    ASSERT_TRUE(bar->isVisibleTo(&frame()));
    ASSERT_TRUE(writeTestFile(web + "/f5.html", "x"));
    QKeyEvent f5(QEvent::KeyPress, Qt::Key_F5, Qt::NoModifier);
    QCoreApplication::sendEvent(&list(), &f5);
    EXPECT_GT(sitePage().FindFileRow("f5.html"), 0);
    // The active page's row is selected again.
    EXPECT_EQ(list().GetSelectedRow(), sitePage().FindFileRow("index.html"));
    QKeyEvent f9(QEvent::KeyPress, Qt::Key_F9, Qt::NoModifier);
    QCoreApplication::sendEvent(&list(), &f9);
    EXPECT_FALSE(bar->isVisibleTo(&frame()));
}

// The site manager of a small web beside its home page, for people to look at.
TEST_F(SiteManagerTest, SiteManagerScreenshotOfASampleWeb)
{
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        GTEST_SKIP() << "needs an X server (Xvfb)";
    const auto pageOf = [](const char* title) {
        return QStringLiteral("<HTML><HEAD><META http-equiv=\"Content-Type\" content=\"text/html; charset=UTF-8\">"
                              "<TITLE>%1</TITLE></HEAD><BODY><P>%1</P></BODY></HTML>")
            .arg(QString::fromUtf8(title))
            .toUtf8();
    };
    ASSERT_TRUE(writeTestFile(web + "/profile.html", pageOf("自己紹介")));
    ASSERT_TRUE(writeTestFile(web + "/diary/2026-12.html", pageOf("十二月の日記")));
    ASSERT_TRUE(writeTestFile(web + "/diary/2026-11.html", pageOf("十一月の日記")));
    ASSERT_TRUE(writeTestFile(web + "/frames.html", "<FRAMESET cols=\"30%,*\"><FRAME src=\"menu.html\">"
                                                    "<FRAME src=\"profile.html\"></FRAMESET>"));
    ASSERT_TRUE(writeTestFile(web + "/menu.html", pageOf("メニュー")));
    ASSERT_TRUE(writeTestFile(web + "/other/readme.txt", QByteArray(2600, 'x')));
    frame().setGeometry(QGuiApplication::primaryScreen()->availableGeometry());
    frame().show();
    openWeb();
    frame().resizeDocks({frame().findChild<QDockWidget*>("bar_674")}, {460}, Qt::Horizontal);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&frame(), 60000));
    for (int i = 0; i < 10; ++i)
        QCoreApplication::processEvents();
    const int row = sitePage().FindFileRow("profile.html");
    list().ClearSelection();
    list().SetItemState(row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    QCoreApplication::processEvents();
    SaveReviewPicture(frame().grab().toImage(), QStringLiteral("site-manager.png"));
}

} // namespace
