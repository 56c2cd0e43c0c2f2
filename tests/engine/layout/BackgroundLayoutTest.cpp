// A long page in a view: its first part is laid out at once, the rest in the
// background in growing parts; the end is the layout of the whole page.
#include "engine/css/Style.h"
#include "engine/dom/Text.h"
#include "engine/editing/Selection.h"
#include "engine/editing/TextRange.h"
#include "engine/editing/Typing.h"
#include "engine/layout/ContentExtent.h"
#include "engine/layout/DocumentLayout.h"
#include "engine/layout/TextLines.h"
#include "engine/layout/LayoutSerializer.h"

#include "bench/engine/BenchPages.h"
#include "bench/engine/DocumentationPage.h"
#include "engine/EnginePage.h"
#include "FullLayoutCheck.h"

#include <QCoreApplication>
#include <algorithm>
#include <optional>
#include <utility>
#include <QElapsedTimer>
#include <QThread>

#include <gtest/gtest.h>

using namespace engine;
using layout_test::expectSameAsFullLayout;

namespace {

// Runs the event loop until the background layout is done.
bool waitForTheWholeLayout(DocumentLayout& layout, int seconds = 120)
{
    QElapsedTimer clock;
    clock.start();
    while (layout.isLayingOutInBackground() && clock.elapsed() < seconds * 1000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(2);
    }
    return !layout.isLayingOutInBackground();
}

struct LongPage
{
    Ref<Document> doc;
    DocumentLayout layout;
    explicit LongPage(int bytes = 300 * 1024) : LongPage(bench_pages::documentationPage(bytes)) {}
    explicit LongPage(const QString& html) : doc(pageFrom(html)), layout(doc.get())
    {
        layout.setViewportSize(QSize(800, 600));
        layout.setBuildsInBackground(true);
    }
};

// The whole layout of a page edited while it was laid out: reached without
// starting over, the view where it stood, the layout of the edited page.
void expectTheEditedPageWithoutStartingOver(LongPage& page, int rebuilds, QPoint place, const char* what)
{
    page.layout.ensureLayout();
    ASSERT_TRUE(waitForTheWholeLayout(page.layout, 300));
    page.layout.ensureLayout();
    EXPECT_EQ(page.layout.counters().rebuilds, rebuilds);
    EXPECT_EQ(page.layout.scrollPosition(), place);
    expectSameAsFullLayout(page.layout, *page.doc, what);
}

TEST(BackgroundLayout, FirstScreensAtOnceTheRestAsItIsLaidOut)
{
    LongPage page;
    page.layout.ensureLayout();
    ASSERT_TRUE(page.layout.isLayingOutInBackground());
    const QSize first = page.layout.canvasSize();
    EXPECT_GT(first.height(), 600);
    EXPECT_FALSE(page.layout.tree().pieces.empty());
    // Geometry answers for the part laid out: the book's title is there.
    const Element* title = page.doc->getElementsByTagName(QStringLiteral("H1")).item(0);
    EXPECT_TRUE(page.layout.box(title));
    ASSERT_TRUE(waitForTheWholeLayout(page.layout));
    EXPECT_GE(page.layout.counters().partsInBackground, 1);
    EXPECT_GT(page.layout.canvasSize().height(), 8 * first.height());
    expectSameAsFullLayout(page.layout, *page.doc, "whole");
}

// A long page whose first screens are short (a long menu hidden at its
// start) in a view whose scroll bars come and go with the page's height:
// the scroll bar stays from the start, and the page is laid out whole once,
// at the width the bar leaves, instead of again at each coming and going.
TEST(BackgroundLayout, APageShortAtFirstIsNotLaidOutAgainAsItsScrollBarComesAndGoes)
{
    QString menu = QStringLiteral("<div style='display: none'>");
    for (int i = 0; i < 600; ++i)
        menu += QStringLiteral("<a href='#s%1'>Section %1 of the menu</a> ").arg(i);
    QString html = bench_pages::documentationPage(400 * 1024);
    html.replace(QStringLiteral("<div class=\"book\">"), menu + QStringLiteral("</div><div class=\"book\">"));
    LongPage page(html);
    const auto fitScrollBar = [&page] {
        const QSize view = page.layout.viewportSize();
        const bool bar = page.layout.canvasSize().height() > view.height();
        page.layout.setViewportSize(QSize(bar ? 786 : 800, 600));
    };
    page.layout.ensureLayout();
    ASSERT_TRUE(page.layout.isLayingOutInBackground());
    QElapsedTimer clock;
    clock.start();
    while (page.layout.isLayingOutInBackground() && clock.elapsed() < 120 * 1000) {
        fitScrollBar();
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(2);
    }
    fitScrollBar();
    page.layout.ensureLayout();
    EXPECT_FALSE(page.layout.isLayingOutInBackground());
    EXPECT_EQ(page.layout.viewportSize().width(), 786);
    EXPECT_EQ(page.layout.counters().rebuilds, 1);
    expectSameAsFullLayout(page.layout, *page.doc, "scroll bar");
}

// A page whose text stands in a positioned text box (a table of one cell)
// grows as its parts come in, as it does without the box.
TEST(BackgroundLayout, APageInATextBoxGrowsAsItsPartsComeIn)
{
    QString html = bench_pages::documentationPage(800 * 1024);
    html.replace(QStringLiteral("<div class=\"book\">"),
                 QStringLiteral("<table id=text style=\"LEFT: 20px; POSITION: absolute; TOP: 20px\"><tr><td>"));
    html.replace(QStringLiteral("</address>\n</div>"), QStringLiteral("</address>\n</td></tr></table>"));
    Ref<Document> doc = pageFrom(html);
    DocumentLayout layout(doc.get());
    layout.setViewportSize(QSize(800, 600));
    layout.setBuildsInBackground(true);
    layout.ensureLayout();
    ASSERT_TRUE(layout.isLayingOutInBackground());
    ASSERT_TRUE(waitForTheWholeLayout(layout));
    // On a busy machine the whole page may come in before a part of it, so
    // whether parts may end inside the box is checked on the writer below.
    EXPECT_GE(layout.counters().partsInBackground, 1);
    expectSameAsFullLayout(layout, *doc, "text box");
}

// A part may end inside a table of one cell (the text box), never inside a
// table of more cells, whose later cells it would leave out.
TEST(BackgroundLayout, APartMayEndInsideATableOfOneCellOnly)
{
    QString paragraphs;
    for (int i = 0; i < 200; ++i)
        paragraphs += QStringLiteral("<p>paragraph %1</p>").arg(i);
    for (const auto& [cells, inside] :
         {std::pair{QStringLiteral("<td>") + paragraphs + QStringLiteral("</td>"), false},
          std::pair{QStringLiteral("<td>") + paragraphs + QStringLiteral("</td><td>b</td>"), true}}) {
        Ref<Document> doc = pageFrom(QStringLiteral("<table><tr>") + cells + QStringLiteral("</tr></table>"));
        LayoutSerializer writer(*doc);
        ASSERT_FALSE(writer.advance(40));
        EXPECT_EQ(writer.insideTable(), inside) << cells.size();
    }
}

TEST(BackgroundLayout, AChangeOnTheWayStartsOverWithIt)
{
    LongPage page;
    page.layout.ensureLayout();
    ASSERT_TRUE(page.layout.isLayingOutInBackground());
    QCoreApplication::processEvents();
    Element* last = page.doc->getElementsByTagName(QStringLiteral("ADDRESS")).item(0);
    last->style().setAttribute(QStringLiteral("font-size"), Variant(QStringLiteral("40px")));
    Element* code = page.doc->getElementsByTagName(QStringLiteral("CODE")).item(3);
    code->firstChild()->asText()->insertData(0, QStringLiteral("typed "));
    page.layout.ensureLayout();
    ASSERT_TRUE(waitForTheWholeLayout(page.layout));
    expectSameAsFullLayout(page.layout, *page.doc, "changed");
}

// An object dragged over the first screens while the rest is laid out
// moves in the part shown and in every part that comes in after: the layout
// goes on instead of starting over at each step. A change of what is not
// written yet is written as it is.
TEST(BackgroundLayout, AnObjectDraggedOnTheWayKeepsTheLayoutGoing)
{
    LongPage page;
    Ref<Element> object = page.doc->createElement(QStringLiteral("DIV"));
    object->style().setCssText(QStringLiteral("POSITION: absolute; LEFT: 40px; TOP: 30px; WIDTH: 120px"));
    object->appendChild(page.doc->createTextNode(QStringLiteral("moved")));
    page.doc->body()->insertBefore(object.get(), page.doc->body()->firstChild());
    page.layout.ensureLayout();
    ASSERT_TRUE(page.layout.isLayingOutInBackground());
    const int rebuilds = page.layout.counters().rebuilds;
    for (int step = 1; page.layout.isLayingOutInBackground() && step < 400; ++step) {
        object->style().setAttribute(QStringLiteral("left"), Variant(40 + step));
        object->style().setAttribute(QStringLiteral("top"), Variant(30 + 2 * step));
        EXPECT_EQ(page.layout.box(object.get())->borderBox.topLeft(), QPoint(40 + step, 30 + 2 * step)) << step;
        if (step == 1) {
            Element* last = page.doc->getElementsByTagName(QStringLiteral("ADDRESS")).item(0);
            ASSERT_LT(page.layout.nodeId(last), 0);
            last->style().setAttribute(QStringLiteral("font-size"), Variant(QStringLiteral("40px")));
        }
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(5);
    }
    ASSERT_TRUE(waitForTheWholeLayout(page.layout));
    EXPECT_EQ(page.layout.counters().rebuilds, rebuilds);
    EXPECT_GE(page.layout.counters().partsInBackground, 1);
    expectSameAsFullLayout(page.layout, *page.doc, "dragged");
}

// Typing, Enter and Backspace while a long page is laid out show at once in
// the part shown, keep the view where it is and are made again in each part
// that comes in after: nothing starts over, and the end is the layout of the
// edited page made whole. So is typing in a text written but not shown yet,
// and a paragraph added where the writing has not come.
TEST(BackgroundLayout, EditsOnTheWayShowAtOnceAndKeepTheLayoutGoing)
{
    QString html = QStringLiteral("<html><body>");
    for (int i = 0; i < 20000; ++i)
        html += QStringLiteral("<p>Paragraph %1 of the page, a line of words.</p>\n").arg(i);
    html += QStringLiteral("<address>the end</address></body></html>");
    LongPage page(html);
    page.layout.ensureLayout();
    ASSERT_TRUE(page.layout.isLayingOutInBackground());
    // (The writing goes on a step, 10 ms long.)
    for (int i = 0; i < 2; ++i)
        QCoreApplication::processEvents();
    ASSERT_TRUE(page.layout.isLayingOutInBackground()) << "laid out before the edits: a longer page is needed";
    const int rebuilds = page.layout.counters().rebuilds;
    const ElementCollection paragraphs = page.doc->getElementsByTagName(QStringLiteral("P"));
    // A paragraph two screens above the end of the part shown.
    int shownCount = 0;
    while (page.layout.box(paragraphs.item(shownCount)))
        ++shownCount;
    ASSERT_GT(shownCount, 50);
    Element* shown = paragraphs.item(shownCount - 40);
    Element* joined = paragraphs.item(shownCount - 43);
    page.layout.setScrollPosition(QPoint(0, page.layout.box(shown)->borderBox.top()));
    const QPoint place = page.layout.scrollPosition();
    ASSERT_GT(place.y(), 0);
    // Backspace at the start of a paragraph joins it to the one before.
    page.doc->selection().collapseAt(joined->firstChild(), 0);
    ASSERT_TRUE(Typing(page.doc.get()).deleteBackward());
    page.layout.ensureLayout();
    Text* text = shown->firstChild()->asText();
    const int width = page.layout.box(shown)->borderBox.width();
    const int height = page.layout.box(shown)->borderBox.height();
    page.doc->selection().collapseAt(text, 1);
    for (const QString& key :
         {QStringLiteral("T"), QStringLiteral("y"),
          QStringLiteral("ped words that wrap, and more words, and more words, and more words, and more words")}) {
        ASSERT_TRUE(Typing(page.doc.get()).insertText(key));
        page.layout.ensureLayout();
    }
    EXPECT_GT(page.layout.box(shown)->borderBox.height(), height);
    ASSERT_TRUE(Typing(page.doc.get()).insertParagraph());
    Element* added = shown->nextSibling()->asElement();
    ASSERT_TRUE(added && added->hasTag(QLatin1String("P")) && page.layout.box(added));
    EXPECT_EQ(page.layout.box(added)->borderBox.width(), width);
    // (Typed in the paragraph the Enter made.)
    for (const QString& key : {QStringLiteral("n"), QStringLiteral("ew ")}) {
        ASSERT_TRUE(Typing(page.doc.get()).insertText(key));
        page.layout.ensureLayout();
    }
    EXPECT_EQ(page.layout.scrollPosition(), place);
    ASSERT_TRUE(page.layout.isLayingOutInBackground());
    // A text written but not laid out yet, if the writing is ahead of the
    // part shown; a paragraph after the writing.
    for (int i = paragraphs.length() - 1; i > 0; --i) {
        Node* first = paragraphs.item(i)->firstChild();
        const int id = first && first->isText() ? page.layout.nodeId(first) : -1;
        if (id >= 0) {
            if (!page.layout.engine().laysOut(id))
                first->asText()->insertData(0, QStringLiteral("written before "));
            break;
        }
    }
    Element* last = page.doc->getElementsByTagName(QStringLiteral("ADDRESS")).item(0);
    ASSERT_LT(page.layout.nodeId(last), 0);
    Ref<Element> after = page.doc->createElement(QStringLiteral("P"));
    after->appendChild(page.doc->createTextNode(QStringLiteral("added at the end")));
    last->parentNode()->insertBefore(after.get(), last);
    expectTheEditedPageWithoutStartingOver(page, rebuilds, place, "edited on the way");
}

// Bold, a font size, an alignment, a class, a colour and a link given to
// what is shown while the rest of a long page is laid out show at once,
// keep the view where it is and are made again in each part that comes in:
// nothing starts over, and the end is the layout of the edited page made
// whole. Also inside a long list, or a text box, the writing is still
// inside, and on an element written but not shown yet.
TEST(BackgroundLayout, StyleAndAttributeChangesOnTheWayKeepTheLayoutGoing)
{
    const QString head = QStringLiteral("<html><head><style>.big { font-size: 28px } li.wide { margin-left: 80px }"
                                        "</style></head><body>");
    QString items, paragraphs;
    for (int i = 0; i < 16000; ++i) {
        items += QStringLiteral("<li>Item %1 of the list, <font size=2>small words</font> and more.</li>\n").arg(i);
        paragraphs +=
            QStringLiteral("<p>Paragraph %1 of the box, <font size=2>small words</font> and more.</p>\n").arg(i);
    }
    const QString end = QStringLiteral("<address>the end</address></body></html>");
    for (const auto& [html, tag] :
         {std::pair{head + QStringLiteral("<p>Above the list.</p><ul>") + items + QStringLiteral("</ul>") + end,
                    QStringLiteral("LI")},
          std::pair{head +
                        QStringLiteral("<table id=box style=\"POSITION: absolute; LEFT: 10px; TOP: 10px\"><tr><td>") +
                        paragraphs + QStringLiteral("</td></tr></table>") + end,
                    QStringLiteral("P")}}) {
        SCOPED_TRACE(tag.toStdString());
        LongPage page(html);
        page.layout.ensureLayout();
        for (int i = 0; i < 2; ++i)
            QCoreApplication::processEvents();
        ASSERT_TRUE(page.layout.isLayingOutInBackground()) << "laid out before the edits: a longer page is needed";
        const int rebuilds = page.layout.counters().rebuilds;
        const ElementCollection blocks = page.doc->getElementsByTagName(tag);
        int shownCount = 0;
        while (page.layout.box(blocks.item(shownCount)))
            ++shownCount;
        ASSERT_GT(shownCount, 30);
        page.layout.setScrollPosition(QPoint(0, page.layout.box(blocks.item(shownCount - 25))->borderBox.top()));
        const QPoint place = page.layout.scrollPosition();
        ASSERT_GT(place.y(), 0);
        const auto block = [&](int back) { return blocks.item(shownCount - back); };
        const auto firstText = [](Element* e) { return e->firstChild()->asText(); };
        const auto laidOut = [&](const char* step) {
            page.layout.ensureLayout();
            EXPECT_EQ(page.layout.counters().rebuilds, rebuilds) << step;
            EXPECT_EQ(page.layout.scrollPosition(), place) << step;
        };
        // Bold over a word, a link over another (elements added).
        ASSERT_TRUE(TextRange(page.doc.get(), firstText(block(20)), 0, firstText(block(20)), 4)
                        .execCommand(QStringLiteral("Bold")));
        laidOut("bold");
        ASSERT_TRUE(TextRange(page.doc.get(), firstText(block(19)), 0, firstText(block(19)), 4)
                        .execCommand(QStringLiteral("CreateLink"), Variant(QStringLiteral("http://example.com/"))));
        laidOut("link");
        // A font size on a block, on a FONT, an alignment, a class, a
        // colour; twice on one block, laid out between.
        const int height = page.layout.box(block(18))->borderBox.height();
        block(18)->style().setAttribute(QStringLiteral("font-size"), Variant(QStringLiteral("30px")));
        laidOut("font size");
        EXPECT_GT(page.layout.box(block(18))->borderBox.height(), height);
        block(18)->style().setAttribute(QStringLiteral("font-weight"), Variant(QStringLiteral("bold")));
        block(17)
            ->getElementsByTagName(QStringLiteral("FONT"))
            .item(0)
            ->setAttribute(QStringLiteral("size"), QStringLiteral("6"));
        block(16)->setAttribute(QStringLiteral("align"), QStringLiteral("center"));
        laidOut("weight, FONT size, alignment");
        block(15)->setAttribute(QStringLiteral("class"),
                                tag == QLatin1String("LI") ? QStringLiteral("wide big") : QStringLiteral("big"));
        block(14)->style().setAttribute(QStringLiteral("color"), Variant(QStringLiteral("red")));
        laidOut("class, colour");
        ASSERT_TRUE(page.layout.isLayingOutInBackground());
        // Written but not shown yet, if the writing is ahead of the part
        // shown.
        for (int i = blocks.length() - 1; i > shownCount; --i) {
            if (page.layout.nodeId(blocks.item(i)) >= 0) {
                blocks.item(i)->style().setAttribute(QStringLiteral("font-size"), Variant(QStringLiteral("24px")));
                break;
            }
        }
        expectTheEditedPageWithoutStartingOver(page, rebuilds, place, "restyled on the way");
    }
}

// Many Enters and keys typed while a long page is laid out are made again
// in each part that comes in a step at a time, the window going on between
// the steps, with what is typed meanwhile (in the same paragraph too).
TEST(BackgroundLayout, ALongRunOfEditsIsMadeAgainInSteps)
{
    QString html = QStringLiteral("<html><body>");
    for (int i = 0; i < 20000; ++i)
        html += QStringLiteral("<p>Paragraph %1 of the page, a line of words.</p>\n").arg(i);
    LongPage page(html + QStringLiteral("</body></html>"));
    page.layout.ensureLayout();
    ASSERT_TRUE(page.layout.isLayingOutInBackground());
    const int rebuilds = page.layout.counters().rebuilds;
    Element* shown = page.doc->getElementsByTagName(QStringLiteral("P")).item(5);
    page.doc->selection().collapseAt(shown->firstChild(), 9);
    for (int i = 0; i < 300 && page.layout.isLayingOutInBackground(); ++i) {
        Typing typing(page.doc.get());
        ASSERT_TRUE(i % 3 == 0 ? typing.insertParagraph() : typing.insertText(QStringLiteral("x")));
        page.layout.ensureLayout();
        if (i > 150)
            QCoreApplication::processEvents();
    }
    expectTheEditedPageWithoutStartingOver(page, rebuilds, QPoint(), "typed on the way");
    EXPECT_GT(page.layout.counters().replaySteps, page.layout.counters().partsInBackground);
}

// The view makes room for its scroll bar once the first screens are in:
// they are laid out again at the narrower width and the rest goes on being
// written, not written again.
TEST(BackgroundLayout, RoomForTheScrollBarKeepsTheWritingGoing)
{
    LongPage page;
    page.layout.ensureLayout();
    ASSERT_TRUE(page.layout.isLayingOutInBackground());
    const int rebuilds = page.layout.counters().rebuilds;
    page.layout.setViewportSize(QSize(785, 600));
    page.layout.ensureLayout();
    EXPECT_EQ(page.layout.counters().rebuilds, rebuilds);
    EXPECT_TRUE(page.layout.isLayingOutInBackground());
    EXPECT_EQ(page.layout.engine().layoutWidth(), 785);
    ASSERT_TRUE(waitForTheWholeLayout(page.layout));
    EXPECT_EQ(page.layout.counters().rebuilds, rebuilds);
    expectSameAsFullLayout(page.layout, *page.doc, "narrower at once");
}

// The first word at or below the view's top, and how far below the top it
// stands.
std::pair<const Node*, int> wordAtTheTop(DocumentLayout& layout)
{
    const int top = layout.scrollPosition().y();
    for (const TextPiece& piece : layout.tree().pieces) {
        if (!piece.space && !piece.box.isEmpty() && piece.box.bottom() >= top)
            return {layout.node(piece.textNodeId), piece.box.top() - top};
    }
    return {nullptr, 0};
}

// Where the first word of a text stands below the view's top; null while
// the layout does not hold it.
std::optional<int> belowTheTop(DocumentLayout& layout, const Node* text)
{
    const int id = layout.nodeId(text);
    for (const TextPiece& piece : layout.engine().tree().pieces) {
        if (piece.textNodeId == id && !piece.space)
            return piece.box.top() - layout.scrollPosition().y();
    }
    return std::nullopt;
}

// Another width lays the page out anew in the background: the layout shown
// stays on screen until the new one reaches what the view shows, then the
// view shows it again at its new place, never the page's top meanwhile.
// (Also after an Enter laid out in place, which gave its nodes ids the new
// writing gives others.)
TEST(BackgroundLayout, AnotherWidthStartsOverAndTheViewStaysOnWhatItShowed)
{
    QString html = QStringLiteral("<html><body>");
    for (int i = 0; i < 3000; ++i)
        html += QStringLiteral("<p>Paragraph %1, of words enough to wrap once or twice in the view.</p>\n").arg(i);
    LongPage page(html);
    page.layout.ensureLayout();
    ASSERT_TRUE(waitForTheWholeLayout(page.layout));
    const int rebuilds = page.layout.counters().rebuilds;
    Element* split = page.doc->getElementsByTagName(QStringLiteral("P")).item(40);
    page.doc->selection().collapseAt(split->firstChild(), 1);
    ASSERT_TRUE(Typing(page.doc.get()).insertParagraph());
    page.layout.ensureLayout();
    ASSERT_EQ(page.layout.counters().rebuilds, rebuilds);
    page.layout.setScrollPosition(QPoint(0, 20000));
    const auto [word, below] = wordAtTheTop(page.layout);
    ASSERT_TRUE(word);
    page.layout.setViewportSize(QSize(500, 600));
    page.layout.ensureLayout();
    EXPECT_TRUE(page.layout.isLayingOutInBackground());
    // Another height meanwhile waits for the same new layout.
    ASSERT_EQ(page.layout.engine().layoutWidth(), 800);
    const int startedOver = page.layout.counters().rebuilds;
    page.layout.setViewportSize(QSize(500, 560));
    page.layout.ensureLayout();
    EXPECT_EQ(page.layout.counters().rebuilds, startedOver);
    EXPECT_EQ(page.layout.engine().layoutWidth(), 800);
    EXPECT_EQ(page.layout.scrollPosition(), QPoint(0, 20000));
    QElapsedTimer clock;
    clock.start();
    int held = 0;
    while (page.layout.isLayingOutInBackground() && clock.elapsed() < 120 * 1000) {
        page.layout.ensureLayout();
        if (page.layout.engine().layoutWidth() == 800) {
            ++held;
            EXPECT_EQ(page.layout.scrollPosition(), QPoint(0, 20000));
        } else {
            EXPECT_EQ(belowTheTop(page.layout, word), below);
        }
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(2);
    }
    ASSERT_FALSE(page.layout.isLayingOutInBackground());
    EXPECT_GT(held, 0);
    EXPECT_EQ(belowTheTop(page.layout, word), below);
    EXPECT_GT(page.layout.scrollPosition().y(), 20000);
    expectSameAsFullLayout(page.layout, *page.doc, "narrower");
    EXPECT_EQ(page.layout.counters().rebuilds, startedOver);
    // Another height alone keeps the layout.
    const int layouts = page.layout.counters().layouts;
    page.layout.setViewportSize(QSize(500, 300));
    page.layout.ensureLayout();
    EXPECT_FALSE(page.layout.isLayingOutInBackground());
    EXPECT_EQ(page.layout.counters().layouts, layouts);
}

// A view standing in the first screens near their end: the layout held
// stays also while the first screens are laid out again, until enough of
// the page is laid out below the view's place.
TEST(BackgroundLayout, AViewNearTheEndOfTheFirstScreensIsHeldToo)
{
    LongPage page;
    page.layout.ensureLayout();
    ASSERT_TRUE(page.layout.isLayingOutInBackground());
    const int firstScreens = page.layout.engine().canvasSize().height();
    ASSERT_TRUE(waitForTheWholeLayout(page.layout));
    const QPoint place(0, firstScreens - 100);
    page.layout.setScrollPosition(place);
    const auto [word, below] = wordAtTheTop(page.layout);
    ASSERT_TRUE(word);
    page.layout.setViewportSize(QSize(500, 600));
    page.layout.ensureLayout();
    EXPECT_EQ(page.layout.engine().layoutWidth(), 800);
    EXPECT_EQ(page.layout.scrollPosition(), place);
    ASSERT_TRUE(waitForTheWholeLayout(page.layout));
    EXPECT_EQ(belowTheTop(page.layout, word), below);
}

// Scrolled while the old layout is held, the view keeps what it shows
// then; a change of the page meanwhile is made in the new layout's first
// part, shown at once.
TEST(BackgroundLayout, TheLayoutHeldFollowsScrollingAndGivesWayToAnEdit)
{
    LongPage page;
    page.layout.ensureLayout();
    ASSERT_TRUE(waitForTheWholeLayout(page.layout));
    page.layout.setScrollPosition(QPoint(0, 20000));
    page.layout.setViewportSize(QSize(500, 600));
    page.layout.ensureLayout();
    ASSERT_EQ(page.layout.engine().layoutWidth(), 800);
    page.layout.setScrollPosition(QPoint(0, 30000));
    const auto [word, below] = wordAtTheTop(page.layout);
    ASSERT_TRUE(word);
    ASSERT_TRUE(waitForTheWholeLayout(page.layout));
    EXPECT_EQ(belowTheTop(page.layout, word), below);

    page.layout.setViewportSize(QSize(800, 600));
    page.layout.ensureLayout();
    ASSERT_EQ(page.layout.engine().layoutWidth(), 500);
    Element* title = page.doc->getElementsByTagName(QStringLiteral("H1")).item(0);
    title->firstChild()->asText()->insertData(0, QStringLiteral("edited "));
    page.layout.ensureLayout();
    EXPECT_EQ(page.layout.engine().layoutWidth(), 800);
    ASSERT_TRUE(waitForTheWholeLayout(page.layout));
    page.layout.ensureLayout();
    expectSameAsFullLayout(page.layout, *page.doc, "edited while held");
}

// Rules for screens of some sizes that start or stop applying as the view
// changes: the page is laid out anew with them in the background, also for
// another height alone.
TEST(BackgroundLayout, RulesForScreenSizesFollowTheView)
{
    QString html = bench_pages::documentationPage(300 * 1024);
    html.replace(QStringLiteral("</head>"),
                 QStringLiteral("<style>@media (max-width: 600px) { h1 { margin-left: 100px } }\n"
                                "@media (max-height: 400px) { h1 { margin-top: 77px } }</style></head>"));
    LongPage page(html);
    page.layout.ensureLayout();
    ASSERT_TRUE(waitForTheWholeLayout(page.layout));
    const Element* title = page.doc->getElementsByTagName(QStringLiteral("H1")).item(0);
    const QRect wide = page.layout.box(title)->borderBox;
    page.layout.setViewportSize(QSize(500, 600));
    page.layout.ensureLayout();
    ASSERT_TRUE(waitForTheWholeLayout(page.layout));
    EXPECT_EQ(page.layout.box(title)->borderBox.x(), wide.x() + 100);
    expectSameAsFullLayout(page.layout, *page.doc, "narrower");
    page.layout.setViewportSize(QSize(500, 300));
    page.layout.ensureLayout();
    EXPECT_TRUE(page.layout.isLayingOutInBackground());
    ASSERT_TRUE(waitForTheWholeLayout(page.layout));
    EXPECT_GE(page.layout.box(title)->borderBox.y(), 77);
    EXPECT_LT(wide.y(), 77);
    expectSameAsFullLayout(page.layout, *page.doc, "lower");
}

TEST(BackgroundLayout, FinishLayoutLaysOutTheWholePageAtOnce)
{
    LongPage page;
    page.layout.ensureLayout();
    ASSERT_TRUE(page.layout.isLayingOutInBackground());
    page.layout.finishLayout();
    EXPECT_FALSE(page.layout.isLayingOutInBackground());
    expectSameAsFullLayout(page.layout, *page.doc, "finished");
}

TEST(BackgroundLayout, ALayoutGoneBeforeItsPartsArriveDropsThem)
{
    {
        LongPage page;
        page.layout.ensureLayout();
        ASSERT_TRUE(page.layout.isLayingOutInBackground());
        for (int i = 0; i < 20; ++i)
            QCoreApplication::processEvents();
    }
    // The parts on their way arrive to nobody.
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < 1500)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
}

