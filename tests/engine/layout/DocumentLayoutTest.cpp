#include "engine/layout/DocumentLayout.h"
#include "engine/layout/Geometry.h"
#include "engine/layout/HitTester.h"
#include "engine/layout/LayoutSerializer.h"
#include "engine/layout/RangeGeometry.h"
#include "engine/editing/TextRange.h"
#include "engine/layout/TextGeometry.h"

#include "bench/engine/BenchPages.h"
#include "engine/EnginePage.h"
#include "LayoutFixture.h"

#include "engine/css/Style.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QPainter>
#include <QRegularExpression>
#include <QThreadPool>

using namespace engine;
using layout_test::byId;

namespace {

Ref<Document> fixturePage(const char* name)
{
    Ref<Document> doc = pageFrom(layout_test::readFixture(QString::fromLatin1(name)));
    return doc;
}

struct Page
{
    explicit Page(const Ref<Document>& d, QSize view = QSize(800, 600)) : doc(d), layout(d.get())
    {
        layout.setBaseFolder(layout_test::fixtureFolder());
        layout.setViewportSize(view);
    }
    Ref<Document> doc;
    DocumentLayout layout;
};

} // namespace

TEST(LayoutSerializer, WritesNodeIdsAndTextMarkersButNoDoctypeOrComments)
{
    Ref<Document> doc = pageFrom("<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\">"
                                 "<html><body><!-- note --><p align=center title='a \"q\" & b'>x &amp; y</p>"
                                 "<pre id=pre>x</pre><style>p > b { color: red }</style>"
                                 "<script>if (a < b) x();</script></body></html>");
    doc->getElementById(QStringLiteral("pre"))->firstChild()->asText()->setData(QStringLiteral("\nline"));
    const LayoutSerializer::Result r = LayoutSerializer::serialize(*doc);
    EXPECT_FALSE(r.html.contains(QLatin1String("DOCTYPE")));
    EXPECT_FALSE(r.html.contains(QLatin1String("note")));
    EXPECT_TRUE(r.html.contains(QLatin1String("title=\"a &quot;q&quot; &amp; b\""))) << r.html.toStdString();
    EXPECT_TRUE(r.html.contains(QLatin1String("x &amp; y")));
    // The parser drops the first newline of a PRE: one more keeps the offsets.
    EXPECT_TRUE(r.html.contains(QLatin1String("<!--#"))) << r.html.toStdString();
    EXPECT_TRUE(
        r.html.contains(QRegularExpression(QStringLiteral("<PRE data-pgn=\\d+ id=\"pre\">\\n<!--#\\d+-->\\nline"))))
        << r.html.toStdString();
    // A sheet's text stands as it is; a script's is not laid out.
    EXPECT_TRUE(r.html.contains(QLatin1String("p > b { color: red }")));
    EXPECT_FALSE(r.html.contains(QLatin1String("x();")));
    // Every id maps back to its node.
    for (int id = 0; id < static_cast<int>(r.nodes.size()); ++id) {
        const Node* n = r.nodes[static_cast<size_t>(id)].get();
        if (n->isText())
            EXPECT_TRUE(r.html.contains(QStringLiteral("<!--#%1-->").arg(id)));
        else
            EXPECT_TRUE(r.html.contains(QStringLiteral("data-pgn=%1").arg(id)));
    }
}

// Text is written in runs between the characters escaped: those at its ends,
// next to each other and alone each come out once, and nothing in between
// is lost or doubled.
TEST(LayoutSerializer, EscapesEachCharacterOfATextOnceWhereverItStands)
{
    Ref<Document> doc = pageFrom("<html><body><p id=p>x</p></body></html>");
    Element* p = doc->getElementById(QStringLiteral("p"));
    const struct
    {
        QString text;
        QString written;
    } cases[] = {
        {QStringLiteral("<a>"), QStringLiteral("&lt;a&gt;")},
        {QStringLiteral("plain words"), QStringLiteral("plain words")},
        {QStringLiteral("&&x\"y\""), QStringLiteral("&amp;&amp;x\"y\"")},
        {QString(QChar(0)) + QStringLiteral("ab") + QChar(0),
         QString(QChar(0xFFFD)) + QStringLiteral("ab") + QChar(0xFFFD)},
    };
    for (const auto& c : cases) {
        p->firstChild()->asText()->setData(c.text);
        const QString html = LayoutSerializer::serialize(*doc).html;
        const QRegularExpression marker(QStringLiteral("<!--#\\d+-->"));
        const qsizetype at = html.indexOf(marker);
        ASSERT_GE(at, 0) << html.toStdString();
        const qsizetype start = html.indexOf(QLatin1String("-->"), at) + 3;
        EXPECT_EQ(html.mid(start, html.indexOf(QLatin1String("</P>"), start) - start), c.written)
            << c.text.toStdString();
    }
    p->setAttribute(QStringLiteral("title"), Variant(QStringLiteral("\"a\" & <b>")));
    EXPECT_TRUE(
        LayoutSerializer::serialize(*doc).html.contains(QLatin1String("title=\"&quot;a&quot; &amp; &lt;b&gt;\"")));
}
TEST(LayoutSerializer, WritesTheInlineStyleFromItsDeclarations)
{
    Ref<Document> doc = pageFrom("<body><div id=d style='left:5px;position:absolute'>x</div></body>");
    byId(doc.get(), "d")->style().setCssText(QStringLiteral("position: absolute; left: 10px"));
    const QString html = LayoutSerializer::serialize(*doc).html;
    EXPECT_TRUE(html.contains(QStringLiteral("style=\"POSITION: absolute; LEFT: 10px\""))) << html.toStdString();
}

