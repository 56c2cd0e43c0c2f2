#include "engine/EnginePage.h"

#include "engine/dom/Document.h"
#include "engine/dom/DocumentObserver.h"
#include "engine/dom/LivePosition.h"
#include "engine/dom/Text.h"
#include "engine/markup/UndoManager.h"
#include "platform/BackgroundWork.h"
#include "platform/CodePages.h"

#include <QThreadPool>

#include <random>
#include <string>

#include <gtest/gtest.h>

using namespace engine;

TEST(DomTree, TagNamesAreUpperCaseAndComparedCaseBlind)
{
    auto doc = pageFrom("<body><table><tr><td>x</td></tr></table><img src=\"a.gif\"><!--c--></body>");
    auto all = doc->body()->all();
    ASSERT_EQ(all.length(), 6);
    QStringList names;
    for (int i = 0; i < all.length(); ++i)
        names << all.item(i)->tagName();
    EXPECT_EQ(names.join(u','), QStringLiteral("TABLE,TBODY,TR,TD,IMG,!"));
    EXPECT_TRUE(all.item(0)->hasTag(QStringLiteral("table")));
    EXPECT_EQ(doc->createElement(QStringLiteral("wibble"))->tagName(), QStringLiteral("WIBBLE"));
}

TEST(DomTree, RemovedElementStaysValidAndCanBePutBack)
{
    auto doc = pageFrom("<body><p id=a>one</p><p id=b>two</p></body>");
    Ref<Element> a = doc->getElementById(QStringLiteral("a"));
    EXPECT_TRUE(a->isConnected());
    doc->body()->removeChild(a.get());
    EXPECT_FALSE(a->isConnected());
    EXPECT_EQ(a->parentNode(), nullptr);
    EXPECT_EQ(a->innerText(), QStringLiteral("one"));
    doc->body()->appendChild(a);
    EXPECT_EQ(bodyHtml(doc.get()), QStringLiteral("<P id=b>two</P><P id=a>one</P>"));
}

TEST(DomTree, ElementOutlivesItsDocument)
{
    Ref<Element> kept;
    {
        auto doc = pageFrom("<body><div id=x><b>t</b></div></body>");
        kept = doc->getElementById(QStringLiteral("x"));
    }
    EXPECT_EQ(kept->outerHTML(), QStringLiteral("<DIV id=x><B>t</B></DIV>"));
    EXPECT_FALSE(kept->isConnected());
}

namespace {

// A page of more nodes than a document takes apart on its own thread.
QString longPage()
{
    QString html = QStringLiteral("<body>");
    for (int i = 0; i < 6000; ++i)
        html += QStringLiteral("<p id=p%1>para <b>%1</b></p>").arg(i);
    return html;
}

} // namespace

// A long page nobody else holds a node of is taken apart on a worker thread;
// the nodes of the document held elsewhere keep counting, and the document
// goes with the last of them.
TEST(DomTree, ALongPageIsTakenApartOnAWorkerAndItsLooseNodesStayCounted)
{
    Ref<Element> loose;
    {
        auto doc = pageFrom(longPage());
        ASSERT_GT(doc->nodeCount(), 10000);
        loose = doc->createElement(QStringLiteral("span"));
    }
    platform::backgroundPool()->waitForDone();
    EXPECT_EQ(loose->document()->nodeCount(), 1);
    loose->setAttribute(QStringLiteral("id"), QStringLiteral("still"));
    EXPECT_EQ(loose->outerHTML(), QStringLiteral("<SPAN id=still></SPAN>"));
}

// A node of a long page held elsewhere is not taken apart with the page: it
// stays whole, with what is inside it, and counted.
TEST(DomTree, ANodeOfALongPageHeldElsewhereStaysWhole)
{
    Ref<Element> held;
    {
        auto doc = pageFrom(longPage());
        held = doc->getElementById(QStringLiteral("p5999"));
    }
    platform::backgroundPool()->waitForDone();
    EXPECT_FALSE(held->parentNode());
    EXPECT_EQ(held->outerHTML(), QStringLiteral("<P id=p5999>para <B>5999</B></P>"));
    EXPECT_EQ(held->document()->nodeCount(), 4);
}

