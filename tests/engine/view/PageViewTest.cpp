#include "engine/view/PageView.h"

#include "engine/EnginePage.h"
#include "engine/layout/LayoutFixture.h"
#include "engine/css/Style.h"
#include "engine/editing/CommandGroup.h"
#include "engine/editing/Selection.h"
#include "engine/layout/Geometry.h"
#include "engine/view/DesignModeInput.h"
#include "engine/view/DisplayPointer.h"
#include "engine/view/EventObject.h"

#include <gtest/gtest.h>

#include <QPainter>
#include <QScrollBar>

using namespace engine;
using layout_test::byId;

namespace {

class RecordingPainter : public ElementPainter
{
public:
    RecordingPainter(int z, QColor color) : m_z(z), m_color(color) {}
    int zOrder() const override { return m_z; }
    void draw(QPainter& painter, const QRect& bounds, const QRect& update, int flags) override
    {
        ++calls;
        lastBounds = bounds;
        lastUpdate = update;
        lastFlags = flags;
        painter.fillRect(bounds, m_color);
    }
    int calls = 0;
    QRect lastBounds, lastUpdate;
    int lastFlags = 0;

private:
    int m_z;
    QColor m_color;
};

const char* kPage = "<html><body>"
                    "<div id=d style='position:absolute;left:100px;top:100px;width:60px;height:40px;"
                    "background-color:#ff0000'></div>"
                    "<table id=t border=0 cellspacing=0 style='position:absolute;left:300px;top:50px'>"
                    "<tr><td id=c width=80 height=30>cell</td></tr></table>"
                    "<p id=p style='margin-top:200px'>Some text to select</p>"
                    "<div id=far style='position:absolute;left:50px;top:1500px;width:10px;height:10px;"
                    "background-color:#0000ff'></div>"
                    "</body></html>";

struct View
{
    View() : doc(pageFrom(kPage)), view(doc.get()) { view.setHeadless(QSize(400, 300)); }
    Ref<Document> doc;
    PageView view;
};

bool isRed(QRgb c)
{
    return qRed(c) > 200 && qGreen(c) < 60 && qBlue(c) < 60;
}

} // namespace

TEST(PageView, RendersTheViewportAtTheScrollPosition)
{
    View v;
    QImage image = v.view.renderToImage();
    EXPECT_EQ(image.size(), QSize(400, 300));
    EXPECT_TRUE(isRed(image.pixel(110, 110)));
    v.view.scrollToPage(QPoint(0, 1205));
    image = v.view.renderToImage();
    EXPECT_EQ(qBlue(image.pixel(55, 297)), 255);
    EXPECT_EQ(Geometry(v.view.layout()).boundingClientRect(byId(v.doc.get(), "far")).topLeft(), QPoint(50, 295));
    // Scrolling stops at the canvas extent.
    v.view.scrollBy(0, 100000);
    EXPECT_EQ(v.view.scrollPosition().y(), v.view.layout().canvasSize().height() - 300);
}

TEST(PageView, ZoomScalesThePage)
{
    View v;
    v.view.setZoom(200);
    const QImage image = v.view.renderToImage();
    EXPECT_TRUE(isRed(image.pixel(210, 210)));
    EXPECT_FALSE(isRed(image.pixel(110, 110)));
    EXPECT_EQ(v.view.viewToClient(QPoint(210, 210)), QPoint(105, 105));
    v.view.setZoom(10);
    EXPECT_EQ(v.view.zoom(), 25);
    v.view.setZoom(500);
    EXPECT_EQ(v.view.zoom(), 200);
}

