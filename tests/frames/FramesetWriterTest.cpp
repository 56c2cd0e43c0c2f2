#include "FrameFakes.h"
#include "FramesetDomLoader.h"

#include "frames/FramesetWriter.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

const char* const kHead[] = {"<HTML>",
                             "<HEAD>",
                             "    <TITLE>Top</TITLE>",
                             "    <META http-equiv=Content-Type content=\"text/html; charset=shift_jis\">",
                             "</HEAD>",
                             ""};

QString page(std::initializer_list<const char*> body)
{
    QStringList list;
    for (const char* part : kHead)
        list.append(part);
    for (const char* part : body)
        list.append(QString::fromUtf8(part));
    list.append("</HTML>");
    return list.join("\r\n");
}

class FramesetWriterTest : public ::testing::Test
{
protected:
    FakeEnvironment env;
    FakeHost host;
    FakePane rootView{"top.html"};
    QStringList log;

    void SetUp() override
    {
        env.host = &host;
        host.tree.rootView = &rootView;
        rootView.title = "Top";
    }
    VornaFrameSet* root() { return host.tree.root.get(); }
    QString build(int mode = FramesetTextOnly)
    {
        QString out;
        BuildFramesetPageHtml(out, mode, &host);
        return out;
    }
    void load(const QString& text) { FramesetDomLoader::load(text, host); }
};

TEST_F(FramesetWriterTest, TwoColumnPage)
{
    const QString expected = page({"<FRAMESET  cols=30%,*>", "    <FRAME  src=\"left.html\" name=left>",
                                   "    <FRAME  src=\"main.html\" name=main scrolling=auto>", "</FRAMESET>"});
    load(expected);
    EXPECT_EQ(str(build()), str(expected));
    EXPECT_FALSE(expected.endsWith("\r\n"));
}

TEST_F(FramesetWriterTest, RoundTripOfNestedFramesetsWithAllAttributes)
{
    const QString expected = page({"<FRAMESET  rows=100,*,15% border=0 frameborder=0 framespacing=5>",
                                   "    <FRAME  src=\"top.html\" border=0 noresize name=banner scrolling=no>",
                                   "    <FRAMESET  cols=25%,* framespacing=8>",
                                   "        <FRAME  src=\"sub/menu.html\" target=main name=menu>",
                                   "        <FRAME  src=\"main.html\" target=\"_top frame\" name=\"a &amp; b\">",
                                   "    </FRAMESET>", "    <FRAME  src=\"\" name=foot>", "</FRAMESET>"});
    load(expected);
    EXPECT_EQ(root()->m_pFirstChild->m_pNext->m_nChildCount, 2);
    EXPECT_EQ(str(build()), str(expected));
}

TEST_F(FramesetWriterTest, FramesetBorderAndSpacingVariants)
{
    load(page({"<FRAMESET  rows=50%,*>", "    <FRAME  src=\"a.html\" name=a>", "    <FRAME  src=\"b.html\" name=b>",
               "</FRAMESET>"}));
    EXPECT_TRUE(build().contains("<FRAMESET  rows=50%,*>\r\n"));
    root()->SetFrameSpacing(5);
    EXPECT_TRUE(build().contains("<FRAMESET  rows=50%,* framespacing=5>\r\n"));
    root()->SetBorder(0);
    EXPECT_TRUE(build().contains("<FRAMESET  rows=50%,* border=0 frameborder=0 framespacing=5>\r\n"));
}

TEST_F(FramesetWriterTest, ValuesThatWouldBreakTheTagAreQuoted)
{
    load(page({"<FRAMESET  cols=50%,*>", "    <FRAME  src=\"a.html\" name=a>", "    <FRAME  src=\"b.html\" name=b>",
               "</FRAMESET>"}));
    VornaFrameSet* a = root()->m_pFirstChild.get();
    a->SetName("x>y");
    a->SetTarget("it's");
    a->SetScrolling("a\"b");
    rootView.title = "Q</TITLE>&A";
    const QString text = build();
    EXPECT_TRUE(text.contains("<FRAME  src=\"a.html\" target=\"it's\" name=\"x&gt;y\" scrolling=\"a&quot;b\">"))
        << qPrintable(text);
    EXPECT_TRUE(text.contains("<TITLE>Q&lt;/TITLE&gt;&amp;A</TITLE>"));
    EXPECT_EQ(FramesetAttributeValue("main"), "main");
    EXPECT_EQ(FramesetAttributeValue("_top"), "_top");
}

