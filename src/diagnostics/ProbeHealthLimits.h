#pragma once

namespace dravinor::diagnostics {

// The voltage span a probe type swings over (the items of RSLambda): 0-1 V
// narrow-band, 0.8-1.6 V (titania-style, read through the controller's
// offset input) and 0-5 V (a wide-band controller's narrow-band output).
struct ProbeSpan {
    float low;
    float high;
    bool richAtLow;  // the falling types: rich mixture gives the low voltage
    // Where the probe itself switches between lean and rich: the middle of
    // the voltages a probe of the type really gives on lean and rich
    // exhaust (a 0-1 V zirconia probe 0.1 and 0.8 V: 0.45 V). Crossings and
    // the rich share are counted about it, so they judge the probe, not the
    // controller's threshold, which may be set anywhere.
    float switchingPoint;
};

// Span of a probe-type item 0..5; items outside fall back to 0-1 V rising.
// A falling 0-1 V probe mirrors a rising one (lean 0.9 V, rich 0.2 V); the
// 0.8-1.6 V types give about 0.9-1.5 V, the 0-5 V ones 0.5-4.5 V.
constexpr ProbeSpan probeSpan(int probeType)
{
    switch (probeType) {
    case 1: return {0.0f, 1.0f, true, 0.55f};
    case 2: return {0.8f, 1.6f, false, 1.2f};
    case 3: return {0.8f, 1.6f, true, 1.2f};
    case 4: return {0.0f, 5.0f, false, 2.5f};
    case 5: return {0.0f, 5.0f, true, 2.5f};
    default: return {0.0f, 1.0f, false, 0.45f};
    }
}

// Every limit the verdicts use, in one place. Voltage limits are fractions of
// the probe's span so one table serves all three voltage ranges; for a 0-1 V
// probe the fraction is the voltage itself.
struct ProbeHealthLimits {
    // Idle is 700-1000 RPM on the engines these controllers serve; a
    // narrow-band probe switches lazily at idle even when healthy, so only
    // samples above this speed are judged.
    int aboveIdleRpm = 1200;
    // A speed no engine reaches (a zero period decodes to one) says nothing
    // about the engine: such frames are not judged either.
    int beyondAnyEngineRpm = 20000;
    // Figures over the last 10 s: long enough for a dozen switches of a
    // healthy probe at cruise, short enough to follow a change of speed.
    double windowSeconds = 10.0;
    // A verdict needs at least half the window above idle.
    double judgedSecondsAtLeast = 5.0;
    // Two samples further apart than this are not one stretch of signal (a
    // dip to idle or lost polls in between); no crossing is counted across.
    double largestSampleGap = 0.5;
    // A healthy narrow-band probe in closed loop crosses its threshold
    // several times a second at 2,000-3,000 RPM; fewer than once a second
    // means it is slow (its fuel trim hunts in long waves).
    double slowerThanCrossingsPerSecond = 1.0;
    // Lean edge 0.3 V and rich edge 0.6 V are where the response time of a
    // 0-1 V probe is usually measured.
    float leanEdge = 0.3f;
    float richEdge = 0.6f;
    // A probe that never leaves 0.2-0.6 V no longer reaches full lean or full
    // rich: aged or poisoned, slow even if it still crosses.
    float slowSwingLow = 0.2f;
    float slowSwingHigh = 0.6f;
    // A probe needs longer than this to pass from one edge to the other: slow
    // (a good one takes about 0.1 s; the live frame comes every 0.05 s).
    double slowerThanTransitionSeconds = 0.3;
    // Nearly all the time on one side of the threshold: stuck there.
    double stuckShare = 0.95;
    // At the bottom rail (the lowest step or two of the lambda byte, under
    // 0.03 V; a lean probe still gives 0.05-0.1 V): the input reads nothing,
    // the probe is disconnected or its wire broken. For the 0.8-1.6 V types a
    // flat line far below 0.8 V is no signal too.
    float noSignalBelowVolts = 0.03f;
    float noSignalSwingVolts = 0.05f;
    // The controller's threshold more than a quarter of the swing away from
    // the swing's middle: it calls the mixture rich (or lean) well before the
    // probe switches, so its loop holds the mixture off stoichiometric.
    float thresholdOffMiddleOfSwing = 0.25f;
};

inline constexpr ProbeHealthLimits probeHealthLimits{};

// The adaptation's lambda phases take their samples at whatever speed the
// fitter holds (its pages ask for none there, and he idles): every sample is
// judged. Idle makes a healthy probe lazy, so only the verdicts speed cannot
// explain (stuck on one side, no signal) stop it.
inline constexpr ProbeHealthLimits adaptationProbeLimits = [] {
    ProbeHealthLimits limits;
    limits.aboveIdleRpm = 0;
    return limits;
}();

}  // namespace dravinor::diagnostics
