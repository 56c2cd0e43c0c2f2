// A press on the text of the page's flow (paragraphs, headings and list
// items in divisions, as generated pages hold their text) places the caret
// there; a press on the bare page leaves it in the BODY.

#include "engine/view/DesignModeInput.h"

#include "engine/EnginePage.h"
#include "engine/TestData.h"
#include "engine/dom/Text.h"
#include "engine/editing/Selection.h"
#include "engine/editing/TextRange.h"
#include "engine/html/HtmlSerializer.h"
#include "engine/layout/Geometry.h"
#include "engine/layout/TextGeometry.h"
#include "engine/view/PageView.h"
#include "engine/view/RecordingSink.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

using namespace engine;
namespace ev = engine::events;

namespace {

const char* kFlowPage = "<html><body style='margin:8px'>"
                        "<div class=document style='padding:20px; width:300px'><div class=body>"
                        "<h1 id=h style='margin:0'>Kettle</h1>"
                        "<p id=p style='margin:0'>Kettle is a timer</p>"
                        "<ul style='margin:0'><li id=li>first</li></ul></div></div>"
                        "<div id=layer style='position:absolute; left:400px; top:20px; width:100px'>layer text</div>"
                        "</body></html>";

struct FlowPage : ::testing::Test
{
    explicit FlowPage(Ref<Document> page = pageFrom(kFlowPage)) : doc(std::move(page)), view(doc.get())
    {
        view.setHeadless(QSize(600, 400));
        view.advise(&sink);
    }
    Element* el(const char* id) { return doc->getElementById(QString::fromLatin1(id)); }
    // A client point on an element's first text, before its character `offset`.
    QPoint at(Element* e, int offset)
    {
        Node* n = e;
        while (n && !n->isText())
            n = n->firstChild();
        const QRect caret = view.textGeometry().caretRectAt(n, offset);
        return caret.translated(-view.scrollPosition()).center() + QPoint(1, 0);
    }
    QPoint at(const char* id, int offset) { return at(el(id), offset); }
    void click(QPoint p)
    {
        view.input().mouseDown(p, LeftButton, Qt::NoModifier);
        view.input().mouseUp(p, LeftButton, Qt::NoModifier);
    }
    void key(int k, const QString& text = QString())
    {
        view.input().keyDown(k, Qt::NoModifier, text);
        view.input().keyUp(k, Qt::NoModifier);
    }
    void type(const QString& s)
    {
        for (QChar c : s)
            key(c.toUpper().unicode(), QString(c));
    }
    Element* caretParent() { return doc->selection().createRange().parentElement(); }

    Ref<Document> doc;
    PageView view;
    RecordingSink sink;
};

TEST_F(FlowPage, APressOnTextInDivisionsPlacesTheCaretAndTypingGoesIn)
{
    click(at("p", 6));
    EXPECT_EQ(sink.mainIds(),
              (std::vector<int>{ev::MouseDown, ev::BeforeEditFocus, ev::SelectionChange, ev::MouseUp, ev::Click}));
    EXPECT_EQ(caretParent(), el("p"));
    EXPECT_TRUE(view.caretVisible());
    type(QStringLiteral("XY"));
    key(Qt::Key_Return);
    type(QStringLiteral("Z"));
    key(Qt::Key_Backspace);
    type(QStringLiteral("W"));
    EXPECT_EQ(
        el("p")->parentElement()->innerHTML(),
        QStringLiteral("<H1 id=h style=\"MARGIN: 0\">Kettle</H1><P id=p style=\"MARGIN: 0\">KettleXY</P>"
                       "<P style=\"MARGIN: 0\">W is a timer</P><UL style=\"MARGIN: 0\"><LI id=li>first</LI></UL>"));
    EXPECT_TRUE(parserStable(doc.get()));

    // A heading and a list item too; the arrows move in the flow.
    click(at("li", 5));
    type(QStringLiteral("!"));
    key(Qt::Key_Home);
    type(QStringLiteral("-"));
    EXPECT_EQ(el("li")->innerHTML(), QStringLiteral("-first!"));
    click(at("h", 0));
    key(Qt::Key_Right);
    type(QStringLiteral("+"));
    EXPECT_EQ(el("h")->innerHTML(), QStringLiteral("K+ettle"));
}

TEST_F(FlowPage, EmptySpaceOfABlockTakesTheCaretTheBarePageDoesNot)
{
    // Right of the heading's text, inside its block.
    const QRect h = Geometry(view.layout()).boundingClientRect(el("h"));
    click(QPoint(h.right() - 5, h.center().y()));
    EXPECT_EQ(caretParent(), el("h"));

    // Below everything: the caret stands in the BODY, where the program
    // starts its area selection; the selection change comes after mousedown.
    sink.seen.clear();
    click(QPoint(300, 350));
    EXPECT_EQ(caretParent(), doc->body());
    EXPECT_EQ(sink.mainIds(),
              (std::vector<int>{ev::MouseDown, ev::BeforeEditFocus, ev::SelectionChange, ev::MouseUp, ev::Click}));
    // Cancelled, onbeforeeditfocus leaves the caret where it was.
    click(at("p", 2));
    sink.cancel[ev::BeforeEditFocus] = true;
    click(at("li", 1));
    EXPECT_EQ(caretParent(), el("p"));
}

struct SphinxPage : FlowPage
{
    static Ref<Document> load()
    {
        Ref<Document> page = Document::create();
        page->load(
            testData(QStringLiteral("fidelity/generated/sphinx-classic")).filePath(QStringLiteral("index.html")));
        return page;
    }
    SphinxPage() : FlowPage(load()) { view.setHeadless(QSize(1000, 700)); }
};

TEST_F(SphinxPage, AGeneratedPageIsTypedIntoAndSavedAsTyped)
{
    Element* p = doc->getElementsByTagName(QStringLiteral("P")).item(0);
    ASSERT_NE(p, nullptr);
    ASSERT_TRUE(p->innerText().startsWith(QLatin1String("Kettle is a small")));
    click(at(p, 0));
    EXPECT_EQ(caretParent(), p);
    type(QStringLiteral("Hello "));
    key(Qt::Key_Return);
    EXPECT_TRUE(p->innerText().startsWith(QLatin1String("Hello")));
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("index.html"));
    ASSERT_TRUE(doc->save(path));
    Ref<Document> again = Document::create();
    ASSERT_TRUE(again->load(path));
    const QString html = again->body()->innerHTML();
    EXPECT_TRUE(html.contains(QLatin1String("<P>Hello </P>"))) << html.left(2000).toStdString();
    EXPECT_TRUE(html.contains(QLatin1String("<P>Kettle is a small"))) << html.left(2000).toStdString();
}

} // namespace
