#include "params/ParameterTable.h"
#include "params/Conversions.h"
#include "params/Encoders.h"
#include "params/ParameterTransfer.h"

#include <gtest/gtest.h>

namespace dravinor::params {
namespace {

namespace a = address;

TEST(ParameterTable, EveryAddressBelongsToExactlyOneRowAndOnlyTheFourRpmWordsAreWide)
{
    int covered = 0;
    int expected = ParameterBlock::firstAddress;
    for (const ParameterRow& row : parameterTable()) {
        EXPECT_EQ(row.address.number(), expected) << "rows in address order, without gaps";
        expected = row.address.number() + row.width;
        covered += row.width;
        for (int offset = 0; offset < row.width; ++offset)
            EXPECT_EQ(parameterAt(Address(row.address.number() + offset)), &row) << row.address.number() + offset;
        const bool word = row.address == a::switchOverRpm || row.address == a::switchOverHysteresis ||
                          row.address == a::maxRpmOnGas || row.address == a::cutOffRpm;
        EXPECT_EQ(row.width, word ? 2 : 1) << row.meaning;
    }
    EXPECT_EQ(covered, ParameterBlock::count);
    EXPECT_EQ(parameterAt(Address(0)), nullptr);
    EXPECT_EQ(parameterAt(Address(36)), nullptr);
}

// A field edit of 33..35 has no RAM copy to refresh: the table and the
// transfer's last RAM word must agree, or a write would refresh RAM beyond
// the controller's parameters.
TEST(ParameterTable, OnlyTheParametersPastTheLastRamWordAreWrittenToEepromAlone)
{
    for (const ParameterRow& row : parameterTable())
        EXPECT_EQ(row.memory == Memory::EepromOnly, row.address.number() > ParameterTransfer::ramRefreshLast)
            << row.meaning;
}

// The stored defaults are the definition's default values, encoded as the
// fields encode them; a wrong raw number would reach every reset controller.
TEST(ParameterTable, DefaultsAreTheEncodedDefaultValues)
{
    const auto stored = [](Address address) { return parameterAt(address)->defaultValue; };
    constexpr float k = 4800.0f;  // the default ignition type's
    EXPECT_EQ(stored(a::lambdaThreshold), encodeLambdaThreshold(0.38f));
    EXPECT_EQ(stored(a::tpsThreshold), encodeTpsThreshold(1.40f));
    EXPECT_EQ(stored(a::switchOverTemperature), encodeTemperature(0));
    EXPECT_EQ(stored(a::tpsInertia), encodeTpsInertia(0.15f));
    EXPECT_EQ(ignitionConstantForItem(stored(a::ignitionType)), k);
    EXPECT_EQ(stored(a::switchOverRpm), encodeSwitchOverRpm(2200, k).period);
    EXPECT_EQ(stored(a::switchOverHysteresis), encodeSwitchOverHysteresis(2200, 100, k));
    EXPECT_EQ(stored(a::maxRpmOnGas), encodeMaxRpmOnGas(6000, k).period);
    EXPECT_EQ(stored(a::fuelOverlap), encodeFuelOverlap(3));
    EXPECT_EQ(stored(a::cutOffRpm), encodeCutOffRpm(1800, k).period);
    EXPECT_EQ(stored(a::extraOpeningThreshold), encodeExtraOpeningThreshold(1.45f));
    EXPECT_EQ(stored(a::heatingTime), encodeHeatingTime(6));
    EXPECT_EQ(stored(a::emulationOutputCode), emulationOutputCode(stored(a::probeType), stored(a::emulationType)));
    EXPECT_EQ(stored(a::emulationSecondTime), encodeEmulation(0.496f));
    EXPECT_EQ(stored(a::emulationFirstTime), encodeEmulation(0.496f));
    EXPECT_EQ(stored(a::rpmDelta), encodeRpmDelta(100));
}

}  // namespace
}  // namespace dravinor::params
