#pragma once

#include "diagnostics/ProbeHealth.h"
#include "params/ParameterTransfer.h"

#include <array>
#include <cstddef>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace dravinor::wizard {

// The measuring phases, each counted on its own for the line's reliability.
enum class WizardPhase { TpsIdle, TpsHigh, LambdaSwing, EmulationTimes, Reducer, AboveTps, ActuatorIdle };
inline constexpr std::size_t wizardPhaseCount = 7;

// The phase's name in notes and reports: "TPS idle", "lambda swing", ...
std::string_view phaseName(WizardPhase phase);

// A phase whose polls came back bad (missing, short, long or blank) more
// than once in ten: its result stands, but the line it was measured on was
// unreliable.
struct DoubtfulPhase {
    WizardPhase phase;
    int polls = 0;
    int badPolls = 0;
};

// One measuring phase as it ended: its polls, the samples it used, and
// whether the line it was measured on was unreliable.
struct PhaseRecord {
    bool ended = false;
    int samples = 0;
    int polls = 0;
    int badPolls = 0;
    bool doubtful = false;
};

// The wizard's writes by what they set, for callers that tell the fitter
// what reached the controller.
enum class WriteGroup {
    ProbeType,          // 32, 27, 34, 35 (step 1)
    TemperatureSensor,  // 32 (step 1's check box)
    IgnitionAndRpm,     // 13 and the RPM words (step 1's next step)
    TpsThreshold,       // 32, 2
    LambdaThreshold,    // 1
    EmulationTimes,     // 29, 28
    ActuatorPresets,    // 6, 5, 4, 9, 8, 7 (leaving the reducer page)
    ActuatorAboveTps,   // 6, 5, 4
    ActuatorIdle,       // 9, 8, 7
};

// The addresses of a group's last writes, in the order made, as the
// controller answered them (EEPROM, and RAM where the write refreshes it).
struct GroupWrites {
    std::vector<int> acknowledged;
    std::vector<int> unacknowledged;
};

// A lambda probe the lambda phases found failed (stuck on one side of its
// switching point, or no signal), and what the fitter chose.
enum class ProbeDecision {
    Pending,  // the engine holds before writing what it measured
    WentOn,   // the fitter went on: every result from the probe on is doubtful
    Stopped,  // the adaptation stopped there, the lambda result not written
};
struct ProbeFailure {
    diagnostics::ProbeHealthFigures figures;  // the last ten seconds when it was found
    ProbeDecision decision = ProbeDecision::Pending;
};

// The figures the wizard measures, in the order it measures them. The lambda
// swing's ends and the emulation runs change while their phase runs; the
// others are set once, at their phase's end.
enum class Figure {
    TpsIdle,          // the TPS minimum at idle, V
    TpsThreshold,     // V
    TpsHigh,          // the TPS average above 3000 RPM, V
    LambdaLean,       // the probe's lowest reading, V
    LambdaThreshold,  // the middle of the swing, V
    LambdaRich,       // the probe's highest reading, V
    RichTime,         // emulation: the run above the threshold, s
    LeanTime,         // emulation: the run below it, s
    AboveTpsMinimum,  // actuator range above the TPS threshold, stepper positions
    AboveTpsMaximum,
    AboveTpsStart,
    IdleMinimum,  // the same at idle
    IdleMaximum,
    IdleStart,
};
inline constexpr std::size_t figureCount = 14;

// The decimals a figure is measured to: volts to the hundredth, times to
// the millisecond, stepper positions whole.
int figureDecimals(Figure figure);
// The figure as the wizard's pages show it (three significant digits at
// most, then zeros), with the given decimal separator.
std::string figureText(Figure figure, double value, std::string_view decimalSeparator);

// What an auto-adaptation measured and wrote since its entry: kept by the
// engine, read by the window, the command line and the customer's report.
struct AdaptationResult {
    std::array<std::optional<double>, figureCount> figures{};
    std::array<PhaseRecord, wizardPhaseCount> phases{};
    // Phases measured on an unreliable line, in the order they ended.
    std::vector<DoubtfulPhase> doubtfulPhases;
    // The TPS direction the threshold was written for; none before it.
    std::optional<bool> tpsRising;
    // The writes of each group since the entry, as last made.
    std::map<WriteGroup, GroupWrites> writes;
    // Single writes that failed after their retries, their addresses in the
    // order they failed.
    int failedWrites = 0;
    std::vector<int> unacknowledged;
    // The entry's reset to the default set.
    params::BulkWriteOutcome reset;
    std::optional<ProbeFailure> probeFailure;
    bool finished = false;  // the last phase ended: the adaptation is complete

    std::optional<double> figure(Figure which) const { return figures[static_cast<std::size_t>(which)]; }
    const PhaseRecord& phase(WizardPhase which) const { return phases[static_cast<std::size_t>(which)]; }
    bool anyFigure() const;
    // Nothing when the group was not written.
    const GroupWrites* writesOf(WriteGroup group) const;
    // The failed single writes' addresses, each once, in address order.
    std::vector<int> unacknowledgedAddresses() const;
    // The controller took every write it was sent: its set is the one the program holds.
    bool everyWriteTaken() const { return failedWrites == 0 && unacknowledged.empty(); }
    bool doubtfulProbe() const { return probeFailure && probeFailure->decision == ProbeDecision::WentOn; }
    bool stoppedAtProbe() const { return probeFailure && probeFailure->decision == ProbeDecision::Stopped; }
};

}  // namespace dravinor::wizard
