// The links of a page through its save in the running program: files copied
// into the open web with relative links, pages moved to other folders with
// absolute links, pages read from a web server, and images made in the
// temporary folder.

#include "PageReads.h"

#include "app/CChildFrame.h"
#include "app/CMainFrame.h"
#include "app/CZQApp.h"
#include "app/CZQDoc.h"
#include "app/CZQView.h"
#include "util/FileHelpers.h"
#include "web/VornaDialogSiteManagerSheet.h"

#include "ProgramStart.h"
#include "support/HttpTestServer.h"
#include "support/TestFiles.h"

#include "engine/dom/Document.h"
#include "engine/markup/UndoManager.h"

#include "platform/ModalResponder.h"

#include <QCoreApplication>
#include <QDialog>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPixmap>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <unistd.h>

namespace {

using platform::ModalResponder;

// Picture bytes: a GIF header and a mark of its own, so copies can be told apart.
QByteArray picture(const char* mark)
{
    return QByteArray("GIF89a\x01\x00\x01\x00\x00\x00\x00;", 13) + mark;
}

class PageLinksSaveTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        VornaDialogSiteManagerSheet::setTutorialViewFactory([](QWidget* parent) { return new QWidget(parent); });
        app = StartProgramWithoutGuide();
        ASSERT_NE(app, nullptr);
        web = dir.filePath(QStringLiteral("My Web/hanako"));
        elsewhere = dir.filePath(QStringLiteral("data"));
        ASSERT_TRUE(QDir().mkpath(web));
        ASSERT_TRUE(QDir().mkpath(elsewhere));
    }
    void TearDown() override
    {
        app.reset();
        VornaDialogSiteManagerSheet::setTutorialViewFactory(nullptr);
    }

    CMainFrame& frame() { return *app->mainFrame(); }
    engine::Document* page() { return app->GetActiveView() ? app->GetActiveView()->GetHtmlDocument() : nullptr; }
    QString attr(const char* id, const char* name)
    {
        engine::Element* element = page()->getElementById(QString::fromLatin1(id));
        return element ? element->getAttributeText(QString::fromLatin1(name)) : QStringLiteral("<none>");
    }

    // The web open in the main frame with the page names of its site list.
    void openWeb(const QStringList& pages)
    {
        frame().m_bWebOpen = true;
        frame().m_strWebFolder = web;
        frame().OnWindowTutorial(); // the site manager's sheet holds the page list
        ASSERT_NE(frame().siteManagerSheet(), nullptr);
        for (const QString& name : pages)
            frame().siteManagerSheet()->AddOrUpdateFileRow(name, QString());
    }
    QString put(const QString& path, const QByteArray& bytes)
    {
        EXPECT_TRUE(writeTestFile(path, bytes));
        return path;
    }
    CZQDoc* openPage(const QString& path, const QString& html)
    {
        put(path, html.toUtf8());
        if (!app->OpenDocumentFile(path) || !WaitForPageRead(app->GetActiveView()))
            return nullptr;
        return app->GetActiveView()->GetDocument();
    }
    QString saved(const QString& path) { return QString::fromUtf8(readTestFile(path)); }

    QTemporaryDir dir;
    std::unique_ptr<CZQApp> app;
    QString web;
    QString elsewhere;
};

// ---- a save into the open web ------------------------------------------------------

