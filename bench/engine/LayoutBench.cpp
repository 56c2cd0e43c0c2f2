// Layout and painting of the page view against litehtml alone on the same
// HTML, and the costs of the editing steps that must stay interactive: a drag
// step of one positioned object and a style change of one element.

#include "engine/css/Style.h"
#include "engine/dom/Document.h"
#include "engine/layout/DefaultStyleSheet.h"
#include "engine/layout/DocumentLayout.h"
#include "engine/layout/LayoutSerializer.h"
#include "engine/view/PageView.h"

#include "bench/engine/BareContainer.h"
#include "bench/engine/BenchPages.h"

#include <benchmark/benchmark.h>

#include <litehtml/litehtml.h>

#include <QApplication>
#include <QFontMetrics>
#include <QPainter>

namespace {

using bench_pages::BareContainer;
using bench_pages::largePage;
using bench_pages::paintPending;
using bench_pages::typicalPage;

void litehtmlAlone(benchmark::State& state, const QString& page)
{
    // (The DOM is made once; its destruction is not part of any figure.)
    // The same HTML our view hands over: node ids and text markers included.
    engine::Ref<engine::Document> doc = engine::Document::create();
    doc->replaceContent(page);
    const QByteArray html = engine::LayoutSerializer::serialize(*doc).html.toUtf8();
    litehtml::context context;
    context.load_master_stylesheet(engine::defaultStyleSheet());
    QImage image(800, 600, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        BareContainer container;
        auto document = litehtml::document::createFromUTF8(html.constData(), &container, &context);
        document->render(800);
        QPainter p(&image);
        const litehtml::position clip(0, 0, 800, 600);
        document->draw(reinterpret_cast<litehtml::uint_ptr>(&p), 0, 0, &clip);
    }
}

// The layout bridge alone: serialization, layout, our box tree and the paint
// of the viewport, as litehtml alone does it above.
void ourFirstLayout(benchmark::State& state, const QString& page)
{
    engine::Ref<engine::Document> doc;
    QImage image(800, 600, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        state.PauseTiming();
        doc = engine::Document::create(); // the page before goes outside the timing
        doc->replaceContent(page);
        state.ResumeTiming();
        engine::DocumentLayout layout(doc.get());
        layout.setViewportSize(QSize(800, 600));
        layout.ensureLayout();
        QPainter p(&image);
        layout.engine().draw(p, QRect(0, 0, 800, 600));
    }
}

// The same through a page view that is made, shown off screen and rendered.
void ourFirstView(benchmark::State& state, const QString& page)
{
    engine::Ref<engine::Document> doc;
    for (auto _ : state) {
        state.PauseTiming();
        doc = engine::Document::create();
        doc->replaceContent(page);
        state.ResumeTiming();
        engine::PageView view(doc.get());
        view.setHeadless(QSize(800, 600));
        benchmark::DoNotOptimize(view.renderToImage());
    }
}

void BM_FirstLayoutAndPaint_LitehtmlAlone_Large(benchmark::State& s)
{
    litehtmlAlone(s, largePage());
}
void BM_FirstLayoutAndPaint_Ours_Large(benchmark::State& s)
{
    ourFirstLayout(s, largePage());
}
void BM_FirstLayoutAndPaint_View_Large(benchmark::State& s)
{
    ourFirstView(s, largePage());
}
void BM_FirstLayoutAndPaint_LitehtmlAlone_Typical(benchmark::State& s)
{
    litehtmlAlone(s, typicalPage());
}
void BM_FirstLayoutAndPaint_Ours_Typical(benchmark::State& s)
{
    ourFirstLayout(s, typicalPage());
}
void BM_FirstLayoutAndPaint_View_Typical(benchmark::State& s)
{
    ourFirstView(s, typicalPage());
}

void BM_DragStep_Large(benchmark::State& state)
{
    engine::Ref<engine::Document> doc = engine::Document::create();
    doc->replaceContent(largePage());
    engine::PageView view(doc.get());
    view.setHeadless(QSize(800, 600));
    QImage image(800, 600, QImage::Format_ARGB32_Premultiplied);
    engine::Element* obj = doc->getElementById(QStringLiteral("o1"));
    // Back and forth over 100 px, in the view.
    int left = 20 + 37;
    int step = 1;
    for (auto _ : state) {
        if (left == 20 + 37 + 100 || (left == 20 + 37 && step < 0))
            step = -step;
        left += step;
        obj->style().setAttribute(QStringLiteral("left"), engine::Variant(QStringLiteral("%1px").arg(left)));
        view.flushChanges();
        paintPending(view, image);
    }
    state.counters["shifts"] = view.layout().counters().shifts;
    state.counters["layouts"] = view.layout().counters().layouts;
}

// A change that lays out again (font weight: the paragraph keeps its
// height), one that only repaints (colour), or one that changes the
// paragraph's height and margins (font size: the paragraph is laid out
// again and what follows it moves). `whole`: the view's width changes by a
// pixel with every step, so that each layout is one of the whole page (the
// figure to compare with).
enum class StyleKind { Weight, Colour, Size };

void styleChange(benchmark::State& state, const QString& page, StyleKind kind = StyleKind::Weight, bool whole = false)
{
    engine::Ref<engine::Document> doc = engine::Document::create();
    doc->replaceContent(page);
    engine::PageView view(doc.get());
    view.setHeadless(QSize(800, 600));
    QImage image(800, 600, QImage::Format_ARGB32_Premultiplied);
    engine::Element* p = doc->getElementById(QStringLiteral("p1"));
    bool on = false;
    for (auto _ : state) {
        on = !on;
        if (whole)
            view.layout().setViewportSize(QSize(on ? 799 : 800, 600));
        if (kind == StyleKind::Colour)
            p->style().setAttribute(QStringLiteral("color"), engine::Variant(QString::fromLatin1(on ? "red" : "blue")));
        else if (kind == StyleKind::Size)
            p->style().setAttribute(QStringLiteral("font-size"),
                                    engine::Variant(QString::fromLatin1(on ? "24px" : "16px")));
        else
            p->style().setAttribute(QStringLiteral("font-weight"),
                                    engine::Variant(QString::fromLatin1(on ? "bold" : "normal")));
        view.flushChanges();
        paintPending(view, image);
    }
    state.counters["restyles"] = view.layout().counters().restyles;
    state.counters["repaintOnly"] = view.layout().counters().repaintOnly;
    state.counters["rebuilds"] = view.layout().counters().rebuilds;
    state.counters["blockLayouts"] = view.layout().counters().blockLayouts;
}

// Typing one character into a paragraph of the large page: words of five
// letters and a space, the typed text taken out again (untimed) after 64 keys,
// so that the paragraph wraps now and then as it does when a person types.
void BM_TypeCharacter_Large(benchmark::State& state)
{
    engine::Ref<engine::Document> doc = engine::Document::create();
    doc->replaceContent(largePage());
    engine::PageView view(doc.get());
    view.setHeadless(QSize(800, 600));
    QImage image(800, 600, QImage::Format_ARGB32_Premultiplied);
    engine::Text* text = doc->getElementById(QStringLiteral("p1"))->firstChild()->asText();
    const QString keys = QStringLiteral("words ");
    int typed = 0;
    for (auto _ : state) {
        if (typed == 64) {
            state.PauseTiming();
            text->deleteData(10, typed);
            typed = 0;
            view.flushChanges();
            paintPending(view, image);
            state.ResumeTiming();
        }
        text->insertData(10 + typed, keys.mid(typed % keys.size(), 1));
        ++typed;
        view.flushChanges();
        paintPending(view, image);
    }
    state.counters["textUpdates"] = view.layout().counters().textUpdates;
    state.counters["rebuilds"] = view.layout().counters().rebuilds;
    state.counters["blockLayouts"] = view.layout().counters().blockLayouts;
}

void BM_StyleChange_Large(benchmark::State& s)
{
    styleChange(s, largePage());
}
void BM_StyleChange_Typical(benchmark::State& s)
{
    styleChange(s, typicalPage());
}
void BM_ColourChange_Large(benchmark::State& s)
{
    styleChange(s, largePage(), StyleKind::Colour);
}
void BM_StyleChangeOfHeight_Large(benchmark::State& s)
{
    styleChange(s, largePage(), StyleKind::Size);
}
void BM_StyleChangeOfHeight_Large_Whole(benchmark::State& s)
{
    styleChange(s, largePage(), StyleKind::Size, true);
}

} // namespace

BENCHMARK(BM_FirstLayoutAndPaint_LitehtmlAlone_Large)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FirstLayoutAndPaint_Ours_Large)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FirstLayoutAndPaint_View_Large)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FirstLayoutAndPaint_LitehtmlAlone_Typical)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FirstLayoutAndPaint_Ours_Typical)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FirstLayoutAndPaint_View_Typical)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DragStep_Large)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StyleChange_Large)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StyleChange_Typical)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ColourChange_Large)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StyleChangeOfHeight_Large)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StyleChangeOfHeight_Large_Whole)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TypeCharacter_Large)->Unit(benchmark::kMillisecond);
