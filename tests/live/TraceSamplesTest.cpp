#include "live/TraceSamples.h"

#include "live/ProbeType.h"
#include "params/Conversions.h"
#include "params/LiveFrame.h"

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

// The kept picture draws each value where the screen's trace put it.
TEST(TraceSamples, TheUnroundedScalesLieWhereTheScreensPercentsDo)
{
    for (int byte = 0; byte <= 255; ++byte) {
        const auto b = static_cast<std::uint8_t>(byte);
        for (float divisor : {0.6f, 1.16f, 2.9f})
            EXPECT_NEAR(
                dravinor::live::tracePercent(dravinor::live::LambdaTrace, dravinor::params::lambdaVolts(b), divisor),
                dravinor::live::lambdaTracePercent(byte, divisor) + 0.5, 0.5 + 1e-4);
        EXPECT_NEAR(dravinor::live::tracePercent(dravinor::live::TpsTrace, dravinor::params::tpsVolts(b), 0),
                    dravinor::live::tpsTracePercent(dravinor::params::tpsVolts(b)) + 0.5, 0.5 + 1e-4);
        EXPECT_NEAR(dravinor::live::tracePercent(dravinor::live::StepperTrace, byte, 0),
                    dravinor::live::stepperTracePercent(b) + 0.5, 0.5 + 1e-4);
    }
    EXPECT_DOUBLE_EQ(dravinor::live::tracePercent(dravinor::live::SpeedTrace, 2400, 0), 35.0);
}