TEST_F(PageLinksSaveTest, LinkedFilesAreCopiedIntoTheWebAndLinkedRelatively)
{
    put(elsewhere + "/pics/photo.gif", picture("photo"));
    put(elsewhere + "/pics/kabe 1.gif", picture("wall"));
    put(elsewhere + "/pics/waku.gif", picture("frame"));
    put(elsewhere + "/media/clip.mid", "MThd");
    put(elsewhere + "/pages/diary.html", "<html><body>日記</body></html>");
    put(elsewhere + "/pages/family.html", "<html><body>家族</body></html>");
    put(web + "/image/sub/logo.gif", picture("logo"));
    openWeb({"index.html"});
    const QString html =
        QStringLiteral("<HTML><HEAD><TITLE>はなこのページ</TITLE></HEAD>"
                       "<BODY background=\"file://%1/pics/kabe%201.gif\">"
                       "<IMG id=photo src=\"%1/pics/photo.gif\"><IMG id=logo src=\"%2/image/sub/logo.gif\">"
                       "<TABLE id=box background=\"%1\\pics\\waku.gif\"><TR><TD id=empty></TD>"
                       "<TD id=full><IMG id=inCell src=\"%2/image/sub/logo.gif\"></TD></TR></TABLE>"
                       "<EMBED id=sound src=\"%1/media/clip.mid\"><A id=diary href=\"%1/pages/diary.html#may\">日記</A>"
                       "<MAP name=ULOMap0><AREA id=family shape=rect coords=\"0,0,9,9\" href=\"%1/pages/family.html\">"
                       "</MAP><IMG id=mapped src=\"%1/pics/photo.gif\" usemap=\"ULOMap0\">"
                       "<A id=mail href=\"mailto:hanako@example.jp\">メール</A>"
                       "<A id=remote href=\"http://www.example.jp/\">リンク</A>"
                       "<A id=Remote href=\"Http://www.example.jp/a.gif\">リンク</A></BODY></HTML>")
            .arg(elsewhere, web);
    CZQDoc* doc = openPage(web + "/index.html", html);
    ASSERT_NE(doc, nullptr);

    ASSERT_TRUE(doc->OnFileSave());
    EXPECT_EQ(readTestFile(web + "/image/photo.gif"), picture("photo"));
    EXPECT_EQ(readTestFile(web + "/image/kabe 1.gif"), picture("wall"));
    EXPECT_EQ(readTestFile(web + "/image/waku.gif"), picture("frame"));
    EXPECT_EQ(readTestFile(web + "/other/clip.mid"), "MThd");
    EXPECT_TRUE(QFileInfo::exists(web + "/diary.html"));
    EXPECT_TRUE(QFileInfo::exists(web + "/family.html"));

    EXPECT_EQ(attr("photo", "src"), "image/photo.gif");
    EXPECT_EQ(attr("mapped", "src"), "image/photo.gif");
    EXPECT_EQ(page()->body()->getAttributeText("background"), "image/kabe 1.gif");
    EXPECT_EQ(attr("box", "background"), "image/waku.gif");
    EXPECT_EQ(attr("logo", "src"), "image/sub/logo.gif"); // already in the web
    EXPECT_EQ(attr("sound", "src"), "other/clip.mid");
    EXPECT_EQ(attr("diary", "href"), "diary.html#may");
    EXPECT_EQ(attr("family", "href"), "family.html");
    EXPECT_EQ(attr("mail", "href"), "mailto:hanako@example.jp");
    EXPECT_EQ(attr("remote", "href"), "http://www.example.jp/");
    EXPECT_EQ(attr("Remote", "href"), "Http://www.example.jp/a.gif");
    // Empty cells are kept open; image maps get their "#" back.
    EXPECT_EQ(page()->getElementById("empty")->innerHTML(), "&nbsp;");
    EXPECT_NE(page()->getElementById("inCell"), nullptr);
    EXPECT_EQ(attr("mapped", "usemap"), "#ULOMap0");
    const QString file = saved(web + "/index.html");
    EXPECT_TRUE(file.contains("image/photo.gif")) << qPrintable(file);
    EXPECT_FALSE(file.contains(elsewhere)) << qPrintable(file);

    // Saved again: everything is in the web already; nothing is copied again.
    const QStringList before = QDir(web + "/image").entryList(QDir::Files);
    ASSERT_TRUE(doc->OnFileSave());
    EXPECT_EQ(QDir(web + "/image").entryList(QDir::Files), before);
    EXPECT_EQ(attr("photo", "src"), "image/photo.gif");
}

