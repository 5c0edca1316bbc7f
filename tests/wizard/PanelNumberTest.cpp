#include "wizard/PanelNumber.h"

#include "params/Conversions.h"

#include <gtest/gtest.h>

using namespace dravinor::wizard;

// How the pages word each kind of number: the decimals and separator of
// the live readings, an engine speed beyond any engine, and scale marks
// that keep their point whatever the locale.
TEST(PanelNumber, EachQuantityIsWordedAsThePagesShowIt)
{
    const struct {
        PanelNumber number;
        const char* separator;
        const char* shown;
    } cases[] = {
        {{Quantity::EngineSpeed, 2400}, ",", "2400"},
        {{Quantity::EngineSpeed, 0}, ",", "0"},
        {{Quantity::EngineSpeed, dravinor::params::rpmBeyondAnyEngine}, ",", "\xE2\x88\x9E"},
        {{Quantity::EngineTemperature, 28.4f}, ",", "28"},
        {{Quantity::EngineTemperature, -12.6f}, ".", "-13"},
        {{Quantity::ProbeVoltage, 1.9372549f}, ",", "1,94"},
        {{Quantity::ProbeVoltage, 0.0196}, ".", "0.02"},
        {{Quantity::ScaleVoltage, 0.8}, ",", "0.8 V"},
        {{Quantity::ScaleVoltage, 1.6}, ",", "1.6 V"},
        {{Quantity::ScaleVoltage, 0}, ",", "0 V"},
        {{Quantity::ScaleVoltage, 5}, ".", "5 V"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(panelText(c.number, c.separator), c.shown) << c.number.value;
}
