#include "params/LiveFrame.h"

#include "params/Conversions.h"
#include "params/NumberFormat.h"

#include <gtest/gtest.h>

#include <array>

namespace dravinor::params {
namespace {

TEST(LiveFrame, FieldsAtTheirPositions)
{
    const std::array<std::uint8_t, 10> bytes{1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
    const LiveFrame frame = decodeLiveFrame(bytes);
    EXPECT_EQ(frame.lambda, 1);
    EXPECT_EQ(frame.tps, 2);
    EXPECT_EQ(frame.temperature, 3);
    EXPECT_EQ(frame.stepperPosition, 5);
    EXPECT_EQ(frame.status, 6);
    EXPECT_EQ(frame.rpmPeriod, 7 * 256 + 8);
}

TEST(LiveFrame, PanelsShowDecodedValues)
{
    const struct {
        const char* name;
        float value;
        int decimals;
        const char* shown;
    } cases[] = {
        {"lambda 255", lambdaVolts(255), 2, "5.00"},     {"lambda 0", lambdaVolts(0), 2, "0.00"},
        {"tps 255", tpsVolts(255), 2, "12.30"},          {"tps 23", tpsVolts(23), 2, "1.11"},
        {"temperature 0", temperatureC(0), 0, "-240"},   {"temperature 51", temperatureC(51), 0, "-109"},
        {"temperature 153", temperatureC(153), 0, "95"}, {"temperature 255", temperatureC(255), 0, "519"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(formatFixed3(c.value, c.decimals), c.shown) << c.name;
    EXPECT_NEAR(temperatureC(51), -109.0f, 0.01f);
    EXPECT_NEAR(temperatureC(153), 94.99f, 0.01f);
}

TEST(LiveFrame, EngineSpeedAndFuelState)
{
    LiveFrame frame;
    frame.rpmPeriod = 1745;
    EXPECT_EQ(engineRpm(frame, 4800.0f), 2200);
    frame.status = status::noEngineSpeed;
    EXPECT_EQ(engineRpm(frame, 4800.0f), 0);
    frame.status = 0;
    frame.rpmPeriod = 0;
    EXPECT_EQ(engineRpm(frame, 4800.0f), rpmBeyondAnyEngine);  // a speed, not a rest
    EXPECT_EQ(engineRpmText(engineRpm(frame, 4800.0f)), "\xE2\x88\x9E");
    EXPECT_EQ(engineRpmText(2200), "2200");
    frame.status = status::noEngineSpeed;
    EXPECT_EQ(engineRpm(frame, 4800.0f), 0) << "the no-speed bit wins over a zero period";
    frame.status = 0;

    EXPECT_EQ(fuelState(0x03), FuelState::Gas);
    EXPECT_EQ(fuelState(0x01), FuelState::Automatic);
    EXPECT_EQ(fuelState(0x40), FuelState::Petrol);
}

}  // namespace
}  // namespace dravinor::params
