#include "controls/TransparentBlt.h"
#include "images/CImage.h"
#include "images/FramedImage.h"
#include "images/ImageTestFiles.h"
#include "util/FileHelpers.h"

#include "platform/DataRoot.h"

#include <QDir>
#include <QFile>
#include <QPainter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

using namespace imagetest;

void writeFrameList(const QByteArray& text)
{
    QDir().mkpath(FrameFolderPath());
    QFile file(FrameListPath());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(text);
}

QString shipped(const QString& name)
{
    return platform::shareDir() + QStringLiteral("/Bin/Frame/") + name;
}

int countFiles(const QString& folder, const QString& pattern)
{
    return int(QDir(folder).entryList({pattern}, QDir::Files).size());
}

class FramedImageTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        QDir(FrameFolderPath()).removeRecursively();
        writeFrameList("frame_wood.gif;\r\nframe_round.gif;\r\nframe_film.gif;\r\n");
    }
    // A 300 x 220 photograph with a white spot, as JPEG.
    QString photo(int width = 300, int height = 220)
    {
        return save(dir.path(), QStringLiteral("photo%1x%2.jpg").arg(width).arg(height),
                    jpeg(pattern(width, height), 95));
    }
    QTemporaryDir dir;
};

TEST_F(FramedImageTest, FrameListIsReadEntryByEntry)
{
    EXPECT_TRUE(IsFrameImage(QStringLiteral("frame_round.gif")));
    EXPECT_FALSE(IsFrameImage(QStringLiteral("Frame_Round.gif"))) << "names differ in case";
    EXPECT_FALSE(IsFrameImage(QStringLiteral("back_sky.gif")));
    EXPECT_FALSE(IsFrameImage(QString()));

    // Line ends of any form, and a last entry without one.
    writeFrameList("a.gif;\nbook.gif;\rc.gif;\r\nlast.gif;");
    for (const char* name : {"a.gif", "book.gif", "c.gif", "last.gif"})
        EXPECT_TRUE(IsFrameImage(QString::fromLatin1(name))) << name;
    EXPECT_FALSE(IsFrameImage(QStringLiteral("ook.gif")));

    // Text after the last ";" is no entry; a NUL ends the list.
    writeFrameList(QByteArray("one.gif;\r\ntwo.gif", 17));
    EXPECT_FALSE(IsFrameImage(QStringLiteral("two.gif")));
    writeFrameList(QByteArray("one.gif;\r\n\0hidden.gif;\r\n", 25));
    EXPECT_TRUE(IsFrameImage(QStringLiteral("one.gif")));
    EXPECT_FALSE(IsFrameImage(QStringLiteral("hidden.gif")));

    // Only the first 64 KiB are read; junk bytes are harmless.
    writeFrameList(QByteArray(70000, 'x') + ";\r\nlate.gif;\r\n");
    EXPECT_FALSE(IsFrameImage(QStringLiteral("late.gif")));
    writeFrameList(QByteArray("\xFF\xFE\x00\x01;;;\x80\x81;\r\n", 12));
    EXPECT_FALSE(IsFrameImage(QStringLiteral("frame_wood.gif")));

    // No list: nothing is a frame.
    QFile::remove(FrameListPath());
    EXPECT_FALSE(IsFrameImage(QStringLiteral("frame_wood.gif")));
}

TEST_F(FramedImageTest, CanvasSizesAndCentring)
{
    EXPECT_EQ(ScaleFrameSize(300, 220, 340, 260), QSize(339, 259));
    EXPECT_EQ(ScaleFrameSize(150, 110, 340, 260), QSize(169, 129));
    // A tiny picture still gets a canvas.
    EXPECT_EQ(ScaleFrameSize(1, 1, 340, 260), QSize(1, 1));
    EXPECT_EQ(GetCenteredRect(300, 220, 339, 259), platform::Rect(19, 19, 319, 239));
    EXPECT_EQ(GetCenteredRect(150, 110, 169, 129), platform::Rect(9, 9, 159, 119));
    EXPECT_EQ(GetCenteredRect(10, 10, 5, 5), platform::Rect(-2, -2, 8, 8));
}