TEST(PageView, PaintersGetTheirBoundsAfterScrollingAndNeverRelayout)
{
    View v;
    Element* d = byId(v.doc.get(), "d");
    auto above = std::make_shared<RecordingPainter>(ElementPainter::AboveContent, QColor(0, 255, 0));
    auto below = std::make_shared<RecordingPainter>(ElementPainter::BelowContent, QColor(0, 0, 255));
    const int layouts = v.view.layout().counters().layouts;
    const int a = v.view.addBehavior(d, above);
    const int b = v.view.addBehavior(byId(v.doc.get(), "c"), below);
    const int body = v.view.addBehavior(v.doc->body(), std::make_shared<RecordingPainter>(7, QColor(0, 0, 0, 0)));
    EXPECT_NE(a, b);
    EXPECT_NE(b, body);
    v.view.scrollToPage(QPoint(0, 20));
    const QImage image = v.view.renderToImage();
    EXPECT_EQ(above->lastBounds, QRect(100, 80, 60, 40));
    EXPECT_EQ(above->lastFlags, ElementPainter::Transparent);
    EXPECT_EQ(qGreen(image.pixel(110, 90)), 255);
    // Below content: the cell's painter runs before the cell's text is drawn.
    EXPECT_GE(below->calls, 1);
    EXPECT_EQ(below->lastBounds.topLeft(), QPoint(300, 30));
    EXPECT_EQ(v.view.layout().counters().layouts, layouts);

    EXPECT_TRUE(v.view.removeBehavior(d, a));
    EXPECT_FALSE(v.view.removeBehavior(d, a));      // stale
    EXPECT_FALSE(v.view.removeBehavior(d, b));      // foreign
    const int again = v.view.addBehavior(d, above); // never reused
    EXPECT_GT(again, body);
    const int calls = above->calls;
    v.view.removeBehavior(d, again);
    v.view.renderToImage();
    EXPECT_EQ(above->calls, calls);
}

TEST(PageView, BodyPainterCoversTheCanvasAtMinusTheScroll)
{
    View v;
    auto painter = std::make_shared<RecordingPainter>(ElementPainter::AboveContent, QColor(0, 0, 0, 0));
    v.view.addBehavior(v.doc->body(), painter);
    v.view.scrollToPage(QPoint(0, 100));
    v.view.renderToImage();
    EXPECT_EQ(painter->lastBounds.topLeft(), QPoint(0, -100));
    EXPECT_EQ(painter->lastBounds.size(), v.view.layout().canvasSize());
}

TEST(PageView, ZeroBordersAreDottedOnlyWhileLatched)
{
    View v;
    const QRect table = v.view.layout().box(byId(v.doc.get(), "t"))->borderBox;
    auto darkPixelsOnTop = [&](const QImage& image) {
        int count = 0;
        for (int x = table.left(); x < table.right(); ++x)
            count += qGray(image.pixel(x, table.top())) < 200 ? 1 : 0;
        return count;
    };
    EXPECT_EQ(darkPixelsOnTop(v.view.renderToImage()), 0);
    v.view.setShowZeroBorders(true);
    EXPECT_GT(darkPixelsOnTop(v.view.renderToImage()), table.width() / 4);
    // The command toggles the same switch the view paints from, and repaints.
    EXPECT_EQ(v.doc->commands().exec(CommandGroup::ShowZeroBorders), 0);
    EXPECT_FALSE(v.view.showZeroBorders());
    EXPECT_EQ(v.doc->commands().queryStatus(CommandGroup::ShowZeroBorders) & CommandGroup::Latched, 0);
    EXPECT_EQ(darkPixelsOnTop(v.view.renderToImage()), 0);
    v.doc->commands().exec(CommandGroup::ShowZeroBorders, Variant(true));
    EXPECT_FALSE(v.view.pendingRepaint().isEmpty());
    EXPECT_GT(darkPixelsOnTop(v.view.renderToImage()), table.width() / 4);
}

TEST(PageView, ControlSelectionHandlesSitOutsideTheBox)
{
    View v;
    Element* d = byId(v.doc.get(), "d");
    v.doc->selection().setControlRange({Ref<Element>(d)});
    const QImage image = v.view.renderToImage();
    // Corner handles: 7x7 with a black frame, outside the 100,100 60x40 box.
    EXPECT_EQ(qGray(image.pixel(93, 93)), 0);
    EXPECT_EQ(qGray(image.pixel(96, 96)), 255);
    EXPECT_EQ(qGray(image.pixel(160, 140)), 0);
    EXPECT_EQ(qGray(image.pixel(127, 93)), 0); // top middle
    EXPECT_TRUE(isRed(image.pixel(101, 101)));
}

TEST(PageView, CaretAndTextSelectionAreDrawn)
{
    View v;
    Text* text = byId(v.doc.get(), "p")->firstChild()->asText();
    TextGeometry geometry(v.view.layout());
    const QRect caret = geometry.caretRect(text, 5);
    v.doc->selection().collapseAt(text, 5);
    QImage image = v.view.renderToImage();
    EXPECT_EQ(qGray(image.pixel(caret.left(), caret.center().y())), 0);
    v.view.setCaretVisible(false);
    image = v.view.renderToImage();
    EXPECT_NE(qGray(image.pixel(caret.left(), caret.center().y())), 0);

    v.doc->selection().setTextRange(text, 0, text, 4);
    image = v.view.renderToImage();
    const QRect selected = geometry.rangeRects(text, 0, text, 4).front();
    const QRgb inside = image.pixel(selected.left() + 1, selected.top() + 1);
    EXPECT_GT(qBlue(inside), qRed(inside));
    const QRgb after = image.pixel(selected.right() + 12, selected.top() + 1);
    EXPECT_EQ(qBlue(after), qRed(after));
}

