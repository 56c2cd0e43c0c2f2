// A page's text as a file: written as a save writes it, empty cells filled,
// backgrounds pointed into the web's image folder, and the page's charset.

#include "ChildFramePages.h"

#include "app/CHtmlEditCntrItem.h"
#include "app/PageTextFiles.h"
#include "frames/VornaFrameSet.h"

#include "engine/html/PageLoader.h"

#include "platform/CodePages.h"

#include <QElapsedTimer>
#include <QThread>

namespace {

class PageTextFilesTest : public ChildFramePages
{
protected:
    void waitWhileLoading()
    {
        QElapsedTimer clock;
        clock.start();
        while (page()->isLoading() && clock.elapsed() < 20000) {
            QCoreApplication::processEvents();
            QThread::msleep(1);
        }
    }
};

TEST(PageTextFiles, EmptyCellsGetAFillerAndCellsWithTextDoNot)
{
    QString text = QStringLiteral("<TR><TD></TD><TD><FONT size=2></FONT></TD><TD>\n</TD><TD>a</TD>"
                                  "<td></td><TD><B>b</B></TD></TR>");
    FillEmptyCellsInText(text, QStringLiteral("TD"));
    EXPECT_EQ(text, QStringLiteral("<TR><TD>&nbsp;</TD><TD><FONT size=2></FONT>&nbsp;</TD><TD>\n</TD><TD>a</TD>"
                                   "<td></td><TD><B>b</B></TD></TR>"));
    FillEmptyCellsInText(text, QStringLiteral("td"));
    EXPECT_TRUE(text.contains(QStringLiteral("<td>&nbsp;</td>")));
    // A nested table's cell is seen on its own.
    QString nested = QStringLiteral("<TD><TABLE><TR><TD></TD></TR></TABLE></TD>");
    FillEmptyCellsInText(nested, QStringLiteral("TD"));
    EXPECT_EQ(nested, QStringLiteral("<TD><TABLE><TR><TD>&nbsp;</TD></TR></TABLE></TD>"));
}

TEST(PageTextFiles, BackgroundsPointIntoTheImageFolderKeepingTheirCase)
{
    QString text = QStringLiteral("<BODY background=\"C:\\pics\\Sky.gif\"><TABLE><TR><TD></TD></TR></TABLE>"
                                  "<TABLE background=http://x.example/a.gif></TABLE>"
                                  "<TABLE background=\"/home/u/Sea.PNG\"></TABLE>");
    CZQDoc::RewriteBackgroundsToImageFolder(QStringLiteral("BODY"), text);
    CZQDoc::RewriteBackgroundsToImageFolder(QStringLiteral("TABLE"), text);
    EXPECT_TRUE(text.contains(QStringLiteral("<BODY background=\"image/Sky.gif\">"))) << qPrintable(text);
    EXPECT_TRUE(text.contains(QStringLiteral("background=http://x.example/a.gif")));
    // The walk goes on past a table without a background.
    EXPECT_TRUE(text.contains(QStringLiteral("background=\"image/Sea.PNG\"")));
}

TEST(PageTextFiles, TheCharsetOfTheFirstMetaThatNamesOne)
{
    EXPECT_EQ(MetaCharsetOfText(QStringLiteral("<META name=x><META http-equiv=Content-Type "
                                               "content=\"text/html; charset=euc-jp\"><META charset=utf-8>")),
              QStringLiteral("euc-jp"));
    EXPECT_EQ(MetaCharsetOfText(QStringLiteral("<HTML><BODY></BODY></HTML>")), QString());
    // Not a META in a comment.
    EXPECT_EQ(MetaCharsetOfText(QStringLiteral("<!-- <META charset=euc-jp> --><!--><META charset=x-sjis>")),
              QStringLiteral("x-sjis"));
    // The start of a page decides only with a META tag that names one and ends.
    bool decided = false;
    EXPECT_EQ(MetaCharsetOfText(QStringLiteral("<META name=x><META charset=utf-8><BODY"), &decided),
              QStringLiteral("utf-8"));
    EXPECT_TRUE(decided);
    EXPECT_EQ(MetaCharsetOfText(QStringLiteral("<META name=x><META charset=utf"), &decided), QString());
    EXPECT_FALSE(decided);
    EXPECT_EQ(MetaCharsetOfText(QStringLiteral("<HTML><HEAD><ME"), &decided), QString());
    EXPECT_FALSE(decided);
    EXPECT_EQ(MetaCharsetOfText(QStringLiteral("<HTML><HEAD><!-- <META charset=euc-jp>"), &decided), QString());
    EXPECT_FALSE(decided);
}

TEST_F(PageTextFilesTest, APageIsWrittenAsASaveWritesItAndStaysAsItWas)
{
    const QByteArray text = "<HTML><HEAD><META http-equiv=Content-Type content=\"text/html; charset=shift_jis\">"
                            "<TITLE>地図</TITLE></HEAD><BODY><IMG src=m.gif usemap=ULOMap1>"
                            "<MAP name=ULOMap1></MAP><TABLE><TR><TD></TD></TR></TABLE></BODY></HTML>";
    ASSERT_NE(
        openPage(QStringLiteral("m.html"), platform::encodeText(QString::fromUtf8(text), QStringLiteral("shift_jis"))),
        nullptr);
    const QString target = dir.filePath(QStringLiteral("copy.html"));
    const QString written = SavePageToFile(target, view());
    EXPECT_TRUE(written.contains(QStringLiteral("usemap=#ULOMap1"))) << qPrintable(written);
    EXPECT_TRUE(written.contains(QStringLiteral("<TITLE>地図</TITLE>")));
    EXPECT_TRUE(written.contains(QStringLiteral("Vorna-Paginor 2002")));
    EXPECT_EQ(platform::decodeText(readFile(target), QStringLiteral("shift_jis")), written);
    // The live page keeps its map reference, its file and its address.
    EXPECT_EQ(page()->images().item(0)->getAttributeText(QStringLiteral("usemap")), QStringLiteral("ULOMap1"));
    EXPECT_EQ(document()->pathName(), dir.filePath(QStringLiteral("m.html")));
    EXPECT_TRUE(page()->url().endsWith(QStringLiteral("m.html")));

    // Written as text, the empty cell is filled.
    QString copy = written;
    ASSERT_TRUE(WritePageText(target, copy, QStringLiteral("shift_jis")));
    EXPECT_TRUE(platform::decodeText(readFile(target), QStringLiteral("shift_jis"))
                    .contains(QStringLiteral("<TD>&nbsp;</TD>")));
    // A folder that is not there: nothing written, and said so.
    QString none = written;
    EXPECT_FALSE(WritePageText(dir.filePath(QStringLiteral("no/such.html")), none));
    EXPECT_TRUE(SavePageToFile(dir.filePath(QStringLiteral("no/such.html")), view()).isEmpty());
}

TEST_F(PageTextFilesTest, ThePageTakesTheCharsetItsFileNamesOnce)
{
    const QString body = QStringLiteral("<HTML><HEAD><META http-equiv=Content-Type content=\"text/html; "
                                        "charset=euc-jp\"><TITLE>t</TITLE></HEAD><BODY>日本</BODY></HTML>");
    ASSERT_NE(openPage(QStringLiteral("e.html"), platform::encodeText(body, QStringLiteral("euc-jp"))), nullptr);
    EXPECT_EQ(document()->GetCharset().toLower(), QStringLiteral("euc-jp"));
    // The live page uses another charset: the file's comes back, read again.
    page()->setCharset(QStringLiteral("shift_jis"));
    document()->RewritePageFileOnOpen();
    EXPECT_EQ(document()->GetCharset().toLower(), QStringLiteral("euc-jp"));
    EXPECT_TRUE(page()->body()->innerText().contains(QStringLiteral("日本")));
    // Of a long file only the start is read: a META far into it, or across
    // the end of the start first read, is found all the same.
    const QString meta = QStringLiteral("<META http-equiv=Content-Type content=\"text/html; charset=euc-jp\">");
    // (The file is read in parts of 256 KB: a META cut after "<me", or
    // in its attributes, by a part's end.)
    for (const qsizetype before : {qsizetype(200 * 1024), qsizetype(64 * 1024 - 30), qsizetype(256 * 1024 - 11),
                                   qsizetype(256 * 1024 - 38), qsizetype(2 * 256 * 1024 - 20)}) {
        const QString comment = QStringLiteral("<!--") + QString(before - 11, QLatin1Char('x')) + QStringLiteral("-->");
        const QString tag = before % 2 ? meta.toLower() : meta;
        // (The page open names Shift_JIS; its file, written anew, EUC-JP.)
        const QString name = QStringLiteral("e%1.html").arg(before);
        ASSERT_NE(openPage(name, "<HTML><HEAD><META http-equiv=Content-Type content=\"text/html; charset=shift_jis\">"
                                 "</HEAD><BODY>x</BODY></HTML>"),
                  nullptr);
        ASSERT_NE(page()->charset().toLower(), QStringLiteral("euc-jp"));
        writeFile(name, platform::encodeText(QStringLiteral("<HTML><HEAD>") + comment + tag +
                                                 QStringLiteral("</HEAD></HTML>"),
                                             QStringLiteral("euc-jp")));
        // (A long file is read again in the background.)
        EXPECT_EQ(document()->RewritePageFileOnOpen(), before >= CHtmlEditCntrItem::kBackgroundReadBytes) << before;
        waitWhileLoading();
        EXPECT_EQ(page()->charset().toLower(), QStringLiteral("euc-jp")) << before;
    }

    // A page read in the charset its file names already is not read again,
    // whatever a META of its own names.
    ASSERT_NE(openPage(QStringLiteral("r.html"), "<HTML><HEAD><META http-equiv=Content-Type content=\"text/html; "
                                                 "charset=shift_jis\"></HEAD><BODY>x</BODY></HTML>"),
              nullptr);
    writeFile(QStringLiteral("r.html"), platform::encodeText(body, QStringLiteral("euc-jp")));
    page()->setCharset(QStringLiteral("euc-jp"));
    const engine::Ref<engine::Element> readBody = page()->body();
    EXPECT_FALSE(document()->RewritePageFileOnOpen());
    EXPECT_EQ(page()->body(), readBody.get());

    // A file without a META charset is not read again.
    ASSERT_NE(openPage(QStringLiteral("n.html"), "<HTML><BODY id=b>x</BODY></HTML>"), nullptr);
    const engine::Ref<engine::Element> bodyBefore = page()->body();
    document()->RewritePageFileOnOpen();
    EXPECT_EQ(page()->body(), bodyBefore.get());
    // What was read of a file beforehand stands for the page's file only.
    page()->setCharset(QStringLiteral("shift_jis"));
    const QString before = page()->charset();
    document()->RewritePageFileOnOpen(std::make_pair(QStringLiteral("/elsewhere.html"), QStringLiteral("euc-jp")));
    EXPECT_EQ(page()->charset(), before);
    document()->RewritePageFileOnOpen(std::make_pair(document()->PageFilePath(), QStringLiteral("euc-jp")));
    EXPECT_EQ(page()->charset().toLower(), QStringLiteral("euc-jp"));

    document()->SetCharset(QString());
    EXPECT_FALSE(document()->GetCharset().isEmpty());
}

TEST_F(PageTextFilesTest, APageReadInTheCharsetItsFileNamesUnderAnotherNameIsNotReadAgain)
{
    // Shift_JIS is read as windows-31j, latin1 as ISO-8859-1: the same
    // charset, named otherwise. A label the converters do not know would
    // read the page the same way again.
    const struct
    {
        const char* label;
        const char* encoding;
    } files[] = {{"Shift_JIS", "shift_jis"},
                 {"x-sjis", "shift_jis"},
                 {"latin1", "windows-1252"},
                 {"x-unknown-charset", "utf-8"}};
    for (const auto& file : files) {
        const QString text = QStringLiteral("<HTML><HEAD><META http-equiv=Content-Type content=\"text/html; "
                                            "charset=%1\"></HEAD><BODY>日本 é</BODY></HTML>")
                                 .arg(QLatin1String(file.label));
        const QString name = QLatin1String(file.label) + QStringLiteral(".html");
        ASSERT_NE(openPage(name, platform::encodeText(text, QLatin1String(file.encoding))), nullptr) << file.label;
        ASSERT_TRUE(document()->pathName().endsWith(name));
        const engine::Ref<engine::Element> bodyBefore = page()->body();
        const QString charsetBefore = page()->charset();
        document()->RewritePageFileOnOpen();
        EXPECT_EQ(page()->body(), bodyBefore.get()) << file.label;
        EXPECT_EQ(page()->charset(), charsetBefore) << file.label;
    }
    // Named otherwise than the page was read in: read again in it.
    ASSERT_NE(openPage(QStringLiteral("e.html"), platform::encodeText(QStringLiteral("<HTML><BODY>日本</BODY></HTML>"),
                                                                      QStringLiteral("euc-jp"))),
              nullptr);
    page()->setCharset(QStringLiteral("utf-8"));
    document()->RewritePageFileOnOpen(std::make_pair(document()->PageFilePath(), QStringLiteral("x-euc-jp")));
    EXPECT_EQ(page()->charset().toLower(), QStringLiteral("euc-jp"));
    EXPECT_TRUE(page()->body()->innerText().contains(QStringLiteral("日本")));
}

TEST_F(PageTextFilesTest, AFramesetPageKeepsItsCharsetInItsDocument)
{
    ASSERT_TRUE(app->OpenDocumentFile(QString()));
    QCoreApplication::processEvents();
    FrameTree& tree = child()->frameTree();
    tree.root = std::make_unique<VornaFrameSet>();
    tree.root->SetKind(QStringLiteral("FRAMESET"));
    tree.rootView = view();
    const QString pageCharset = page()->charset();
    document()->SetCharset(QStringLiteral("euc-jp"));
    EXPECT_EQ(document()->GetCharset(), QStringLiteral("euc-jp"));
    EXPECT_EQ(document()->m_strFramesetCharset, QStringLiteral("euc-jp"));
    EXPECT_EQ(page()->charset(), pageCharset);
    tree.rootView = nullptr;
    tree.clear();
}

} // namespace