TEST_F(FramedImageTest, ListedFrameIsScaledToThePictureAndDrawnOverIt)
{
    QSize size(-1, -1);
    const QString result = ComposeFramedImage(photo(), shipped("frame_wood.gif"), size);
    ASSERT_FALSE(result.isEmpty());
    EXPECT_TRUE(result.startsWith(TempImageFolder()));
    EXPECT_EQ(size, QSize(339, 259));
    const QImage composed(result);
    ASSERT_EQ(composed.size(), QSize(339, 259));
    // The wood over the edge, the photograph inside it (its top-left band is red).
    const QRgb edge = composed.pixel(5, 100);
    EXPECT_GT(qRed(edge), qBlue(edge) + 40) << "wood is brown";
    const QRgb inside = composed.pixel(40, 40);
    EXPECT_GT(qRed(inside), 150);
    EXPECT_LT(qGreen(inside), 90);

    // Half the size: the canvas follows.
    size = QSize(-1, -1);
    ComposeFramedImage(photo(150, 110), shipped("frame_wood.gif"), size);
    EXPECT_EQ(size, QSize(169, 129));
}

TEST_F(FramedImageTest, PictureShownSmallerIsReducedFirst)
{
    QSize size(320, 240);
    ASSERT_FALSE(ComposeFramedImage(photo(640, 480), shipped("frame_film.gif"), size).isEmpty());
    EXPECT_EQ(size, ScaleFrameSize(320, 240, 340, 260));
}

TEST_F(FramedImageTest, BackdropIsStretchedUnderThePicture)
{
    QSize size(-1, 100);
    const QString result = ComposeFramedImage(photo(200, 100), shipped("back_sky.gif"), size);
    ASSERT_FALSE(result.isEmpty());
    EXPECT_EQ(size, QSize(240, 140));
    const QImage composed(result);
    // The sky's top is blue; the photograph, at (20, 20), has its red band at the top left.
    EXPECT_GT(qBlue(composed.pixel(5, 2)), qRed(composed.pixel(5, 2)) + 60);
    EXPECT_GT(qRed(composed.pixel(20 + 60, 20 + 3)), 150);
    EXPECT_LT(qGreen(composed.pixel(20 + 60, 20 + 3)), 90);
    // Neither has a transparent colour: the result has none.
    EXPECT_EQ(CImage(result).GetTransparentIndex(), -1);
}

TEST_F(FramedImageTest, PngInputsAreTurnedIntoGifsFirst)
{
    const QString picture = save(dir.path(), "picture.png", rgbPng(pattern(120, 90)));
    const int before = countFiles(TempImageFolder(), "*.GIF");
    QSize size(-1, -1);
    ASSERT_FALSE(ComposeFramedImage(picture, shipped("back_wave.png"), size).isEmpty());
    EXPECT_EQ(size, QSize(160, 130));
    // One GIF for each PNG, and the result.
    EXPECT_EQ(countFiles(TempImageFolder(), "*.GIF") - before, 3);
}

TEST_F(FramedImageTest, TwoKeyedGifsShareTheFirstKeyBothLack)
{
    // The picture: a GIF with a transparent corner whose palette lacks the first key.
    const QList<QRgb> palette = {qRgb(255, 255, 255), qRgb(20, 90, 160), qRgb(240, 200, 40)};
    QByteArray indices;
    for (int y = 0; y < 110; ++y)
        for (int x = 0; x < 150; ++x)
            indices.append(char(x < 20 && y < 20 ? 0 : (x / 25) % 2 + 1));
    const QString picture = save(dir.path(), "logo.gif", gif(150, 110, palette, indices, 0));
    QSize size(-1, -1);
    const QString result = ComposeFramedImage(picture, shipped("frame_round.gif"), size);
    ASSERT_FALSE(result.isEmpty());
    const CImage composed(result);
    ASSERT_TRUE(composed.IsValid());
    EXPECT_EQ(composed.GetTransparentColor(), 0x08FF08u);
    const QImage pixels(result);
    EXPECT_EQ(qAlpha(pixels.pixel(0, 0)), 0) << "outside the frame's rounded corner";
    EXPECT_EQ(qAlpha(pixels.pixel(12, 12)), 0) << "the picture's own transparent corner";
    // The picture's middle (its column 75 is yellow) shows through the frame.
    EXPECT_EQ(pixels.pixel(size.width() / 2, size.height() / 2) | 0xFF000000u, qRgb(240, 200, 40));
}

