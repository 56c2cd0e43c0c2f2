// The site list filled from real web folders, and the site manager page as
// the model of the open web, without the running program.
#include "res/resource.h"
#include "util/StringResources.h"
#include "web/CVornaSiteGridCtrl.h"
#include "web/SiteFileTexts.h"
#include "web/VornaDialogSiteManagerPage1.h"

#include "support/FakeAppContext.h"
#include "support/TestFiles.h"

#include "platform/CodePages.h"
#include "platform/ModalResponder.h"

#include <QDialog>
#include <QDir>
#include <QFile>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

QString page(const char* title)
{
    return QStringLiteral("<HTML><HEAD><TITLE>%1</TITLE></HEAD><BODY></BODY></HTML>").arg(QString::fromUtf8(title));
}

TEST(SiteFileTexts, SizesRoundHalfUpToKilobytesOfAThousandBytes)
{
    EXPECT_EQ(SiteSizeText(0), "0KB");
    EXPECT_EQ(SiteSizeText(499), "0KB");
    EXPECT_EQ(SiteSizeText(500), "1KB");
    EXPECT_EQ(SiteSizeText(1499), "1KB");
    EXPECT_EQ(SiteSizeText(1500), "2KB");
}

TEST(SiteFileTexts, TypesFollowTheExtensionWithoutCase)
{
    EXPECT_EQ(SiteFileType("page.HTM"), LoadResString(IDS_FILE_TYPE_HTML));
    EXPECT_EQ(SiteFileType("a.Html"), LoadResString(IDS_FILE_TYPE_HTML));
    EXPECT_EQ(SiteFileType("photo.JPG"), LoadResString(IDS_SITE_TYPE_IMAGE));
    EXPECT_EQ(SiteFileType("logo.png"), LoadResString(IDS_SITE_TYPE_IMAGE));
    EXPECT_EQ(SiteFileType("notes.txt"), QString());
}

TEST(SiteFileTexts, DatesShowTheTwelveHourClockWithTheLocalesDesignator)
{
    const QLocale c = QLocale::c();
    EXPECT_EQ(SiteDateText(QDateTime(QDate(2026, 12, 7), QTime(18, 5)), c), "2026-12-07 PM 06:05");
    EXPECT_EQ(SiteDateText(QDateTime(QDate(2026, 1, 2), QTime(0, 9)), c), "2026-01-02 AM 12:09");
    EXPECT_EQ(SiteDateText(QDateTime(QDate(2026, 1, 2), QTime(12, 0)), c), "2026-01-02 PM 12:00");
}

TEST(SiteFileTexts, TitlesAreFoundInUpperOrLowerCaseOnly)
{
    EXPECT_EQ(SitePageTitle("<title>My&nbsp;Page</title>"), "My Page");
    EXPECT_EQ(SitePageTitle("<TITLE>Top</TITLE>"), "Top");
    EXPECT_EQ(SitePageTitle("<Title>Mixed</Title>"), QString());
    EXPECT_EQ(SitePageTitle("<TITLE>no end"), QString());
    EXPECT_EQ(SitePageTitle("<TITLE></TITLE>"), QString());
}

TEST(SiteFileTexts, AFramesetPageNamesItsFramesAndItself)
{
    const QString html = "<FRAMESET cols='20%,*'><FRAME src='a/menu.html'><FRAME name=x>"
                         "<FRAME SRC=\"main.html\"></FRAMESET>";
    EXPECT_EQ(SiteFrameLinks("top.html", html),
              QStringList({"top.html/menu.html", "top.html/top.html", "top.html/main.html", "top.html/top.html"}));
    EXPECT_TRUE(SiteFrameLinks("plain.html", "<BODY>frames are nice</BODY>").isEmpty());
}

