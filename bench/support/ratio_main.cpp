// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/ratio_main.h"

#include <benchmark/benchmark.h>
#include <cstdio>
#include <map>

namespace zantor::bench {

namespace {

// Keeps every run's time per iteration beside the usual console output: its real
// time when it asked for that (work done by other processes) or set its own time (a
// fixed yardstick), else its CPU time.
class RecordingReporter final : public benchmark::ConsoleReporter {
public:
    std::map<std::string, double> times;
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const auto& run : runs) {
            const std::string name = run.run_name.str();
            if (run.run_type == Run::RT_Iteration || run.aggregate_name == "median")
                times[name] = name.ends_with("/real_time") || name.ends_with("/manual_time")
                                  ? run.GetAdjustedRealTime()
                                  : run.GetAdjustedCPUTime();
        }
        ConsoleReporter::ReportRuns(runs);
    }
};

} // namespace

int runWithRatios(int argc, char** argv, const std::vector<Ratio>& ratios) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    RecordingReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    std::printf("\n%-40s %-40s %s\n", "benchmark", "baseline", "ratio");
    for (const auto& r : ratios) {
        const auto a = reporter.times.find(r.name);
        const auto b = reporter.times.find(r.baseline);
        if (a == reporter.times.end() || b == reporter.times.end() || b->second <= 0)
            continue;
        std::printf("%-40s %-40s %.3f\n", r.name.c_str(), r.baseline.c_str(),
                    a->second / b->second);
    }
    benchmark::Shutdown();
    return 0;
}

} // namespace zantor::bench
