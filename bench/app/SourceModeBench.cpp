// A 1 MB page taken from its editing view to its source and back with a
// changed text, against the engine's own save of that page and its parse of
// the saved text: the program writes the temporary page, reads it into the
// source buffer, and puts the buffer's text back into the live page as one
// undo step. The first return also gathers the page's loose text into a text
// box (counter firstMs); the rounds measured work on the page as the editor
// keeps it.
//   bench_app --benchmark_filter='SourceRoundTrip'

#include "bench/engine/BenchPages.h"

#include "app/CChildFrame.h"
#include "app/CMainFrame.h"
#include "app/CZQApp.h"
#include "app/EditorSettings.h"
#include "source/VornaSourceDoc.h"
#include "source/VornaSourceEditView.h"
#include "util/CRegistryEx.h"
#include "util/InstallInfo.h"

#include "engine/dom/Document.h"
#include "engine/html/PageLoader.h"

#include "platform/CodePages.h"
#include "platform/CommandRegistry.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

namespace {

// About a megabyte of paragraphs, tables and positioned objects, in UTF-8.
QString megabytePage()
{
    return bench_pages::generatedPage(5600, 400).replace(
        QStringLiteral("<head>"),
        QStringLiteral("<head><meta http-equiv=Content-Type content=\"text/html; charset=utf-8\">"));
}

void BM_SourceRoundTrip_Engine(benchmark::State& state)
{
    engine::Ref<engine::Document> doc = engine::Document::create();
    doc->replaceContent(megabytePage());
    engine::Ref<engine::Document> parsed = engine::Document::create();
    for (auto _ : state) {
        const QByteArray bytes = doc->loader().fileBytes();
        parsed->replaceContent(platform::decodeText(bytes, QStringLiteral("utf-8")));
        benchmark::DoNotOptimize(parsed->body());
        state.counters["bytes"] = double(bytes.size());
    }
}

void BM_SourceRoundTrip_Program(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("large.html"));
    {
        QFile file(path);
        if (file.open(QIODevice::WriteOnly))
            file.write(megabytePage().toUtf8());
    }
    InitInstallFolder();
    CRegistryEx reg(HKEY_CURRENT_USER);
    if (reg.Create(HKEY_CURRENT_USER, EditorSettings::productKeyPath()))
        reg.WriteDWord(QStringLiteral("SHOW_GUIDE"), 0);
    CZQApp app;
    if (!app.InitInstance({}) || !app.OpenDocumentFile(path)) {
        state.SkipWithError("the program did not open the page");
        return;
    }
    QCoreApplication::processEvents(); // the page-loaded event
    CChildFrame* child = app.mainFrame()->GetActiveChild();
    int round = 0;
    // A comment typed in the middle of the page's source, and back.
    const auto roundTrip = [&] {
        app.commands()->sendCommand(33183);
        VornaSourceTextBuffer& buffer = child->GetSourceView()->GetSourceDoc()->m_xTextBuffer;
        int endLine = 0;
        int endChar = 0;
        buffer.InsertText(nullptr, buffer.GetLineCount() / 2, 0, QStringLiteral("<!--%1-->").arg(++round).toStdString(),
                          endLine, endChar, 4);
        app.commands()->sendCommand(32870);
        return buffer.GetLineCount();
    };
    // The first return puts the page's loose text into a text box, as the
    // page's load does in the editor; the page is then as the editor keeps it.
    QElapsedTimer first;
    first.start();
    roundTrip();
    state.counters["firstMs"] = double(first.elapsed());
    for (auto _ : state)
        state.counters["lines"] = roundTrip();
    if (!child->m_bEditShown)
        state.SkipWithError("the page did not come back to its editing view");
}

} // namespace

BENCHMARK(BM_SourceRoundTrip_Engine)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SourceRoundTrip_Program)->Unit(benchmark::kMillisecond);
