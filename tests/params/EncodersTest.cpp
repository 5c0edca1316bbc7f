#include "Conversions.h"
#include "Encoders.h"
#include "FlagBits.h"

#include <gtest/gtest.h>

namespace dravinor::params {
namespace {

using StepEncoder = std::uint8_t (*)(float);

struct StepCase {
    const char* name;
    StepEncoder encode;
    float value;
    int stored;
};

TEST(StepEncoders, RoundAndClamp)
{
    const StepCase cases[] = {
        {"lambda default", encodeLambdaThreshold, 0.38f, 19},
        {"lambda below 0.1 V", encodeLambdaThreshold, 0.0f, 5},
        {"lambda just below 0.1 V", encodeLambdaThreshold, 0.09f, 5},
        {"lambda 0-5 V probe max", encodeLambdaThreshold, 9.0f, 245},
        {"tps default", encodeTpsThreshold, 1.40f, 28},
        {"tps typed 1.23", encodeTpsThreshold, 1.23f, 25},
        {"tps table top", encodeTpsThreshold, 12.75f, 255},
        {"tps above top", encodeTpsThreshold, 20.0f, 255},
        {"tps negative", encodeTpsThreshold, -1.0f, 0},
        {"inertia default", encodeTpsInertia, 0.15f, 3},
        {"inertia above 0.5", encodeTpsInertia, 0.7f, 10},
        {"extra opening default", encodeExtraOpeningThreshold, 1.45f, 29},
        {"extra opening above top", encodeExtraOpeningThreshold, 13.0f, 255},
        {"emulation default", encodeEmulation, 0.496f, 31},
        {"emulation table top", encodeEmulation, 4.08f, 255},
        {"emulation above top", encodeEmulation, 5.0f, 255},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.encode(c.value), c.stored) << c.name;
}

TEST(IntegerEncoders, DropRemaindersAndClamp)
{
    struct Case {
        const char* name;
        int stored;
        int expected;
    };
    const Case cases[] = {
        {"temperature 50", encodeTemperature(50), 132},
        {"temperature 92", encodeTemperature(92), 152},
        {"temperature 99 clamps", encodeTemperature(99), 152},
        {"temperature 0", encodeTemperature(0), 109},
        {"temperature negative", encodeTemperature(-5), 109},
        {"heating 7", encodeHeatingTime(7), 3},
        {"heating 509", encodeHeatingTime(509), 254},
        {"heating above 510", encodeHeatingTime(999), 255},
        {"delta 100", encodeRpmDelta(100), 1},
        {"delta 250", encodeRpmDelta(250), 2},
        {"delta below 100", encodeRpmDelta(50), 1},
        {"delta above 1000", encodeRpmDelta(2000), 10},
        {"fuel overlap 0,15", encodeFuelOverlap(3), 9},
        {"fuel overlap last", encodeFuelOverlap(41), 123},
        {"plain byte in range", encodePlainByte(100, 0, 255), 100},
        {"plain byte speed min", encodePlainByte(0, 1, 255), 1},
        {"plain byte extra opening", encodePlainByte(99, 0, 50), 50},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.stored, c.expected) << c.name;
    EXPECT_EQ(fuelOverlapItem(10), 3);
}

TEST(RpmEncoders, RoundDownToStepThenStorePeriod)
{
    struct Case {
        const char* name;
        RpmEncoding encoded;
        int rpm;
        int period;
    };
    const float k = 4800.0f;
    const Case cases[] = {
        {"switch-over 2250", encodeSwitchOverRpm(2250, k), 2200, 1745},
        {"switch-over 1234", encodeSwitchOverRpm(1234, k), 1200, 3200},
        {"switch-over 9999", encodeSwitchOverRpm(9999, k), 4000, 960},
        {"max on gas 6400", encodeMaxRpmOnGas(6400, k), 6000, 640},
        {"max on gas 4999", encodeMaxRpmOnGas(4999, k), 4500, 853},
        {"max on gas 9999", encodeMaxRpmOnGas(9999, k), 9000, 426},
        {"cut-off 1800", encodeCutOffRpm(1800, k), 1800, 2133},
        {"cut-off 500", encodeCutOffRpm(500, k), 1000, 3840},
        {"switch-over at K 19200", encodeSwitchOverRpm(2200, 19200.0f), 2200, 6981},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.encoded.rpm, c.rpm) << c.name;
        EXPECT_EQ(c.encoded.period, c.period) << c.name;
    }
}

TEST(RpmEncoders, HysteresisIsPeriodDifference)
{
    EXPECT_EQ(encodeSwitchOverHysteresis(2200, 100, 4800.0f), 83);
    // A delta as large as the switch-over speed takes the 1 RPM period.
    EXPECT_EQ(encodeSwitchOverHysteresis(1000, 1000, 4800.0f), periodWord(3840000 - 3840));
}

TEST(EmulationOutputCode, ByProbeAndEmulationType)
{
    // Rows: probe types 0..5; columns: square wave, ground, relay.
    const int expected[6][3] = {{1, 0, 5}, {1, 0, 5}, {0, 0, 5}, {0, 0, 5}, {2, 0, 5}, {2, 0, 5}};
    for (int probe = 0; probe < 6; ++probe)
        for (int emulation = 0; emulation < 3; ++emulation)
            EXPECT_EQ(emulationOutputCode(probe, emulation), expected[probe][emulation])
                << "probe " << probe << " emulation " << emulation;
}

TEST(ControllerMode, ItemFromFlagBits)
{
    EXPECT_EQ(controllerModeItem(0x00, 0x00), 0);
    EXPECT_EQ(controllerModeItem(flagA::dynamicMode, 0x00), 2);
    EXPECT_EQ(controllerModeItem(0x00, flagB::economyMaxOpeningMode), 1);
    EXPECT_EQ(controllerModeItem(flagA::dynamicMode, flagB::economyMaxOpeningMode), 1);
    EXPECT_EQ(controllerModeItem(0xBF, 0xFB), 0);  // only bits 6 and 2 count
}

TEST(ControllerMode, ChosenItemSetsOnlyModeBits)
{
    const FlagBytes both{0xFF, 0xFF};
    const FlagBytes none{0x00, 0x00};
    struct Case {
        int item;
        FlagBytes from;
        std::uint8_t a;
        std::uint8_t b;
    };
    const Case cases[] = {
        {0, both, 0xBF, 0xFB}, {1, both, 0xBF, 0xFF}, {2, both, 0xFF, 0xFB},
        {1, none, 0x00, 0x04}, {2, none, 0x40, 0x00}, {3, none, 0x00, 0x00},
    };
    for (const auto& c : cases) {
        const FlagBytes result = withControllerMode(c.item, c.from);
        EXPECT_EQ(result.a, c.a) << c.item;
        EXPECT_EQ(result.b, c.b) << c.item;
        if (c.item <= 2) {
            EXPECT_EQ(controllerModeItem(result.a, result.b), c.item);
        }
    }
}

TEST(TpsColours, FollowTpsDirection)
{
    EXPECT_EQ(tpsColours(0x00).lower, colourRed);
    EXPECT_EQ(tpsColours(0x00).upper, colourGreen);
    EXPECT_EQ(tpsColours(flagA::tpsRising).lower, colourGreen);
    EXPECT_EQ(tpsColours(flagA::tpsRising).upper, colourRed);
}

}  // namespace
}  // namespace dravinor::params
