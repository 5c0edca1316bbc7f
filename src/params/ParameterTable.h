#pragma once

#include "params/Address.h"

#include <cstdint>
#include <span>
#include <string_view>

namespace dravinor::params {

// The controller's parameters by name. A word (two bytes, high byte first)
// is named by its high byte's address; its low byte is the next one.
namespace address {
inline constexpr Address lambdaThreshold{1};
inline constexpr Address tpsThreshold{2};
inline constexpr Address switchOverTemperature{3};
inline constexpr Address startPositionAboveTps{4};
inline constexpr Address rangeMaximumAboveTps{5};
inline constexpr Address rangeMinimumAboveTps{6};
inline constexpr Address startPositionBelowTps{7};
inline constexpr Address rangeMaximumBelowTps{8};
inline constexpr Address rangeMinimumBelowTps{9};
inline constexpr Address actuatorSpeedAboveTps{10};
inline constexpr Address actuatorSpeedBelowTps{11};
inline constexpr Address tpsInertia{12};
inline constexpr Address ignitionType{13};
inline constexpr Address switchOverRpm{14};         // word 14-15
inline constexpr Address switchOverHysteresis{16};  // word 16-17
inline constexpr Address maxRpmOnGas{18};           // word 18-19
inline constexpr Address rpmSignalLevel{20};
inline constexpr Address fuelOverlap{21};
inline constexpr Address cutOffRpm{22};  // word 22-23
inline constexpr Address cutOffSteps{24};
inline constexpr Address extraOpeningThreshold{25};
inline constexpr Address heatingTime{26};
inline constexpr Address emulationOutputCode{27};
inline constexpr Address emulationSecondTime{28};
inline constexpr Address emulationFirstTime{29};
inline constexpr Address flagByteB{30};
inline constexpr Address extraOpening{31};
inline constexpr Address flagByteA{32};
inline constexpr Address rpmDelta{33};
inline constexpr Address probeType{34};
inline constexpr Address emulationType{35};
}  // namespace address

// Where a single write of a parameter goes. The controller's RAM copies are
// refreshed as words of two parameters, the last one for 32-33: 33, 34 and
// 35 have no RAM copy a write of their own could refresh.
enum class Memory { EepromAndRam, EepromOnly };

struct ParameterRow {
    Address address;  // a word's high byte
    int width;        // bytes: 1, or 2 for a word
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
const ParameterRow* parameterAt(Address address);

// Where a single write of the parameter at an address goes (a word's low
// byte goes where its word does); EEPROM and RAM outside 1..35.
Memory memoryOf(Address address);

}  // namespace dravinor::params
