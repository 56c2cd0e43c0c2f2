#include "engine/layout/ImageFilters.h"

#include <QElapsedTimer>
#include <QPainter>

#include <gtest/gtest.h>

using engine::applyImageFilters;

namespace {

// Left half red, right half blue, a white square in the top left corner.
QImage sample()
{
    QImage img(40, 20, QImage::Format_ARGB32);
    img.fill(Qt::red);
    QPainter p(&img);
    p.fillRect(20, 0, 20, 20, Qt::blue);
    p.fillRect(0, 0, 4, 4, Qt::white);
    return img;
}

QRgb at(const QImage& img, int x, int y)
{
    return img.pixel(x, y);
}

} // namespace

TEST(ImageFilters, ToneEffectsAndLegacyWords)
{
    const QImage src = sample();
    const QImage grey =
        applyImageFilters(src, QStringLiteral("\nprogid:DXImageTransform.Microsoft.BasicImage(grayscale=1)"));
    EXPECT_EQ(qRed(at(grey, 30, 10)), qGray(qRgb(0, 0, 255)));
    EXPECT_EQ(qRed(at(grey, 30, 10)), qBlue(at(grey, 30, 10)));
    // "grayscale=0" is no grey (the old painter looked for the word).
    EXPECT_EQ(applyImageFilters(src, QStringLiteral("progid:DXImageTransform.Microsoft.BasicImage(grayscale=0)"))
                  .pixel(30, 10),
              src.pixel(30, 10));
    const QImage inverted =
        applyImageFilters(src, QStringLiteral("progid:DXImageTransform.Microsoft.BasicImage(invert=1)"));
    EXPECT_EQ(at(inverted, 10, 10), qRgb(0, 255, 255));
    const QImage xray = applyImageFilters(src, QStringLiteral("xray"));
    EXPECT_EQ(qRed(at(xray, 10, 10)), 255 - qGray(qRgb(255, 0, 0)));
    EXPECT_EQ(at(applyImageFilters(src, QStringLiteral("gray invert")), 10, 10),
              at(applyImageFilters(src, QStringLiteral("BasicImage(invert=1, grayscale=1)")), 10, 10));
    const QImage faded = applyImageFilters(src, QStringLiteral("alpha(opacity=-5)"));
    EXPECT_EQ(qAlpha(at(faded, 10, 10)), 0);
    // Unknown calls and disabled ones leave the picture alone.
    EXPECT_EQ(applyImageFilters(src, QStringLiteral("chroma(color=#ff0000) emboss(enabled=false)")), src);
}

TEST(ImageFilters, MirrorsAndRotation)
{
    const QImage src = sample();
    const QImage mirrored =
        applyImageFilters(src, QStringLiteral("progid:DXImageTransform.Microsoft.BasicImage(mirror=1)"));
    EXPECT_EQ(at(mirrored, 39, 0), qRgb(255, 255, 255));
    EXPECT_EQ(at(mirrored, 5, 10), qRgb(0, 0, 255));
    // Half a turn and a mirror turn the picture upside down.
    const QImage flipped =
        applyImageFilters(src, QStringLiteral("progid:DXImageTransform.Microsoft.BasicImage(rotation=2, mirror=1)"));
    EXPECT_EQ(flipped, applyImageFilters(src, QStringLiteral("flipv")));
    EXPECT_EQ(at(flipped, 0, 19), qRgb(255, 255, 255));
    EXPECT_EQ(applyImageFilters(src, QStringLiteral("fliph fliph")), src.convertToFormat(QImage::Format_ARGB32));
}

TEST(ImageFilters, EmbossAndEngraveAreGreyReliefsOfOppositeLight)
{
    const QImage src = sample();
    const QImage emboss =
        applyImageFilters(src, QStringLiteral("progid:DXImageTransform.Microsoft.emboss(enabled='true')"));
    const QImage engrave =
        applyImageFilters(src, QStringLiteral("progid:DXImageTransform.Microsoft.engrave(enabled='true')"));
    // Flat areas are mid grey; at the red-blue edge the two lights differ in sign.
    EXPECT_EQ(at(emboss, 10, 15), qRgb(128, 128, 128));
    const int e = qRed(at(emboss, 20, 10)), g = qRed(at(engrave, 20, 10));
    EXPECT_NE(e, 128);
    EXPECT_EQ(e - 128, 128 - g);
}

TEST(ImageFilters, BlurSpreadsEdgesKeepsFlatAreasAndIsClamped)
{
    const QImage src = sample();
    const QImage blurred =
        applyImageFilters(src, QStringLiteral("progid:DXImageTransform.Microsoft.Blur(PixelRadius=3)"));
    ASSERT_EQ(blurred.size(), src.size());
    EXPECT_EQ(at(blurred, 10, 15), qRgb(255, 0, 0));
    const QRgb edge = at(blurred, 20, 15);
    EXPECT_GT(qRed(edge), 0);
    EXPECT_GT(qBlue(edge), 0);
    EXPECT_EQ(applyImageFilters(src, QStringLiteral("blur(pixelradius=0)")).pixel(20, 15), src.pixel(20, 15));
    // A huge radius is painted as the largest one, in time, on a large picture.
    QImage big(2000, 2000, QImage::Format_ARGB32);
    big.fill(Qt::green);
    QElapsedTimer timer;
    timer.start();
    const QImage out = applyImageFilters(big, QStringLiteral("blur(PixelRadius=1e9) emboss"));
    EXPECT_LT(timer.elapsed(), 20000);
    EXPECT_EQ(out.size(), big.size());
}
