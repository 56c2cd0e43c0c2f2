// Start-up and file-boundary costs of the platform layer: filling the data
// root from the shipped tree (first start against a restart with nothing to
// copy), and decoding a page in a Japanese code page against UTF-8.

#include "platform/CodePages.h"
#include "platform/DataRoot.h"
#include "platform/FileOps.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace {

// A shipped tree of `files` files of `size` bytes in a few folders.
void makeShippedTree(const QString& share, int files, int size)
{
    const QByteArray data(size, 'x');
    for (int i = 0; i < files; ++i) {
        const QString folder = share + QStringLiteral("/Folder%1").arg(i % 8);
        QDir().mkpath(folder);
        QFile file(folder + QStringLiteral("/file%1.bin").arg(i));
        if (file.open(QIODevice::WriteOnly))
            file.write(data);
    }
}

void BM_DataRootFirstFill(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString share = dir.path() + QStringLiteral("/share");
    makeShippedTree(share, int(state.range(0)), 50 * 1024);
    for (auto _ : state) {
        state.PauseTiming();
        platform::removePath(dir.path() + QStringLiteral("/root"));
        state.ResumeTiming();
        benchmark::DoNotOptimize(platform::fillDataRoot(share, dir.path() + QStringLiteral("/root")));
    }
}
BENCHMARK(BM_DataRootFirstFill)->Arg(200)->Unit(benchmark::kMillisecond);

void BM_DataRootRestart(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString share = dir.path() + QStringLiteral("/share");
    makeShippedTree(share, int(state.range(0)), 50 * 1024);
    platform::fillDataRoot(share, dir.path() + QStringLiteral("/root"));
    for (auto _ : state)
        benchmark::DoNotOptimize(platform::fillDataRoot(share, dir.path() + QStringLiteral("/root")));
}
BENCHMARK(BM_DataRootRestart)->Arg(200)->Unit(benchmark::kMillisecond);

QString japanesePage()
{
    QString page = QStringLiteral("<html><head><title>ページ</title></head><body>");
    while (page.size() < 512 * 1024)
        page += QStringLiteral("<p>今日は良い天気です。ホームページを更新しました。</p>\n");
    return page + QStringLiteral("</body></html>");
}

void BM_Decode(benchmark::State& state, const char* charset)
{
    const QByteArray bytes = platform::encodeText(japanesePage(), QString::fromLatin1(charset));
    for (auto _ : state)
        benchmark::DoNotOptimize(platform::decodeText(bytes, QString::fromLatin1(charset)));
    state.SetBytesProcessed(int64_t(state.iterations()) * bytes.size());
}
BENCHMARK_CAPTURE(BM_Decode, windows31j, "windows-31j")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Decode, utf8, "UTF-8")->Unit(benchmark::kMillisecond);

void BM_Detect(benchmark::State& state, const char* charset)
{
    const QByteArray bytes = platform::encodeText(japanesePage(), QString::fromLatin1(charset));
    for (auto _ : state)
        benchmark::DoNotOptimize(platform::detectCharset(bytes));
    state.SetBytesProcessed(int64_t(state.iterations()) * bytes.size());
}
BENCHMARK_CAPTURE(BM_Detect, windows31j, "windows-31j")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Detect, utf8, "UTF-8")->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
