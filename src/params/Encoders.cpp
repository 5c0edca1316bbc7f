#include "params/Encoders.h"

#include "params/Conversions.h"
#include "params/ScaleTables.h"

#include <algorithm>

namespace dravinor::params {

namespace {

// Divides by entry 1 of the table, the step as a single-precision float.
std::uint8_t encodeStep(float value, float low, float high, const FloatScale& table)
{
    return static_cast<std::uint8_t>(roundHalfUp(std::clamp(value, low, high) / table[1]));
}

// The top of a table is its last entry as summed (12.75003 for 0.05 steps,
// 4.080004 for 0.016), so the clamp maps onto byte 255 and never beyond.
float top(const FloatScale& table)
{
    return table[scaleTableSize - 1];
}

RpmEncoding encodeRpm(int rpm, int low, int high, int unit, float ignitionConstant)
{
    RpmEncoding result;
    result.rpm = unit * (std::clamp(rpm, low, high) / unit);
    result.period = periodWord(rpmToPeriod(result.rpm, ignitionConstant));
    return result;
}

}  // namespace

std::uint8_t encodeLambdaThreshold(float volts)
{
    return encodeStep(volts, 0.1f, 4.9f, scaleTables().lambdaThreshold);
}

std::uint8_t encodeTpsThreshold(float volts)
{
    const auto& table = scaleTables().tpsThreshold;
    return encodeStep(volts, 0.0f, top(table), table);
}

std::uint8_t encodeTpsInertia(float volts)
{
    return encodeStep(volts, 0.0f, 0.5f, scaleTables().tpsInertia);
}

std::uint8_t encodeExtraOpeningThreshold(float volts)
{
    const auto& table = scaleTables().extraOpeningThreshold;
    return encodeStep(volts, 0.0f, top(table), table);
}

std::uint8_t encodeEmulation(float seconds)
{
    const auto& table = scaleTables().emulation;
    return encodeStep(seconds, 0.0f, top(table), table);
}

std::uint8_t encodeTemperature(int degrees)
{
    // The byte table's entry 1 is truncated to 2, so this one divides by the
    // exact step instead.
    const float clamped = static_cast<float>(std::clamp(degrees, 0, 92));
    return static_cast<std::uint8_t>(109 + roundHalfUp(clamped / temperatureStep));
}

std::uint8_t encodeHeatingTime(int seconds)
{
    return static_cast<std::uint8_t>(std::clamp(seconds, 0, 510) / 2);
}

std::uint8_t encodeRpmDelta(int rpm)
{
    return static_cast<std::uint8_t>(std::clamp(rpm, 100, 1000) / 100);
}

std::uint8_t encodeFuelOverlap(int item)
{
    return static_cast<std::uint8_t>(3 * std::clamp(item, 0, 41));
}

std::uint8_t encodePlainByte(int value, int low, int high)
{
    return static_cast<std::uint8_t>(std::clamp(std::clamp(value, low, high), 0, 255));
}

RpmEncoding encodeSwitchOverRpm(int rpm, float ignitionConstant)
{
    return encodeRpm(rpm, 1000, 4000, 100, ignitionConstant);
}

RpmEncoding encodeMaxRpmOnGas(int rpm, float ignitionConstant)
{
    return encodeRpm(rpm, 2000, 9000, 500, ignitionConstant);
}

RpmEncoding encodeCutOffRpm(int rpm, float ignitionConstant)
{
    return encodeRpm(rpm, 1000, 6000, 100, ignitionConstant);
}

std::uint16_t encodeSwitchOverHysteresis(int switchRpm, int deltaRpm, float ignitionConstant)
{
    return periodWord(rpmToPeriod(switchRpm - deltaRpm, ignitionConstant) - rpmToPeriod(switchRpm, ignitionConstant));
}

std::uint8_t emulationOutputCode(int probeType, int emulationType)
{
    switch (emulationType) {
    case 0:  // square wave: its level follows the probe's voltage range
        if (probeType == 0 || probeType == 1)
            return 1;
        if (probeType == 4 || probeType == 5)
            return 2;
        return 0;  // never offered for 0,8-1,6 V probes; they use ground
    case 2: return 5;
    default: return 0;
    }
}

}  // namespace dravinor::params
