#include "FrameFakes.h"

#include "frames/FramePages.h"
#include "platform/CodePages.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QByteArray readBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

bool writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

class FramePagesTest : public ::testing::Test
{
protected:
    FakeEnvironment env;
    FakeHost host;
    FakeSiteRows sites;
    QStringList log;
    FakePane rootView{"top.html", QString(), &log};
    FakePane a{"a.html", "/w/a.html", &log};
    FakePane b{"b.html", "/w/b.html", &log};
    FakePane c{"c.html", "/w/c.html", &log};
    TreeBuilder build{host};
    QTemporaryDir dir;

    void SetUp() override
    {
        env.host = &host;
        env.sites = &sites;
        host.log = &log;
        host.tree.rootView = &rootView;
        build.frameset("cols", "30%,*", 2);
        build.frame("a", {}, &a);
        build.frameset("rows", "50%,*", 2);
        build.frame("b", {}, &b);
        build.frame("c", {}, &c);
    }
    VornaFrameSet* root() { return host.tree.root.get(); }
    QString file(const char* name) { return dir.path() + '/' + name; }
};

TEST_F(FramePagesTest, ClosingStopsAtTheFirstCancelledQuestion)
{
    a.modified = b.modified = c.modified = true;
    b.answer = false;
    EXPECT_FALSE(ForEachFrameView(root(), FrameViewClose));
    EXPECT_EQ(str(log), str(QStringList({"activate a.html", "caption top.html", "ask a.html", "activate b.html",
                                         "caption top.html", "ask b.html"})));

    log.clear();
    b.answer = true;
    EXPECT_TRUE(ForEachFrameView(root(), FrameViewClose));
    EXPECT_TRUE(log.contains("ask c.html"));
}

TEST_F(FramePagesTest, SavingSavesEveryPaneAndOtherActionsDoNothing)
{
    b.document = false;
    EXPECT_TRUE(ForEachFrameView(root(), FrameViewSave));
    EXPECT_EQ(str(log),
              str(QStringList({"activate a.html", "file-save a.html", "activate c.html", "file-save c.html"})));

    log.clear();
    EXPECT_TRUE(ForEachFrameView(root(), 12345));
    EXPECT_TRUE(log.isEmpty());
}

TEST_F(FramePagesTest, PageOperationsRunOnEveryPanePage)
{
    root()->SetBodyColorsOfFrames("bg.gif", "#ffffff", "#000000", "blue", "red", "purple");
    root()->ReplaceLinksInFrames("old.html", "new.html", 0);
    root()->FixScriptSourcesOfFrames(true);
    EXPECT_EQ(str(log), str(QStringList({"body a.html: bg.gif,#ffffff,#000000,blue,red,purple",
                                         "body b.html: bg.gif,#ffffff,#000000,blue,red,purple",
                                         "body c.html: bg.gif,#ffffff,#000000,blue,red,purple",
                                         "links a.html: old.html>new.html 0", "links b.html: old.html>new.html 0",
                                         "links c.html: old.html>new.html 0", "scripts a.html 1", "scripts b.html 1",
                                         "scripts c.html 1"})));
}

TEST_F(FramePagesTest, FramePagesHangUnderTheFramesetPage)
{
    rootView.path = file("top.html");
    ASSERT_TRUE(writeBytes(rootView.path, "<HTML>\r\n<FRAMESET  cols=30%,*>\r\n    <FRAME  src=\"a.html\">\r\n"
                                          "    <frame src='sub/b%20c.html'>\r\n    <FRAME src=\"/x/gone.html\">\r\n"
                                          "    <FRAME src=\"\">\r\n</FRAMESET>\r\n</HTML>"));
    const int rowA = sites.add("a.html");
    const int rowB = sites.add("b c.html");
    const int rowOld = sites.add("old.html", "top.html", 1);
    const int rowOther = sites.add("x.html", "other.html", 1);

    CollectFrameSources(root(), false);
    EXPECT_EQ(sites.unlinked, QStringList{"top.html"});
    EXPECT_EQ(str(sites.rows[rowA].tag), "top.html");
    EXPECT_EQ(sites.rows[rowA].kind, 1);
    EXPECT_EQ(str(sites.rows[rowB].tag), "top.html");
    EXPECT_EQ(sites.rows[rowOld].kind, 0);
    EXPECT_EQ(sites.rows[rowOther].kind, 1);

    CollectFrameSources(root(), true);
    EXPECT_EQ(sites.rows[rowA].kind, 0);
    EXPECT_EQ(sites.rows[rowB].kind, 0);
}