// However deep and wherever it stands (the first text, an element in the
// middle, the last text), a node held elsewhere keeps the page from being
// taken apart on a worker: it stays whole and counted.
TEST(DomTree, ANodeHeldAnywhereInALongPageKeepsItFromTheWorker)
{
    struct Held
    {
        const char* paragraph;
        bool bold;    // the B, not the paragraph's first text
        bool inside;  // the text inside it
        QString html; // what it holds then
        int nodes;    // nodes its document counts then
    };
    const Held cases[] = {{"p0", false, false, QStringLiteral("para "), 1},
                          {"p3000", true, false, QStringLiteral("<B>3000</B>"), 2},
                          {"p5999", true, true, QStringLiteral("5999"), 1}};
    for (const Held& c : cases) {
        SCOPED_TRACE(c.paragraph);
        Ref<Node> held;
        {
            auto doc = pageFrom(longPage());
            Node* node = doc->getElementById(QString::fromLatin1(c.paragraph))->child(c.bold ? 1 : 0);
            held = Ref<Node>(c.inside ? node->child(0) : node);
        }
        platform::backgroundPool()->waitForDone();
        EXPECT_FALSE(held->parentNode());
        const Element* element = held->asElement();
        EXPECT_EQ(element ? element->outerHTML() : held->asText()->data(), c.html);
        EXPECT_EQ(held->document()->nodeCount(), c.nodes);
    }
}

TEST(DomTree, InsertBeforeMovesANodeAndRefusesCycles)
{
    auto doc = pageFrom("<body><div id=a><span id=s>x</span></div><div id=b></div></body>");
    Element* a = doc->getElementById(QStringLiteral("a"));
    Element* b = doc->getElementById(QStringLiteral("b"));
    Element* s = doc->getElementById(QStringLiteral("s"));
    EXPECT_TRUE(b->appendChild(s));
    EXPECT_EQ(a->childCount(), 0);
    EXPECT_EQ(s->parentElement(), b);
    EXPECT_EQ(s->appendChild(Ref<Node>(b)), nullptr);
    EXPECT_TRUE(doc->body()->contains(s));
    EXPECT_FALSE(a->contains(s));
}

TEST(DomTree, InsertAdjacentAndApplyElement)
{
    auto doc = pageFrom("<body><img id=i src=\"a.gif\"></body>");
    Element* img = doc->getElementById(QStringLiteral("i"));
    Ref<Element> a = doc->createElement(QStringLiteral("A"));
    a->setAttribute(QStringLiteral("href"), QStringLiteral("p.html"));
    ASSERT_EQ(img->applyElement(a, QStringLiteral("outside")), a.get());
    EXPECT_EQ(bodyHtml(doc.get()), QStringLiteral("<A href=\"p.html\"><IMG id=i src=\"a.gif\"></A>"));
    Ref<Element> br = doc->createElement(QStringLiteral("BR"));
    EXPECT_EQ(a->insertAdjacentElement(QStringLiteral("afterEnd"), br), br.get());
    EXPECT_EQ(img->insertAdjacentElement(QStringLiteral("afterBegin"), doc->createElement(QStringLiteral("B"))),
              nullptr);
    Ref<Element> font = doc->createElement(QStringLiteral("FONT"));
    a->applyElement(font, QStringLiteral("inside"));
    EXPECT_EQ(bodyHtml(doc.get()), QStringLiteral("<A href=\"p.html\"><FONT><IMG id=i src=\"a.gif\"></FONT></A><BR>"));
}

TEST(DomTree, DomCallsBuildTreesAParserWouldNot)
{
    auto doc = pageFrom("<body></body>");
    Ref<Element> td = doc->createElement(QStringLiteral("TD"));
    td->setInnerText(QStringLiteral("cell"));
    doc->body()->appendChild(td);
    EXPECT_EQ(bodyHtml(doc.get()), QStringLiteral("<TD>cell</TD>"));
}

