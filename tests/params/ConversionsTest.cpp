#include "params/Conversions.h"

#include <gtest/gtest.h>

namespace dravinor::params {
namespace {

TEST(RoundHalfUp, TruncatesTowardZeroAfterAddingHalf)
{
    EXPECT_EQ(roundHalfUp(2.5f), 3);
    EXPECT_EQ(roundHalfUp(0.38f / 0.02f), 19);
    EXPECT_EQ(roundHalfUp(-0.6f), 0);  // trunc(-0.1), not floor
}

TEST(RpmToPeriod, ExactQuotientAndLow16Bits)
{
    const struct {
        int rpm;
        float k;
        int period;
    } cases[] = {
        {2200, 4800.0f, 1745},
        {2100, 4800.0f, 1828},
        {6000, 4800.0f, 640},
        {1800, 4800.0f, 2133},
        {2200, 19200.0f, 6981},
        // Whole quotients: a single-precision 1 / (rpm / 800K) would come out one short.
        {1000, 4800.0f, 3840},
        {1000, 19200.0f, 15360},
        {6400, 4000.0f, 500},
        {0, 4800.0f, 3840000},  // 0 counts as 1
    };
    for (const auto& c : cases)
        EXPECT_EQ(rpmToPeriod(c.rpm, c.k), c.period) << c.rpm << " K " << c.k;
    EXPECT_EQ(periodWord(3840000), 38912);
}

TEST(PeriodToRpm, DecodesWithKAndStep)
{
    const struct {
        int period, step;
        float k;
        int rpm;
    } cases[] = {
        {1745, 50, 4800.0f, 2200}, {6981, 50, 19200.0f, 2200}, {6981, 50, 4800.0f, 550},
        {640, 500, 4800.0f, 6000}, {700, 500, 4800.0f, 5000},
    };
    for (const auto& c : cases)
        EXPECT_EQ(periodToRpm(c.period, c.step, c.k), c.rpm) << c.period;
}

TEST(PeriodToRpm, ZeroPeriodIsASpeedBeyondAnyEngineNotAnEngineAtRest)
{
    // The controller's formula divides by a tiny number: no speed window a
    // wizard phase waits for (at most 1200, at least 2000 or 3000) may open.
    for (const float k : {19200.0f, 4800.0f, 2400.0f}) {
        for (const int step : {50, 500}) {
            const int rpm = periodToRpm(0, step, k);
            EXPECT_EQ(rpm, rpmBeyondAnyEngine) << k;
            EXPECT_EQ(rpm % step, 0);
            EXPECT_GT(rpm, periodToRpm(1, step, k)) << "faster than the shortest real period";
        }
    }
    EXPECT_EQ(periodToRpm(1, 50, 19200.0f), 15'360'000);  // no overflow below it
}

}  // namespace
}  // namespace dravinor::params
