// What the page's painters draw and in which colours, on plain images and on
// a page laid out by the engine.

#include "editor/painters/CHTMLPainterElemBorders.h"
#include "editor/painters/CHTMLPainterGrid.h"
#include "editor/painters/PainterColors.h"
#include "util/ColorText.h"

#include "engine/dom/Document.h"
#include "engine/layout/Geometry.h"
#include "engine/view/PageView.h"

#include <QPainter>

#include <gtest/gtest.h>

namespace {

using platform::ColorRef;
using platform::rgb;

constexpr ColorRef kWhite = rgb(255, 255, 255);
constexpr ColorRef kBlack = rgb(0, 0, 0);

engine::Ref<engine::Document> page(const char* html)
{
    engine::Ref<engine::Document> doc = engine::Document::create();
    doc->replaceContent(QString::fromUtf8(html));
    return doc;
}

QImage blank(QSize size, QColor color = Qt::white)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(color);
    return image;
}

int pixelsOf(const QImage& image, QRgb color, const QRect& area = QRect())
{
    const QRect r = area.isNull() ? image.rect() : area;
    int n = 0;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            n += image.pixel(x, y) == color;
    return n;
}

QImage grid(QSize size, const QRect& bounds, const QRect& update, int pitch, int style, ColorRef background)
{
    QImage image = blank(size, platform::toQColor(background));
    QPainter p(&image);
    CHTMLPainterGrid::DrawGrid(p, bounds, update, pitch, style, background);
    return image;
}

TEST(PainterColors, ContrastGreysFollowTheBackground)
{
    EXPECT_EQ(HtmlToColorRef(MakeContrastColor(0, 0, kWhite)), rgb(0xE6, 0xE6, 0xE6));
    EXPECT_EQ(HtmlToColorRef(MakeContrastColor(0, 0, kBlack)), rgb(0x96, 0x96, 0x96));
    EXPECT_EQ(HtmlToColorRef(MakeContrastColor(0, 0, rgb(0xE6, 0xE6, 0xE6))), kWhite);
    EXPECT_EQ(HtmlToColorRef(MakeContrastColor(0, 0, rgb(0x0F, 0x00, 0x00))), rgb(0x96, 0x96, 0x96));
    EXPECT_EQ(HtmlToColorRef(MakeContrastColor(0, 0, rgb(0x10, 0x00, 0x00))), rgb(0xE6, 0xE6, 0xE6));
    EXPECT_EQ(ContrastValue(225), 230);
    EXPECT_EQ(ContrastValue(226), 255);
    EXPECT_EQ(ContrastValue(234), 255);
    EXPECT_EQ(ContrastValue(235), 230);
    EXPECT_EQ(InverseColor(rgb(0x10, 0x80, 0xF0)), rgb(0xEF, 0x7F, 0x0F));
    // The guide stands out in colour on a white page.
    const ColorRef guide = PageGuideColor(kWhite);
    EXPECT_NE(platform::redOf(guide), platform::blueOf(guide));
}

TEST(PainterColors, ThePageBackgroundAsThePageNamesIt)
{
    EXPECT_EQ(PageBackgroundColor(page("<BODY bgcolor=silver>x</BODY>").get()), rgb(0xC0, 0xC0, 0xC0));
    EXPECT_EQ(PageBackgroundColor(page("<BODY bgcolor='#000080'>x</BODY>").get()), rgb(0, 0, 0x80));
    EXPECT_EQ(PageBackgroundColor(page("<BODY>x</BODY>").get()), kWhite);
    EXPECT_EQ(PageBackgroundColor(page("<BODY bgcolor='no colour'>x</BODY>").get()), kWhite);
    EXPECT_EQ(PageBackgroundColor(nullptr), kWhite);
}

TEST(GridPainter, DotsOnThePagesMultiplesOfThePitch)
{
    const QRect canvas(0, 0, 200, 100);
    QImage dots = grid(canvas.size(), canvas, canvas, 10, CHTMLPainterGrid::Dots, kWhite);
    EXPECT_EQ(pixelsOf(dots, qRgb(0, 0, 0)), 20 * 10);
    EXPECT_EQ(dots.pixel(0, 0), qRgb(0, 0, 0));
    EXPECT_EQ(dots.pixel(30, 90), qRgb(0, 0, 0));
    EXPECT_EQ(dots.pixel(35, 90), qRgb(255, 255, 255));
    // On a black page the dots are white.
    dots = grid(canvas.size(), canvas, canvas, 10, CHTMLPainterGrid::Dots, kBlack);
    EXPECT_EQ(pixelsOf(dots, qRgb(255, 255, 255)), 20 * 10);
    // Scrolled by (3, 7): BODY's box starts above and left of the view, the
    // dots stay on the page's multiples.
    dots = grid(canvas.size(), QRect(-3, -7, 400, 400), canvas, 10, CHTMLPainterGrid::Dots, kWhite);
    EXPECT_EQ(dots.pixel(7, 3), qRgb(0, 0, 0));
    EXPECT_EQ(dots.pixel(0, 0), qRgb(255, 255, 255));
    // Only inside the update area.
    dots = grid(canvas.size(), canvas, QRect(50, 20, 30, 30), 10, CHTMLPainterGrid::Dots, kWhite);
    EXPECT_EQ(pixelsOf(dots, qRgb(0, 0, 0)), 3 * 3);
    EXPECT_EQ(dots.pixel(50, 20), qRgb(0, 0, 0));
}

