// Editing the site list's cells with no page open: the second click, the
// refusals of new names, renaming files on disk and writing titles into page
// files of the three Japanese charsets.
#include "controls/CListEditCtrl.h"
#include "res/resource.h"
#include "util/StringResources.h"
#include "web/CVornaSiteGridCtrl.h"
#include "web/SiteFileTexts.h"
#include "web/VornaDialogSiteManagerPage1.h"

#include "support/FakeAppContext.h"
#include "support/TestFiles.h"

#include "platform/CodePages.h"
#include "platform/ModalResponder.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <unistd.h>

namespace {

using platform::ModalResponder;

QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void settle()
{
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

class SiteListEditTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        web = dir.filePath("myweb");
        context.web = web;
        write("index.html", "<HTML><HEAD><TITLE>Home</TITLE></HEAD><BODY><A href=\"a.htm\">a</A></BODY></HTML>");
        write("a.htm", "<HTML><HEAD><TITLE>A</TITLE></HEAD><BODY></BODY></HTML>");
        write("sub/b.html", "<HTML><HEAD><TITLE>B</TITLE></HEAD><BODY></BODY></HTML>");
        write("image/logo.gif", "GIF89a");
        write("notes.txt", "x");
        ASSERT_TRUE(sitePage.LoadWeb());
        sitePage.resize(600, 400);
        list().setGeometry(0, 0, 600, 400);
        sitePage.show();
        QApplication::setActiveWindow(&sitePage);
        list().setFocus();
        settle();
    }
    void write(const QString& file, const QByteArray& data) { ASSERT_TRUE(writeTestFile(web + "/" + file, data)); }
    CVornaSiteGridCtrl& list() { return *sitePage.siteList(); }
    int rowOf(const QString& name)
    {
        for (int row = 0; row < list().GetItemCount(); ++row) {
            if (list().GetItemText(row, 0) == name)
                return row;
        }
        return -1;
    }
    // The editor the list opens for the cell, or null.
    CListEditCtrl* editor() { return list().findChild<CListEditCtrl*>(); }
    // Edits a cell as the user does after the second click: types the text, presses Enter.
    void edit(int row, int column, const QString& text)
    {
        // A message box before took the activation along.
        QApplication::setActiveWindow(&sitePage);
        list().SelectOnly(row);
        list().m_nLastRow = row;
        list().m_nLastCol = column;
        list().EditCell(row, column);
        CListEditCtrl* box = editor();
        ASSERT_NE(box, nullptr);
        box->setText(text);
        QTest::keyClick(box, Qt::Key_Return);
        settle();
    }
    void clickCell(int row, int column, bool onLabel = true)
    {
        QApplication::setActiveWindow(&sitePage);
        const platform::Rect cell =
            column == 0 && onLabel ? list().GetItemRect(row, LVIR_LABEL) : list().GetSubItemRect(row, column);
        const QPoint point(cell.left + 6, (cell.top + cell.bottom) / 2);
        for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
            QMouseEvent event(type, point, list().viewport()->mapToGlobal(point), Qt::LeftButton,
                              type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
            QCoreApplication::sendEvent(list().viewport(), &event);
        }
        settle();
    }
    void closeEditor()
    {
        if (CListEditCtrl* box = editor())
            QTest::keyClick(box, Qt::Key_Escape);
        settle();
    }

    QTemporaryDir dir;
    QString web;
    FakeAppContext context;
    VornaDialogSiteManagerPage1 sitePage;
};

TEST_F(SiteListEditTest, OnlyTheSecondClickOnANameOrAPageTitleEdits)
{
    const int index = rowOf("index.html");
    clickCell(index, 1);
    EXPECT_EQ(editor(), nullptr);
    clickCell(index, 1);
    ASSERT_NE(editor(), nullptr);
    EXPECT_EQ(editor()->objectName(), "id_4660");
    EXPECT_EQ(editor()->text(), "Home");
    closeEditor();

    // Another cell in between starts counting again.
    clickCell(index, 0);
    clickCell(rowOf("a.htm"), 0);
    EXPECT_EQ(editor(), nullptr);
    clickCell(rowOf("a.htm"), 0);
    ASSERT_NE(editor(), nullptr);
    EXPECT_EQ(editor()->objectName(), "id_4659");
    closeEditor();

    // Never the web's row, a folder, the size, type or date, nor an image's title.
    for (const QString& name : {QStringLiteral("myweb[") + web + "]", QStringLiteral("sub")}) {
        clickCell(rowOf(name), 0);
        clickCell(rowOf(name), 0);
        EXPECT_EQ(editor(), nullptr) << name.toStdString();
    }
    for (int column : {2, 3, 4}) {
        clickCell(index, column);
        clickCell(index, column);
        EXPECT_EQ(editor(), nullptr) << column;
    }
    clickCell(rowOf("logo.gif"), 1);
    clickCell(rowOf("logo.gif"), 1);
    EXPECT_EQ(editor(), nullptr);

    // An editor opened over another column is refused as it begins: it closes and changes nothing.
    const QString type = list().GetItemText(index, 3);
    ASSERT_NE(list().EditSubItem(index, 3), nullptr);
    settle();
    EXPECT_EQ(editor(), nullptr);
    EXPECT_EQ(list().GetItemText(index, 3), type);
    EXPECT_TRUE(list().hasFocus());
}

