// Drawing a part of the page passes over elements that paint outside it: any
// part painted on its own shows what painting the whole page shows there,
// also after a block was laid out alone and after a positioned box moved.

#include "engine/css/Style.h"
#include "engine/layout/DocumentLayout.h"

#include "engine/EnginePage.h"
#include "engine/layout/LayoutElements.h"
#include "LayoutFixture.h"

#include "bench/engine/ListingPage.h"

#include <gtest/gtest.h>

#include <QPainter>

using namespace engine;

namespace {

QImage paintedWhole(LayoutEngine& layout, QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    QPainter p(&image);
    layout.draw(p, image.rect());
    return image;
}

// The page painted in tiles of the given size, each with its own clip.
QImage paintedInTiles(LayoutEngine& layout, QSize size, QSize tile)
{
    QImage image(size, QImage::Format_RGB32);
    QPainter p(&image);
    for (int y = 0; y < size.height(); y += tile.height()) {
        for (int x = 0; x < size.width(); x += tile.width())
            layout.draw(p, QRect(QPoint(x, y), tile));
    }
    return image;
}

void expectTilesShowTheWholePage(LayoutEngine& layout, const std::string& what)
{
    // (The top left of pages that run very wide or long.)
    const QSize size = layout.canvasSize().expandedTo(QSize(800, 200)).boundedTo(QSize(2000, 3000));
    const QImage whole = paintedWhole(layout, size);
    // Bands across the page, and tiles that cut boxes on every side.
    for (const QSize tile : {QSize(size.width(), 37), QSize(97, 61)})
        EXPECT_TRUE(paintedInTiles(layout, size, tile) == whole)
            << what << ", tiles " << tile.width() << "x" << tile.height();
}

class PaintExtentFixture : public ::testing::TestWithParam<const char*>
{
};

TEST_P(PaintExtentFixture, TilesShowTheWholePage)
{
    LayoutEngine layout;
    layout_test::loadFixture(layout, QString::fromLatin1(GetParam()));
    expectTilesShowTheWholePage(layout, GetParam());
}

INSTANTIATE_TEST_SUITE_P(Fixtures, PaintExtentFixture,
                         ::testing::Values("text.html", "tables.html", "objects.html", "positioned.html", "hit.html",
                                           "tables-caption.html", "tables-odd.html"),
                         layout_test::fixtureTestName);

TEST(PaintExtent, FollowsAMovedBoxAndABlockLaidOutAlone)
{
    Ref<Document> doc = pageFrom(layout_test::readFixture(QStringLiteral("positioned.html")));
    DocumentLayout layout(doc.get());
    layout.setBaseFolder(layout_test::fixtureFolder());
    layout.setViewportSize(QSize(800, 600));
    layout.ensureLayout();
    // A drag of a box with a table in it, far down and back up a little.
    Element* table = layout_test::byId(doc.get(), "pt");
    table->style().setAttribute(QStringLiteral("top"), Variant(QStringLiteral("400px")));
    table->style().setAttribute(QStringLiteral("left"), Variant(QStringLiteral("20px")));
    ASSERT_FALSE(layout.needsLayout());
    ASSERT_EQ(layout.counters().shifts, 2);
    expectTilesShowTheWholePage(layout.engine(), "moved");
    // Words that grow to the right of their box.
    Element* flow = layout_test::byId(doc.get(), "flow");
    flow->style().setAttribute(QStringLiteral("width"), Variant(QStringLiteral("100px")));
    flow->style().setAttribute(QStringLiteral("white-space"), Variant(QStringLiteral("nowrap")));
    layout.ensureLayout();
    Text* text = flow->firstChild()->asText();
    text->insertData(0, QStringLiteral("More words "));
    layout.ensureLayout();
    ASSERT_EQ(layout.counters().blockLayouts, 1);
    expectTilesShowTheWholePage(layout.engine(), "block laid out");
}

// Blocks with very many children draw only those that reach the area being
// drawn (found by where they stand): with a float and a positioned box among
// them, text that reaches past its line and a paragraph of very many words;
// and after a paragraph in the middle grew a line (what follows moved down).
QString manyParagraphs(bool floats)
{
    QString html = QStringLiteral("<html><body style='margin:8px'>");
    for (int i = 0; i < 400; ++i) {
        if (floats && i == 30)
            html += QStringLiteral("<div style='float:right;width:120px;height:300px;background:#c0e0ff'>f</div>");
        if (floats && i == 40)
            html += QStringLiteral("<div style='position:absolute;left:300px;top:900px;width:80px;height:60px;"
                                   "background:#ffd0d0'>abs</div>");
        if (i == 50)
            html += QStringLiteral("<p id=grow style='margin:0'>grows</p>");
        html += QStringLiteral("<p style='margin:2px 0%1'>Paragraph %2 <i>slanted fffff</i></p>")
                    .arg(i % 7 == 0 ? QStringLiteral(";font-size:30px") : QString())
                    .arg(i);
    }
    html += QStringLiteral("<p>");
    for (int i = 0; i < 600; ++i)
        html += QStringLiteral("word%1 ").arg(i);
    return html + QStringLiteral("</p></body></html>");
}

TEST(PaintExtent, BlocksWithVeryManyChildrenDrawWhatReachesTheArea)
{
    for (const bool floats : {true, false}) {
        Ref<Document> doc = pageFrom(manyParagraphs(floats));
        DocumentLayout layout(doc.get());
        layout.setViewportSize(QSize(800, 600));
        layout.ensureLayout();
        expectTilesShowTheWholePage(layout.engine(), floats ? "with floats" : "laid out");
    }
    Ref<Document> doc = pageFrom(manyParagraphs(false));
    DocumentLayout layout(doc.get());
    layout.setViewportSize(QSize(800, 600));
    layout.ensureLayout();
    Text* text = layout_test::byId(doc.get(), "grow")->firstChild()->asText();
    text->insertData(0, QStringLiteral("Many more words that wrap onto a line of their own below. ").repeated(4));
    layout.ensureLayout();
    ASSERT_EQ(layout.counters().blockLayouts, 1);
    expectTilesShowTheWholePage(layout.engine(), "after a paragraph grew");
}

// A source listing: one CODE of very many children, its lines numbered by
// anchors placed absolutely where the flow puts them, spans over several
// lines; with a float and a box placed by offsets of its own among them.
TEST(PaintExtent, ListingsDrawWhatReachesTheArea)
{
    const QString extra = QStringLiteral(
        "<span style='float:right;width:150px;height:900px;background:#c0e0ff'>float</span>"
        "<span style='position:absolute;left:400px;top:1500px;width:90px;height:50px;background:#ffd0d0'>abs</span>");
    Ref<Document> doc = pageFrom(bench_pages::listingPage(300, extra));
    DocumentLayout layout(doc.get());
    layout.setViewportSize(QSize(800, 600));
    layout.ensureLayout();
    expectTilesShowTheWholePage(layout.engine(), "listing");
    // A line number moved down the page stands out of the order of the rest.
    Element* number = doc->getElementById(QStringLiteral("20"));
    ASSERT_TRUE(number);
    ASSERT_TRUE(layout.engine().shiftPositioned(layout.nodeId(number), 30, 700));
    expectTilesShowTheWholePage(layout.engine(), "line number moved");
}

// The words of a long line of preformatted text are found for drawing by
// where they stand along the line: a screen in the middle of it shows what
// a drawing of everything there shows, also after a key moved the words
// after it along, and walks few of the line's words.
TEST(PaintExtent, ALongPreformattedLineDrawsTheWordsThatReachTheArea)
{
    QString words;
    for (int i = 0; i < 3000; ++i)
        words += QStringLiteral("w%1 ").arg(i % 7 == 0 ? QStringLiteral("fff") : QString::number(i));
    Ref<Document> doc = pageFrom(QStringLiteral("<body><pre id=line>") + words +
                                 QStringLiteral("</pre><div style='height:200px'></div><pre>x <i>slanted fffff</i> ") +
                                 words + QStringLiteral("</pre>"));
    DocumentLayout layout(doc.get());
    layout.setViewportSize(QSize(800, 600));
    layout.ensureLayout();
    const auto expectScreenAt = [&](int left, const std::string& what) {
        const QRect screen(left, 0, 800, 40);
        QImage whole(screen.size(), QImage::Format_RGB32);
        QImage tiled(screen.size(), QImage::Format_RGB32);
        {
            QPainter p(&whole);
            p.translate(-screen.topLeft());
            layoutelements_detail::childrenWalked = 0;
            layout.engine().draw(p, screen);
            EXPECT_LT(layoutelements_detail::childrenWalked, 3000) << what;
        }
        {
            QPainter p(&tiled);
            p.translate(-screen.topLeft());
            for (int x = screen.left(); x < screen.right(); x += 37)
                layout.engine().draw(p, QRect(x, screen.top(), 37, screen.height()));
        }
        EXPECT_TRUE(whole == tiled) << what;
        // (The words at the screen's edges, drawn whole on a wider area.)
        const QRect wider = screen.adjusted(-300, 0, 300, 0);
        QImage around(wider.size(), QImage::Format_RGB32);
        QPainter p(&around);
        p.translate(-wider.topLeft());
        layout.engine().draw(p, wider);
        EXPECT_TRUE(whole == around.copy(QRect(screen.topLeft() - wider.topLeft(), screen.size()))) << what;
    };
    const int middle = layout.engine().canvasSize().width() / 2;
    expectScreenAt(0, "at the start");
    expectScreenAt(middle, "in the middle");
    Text* text = layout_test::byId(doc.get(), "line")->firstChild()->asText();
    text->insertData(text->length() / 2 - 3, QStringLiteral("typed "));
    layout.ensureLayout();
    ASSERT_EQ(layout.counters().blockLayouts, 1);
    expectScreenAt(middle - 400, "after a key");
}

// A paint of one screen walks about as many children of the listing's CODE
// on a long listing as on a short one.
TEST(PaintExtent, PaintOfAScreenOfAListingCostsWhatIsOnIt)
{
    const auto walkedForAScreen = [](int lines) {
        Ref<Document> doc = pageFrom(bench_pages::listingPage(lines));
        DocumentLayout layout(doc.get());
        layout.setViewportSize(QSize(800, 600));
        layout.ensureLayout();
        const int top = layout.engine().canvasSize().height() / 2;
        QImage image(800, 600, QImage::Format_RGB32);
        QPainter p(&image);
        p.translate(0, -top);
        layoutelements_detail::childrenWalked = 0;
        layout.engine().draw(p, QRect(0, top, 800, 600));
        return layoutelements_detail::childrenWalked;
    };
    const long shortListing = walkedForAScreen(300);
    const long longListing = walkedForAScreen(3000);
    EXPECT_GT(shortListing, 0);
    EXPECT_LT(longListing, shortListing * 3 / 2) << shortListing;
}

} // namespace
