#include "Conversions.h"

#include <gtest/gtest.h>

#include <cmath>

namespace dravinor::params {
namespace {

TEST(RoundHalfUp, TruncatesAfterAddingHalf)
{
    struct Case {
        float x;
        int expected;
    };
    const Case cases[] = {
        {0.5f, 1}, {1.49f, 1}, {2.5f, 3}, {0.38f / 0.02f, 19}, {1.23f / 0.05f, 25},
        // trunc, not floor: -0.6 + 0.5 = -0.1 goes to 0
        {-0.6f, 0}, {-1.6f, -1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(roundHalfUp(c.x), c.expected) << c.x;
}

TEST(RpmToPeriod, MatchesControllerPeriodsAtK4800)
{
    struct Case {
        int rpm;
        int period;
    };
    const Case cases[] = {{2200, 1745}, {2100, 1828}, {6000, 640}, {1800, 2133}};
    for (const auto& c : cases)
        EXPECT_EQ(rpmToPeriod(c.rpm, 4800.0f), c.period) << c.rpm;
}

TEST(RpmToPeriod, ZeroRpmCountsAsOneAndKeepsLow16Bits)
{
    EXPECT_EQ(rpmToPeriod(0, 4800.0f), rpmToPeriod(1, 4800.0f));
    EXPECT_EQ(rpmToPeriod(1, 4800.0f), 3840000);
    EXPECT_EQ(periodWord(3840000), 38912);
}

// Where 800 x K / rpm is a whole number the period is that number; a single-
// precision 1 / (rpm / (800 x K)) lands just below it and would truncate one short.
TEST(RpmToPeriod, WholeQuotientsAreExact)
{
    EXPECT_EQ(rpmToPeriod(1000, 4800.0f), 3840);
    EXPECT_EQ(rpmToPeriod(4000, 4800.0f), 960);
    EXPECT_EQ(rpmToPeriod(1000, 19200.0f), 15360);
    EXPECT_EQ(rpmToPeriod(6400, 4000.0f), 500);
}

// Everywhere else the exact quotient and the single-precision form agree over
// every speed a field can produce.
TEST(RpmToPeriod, AgreesWithSinglePrecisionFormOtherwise)
{
    for (int item = 0; item < 6; ++item) {
        const float k = *ignitionConstantForItem(item);
        const long long dividend = 800LL * static_cast<long long>(k);
        for (int rpm = 100; rpm <= 9000; rpm += 100) {
            if (dividend % rpm == 0)
                continue;
            const float single = 1.0f / (static_cast<float>(rpm) / (800.0f * k));
            EXPECT_EQ(rpmToPeriod(rpm, k), static_cast<int>(std::trunc(single))) << rpm << " K " << k;
        }
    }
}

TEST(PeriodToRpm, DecodesWithKAndStep)
{
    struct Case {
        int period;
        int step;
        float k;
        int rpm;
    };
    const Case cases[] = {
        {1745, 50, 4800.0f, 2200},
        {6981, 50, 19200.0f, 2200},
        {6981, 50, 4800.0f, 550},
        {640, 500, 4800.0f, 6000},
        {700, 500, 4800.0f, 5000},  // 5485 rounds down to the step
        {2133, 50, 4800.0f, 1800},
        {1, 50, 19200.0f, 15360000},
    };
    for (const auto& c : cases)
        EXPECT_EQ(periodToRpm(c.period, c.step, c.k), c.rpm) << c.period;
}

TEST(PeriodToRpm, ZeroPeriodDecodesToZero)
{
    EXPECT_EQ(periodToRpm(0, 50, 19200.0f), 0);
    EXPECT_EQ(periodToRpm(0, 500, 2400.0f), 0);
}

TEST(IgnitionConstant, ItemsAndOutOfRange)
{
    const float expected[] = {19200.0f, 9600.0f, 4800.0f, 4000.0f, 3200.0f, 2400.0f};
    for (int item = 0; item < 6; ++item)
        EXPECT_EQ(ignitionConstantForItem(item), expected[item]);
    EXPECT_FALSE(ignitionConstantForItem(-1));
    EXPECT_FALSE(ignitionConstantForItem(6));
}

}  // namespace
}  // namespace dravinor::params
