// A paint of one screen of a long source listing (one PRE of very many
// lines, numbered by anchors placed absolutely, words coloured by spans
// that may run over lines) against the same screen of a short listing: a
// paint costs what is on the screen, however long the page.

#include "engine/dom/Document.h"
#include "engine/layout/DocumentLayout.h"

#include "bench/engine/ListingPage.h"

#include <benchmark/benchmark.h>

#include <QPainter>

namespace {

void paintScreen(benchmark::State& state, engine::Document* doc)
{
    engine::DocumentLayout layout(doc);
    const QSize view(1000, 800);
    layout.setViewportSize(view);
    layout.ensureLayout();
    // A screen in the middle of the listing (the short one: its middle too).
    const int top = std::max(0, layout.engine().canvasSize().height() / 2 - view.height() / 2);
    const QRect screen(QPoint(0, top), view);
    QImage image(view, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        QPainter p(&image);
        p.translate(0, -top);
        layout.engine().draw(p, screen);
    }
    state.counters["canvas_px"] = layout.engine().canvasSize().height();
}

void paintListingScreen(benchmark::State& state)
{
    engine::Ref<engine::Document> doc = engine::Document::create();
    doc->replaceContent(bench_pages::listingPage(static_cast<int>(state.range(0))));
    paintScreen(state, doc.get());
}

// The same on the page of PAGINOR_BENCH_PAGE_FILE, where it stands.
void paintPageFileScreen(benchmark::State& state)
{
    if (!qEnvironmentVariableIsSet("PAGINOR_BENCH_PAGE_FILE")) {
        state.SkipWithError("PAGINOR_BENCH_PAGE_FILE names no page");
        return;
    }
    engine::Ref<engine::Document> doc = engine::Document::create();
    doc->load(qEnvironmentVariable("PAGINOR_BENCH_PAGE_FILE"));
    paintScreen(state, doc.get());
}

} // namespace

BENCHMARK(paintPageFileScreen)->Name("BM_PaintPageFileScreen")->Unit(benchmark::kMillisecond);
BENCHMARK(paintListingScreen)->Name("BM_PaintListingScreen")->Arg(200)->Arg(20000)->Unit(benchmark::kMillisecond);
