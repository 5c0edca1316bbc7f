#pragma once

#include "params/LiveFrame.h"

#include <array>
#include <cstdint>

namespace dravinor::live {

// The trace channels, in drawing order.
enum TraceChannel : int { LambdaTrace = 0, TpsTrace = 1, StepperTrace = 2, SpeedTrace = 3 };

// Trace inputs in percent of the trace height; each sits 5 or 10 above the
// bottom so a zero reading stays visible.
int tpsTracePercent(float tpsVolts);
int stepperTracePercent(std::uint8_t stepperByte);
// The speed trace follows the period even when the frame says there is no
// engine speed; a zero period reads as 0 RPM and puts it at 5.
int speedTracePercent(int rpmPeriod, float ignitionConstant);

// The same scales unrounded, from a channel's value in its unit (volts,
// steps, RPM): where the kept picture of the trace draws it. Truncated, it is
// the screen's percent.
double tracePercent(TraceChannel channel, double value, float lambdaTraceDivisor);

// All four inputs of one live frame, indexed by TraceChannel.
std::array<int, 4> traceSamples(const params::LiveFrame& frame, float lambdaTraceDivisor, float ignitionConstant);

}  // namespace dravinor::live