// A long page written in pieces (handed to the layout's thread without a
// copy) is the same text, at every step, with the same first part, also
// when that part ends after the first pieces, inside a long text.
TEST(LayoutSerializer, PiecesJoinToTheTextWrittenWhole)
{
    QString words;
    for (int i = 0; i < 300; ++i)
        words += QStringLiteral("w%1 &amp; ").arg(i);
    Ref<Document> doc =
        pageFrom(QStringLiteral("<body><h1>Title</h1>") +
                 QStringLiteral("<p>%1</p><table><tr><td>cell</td></tr></table>").arg(words).repeated(6) +
                 QStringLiteral("</body>"));
    LayoutSerializer whole(*doc);
    LayoutSerializer pieces(*doc);
    whole.takeFirstPartAt(5000, 3);
    pieces.takeFirstPartAt(5000, 3);
    pieces.keepInPiecesOf(700);
    size_t most = 0;
    for (bool done = false; !done;) {
        done = whole.advance(3);
        EXPECT_EQ(pieces.advance(3), done);
        const std::vector<QString> parts = pieces.partialPieces();
        most = std::max(most, parts.size());
        ASSERT_EQ(LayoutSerializer::join(parts), whole.partialHtml());
        ASSERT_EQ(pieces.writtenLength(), whole.result().html.size());
    }
    EXPECT_GT(most, 5u);
    EXPECT_FALSE(pieces.firstPart().isEmpty());
    EXPECT_EQ(pieces.firstPart(), whole.firstPart());
    EXPECT_EQ(LayoutSerializer::join(pieces.wholePieces()), whole.result().html);
    const LayoutSerializer::Result r = pieces.takeResult();
    EXPECT_EQ(r.html, whole.result().html);
    EXPECT_EQ(r.nodes.size(), whole.result().nodes.size());
}

// A long text is written a slice at a time, each advance the next (the
// window's steps stay short), as the text was when its writing began: the
// pieces join to the text written whole, a reference or a surrogate pair
// at a slice's edge included; what follows it waits for its end.
TEST(LayoutSerializer, ALongTextIsWrittenASliceAtATime)
{
    const qsizetype slice = LayoutSerializer::kTextSlice;
    QString text = QStringLiteral("x").repeated(3 * slice + 100);
    text[slice - 1] = QChar(0xD83D);
    text[slice] = QChar(0xDE00);
    text[2 * slice] = u'&';
    Ref<Document> doc = pageFrom(QStringLiteral("<body><p>a</p><pre>t</pre><p>after</p></body>"));
    Text* pre = doc->getElementsByTagName(QStringLiteral("PRE")).item(0)->firstChild()->asText();
    pre->setData(text);
    const QString whole = LayoutSerializer::serialize(*doc).html;
    LayoutSerializer pieces(*doc);
    pieces.takeFirstPartAt(1000, 3);
    pieces.keepInPiecesOf(4 * slice);
    qsizetype before = 0;
    int steps = 0;
    while (!pieces.advance(512)) {
        EXPECT_LT(pieces.writtenLength() - before, 2 * slice + 200);
        before = pieces.writtenLength();
        if (++steps == 1)
            pre->setData(QStringLiteral("changed"));
    }
    EXPECT_GE(steps, 3);
    EXPECT_EQ(LayoutSerializer::join(pieces.wholePieces()), whole);
    EXPECT_TRUE(whole.startsWith(pieces.firstPart().left(pieces.firstPart().indexOf(u'x') + 500)));
}

// A long page's layout takes seconds to take apart: let go on the window's
// thread (another page loaded, the engine gone), it is taken apart on a
// worker thread, with what it refers to kept until then.
TEST(LayoutEngine, ALongPagesLayoutIsTakenApartInTheBackground)
{
    QString html = QStringLiteral("<html><body>");
    for (int i = 0; i < 3000; ++i)
        html += QStringLiteral("<p>paragraph <b>%1</b></p>").arg(i);
    auto engine = std::make_unique<LayoutEngine>();
    engine->load(html);
    engine->layout(800);
    ASSERT_GE(engine->tree().boxes.size(), LayoutEngine::kBoxesTakenApartInBackground);
    engine->load(QStringLiteral("<html><body><p>short</p></body></html>"));
    engine->layout(800);
    ASSERT_FALSE(engine->tree().pieces.empty());
    EXPECT_EQ(engine->tree().pieces.front().text, QStringLiteral("short"));
    engine->load(html);
    engine->layout(800);
    engine.reset();
    EXPECT_TRUE(QThreadPool::globalInstance()->waitForDone(60000));
}

