// Entry point of bench_engine: the benchmarks paint with Qt, so a
// QApplication (on the offscreen platform unless told otherwise) runs first.
// After the run, the ratios the engine is held to, from this run's figures.

#include "bench/engine/RecordingReporter.h"

#include <benchmark/benchmark.h>

#include <QApplication>

#include <cstdio>
#include <map>
#include <string>

namespace {

void printRatios(const std::map<std::string, double>& ms)
{
    const auto has = [&ms](const char* name) { return ms.count(name) > 0; };
    std::printf("\nRatios of this run:\n");
    if (has("BM_ParseIntoDom") && has("BM_GumboAlone")) {
        const double r = ms.at("BM_ParseIntoDom") / ms.at("BM_GumboAlone");
        // Both run on one thread: on a busy machine their processor times
        // tell the work apart from the waiting for a processor.
        const double cpu = ms.at("BM_ParseIntoDom:cpu") / ms.at("BM_GumboAlone:cpu");
        std::printf("  parse 1 MB into the DOM / gumbo alone: %.2fx (at most 1.5x; processor time %.2fx) %s\n", r, cpu,
                    r <= 1.5 ? "ok" : "OVER");
    }
    if (has("BM_StyleChangeOfHeight_Large")) {
        const double t = ms.at("BM_StyleChangeOfHeight_Large");
        std::printf("  edit that changes a block's height, large page: %.2f ms (under 4 ms) %s", t,
                    t < 4 ? "ok" : "OVER");
        if (has("BM_StyleChangeOfHeight_Large_Whole"))
            std::printf("; the page laid out whole: %.2f ms", ms.at("BM_StyleChangeOfHeight_Large_Whole"));
        std::printf("\n");
    }
    if (has("BM_TextBoxHeightEdit")) {
        const double t = ms.at("BM_TextBoxHeightEdit");
        std::printf("  edit that changes a block's height in the text box of a long page: %.2f ms (under 4 ms) %s", t,
                    t < 4 ? "ok" : "OVER");
        if (has("BM_TextBoxHeightEdit_Whole"))
            std::printf("; the page laid out whole: %.2f ms", ms.at("BM_TextBoxHeightEdit_Whole"));
        if (has("BM_TextBoxTypeKey"))
            std::printf("; a key typed there: %.2f ms", ms.at("BM_TextBoxTypeKey"));
        std::printf("\n");
    }
    // Enter and a joining Backspace by turns (blocks added and removed).
    for (const char* where : {"BM_EnterAndJoin", "BM_TextBoxEnterAndJoin"}) {
        for (const char* count : {"2000", "100000"}) {
            const std::string name = std::string(where) + "/" + count;
            if (!ms.count(name))
                continue;
            const double t = ms.at(name);
            std::printf("  Enter and a joining Backspace, %s paragraphs%s: %.2f ms (under 4 ms) %s", count,
                        std::string(where).find("TextBox") != std::string::npos ? " in a text box" : "", t,
                        t < 4 ? "ok" : "OVER");
            const std::string whole = std::string(where) + "_Whole/" + count;
            if (ms.count(whole))
                std::printf("; the page laid out whole: %.2f ms", ms.at(whole));
            std::printf("\n");
        }
    }
    // The same edits on the same pages in headless chromium's editor.
    for (const char* count : {"2000", "100000"}) {
        const std::string ours = std::string("BM_EnterAndJoin/") + count;
        const std::string chromium = std::string("BM_EnterAndJoin_Chromium/") + count;
        if (!ms.count(ours) || !ms.count(chromium))
            continue;
        std::printf("  Enter and a joining Backspace, %s paragraphs / headless chromium's editor: %.2fx (%.2f against "
                    "%.2f ms)\n",
                    count, ms.at(ours) / ms.at(chromium), ms.at(ours), ms.at(chromium));
    }
    // Pictures with effects against the same page without them.
    const struct
    {
        const char* what;
        const char* name;
        double limit;
    } filtered[] = {{"first layout and paint", "FirstLayoutAndPaint", 3},
                    {"later paint", "LaterPaint", 1.2},
                    {"drag step", "DragStep", 1.2}};
    for (const auto& f : filtered) {
        const std::string plain = std::string("BM_ImageFilters_") + f.name + "_Plain";
        const std::string with = std::string("BM_ImageFilters_") + f.name + "_Filtered";
        if (!ms.count(plain) || !ms.count(with))
            continue;
        const double r = ms.at(with) / ms.at(plain);
        std::printf("  50 pictures with blur, emboss and grey / without, %s: %.2fx (at most %.1fx) %s\n", f.what, r,
                    f.limit, r <= f.limit ? "ok" : "OVER");
    }
    // First layout and paint of a page against the layout library alone.
    for (const char* page : {"Typical", "Large"}) {
        const std::string ours = std::string("BM_FirstLayoutAndPaint_Ours_") + page;
        const std::string alone = std::string("BM_FirstLayoutAndPaint_LitehtmlAlone_") + page;
        if (!ms.count(ours) || !ms.count(alone))
            continue;
        const double r = ms.at(ours) / ms.at(alone);
        std::printf("  first layout and paint, %s page / litehtml alone: %.2fx (at most 1.0x) %s\n", page, r,
                    r <= 1.0 ? "ok" : "OVER");
    }
    if (has("BM_PaintListingScreen/20000") && has("BM_PaintListingScreen/200")) {
        const double r = ms.at("BM_PaintListingScreen/20000") / ms.at("BM_PaintListingScreen/200");
        std::printf("  paint of a screen, listing of 20,000 lines / of 200 lines: %.2fx (%.2f against %.2f ms)\n", r,
                    ms.at("BM_PaintListingScreen/20000"), ms.at("BM_PaintListingScreen/200"));
    }
    if (has("BM_ResizeAcrossBreakpoint") && has("BM_ResizeWithinBreakpoints")) {
        const double r = ms.at("BM_ResizeAcrossBreakpoint") / ms.at("BM_ResizeWithinBreakpoints");
        std::printf("  resize of a 2 MB page's window across a breakpoint / within one: %.2fx (%.2f against %.2f ms on "
                    "the window's thread)\n",
                    r, ms.at("BM_ResizeAcrossBreakpoint"), ms.at("BM_ResizeWithinBreakpoints"));
    }
    if (has("BM_WholeLayoutAtOnce_Ours") && has("BM_WholeLayoutAtOnce_LitehtmlAlone"))
        std::printf("  the large page laid out whole at once / litehtml alone: %.2fx (layout library's page built in "
                    "%.2f s of %.2f s)\n",
                    ms.at("BM_WholeLayoutAtOnce_Ours") / ms.at("BM_WholeLayoutAtOnce_LitehtmlAlone"),
                    ms.at("BM_WholeLayoutAtOnce_Ours:load_s"), ms.at("BM_WholeLayoutAtOnce_Ours") / 1000);
    const char* ours = "BM_OpenLargePageToFirstPaint_Ours";
    const char* chromium = "BM_OpenLargePageToFirstPaint_Chromium";
    if (has(ours) && has(chromium)) {
        const double r = ms.at(ours) / ms.at(chromium);
        std::printf("  open a large page to its first paint / headless chromium: %.2fx (at most 2x) %s\n", r,
                    r <= 2 ? "ok" : "OVER");
        const std::string whole = std::string(ours) + ":whole_layout_s";
        if (ms.count(whole)) {
            const double w = ms.at(whole) * 1000 / ms.at(chromium);
            std::printf("  the large page laid out whole / headless chromium: %.2fx (at most 2x) %s\n", w,
                        w <= 2 ? "ok" : "OVER");
        }
    }
    const std::string block = std::string(ours) + ":longest_block_ms";
    if (ms.count(block)) {
        const double b = ms.at(block);
        std::printf("  longest block of the window while the large page opens: %.0f ms (%.0f ms of processor time; at "
                    "most 50 ms) %s\n",
                    b, ms.at(std::string(ours) + ":longest_block_cpu_ms"), b <= 50 ? "ok" : "OVER");
    }
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::benchmark::Initialize(&argc, argv);
    if (::benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    bench_pages::RecordingReporter reporter;
    ::benchmark::RunSpecifiedBenchmarks(&reporter);
    ::benchmark::Shutdown();
    printRatios(reporter.ms);
    return 0;
}
