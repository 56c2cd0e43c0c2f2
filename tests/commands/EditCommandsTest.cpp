// Edit > Undo, Redo, Cut, Copy, Paste and Delete on a page of the running
// program: objects, text in text boxes and ranges of cells; and what a copy
// leaves on the clipboard for other pages.

#include "FormatPage.h"

#include "commands/CopiedImages.h"
#include "res/resource.h"

#include "engine/editing/ClipboardData.h"

#include <QClipboard>
#include <QDir>
#include <QGuiApplication>
#include <QMimeData>
#include <QUrl>

namespace {

class EditCommands : public FormatPage
{
protected:
    CZQView* openPage()
    {
        return open(QStringLiteral(
            ">\n<TABLE id=text style=\"POSITION: absolute; LEFT: 20px; TOP: 20px; Z-INDEX: 101\"><TR><TD id=box>"
            "箱の文</TD></TR></TABLE>\n"
            "<TABLE id=grid border=1 style=\"POSITION: absolute; LEFT: 20px; TOP: 120px; Z-INDEX: 102\">"
            "<TR><TD id=a1>一</TD><TD id=b1>二</TD></TR><TR><TD id=a2>三</TD><TD id=b2>四</TD></TR></TABLE>\n"
            "<IMG id=pic src=\"image/a.gif\" usemap=\"#Map1\" width=40 height=30 style=\"POSITION: absolute; "
            "LEFT: 300px; TOP: 20px; Z-INDEX: 103\">\n"
            "<MAP name=Map1><AREA shape=rect coords=\"0,0,10,10\" href=\"a.html\"></MAP>\n"
            "<IMG id=web src=\"HTTP://example.jp/b.gif\" style=\"POSITION: absolute; LEFT: 400px; TOP: 20px\">\n"));
    }
    QString clipboardFragment() const
    {
        return engine::clipboard::fragmentOf(QGuiApplication::clipboard()->mimeData());
    }
    int count(const char* tag) const { return doc()->getElementsByTagName(QString::fromLatin1(tag)).length(); }
};

TEST_F(EditCommands, DeleteEmptiesACellRangeOrRemovesObjectsOrText)
{
    ASSERT_NE(openPage(), nullptr);
    selectCells("grid", "a1", "b1");
    run(ID_EDIT_DELETE);
    EXPECT_TRUE(inner("a1").isEmpty());
    EXPECT_TRUE(inner("b1").isEmpty());
    EXPECT_EQ(inner("a2"), QStringLiteral("三"));
    EXPECT_NE(byId("grid"), nullptr) << "the table stays";

    sink()->ClearCellRange();
    selectText("box", 0, 1);
    run(ID_EDIT_DELETE);
    EXPECT_EQ(inner("box"), QStringLiteral("の文"));

    selectObjects({"pic"});
    run(ID_EDIT_DELETE);
    EXPECT_EQ(byId("pic"), nullptr);
    EXPECT_EQ(count("MAP"), 0) << "the map no image uses goes with it";
}

TEST_F(EditCommands, PasteGoesToTheTextOfABoxOrPlacesObjects)
{
    ASSERT_NE(openPage(), nullptr);
    QGuiApplication::clipboard()->setMimeData(
        engine::clipboard::makeMimeData(QStringLiteral("貼"), QStringLiteral("貼")).release());
    caretIn("box", 1);
    const int tables = count("TABLE");
    run(ID_EDIT_PASTE);
    EXPECT_EQ(inner("box"), QStringLiteral("箱貼の文"));
    EXPECT_EQ(count("TABLE"), tables);

    selectObjects({"web"});
    run(ID_EDIT_COPY);
    selectObjects({"pic"});
    const int images = count("IMG");
    run(ID_EDIT_PASTE);
    EXPECT_EQ(count("IMG"), images + 1) << "the copied image is placed as an object";
    EXPECT_NE(byId("pic"), nullptr) << "the selected object stays";
}

TEST_F(EditCommands, UndoLetsGoOfSelectedObjectsAndRedoComesBack)
{
    ASSERT_NE(openPage(), nullptr);
    selectObjects({"pic"});
    run(ID_EDIT_DELETE);
    ASSERT_EQ(byId("pic"), nullptr);
    selectObjects({"web"});
    EXPECT_TRUE(enabled(ID_EDIT_UNDO));
    run(ID_EDIT_UNDO);
    EXPECT_NE(byId("pic"), nullptr);
    EXPECT_NE(doc()->selection().type(), engine::Selection::Type::Control);
    EXPECT_TRUE(enabled(ID_EDIT_REDO));
    run(ID_EDIT_REDO);
    EXPECT_EQ(byId("pic"), nullptr);
}

TEST_F(EditCommands, CutAndCopyOfText)
{
    ASSERT_NE(openPage(), nullptr);
    selectText("box", 0, 1);
    EXPECT_TRUE(enabled(ID_EDIT_CUT));
    run(ID_EDIT_CUT);
    EXPECT_EQ(inner("box"), QStringLiteral("の文"));
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("箱"));
}