TEST_F(PageLinksSaveTest, FilesOfTheWebAreNeverReplacedExceptScripts)
{
    put(web + "/image/photo.gif", picture("old photo of the web"));
    put(web + "/image/same.gif", picture("same"));
    put(web + "/other/menu.js", "// old menu");
    put(elsewhere + "/a/photo.gif", picture("photo a"));
    put(elsewhere + "/b/photo.gif", picture("photo b"));
    put(elsewhere + "/c/same.gif", picture("same"));
    put(elsewhere + "/d/pic.gif", picture("pic d"));
    put(elsewhere + "/e/pic.gif", picture("pic e"));
    put(elsewhere + "/fx/menu.js", "// new menu");
    openWeb({"index.html"});
    const QString html = QStringLiteral("<HTML><HEAD><TITLE>t</TITLE>"
                                        "<SCRIPT id=menu language=javascript src=\"%1/fx/menu.js\"></SCRIPT></HEAD>"
                                        "<BODY><IMG id=a src=\"%1/a/photo.gif\"><IMG id=b src=\"%1/b/photo.gif\">"
                                        "<IMG id=a2 src=\"%1/a/photo.gif\"><IMG id=same src=\"%1/c/same.gif\">"
                                        "<IMG id=d src=\"%1/d/pic.gif\"><IMG id=e src=\"%1/e/pic.gif\"></BODY></HTML>")
                             .arg(elsewhere);
    CZQDoc* doc = openPage(web + "/index.html", html);
    ASSERT_NE(doc, nullptr);
    app->GetActiveView()->m_bImportedPage = true; // its scripts come along
    ASSERT_TRUE(doc->OnFileSave());

    EXPECT_EQ(readTestFile(web + "/image/photo.gif"), picture("old photo of the web"));
    // Two files of one name where the name is taken: each its own free name.
    EXPECT_EQ(attr("a", "src"), "image/photo0.gif");
    EXPECT_EQ(attr("a2", "src"), "image/photo0.gif");
    EXPECT_EQ(attr("b", "src"), "image/photo00.gif");
    EXPECT_EQ(readTestFile(web + "/image/photo0.gif"), picture("photo a"));
    EXPECT_EQ(readTestFile(web + "/image/photo00.gif"), picture("photo b"));
    // The same picture is not copied twice.
    EXPECT_EQ(attr("same", "src"), "image/same.gif");
    EXPECT_FALSE(QFileInfo::exists(web + "/image/same0.gif"));
    // Two files of one name where the name is free: the second gets another.
    EXPECT_EQ(attr("d", "src"), "image/pic.gif");
    EXPECT_EQ(attr("e", "src"), "image/pic0.gif");
    EXPECT_EQ(readTestFile(web + "/image/pic.gif"), picture("pic d"));
    EXPECT_EQ(readTestFile(web + "/image/pic0.gif"), picture("pic e"));
    // A script of an imported page replaces the web's script of its name.
    EXPECT_EQ(attr("menu", "src"), "other/menu.js");
    EXPECT_EQ(readTestFile(web + "/other/menu.js"), "// new menu");
}

TEST_F(PageLinksSaveTest, ASaveWhileThePageClosesLeavesBackgroundsAsTheyAre)
{
    put(elsewhere + "/kabe.gif", picture("wall"));
    put(elsewhere + "/photo.gif", picture("photo"));
    openWeb({"index.html"});
    CZQDoc* doc = openPage(web + "/index.html",
                           QStringLiteral("<HTML><HEAD><TITLE>t</TITLE></HEAD><BODY background=\"%1/kabe.gif\">"
                                          "<TABLE id=box background=\"%1/kabe.gif\"><TR><TD>表</TD></TR></TABLE>"
                                          "<IMG id=photo src=\"%1/photo.gif\"></BODY></HTML>")
                               .arg(elsewhere));
    ASSERT_NE(doc, nullptr);
    app->GetActiveView()->GetParentFrame()->m_bClosing = true;
    doc->m_bPageChanged = true;
    ASSERT_TRUE(doc->onSaveDocument(web + "/index.html"));
    EXPECT_EQ(page()->body()->getAttributeText("background"), elsewhere + "/kabe.gif");
    EXPECT_EQ(attr("box", "background"), elsewhere + "/kabe.gif");
    EXPECT_EQ(attr("photo", "src"), "image/photo.gif");
    app->GetActiveView()->GetParentFrame()->m_bClosing = false;
}

