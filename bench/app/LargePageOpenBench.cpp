// Opening a multi-megabyte manual in the program as a user opens a file
// (read in the background, the page-load completion when it has loaded), to
// the first paint of its window, once with the completion and once without
// it, both of a pair in one process. The manual as documentation tools write
// it stands in one DIV; its flowing form (headings and paragraphs straight
// in BODY) is put into a text box by the completion. Counters: the longest
// time the event loop was kept from running, the end of the whole layout and
// how often the layout started over. Headless chromium shows the same files
// in the same run; the run ends with the whole layout's ratios to it.
//   bench_app --benchmark_filter='OpenManual'
// (PAGINOR_BENCH_PAGE_MB sets the size, 8 by default; PAGINOR_BENCH_PAGE_FILE
// opens that file, where it stands, in place of both forms of the manual.)

#include "bench/app/LargePageOpenBench.h"
#include "bench/editor/BenchProgram.h"
#include "bench/engine/Chromium.h"
#include "bench/engine/DocumentationPage.h"
#include "bench/engine/EventLoopWatch.h"

#include "app/CMainFrame.h"
#include "app/CZQView.h"
#include "app/PageContent.h"
#include "app/PageLoadCompletion.h"
#include "editor/CImpIDispatch.h"

#include "engine/dom/Document.h"
#include "engine/view/PageView.h"

#include "platform/BackgroundWork.h"
#include "platform/ModalRunner.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>
#include <QThreadPool>

#include <malloc.h>
#include <time.h>
#include <unistd.h>