TEST(DomCollections, WalkThatDeletesFindsTheNextAtTheSameIndex)
{
    auto doc = pageFrom("<body><font>a</font><b>b</b><font>c</font><font>d</font></body>");
    ElementCollection fonts = doc->getElementsByTagName(QStringLiteral("font"));
    ASSERT_EQ(fonts.length(), 3);
    int removed = 0;
    for (int i = 0; i < fonts.length();) {
        fonts.item(i)->remove();
        ++removed;
    }
    EXPECT_EQ(removed, 3);
    EXPECT_EQ(fonts.length(), 0);
    EXPECT_EQ(bodyHtml(doc.get()), QStringLiteral("<B>b</B>"));
}

TEST(DomCollections, ChildrenLeaveCommentsOutAllKeepsThem)
{
    auto doc = pageFrom("<body><!--x--><p>a</p></body>");
    EXPECT_EQ(doc->body()->children().length(), 1);
    EXPECT_EQ(doc->body()->all().length(), 2);
    EXPECT_EQ(doc->body()->all().item(0)->tagName(), QStringLiteral("!"));
}

TEST(DomDocument, CollectionsAndLookups)
{
    auto doc = pageFrom("<body><img src=a name=n><embed src=b.mid><iframe src=f.html></iframe>"
                        "<input name=n id=k></body>");
    EXPECT_EQ(doc->images().length(), 1);
    EXPECT_EQ(doc->embeds().length(), 1);
    EXPECT_EQ(doc->frames().length(), 0);
    EXPECT_EQ(doc->getElementsByName(QStringLiteral("n")).length(), 2);
    EXPECT_EQ(doc->getElementById(QStringLiteral("k"))->tagName(), QStringLiteral("INPUT"));
    EXPECT_EQ(doc->getElementById(QStringLiteral("none")), nullptr);

    auto frames = pageFrom("<html><frameset cols=\"50%,*\"><frame src=a.html><frame src=b.html></frameset></html>");
    EXPECT_EQ(frames->frames().length(), 2);
    EXPECT_EQ(frames->body()->tagName(), QStringLiteral("FRAMESET"));
}

TEST(DomDocument, SettingTheTitleCreatesItWhenMissing)
{
    auto doc = pageFrom("<html><head></head><body>x</body></html>");
    EXPECT_EQ(doc->title(), QString());
    doc->setTitle(QStringLiteral("ページ"));
    EXPECT_EQ(doc->title(), QStringLiteral("ページ"));
    EXPECT_EQ(doc->head()->innerHTML(), QStringLiteral("<TITLE>ページ</TITLE>"));
    doc->setTitle(QStringLiteral("Two"));
    EXPECT_EQ(doc->getElementsByTagName(QStringLiteral("TITLE")).length(), 1);
    EXPECT_EQ(doc->title(), QStringLiteral("Two"));
}

