// The page's input with the program's sink attached, in the running program:
// a key typed in a table cell (the sink's key handling, the DOM change,
// relayout and painting of what is pending), to set beside bench_engine's
// BM_TypeInCell_* (the engine alone); and a mouse move over the large page
// (the sink's mouse-over and mouse-move handlers, the border hit test, the
// cursor), alternating between a cell, a table's border and the page.
//   bench_editor --benchmark_filter='TypeInCellWithSink|MouseMove'

#include "bench/editor/BenchProgram.h"
#include "bench/engine/BenchPages.h"

#include "editor/CImpIDispatch.h"

#include "engine/dom/Document.h"
#include "engine/dom/ElementCollection.h"
#include "engine/editing/Selection.h"
#include "engine/layout/Geometry.h"
#include "engine/view/DesignModeInput.h"
#include "engine/view/PageView.h"

#include <benchmark/benchmark.h>

namespace {

void typeInCellWithSink(benchmark::State& state, const QString& html, bool sounds)
{
    QTemporaryDir dir;
    std::unique_ptr<CZQApp> app = bench_program::startProgram();
    CZQView* view = app ? bench_program::openPage(*app, dir, html, QSize(800, 600)) : nullptr;
    if (!view) {
        state.SkipWithError("no page");
        return;
    }
    app->mainFrame()->m_settings.soundEffect = sounds ? 1 : 0;
    engine::PageView* page = view->GetPageView();
    // A person types once the page is all there.
    page->layout().finishLayout();
    engine::Document* doc = view->GetHtmlDocument();
    QImage image(page->viewport()->size(), QImage::Format_ARGB32_Premultiplied);
    engine::Element* table = doc->getElementById(QStringLiteral("t3"));
    engine::Element* cell = table->getElementsByTagName(QStringLiteral("TD")).item(0);
    engine::Node* text = cell->firstChild();
    doc->selection().collapseAt(text, text->asText()->length());
    QCoreApplication::processEvents();
    page->flushChanges();
    bench_pages::paintPending(*page, image);
    int typed = 0;
    for (auto _ : state) {
        // As in the engine's benchmark: words, not pages, in a cell.
        if (++typed % 64 == 0) {
            state.PauseTiming();
            text->asText()->deleteData(text->asText()->length() - 63, 63);
            doc->selection().collapseAt(text, text->asText()->length());
            QCoreApplication::processEvents();
            page->flushChanges();
            bench_pages::paintPending(*page, image);
            state.ResumeTiming();
            continue;
        }
        page->input().keyDown(Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
        page->flushChanges();
        bench_pages::paintPending(*page, image);
    }
    state.counters["elements"] = doc->all().length();
    state.counters["rebuilds"] = page->layout().counters().rebuilds;
    state.counters["layouts"] = page->layout().counters().layouts;
    state.counters["textUpdates"] = page->layout().counters().textUpdates;
}

void BM_TypeInCellWithSink_Typical(benchmark::State& s)
{
    typeInCellWithSink(s, bench_pages::typicalPage(), false);
}
BENCHMARK(BM_TypeInCellWithSink_Typical)->Unit(benchmark::kMillisecond);

void BM_TypeInCellWithSink_Large(benchmark::State& s)
{
    typeInCellWithSink(s, bench_pages::largePage(), false);
}
BENCHMARK(BM_TypeInCellWithSink_Large)->Unit(benchmark::kMillisecond);

void BM_TypeInCellWithSink_Typical_Sounds(benchmark::State& s)
{
    typeInCellWithSink(s, bench_pages::typicalPage(), true);
}
BENCHMARK(BM_TypeInCellWithSink_Typical_Sounds)->Unit(benchmark::kMillisecond);

void BM_MouseMoveOverTheLargePage(benchmark::State& state)
{
    QTemporaryDir dir;
    std::unique_ptr<CZQApp> app = bench_program::startProgram();
    CZQView* view = app ? bench_program::openPage(*app, dir, bench_pages::largePage(), QSize(1280, 1024)) : nullptr;
    if (!view) {
        state.SkipWithError("no page");
        return;
    }
    engine::PageView* page = view->GetPageView();
    page->layout().finishLayout();
    engine::Document* doc = view->GetHtmlDocument();
    QImage image(page->viewport()->size(), QImage::Format_ARGB32_Premultiplied);
    // A cell of the first table, the spacing right of it, and the page beside.
    engine::Element* cell =
        doc->getElementById(QStringLiteral("t3"))->getElementsByTagName(QStringLiteral("TD")).item(0);
    const QRect box = engine::Geometry(page->layout()).boundingClientRect(cell);
    const QPoint points[] = {box.center(), QPoint(box.right() + 2, box.center().y()),
                             QPoint(box.right() + 1, box.center().y()), QPoint(5, box.center().y())};
    bench_pages::paintPending(*page, image);
    size_t i = 0;
    for (auto _ : state) {
        page->input().mouseMove(points[i++ % std::size(points)], 0, Qt::NoModifier);
        bench_pages::paintPending(*page, image);
    }
    state.counters["elements"] = doc->all().length();
}
BENCHMARK(BM_MouseMoveOverTheLargePage)->Unit(benchmark::kMillisecond);

} // namespace
