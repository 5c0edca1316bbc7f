#include "params/ParameterTable.h"

#include "params/ParameterBlock.h"

#include <array>

namespace dravinor::params {

namespace {

using enum Memory;
namespace a = address;

// The defaults are the stored forms of the factory settings (the shown value
// in the comment behind each row); the RPM words are periods with K = 4800,
// the default ignition type's.
constexpr ParameterRow rows[] = {
    {a::lambdaThreshold, 1, EepromAndRam, 19, "Lambda probe threshold", "PRLambda"},              // 0,38 V
    {a::tpsThreshold, 1, EepromAndRam, 28, "TPS threshold", "PCTps"},                             // 1,40 V
    {a::switchOverTemperature, 1, EepromAndRam, 109, "Switch-over temperature", "TPWStopniach"},  // 0 degrees
    {a::startPositionAboveTps, 1, EepromAndRam, 100, "Actuator start position above TPS", "PSAttuatoraPow"},
    {a::rangeMaximumAboveTps, 1, EepromAndRam, 115, "Actuator working range above TPS, maximum", "ZPAttuatoraPow_2"},
    {a::rangeMinimumAboveTps, 1, EepromAndRam, 85, "Actuator working range above TPS, minimum", "ZPAttuatoraPow_1"},
    {a::startPositionBelowTps, 1, EepromAndRam, 85, "Actuator start position below TPS", "PSAttuatoraPon"},
    {a::rangeMaximumBelowTps, 1, EepromAndRam, 100, "Actuator working range below TPS, maximum", "ZPAttuatoraPon_2"},
    {a::rangeMinimumBelowTps, 1, EepromAndRam, 70, "Actuator working range below TPS, minimum", "ZPAttuatoraPon_1"},
    {a::actuatorSpeedAboveTps, 1, EepromAndRam, 12, "Actuator speed above TPS", "PAttuatoraPow"},
    {a::actuatorSpeedBelowTps, 1, EepromAndRam, 75, "Actuator speed below TPS", "PAttuatoraPon"},
    {a::tpsInertia, 1, EepromAndRam, 3, "TPS inertia", "BTps"},                                   // 0,15 V
    {a::ignitionType, 1, EepromAndRam, 2, "Ignition system type", "RUZaplonowego"},               // "4 cylindry"
    {a::switchOverRpm, 2, EepromAndRam, 1745, "Petrol-to-gas switch-over RPM", "ODPBenzynaGas"},  // 2200 RPM
    // From the switch-over speed and the delta: period(2100) - period(2200).
    {a::switchOverHysteresis, 2, EepromAndRam, 83, "Switch-over hysteresis (period units)", ""},
    {a::maxRpmOnGas, 2, EepromAndRam, 640, "Maximum RPM on gas", "MONGaz"},  // 6000 RPM
    {a::rpmSignalLevel, 1, EepromAndRam, 2, "RPM signal level", "RPMSignal"},
    {a::fuelOverlap, 1, EepromAndRam, 9, "Fuel overlap time", "CNPaliw"},          // item 3, "0,15"
    {a::cutOffRpm, 2, EepromAndRam, 2133, "Engine RPM for cut-off", "OSDCutOff"},  // 1800 RPM
    {a::cutOffSteps, 1, EepromAndRam, 70, "Number of steps for cut-off", "IKDCutOff"},
    {a::extraOpeningThreshold, 1, EepromAndRam, 29, "TPS threshold for the extra actuator opening",
     "AVoltage"},                                                                  // 1,45 V
    {a::heatingTime, 1, EepromAndRam, 3, "Lambda probe heating time", "CLambda"},  // 6 s
    // From the probe and emulation types: a square wave for a 0-1 V probe.
    {a::emulationOutputCode, 1, EepromAndRam, 1, "Emulation output code", ""},
    {a::emulationSecondTime, 1, EepromAndRam, 31, "Lambda emulation, upper time", "ESLambda_2"},  // 0,496 s
    {a::emulationFirstTime, 1, EepromAndRam, 31, "Lambda emulation, lower time", "ESLambda_1"},   // 0,496 s
    // Bits 0-2 cleared; bits 3-7 are the controller's and stay as they were.
    {a::flagByteB, 1, EepromAndRam, 0x00, "Flag byte B", ""},
    {a::extraOpening, 1, EepromAndRam, 3, "Extra actuator opening", "DOAttuatora"},
    // Rising TPS, rising probe, rising RPM signal; bit 3 (temperature
    // sensor) from the temperature-sensor memory; the others cleared.
    {a::flagByteA, 1, EepromAndRam, 0x07, "Flag byte A", ""},
    {a::rpmDelta, 1, EepromOnly, 1, "RPM delta", "DObrotow"},  // 100 RPM
    {a::probeType, 1, EepromOnly, 0, "Lambda probe type", "RSLambda"},
    {a::emulationType, 1, EepromOnly, 0, "Lambda emulation type", "RSYLambda"},
};

// The row of each address 1..35, built once from the rows.
constexpr std::array<const ParameterRow*, ParameterBlock::lastAddress + 1> rowsByAddress = [] {
    std::array<const ParameterRow*, ParameterBlock::lastAddress + 1> byAddress{};
    for (const ParameterRow& row : rows)
        for (int offset = 0; offset < row.width; ++offset)
            byAddress[row.address.index() + static_cast<std::size_t>(offset)] = &row;
    return byAddress;
}();

}  // namespace

std::span<const ParameterRow> parameterTable()
{
    return rows;
}

const ParameterRow* parameterAt(Address address)
{
    if (address.number() < ParameterBlock::firstAddress || address.number() > ParameterBlock::lastAddress)
        return nullptr;
    return rowsByAddress[address.index()];
}

Memory memoryOf(Address address)
{
    const ParameterRow* row = parameterAt(address);
    return row ? row->memory : Memory::EepromAndRam;
}

}  // namespace dravinor::params
