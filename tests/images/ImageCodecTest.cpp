#include "images/ImageCodec.h"
#include "images/ImageFiles.h"
#include "images/ImageTestFiles.h"
#include "support/SmallFileSystem.h"
#include "support/TestFiles.h"

#include <QFile>
#include <QImageReader>
#include <QPainter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

using namespace imagetest;

const QList<QRgb> kPalette = {qRgb(0, 0, 0),   qRgb(255, 0, 0),   qRgb(0, 255, 0),
                              qRgb(0, 0, 255), qRgb(255, 255, 0), qRgb(200, 100, 50)};

// 4 x 2 indices: 0 1 2 5 / 3 4 5 5.
const QByteArray kIndices("\x00\x01\x02\x05\x03\x04\x05\x05", 8);

class ImageCodecTest : public ::testing::Test
{
protected:
    QString file(const QString& name, const QByteArray& bytes) { return save(dir.path(), name, bytes); }
    QTemporaryDir dir;
};

TEST_F(ImageCodecTest, MeasuresEachFormatFromItsHeader)
{
    EXPECT_EQ(GetImageFileSize(file("a.gif", gif(4, 2, kPalette, kIndices, 5))), QSize(4, 2));
    EXPECT_EQ(GetImageFileSize(file("b.png", palettePng(4, 2, kPalette, kIndices))), QSize(4, 2));
    EXPECT_EQ(GetImageFileSize(file("c.JPG", jpeg(pattern(64, 48)))), QSize(64, 48));
    EXPECT_EQ(GetImageFileSize(file("d.bmp", bmp8(4, 2, kPalette, kIndices))), QSize(4, 2));
    // Case of the extension does not matter; a folder with a dot and a file without one is tried by its bytes.
    EXPECT_EQ(GetImageFileSize(file("e.Gif", gif(4, 2, kPalette, kIndices))), QSize(4, 2));
    EXPECT_EQ(GetImageFileSize(file("a.b/picture", rgbPng(pattern(7, 5)))), QSize(7, 5));
}

TEST_F(ImageCodecTest, UnreadableFilesMeasureZero)
{
    EXPECT_EQ(GetImageFileSize(dir.filePath("missing.png")), QSize(0, 0));
    EXPECT_EQ(GetImageFileSize(file("empty.gif", QByteArray())), QSize(0, 0));
    // A path without any dot names no type, whatever the file holds.
    const QString bare = file("noextension", gif(4, 2, kPalette, kIndices));
    if (!bare.contains('.')) {
        EXPECT_EQ(GetImageFileSize(bare), QSize(0, 0));
    }
    const QByteArray whole = rgbPng(pattern(40, 30));
    EXPECT_EQ(GetImageFileSize(file("cut.png", whole.left(12))), QSize(0, 0));
    EXPECT_EQ(GetImageFileSize(file("vector.png", "<svg xmlns='http://www.w3.org/2000/svg' width='10' height='10'/>")),
              QSize(0, 0));
    EXPECT_EQ(GetImageFileSize(file("text.gif", "GIF is a nice format, but this is text")), QSize(0, 0));
    // A header claiming 100,000 x 100,000 pixels is beyond what the program opens.
    EXPECT_EQ(GetImageFileSize(file("huge.png", pngHeaderOnly(100000, 100000))), QSize(0, 0));
}

TEST_F(ImageCodecTest, MisnamedFilesAreReadByTheirSignatureOnly)
{
    // A PNG named .gif and a JPEG named .png: the named decoder refuses, the signature's reads.
    EXPECT_EQ(GetImageFileSize(file("png.gif", rgbPng(pattern(9, 3)))), QSize(9, 3));
    const DecodedImage jpegAsPng = DecodeImageFile(file("photo.png", jpeg(pattern(16, 12))));
    ASSERT_FALSE(jpegAsPng.isNull()) << jpegAsPng.error.toStdString();
    EXPECT_EQ(jpegAsPng.format, ImageFormat::Jpeg);
    // A TIFF is none of the four: nothing decodes it, whatever its name.
    const QByteArray tiff("II*\x00\x08\x00\x00\x00", 8);
    EXPECT_TRUE(DecodeImageFile(file("scan.tif", tiff + QByteArray(100, '\0'))).isNull());
    EXPECT_EQ(ImageFormatOfSignature(tiff), ImageFormat::Unknown);
}

