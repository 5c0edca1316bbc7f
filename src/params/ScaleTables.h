#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace dravinor::params {

inline constexpr std::size_t scaleTableSize = 256;

using FloatScale = std::array<float, scaleTableSize>;
// Whole degrees; entries beyond 255 are kept unwrapped so that the display's
// clamp at 92 holds for every stored temperature byte.
using TemperatureScale = std::array<std::uint16_t, scaleTableSize>;

// Steps of the tables. Entry 1 of each table equals its step.
inline constexpr float lambdaThresholdStep = 0.02f;
inline constexpr float emulationStep = 0.016f;
inline constexpr float tpsThresholdStep = 0.05f;
inline constexpr float temperatureStep = 2.14f;
inline constexpr float tpsInertiaStep = 0.05f;
inline constexpr float extraOpeningThresholdStep = 0.05f;

// Entry i = entry i-1 + step, summed in single precision. The summing error
// is part of the controller's scale: the temperature table truncates 106.99..
// to 106 at entry 50 and 213.99.. to 213 at entry 100.
struct ScaleTables {
    FloatScale lambdaThreshold{};
    FloatScale emulation{};
    FloatScale tpsThreshold{};
    TemperatureScale temperature{};
    FloatScale tpsInertia{};
    FloatScale extraOpeningThreshold{};
};

ScaleTables buildScaleTables();

// The tables, built on first use.
const ScaleTables& scaleTables();

}  // namespace dravinor::params