// A long line of text is one box of very many words, each an element of
// the layout's: its layout is taken apart there too; a short page's here,
// also one of some thousand boxes and words (a few milliseconds), which
// taken apart on a worker would slow the next layout more.
TEST(LayoutEngine, ALongLineOfFewBoxesIsTakenApartInTheBackgroundToo)
{
    QString words;
    for (int i = 0; i < 40000; ++i)
        words += QStringLiteral("word%1 ").arg(i);
    LayoutEngine engine;
    engine.load(QStringLiteral("<html><body><pre>") + words + QStringLiteral("</pre></body></html>"));
    engine.layout(800);
    ASSERT_LT(engine.tree().boxes.size(), 10u);
    EXPECT_TRUE(engine.takenApartInBackground());
    engine.load(QStringLiteral("<html><body><p>short</p></body></html>"));
    engine.layout(800);
    EXPECT_FALSE(engine.takenApartInBackground());
    engine.load(bench_pages::largePage());
    engine.layout(800);
    EXPECT_FALSE(engine.takenApartInBackground());
}

// A long page's layout holds each of its nodes: when the layout goes, they
// are let go of in steps on the event loop, the page with the last, which
// is then taken apart as it would have been at once.
TEST(DocumentLayout, TheNodesOfALongPageAreLetGoOfInStepsWhenItsLayoutGoes)
{
    QString html = QStringLiteral("<html><body>");
    const int paragraphs = int(DocumentLayout::kNodesLetGoAtOnce) / 2 + 1000;
    for (int i = 0; i < paragraphs; ++i)
        html += QStringLiteral("<p>a</p>");
    Ref<Document> doc = pageFrom(html);
    Ref<Node> last = doc->body()->lastChild();
    const int held = last->refCount();
    {
        DocumentLayout layout(doc.get());
        layout.ensureLayout();
        ASSERT_FALSE(layout.tree().pieces.empty());
        EXPECT_EQ(last->refCount(), held + 1);
    }
    // The page goes with the last step: it stays whole until then.
    Document* page = doc.get();
    doc = nullptr;
    EXPECT_EQ(page->body()->lastChild(), last.get());
    for (int i = 0; i < 10 && last->refCount() > 1; ++i)
        QCoreApplication::processEvents();
    EXPECT_EQ(last->refCount(), 1);
    EXPECT_FALSE(last->isConnected());
}

TEST(DocumentLayout, HostileNestingIsCappedAndLaysOut)
{
    QString divs;
    for (int i = 0; i < 20000; ++i)
        divs += QLatin1String("<div>");
    divs += QLatin1String("deep");
    QString tables;
    for (int i = 0; i < 20; ++i)
        tables += QLatin1String("<table border=1><tr><td>cell");
    for (int i = 0; i < 20; ++i)
        tables += QLatin1String("</td></tr></table>");
    for (const QString& body : {tables, divs}) {
        Page page(pageFrom(QStringLiteral("<html><body>") + body + QStringLiteral("</body></html>")));
        const LayoutTree& tree = page.layout.tree();
        EXPECT_FALSE(tree.boxes.empty());
        int depth = 0;
        for (const LayoutBox& b : tree.boxes) {
            int d = 0;
            for (int p = b.parent; p >= 0; p = tree.boxes[static_cast<size_t>(p)].parent)
                ++d;
            depth = std::max(depth, d);
        }
        EXPECT_LE(depth, LayoutSerializer::kMaxDepth + 2);
    }
}

// A style sheet is read whole, not as words: its rules still apply, the
// last of a long sheet included, and text that only looks like a sheet's
// (after an empty STYLE, or a STYLE of white space) is still split into
// words that wrap.
TEST(DocumentLayout, StyleSheetsAreReadWholeAndTextAfterThemStillWraps)
{
    QString rules;
    for (int i = 0; i < 2000; ++i)
        rules += QStringLiteral("p.c%1 > span { color: red }\n").arg(i);
    const QString words = QStringLiteral("/*sheet*/ one two three four five six seven eight nine ten");
    Page page(pageFrom(QStringLiteral("<html><head><style>") + rules +
                       QStringLiteral("#last { width: 40px; height: 30px }</style><style media=screen>"
                                      "</style><style>   </style></head><body><div id=last></div>"
                                      "<p id=a style='width:120px'><style></style>") +
                       words + QStringLiteral("</p><p id=b style='width:120px'><style> </style>") + words +
                       QStringLiteral("</p><p id=one>x</p></body></html>")));
    const LayoutTree& tree = page.layout.tree();
    EXPECT_EQ(tree.boxByHtmlId(QStringLiteral("last"))->borderBox.size(), QSize(40, 30));
    const int line = tree.boxByHtmlId(QStringLiteral("one"))->borderBox.height();
    for (const char* id : {"a", "b"})
        EXPECT_GT(tree.boxByHtmlId(QString::fromLatin1(id))->borderBox.height(), 3 * line) << id;
}

// DIVs (or tables) nested around a SPAN: `divs` levels of DIV, then
// `tables` tables nested in each other's cells.
QString nestedAround(int divs, int tables)
{
    QString html;
    for (int i = 0; i < divs; ++i)
        html += QLatin1String("<div>");
    for (int i = 0; i < tables; ++i)
        html += QLatin1String("<table><tr><td>");
    html += QLatin1String("<span id=deep>deepest</span>");
    for (int i = 0; i < tables; ++i)
        html += QLatin1String("</td></tr></table>");
    for (int i = 0; i < divs; ++i)
        html += QLatin1String("</div>");
    return html;
}

