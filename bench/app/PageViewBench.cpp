// The page in the running program against the engine alone: a page file
// opened to its first paint, and a key press in a table cell to the painted
// caret with the program's event sink and idle update in the way. Both pairs
// run in one process, so their ratios come from one run:
//   bench_app --benchmark_filter='OpenToFirstPaint|KeyToPaintedCaret'

#include "bench/engine/BenchPages.h"

#include "app/CMainFrame.h"
#include "app/CZQApp.h"
#include "app/CZQDoc.h"
#include "app/CZQView.h"
#include "app/EditorSettings.h"
#include "util/CRegistryEx.h"
#include "util/InstallInfo.h"

#include "engine/dom/Document.h"
#include "engine/editing/Selection.h"
#include "engine/view/DesignModeInput.h"
#include "engine/view/PageView.h"

#include "platform/DocTemplate.h"

#include "bench/app/LargePageOpenBench.h"
#include "bench/editor/BenchProgram.h"
#include "bench/engine/RecordingReporter.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QTemporaryDir>

#include <memory>

namespace {

const QSize kViewSize(800, 600);

// The large page of the engine's benchmarks as a file (about 2,000 elements).
QString largePageFile(const QTemporaryDir& dir)
{
    const QString path = dir.filePath(QStringLiteral("large.html"));
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(bench_pages::largePage().toUtf8());
    return path;
}

// The program, started as a user starts it, without the start-up guide.
std::unique_ptr<CZQApp> startProgram()
{
    InitInstallFolder();
    CRegistryEx reg(HKEY_CURRENT_USER);
    if (reg.Create(HKEY_CURRENT_USER, EditorSettings::productKeyPath()))
        reg.WriteDWord(QStringLiteral("SHOW_GUIDE"), 0);
    auto app = std::make_unique<CZQApp>();
    if (!app->InitInstance({}))
        return nullptr;
    return app;
}

// The page's view as large as the engine's view below.
engine::PageView* pageOf(CZQApp& app)
{
    CZQView* view = app.GetActiveView();
    engine::PageView* page = view ? view->GetPageView() : nullptr;
    if (page && page->viewport()->size() != kViewSize) {
        app.mainFrame()->resize(app.mainFrame()->size() + kViewSize - page->viewport()->size());
        QCoreApplication::processEvents();
    }
    return page;
}

void BM_OpenToFirstPaint_Engine(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString path = largePageFile(dir);
    for (auto _ : state) {
        engine::Ref<engine::Document> doc = engine::Document::create();
        doc->load(path);
        engine::PageView view(doc.get());
        view.setHeadless(kViewSize);
        benchmark::DoNotOptimize(view.renderToImage());
        state.PauseTiming();
        view.hide();
        state.ResumeTiming();
    }
}

void BM_OpenToFirstPaint_Program(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString path = largePageFile(dir);
    std::unique_ptr<CZQApp> app = startProgram();
    if (!app) {
        state.SkipWithError("the program did not start");
        return;
    }
    // The window as the first open left it, so each open lays out at the same size.
    app->OpenDocumentFile(path);
    pageOf(*app);
    app->docTemplate()->closeAllDocuments();
    QCoreApplication::processEvents();
    for (auto _ : state) {
        app->OpenDocumentFile(path);
        engine::PageView* page = app->GetActiveView()->GetPageView();
        benchmark::DoNotOptimize(page->renderToImage());
        state.PauseTiming();
        state.counters["viewWidth"] = page->viewport()->width();
        app->docTemplate()->closeAllDocuments();
        QCoreApplication::processEvents(); // the documents go
        state.ResumeTiming();
    }
}

// A key typed in the first cell of a table, painted: the engine's view with a
// sink that only looks at the event, as the engine's typing benchmark does.
void BM_KeyToPaintedCaret_Engine(benchmark::State& state)
{
    engine::Ref<engine::Document> doc = engine::Document::create();
    doc->replaceContent(bench_pages::largePage());
    engine::PageView view(doc.get());
    view.setHeadless(kViewSize);
    QImage image(kViewSize, QImage::Format_ARGB32_Premultiplied);
    engine::Element* cell =
        doc->getElementById(QStringLiteral("t3"))->getElementsByTagName(QStringLiteral("TD")).item(0);
    engine::Text* text = cell->firstChild()->asText();
    doc->selection().collapseAt(text, text->length());
    view.flushChanges();
    bench_pages::paintPending(view, image);
    int typed = 0;
    for (auto _ : state) {
        if (++typed % 64 == 0) {
            state.PauseTiming();
            text->deleteData(text->length() - 63, 63);
            doc->selection().collapseAt(text, text->length());
            view.flushChanges();
            bench_pages::paintPending(view, image);
            state.ResumeTiming();
            continue;
        }
        view.input().keyDown(Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
        view.flushChanges();
        bench_pages::paintPending(view, image);
    }
}

// The same key as the window system delivers it to the program's page: the
// main frame's key filter, the page's event sink, the selection change, the
// paint, and the idle update of the command states that follows.
void BM_KeyToPaintedCaret_Program(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString path = largePageFile(dir);
    std::unique_ptr<CZQApp> app = startProgram();
    if (!app || !app->OpenDocumentFile(path)) {
        state.SkipWithError("the program did not open the page");
        return;
    }
    QCoreApplication::processEvents(); // the page-loaded event
    engine::PageView* page = pageOf(*app);
    // A person types once the page is all there: the rest of a long page is
    // laid out in the background after its first screens show.
    page->layout().finishLayout();
    engine::Document* doc = app->GetActiveView()->GetHtmlDocument();
    QImage image(page->viewport()->size(), QImage::Format_ARGB32_Premultiplied);
    engine::Element* cell =
        doc->getElementById(QStringLiteral("t3"))->getElementsByTagName(QStringLiteral("TD")).item(0);
    engine::Text* text = cell->firstChild()->asText();
    doc->selection().collapseAt(text, text->length());
    page->setFocus();
    page->flushChanges();
    bench_pages::paintPending(*page, image);
    QCoreApplication::processEvents();
    int typed = 0;
    for (auto _ : state) {
        if (++typed % 64 == 0) {
            state.PauseTiming();
            text->deleteData(text->length() - 63, 63);
            doc->selection().collapseAt(text, text->length());
            page->flushChanges();
            bench_pages::paintPending(*page, image);
            QCoreApplication::processEvents();
            state.ResumeTiming();
            continue;
        }
        bench_program::typeKeyToPaint(*app, *page, image);
    }
    state.counters["selectionKind"] = app->GetActiveView()->m_dwSelKind;
    state.counters["rebuilds"] = page->layout().counters().rebuilds;
}

} // namespace

BENCHMARK(BM_OpenToFirstPaint_Engine)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenToFirstPaint_Program)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_KeyToPaintedCaret_Engine)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_KeyToPaintedCaret_Program)->Unit(benchmark::kMillisecond);

// Entry point of bench_app: a private home, as each test has, so the
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
    registerPageFolderOpens();
    bench_pages::RecordingReporter reporter;
    ::benchmark::RunSpecifiedBenchmarks(&reporter);
    ::benchmark::Shutdown();
    printManualOpenRatios(reporter.ms);
    return 0;
}
