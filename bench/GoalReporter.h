#pragma once

#include <benchmark/benchmark.h>

#include <cstdio>
#include <unistd.h>
#include <vector>

namespace dravinor::bench {

// The console report plus each benchmark's CPU time against a goal, per
// unit of work ("tick", "poll").
class GoalReporter : public benchmark::ConsoleReporter {
public:
    // Colours only on a terminal, so the figures can be quoted as printed.
    GoalReporter(const char* unit, double goalMs)
        : ConsoleReporter(isatty(STDOUT_FILENO) ? OO_ColorTabular : OO_Tabular), unit_(unit), goalMs_(goalMs)
    {
    }

    void ReportRuns(const std::vector<Run>& runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const auto& run : runs) {
            const bool single = run.run_type == Run::RT_Iteration && run.repetitions <= 1;
            const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
            if (run.error_occurred || !(single || median))
                continue;
            const double cpuMs = run.GetAdjustedCPUTime() / benchmark::GetTimeUnitMultiplier(run.time_unit) * 1000.0;
            std::printf("  %s: %.3f ms CPU per %s, ratio %.3f to the %.1f ms goal (goal <= 1)\n",
                        run.benchmark_name().c_str(), cpuMs, unit_, cpuMs / goalMs_, goalMs_);
        }
        std::fflush(stdout);
    }

private:
    const char* unit_;
    double goalMs_;
};

}  // namespace dravinor::bench