TEST_F(FramesetWriterTest, RootMadeByRemovalKeepsItsLevel)
{
    load(page({"<FRAMESET  cols=50%,*>", "    <FRAMESET  rows=50%,*>", "        <FRAME  src=\"a.html\" name=a>",
               "        <FRAME  src=\"b.html\" name=b>", "    </FRAMESET>", "    <FRAME  src=\"c.html\" name=c>",
               "</FRAMESET>"}));
    build(); // sets the levels
    root()->m_pFirstChild->m_pNext->RemovePane(&host);
    EXPECT_EQ(str(build()), str(page({"<FRAMESET  rows=50%,*>", "        <FRAME  src=\"a.html\" name=a>",
                                      "        <FRAME  src=\"b.html\" name=b>", "</FRAMESET>"})));
}

TEST_F(FramesetWriterTest, CharsetAndEmptyTitle)
{
    load(page({"<FRAMESET  cols=50%,*>", "    <FRAME  src=\"a.html\" name=a>", "</FRAMESET>"}));
    host.charset = "euc-jp";
    rootView.title.clear();
    const QString text = build();
    EXPECT_TRUE(text.contains("    <TITLE></TITLE>\r\n"));
    EXPECT_TRUE(text.contains("charset=euc-jp\">"));
}

TEST_F(FramesetWriterTest, NothingIsBuiltWithoutTreeOrFramesetView)
{
    QString out = "untouched";
    BuildFramesetPageHtml(out, FramesetTextOnly, &host);
    EXPECT_EQ(out, "untouched");
    load(page({"<FRAMESET  cols=50%,*>", "    <FRAME  src=\"a.html\" name=a>", "</FRAMESET>"}));
    host.tree.rootView = nullptr;
    BuildFramesetPageHtml(out, FramesetTextOnly, &host);
    EXPECT_EQ(out, "untouched");
    env.host = nullptr;
    BuildFramesetPageHtml(out, FramesetTextOnly);
    EXPECT_EQ(out, "untouched");
}

class WriterWithPanesTest : public FramesetWriterTest
{
protected:
    FakePane a{"a.html", "/w/a.html", &log};
    FakePane b{"b.html", QString(), &log};
    FakePane c{"c.htm", "/w/c.txt", &log};

    void SetUp() override
    {
        FramesetWriterTest::SetUp();
        host.log = &log;
        rootView.path = "/w/top.html";
        b.pathGivenOnSave = "/w/sub/b.html";
        load(page({"<FRAMESET  cols=30%,30%,*>", "    <FRAME  src=\"x\" name=a>", "    <FRAME  src=\"y\" name=b>",
                   "    <FRAME  src=\"z\" name=c>", "</FRAMESET>"}));
        VornaFrameSet* node = root()->m_pFirstChild.get();
        for (FakePane* pane : {&a, &b, &c}) {
            node->m_pView = pane;
            node = node->m_pNext.get();
        }
    }
};

TEST_F(WriterWithPanesTest, SaveModeSavesEveryPaneBeforeItsTag)
{
    const QString text = build(FramesetSaveFrames);
    EXPECT_EQ(str(log), str(QStringList({"activate a.html", "caption a.html", "save a.html to /w/a.html",
                                         "activate b.html", "caption b.html", "file-save b.html", "activate c.htm",
                                         "caption c.htm", "save c.htm to /w/c.txt"})));
    EXPECT_TRUE(text.contains("src=\"a.html\""));
    EXPECT_TRUE(text.contains("src=\"sub/b.html\"")); // written with the name given while saving
    EXPECT_TRUE(text.contains("src=\"c.txt\""));
}

TEST_F(WriterWithPanesTest, UnsavedModeSavesOnlyPagesWithoutAnHtmlName)
{
    build(FramesetSaveUnsavedFrames);
    EXPECT_EQ(str(log), str(QStringList({"activate a.html", "caption a.html", "activate b.html", "caption b.html",
                                         "file-save b.html", "activate c.htm", "caption c.htm", "file-save c.htm"})));
}

