// The transform effects as the page paints them, each on a small test picture: where each one puts its colour, its
// opacity and its streaks, and that odd numbers neither crash nor take long.

#include "engine/layout/ImageEffects.h"
#include "engine/layout/ImageFilters.h"

#include <QElapsedTimer>
#include <QPainter>

#include <gtest/gtest.h>

using engine::applyImageFilters;

namespace {

QImage opaque(int w, int h, QRgb color)
{
    QImage img(w, h, QImage::Format_ARGB32);
    img.fill(color);
    return img;
}

// Black with one white column in the middle.
QImage line()
{
    QImage img = opaque(41, 41, 0xff000000);
    for (int y = 0; y < img.height(); ++y)
        img.setPixel(20, y, 0xffffffff);
    return img;
}

QString dx(const char* call)
{
    return QStringLiteral("progid:DXImageTransform.Microsoft.") + QLatin1String(call);
}

bool near(QRgb a, QRgb b, int tolerance = 12)
{
    return std::abs(qRed(a) - qRed(b)) <= tolerance && std::abs(qGreen(a) - qGreen(b)) <= tolerance &&
           std::abs(qBlue(a) - qBlue(b)) <= tolerance && std::abs(qAlpha(a) - qAlpha(b)) <= tolerance;
}

} // namespace

TEST(ImageEffects, AlphaRampsFromOpacityToFinishOpacity)
{
    const QImage src = opaque(100, 60, 0xff336699);
    const auto alphaAt = [&](const char* call, int x, int y) {
        return qAlpha(applyImageFilters(src, dx(call)).pixel(x, y));
    };
    const char* linear = "Alpha(Opacity=100, FinishOpacity=0, Style=1, StartX=0, FinishX=100, StartY=0, FinishY=100)";
    EXPECT_GT(alphaAt(linear, 0, 0), 245);
    EXPECT_LT(alphaAt(linear, 99, 59), 10);
    EXPECT_NEAR(alphaAt(linear, 50, 30), 128, 8);
    const char* radial = "Alpha(Opacity=80, FinishOpacity=20, Style=2)";
    EXPECT_NEAR(alphaAt(radial, 50, 30), 204, 6);
    EXPECT_NEAR(alphaAt(radial, 0, 0), 51, 3);
    // Rectangular: the edge's middle is already at the finish, where the radial ramp is too.
    const char* rect = "Alpha(Opacity=80, FinishOpacity=20, Style=3)";
    EXPECT_NEAR(alphaAt(rect, 50, 0), 51, 6);
    EXPECT_NEAR(alphaAt(rect, 25, 30), 128, 8);
    EXPECT_NEAR(alphaAt("Alpha(Opacity=50, Style=0)", 99, 59), 128, 1);
    // The colours stay.
    EXPECT_EQ(applyImageFilters(src, dx(radial)).pixel(0, 0) & 0xffffffu, 0x336699u);
    EXPECT_NEAR(qAlpha(applyImageFilters(src, dx("BasicImage(opacity=0.500000)")).pixel(3, 3)), 128, 1);
}

TEST(ImageEffects, ShadowsFallWhereTheyPointAndThePictureStays)
{
    const QImage src = opaque(80, 80, 0xffffff00);
    const QImage drop = applyImageFilters(src, dx("dropshadow(OffX=10, OffY=5, Color=blue, Positive='true')"));
    ASSERT_EQ(drop.size(), src.size());
    EXPECT_TRUE(near(drop.pixel(75, 78), 0xff0000ff));
    EXPECT_TRUE(near(drop.pixel(30, 30), 0xffffff00));
    EXPECT_EQ(qAlpha(drop.pixel(79, 0)), 0);
    EXPECT_EQ(qAlpha(drop.pixel(0, 79)), 0);
    // Down to the right: the shadow darkens the lower right corner, the upper left is the picture's.
    const QImage shadow = applyImageFilters(src, dx("Shadow(Color=green, Strength=20, Direction=135)"));
    ASSERT_EQ(shadow.size(), src.size());
    EXPECT_EQ(qGreen(shadow.pixel(78, 78)), 128);
    EXPECT_EQ(qRed(shadow.pixel(78, 78)), 0);
    EXPECT_GT(qAlpha(shadow.pixel(78, 78)), 0);
    EXPECT_TRUE(near(shadow.pixel(2, 2), 0xffffff00));
    EXPECT_EQ(qAlpha(shadow.pixel(79, 0)), 0);
    // Pointing up, it lies above the picture.
    const QImage up = applyImageFilters(src, dx("Shadow(Color=red, Strength=10, Direction=0)"));
    EXPECT_TRUE(near(up.pixel(40, 1), 0xffff0000, 40) || qRed(up.pixel(40, 1)) > 0);
    EXPECT_TRUE(near(up.pixel(40, 78), 0xffffff00));
}

TEST(ImageEffects, GlowSurroundsThePicture)
{
    QImage src = opaque(60, 60, 0xff0000ff);
    const QImage glow = applyImageFilters(src, dx("Glow(Color=red, Strength=8)"));
    ASSERT_EQ(glow.size(), src.size());
    EXPECT_TRUE(near(glow.pixel(30, 30), 0xff0000ff));
    // Just outside the picture the halo is red and fairly strong; nearer the edge of the box it thins out.
    const QRgb inner = glow.pixel(30, 6), outer = glow.pixel(30, 0);
    EXPECT_EQ(qRed(inner), 255);
    EXPECT_EQ(qBlue(inner), 0);
    EXPECT_GT(qAlpha(inner), qAlpha(outer));
    EXPECT_EQ(applyImageFilters(src, dx("Glow(Color=red, Strength=0)")), src);
}