TEST(SiteFileTexts, PagesAreReadInTheirOwnCharset)
{
    QTemporaryDir dir;
    const QString title = QStringLiteral("日本語のページ");
    for (const char* charset : {"Shift_JIS", "EUC-JP", "UTF-8"}) {
        const QString html = QStringLiteral("<HTML><HEAD><META http-equiv=\"Content-Type\" content=\"text/html; "
                                            "charset=%1\"><TITLE>%2</TITLE></HEAD><BODY>本文です</BODY></HTML>")
                                 .arg(QString::fromLatin1(charset), title);
        const QString path = dir.filePath(QString::fromLatin1(charset) + ".html");
        ASSERT_TRUE(writeTestFile(path, platform::encodeText(html, QString::fromLatin1(charset))));
        QByteArray bytes;
        QString error, read;
        SiteFileStat stat;
        ASSERT_TRUE(ReadSitePageFile(path, stat, bytes, error));
        EXPECT_EQ(stat.size, bytes.size());
        ScanSitePage(bytes, "p.html", read, nullptr);
        EXPECT_EQ(read, title) << charset;
    }
    // Read whole: a charset whose characters may hold "<" and "/".
    const QString jis = QStringLiteral("<HTML><HEAD><TITLE>漢字の題&nbsp;名</TITLE></HEAD><FRAMESET>"
                                       "<FRAME src=\"menu.html\"></FRAMESET></HTML>");
    QString read;
    QStringList links;
    ScanSitePage(platform::encodeText(jis, "ISO-2022-JP"), "top.html", read, &links);
    EXPECT_EQ(read, QStringLiteral("漢字の題 名"));
    EXPECT_EQ(links, QStringList({"top.html/menu.html", "top.html/top.html"}));
    // A frame tag in lower case far past the title is found.
    const QByteArray late = "<title>t</title>" + QByteArray(10000, ' ') + "<frameset><frame src='x.html'>";
    links.clear();
    ScanSitePage(late, "f.html", read, &links);
    EXPECT_EQ(read, "t");
    EXPECT_EQ(links, QStringList({"f.html/x.html", "f.html/f.html"}));
    QByteArray bytes;
    QString error;
    SiteFileStat stat;
    EXPECT_FALSE(ReadSitePageFile(dir.filePath("missing.html"), stat, bytes, error));
    EXPECT_FALSE(stat.exists);
    EXPECT_TRUE(error.contains("missing.html"));
}

TEST(SiteFileTexts, AFolderListsItsFoldersFirstWithoutHiddenEntriesAndTheProjectFile)
{
    QTemporaryDir dir;
    const QString web = dir.filePath("web");
    for (const char* file : {"z.html", "index.html", "project.ini", ".hidden.html", "VornaPreview~1.html", "b/x.html",
                             "a/y.gif", ".git/config"})
        ASSERT_TRUE(writeTestFile(web + "/" + file, "x"));
    ASSERT_TRUE(writeTestFile(dir.filePath("outside.html"), "x"));
    ASSERT_TRUE(QFile::link(web + "/b", web + "/linked-folder"));
    ASSERT_TRUE(QFile::link(dir.filePath("outside.html"), web + "/outside.html"));
    ASSERT_TRUE(QFile::link(web + "/z.html", web + "/inside.html"));

    QStringList entries;
    QString error;
    ASSERT_TRUE(ListSiteFolder(web, web, entries, error));
    ASSERT_EQ(entries.size(), 5);
    EXPECT_EQ(QSet<QString>(entries.begin(), entries.begin() + 2), QSet<QString>({web + "/a/", web + "/b/"}));
    EXPECT_EQ(QSet<QString>(entries.begin() + 2, entries.end()),
              QSet<QString>({web + "/z.html", web + "/index.html", web + "/inside.html"}));
    EXPECT_FALSE(ListSiteFolder(web + "/none", web, entries, error));
    EXPECT_TRUE(error.contains("none"));
}

// A web on disk and a site manager page on it.
class SiteListTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        web = dir.filePath("myweb");
        context.web = web;
        QLocale::setDefault(QLocale::c());
    }
    void TearDown() override { QLocale::setDefault(QLocale::system()); }
    void write(const QString& file, const QByteArray& data) { ASSERT_TRUE(writeTestFile(web + "/" + file, data)); }
    CVornaSiteGridCtrl& list() { return *sitePage.siteList(); }
    int imageOf(int row) { return list().GetData(list().GetTreeItem(row))->GetImage(); }
    int rowOf(const QString& name)
    {
        for (int row = 0; row < list().GetItemCount(); ++row) {
            if (list().GetItemText(row, 0) == name)
                return row;
        }
        return -1;
    }

    QTemporaryDir dir;
    QString web;
    FakeAppContext context;
    VornaDialogSiteManagerPage1 sitePage;
};

