// The arithmetic of image-map areas: coords texts as pages hold them, the
// handles and their hit squares, reshaping, moving, drawing new circles, the
// test of an area dragged off its image, and the attribute texts written.

#include "editor/imagemap/ImageMapAreas.h"
#include "editor/painters/CHTMLPainterImageMap.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include <climits>

namespace {

std::vector<int> parsed(const QString& text)
{
    std::vector<int> list{99};
    ParseCoordinatePair(text, list);
    return list;
}

TEST(ImageMapAreas, CoordsTextsReadAsTheCLibraryReadsThem)
{
    EXPECT_EQ(parsed(QStringLiteral("10, 20, 110, 70")), (std::vector<int>{10, 20, 110, 70}));
    EXPECT_EQ(parsed(QString()), (std::vector<int>{0}));
    EXPECT_EQ(parsed(QStringLiteral("1,,2")), (std::vector<int>{1, 0, 2}));
    EXPECT_EQ(parsed(QStringLiteral("1, 2,")), (std::vector<int>{1, 2, 0}));
    // Garbage after the digits ends a number; a piece without digits is 0.
    EXPECT_EQ(parsed(QStringLiteral(" +7px,\t-3 4, x9, -")), (std::vector<int>{7, -3, 0, 0}));
    // Full-width digits are not digits to it.
    EXPECT_EQ(parsed(QStringLiteral("１２,3")), (std::vector<int>{0, 3}));
    // Past the range of int: clamped.
    EXPECT_EQ(parsed(QStringLiteral("99999999999999999999,-2147483649,2147483647")),
              (std::vector<int>{INT_MAX, INT_MIN, INT_MAX}));
}

TEST(ImageMapAreas, ThousandsOfNumbersInOnePass)
{
    QString text;
    for (int i = 0; i < 20000; ++i)
        text += QString::number(i % 500) + QStringLiteral(", ");
    std::vector<int> list;
    ParseCoordinatePair(text, list);
    ASSERT_EQ(list.size(), 20001u);
    EXPECT_EQ(list[19999], 19999 % 500);
    EXPECT_EQ(list.back(), 0); // the trailing comma
}

TEST(ImageMapAreas, ShapesAndTheNumbersTheyNeed)
{
    EXPECT_EQ(AreaShapeOf(QStringLiteral("RECT")), AreaShape::Rect);
    EXPECT_EQ(AreaShapeOf(QStringLiteral("Circle")), AreaShape::Circle);
    EXPECT_EQ(AreaShapeOf(QStringLiteral("polygon")), AreaShape::Poly);
    EXPECT_EQ(AreaShapeOf(QStringLiteral("default")), AreaShape::Other);
    EXPECT_EQ(AreaShapeOf(QString()), AreaShape::Other);
    EXPECT_EQ(AreaNumbersToRead(AreaShape::Poly), 1);
    EXPECT_EQ(AreaNumbersToEdit(AreaShape::Poly), 2);
    EXPECT_EQ(AreaCoordsText(AreaShape::Rect, {110, 70, 10, 20}), QStringLiteral("110, 70, 10, 20"));
    EXPECT_EQ(AreaCoordsText(AreaShape::Circle, {15, 15, 5, 99}), QStringLiteral("15, 15, 5"));
    EXPECT_EQ(AreaCoordsText(AreaShape::Poly, {10, 10, 60, 10, 35, 50}), QStringLiteral("10,10,60,10,35,50"));
    EXPECT_EQ(AreaCoordsText(AreaShape::Rect, {1, 2, 3}), QString());
}

TEST(ImageMapAreas, HandlesAndTheirHalfOpenSquares)
{
    const std::vector<QPoint> rect = AreaHandles(AreaShape::Rect, {40, 40, 10, 30});
    EXPECT_EQ(rect, (std::vector<QPoint>{{40, 40}, {10, 40}, {40, 30}, {10, 30}}));
    const std::vector<QPoint> circle = AreaHandles(AreaShape::Circle, {50, 50, 10});
    EXPECT_EQ(circle, (std::vector<QPoint>{{40, 40}, {60, 40}, {40, 60}, {60, 60}}));
    EXPECT_EQ(AreaHandles(AreaShape::Poly, {1, 2, 3, 4, 5}).size(), 2u);
    EXPECT_TRUE(AreaHandles(AreaShape::Poly, {1}).empty());
    // x - 3 and y - 3 hit; x + 3 and y + 3 miss.
    EXPECT_EQ(HitAreaHandle(circle, QPoint(37, 37)), 0);
    EXPECT_EQ(HitAreaHandle(circle, QPoint(43, 40)), -1);
    EXPECT_EQ(HitAreaHandle(circle, QPoint(40, 43)), -1);
    EXPECT_EQ(AreaHandleRect(QPoint(40, 40)), QRect(37, 37, 6, 6));
    // Overlapping squares: the lower number wins.
    EXPECT_EQ(HitAreaHandle({{10, 10}, {12, 12}}, QPoint(11, 11)), 0);
    // Numbers at the ends of the int range do not wrap around.
    EXPECT_EQ(HitAreaHandle(AreaHandles(AreaShape::Circle, {INT_MAX, 0, INT_MAX}), QPoint(-2, -2)), -1);
}

TEST(ImageMapAreas, CirclesFollowTheDrag)
{
    platform::Rect rubber;
    EXPECT_EQ(CircleFromDrag(QPoint(10, 10), QPoint(40, 20), &rubber), (std::vector<int>{15, 15, 5}));
    EXPECT_EQ(rubber, platform::Rect(10, 10, 20, 20));
    // Up and left: the square lies on that side, the radius stays positive.
    EXPECT_EQ(CircleFromDrag(QPoint(40, 40), QPoint(10, 30), &rubber), (std::vector<int>{35, 35, 5}));
    EXPECT_EQ(rubber, platform::Rect(30, 30, 40, 40));
    // Handle 3 of [50, 50, 10] dragged to (70, 65).
    std::vector<int> circle{50, 50, 10};
    ASSERT_TRUE(DragAreaHandlePoint(AreaShape::Circle, circle, 3, QPoint(70, 65)));
    EXPECT_EQ(circle, (std::vector<int>{52, 52, 12}));
    // Handle 0 of the same circle, toward the top-left.
    circle = {50, 50, 10};
    ASSERT_TRUE(DragAreaHandlePoint(AreaShape::Circle, circle, 0, QPoint(30, 36)));
    EXPECT_EQ(circle, (std::vector<int>{48, 48, 12}));
    // Handle 3 pulled past the fixed corner: the circle turns over, not negative.
    circle = {50, 50, 10};
    ASSERT_TRUE(DragAreaHandlePoint(AreaShape::Circle, circle, 3, QPoint(20, 30)));
    EXPECT_EQ(circle, (std::vector<int>{35, 35, 5}));
}

TEST(ImageMapAreas, RectsAndPolygonsReshapeByTheirHandles)
{
    std::vector<int> rect{10, 20, 110, 70};
    ASSERT_TRUE(DragAreaHandlePoint(AreaShape::Rect, rect, 1, QPoint(130, 5)));
    EXPECT_EQ(rect, (std::vector<int>{10, 5, 130, 70}));
    ASSERT_TRUE(DragAreaHandlePoint(AreaShape::Rect, rect, 2, QPoint(0, 90)));
    EXPECT_EQ(rect, (std::vector<int>{0, 5, 130, 90}));
    EXPECT_FALSE(DragAreaHandlePoint(AreaShape::Rect, rect, 4, QPoint(0, 0)));
    std::vector<int> poly{10, 10, 60, 10, 35, 50};
    ASSERT_TRUE(DragAreaHandlePoint(AreaShape::Poly, poly, 2, QPoint(35, 70)));
    EXPECT_EQ(poly, (std::vector<int>{10, 10, 60, 10, 35, 70}));
    EXPECT_FALSE(DragAreaHandlePoint(AreaShape::Poly, poly, 3, QPoint(0, 0)));
    std::vector<int> shortRect{1, 2, 3};
    EXPECT_FALSE(DragAreaHandlePoint(AreaShape::Rect, shortRect, 0, QPoint(9, 9)));
    EXPECT_EQ(shortRect, (std::vector<int>{1, 2, 3}));
}

TEST(ImageMapAreas, WholeAreasMove)
{
    std::vector<int> circle{50, 50, 10};
    ASSERT_TRUE(MoveAreaBy(AreaShape::Circle, circle, QPoint(2, 2)));
    EXPECT_EQ(circle, (std::vector<int>{52, 52, 10}));
    std::vector<int> poly{1, 1, 5, 5, 9};
    ASSERT_TRUE(MoveAreaBy(AreaShape::Poly, poly, QPoint(1, -1)));
    EXPECT_EQ(poly, (std::vector<int>{2, 0, 6, 4, 9})); // the odd last number stays
    std::vector<int> far{INT_MAX, 0, 0, 0};
    ASSERT_TRUE(MoveAreaBy(AreaShape::Rect, far, QPoint(5, 0)));
    EXPECT_EQ(far[0], INT_MAX);
    std::vector<int> shortCircle{1, 2};
    EXPECT_FALSE(MoveAreaBy(AreaShape::Circle, shortCircle, QPoint(1, 1)));
}

TEST(ImageMapAreas, OnlyKeyPointsKeepAnAreaOnItsImage)
{
    // An image at (100, 50), 100 x 60.
    const QPoint origin(100, 50);
    const platform::Rect image(100, 50, 200, 110);
    EXPECT_TRUE(AreaTouchesImageRect(AreaShape::Rect, {90, 50, 150, 80}, origin, image));
    // Right of the image, touching it with its left edge at the image's right edge.
    EXPECT_FALSE(AreaTouchesImageRect(AreaShape::Rect, {100, 0, 150, 60}, origin, image));
    // A disc over the whole image with all four corners outside it.
    EXPECT_FALSE(AreaTouchesImageRect(AreaShape::Circle, {50, 30, 200}, origin, image));
    EXPECT_TRUE(AreaTouchesImageRect(AreaShape::Poly, {-5, -5, 99, 59}, origin, image));
    EXPECT_FALSE(AreaTouchesImageRect(AreaShape::Poly, {10}, origin, image));
    EXPECT_FALSE(AreaTouchesImageRect(AreaShape::Other, {10, 10, 20, 20}, origin, image));
}

TEST(ImageMapAreas, AttributeTextsOfNewAreas)
{
    EXPECT_EQ(NewAreaAttributeText(AreaShape::Rect, QStringLiteral("index.html"), QStringLiteral("10, 20, 110, 70"),
                                   QStringLiteral("1"), QString()),
              QStringLiteral("href= \"index.html\" shape=\"rect\" coords=\"10, 20, 110, 70\" id=\"1\" "));
    EXPECT_EQ(NewAreaAttributeText(AreaShape::Circle, QStringLiteral("a.html"), QStringLiteral("15, 15, 5"),
                                   QStringLiteral("2"), QStringLiteral("main")),
              QStringLiteral("href=\"a.html\" shape=\"circle\" coords=\"15, 15, 5\" id=\"2\"  target=\"main\" "));
    EXPECT_EQ(NewAreaAttributeText(AreaShape::Poly, QString(), QStringLiteral("1,2,3,4"), QStringLiteral("0"),
                                   QStringLiteral("_top")),
              QStringLiteral("href= \"\" shape=\"poly\" coords=\"1,2,3,4\" id=\"0\" target=\"_top\" "));
    // Quotes, ampersands and ">" stay inside their value.
    EXPECT_EQ(QuotedAttributeValue(QStringLiteral("a.cgi?x=1&y=\"2\">")),
              QStringLiteral("\"a.cgi?x=1&amp;y=&quot;2&quot;>\""));
}

// The painter's drawing on a plain picture: outlines, handles by state, the
// open polygon of a drawing tool.
class ImageMapDrawing : public ::testing::Test
{
protected:
    QImage draw(const QString& shape, int state, const std::vector<int>& coords, QPoint rubber = {},
                bool* drawn = nullptr)
    {
        QImage image(120, 100, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter p(&image);
        const bool ok = CHTMLPainterImageMap::DrawArea(p, QPoint(10, 10), shape, state, coords, rubber);
        if (drawn)
            *drawn = ok;
        return image;
    }
    static bool black(const QImage& image, int x, int y) { return image.pixel(x, y) == qRgb(0, 0, 0); }
    static bool anyBlack(const QImage& image, const QRect& area)
    {
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x)
                if (black(image, x, y))
                    return true;
        return false;
    }
    static int blackCount(const QImage& image)
    {
        int n = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                n += black(image, x, y);
        return n;
    }
};

TEST_F(ImageMapDrawing, RectsWithAndWithoutHandles)
{
    const QImage normal = draw(QStringLiteral("rect"), 1, {10, 10, 60, 40});
    EXPECT_TRUE(black(normal, 40, 20));  // the top edge at y = 10 + 10
    EXPECT_FALSE(black(normal, 40, 35)); // inside is not filled
    EXPECT_FALSE(black(normal, 17, 17)); // no handle in state 1
    const QImage selected = draw(QStringLiteral("RECT"), 2, {60, 40, 10, 10});
    EXPECT_TRUE(black(selected, 17, 17)); // the handle square around (20, 20)
    EXPECT_TRUE(black(selected, 72, 52)); // and around (70, 50)
    // Stored either way round, the same lines and handles.
    EXPECT_TRUE(selected == draw(QStringLiteral("rect"), 2, {10, 10, 60, 40}));
}

TEST_F(ImageMapDrawing, CirclesPolygonsAndShortLists)
{
    const QImage circle = draw(QStringLiteral("circle"), 1, {40, 40, 20});
    EXPECT_TRUE(anyBlack(circle, QRect(50, 28, 1, 5))); // the top of the outline
    EXPECT_FALSE(black(circle, 50, 50));
    EXPECT_FALSE(black(circle, 31, 31)); // no corner handle in state 1
    EXPECT_TRUE(black(draw(QStringLiteral("circle"), 2, {40, 40, 20}), 31, 31));
    // A polygon being drawn with two vertices: a triangle through the mouse,
    // three handles.
    const QImage open = draw(QStringLiteral("poly"), 3, {10, 10, 70, 10}, QPoint(40, 60));
    EXPECT_TRUE(black(open, 50, 70)); // the rubber point's handle
    EXPECT_TRUE(black(open, 80, 20)); // the second vertex's handle
    bool drawn = true;
    EXPECT_EQ(blackCount(draw(QStringLiteral("rect"), 2, {1, 2, 3}, {}, &drawn)), 0);
    EXPECT_FALSE(drawn);
    EXPECT_EQ(blackCount(draw(QStringLiteral("none"), 2, {1, 2, 3, 4}, {}, &drawn)), 0);
    EXPECT_TRUE(drawn);
    // A single number has no vertex to draw outside the drawing state.
    EXPECT_EQ(blackCount(draw(QStringLiteral("poly"), 2, {5})), 0);
}

} // namespace