// The title and the META's charset are walked for once per change of the
// page: every kind of change is seen.
TEST(DomDocument, TheTitleAndTheMetaCharsetFollowEveryChange)
{
    engine::Ref<engine::Document> doc = engine::Document::create();
    EXPECT_EQ(doc->title(), QString());
    EXPECT_EQ(doc->charset(), QStringLiteral("UTF-8"));
    // A page parsed into a document asked before.
    doc->replaceContent(
        QStringLiteral("<html><head><meta charset=euc-jp><title>one</title></head><body>x</body></html>"));
    EXPECT_EQ(doc->title(), QStringLiteral("one"));
    EXPECT_EQ(doc->charset(), platform::canonicalCharset(QStringLiteral("EUC-JP")));
    // The title's text, the META's attribute.
    engine::Element* title = doc->getElementsByTagName(QStringLiteral("TITLE")).item(0);
    title->firstChild()->asText()->insertData(3, QStringLiteral(" two"));
    EXPECT_EQ(doc->title(), QStringLiteral("one two"));
    engine::Element* meta = doc->getElementsByTagName(QStringLiteral("META")).item(0);
    meta->setAttribute(QStringLiteral("charset"), QStringLiteral("Shift_JIS"));
    EXPECT_EQ(doc->charset(), platform::canonicalCharset(QStringLiteral("Shift_JIS")));
    // Elements removed, and put in again elsewhere.
    engine::Ref<engine::Element> kept = title;
    title->parentNode()->removeChild(title);
    EXPECT_EQ(doc->title(), QString());
    doc->body()->appendChild(kept);
    EXPECT_EQ(doc->title(), QStringLiteral("one two"));
    // Text put into the TITLE; a TITLE that comes first, inside what is
    // inserted; text typed elsewhere.
    kept->appendChild(doc->createTextNode(QStringLiteral(" three")));
    EXPECT_EQ(doc->title(), QStringLiteral("one two three"));
    engine::Ref<engine::Element> div = doc->createElement(QStringLiteral("DIV"));
    engine::Ref<engine::Element> first = doc->createElement(QStringLiteral("TITLE"));
    first->appendChild(doc->createTextNode(QStringLiteral("first")));
    div->appendChild(first);
    doc->body()->insertBefore(div, doc->body()->firstChild());
    EXPECT_EQ(doc->title(), QStringLiteral("first"));
    doc->body()->lastChild()->previousSibling()->asText()->insertData(1, QStringLiteral("typed"));
    EXPECT_EQ(doc->title(), QStringLiteral("first"));
    doc->body()->setAttribute(QStringLiteral("bgColor"), QStringLiteral("#ffffee"));
    EXPECT_EQ(doc->title(), QStringLiteral("first"));
    first->firstChild()->asText()->setData(QStringLiteral("renamed"));
    EXPECT_EQ(doc->title(), QStringLiteral("renamed"));
    doc->body()->removeChild(div.get());
    EXPECT_EQ(doc->title(), QStringLiteral("one two three"));
    meta->parentNode()->removeChild(meta);
    EXPECT_EQ(doc->charset(), QStringLiteral("UTF-8"));
}

TEST(DomDocument, BodyColoursReadEffectiveValuesAndWriteAttributes)
{
    auto doc = pageFrom("<body bgcolor=red link=\"#00FF00\">x</body>");
    EXPECT_EQ(doc->bgColor(), QStringLiteral("#ff0000"));
    EXPECT_EQ(doc->linkColor(), QStringLiteral("#00ff00"));
    EXPECT_EQ(doc->fgColor(), QStringLiteral("#000000"));
    EXPECT_EQ(doc->vlinkColor(), QStringLiteral("#800080"));
    doc->setFgColor(QStringLiteral("#123456"));
    EXPECT_EQ(doc->body()->getAttributeText(QStringLiteral("TEXT")), QStringLiteral("#123456"));
    EXPECT_EQ(doc->body()->getAttributeText(QStringLiteral("bgcolor")), QStringLiteral("red"));
}

TEST(DomText, SplitTextMovesTheTail)
{
    auto doc = pageFrom("<body><b>abcdef</b></body>");
    Text* t = doc->body()->firstChild()->firstChild()->asText();
    Ref<Text> tail = t->splitText(2);
    EXPECT_EQ(t->data(), QStringLiteral("ab"));
    EXPECT_EQ(tail->data(), QStringLiteral("cdef"));
    EXPECT_EQ(tail->previousSibling(), t);
    EXPECT_EQ(bodyHtml(doc.get()), QStringLiteral("<B>abcdef</B>"));
}

TEST(DomTree, InsertingANodeBeforeItselfChangesNothing)
{
    auto doc = pageFrom("<body><b>1</b><i>2</i></body>");
    Node* i = doc->body()->child(1);
    EXPECT_EQ(doc->body()->insertBefore(Ref<Node>(i), i), i);
    EXPECT_EQ(bodyHtml(doc.get()), QStringLiteral("<B>1</B><I>2</I>"));
    EXPECT_FALSE(doc->undoManager().canUndo());
}

