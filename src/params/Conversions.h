#pragma once

#include <cstdint>
#include <optional>

namespace dravinor::params {

// Ignition constant K at start-up, before any parameter 13 is known.
inline constexpr float initialIgnitionConstant = 19200.0f;

// trunc(x + 0.5) in single precision, as the controller's encoders round.
int roundHalfUp(float x);

// Engine speed to the controller's period: floor(800 * K / rpm); rpm 0 counts
// as 1. The full value is returned; the controller stores its low 16 bits
// (see periodWord).
int rpmToPeriod(int rpm, float ignitionConstant);

// The 16-bit word the controller keeps for a period.
constexpr std::uint16_t periodWord(int period)
{
    return static_cast<std::uint16_t>(static_cast<unsigned>(period) & 0xFFFFu);
}

// What a period of 0 stands for. The controller's formula divides by a tiny
// number instead of 0: a speed far beyond any engine and beyond 32 bits. It
// is held here, far above the 15 360 000 RPM of a period of 1, and a multiple
// of every step, so no RPM window of the wizard ever takes it for a speed.
inline constexpr int rpmBeyondAnyEngine = 2'147'483'000;

// Period to engine speed: trunc(K / period * 800) in single precision, rounded
// down to a multiple of step (50 or 500); rpmBeyondAnyEngine for a period of 0.
int periodToRpm(int period, int step, float ignitionConstant);

// K for an ignition-type item: one coil per cylinder, one per two cylinders,
// 4, 5, 6, 8 cylinders. Nothing for an item outside 0..5.
std::optional<float> ignitionConstantForItem(int item);

}  // namespace dravinor::params
