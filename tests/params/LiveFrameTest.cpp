#include "LiveFrame.h"
#include "NumberFormat.h"

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

TEST(LiveFrame, VoltagesAsPanelsShowThem)
{
    struct Case {
        const char* name;
        float volts;
        const char* shown;
    };
    const Case cases[] = {
        {"lambda 255", lambdaVolts(255), "5.00"},
        {"lambda 0", lambdaVolts(0), "0.00"},
        {"lambda 1", lambdaVolts(1), "0.02"},
        {"tps 255", tpsVolts(255), "12.30"},
        {"tps 23", tpsVolts(23), "1.11"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(formatFixed3(c.volts, 2), c.shown) << c.name;
    EXPECT_FLOAT_EQ(tpsVolts(255), 12.333333f);
}

TEST(LiveFrame, TemperaturePolynomial)
{
    struct Case {
        std::uint8_t byte;
        float degrees;
        const char* shown;
    };
    const Case cases[] = {
        {0, -240.13f, "-240"},
        {51, -109.0f, "-109"},
        {153, 94.99f, "95"},
        {255, 519.08f, "519"},
    };
    for (const auto& c : cases) {
        EXPECT_NEAR(temperatureC(c.byte), c.degrees, 0.01f) << int(c.byte);
        EXPECT_EQ(formatFixed3(temperatureC(c.byte), 0), c.shown) << int(c.byte);
    }
}

TEST(LiveFrame, EngineSpeed)
{
    LiveFrame frame;
    frame.rpmPeriod = 1745;
    EXPECT_EQ(engineRpm(frame, 4800.0f), 2200);
    frame.status = status::noEngineSpeed | status::onGas;
    EXPECT_EQ(engineRpm(frame, 4800.0f), 0);
    frame.status = 0;
    frame.rpmPeriod = 0;
    EXPECT_EQ(engineRpm(frame, 4800.0f), 0);
}

TEST(LiveFrame, FuelStateFromStatusBits)
{
    struct Case {
        std::uint8_t status;
        FuelState state;
    };
    const Case cases[] = {
        {0x02, FuelState::Gas}, {0x03, FuelState::Gas}, {0x01, FuelState::Automatic},
        {0x00, FuelState::Petrol}, {0x40, FuelState::Petrol}, {0xBC, FuelState::Petrol},
    };
    for (const auto& c : cases)
        EXPECT_EQ(fuelState(c.status), c.state) << int(c.status);
}

}  // namespace
}  // namespace dravinor::params