TEST(DomTree, ANodeFromAnotherPageBelongsToThePageItIsPutIn)
{
    auto from = pageFrom("<body><div id=x><b>1</b><i>2</i></div></body>");
    auto to = pageFrom("<body><p>p</p></body>");
    Ref<Element> x = from->getElementById(QStringLiteral("x"));
    x->remove();
    LivePosition beforeI(x.get(), 1);
    to->body()->appendChild(x);
    from = nullptr;
    to->setDirty(false);
    x->insertBefore(to->createElement(QStringLiteral("U")), x->firstChild());
    EXPECT_EQ(beforeI.offset(), 2);
    to->undoManager().undo();

    EXPECT_EQ(x->document(), to.get());
    ElementCollection all = to->body()->all();
    ASSERT_EQ(all.length(), 4);
    x->removeChild(x->firstChild());
    ASSERT_EQ(all.length(), 3);
    EXPECT_EQ(all.item(2)->tagName(), QStringLiteral("I"));
    EXPECT_TRUE(to->isDirty());
    to->undoManager().undo();
    EXPECT_EQ(bodyHtml(to.get()), QStringLiteral("<P>p</P><DIV id=x><B>1</B><I>2</I></DIV>"));
}

TEST(DomTree, HasInnerTextAnswersAsTheTextItWouldWrite)
{
    const char* const bodies[] = {
        "<div id=e></div>",
        "<div id=e> \n\t </div>",
        "<div id=e><p> </p><span>&nbsp;</span></div>",
        "<div id=e><br></div>",
        "<div id=e><p>\n  </p>x</div>",
        "<div id=e><script>var a = 1;</script><style>p {}</style></div>",
        "<div id=e><pre>   </pre></div>",
        "<div id=e><pre>\n\n</pre></div>",
        "<div id=e><pre> \t</pre></div>",
        "<div id=e><textarea>  a</textarea></div>",
        "<div id=e>\xe3\x80\x80</div>",
        "<div id=e>\xe3\x80\x80\xe3\x81\x82</div>",
        "<pre id=e>  </pre>",
        "<pre id=e> \n</pre>",
        "<table id=e><tr><td> </td><td><img src=a.gif></td></tr></table>",
    };
    for (const char* body : bodies) {
        auto doc = pageFrom(QStringLiteral("<body>%1</body>").arg(QString::fromUtf8(body)));
        Element* e = doc->getElementById(QStringLiteral("e"));
        ASSERT_NE(e, nullptr) << body;
        EXPECT_EQ(e->hasInnerText(), !e->innerText().isEmpty()) << body;
    }
    // Text put into a TITLE by hand stays out, a BR beside it counts.
    auto doc = pageFrom("<body><div id=e></div></body>");
    Element* e = doc->getElementById(QStringLiteral("e"));
    Ref<Element> title = doc->createElement(QStringLiteral("title"));
    title->appendChild(doc->createTextNode(QStringLiteral("words")));
    e->appendChild(title);
    EXPECT_FALSE(e->hasInnerText());
    title->appendChild(doc->createElement(QStringLiteral("br")));
    EXPECT_EQ(e->hasInnerText(), !e->innerText().isEmpty());
    // Only white space and line breaks are no text at all, when asked so.
    EXPECT_FALSE(e->hasInnerText(true));
    auto blanks = pageFrom("<body><div id=e><br><pre>\t\n</pre>\xe3\x80\x80<p>&nbsp;</p></div></body>");
    EXPECT_FALSE(blanks->getElementById(QStringLiteral("e"))->hasInnerText(true));
    auto words = pageFrom("<body><div id=e><br><pre>\tx</pre></div></body>");
    EXPECT_TRUE(words->getElementById(QStringLiteral("e"))->hasInnerText(true));
}

namespace {

struct TreeChanges : DocumentObserver
{
    int inserted = 0;
    int removed = 0;
    int moved = 0;
    void nodeInserted(Node*, Node*) override { ++inserted; }
    void nodeRemoved(Node*, Node*) override { ++removed; }
    void childrenMoved(Node*, Node*) override { ++moved; }
};

QString idsOfChildren(const Node* parent)
{
    QStringList ids;
    for (int i = 0; i < parent->childCount(); ++i) {
        const Node* child = parent->child(i);
        EXPECT_EQ(child->parentNode(), parent);
        EXPECT_EQ(child->indexInParent(), i);
        ids << (child->isText() ? child->asText()->data() : child->asElement()->getAttributeText(QStringLiteral("id")));
    }
    return ids.join(u',');
}

} // namespace

