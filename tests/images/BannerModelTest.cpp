#include "images/BannerModel.h"

#include "images/BannerLayoutGeometry.h"
#include "images/ImageCodec.h"
#include "images/ImageTestFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>

namespace {

using namespace imagetest;
using platform::Rect;

constexpr QRgb kTextRgb = 0xFFBAFBCB; // the default text colour 0xCBFBBA

class BannerModelTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        model.m_sizeViewClient = QSize(414, 174);
        model.SetDefaultCanvas(QSize(430, 190));
        model.m_text.font.setFamily(QStringLiteral("DejaVu Sans"));
        model.m_text.font.setPixelSize(40);
        model.m_text.style = kTextStyleNone;
        out = dir.filePath(QStringLiteral("Image/User"));
    }

    // The written banner read back.
    DecodedImage writeAndRead()
    {
        QString file;
        EXPECT_TRUE(model.WriteBanner(out, file));
        written = file;
        return DecodeImageFile(file);
    }

    static int count(const QImage& image, const std::function<bool(QRgb)>& test)
    {
        int n = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                n += test(image.pixel(x, y)) ? 1 : 0;
        return n;
    }

    QTemporaryDir dir;
    QString out;
    QString written;
    BannerModel model;
};

TEST_F(BannerModelTest, ANewBannerIsTheDefaultCanvasAndWantsText)
{
    model.m_crWindow = 0xFFFFFF;
    model.Compose();
    EXPECT_EQ(model.m_rcCanvas, Rect(0, 0, 380, 95));
    EXPECT_EQ(model.m_rcText, Rect(5, 5, 375, 90));
    ASSERT_NE(model.Composite(), nullptr);
    EXPECT_EQ(model.Composite()->pixel(100, 50), 0xFFFFFFFFu);
    EXPECT_EQ(model.Output()->pixel(100, 50), 0xFF08FF08u) << "the output is the key colour";
    EXPECT_FALSE(model.OkAllowed(false));
    model.m_text.text = QStringLiteral("Paginor");
    EXPECT_TRUE(model.OkAllowed(false));
    EXPECT_FALSE(model.OkAllowed(true)) << "not in canvas-size mode";
    EXPECT_FALSE(model.DeleteAllowed());
}

TEST_F(BannerModelTest, BannersWithoutPictureAreKeyedAndNumberedInTurn)
{
    model.m_text.text = QStringLiteral("Paginor");
    const DecodedImage first = writeAndRead();
    EXPECT_EQ(QFileInfo(written).fileName(), QStringLiteral("UserImage0.GIF"));
    ASSERT_FALSE(first.isNull());
    EXPECT_EQ(first.image.size(), QSize(380, 95));
    EXPECT_EQ(qAlpha(first.image.pixel(1, 1)), 0) << "the key colour is transparent";
    EXPECT_GT(count(first.image, [](QRgb p) { return p == kTextRgb; }), 200) << "text in the text colour";
    EXPECT_EQ(count(first.image, [](QRgb p) { return qAlpha(p) != 0 && qAlpha(p) != 255; }), 0);
    EXPECT_EQ(count(first.image, [](QRgb p) { return qAlpha(p) == 255 && qGreen(p) > 200 && qRed(p) < 60; }), 0)
        << "no edge pixel keeps a tint of the key";
    writeAndRead();
    EXPECT_EQ(QFileInfo(written).fileName(), QStringLiteral("UserImage1.GIF"));
    EXPECT_TRUE(QFile::exists(QDir(out).filePath(QStringLiteral("UserImage0.GIF")))) << "the first stays";
}

TEST_F(BannerModelTest, AGifPictureKeepsItsTransparentColour)
{
    // 40 x 20: left half red, right half transparent (palette entry 2).
    QByteArray indices;
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 40; ++x)
            indices.append(char(x < 20 ? 0 : 2));
    model.m_strPicturePath = save(dir.path(), QStringLiteral("half.gif"),
                                  gif(40, 20, {qRgb(255, 0, 0), qRgb(255, 255, 255), qRgb(255, 0, 255)}, indices, 2));
    model.m_text.text = QStringLiteral("i");
    model.m_text.font.setPixelSize(8);
    model.m_bShowText = false;
    const BannerModel::ComposeResult loaded = model.Compose();
    EXPECT_TRUE(loaded.reloaded);
    EXPECT_EQ(model.m_rcCanvas, Rect(0, 0, 40, 20));
    EXPECT_EQ(model.m_crTransparent, 0xFF00FFu);
    EXPECT_EQ(model.m_crKey, 0xFF00FFu);
    // On the screen the window shows through; the picture's own red stays.
    model.m_crWindow = 0xFFFFFF;
    model.Compose();
    EXPECT_EQ(model.Composite()->pixel(30, 10), 0xFFFFFFFFu);
    EXPECT_EQ(model.Composite()->pixel(5, 10), 0xFFFF0000u);
    const DecodedImage saved = writeAndRead();
    EXPECT_EQ(qAlpha(saved.image.pixel(30, 10)), 0);
    EXPECT_EQ(saved.image.pixel(5, 10), 0xFFFF0000u);
    EXPECT_FALSE(model.Compose().reloaded) << "the same picture is not read again";
}

