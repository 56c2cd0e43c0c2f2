#include "images/ImageCodec.h"
#include "images/ImageTestFiles.h"
#include "images/ThumbnailCache.h"
#include "images/ThumbnailTile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPainter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

using platform::Rect;

Rect loader(int w, int h, int W = 60, int H = 60)
{
    return ThumbnailDestination(w, h, W, H, ThumbnailRule::Loader);
}

Rect synchronous(int w, int h, int W = 60, int H = 60)
{
    return ThumbnailDestination(w, h, W, H, ThumbnailRule::Synchronous);
}

TEST(ThumbnailTile, FitRectCentresAndNeverEnlarges)
{
    EXPECT_EQ(FitRect(0, 10, 60, 60), Rect());
    EXPECT_EQ(FitRect(10, 0, 60, 60), Rect());
    EXPECT_EQ(FitRect(200, 100, 60, 60), Rect(0, 15, 60, 45));
    EXPECT_EQ(FitRect(50, 30, 60, 60), Rect(5, 15, 55, 45));
    EXPECT_EQ(FitRect(60, 90, 60, 60), Rect(10, 0, 50, 60));
    // Larger than the box: shrunk to it.
    EXPECT_EQ(FitRect(50, 50, 40, 40), Rect(0, 0, 40, 40));
}

TEST(ThumbnailTile, LoaderRulePlacesPicturesAsTheListShowsThem)
{
    EXPECT_EQ(loader(200, 100), Rect(0, 15, 60, 45));
    EXPECT_EQ(loader(100, 200), Rect(15, 0, 45, 60));
    // Too tall only: shrinking to 10 % keeps the width, squeezed not a line.
    EXPECT_EQ(loader(40, 600), Rect(10, 0, 50, 60));
    // Too tall only at 50 %: both sides shrink.
    EXPECT_EQ(loader(40, 120), Rect(20, 0, 40, 60));
    // Too wide only at 10 % keeps the height.
    EXPECT_EQ(loader(600, 40), Rect(0, 10, 60, 50));
    EXPECT_EQ(loader(50, 30), Rect(5, 15, 55, 45));
    // As wide as the tile: no resampling, the placement scales it.
    EXPECT_EQ(loader(60, 90), Rect(10, 0, 50, 60));
    EXPECT_EQ(loader(0, 90), Rect());
}

TEST(ThumbnailTile, SynchronousRuleCopiesSmallPicturesAndKeepsSidesBelowTwentyOnePercent)
{
    EXPECT_EQ(synchronous(600, 100, 300, 100), Rect(0, 25, 300, 75));
    EXPECT_EQ(synchronous(40, 600), Rect(10, 0, 50, 60));
    EXPECT_EQ(synchronous(60, 60), Rect(0, 0, 60, 60));
    EXPECT_EQ(synchronous(30, 20), Rect(15, 20, 45, 40));
    // 21 % shrinks, 20 % keeps.
    EXPECT_EQ(synchronous(600, 40, 126, 60), Rect(0, 26, 126, 34));
    EXPECT_EQ(synchronous(600, 40, 120, 60), Rect(0, 10, 120, 50));
    EXPECT_EQ(synchronous(100, 200), Rect(15, 0, 45, 60));
}

