#include "ScaleTables.h"

#include <gtest/gtest.h>

namespace dravinor::params {
namespace {

TEST(ScaleTables, TemperatureIsFloorOfMultiplesExceptTwoSummingSlips)
{
    const auto& t = scaleTables().temperature;
    EXPECT_EQ(t[50], 106);
    EXPECT_EQ(t[100], 213);
    for (int i = 0; i < 256; ++i) {
        if (i == 50 || i == 100)
            continue;
        EXPECT_EQ(t[static_cast<std::size_t>(i)], i * 214 / 100) << i;
    }
}

TEST(ScaleTables, FloatTablesStartAtZeroAndStep)
{
    const auto& s = scaleTables();
    struct Case {
        const FloatScale* table;
        float step;
        float top;
    };
    const Case cases[] = {
        {&s.lambdaThreshold, 0.02f, 5.10f}, {&s.emulation, 0.016f, 4.08f},
        {&s.tpsThreshold, 0.05f, 12.75f},   {&s.tpsInertia, 0.05f, 12.75f},
        {&s.extraOpeningThreshold, 0.05f, 12.75f},
    };
    for (const auto& c : cases) {
        EXPECT_EQ((*c.table)[0], 0.0f);
        EXPECT_EQ((*c.table)[1], c.step);
        EXPECT_NEAR((*c.table)[255], c.top, 1e-4f);
    }
    // The summed tops lie just above the exact products.
    EXPECT_GT(s.tpsThreshold[255], 12.75f);
    EXPECT_GT(s.emulation[255], 4.08f);
}

TEST(ScaleTables, BuiltOnce)
{
    EXPECT_EQ(&scaleTables(), &scaleTables());
}

}  // namespace
}  // namespace dravinor::params