namespace {

QString manual(bool flowing)
{
    const int megabytes =
        qEnvironmentVariableIsSet("PAGINOR_BENCH_PAGE_MB") ? qEnvironmentVariableIntValue("PAGINOR_BENCH_PAGE_MB") : 8;
    QString html = bench_pages::documentationPage(megabytes * 1024 * 1024);
    if (flowing) {
        html.replace(QStringLiteral("<div class=\"book\">"), QString());
        const qsizetype end = html.lastIndexOf(QStringLiteral("</div>"));
        if (end >= 0)
            html.remove(end, 6);
    }
    return html;
}

QString writeManual(const QTemporaryDir& dir, bool flowing)
{
    if (qEnvironmentVariableIsSet("PAGINOR_BENCH_PAGE_FILE"))
        return qEnvironmentVariable("PAGINOR_BENCH_PAGE_FILE");
    const QString path = dir.filePath(QStringLiteral("manual.html"));
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(manual(flowing).toUtf8());
    return path;
}

// With PAGINOR_BENCH_BLOCKS_MS set, each time the event loop was kept from
// running (between two ticks of a fast timer, as StallWatch sees it) for
// more processor time than that many milliseconds is told on stderr, with
// the events handled meanwhile: their kind, what they were sent to and the
// processor time of each. PAGINOR_BENCH_BLOCKS_WALL_MS tells too those
// that kept it that long by the clock (waiting for a core, a lock or the
// memory map).
class BlockLog : public QObject
{
public:
    BlockLog()
        : m_limit(qEnvironmentVariableIntValue("PAGINOR_BENCH_BLOCKS_MS")),
          m_wallLimit(qEnvironmentVariableIntValue("PAGINOR_BENCH_BLOCKS_WALL_MS"))
    {
        m_clock.start();
        if (m_limit <= 0)
            return;
        QCoreApplication::instance()->installEventFilter(this);
        m_timer.setTimerType(Qt::PreciseTimer);
        m_timer.setInterval(1);
        QObject::connect(&m_timer, &QTimer::timeout, [this] { tick(); });
        m_timer.start();
        m_tickCpu = m_lastCpu = threadCpuNs();
        m_tickWall = 0;
    }
    void stop()
    {
        QCoreApplication::instance()->removeEventFilter(this);
        m_timer.stop();
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (QThread::currentThread() != thread() || watched == &m_timer)
            return false;
        note();
        m_what = QStringLiteral("%1:%2")
                     .arg(int(event->type()))
                     .arg(watched->objectName().isEmpty() ? QString::fromLatin1(watched->metaObject()->className())
                                                          : watched->objectName());
        return false;
    }

private:
    void note()
    {
        const qint64 cpu = threadCpuNs();
        if (!m_what.isEmpty())
            m_events += QStringLiteral(" %1=%2").arg(m_what).arg((cpu - m_lastCpu) / 1e6, 0, 'f', 1);
        m_what.clear();
        m_lastCpu = cpu;
    }
    void tick()
    {
        note();
        const qint64 cpu = threadCpuNs();
        const qint64 wall = m_clock.nsecsElapsed();
        if (cpu - m_tickCpu > m_limit * 1000000LL || (m_wallLimit > 0 && wall - m_tickWall > m_wallLimit * 1000000LL))
            std::fprintf(stderr, "block %6.1f ms wall %6.1f ms cpu at %7.3f s:%s\n", (wall - m_tickWall) / 1e6,
                         (cpu - m_tickCpu) / 1e6, m_tickWall / 1e9, qPrintable(m_events));
        m_events.clear();
        m_tickCpu = cpu;
        m_tickWall = wall;
        m_lastCpu = cpu;
    }
    static qint64 threadCpuNs()
    {
        timespec t{};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
        return qint64(t.tv_sec) * 1000000000 + t.tv_nsec;
    }
    int m_limit = 0;
    int m_wallLimit = 0;
    QElapsedTimer m_clock;
    QTimer m_timer;
    qint64 m_tickWall = 0;
    qint64 m_tickCpu = 0;
    qint64 m_lastCpu = 0;
    QString m_what;
    QString m_events;
};

using bench_pages::PaintCounter;
using bench_pages::runEventsUntil;
using bench_pages::StallWatch;

// Answers the message boxes the program shows while a page opens (a page it
// refused), noting the first one's text, so that no box waits for a user.
class MessagesNoted : public platform::ModalAnswerer
{
public:
    MessagesNoted() { platform::pushModalAnswerer(this); }
    ~MessagesNoted() override { platform::removeModalAnswerer(this); }
    bool respond(QDialog&, int, const QString& text, int* result) override
    {
        if (m_first.isEmpty())
            m_first = text.isEmpty() ? QStringLiteral("a dialog") : text;
        *result = platform::IDOK;
        return true;
    }
    const QString& first() const { return m_first; }

private:
    QString m_first;
};

// Runs the event loop until the background work has ended and nothing it
// posted is left to do (the loop runs all the while: a watch of its blocks
// sees only the program's).
void settle()
{
    for (int quiet = 0; quiet < 3;) {
        QElapsedTimer pause;
        pause.start();
        while (pause.elapsed() < 50) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            QThread::usleep(500);
        }
        quiet = platform::backgroundPool()->activeThreadCount() == 0 ? quiet + 1 : 0;
    }
}

void openManual(benchmark::State& state, bool flowing, bool complete)
{
    QTemporaryDir dir;
    openPageFile(state, writeManual(dir, flowing), complete);
}

} // namespace