TEST(BackgroundLayout, ShortPagesAreLaidOutAtOnce)
{
    auto doc = pageFrom(bench_pages::documentationPage(8 * 1024));
    DocumentLayout layout(doc.get());
    layout.setBuildsInBackground(true);
    layout.setViewportSize(QSize(800, 600));
    layout.ensureLayout();
    EXPECT_FALSE(layout.isLayingOutInBackground());
    expectSameAsFullLayout(layout, *doc, "short");
}

// Pages short in elements but long to lay out: one paragraph of a whole
// page's words, and tables nested nine deep.
QString longParagraph()
{
    QString words;
    for (int i = 0; i < 20000; ++i)
        words += QStringLiteral("word%1 &amp; ").arg(i);
    return QStringLiteral("<p>") + words + QStringLiteral("</p>");
}

QString deepTables()
{
    QString tables;
    for (int i = 0; i < 9; ++i)
        tables += QStringLiteral("<table border=1><tr><td>level %1 ").arg(i);
    tables += QStringLiteral("deepest");
    for (int i = 0; i < 9; ++i)
        tables += QStringLiteral("</td></tr></table>");
    return tables;
}

} // namespace

// Pages that are short in elements but long to lay out: one paragraph of a
// whole page's words, and tables nested nine deep. Their first screens are
// laid out at once from the start of the text (the text cut there), or down
// to the tables nested six deep; the rest comes in the background.
TEST(BackgroundLayout, ALongParagraphOrDeepTablesComeInTheBackground)
{
    const QString tables = deepTables();
    for (const QString& body : {longParagraph(), tables}) {
        Ref<Document> doc = pageFrom(QStringLiteral("<html><body>") + body + QStringLiteral("</body></html>"));
        DocumentLayout layout(doc.get());
        layout.setViewportSize(QSize(800, 600));
        layout.setBuildsInBackground(true);
        layout.ensureLayout();
        ASSERT_TRUE(layout.isLayingOutInBackground());
        const LayoutTree& first = layout.tree();
        if (body == tables) {
            EXPECT_EQ(std::count_if(first.boxes.begin(), first.boxes.end(),
                                    [](const LayoutBox& b) { return b.tag == QLatin1String("TABLE"); }),
                      DocumentLayout::kTablesNestedAtOnce);
        } else {
            ASSERT_FALSE(first.pieces.empty());
            EXPECT_EQ(first.pieces.front().text, QStringLiteral("word0"));
            EXPECT_LT(first.pieces.size(), 20000u);
            // Cut between two words or inside one, never inside "&amp;".
            EXPECT_FALSE(first.pieces.back().text.contains(u'&') && first.pieces.back().text != QStringLiteral("&"));
        }
        ASSERT_TRUE(waitForTheWholeLayout(layout));
        expectSameAsFullLayout(layout, *doc, body == tables ? "tables" : "paragraph");
    }
}

