#include "FieldRules.h"

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

}  // namespace