TEST_F(PageLinksSaveTest, ScriptsOfAPageWithAFileStayWhereTheyAre)
{
    put(elsewhere + "/fx/menu.js", "// menu");
    openWeb({"index.html"});
    CZQDoc* doc = openPage(web + "/index.html",
                           QStringLiteral("<HTML><HEAD><TITLE>t</TITLE><SCRIPT id=menu src=\"%1/fx/menu.js\"></SCRIPT>"
                                          "</HEAD><BODY>本文</BODY></HTML>")
                               .arg(elsewhere));
    ASSERT_NE(doc, nullptr);
    ASSERT_TRUE(doc->OnFileSave());
    EXPECT_EQ(attr("menu", "src"), elsewhere + "/fx/menu.js");
    EXPECT_FALSE(QFileInfo::exists(web + "/other/menu.js"));
}

TEST_F(PageLinksSaveTest, TheFrameCodeReachesANewPagesScriptsAndBodyThroughItsView)
{
    put(elsewhere + "/fx/menu.js", "// menu");
    ASSERT_TRUE(app->OpenDocumentFile(QString()));
    QCoreApplication::processEvents();
    CZQView* view = app->GetActiveView();
    ASSERT_NE(view, nullptr);
    openWeb({view->GetDocument()->GetDisplayName()});
    auto* script = page()->body()->insertAdjacentElement("beforeEnd", page()->createElement("SCRIPT"));
    script->setAttribute("id", engine::Variant(QStringLiteral("menu")));
    script->setAttribute("src", engine::Variant(elsewhere + "/fx/menu.js"));

    static_cast<FramePane*>(view)->collectScriptFiles(true);
    EXPECT_EQ(attr("menu", "src"), "other/menu.js");
    EXPECT_EQ(readTestFile(web + "/other/menu.js"), "// menu");

    const int steps = page()->undoManager().undoCount();
    static_cast<FramePane*>(view)->writeBodyAttributes("", "#ffeedd", "", "", "", "");
    EXPECT_EQ(page()->body()->getAttributeText("bgColor"), "#ffeedd");
    EXPECT_EQ(page()->undoManager().undoCount(), steps + 1);
    EXPECT_TRUE(view->GetDocument()->m_bPageChanged);
    static_cast<FramePane*>(view)->collectPageLinks("menu.js", "menu2.js", 0);
    EXPECT_EQ(attr("menu", "src"), "other/menu.js"); // SCRIPT is none of the renamed references
}

// ---- a save that moves the page -----------------------------------------------------

TEST_F(PageLinksSaveTest, APageMovedOutsideTheWebGetsAbsoluteLinksAndCopiesNothing)
{
    const QString from = dir.filePath("a");
    const QString to = dir.filePath("b");
    QDir().mkpath(to);
    put(from + "/pics/x.gif", picture("x"));
    CZQDoc* doc =
        openPage(from + "/page.html",
                 QStringLiteral("<HTML><HEAD><TITLE>t</TITLE><LINK id=css rel=stylesheet href=\"css/site.css\">"
                                "<LINK id=next rel=next href=\"next.html\">"
                                "<LINK id=font rel=stylesheet href=\"http://www.example.jp/f.css\"></HEAD>"
                                "<BODY><IMG id=rel src=\"pics/x.gif\">"
                                "<IMG id=abs src=\"%1/pics/x.gif\"><IMG id=url src=\"file://%1/pics/x.gif\">"
                                "<A id=up href=\"../index.html#top\">上へ</A><A id=anchor href=\"#top\">先頭</A>"
                                "<A id=web href=\"http://www.example.jp/a.html\">外</A></BODY></HTML>")
                     .arg(from));
    ASSERT_NE(doc, nullptr);
    ASSERT_TRUE(doc->doSave(to + "/page.html", true));
    EXPECT_EQ(attr("rel", "src"), from + "/pics/x.gif");
    EXPECT_EQ(attr("abs", "src"), from + "/pics/x.gif");
    EXPECT_EQ(attr("url", "src"), from + "/pics/x.gif");
    EXPECT_EQ(attr("up", "href"), dir.filePath("index.html#top"));
    EXPECT_EQ(attr("anchor", "href"), "#top");
    EXPECT_EQ(attr("web", "href"), "http://www.example.jp/a.html");
    // The style sheet and the related pages of the head are reached as well.
    EXPECT_EQ(attr("css", "href"), from + "/css/site.css");
    EXPECT_EQ(attr("next", "href"), from + "/next.html");
    EXPECT_EQ(attr("font", "href"), "http://www.example.jp/f.css");
    EXPECT_EQ(QDir(to).entryList(QDir::Files | QDir::NoDotAndDotDot), QStringList{"page.html"});
}

