#include "util/FileHelpers.h"

#include "platform/CodePages.h"
#include "platform/DataRoot.h"
#include "support/FakeAppContext.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

namespace {

void writeFile(const QString& path, const QByteArray& data)
{
    ASSERT_TRUE(writeTestFile(path, data));
}

} // namespace

struct WebLinkCase
{
    const char* link;
    bool result;
    const char* path;
    bool inside;
};

void PrintTo(const WebLinkCase& c, std::ostream* os)
{
    *os << "\"" << c.link << "\"";
}

class MakeWebRelativePathTest : public ::testing::TestWithParam<WebLinkCase>
{
};

TEST_P(MakeWebRelativePathTest, Converts)
{
    FakeAppContext context;
    context.web = QStringLiteral("/home/u/My Web/site");
    QString path = QString::fromUtf8(GetParam().link);
    bool inside = !GetParam().inside;
    EXPECT_EQ(MakeWebRelativePath(path, inside), GetParam().result);
    EXPECT_EQ(path, QString::fromUtf8(GetParam().path));
    if (GetParam().result) {
        EXPECT_EQ(inside, GetParam().inside);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Links, MakeWebRelativePathTest,
    ::testing::Values(WebLinkCase{"file:///home/u/My%20Web/site/image/a%20b.gif", true, "image/a b.gif", true},
                      WebLinkCase{"/home/u/My Web/site\\image\\c.gif", true, "image/c.gif", true},
                      WebLinkCase{"/home/u/Other/x.gif", true, "/home/u/Other/x.gif", false},
                      WebLinkCase{"/home/u/My Web/site2/x.gif", true, "/home/u/My Web/site2/x.gif", false},
                      WebLinkCase{"/elsewhere/home/u/My Web/site/x.gif", true, "/elsewhere/home/u/My Web/site/x.gif",
                                  false},
                      WebLinkCase{"Http://host/a.gif", false, "Http://host/a.gif", false},
                      WebLinkCase{"https://host/a.gif", false, "https://host/a.gif", false},
                      WebLinkCase{"mailto:a@b", false, "mailto:a@b", false}));

TEST(FindOpenDocument, FindsSavedPagesByFullPathAndNewPagesByTitle)
{
    FakeAppContext context;
    EXPECT_EQ(FindOpenDocument(QStringLiteral("/web/a.html")), nullptr);
    // Identities only; never dereferenced.
    auto* inWeb = reinterpret_cast<CZQDoc*>(&context);
    auto* elsewhere = reinterpret_cast<CZQDoc*>(&context.web);
    auto* untitled = reinterpret_cast<CZQDoc*>(&context.remembered);
    context.documents << AppContext::OpenDocument{elsewhere, QStringLiteral("a.html"), QStringLiteral("/other/a.html")}
                      << AppContext::OpenDocument{inWeb, QStringLiteral("a.html"), QStringLiteral("/web/a.html")}
                      << AppContext::OpenDocument{untitled, QStringLiteral("無題1"), QString()};
    EXPECT_EQ(FindOpenDocument(QStringLiteral("/web/a.html")), inWeb);
    EXPECT_EQ(FindOpenDocument(QStringLiteral("/other/a.html")), elsewhere);
    EXPECT_EQ(FindOpenDocument(QStringLiteral("a.html")), nullptr); // a file name is no path
    EXPECT_EQ(FindOpenDocument(QStringLiteral("/web/A.html")), nullptr);
    EXPECT_EQ(FindOpenDocument(QStringLiteral("無題1")), untitled);
    EXPECT_EQ(FindOpenDocument(QString()), nullptr);
}

TEST(DeleteFolderTree, EmptiesTheTreeAndKeepsTheFolder)
{
    QTemporaryDir dir;
    const QString root = dir.path() + QStringLiteral("/Vornasoft");
    writeFile(root + QStringLiteral("/a.txt"), "a");
    writeFile(root + QStringLiteral("/Images/deep/b.png"), "b");
    writeFile(dir.path() + QStringLiteral("/outside/keep.txt"), "keep");
    ASSERT_TRUE(QFile::link(dir.path() + QStringLiteral("/outside"), root + QStringLiteral("/Images/link")));
    DeleteFolderTree(root);
    EXPECT_TRUE(QFileInfo(root).isDir());
    EXPECT_TRUE(QDir(root).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden));
    EXPECT_TRUE(QFileInfo::exists(dir.path() + QStringLiteral("/outside/keep.txt")));
    DeleteFolderTree(dir.path() + QStringLiteral("/missing"));
    EXPECT_FALSE(QFileInfo::exists(dir.path() + QStringLiteral("/missing")));
}

