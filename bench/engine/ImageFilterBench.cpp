// Pages of 50 pictures of 640 x 480 with and without blur, emboss and grey, and with each picture one of the eight
// transform effects at the effects dialog's defaults: the first layout and paint (the effects computed), later paints
// (the effects kept) and a drag step of one positioned picture in the page view.

#include "engine/css/Style.h"
#include "engine/dom/Document.h"
#include "engine/layout/DocumentLayout.h"
#include "engine/layout/LayoutEngine.h"
#include "engine/view/PageView.h"

#include "bench/engine/BenchPages.h"

#include <benchmark/benchmark.h>

#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

namespace {

// The eight transform effects at the effects dialog's defaults.
constexpr const char* kTransforms[] = {
    "progid:DXImageTransform.Microsoft.Alpha(Opacity=100, FinishOpacity=0, Style=2, StartX=0, FinishX=100, StartY=0, "
    "FinishY=100)",
    "progid:DXImageTransform.Microsoft.dropshadow(OffX=5, OffY=5, Color=red, Positive='true')",
    "progid:DXImageTransform.Microsoft.Glow(Color=red, Strength=5)",
    "progid:DXImageTransform.Microsoft.gradient(enabled='true',GradientType='1', startColorstr=#a00000ff, "
    "endColorStr=#a0ff0000)",
    "progid:DXImageTransform.Microsoft.MotionBlur(Strength=10, Direction=270, Add='true')",
    "progid:DXImageTransform.Microsoft.Shadow(Color=lime, Strength=10, Direction=45)",
    "progid:DXImageTransform.Microsoft.Wave(Add='false', LightStrength=40, Phase=0, Strength=0, Freq=5)",
    "progid:DXImageTransform.Microsoft.BasicImage(opacity=0.500000)",
};

enum class Filters { None, OneClick, Transforms };

struct FilterPage
{
    QTemporaryDir dir;
    QString html;

    explicit FilterPage(bool filtered) : FilterPage(filtered ? Filters::OneClick : Filters::None) {}
    explicit FilterPage(Filters kind)
    {
        QString filter = kind == Filters::OneClick
                             ? QStringLiteral("\nprogid:DXImageTransform.Microsoft.Blur(PixelRadius=10)"
                                              "\nprogid:DXImageTransform.Microsoft.emboss(enabled='true')"
                                              "\nprogid:DXImageTransform.Microsoft.BasicImage(grayscale=1)")
                             : QString();
        html = QStringLiteral("<html><body>");
        // Fifty pictures of their own, so that each one's effect is computed.
        for (int i = 0; i < 50; ++i) {
            QImage picture(640, 480, QImage::Format_RGB32);
            QPainter p(&picture);
            p.fillRect(picture.rect(), QColor::fromHsv(i * 7, 160, 200));
            p.fillRect(100 + i, 100, 300, 200, Qt::yellow);
            p.end();
            const QString name = QStringLiteral("p%1.png").arg(i);
            picture.save(dir.filePath(name));
            if (kind == Filters::Transforms)
                filter = QLatin1String(kTransforms[i % 8]);
            html += QStringLiteral("<img src=%1 width=640 height=480 style=\"filter: %2\">").arg(name, filter);
        }
        // The picture a drag moves, over the first ones.
        html += QStringLiteral("<img id=moved src=p0.png width=640 height=480 "
                               "style=\"position: absolute; left: 20px; top: 20px; filter: %1\">")
                    .arg(filter);
        html += QStringLiteral("</body></html>");
    }
};

void firstLayoutAndPaint(benchmark::State& state, Filters filters)
{
    FilterPage page(filters);
    QImage target(1280, 12500, QImage::Format_RGB32);
    for (auto _ : state) {
        engine::LayoutEngine layout;
        layout.setBaseFolder(page.dir.path());
        layout.load(page.html);
        layout.layout(1280);
        QPainter p(&target);
        layout.draw(p, target.rect());
    }
}

void laterPaint(benchmark::State& state, Filters filters)
{
    FilterPage page(filters);
    engine::LayoutEngine layout;
    layout.setBaseFolder(page.dir.path());
    layout.load(page.html);
    layout.layout(1280);
    QImage target(1280, 12500, QImage::Format_RGB32);
    {
        QPainter p(&target);
        layout.draw(p, target.rect());
    }
    for (auto _ : state) {
        QPainter p(&target);
        layout.draw(p, target.rect());
    }
}

// One step of dragging the positioned picture back and forth over 100 px, the view repainting what changed.
void dragStep(benchmark::State& state, bool filtered)
{
    FilterPage page(filtered);
    engine::Ref<engine::Document> doc = engine::Document::create();
    doc->replaceContent(page.html);
    engine::PageView view(doc.get());
    view.layout().setBaseFolder(page.dir.path());
    view.setHeadless(QSize(800, 600));
    QImage image(800, 600, QImage::Format_ARGB32_Premultiplied);
    {
        QPainter p(&image);
        view.paintViewRegion(p, QRect(0, 0, 800, 600));
    }
    engine::Element* moved = doc->getElementById(QStringLiteral("moved"));
    int left = 20;
    int step = 1;
    for (auto _ : state) {
        if (left == 120 || (left == 20 && step < 0))
            step = -step;
        left += step;
        moved->style().setAttribute(QStringLiteral("left"), engine::Variant(QStringLiteral("%1px").arg(left)));
        view.flushChanges();
        bench_pages::paintPending(view, image);
    }
}

void BM_ImageFilters_FirstLayoutAndPaint_Plain(benchmark::State& state)
{
    firstLayoutAndPaint(state, Filters::None);
}
void BM_ImageFilters_FirstLayoutAndPaint_Filtered(benchmark::State& state)
{
    firstLayoutAndPaint(state, Filters::OneClick);
}
void BM_ImageFilters_FirstLayoutAndPaint_Transforms(benchmark::State& state)
{
    firstLayoutAndPaint(state, Filters::Transforms);
}
void BM_ImageFilters_LaterPaint_Plain(benchmark::State& state)
{
    laterPaint(state, Filters::None);
}
void BM_ImageFilters_LaterPaint_Filtered(benchmark::State& state)
{
    laterPaint(state, Filters::OneClick);
}
void BM_ImageFilters_LaterPaint_Transforms(benchmark::State& state)
{
    laterPaint(state, Filters::Transforms);
}
void BM_ImageFilters_DragStep_Plain(benchmark::State& state)
{
    dragStep(state, false);
}
void BM_ImageFilters_DragStep_Filtered(benchmark::State& state)
{
    dragStep(state, true);
}

} // namespace

BENCHMARK(BM_ImageFilters_FirstLayoutAndPaint_Plain)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ImageFilters_FirstLayoutAndPaint_Filtered)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ImageFilters_FirstLayoutAndPaint_Transforms)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ImageFilters_LaterPaint_Plain)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ImageFilters_LaterPaint_Filtered)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ImageFilters_LaterPaint_Transforms)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ImageFilters_DragStep_Plain)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ImageFilters_DragStep_Filtered)->Unit(benchmark::kMillisecond);
