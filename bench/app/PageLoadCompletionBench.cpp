// The page-load completion against the load it follows: the 2,000-element
// page of the engine's benchmarks and a 1 MB page of loose text, each read
// into the program's page view and laid out for its first paint, once with
// the completion and once without. Both of a pair run in one process:
//   bench_app --benchmark_filter='LoadAndFirstPaint'

#include "bench/editor/BenchProgram.h"
#include "bench/engine/BenchPages.h"

#include "app/CMainFrame.h"
#include "app/CZQView.h"
#include "app/PageLoadCompletion.h"

#include "engine/dom/Document.h"
#include "engine/view/PageView.h"

#include "platform/DocTemplate.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

#include <memory>

namespace {

// About 1 MB of paragraphs and line breaks straight in BODY.
QString looseTextPage()
{
    QString html = QStringLiteral("<html><head><title>loose</title></head><body>");
    while (html.size() < 1000000)
        html +=
            QStringLiteral("<p>ばらばらの文章が段落のまま並んでいます。 Loose text in a paragraph.<br>and a line</p>");
    return html + QStringLiteral("</body></html>");
}

void loadAndFirstPaint(benchmark::State& state, const QString& html, bool complete)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("page.html"));
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(html.toUtf8());
    file.close();

    auto app = bench_program::startProgram();
    if (!app || !app->OpenDocumentFile(QString())) {
        state.SkipWithError("the program did not start");
        return;
    }
    QCoreApplication::processEvents();
    CZQView* view = app->GetActiveView();
    view->EnsureEngine();
    engine::Document* doc = view->GetHtmlDocument();
    for (auto _ : state) {
        // Without the completion the sink leaves the loaded page alone.
        view->m_bLoadCompleted = true;
        doc->load(path);
        QCoreApplication::processEvents(); // the page-loaded event
        if (complete) {
            view->m_bLoadCompleted = false;
            OnPageLoadComplete(doc, view);
        }
        benchmark::DoNotOptimize(view->GetPageView()->renderToImage());
    }
    state.counters["elements"] = doc->all().length();
}

void BM_LoadAndFirstPaint_LargePage(benchmark::State& state)
{
    loadAndFirstPaint(state, bench_pages::largePage(), false);
}
void BM_LoadAndFirstPaint_LargePage_Completed(benchmark::State& state)
{
    loadAndFirstPaint(state, bench_pages::largePage(), true);
}
void BM_LoadAndFirstPaint_LooseText(benchmark::State& state)
{
    loadAndFirstPaint(state, looseTextPage(), false);
}
void BM_LoadAndFirstPaint_LooseText_Completed(benchmark::State& state)
{
    loadAndFirstPaint(state, looseTextPage(), true);
}

} // namespace

BENCHMARK(BM_LoadAndFirstPaint_LargePage)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadAndFirstPaint_LargePage_Completed)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadAndFirstPaint_LooseText)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadAndFirstPaint_LooseText_Completed)->Unit(benchmark::kMillisecond);