TEST_F(FramedImageTest, UndecodablePicturesLeaveNothing)
{
    const QString broken = save(dir.path(), "broken.jpg", QByteArray("\xFF\xD8\xFF\xE0 not really", 15));
    QSize size(50, 60);
    EXPECT_TRUE(ComposeFramedImage(broken, shipped("frame_wood.gif"), size).isEmpty());
    EXPECT_EQ(size, QSize(50, 60));
    EXPECT_TRUE(ComposeFramedImage(photo(), dir.filePath("missing.gif"), size).isEmpty());
    EXPECT_TRUE(ComposeFramedImage(photo(), save(dir.path(), "empty.png", QByteArray()), size).isEmpty());
}

// Four compositions side by side on a checkerboard (transparent parts show it):
// a frame over a photograph, a backdrop under one, two keyed GIFs, and a
// composition without transparency.
TEST_F(FramedImageTest, CompositionsMatchTheReviewedPicture)
{
    const QList<QRgb> palette = {qRgb(255, 255, 255), qRgb(200, 60, 40), qRgb(250, 240, 200)};
    QByteArray indices;
    for (int y = 0; y < 110; ++y)
        for (int x = 0; x < 150; ++x) {
            const int dx = x - 75;
            const int dy = y - 55;
            indices.append(char(dx * dx + dy * dy < 45 * 45 ? (dx * dx + dy * dy < 20 * 20 ? 2 : 1) : 0));
        }
    const QString logo = save(dir.path(), "sun.gif", gif(150, 110, palette, indices, 0));
    const struct
    {
        QString picture;
        QString dropped;
    } cases[] = {{photo(150, 110), shipped("frame_wood.gif")},
                 {photo(150, 110), shipped("back_dots.gif")},
                 {logo, shipped("frame_round.gif")},
                 {photo(150, 110), shipped("back_sky.gif")}};
    QList<QImage> pictures;
    for (const auto& c : cases) {
        QSize size(-1, -1);
        const QString result = ComposeFramedImage(c.picture, c.dropped, size);
        ASSERT_FALSE(result.isEmpty()) << c.dropped.toStdString();
        pictures.append(QImage(result).convertToFormat(QImage::Format_ARGB32));
    }
    QImage sheet(4 * 200, 170, QImage::Format_RGB32);
    QPainter painter(&sheet);
    for (int y = 0; y < sheet.height(); y += 8)
        for (int x = 0; x < sheet.width(); x += 8)
            painter.fillRect(x, y, 8, 8, ((x + y) / 8) % 2 ? QColor(204, 204, 204) : QColor(255, 255, 255));
    for (int i = 0; i < pictures.size(); ++i)
        painter.drawImage(i * 200 + 5, 5, pictures.at(i));
    painter.end();

    const QString expected = sourceDir() + QStringLiteral("/tests/data/expected/framed-images.png");
    if (qEnvironmentVariableIsSet("PAGINOR_UPDATE_EXPECTED")) {
        ASSERT_TRUE(sheet.save(expected));
        return;
    }
    const QImage committed = QImage(expected).convertToFormat(QImage::Format_RGB32);
    ASSERT_FALSE(committed.isNull()) << expected.toStdString();
    ASSERT_EQ(committed.size(), sheet.size());
    int differing = 0;
    for (int y = 0; y < sheet.height(); ++y)
        for (int x = 0; x < sheet.width(); ++x)
            differing += committed.pixel(x, y) != sheet.pixel(x, y);
    EXPECT_LT(differing, sheet.width() * sheet.height() / 200);
}

} // namespace
