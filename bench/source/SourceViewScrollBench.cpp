// Scrolling through a page of about 1 MB in the source view and repainting
// it: a page at a time with the whole view painted again, and a line at a
// time with only the uncovered row painted, as the wheel and the arrow keys
// scroll; and a change at the top of the page followed by a jump to its end.
// The colouring states are carried once before timing, as a reader
// who has scrolled the page once has them.

#include "SourceBenchPage.h"
#include "source/VornaSourceDoc.h"
#include "source/VornaSourceEditView.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QPrinter>
#include <QTemporaryDir>

namespace {

class ShownPage
{
public:
    ShownPage()
    {
        view.resize(900, 700);
        view.OnInitialUpdate();
        view.GetSourceDoc()->m_xTextBuffer.LoadFromBytes(makeSourcePage(1 << 20));
        view.show();
        QApplication::processEvents();
        view.ScrollToLine(view.GetLineCount() - 1);
        image = QImage(view.viewport()->size(), QImage::Format_ARGB32_Premultiplied);
        Paint();
        view.ScrollToLine(0);
    }
    void Paint()
    {
        QPainter painter(&image);
        view.viewport()->render(&painter);
    }

    VornaSourceEditView view;
    QImage image;
};

void BM_ScrollPageAndRepaintAll(benchmark::State& state)
{
    ShownPage page;
    VornaSourceEditView& view = page.view;
    const int step = std::max(1, view.GetVisibleLines() - 1);
    for (auto _ : state) {
        int top = view.GetTopLine() + step;
        if (top >= view.GetLineCount() - step)
            top = 0;
        view.ScrollToLine(top);
        page.Paint();
    }
    state.counters["lines"] = view.GetLineCount();
    state.counters["rows"] = view.GetVisibleLines();
}
BENCHMARK(BM_ScrollPageAndRepaintAll)->Unit(benchmark::kMillisecond);

void BM_ScrollLineAndRepaintRow(benchmark::State& state)
{
    ShownPage page;
    VornaSourceEditView& view = page.view;
    for (auto _ : state) {
        int top = view.GetTopLine() + 1;
        if (top >= view.GetLineCount() - view.GetVisibleLines())
            top = 0;
        view.ScrollToLine(top);
        // Paint what the scroll uncovered, as the window system would next.
        QApplication::sendPostedEvents(nullptr, QEvent::UpdateRequest);
    }
}
BENCHMARK(BM_ScrollLineAndRepaintRow)->Unit(benchmark::kMillisecond);

// The worst case: a line break typed on the first line makes every colouring
// state and line width unknown; then the end of the page is shown.
void BM_EditAtTopThenShowTheEnd(benchmark::State& state)
{
    ShownPage page;
    VornaSourceEditView& view = page.view;
    VornaSourceTextBuffer& buffer = view.GetSourceDoc()->m_xTextBuffer;
    for (auto _ : state) {
        int endLine = 0;
        int endChar = 0;
        buffer.InsertText(&view, 0, 0, "\r\n", endLine, endChar);
        buffer.DeleteText(&view, 0, 0, 1, 0);
        view.ScrollToLine(view.GetLineCount() - view.GetVisibleLines());
        page.Paint();
        view.ScrollToLine(0);
    }
}
BENCHMARK(BM_EditAtTopThenShowTheEnd)->Unit(benchmark::kMillisecond);

// Printing the whole page to a PDF file: layout of every line, then every page.
void BM_PrintWholePage(benchmark::State& state)
{
    VornaSourceEditView view;
    view.OnInitialUpdate();
    view.GetSourceDoc()->m_xTextBuffer.LoadFromBytes(makeSourcePage(1 << 20));
    QTemporaryDir dir;
    for (auto _ : state) {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(dir.filePath(QStringLiteral("page.pdf")));
        view.PrintDocument(printer);
    }
}
BENCHMARK(BM_PrintWholePage)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace
