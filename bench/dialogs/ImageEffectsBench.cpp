// The image effects dialog's preview of a 6000 x 4000 photograph: the first preview (the picture decoded at the
// preview's size and shown) against a plain decode of the whole file, and an Apply with all eight effects at their
// defaults once the picture is decoded.

#include "dialogs/ImgCssFilterSet.h"
#include "dialogs/ImgCssPreview.h"
#include "images/ImageCodec.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QPainter>
#include <QTemporaryDir>

namespace {

const QString& photo()
{
    static QTemporaryDir dir;
    static const QString path = [] {
        QImage picture(6000, 4000, QImage::Format_RGB32);
        QPainter p(&picture);
        for (int i = 0; i < 40; ++i)
            p.fillRect(i * 150, 0, 150, 4000, QColor::fromHsv(i * 9, 140, 220));
        p.end();
        const QString file = dir.filePath(QStringLiteral("photo.jpg"));
        picture.save(file, "JPEG", 85);
        return file;
    }();
    return path;
}

void waitShown(ImgCssPreview& preview)
{
    QElapsedTimer timer;
    timer.start();
    while (preview.shownGeneration() != preview.requestedGeneration() && timer.elapsed() < 60000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
}

void BM_ImageEffects_PlainDecode(benchmark::State& state)
{
    const QString& path = photo();
    for (auto _ : state)
        benchmark::DoNotOptimize(DecodeImageFile(path));
}

void BM_ImageEffects_FirstPreview(benchmark::State& state)
{
    const QString& path = photo();
    for (auto _ : state) {
        ImgCssPreview preview;
        preview.SetPicture(path, QRect(0, 24, 158, 105));
        preview.Render(QString());
        waitShown(preview);
    }
}

void BM_ImageEffects_ApplyAllEight(benchmark::State& state)
{
    ImgCssPreview preview;
    preview.SetPicture(photo(), QRect(0, 24, 158, 105));
    preview.Render(QString());
    waitShown(preview);
    std::array<QString, kImgCssFilterCount> texts;
    for (int i = 0; i < kImgCssFilterCount; ++i)
        texts[size_t(i)] = ImgCssPageModel(i).GetFilterText();
    ImgCssFilterSet set;
    set.Recognise(QString());
    const QString filter = set.PreviewFilter(texts);
    for (auto _ : state) {
        preview.Render(filter);
        waitShown(preview);
    }
}

} // namespace

BENCHMARK(BM_ImageEffects_PlainDecode)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ImageEffects_FirstPreview)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ImageEffects_ApplyAllEight)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::benchmark::Initialize(&argc, argv);
    if (::benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    ::benchmark::RunSpecifiedBenchmarks();
    ::benchmark::Shutdown();
    return 0;
}