TEST_F(ImageCodecTest, GifKeepsItsPaletteAndTransparentEntry)
{
    const DecodedImage decoded = DecodeImageFile(file("t.gif", gif(4, 2, kPalette, kIndices, 5)));
    ASSERT_FALSE(decoded.isNull()) << decoded.error.toStdString();
    EXPECT_EQ(decoded.image.format(), QImage::Format_ARGB32);
    ASSERT_GE(decoded.palette.size(), 6);
    EXPECT_EQ(decoded.palette.at(1), qRgb(255, 0, 0));
    EXPECT_EQ(decoded.transparentIndex, 5);
    ASSERT_TRUE(decoded.transparentColor.has_value());
    EXPECT_EQ(*decoded.transparentColor, qRgb(200, 100, 50));
    EXPECT_EQ(decoded.image.pixel(1, 0), qRgb(255, 0, 0));
    EXPECT_EQ(qAlpha(decoded.image.pixel(3, 0)), 0);
    EXPECT_EQ(qAlpha(decoded.image.pixel(0, 1)), 255);

    // Without a transparent entry the picture is opaque.
    const DecodedImage opaque = DecodeImageFile(file("o.gif", gif(4, 2, kPalette, kIndices)));
    EXPECT_EQ(opaque.image.format(), QImage::Format_RGB32);
    EXPECT_EQ(opaque.transparentIndex, -1);
    EXPECT_FALSE(opaque.transparentColor.has_value());
}

TEST_F(ImageCodecTest, PalettePngWithTransparencyAndTrueColourKey)
{
    const DecodedImage palette =
        DecodeImageFile(file("p.png", palettePng(4, 2, kPalette, kIndices, QByteArray("\xFF\xFF\xFF\xFF\xFF\x00", 6))));
    ASSERT_FALSE(palette.isNull()) << palette.error.toStdString();
    EXPECT_EQ(palette.transparentIndex, 5);
    EXPECT_EQ(palette.transparentColor.value_or(0), qRgb(200, 100, 50));

    QImage picture = pattern(6, 4);
    picture.setPixel(0, 0, qRgb(8, 255, 8));
    picture.setPixel(5, 3, qRgb(8, 255, 8));
    const QRgb key = qRgb(8, 255, 8);
    const DecodedImage keyed = DecodeImageFile(file("k.png", rgbPng(picture, &key)));
    ASSERT_FALSE(keyed.isNull());
    EXPECT_TRUE(keyed.palette.isEmpty());
    EXPECT_EQ(keyed.transparentColor.value_or(0), key);
    EXPECT_EQ(qAlpha(keyed.image.pixel(5, 3)), 0);
    EXPECT_EQ(keyed.image.pixel(1, 0), picture.pixel(1, 0));
}

TEST_F(ImageCodecTest, AnimatedGifGivesItsFirstFrameOnItsCanvas)
{
    GifFrame first;
    first.left = 2;
    first.top = 1;
    first.width = 2;
    first.height = 2;
    first.indices = QByteArray("\x01\x01\x01\x01", 4);
    first.transparentIndex = 0;
    GifFrame second = first;
    second.indices = QByteArray("\x03\x03\x03\x03", 4);
    const QString path = file("anim.gif", gif(6, 4, kPalette, {first, second}));
    EXPECT_EQ(GetImageFileSize(path), QSize(6, 4));
    const DecodedImage decoded = DecodeImageFile(path);
    ASSERT_FALSE(decoded.isNull()) << decoded.error.toStdString();
    EXPECT_EQ(decoded.image.size(), QSize(6, 4));
    EXPECT_EQ(decoded.image.pixel(2, 1), qRgb(255, 0, 0));
    EXPECT_EQ(qAlpha(decoded.image.pixel(0, 0)), 0);
}

TEST_F(ImageCodecTest, APngsVirtualPageIsNotItsSize)
{
    // Browsers show the picture's own 9 x 6 pixels; the page around it is an
    // editor's note, not a canvas as a GIF animation's is.
    const QString path = file("page.png", withVirtualPage(rgbPng(pattern(9, 6)), 20, 20));
    EXPECT_EQ(GetImageFileSize(path), QSize(9, 6));
    const DecodedImage decoded = DecodeImageFile(path);
    ASSERT_FALSE(decoded.isNull()) << decoded.error.toStdString();
    EXPECT_EQ(decoded.image.size(), QSize(9, 6));
    EXPECT_EQ(decoded.image.pixel(3, 2), pattern(9, 6).pixel(3, 2));
}

TEST_F(ImageCodecTest, OldBmpsWhoseHeaderMisstatesTheFileSizeStillOpen)
{
    for (const quint32 stated : {0u, 5000u, 20u, 1u}) {
        const QString path = file(QStringLiteral("stripes-%1.bmp").arg(stated), bmp1(13, 7, stated));
        EXPECT_EQ(GetImageFileSize(path), QSize(13, 7)) << stated;
        const DecodedImage decoded = DecodeImageFile(path);
        ASSERT_FALSE(decoded.isNull()) << stated << ": " << decoded.error.toStdString();
        EXPECT_EQ(decoded.image.size(), QSize(13, 7));
        EXPECT_EQ(decoded.image.pixel(0, 0), qRgb(0, 0, 0)) << stated;
        EXPECT_EQ(decoded.image.pixel(1, 0), qRgb(255, 255, 255)) << stated;
        EXPECT_EQ(decoded.image.pixel(0, 6), qRgb(0, 0, 0)) << stated << ": bottom-up rows";
        EXPECT_EQ(decoded.image.pixel(12, 5), qRgb(255, 255, 255)) << stated;
        EXPECT_EQ(decoded.format, ImageFormat::Bmp);
    }
    // A BMP that no reader can take still fails with a reason.
    QByteArray cut = bmp1(13, 7).left(30);
    const DecodedImage broken = DecodeImageFile(file("cut.bmp", cut));
    EXPECT_TRUE(broken.isNull());
    EXPECT_FALSE(broken.error.isEmpty());
}

TEST_F(ImageCodecTest, BrokenFilesFailWithAReason)
{
    const QByteArray whole = gif(4, 2, kPalette, kIndices);
    for (const auto& [name, bytes] :
         {std::pair{QStringLiteral("zero.gif"), QByteArray()}, std::pair{QStringLiteral("head.gif"), whole.left(13)},
          std::pair{QStringLiteral("huge.png"), pngHeaderOnly(100000, 100000)},
          std::pair{QStringLiteral("svg.png"), QByteArray("<svg width='10' height='10'/>")}}) {
        const DecodedImage decoded = DecodeImageFile(file(name, bytes));
        EXPECT_TRUE(decoded.isNull()) << name.toStdString();
        EXPECT_FALSE(decoded.error.isEmpty()) << name.toStdString();
    }
    // A JPEG cut in the middle shows what arrived, as a browser does.
    const QByteArray photo = jpeg(pattern(200, 160));
    const DecodedImage cut = DecodeImageFile(file("cut.jpg", photo.left(photo.size() / 2)));
    ASSERT_FALSE(cut.isNull()) << cut.error.toStdString();
    EXPECT_EQ(cut.image.size(), QSize(200, 160));
    EXPECT_EQ(cut.image.pixel(150, 2), qRgb(240, 240, 230)) << "the top arrived";
}

TEST_F(ImageCodecTest, AHundredMegapixelPhotoStillOpens)
{
    QString path;
    {
        QImage photo(12000, 8400, QImage::Format_RGB32);
        ASSERT_FALSE(photo.isNull());
        photo.fill(qRgb(90, 140, 200));
        QPainter painter(&photo);
        painter.fillRect(QRect(6000, 4200, 3000, 2000), QColor(220, 60, 40));
        painter.end();
        path = file("large.jpg", jpeg(photo, 80));
    }
    EXPECT_EQ(GetImageFileSize(path), QSize(12000, 8400));
    const DecodedImage decoded = DecodeImageFile(path);
    ASSERT_FALSE(decoded.isNull()) << decoded.error.toStdString();
    EXPECT_EQ(decoded.image.size(), QSize(12000, 8400));
    EXPECT_GT(qRed(decoded.image.pixel(7000, 5000)), 180);
}

