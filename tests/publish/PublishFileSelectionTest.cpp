#include "publish/PublishFileSelection.h"

#include "platform/CodePages.h"
#include "publish/PublishDialogTexts.h"
#include "publish/PublishedWebModel.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

namespace {

struct ModifiedList : PublishedWebModel
{
    QStringList files;
    bool RemoveModifiedFile(const QString& name) override { return files.removeOne(name); }
    void ClearProjectFilePending() override {}
    const QStringList* GetModifiedFiles() override { return files.isEmpty() ? nullptr : &files; }
};

class PublishFileSelection : public ::testing::Test
{
protected:
    void SetUp() override
    {
        web = dir.path() + "/web";
        for (const char* file : {"image/写真.gif", "image/b.gif", "other/a.pdf", "other/memo.txt", "bg.jpg",
                                 "js/run.js", "sound.mid", "sub/image/s.gif"})
            ASSERT_TRUE(writeTestFile(web + "/" + QString::fromUtf8(file), QByteArray(10, 'x')));
        ASSERT_TRUE(writeTestFile(dir.path() + "/secret.txt", "outside"));
    }
    void TearDown() override { PublishedWebModel::install(nullptr); }

    // A page in a charset, its markup given as text.
    void writePage(const QString& name, const QString& html, const char* charset)
    {
        ASSERT_TRUE(writeTestFile(web + "/" + name, platform::encodeText(html, QLatin1String(charset))));
    }

    QTemporaryDir dir;
    QString web;
};

TEST_F(PublishFileSelection, APageYieldsEachExistingFileItRefersToOnceInEveryCharset)
{
    const QString markup = QStringLiteral(
        "<HTML><HEAD><META http-equiv=\"Content-Type\" content=\"text/html; charset=%1\"></HEAD>"
        "<BODY background=\"bg.jpg\"><P>日本語のページ</P>"
        "<IMG src=\"image/写真.gif\"><img SRC='image/写真.gif'><A href=\"image/写真.gif\">写真</A>"
        "<A href=\"next.html\">次へ</A><A href=\"other/a.pdf\">PDF</A><ABBR href=\"other/memo.txt\">x</ABBR>"
        "<IMG lowsrc=\"image/b.gif\" data-src=\"image/b.gif\" src=\"missing.gif\">"
        "<IMG src=\"../secret.txt\"><IMG src=\"/etc/hostname\"><EMBED src=\"http://example.jp/a.mid\">"
        "<BGSOUND src=sound.mid><SCRIPT src=\"./js/run.js\"></SCRIPT></BODY></HTML>");
    for (const char* charset : {"Shift_JIS", "EUC-JP", "UTF-8"}) {
        SCOPED_TRACE(charset);
        writePage("index.html", markup.arg(QLatin1String(charset)), charset);
        QStringList files;
        EXPECT_TRUE(CollectReferencedFiles(web + "/index.html", web, &files));
        EXPECT_EQ(files, QStringList({"bg.jpg", "image/写真.gif", "other/a.pdf", "sound.mid", "js/run.js"}));
    }
}

TEST_F(PublishFileSelection, ReferencesAreReadFromThePagesOwnFolderAndNeverLeaveTheWeb)
{
    writePage("sub/page.html", "<IMG src=\"image/s.gif\"><IMG src=\"../image/b.gif\"><IMG src=\"../../secret.txt\">",
              "UTF-8");
    QStringList files;
    EXPECT_TRUE(CollectReferencedFiles(web + "/sub/page.html", web, &files));
    EXPECT_EQ(files, QStringList({"sub/image/s.gif", "image/b.gif"}));

    // A link inside the web that leads out of it counts as outside.
    ASSERT_TRUE(QFile::link(dir.path() + "/secret.txt", web + "/image/link.gif"));
    writePage("only.html", "<IMG src=\"image/link.gif\"><IMG src=\"gone.gif\">", "UTF-8");
    files.clear();
    EXPECT_FALSE(CollectReferencedFiles(web + "/only.html", web, &files));
    EXPECT_FALSE(CollectReferencedFiles(web + "/missing.html", web, &files));
    EXPECT_TRUE(files.isEmpty());
}

TEST_F(PublishFileSelection, AnUploadListsTheModifiedFilesThenWhatTheyReferToEachOnce)
{
    quint64 total = 99;
    QStringList files;
    EXPECT_FALSE(CollectUploadFiles(&total, web, &files)); // no web open
    EXPECT_EQ(total, 0u);

    writePage("index.html", "<IMG src=\"image/b.gif\"><IMG src=\"bg.jpg\">", "UTF-8");
    writePage("sub/page.html", "<IMG src=\"../image/b.gif\"><IMG src=\"image/s.gif\">", "UTF-8");
    ASSERT_TRUE(writeTestFile(web + "/project.ini", "[web]"));
    ModifiedList model;
    model.files = {"project.ini", "sub/page.html", "deleted.html", "index.html", "../secret.txt"};
    PublishedWebModel::install(&model);
    EXPECT_TRUE(CollectUploadFiles(&total, web, &files));
    EXPECT_EQ(files,
              QStringList({"project.ini", "sub/page.html", "index.html", "image/b.gif", "sub/image/s.gif", "bg.jpg"}));
    quint64 sum = 0;
    for (const QString& file : files)
        sum += quint64(QFileInfo(web + "/" + file).size());
    EXPECT_EQ(total, sum);
}

TEST(PublishDialogTexts, SizesInDecimalUnitsAndAddressesWithTheirSchemes)
{
    const QString opening = QStringLiteral("ファイルが選択されました\u3000\n\r(サイズ :");
    EXPECT_EQ(FormatCheckedInfo(3, 1050000), "3" + opening + "1.050000M)");
    EXPECT_EQ(FormatCheckedInfo(1, 512), "1" + opening + "0.512K)");
    EXPECT_EQ(FormatCheckedInfo(2, 5), "2" + opening + "0.005K)");
    EXPECT_EQ(FormatCheckedInfo(1, 0), "1" + opening + "0.000K)");
    EXPECT_EQ(FormatCheckedInfo(1, 999999), "1" + opening + "999.999K)");
    EXPECT_EQ(FormatCheckedInfo(1, 5000000000ULL), "1" + opening + "5000.000000M)");
    EXPECT_TRUE(FormatCheckedInfo(0, 100).isEmpty());

    const QString id = QStringLiteral("ユーザーID");
    EXPECT_EQ(BrowserPreviewAddress("www.example.jp/ユーザーID/", id, "taro"), "http://www.example.jp/taro/");
    EXPECT_EQ(BrowserPreviewAddress("HTTP://Example.jp/", id, "taro"), "HTTP://Example.jp/");
    EXPECT_EQ(BrowserPreviewAddress("https://example.jp/", id, "taro"), "https://example.jp/");
    EXPECT_TRUE(BrowserPreviewAddress("file:///etc/passwd", id, "taro").isEmpty());
    EXPECT_TRUE(BrowserPreviewAddress("  ", id, "taro").isEmpty());

    EXPECT_TRUE(IsAcceptableItemLabel("写真.gif"));
    for (const QString& bad : QStringList{"", ".", "..", "a/b", "a\\b", "a\nb"})
        EXPECT_FALSE(IsAcceptableItemLabel(bad)) << bad.toStdString();
}

} // namespace