// Content nested deeper than the layout takes is left out of it, and the
// layout says so, so that the user can be told: one level past either cap
// does, the level at the cap does not. The depth is the page's own: a text
// box the page's text stands in (a positioned table of one cell in BODY)
// counts no level and no table, another table of one cell does. An edit
// that nests content too deep says so too, once; one that takes it out
// again ends it at once, and nesting it again says so again.
TEST(DocumentLayout, SaysWhenContentIsNestedDeeperThanItTakes)
{
    // (HTML stands at depth 0 and BODY at 1: the SPAN at 2 + divs.)
    const int divsAtTheCap = LayoutSerializer::kMaxDepth - 2;
    const QString textBox = QStringLiteral("<table id=text style='position: absolute; left: 20px; top: 20px'><tr><td>");
    const QString table = QStringLiteral("<table><tr><td>");
    const struct
    {
        QString around;
        int divs;
        int tables;
        bool tooDeep;
    } cases[] = {
        {{}, divsAtTheCap, 0, false},
        {{}, divsAtTheCap + 1, 0, true},
        {{}, 0, LayoutSerializer::kMaxTableDepth, false},
        {{}, 0, LayoutSerializer::kMaxTableDepth + 1, true},
        {textBox, divsAtTheCap, 0, false},
        {textBox, divsAtTheCap + 1, 0, true},
        {textBox, 0, LayoutSerializer::kMaxTableDepth, false},
        {textBox, 0, LayoutSerializer::kMaxTableDepth + 1, true},
        {table, divsAtTheCap - 4, 0, false},
        {table, divsAtTheCap - 3, 0, true},
        {table, 0, LayoutSerializer::kMaxTableDepth, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.around.toStdString() << " " << c.divs << " divs, " << c.tables
                                        << " tables");
        Page page(pageFrom(QStringLiteral("<html><body>") + c.around + QStringLiteral("<p>top</p>") +
                           nestedAround(c.divs, c.tables) + QStringLiteral("</body></html>")));
        int told = 0;
        page.layout.setDeepContentHandler([&] { ++told; });
        page.layout.ensureLayout();
        EXPECT_EQ(page.layout.leavesOutDeepContent(), c.tooDeep);
        EXPECT_EQ(told, c.tooDeep ? 1 : 0);
        EXPECT_EQ(page.layout.box(byId(page.doc.get(), "deep")) == nullptr, c.tooDeep);
    }

    Page page(pageFrom("<html><body><p>top</p><div id=holder><p>one</p><p>two</p></div></body></html>"));
    int told = 0;
    page.layout.setDeepContentHandler([&] { ++told; });
    page.layout.ensureLayout();
    ASSERT_FALSE(page.layout.leavesOutDeepContent());
    Element* holder = byId(page.doc.get(), "holder");
    Ref<Element> nest = page.doc->createElement(QStringLiteral("DIV"));
    nest->setInnerHTML(nestedAround(divsAtTheCap, 0));
    const int rebuilds = page.layout.counters().rebuilds;
    holder->appendChild(nest.get());
    page.layout.ensureLayout();
    EXPECT_EQ(page.layout.counters().rebuilds, rebuilds) << "the run written anew, not the page";
    EXPECT_TRUE(page.layout.leavesOutDeepContent());
    EXPECT_EQ(told, 1);
    // Another deep part, and a whole writing of the page, say nothing new.
    Ref<Element> second = page.doc->createElement(QStringLiteral("DIV"));
    second->setInnerHTML(nestedAround(divsAtTheCap, 0));
    holder->appendChild(second.get());
    page.layout.ensureLayout();
    page.doc->body()->setAttribute(QStringLiteral("class"), QStringLiteral("again"));
    page.layout.ensureLayout();
    EXPECT_GT(page.layout.counters().rebuilds, rebuilds);
    EXPECT_TRUE(page.layout.leavesOutDeepContent());
    EXPECT_EQ(told, 1);
    holder->removeChild(nest.get());
    page.layout.ensureLayout();
    EXPECT_TRUE(page.layout.leavesOutDeepContent()) << "the second part stays";
    holder->removeChild(second.get());
    page.layout.ensureLayout();
    EXPECT_FALSE(page.layout.leavesOutDeepContent());
    holder->appendChild(nest.get());
    page.layout.ensureLayout();
    EXPECT_TRUE(page.layout.leavesOutDeepContent());
    EXPECT_EQ(told, 2);
    // Content taken out with what is around it, and deep content moved
    // where the layout takes it, are no longer left out.
    holder->remove();
    page.layout.ensureLayout();
    EXPECT_FALSE(page.layout.leavesOutDeepContent());
    Page moved(pageFrom(QStringLiteral("<html><body><p id=top>top</p>") + nestedAround(divsAtTheCap + 1, 0) +
                        QStringLiteral("</body></html>")));
    moved.layout.ensureLayout();
    ASSERT_TRUE(moved.layout.leavesOutDeepContent());
    Element* deep = byId(moved.doc.get(), "deep");
    byId(moved.doc.get(), "top")->appendChild(deep);
    moved.layout.ensureLayout();
    EXPECT_FALSE(moved.layout.leavesOutDeepContent());
    EXPECT_NE(moved.layout.box(deep), nullptr);
}

