// The probe check judges the probe about its own switching point, and the
// controller's threshold apart from it: a threshold outside the probe's
// swing or far from its middle is a setting to correct.
#include "diagnostics/ProbeThreshold.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

using namespace dravinor::diagnostics;

namespace {

// A healthy probe swinging between lean and rich at the given rate, polled
// every 50 ms for 12 s at cruise.
ProbeHealthFigures swinging(int probeType, float lean, float rich, double hertz = 2.5)
{
    ProbeHealth health(probeType);
    for (double t = 0; t < 12; t += 0.05) {
        const double s = std::tanh(6.0 * std::sin(2 * std::numbers::pi * hertz * t));
        health.add({t, static_cast<float>(lean + (rich - lean) * (s + 1) / 2), 2500});
    }
    return health.figures();
}

}  // namespace

TEST(ProbeThreshold, AHealthyProbeWorksWhateverThresholdTheControllerHolds)
{
    // The car: "Próg sondy lambda" at 0,00 V, the probe 0.10-0.78 V
    // at 2.5 Hz. Counted about the probe's own 0.45 V it switches five
    // times a second and is rich about half the time (three polls of the
    // eight a cycle has fall on the rich side).
    const ProbeHealthFigures f = swinging(0, 0.10f, 0.78f);
    EXPECT_EQ(f.verdict, ProbeVerdict::Working);
    EXPECT_NEAR(f.crossingsPerSecond, 5.0, 0.3);
    EXPECT_GT(f.richShare, 0.3);
    EXPECT_LT(f.richShare, 0.7);
}

TEST(ProbeThreshold, AThresholdOutsideTheSwingOrOffItsMiddleIsASettingToCorrect)
{
    const ProbeHealthFigures rising = swinging(0, 0.10f, 0.78f);
    ThresholdFinding below = judgeThreshold(rising, 0, 0.0f);
    EXPECT_EQ(below.place, ThresholdPlace::BelowSwing);
    EXPECT_TRUE(below.controllerSeesRich) << "every voltage of a rising probe is above it";
    const ThresholdFinding above = judgeThreshold(rising, 0, 0.90f);
    EXPECT_EQ(above.place, ThresholdPlace::AboveSwing);
    EXPECT_FALSE(above.controllerSeesRich);
    // The swing's middle is 0.44 V and a quarter of it 0.17 V.
    const ThresholdFinding low = judgeThreshold(rising, 0, 0.20f);
    EXPECT_EQ(low.place, ThresholdPlace::OffMiddle);
    EXPECT_TRUE(low.controllerSeesRich);
    EXPECT_NEAR(low.swingMiddle, 0.44, 0.01);
    EXPECT_EQ(judgeThreshold(rising, 0, 0.38f).place, ThresholdPlace::InSwing);
    EXPECT_EQ(judgeThreshold(rising, 0, 0.58f).place, ThresholdPlace::InSwing);

    // A falling probe: rich is the low voltage, so a threshold below its
    // swing makes the controller see lean.
    const ProbeHealthFigures falling = swinging(1, 0.85f, 0.08f);
    ASSERT_EQ(falling.verdict, ProbeVerdict::Working);
    below = judgeThreshold(falling, 1, 0.0f);
    EXPECT_EQ(below.place, ThresholdPlace::BelowSwing);
    EXPECT_FALSE(below.controllerSeesRich);
    // 0-5 V: the default 0,38 V sits far below the middle of 0.5-4.5 V.
    const ProbeHealthFigures wide = swinging(4, 0.5f, 4.5f);
    EXPECT_EQ(judgeThreshold(wide, 4, 0.38f).place, ThresholdPlace::BelowSwing);
    EXPECT_EQ(judgeThreshold(wide, 4, 2.54f).place, ThresholdPlace::InSwing);
}

TEST(ProbeThreshold, AFailedProbeOrTooLittleToJudgeBlamesNoThreshold)
{
    ProbeHealth stuck(0);
    for (double t = 0; t < 12; t += 0.05)
        stuck.add({t, 0.1f, 2500});
    ASSERT_EQ(stuck.figures().verdict, ProbeVerdict::StuckLean);
    EXPECT_EQ(judgeThreshold(stuck.figures(), 0, 0.38f).place, ThresholdPlace::NotJudged)
        << "the probe is at fault, not the setting";
    EXPECT_EQ(judgeThreshold(ProbeHealthFigures{}, 0, 0.0f).place, ThresholdPlace::NotJudged);
}
