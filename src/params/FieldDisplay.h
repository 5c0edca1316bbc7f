#pragma once

#include <cstdint>
#include <string>

namespace dravinor::params {

// Stored byte(s) -> what the parameter fields show. Decimals come from the
// scale tables and are written with a decimal comma.

std::string shownLambdaThreshold(std::uint8_t raw);        // 1, "0,38"
std::string shownTpsThreshold(std::uint8_t raw);           // 2, "1,40"
std::string shownTpsInertia(std::uint8_t raw);             // 12, "0,15"
std::string shownExtraOpeningThreshold(std::uint8_t raw);  // 25, "1,45"
std::string shownEmulation(std::uint8_t raw);              // 28, 29, "0,496"

// 3: degrees from the temperature table, at most 92.
int shownTemperature(std::uint8_t raw);

constexpr int shownHeatingTime(std::uint8_t raw)
{
    return raw * 2;
}  // 26, seconds
constexpr int shownRpmDelta(std::uint8_t raw)
{
    return raw * 100;
}  // 33

int shownSwitchOverRpm(std::uint16_t period, float ignitionConstant);  // 14-15, step 50
int shownMaxRpmOnGas(std::uint16_t period, float ignitionConstant);    // 18-19, step 500
int shownCutOffRpm(std::uint16_t period, float ignitionConstant);      // 22-23, whole hundreds

// Text of a fuel-overlap item: item 3 -> "0,15".
std::string fuelOverlapItemText(int item);

// TPS threshold or inertia in the TPS meter's sector units: trunc(raw x 4.096).
constexpr int tpsSectorUnits(std::uint8_t raw)
{
    return static_cast<int>(raw * 4.096);
}

}  // namespace dravinor::params