TEST_F(SiteListTest, TheFillShowsTheWebRowThenEachFolderBeforeItsFiles)
{
    write("index.html", page("Home").toUtf8());
    write("photo.JPG", QByteArray(1500, 'x'));
    write("notes.txt", QByteArray(499, 'x'));
    write("b/deep/page.HTM", page("Deep").toUtf8());
    write("a/.hidden", "x");
    ASSERT_TRUE(sitePage.LoadWeb());

    // The web, a, b, deep, page.HTM, then the three files.
    ASSERT_EQ(list().GetItemCount(), 8);
    EXPECT_EQ(list().GetItemText(0, 0), "myweb[" + web + "]");
    EXPECT_EQ(list().GetRowType(0), "Web");
    EXPECT_EQ(imageOf(0), CVornaSiteGridCtrl::ImageWeb);
    // Folders first, then files; each folder's contents under it.
    EXPECT_EQ(list().GetRowType(1), LoadResString(IDS_SITE_TYPE_FOLDER));
    EXPECT_EQ(list().GetRowType(2), LoadResString(IDS_SITE_TYPE_FOLDER));
    const int deep = rowOf("page.HTM");
    EXPECT_EQ(list().GetItemPath(deep), "b/deep/page.HTM");
    EXPECT_EQ(list().GetItemText(deep, 1), "Deep");
    EXPECT_EQ(imageOf(deep), CVornaSiteGridCtrl::ImagePage);
    EXPECT_GT(rowOf("index.html"), deep);
    const int photo = rowOf("photo.JPG");
    EXPECT_EQ(list().GetItemText(photo, 2), "2KB");
    EXPECT_EQ(list().GetRowType(photo), LoadResString(IDS_SITE_TYPE_IMAGE));
    EXPECT_EQ(imageOf(photo), CVornaSiteGridCtrl::ImagePicture);
    const int notes = rowOf("notes.txt");
    EXPECT_EQ(list().GetItemText(notes, 2), "0KB");
    EXPECT_EQ(list().GetRowType(notes), QString());
    EXPECT_EQ(imageOf(notes), CVornaSiteGridCtrl::ImageFile);
    EXPECT_TRUE(
        list().GetItemText(notes, 4).contains(QRegularExpression("^\\d{4}-\\d\\d-\\d\\d [AP]M \\d\\d:\\d\\d$")));
    EXPECT_EQ(list().GetColumnCount(), 5);

    // A second load neither doubles the columns nor the rows.
    ASSERT_TRUE(sitePage.LoadWeb());
    EXPECT_EQ(list().GetColumnCount(), 5);
    EXPECT_EQ(list().GetItemCount(), 8);
}

TEST_F(SiteListTest, TheDeleteKeyDeletesTheSelectedFileAfterTheQuestion)
{
    write("index.html", page("Home").toUtf8());
    write("notes.txt", QByteArray(10, 'x'));
    ASSERT_TRUE(sitePage.LoadWeb());
    const int rows = list().GetItemCount();
    list().SelectOnly(rowOf("notes.txt"));
    platform::ModalResponder responder;
    responder.answerMessageBox(platform::IDNO, LoadResString(IDS_SITE_DELETE_QUESTION));
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Delete, Qt::NoModifier);
    QCoreApplication::sendEvent(&list(), &press);
    EXPECT_EQ(list().GetItemCount(), rows);
    EXPECT_TRUE(QFile::exists(QDir(web).filePath(QStringLiteral("notes.txt"))));

    responder.answerMessageBox(platform::IDYES, LoadResString(IDS_SITE_DELETE_QUESTION));
    QCoreApplication::sendEvent(&list(), &press);
    EXPECT_EQ(list().GetItemCount(), rows - 1);
    EXPECT_FALSE(QFile::exists(QDir(web).filePath(QStringLiteral("notes.txt"))));
    EXPECT_EQ(responder.runs().size(), 2);
    // Other keys are not the list's: End moves nothing.
    list().SelectOnly(0);
    QKeyEvent end(QEvent::KeyPress, Qt::Key_End, Qt::NoModifier);
    QCoreApplication::sendEvent(&list(), &end);
    EXPECT_EQ(list().GetSelectedRow(), 0);
}