TEST(ImageEffects, GradientLiesOverThePictureWithItsAlpha)
{
    const QImage src = opaque(100, 20, 0xffffffff);
    const QImage h = applyImageFilters(
        src, dx("gradient(enabled='true',GradientType='1', startColorstr=#ff0000ff, endColorStr=#80ff0000)"));
    EXPECT_TRUE(near(h.pixel(0, 10), 0xff0000ff, 6));
    EXPECT_TRUE(near(h.pixel(99, 10), 0xffff7f7f, 6));
    const QImage v = applyImageFilters(
        src, dx("gradient(enabled='true',GradientType='0', startColorstr=#ff000000, endColorStr=#00000000)"));
    EXPECT_LT(qRed(v.pixel(50, 0)), 20);
    EXPECT_GT(qRed(v.pixel(50, 19)), 230);
    EXPECT_EQ(v.pixel(0, 5), v.pixel(99, 5));
}

TEST(ImageEffects, MotionBlurStreaksAlongItsDirection)
{
    const QImage src = line();
    const QImage across = applyImageFilters(src, dx("MotionBlur(Strength=10, Direction=90, Add='false')"));
    ASSERT_EQ(across.size(), src.size());
    // The white line spreads sideways and loses its brightness.
    EXPECT_GT(qRed(across.pixel(17, 20)) + qRed(across.pixel(23, 20)), 20);
    EXPECT_LT(qRed(across.pixel(20, 20)), 250);
    // Along the line, nothing spreads.
    const QImage along = applyImageFilters(src, dx("MotionBlur(Strength=10, Direction=0, Add='false')"));
    EXPECT_LT(qRed(along.pixel(15, 20)), 5);
    EXPECT_GT(qRed(along.pixel(20, 20)), 200);
    // With Add the line itself still shows.
    const QImage added = applyImageFilters(src, dx("MotionBlur(Strength=10, Direction=90, Add='true')"));
    EXPECT_GT(qRed(added.pixel(20, 20)), qRed(across.pixel(20, 20)));
    // The longest streak on a photograph's size stays quick.
    const QImage big = opaque(640, 480, 0xff808080);
    QElapsedTimer timer;
    timer.start();
    EXPECT_EQ(applyImageFilters(big, dx("MotionBlur(Strength=300, Direction=45)")).size(), big.size());
    EXPECT_LT(timer.elapsed(), 3000);
}

TEST(ImageEffects, WaveShiftsRowsOnlyWithStrengthAndLightsStripes)
{
    const QImage src = line();
    const QImage still = applyImageFilters(src, dx("Wave(Add='false', LightStrength=0, Phase=0, Strength=0, Freq=5)"));
    EXPECT_EQ(still, src);
    const QImage lit = applyImageFilters(src, dx("Wave(Add='false', LightStrength=100, Phase=0, Strength=0, Freq=1)"));
    // A quarter of the way down the sine is at its top, three quarters down at its bottom.
    EXPECT_EQ(lit.pixel(20, 10), 0xffffffff);
    EXPECT_LT(qRed(lit.pixel(20, 31)), 160);
    QImage grey = opaque(40, 40, 0xff808080);
    const QImage stripes = applyImageFilters(grey, dx("Wave(LightStrength=100, Phase=0, Strength=0, Freq=1)"));
    EXPECT_GT(qRed(stripes.pixel(5, 10)), qRed(stripes.pixel(5, 30)));
    const QImage moved = applyImageFilters(src, dx("Wave(LightStrength=0, Phase=0, Strength=5, Freq=1)"));
    EXPECT_EQ(moved.pixel(25, 10), 0xffffffff); // shifted right by the wave's crest
    EXPECT_EQ(moved.pixel(20, 0), 0xffffffff);  // the sine starts at 0
}

TEST(ImageEffects, OddNumbersAndPicturesAreKeptInBounds)
{
    const char* calls[] = {"Alpha(Opacity=1e9, FinishOpacity=-5, Style=9, StartX=abc)",
                           "dropshadow(OffX=-500, OffY=100000, Color=)",
                           "Glow(Color=, Strength=99999)",
                           "gradient(GradientType=7, startColorstr=#zz, endColorStr=)",
                           "MotionBlur(Strength=-1, Direction=99999)",
                           "Shadow(Strength=100000, Direction=-90)",
                           "Wave(Strength=1e9, Freq=-5, Phase=abc, LightStrength=1000)",
                           "BasicImage(opacity=-3)"};
    for (const QSize size : {QSize(1, 1), QSize(2, 50), QSize(37, 3)}) {
        const QImage src = opaque(size.width(), size.height(), 0xff102030);
        for (const char* call : calls)
            EXPECT_EQ(applyImageFilters(src, dx(call)).size(), size) << call;
    }
    EXPECT_EQ(engine::effectColor(QStringLiteral("#12345678")), 0x12345678u);
    EXPECT_EQ(engine::effectColor(QStringLiteral("#123456")), 0xff123456u);
    EXPECT_EQ(engine::effectColor(QStringLiteral(" Lime ")), 0xff00ff00u);
    EXPECT_EQ(engine::effectColor(QStringLiteral("nonsense")), 0xff000000u);
    // A BasicImage with both opacity and grey does both.
    const QImage both = applyImageFilters(opaque(4, 4, 0xffff0000), dx("BasicImage(grayscale=1, opacity=0.5)"));
    EXPECT_EQ(qRed(both.pixel(1, 1)), qBlue(both.pixel(1, 1)));
    EXPECT_NEAR(qAlpha(both.pixel(1, 1)), 128, 1);
}