TEST(Geometry, OffsetParentsAndOffsets)
{
    Page page(pageFrom("<body><div id=pos style='position:absolute;left:30px;top:40px;width:200px;height:100px'>"
                       "<span id=inpos>x</span></div>"
                       "<table id=t cellspacing=0 cellpadding=5 style='margin-top:200px'><tr><td id=td>"
                       "<b id=b>bold</b></td></tr></table><p id=p>para</p>"
                       "<map name=m><area id=area shape=rect coords='0,0,5,5'></map></body>"));
    Geometry g(page.layout);
    Document* doc = page.doc.get();
    EXPECT_EQ(g.offsetParent(byId(doc, "inpos")), byId(doc, "pos"));
    EXPECT_EQ(g.offsetParent(byId(doc, "b")), byId(doc, "td"));
    EXPECT_EQ(g.offsetParent(byId(doc, "td")), byId(doc, "t"));
    EXPECT_EQ(g.offsetParent(byId(doc, "p")), doc->body());
    EXPECT_EQ(g.offsetParent(doc->body()), nullptr);
    EXPECT_EQ(g.offsetLeft(byId(doc, "pos")), 30);
    EXPECT_EQ(g.offsetTop(byId(doc, "pos")), 40);
    EXPECT_EQ(g.offsetWidth(byId(doc, "pos")), 200);
    EXPECT_EQ(g.offsetHeight(byId(doc, "pos")), 100);
    EXPECT_EQ(g.offsetLeft(byId(doc, "inpos")), 0);
    // In a cell: from the cell's padding edge; the cell's padding is 5.
    EXPECT_EQ(g.offsetLeft(byId(doc, "b")), 5);
    EXPECT_EQ(g.offsetTop(byId(doc, "b")), 5);
    EXPECT_EQ(g.offsetLeft(byId(doc, "p")), 10);
    EXPECT_EQ(g.clientWidth(doc->body()), 800);
    EXPECT_EQ(g.clientHeight(doc->body()), 600);
    EXPECT_EQ(g.clientWidth(byId(doc, "pos")), 200);
    // No box: zeros.
    EXPECT_EQ(g.offsetWidth(byId(doc, "area")), 0);
    EXPECT_EQ(g.offsetLeft(byId(doc, "area")), 0);
    EXPECT_TRUE(g.boundingClientRect(byId(doc, "area")).isNull());
}

TEST(Geometry, ClientCoordinatesFollowTheScrollPosition)
{
    Page page(pageFrom("<body><div id=far style='position:absolute;left:1500px;top:2000px;width:10px;height:10px'>"
                       "</div><div id=d style='position:absolute;left:100px;top:300px;width:50px;height:20px'></div>"
                       "</body>"),
              QSize(400, 300));
    Geometry g(page.layout);
    Element* d = byId(page.doc.get(), "d");
    EXPECT_EQ(page.layout.canvasSize(), QSize(1510, 2010));
    page.layout.setScrollPosition(QPoint(50, 250));
    EXPECT_EQ(g.boundingClientRect(d), QRect(50, 50, 50, 20));
    EXPECT_EQ(g.scrollTop(page.doc->body()), 250);
    EXPECT_EQ(g.scrollLeft(d), 0);
    // Scrolling stops at the canvas extent.
    page.layout.setScrollPosition(QPoint(5000, 5000));
    EXPECT_EQ(page.layout.scrollPosition(), QPoint(1510 - 400, 2010 - 300));
    page.layout.setScrollPosition(QPoint(-5, -5));
    EXPECT_EQ(page.layout.scrollPosition(), QPoint(0, 0));
}

struct HitCase
{
    QPoint client;
    const char* expected; // id, "BODY", or nullptr for none
};

class HitTesting : public ::testing::TestWithParam<HitCase>
{
};

TEST_P(HitTesting, FindsTheTopmostElement)
{
    Page page(fixturePage("hit.html"));
    HitTester hit(page.layout);
    Element* el = hit.elementFromPoint(GetParam().client);
    const char* expected = GetParam().expected;
    if (!expected) {
        EXPECT_EQ(el, nullptr);
        return;
    }
    ASSERT_NE(el, nullptr);
    if (QByteArray(expected) == "BODY")
        EXPECT_EQ(el, page.doc->body());
    else
        EXPECT_EQ(el->id(), QString::fromLatin1(expected))
            << "got " << el->tagName().toStdString() << " " << el->id().toStdString();
}

