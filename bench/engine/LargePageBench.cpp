// Opening a multi-megabyte manual page in a page view, as the program opens
// a file (read, decoded and parsed in the background): from the open call
// to the first paint of the view by its event loop, against headless
// chromium showing the same file (its process start included, as a person
// opening the file waits for it). Counters: the whole layout's end, and the
// longest time the event loop was kept from running (on a busy machine this
// includes the time the process waited for a core). Chromium runs only when
// it is installed.

#include "engine/dom/Document.h"
#include "engine/layout/DefaultStyleSheet.h"
#include "engine/layout/DocumentLayout.h"
#include "engine/layout/LayoutEngine.h"
#include "engine/layout/LayoutSerializer.h"
#include "engine/view/PageView.h"

#include "bench/engine/BareContainer.h"

#include "bench/engine/Chromium.h"
#include "bench/engine/DocumentationPage.h"
#include "bench/engine/EventLoopWatch.h"
#include "bench/engine/OffscreenView.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>

#include <algorithm>

#include <time.h>

namespace {

using bench_pages::runEventsUntil;
using bench_pages::StallWatch;

// The page file, written once per run (PAGINOR_BENCH_PAGE_MB sets its size,
// PAGINOR_BENCH_PAGE_FILE where it is kept); PAGINOR_BENCH_OPEN names a page
// of one's own to open instead.
const QString& largePagePath()
{
    static QTemporaryDir dir;
    static const QString path = [] {
        if (qEnvironmentVariableIsSet("PAGINOR_BENCH_OPEN"))
            return qEnvironmentVariable("PAGINOR_BENCH_OPEN");
        const int megabytes = qEnvironmentVariableIsSet("PAGINOR_BENCH_PAGE_MB")
                                  ? qEnvironmentVariableIntValue("PAGINOR_BENCH_PAGE_MB")
                                  : 8;
        const QString p = qEnvironmentVariableIsSet("PAGINOR_BENCH_PAGE_FILE")
                              ? qEnvironmentVariable("PAGINOR_BENCH_PAGE_FILE")
                              : dir.filePath(QStringLiteral("manual.html"));
        QFile f(p);
        if (f.open(QIODevice::WriteOnly))
            f.write(bench_pages::documentationPage(megabytes * 1024 * 1024).toUtf8());
        return p;
    }();
    return path;
}

void BM_OpenLargePageToFirstPaint_Ours(benchmark::State& state)
{
    const QString path = largePagePath();
    double whole = 0;
    qint64 stall = 0;
    qint64 stallCpu = 0;
    for (auto _ : state) {
        engine::Ref<engine::Document> doc = engine::Document::create();
        auto view = bench_pages::offscreenView(doc.get());
        StallWatch watch;
        QElapsedTimer clock;
        clock.start();
        // (To the first paint of the page, as the window's event loop makes it.)
        bench_pages::openToFirstPaint(*doc, *view, path);
        const double firstPaint = clock.nsecsElapsed() / 1e9;
        state.SetIterationTime(firstPaint);
        runEventsUntil([&] { return !view->layout().needsLayout() && !view->layout().isLayingOutInBackground(); });
        whole = clock.nsecsElapsed() / 1e9;
        stall = std::max(stall, watch.longest());
        stallCpu = std::max(stallCpu, watch.longestCpu());
        // (Taking the page apart is not part of any figure.)
        view.reset();
        doc = nullptr;
    }
    state.counters["bytes"] = double(QFileInfo(path).size());
    state.counters["whole_layout_s"] = whole;
    state.counters["longest_block_ms"] = double(stall);
    state.counters["longest_block_cpu_ms"] = double(stallCpu);
}

void BM_OpenLargePageToFirstPaint_Chromium(benchmark::State& state)
{
    bench_pages::timeChromium(state, largePagePath());
}

// The whole layout of the same page at once on one thread, in its steps
// (the layout text, the layout library's page, its layout, our boxes and
// lines), against the layout library alone (its least container) reading
// the same text: what the bridge adds to the library's own cost.
double secondsSince(QElapsedTimer& clock)
{
    const double s = clock.nsecsElapsed() / 1e9;
    clock.restart();
    return s;
}

void BM_WholeLayoutAtOnce_Ours(benchmark::State& state)
{
    engine::Ref<engine::Document> doc = engine::Document::create();
    doc->load(largePagePath());
    double written = 0, loaded = 0, laidOut = 0, lines = 0;
    for (auto _ : state) {
        QElapsedTimer clock;
        clock.start();
        const QString html = engine::LayoutSerializer::serialize(*doc).html;
        written = secondsSince(clock);
        auto layout = std::make_unique<engine::LayoutEngine>();
        layout->load(html);
        loaded = secondsSince(clock);
        layout->layout(800);
        laidOut = secondsSince(clock);
        layout->findTextLines();
        lines = secondsSince(clock);
        state.PauseTiming();
        layout.reset();
        state.ResumeTiming();
    }
    state.counters["write_s"] = written;
    state.counters["load_s"] = loaded;
    state.counters["layout_s"] = laidOut;
    state.counters["lines_s"] = lines;
}

// The same read in parts on as many threads as the machine has cores, as
// the page view reads a long page's whole layout.
void BM_WholeLayoutAtOnce_InParts(benchmark::State& state)
{
    engine::Ref<engine::Document> doc = engine::Document::create();
    doc->load(largePagePath());
    double written = 0, loaded = 0, laidOut = 0;
    int parts = 0;
    for (auto _ : state) {
        QElapsedTimer clock;
        clock.start();
        engine::LayoutSerializer writer(*doc);
        writer.keepInPiecesOf(engine::DocumentLayout::kPieceLength);
        while (!writer.advance(1 << 20)) {
        }
        written = secondsSince(clock);
        auto layout = std::make_unique<engine::LayoutEngine>();
        layout->load(writer.wholePieces(), writer.cuts(), writer.styleSheetLinks(), QThread::idealThreadCount(),
                     engine::DocumentLayout::kLeastPartLength);
        loaded = secondsSince(clock);
        parts = layout->partsRead();
        layout->layout(800);
        laidOut = secondsSince(clock);
        state.PauseTiming();
        layout.reset();
        state.ResumeTiming();
    }
    state.counters["write_s"] = written;
    state.counters["load_s"] = loaded;
    state.counters["layout_s"] = laidOut;
    state.counters["parts"] = parts;
}

void BM_WholeLayoutAtOnce_LitehtmlAlone(benchmark::State& state)
{
    engine::Ref<engine::Document> doc = engine::Document::create();
    doc->load(largePagePath());
    const QByteArray html = engine::LayoutSerializer::serialize(*doc).html.toUtf8();
    litehtml::context context;
    context.load_master_stylesheet(engine::defaultStyleSheet());
    double loaded = 0, laidOut = 0;
    for (auto _ : state) {
        QElapsedTimer clock;
        clock.start();
        auto container = std::make_unique<bench_pages::BareContainer>();
        auto document = litehtml::document::createFromUTF8(html.constData(), container.get(), &context);
        loaded = secondsSince(clock);
        document->render(800);
        laidOut = secondsSince(clock);
        state.PauseTiming();
        document.reset();
        state.ResumeTiming();
    }
    state.counters["load_s"] = loaded;
    state.counters["layout_s"] = laidOut;
}

} // namespace

BENCHMARK(BM_WholeLayoutAtOnce_Ours)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_WholeLayoutAtOnce_InParts)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_WholeLayoutAtOnce_LitehtmlAlone)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_OpenLargePageToFirstPaint_Ours)->Unit(benchmark::kMillisecond)->Iterations(3)->UseManualTime();
BENCHMARK(BM_OpenLargePageToFirstPaint_Chromium)->Unit(benchmark::kMillisecond)->Iterations(3)->UseManualTime();