TEST_F(SiteListEditTest, NewNamesAreRefusedWithTheirMessagesAndNothingChanges)
{
    const int index = rowOf("index.html");
    ModalResponder responder;
    const std::vector<std::pair<QString, QString>> refusals = {
        {"index.txt", LoadResString(IDS_SITE_BAD_EXTENSION)},
        {"in:dex.html", LoadResString(IDS_BAD_FILE_NAME)},
        {".index.html", LoadResString(IDS_BAD_FILE_NAME)},
        {"in\tdex.html", LoadResString(IDS_BAD_FILE_NAME)},
        {"a.htm.html", QString()},
    };
    write("a.htm.html", "taken");
    ASSERT_TRUE(list().Reload());
    for (const auto& [name, message] : refusals) {
        const qsizetype runs = responder.runs().size();
        responder.answerMessageBox(platform::IDOK, message.isEmpty() ? LoadResString(IDS_SITE_NAME_EXISTS) : message);
        edit(rowOf("index.html"), 0, name);
        EXPECT_EQ(responder.runs().size(), runs + 1) << name.toStdString();
        EXPECT_TRUE(QFile::exists(web + "/index.html")) << name.toStdString();
        EXPECT_EQ(list().GetItemText(rowOf("index.html"), 0), "index.html");
    }
    // An empty name (a page's is first refused for its extension).
    responder.answerMessageBox(platform::IDOK, LoadResString(IDS_SITE_NAME_EMPTY));
    edit(rowOf("logo.gif"), 0, "");
    EXPECT_TRUE(QFile::exists(web + "/image/logo.gif"));
    // A page made from a template has no file name to change yet.
    list().SetCellText(index, 0, "ULO1");
    const qsizetype runs = responder.runs().size();
    responder.answerMessageBox(platform::IDOK, LoadResString(IDS_SAVE_BEFORE_RENAME));
    clickCell(index, 0);
    clickCell(index, 0);
    EXPECT_EQ(responder.runs().size(), runs + 1);
    EXPECT_EQ(editor(), nullptr);
}

TEST_F(SiteListEditTest, AClosedFileIsRenamedOnDiskAndAnExtensionChangeReloads)
{
    ModalResponder responder;
    // A picture may become any name; No leaves the links alone.
    responder.answerMessageBox(platform::IDNO, LoadResString(IDS_SITE_CHANGED_RELINK));
    edit(rowOf("logo.gif"), 0, "logo.txt");
    EXPECT_TRUE(QFile::exists(web + "/image/logo.txt"));
    EXPECT_FALSE(QFile::exists(web + "/image/logo.gif"));
    EXPECT_GE(rowOf("logo.txt"), 0);
    EXPECT_TRUE(list().m_bJustEdited);
    // Under its new name it is new to the server: publishing the modified files sends it.
    responder.answerMessageBox(platform::IDNO, LoadResString(IDS_SITE_CHANGED_RELINK));
    edit(rowOf("logo.txt"), 0, "logo.png");
    ASSERT_NE(sitePage.GetModifiedFiles(), nullptr);
    EXPECT_EQ(*sitePage.GetModifiedFiles(), QStringList({"project.ini", "image/logo.png"}));

    // A change of case only is a new name.
    responder.answerMessageBox(platform::IDNO, LoadResString(IDS_SITE_CHANGED_RELINK));
    const int b = rowOf("b.html");
    list().SetCellText(b, 1, "marked");
    edit(b, 0, "B.html");
    EXPECT_TRUE(QFile::exists(web + "/sub/B.html"));
    EXPECT_FALSE(QFile::exists(web + "/sub/b.html"));
    // a.html to b.html keeps the list as it is (the row's other texts stay) ...
    EXPECT_EQ(list().GetItemText(rowOf("B.html"), 1), "marked");
    responder.answerMessageBox(platform::IDNO, LoadResString(IDS_SITE_CHANGED_RELINK));
    edit(rowOf("B.html"), 0, "c.html");
    EXPECT_EQ(list().GetItemText(rowOf("c.html"), 1), "marked");
    // ... a.htm to a.html reloads it from the folder.
    responder.answerMessageBox(platform::IDNO, LoadResString(IDS_SITE_CHANGED_RELINK));
    edit(rowOf("c.html"), 0, "c.htm");
    EXPECT_EQ(list().GetItemText(rowOf("c.htm"), 1), "B");
    EXPECT_EQ(responder.runs().size(), 5);
}