TEST(DeleteFolderTree, NeverEmptiesTheFolderALinkPointsTo)
{
    QTemporaryDir dir;
    writeFile(dir.path() + QStringLiteral("/outside/keep.txt"), "keep");
    ASSERT_TRUE(QFile::link(dir.path() + QStringLiteral("/outside"), dir.path() + QStringLiteral("/link")));
    DeleteFolderTree(dir.path() + QStringLiteral("/link"));
    DeleteFolderTree(dir.path() + QStringLiteral("/link/"));
    EXPECT_TRUE(QFileInfo::exists(dir.path() + QStringLiteral("/outside/keep.txt")));
}

TEST(CreateFolderPath, MakesEveryMissingFolder)
{
    QTemporaryDir dir;
    const QString path = dir.path() + QStringLiteral("/Temp/Vornasoft/Images");
    EXPECT_EQ(CreateFolderPath(path), path);
    EXPECT_TRUE(QFileInfo(path).isDir());
}

TEST(MakeTempImageFileName, TakesTheFirstFreeNumberInTheGivenFolder)
{
    QTemporaryDir dir;
    const QString folder = dir.path() + QStringLiteral("/not yet");
    EXPECT_EQ(MakeTempImageFileName(QStringLiteral("png"), folder, QString()),
              folder + QStringLiteral("/UserImage0.png"));
    EXPECT_TRUE(QFileInfo(folder).isDir()) << "the given folder is made";
    writeFile(folder + QStringLiteral("/UserImage0.png"), "");
    writeFile(folder + QStringLiteral("/UserImage1.png"), "");
    EXPECT_EQ(MakeTempImageFileName(QStringLiteral("png"), folder, QString()),
              folder + QStringLiteral("/UserImage2.png"));
    EXPECT_EQ(MakeTempImageFileName(QStringLiteral("gif"), folder, QStringLiteral("Banner")),
              folder + QStringLiteral("/Banner0.gif"));
    EXPECT_TRUE(TempImageFolder().startsWith(platform::privateTempFolder()));
}

struct TitleCase
{
    QByteArray content;
    const char* title;
};

void PrintTo(const TitleCase& c, std::ostream* os)
{
    *os << "\"" << c.title << "\"";
}

class GetHtmlFileTitleTest : public ::testing::TestWithParam<TitleCase>
{
};

TEST_P(GetHtmlFileTitleTest, Reads)
{
    QTemporaryDir dir;
    const QString path = dir.path() + QStringLiteral("/page.html");
    writeFile(path, GetParam().content);
    EXPECT_EQ(GetHtmlFileTitle(path), QString::fromUtf8(GetParam().title));
}

INSTANTIATE_TEST_SUITE_P(
    Files, GetHtmlFileTitleTest,
    ::testing::Values(
        TitleCase{"<HTML><HEAD><TITLE>My page</TITLE></HEAD>", "My page"},
        TitleCase{"<title> a&nbsp;b </title>", "a b"},
        TitleCase{"<TITLE>Usage &#8212; Project 1.0</TITLE>", "Usage — Project 1.0"},
        TitleCase{"<TITLE>Q&amp;A &lt;b&gt; &#x41;&#65 &eacute;t&eacute; &bogus; &copy</TITLE>",
                  "Q&A <b> AA été &bogus; ©"},
        TitleCase{"<TITLE>\n  Two\t\tlines\r\n  here  </TITLE>", "Two lines here"},
        TitleCase{"<Title>Mixed</Title>", "タイトルなし"}, TitleCase{"<TITLE>&nbsp; &nbsp;</TITLE>", "タイトルなし"},
        TitleCase{"<TITLE></TITLE>", "タイトルなし"}, TitleCase{"<TITLE>no end", "タイトルなし"},
        TitleCase{"<META charset=\"Shift_JIS\"><TITLE>" +
                      platform::encodeText(QStringLiteral("日本語の題"), QStringLiteral("Shift_JIS")) + "</TITLE>",
                  "日本語の題"},
        TitleCase{"<TITLE>" +
                      platform::encodeText(QStringLiteral("ようこそ私のホームページへ"), QStringLiteral("EUC-JP")) +
                      "</TITLE>",
                  "ようこそ私のホームページへ"}));

