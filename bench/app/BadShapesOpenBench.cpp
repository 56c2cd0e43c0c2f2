// Opening pages of unusual shape (see bench/engine/BadShapePages.h), very
// many paragraphs (loose in BODY, which the program wraps into a text box,
// or in a text box already; or of one letter each, the most elements a
// megabyte holds) and a long source listing in the program as a
// user opens a file, to the first paint of its window and on until the
// layout is whole. Counters: the longest time the event loop was kept from
// running (and the processor time of that block), the whole layout's end,
// how often the layout started over, the longest block while it closes.
//   bench_app --benchmark_filter='OpenBadShape|OpenParagraphs|OpenTinyParagraphs|OpenListing'
// And the pages of a folder (see registerPageFolderOpens):
//   bench/pages/make-reference-pages.py /tmp/pages
//   PAGINOR_BENCH_PAGES_DIR=/tmp/pages bench_app --benchmark_filter=OpenPage/

#include "bench/app/LargePageOpenBench.h"
#include "bench/engine/BadShapePages.h"
#include "bench/engine/BenchPages.h"
#include "bench/engine/ListingPage.h"

#include <benchmark/benchmark.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace {

using bench_pages::Shape;

void openPage(benchmark::State& state, const QString& html)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("page.html"));
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly))
            return state.SkipWithError("the page was not written");
        file.write(html.toUtf8());
    }
    openPageFile(state, path, true);
}

void BM_OpenBadShape(benchmark::State& state, Shape shape)
{
    openPage(state, bench_pages::badShapePage(shape, static_cast<int>(state.range(0))));
}

void BM_OpenParagraphs(benchmark::State& state, bool inTextBox)
{
    openPage(state, bench_pages::textBoxPage(static_cast<int>(state.range(0)), inTextBox));
}

void BM_OpenTinyParagraphs(benchmark::State& state)
{
    QString html = QStringLiteral("<html><head><title>tiny</title></head><body>\n");
    const QString paragraph = QStringLiteral("<p>a</p>\n");
    html.reserve(html.size() + paragraph.size() * state.range(0) + 32);
    for (int64_t i = 0; i < state.range(0); ++i)
        html += paragraph;
    html += QStringLiteral("</body></html>\n");
    openPage(state, html);
}

void BM_OpenListing(benchmark::State& state)
{
    openPage(state, bench_pages::listingPage(static_cast<int>(state.range(0))));
}

} // namespace

void registerPageFolderOpens()
{
    const QString folder = qEnvironmentVariable("PAGINOR_BENCH_PAGES_DIR");
    if (folder.isEmpty())
        return;
    const QDir dir(folder);
    for (const QString& name : dir.entryList({QStringLiteral("*.html")}, QDir::Files, QDir::Name)) {
        const QString path = dir.filePath(name);
        benchmark::RegisterBenchmark(("BM_OpenPage/" + name).toStdString().c_str(),
                                     [path](benchmark::State& state) { openPageFile(state, path, true); })
            ->Unit(benchmark::kMillisecond)
            ->Iterations(1)
            ->UseManualTime();
    }
}

BENCHMARK_CAPTURE(BM_OpenBadShape, paragraph, Shape::LongParagraph)
    ->Arg(1 << 20)
    ->Arg(10 << 20)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->UseManualTime();
BENCHMARK_CAPTURE(BM_OpenBadShape, pre_line, Shape::LongPreLine)
    ->Arg(1 << 20)
    ->Arg(10 << 20)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->UseManualTime();
BENCHMARK_CAPTURE(BM_OpenBadShape, wide_row, Shape::WideRow)
    ->Arg(20000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->UseManualTime();
BENCHMARK_CAPTURE(BM_OpenBadShape, deep_tables, Shape::DeepTables)
    ->Arg(100)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->UseManualTime();
BENCHMARK_CAPTURE(BM_OpenBadShape, deep_divs, Shape::DeepDivs)
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->UseManualTime();
BENCHMARK_CAPTURE(BM_OpenBadShape, deep_inlines, Shape::DeepInlines)
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->UseManualTime();
BENCHMARK_CAPTURE(BM_OpenParagraphs, loose, false)
    ->Arg(200000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->UseManualTime();
BENCHMARK_CAPTURE(BM_OpenParagraphs, in_text_box, true)
    ->Arg(200000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->UseManualTime();
BENCHMARK(BM_OpenTinyParagraphs)->Arg(600000)->Unit(benchmark::kMillisecond)->Iterations(1)->UseManualTime();
BENCHMARK(BM_OpenListing)->Arg(40000)->Unit(benchmark::kMillisecond)->Iterations(1)->UseManualTime();
