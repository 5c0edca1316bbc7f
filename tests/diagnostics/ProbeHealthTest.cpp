#include "diagnostics/ProbeHealth.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <numbers>

using namespace dravinor::diagnostics;

namespace {

constexpr double pollSeconds = 0.05;

// Feeds a signal (volts over time) polled every 50 ms at a steady speed.
ProbeHealthFigures judge(int probeType, const std::function<float(double)>& volts, double seconds = 12.0,
                         int rpm = 2500)
{
    ProbeHealth health(probeType);
    for (double t = 0; t < seconds; t += pollSeconds)
        health.add({t, volts(t), rpm});
    return health.figures();
}

// A narrow-band probe switching at the given rate between lean and rich,
// with steep edges as a healthy probe has.
std::function<float(double)> switching(double hertz, float lean, float rich)
{
    return [=](double t) {
        const double s = std::tanh(6.0 * std::sin(2 * std::numbers::pi * hertz * t));
        return static_cast<float>(lean + (rich - lean) * (s + 1) / 2);
    };
}

// A triangle between two levels: edges as slow as its period makes them.
std::function<float(double)> triangle(double hertz, float low, float high)
{
    return [=](double t) {
        const double phase = std::fmod(t * hertz, 1.0);
        const double up = phase < 0.5 ? phase * 2 : 2 - phase * 2;
        return static_cast<float>(low + (high - low) * up);
    };
}

std::function<float(double)> steady(float volts)
{
    return [=](double) { return volts; };
}

}  // namespace

TEST(ProbeHealth, EachModelOfA01VoltProbeGetsItsVerdict)
{
    EXPECT_EQ(judge(0, switching(1.5, 0.08f, 0.85f)).verdict, ProbeVerdict::Working);
    EXPECT_EQ(judge(0, switching(0.3, 0.08f, 0.85f)).verdict, ProbeVerdict::Slow);
    EXPECT_EQ(judge(0, switching(1.5, 0.25f, 0.55f)).verdict, ProbeVerdict::Slow)
        << "a probe that no longer reaches full lean or full rich is slow though it crosses";
    EXPECT_EQ(judge(0, switching(1.5, 0.08f, 0.30f)).verdict, ProbeVerdict::StuckLean);
    EXPECT_EQ(judge(0, switching(1.5, 0.70f, 0.88f)).verdict, ProbeVerdict::StuckRich);
    EXPECT_EQ(judge(0, steady(0.0f)).verdict, ProbeVerdict::NoSignal);
}

TEST(ProbeHealth, SlowEdgesMakeASlowVerdictEvenWhenTheRateIsEnough)
{
    // 0.05..0.75 V at 0.6 Hz: 1.2 crossings a second, but 0.36 s from 0.3 to 0.6 V.
    const ProbeHealthFigures f = judge(0, triangle(0.6, 0.05f, 0.75f));
    EXPECT_GE(f.crossingsPerSecond, 1.0);
    ASSERT_TRUE(f.leanToRichSeconds && f.richToLeanSeconds);
    EXPECT_NEAR(*f.leanToRichSeconds, 0.3 / 0.7 / (2 * 0.6), 0.01);
    EXPECT_NEAR(*f.richToLeanSeconds, 0.3 / 0.7 / (2 * 0.6), 0.01);
    EXPECT_EQ(f.verdict, ProbeVerdict::Slow);
}

TEST(ProbeHealth, FiguresOfAHealthyProbe)
{
    const ProbeHealthFigures f = judge(0, switching(1.5, 0.08f, 0.85f));
    EXPECT_NEAR(f.minVolts, 0.08, 0.01);
    EXPECT_NEAR(f.maxVolts, 0.85, 0.01);
    EXPECT_NEAR(f.crossingsPerSecond, 3.0, 0.2);  // two crossings a cycle
    EXPECT_NEAR(f.richShare, 0.5, 0.06);
    ASSERT_TRUE(f.leanToRichSeconds);
    EXPECT_LT(*f.leanToRichSeconds, 0.1);
    EXPECT_NEAR(f.judgedSeconds, 10.0, 0.06) << "only the last ten seconds count";
}

