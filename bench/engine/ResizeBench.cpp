// A window resized across a width at which the page's rules for screens of
// some sizes start or stop applying, against one resized as much without
// crossing it: what the window's thread does at once (the long page is laid
// out anew in the background either way).

#include "engine/dom/Document.h"
#include "engine/layout/DocumentLayout.h"

#include "bench/engine/DocumentationPage.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>

namespace {

void waitForTheWholeLayout(engine::DocumentLayout& layout)
{
    layout.ensureLayout();
    while (layout.isLayingOutInBackground()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(2);
    }
}

void resize(benchmark::State& state, int narrow)
{
    QString html = bench_pages::documentationPage(2 * 1024 * 1024);
    html.replace(QStringLiteral("</head>"),
                 QStringLiteral("<style>@media (max-width: 600px) { h3 { margin-left: 40px } }</style></head>"));
    engine::Ref<engine::Document> doc = engine::Document::create();
    doc->replaceContent(html);
    engine::DocumentLayout layout(doc.get());
    layout.setBuildsInBackground(true);
    layout.setViewportSize(QSize(800, 600));
    waitForTheWholeLayout(layout);
    bool wide = true;
    for (auto _ : state) {
        wide = !wide;
        QElapsedTimer clock;
        clock.start();
        layout.setViewportSize(QSize(wide ? 800 : narrow, 600));
        layout.ensureLayout();
        state.SetIterationTime(clock.nsecsElapsed() / 1e9);
        waitForTheWholeLayout(layout);
    }
}

void BM_ResizeAcrossBreakpoint(benchmark::State& state)
{
    resize(state, 500);
}

void BM_ResizeWithinBreakpoints(benchmark::State& state)
{
    resize(state, 700);
}

} // namespace

BENCHMARK(BM_ResizeAcrossBreakpoint)->Unit(benchmark::kMillisecond)->Iterations(4)->UseManualTime();
BENCHMARK(BM_ResizeWithinBreakpoints)->Unit(benchmark::kMillisecond)->Iterations(4)->UseManualTime();
