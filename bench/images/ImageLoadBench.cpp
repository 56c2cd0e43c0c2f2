// Measuring and loading a 6000 x 4000 photograph (JPEG, made once): the
// program's GetImageFileSize and LoadImageBitmap against a plain Magick++
// read of the same file whose pixels are copied into a QImage. The ratios are
// printed at the end.

#include "engine/layout/ImageLibrary.h"
#include "images/ImageFiles.h"

#include <benchmark/benchmark.h>

#include <Magick++.h>

#include <QImage>
#include <QImageWriter>
#include <QPainter>
#include <QTemporaryDir>

#include <cstdio>
#include <functional>
#include <map>
#include <string>

namespace {

struct Photo
{
    QTemporaryDir dir;
    QString path;

    Photo()
    {
        path = dir.filePath(QStringLiteral("photo.jpg"));
        QImage image(6000, 4000, QImage::Format_RGB32);
        // Gradients and shapes, so the coder has detail to work through.
        for (int y = 0; y < image.height(); ++y) {
            QRgb* line = reinterpret_cast<QRgb*>(image.scanLine(y));
            for (int x = 0; x < image.width(); ++x)
                line[x] = qRgb((x * 255) / 6000, (y * 255) / 4000, ((x ^ y) >> 3) & 0xFF);
        }
        QPainter painter(&image);
        for (int i = 0; i < 300; ++i)
            painter.fillRect((i * 997) % 6000, (i * 631) % 4000, 240, 160,
                             QColor((i * 37) % 256, (i * 91) % 256, (i * 53) % 256));
        painter.end();
        QImageWriter writer(path, "jpeg");
        writer.setQuality(88);
        writer.write(image);
    }
};

Photo& photo()
{
    static Photo made;
    return made;
}

void BM_PlainMagickReadIntoQImage(benchmark::State& state)
{
    engine::startImageLibrary();
    const std::string file = photo().path.toStdString();
    for (auto _ : state) {
        Magick::Image image;
        image.read(file);
        QImage pixels(int(image.columns()), int(image.rows()), QImage::Format_RGB32);
        image.write(0, 0, image.columns(), image.rows(), "BGRA", Magick::CharPixel, pixels.bits());
        benchmark::DoNotOptimize(pixels.bits());
    }
}

void BM_GetImageFileSize(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(GetImageFileSize(photo().path));
}

void BM_LoadImageBitmap(benchmark::State& state)
{
    for (auto _ : state) {
        platform::ColorRef transparent = 0;
        QSize size;
        const QImage bitmap = LoadImageBitmap(photo().path, transparent, &size);
        benchmark::DoNotOptimize(bitmap.constBits());
    }
}

BENCHMARK(BM_PlainMagickReadIntoQImage)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_GetImageFileSize)->Unit(benchmark::kMillisecond)->Iterations(50);
BENCHMARK(BM_LoadImageBitmap)->Unit(benchmark::kMillisecond)->Iterations(5);

} // namespace

void printImageLoadRatios(const std::function<double(const char*)>& find)
{
    const double plain = find("BM_PlainMagickReadIntoQImage");
    if (plain > 0) {
        std::printf("GetImageFileSize / plain read: %.4f (limit 0.01)\n", find("BM_GetImageFileSize") / plain);
        std::printf("LoadImageBitmap / plain read: %.3f (limit 1.3)\n", find("BM_LoadImageBitmap") / plain);
    }
}

void prepareImageLoadBench()
{
    photo();
}
