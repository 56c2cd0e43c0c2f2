// The first keys a person types once a long page has opened in the program
// and its layout is whole: a page of 100,000 paragraphs loose in BODY (the
// program wraps them into a text box as it loads), a key typed in a
// paragraph on the first screen, each key from its press to the painted
// view and the idle update after it. Counters: each of the first keys' times.
// BM_FirstEntersAfterOpen: Enter in the middle of the page's middle paragraph
// and Backspace at the start of the new one, by turns (what follows moves).
//   bench_app --benchmark_filter='FirstKeysAfterOpen'

#include "bench/editor/BenchProgram.h"
#include "bench/engine/BenchPages.h"
#include "bench/engine/EventLoopWatch.h"

#include "app/CZQView.h"

#include "engine/dom/Document.h"
#include "engine/editing/Selection.h"
#include "engine/layout/Geometry.h"
#include "engine/view/PageView.h"

#include <benchmark/benchmark.h>

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <string>

namespace {

using bench_pages::runEventsUntil;

constexpr int kKeys = 6; // (the letters: the first five)

// `split`: Enter and Backspace by turns in the middle of the page, else
// letters on its first screen.
void firstKeysAfterOpen(benchmark::State& state, bool split)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("page.html"));
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly))
            return state.SkipWithError("the page was not written");
        file.write(bench_pages::textBoxPage(static_cast<int>(state.range(0)), false).toUtf8());
    }
    auto app = bench_program::startProgram();
    if (!app)
        return state.SkipWithError("the program did not start");
    double keys[kKeys] = {};
    const int keyCount = split ? kKeys : kKeys - 1;
    for (auto _ : state) {
        if (!app->OpenDocumentFile(path))
            return state.SkipWithError("the page did not open");
        CZQView* view = app->GetActiveView();
        engine::PageView* page = view->GetPageView();
        engine::Document* doc = view->GetHtmlDocument();
        runEventsUntil([&] { return !doc->isLoading() && view->m_bLoadCompleted; });
        runEventsUntil([&] { return !page->layout().needsLayout() && !page->layout().isLayingOutInBackground(); });
        const int middle = static_cast<int>(state.range(0)) / 2;
        engine::Element* paragraph = doc->getElementById(QStringLiteral("p%1").arg(split ? middle : 3));
        if (!paragraph || !paragraph->firstChild() || !paragraph->firstChild()->asText())
            return state.SkipWithError("no paragraph to type in");
        doc->selection().collapseAt(paragraph->firstChild(),
                                    split ? paragraph->firstChild()->asText()->length() / 2 : 1);
        if (split)
            page->scrollToPage(QPoint(0, engine::Geometry(page->layout()).pageRect(paragraph).y()));
        page->setFocus();
        QImage image(page->viewport()->size(), QImage::Format_ARGB32_Premultiplied);
        page->flushChanges();
        bench_pages::paintPending(*page, image);
        QCoreApplication::processEvents();
        double total = 0;
        for (int i = 0; i < keyCount; ++i) {
            QElapsedTimer clock;
            clock.start();
            if (!split)
                bench_program::typeKeyToPaint(*app, *page, image);
            else if (i % 2 == 0)
                bench_program::typeKeyToPaint(*app, *page, image, QStringLiteral("\r"), Qt::Key_Return);
            else
                bench_program::typeKeyToPaint(*app, *page, image, QString(), Qt::Key_Backspace);
            QCoreApplication::processEvents();
            keys[i] = clock.nsecsElapsed() / 1e6;
            total += keys[i];
        }
        state.SetIterationTime(total / 1e3);
    }
    for (int i = 0; i < keyCount; ++i)
        state.counters["key" + std::to_string(i + 1) + "_ms"] = keys[i];
}

void BM_FirstKeysAfterOpen(benchmark::State& state)
{
    firstKeysAfterOpen(state, false);
}
void BM_FirstEntersAfterOpen(benchmark::State& state)
{
    firstKeysAfterOpen(state, true);
}

} // namespace

BENCHMARK(BM_FirstEntersAfterOpen)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(1)->UseManualTime();
BENCHMARK(BM_FirstKeysAfterOpen)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(1)->UseManualTime();
