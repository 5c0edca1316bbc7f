#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace dravinor::params {

// The controller's parameters by name. A word (two bytes, high byte first)
// is named by its high byte's address; its low byte is the next one.
namespace address {
inline constexpr int lambdaThreshold = 1;
inline constexpr int tpsThreshold = 2;
inline constexpr int switchOverTemperature = 3;
inline constexpr int startPositionAboveTps = 4;
inline constexpr int rangeMaximumAboveTps = 5;
inline constexpr int rangeMinimumAboveTps = 6;
inline constexpr int startPositionBelowTps = 7;
inline constexpr int rangeMaximumBelowTps = 8;
inline constexpr int rangeMinimumBelowTps = 9;
inline constexpr int actuatorSpeedAboveTps = 10;
inline constexpr int actuatorSpeedBelowTps = 11;
inline constexpr int tpsInertia = 12;
inline constexpr int ignitionType = 13;
inline constexpr int switchOverRpm = 14;         // word 14-15
inline constexpr int switchOverHysteresis = 16;  // word 16-17
inline constexpr int maxRpmOnGas = 18;           // word 18-19
inline constexpr int rpmSignalLevel = 20;
inline constexpr int fuelOverlap = 21;
inline constexpr int cutOffRpm = 22;  // word 22-23
inline constexpr int cutOffSteps = 24;
inline constexpr int extraOpeningThreshold = 25;
inline constexpr int heatingTime = 26;
inline constexpr int emulationOutputCode = 27;
inline constexpr int emulationSecondTime = 28;
inline constexpr int emulationFirstTime = 29;
inline constexpr int flagByteB = 30;
inline constexpr int extraOpening = 31;
inline constexpr int flagByteA = 32;
inline constexpr int rpmDelta = 33;
inline constexpr int probeType = 34;
inline constexpr int emulationType = 35;
}  // namespace address

// Where a single write of a parameter goes. The controller's RAM copies are
// refreshed as words of two parameters, the last one for 32-33: 33, 34 and
// 35 have no RAM copy a write of their own could refresh.
enum class Memory { EepromAndRam, EepromOnly };

struct ParameterRow {
    int address;
    int width;  // bytes: 1, or 2 for a word
    Memory memory;
    // The stored byte or word of the default set. The flag bytes' entries
    // hold only the bits the default set decides on its own (see
    // ParameterState::loadDefaults for the others).
    std::uint16_t defaultValue;
    std::string_view meaning;  // as the decoded listing and the comparison name it
    std::string_view field;    // the control that edits it alone; empty when none does
};

// Every parameter in address order; together the rows cover 1..35 once.
std::span<const ParameterRow> parameterTable();

// The row an address belongs to (a word's low byte gives its word), or
// nullptr outside 1..35.
const ParameterRow* parameterAt(int address);

// Where a single write of the parameter at an address goes (a word's low
// byte goes where its word does); EEPROM and RAM outside 1..35.
Memory memoryOf(int address);

}  // namespace dravinor::params