TEST_F(WriterWithPanesTest, CancelledSaveFallsBackToTheLoadSource)
{
    b.pathGivenOnSave.clear();
    b.source = "file:///w/old/b.html";
    EXPECT_TRUE(build(FramesetSaveFrames).contains("src=\"old/b.html\""));
    b.source.clear();
    EXPECT_TRUE(build(FramesetTextOnly).contains("<FRAME  src=\"\" name=b>"));
}

TEST_F(WriterWithPanesTest, PreviewNamesTheFramesInTreeOrder)
{
    host.tree.previewCounter = 0;
    const QString text = build(FramesetPreview);
    EXPECT_TRUE(text.contains("src=\"VornaPreview~1.html\" name=a>"));
    EXPECT_TRUE(text.contains("src=\"VornaPreview~2.html\" name=b>"));
    EXPECT_TRUE(text.contains("src=\"VornaPreview~3.html\" name=c>"));
    EXPECT_TRUE(log.isEmpty());
}

TEST_F(WriterWithPanesTest, ModifiedPaneMarksTheFramesetModified)
{
    build();
    EXPECT_FALSE(host.framesetModified);
    c.modified = true;
    build();
    EXPECT_TRUE(host.framesetModified);
}

TEST_F(WriterWithPanesTest, WebFolderIsTheBaseForPagesOfTheWeb)
{
    env.app.web = "/webs/site";
    env.webPages = QStringList{"top.html"};
    a.path = "/webs/site/a.html";
    b.path = "/w/b.html";
    const QString text = build();
    EXPECT_TRUE(text.contains("src=\"a.html\""));
    EXPECT_TRUE(text.contains("src=\"/w/b.html\""));
}

struct SrcCase
{
    const char* value;
    const char* base;
    const char* src;
};

void PrintTo(const SrcCase& c, std::ostream* os)
{
    *os << caseName(std::string(c.value) + "_in_" + c.base);
}

class FrameSrcRuleTest : public ::testing::TestWithParam<SrcCase>
{
};

TEST_P(FrameSrcRuleTest, Src)
{
    EXPECT_EQ(str(MakeFrameSrc(GetParam().value, GetParam().base)), GetParam().src);
}

INSTANTIATE_TEST_SUITE_P(
    Values, FrameSrcRuleTest,
    ::testing::Values(SrcCase{"FILE:///home/u/My Web/sub/a%20b.html", "/home/u/My Web", "sub/a b.html"},
                      SrcCase{"file:///home/u/My Web/a.html", "/home/u/My Web/", "a.html"},
                      SrcCase{"File:///home/u/Web/a.html", "/home/u/Other", "File:///home/u/Web/a.html"},
                      SrcCase{"/home/u/Web2/x.html", "/home/u/Web", "/home/u/Web2/x.html"},
                      SrcCase{"/home/u/Web/x.html", "/home/u/Web", "x.html"},
                      SrcCase{"/home/u/web/x.html", "/home/u/Web", "/home/u/web/x.html"},
                      SrcCase{"sub\\a.html", "", "sub/a.html"},
                      SrcCase{"/data/home/u/Web/x.html", "/home/u/Web", "/data/home/u/Web/x.html"},
                      SrcCase{"a.html", "/", "a.html"}));

TEST_F(FramesetWriterTest, FixFrameSrcPathsRewritesOnlyTheSrcValues)
{
    QTemporaryDir dir;
    const QString folder = dir.path() + "/My Web";
    QString text = "<FRAMESET  cols=50%,*>\r\n    <FRAME  target=" + folder + "/a.html src=\"file://" + folder +
                   "/a.html\">\r\n    <FRAME  src='" + folder +
                   "\\sub\\b%20c.html'>\r\n    <frame src=other.html>\r\n" + "</FRAMESET>";
    VornaFrameSet node;
    node.FixFrameSrcPaths(text, folder + "/index.html", &rootView);
    EXPECT_EQ(str(text),
              str("<FRAMESET  cols=50%,*>\r\n    <FRAME  target=" + folder +
                  "/a.html src=\"a.html\">\r\n    <FRAME  src='sub/b c.html'>\r\n    <frame src=other.html>\r\n" +
                  "</FRAMESET>"));
}

} // namespace