TEST_F(SiteListTest, TheLinkPassMarksFramesetPagesAndTheirFrames)
{
    write("top.html", "<FRAMESET cols='*,*'><FRAME src='a/menu.html'><FRAME src='main.html'></FRAMESET>");
    write("main.html", page("Main").toUtf8());
    write("a/menu.html", page("Menu").toUtf8());
    write("other.html", page("Other").toUtf8());
    ASSERT_TRUE(sitePage.LoadWeb());

    EXPECT_EQ(list().GetItemKind(rowOf("top.html")), 2);
    EXPECT_EQ(list().GetItemTag(rowOf("top.html")), QString());
    for (const char* frame : {"main.html", "menu.html"}) {
        EXPECT_EQ(list().GetItemKind(rowOf(frame)), 1) << frame;
        EXPECT_EQ(list().GetItemTag(rowOf(frame)), "top.html") << frame;
    }
    EXPECT_EQ(list().GetItemKind(rowOf("other.html")), 0);
    // Rows outside the list give nothing and take nothing.
    EXPECT_EQ(list().GetItemTag(99), QString());
    EXPECT_FALSE(list().SetItemKind(-1, 1));
    EXPECT_FALSE(list().SetCellText(99, 0, "x"));
    EXPECT_EQ(list().GetItemPath(99), QString());
}

TEST_F(SiteListTest, AReloadKeepsTheNameColumnsWidthAndFindsNewFiles)
{
    write("index.html", page("Home").toUtf8());
    ASSERT_TRUE(sitePage.LoadWeb());
    list().SetColumnWidth(0, 222);
    write("sub/new.html", page("New").toUtf8());
    ASSERT_TRUE(list().Reload());
    EXPECT_EQ(list().GetColumnWidth(0), 222);
    EXPECT_GE(rowOf("new.html"), 0);
}

TEST_F(SiteListTest, UnreadablePagesAreToldInOneMessageAndTheFillGoesOn)
{
    write("index.html", page("Home").toUtf8());
    // Pipes named like pages: never read (they would never end), but listed.
    ASSERT_EQ(::mkfifo(QFile::encodeName(web + "/pipe.html").constData(), 0600), 0);
    ASSERT_TRUE(QDir().mkpath(web + "/sub"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(web + "/sub/other.htm").constData(), 0600), 0);
    platform::ModalResponder responder;
    responder.answerMessageBox(platform::IDOK, "pipe.html");
    ASSERT_TRUE(sitePage.LoadWeb());
    ASSERT_EQ(responder.runs().size(), 1);
    EXPECT_TRUE(responder.messageTexts().value(0).contains("other.htm"));
    EXPECT_EQ(list().GetItemText(rowOf("index.html"), 1), "Home");
    EXPECT_GT(rowOf("pipe.html"), 0);
    EXPECT_EQ(list().GetItemText(rowOf("pipe.html"), 1), QString());
}

TEST_F(SiteListTest, FileRowsAreFoundByPathsInsideTheWebOnly)
{
    write("index.html", page("Home").toUtf8());
    write("sub/a.html", page("A").toUtf8());
    write("other/a.html", page("Other A").toUtf8());
    ASSERT_TRUE(sitePage.LoadWeb());

    const int sub = sitePage.FindFileRow("sub/a.html");
    ASSERT_GT(sub, 0);
    EXPECT_EQ(list().GetItemPath(sub), "sub/a.html");
    EXPECT_EQ(sitePage.FindFileRow("sub\\a.html"), sub);
    EXPECT_EQ(sitePage.FindFileRow(web + "/sub/a.html"), sub);
    EXPECT_NE(sitePage.FindFileRow("other/a.html"), sub);
    EXPECT_EQ(sitePage.FindFileRow("a.html"), -1);
    // A folder that holds files is not a file's row.
    EXPECT_EQ(sitePage.FindFileRow("sub"), -1);
    // Web and Web2: a full path must lie in the web folder itself.
    EXPECT_EQ(sitePage.FindFileRow(web + "2/index.html"), -1);
    EXPECT_EQ(sitePage.FindFileRow(dir.filePath("index.html")), -1);
    // A view whose page lies outside the web.
    CZQView* view = context.view(0);
    context.viewPages.insert(view, AppContext::OpenDocument(nullptr, "index.html", dir.filePath("x/index.html")));
    EXPECT_EQ(sitePage.FindFileRow("index.html", view), -1);
    context.viewPages.insert(view, AppContext::OpenDocument(nullptr, "index.html", web + "/index.html"));
    EXPECT_GT(sitePage.FindFileRow("index.html", view), 0);

    // A file in a folder the user closed is found, its folder opened again.
    const int folder = rowOf("sub");
    list().Collapse(list().GetTreeItem(folder));
    EXPECT_EQ(list().GetItemPath(sitePage.FindFileRow("sub/a.html")), "sub/a.html");
}

