// Character formatting in the running program: one step bigger over 20,000
// selected characters in 200 runs of different sizes inside a marquee, timed
// beside one FontSize command of the engine over the same range; the ratio
// comes from the same run.
//   bench_commands --benchmark_filter=BiggerOverRuns

#include "app/CMainFrame.h"
#include "app/CZQApp.h"
#include "app/CZQView.h"
#include "app/EditorSettings.h"
#include "res/resource.h"
#include "util/CRegistryEx.h"
#include "util/InstallInfo.h"

#include "engine/dom/Document.h"
#include "engine/editing/CommandGroup.h"
#include "engine/editing/TextRange.h"
#include "engine/view/PageView.h"

#include "platform/CommandRegistry.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <memory>

namespace {

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

// 200 runs of 100 characters, the sizes 1 to 7 in turn.
QString marqueeRuns()
{
    QString html;
    const QString text = QString::fromUtf8("春の大セール開催中ですお見逃しなく").repeated(6).left(100);
    for (int run = 0; run < 200; ++run)
        html += QStringLiteral("<FONT size=%1>%2</FONT>").arg(run % 7 + 1).arg(text);
    return html;
}

CZQView* openPage(CZQApp& app, const QTemporaryDir& dir)
{
    const QString path = dir.filePath(QStringLiteral("sale.html"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return nullptr;
    file.write(QStringLiteral("<html><body><MARQUEE id=mq style=\"POSITION: absolute; LEFT: 10px; TOP: 10px\" "
                              "width=600></MARQUEE></body></html>")
                   .toUtf8());
    file.close();
    if (!app.OpenDocumentFile(path))
        return nullptr;
    QCoreApplication::processEvents();
    return app.GetActiveView();
}

// The marquee's runs as they were, all their text selected.
void resetAndSelect(engine::Document& doc, const QString& runs)
{
    engine::Element* marquee = doc.getElementById(QStringLiteral("mq"));
    marquee->setInnerHTML(runs);
    engine::TextRange range(&doc);
    range.moveToElementText(marquee);
    range.select();
    QCoreApplication::processEvents();
}

void BM_BiggerOverRuns(benchmark::State& state)
{
    QTemporaryDir dir;
    std::unique_ptr<CZQApp> app = startProgram();
    CZQView* view = app ? openPage(*app, dir) : nullptr;
    engine::Document* doc = view ? view->GetHtmlDocument() : nullptr;
    if (!doc) {
        state.SkipWithError("no page");
        return;
    }
    const QString runs = marqueeRuns();
    qint64 biggerNs = 0;
    qint64 fontSizeNs = 0;
    QElapsedTimer timer;
    for (auto _ : state) {
        state.PauseTiming();
        resetAndSelect(*doc, runs);
        state.ResumeTiming();
        timer.start();
        app->commands()->sendCommand(ID_FORMAT_FONT_BIGGER);
        biggerNs += timer.nsecsElapsed();
        state.PauseTiming();
        resetAndSelect(*doc, runs);
        const engine::Variant size(5);
        timer.start();
        view->ExecCommand(engine::CommandGroup::FontSize, &size);
        fontSizeNs += timer.nsecsElapsed();
        state.ResumeTiming();
    }
    const double iterations = double(state.iterations());
    state.counters["biggerMs"] = double(biggerNs) / iterations / 1e6;
    state.counters["fontSizeMs"] = double(fontSizeNs) / iterations / 1e6;
    state.counters["ratio"] = fontSizeNs > 0 ? double(biggerNs) / double(fontSizeNs) : 0.0;
    state.counters["characters"] = doc->getElementById(QStringLiteral("mq"))->innerText().size();
}
BENCHMARK(BM_BiggerOverRuns)->Unit(benchmark::kMillisecond);

} // namespace

// Entry point of bench_commands: a private home, as each test has, so the
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
