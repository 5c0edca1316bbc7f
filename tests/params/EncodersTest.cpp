#include "params/Encoders.h"
#include "params/FlagBits.h"

#include <gtest/gtest.h>

namespace dravinor::params {
namespace {

TEST(Encoders, StepFieldsRoundAndClamp)
{
    const struct {
        const char* name;
        std::uint8_t (*encode)(float);
        float value;
        int stored;
    } cases[] = {
        {"lambda 0.38", encodeLambdaThreshold, 0.38f, 19},
        {"lambda below 0.1 V", encodeLambdaThreshold, 0.0f, 5},
        {"lambda 9 V", encodeLambdaThreshold, 9.0f, 245},
        {"tps 1.23", encodeTpsThreshold, 1.23f, 25},
        {"tps above top", encodeTpsThreshold, 20.0f, 255},
        {"tps negative", encodeTpsThreshold, -1.0f, 0},
        {"inertia 0.7", encodeTpsInertia, 0.7f, 10},
        {"extra opening 1.45", encodeExtraOpeningThreshold, 1.45f, 29},
        {"emulation 0.496", encodeEmulation, 0.496f, 31},
        {"emulation top", encodeEmulation, 4.08f, 255},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.encode(c.value), c.stored) << c.name;
}

TEST(Encoders, WholeNumberFieldsDropRemainders)
{
    const struct {
        const char* name;
        int stored, expected;
    } cases[] = {
        {"temperature 50", encodeTemperature(50), 132},   {"temperature 99", encodeTemperature(99), 152},
        {"temperature -5", encodeTemperature(-5), 109},   {"heating 7", encodeHeatingTime(7), 3},
        {"heating 509", encodeHeatingTime(509), 254},     {"delta 250", encodeRpmDelta(250), 2},
        {"delta 2000", encodeRpmDelta(2000), 10},         {"fuel overlap 0,15", encodeFuelOverlap(3), 9},
        {"fuel overlap byte 10", fuelOverlapItem(10), 3},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.stored, c.expected) << c.name;
}

TEST(Encoders, RpmFieldsRoundDownToStepThenStorePeriod)
{
    const float k = 4800.0f;
    const struct {
        const char* name;
        RpmEncoding encoded;
        int rpm, period;
    } cases[] = {
        {"switch-over 2250", encodeSwitchOverRpm(2250, k), 2200, 1745},
        {"switch-over 9999", encodeSwitchOverRpm(9999, k), 4000, 960},
        {"max on gas 6400", encodeMaxRpmOnGas(6400, k), 6000, 640},
        {"max on gas 4999", encodeMaxRpmOnGas(4999, k), 4500, 853},
        {"cut-off 500", encodeCutOffRpm(500, k), 1000, 3840},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.encoded.rpm, c.rpm) << c.name;
        EXPECT_EQ(c.encoded.period, c.period) << c.name;
    }
    EXPECT_EQ(encodeSwitchOverHysteresis(2200, 100, k), 83);
}

TEST(FieldRules, EmulationOutputCode)
{
    // Rows: probe types 0..5; columns: square wave, ground, relay.
    const int expected[6][3] = {{1, 0, 5}, {1, 0, 5}, {0, 0, 5}, {0, 0, 5}, {2, 0, 5}, {2, 0, 5}};
    for (int probe = 0; probe < 6; ++probe)
        for (int emulation = 0; emulation < 3; ++emulation)
            EXPECT_EQ(emulationOutputCode(probe, emulation), expected[probe][emulation]) << probe << "/" << emulation;
}

TEST(FieldRules, ControllerMode)
{
    EXPECT_EQ(controllerModeItem(flagA::dynamicMode, 0), 2);
    EXPECT_EQ(controllerModeItem(flagA::dynamicMode, flagB::economyMaxOpeningMode), 1);  // B bit 2 wins
    EXPECT_EQ(controllerModeItem(0xBF, 0xFB), 0);                                        // only the mode bits count

    const struct {
        int item;
        std::uint8_t a, b;
    } cases[] = {{0, 0xBF, 0xFB}, {1, 0xBF, 0xFF}, {2, 0xFF, 0xFB}, {3, 0xFF, 0xFF}};
    for (const auto& c : cases) {
        const FlagBytes result = withControllerMode(c.item, {0xFF, 0xFF});
        EXPECT_EQ(result.a, c.a) << c.item;
        EXPECT_EQ(result.b, c.b) << c.item;
    }
}

}  // namespace
}  // namespace dravinor::params
