#include "VirtualFitter.h"

#include <algorithm>

namespace dravinor::sim {

namespace {

constexpr int kFuelModeAddress = 125;
constexpr int kIgnitionTypeParameter = 13;
constexpr int kTpsThresholdParameter = 2;
constexpr int kUpperEmulationParameter = 28;  // the last result of the probe page
constexpr int kStartAboveParameter = 4;       // the last result above the TPS threshold
constexpr int kStartBelowParameter = 7;       // last preset, and last result at idle

}  // namespace

const char* stageName(VirtualFitter::Stage stage)
{
    switch (stage) {
    case VirtualFitter::Stage::Preparing: return "przygotowanie, wolne obroty";
    case VirtualFitter::Stage::TpsIdle: return "TPS na wolnych obrotach";
    case VirtualFitter::Stage::TpsHigh: return "TPS powyżej 3000 rpm";
    case VirtualFitter::Stage::Lambda: return "kalibracja sondy";
    case VirtualFitter::Stage::WantGas: return "przejście na gaz";
    case VirtualFitter::Stage::Reducer: return "regulacja reduktora";
    case VirtualFitter::Stage::AboveTps: return "attuator powyżej 2000 rpm";
    case VirtualFitter::Stage::IdleRange: return "attuator na wolnych obrotach";
    case VirtualFitter::Stage::Done: return "koniec";
    }
    return "?";
}

void VirtualFitter::enter(Stage stage, EngineModel& engine)
{
    stage_ = stage;
    polls_ = 0;
    leanSeen_ = false;
    switch (stage) {
    case Stage::TpsHigh: engine.setThrottle(kRevThrottle); break;
    case Stage::AboveTps: engine.setThrottle(kHoldThrottle); break;
    case Stage::WantGas: break;  // the next look at the car decides
    default: engine.setThrottle(0); break;
    }
}

void VirtualFitter::seekGas(EngineModel& engine, const WorkingParameters& parameters)
{
    if (engine.fuel().onGas()) {
        enter(Stage::Reducer, engine);
        return;
    }
    // Only automatic mode switches over by speed; in manual mode he waits
    // at idle for the tool to ask for automatic.
    if (!engine.fuel().automatic()) {
        engine.setThrottle(0);
        return;
    }
    const double switchRpm =
        parameters.switchPeriod != 0 ? 800.0 * parameters.ignitionConstant / parameters.switchPeriod : 0.0;
    const double rpm = switchRpm + kSwitchOverMarginRpm;
    const double throttle = (rpm - EngineModel::kIdleRpm) / (EngineModel::kFullThrottleRpm - EngineModel::kIdleRpm);
    engine.setThrottle(std::max(kHoldThrottle, throttle));
}

void VirtualFitter::advance(double nowSeconds, EngineModel& engine, const WorkingParameters& parameters)
{
    const double previous = timeKnown_ ? lastSeconds_ : nowSeconds;
    lastSeconds_ = nowSeconds;
    timeKnown_ = true;

    if (!engine.running()) {
        engine.setRunning(true);
        enter(stage_, engine);
    }
    if (stage_ == Stage::WantGas)
        seekGas(engine, parameters);
    // He turns from the last look until he has seen no lean for a while.
    if (stage_ == Stage::Reducer && leanSeen_ && engine.fuel().onGas() && engine.rpm() <= kIdleRpmLimit) {
        const double turning = std::min(nowSeconds, lastLeanAt_ + kLeanMemorySeconds) - previous;
        if (turning > 0)
            engine.setReducerScrew(engine.reducerScrew() + kScrewTurnPerSecond * turning);
    }
}

void VirtualFitter::frameHandled(const Frame& frame, double nowSeconds, EngineModel& engine,
                                 const WorkingParameters& parameters)
{
    const std::uint8_t letter = frame[0];
    const int address = frame[1];
    // A single write of the ignition type is followed by its own RAM
    // refresh; a bulk write sends all EEPROM bytes before any RAM. Only the
    // wizard's first step ends that way, and the idle phase starts behind it.
    const bool ignitionConfirmed = letter == 'R' && address == kIgnitionTypeParameter + kRamParameterOffset &&
                                   previous_[0] == 's' && previous_[1] == kIgnitionTypeParameter;
    // A bulk write of the whole set: the wizard starts again from its reset.
    const bool bulkWrite = letter == 's' && address == 2 && previous_[0] == 's' && previous_[1] == 1;
    previous_ = frame;
    if (bulkWrite) {
        enter(Stage::Preparing, engine);
        return;
    }
    if (ignitionConfirmed) {
        retries_ = 0;
        enter(Stage::TpsIdle, engine);
        return;
    }
    if (letter == 'V')
        onLivePoll(nowSeconds, engine, parameters);
    else if (letter == 's' || letter == 'R' || letter == 'r')
        onWrite(letter, address, frame[2], engine);
}

void VirtualFitter::onLivePoll(double nowSeconds, EngineModel& engine, const WorkingParameters& parameters)
{
    switch (stage_) {
    case Stage::TpsIdle:
        if (engine.running() && engine.rpm() <= kIdleRpmLimit && ++polls_ >= kIdlePollsNeeded)
            enter(Stage::TpsHigh, engine);
        break;
    case Stage::TpsHigh:
        // Revved long enough and nothing came: the idle phase cannot have been
        // over. Another round of idle; after a few, this was no wizard (an
        // ignition type changed on the parameter page) and he stops.
        if (engine.rpm() >= kRevRpm && ++polls_ >= kRevPatiencePolls)
            enter(++retries_ <= kMaxRetries ? Stage::TpsIdle : Stage::Preparing, engine);
        break;
    case Stage::Lambda:
        // Put on gas some other way (the tool's own switch): straight to the screw.
        if (engine.fuel().onGas())
            enter(Stage::Reducer, engine);
        break;
    case Stage::WantGas: seekGas(engine, parameters); break;
    case Stage::Reducer: {
        // He reads the probe against the threshold the tool calibrated.
        const double lambdaVolts = engine.reading().lambda * 5.0 / 255.0;
        const bool rich = parameters.probeRising ? lambdaVolts >= parameters.lambdaThresholdVolts
                                                 : lambdaVolts <= parameters.lambdaThresholdVolts;
        if (!rich) {
            lastLeanAt_ = nowSeconds;
            leanSeen_ = true;
        }
        break;
    }
    default: break;
    }
}

void VirtualFitter::onWrite(std::uint8_t letter, int address, std::uint8_t value, EngineModel& engine)
{
    if (letter == 'r') {
        // The tool asks for automatic mode, or toggles to gas, once the
        // probe page is over.
        if (stage_ == Stage::Lambda && address == kFuelModeAddress && (value == 254 || value == 255))
            enter(Stage::WantGas, engine);
        return;
    }
    if (stage_ == Stage::TpsIdle) {
        polls_ = 0;  // the wizard's first step is still writing
        return;
    }
    if (letter != 's')
        return;
    if (stage_ == Stage::TpsHigh && address == kTpsThresholdParameter)
        enter(Stage::Lambda, engine);
    else if (stage_ == Stage::Lambda && address == kUpperEmulationParameter)
        enter(Stage::WantGas, engine);
    else if (stage_ == Stage::Reducer && address == kStartBelowParameter)
        enter(Stage::AboveTps, engine);
    else if (stage_ == Stage::AboveTps && address == kStartAboveParameter)
        enter(Stage::IdleRange, engine);
    else if (stage_ == Stage::IdleRange && address == kStartBelowParameter)
        enter(Stage::Done, engine);
}

}  // namespace dravinor::sim
