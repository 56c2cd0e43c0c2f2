// Editing a long page while it is still laid out in the background, as a
// person who starts typing as soon as the first screens show: keys typed
// into a paragraph shown, an Enter every tenth key and a word made bold
// every thirtieth, one every 15 ms from the first paint, a thousand in all
// (or until the whole layout is in). The page is the multi-megabyte manual (argument 0) or a
// page of 100,000 paragraphs (argument 1), read in the background as the
// program reads a file. Counters: the longest time the window's event loop
// was kept from running (its processor time too), the edits made, the end
// of the whole layout, and how often the layout started over.
//   bench_engine --benchmark_filter='EditWhileLaidOut'

#include "engine/dom/Document.h"
#include "engine/dom/Text.h"
#include "engine/editing/Selection.h"
#include "engine/editing/TextRange.h"
#include "engine/editing/Typing.h"
#include "engine/layout/DocumentLayout.h"
#include "engine/view/PageView.h"

#include "bench/engine/BenchPages.h"
#include "bench/engine/DocumentationPage.h"
#include "bench/engine/EventLoopWatch.h"
#include "bench/engine/OffscreenView.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <memory>

namespace {

using bench_pages::runEventsUntil;
using bench_pages::StallWatch;

QString pageFile(const QTemporaryDir& dir, bool paragraphs)
{
    const QString path = dir.filePath(QStringLiteral("page.html"));
    QFile f(path);
    if (f.open(QIODevice::WriteOnly)) {
        f.write((paragraphs ? bench_pages::textBoxPage(100000, false) : bench_pages::documentationPage(8 * 1024 * 1024))
                    .toUtf8());
    }
    return path;
}

// A text shown (of some length, in a block or a link), past the first few.
engine::Text* textShown(engine::Node* in, engine::DocumentLayout& layout, int& skip)
{
    for (engine::Node* n = in->firstChild(); n; n = n->nextSibling()) {
        if (engine::Text* text = n->asText()) {
            if (text->length() > 8 && layout.box(in->asElement()) && --skip < 0)
                return text;
        } else if (engine::Text* inside = textShown(n, layout, skip)) {
            return inside;
        }
    }
    return nullptr;
}

constexpr int kEdits = 1000;

void BM_EditWhileLaidOut(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString path = pageFile(dir, state.range(0) == 1);
    qint64 stall = 0, stallCpu = 0;
    int edits = 0, rebuilds = 0;
    double whole = 0;
    for (auto _ : state) {
        engine::Ref<engine::Document> doc = engine::Document::create();
        auto view = bench_pages::offscreenView(doc.get());
        QElapsedTimer clock;
        clock.start();
        bench_pages::openToFirstPaint(*doc, *view, path);
        engine::DocumentLayout& layout = view->layout();
        int skip = 3;
        engine::Text* text = textShown(doc->body(), layout, skip);
        if (!text || !layout.isLayingOutInBackground()) {
            state.SkipWithError(text ? "laid out whole before the first edit" : "no paragraph shown");
            return;
        }
        doc->selection().collapseAt(text, 4);
        const int rebuildsBefore = layout.counters().rebuilds;
        StallWatch watch;
        edits = 0;
        QTimer typist;
        typist.setInterval(15);
        QObject::connect(&typist, &QTimer::timeout, [&] {
            if (edits == kEdits)
                return;
            engine::Typing typing(doc.get());
            ++edits;
            if (edits % 30 == 0) {
                // The word before the caret made bold.
                const engine::LivePosition& at = doc->selection().start();
                engine::Text* in = at.node() ? at.node()->asText() : nullptr;
                if (in && at.offset() >= 3)
                    engine::TextRange(doc.get(), in, at.offset() - 3, in, at.offset())
                        .execCommand(QStringLiteral("Bold"));
            } else if (edits % 10 == 0) {
                typing.insertParagraph();
            } else {
                typing.insertText(QStringLiteral("k"));
            }
            view->viewport()->update();
        });
        typist.start();
        runEventsUntil([&] { return !layout.needsLayout() && !layout.isLayingOutInBackground(); });
        typist.stop();
        whole = clock.nsecsElapsed() / 1e9;
        stall = std::max(stall, watch.longest());
        stallCpu = std::max(stallCpu, watch.longestCpu());
        rebuilds = layout.counters().rebuilds - rebuildsBefore;
        view.reset();
        doc = nullptr;
    }
    state.counters["bytes"] = double(QFileInfo(path).size());
    state.counters["edits"] = edits;
    state.counters["rebuilds"] = rebuilds;
    state.counters["whole_layout_s"] = whole;
    state.counters["longest_block_ms"] = double(stall);
    state.counters["longest_block_cpu_ms"] = double(stallCpu);
}

} // namespace

BENCHMARK(BM_EditWhileLaidOut)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(1);
