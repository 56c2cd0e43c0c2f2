// Filling a thumbnail list with a folder of 500 photographs (JPEG, 2400 x
// 1600, made once and kept beside the benchmark): the first fill with an
// empty cache and a second fill from the cache, against a plain Magick++
// loop that reads each file and resizes it to the tile. While the list
// fills, the longest time the user-interface thread spends on one round of
// its events is measured.

#include "engine/layout/ImageLibrary.h"
#include "images/CVornaImageListCtrl.h"
#include "images/ThumbnailCache.h"

#include <benchmark/benchmark.h>

#include <Magick++.h>

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QImage>
#include <QImageWriter>
#include <QPainter>
#include <QThread>

#include <algorithm>
#include <cstdio>
#include <functional>

namespace {

constexpr int kPhotos = 500;

struct Photos
{
    QString folder;
    QStringList names;

    Photos()
    {
        folder = QCoreApplication::applicationDirPath() + QStringLiteral("/thumbnail-photos");
        QDir().mkpath(folder);
        for (int i = 0; i < kPhotos; ++i) {
            const QString name = QStringLiteral("photo%1.jpg").arg(i, 3, 10, QLatin1Char('0'));
            names << name;
            const QString path = folder + QLatin1Char('/') + name;
            if (QFileInfo::exists(path))
                continue;
            QImage image(2400, 1600, QImage::Format_RGB32);
            for (int y = 0; y < image.height(); ++y) {
                QRgb* line = reinterpret_cast<QRgb*>(image.scanLine(y));
                for (int x = 0; x < image.width(); ++x)
                    line[x] = qRgb((x * 255) / 2400, (y * 255) / 1600, ((x ^ (y + i)) >> 2) & 0xFF);
            }
            QPainter painter(&image);
            for (int k = 0; k < 40; ++k)
                painter.fillRect(((i + k) * 997) % 2400, (k * 631) % 1600, 200, 130,
                                 QColor((i * 37 + k) % 256, (k * 91) % 256, (i * 53) % 256));
            painter.end();
            QImageWriter writer(path, "jpeg");
            writer.setQuality(88);
            writer.write(image);
        }
    }
};

Photos& photos()
{
    static Photos made;
    return made;
}

double longestUiRoundMs = 0;

// Fills a list with the photos and waits until every thumbnail is in,
// noting the longest round of the event loop.
void fillOnce()
{
    CVornaImageListCtrl list;
    list.resize(600, 400);
    list.m_strFolder = photos().folder + QLatin1Char('/');
    list.SetItems(photos().names, CVornaImageListCtrl::PlaceholderPicture);
    list.show();
    QApplication::processEvents();
    list.StartLoading();
    while (list.IsLoading()) {
        QElapsedTimer round;
        round.start();
        QApplication::processEvents(QEventLoop::AllEvents, 5);
        longestUiRoundMs = std::max(longestUiRoundMs, round.nsecsElapsed() / 1e6);
        QThread::usleep(500);
    }
    QApplication::processEvents();
}

void BM_PlainMagickReadResize(benchmark::State& state)
{
    engine::startImageLibrary();
    for (auto _ : state) {
        for (const QString& name : photos().names) {
            Magick::Image image;
            image.read((photos().folder + QLatin1Char('/') + name).toStdString());
            image.resize(Magick::Geometry(60, 60));
            benchmark::DoNotOptimize(image.columns());
        }
    }
}

void BM_ThumbnailFirstFill(benchmark::State& state)
{
    for (auto _ : state) {
        state.PauseTiming();
        QDir(ThumbnailCache::defaultFolder()).removeRecursively();
        longestUiRoundMs = 0;
        state.ResumeTiming();
        fillOnce();
    }
    state.counters["longest_ui_round_ms"] = longestUiRoundMs;
}

void BM_ThumbnailFillFromCache(benchmark::State& state)
{
    for (auto _ : state) {
        state.PauseTiming();
        longestUiRoundMs = 0;
        state.ResumeTiming();
        fillOnce();
    }
    state.counters["longest_ui_round_ms"] = longestUiRoundMs;
}

BENCHMARK(BM_PlainMagickReadResize)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_ThumbnailFirstFill)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_ThumbnailFillFromCache)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

void prepareThumbnailBench()
{
    photos();
}

void printThumbnailRatios(const std::function<double(const char*)>& find)
{
    const double plain = find("BM_PlainMagickReadResize");
    if (plain > 0) {
        std::printf("thumbnails, first fill / plain loop: %.3f (limit 0.35)\n", find("BM_ThumbnailFirstFill") / plain);
        std::printf("thumbnails, fill from cache / plain loop: %.4f (limit 0.01)\n",
                    find("BM_ThumbnailFillFromCache") / plain);
    }
}