TEST_F(SiteListTest, PageNamesAndTitlesListTheSamePagesInTheSameOrder)
{
    write("index.html", page("Home").toUtf8());
    write("img/logo.gif", "GIF89a");
    write("sub/a.html", page("A").toUtf8());
    ASSERT_TRUE(sitePage.LoadWeb());
    EXPECT_EQ(sitePage.GetPageFileNames(), QStringList({"a.html", "index.html"}));
    EXPECT_EQ(sitePage.GetPageTitles(), QStringList({"A", "Home"}));
}

TEST_F(SiteListTest, TheModifiedListHoldsEachPathOnceAndTheProjectFileFirst)
{
    EXPECT_EQ(sitePage.GetModifiedFiles(), nullptr);
    sitePage.AddModifiedFile("index.html");
    sitePage.AddModifiedFile("sub/a.html");
    sitePage.AddModifiedFile("index.html");
    ASSERT_NE(sitePage.GetModifiedFiles(), nullptr);
    EXPECT_EQ(*sitePage.GetModifiedFiles(), QStringList({"sub/a.html", "index.html"}));

    sitePage.m_bWebChanged = 1;
    sitePage.GetModifiedFiles();
    EXPECT_EQ(*sitePage.GetModifiedFiles(), QStringList({"project.ini", "sub/a.html", "index.html"}));

    // Uploads take names off; an emptied list is none.
    EXPECT_TRUE(sitePage.RemoveModifiedFile("sub/a.html"));
    EXPECT_FALSE(sitePage.RemoveModifiedFile("sub/a.html"));
    sitePage.ClearProjectFilePending();
    EXPECT_TRUE(sitePage.RemoveModifiedFile("project.ini"));
    EXPECT_TRUE(sitePage.RemoveModifiedFile("index.html"));
    EXPECT_EQ(sitePage.GetModifiedFiles(), nullptr);
    sitePage.AddModifiedFile("x.html");
    sitePage.ClearModifiedFiles();
    EXPECT_EQ(sitePage.GetModifiedFiles(), nullptr);
}

TEST_F(SiteListTest, FrameRowsAreLinkedRenamedAndUnlinked)
{
    write("top.html", "<FRAMESET><FRAME src='left.html'></FRAMESET>");
    write("left.html", page("Left").toUtf8());
    ASSERT_TRUE(sitePage.LoadWeb());
    const int rows = list().GetItemCount();

    sitePage.AddOrUpdateFileRow("right.html", "top.html");
    ASSERT_EQ(list().GetItemCount(), rows + 1);
    EXPECT_EQ(list().GetItemTag(rows), "top.html");
    EXPECT_EQ(list().GetRowType(rows), LoadResString(IDS_FILE_TYPE_HTML));

    // Renaming the frameset page keeps its frames under it.
    sitePage.RenameFileRow("top.html", "frames.html");
    EXPECT_EQ(rowOf("top.html"), -1);
    EXPECT_EQ(list().GetItemTag(rowOf("left.html")), "frames.html");
    EXPECT_EQ(list().GetItemTag(rowOf("right.html")), "frames.html");

    sitePage.UnlinkChildRows("FRAMES.html");
    EXPECT_EQ(list().GetItemTag(rowOf("left.html")), QString());
    EXPECT_EQ(list().GetItemKind(rowOf("right.html")), 0);

    sitePage.SetPageTitle("left.html", "New title");
    EXPECT_EQ(list().GetItemText(rowOf("left.html"), 1), "New title");
    sitePage.RemoveFileRow("left.html");
    EXPECT_EQ(rowOf("left.html"), -1);
}