// While a page loads, children move to another node as one change, told
// once: they keep their order, and live positions end where they would if
// the nodes had been removed one at a time. Otherwise each node is a change
// of its own, undone with the rest.
TEST(DomTree, ChildrenMoveAtOnceWhileThePageLoadsAndOneByOneOtherwise)
{
    const char* page = "<head><title>one</title></head><body><table id=t><tr><td id=c>c</td></tr></table>"
                       "<p id=a>a</p>text<p id=b>b</p></body>";
    for (const bool loading : {true, false}) {
        auto doc = pageFrom(page);
        Element* body = doc->body();
        Element* cell = doc->getElementById(QStringLiteral("c"));
        TreeChanges changes;
        doc->addObserver(&changes);
        LivePosition between(body, 3);
        LivePosition inside(doc->getElementById(QStringLiteral("a"))->firstChild(), 1);
        LivePosition atCellEnd(cell, 1);
        atCellEnd.setRightGravity(true);
        LivePosition afterTable(body, 1);
        EXPECT_EQ(doc->title(), QStringLiteral("one"));
        const quint64 version = doc->version();
        if (loading)
            doc->beginLoadScope();
        body->moveChildrenTo(1, cell);
        if (loading)
            doc->endLoadScope();
        EXPECT_EQ(idsOfChildren(cell), QStringLiteral("c,a,text,b"));
        EXPECT_EQ(idsOfChildren(body), QStringLiteral("t"));
        EXPECT_GT(doc->version(), version);
        EXPECT_EQ(changes.moved, loading ? 1 : 0);
        EXPECT_EQ(changes.inserted, loading ? 0 : 3);
        EXPECT_EQ(changes.removed, loading ? 0 : 3);
        EXPECT_EQ(between.node(), body);
        EXPECT_EQ(between.offset(), 1);
        EXPECT_EQ(inside.node(), body);
        EXPECT_EQ(inside.offset(), 1);
        EXPECT_EQ(atCellEnd.node(), cell);
        EXPECT_EQ(atCellEnd.offset(), 4);
        EXPECT_EQ(afterTable.offset(), 1);
        EXPECT_EQ(doc->title(), QStringLiteral("one"));
        EXPECT_EQ(doc->undoManager().canUndo(), !loading);
        if (!loading) {
            doc->undoManager().undo();
            EXPECT_EQ(idsOfChildren(body), QStringLiteral("t,a,text,b"));
            EXPECT_EQ(idsOfChildren(cell), QStringLiteral("c"));
        }
        // Nothing moves into a node it would move.
        doc->beginLoadScope();
        body->moveChildrenTo(0, cell);
        doc->endLoadScope();
        EXPECT_EQ(body->childCount(), loading ? 1 : 4);
        doc->removeObserver(&changes);
    }
}

// A run of children that ends before the last moves the same way: the
// children after it take their places, numbered anew, and live positions
// after it move back with them.
TEST(DomTree, ARunOfChildrenMovesAndTheChildrenAfterItCloseUp)
{
    const char* page = "<body><p id=a>a</p>text<p id=b>b</p><table id=t><tr><td id=c></td></tr></table><p id=e>e</p>"
                       "</body>";
    for (const bool loading : {true, false}) {
        auto doc = pageFrom(page);
        Element* body = doc->body();
        Element* cell = doc->getElementById(QStringLiteral("c"));
        LivePosition afterTable(body, 4);
        LivePosition inside(doc->getElementById(QStringLiteral("b"))->firstChild(), 0);
        if (loading)
            doc->beginLoadScope();
        body->moveChildrenTo(0, cell, 3);
        if (loading)
            doc->endLoadScope();
        EXPECT_EQ(idsOfChildren(cell), QStringLiteral("a,text,b"));
        EXPECT_EQ(idsOfChildren(body), QStringLiteral("t,e"));
        Element* table = doc->getElementById(QStringLiteral("t"));
        EXPECT_EQ(table->indexInParent(), 0);
        EXPECT_EQ(table->previousSibling(), nullptr);
        EXPECT_EQ(table->nextSibling(), doc->getElementById(QStringLiteral("e")));
        EXPECT_EQ(cell->lastChild()->nextSibling(), nullptr);
        EXPECT_EQ(afterTable.node(), body);
        EXPECT_EQ(afterTable.offset(), 1);
        EXPECT_EQ(inside.node(), body);
        EXPECT_EQ(inside.offset(), 0);
        if (!loading) {
            doc->undoManager().undo();
            EXPECT_EQ(idsOfChildren(body), QStringLiteral("a,text,b,t,e"));
            EXPECT_EQ(idsOfChildren(cell), QString());
        }
        // A run past the last child ends there (not into a node it would
        // move); an empty one moves nothing.
        doc->beginLoadScope();
        body->moveChildrenTo(1, cell, 99);
        body->moveChildrenTo(1, cell, 1);
        doc->endLoadScope();
        EXPECT_EQ(idsOfChildren(body), loading ? QStringLiteral("t") : QStringLiteral("a,text,b,t,e"));
    }
}

