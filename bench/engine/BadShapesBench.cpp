// A user's first gestures on pages of unusual shape once they are laid out
// (see BadShapePages.h): a typed key, Enter, a Backspace that joins two
// paragraphs again, Ctrl+Z, at the middle of the text where one starts
// typing, each from the key to the painted view. Counters: whether the
// layout was one of the whole page or one block's (see DocumentLayout's
// counters), the lines of a long block of words that stood, the words
// read again and the children given to litehtml to place, and the first
// layout's time.
//   bench_engine --benchmark_filter='BadShape'

#include "bench/engine/BadShapePages.h"
#include "bench/engine/BenchPages.h"

#include "engine/dom/Document.h"
#include "engine/editing/Selection.h"
#include "engine/layout/DocumentLayout.h"
#include "engine/markup/UndoManager.h"
#include "engine/view/DesignModeInput.h"
#include "engine/view/PageView.h"
#include "platform/BackgroundWork.h"

#include <QElapsedTimer>
#include <QThreadPool>

#include <benchmark/benchmark.h>

namespace {

using bench_pages::Shape;

enum class Gesture { Key, Enter, Join, Undo };

struct ShapeView
{
    engine::Ref<engine::Document> doc = engine::Document::create();
    std::unique_ptr<engine::PageView> view;
    QImage image{800, 600, QImage::Format_ARGB32_Premultiplied};
    double firstLayoutMs = 0;
    engine::Node* text = nullptr; // where typing starts

    ShapeView(Shape shape, int size)
    {
        // (What the benchmark before left is taken apart on other threads.)
        platform::backgroundPool()->waitForDone();
        doc->replaceContent(bench_pages::badShapePage(shape, size));
        QElapsedTimer clock;
        clock.start();
        view = std::make_unique<engine::PageView>(doc.get());
        view->setHeadless(QSize(800, 600));
        view->layout().finishLayout();
        view->flushChanges();
        firstLayoutMs = clock.nsecsElapsed() / 1e6;
        show();
        text = startText();
        if (!text)
            return;
        doc->selection().collapseAt(text, text->asText()->length() / 2);
        // (The lines the caret stands on, found once as a view finds them
        // when it first shows the caret.)
        view->layout().engine().textLines();
    }
    engine::Node* startText() const
    {
        if (engine::Element* here = doc->getElementById(QStringLiteral("here")))
            return here->firstChild();
        // (Nested deeper than pages are read, the innermost element is
        // left out: its text stands in the deepest one kept.)
        for (const auto& el : doc->all().toVector()) {
            engine::Node* child = el->firstChild();
            if (child && child->asText() && child->asText()->data().startsWith(QStringLiteral("innermost")))
                return child;
        }
        return nullptr;
    }
    void show()
    {
        view->flushChanges();
        bench_pages::paintPending(*view, image);
    }
    void key(Qt::Key key, const QString& text = QString(), Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        view->input().keyDown(key, modifiers, text);
        show();
    }
};

void BM_BadShape(benchmark::State& state, Shape shape, Gesture gesture)
{
    ShapeView page(shape, static_cast<int>(state.range(0)));
    if (!page.text)
        return state.SkipWithError("the page has no text to start typing in");
    const auto& counters = page.view->layout().counters();
    int rebuilds = 0, layouts = 0, blockLayouts = 0;
    engine::LayoutEngine::KeptLinesCount kept;
    for (auto _ : state) {
        // Before: the paragraph to join, the key to undo.
        if (gesture == Gesture::Join)
            page.key(Qt::Key_Return, QStringLiteral("\r"));
        if (gesture == Gesture::Undo) {
            page.key(Qt::Key_A, QStringLiteral("a"));
            page.doc->undoManager().closeOpenUnits();
        }
        const int rebuilt = counters.rebuilds, laid = counters.layouts, blocks = counters.blockLayouts;
        QElapsedTimer clock;
        clock.start();
        switch (gesture) {
        case Gesture::Key:
            page.key(Qt::Key_A, QStringLiteral("a"));
            break;
        case Gesture::Enter:
            page.key(Qt::Key_Return, QStringLiteral("\r"));
            break;
        case Gesture::Join:
            page.key(Qt::Key_Backspace);
            break;
        case Gesture::Undo:
            page.key(Qt::Key_Z, QString(), Qt::ControlModifier);
            break;
        }
        state.SetIterationTime(clock.nsecsElapsed() / 1e9);
        rebuilds = counters.rebuilds - rebuilt;
        layouts = counters.layouts - laid;
        blockLayouts = counters.blockLayouts - blocks;
        kept = page.view->layout().engine().lastKeptLines();
        // After: the page as it was.
        if (gesture == Gesture::Key || gesture == Gesture::Enter)
            page.key(Qt::Key_Backspace);
    }
    state.counters["first_layout_ms"] = page.firstLayoutMs;
    // Of the last gesture.
    state.counters["rebuilds"] = rebuilds;
    state.counters["layouts"] = layouts;
    state.counters["blockLayouts"] = blockLayouts;
    // Of a block of words laid out again: its lines that stood, its words read again.
    state.counters["linesKept"] = static_cast<double>(kept.linesKept);
    state.counters["wordsRead"] = static_cast<double>(kept.wordsRead);
    state.counters["childrenPlaced"] = static_cast<double>(kept.childrenPlaced);
}

void shapeArgs(benchmark::internal::Benchmark* b, Shape shape)
{
    switch (shape) {
    case Shape::LongParagraph:
        b->Arg(1 << 20)->Arg(10 << 20);
        break;
    case Shape::LongPreLine:
    case Shape::LongParagraphInTextBox:
    case Shape::LongPreLineInTextBox:
        b->Arg(1 << 20);
        break;
    case Shape::WideRow:
    case Shape::HeadedWideRow:
        b->Arg(20000);
        break;
    case Shape::DeepTables:
        b->Arg(100);
        break;
    case Shape::LongNumberedList:
        b->Arg(30000);
        break;
    case Shape::DeepDivs:
    case Shape::DeepInlines:
        b->Arg(10000)->Arg(100000);
        break;
    }
    b->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(3);
}

#define BAD_SHAPE(shape)                                                                                               \
    BENCHMARK_CAPTURE(BM_BadShape, shape##_Key, Shape::shape, Gesture::Key)                                            \
        ->Apply([](benchmark::internal::Benchmark* b) { shapeArgs(b, Shape::shape); });                                \
    BENCHMARK_CAPTURE(BM_BadShape, shape##_Enter, Shape::shape, Gesture::Enter)                                        \
        ->Apply([](benchmark::internal::Benchmark* b) { shapeArgs(b, Shape::shape); });                                \
    BENCHMARK_CAPTURE(BM_BadShape, shape##_Join, Shape::shape, Gesture::Join)                                          \
        ->Apply([](benchmark::internal::Benchmark* b) { shapeArgs(b, Shape::shape); });                                \
    BENCHMARK_CAPTURE(BM_BadShape, shape##_Undo, Shape::shape, Gesture::Undo)                                          \
        ->Apply([](benchmark::internal::Benchmark* b) { shapeArgs(b, Shape::shape); })

BAD_SHAPE(LongParagraph);
BAD_SHAPE(LongPreLine);
BAD_SHAPE(LongParagraphInTextBox);
BAD_SHAPE(LongPreLineInTextBox);
BAD_SHAPE(WideRow);
BAD_SHAPE(HeadedWideRow);
BAD_SHAPE(DeepTables);
BAD_SHAPE(DeepDivs);
BAD_SHAPE(DeepInlines);
BAD_SHAPE(LongNumberedList);

} // namespace
