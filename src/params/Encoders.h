#pragma once

#include <cstdint>

namespace dravinor::params {

// Field value -> stored byte(s). Every encoder clamps to its limits, so any
// input gives a storable value; range warnings are the caller's business.

// Step encodings: roundHalfUp(clamp(v, lo, hi) / step), all in single precision.
std::uint8_t encodeLambdaThreshold(float volts);        // 1: 0.1..4.9 V, step 0.02
std::uint8_t encodeTpsThreshold(float volts);           // 2: 0..12.75 V, step 0.05
std::uint8_t encodeTpsInertia(float volts);             // 12: 0..0.5 V, step 0.05
std::uint8_t encodeExtraOpeningThreshold(float volts);  // 25: 0..12.75 V, step 0.05
std::uint8_t encodeEmulation(float seconds);            // 28, 29: 0..4.08 s, step 0.016

// 3: 109 + roundHalfUp(clamp(degrees, 0, 92) / 2.14); 109..152.
std::uint8_t encodeTemperature(int degrees);

// 26: clamp(seconds, 0, 510) div 2.
std::uint8_t encodeHeatingTime(int seconds);

// 33: clamp(rpm, 100, 1000) div 100, the delta in hundreds of RPM.
std::uint8_t encodeRpmDelta(int rpm);

// 21: the fuel-overlap list item stored as 3 x item; shown back as raw div 3.
std::uint8_t encodeFuelOverlap(int item);
constexpr int fuelOverlapItem(std::uint8_t raw)
{
    return raw / 3;
}

// Plain byte fields: the value clamped to the field's limits.
std::uint8_t encodePlainByte(int value, int low, int high);

// RPM fields: the speed after rounding down to the field's step (what the
// field shows again) and the period word stored for it with K.
struct RpmEncoding {
    int rpm = 0;
    std::uint16_t period = 0;
};
RpmEncoding encodeSwitchOverRpm(int rpm, float ignitionConstant);  // 14-15: 1000..4000, hundreds
RpmEncoding encodeMaxRpmOnGas(int rpm, float ignitionConstant);    // 18-19: 2000..9000, five hundreds
RpmEncoding encodeCutOffRpm(int rpm, float ignitionConstant);      // 22-23: 1000..6000, hundreds

// 16-17: rpmToPeriod(switch - delta) - rpmToPeriod(switch), low 16 bits.
std::uint16_t encodeSwitchOverHysteresis(int switchRpm, int deltaRpm, float ignitionConstant);

// 27: the emulation output code for a probe type (0..5) and an emulation
// type (0 square wave, 1 ground, 2 relay).
std::uint8_t emulationOutputCode(int probeType, int emulationType);

// Probe types 0, 2, 4 rise with a rich mixture (flag byte A bit 1 set).
constexpr bool probeTypeRising(int probeType)
{
    return probeType % 2 == 0;
}

}  // namespace dravinor::params
