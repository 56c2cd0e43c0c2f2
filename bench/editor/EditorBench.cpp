// The page's design aids in the running program: a cell range grown by one
// cell in a 30 x 30 table (the highlight and the repaint it causes), a
// 1280 x 1024 view painted with and without the dot grid at pitch 10, and a
// step of a vertex drag of a 200-vertex image-map polygon (the editor's
// reshaping, the painter's repaint of the image). The objects of the large
// page of the engine benchmarks: one step of a drag move of 1 and of 20
// selected objects (move, repaint) beside the same step laid out whole, and
// 200 objects pasted beside the same HTML appended alone.
//   bench_editor --benchmark_filter='CellRange|PaintView|ImageMap|DragStep|Objects'

#include "bench/editor/BenchProgram.h"
#include "bench/engine/BenchPages.h"

#include "app/CChildFrame.h"
#include "app/CMainFrame.h"
#include "app/CZQApp.h"
#include "app/CZQView.h"
#include "app/EditorSettings.h"
#include "editor/CImpIDispatch.h"
#include "editor/painters/CHTMLPainterImageMap.h"
#include "util/CRegistryEx.h"
#include "util/InstallInfo.h"

#include "engine/dom/Document.h"
#include "engine/editing/ClipboardData.h"
#include "engine/editing/Selection.h"
#include "engine/layout/DocumentLayout.h"
#include "engine/layout/Geometry.h"
#include "engine/markup/UndoManager.h"
#include "engine/view/EventDispatcher.h"
#include "engine/view/EventObject.h"
#include "engine/view/PageView.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QMimeData>
#include <QTemporaryDir>

#include <cmath>
#include <memory>

