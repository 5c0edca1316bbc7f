#include "params/ScaleTables.h"

#include <gtest/gtest.h>

namespace dravinor::params {
namespace {

TEST(ScaleTables, TemperatureIsFloorOfMultiplesExceptTwoSummingSlips)
{
    const auto& t = scaleTables().temperature;
    EXPECT_EQ(t[50], 106);
    EXPECT_EQ(t[100], 213);
    for (int i = 0; i < 256; ++i) {
        if (i != 50 && i != 100) {
            EXPECT_EQ(t[static_cast<std::size_t>(i)], i * 214 / 100) << i;
        }
    }
}

TEST(ScaleTables, SummedTopsLieJustAboveExactProducts)
{
    const auto& s = scaleTables();
    EXPECT_GT(s.tpsThreshold[255], 12.75f);
    EXPECT_NEAR(s.tpsThreshold[255], 12.75003f, 1e-5f);
    EXPECT_GT(s.emulation[255], 4.08f);
    EXPECT_NEAR(s.emulation[255], 4.080004f, 1e-5f);
}

}  // namespace
}  // namespace dravinor::params
