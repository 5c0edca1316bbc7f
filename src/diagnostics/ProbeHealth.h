#pragma once

#include "diagnostics/ProbeHealthLimits.h"

#include <deque>
#include <optional>

namespace dravinor::diagnostics {

enum class ProbeVerdict { NotEnoughData, Working, Slow, StuckLean, StuckRich, NoSignal };

// The probe gives nothing to calibrate with: it stays on one side of its
// switching point (it does not switch) or gives no signal at all.
constexpr bool probeFailed(ProbeVerdict verdict)
{
    return verdict == ProbeVerdict::StuckLean || verdict == ProbeVerdict::StuckRich ||
           verdict == ProbeVerdict::NoSignal;
}

// The verdict in plain words for notes and the command line: "working",
// "slow", "stuck lean", "stuck rich", "no signal", "not judged yet".
const char* probeVerdictName(ProbeVerdict verdict);

// What the last seconds of live frames say about the lambda probe.
struct ProbeHealthFigures {
    ProbeVerdict verdict = ProbeVerdict::NotEnoughData;
    double judgedSeconds = 0;  // time above idle inside the window
    float minVolts = 0;
    float maxVolts = 0;
    double crossingsPerSecond = 0;            // crossings of the probe's own switching point
    double richShare = 0;                     // 0..1 of the judged time, about the same point
    std::optional<double> leanToRichSeconds;  // mean over the window, when seen
    std::optional<double> richToLeanSeconds;
};

// One good live frame as the probe check needs it.
struct ProbeSample {
    double seconds;  // monotonic time of the poll
    float volts;     // lambdaVolts of the frame
    int rpm;         // 0 when the controller reports no engine speed
};

// Sliding-window probe check over good live frames; plain arithmetic, no I/O,
// cheap enough to run on every poll.
class ProbeHealth {
public:
    explicit ProbeHealth(int probeType, const ProbeHealthLimits& limits = probeHealthLimits);

    // Another probe type: start again.
    void reset(int probeType);

    void add(const ProbeSample& sample);
    ProbeHealthFigures figures() const;

private:
    struct Stretch;
    bool isRich(float volts) const;
    float spanPosition(float volts) const;
    ProbeVerdict verdictFor(const ProbeHealthFigures& figures) const;

    ProbeHealthLimits limits_;
    ProbeSpan span_;
    std::deque<ProbeSample> samples_;  // above idle, inside the window
};

}  // namespace dravinor::diagnostics
