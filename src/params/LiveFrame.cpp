#include "params/LiveFrame.h"

#include "params/Conversions.h"

namespace dravinor::params {

LiveFrame decodeLiveFrame(std::span<const std::uint8_t, liveFrameBytes> bytes)
{
    LiveFrame frame;
    frame.lambda = bytes[0];
    frame.tps = bytes[1];
    frame.temperature = bytes[2];
    frame.stepperPosition = bytes[4];
    frame.status = bytes[5];
    frame.rpmPeriod = static_cast<std::uint16_t>(bytes[6] * 256 + bytes[7]);
    return frame;
}

float lambdaVolts(std::uint8_t lambdaByte)
{
    return static_cast<float>(lambdaByte * 0.0196078431372549);
}

float tpsVolts(std::uint8_t tpsByte)
{
    return static_cast<float>(tpsByte * 0.0196078431372549 * 18.5 * 0.1333333333333333);
}

int engineRpm(const LiveFrame& frame, float ignitionConstant)
{
    if (frame.status & status::noEngineSpeed)
        return 0;
    return periodToRpm(frame.rpmPeriod, 50, ignitionConstant);
}

std::string engineRpmText(int rpm)
{
    static const std::string infinity = "\xE2\x88\x9E";  // U+221E in UTF-8
    return rpm >= rpmBeyondAnyEngine ? infinity : std::to_string(rpm);
}

float temperatureC(std::uint8_t temperatureByte)
{
    const float v = static_cast<float>(temperatureByte * 5.0 * 0.00392156862745098);
    const double x = v;
    return static_cast<float>(7.4445 * x * x * x - 39.488 * x * x + 163.17 * x - 240.13);
}

FuelState fuelState(std::uint8_t statusByte)
{
    if (statusByte & status::onGas)
        return FuelState::Gas;
    if (statusByte & status::automatic)
        return FuelState::Automatic;
    return FuelState::Petrol;
}

}  // namespace dravinor::params