TEST_F(FramePagesTest, UnreadableFramesetFileLeavesTheListAlone)
{
    rootView.path = file("missing.html");
    const int row = sites.add("a.html", "top.html", 1);
    CollectFrameSources(root(), false);
    EXPECT_TRUE(sites.unlinked.isEmpty());
    EXPECT_EQ(sites.rows[row].kind, 1);

    env.sites = nullptr; // no site manager: nothing to do, nothing breaks
    rootView.path.clear();
    CollectFrameSources(root(), false);
}

TEST_F(FramePagesTest, RenameChangesOnlyMatchingSourcesAndKeepsEveryOtherByte)
{
    const QString path = file("top.html");
    const QByteArray before = "<HTML>\r\n<FRAMESET  cols=30%,30%,*>\r\n    <FRAME  src=\"sub/a.html\" name=a>\r\n"
                              "    <FRAME  src=a.html>\r\n    <FRAME  src=\"A.HTML\">\r\n"
                              "    <FRAME  src=\"xa.html\">\r\n</FRAMESET>\r\n</HTML>\r\n<!-- trailer -->";
    ASSERT_TRUE(writeBytes(path, before));

    EXPECT_TRUE(RenameFrameSource(path, "a.html", "b.html"));
    EXPECT_EQ(readBytes(path).toStdString(),
              "<HTML>\r\n<FRAMESET  cols=30%,30%,*>\r\n    <FRAME  src=\"sub/b.html\" name=a>\r\n"
              "    <FRAME  src=b.html>\r\n    <FRAME  src=\"A.HTML\">\r\n"
              "    <FRAME  src=\"xa.html\">\r\n</FRAMESET>\r\n</HTML>\r\n<!-- trailer -->");
}

TEST_F(FramePagesTest, RenameFindsANameWhoseBlanksAreWrittenAsPercent20)
{
    const QString path = file("top.html");
    ASSERT_TRUE(writeBytes(path, "<FRAMESET  cols=30%,*><FRAME  src=\"sub/my%20page.html\">"
                                 "<FRAME  src=\"my page.html\"></FRAMESET>"));
    EXPECT_TRUE(RenameFrameSource(path, "my page.html", "new.html"));
    EXPECT_EQ(readBytes(path).toStdString(),
              "<FRAMESET  cols=30%,*><FRAME  src=\"sub/new.html\"><FRAME  src=\"new.html\"></FRAMESET>");
}

TEST_F(FramePagesTest, RenameKeepsTheFileCharset)
{
    const QString path = file("top.html");
    const QString text = QString::fromUtf8("<HTML>\r\n<HEAD>\r\n<TITLE>表紙</TITLE>\r\n"
                                           "<META http-equiv=Content-Type content=\"text/html; charset=shift_jis\">\r\n"
                                           "</HEAD>\r\n<FRAMESET  cols=30%,*>\r\n    <FRAME  src=\"表\\a.html\">\r\n"
                                           "    <FRAME  src=\"main.html\">\r\n</FRAMESET>\r\n</HTML>");
    const QByteArray sjis = platform::encodeText(text, "shift_jis");
    ASSERT_TRUE(writeBytes(path, sjis));

    EXPECT_TRUE(RenameFrameSource(path, "a.html", QString::fromUtf8("目次.html")));
    const QString after = platform::decodeText(readBytes(path), "shift_jis");
    EXPECT_EQ(str(after), str(QString(text).replace("表\\a.html", "表\\目次.html")));
}

TEST_F(FramePagesTest, RenameWithNothingToChangeOrNoFile)
{
    const QString path = file("top.html");
    ASSERT_TRUE(writeBytes(path, "<FRAMESET  cols=30%,*><FRAME  src=\"main.html\"></FRAMESET>"));
    EXPECT_TRUE(RenameFrameSource(path, "a.html", "b.html"));
    EXPECT_EQ(readBytes(path), QByteArray("<FRAMESET  cols=30%,*><FRAME  src=\"main.html\"></FRAMESET>"));
    EXPECT_FALSE(RenameFrameSource(file("none.html"), "a.html", "b.html"));
    EXPECT_FALSE(QFile::exists(file("none.html")));
}

} // namespace