TEST(ProbeHealth, FallingAndWiderProbeTypesAreJudgedOnTheirOwnSpan)
{
    // 1-0 V falling: rich is the low voltage.
    const auto falling = judge(1, switching(1.5, 0.85f, 0.08f));
    EXPECT_EQ(falling.verdict, ProbeVerdict::Working);
    EXPECT_EQ(judge(1, switching(1.5, 0.05f, 0.25f)).verdict, ProbeVerdict::StuckRich);
    // 0-5 V from a wide-band controller.
    EXPECT_EQ(judge(4, switching(1.5, 0.4f, 4.4f)).verdict, ProbeVerdict::Working);
    EXPECT_EQ(judge(4, switching(1.5, 1.3f, 2.9f)).verdict, ProbeVerdict::Slow);
    // 0.8-1.6 V: a flat 0 V lies far below the span, a flat 1.0 V is a lean probe.
    EXPECT_EQ(judge(2, steady(0.0f)).verdict, ProbeVerdict::NoSignal);
    EXPECT_EQ(judge(2, steady(1.0f)).verdict, ProbeVerdict::StuckLean);
    EXPECT_EQ(judge(3, switching(1.5, 1.55f, 0.85f)).verdict, ProbeVerdict::Working);
}

TEST(ProbeHealth, IdleAndShortRunsAreNotJudged)
{
    EXPECT_EQ(judge(0, switching(0.2, 0.08f, 0.85f), 12.0, 850).verdict, ProbeVerdict::NotEnoughData)
        << "a probe switches lazily at idle even when healthy";
    EXPECT_EQ(judge(0, switching(1.5, 0.08f, 0.85f), 4.0).verdict, ProbeVerdict::NotEnoughData);
    EXPECT_EQ(judge(0, switching(1.5, 0.08f, 0.85f), 12.0, 0).verdict, ProbeVerdict::NotEnoughData)
        << "no engine speed is no engine";
    EXPECT_EQ(judge(0, switching(1.5, 0.08f, 0.85f), 12.0, 2'147'483'000).verdict, ProbeVerdict::NotEnoughData)
        << "the speed a zero period decodes to is no engine's";
}

TEST(ProbeHealth, NothingIsCountedAcrossADipToIdle)
{
    ProbeHealth health(0);
    double t = 0;
    for (; t < 4; t += pollSeconds)
        health.add({t, 0.1f, 2500});  // lean
    for (; t < 6; t += pollSeconds)
        health.add({t, 0.5f, 800});  // idle, not judged
    for (; t < 10; t += pollSeconds)
        health.add({t, 0.8f, 2500});  // rich
    const ProbeHealthFigures f = health.figures();
    EXPECT_EQ(f.crossingsPerSecond, 0.0);
    EXPECT_FALSE(f.leanToRichSeconds) << "the climb happened while it was not watched";
    EXPECT_NEAR(f.judgedSeconds, 7.9, 0.06);
}

TEST(ProbeHealth, AStuckStretchLeavesTheWindowAndAResetForgetsAll)
{
    ProbeHealth health(0);
    const auto good = switching(1.5, 0.08f, 0.85f);
    double t = 0;
    for (; t < 10; t += pollSeconds)
        health.add({t, 0.1f, 2500});
    EXPECT_EQ(health.figures().verdict, ProbeVerdict::StuckLean);
    for (; t < 21; t += pollSeconds)
        health.add({t, good(t), 2500});
    EXPECT_EQ(health.figures().verdict, ProbeVerdict::Working);

    health.reset(4);
    EXPECT_EQ(health.figures().verdict, ProbeVerdict::NotEnoughData);
    health.add({1.0, 0.5f, 2500});
    health.add({0.5, 0.5f, 2500});  // the clock went back
    EXPECT_EQ(health.figures().judgedSeconds, 0.0);
}
