// Pages of 50 pictures of 640 x 480 with and without blur, emboss and grey: the first layout and paint (the effects
// computed) and later paints (the effects kept).

#include "engine/layout/LayoutEngine.h"

#include <benchmark/benchmark.h>

#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

namespace {

struct FilterPage
{
    QTemporaryDir dir;
    QString html;

    explicit FilterPage(bool filtered)
    {
        QImage picture(640, 480, QImage::Format_RGB32);
        QPainter p(&picture);
        p.fillRect(picture.rect(), Qt::darkCyan);
        p.fillRect(100, 100, 300, 200, Qt::yellow);
        p.end();
        picture.save(dir.filePath(QStringLiteral("p.png")));
        const QString filter = filtered ? QStringLiteral("\nprogid:DXImageTransform.Microsoft.Blur(PixelRadius=10)"
                                                         "\nprogid:DXImageTransform.Microsoft.emboss(enabled='true')"
                                                         "\nprogid:DXImageTransform.Microsoft.BasicImage(grayscale=1)")
                                        : QString();
        html = QStringLiteral("<html><body>");
        for (int i = 0; i < 50; ++i)
            html += QStringLiteral("<img src=p.png width=640 height=480 style=\"filter: %1\">").arg(filter);
        html += QStringLiteral("</body></html>");
    }
};

void firstLayoutAndPaint(benchmark::State& state, bool filtered)
{
    FilterPage page(filtered);
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

void laterPaint(benchmark::State& state, bool filtered)
{
    FilterPage page(filtered);
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

void BM_ImageFilters_FirstLayoutAndPaint_Plain(benchmark::State& state)
{
    firstLayoutAndPaint(state, false);
}
void BM_ImageFilters_FirstLayoutAndPaint_Filtered(benchmark::State& state)
{
    firstLayoutAndPaint(state, true);
}
void BM_ImageFilters_LaterPaint_Plain(benchmark::State& state)
{
    laterPaint(state, false);
}
void BM_ImageFilters_LaterPaint_Filtered(benchmark::State& state)
{
    laterPaint(state, true);
}

} // namespace

BENCHMARK(BM_ImageFilters_FirstLayoutAndPaint_Plain)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ImageFilters_FirstLayoutAndPaint_Filtered)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ImageFilters_LaterPaint_Plain)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ImageFilters_LaterPaint_Filtered)->Unit(benchmark::kMillisecond);
