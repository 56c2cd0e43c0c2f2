// The title a page window's caption shows, read from the page file: an
// 8 MB manual whose title is written "<title>" (the rest of the file is
// looked through for a "<TITLE>", which would come first) and the same
// manual with "<TITLE>".
//   bench_app --benchmark_filter='CaptionTitle'

#include "bench/engine/DocumentationPage.h"

#include "util/FileHelpers.h"

#include <benchmark/benchmark.h>

#include <QFile>
#include <QTemporaryDir>

namespace {

void BM_CaptionTitle(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("manual.html"));
    {
        QString html = bench_pages::documentationPage(8 * 1024 * 1024);
        if (state.range(0))
            html.replace(QStringLiteral("<title>"), QStringLiteral("<TITLE>"));
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly))
            return state.SkipWithError("the page was not written");
        file.write(html.toUtf8());
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(GetHtmlFileTitle(path));
}

} // namespace

BENCHMARK(BM_CaptionTitle)->ArgName("upper")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
