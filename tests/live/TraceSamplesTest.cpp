#include "live/TraceSamples.h"

#include "params/Conversions.h"

#include <gtest/gtest.h>

using dravinor::live::SpeedTrace;
using dravinor::live::traceSamples;
using dravinor::params::LiveFrame;

TEST(TraceSamples, ReadingsSitJustInsideOrAboveTheTraceArea)
{
    LiveFrame frame;  // zero period: a speed beyond any engine, drawn above the trace
    EXPECT_EQ(traceSamples(frame, 2.9f, 19200.0f),
              (std::array{5, 5, 10, dravinor::params::rpmBeyondAnyEngine / 80 + 5}));
    frame = {.lambda = 51, .tps = 255, .stepperPosition = 255, .rpmPeriod = 1920};  // 12.33 V, 8000 RPM
    EXPECT_EQ(traceSamples(frame, 0.6f, 19200.0f), (std::array{89, 103, 110, 105}));
    frame.stepperPosition = 128;  // 50.196 + 10
    EXPECT_EQ(traceSamples(frame, 0.6f, 19200.0f)[2], 60);
}

TEST(TraceSamples, SpeedTraceFollowsThePeriodEvenWithoutEngineSpeed)
{
    const LiveFrame frame{.status = dravinor::params::status::noEngineSpeed, .rpmPeriod = 3840};
    EXPECT_EQ(traceSamples(frame, 2.9f, 9600.0f)[SpeedTrace], 2000 / 80 + 5);
}