// A long page, or one of deep tables, laid out in the background says that
// it leaves out content nested too deep once it is written whole, whether
// that content stands at its start or at its end, and says it once.
TEST(BackgroundLayout, ContentNestedTooDeepIsToldOnceThePageIsWritten)
{
    QString tables, divs;
    for (int i = 0; i <= LayoutSerializer::kMaxTableDepth; ++i)
        tables += QStringLiteral("<table><tr><td>level %1 ").arg(i);
    for (int i = 0; i < LayoutSerializer::kMaxDepth; ++i)
        divs += QLatin1String("<div>");
    divs += QLatin1String("deepest");
    QString documentation = bench_pages::documentationPage(300 * 1024);
    documentation.insert(documentation.lastIndexOf(QLatin1String("</body>")), divs);
    for (const QString& html : {QStringLiteral("<html><body>") + tables, documentation}) {
        LongPage page(html);
        int told = 0;
        page.layout.setDeepContentHandler([&] { ++told; });
        page.layout.ensureLayout();
        ASSERT_TRUE(page.layout.isLayingOutInBackground());
        ASSERT_TRUE(waitForTheWholeLayout(page.layout));
        EXPECT_TRUE(page.layout.leavesOutDeepContent()) << html.size();
        EXPECT_EQ(told, 1) << html.size();
    }
}

