// Typing latency: a key press in a table cell, from the key to the painted
// view (the sink's call, the DOM change, relayout and painting of what is
// pending), on the typical and the large page.

#include "bench/engine/BenchPages.h"

#include "engine/dom/Document.h"
#include "engine/editing/Selection.h"
#include "engine/view/DesignModeInput.h"
#include "engine/view/EventObject.h"
#include "engine/view/EventSink.h"
#include "engine/view/PageView.h"

#include <benchmark/benchmark.h>

namespace {

// A sink that does what a program's key handler does at least: look at the event.
class CountingSink : public engine::EventSink
{
public:
    bool invoke(int, engine::EventObject& event) override
    {
        calls += event.keyCode != 0;
        return false;
    }
    int calls = 0;
};

// recreate: re-create the layout document for every key press, as a change of
// the tree does (the reference the in-place text path is measured against).
void typeInCell(benchmark::State& state, const QString& page, bool recreate = false)
{
    engine::Ref<engine::Document> doc = engine::Document::create();
    doc->replaceContent(page);
    engine::PageView view(doc.get());
    view.setHeadless(QSize(800, 600));
    CountingSink sink;
    view.advise(&sink);
    QImage image(800, 600, QImage::Format_ARGB32_Premultiplied);
    engine::Element* table = doc->getElementById(QStringLiteral("t3"));
    engine::Element* cell = table->getElementsByTagName(QStringLiteral("TD")).item(0);
    engine::Node* text = cell->firstChild();
    doc->selection().collapseAt(text, text->asText()->length());
    view.flushChanges();
    bench_pages::paintPending(view, image);
    int typed = 0;
    for (auto _ : state) {
        // Keep the cell's text short: a person types words, not pages, in a cell.
        if (++typed % 64 == 0) {
            state.PauseTiming();
            text->asText()->deleteData(text->asText()->length() - 63, 63);
            doc->selection().collapseAt(text, text->asText()->length());
            view.flushChanges();
            bench_pages::paintPending(view, image);
            state.ResumeTiming();
            continue;
        }
        if (recreate)
            view.layout().setBaseFolder(QString());
        view.input().keyDown(Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
        view.flushChanges();
        bench_pages::paintPending(view, image);
    }
    state.counters["elements"] = doc->all().length();
    state.counters["sinkCalls"] = sink.calls;
    state.counters["rebuilds"] = view.layout().counters().rebuilds;
    state.counters["layouts"] = view.layout().counters().layouts;
    state.counters["textUpdates"] = view.layout().counters().textUpdates;
}

void BM_TypeInCell_Typical(benchmark::State& s)
{
    typeInCell(s, bench_pages::typicalPage());
}
void BM_TypeInCell_Large(benchmark::State& s)
{
    typeInCell(s, bench_pages::largePage());
}
void BM_TypeInCell_Typical_Recreated(benchmark::State& s)
{
    typeInCell(s, bench_pages::typicalPage(), true);
}
void BM_TypeInCell_Large_Recreated(benchmark::State& s)
{
    typeInCell(s, bench_pages::largePage(), true);
}

} // namespace

BENCHMARK(BM_TypeInCell_Typical)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TypeInCell_Large)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TypeInCell_Typical_Recreated)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TypeInCell_Large_Recreated)->Unit(benchmark::kMillisecond);
