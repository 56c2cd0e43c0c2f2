#include "FrameFakes.h"

#include "frames/FrameLayout.h"
#include "frames/FrameTreeLoader.h"

#include "engine/dom/Document.h"
#include "engine/html/HtmlParser.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using platform::Rect;

namespace {

class FrameTreeLoaderTest : public ::testing::Test
{
protected:
    FakeEnvironment env;
    FakeHost host;
    QList<FakePane*> panes;

    void SetUp() override { env.host = &host; }
    void TearDown() override
    {
        host.tree.clear();
        qDeleteAll(panes);
    }

    // Loads the page into the tree, a fake pane per FRAME; the FRAME count.
    int load(const QString& text)
    {
        engine::Ref<engine::Document> doc = engine::Document::create();
        engine::HtmlParser::parseDocumentInto(doc.get(), text);
        return BuildFrameTree(doc.get(), &host, [this](VornaFrameSet* node, engine::Element*) {
            panes.append(new FakePane(node->GetName()));
            node->m_pView = panes.last();
        });
    }
    VornaFrameSet* root() { return host.tree.root.get(); }
    QStringList entries(VornaFrameSet* frameset)
    {
        QStringList list;
        for (VornaFrameSet* c = frameset->m_pFirstChild.get(); c; c = c->m_pNext.get())
            list.append(c->m_strSize);
        return list;
    }
};

TEST_F(FrameTreeLoaderTest, NestedFramesetBuildsTheTreeWithItsEntriesAndAttributes)
{
    const int frames = load("<html><frameset cols=' 150 , * ' framespacing=6 border=0>"
                            "<frame src=menu.html name=menu scrolling=no noresize border=0>"
                            "<frameset rows='80,*'><frame src=top.html name=top target=main>"
                            "<frame src=main.html></frameset>"
                            "<noframes><body>text</body></noframes></frameset></html>");
    ASSERT_EQ(frames, 3);
    ASSERT_TRUE(root()->IsFrameset());
    EXPECT_EQ(str(root()->m_strSplit), "cols");
    EXPECT_EQ(str(root()->m_strSizes), "150,*");
    EXPECT_EQ(root()->GetFrameSpacing(), 6);
    EXPECT_EQ(root()->GetBorder(), 0);
    EXPECT_EQ(str(entries(root())), "150 | *");

    VornaFrameSet* menu = root()->m_pFirstChild.get();
    EXPECT_EQ(str(menu->m_strSrc), "menu.html");
    EXPECT_TRUE(menu->GetNoResize());
    EXPECT_EQ(menu->GetBorder(), 0); // written back by the frameset writer
    EXPECT_EQ(str(menu->GetScrolling()), "no");

    VornaFrameSet* inner = menu->m_pNext.get();
    EXPECT_EQ(str(inner->m_strSplit), "rows");
    EXPECT_EQ(str(entries(inner)), "80 | *");
    EXPECT_EQ(str(inner->m_pFirstChild->GetTarget()), "main");
    EXPECT_EQ(str(inner->m_pFirstChild->m_pNext->GetName()), "noname");
}

TEST_F(FrameTreeLoaderTest, SplitFollowsTheListThatHasAComma)
{
    load("<frameset cols='100%' rows='30%,*'><frame><frame></frameset>");
    EXPECT_EQ(str(root()->m_strSplit), "rows");
    EXPECT_EQ(str(entries(root())), "30% | *");
    host.tree.clear();

    // Neither list has a comma: rows, with the rows list as written; the
    // frames take stars.
    load("<frameset cols='100' rows='50'><frame><frame></frameset>");
    EXPECT_EQ(str(root()->m_strSplit), "rows");
    EXPECT_EQ(str(root()->m_strSizes), "50");
    EXPECT_EQ(str(entries(root())), "* | *");
}

TEST_F(FrameTreeLoaderTest, DeepNestingAndManyFramesLoadWhole)
{
    QString nested;
    for (int i = 0; i < 50; ++i)
        nested += "<frameset rows='50%,*'><frame>";
    nested += "<frame>";
    for (int i = 0; i < 50; ++i)
        nested += "</frameset>";
    EXPECT_EQ(load(nested), 51);
    int count = 0;
    CountFrameNodes(root(), &count);
    EXPECT_EQ(count, 51);
    DivideFramesetPanes(root(), Rect(0, 0, 800, 600), 2); // no pane goes negative
    for (FakePane* pane : panes)
        EXPECT_GE(pane->window.height(), 0);
    host.tree.clear();
    qDeleteAll(panes);
    panes.clear();

    QString many =
        "<frameset cols='" + QString("*,").repeated(199) + "*'>" + QString("<frame>").repeated(200) + "</frameset>";
    EXPECT_EQ(load(many), 200);
}

TEST_F(FrameTreeLoaderTest, FramesetWithoutFramesMakesNoPane)
{
    EXPECT_EQ(load("<frameset cols='50%,*'><noframes>none</noframes></frameset>"), 0);
    EXPECT_TRUE(panes.isEmpty());
}

class FrameSourceTest : public ::testing::Test
{
protected:
    QTemporaryDir dir;
    QString file(const QString& name, const QByteArray& bytes = "<p>x</p>")
    {
        QFile f(dir.filePath(name));
        f.open(QIODevice::WriteOnly);
        f.write(bytes);
        return QDir::cleanPath(dir.filePath(name));
    }
    FrameSource resolve(const QString& src) { return ResolveFrameSource(src, dir.path(), dir.filePath("set.html")); }
};

TEST_F(FrameSourceTest, SourcesResolveBesideTheFramesetPage)
{
    const QString menu = file("menu page.html");
    FrameSource s = resolve("menu%20page.html#top");
    EXPECT_EQ(s.kind, FrameSource::Page);
    EXPECT_EQ(str(s.path), str(menu));
    EXPECT_EQ(resolve("file://" + menu).kind, FrameSource::Page);

    // Not the process's current folder.
    const QString before = QDir::currentPath();
    QDir::setCurrent(QDir::tempPath());
    EXPECT_EQ(str(resolve("menu page.html").path), str(menu));
    QDir::setCurrent(before);
}

TEST_F(FrameSourceTest, WhatCannotBeAPaneFileIsNeverOne)
{
    file("set.html", "<frameset><frame src=set.html></frameset>");
    file("data.bin", QByteArray("\x00\x01\xff", 3));
    QDir(dir.path()).mkdir("folder");

    EXPECT_EQ(resolve("").kind, FrameSource::None);
    // The browsers' empty page is no file to look for and no address to show.
    EXPECT_EQ(resolve("about:blank").kind, FrameSource::None);
    EXPECT_EQ(resolve(" About:Blank ").kind, FrameSource::None);
    EXPECT_TRUE(resolve("about:blank").path.isEmpty());
    EXPECT_EQ(resolve("gone.html").kind, FrameSource::Missing);
    EXPECT_EQ(resolve("folder").kind, FrameSource::Missing);
    // Shown, but never saved over: the frameset page itself, a file that is
    // no page, an address.
    EXPECT_EQ(resolve("set.html").kind, FrameSource::Foreign);
    EXPECT_EQ(resolve("data.bin").kind, FrameSource::Foreign);
    const FrameSource web = resolve("http://example.com/a.html");
    EXPECT_EQ(web.kind, FrameSource::Foreign);
    EXPECT_EQ(str(web.path), "http://example.com/a.html");
}

} // namespace
