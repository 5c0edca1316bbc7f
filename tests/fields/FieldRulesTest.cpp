#include "fields/FieldRules.h"

#include "params/Encoders.h"

#include <gtest/gtest.h>

using namespace dravinor;
using namespace dravinor::fields;

namespace {

// A left-empty lambda threshold takes the middle of the chosen probe's range;
// a 0-1 V default for a 0-5 V probe would be written as a real setting.
TEST(FieldRules, EmptyLambdaThresholdFollowsTheProbeTypeOtherFieldsKeepTheirOwn)
{
    const TextField& threshold = *findTextField("PRLambda");
    EXPECT_EQ(emptyTextFor(threshold, 0), "0,38");
    EXPECT_EQ(emptyTextFor(threshold, 3), "1,2");
    EXPECT_EQ(emptyTextFor(threshold, 4), "2,54");
    EXPECT_EQ(emptyTextFor(*findTextField("ODPBenzynaGas"), 4), "2200");
}

// The probe's own limits are in range; just past them the question is asked.
TEST(FieldRules, ProbeRangeQuestionAsksOnlyPastTheProbesLimits)
{
    EXPECT_EQ(probeThresholdWarning(0, 1.0), 0);
    EXPECT_EQ(probeThresholdWarning(1, 1.01), lang::slot::probeThreshold01);
    EXPECT_EQ(probeThresholdWarning(2, 0.8), 0);
    EXPECT_EQ(probeThresholdWarning(2, 1.6), 0);
    EXPECT_EQ(probeThresholdWarning(3, 0.79), lang::slot::probeThreshold0816);
    EXPECT_EQ(probeThresholdWarning(3, 1.61), lang::slot::probeThreshold0816);
    EXPECT_EQ(probeThresholdWarning(4, 4.9), 0) << "a 0-5 V probe has no question";
}

// Limits are strict, and a compared field without a number warns of nothing.
TEST(FieldRules, WarningsAreStrictAndNeedTheComparedFieldsNumber)
{
    const RangeWarning below{"X", Compare::Below, 10, nullptr, 0, false};
    const RangeWarning above{"X", Compare::Above, 10, nullptr, 0, false};
    EXPECT_FALSE(warningHolds(below, 10, std::nullopt));
    EXPECT_TRUE(warningHolds(below, 9, std::nullopt));
    EXPECT_FALSE(warningHolds(above, 10, std::nullopt));
    EXPECT_TRUE(warningHolds(above, 11, std::nullopt));

    const RangeWarning belowOther{"X", Compare::BelowField, 0, "Y", 0, false};
    const RangeWarning aboveOther{"X", Compare::AboveField, 0, "Y", 0, false};
    EXPECT_FALSE(warningHolds(belowOther, 0, std::nullopt));
    EXPECT_FALSE(warningHolds(aboveOther, 255, std::nullopt));
    EXPECT_TRUE(warningHolds(belowOther, 4, 5));
    EXPECT_FALSE(warningHolds(belowOther, 5, 5));
    EXPECT_TRUE(warningHolds(aboveOther, 6, 5));
}

// The working range's halves meet but never cross, whichever half is left,
// and a half whose partner was never read keeps its own value.
TEST(FieldRules, ARangesHalfTakesItsPartnersValueOnlyWhenItReachesAReadPartner)
{
    const TextField& lower = *findTextField("ZPAttuatoraPow_1");
    const TextField& upper = *findTextField("ZPAttuatoraPow_2");
    EXPECT_FALSE(takesPartnersValue(lower, 99, 100));
    EXPECT_TRUE(takesPartnersValue(lower, 100, 100)) << "meeting is reaching";
    EXPECT_TRUE(takesPartnersValue(lower, 130, 100));
    EXPECT_FALSE(takesPartnersValue(upper, 101, 100));
    EXPECT_TRUE(takesPartnersValue(upper, 60, 100));
    EXPECT_FALSE(takesPartnersValue(lower, 130, std::nullopt)) << "an unread partner bounds nothing";
    EXPECT_FALSE(takesPartnersValue(upper, 0, std::nullopt));
    EXPECT_FALSE(takesPartnersValue(*findTextField("ESLambda_1"), 255, 0)) << "the emulation times only fill";
    EXPECT_FALSE(takesPartnersValue(*findTextField("PRLambda"), 255, 0));
}

// The hysteresis counts from the switch-over speed; a speed the controller
// never gave leaves the controller's own hysteresis alone rather than
// counting from 0.
TEST(FieldRules, TheHysteresisFollowsTheSwitchOverSpeedAndIsLeftAloneWithoutAReadOne)
{
    const float k = 4800.0f;
    EXPECT_EQ(switchOverHysteresis(2500, false, 200, k), params::encodeSwitchOverHysteresis(2500, 200, k));
    EXPECT_EQ(switchOverHysteresis(2500, true, 200, k), params::encodeSwitchOverHysteresis(2500, 200, k))
        << "a speed typed over an unread mark counts";
    EXPECT_EQ(switchOverHysteresis(std::nullopt, false, 200, k), params::encodeSwitchOverHysteresis(0, 200, k));
    EXPECT_EQ(switchOverHysteresis(std::nullopt, true, 200, k), std::nullopt);
    EXPECT_NE(switchOverHysteresis(2500, false, 200, 2400.0f), switchOverHysteresis(2500, false, 200, k))
        << "the periods follow the ignition constant";
}

}  // namespace
