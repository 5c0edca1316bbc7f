#include "live/TraceSamples.h"

#include "live/ProbeType.h"
#include "params/Conversions.h"

#include <cmath>

namespace dravinor::live {

int tpsTracePercent(float tpsVolts)
{
    return static_cast<int>(std::trunc(tpsVolts * 8.0 + 5.0));
}

int stepperTracePercent(std::uint8_t stepperByte)
{
    return static_cast<int>(std::trunc(stepperByte * 0.3921568627450981 + 10.0));
}

int speedTracePercent(int rpmPeriod, float ignitionConstant)
{
    return params::periodToRpm(rpmPeriod, 50, ignitionConstant) / 80 + 5;
}

double tracePercent(TraceChannel channel, double value, float lambdaTraceDivisor)
{
    switch (channel) {
    case LambdaTrace: return value / params::lambdaVolts(1) / static_cast<double>(lambdaTraceDivisor) + 5.0;
    case TpsTrace: return value * 8.0 + 5.0;
    case StepperTrace: return value * 0.3921568627450981 + 10.0;
    case SpeedTrace: break;
    }
    return value / 80.0 + 5.0;
}

std::array<int, 4> traceSamples(const params::LiveFrame& frame, float lambdaTraceDivisor, float ignitionConstant)
{
    return {lambdaTracePercent(frame.lambda, lambdaTraceDivisor), tpsTracePercent(params::tpsVolts(frame.tps)),
            stepperTracePercent(frame.stepperPosition), speedTracePercent(frame.rpmPeriod, ignitionConstant)};
}

}  // namespace dravinor::live
