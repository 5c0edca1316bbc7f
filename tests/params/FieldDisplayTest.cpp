#include "params/FieldDisplay.h"
#include "params/Encoders.h"

#include <gtest/gtest.h>

#include <string>

namespace dravinor::params {
namespace {

// Every stored byte shows as exactly raw x step, and re-encoding the shown
// text gives the byte back, so leaving a field unchanged never drifts.
TEST(FieldDisplay, DecimalFieldsShowExactStepsAndRoundTrip)
{
    const struct {
        const char* name;
        std::string (*shown)(std::uint8_t);
        std::uint8_t (*encode)(float);
        int stepUnits, scale, low, high;
    } fields[] = {
        {"lambda", shownLambdaThreshold, encodeLambdaThreshold, 2, 100, 5, 245},
        {"tps", shownTpsThreshold, encodeTpsThreshold, 5, 100, 0, 255},
        {"inertia", shownTpsInertia, encodeTpsInertia, 5, 100, 0, 10},
        {"extra opening", shownExtraOpeningThreshold, encodeExtraOpeningThreshold, 5, 100, 0, 255},
        {"emulation", shownEmulation, encodeEmulation, 16, 1000, 0, 255},
    };
    for (const auto& f : fields) {
        for (int raw = 0; raw < 256; ++raw) {
            const int units = raw * f.stepUnits;
            std::string fraction = std::to_string(units % f.scale);
            fraction.insert(0, (f.scale == 100 ? 2 : 3) - fraction.size(), '0');
            const std::string text = f.shown(static_cast<std::uint8_t>(raw));
            ASSERT_EQ(text, std::to_string(units / f.scale) + "," + fraction) << f.name;
            if (raw >= f.low && raw <= f.high) {
                ASSERT_EQ(f.encode(static_cast<float>(units) / static_cast<float>(f.scale)), raw)
                    << f.name << " " << text;
            }
        }
    }
}

TEST(FieldDisplay, TemperatureClampedAndBelowScaleShowsZero)
{
    EXPECT_EQ(shownTemperature(132), 49);
    for (int raw = 152; raw < 256; ++raw)
        EXPECT_EQ(shownTemperature(static_cast<std::uint8_t>(raw)), 92) << raw;
    EXPECT_EQ(shownTemperature(108), 0);
    for (int degrees = 0; degrees <= 92; ++degrees) {
        const std::uint8_t stored = encodeTemperature(degrees);
        EXPECT_EQ(encodeTemperature(shownTemperature(stored)), stored) << degrees;
    }
}

TEST(FieldDisplay, RpmWordsAndItems)
{
    EXPECT_EQ(shownSwitchOverRpm(2075, 4800.0f), 1850);
    EXPECT_EQ(shownCutOffRpm(2075, 4800.0f), 1800);  // whole hundreds only
    EXPECT_EQ(shownMaxRpmOnGas(640, 4800.0f), 6000);
    EXPECT_EQ(fuelOverlapItemText(3), "0,15");
    EXPECT_EQ(fuelOverlapItemText(41), "2,05");
}

TEST(FieldDisplay, ZeroRpmWordShowsZeroNotATenDigitSpeedTheFieldWouldCut)
{
    // A live period of 0 is a speed beyond any engine; a zero word in a
    // field's block is a blank, below every RPM field's range.
    EXPECT_EQ(shownSwitchOverRpm(0, 4800.0f), 0);
    EXPECT_EQ(shownCutOffRpm(0, 4800.0f), 0);
    EXPECT_EQ(shownMaxRpmOnGas(0, 19200.0f), 0);
}

}  // namespace
}  // namespace dravinor::params
