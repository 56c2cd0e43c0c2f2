// Loading a page of about 1 MB into the source buffer and colouring every
// line, as the source view does when the page is shown and scrolled through.

#include "SourceBenchPage.h"
#include "source/HtmlSourceColoring.h"
#include "source/VornaSourceTextBuffer.h"

#include <benchmark/benchmark.h>

#include <QFile>
#include <QTemporaryDir>

#include <string>
#include <vector>

namespace {

void BM_LoadAndColourPage(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("page.html"));
    const std::string page = makeSourcePage(1 << 20);
    {
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        file.write(page.data(), static_cast<qint64>(page.size()));
    }
    std::vector<ColorRun> runs;
    for (auto _ : state) {
        VornaSourceTextBuffer buffer;
        buffer.LoadFromFile(path, QStringLiteral("UTF-8"), -1);
        LineState lineState = 0;
        int total = 0;
        for (int line = 0; line < buffer.GetLineCount(); ++line) {
            const int length = buffer.GetLineLength(line);
            if (static_cast<int>(runs.size()) < length + 1)
                runs.resize(static_cast<size_t>(length) + 1);
            int count = 0;
            lineState = ParseHtmlLineColors(lineState, buffer.GetLineText(line), length, runs.data(), count);
            total += count;
        }
        benchmark::DoNotOptimize(total);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(page.size()));
}
BENCHMARK(BM_LoadAndColourPage)->Unit(benchmark::kMillisecond);

// Carrying the line state through the whole page without recording runs.
void BM_CarryLineStates(benchmark::State& state)
{
    VornaSourceTextBuffer buffer;
    const std::string page = makeSourcePage(1 << 20);
    buffer.LoadFromBytes(page);
    for (auto _ : state) {
        LineState lineState = 0;
        for (int line = 0; line < buffer.GetLineCount(); ++line) {
            int count = 0;
            lineState =
                ParseHtmlLineColors(lineState, buffer.GetLineText(line), buffer.GetLineLength(line), nullptr, count);
        }
        benchmark::DoNotOptimize(lineState);
    }
}
BENCHMARK(BM_CarryLineStates)->Unit(benchmark::kMillisecond);

} // namespace
