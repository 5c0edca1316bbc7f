#include "TraceSamples.h"

#include <gtest/gtest.h>

using dravinor::live::SpeedTrace;
using dravinor::live::StepperTrace;
using dravinor::live::traceSamples;
using dravinor::params::LiveFrame;

namespace {
constexpr float k19200 = 19200.0f;  // one coil per cylinder: period 1920 is 8000 RPM
}

TEST(TraceSamples, FullScaleReadingsLandJustAboveTheTop)
{
    LiveFrame frame;
    frame.lambda = 51;
    frame.tps = 255;              // 12.33 V
    frame.stepperPosition = 255;  // 255 x 0.39215... is a hair above 100
    frame.rpmPeriod = 1920;
    EXPECT_EQ(traceSamples(frame, 0.6f, k19200), (std::array{89, 103, 110, 105}));
}

TEST(TraceSamples, ZeroReadingsStayAboveTheBottom)
{
    const LiveFrame frame;  // a zero period decodes to 0 RPM
    EXPECT_EQ(traceSamples(frame, 2.9f, k19200), (std::array{5, 5, 10, 5}));
}

TEST(TraceSamples, SpeedTraceFollowsThePeriodEvenWithoutEngineSpeed)
{
    LiveFrame frame;
    frame.rpmPeriod = 1920;
    frame.status = dravinor::params::status::noEngineSpeed;
    EXPECT_EQ(traceSamples(frame, 2.9f, k19200)[SpeedTrace], 105);
    frame.rpmPeriod = 3840;  // 2000 RPM with K 9600
    EXPECT_EQ(traceSamples(frame, 2.9f, 9600.0f)[SpeedTrace], 2000 / 80 + 5);
}

TEST(TraceSamples, StepperTruncatesTowardZero)
{
    LiveFrame frame;
    frame.stepperPosition = 128;  // 50.196 + 10
    EXPECT_EQ(traceSamples(frame, 2.9f, k19200)[StepperTrace], 60);
}
