// Loading a page of about 1 MB into the source buffer and colouring every
// line, as the source view does when the page is shown and scrolled through.

#include "source/HtmlSourceColoring.h"
#include "source/VornaSourceTextBuffer.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

#include <string>
#include <vector>

namespace {

std::string makeSourcePage(size_t size)
{
    std::string page = "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\">\r\n<html>\r\n<head>\r\n"
                       "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=UTF-8\">\r\n"
                       "<title>Benchmark</title>\r\n</head>\r\n<body bgcolor=\"#ffffff\" text=#000000>\r\n";
    int row = 0;
    while (page.size() < size) {
        page += "<!-- row " + std::to_string(row) + " -->\r\n";
        page += "<table border=0 cellpadding=\"2\" cellspacing='0' width=\"100%\">\r\n";
        page += "  <tr><td align=center valign=\"top\"><a href=\"page" + std::to_string(row) +
                ".html\" target=_blank>\xe6\x97\xa5\xe6\x9c\xac\xe8\xaa\x9e link</a></td>\r\n";
        page += "  <td><img src=\"image/photo.gif\" width=120 height=90 alt=\"a photo\" border=\"0\"></td></tr>\r\n";
        page += "</table>\r\n<p style=\"position:absolute; left:10px; top:20px\">Some text &amp; more text</p>\r\n";
        ++row;
    }
    page += "</body>\r\n</html>\r\n";
    return page;
}

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

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