TEST(ThumbnailTile, PhotosStayWholeAndGifTilesAreTransparentOnlyWhereTheGifIs)
{
    QTemporaryDir dir;
    // A photo with a pixel of the old mask colour keeps it.
    QImage photo(120, 60, QImage::Format_RGB32);
    photo.fill(QColor(0xC0, 0xC0, 0xC0));
    const QImage tile = MakeThumbnailTile(photo, QSize(60, 60), ThumbnailRule::Loader, false);
    EXPECT_EQ(tile.size(), QSize(60, 60));
    EXPECT_EQ(tile.pixel(30, 30), qRgb(0xC0, 0xC0, 0xC0));
    EXPECT_EQ(tile.pixel(30, 2), qRgb(255, 255, 255));

    // A GIF with a transparent entry and an opaque white one.
    const QList<QRgb> palette = {qRgb(255, 255, 255), qRgb(255, 0, 0)};
    const QByteArray indices(QByteArray(20, '\x00') + QByteArray(20, '\x01'));
    const QString opaque = imagetest::save(dir.path(), "white.GIF", imagetest::gif(10, 4, palette, indices));
    const QString keyed = imagetest::save(dir.path(), "keyed.gif", imagetest::gif(10, 4, palette, indices, 0));
    bool decoded = false;
    const QImage whiteTile = LoadThumbnailTile(opaque, QSize(60, 60), ThumbnailRule::Loader, &decoded);
    EXPECT_TRUE(decoded);
    EXPECT_EQ(qAlpha(whiteTile.pixel(0, 0)), 0);             // outside the picture
    EXPECT_EQ(whiteTile.pixel(27, 28), qRgb(255, 255, 255)); // its white stays
    const QImage keyedTile = LoadThumbnailTile(keyed, QSize(60, 60), ThumbnailRule::Loader);
    EXPECT_EQ(qAlpha(keyedTile.pixel(27, 28)), 0);
    EXPECT_EQ(keyedTile.pixel(27, 31), qRgb(255, 0, 0));

    // Undecodable: the empty tile, white for a photo, clear for a GIF.
    const QString broken = imagetest::save(dir.path(), "broken.jpg", QByteArray("\xFF\xD8\xFF garbage", 12));
    const QImage blank = LoadThumbnailTile(broken, QSize(60, 60), ThumbnailRule::Loader, &decoded);
    EXPECT_FALSE(decoded);
    EXPECT_EQ(blank.pixel(30, 30), qRgb(255, 255, 255));
}

TEST(ThumbnailTile, ReducedJpegDecodeKeepsWhatTheTileNeeds)
{
    QTemporaryDir dir;
    const QString wide = imagetest::save(dir.path(), "wide.jpg", imagetest::jpeg(imagetest::pattern(1600, 800)));
    const DecodedImage reduced = DecodeImageFileReduced(wide, [](QSize own) {
        EXPECT_EQ(own, QSize(1600, 800));
        return QSize(60, 30);
    });
    ASSERT_FALSE(reduced.isNull());
    EXPECT_EQ(reduced.fullSize, QSize(1600, 800));
    EXPECT_EQ(reduced.image.size(), QSize(200, 100)); // an eighth
    // A thin picture whose width the tile keeps is not reduced across.
    const QString thin = imagetest::save(dir.path(), "thin.jpg", imagetest::jpeg(imagetest::pattern(40, 1200)));
    const DecodedImage kept = DecodeImageFileReduced(thin, [](QSize) { return QSize(40, 60); });
    EXPECT_EQ(kept.image.width(), 40);
}

class ThumbnailCacheTest : public ::testing::Test
{
protected:
    QString picture(const QString& name, QColor colour, QSize size = QSize(90, 60))
    {
        QImage image(size, QImage::Format_RGB32);
        image.fill(colour);
        return imagetest::save(files.path(), name, imagetest::rgbPng(image));
    }
    QTemporaryDir files;
    QTemporaryDir cacheRoot;
    ThumbnailCache cache{cacheRoot.filePath("Thumbnails")};
};

TEST_F(ThumbnailCacheTest, AHitGivesTheKeptTileAndAChangedFileMisses)
{
    const QString path = picture("a.png", Qt::red);
    bool stored = false;
    const QImage first = LoadCachedThumbnailTile(&cache, path, QSize(60, 60), ThumbnailRule::Loader, &stored);
    EXPECT_TRUE(stored);
    EXPECT_EQ(QFileInfo(cache.folder()).permissions() & 0x0077, 0); // only the user's
    const auto key = ThumbnailCache::keyOf(path, QSize(60, 60), int(ThumbnailRule::Loader));
    ASSERT_TRUE(key);
    EXPECT_EQ(cache.find(*key).pixel(30, 30), first.pixel(30, 30));
    // Another tile size or list kind is another entry.
    EXPECT_TRUE(cache.find(*ThumbnailCache::keyOf(path, QSize(50, 60), 0)).isNull());
    EXPECT_TRUE(cache.find(*ThumbnailCache::keyOf(path, QSize(60, 60), 1)).isNull());

    // The picture changes (another size of file): a miss, and the new picture.
    picture("a.png", Qt::blue, QSize(91, 60));
    stored = false;
    const QImage second = LoadCachedThumbnailTile(&cache, path, QSize(60, 60), ThumbnailRule::Loader, &stored);
    EXPECT_TRUE(stored);
    EXPECT_EQ(second.pixel(30, 30), qRgb(0, 0, 255));
}

TEST_F(ThumbnailCacheTest, DamagedEntriesAreMissesAndTheFolderKeepsItsBound)
{
    const QString path = picture("a.png", Qt::green);
    const auto key = ThumbnailCache::keyOf(path, QSize(60, 60), 0);
    ASSERT_TRUE(cache.store(*key, MakeThumbnailTile(QImage(), QSize(60, 60), ThumbnailRule::Loader, false)));
    // Cut short: a miss, then made again.
    QFile entry(cache.fileOf(*key));
    ASSERT_TRUE(entry.open(QIODevice::ReadWrite));
    entry.resize(entry.size() / 2);
    entry.close();
    EXPECT_TRUE(cache.find(*key).isNull());
    QFile garbage(cache.fileOf(*key));
    ASSERT_TRUE(garbage.open(QIODevice::WriteOnly));
    garbage.write("not a picture");
    garbage.close();
    EXPECT_TRUE(cache.find(*key).isNull());
    bool stored = false;
    EXPECT_EQ(LoadCachedThumbnailTile(&cache, path, QSize(60, 60), ThumbnailRule::Loader, &stored).pixel(30, 30),
              qRgb(0, 255, 0));
    EXPECT_TRUE(stored);

    // A cache that cannot be written is no error.
    ThumbnailCache unwritable(QStringLiteral("/proc/no-such/Thumbnails"));
    EXPECT_FALSE(unwritable.store(*key, QImage(60, 60, QImage::Format_ARGB32)));
    EXPECT_TRUE(unwritable.find(*key).isNull());

    // Size bound: the entry used longest ago goes first.
    ThumbnailCache small(cache.folder(), 0);
    QStringList paths;
    for (int i = 0; i < 4; ++i)
        paths << picture(QStringLiteral("p%1.png").arg(i), QColor(i * 60, 0, 0));
    for (const QString& p : paths)
        LoadCachedThumbnailTile(&small, p, QSize(60, 60), ThumbnailRule::Loader);
    const qint64 one = QFileInfo(small.fileOf(*ThumbnailCache::keyOf(paths[0], QSize(60, 60), 0))).size();
    for (int i = 0; i < 4; ++i) {
        QFile f(small.fileOf(*ThumbnailCache::keyOf(paths[i], QSize(60, 60), 0)));
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        f.setFileTime(QDateTime::currentDateTimeUtc().addSecs(-100 + i * 10), QFileDevice::FileModificationTime);
    }
    // Using the oldest makes it the newest.
    EXPECT_FALSE(small.find(*ThumbnailCache::keyOf(paths[0], QSize(60, 60), 0)).isNull());
    ThumbnailCache bounded(cache.folder(), small.size() - one * 2 + 5);
    bounded.trim();
    EXPECT_FALSE(QFileInfo::exists(small.fileOf(*ThumbnailCache::keyOf(paths[1], QSize(60, 60), 0))));
    EXPECT_FALSE(QFileInfo::exists(small.fileOf(*ThumbnailCache::keyOf(paths[2], QSize(60, 60), 0))));
    EXPECT_TRUE(QFileInfo::exists(small.fileOf(*ThumbnailCache::keyOf(paths[0], QSize(60, 60), 0))));
    EXPECT_TRUE(QFileInfo::exists(small.fileOf(*ThumbnailCache::keyOf(paths[3], QSize(60, 60), 0))));
}

} // namespace