// The table: left 20, top 20, border 2, spacing 10: the first cell's border
// box starts at 32,32 and is 110 wide (100 + 2x4 padding + 2x1 border).
INSTANTIATE_TEST_SUITE_P(Fixture, HitTesting,
                         ::testing::Values(HitCase{{25, 25}, "t"},          // table border
                                           HitCase{{35, 28}, "t"},          // cell spacing
                                           HitCase{{32, 32}, "c1"},         // left/top edge of a cell is inside
                                           HitCase{{60, 50}, "c1"},         // inside the cell
                                           HitCase{{310, 30}, "low"},       // only the lower layer here
                                           HitCase{{440, 160}, "high"},     // higher z-index wins where they overlap
                                           HitCase{{355, 75}, "inner"},     // what the layer holds
                                           HitCase{{390, 110}, "later"},    // same z-index: later in the tree wins
                                           HitCase{{30, 210}, "arect"},     // image map: rect
                                           HitCase{{120, 250}, "acircle"},  // circle
                                           HitCase{{215, 205}, "apoly"},    // polygon
                                           HitCase{{170, 280}, "mapped"},   // on the image but no area
                                           HitCase{{310, 210}, "plainmap"}, // usemap without "#": the IMG
                                           HitCase{{700, 500}, "BODY"},     // empty page area
                                           HitCase{{-1, 10}, nullptr},      // outside the view
                                           HitCase{{800, 10}, nullptr}));

TEST(HitTesting, AreaShapes)
{
    EXPECT_TRUE(HitTester::areaContains(QStringLiteral("rect"), QStringLiteral("10,10,20,20"), QPoint(10, 10)));
    EXPECT_FALSE(HitTester::areaContains(QStringLiteral("rect"), QStringLiteral("10,10,20,20"), QPoint(20, 15)));
    EXPECT_TRUE(HitTester::areaContains(QString(), QStringLiteral("20,20,10,10"), QPoint(15, 15)));
    EXPECT_TRUE(HitTester::areaContains(QStringLiteral("CIRCLE"), QStringLiteral("10, 10, 5"), QPoint(13, 13)));
    EXPECT_FALSE(HitTester::areaContains(QStringLiteral("circle"), QStringLiteral("10,10,5"), QPoint(14, 14)));
    EXPECT_TRUE(HitTester::areaContains(QStringLiteral("poly"), QStringLiteral("0,0 10,0 0,10"), QPoint(2, 2)));
    EXPECT_FALSE(HitTester::areaContains(QStringLiteral("poly"), QStringLiteral("0,0,10,0,0,10"), QPoint(8, 8)));
    EXPECT_FALSE(HitTester::areaContains(QStringLiteral("poly"), QStringLiteral("0,0,10"), QPoint(1, 1)));
    EXPECT_TRUE(HitTester::areaContains(QStringLiteral("default"), QString(), QPoint(99, 99)));
}

TEST(HitTesting, ScrolledViewHitsThePagePointUnderTheClientPoint)
{
    Page page(pageFrom("<body><div id=d style='position:absolute;left:100px;top:600px;width:50px;height:50px'>"
                       "</div></body>"),
              QSize(400, 300));
    HitTester hit(page.layout);
    page.layout.setScrollPosition(QPoint(0, 350));
    EXPECT_EQ(page.layout.scrollPosition(), QPoint(0, 350));
    EXPECT_EQ(hit.elementFromPoint(QPoint(110, 260)), byId(page.doc.get(), "d"));
}

TEST(TextGeometry, CaretPointAndLineMovesAgree)
{
    Page page(pageFrom("<body><p id=p style='width:200px'>first line of text that wraps onto a second line "
                       "and then a third one</p></body>"));
    TextGeometry text(page.layout);
    Text* t = byId(page.doc.get(), "p")->firstChild()->asText();
    ASSERT_NE(t, nullptr);
    int lastX = -1;
    for (int i = 0; i <= 5; ++i) {
        const QRect caret = text.caretRect(t, i);
        ASSERT_FALSE(caret.isNull());
        EXPECT_GT(caret.left(), lastX);
        lastX = caret.left();
        // The point at the caret gives the same place back.
        const TextPosition pos = text.positionAtPoint(caret.topLeft() + QPoint(0, 2));
        EXPECT_EQ(pos.node, t);
        EXPECT_EQ(pos.offset, i);
    }
    const auto first = text.lineInfo(t, 2);
    ASSERT_TRUE(first.has_value());
    EXPECT_GT(first->baseline, first->top);
    EXPECT_GT(first->descent, 0);
    EXPECT_EQ(first->x, 10);
    const QRect caret = text.caretRect(t, 3);
    const TextPosition down = text.moveLine(t, 3, 1, caret.left());
    ASSERT_FALSE(down.isNull());
    const QRect below = text.caretRect(down.text(), down.offset);
    EXPECT_GT(below.top(), caret.top());
    EXPECT_LE(std::abs(below.left() - caret.left()), 8);
    EXPECT_TRUE(text.moveLine(t, 3, -1, caret.left()).isNull());
    // Whole range over two lines: two rectangles.
    EXPECT_EQ(text.rangeRects(t, 0, down.text(), down.offset).size(), 2u);
    EXPECT_EQ(text.wordAt(t, 2), std::make_pair(0, 5));
}