// The program hides the caret where no text is typed; it shows again
// wherever the caret is placed next.
TEST(PageView, AHiddenCaretShowsWhenTheCaretIsPlacedAgain)
{
    View v;
    Text* text = byId(v.doc.get(), "p")->firstChild()->asText();
    TextGeometry geometry(v.view.layout());
    const QRect at5 = geometry.caretRect(text, 5);
    auto caretDrawnAt = [&](const QRect& caret) {
        const QImage image = v.view.renderToImage();
        return qGray(image.pixel(caret.left(), caret.center().y())) == 0;
    };
    v.doc->selection().collapseAt(text, 5);
    v.doc->selection().flushChange();
    v.view.setCaretVisible(false);
    EXPECT_FALSE(caretDrawnAt(at5));
    // Painting again, or asking for the same caret again, shows nothing.
    v.doc->selection().collapseAt(text, 5);
    v.doc->selection().flushChange();
    EXPECT_FALSE(v.view.caretVisible());
    EXPECT_FALSE(caretDrawnAt(at5));

    // A caret set through the API.
    const QRect at2 = geometry.caretRect(text, 2);
    v.doc->selection().collapseAt(text, 2);
    v.doc->selection().flushChange();
    EXPECT_TRUE(v.view.caretVisible());
    EXPECT_TRUE(caretDrawnAt(at2));

    // A press on the very place the hidden caret stands.
    v.view.setCaretVisible(false);
    v.view.input().mouseDown(at2.center() - v.view.scrollPosition(), LeftButton, {});
    v.view.input().mouseUp(at2.center() - v.view.scrollPosition(), LeftButton, {});
    EXPECT_TRUE(v.view.caretVisible());

    // A key that moves it.
    v.view.setCaretVisible(false);
    v.view.input().keyDown(Qt::Key_Right, {});
    EXPECT_TRUE(v.view.caretVisible());
}

namespace {

struct EmptyLineCase
{
    const char* name;
    const char* body;    // the break of the empty line has id e
    const char* startId; // the selection runs from the text of one element to that of another
    int startOffset;
    const char* endId;
    int endOffset;
    bool highlighted;
};

class EmptyLineSelection : public ::testing::TestWithParam<EmptyLineCase>
{
};

bool isHighlight(QRgb c)
{
    return qBlue(c) > qRed(c) + 40;
}

} // namespace

// A selection running across an empty line highlights a space's width of
// it, as browsers do; one that stops before the line or starts after it
// leaves it alone.
TEST_P(EmptyLineSelection, HighlightsTheLineItRunsAcross)
{
    const EmptyLineCase& c = GetParam();
    Ref<Document> doc = pageFrom(QStringLiteral("<html><body>%1</body></html>").arg(QString::fromLatin1(c.body)));
    PageView view(doc.get());
    view.setHeadless(QSize(400, 300));
    const auto textOf = [&](const char* id) { return byId(doc.get(), id)->firstChild(); };
    doc->selection().setTextRange(textOf(c.startId), c.startOffset, textOf(c.endId), c.endOffset);
    const QImage image = view.renderToImage();
    const LayoutBox* line = view.layout().box(byId(doc.get(), "e"));
    ASSERT_TRUE(line);
    const int y = line->borderBox.center().y();
    EXPECT_EQ(isHighlight(image.pixel(line->borderBox.left() + 1, y)), c.highlighted);
    // A space wide, not the line's width.
    EXPECT_FALSE(isHighlight(image.pixel(line->borderBox.left() + 12, y)));
}