// Parts laid out while a long page is written stay short: one of most of
// the page would hold back the whole page's layout, which follows at once.
TEST(BackgroundLayout, PartsLaidOutMeanwhileStayShort)
{
    LongPage page(2500 * 1024);
    page.layout.ensureLayout();
    ASSERT_TRUE(waitForTheWholeLayout(page.layout, 300));
    ASSERT_GT(LayoutSerializer::serialize(*page.doc).html.size(), 3 * DocumentLayout::kLongestPartInBackground);
    // Parts of at least four times the text of the one before, from the
    // first screens up to the longest, then the whole page.
    int parts = 0;
    for (qsizetype length = 4 * DocumentLayout::kFirstScreensLength; length <= DocumentLayout::kLongestPartInBackground;
         length *= 4)
        ++parts;
    EXPECT_LE(page.layout.counters().partsInBackground, parts + 1);
    EXPECT_GT(page.layout.canvasSize().height(), 100000);
}

// The page's content moved into a text box (as the program does once a
// page has loaded) while the page is laid out in the background, its first
// part shown: a long paragraph cut in the part shown, or tables nested deep.
// What the part shown did not hold yet moves too, in every part that comes
// in (it stayed where it stood, and showed twice).
TEST(BackgroundLayout, ContentMovedIntoATextBoxOnTheWayMovesWhole)
{
    const QString tables = deepTables();
    for (const QString& middle : {longParagraph(), tables}) {
        LongPage page(QStringLiteral("<html><body><h1>A page</h1><p>Before it.</p>") + middle +
                      QStringLiteral("<p>After it.</p></body></html>"));
        page.layout.ensureLayout();
        ASSERT_TRUE(page.layout.isLayingOutInBackground());
        Document* doc = page.doc.get();
        Element* body = doc->body();
        Ref<Element> table = doc->createElement(QStringLiteral("TABLE"));
        table->style().setAttribute(QStringLiteral("position"), Variant(QStringLiteral("absolute")));
        table->style().setAttribute(QStringLiteral("left"), Variant(QStringLiteral("20px")));
        table->style().setAttribute(QStringLiteral("top"), Variant(QStringLiteral("20px")));
        body->insertChildAt(0, table);
        Ref<Element> tbody = doc->createElement(QStringLiteral("TBODY"));
        table->insertChildAt(0, tbody);
        Ref<Element> row = doc->createElement(QStringLiteral("TR"));
        tbody->insertChildAt(0, row);
        Ref<Element> cell = doc->createElement(QStringLiteral("TD"));
        row->insertChildAt(0, cell);
        std::vector<Ref<Node>> rest;
        for (int i = 1; i < body->childCount(); ++i)
            rest.emplace_back(body->child(i));
        while (body->childCount() > 1)
            body->removeChildAt(body->childCount() - 1);
        for (const Ref<Node>& node : rest)
            cell->insertChildAt(cell->childCount(), node);
        page.layout.ensureLayout();
        ASSERT_TRUE(waitForTheWholeLayout(page.layout));
        expectSameAsFullLayout(page.layout, *doc, middle == tables ? "tables" : "paragraph");
    }
}

