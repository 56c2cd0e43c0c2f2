#pragma once

// The console's report of a benchmark run, with each benchmark's real time
// kept (in milliseconds; the median when there are repetitions) and its
// counters (as "NAME:counter"), for the ratios a run prints at its end.

#include <benchmark/benchmark.h>

#include <map>
#include <string>
#include <vector>

namespace bench_pages {

class RecordingReporter : public benchmark::ConsoleReporter
{
public:
    std::map<std::string, double> ms;

    void ReportRuns(const std::vector<Run>& runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.error_occurred)
                continue;
            const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
            if (run.run_type == Run::RT_Aggregate && !median)
                continue;
            // (Also by the name with its arguments: "BM_Edit/2000".)
            const std::string& function = run.run_name.function_name;
            const std::string withArgs = run.run_name.args.empty() ? function : function + "/" + run.run_name.args;
            for (const std::string& name : {function, withArgs}) {
                if (median || !ms.count(name)) {
                    ms[name] = run.GetAdjustedRealTime() * multiplier(run.time_unit);
                    ms[name + ":cpu"] = run.GetAdjustedCPUTime() * multiplier(run.time_unit);
                    for (const auto& [counter, value] : run.counters)
                        ms[name + ":" + counter] = value;
                }
            }
        }
    }

private:
    static double multiplier(benchmark::TimeUnit unit)
    {
        switch (unit) {
        case benchmark::kNanosecond:
            return 1e-6;
        case benchmark::kMicrosecond:
            return 1e-3;
        case benchmark::kMillisecond:
            return 1;
        case benchmark::kSecond:
            return 1e3;
        }
        return 1;
    }
};

} // namespace bench_pages
