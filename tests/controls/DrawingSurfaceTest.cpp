// The off-screen surface, transparent transfers and three-part drawing.

#include "controls/ASMBitmap.h"
#include "controls/CBitmapEx.h"
#include "controls/CCISBitmap.h"
#include "controls/CMemDC.h"
#include "controls/ThreePartLayout.h"
#include "controls/TransparentBlt.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

using platform::Rect;

namespace {

QImage filled(int w, int h, QColor c)
{
    QImage image(w, h, QImage::Format_ARGB32);
    image.fill(c);
    return image;
}

// A strip whose column x has the red value x, to tell source columns apart.
QImage columnStrip(int w, int h)
{
    QImage image(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            image.setPixel(x, y, qRgb(x, 100, 200));
    return image;
}

} // namespace

TEST(CMemDCTest, KeepsTheSurfaceWhileTheSizeStaysAndRemakesItOtherwise)
{
    CMemDC mem;
    mem.Create(nullptr);
    mem.Resize(nullptr, 40, 30);
    mem.Resize(nullptr, 40, 30);
    EXPECT_EQ(mem.createdCount(), 1);
    EXPECT_EQ(mem.destroyedCount(), 0);
    mem.Resize(nullptr, 50, 30);
    EXPECT_EQ(mem.createdCount(), 2);
    EXPECT_EQ(mem.destroyedCount(), 1);
    EXPECT_EQ(mem.rect(), Rect(0, 0, 50, 30));
    mem.Release();
    EXPECT_EQ(mem.rect(), Rect(-1, -1, -1, -1));
    EXPECT_EQ(mem.destroyedCount(), 2);
}

TEST(CMemDCTest, CoversTheTargetInItsOwnCoordinatesAndCopiesOnlyTheRectangle)
{
    QImage target = filled(200, 100, Qt::white);
    QPainter painter(&target);
    {
        CMemDC mem(&painter, Rect(10, 20, 110, 70));
        ASSERT_NE(mem.image(), nullptr);
        EXPECT_EQ(mem.image()->size(), QSize(110, 70));
        mem.painter()->fillRect(QRect(0, 0, 110, 70), Qt::red);
        mem.BlitToTarget();
    }
    painter.end();
    EXPECT_EQ(target.pixelColor(9, 19), QColor(Qt::white));
    EXPECT_EQ(target.pixelColor(10, 20), QColor(Qt::red));
    EXPECT_EQ(target.pixelColor(109, 69), QColor(Qt::red));
    EXPECT_EQ(target.pixelColor(110, 50), QColor(Qt::white));
    EXPECT_EQ(target.pixelColor(50, 70), QColor(Qt::white));
}

TEST(CMemDCTest, DefaultObjectWithoutSurfaceGoesQuietly)
{
    CMemDC mem;
    EXPECT_EQ(mem.painter(), nullptr);
    mem.BlitToTarget();
    EXPECT_TRUE(mem.ReleaseBitmap());
    EXPECT_EQ(mem.destroyedCount(), 0);
}

struct ThreePartCase
{
    const char* name;
    int x, width, flags, first, endStart, sourceLength;
    std::vector<std::pair<int, int>> target; // start, length along the drawing direction
    std::vector<std::pair<int, int>> source;
};

class ThreePartLayoutTest : public ::testing::TestWithParam<ThreePartCase>
{
};

TEST_P(ThreePartLayoutTest, PlacesThePieces)
{
    const ThreePartCase& c = GetParam();
    const bool vertical = c.flags & kThreePartVertical;
    const auto pieces =
        vertical ? ThreePartLayout(0, c.x, 7, c.width, c.flags, c.first, c.endStart, 0, 0, 7, c.sourceLength)
                 : ThreePartLayout(c.x, 0, c.width, 7, c.flags, c.first, c.endStart, 0, 0, c.sourceLength, 7);
    ASSERT_EQ(pieces.size(), c.target.size());
    for (size_t i = 0; i < pieces.size(); ++i) {
        const Rect& t = pieces[i].target;
        const Rect& s = pieces[i].source;
        const int tStart = vertical ? t.top : t.left;
        const int tLen = vertical ? t.height() : t.width();
        const int sStart = vertical ? s.top : s.left;
        const int sLen = vertical ? s.height() : s.width();
        EXPECT_EQ(std::make_pair(tStart, tLen), c.target[i]) << "piece " << i;
        EXPECT_EQ(std::make_pair(sStart, sLen), c.source[i]) << "piece " << i;
        // Across the drawing direction every piece spans the target.
        EXPECT_EQ(vertical ? t.width() : t.height(), 7);
        EXPECT_EQ(vertical ? s.width() : s.height(), 7);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ThreePartLayoutTest,
    ::testing::Values(
        ThreePartCase{"Stretched", 5, 100, 0, 10, 20, 30, {{5, 10}, {15, 80}, {95, 10}}, {{0, 10}, {10, 10}, {20, 10}}},
        ThreePartCase{"Narrower", 5, 25, 0, 10, 20, 30, {{5, 10}, {15, 15}}, {{0, 10}, {15, 15}}},
        ThreePartCase{"SameSize", 0, 30, 0, 10, 20, 30, {{0, 10}, {10, 20}}, {{0, 10}, {10, 20}}},
        ThreePartCase{"NarrowerThanFirstPiece", 5, 6, 0, 10, 20, 30, {{5, 6}}, {{0, 6}}},
        ThreePartCase{"VerticalStretched",
                      0,
                      50,
                      kThreePartVertical,
                      10,
                      20,
                      30,
                      {{0, 10}, {10, 30}, {40, 10}},
                      {{0, 10}, {10, 10}, {20, 10}}},
        ThreePartCase{"VerticalTiled",
                      0,
                      45,
                      kThreePartVertical | kThreePartTileMiddle,
                      10,
                      20,
                      30,
                      {{0, 10}, {10, 10}, {20, 10}, {30, 5}, {35, 10}},
                      {{0, 10}, {10, 10}, {10, 10}, {10, 5}, {20, 10}}},
        ThreePartCase{"TileFlagIgnoredHorizontally",
                      0,
                      50,
                      kThreePartTileMiddle,
                      10,
                      20,
                      30,
                      {{0, 10}, {10, 30}, {40, 10}},
                      {{0, 10}, {10, 10}, {20, 10}}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ASMBitmapTest, ThreePartDrawingPutsSourceColumnsWhereTheLayoutSays)
{
    ASMBitmap bitmap;
    bitmap.Attach(columnStrip(30, 4));
    QImage target = filled(120, 4, Qt::black);
    QPainter painter(&target);
    ASSERT_TRUE(bitmap.DrawThreePart(5, 0, 100, 4, 0, 10, 20, 0, 0, -1, -1, painter));
    painter.end();
    EXPECT_EQ(qRed(target.pixel(5, 1)), 0);
    EXPECT_EQ(qRed(target.pixel(14, 1)), 9);
    EXPECT_EQ(qRed(target.pixel(95, 1)), 20);
    EXPECT_EQ(qRed(target.pixel(104, 1)), 29);
    EXPECT_GE(qRed(target.pixel(50, 1)), 10);
    EXPECT_LE(qRed(target.pixel(50, 1)), 19);
    EXPECT_EQ(target.pixelColor(105, 1), QColor(Qt::black));

    QImage narrow = filled(40, 4, Qt::black);
    QPainter p2(&narrow);
    bitmap.DrawThreePart(5, 0, 25, 4, 0, 10, 20, 0, 0, -1, -1, p2);
    p2.end();
    EXPECT_EQ(qRed(narrow.pixel(14, 0)), 9);
    EXPECT_EQ(qRed(narrow.pixel(15, 0)), 15);
    EXPECT_EQ(qRed(narrow.pixel(29, 0)), 29);
}

TEST(ASMBitmapTest, DrawsWholeBitmapPlainlyOrWithAColourLeftOut)
{
    QImage source = filled(8, 6, Qt::blue);
    source.setPixelColor(2, 2, QColor(255, 0, 255));
    ASMBitmap bitmap;
    bitmap.Attach(source);
    EXPECT_EQ(bitmap.m_nWidth, 8);

    QImage plain = filled(20, 20, Qt::white);
    QPainter p1(&plain);
    EXPECT_TRUE(bitmap.Draw(1, 1, -1, -1, 0, 0, p1, ASMBitmap::kCopy, kNoTransparentColor));
    p1.end();
    EXPECT_EQ(plain.pixelColor(8, 6), QColor(Qt::blue));
    EXPECT_EQ(plain.pixelColor(3, 3), QColor(255, 0, 255));
    EXPECT_EQ(plain.pixelColor(9, 7), QColor(Qt::white));

    QImage keyed = filled(20, 20, Qt::white);
    QPainter p2(&keyed);
    EXPECT_TRUE(bitmap.Draw(1, 1, -1, -1, 0, 0, p2, ASMBitmap::kCopy, platform::rgb(255, 0, 255)));
    p2.end();
    EXPECT_EQ(keyed.pixelColor(3, 3), QColor(Qt::white));
    EXPECT_EQ(keyed.pixelColor(4, 4), QColor(Qt::blue));

    ASMBitmap empty;
    EXPECT_FALSE(empty.Draw(0, 0, -1, -1, 0, 0, p2));
    EXPECT_FALSE(empty.LoadFromFile("/nonexistent/picture.bmp"));
}

TEST(ASMBitmapTest, StretchedDrawWithKeyLeavesTheKeyOutAfterScaling)
{
    QImage source = filled(2, 1, Qt::green);
    source.setPixelColor(1, 0, Qt::red);
    ASMBitmap bitmap;
    bitmap.Attach(source);
    QImage target = filled(10, 4, Qt::white);
    QPainter painter(&target);
    bitmap.DrawStretched(0, 0, 10, 4, 0, 0, -1, -1, painter, ASMBitmap::kCopy, platform::rgb(255, 0, 0));
    painter.end();
    EXPECT_EQ(target.pixelColor(1, 1), QColor(Qt::green));
    EXPECT_EQ(target.pixelColor(8, 2), QColor(Qt::white));
}

TEST(TransparentBltTest, CopiesTheSourceRectangleExceptTheKeyColour)
{
    QImage source = filled(10, 10, Qt::red);
    source.setPixelColor(5, 5, Qt::green);
    source.setPixelColor(6, 5, Qt::blue);
    QImage target = filled(10, 10, Qt::white);
    QPainter painter(&target);
    DrawTransparentBlt(painter, 0, 0, 3, 3, platform::rgb(0, 255, 0), source, 4, 4);
    painter.end();
    EXPECT_EQ(target.pixelColor(0, 0), QColor(Qt::red));
    EXPECT_EQ(target.pixelColor(1, 1), QColor(Qt::white));
    EXPECT_EQ(target.pixelColor(2, 1), QColor(Qt::blue));
    EXPECT_EQ(target.pixelColor(3, 3), QColor(Qt::white));
}

TEST(CCISBitmapTest, MonochromePictureTakesTextAndBackgroundColours)
{
    QImage mono(4, 1, QImage::Format_Mono);
    mono.setColorTable({qRgb(0, 0, 0), qRgb(255, 255, 255)});
    mono.setPixel(0, 0, 0);
    mono.setPixel(1, 0, 1);
    mono.setPixel(2, 0, 0);
    mono.setPixel(3, 0, 1);
    CCISBitmap bitmap;
    bitmap.Attach(mono);
    bitmap.m_crText = platform::rgb(255, 0, 0);
    bitmap.m_crBack = platform::rgb(0, 0, 255);
    QImage target = filled(4, 1, Qt::white);
    QPainter painter(&target);
    bitmap.DrawTransparent(painter, 0, 0, platform::rgb(0, 0, 255));
    painter.end();
    EXPECT_EQ(target.pixelColor(0, 0), QColor(Qt::red));
    EXPECT_EQ(target.pixelColor(1, 0), QColor(Qt::white));
}

TEST(CBitmapExTest, SourceMinusOneCountsAsZeroAndAFailedLoadLeavesNoPicture)
{
    CBitmapEx bitmap;
    bitmap.m_bitmap = columnStrip(10, 2);
    bitmap.m_nWidth = 10;
    bitmap.m_nHeight = 2;
    QImage target = filled(12, 2, Qt::black);
    QPainter painter(&target);
    bitmap.Draw(2, 0, -1, -1, -1, -1, painter);
    painter.end();
    EXPECT_EQ(qRed(target.pixel(2, 0)), 0);
    EXPECT_EQ(qRed(target.pixel(11, 0)), 9);

    EXPECT_FALSE(bitmap.LoadFromFile("/nonexistent/picture.bmp"));
    EXPECT_EQ(bitmap.bitmap(), nullptr);
}
