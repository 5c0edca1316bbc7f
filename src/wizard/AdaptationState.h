#pragma once

#include <cstdint>

namespace dravinor::wizard {

// The wizard's working variables, alive for the whole run; each is set by
// initialiseWizard or by the step that starts using it.
struct AdaptationState {
    // Step 1's ready flags.
    bool temperatureReady = false;  // no sensor fitted, or the engine passed 30 degrees
    bool ignitionChosen = false;
    bool petrolConfirmed = false;
    bool probeChosen = false;
    bool probeRising = false;  // probe types 0, 2, 4
    int ignitionIndex = -1;    // step 1's ignition list
    int probeIndex = -1;       // step 1's probe list
    int probeClampLow = 0;     // probe clamp range of the chosen probe type, lambda-byte units
    int probeClampHigh = 255;

    // Copies of the last live frame's status byte and RPM period.
    std::uint8_t statusCopy = 0;
    float lastPeriod = 0;

    // blinkLabel's state, shared by every measuring phase.
    bool blinkPhase = false;
    std::int8_t blinkCounter = 0;

    std::uint32_t sampleCount = 0;

    // TPS at idle and above 3000 RPM.
    std::int32_t tpsIdleMinimum = 255;
    float tpsIdleSum = 0;  // becomes the idle average
    float tpsHighSum = 0;  // becomes the high average

    // Lambda swing, in lambda-byte units.
    float lambdaMinimum = 255;
    float lambdaMaximum = 0;
    float lambdaThreshold = 0;

    // Emulation times, in seconds.
    float highRun = 0;
    float lowRun = 0;
    float highRunSum = 0;
    float lowRunSum = 0;
    std::int32_t highRunCount = 0;
    std::int32_t lowRunCount = 0;
    bool expectHigh = true;
    bool expectLow = true;
    bool emulationFinished = false;

    // Reducer and actuator ranges.
    std::int32_t richTickCount = 0;
    std::uint32_t aboveTpsPositionSum = 0;
    std::uint32_t idlePositionSum = 0;
};

}  // namespace dravinor::wizard
