#include "controls/TransparentBlt.h"
#include "images/CImage.h"
#include "images/ImageCodec.h"
#include "images/ImageFiles.h"
#include "images/ImageTestFiles.h"
#include "images/RasterBitmap.h"
#include "support/TestFiles.h"

#include <QPainter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

using namespace imagetest;
using platform::ColorRef;

constexpr ColorRef kNone = kNoTransparentColor;
constexpr ColorRef kFirstKey = 0x08FF08;

// Entry 5 is the transparent one: 0 1 2 5 / 3 4 5 5.
const QList<QRgb> kPalette = {qRgb(0, 0, 0),   qRgb(255, 0, 0),   qRgb(0, 255, 0),
                              qRgb(0, 0, 255), qRgb(255, 255, 0), qRgb(200, 100, 50)};
const QByteArray kIndices("\x00\x01\x02\x05\x03\x04\x05\x05", 8);
const QByteArray kAlphaOfEntry5("\xFF\xFF\xFF\xFF\xFF\x00", 6);

class ImageLoadingTest : public ::testing::Test
{
protected:
    QString file(const QString& name, const QByteArray& bytes) { return save(dir.path(), name, bytes); }
    QTemporaryDir dir;
};

TEST_F(ImageLoadingTest, TheGifRouteIsTakenByTheTextAfterTheLastDot)
{
    EXPECT_TRUE(IsGifPath(QStringLiteral("PICTURE.GIF")));
    EXPECT_TRUE(IsGifPath(QStringLiteral("picture.gif")));
    EXPECT_TRUE(IsGifPath(QStringLiteral("picture.Gif")));
    EXPECT_FALSE(IsGifPath(QStringLiteral("picture.png")));
    EXPECT_FALSE(IsGifPath(QStringLiteral("/a.gif/picture")));

    // A GIF named .png takes the other route and still loads; no dot loads nothing.
    ColorRef transparent = 0x123456;
    QSize size(-5, -5);
    EXPECT_FALSE(LoadImageBitmap(file("gif.png", gif(4, 2, kPalette, kIndices)), transparent, &size).isNull());
    EXPECT_EQ(size, QSize(4, 2));
    transparent = 0x123456;
    size = QSize(-5, -5);
    EXPECT_TRUE(LoadImageBitmap(dir.filePath("nodot"), transparent, &size).isNull());
    EXPECT_EQ(transparent, 0x123456u);
    EXPECT_EQ(size, QSize(-5, -5));
}

TEST_F(ImageLoadingTest, GifReportsItsTransparentColourOrNone)
{
    ColorRef transparent = 0;
    QSize size;
    const QImage bitmap = LoadImageBitmap(file("t.gif", gif(4, 2, kPalette, kIndices, 5)), transparent, &size);
    ASSERT_FALSE(bitmap.isNull());
    EXPECT_EQ(bitmap.format(), QImage::Format_RGB32);
    EXPECT_EQ(transparent, platform::rgb(200, 100, 50));
    EXPECT_EQ(bitmap.pixel(3, 0), qRgb(200, 100, 50));

    // A preferred key takes the transparent entry's place.
    const QImage keyed = LoadImageBitmap(dir.filePath("t.gif"), transparent, nullptr, nullptr, kFirstKey);
    EXPECT_EQ(transparent, kFirstKey);
    EXPECT_EQ(keyed.pixel(3, 0), qRgb(8, 255, 8));
    EXPECT_EQ(keyed.pixel(1, 0), qRgb(255, 0, 0));

    LoadImageBitmap(file("o.gif", gif(4, 2, kPalette, kIndices)), transparent);
    EXPECT_EQ(transparent, kNone);
}

TEST_F(ImageLoadingTest, PaletteEntryOfTheTransparentPixelsTakesTheFirstAbsentKey)
{
    const QString path = file("p.png", palettePng(4, 2, kPalette, kIndices, kAlphaOfEntry5));
    ColorRef transparent = 0;
    const QImage bitmap = LoadRasterImageBitmap(path, transparent);
    ASSERT_FALSE(bitmap.isNull());
    EXPECT_EQ(transparent, kFirstKey);
    EXPECT_EQ(bitmap.pixel(3, 0), qRgb(0x08, 0xFF, 0x08));
    EXPECT_EQ(bitmap.pixel(3, 1), qRgb(0x08, 0xFF, 0x08));
    EXPECT_EQ(bitmap.pixel(2, 0), qRgb(0, 255, 0)) << "a pure green entry is not the key";

    // With a target size the palette is left alone: the file's own colour comes back.
    const QSize target(8, 4);
    QSize size;
    const QImage scaled = LoadRasterImageBitmap(path, transparent, &size, &target);
    EXPECT_EQ(size, target);
    EXPECT_EQ(transparent, platform::rgb(200, 100, 50));
    EXPECT_EQ(scaled.pixel(7, 3), qRgb(200, 100, 50));
}

