// Device-independent bitmaps, picture loading and fitted drawing.

#include "controls/CDIB.h"
#include "controls/CPicture.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QDir>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

#include <cstring>

using platform::Rect;

TEST(CDIBTest, EightBitLayoutHasPaddedRowsAFullColourTableAndTopRowLast)
{
    CDIB dib;
    ASSERT_TRUE(dib.Create(10, 3, 8));
    EXPECT_EQ(dib.GetBytesPerRow(), 12);
    EXPECT_EQ(dib.GetPaletteSize(), 256);
    EXPECT_EQ(dib.GetBlockSize(), size_t(40 + 1024 + 36));
    EXPECT_EQ(dib.GetRow(0), dib.GetBlock() + 40 + 1024 + 24);
    EXPECT_EQ(dib.GetRow(2), dib.GetBits());
    EXPECT_EQ(dib.GetInfo()->biSize, 40u);
    EXPECT_EQ(dib.GetInfo()->biWidth, 10);
}

struct RowCase
{
    int width, bits, bytesPerRow, paletteSize;
};

class CDIBRowTest : public ::testing::TestWithParam<RowCase>
{
};

TEST_P(CDIBRowTest, RowBytesRoundUpToFour)
{
    const RowCase c = GetParam();
    CDIB dib;
    ASSERT_TRUE(dib.Create(c.width, 2, c.bits));
    EXPECT_EQ(dib.GetBytesPerRow(), c.bytesPerRow);
    EXPECT_EQ(dib.GetPaletteSize(), c.paletteSize);
}

INSTANTIATE_TEST_SUITE_P(Cases, CDIBRowTest,
                         ::testing::Values(RowCase{5, 24, 16, 0}, RowCase{4, 24, 12, 0}, RowCase{1, 1, 4, 2},
                                           RowCase{33, 1, 8, 2}, RowCase{9, 4, 8, 16}, RowCase{3, 32, 12, 0}));

TEST(CDIBTest, RefusesSizesThatCannotBeDrawn)
{
    CDIB dib;
    EXPECT_FALSE(dib.Create(0, 5, 8));
    EXPECT_FALSE(dib.Create(5, -1, 8));
    EXPECT_FALSE(dib.Create(100000, 100000, 24));
    EXPECT_EQ(dib.GetBlockSize(), 0u);
}

TEST(CDIBTest, PaletteAndRowsDrawTopRowFirst)
{
    CDIB dib;
    ASSERT_TRUE(dib.Create(4, 3, 8));
    std::vector<quint8> rgb(256 * 3, 0);
    rgb[3 * 1 + 0] = 255; // entry 1 red
    rgb[3 * 2 + 2] = 255; // entry 2 blue
    dib.SetPaletteRGB(rgb.data());
    EXPECT_EQ(dib.GetPalette()[1].red, 255);
    EXPECT_EQ(dib.GetPalette()[2].blue, 255);
    std::memset(dib.GetRow(0), 1, 4);
    std::memset(dib.GetRow(1), 0, 4);
    std::memset(dib.GetRow(2), 2, 4);

    QImage target(10, 10, QImage::Format_RGB32);
    target.fill(Qt::white);
    QPainter painter(&target);
    dib.Draw(painter, 2, 2, 4, 3, 0, 0);
    painter.end();
    EXPECT_EQ(target.pixelColor(2, 2), QColor(Qt::red));
    EXPECT_EQ(target.pixelColor(5, 3), QColor(Qt::black));
    EXPECT_EQ(target.pixelColor(3, 4), QColor(Qt::blue));
    EXPECT_EQ(target.pixelColor(6, 2), QColor(Qt::white));
}

TEST(CDIBTest, GammaTableAppliesToPaletteColours)
{
    CDIB dib;
    ASSERT_TRUE(dib.Create(1, 1, 1));
    dib.SetGamma(2.0f, true);
    const quint8 rgb[6] = {128, 255, 0, 0, 0, 0};
    dib.SetPaletteRGB(rgb);
    EXPECT_EQ(dib.GetPalette()[0].red, 64); // (128/255)^2 * 255 + 0.5
    EXPECT_EQ(dib.GetPalette()[0].green, 255);
}

namespace {

QByteArray packedBitmap(int width, int height, int bits, quint32 compression = 0)
{
    DibHeader header;
    header.biWidth = width;
    header.biHeight = height;
    header.biBitCount = quint16(bits);
    header.biCompression = compression;
    QByteArray data(reinterpret_cast<const char*>(&header), sizeof header);
    data.append(QByteArray(4 * CDIB::PaletteSizeFor(bits), '\x11'));
    data.append(QByteArray(CDIB::BytesPerRowFor(width, bits) * height, '\x07'));
    return data;
}

} // namespace

