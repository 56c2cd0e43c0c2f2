// The image benchmarks' entry: runs them and prints each family's ratios.

#include <benchmark/benchmark.h>

#include <QApplication>

#include <functional>
#include <map>
#include <string>

void prepareImageLoadBench();
void prepareThumbnailBench();
void prepareImageBrowserBench();
void printImageLoadRatios(const std::function<double(const char*)>& find);
void printThumbnailRatios(const std::function<double(const char*)>& find);
void printBannerRatios(const std::function<double(const char*)>& find);
void printImageBrowserRatios(const std::function<double(const char*)>& find);

namespace {

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
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    prepareImageLoadBench();
    prepareThumbnailBench();
    prepareImageBrowserBench();
    Collect reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const auto find = [&](const char* prefix) {
        for (const auto& [name, time] : reporter.times)
            if (name.rfind(prefix, 0) == 0)
                return time;
        return 0.0;
    };
    printImageLoadRatios(find);
    printThumbnailRatios(find);
    printBannerRatios(find);
    printImageBrowserRatios(find);
    benchmark::Shutdown();
    return 0;
}