TEST_F(EditCommands, ACopiedImageTakesItsFileAddressAndItsMapAlong)
{
    ASSERT_NE(openPage(), nullptr);
    selectObjects({"pic"});
    run(ID_EDIT_COPY);
    const QString fragment = clipboardFragment();
    const QString url = QUrl::fromLocalFile(QDir(dir.path()).filePath(QStringLiteral("image/a.gif"))).toString();
    EXPECT_TRUE(fragment.contains(QStringLiteral("src=\"%1\"").arg(url))) << fragment.toStdString();
    const qsizetype map = fragment.indexOf(QLatin1String("<MAP name=Map1>"));
    EXPECT_GE(map, 0) << fragment.toStdString();
    EXPECT_LT(map, fragment.indexOf(QLatin1String("<IMG")));
    EXPECT_TRUE(
        QGuiApplication::clipboard()->mimeData()->hasFormat(QString::fromLatin1(engine::clipboard::kHtmlFormatMime)));
    EXPECT_EQ(HtmlFormatFragment(QGuiApplication::clipboard()->mimeData()->data(
                  QString::fromLatin1(engine::clipboard::kHtmlFormatMime))),
              fragment)
        << "the header's offsets fit the new text";

    // An address of the web stays.
    selectObjects({"web"});
    run(ID_EDIT_COPY);
    EXPECT_TRUE(clipboardFragment().contains(QLatin1String("src=\"HTTP://example.jp/b.gif\"")));
}

TEST(CopiedImages, OnlyWholeHtmlFormatDataIsRead)
{
    const QByteArray good = engine::clipboard::htmlFormat(QStringLiteral("<IMG src=a.gif>"));
    EXPECT_EQ(HtmlFormatFragment(good), QStringLiteral("<IMG src=a.gif>"));
    QByteArray noMarkers = good;
    noMarkers.replace("<!--StartFragment-->", "<!--StartFrogment-->");
    EXPECT_FALSE(HtmlFormatFragment(noMarkers));
    QByteArray broken = good;
    broken.replace("EndFragment:", "EndFragment:9");
    EXPECT_FALSE(HtmlFormatFragment(broken));
    EXPECT_FALSE(HtmlFormatFragment(good.mid(0, good.size() - 30))) << "cut short";
    EXPECT_FALSE(HtmlFormatFragment(QByteArray("<HTML>")));
}

TEST(CopiedImages, RelativeAddressesBecomeFileUrlsOfThePageFolder)
{
    const auto noMap = [](const QString&) { return QString(); };
    EXPECT_EQ(RewriteCopiedImages(QStringLiteral("<IMG src=\"image/my%20pic.gif\">"), QStringLiteral("/w/site"), noMap),
              QStringLiteral("<IMG src=\"file:///w/site/image/my%20pic.gif\">"));
    EXPECT_EQ(RewriteCopiedImages(QStringLiteral("<IMG src=\"../a.gif\">"), QStringLiteral("/w/site"), noMap),
              QStringLiteral("<IMG src=\"file:///w/a.gif\">"));
    EXPECT_EQ(RewriteCopiedImages(QStringLiteral("<IMG src=\"/home/u/a.gif\">"), QString(), noMap),
              QStringLiteral("<IMG src=\"file:///home/u/a.gif\">"));
    for (const char* kept : {"<IMG src=\"FILE:///home/u/a.gif\">", "<IMG src=\"Http://x.jp/a.gif\">",
                             "<IMG src=\"data:image/gif;base64,R0lG\">", "<P>no image</P>"}) {
        EXPECT_EQ(RewriteCopiedImages(QString::fromLatin1(kept), QStringLiteral("/w"), noMap),
                  QString::fromLatin1(kept));
    }
    EXPECT_EQ(RewriteCopiedImages(QStringLiteral("<IMG src=\"a.gif\">"), QString(), noMap),
              QStringLiteral("<IMG src=\"a.gif\">"))
        << "without a page folder a relative address stays";
    // A TD alone cannot be read back whole: it stays as it was.
    EXPECT_EQ(RewriteCopiedImages(QStringLiteral("<TD><IMG src=\"a.gif\"></TD>"), QStringLiteral("/w"), noMap),
              QStringLiteral("<TD><IMG src=\"a.gif\"></TD>"));
}

TEST(CopiedImages, EachImageTakesItsMapInFront)
{
    QStringList asked;
    const auto maps = [&](const QString& name) {
        asked << name;
        return name == QLatin1String("Map1")
                   ? QStringLiteral("<MAP name=Map1><AREA shape=rect coords=\"0,0,5,5\"></MAP>")
                   : QString();
    };
    EXPECT_EQ(RewriteCopiedImages(QStringLiteral("<A href=\"x.html\"><IMG usemap=#Map1 src=\"http://x/a.gif\"></A>"
                                                 "<IMG usemap=#none>"),
                                  QString(), maps),
              QStringLiteral("<A href=\"x.html\"><MAP name=Map1><AREA shape=rect coords=\"0,0,5,5\"></MAP>"
                             "<IMG usemap=#Map1 src=\"http://x/a.gif\"></A><IMG usemap=#none>"));
    EXPECT_EQ(asked, (QStringList{QStringLiteral("Map1"), QStringLiteral("none")}));
}

} // namespace