void openPageFile(benchmark::State& state, const QString& path, bool complete)
{
    auto app = bench_program::startProgram();
    if (!app) {
        state.SkipWithError("the program did not start");
        return;
    }
    QCoreApplication::processEvents();
    qint64 stall = 0;
    qint64 stallCpu = 0;
    qint64 closeStall = 0;
    qint64 closeStallCpu = 0;
    double whole = 0;
    bool wrapped = false;
    int rebuilds = 0;
    for (auto _ : state) {
        MessagesNoted messages;
        StallWatch watch;
        BlockLog blocks;
        QElapsedTimer clock;
        clock.start();
        if (!app->OpenDocumentFile(path)) {
            state.SkipWithError("the page did not open");
            return;
        }
        CZQView* view = app->GetActiveView();
        // Without the completion the page's loaded event leaves it alone.
        if (!complete)
            view->m_bLoadCompleted = true;
        engine::PageView* page = view->GetPageView();
        engine::Document* doc = view->GetHtmlDocument();
        runEventsUntil([&] { return !doc->isLoading() && (!complete || view->m_bLoadCompleted); });
        if (!messages.first().isEmpty()) {
            const std::string said = ("the program said: " + messages.first().simplified()).toStdString();
            state.SkipWithError(said.c_str());
            app->mainFrame()->OnFileCloseAll();
            return;
        }
        PaintCounter painted;
        page->viewport()->installEventFilter(&painted);
        page->viewport()->update();
        runEventsUntil([&] { return painted.paints > 0; });
        state.SetIterationTime(clock.nsecsElapsed() / 1e9);
        runEventsUntil([&] { return !page->layout().needsLayout() && !page->layout().isLayingOutInBackground(); });
        whole = clock.nsecsElapsed() / 1e9;
        blocks.stop();
        stall = std::max(stall, watch.longest());
        stallCpu = std::max(stallCpu, watch.longestCpu());
        wrapped = doc->getElementById(QStringLiteral("text")) != nullptr;
        rebuilds = page->layout().counters().rebuilds;
        page->viewport()->removeEventFilter(&painted);
        // The page closes; what it leaves is let go of meanwhile.
        StallWatch closing;
        app->mainFrame()->OnFileCloseAll();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        settle();
        closeStall = std::max(closeStall, closing.longest());
        closeStallCpu = std::max(closeStallCpu, closing.longestCpu());
    }
    state.counters["longest_block_ms"] = double(stall);
    state.counters["longest_block_cpu_ms"] = double(stallCpu);
    state.counters["close_block_ms"] = double(closeStall);
    state.counters["close_block_cpu_ms"] = double(closeStallCpu);
    state.counters["whole_layout_s"] = whole;
    state.counters["wrapped"] = wrapped ? 1 : 0;
    // (How often the page's layout was started over from its text.)
    state.counters["rebuilds"] = rebuilds;
}

