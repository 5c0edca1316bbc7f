#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace dravinor::sim {

// The controller's EEPROM as a parameter file holds it: 64 bytes indexed by
// parameter address (1..35 are parameters, the rest is carried along).
using EepromImage = std::array<std::uint8_t, 64>;

// The set a controller leaves the factory with.
EepromImage factoryEeprom();

// Reads a parameter file over the factory set: a short file leaves the rest
// of the image at its factory values, bytes past 64 are ignored.
bool loadParameterFile(const std::string& path, EepromImage& image, std::string* error);

}  // namespace dravinor::sim
