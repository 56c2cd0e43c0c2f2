// Column arithmetic on one long line, as on a minified page shown as source:
// every caret move, click and keystroke on the line maps a byte position to
// its screen column or back.

#include "SourceBenchPage.h"
#include "source/SourceChars.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

std::string longSourceLine()
{
    std::string line = makeSourcePage(1 << 20);
    for (char& c : line)
        if (c == '\r' || c == '\n')
            c = ' ';
    return line;
}

void BM_ColumnOfLineEnd(benchmark::State& state)
{
    const std::string line = longSourceLine();
    for (auto _ : state)
        benchmark::DoNotOptimize(SourceChars::ColumnOfChar(line, static_cast<int>(line.size()), 4));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(line.size()));
}
BENCHMARK(BM_ColumnOfLineEnd)->Unit(benchmark::kMillisecond);

void BM_CharOfLastColumn(benchmark::State& state)
{
    const std::string line = longSourceLine();
    const int last = SourceChars::LineColumns(line, 4) - 1;
    for (auto _ : state)
        benchmark::DoNotOptimize(SourceChars::CharOfColumn(line, last, 4));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(line.size()));
}
BENCHMARK(BM_CharOfLastColumn)->Unit(benchmark::kMillisecond);

} // namespace