namespace {

void BM_OpenManual(benchmark::State& state)
{
    openManual(state, false, false);
}
void BM_OpenManual_Completed(benchmark::State& state)
{
    openManual(state, false, true);
}
void BM_OpenManualFlowing(benchmark::State& state)
{
    openManual(state, true, false);
}
void BM_OpenManualFlowing_Completed(benchmark::State& state)
{
    openManual(state, true, true);
}

// Headless chromium showing the same manual, plain and flowing.
void openManualInChromium(benchmark::State& state, bool flowing)
{
    QTemporaryDir dir;
    bench_pages::timeChromium(state, writeManual(dir, flowing));
}

void BM_OpenManual_Chromium(benchmark::State& state)
{
    openManualInChromium(state, false);
}
void BM_OpenManualFlowing_Chromium(benchmark::State& state)
{
    openManualInChromium(state, true);
}

// The steps of the completion on the loaded manual, each timed alone: the
// z-index range, the test for loose text, its wrap into a text box, and the
// image maps' names; then the whole completion, from its start to the end of
// its last step, and the longest time it kept the event loop.
void manualSteps(benchmark::State& state, bool flowing)
{
    QTemporaryDir dir;
    const QString path = writeManual(dir, flowing);
    auto app = bench_program::startProgram();
    if (!app) {
        state.SkipWithError("the program did not start");
        return;
    }
    double range = 0, test = 0, wrap = 0, maps = 0, whole = 0;
    qint64 block = 0;
    for (auto _ : state) {
        if (!app->OpenDocumentFile(path)) {
            state.SkipWithError("the page did not open");
            return;
        }
        CZQView* view = app->GetActiveView();
        view->m_bLoadCompleted = true;
        engine::Document* doc = view->GetHtmlDocument();
        runEventsUntil([&] { return !doc->isLoading(); });
        QElapsedTimer clock;
        clock.start();
        doc->beginLoadScope();
        FindZIndexRange(doc, &view->m_nMaxZIndex, &view->m_nMinZIndex);
        range = clock.nsecsElapsed() / 1e6;
        clock.restart();
        const bool loose = HasLooseBodyText(doc);
        test = clock.nsecsElapsed() / 1e6;
        clock.restart();
        if (loose)
            WrapLooseContent(doc, view);
        wrap = clock.nsecsElapsed() / 1e6;
        clock.restart();
        for (const engine::Ref<engine::Element>& image : doc->images().toVector())
            view->GetSink()->RemoveUsemapHash(image.get());
        maps = clock.nsecsElapsed() / 1e6;
        doc->endLoadScope();
        // The whole completion on the page read again.
        app->mainFrame()->OnFileCloseAll();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        if (!app->OpenDocumentFile(path)) {
            state.SkipWithError("the page did not open");
            return;
        }
        view = app->GetActiveView();
        view->m_bLoadCompleted = true;
        doc = view->GetHtmlDocument();
        runEventsUntil([&] { return !doc->isLoading(); });
        view->m_bLoadCompleted = false;
        {
            // (A long page is walked in steps first.)
            StallWatch watch;
            BlockLog blocks;
            clock.restart();
            OnPageLoadComplete(doc, view);
            runEventsUntil([&] { return view->m_bLoadCompleted; });
            whole = clock.nsecsElapsed() / 1e6;
            block = std::max(block, watch.longest());
        }
        app->mainFrame()->OnFileCloseAll();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    state.counters["zindex_ms"] = range;
    state.counters["loose_test_ms"] = test;
    state.counters["wrap_ms"] = wrap;
    state.counters["usemap_ms"] = maps;
    state.counters["completion_ms"] = whole;
    state.counters["completion_block_ms"] = double(block);
}

// What the process still holds once a long page closed, against what it
// held before the page opened: the memory malloc has given out and the
// resident set. The page (the manual, plain) closes while it is read,
// a while into its layout, or once its layout is whole; the work left in the
// background is waited for. Also: how long the close kept the window's
// thread, and the longest time the event loop was kept from running from
// the close until the rest settled (and the processor time of that block).
//   bench_app --benchmark_filter='CloseManual'
double heldMb()
{
    const struct mallinfo2 info = mallinfo2();
    return double(info.uordblks + info.hblkhd) / (1024 * 1024);
}

double residentMb()
{
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> fields = statm.readAll().split(' ');
    return fields.size() > 1 ? double(fields[1].toLongLong()) * double(sysconf(_SC_PAGESIZE)) / (1024 * 1024) : 0;
}

enum class ClosedWhen { Reading, MidLayout, LaidOut };

void BM_CloseManual(benchmark::State& state, ClosedWhen when)
{
    QTemporaryDir dir;
    const QString path = writeManual(dir, false);
    auto app = bench_program::startProgram();
    if (!app) {
        state.SkipWithError("the program did not start");
        return;
    }
    settle();
    const double heldBefore = heldMb();
    const double residentBefore = residentMb();
    double heldOpen = 0, residentOpen = 0, heldAfter = 0, residentAfter = 0;
    for (auto _ : state) {
        if (!app->OpenDocumentFile(path)) {
            state.SkipWithError("the page did not open");
            return;
        }
        CZQView* view = app->GetActiveView();
        engine::PageView* page = view->GetPageView();
        engine::Document* doc = view->GetHtmlDocument();
        if (when == ClosedWhen::Reading) {
            if (!doc->isLoading())
                state.SkipWithError("the page was read before it closed");
        } else {
            runEventsUntil([&] { return !doc->isLoading() && view->m_bLoadCompleted; });
            QElapsedTimer clock;
            clock.start();
            if (when == ClosedWhen::MidLayout) {
                // A while into its layout.
                runEventsUntil([&] { return clock.elapsed() > 1500; });
                if (!page->layout().isLayingOutInBackground())
                    state.SkipWithError("the layout ended before the page closed");
            } else {
                runEventsUntil([&] { return !page->layout().isLayingOutInBackground(); });
                settle();
            }
        }
        heldOpen = heldMb();
        residentOpen = residentMb();
        StallWatch watch;
        QElapsedTimer closing;
        closing.start();
        app->mainFrame()->OnFileCloseAll();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        state.counters["close_ms"] = closing.nsecsElapsed() / 1e6;
        settle();
        state.counters["longest_block_ms"] = double(watch.longest());
        state.counters["longest_block_cpu_ms"] = double(watch.longestCpu());
        heldAfter = heldMb();
        residentAfter = residentMb();
    }
    state.counters["held_before_mb"] = heldBefore;
    state.counters["held_open_mb"] = heldOpen;
    state.counters["held_after_close_mb"] = heldAfter;
    state.counters["resident_before_mb"] = residentBefore;
    state.counters["resident_open_mb"] = residentOpen;
    state.counters["resident_after_close_mb"] = residentAfter;
}

void BM_ManualCompletionSteps(benchmark::State& state)
{
    manualSteps(state, false);
}
void BM_ManualFlowingCompletionSteps(benchmark::State& state)
{
    manualSteps(state, true);
}

} // namespace

void printManualOpenRatios(const std::map<std::string, double>& ms)
{
    const struct
    {
        const char* what;
        const char* ours;
        const char* chromium;
    } pairs[] = {
        {"plain", "BM_OpenManual_Completed", "BM_OpenManual_Chromium"},
        {"plain, without the completion", "BM_OpenManual", "BM_OpenManual_Chromium"},
        {"wrapped into its text box at load", "BM_OpenManualFlowing_Completed", "BM_OpenManualFlowing_Chromium"}};
    bool printed = false;
    for (const auto& pair : pairs) {
        const std::string ours = pair.ours;
        if (!ms.count(ours + ":whole_layout_s") || !ms.count(pair.chromium))
            continue;
        if (!printed)
            std::printf("\nRatios of this run:\n");
        printed = true;
        const double whole = ms.at(ours + ":whole_layout_s");
        const double chromium = ms.at(pair.chromium) / 1000;
        const double block = ms.at(ours + ":longest_block_ms");
        std::printf("  the manual laid out whole in the program, %s / headless chromium showing it: %.2fx (%.2f s "
                    "against %.2f s; at most 2x) %s; longest block of the window: %.0f ms (at most 50 ms) %s\n",
                    pair.what, whole / chromium, whole, chromium, whole <= 2 * chromium ? "ok" : "OVER", block,
                    block <= 50 ? "ok" : "OVER");
    }
}

BENCHMARK(BM_ManualCompletionSteps)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_ManualFlowingCompletionSteps)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK_CAPTURE(BM_CloseManual, WhileRead, ClosedWhen::Reading)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK_CAPTURE(BM_CloseManual, MidLayout, ClosedWhen::MidLayout)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK_CAPTURE(BM_CloseManual, LaidOut, ClosedWhen::LaidOut)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_OpenManual)->Unit(benchmark::kMillisecond)->Iterations(2)->UseManualTime();
BENCHMARK(BM_OpenManual_Completed)->Unit(benchmark::kMillisecond)->Iterations(2)->UseManualTime();
BENCHMARK(BM_OpenManualFlowing)->Unit(benchmark::kMillisecond)->Iterations(2)->UseManualTime();
BENCHMARK(BM_OpenManualFlowing_Completed)->Unit(benchmark::kMillisecond)->Iterations(2)->UseManualTime();
BENCHMARK(BM_OpenManual_Chromium)->Unit(benchmark::kMillisecond)->Iterations(2)->UseManualTime();
BENCHMARK(BM_OpenManualFlowing_Chromium)->Unit(benchmark::kMillisecond)->Iterations(2)->UseManualTime();