TEST_F(SiteListEditTest, ARenameTheFileSystemRefusesKeepsTheRowAndAsksNothing)
{
    // A name longer than the file system takes.
    ModalResponder responder;
    responder.answerMessageBox(platform::IDOK, "b.html");
    edit(rowOf("b.html"), 0, QString(300, QLatin1Char('n')) + ".html");
    ASSERT_EQ(responder.runs().size(), 1);
    EXPECT_TRUE(QFile::exists(web + "/sub/b.html"));
    EXPECT_GE(rowOf("b.html"), 0);

    // A folder its owner made read-only, likewise (root writes there all the same).
    if (::geteuid() == 0)
        return;
    ASSERT_TRUE(QFile::setPermissions(web + "/sub", QFile::ReadOwner | QFile::ExeOwner));
    responder.answerMessageBox(platform::IDOK, "b.html");
    edit(rowOf("b.html"), 0, "renamed.html");
    QFile::setPermissions(web + "/sub", QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    EXPECT_EQ(responder.runs().size(), 2);
    EXPECT_TRUE(QFile::exists(web + "/sub/b.html"));
    EXPECT_GE(rowOf("b.html"), 0);
    EXPECT_EQ(rowOf("renamed.html"), -1);
}

TEST_F(SiteListEditTest, ATitleEditWritesOnlyTheTitleOfAClosedPageInItsCharset)
{
    const QString body = QStringLiteral("<BODY><P>本文は変わらない &copy; ①</P></BODY></HTML>");
    for (const char* name : {"Shift_JIS", "EUC-JP", "UTF-8"}) {
        const QString charset = QString::fromLatin1(name);
        const QString head = QStringLiteral("<HTML><HEAD><META http-equiv=\"Content-Type\" content=\"text/html; "
                                            "charset=%1\">\r\n<TITLE>古い題</TITLE></HEAD>")
                                 .arg(charset);
        const QByteArray before = platform::encodeText(head + body, charset);
        write(charset + ".html", before);
    }
    ASSERT_TRUE(list().Reload());
    for (const char* name : {"Shift_JIS", "EUC-JP", "UTF-8"}) {
        const QString charset = QString::fromLatin1(name);
        const QString file = web + "/" + charset + ".html";
        const QByteArray before = readAll(file);
        edit(rowOf(charset + ".html"), 1, QStringLiteral("新しい <題> & 絵文字😀"));
        const QByteArray after = readAll(file);
        const QByteArray oldTitle = platform::encodeText(QStringLiteral("古い題"), charset);
        const qsizetype at = before.indexOf(oldTitle);
        ASSERT_GT(at, 0);
        // Every byte around the title as it was; the title escaped, in the page's charset.
        EXPECT_EQ(after.left(at), before.left(at)) << name;
        EXPECT_EQ(after.mid(after.size() - (before.size() - at - oldTitle.size())), before.mid(at + oldTitle.size()))
            << name;
        const QString expected = charset == "UTF-8" ? QStringLiteral("新しい &lt;題> &amp; 絵文字😀")
                                                    : QStringLiteral("新しい &lt;題> &amp; 絵文字&#128512;");
        EXPECT_EQ(platform::decodeText(after.mid(at, after.size() - before.size() + oldTitle.size()), charset),
                  expected)
            << name;
        EXPECT_EQ(list().GetItemText(rowOf(charset + ".html"), 1), QStringLiteral("新しい <題> & 絵文字😀"));
    }
}

TEST_F(SiteListEditTest, TitleEditsKeepWhatCannotOrNeedNotChange)
{
    const QString index = web + "/index.html";
    const QByteArray original = readAll(index);
    // Emptying a title does nothing; blanks become one blank.
    edit(rowOf("index.html"), 1, "");
    EXPECT_EQ(readAll(index), original);
    edit(rowOf("index.html"), 1, "   ");
    EXPECT_TRUE(readAll(index).contains("<TITLE> </TITLE>"));
    EXPECT_EQ(list().GetItemText(rowOf("index.html"), 1), " ");

    // No TITLE, or an empty one: the file stays.
    write("none.html", "<HTML><BODY>x</BODY></HTML>");
    write("empty.html", "<HTML><HEAD><title></title></HEAD></HTML>");
    // Not text of any charset the page could be in.
    write("broken.html", QByteArray("<HTML><HEAD><META charset=\"UTF-8\"><TITLE>t</TITLE></HEAD>\xff\xfe\x80</HTML>"));
    ASSERT_TRUE(list().Reload());
    ModalResponder responder;
    for (const char* name : {"none.html", "empty.html"}) {
        const QByteArray bytes = readAll(web + "/" + name);
        edit(rowOf(name), 1, "New");
        EXPECT_EQ(readAll(web + "/" + name), bytes) << name;
    }
    responder.answerMessageBox(platform::IDOK, LoadResString(IDS_SITE_TITLE_NOT_DECODED));
    const QByteArray broken = readAll(web + "/broken.html");
    edit(rowOf("broken.html"), 1, "New");
    EXPECT_EQ(readAll(web + "/broken.html"), broken);
    EXPECT_EQ(list().GetItemText(rowOf("broken.html"), 1), "t");

    // A read-only file stays whole and the user is told.
    if (::geteuid() != 0) {
        ASSERT_TRUE(QFile::setPermissions(index, QFile::ReadOwner));
        responder.answerMessageBox(platform::IDOK, "index.html");
        edit(rowOf("index.html"), 1, "Locked");
        EXPECT_FALSE(readAll(index).contains("Locked"));
        EXPECT_EQ(list().GetItemText(rowOf("index.html"), 1), " ");
    }
    // A file gone since the list was filled.
    ASSERT_TRUE(QFile::remove(web + "/a.htm"));
    responder.answerMessageBox(platform::IDOK, LoadResString(IDS_SITE_FILE_MISSING));
    edit(rowOf("a.htm"), 1, "Gone");
    EXPECT_FALSE(QFile::exists(web + "/a.htm"));
    EXPECT_EQ(responder.runs().size(), ::geteuid() != 0 ? 3 : 2);
}

TEST_F(SiteListEditTest, AnEditGoesOnOverItsOwnFileWhenTheFolderIsListedAgain)
{
    // A folder made meanwhile comes first and moves the rows of the files below it.
    list().SelectOnly(rowOf("a.htm"));
    list().EditCell(rowOf("a.htm"), 0);
    ASSERT_NE(editor(), nullptr);
    editor()->setText("renamed.htm");
    editor()->setCursorPosition(3);
    const int before = rowOf("a.htm");
    write("added/new.gif", "GIF89a");
    ASSERT_TRUE(list().Reload());
    settle();
    ASSERT_GT(rowOf("a.htm"), before);
    CListEditCtrl* box = editor();
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->item(), rowOf("a.htm"));
    EXPECT_EQ(box->text(), "renamed.htm");
    EXPECT_EQ(box->cursorPosition(), 3);

    ModalResponder responder;
    responder.answerMessageBox(platform::IDNO, LoadResString(IDS_SITE_CHANGED_RELINK));
    QTest::keyClick(box, Qt::Key_Return);
    settle();
    EXPECT_TRUE(QFile::exists(web + "/renamed.htm"));
    EXPECT_FALSE(QFile::exists(web + "/a.htm"));
    EXPECT_TRUE(QFile::exists(web + "/index.html"));

    // A title likewise; and a file gone meanwhile takes its edit along, nothing else changing.
    QApplication::setActiveWindow(&sitePage);
    list().EditCell(rowOf("index.html"), 1);
    ASSERT_NE(editor(), nullptr);
    editor()->setText("Moved");
    write("added/more.gif", "GIF89a");
    ASSERT_TRUE(list().Reload());
    settle();
    ASSERT_NE(editor(), nullptr);
    EXPECT_EQ(editor()->item(), rowOf("index.html"));
    EXPECT_EQ(editor()->subItem(), 1);
    closeEditor();
    list().EditCell(rowOf("renamed.htm"), 0);
    ASSERT_NE(editor(), nullptr);
    editor()->setText("other.htm");
    ASSERT_TRUE(QFile::remove(web + "/renamed.htm"));
    ASSERT_TRUE(list().Reload());
    settle();
    EXPECT_EQ(editor(), nullptr);
    EXPECT_TRUE(list().hasFocus());
    EXPECT_FALSE(QFile::exists(web + "/other.htm"));
    EXPECT_EQ(responder.runs().size(), 1);
}

} // namespace
