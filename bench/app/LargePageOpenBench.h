#pragma once

// Opening a page file in the program, watched; the ratios of opening a long
// manual in the program against headless chromium showing it, from a run's
// figures (see RecordingReporter).

#include <benchmark/benchmark.h>

#include <QString>

#include <map>
#include <string>

void printManualOpenRatios(const std::map<std::string, double>& ms);

// Opens the page file at `path` in the program as a user opens a file, to
// the first paint of its window (the iteration's time), and on until its
// layout is whole. Counters: the longest time the event loop was kept from
// running (and the processor time of that block), the whole layout's end,
// whether the page was wrapped into a text box, how often the layout
// started over, and the longest block from closing the page until what it
// left was let go of. Without `complete` the page-load completion leaves the
// page alone.
void openPageFile(benchmark::State& state, const QString& path, bool complete);

// With PAGINOR_BENCH_PAGES_DIR set, one benchmark for each .html file in
// that folder, opening it as openPageFile does ("BM_OpenPage/<file>"); the
// folder's pages can be written by bench/pages/make-reference-pages.py.
void registerPageFolderOpens();