INSTANTIATE_TEST_SUITE_P(
    Markup, EmptyLineSelection,
    ::testing::Values(
        EmptyLineCase{"BetweenTwoLinesOfText", "<p><span id=a>one</span><br><br id=e><span id=b>three</span></p>", "a",
                      1, "b", 2, true},
        EmptyLineCase{"EmptyParagraph", "<p id=a>one</p><p><br id=e></p><p id=b>three</p>", "a", 0, "b", 5, true},
        EmptyLineCase{"IndentedBlock", "<p id=a>one</p><div style='padding-left:40px'><br id=e></div><p id=b>three</p>",
                      "a", 2, "b", 1, true},
        EmptyLineCase{"StopsAboveTheLine", "<p><span id=a>one</span><br><br id=e><span id=b>three</span></p>", "a", 0,
                      "a", 3, false},
        EmptyLineCase{"StartsBelowTheLine", "<p><span id=a>one</span><br><br id=e><span id=b>three</span></p>", "b", 0,
                      "b", 5, false}),
    [](const auto& info) { return std::string(info.param.name); });

// A selection that starts between two children of an element highlights
// nothing of the children before it.
TEST(PageView, SelectionFromAPlaceBetweenChildrenStartsThere)
{
    Ref<Document> doc = pageFrom("<html><body><p id=p>one<br>two</p></body></html>");
    PageView view(doc.get());
    view.setHeadless(QSize(400, 300));
    Element* p = byId(doc.get(), "p");
    Text* two = p->lastChild()->asText();
    doc->selection().setTextRange(p, 2, two, 3);
    const QImage image = view.renderToImage();
    TextGeometry geometry(view.layout());
    const QRect one = geometry.rangeRects(p->firstChild()->asText(), 0, p->firstChild()->asText(), 3).front();
    const QRect selected = geometry.rangeRects(two, 0, two, 3).front();
    EXPECT_TRUE(isHighlight(image.pixel(selected.left() + 1, selected.top() + 1)));
    EXPECT_FALSE(isHighlight(image.pixel(one.left() + 1, one.top() + 1)));
}

TEST(PageView, MovingAPositionedElementRepaintsOnlyWhereItWasAndIs)
{
    View v;
    v.view.clearPendingRepaint();
    Element* d = byId(v.doc.get(), "d");
    d->style().setAttribute(QStringLiteral("left"), Variant(QStringLiteral("101px")));
    v.view.flushChanges();
    const QRegion pending = v.view.pendingRepaint();
    EXPECT_TRUE(pending.contains(QRect(100, 100, 61, 40)));
    EXPECT_FALSE(pending.contains(QRect(300, 250, 10, 10)));
    EXPECT_EQ(v.view.layout().counters().shifts, 1);
    EXPECT_TRUE(isRed(v.view.renderToImage().pixel(160, 110)));
}

TEST(PageView, DesignSwitchesAnswer)
{
    View v;
    v.view.setShowSpecialCharacters(true);
    v.view.setShowAllTags(true);
    v.view.setEmptyGlyphTable(true);
    EXPECT_TRUE(v.view.showSpecialCharacters());
    EXPECT_TRUE(v.view.showAllTags());
    EXPECT_TRUE(v.view.emptyGlyphTable());
    // One state with the command group: its commands switch them off again.
    for (int id : {CommandGroup::ShowSpecialCharacters, CommandGroup::ShowAllTags, CommandGroup::EmptyGlyphTable}) {
        EXPECT_EQ(v.doc->commands().queryStatus(id),
                  CommandGroup::Supported | CommandGroup::Enabled | CommandGroup::Latched);
        v.doc->commands().exec(id);
    }
    EXPECT_FALSE(v.view.showSpecialCharacters());
    EXPECT_FALSE(v.view.showAllTags());
    EXPECT_FALSE(v.view.emptyGlyphTable());
}

TEST(PageView, ScrollIntoViewScrollsTheLeast)
{
    View v;
    v.view.scrollIntoView(QRect(50, 1500, 10, 10));
    EXPECT_EQ(v.view.scrollPosition(), QPoint(0, 1510 - 300));
    v.view.scrollIntoView(QRect(50, 1300, 10, 10)); // already in view
    EXPECT_EQ(v.view.scrollPosition(), QPoint(0, 1210));
    v.view.scrollIntoView(QRect(50, 100, 10, 10));
    EXPECT_EQ(v.view.scrollPosition(), QPoint(0, 100));
}

TEST(PageView, AReloadDropsThePaintersOfTheOldNodes)
{
    View v;
    Element* d = byId(v.doc.get(), "d");
    Ref<Element> keep(d);
    auto painter = std::make_shared<RecordingPainter>(ElementPainter::AboveContent, QColor(0, 255, 0));
    const int cookie = v.view.addBehavior(d, painter);
    v.doc->replaceContent(QString::fromLatin1(kPage));
    v.view.renderToImage();
    EXPECT_EQ(painter->calls, 0);
    EXPECT_FALSE(v.view.removeBehavior(keep.get(), cookie));
    // Cookies stay unique after the reload.
    EXPECT_GT(v.view.addBehavior(byId(v.doc.get(), "d"), painter), cookie);
}

// Painters below the content of cells: each cell draws its own, in the
// order they were attached, however many cells carry one.
TEST(PageView, CellPaintersDrawOnTheirOwnCellsOnly)
{
    QString rows;
    for (int r = 0; r < 20; ++r)
        rows +=
            QStringLiteral("<tr><td id=a%1 width=40 height=10></td><td id=b%1 width=40 height=10></td></tr>").arg(r);
    Ref<Document> doc = pageFrom(QStringLiteral("<html><body style='margin:0'><table cellspacing=0 cellpadding=0>") +
                                 rows + QStringLiteral("</table></body></html>"));
    PageView view(doc.get());
    view.setHeadless(QSize(200, 300));
    auto blue = std::make_shared<RecordingPainter>(ElementPainter::BelowContent, QColor(0, 0, 255));
    auto red = std::make_shared<RecordingPainter>(ElementPainter::BelowContent, QColor(255, 0, 0));
    std::vector<int> cookies;
    for (int r = 0; r < 20; ++r)
        cookies.push_back(view.addBehavior(byId(doc.get(), QStringLiteral("a%1").arg(r).toLatin1().constData()), blue));
    // A second painter on one cell paints over the first.
    Element* a5 = byId(doc.get(), "a5");
    const int redCookie = view.addBehavior(a5, red);
    QImage image = view.renderToImage();
    EXPECT_EQ(blue->calls, 20);
    EXPECT_EQ(image.pixel(20, 5 * 10 + 5), qRgb(255, 0, 0));
    EXPECT_EQ(image.pixel(20, 6 * 10 + 5), qRgb(0, 0, 255));
    EXPECT_EQ(image.pixel(60, 6 * 10 + 5), qRgb(255, 255, 255)); // the B column has none
    // Taken off one cell, the others keep theirs.
    EXPECT_TRUE(view.removeBehavior(a5, redCookie));
    EXPECT_FALSE(view.removeBehavior(a5, redCookie));
    EXPECT_TRUE(view.removeBehavior(byId(doc.get(), "a6"), cookies[6]));
    blue->calls = 0;
    image = view.renderToImage();
    EXPECT_EQ(blue->calls, 19);
    EXPECT_EQ(image.pixel(20, 5 * 10 + 5), qRgb(0, 0, 255));
    EXPECT_EQ(image.pixel(20, 6 * 10 + 5), qRgb(255, 255, 255));
}

// Deep nesting reaches the view too: painting, hit testing, caret placement
// and line moves over the capped page neither hang nor crash.
TEST(PageView, HostileNestingPaintsAndHitTests)
{
    QString divs, spans, tables;
    for (int i = 0; i < 20000; ++i)
        divs += QLatin1String("<div>d");
    for (int i = 0; i < 20000; ++i)
        spans += QLatin1String("<span>s ");
    for (int i = 0; i < 20; ++i)
        tables += QLatin1String("<table border=1 cellspacing=2><tr><td>cell ");
    for (const QString& body : {divs, spans, tables}) {
        Ref<Document> doc = pageFrom(QStringLiteral("<html><body>") + body + QStringLiteral("</body></html>"));
        PageView view(doc.get());
        view.setHeadless(QSize(300, 200));
        view.setZoom(50);
        EXPECT_FALSE(view.renderToImage().isNull());
        for (int y = 0; y < 400; y += 37) {
            for (int x = 0; x < 600; x += 53) {
                EXPECT_NE(doc->elementFromPoint(x, y), nullptr);
                DisplayPointer pointer(view);
                if (pointer.moveToPoint(QPoint(x, y))) {
                    pointer.moveToLine(1);
                    pointer.moveToLine(-1);
                }
            }
        }
        // Clicks, a drag selection and arrow keys through the view's input.
        view.input().mouseDown(QPoint(20, 20), LeftButton, {});
        view.input().mouseMove(QPoint(250, 380), LeftButton, {});
        view.input().mouseUp(QPoint(250, 380), LeftButton, {});
        view.input().keyDown(Qt::Key_Down, {});
        view.input().keyDown(Qt::Key_Up, Qt::ShiftModifier);
        view.input().doubleClick(QPoint(30, 30), LeftButton, {});
        EXPECT_FALSE(view.renderToImage().isNull());
        view.scrollBy(0, 100000);
        EXPECT_FALSE(view.renderToImage().isNull());
    }
}

