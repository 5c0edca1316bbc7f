#pragma once

#include "diagnostics/ProbeHealth.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace dravinor::wizard {
struct AdaptationResult;
}

namespace dravinor::report {

// The groups of figures the auto-adaptation measures, each shown on one of
// its pages as a row of result panels.
enum class AdaptationFigure {
    Tps,               // idle, threshold, high (V)
    LambdaProbe,       // lean, threshold, rich (V)
    EmulationTimes,    // rich and lean phase (s)
    ActuatorAboveTps,  // stepper minimum, maximum, start above the TPS threshold
    ActuatorBelowTps,  // the same below it
};

// A lambda probe the adaptation found failed, and whether it went on.
struct ProbeFailureSummary {
    diagnostics::ProbeVerdict verdict;
    float minVolts = 0;
    float maxVolts = 0;
    bool wentOn = false;  // its later results are doubtful; otherwise it stopped there
};

struct AdaptationLine {
    AdaptationFigure figure;
    // The figures as the wizard's pages show them; "-" for one not measured.
    std::vector<std::string> shown;
    std::string unit;  // "V", "s"; empty for stepper positions
};

// What an auto-adaptation of this session measured and how it ended.
struct AdaptationSummary {
    bool finished = false;              // it reached its last page's end
    std::vector<AdaptationLine> lines;  // only the groups with a measured figure
    std::vector<int> unacknowledged;    // addresses whose writes the controller did not acknowledge
    int doubtfulPhases = 0;             // phases measured on an unreliable line
    std::optional<ProbeFailureSummary> failedProbe;
};

// Built from the adaptation's result alone, its figures written with the
// given decimal separator (the wizard pages' own). Empty when no figure was
// measured since the wizard last started (or ever).
std::optional<AdaptationSummary> summariseAdaptation(const wizard::AdaptationResult& result,
                                                     std::string_view decimalSeparator);

}  // namespace dravinor::report
