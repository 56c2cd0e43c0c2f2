// The banner maker on an 800 x 400 canvas over a 3000 x 2000 picture: the
// canvas-corner drag's redraw against a plain stretched drawImage, the full
// composition against a plain smooth QImage::scaled, and OK's drawing and
// write against SaveBitmapAsGif of the same banner alone.

#include "images/BannerModel.h"
#include "images/ImageFiles.h"

#include <benchmark/benchmark.h>

#include <QFile>
#include <QImageWriter>
#include <QPainter>
#include <QTemporaryDir>

#include <cstdio>
#include <functional>

namespace {

struct BannerBench
{
    QTemporaryDir dir;
    QString picture;
    QImage pixels;
    BannerModel model;

    BannerBench()
    {
        picture = dir.filePath(QStringLiteral("picture.png"));
        pixels = QImage(3000, 2000, QImage::Format_RGB32);
        for (int y = 0; y < pixels.height(); ++y) {
            QRgb* line = reinterpret_cast<QRgb*>(pixels.scanLine(y));
            for (int x = 0; x < pixels.width(); ++x)
                line[x] = qRgb((x * 255) / 3000, (y * 255) / 2000, ((x ^ y) >> 3) & 0xFF);
        }
        QImageWriter(picture, "png").write(pixels);
        model.m_text.text = QStringLiteral("Paginor");
        model.m_text.font.setPixelSize(48);
        model.m_strPicturePath = picture;
        model.Compose();
        model.m_rcCanvas = platform::Rect(0, 0, 800, 400);
        model.Compose();
    }
};

BannerBench& bench()
{
    static BannerBench made;
    return made;
}

// Each step of a drag moves the corner by a pixel, as the mouse does.
void BM_BannerQuickCompose(benchmark::State& state)
{
    BannerModel& model = bench().model;
    int step = 0;
    for (auto _ : state) {
        model.m_rcCanvas = platform::Rect(0, 0, 800 - (++step & 1), 400);
        model.QuickCompose();
    }
    model.m_rcCanvas = platform::Rect(0, 0, 800, 400);
}
BENCHMARK(BM_BannerQuickCompose)->Unit(benchmark::kMillisecond);

void BM_PlainStretchedDraw(benchmark::State& state)
{
    QImage canvas(800, 400, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        QPainter dc(&canvas);
        dc.drawImage(QRect(0, 0, 800, 400), bench().pixels);
    }
}
BENCHMARK(BM_PlainStretchedDraw)->Unit(benchmark::kMillisecond);

// A new canvas size each time, so the picture is resampled each time.
void BM_BannerCompose(benchmark::State& state)
{
    BannerModel& model = bench().model;
    int step = 0;
    for (auto _ : state) {
        model.m_rcCanvas = platform::Rect(0, 0, 800 - (++step & 1), 400);
        model.Compose();
    }
    model.m_rcCanvas = platform::Rect(0, 0, 800, 400);
    model.Compose();
}
BENCHMARK(BM_BannerCompose)->Unit(benchmark::kMillisecond);

void BM_PlainSmoothScale(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(bench().pixels.scaled(800, 400, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
}
BENCHMARK(BM_PlainSmoothScale)->Unit(benchmark::kMillisecond);

void BM_BannerWrite(benchmark::State& state)
{
    BannerModel& model = bench().model;
    const QString folder = bench().dir.filePath(QStringLiteral("User"));
    QString file;
    for (auto _ : state) {
        model.WriteBanner(folder, file);
        state.PauseTiming();
        QFile::remove(file);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_BannerWrite)->Unit(benchmark::kMillisecond);

void BM_PlainGifWrite(benchmark::State& state)
{
    BannerModel& model = bench().model;
    const QImage banner = model.BannerBitmap(nullptr);
    const QString file = bench().dir.filePath(QStringLiteral("plain.gif"));
    for (auto _ : state)
        SaveBitmapAsGif(banner, file, kNoTransparentColor);
}
BENCHMARK(BM_PlainGifWrite)->Unit(benchmark::kMillisecond);

} // namespace

void printBannerRatios(const std::function<double(const char*)>& find)
{
    const auto ratio = [&](const char* mine, const char* plain, double limit) {
        if (find(plain) > 0)
            std::printf("%s / %s: %.3f (limit %.1f)\n", mine, plain, find(mine) / find(plain), limit);
    };
    ratio("BM_BannerQuickCompose", "BM_PlainStretchedDraw", 1.5);
    ratio("BM_BannerCompose", "BM_PlainSmoothScale", 1.5);
    ratio("BM_BannerWrite", "BM_PlainGifWrite", 1.3);
}