// A long page whose text stands in a text box: its extent is measured with
// its layout in the background, so that the first Enter and Backspace once
// it is laid out move what follows without walking the whole page (in the
// window's time), nor does an Enter made on the way, made again in the
// whole page; the extent follows it.
TEST(BackgroundLayout, TheFirstEditsInALongTextBoxDoNotWalkThePage)
{
    LongPage page(bench_pages::textBoxPage(3000));
    page.layout.ensureLayout();
    ASSERT_TRUE(page.layout.isLayingOutInBackground());
    Document* doc = page.doc.get();
    doc->selection().collapseAt(doc->getElementById(QStringLiteral("p5"))->firstChild(), 1);
    ASSERT_TRUE(Typing(doc).insertParagraph());
    page.layout.ensureLayout();
    // (The Enter is made again in the whole page as it comes in.)
    const long walked = ContentExtent::pagesWalked();
    ASSERT_TRUE(waitForTheWholeLayout(page.layout));
    page.layout.ensureLayout();
    EXPECT_EQ(ContentExtent::pagesWalked(), walked);
    Element* middle = doc->getElementById(QStringLiteral("p1500"));
    doc->selection().collapseAt(middle->firstChild(), 2);
    ASSERT_TRUE(Typing(doc).insertParagraph());
    page.layout.ensureLayout();
    EXPECT_EQ(ContentExtent::pagesWalked(), walked);
    expectSameAsFullLayout(page.layout, *doc, "enter");
    ASSERT_TRUE(Typing(doc).deleteBackward());
    page.layout.ensureLayout();
    EXPECT_EQ(ContentExtent::pagesWalked(), walked);
    expectSameAsFullLayout(page.layout, *doc, "backspace");
}