TEST_F(ImageLoadingTest, KeyColourTakenIsTheFirstThePaletteLacks)
{
    QList<QRgb> palette;
    for (ColorRef key : kKeyColors)
        palette.append(qRgb(platform::redOf(key), platform::greenOf(key), platform::blueOf(key)));
    palette.append(qRgb(1, 2, 3)); // the transparent entry, index 9
    const QByteArray indices("\x00\x09\x01\x09", 4);
    QByteArray alphas(10, '\xFF');
    alphas[9] = 0;

    // All nine present: nothing is recoloured.
    ColorRef transparent = 0;
    LoadRasterImageBitmap(file("nine.png", palettePng(2, 2, palette, indices, alphas)), transparent);
    EXPECT_EQ(transparent, platform::rgb(1, 2, 3));

    // The first eight present, the ninth absent: only the first eight count.
    QList<QRgb> eight = palette;
    eight[8] = qRgb(7, 7, 7);
    LoadRasterImageBitmap(file("eight.png", palettePng(2, 2, eight, indices, alphas)), transparent);
    EXPECT_EQ(transparent, platform::rgb(1, 2, 3));

    // The third absent: the third is taken.
    QList<QRgb> third = palette;
    third[2] = qRgb(9, 9, 9);
    const QImage bitmap =
        LoadRasterImageBitmap(file("third.png", palettePng(2, 2, third, indices, alphas)), transparent);
    EXPECT_EQ(transparent, kKeyColors[2]);
    EXPECT_EQ(bitmap.pixel(1, 0), qRgb(0xFF, 0x08, 0x08));
}

TEST_F(ImageLoadingTest, TrueColourKeyIsReportedAndNotRecoloured)
{
    QImage picture = pattern(10, 8);
    const QRgb key = qRgb(255, 0, 255);
    picture.setPixel(4, 4, key);
    ColorRef transparent = 0;
    QSize size;
    const QImage bitmap = LoadImageBitmap(file("k.png", rgbPng(picture, &key)), transparent, &size);
    EXPECT_EQ(transparent, platform::rgb(255, 0, 255));
    EXPECT_EQ(bitmap.pixel(4, 4), key);
    EXPECT_EQ(size, QSize(10, 8));

    // JPEG and 8-bit BMP: opaque, their own colours.
    LoadImageBitmap(file("j.jpg", jpeg(pattern(32, 24))), transparent);
    EXPECT_EQ(transparent, kNone);
    const QImage bmp = LoadImageBitmap(file("b.bmp", bmp8(4, 2, kPalette, kIndices)), transparent);
    EXPECT_EQ(transparent, kNone);
    EXPECT_EQ(bmp.pixel(1, 0), qRgb(255, 0, 0));
    EXPECT_EQ(bmp.pixel(0, 1), qRgb(0, 0, 255));
}

TEST_F(ImageLoadingTest, BitmapsSavedAsGifKeepTheKeyTransparent)
{
    QImage bitmap(20, 10, QImage::Format_RGB32);
    bitmap.fill(qRgb(30, 60, 90));
    for (int x = 0; x < 20; ++x)
        bitmap.setPixel(x, 4, qRgb(8, 255, 8));
    const QString keyed = dir.filePath("keyed.gif");
    ASSERT_TRUE(SaveBitmapAsGif(bitmap, keyed, kFirstKey));
    CImage back(keyed);
    ASSERT_TRUE(back.IsValid());
    EXPECT_NE(back.GetTransparentIndex(), -1);
    EXPECT_EQ(back.GetTransparentColor(), kFirstKey);
    EXPECT_EQ(qAlpha(QImage(keyed).pixel(5, 4)), 0);
    EXPECT_EQ(QImage(keyed).pixel(5, 5), qRgb(30, 60, 90));

    const QString plain = dir.filePath("plain.gif");
    ASSERT_TRUE(SaveBitmapAsGif(bitmap, plain, kNone));
    EXPECT_EQ(CImage(plain).GetTransparentIndex(), -1);
    EXPECT_EQ(QImage(plain).pixel(5, 4), qRgb(8, 255, 8));

    // A write that fails says so and leaves no file.
    EXPECT_FALSE(SaveBitmapAsGif(bitmap, dir.filePath("missing/folder/x.gif"), kFirstKey));
}