TEST(GetHtmlFileTitle, OfALongPageAsOfTheWholeText)
{
    // The first "<TITLE>" comes before the first "<title>" wherever it
    // stands; UTF-16 has its tags in other bytes.
    QTemporaryDir dir;
    const QString path = dir.path() + QStringLiteral("/long.html");
    const QByteArray filler(300 * 1024, 'x');
    writeFile(path, "<html><head><title>small</title></head><body>" + filler + "<TITLE>Big</TITLE></body></html>");
    EXPECT_EQ(GetHtmlFileTitle(path), QStringLiteral("Big"));
    // Written again as long, later: its title is read again.
    writeFile(path, "<html><head><title>small</title></head><body>" + filler + "<TITLE>Bag</TITLE></body></html>");
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        ASSERT_TRUE(file.setFileTime(QDateTime::currentDateTime().addSecs(10), QFileDevice::FileModificationTime));
    }
    EXPECT_EQ(GetHtmlFileTitle(path), QStringLiteral("Bag"));
    writeFile(path, "<html><head><title>small</title></head><body>" + filler + "</body></html>");
    EXPECT_EQ(GetHtmlFileTitle(path), QStringLiteral("small"));
    writeFile(path, "<html><body>" + filler + "</body></html>");
    EXPECT_EQ(GetHtmlFileTitle(path), QStringLiteral("タイトルなし"));
    const QString utf16 = QStringLiteral("<html><head><TITLE>二</TITLE></head><body>") + QString::fromLatin1(filler);
    writeFile(path,
              QByteArray("\xFF\xFE") + QByteArray(reinterpret_cast<const char*>(utf16.utf16()), utf16.size() * 2));
    EXPECT_EQ(GetHtmlFileTitle(path), QStringLiteral("二"));
}

// Bytes this process has read from files so far (the kernel's count).
qint64 bytesReadByProcess()
{
    QFile io(QStringLiteral("/proc/self/io"));
    if (!io.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : io.readAll().split('\n')) {
        if (line.startsWith("rchar:"))
            return line.mid(6).trimmed().toLongLong();
    }
    return -1;
}

TEST(GetHtmlFileTitle, OfALongPageReadsWhatTheTitleNeeds)
{
    QTemporaryDir dir;
    const QString path = dir.path() + QStringLiteral("/long.html");
    const QByteArray filler(8 * 1024 * 1024, 'x');
    // "<TITLE>" first: the rest of the page is not read.
    writeFile(path, "<HTML><HEAD><TITLE>Manual</TITLE></HEAD><BODY>" + filler + "<title>no</title></BODY></HTML>");
    const qint64 before = bytesReadByProcess();
    ASSERT_GE(before, 0);
    EXPECT_EQ(GetHtmlFileTitle(path), QStringLiteral("Manual"));
    EXPECT_LT(bytesReadByProcess() - before, 1024 * 1024);

    // Tags and ends cut by the edges of the parts read: each found whole.
    for (const qsizetype at : {262144 - 3, 262144 - 7, 262144 - 8, 262144 - 1, 2 * 262144 - 4, 65536 - 2}) {
        const QByteArray bytes = "<html><title>small</title>" + QByteArray(at - 26, ' ') + "<TITLE>Edge" +
                                 QByteArray(262144 - 11 - 1, 'y') + "</TITLE>" + filler.left(300000);
        writeFile(path, bytes);
        const QString title = GetHtmlFileTitle(path);
        EXPECT_TRUE(title.startsWith(QStringLiteral("Edge")) && title.endsWith(u'y')) << at;
    }
}

TEST(GetHtmlFileTitle, OfALongPageInTheCharsetItsStartTells)
{
    QTemporaryDir dir;
    const QString path = dir.path() + QStringLiteral("/long.html");
    // UTF-8 whose first part ends inside a character.
    QByteArray utf8 = QStringLiteral("<TITLE>日本語の題</TITLE>x").toUtf8();
    if (utf8.size() % 2 == 0)
        utf8 += 'x';
    for (int i = 0; i < 100000; ++i)
        utf8 += "\xC3\xA9";
    writeFile(path, utf8);
    EXPECT_EQ(GetHtmlFileTitle(path), QStringLiteral("日本語の題"));
    // Shift_JIS without META, its title after a long first part.
    const QString words = QStringLiteral("日本語の文章です。ページを読み込みます。");
    const QString text = QStringLiteral("<html><body>") + words.repeated(4000) +
                         QStringLiteral("<title>長い頁の題</title>") + words.repeated(20000);
    writeFile(path, platform::encodeText(text, QStringLiteral("Shift_JIS")));
    EXPECT_EQ(GetHtmlFileTitle(path), QStringLiteral("長い頁の題"));
}

TEST(GetHtmlFileTitle, MissingFilesAndEmptyPaths)
{
    EXPECT_EQ(GetHtmlFileTitle(QString()), QString());
    EXPECT_EQ(GetHtmlFileTitle(QStringLiteral("/no/such/page.html")), QStringLiteral("タイトルなし"));
}
