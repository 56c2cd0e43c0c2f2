// The table structure commands on a generated table of 500 rows of 10
// columns with row and column spans, each timed beside parsing the table's
// HTML once in the same run; the grid is built once per command.
//   bench_commands --benchmark_filter=TableStructure

#include "commands/TableStructure.h"
#include "editor/tables/TableGrid.h"

#include "engine/dom/Document.h"

#include <benchmark/benchmark.h>

#include <QElapsedTimer>

namespace {

// Every seventh row starts with a cell two rows high; every fifth row has a
// cell two columns wide.
QString spanningTable()
{
    QString html = QStringLiteral("<HTML><BODY><TABLE id=t border=1>");
    for (int r = 0; r < 500; ++r) {
        html += QStringLiteral("<TR>");
        const bool coveredFromAbove = r % 7 == 1;
        for (int c = coveredFromAbove ? 1 : 0; c < 10; ++c) {
            QString attributes = QStringLiteral(" id=c%1_%2").arg(r).arg(c);
            if (r % 7 == 0 && c == 0)
                attributes += QStringLiteral(" rowspan=2");
            if (r % 5 == 0 && c == 4) {
                attributes += QStringLiteral(" colspan=2");
                ++c;
            }
            html += QStringLiteral("<TD%1>%2</TD>").arg(attributes).arg(r * 10 + c);
        }
        html += QStringLiteral("</TR>");
    }
    return html + QStringLiteral("</TABLE></BODY></HTML>");
}

enum Command { InsertColumn, DeleteColumn, SplitVertically, Merge };

void BM_TableStructure(benchmark::State& state)
{
    const QString html = spanningTable();
    const auto command = Command(state.range(0));
    qint64 commandNs = 0, parseNs = 0, iterations = 0;
    for (auto _ : state) {
        state.PauseTiming();
        engine::Ref<engine::Document> doc = engine::Document::create();
        QElapsedTimer parse;
        parse.start();
        doc->replaceContent(html);
        parseNs += parse.nsecsElapsed();
        engine::Element* cell = doc->getElementById(QStringLiteral("c250_3"));
        engine::Element* table = doc->getElementById(QStringLiteral("t"));
        state.ResumeTiming();
        QElapsedTimer timer;
        timer.start();
        switch (command) {
        case InsertColumn:
            InsertTableColumn(cell, 40);
            break;
        case DeleteColumn:
            DeleteTableColumn(cell);
            break;
        case SplitVertically:
            SplitCellVertically(cell, 40);
            break;
        case Merge:
            MergeTableCells(
                table, 0, 100, 9, 119, [](engine::Element*) { return 40; }, nullptr);
            break;
        }
        commandNs += timer.nsecsElapsed();
        ++iterations;
    }
    state.counters["commandMs"] = double(commandNs) / double(iterations) / 1e6;
    state.counters["parseMs"] = double(parseNs) / double(iterations) / 1e6;
    state.counters["ratioToParse"] = parseNs > 0 ? double(commandNs) / double(parseNs) : 0.0;
}
BENCHMARK(BM_TableStructure)
    ->Arg(InsertColumn)
    ->Arg(DeleteColumn)
    ->Arg(SplitVertically)
    ->Arg(Merge)
    ->Unit(benchmark::kMillisecond);

} // namespace