// A long page written again (here for another folder of its images) finds
// room for all of its nodes before it takes them in, as at its first
// writing: its tables do not grow step by step, each step copying what they
// hold (on a page of 600,000 paragraphs, steps of up to 60 ms).
TEST(BackgroundLayout, APageWrittenAgainFindsRoomForItsNodesAtOnce)
{
    LongPage page;
    const size_t nodes = size_t(page.doc->nodeCount());
    for (int writing = 0; writing < 2; ++writing) {
        if (writing > 0)
            page.layout.setBaseFolder(QStringLiteral("/tmp"));
        page.layout.ensureLayout();
        ASSERT_TRUE(page.layout.isLayingOutInBackground());
        // (The first step of the writing on the event loop.)
        QCoreApplication::processEvents();
        EXPECT_GE(page.layout.nodeRoom(), nodes) << "writing " << writing;
        ASSERT_TRUE(waitForTheWholeLayout(page.layout));
    }
}

// Once a long page is laid out, the first Enter and Backspace find room for
// their block and its lines where the page's lists stand: none of them is
// moved whole elsewhere in memory (on a page of 100,000 paragraphs, each
// list takes milliseconds to move).
TEST(BackgroundLayout, TheFirstEditsAfterALongPageIsLaidOutFindRoomInItsLists)
{
    LongPage page(bench_pages::textBoxPage(3000));
    page.layout.ensureLayout();
    ASSERT_TRUE(waitForTheWholeLayout(page.layout));
    page.layout.ensureLayout();
    LayoutEngine& engine = page.layout.engine();
    const LayoutTree& tree = engine.tree();
    const TextLines* lines = engine.textLines().get();
    // (The boxes and lines are kept in parts: those of the last stay where
    // they are.)
    const LayoutBox* lastBox = &tree.boxes.back();
    const TextLines::Line* lastLine = &lines->lines.back();
    const int* lastEntry = &lines->entries.back();
    const int* starts = lines->nodeEntriesStart.data();
    Document* doc = page.doc.get();
    doc->selection().collapseAt(doc->getElementById(QStringLiteral("p1500"))->firstChild(), 2);
    for (const bool enter : {true, false}) {
        ASSERT_TRUE(enter ? Typing(doc).insertParagraph() : Typing(doc).deleteBackward());
        page.layout.ensureLayout();
        const std::shared_ptr<const TextLines> now = engine.textLines();
        ASSERT_EQ(now.get(), lines) << "updated where they stand";
        EXPECT_EQ(&tree.boxes.back(), lastBox);
        EXPECT_EQ(&now->lines.back(), lastLine);
        EXPECT_EQ(&now->entries.back(), lastEntry);
        EXPECT_EQ(now->nodeEntriesStart.data(), starts);
    }
    expectSameAsFullLayout(page.layout, *doc, "enter and backspace");
}