TEST(DocumentLayout, ChangesRelayoutLazilyAndMovesOnlyShift)
{
    Page page(pageFrom("<body><div id=d style='position:absolute;left:10px;top:10px;width:50px;height:50px'>"
                       "</div><table><tr><td id=c>cell</td></tr></table><p id=p>text</p></body>"));
    Document* doc = page.doc.get();
    page.layout.ensureLayout();
    page.layout.takeDirtyRegion();
    const DocumentLayout::Counters start = page.layout.counters();
    Element* d = byId(doc, "d");

    d->style().setAttribute(QStringLiteral("left"), Variant(QStringLiteral("110px")));
    EXPECT_FALSE(page.layout.needsLayout());
    EXPECT_EQ(page.layout.counters().shifts, start.shifts + 1);
    EXPECT_EQ(page.layout.box(d)->borderBox.topLeft(), QPoint(110, 10));
    const QRegion dirty = page.layout.takeDirtyRegion();
    EXPECT_TRUE(dirty.contains(QRect(10, 10, 50, 50)));
    EXPECT_TRUE(dirty.contains(QRect(110, 10, 50, 50)));
    EXPECT_FALSE(dirty.contains(QRect(300, 300, 10, 10)));

    byId(doc, "c")->setAttribute(QStringLiteral("bgColor"), Variant(QStringLiteral("red")));
    EXPECT_TRUE(page.layout.needsLayout());
    page.layout.ensureLayout();
    EXPECT_EQ(page.layout.counters().rebuilds, start.rebuilds);
    EXPECT_GT(page.layout.counters().restyles, start.restyles);
    // The moved element keeps its place through the relayout.
    EXPECT_EQ(page.layout.box(d)->borderBox.topLeft(), QPoint(110, 10));

    byId(doc, "p")->firstChild()->asText()->setData(QStringLiteral("new text"));
    page.layout.ensureLayout();
    EXPECT_EQ(page.layout.counters().rebuilds, start.rebuilds);
    EXPECT_EQ(page.layout.counters().textUpdates, start.textUpdates + 1);
    TextGeometry text(page.layout);
    EXPECT_FALSE(text.caretRect(byId(doc, "p")->firstChild()->asText(), 3).isNull());
}

// Reading a range's text or HTML works on a detached copy of it: nothing of
// that copy is in the page, so the layout stays as it is.
TEST(DocumentLayout, ChangesOutsideThePageLeaveTheLayoutAlone)
{
    Page page(pageFrom("<body><p id=p>some words here</p><table><tr><td id=c>cell</td></tr></table></body>"));
    Document* doc = page.doc.get();
    page.layout.ensureLayout();
    const DocumentLayout::Counters start = page.layout.counters();
    Text* words = byId(doc, "p")->firstChild()->asText();
    TextRange range(doc);
    range.setRange(words, 0, words, 4);
    EXPECT_EQ(range.text(), QStringLiteral("some"));
    EXPECT_EQ(range.htmlText(), QStringLiteral("some"));
    Ref<Element> built = doc->createElement(QStringLiteral("DIV"));
    built->appendChild(doc->createTextNode(QStringLiteral("not yet in the page")));
    built->setAttribute(QStringLiteral("id"), Variant(QStringLiteral("x")));
    built->style().setAttribute(QStringLiteral("left"), Variant(QStringLiteral("4px")));
    EXPECT_FALSE(page.layout.needsLayout());
    page.layout.ensureLayout();
    EXPECT_EQ(page.layout.counters().rebuilds, start.rebuilds);
    // Put in the page, it is laid out.
    byId(doc, "c")->appendChild(built);
    EXPECT_TRUE(page.layout.needsLayout());
    page.layout.ensureLayout();
    EXPECT_NE(page.layout.box(built.get()), nullptr);
}

TEST(DocumentLayout, ImageSizeReadsTheRenderedSize)
{
    Page page(pageFrom("<body><img id=i src='photo.png'></body>"));
    EXPECT_EQ(byId(page.doc.get(), "i")->getAttribute(QStringLiteral("width")).toInt(), 60);
    EXPECT_EQ(byId(page.doc.get(), "i")->getAttribute(QStringLiteral("height")).toInt(), 40);
}

TEST(RangeGeometry, PointRectsAndBounds)
{
    Page page(pageFrom("<body><p id=p style='width:200px'>first line of text that wraps onto a second line</p>"
                       "<table><tr><td id=empty width=50 height=30></td></tr></table></body>"));
    RangeGeometry geometry(page.layout);
    TextGeometry text(page.layout);
    Text* t = byId(page.doc.get(), "p")->firstChild()->asText();
    TextRange range(page.doc.get());
    const QRect caret = text.caretRect(t, 6);
    ASSERT_TRUE(geometry.moveToPoint(range, caret.center()));
    EXPECT_TRUE(range.isCollapsed());
    EXPECT_EQ(range.start().node(), t);
    EXPECT_EQ(range.start().offset(), 6);
    EXPECT_EQ(geometry.boundingClientRect(range), caret);

    range.setRange(t, 0, t, t->length());
    const std::vector<QRect> rects = geometry.clientRects(range);
    ASSERT_EQ(rects.size(), 2u);
    EXPECT_EQ(geometry.boundingClientRect(range), rects[0].united(rects[1]));

    // An empty cell takes the caret.
    Element* cell = byId(page.doc.get(), "empty");
    const QRect cellBox = page.layout.box(cell)->borderBox;
    ASSERT_TRUE(geometry.moveToPoint(range, cellBox.center()));
    EXPECT_EQ(range.start().node(), cell);
}