TEST_F(SiteListTest, DeletingAsksOnceAndRemovesTheSelectedFilesAndFolders)
{
    write("index.html", page("Home").toUtf8());
    write("a/same.html", "x");
    write("b/same.html", "x");
    write("b/deep/more.gif", "x");
    write("c.html", "x");
    ASSERT_TRUE(sitePage.LoadWeb());
    sitePage.AddModifiedFile("a/same.html");

    // The web row alone: nothing, not even a question.
    list().SelectOnly(0);
    sitePage.OnDelete();
    EXPECT_TRUE(QFileInfo::exists(web + "/index.html"));

    // The web row with others: the others go, from the bottom up.
    list().SelectOnly(0);
    list().SetItemState(rowOf("b"), LVIS_SELECTED, LVIS_SELECTED);
    list().SetItemState(sitePage.FindFileRow("a/same.html"), LVIS_SELECTED, LVIS_SELECTED);
    list().SetItemState(rowOf("c.html"), LVIS_SELECTED, LVIS_SELECTED);
    platform::ModalResponder responder;
    responder.answerMessageBox(platform::IDYES, LoadResString(IDS_SITE_DELETE_QUESTION));
    sitePage.OnDelete();

    EXPECT_FALSE(QFileInfo::exists(web + "/b"));
    EXPECT_FALSE(QFileInfo::exists(web + "/a/same.html"));
    EXPECT_FALSE(QFileInfo::exists(web + "/c.html"));
    EXPECT_TRUE(QFileInfo::exists(web + "/index.html"));
    EXPECT_TRUE(QFileInfo::exists(web + "/a"));
    EXPECT_EQ(sitePage.FindFileRow("a/same.html"), -1);
    EXPECT_EQ(rowOf("b"), -1);
    EXPECT_EQ(rowOf("c.html"), -1);
    EXPECT_GT(rowOf("index.html"), 0);
    EXPECT_EQ(list().GetSelectedCount(), 0);
    EXPECT_EQ(sitePage.m_bWebChanged, 1);
    EXPECT_EQ(*sitePage.GetModifiedFiles(), QStringList({"project.ini"}));

    // Answered No: nothing goes.
    list().SelectOnly(rowOf("index.html"));
    responder.answerMessageBox(platform::IDNO);
    sitePage.OnDelete();
    EXPECT_TRUE(QFileInfo::exists(web + "/index.html"));
}

TEST_F(SiteListTest, DeletingTakesTheFilesSelectedWhenAskedThoughTheListIsFilledAgainMeanwhile)
{
    write("index.html", page("Home").toUtf8());
    write("c.html", "x");
    write("d.html", "x");
    ASSERT_TRUE(sitePage.LoadWeb());
    list().SelectOnly(rowOf("c.html"));
    platform::ModalResponder responder;
    responder.onMessageBox(
        [&](QDialog& box) {
            // A folder made while the question is open comes first and moves the files' rows.
            write("added/new.gif", "x");
            ASSERT_TRUE(list().Reload());
            ASSERT_TRUE(platform::ModalResponder::press(box, platform::IDYES));
        },
        LoadResString(IDS_SITE_DELETE_QUESTION));
    sitePage.OnDelete();

    EXPECT_FALSE(QFileInfo::exists(web + "/c.html"));
    for (const char* kept : {"index.html", "d.html", "added/new.gif"})
        EXPECT_TRUE(QFileInfo::exists(web + "/" + kept)) << kept;
    EXPECT_EQ(rowOf("c.html"), -1);
    for (const char* listed : {"index.html", "d.html", "added", "new.gif"})
        EXPECT_GT(rowOf(listed), 0) << listed;
}

TEST_F(SiteListTest, ALongWebNameEndsInDotsAndFits)
{
    const QFontMetrics metrics(QFont("DejaVu Sans", 9));
    const QString name = "a-web-with-a-rather-long-name";
    const int width = metrics.horizontalAdvance("a-web-with");
    const QString shown = VornaDialogSiteManagerPage1::ShortenToWidth(name, metrics, width);
    EXPECT_TRUE(shown.endsWith("..."));
    EXPECT_LE(metrics.horizontalAdvance(shown), width);
    EXPECT_TRUE(name.startsWith(shown.chopped(3)));
    EXPECT_EQ(VornaDialogSiteManagerPage1::ShortenToWidth("short", metrics, 200), "short");
}

} // namespace