TEST_F(ImageLoadingTest, GifReaderFindsPaletteEntriesAndDrawsWithoutTheTransparentOnes)
{
    const CImage image(file("t.gif", gif(4, 2, kPalette, kIndices, 5)), 1, false, kFirstKey);
    ASSERT_TRUE(image.IsValid());
    EXPECT_EQ(image.GetWidth(), 4);
    EXPECT_EQ(image.FindPaletteIndex(platform::rgb(255, 255, 0)), 4);
    EXPECT_EQ(image.FindPaletteIndex(platform::rgb(1, 1, 1)), -1);
    EXPECT_EQ(image.GetTransparentIndex(), 5);

    QImage target(8, 4, QImage::Format_RGB32);
    target.fill(qRgb(9, 9, 9));
    QPainter painter(&target);
    image.Draw(painter, QRect(0, 0, 8, 4));
    painter.end();
    EXPECT_GT(qRed(target.pixel(2, 0)), 150);
    EXPECT_LT(qGreen(target.pixel(2, 0)), 60);
    EXPECT_EQ(target.pixel(7, 3), qRgb(9, 9, 9)) << "transparent pixels leave the target as it was";

    // Not a picture: an invalid image that draws nothing.
    CImage broken(file("broken.gif", "GIF89a\x01"), 1, false, kNone);
    EXPECT_FALSE(broken.IsValid());
    EXPECT_EQ(broken.GetTransparentIndex(), -1);
    EXPECT_TRUE(broken.MakeBitmap().isNull());
}

TEST_F(ImageLoadingTest, ResamplingKeepsTheKeyCrisp)
{
    // A picture half key, half a colour: scaled smoothly, no blend of the two appears.
    QImage picture(10, 10, QImage::Format_RGB32);
    picture.fill(qRgb(200, 40, 40));
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 5; ++x)
            picture.setPixel(x, y, qRgb(8, 255, 8));
    const QImage scaled = ScaleKeyed(picture, 37, 23, qRgb(8, 255, 8));
    ASSERT_EQ(scaled.size(), QSize(37, 23));
    for (int y = 0; y < scaled.height(); ++y) {
        for (int x = 0; x < scaled.width(); ++x) {
            // Either the key exactly, or the colour give or take rounding: never a mix.
            const QRgb pixel = scaled.pixel(x, y);
            const bool colour =
                qAbs(qRed(pixel) - 200) <= 2 && qAbs(qGreen(pixel) - 40) <= 2 && qAbs(qBlue(pixel) - 40) <= 2;
            EXPECT_TRUE(pixel == qRgb(8, 255, 8) || colour) << x << "," << y;
        }
    }

    RasterBitmap bitmap;
    EXPECT_FALSE(bitmap.Size(4, 4));
    bitmap.ConvertFromBitmap(picture);
    EXPECT_FALSE(bitmap.Size(0, 4));
    EXPECT_TRUE(bitmap.Size(20, 20));
    EXPECT_EQ(bitmap.GetWidth(), 20);
}

TEST_F(ImageLoadingTest, PngSavedFromABitmapIs24BitWithTheKey)
{
    RasterBitmap bitmap;
    QImage picture = pattern(12, 9);
    picture.setPixel(0, 0, qRgb(8, 255, 8));
    bitmap.ConvertFromBitmap(picture);
    bitmap.EnablePlayBackTransparency(true);
    bitmap.SetPlayBackTransparentColor(kFirstKey);
    const QString path = dir.filePath("page.png");
    ASSERT_TRUE(bitmap.Save(path));
    const QByteArray bytes = readTestFile(path);
    EXPECT_EQ(bytes.at(24), 8) << "8 bits a sample";
    EXPECT_EQ(bytes.at(25), 2) << "RGB, no alpha channel";
    EXPECT_TRUE(bytes.contains("tRNS"));
    RasterBitmap back;
    ASSERT_TRUE(back.Load(path));
    EXPECT_TRUE(back.IsPlayBackTransparencyEnabled());
    EXPECT_EQ(back.GetPlayBackTransparentColor(), kFirstKey);
}

} // namespace
