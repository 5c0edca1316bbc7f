#include "live/ProbeType.h"

#include <gtest/gtest.h>

using dravinor::live::lambdaTracePercent;
using dravinor::live::probeTypeSettings;

TEST(ProbeType, TraceDivisorsPlaceFullScaleWhereTheAxisLabelsSay)
{
    // trunc(byte / divisor + 5), with the single-precision divisor.
    const struct {
        int item;
        int lambdaByte;
        int percent;
    } cases[] = {{0, 51, 89}, {4, 255, 92}, {2, 82, 75}, {4, 51, 22}};
    for (const auto& c : cases) {
        const auto settings = probeTypeSettings(c.item);
        ASSERT_TRUE(settings);
        EXPECT_EQ(lambdaTracePercent(c.lambdaByte, settings->traceDivisor), c.percent) << "item " << c.item;
    }
}

TEST(ProbeType, FallingProbesMirrorTheirRisingTwin)
{
    for (int item = 0; item < 6; item += 2) {
        const auto rising = *probeTypeSettings(item);
        const auto falling = *probeTypeSettings(item + 1);
        EXPECT_FALSE(rising.falling);
        EXPECT_TRUE(falling.falling);
        EXPECT_EQ(rising.axisLabels, falling.axisLabels);
        EXPECT_EQ(rising.clampHigh, falling.clampHigh);
    }
    EXPECT_FALSE(probeTypeSettings(-1));
    EXPECT_FALSE(probeTypeSettings(6));
}
