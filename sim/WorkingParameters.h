#pragma once

#include <cstdint>

namespace dravinor::sim {

// The parameters the controller runs on, decoded from its RAM working copies
// (parameter p lives at RAM p + 36). EEPROM alone changes nothing until the
// tool refreshes the working copy.
struct WorkingParameters {
    double lambdaThresholdVolts = 0.38;  // 1
    double tpsThresholdVolts = 1.40;     // 2, on the tool's TPS scale
    double switchTemperatureC = 0;       // 3
    std::uint8_t startAbove = 100;       // 4: actuator, above the TPS threshold
    std::uint8_t maxAbove = 115;         // 5
    std::uint8_t minAbove = 85;          // 6
    std::uint8_t startBelow = 85;        // 7: actuator, below the TPS threshold
    std::uint8_t maxBelow = 100;         // 8
    std::uint8_t minBelow = 70;          // 9
    std::uint8_t speedAbove = 12;        // 10
    std::uint8_t speedBelow = 75;        // 11
    double ignitionConstant = 4800;      // 13, as K
    std::uint16_t switchPeriod = 1745;   // 14-15: petrol-to-gas speed as a period
    bool tpsRising = true;               // 32 bit 0
    bool probeRising = true;             // 32 bit 1
    bool temperatureSensorUsed = true;   // 32 bit 3
    // 34: the tool writes the probe type to EEPROM only, so it is taken from
    // there (see ControllerCore), not from a working copy.
    std::uint8_t probeType = 0;

    // ram is the controller's 128-byte RAM image.
    static WorkingParameters fromRam(const std::uint8_t* ram);
};

constexpr int kRamParameterOffset = 36;

// 800 x K / rpm, the controller's engine-speed period, saturating at 16 bits.
std::uint16_t rpmToPeriod(double rpm, double ignitionConstant);
// K for the ignition-type item of parameter 13 (out-of-range items count as 0).
double ignitionConstantFor(std::uint8_t item);

}  // namespace dravinor::sim
