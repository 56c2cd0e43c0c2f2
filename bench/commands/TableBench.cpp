// The table structure commands on a generated table of 500 rows of 10
// columns with row and column spans, each timed beside parsing the table's
// HTML once in the same run; the grid is built once per command. Once on
// the table alone, once as the menu runs them on a page open in the
// program (undo step, the drawn sizes the commands read, the page laid out
// again afterwards). Times are the processor time of the program's thread.
//   bench_commands --benchmark_filter=TableStructure
//   bench_commands --benchmark_filter=TableCommandInProgram

#include "bench/editor/BenchProgram.h"
#include "commands/TableStructure.h"
#include "editor/CImpIDispatch.h"
#include "editor/tables/TableGrid.h"
#include "res/resource.h"

#include "engine/dom/Document.h"
#include "engine/editing/Selection.h"
#include "engine/view/PageView.h"

#include "platform/CommandRegistry.h"

#include <benchmark/benchmark.h>

#include <ctime>

namespace {

// The processor time this thread has spent: the machine is shared by many
// builds at once, and wall-clock times grow with their load.
class ThreadTimer
{
public:
    void start() { m_start = now(); }
    qint64 nsecsElapsed() const { return now() - m_start; }

private:
    static qint64 now()
    {
        timespec t{};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
        return qint64(t.tv_sec) * 1000000000 + t.tv_nsec;
    }
    qint64 m_start = 0;
};

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

// A new document read from the HTML; the time the parse took added to `ns`.
engine::Ref<engine::Document> parsed(const QString& html, qint64& ns)
{
    engine::Ref<engine::Document> doc = engine::Document::create();
    ThreadTimer timer;
    timer.start();
    doc->replaceContent(html);
    ns += timer.nsecsElapsed();
    return doc;
}

void BM_TableStructure(benchmark::State& state)
{
    const QString html = spanningTable();
    const auto command = Command(state.range(0));
    qint64 commandNs = 0, parseNs = 0, iterations = 0;
    for (auto _ : state) {
        state.PauseTiming();
        const engine::Ref<engine::Document> doc = parsed(html, parseNs);
        engine::Element* cell = doc->getElementById(QStringLiteral("c250_3"));
        engine::Element* table = doc->getElementById(QStringLiteral("t"));
        state.ResumeTiming();
        ThreadTimer timer;
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

// The page's pending events handled and the page laid out.
void settle(CZQView* view)
{
    QCoreApplication::processEvents();
    view->GetPageView()->flushChanges();
    QCoreApplication::processEvents();
}

// The caret in the cell in the middle of the table, or for the merge 20 rows
// of it drawn as a range of cells.
bool placeSelection(CZQView* view, Command command)
{
    engine::Document* doc = view->GetHtmlDocument();
    CImpIDispatch* sink = view->GetSink();
    sink->ClearCellRange();
    if (command != Merge) {
        doc->selection().collapseAt(doc->getElementById(QStringLiteral("c250_3")), 0);
        return true;
    }
    engine::Element* anchor = doc->getElementById(QStringLiteral("c100_0"));
    engine::Element* current = doc->getElementById(QStringLiteral("c119_9"));
    sink->m_pSelTable = doc->getElementById(QStringLiteral("t"));
    int row = 0, column = 0;
    if (sink->GetCellGridPosition(anchor, row, column, false) != S_OK)
        return false;
    sink->m_cellAnchor = {row, column};
    sink->m_pAnchorCell = anchor;
    if (sink->GetCellGridPosition(current, row, column, false) != S_OK)
        return false;
    sink->m_cellCurrent = {row, column};
    sink->m_pCurrentCell = current;
    sink->UpdateCellHighlight();
    doc->selection().empty();
    return true;
}

void BM_TableCommandInProgram(benchmark::State& state)
{
    QTemporaryDir dir;
    std::unique_ptr<CZQApp> app = bench_program::startProgram();
    const QString html = spanningTable();
    CZQView* view = app ? bench_program::openPage(*app, dir, html, QSize(800, 600)) : nullptr;
    if (!view || !view->GetSink() || !view->GetPageView()) {
        state.SkipWithError("no page");
        return;
    }
    const auto command = Command(state.range(0));
    constexpr int kIds[] = {ID_TABLE_INSERT_COLUMN, ID_TABLE_DELETE_COLUMN, ID_TABLE_SPLIT_CELL_VERTICAL,
                            ID_TABLE_MERGE_CELLS};
    qint64 commandNs = 0, laidOutNs = 0, parseNs = 0;
    for (auto _ : state) {
        state.PauseTiming();
        parsed(html, parseNs);
        settle(view);
        if (!placeSelection(view, command)) {
            state.SkipWithError("no range");
            return;
        }
        settle(view);
        state.ResumeTiming();
        ThreadTimer timer;
        timer.start();
        app->commands()->sendCommand(kIds[command]);
        commandNs += timer.nsecsElapsed();
        view->GetPageView()->flushChanges();
        laidOutNs += timer.nsecsElapsed();
        state.PauseTiming();
        app->commands()->sendCommand(ID_EDIT_UNDO);
        state.ResumeTiming();
    }
    const double iterations = double(state.iterations());
    state.counters["commandMs"] = double(commandNs) / iterations / 1e6;
    state.counters["laidOutMs"] = double(laidOutNs) / iterations / 1e6;
    state.counters["parseMs"] = double(parseNs) / iterations / 1e6;
    state.counters["ratioToParse"] = parseNs > 0 ? double(commandNs) / double(parseNs) : 0.0;
}
BENCHMARK(BM_TableCommandInProgram)
    ->Arg(InsertColumn)
    ->Arg(DeleteColumn)
    ->Arg(SplitVertically)
    ->Arg(Merge)
    ->Unit(benchmark::kMillisecond);

} // namespace