TEST_F(ImageCodecTest, GifWrittenWithAKeyReadsBackTransparentWhereTheKeyWas)
{
    QImage picture(40, 20, QImage::Format_RGB32);
    // A smooth ramp of far more than 256 colours, plus a near-key green.
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 40; ++x)
            picture.setPixel(x, y, qRgb(x * 6, y * 12, (x + y) * 4));
    const QRgb key = qRgb(8, 255, 8);
    for (int x = 10; x < 20; ++x)
        picture.setPixel(x, 5, key);
    picture.setPixel(30, 10, qRgb(8, 254, 8));
    const QString path = dir.filePath("out.gif");
    ASSERT_TRUE(WriteGifFile(picture, path, key)) << testing::PrintToString(LastImageWriteFault());

    for (const QImage& back : {DecodeImageFile(path).image, QImage(path)}) {
        ASSERT_FALSE(back.isNull());
        EXPECT_EQ(qAlpha(back.pixel(12, 5)), 0);
        EXPECT_EQ(qAlpha(back.pixel(30, 10)), 255);
        int transparent = 0;
        for (int y = 0; y < 20; ++y)
            for (int x = 0; x < 40; ++x)
                transparent += qAlpha(back.pixel(x, y)) == 0;
        EXPECT_EQ(transparent, 10);
    }
    // The transparent entry carries the key.
    EXPECT_EQ(DecodeImageFile(path).transparentColor.value_or(0), key);

    // Without a key, an opaque picture stays opaque.
    ASSERT_TRUE(WriteGifFile(picture, path));
    EXPECT_FALSE(QImage(path).hasAlphaChannel() && DecodeImageFile(path).transparentIndex >= 0);
}

TEST_F(ImageCodecTest, Png24KeepsTheKeyAsAColourKey)
{
    QImage picture = pattern(30, 20);
    const QRgb key = qRgb(255, 0, 255);
    picture.setPixel(3, 3, key);
    const QString path = dir.filePath("out.png");
    ASSERT_TRUE(WritePng24File(picture, path, key));
    QImageReader reader(path);
    const QImage back = reader.read();
    ASSERT_FALSE(back.isNull());
    EXPECT_EQ(qAlpha(back.pixel(3, 3)), 0);
    EXPECT_EQ(back.pixel(10, 10) | 0xFF000000u, picture.pixel(10, 10));
    const DecodedImage decoded = DecodeImageFile(path);
    EXPECT_EQ(decoded.transparentColor.value_or(0), key);
    EXPECT_TRUE(decoded.palette.isEmpty());
}

TEST_F(ImageCodecTest, FailedWriteLeavesTheOldFile)
{
    const QString path = file("keep.gif", "old contents");
    EXPECT_FALSE(WriteGifFile(QImage(), path));
    EXPECT_EQ(LastImageWriteFault(), platform::FileFault::NotEncoded);
    EXPECT_FALSE(WritePng24File(pattern(4, 4), dir.filePath("no/such/folder/x.png")));
    EXPECT_EQ(LastImageWriteFault(), platform::FileFault::FolderGone);
    EXPECT_EQ(readTestFile(path), QByteArray("old contents"));

    // A small picture on a full disk: its bytes fit any buffer, and the old file stays.
    SmallFileSystem fs;
    PAGINOR_SKIP_WITHOUT(fs);
    const QString onFull = fs.filePath(QStringLiteral("scan.png"));
    ASSERT_TRUE(writeTestFile(onFull, "old scan"));
    ASSERT_TRUE(fs.fill());
    EXPECT_FALSE(WritePng24File(pattern(4, 4), onFull));
    EXPECT_EQ(LastImageWriteFault(), platform::FileFault::NoSpace);
    EXPECT_EQ(readTestFile(onFull), QByteArray("old scan"));
    EXPECT_EQ(fs.entries(), QStringList{QStringLiteral("scan.png")});
}

} // namespace