// getClientRects gives an empty line the range crosses as what a selection
// highlights there: a space wide at the line's start, the line's height.
TEST(RangeGeometry, AnEmptyLineTheRangeCrossesIsOneOfItsRects)
{
    Page page(pageFrom("<body><p id=p>one<br><br id=e>three</p></body>"));
    RangeGeometry geometry(page.layout);
    Element* p = byId(page.doc.get(), "p");
    TextRange range(page.doc.get());
    range.setRange(p->firstChild(), 0, p->lastChild(), 5);
    const std::vector<QRect> rects = geometry.clientRects(range);
    ASSERT_EQ(rects.size(), 3u);
    const QRect line = page.layout.box(byId(page.doc.get(), "e"))->borderBox;
    EXPECT_EQ(rects[1].topLeft(), line.topLeft());
    EXPECT_EQ(rects[1].height(), line.height());
    EXPECT_GE(rects[1].width(), 2);
    EXPECT_LE(rects[1].width(), 8);
    // Ending before the empty line's break leaves it out.
    range.setRange(p->firstChild(), 0, p, 2);
    EXPECT_EQ(geometry.clientRects(range).size(), 1u);
}

TEST(DocumentLayout, ColourChangesRepaintWithoutLayout)
{
    Page page(pageFrom("<body><p id=p>text</p><table><tr><td id=c>cell</td></tr></table>"
                       "<div id=d style='width:100px'>d</div></body>"));
    Document* doc = page.doc.get();
    page.layout.ensureLayout();
    page.layout.takeDirtyRegion();
    const DocumentLayout::Counters start = page.layout.counters();
    byId(doc, "p")->style().setAttribute(QStringLiteral("color"), Variant(QStringLiteral("red")));
    byId(doc, "c")->setAttribute(QStringLiteral("bgColor"), Variant(QStringLiteral("#00ff00")));
    EXPECT_FALSE(page.layout.needsLayout());
    EXPECT_EQ(page.layout.counters().repaintOnly, start.repaintOnly + 2);
    const QRegion dirty = page.layout.takeDirtyRegion();
    EXPECT_TRUE(dirty.contains(page.layout.box(byId(doc, "c"))->borderBox));
    EXPECT_FALSE(dirty.contains(page.layout.box(byId(doc, "d"))->borderBox));
    // The painting shows the new colours as a full layout would.
    LayoutEngine full;
    full.load(LayoutSerializer::serialize(*doc).html);
    full.layout(800);
    QImage a(800, 200, QImage::Format_RGB32), b(800, 200, QImage::Format_RGB32);
    {
        QPainter pa(&a), pb(&b);
        page.layout.engine().draw(pa, a.rect());
        full.draw(pb, b.rect());
    }
    EXPECT_EQ(a, b);
    // A width is no colour: it lays out again.
    byId(doc, "d")->style().setAttribute(QStringLiteral("width"), Variant(QStringLiteral("200px")));
    EXPECT_TRUE(page.layout.needsLayout());
}

TEST(DocumentLayout, ClassChangesApplyRulesThatDidNotMatchBefore)
{
    Page page(pageFrom("<html><head><style>.wide { width: 300px }</style></head>"
                       "<body><div id=d style='height:10px'>x</div></body></html>"));
    Element* d = byId(page.doc.get(), "d");
    EXPECT_EQ(page.layout.box(d)->borderBox.width(), 780);
    d->setAttribute(QStringLiteral("class"), Variant(QStringLiteral("wide")));
    EXPECT_EQ(page.layout.box(d)->borderBox.width(), 300);
}

TEST(DocumentLayout, TypingChangesTheWordsInPlace)
{
    Page page(pageFrom("<body><p id=p style='width:150px'>short</p><pre id=pre>x</pre>"
                       "<table><tr><td id=c>日本</td></tr></table></body>"));
    Document* doc = page.doc.get();
    page.layout.ensureLayout();
    const DocumentLayout::Counters start = page.layout.counters();
    Text* p = byId(doc, "p")->firstChild()->asText();
    p->insertData(5, QStringLiteral(" and a much longer text that wraps"));
    byId(doc, "pre")->firstChild()->asText()->setData(QStringLiteral("\nline  two"));
    byId(doc, "c")->firstChild()->asText()->insertData(2, QStringLiteral("語の文章"));
    page.layout.ensureLayout();
    EXPECT_EQ(page.layout.counters().rebuilds, start.rebuilds);
    EXPECT_EQ(page.layout.counters().textUpdates, start.textUpdates + 3);
    // The same boxes and pixels as a layout made from scratch.
    LayoutEngine full;
    full.load(LayoutSerializer::serialize(*doc).html);
    full.layout(800);
    for (const char* id : {"p", "pre", "c"})
        EXPECT_EQ(page.layout.box(byId(doc, id))->borderBox,
                  full.tree().boxByHtmlId(QString::fromLatin1(id))->borderBox)
            << id;
    QImage a(800, 300, QImage::Format_RGB32), b(800, 300, QImage::Format_RGB32);
    {
        QPainter pa(&a), pb(&b);
        page.layout.engine().draw(pa, a.rect());
        full.draw(pb, b.rect());
    }
    EXPECT_EQ(a, b);
    TextGeometry text(page.layout);
    EXPECT_FALSE(text.caretRect(p, 20).isNull());
    EXPECT_EQ(text.positionAtPoint(text.caretRect(p, 20).center()).offset, 20);
}