// A move that changes which TITLE comes first in the page gives the title
// of the one first now; one that keeps the page's order keeps the title.
TEST(DomTree, ChildrenMovedAheadOfATitleChangeThePagesTitle)
{
    auto doc = pageFrom("<head><title>one</title></head><body><title>two</title><div id=d></div></body>");
    ASSERT_EQ(doc->title(), QStringLiteral("one"));
    Element* head = doc->documentElement()->firstChild()->asElement();
    ASSERT_TRUE(head->hasTag(QLatin1String("HEAD")));
    doc->beginLoadScope();
    head->moveChildrenTo(0, doc->getElementById(QStringLiteral("d")));
    doc->endLoadScope();
    EXPECT_EQ(doc->title(), QStringLiteral("two"));
}

// Children put in, taken out, replaced and moved in random order, their
// indexes asked for now and then, of a child picked at random first (the
// children after a change are numbered again only when one is asked for):
// every child's index, neighbours and place agree with where it stands,
// also after undo and redo.
TEST(DomTree, IndexesAndNeighboursFollowEveryChangeOfTheChildren)
{
    auto doc = pageFrom("<body><div id=d></div><div id=e></div></body>");
    Element* div = doc->getElementById(QStringLiteral("d"));
    Element* other = doc->getElementById(QStringLiteral("e"));
    std::vector<Ref<Node>> loose;
    for (int i = 0; i < 40; ++i)
        loose.push_back(doc->createElement(QStringLiteral("P")));
    const auto check = [](Element* parent, const std::string& where) {
        for (int i = 0; i < parent->childCount(); ++i) {
            Node* child = parent->child(i);
            ASSERT_EQ(child->indexInParent(), i) << where;
            ASSERT_EQ(child->previousSibling(), parent->child(i - 1)) << where;
            ASSERT_EQ(child->nextSibling(), parent->child(i + 1)) << where;
        }
    };
    std::mt19937 random(7);
    for (int step = 0; step < 400; ++step) {
        const int count = div->childCount();
        const auto at = [&](int below) { return below > 0 ? static_cast<int>(random() % unsigned(below)) : 0; };
        switch (random() % 5) {
        case 0:
        case 1:
            div->insertBefore(loose[size_t(at(40))], div->child(at(count + 1)));
            break;
        case 2:
            if (count)
                div->removeChild(div->child(at(count)));
            break;
        case 3:
            if (count)
                div->replaceChild(loose[size_t(at(40))], div->child(at(count)));
            break;
        default:
            if (count > 2)
                div->moveChildrenTo(at(count / 2), other, count / 2 + at(count / 2));
            else
                other->moveChildrenTo(0, div);
            break;
        }
        const std::string where = "step " + std::to_string(step);
        if (step % 4 == 0 && div->childCount()) {
            const int i = at(div->childCount());
            ASSERT_EQ(div->child(i)->indexInParent(), i) << where;
        }
        if (step % 8 == 0) {
            check(div, where);
            check(other, where);
        }
        for (const Ref<Node>& n : loose)
            ASSERT_TRUE(n->parentNode() || n->indexInParent() == -1) << where;
    }
    for (int k = 0; k < 50 && doc->undoManager().canUndo(); ++k) {
        doc->undoManager().undo();
        check(div, "undo");
        check(other, "undo");
    }
    while (doc->undoManager().canRedo()) {
        doc->undoManager().redo();
        check(div, "redo");
        check(other, "redo");
    }
}
