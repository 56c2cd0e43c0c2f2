// Lines, cells and floats sized by their text are as wide as in a browser:
// each case is laid out as headless chromium lays out the same markup at the
// same width (the boxes below are chromium's, the body given the engine's
// margins and face), left edges and widths within a pixel.

#include "engine/EnginePage.h"
#include "engine/layout/DocumentLayout.h"
#include "engine/layout/FontCatalog.h"
#include "engine/layout/LayoutEngine.h"
#include "engine/layout/PageContainer.h"

#include <gtest/gtest.h>

#include <cmath>

using engine::DocumentLayout;
using engine::LayoutBox;

namespace {

struct ChromiumBox
{
    const char* id;
    int left;
    int top;
    int width;
};

void expectChromiumBoxes(const QString& html, std::initializer_list<ChromiumBox> boxes)
{
    engine::Ref<engine::Document> doc = pageFrom(html);
    DocumentLayout layout(doc.get());
    layout.setViewportSize(QSize(800, 2000));
    for (const ChromiumBox& c : boxes) {
        const LayoutBox* box = layout.tree().boxByHtmlId(QString::fromLatin1(c.id));
        ASSERT_TRUE(box) << c.id;
        EXPECT_NEAR(box->borderBox.left(), c.left, 1) << c.id;
        EXPECT_NEAR(box->borderBox.top(), c.top, 1) << c.id;
        EXPECT_NEAR(box->borderBox.width(), c.width, 1) << c.id;
    }
}

} // namespace

// A line of many words is as wide as its glyphs' exact advances (litehtml's
// whole pixels per word and per space were up to 4 px off on such a line);
// the spaces that end a cell's text take no room.
TEST(TextWidths, CellsAsWideAsTheirText)
{
    expectChromiumBoxes(
        QStringLiteral("<body><table id=t1 style='font:14px Arial'><tr><td id=a1>Hello world, this is text</td>"
                       "<td id=a2>some more words in this cell</td></tr></table>"
                       "<table id=t2><tr><td id=b1>日本語 and English words in one cell, again and again</td></tr>"
                       "</table><table id=t3 style='font:14px Arial'><tr><td id=c1>int ringbuf_init </td>"
                       "<td id=c2>(</td><td id=c3><em>rb</em>, </td></tr></table></body>"),
        {{"t1", 10, 15, 326},
         {"a1", 12, 17, 141},
         {"a2", 155, 17, 179},
         {"t2", 10, 37, 403},
         {"b1", 12, 39, 399},
         {"t3", 10, 59, 122},
         {"c1", 12, 61, 89},
         {"c2", 103, 61, 7},
         {"c3", 112, 61, 18}});
}

// Text of a size of a fraction of a pixel (90% of 14 px is 12.6 px, not
// 12) is measured at that size; a sign none of the page's faces has comes
// from the face a browser falls back to (not a full-width Japanese one).
TEST(TextWidths, FractionalSizesAndSignsFromTheFallbackFace)
{
    expectChromiumBoxes(
        QStringLiteral("<body><div id=f1 style='float:left;font:90% Arial'>A byte ring buffer in C</div>"
                       "<div id=f2 style='float:left;font:14px Arial'>&#9670;&nbsp;ringbuf_flags</div>"
                       "<div id=f3 style='float:left;font-size:0.83em'>small words on a line</div>"
                       "</body>"),
        {{"f1", 10, 15, 138}, {"f2", 148, 15, 95}, {"f3", 243, 15, 130}});
}

// A sidebar floated left of a float as wide as their box, by a margin of
// -100%, stands beside it at the top (as documentation generators lay out
// their pages), not below it: the line of white space between them holds
// nothing that keeps it down.
TEST(TextWidths, FloatBesideAFullWidthFloatByANegativeMargin)
{
    expectChromiumBoxes(
        QStringLiteral("<body><div id=doc style='width:600px; margin:30px auto 0 auto'>\n"
                       "<div id=dw style='float:left; width:100%'><div id=bw style='margin-left:220px'>"
                       "<p id=main>Body text here</p></div></div>\n"
                       "<div id=sb style='float:left; width:220px; margin-left:-100%'><div id=side>Sidebar</div>"
                       "</div>\n<div id=cl style='clear:both'></div>\n</div><p id=ft>footer</p></body>"),
        {{"doc", 100, 30, 600},
         {"dw", 100, 30, 600},
         {"main", 320, 46, 380},
         {"sb", 100, 30, 220},
         {"side", 100, 30, 220},
         {"cl", 100, 78, 600},
         {"ft", 10, 94, 780}});
}

// Each line of a paragraph is placed from its own start, as a browser adds
// up the advances of a line: every word stands where the exact widths
// before it on its line put it, to the nearest pixel (words fitted over the
// whole paragraph came out up to a pixel off on the lines below the first,
// and an edit moved every word after it by a pixel here and there).
TEST(TextWidths, EachLineIsPlacedFromItsOwnStart)
{
    QString words;
    for (int i = 0; i < 120; ++i)
        words += QLatin1String(i % 3 ? "wide " : "illicit ") + QString::number(i * 7) + QLatin1Char(' ');
    engine::Ref<engine::Document> doc =
        pageFrom(QStringLiteral("<body><div style='width:310px;font:15px Arial'>") + words +
                 QStringLiteral("</div><div style='width:240px;font:13.3px serif;white-space:pre-wrap'>") + words +
                 QStringLiteral("</div></body>"));
    DocumentLayout layout(doc.get());
    layout.setViewportSize(QSize(800, 2000));
    const engine::FontCatalog& fonts = layout.engine().container().fonts();
    int lines = 0;
    int top = -1;
    int left = 0;
    double exact = 0;
    for (const engine::TextPiece& piece : layout.tree().pieces) {
        if (piece.box.top() != top) {
            top = piece.box.top();
            left = piece.box.left();
            exact = 0;
            ++lines;
        }
        EXPECT_LE(std::abs(piece.box.left() - left - exact), 0.5 + 1e-6)
            << "line " << lines << ", " << piece.text.toStdString();
        exact += fonts.exactTextWidth(piece.font, piece.text.toStdString());
    }
    EXPECT_GT(lines, 40);
}
