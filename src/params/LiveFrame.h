#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace dravinor::params {

// The controller's answer to a live-data request, ten bytes, unchecked.
struct LiveFrame {
    std::uint8_t lambda = 0;
    std::uint8_t tps = 0;
    std::uint8_t temperature = 0;
    std::uint8_t stepperPosition = 0;
    std::uint8_t status = 0;
    std::uint16_t rpmPeriod = 0;  // byte 6 x 256 + byte 7
};

namespace status {
inline constexpr std::uint8_t automatic = 1u << 0;
inline constexpr std::uint8_t onGas = 1u << 1;
inline constexpr std::uint8_t noEngineSpeed = 1u << 6;
}  // namespace status

inline constexpr std::size_t liveFrameBytes = 10;

LiveFrame decodeLiveFrame(std::span<const std::uint8_t, liveFrameBytes> bytes);

// Probe voltage, 0..255 for 0..5 V.
float lambdaVolts(std::uint8_t lambdaByte);

// TPS voltage at the sensor: the input's 0..5 V scaled by the divider,
// 255 gives 12.333 V.
float tpsVolts(std::uint8_t tpsByte);

// 0 while the controller reports no engine speed; otherwise the period
// decoded with step 50 (a zero period gives rpmBeyondAnyEngine).
int engineRpm(const LiveFrame& frame, float ignitionConstant);

// An engine speed as the panels show it: the number, or "∞" for the speed
// of a zero period, which no panel could show whole.
std::string engineRpmText(int rpm);

// Sensor reading in degrees from its fitted polynomial: -240.13 at byte 0,
// 519.08 at byte 255.
float temperatureC(std::uint8_t temperatureByte);

enum class FuelState { Petrol, Automatic, Gas };

// Gas wins over automatic; neither bit means manual petrol.
FuelState fuelState(std::uint8_t statusByte);

}  // namespace dravinor::params