// Under zoom, client coordinates stay in page units: hit testing, geometry
// and scrolling read the same numbers at every zoom, only the view scales.
TEST(PageView, ZoomKeepsClientCoordinatesInPageUnits)
{
    View v;
    Element* d = byId(v.doc.get(), "d");
    for (int zoom : {25, 50, 150, 200}) {
        v.view.setZoom(zoom);
        v.view.scrollToPage(QPoint(0, 0));
        v.view.flushChanges();
        const QSize client(400 * 100 / zoom, 300 * 100 / zoom);
        Geometry geometry(v.view.layout());
        EXPECT_EQ(geometry.clientWidth(v.doc->body()), client.width()) << zoom;
        EXPECT_EQ(geometry.clientHeight(v.doc->body()), client.height()) << zoom;
        EXPECT_EQ(v.doc->elementFromPoint(110, 110), d) << zoom;
        EXPECT_EQ(v.doc->elementFromPoint(client.width() - 1, 0), v.doc->body()) << zoom;
        EXPECT_EQ(v.doc->elementFromPoint(client.width(), 0), nullptr) << zoom;
        // A view pixel left of or above the view (mouse capture) is outside
        // the client area too.
        const QPoint outside = v.view.viewToClient(QPoint(-1, -1));
        EXPECT_TRUE(outside.x() < 0 && outside.y() < 0) << zoom;
        // The view pixel over the layer's corner maps to it.
        EXPECT_EQ(v.doc->elementFromPoint(v.view.viewToClient(v.view.clientToView(QPoint(100, 100))).x(),
                                          v.view.viewToClient(v.view.clientToView(QPoint(100, 100))).y()),
                  d)
            << zoom;
        // Scrolling stops where the canvas ends, in page units.
        v.view.scrollBy(0, 100000);
        EXPECT_EQ(v.view.scrollPosition().y(), std::max(0, v.view.layout().canvasSize().height() - client.height()))
            << zoom;
        EXPECT_EQ(geometry.boundingClientRect(byId(v.doc.get(), "far")).top(), 1500 - v.view.scrollPosition().y());
    }
}

// Under zoom a painter still gets its bounds in client coordinates (the view
// scales its drawing), and invalidating it repaints its area of the view.
TEST(PageView, PaintersUnderZoom)
{
    View v;
    Element* d = byId(v.doc.get(), "d");
    auto above = std::make_shared<RecordingPainter>(ElementPainter::AboveContent, QColor(0, 255, 0));
    const int cookie = v.view.addBehavior(d, above);
    v.view.setZoom(200);
    v.view.scrollToPage(QPoint(0, 20));
    const QImage image = v.view.renderToImage();
    EXPECT_EQ(above->lastBounds, QRect(100, 80, 60, 40));
    const QRgb inside = image.pixel(2 * 110, 2 * 90), outside = image.pixel(2 * 90, 2 * 90);
    EXPECT_EQ(qGreen(inside), 255);
    EXPECT_EQ(qRed(inside), 0);
    EXPECT_NE(qRed(outside), 0);
    v.view.clearPendingRepaint();
    v.view.invalidateBehavior(cookie);
    EXPECT_TRUE(v.view.pendingRepaint().contains(QRect(200, 160, 120, 80)));
    EXPECT_FALSE(v.view.pendingRepaint().contains(QPoint(180, 150)));
}

// A view grown taller while scrolled to the end scrolls back so that no
// area beyond the canvas shows.
TEST(PageView, GrowingTheViewKeepsTheScrollInsideTheCanvas)
{
    View v;
    v.view.scrollBy(0, 100000);
    ASSERT_GT(v.view.scrollPosition().y(), 0);
    v.view.setHeadless(QSize(400, 900));
    v.view.flushChanges();
    const int canvas = v.view.layout().canvasSize().height();
    EXPECT_EQ(v.view.scrollPosition().y(), std::max(0, canvas - 900));
    EXPECT_EQ(v.view.verticalScrollBar()->value(), v.view.scrollPosition().y());
}
