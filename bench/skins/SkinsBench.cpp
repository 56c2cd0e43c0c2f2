// Painting a skinned main frame's caption and borders from its cached parts,
// beside rebuilding the parts before each paint (after a resize or an
// activation change), in the metal skin; and the entry of the skin
// benchmarks, which prints the ratios of the control dialog's paints.

#include "platform/DataRoot.h"
#include "skins/ASMFrame.h"
#include "skins/VornaSkinManager.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QPainter>
#include <QTemporaryDir>
#include <QWidget>

#include <cstdio>
#include <functional>
#include <map>
#include <string>

void printControlDialogRatios(const std::function<double(const char*)>& find);

namespace {

// A 1024 x 768 main window in metal and a picture of its size to paint into.
struct SkinnedFrame
{
    SkinnedFrame()
    {
        window.resize(1024, 768);
        VornaSkinManager& manager = VornaSkinManager::GetInstance();
        manager.ChangeSkin(QStringLiteral("metal"));
        manager.SkinMainFrame(&window);
        frame = qobject_cast<ASMFrame*>(manager.Find(&window));
        target = QImage(window.size(), QImage::Format_RGB32);
    }
    ~SkinnedFrame() { VornaSkinManager::GetInstance().Unsubclass(&window); }

    QWidget window;
    ASMFrame* frame = nullptr;
    QImage target;
};

void BM_FramePaintFromCaches(benchmark::State& state)
{
    SkinnedFrame skinned;
    if (!skinned.frame || !skinned.frame->isApplied()) {
        state.SkipWithError("the metal skin did not load");
        return;
    }
    for (auto _ : state) {
        QPainter dc(&skinned.target);
        skinned.frame->PaintNonClient(dc);
    }
}
BENCHMARK(BM_FramePaintFromCaches)->Unit(benchmark::kMicrosecond);

void BM_FramePaintRebuildingCaches(benchmark::State& state)
{
    SkinnedFrame skinned;
    if (!skinned.frame || !skinned.frame->isApplied()) {
        state.SkipWithError("the metal skin did not load");
        return;
    }
    for (auto _ : state) {
        skinned.frame->MarkCachesDirty();
        QPainter dc(&skinned.target);
        skinned.frame->PaintNonClient(dc);
    }
}
BENCHMARK(BM_FramePaintRebuildingCaches)->Unit(benchmark::kMicrosecond);

// Keeps each run's mean time per iteration.
class Collect : public benchmark::ConsoleReporter
{
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        for (const Run& run : runs)
            times[run.benchmark_name()] = run.GetAdjustedRealTime();
        ConsoleReporter::ReportRuns(runs);
    }
    std::map<std::string, double> times;
};

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // A data root of its own with the shipped skins.
    QTemporaryDir home;
    qputenv("HOME", home.path().toLocal8Bit());
    qputenv("XDG_DATA_HOME", (home.path() + QStringLiteral("/.local/share")).toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", (home.path() + QStringLiteral("/.config")).toLocal8Bit());
    QApplication app(argc, argv);
    platform::fillDataRoot(platform::shareDir() + QStringLiteral("/Bin/skins"),
                           platform::installPath(QStringLiteral("Bin/skins")));
    // The skin manager watches the controls of a frame as the program does.
    QWidget frame;
    VornaSkinManager::GetInstance().Install(&frame);
    benchmark::Initialize(&argc, argv);
    Collect reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const auto find = [&](const char* name) {
        const auto it = reporter.times.find(name);
        return it == reporter.times.end() ? 0.0 : it->second;
    };
    if (const double rebuilding = find("BM_FramePaintRebuildingCaches"); rebuilding > 0)
        std::printf("frame paint from the caches / rebuilding them: %.2f\n",
                    find("BM_FramePaintFromCaches") / rebuilding);
    printControlDialogRatios(find);
    benchmark::Shutdown();
    VornaSkinManager::GetInstance().ChangeSkin(QStringLiteral("classic"));
    VornaSkinManager::GetInstance().Reset();
    return 0;
}