// ---- what cannot be copied ------------------------------------------------------------

TEST_F(PageLinksSaveTest, NothingIsWrittenOutsideTheWebAndFailedCopiesKeepTheirLinks)
{
    const QString outside = dir.filePath("outside");
    QDir().mkpath(outside);
    put(outside + "/keep.gif", picture("must stay"));
    put(elsewhere + "/real.gif", picture("real"));
    QFile::link(elsewhere + "/real.gif", elsewhere + "/link.gif");
    put(elsewhere + "/pics/keep.gif", picture("would overwrite"));
    QDir().mkpath(elsewhere + "/folder.gif");
    // The web's image folder is a link to a folder outside the web.
    ASSERT_TRUE(QFile::link(outside, web + "/image"));
    put(elsewhere + "/media/clip.mid", "MThd");
    openWeb({"index.html"});
    const QString longName = QString(10 * 1024, QLatin1Char('x')) + ".gif";
    CZQDoc* doc = openPage(
        web + "/index.html",
        QStringLiteral("<HTML><HEAD><TITLE>t</TITLE></HEAD><BODY>"
                       "<IMG id=escape src=\"%1/pics/../pics/keep.gif\"><EMBED id=sound src=\"%1/media/clip.mid\">"
                       "<IMG id=missing src=\"%1/missing.gif\"><IMG id=device src=\"/dev/zero\">"
                       "<IMG id=folder src=\"%1/folder.gif\"><EMBED id=link src=\"%1/link.gif\">"
                       "<A id=up href=\"../../../../../../etc/hostname\">上</A></BODY></HTML>")
            .arg(elsewhere));
    ASSERT_NE(doc, nullptr);
    // Values as pages and scripts leave them: quotes, "<", line breaks, 10 kB.
    page()->getElementById("missing")->setAttribute("alt", engine::Variant(QStringLiteral("x")));
    auto* odd = page()->body()->insertAdjacentElement("beforeEnd", page()->createElement("IMG"));
    odd->setAttribute("id", engine::Variant(QStringLiteral("odd")));
    odd->setAttribute("src", engine::Variant(elsewhere + "/\"a<b>\n'c'.gif"));
    auto* huge = page()->body()->insertAdjacentElement("beforeEnd", page()->createElement("IMG"));
    huge->setAttribute("id", engine::Variant(QStringLiteral("huge")));
    huge->setAttribute("src", engine::Variant(elsewhere + "/" + longName));

    ModalResponder responder;
    responder.answerMessageBox(platform::IDOK, QStringLiteral("コピーできませんでした"));
    ASSERT_TRUE(doc->OnFileSave());
    ASSERT_EQ(responder.messageTexts().size(), 1);
    const QString message = responder.messageTexts().front();

    // The linked image folder leads outside: nothing lands there.
    EXPECT_EQ(readTestFile(outside + "/keep.gif"), picture("must stay"));
    EXPECT_EQ(QDir(outside).entryList(QDir::Files), QStringList{"keep.gif"});
    EXPECT_EQ(attr("escape", "src"), elsewhere + "/pics/../pics/keep.gif");
    EXPECT_TRUE(message.contains(elsewhere + "/pics/keep.gif")) << qPrintable(message);
    // Media still go to "other"; a link to a file copies the file's bytes.
    EXPECT_EQ(attr("sound", "src"), "other/clip.mid");
    EXPECT_EQ(attr("link", "src"), "other/link.gif");
    EXPECT_FALSE(QFileInfo(web + "/other/link.gif").isSymLink());
    EXPECT_EQ(readTestFile(web + "/other/link.gif"), picture("real"));
    // What is no file keeps its link and is named in the one message.
    for (const char* id : {"missing", "device", "folder", "odd", "huge"})
        EXPECT_FALSE(attr(id, "src").startsWith("image/")) << id;
    EXPECT_TRUE(message.contains(elsewhere + "/missing.gif"));
    EXPECT_TRUE(message.contains("/dev/zero"));
    EXPECT_TRUE(message.contains(elsewhere + "/folder.gif"));
    EXPECT_LT(message.size(), 3000); // the 10 kB name is shortened
    // A relative link out of the web was copied into it, not written outside.
    EXPECT_TRUE(QFileInfo::exists(web + "/hostname") || message.contains("/etc/hostname"));
    // The page was saved.
    EXPECT_TRUE(saved(web + "/index.html").contains("other/clip.mid"));
}

