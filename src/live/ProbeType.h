#pragma once

#include <array>
#include <optional>
#include <string_view>

namespace dravinor::live {

// How the lambda displays read a probe type (the items of RSLambda).
struct ProbeTypeSettings {
    float barFrom;  // value range of the lambda bars, in lambda-byte units
    float barTo;
    int clampLow;  // probe clamp range, for the lambda calibration
    int clampHigh;
    float traceDivisor;                          // lambda byte / divisor + 5 = trace percent
    bool falling;                                // rich at low voltage: "bogata" and "uboga" swap sides
    std::array<std::string_view, 5> axisLabels;  // VLAB_1 .. VLAB_5, top to bottom
};

// Settings for a probe-type item 0..5; none for anything else (nothing changes).
std::optional<ProbeTypeSettings> probeTypeSettings(int item);

// Trace position of a lambda byte in percent: the single-precision divisor
// widened to double, so 1.0 V on a 0-1 V probe (byte 51) lands at 89.
int lambdaTracePercent(int lambdaByte, float traceDivisor);

// Before any probe type is applied.
inline constexpr float initialTraceDivisor = 2.55f;

}  // namespace dravinor::live