TEST(GridPainter, SolidAndDottedLinesInTheContrastGrey)
{
    const QRect canvas(0, 0, 200, 100);
    const QRgb grey = qRgb(0xE6, 0xE6, 0xE6);
    const QImage solid = grid(canvas.size(), canvas, canvas, 40, CHTMLPainterGrid::SolidLines, kWhite);
    EXPECT_EQ(pixelsOf(solid, grey, QRect(40, 0, 1, 100)), 100);
    EXPECT_EQ(pixelsOf(solid, grey, QRect(0, 80, 200, 1)), 200);
    EXPECT_EQ(solid.pixel(41, 41), qRgb(255, 255, 255));
    const QImage dotted = grid(canvas.size(), canvas, canvas, 40, CHTMLPainterGrid::DottedLines, kWhite);
    const int onLine = pixelsOf(dotted, grey, QRect(40, 0, 1, 100));
    EXPECT_GT(onLine, 20);
    EXPECT_LT(onLine, 80);
    // On a black page the lines are 150 grey.
    const QImage dark = grid(canvas.size(), canvas, canvas, 40, CHTMLPainterGrid::SolidLines, kBlack);
    EXPECT_EQ(dark.pixel(40, 10), qRgb(0x96, 0x96, 0x96));
}

TEST(GridPainter, NoGridForABadPitchOrStyle)
{
    const QRect canvas(0, 0, 100, 100);
    for (int pitch : {0, -10})
        EXPECT_EQ(pixelsOf(grid(canvas.size(), canvas, canvas, pitch, 1, kWhite), qRgb(255, 255, 255)), 100 * 100);
    for (int style : {0, 4})
        EXPECT_EQ(pixelsOf(grid(canvas.size(), canvas, canvas, 10, style, kWhite), qRgb(255, 255, 255)), 100 * 100);
}

TEST(GridPainter, PageGuideAtTheRightAndBottomEdgesOfThePage)
{
    // A page without a set size: 800 - 25 wide, 600 high.
    QImage image = blank(QSize(820, 640));
    {
        QPainter p(&image);
        CHTMLPainterGrid::DrawPageGuideLines(p, QRect(0, 0, 820, 640), QPoint(), 775, 600, kWhite);
    }
    const QRgb guide = platform::toQColor(PageGuideColor(kWhite)).rgb();
    EXPECT_GT(pixelsOf(image, guide, QRect(775, 0, 1, 600)), 150);
    EXPECT_GT(pixelsOf(image, guide, QRect(0, 600, 775, 1)), 200);
    EXPECT_EQ(pixelsOf(image, guide, QRect(776, 0, 44, 640)), 0);
    EXPECT_EQ(pixelsOf(image, guide, QRect(0, 601, 820, 39)), 0);
    // A frame whose view stands 100 to the right of the frameset page's.
    image = blank(QSize(820, 640));
    {
        QPainter p(&image);
        CHTMLPainterGrid::DrawPageGuideLines(p, QRect(0, 0, 820, 640), QPoint(100, 0), 775, 600, kWhite);
    }
    EXPECT_GT(pixelsOf(image, guide, QRect(675, 0, 1, 600)), 150);
}