TEST_F(BannerModelTest, APictureWithoutTransparencyGivesAnOpaqueBanner)
{
    model.m_strPicturePath = save(dir.path(), QStringLiteral("photo.jpg"), jpeg(pattern(120, 60), 95));
    model.m_text.text = QStringLiteral("Hi");
    model.Compose();
    EXPECT_EQ(model.m_rcCanvas, Rect(0, 0, 120, 60));
    EXPECT_EQ(model.m_crKey, kNoTransparentColor);
    EXPECT_TRUE(model.DeleteAllowed());
    const DecodedImage saved = writeAndRead();
    EXPECT_EQ(saved.image.size(), QSize(120, 60));
    EXPECT_FALSE(saved.transparentColor.has_value());
    EXPECT_EQ(count(saved.image, [](QRgb p) { return qAlpha(p) != 255; }), 0);

    // Deleted: the default canvas, keyed with the default colour again.
    model.DeletePicture();
    EXPECT_FALSE(model.HasPicture());
    EXPECT_EQ(model.m_rcCanvas, Rect(0, 0, 364, 87));
    EXPECT_EQ(model.m_crKey, BannerModel::kDefaultKey);
    EXPECT_EQ(qAlpha(writeAndRead().image.pixel(1, 1)), 0);
}

TEST_F(BannerModelTest, PicturesAreReadByTheirSignatureAndRefusedOnesLeaveNone)
{
    // A PNG named as a GIF.
    model.m_strPicturePath = save(dir.path(), QStringLiteral("misnamed.gif"), rgbPng(pattern(64, 32)));
    model.Compose();
    EXPECT_TRUE(model.HasPicture());
    EXPECT_EQ(model.m_rcCanvas, Rect(0, 0, 64, 32));
    // Bytes no decoder takes: no picture, the canvas kept.
    model.m_strPicturePath = save(dir.path(), QStringLiteral("broken.png"), QByteArray("not a picture at all"));
    model.Compose();
    EXPECT_FALSE(model.HasPicture());
    EXPECT_EQ(model.m_rcCanvas, Rect(0, 0, 64, 32));
    // A folder is no picture either.
    model.m_strPicturePath = dir.path();
    model.Compose();
    EXPECT_FALSE(model.HasPicture());
}

TEST_F(BannerModelTest, ComposingPullsTheTextBoxTenPixelsInsideAndSavingTwo)
{
    model.m_text.text = QStringLiteral("W");
    model.m_rcText = Rect(375, 92, 475, 192);
    model.Compose();
    EXPECT_EQ(model.m_rcText, Rect(370, 85, 470, 185));
    model.m_rcText = Rect(379, 94, 479, 194);
    model.BannerBitmap(nullptr);
    EXPECT_EQ(model.m_rcText.left, 370) << "the composition before the write pulls it in first";
    model.QuickCompose();
    EXPECT_EQ(model.m_rcText.left, 370);
}

TEST_F(BannerModelTest, ADraggedCanvasStretchesThePictureAndCropsFromTheSnapshot)
{
    model.m_strPicturePath = save(dir.path(), QStringLiteral("bands.png"), rgbPng(pattern(200, 100)));
    model.m_bShowText = false;
    model.Compose();
    ASSERT_EQ(model.m_rcCanvas, Rect(0, 0, 200, 100));
    // The fast redraw stretches the picture to the dragged canvas.
    model.m_rcCanvas = Rect(0, 0, 400, 200);
    model.QuickCompose();
    EXPECT_EQ(model.Composite()->width(), 400);
    EXPECT_EQ(QColor(model.Composite()->pixel(10, 190)).rgb(), qRgb(230, 200, 40)) << "the last band, stretched";
    model.Compose();

    // Canvas-size mode: the left half of the fitted banner becomes the canvas.
    model.TakeSnapshot();
    const Rect fit = bannerlayout::CanvasFit(QSize(400, 200), model.m_sizeViewClient);
    model.ApplyCrop(Rect(fit.left, fit.top, fit.left + fit.width() / 2, fit.bottom));
    EXPECT_EQ(model.m_rcCanvas, Rect(0, 0, 200, 200));
    EXPECT_EQ(model.m_rcPicture, model.m_rcCanvas);
    model.Compose();
    EXPECT_EQ(QColor(model.Composite()->pixel(10, 190)).rgb(), qRgb(230, 200, 40));
    // Reset brings the picture's own size back.
    model.Reset();
    EXPECT_TRUE(model.Compose().reloaded);
    EXPECT_EQ(model.m_rcCanvas, Rect(0, 0, 200, 100));
}

TEST_F(BannerModelTest, AnExtendedBannerWithoutPictureStaysTransparentAround)
{
    model.m_text.text = QStringLiteral("A");
    model.Compose();
    model.TakeSnapshot();
    const Rect fit = bannerlayout::CanvasFit(QSize(380, 95), model.m_sizeViewClient);
    model.ApplyCrop(Rect(fit.left - 5, fit.top, fit.right, fit.bottom + 5));
    EXPECT_EQ(model.m_rcCanvas, Rect(0, 0, 385, 100));
    EXPECT_EQ(model.m_crTransparent, BannerModel::kDefaultKey);
    const DecodedImage saved = writeAndRead();
    EXPECT_EQ(saved.image.size(), QSize(385, 100));
    EXPECT_EQ(qAlpha(saved.image.pixel(1, 1)), 0) << "the added strip";
    EXPECT_EQ(qAlpha(saved.image.pixel(200, 98)), 0);
    EXPECT_EQ(qAlpha(saved.image.pixel(300, 50)), 0) << "the old ground";
}

TEST_F(BannerModelTest, AnUnwritableFolderWritesNothing)
{
    QFile blocker(out);
    QDir().mkpath(QFileInfo(out).absolutePath());
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly)) << "a file where the folder should be";
    blocker.close();
    model.m_text.text = QStringLiteral("Paginor");
    QString file;
    EXPECT_FALSE(model.WriteBanner(out, file));
    EXPECT_FALSE(QFileInfo(file).isFile());
}

} // namespace