TEST(CDIBTest, PackedBitmapsOfSupportedDepthsAreReadOthersRefused)
{
    CDIB dib;
    EXPECT_TRUE(dib.CreateFromPacked(packedBitmap(3, 2, 8)));
    EXPECT_EQ(dib.GetRow(1)[2], 7);
    EXPECT_EQ(dib.GetPalette()[255].red, 0x11);
    EXPECT_TRUE(dib.CreateFromPacked(packedBitmap(3, 2, 24)));
    EXPECT_FALSE(dib.CreateFromPacked(packedBitmap(3, 2, 16)));
    EXPECT_FALSE(dib.CreateFromPacked(packedBitmap(3, 2, 32)));
    EXPECT_FALSE(dib.CreateFromPacked(packedBitmap(3, 2, 8, 1)));
    EXPECT_FALSE(dib.CreateFromPacked(packedBitmap(3, 2, 8).left(40 + 1024 + 5)));
    // A bare header claiming a bitmap of a quarter gigabyte: refused from its
    // length alone, with nothing allocated for the claimed size.
    DibHeader huge;
    huge.biWidth = 16000;
    huge.biHeight = 16000;
    huge.biBitCount = 8;
    EXPECT_FALSE(dib.CreateFromPacked(QByteArray(reinterpret_cast<const char*>(&huge), sizeof huge)));
    EXPECT_EQ(dib.GetBlockSize(), 0u);
}

struct FitCase
{
    int w, h, bw, bh;
    Rect expected;
};

class FitRectInBoxTest : public ::testing::TestWithParam<FitCase>
{
};

TEST_P(FitRectInBoxTest, FitsCentredNeverEnlarged)
{
    const FitCase c = GetParam();
    EXPECT_EQ(FitRectInBox(c.w, c.h, c.bw, c.bh), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, FitRectInBoxTest,
                         ::testing::Values(FitCase{200, 100, 100, 100, Rect(0, 25, 100, 75)},
                                           FitCase{50, 20, 100, 100, Rect(25, 40, 75, 60)},
                                           FitCase{100, 400, 100, 100, Rect(37, 0, 62, 100)},
                                           FitCase{0, 10, 100, 100, Rect()}, FitCase{10, 0, 100, 100, Rect()}));

TEST(PicturePlacementTest, VeryWideOrTallPicturesBecomeBands)
{
    EXPECT_EQ(PicturePlacement(1100, 100, 100, 50), Rect(0, 20, 100, 30));
    EXPECT_EQ(PicturePlacement(10, 200, 50, 100), Rect(20, 0, 30, 100));
    EXPECT_EQ(PicturePlacement(200, 100, 0, 0), Rect(0, 0, 200, 100));
    EXPECT_EQ(PicturePlacement(200, 100, 100, 100), Rect(0, 25, 100, 75));
}

TEST(CPictureTest, LoadsAFileKeepsThePictureWhenAFileIsMissingAndDropsItOnBadData)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("p.png");
    QImage image(40, 20, QImage::Format_RGB32);
    image.fill(Qt::red);
    ASSERT_TRUE(image.save(path));

    CPicture picture;
    ASSERT_EQ(picture.Load(path), kPictureOk);
    EXPECT_EQ(picture.m_nWidth, 40);
    EXPECT_EQ(picture.m_nHeight, 20);

    EXPECT_EQ(picture.Load(dir.filePath("missing.png")), kPictureAccessDenied);
    EXPECT_EQ(picture.m_nWidth, 40);
    EXPECT_FALSE(picture.isNull());

    EXPECT_EQ(picture.LoadFromStream(QByteArray("not a picture"), 13), kPictureInvalid);
    EXPECT_TRUE(picture.isNull());
    EXPECT_EQ(picture.m_nWidth, 0);
}

TEST(CPictureTest, DrawsFittedIntoTheBox)
{
    QImage image(40, 20, QImage::Format_RGB32);
    image.fill(Qt::red);
    QByteArray png;
    {
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, "PNG");
    }
    CPicture picture;
    ASSERT_EQ(picture.LoadFromStream(png, png.size()), kPictureOk);
    QImage target(100, 100, QImage::Format_RGB32);
    target.fill(Qt::white);
    QPainter painter(&target);
    picture.Draw(painter, 10, 10, 20, 20);
    painter.end();
    // 40 x 20 into 20 x 20: 20 x 10 at (0, 5) of the box.
    EXPECT_EQ(target.pixelColor(10, 15), QColor(Qt::red));
    EXPECT_EQ(target.pixelColor(29, 24), QColor(Qt::red));
    EXPECT_EQ(target.pixelColor(15, 14), QColor(Qt::white));
    EXPECT_EQ(target.pixelColor(15, 25), QColor(Qt::white));
}
