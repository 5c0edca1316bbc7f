#include "params/FieldDisplay.h"

#include "params/Conversions.h"
#include "params/NumberFormat.h"
#include "params/ScaleTables.h"

#include <algorithm>

namespace dravinor::params {

std::string shownLambdaThreshold(std::uint8_t raw)
{
    return formatDecimalComma(scaleTables().lambdaThreshold[raw], 2);
}

std::string shownTpsThreshold(std::uint8_t raw)
{
    return formatDecimalComma(scaleTables().tpsThreshold[raw], 2);
}

std::string shownTpsInertia(std::uint8_t raw)
{
    return formatDecimalComma(scaleTables().tpsInertia[raw], 2);
}

std::string shownExtraOpeningThreshold(std::uint8_t raw)
{
    return formatDecimalComma(scaleTables().extraOpeningThreshold[raw], 2);
}

std::string shownEmulation(std::uint8_t raw)
{
    return formatDecimalComma(scaleTables().emulation[raw], 3);
}

int shownTemperature(std::uint8_t raw)
{
    // Stored temperatures start at 109 (0 degrees). Below that lies no scale
    // entry; such bytes come only from an unread or foreign block, and show
    // the bottom of the scale, 0.
    if (raw < 109)
        return 0;
    return std::min<int>(scaleTables().temperature[raw - 109], 92);
}

namespace {

// A zero word (a blank block, a file that never held the set) stands for no
// speed a field can hold: it shows 0, below every RPM field's range, rather
// than a number of ten digits that the field would cut.
int fieldRpm(std::uint16_t period, int step, float ignitionConstant)
{
    return period == 0 ? 0 : periodToRpm(period, step, ignitionConstant);
}

}  // namespace

int shownSwitchOverRpm(std::uint16_t period, float ignitionConstant)
{
    return fieldRpm(period, 50, ignitionConstant);
}

int shownMaxRpmOnGas(std::uint16_t period, float ignitionConstant)
{
    return fieldRpm(period, 500, ignitionConstant);
}

int shownCutOffRpm(std::uint16_t period, float ignitionConstant)
{
    const int rpm = fieldRpm(period, 50, ignitionConstant);
    return rpm - rpm % 100;
}

std::string fuelOverlapItemText(int item)
{
    // Whole hundredths, so no binary rounding can creep into the item texts.
    const int hundredths = item * 5;
    return std::to_string(hundredths / 100) + "," + (hundredths % 100 < 10 ? "0" : "") +
           std::to_string(hundredths % 100);
}

}  // namespace dravinor::params