TEST(ElemBordersPainter, EmbedsAlwaysTextBoxesAndMarqueesOnSilver)
{
    const char* body = "<EMBED id=e1 src=a.swf><TABLE id=text><TR><TD>box</TD></TR></TABLE>"
                       "<MARQUEE id=m>news</MARQUEE><DIV id=TEXT>also a text box id</DIV><EMBED id=e2 src=b.swf>";
    auto ids = [](const std::vector<engine::Element*>& elements) {
        QStringList out;
        for (engine::Element* e : elements)
            out << e->id();
        return out.join(QLatin1Char(' '));
    };
    auto white = page((QStringLiteral("<BODY>") + QString::fromUtf8(body)).toUtf8().constData());
    EXPECT_EQ(ids(CHTMLPainterElemBorders::OutlinedElements(white.get())), QStringLiteral("e1 e2"));
    auto silver = page((QStringLiteral("<BODY bgcolor=Silver>") + QString::fromUtf8(body)).toUtf8().constData());
    EXPECT_EQ(ids(CHTMLPainterElemBorders::OutlinedElements(silver.get())), QStringLiteral("e1 e2 text m TEXT"));
    auto hex = page((QStringLiteral("<BODY bgcolor='#C0C0C0'>") + QString::fromUtf8(body)).toUtf8().constData());
    EXPECT_EQ(CHTMLPainterElemBorders::OutlinedElements(hex.get()).size(), 5u);
    EXPECT_TRUE(CHTMLPainterElemBorders::OutlinedElements(nullptr).empty());

    // A painter keeps the list while the page stays as it is, and reads it
    // again after a change.
    CHTMLPainterElemBorders painter;
    auto kept = [&](engine::Document* doc) {
        QStringList out;
        for (const engine::Ref<engine::Element>& e : painter.outlinedElementsOf(doc))
            out << e->id();
        return out.join(QLatin1Char(' '));
    };
    EXPECT_EQ(kept(white.get()), QStringLiteral("e1 e2"));
    EXPECT_EQ(kept(silver.get()), QStringLiteral("e1 e2 text m TEXT"));
    white->body()->setAttribute(QStringLiteral("bgcolor"), engine::Variant(QStringLiteral("silver")));
    EXPECT_EQ(kept(white.get()), QStringLiteral("e1 e2 text m TEXT"));
    engine::Ref<engine::Element> embed = white->createElement(QStringLiteral("EMBED"));
    embed->setAttribute(QStringLiteral("id"), engine::Variant(QStringLiteral("e3")));
    white->body()->appendChild(embed);
    EXPECT_EQ(kept(white.get()), QStringLiteral("e1 e2 e3 text m TEXT"));
    white->getElementById(QStringLiteral("e1"))->remove();
    EXPECT_EQ(kept(white.get()), QStringLiteral("e2 e3 text m TEXT"));
    EXPECT_TRUE(painter.outlinedElementsOf(nullptr).empty());
}

// An EMBED inside a positioned DIV: its outline goes round where it is drawn,
// not at its offsets from the DIV.
TEST(ElemBordersPainter, TheOutlineSurroundsTheBoxOnePixelOutside)
{
    auto doc = page("<BODY style='margin:0'>"
                    "<DIV style='position:absolute;left:100px;top:50px;width:200px;height:150px'>"
                    "<EMBED id=e src=a.swf style='position:absolute;left:20px;top:30px' width=60 height=40>"
                    "</DIV></BODY>");
    engine::PageView view(doc.get());
    view.setHeadless(QSize(400, 300));
    engine::Geometry geometry(view.layout());
    engine::Element* embed = doc->getElementById(QStringLiteral("e"));
    const QRect box = geometry.pageRect(embed);
    ASSERT_EQ(box, QRect(120, 80, 60, 40));
    QImage image = blank(QSize(400, 300));
    {
        QPainter p(&image);
        CHTMLPainterElemBorders::DrawElementBorder(p, embed, geometry, QRect(0, 0, 400, 300), image.rect(),
                                                   QColor(0xE6, 0xE6, 0xE6));
    }
    const QRgb grey = qRgb(0xE6, 0xE6, 0xE6);
    EXPECT_EQ(image.pixel(119, 79), grey);
    EXPECT_EQ(image.pixel(180, 120), grey);
    EXPECT_EQ(image.pixel(150, 79), grey);
    EXPECT_EQ(image.pixel(120, 80), qRgb(255, 255, 255)); // the box itself stays
    EXPECT_EQ(pixelsOf(image, grey), 2 * 62 + 2 * 40);
    // Scrolled: BODY's box starts above the view.
    image = blank(QSize(400, 300));
    {
        QPainter p(&image);
        CHTMLPainterElemBorders::DrawElementBorder(p, embed, geometry, QRect(0, -50, 400, 600), image.rect(),
                                                   QColor(0xE6, 0xE6, 0xE6));
    }
    EXPECT_EQ(image.pixel(119, 29), grey);
    // Outside the update area grown by a pixel: nothing.
    image = blank(QSize(400, 300));
    {
        QPainter p(&image);
        CHTMLPainterElemBorders::DrawElementBorder(p, embed, geometry, QRect(0, 0, 400, 300), QRect(0, 0, 100, 60),
                                                   Qt::black);
    }
    EXPECT_EQ(pixelsOf(image, qRgb(0, 0, 0)), 0);
}

} // namespace
