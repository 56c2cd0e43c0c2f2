#include "util/HtmlTextScan.h"

#include "platform/CodePages.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cctype>
#include <string>

namespace {

TEST(ExtractTagTextTest, FindsTagsByPrefixWithoutRegardToCase)
{
    QString tag;
    EXPECT_EQ(ExtractTagText("<P><img src=a.gif>", "IMG", tag, 0), 3);
    EXPECT_EQ(tag, "<img src=a.gif>");

    const QString page = "<FRAMESET cols=50%,*><frame src=a.html></FRAMESET>";
    EXPECT_EQ(ExtractTagText(page, "FRAME", tag, 0), 0);
    EXPECT_EQ(tag, "<FRAMESET cols=50%,*>");
    EXPECT_EQ(ExtractTagText(page, "FRAME", tag, 1), 21);
    EXPECT_EQ(tag, "<frame src=a.html>");
    EXPECT_EQ(ExtractTagText(page, "FRAME", tag, 22), -1);
    EXPECT_EQ(tag, "");
}

TEST(ExtractTagTextTest, TagWithoutClosingBracketGivesEmptyText)
{
    QString tag = "old";
    EXPECT_EQ(ExtractTagText("x <FRAME src=a", "FRAME", tag, 0), 2);
    EXPECT_EQ(tag, "");
}

struct AttributeCase
{
    const char* tag;
    const char* name;
    int position;
    const char* value;
};

void PrintTo(const AttributeCase& c, std::ostream* os)
{
    std::string name = std::string(c.name) + "_of_" + c.tag;
    for (char& ch : name)
        ch = std::isalnum(static_cast<unsigned char>(ch)) ? ch : '_';
    *os << name;
}

class GetTagAttributeTest : public ::testing::TestWithParam<AttributeCase>
{
};

TEST_P(GetTagAttributeTest, Value)
{
    QString value = "old";
    EXPECT_EQ(GetTagAttribute(GetParam().tag, GetParam().name, value), GetParam().position);
    EXPECT_EQ(value, QString(GetParam().value));
}

INSTANTIATE_TEST_SUITE_P(Tags, GetTagAttributeTest,
                         ::testing::Values(AttributeCase{"<TD width=100>", "WIDTH", 10, "100"},
                                           AttributeCase{"<IMG alt=\"a b\" src=x>", "alt", 10, "a b"},
                                           AttributeCase{"<IMG src='x y.gif'>", "SRC", 10, "x y.gif"},
                                           AttributeCase{"<FRAME  src = \"a.html\">", "src", 15, "a.html"},
                                           AttributeCase{"<TD NOWRAP width=5>", "NOWRAP", 17, "5"},
                                           AttributeCase{"<IMG lowsrc=a.gif>", "SRC", 12, "a.gif"},
                                           AttributeCase{"<FRAMESET cols=50%,*>", "SRC", -1, ""},
                                           AttributeCase{"<IMG src=\"a.gif>", "SRC", -1, ""},
                                           AttributeCase{"<IMG src=", "SRC", -1, ""}));

// ---- tag text read from a page file ------------------------------------------

class ReadTagTextFromFileTest : public ::testing::Test
{
protected:
    QString write(const char* name, const QString& text, const char* charset)
    {
        const QString path = dir.filePath(QString::fromUtf8(name));
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(platform::encodeText(text, QString::fromLatin1(charset)));
        return path;
    }
    QTemporaryDir dir;
};

TEST_F(ReadTagTextFromFileTest, TitleOfPagesInEveryCharset)
{
    for (const char* charset : {"Shift_JIS", "EUC-JP", "ISO-2022-JP", "UTF-8"}) {
        SCOPED_TRACE(charset);
        const QString page =
            QStringLiteral("<html><head>\n<meta http-equiv=\"Content-Type\" content=\"text/html; "
                           "charset=%1\">\n<title>山田家の 日記</title></head><body>本文</body></html>")
                .arg(QString::fromLatin1(charset));
        const QString path = write("diary.html", page, charset);
        QString text = "old";
        const int at = ReadTagTextFromFile(path, "TITLE", text);
        EXPECT_EQ(text, QStringLiteral("山田家の 日記"));
        EXPECT_EQ(at, page.indexOf("<title>") + 6);
    }
}

TEST_F(ReadTagTextFromFileTest, StartPositionAndTagsWithoutText)
{
    const QString path = write("p.html", "<P>one</P><P class=x>two<B>bold</B></P><P>", "UTF-8");
    QString text;
    EXPECT_EQ(ReadTagTextFromFile(path, "p", text, 0), 2);
    EXPECT_EQ(text, "one");
    EXPECT_EQ(ReadTagTextFromFile(path, "P", text, 3), 20);
    EXPECT_EQ(text, "two");
    // The last P has no "<" after it: its text stays empty.
    EXPECT_EQ(ReadTagTextFromFile(path, "P", text, 30), 41);
    EXPECT_EQ(text, "");
}

TEST_F(ReadTagTextFromFileTest, UnreadableFilesAndMissingTagsGiveNothing)
{
    QString text = "old";
    EXPECT_EQ(ReadTagTextFromFile(dir.filePath("missing.html"), "TITLE", text), -1);
    EXPECT_EQ(text, "");
    text = "old";
    EXPECT_EQ(ReadTagTextFromFile(dir.path(), "TITLE", text), -1); // a folder
    EXPECT_EQ(text, "");
    EXPECT_EQ(ReadTagTextFromFile("/dev/zero", "TITLE", text), -1); // would never end
    EXPECT_EQ(ReadTagTextFromFile(write("notitle.html", "<html><body>x</body></html>", "UTF-8"), "TITLE", text), -1);
    // A tag that never closes.
    EXPECT_EQ(ReadTagTextFromFile(write("cut.html", "<html><title", "UTF-8"), "TITLE", text), -1);
    EXPECT_EQ(text, "");
}

// ---- text covered by tags alone ------------------------------------------------

TEST(RemoveTagFromHtmlTest, TextWithOnlyTagsAroundIt)
{
    EXPECT_TRUE(RemoveTagFromHtml("<B>山田</B>", "山田"));
    EXPECT_TRUE(RemoveTagFromHtml("<FONT color=red><B>word</B></FONT>", "word"));
    EXPECT_TRUE(RemoveTagFromHtml("word", "word"));
    EXPECT_FALSE(RemoveTagFromHtml("<B>word</B> and more", "word"));
    EXPECT_FALSE(RemoveTagFromHtml("more <B>word</B>", "word"));
    EXPECT_FALSE(RemoveTagFromHtml("<B>Word</B>", "word")); // case counts
    EXPECT_FALSE(RemoveTagFromHtml("<B>word</B", "word"));  // "<" without ">"
    EXPECT_FALSE(RemoveTagFromHtml("<B>word</B>>", "word"));
    // Only the first occurrence is taken out.
    EXPECT_FALSE(RemoveTagFromHtml("<B>ab</B><I>ab</I>", "ab"));
    // An element's outer HTML inside its container's HTML.
    EXPECT_TRUE(RemoveTagFromHtml("<P align=center><FONT size=5>題</FONT></P>", "<FONT size=5>題</FONT>"));
}

TEST(RemoveTagFromHtmlTest, LongHtmlIsScannedOnce)
{
    QString html;
    for (int i = 0; i < 100000; ++i)
        html += "<B></B>";
    EXPECT_TRUE(RemoveTagFromHtml(html + "x", "x"));
    EXPECT_FALSE(RemoveTagFromHtml(html + "x<", "x"));
}

} // namespace