TEST_F(PageLinksSaveTest, AnUnwritableWebFolderIsReportedAndThePageSaved)
{
    put(elsewhere + "/photo.gif", picture("photo"));
    put(web + "/image", "a file where the folder should be");
    openWeb({"index.html"});
    CZQDoc* doc = openPage(web + "/index.html", QStringLiteral("<HTML><HEAD><TITLE>t</TITLE></HEAD><BODY>"
                                                               "<IMG id=photo src=\"%1/photo.gif\"></BODY></HTML>")
                                                    .arg(elsewhere));
    ASSERT_NE(doc, nullptr);
    ModalResponder responder;
    responder.answerMessageBox(platform::IDOK, elsewhere + "/photo.gif");
    ASSERT_TRUE(doc->OnFileSave());
    EXPECT_EQ(attr("photo", "src"), elsewhere + "/photo.gif");
    EXPECT_TRUE(saved(web + "/index.html").contains(elsewhere + "/photo.gif"));

    if (::geteuid() == 0)
        GTEST_SKIP() << "folder permissions do not bind the superuser";
    QFile::remove(web + "/image");
    QDir().mkpath(web + "/image");
    QFile::setPermissions(web + "/image", QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    responder.answerMessageBox(platform::IDOK, elsewhere + "/photo.gif");
    ASSERT_TRUE(doc->OnFileSave());
    EXPECT_EQ(attr("photo", "src"), elsewhere + "/photo.gif");
    QFile::setPermissions(web + "/image", QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

TEST_F(PageLinksSaveTest, ThousandsOfLinksToOneMissingFileAreOneLine)
{
    openWeb({"index.html"});
    QString body;
    for (int i = 0; i < 5000; ++i)
        body += QStringLiteral("<IMG src=\"%1/gone.gif\">").arg(elsewhere);
    for (int i = 0; i < 20; ++i)
        body += QStringLiteral("<A href=\"%1/lost%2.html\">%2</A>").arg(elsewhere).arg(i);
    CZQDoc* doc = openPage(web + "/index.html",
                           QStringLiteral("<HTML><HEAD><TITLE>t</TITLE></HEAD><BODY>%1</BODY></HTML>").arg(body));
    ASSERT_NE(doc, nullptr);
    ModalResponder responder;
    responder.answerMessageBox(platform::IDOK);
    ASSERT_TRUE(doc->OnFileSave());
    ASSERT_EQ(responder.messageTexts().size(), 1);
    const QString message = responder.messageTexts().front();
    EXPECT_EQ(message.count(elsewhere + "/gone.gif"), 1);
    // Fifteen names, then how many more.
    EXPECT_TRUE(message.contains(elsewhere + "/lost13.html"));
    EXPECT_FALSE(message.contains(elsewhere + "/lost14.html"));
    EXPECT_TRUE(message.contains(QStringLiteral("ほか 6 個のファイル"))) << qPrintable(message);
}

// The message about files that could not be copied, as the user sees it:
//   xvfb-run -a -s "-screen 0 1280x1024x24" env QT_QPA_PLATFORM=xcb PAGINOR_SCREENSHOT_DIR=/tmp
//   build/test/tests/test_program --gtest_filter=LinksScreenshot.*
using LinksScreenshot = PageLinksSaveTest;
TEST_F(LinksScreenshot, FilesThatCouldNotBeCopied)
{
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        GTEST_SKIP() << "needs an X server (Xvfb)";
    openWeb({"index.html"});
    QString body;
    for (const char* name : {"写真/旅行 1.jpg", "写真/旅行 2.jpg", "sounds/bgm.mid", "pages/diary.html"})
        body += QStringLiteral("<IMG src=\"%1/%2\">").arg(elsewhere, QString::fromUtf8(name));
    CZQDoc* doc = openPage(web + "/index.html",
                           QStringLiteral("<HTML><HEAD><TITLE>t</TITLE></HEAD><BODY>%1</BODY></HTML>").arg(body));
    ASSERT_NE(doc, nullptr);
    ModalResponder responder;
    QPixmap picture;
    responder.onMessageBox([&](QDialog& box) {
        box.show();
        QCoreApplication::processEvents();
        picture = box.grab();
        box.done(platform::IDOK);
    });
    ASSERT_TRUE(doc->OnFileSave());
    ASSERT_FALSE(picture.isNull());
    if (qEnvironmentVariableIsSet("PAGINOR_SCREENSHOT_DIR")) {
        const QString folder = qEnvironmentVariable("PAGINOR_SCREENSHOT_DIR");
        EXPECT_TRUE(QDir().mkpath(folder));
        EXPECT_TRUE(picture.save(folder + QStringLiteral("/links-not-copied.png")));
    }
}

// ---- pages read from a web server -------------------------------------------------------

TEST_F(PageLinksSaveTest, APageFromAWebAddressKeepsWorkingLinksAndSavesThemRelative)
{
    HttpTestServer server;
    ASSERT_TRUE(server.isRunning()) << qPrintable(server.errorText());
    server.putFile("site/index.html",
                   QStringLiteral("<HTML><HEAD><TITLE>サーバのページ</TITLE></HEAD><BODY background=\"img/kabe.gif\">"
                                  "<IMG id=photo src=\"img/写真.gif\"><IMG id=root src=\"/logo.gif\">"
                                  "<A id=sub href=\"sub/b.html?x=1#t\">下</A><A id=up href=\"../top.html\">上</A>"
                                  "<A id=other href=\"http://www.example.jp/a.html\">外</A>"
                                  "<A id=mail href=\"mailto:a@example.jp\">メール</A><A id=top href=\"#top\">先頭</A>"
                                  "<A id=odd href=\"http://[bad\">壊</A></BODY></HTML>")
                       .toUtf8());
    const QString address = server.address("/site/index.html");
    CZQDoc* doc = app->OpenNewPage(address);
    ASSERT_NE(doc, nullptr);
    QDeadlineTimer deadline(15000);
    while (!app->GetActiveView()->m_bLoadCompleted || page()->title().isEmpty()) {
        ASSERT_FALSE(deadline.hasExpired());
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    }
    const QString site = server.address("/site/");
    EXPECT_EQ(attr("photo", "src"), site + "img/写真.gif");
    EXPECT_EQ(page()->body()->getAttributeText("background"), site + "img/kabe.gif");
    EXPECT_EQ(attr("root", "src"), server.address("/logo.gif"));
    EXPECT_EQ(attr("sub", "href"), site + "sub/b.html?x=1#t");
    EXPECT_EQ(attr("up", "href"), server.address("/top.html"));
    EXPECT_EQ(attr("other", "href"), "http://www.example.jp/a.html");
    EXPECT_EQ(attr("mail", "href"), "mailto:a@example.jp");
    EXPECT_EQ(attr("top", "href"), "#top");
    EXPECT_EQ(attr("odd", "href"), "http://[bad");
    EXPECT_FALSE(doc->isModified() && page()->isDirty()); // the load changed nothing of the user's

    const QString target = dir.filePath("saved/index.html");
    QDir().mkpath(dir.filePath("saved"));
    ASSERT_TRUE(doc->doSave(target, true));
    EXPECT_EQ(attr("photo", "src"), "img/写真.gif");
    EXPECT_EQ(page()->body()->getAttributeText("background"), "img/kabe.gif");
    EXPECT_EQ(attr("sub", "href"), "sub/b.html?x=1#t");
    EXPECT_EQ(attr("root", "src"), server.address("/logo.gif"));
    EXPECT_EQ(attr("up", "href"), server.address("/top.html"));
    EXPECT_EQ(attr("other", "href"), "http://www.example.jp/a.html");
    EXPECT_TRUE(saved(target).contains("img/写真.gif"));
}

// ---- images made in the temporary folder -----------------------------------------------

TEST_F(PageLinksSaveTest, ABannerMadeInTheTemporaryFolderIsSavedIntoTheUserImageFolder)
{
    const QString temporary = TempImageFolder();
    const QString user = UserImageFolder();
    put(temporary + "/banner 1.png", "PNG banner one");
    put(temporary + "/more/banner 1.png", "PNG another banner");
    put(user + "/old.png", "made last week");
    put(temporary + "/old.png", "made today");
    const QString url = QStringLiteral("file://%1/banner%201.png").arg(temporary);
    CZQDoc* doc = openPage(dir.filePath("page.html"),
                           QStringLiteral("<HTML><HEAD><TITLE>t</TITLE></HEAD><BODY><IMG id=b1 src=\"%1\">"
                                          "<IMG id=b2 src=\"%2/more/banner 1.png\"><IMG id=b3 src=\"%2/banner 1.png\">"
                                          "<IMG id=old src=\"%2/old.png\"></BODY></HTML>")
                               .arg(url, temporary));
    ASSERT_NE(doc, nullptr);
    ASSERT_TRUE(doc->OnFileSave());
    EXPECT_EQ(attr("b1", "src"), user + "/banner 1.png");
    EXPECT_EQ(attr("b3", "src"), user + "/banner 1.png");
    EXPECT_EQ(attr("b2", "src"), user + "/banner 10.png");
    EXPECT_EQ(readTestFile(user + "/banner 1.png"), "PNG banner one");
    EXPECT_EQ(readTestFile(user + "/banner 10.png"), "PNG another banner");
    EXPECT_EQ(readTestFile(user + "/old.png"), "made last week");
    EXPECT_EQ(attr("old", "src"), user + "/old0.png");
    EXPECT_EQ(readTestFile(user + "/old0.png"), "made today");
}

TEST_F(PageLinksSaveTest, ABannerOnAPageOfTheWebStaysForTheWeb)
{
    const QString temporary = TempImageFolder();
    put(temporary + "/banner.png", "PNG banner");
    openWeb({"index.html"});
    CZQDoc* doc = openPage(web + "/index.html", QStringLiteral("<HTML><HEAD><TITLE>t</TITLE></HEAD><BODY>"
                                                               "<IMG id=b src=\"%1/banner.png\"></BODY></HTML>")
                                                    .arg(temporary));
    ASSERT_NE(doc, nullptr);
    ASSERT_TRUE(doc->OnFileSave());
    // Saved into the web: the web's image folder takes it like any image.
    EXPECT_EQ(attr("b", "src"), "image/banner.png");
    EXPECT_FALSE(QFileInfo::exists(UserImageFolder() + "/banner.png"));
}

} // namespace
