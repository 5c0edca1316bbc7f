#include "Encoders.h"
#include "FieldDisplay.h"

#include <gtest/gtest.h>

#include <string>

namespace dravinor::params {
namespace {

// Hundredths or thousandths as the pages write them: 19 x 2 -> "0,38".
std::string exactDecimal(int units, int decimals)
{
    const int scale = decimals == 2 ? 100 : 1000;
    std::string fraction = std::to_string(units % scale);
    fraction.insert(0, static_cast<std::size_t>(decimals) - fraction.size(), '0');
    return std::to_string(units / scale) + "," + fraction;
}

float parseComma(std::string text)
{
    text[text.find(',')] = '.';
    return std::stof(text);
}

struct DecimalField {
    const char* name;
    std::string (*shown)(std::uint8_t);
    std::uint8_t (*encode)(float);
    int unitsPerStep;  // step in hundredths (thousandths for 3 decimals)
    int decimals;
    int low;
    int high;
};

// Every stored byte shows as exactly raw x step, and a field that shows it
// encodes back to the same byte, so leaving a field unchanged never drifts.
TEST(FieldDisplay, DecimalFieldsShowExactStepsAndRoundTrip)
{
    const DecimalField fields[] = {
        {"lambda threshold", shownLambdaThreshold, encodeLambdaThreshold, 2, 2, 5, 245},
        {"tps threshold", shownTpsThreshold, encodeTpsThreshold, 5, 2, 0, 255},
        {"tps inertia", shownTpsInertia, encodeTpsInertia, 5, 2, 0, 10},
        {"extra opening", shownExtraOpeningThreshold, encodeExtraOpeningThreshold, 5, 2, 0, 255},
        {"emulation", shownEmulation, encodeEmulation, 16, 3, 0, 255},
    };
    for (const auto& f : fields) {
        for (int raw = 0; raw < 256; ++raw) {
            const auto byte = static_cast<std::uint8_t>(raw);
            const std::string text = f.shown(byte);
            ASSERT_EQ(text, exactDecimal(raw * f.unitsPerStep, f.decimals)) << f.name;
            if (raw >= f.low && raw <= f.high) {
                ASSERT_EQ(f.encode(parseComma(text)), raw) << f.name << " " << text;
            }
        }
    }
}

TEST(FieldDisplay, TemperatureShownFromScaleAndClamped)
{
    EXPECT_EQ(shownTemperature(132), 49);
    EXPECT_EQ(shownTemperature(152), 92);
    EXPECT_EQ(shownTemperature(109), 0);
    EXPECT_EQ(shownTemperature(159), 92);  // entry 50 is 106, still clamped
    for (int raw = 152; raw < 256; ++raw)
        EXPECT_EQ(shownTemperature(static_cast<std::uint8_t>(raw)), 92) << raw;
    // Below the scale: shown as its bottom.
    EXPECT_EQ(shownTemperature(0), 0);
    EXPECT_EQ(shownTemperature(108), 0);
    for (int degrees = 0; degrees <= 92; ++degrees) {
        const std::uint8_t stored = encodeTemperature(degrees);
        EXPECT_EQ(encodeTemperature(shownTemperature(stored)), stored) << degrees;
    }
}

TEST(FieldDisplay, RpmWords)
{
    EXPECT_EQ(shownSwitchOverRpm(1745, 4800.0f), 2200);
    EXPECT_EQ(shownSwitchOverRpm(0, 4800.0f), 0);
    EXPECT_EQ(shownMaxRpmOnGas(640, 4800.0f), 6000);
    EXPECT_EQ(shownCutOffRpm(2133, 4800.0f), 1800);
    // 2075 decodes to 1850 at step 50; the cut-off field shows whole hundreds.
    EXPECT_EQ(shownSwitchOverRpm(2075, 4800.0f), 1850);
    EXPECT_EQ(shownCutOffRpm(2075, 4800.0f), 1800);
}

TEST(FieldDisplay, SmallIntegerFieldsAndItems)
{
    EXPECT_EQ(shownHeatingTime(encodeHeatingTime(7)), 6);
    EXPECT_EQ(shownRpmDelta(1), 100);
    EXPECT_EQ(fuelOverlapItemText(0), "0,00");
    EXPECT_EQ(fuelOverlapItemText(3), "0,15");
    EXPECT_EQ(fuelOverlapItemText(41), "2,05");
    EXPECT_EQ(tpsSectorUnits(28), 114);
    EXPECT_EQ(tpsSectorUnits(3), 12);
}

}  // namespace
}  // namespace dravinor::params