namespace {

using bench_program::openPage;
using bench_program::startProgram;

QString tablePage(int rows, int columns)
{
    QString html = QStringLiteral("<html><body><table id=t border=1 cellspacing=0>");
    for (int r = 0; r < rows; ++r) {
        html += QStringLiteral("<tr>");
        for (int c = 0; c < columns; ++c)
            html += QStringLiteral("<td id=c%1_%2 width=30>%1</td>").arg(r).arg(c);
        html += QStringLiteral("</tr>");
    }
    return html + QStringLiteral("</table></body></html>");
}

void BM_CellRangeGrowByOneCell(benchmark::State& state)
{
    QTemporaryDir dir;
    std::unique_ptr<CZQApp> app = startProgram();
    CZQView* view = app ? openPage(*app, dir, tablePage(30, 30), QSize(1280, 1024)) : nullptr;
    if (!view) {
        state.SkipWithError("no page");
        return;
    }
    engine::PageView* page = view->GetPageView();
    engine::Document* doc = view->GetHtmlDocument();
    CImpIDispatch* sink = view->GetSink();
    QImage image(page->viewport()->size(), QImage::Format_ARGB32_Premultiplied);
    auto cell = [&](int r, int c) { return doc->getElementById(QStringLiteral("c%1_%2").arg(r).arg(c)); };
    sink->m_pSelTable = doc->getElementById(QStringLiteral("t"));
    sink->m_pAnchorCell = cell(0, 0);
    sink->m_cellAnchor = {0, 0};
    sink->m_pCurrentCell = cell(29, 28);
    sink->m_cellCurrent = {29, 28};
    sink->UpdateCellHighlight();
    bench_pages::paintPending(*page, image);
    // The whole table is in view: each step repaints the cell it adds or takes away.
    const QRect last = engine::Geometry(page->layout()).boundingClientRect(cell(29, 29));
    if (!QRect(QPoint(0, 0), page->viewport()->size()).contains(last)) {
        state.SkipWithError("the table is not in view");
        return;
    }
    // The range grows to the last column and shrinks back, one cell each time.
    int column = 28;
    for (auto _ : state) {
        column = column == 28 ? 29 : 28;
        sink->m_pCurrentCell = cell(29, column);
        sink->m_cellCurrent = {29, column};
        sink->UpdateCellHighlight();
        bench_pages::paintPending(*page, image);
    }
    sink->ClearCellRange();
}
BENCHMARK(BM_CellRangeGrowByOneCell)->Unit(benchmark::kMillisecond);

void paintView(benchmark::State& state, bool grid)
{
    QTemporaryDir dir;
    std::unique_ptr<CZQApp> app = startProgram();
    CZQView* view = app ? openPage(*app, dir, bench_pages::typicalPage(), QSize(1280, 1024)) : nullptr;
    if (!view) {
        state.SkipWithError("no page");
        return;
    }
    CMainFrame* frame = app->mainFrame();
    frame->m_settings.gridVisible = grid ? 1 : 0;
    frame->m_settings.gridStyle = 1;
    frame->m_settings.gridSize = 10;
    frame->m_settings.pageSizeVisible = 0;
    frame->SetGridBehavior(view);
    engine::PageView* page = view->GetPageView();
    QImage image(page->viewport()->size(), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        QPainter p(&image);
        page->paintViewRegion(p, QRegion(image.rect()));
    }
    state.counters["pixels"] = image.width() * image.height();
}

void BM_PaintView_NoGrid(benchmark::State& state)
{
    paintView(state, false);
}
BENCHMARK(BM_PaintView_NoGrid)->Unit(benchmark::kMillisecond);

void BM_PaintView_DotGrid(benchmark::State& state)
{
    paintView(state, true);
}
BENCHMARK(BM_PaintView_DotGrid)->Unit(benchmark::kMillisecond);

// A picture 600 x 400 whose map holds one polygon of n vertices on a circle.
QString polygonMapPage(int vertices)
{
    QStringList coords;
    for (int i = 0; i < vertices; ++i) {
        const double angle = 2 * M_PI * i / vertices;
        coords << QString::number(300 + int(180 * std::cos(angle)))
               << QString::number(200 + int(180 * std::sin(angle)));
    }
    return QStringLiteral("<html><body style=\"margin:0\"><p>Map</p>"
                          "<img id=pic src=photo.png width=600 height=400 usemap=\"#big\" "
                          "style=\"position:absolute; left:50px; top:50px\">"
                          "<map name=big><area id=1 shape=poly href=a.html coords=\"%1\"></map></body></html>")
        .arg(coords.join(QLatin1Char(',')));
}

// One mouse step of the page: the sink's image-map step inside the event.
int imageMapStep(engine::PageView& page, CImpIDispatch& sink, QPoint client, bool down)
{
    engine::EventObject event;
    event.x = client.x();
    event.y = client.y();
    event.button = engine::LeftButton;
    engine::EventDispatcher::Scope scope(page.events(), event);
    if (!down)
        return sink.ImageMapMouseMove();
    engine::Ref<engine::Element> element;
    sink.GetElementFromPoint(client, element);
    return sink.ImageMapMouseDown(element.get());
}

void BM_ImageMapDragPolygonVertex(benchmark::State& state)
{
    QTemporaryDir dir;
    std::unique_ptr<CZQApp> app = startProgram();
    CZQView* view = app ? openPage(*app, dir, polygonMapPage(200), QSize(1280, 1024)) : nullptr;
    if (!view) {
        state.SkipWithError("no page");
        return;
    }
    engine::PageView* page = view->GetPageView();
    engine::Document* doc = view->GetHtmlDocument();
    CImpIDispatch* sink = view->GetSink();
    engine::Element* picture = doc->getElementById(QStringLiteral("pic"));
    doc->selection().setControlRange({engine::Ref<engine::Element>(picture)});
    sink->m_pMapImage = picture;
    // The polygon selected by a press inside it, then its vertex 0 (at the
    // image point (480, 200)) pressed.
    const QPoint image(50, 50);
    imageMapStep(*page, *sink, image + QPoint(300, 200), true);
    if (sink->m_nEditMode != 2 || imageMapStep(*page, *sink, image + QPoint(480, 200), true) != 1) {
        state.SkipWithError("the polygon's vertex was not taken");
        return;
    }
    QImage frame(page->viewport()->size(), QImage::Format_ARGB32_Premultiplied);
    imageMapStep(*page, *sink, image + QPoint(490, 200), false);
    bench_pages::paintPending(*page, frame);
    // The vertex goes back and forth; each step repaints the image only.
    const QRect imageBox = page->clientToView(QRect(image, QSize(600, 400)));
    qint64 repainted = 0;
    int step = 0;
    for (auto _ : state) {
        ++step;
        imageMapStep(*page, *sink, image + QPoint(480 + (step % 2) * 20, 200 + (step % 2) * 10), false);
        const QRect pending = page->pendingRepaint().boundingRect();
        if (!imageBox.contains(pending)) {
            state.SkipWithError("a step repainted more than the image");
            return;
        }
        repainted += qint64(pending.width()) * pending.height();
        bench_pages::paintPending(*page, frame);
    }
    state.counters["repaintedPixels"] = benchmark::Counter(double(repainted), benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_ImageMapDragPolygonVertex)->Unit(benchmark::kMillisecond);

// The program with the large page open in a 1280 x 1024 view; none (and the
// benchmark skipped) when it cannot be had.
struct LargePage
{
    QTemporaryDir dir;
    std::unique_ptr<CZQApp> app = startProgram();
    CZQView* view = nullptr;

    explicit LargePage(benchmark::State& state)
    {
        if (app)
            view = openPage(*app, dir, bench_pages::largePage(), QSize(1280, 1024));
        if (!view) {
            state.SkipWithError("no page");
            return;
        }
        // A person works on the page once it is all there: the rest of a
        // long page is laid out in the background after its first screens.
        view->GetPageView()->layout().finishLayout();
    }
};

// One step of a drag move of the first `objects` objects of the large page:
// their styles written, the page brought up to date and the changed parts
// painted. The objects' boxes shift without a layout; with `whole` each step
// also writes every object's z-index anew (the same number, written another
// way), which the engine can only follow by laying the page out: the figure
// of a step that lays the page out whole.
void BM_DragStep(benchmark::State& state)
{
    LargePage large(state);
    if (!large.view)
        return;
    large.app->mainFrame()->m_settings.snapOn = 0;
    engine::PageView* page = large.view->GetPageView();
    engine::Document* doc = large.view->GetHtmlDocument();
    CImpIDispatch* sink = large.view->GetSink();
    const bool whole = state.range(1) != 0;
    std::vector<engine::Ref<engine::Element>> objects;
    for (int i = 0; i < int(state.range(0)); ++i)
        objects.emplace_back(doc->getElementById(QStringLiteral("o%1").arg(i)));
    doc->selection().setControlRange(objects);
    page->flushChanges();
    QImage image(page->viewport()->size(), QImage::Format_ARGB32_Premultiplied);
    bench_pages::paintPending(*page, image);
    const QPoint grip = engine::Geometry(page->layout()).boundingClientRect(objects.front().get()).center();
    if (sink->BeginDragMove(grip.x(), grip.y()) != 1) {
        state.SkipWithError("the drag did not start");
        return;
    }
    const engine::DocumentLayout::Counters before = page->layout().counters();
    int step = 0;
    for (auto _ : state) {
        step = step == 0 ? 5 : 0;
        sink->DragMoveSelection(grip.x() + step, grip.y() + step);
        if (whole) {
            for (const auto& object : objects) {
                const QString z = object->style().getAttribute(QStringLiteral("z-index")).toString();
                object->style().setAttribute(QStringLiteral("z-index"),
                                             z.startsWith(u'+') ? z.mid(1) : QStringLiteral("+") + z);
            }
        }
        page->flushChanges();
        bench_pages::paintPending(*page, image);
    }
    sink->KillAutoScrollTimer();
    const engine::DocumentLayout::Counters& after = page->layout().counters();
    state.counters["objects"] = double(objects.size());
    state.counters["layouts"] = benchmark::Counter(after.layouts - before.layouts, benchmark::Counter::kAvgIterations);
    state.counters["shifts"] = benchmark::Counter(after.shifts - before.shifts, benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_DragStep)
    ->ArgNames({"objects", "whole"})
    ->Args({1, 0})
    ->Args({20, 0})
    ->Args({1, 1})
    ->Args({20, 1})
    ->Unit(benchmark::kMillisecond);

// 200 positioned pictures as one piece of HTML.
QString objectsHtml()
{
    QString html;
    for (int i = 0; i < 200; ++i)
        html += QStringLiteral("<IMG src=\"p%1.gif\" style=\"Z-INDEX: %1; LEFT: %2px; POSITION: absolute; TOP: %3px; "
                               "WIDTH: 32px; HEIGHT: 24px\">")
                    .arg(i)
                    .arg(20 + (i * 41) % 900)
                    .arg(60 + (i * 29) % 2000);
    return html;
}

// The 200 objects pasted (moved off the page's objects, renumbered, selected)
// or appended alone; each run is undone before the next.
void addObjects(benchmark::State& state, bool paste)
{
    LargePage large(state);
    if (!large.view)
        return;
    engine::PageView* page = large.view->GetPageView();
    const QString html = objectsHtml();
    auto data = std::make_unique<QMimeData>();
    data->setData(QString::fromLatin1(engine::clipboard::kHtmlFormatMime),
                  (QStringLiteral("<!--StartFragment-->") + html + QStringLiteral("<!--EndFragment-->")).toUtf8());
    QGuiApplication::clipboard()->setMimeData(data.release());
    for (auto _ : state) {
        const bool done =
            paste ? large.view->GetSink()->DoPaste() : large.view->AppendElementToBody(QString(QChar(0x18)), html);
        page->flushChanges();
        state.PauseTiming();
        if (!done)
            state.SkipWithError("nothing went in");
        large.view->GetHtmlDocument()->undoManager().undo();
        page->flushChanges();
        state.ResumeTiming();
    }
}

void BM_PasteObjects(benchmark::State& state)
{
    addObjects(state, true);
}
BENCHMARK(BM_PasteObjects)->Unit(benchmark::kMillisecond);

void BM_AppendObjects(benchmark::State& state)
{
    addObjects(state, false);
}
BENCHMARK(BM_AppendObjects)->Unit(benchmark::kMillisecond);

} // namespace

// Entry point of bench_editor: a private home, as each test has, so the
// program's settings and single-instance lock are its own.
int main(int argc, char** argv)
{
    QTemporaryDir home(QDir::tempPath() + QStringLiteral("/paginor-bench-XXXXXX"));
    const QByteArray root = QFile::encodeName(home.path());
    QDir().mkpath(home.path() + QStringLiteral("/runtime"));
    QFile::setPermissions(home.path() + QStringLiteral("/runtime"),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    qputenv("HOME", root);
    qputenv("XDG_CONFIG_HOME", root + "/.config");
    qputenv("XDG_DATA_HOME", root + "/.local/share");
    qputenv("XDG_RUNTIME_DIR", root + "/runtime");
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::benchmark::Initialize(&argc, argv);
    if (::benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    ::benchmark::RunSpecifiedBenchmarks();
    ::benchmark::Shutdown();
    return 0;
}
