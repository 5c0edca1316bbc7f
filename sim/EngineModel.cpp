#include "EngineModel.h"

#include "ProbeVoltages.h"

#include <algorithm>
#include <cmath>

namespace dravinor::sim {

namespace {

constexpr double kRpmLagSeconds = 0.4;
constexpr double kCrankingRpm = 250;
// A cold engine heats its small coolant circuit quickly until the
// thermostat opens (past 30 degrees within ten seconds), then the whole
// circuit heads for the working temperature over a few minutes.
constexpr double kColdWarmingPerSecond = 1.0;
constexpr double kThermostatOpensC = 40;
constexpr double kWarmingSeconds = 60;
constexpr double kCoolingPerSecond = 0.05;
constexpr double kTransportDelaySeconds = 0.3;
constexpr double kProbeLagSeconds = 0.05;
constexpr double kSlowProbeLagSeconds = 0.5;
constexpr double kProbeBias = 0.5;
constexpr double kPetrolSwingSeconds = 1.0;
// Actuator speed parameters are step delays: a larger value moves slower.
constexpr double kStepsPerSecondTimesSpeed = 400;

std::uint8_t voltsToByte(double volts)
{
    return static_cast<std::uint8_t>(std::clamp(std::round(volts * 255.0 / 5.0), 0.0, 255.0));
}

double approach(double value, double target, double dt, double lagSeconds)
{
    return target + (value - target) * std::exp(-dt / lagSeconds);
}

}  // namespace

EngineModel::EngineModel(double startSeconds) : now_(startSeconds), stepper_(parameters_.startBelow) {}

double EngineModel::stoichiometricPosition(double throttle, double screw)
{
    // A richer screw lets more gas through: stoichiometric with the stepper
    // further closed.
    // More air wants more gas: the open throttle settles the stepper higher.
    return 85.0 + 140.0 * throttle - 60.0 * screw;
}

void EngineModel::setReducerScrew(double minusOneToOne)
{
    screw_ = std::clamp(minusOneToOne, -1.0, 1.0);
}

double EngineModel::tpsInputVolts(double throttle, bool falling)
{
    return falling ? 4.5 - 4.0 * throttle : 0.5 + 4.0 * throttle;
}

double EngineModel::throttleForRpm(double rpm)
{
    return std::clamp((rpm - kIdleRpm) / (kFullThrottleRpm - kIdleRpm), 0.0, 1.0);
}

double EngineModel::temperatureOfByte(std::uint8_t byte)
{
    const double v = byte * 5.0 / 255.0;
    return 7.4445 * v * v * v - 39.488 * v * v + 163.17 * v - 240.13;
}

std::uint8_t EngineModel::temperatureByte(double celsius)
{
    // The sensor curve rises monotonically: find the first byte at or above
    // celsius, then take whichever neighbour is nearer.
    int low = 0;
    int high = 255;
    while (low < high) {
        const int mid = (low + high) / 2;
        if (temperatureOfByte(static_cast<std::uint8_t>(mid)) < celsius)
            low = mid + 1;
        else
            high = mid;
    }
    if (low > 0 && celsius - temperatureOfByte(static_cast<std::uint8_t>(low - 1)) <
                       temperatureOfByte(static_cast<std::uint8_t>(low)) - celsius)
        --low;
    return static_cast<std::uint8_t>(low);
}

void EngineModel::setRunning(bool running)
{
    if (running && !running_)
        rpm_ = kCrankingRpm;
    if (!running)
        rpm_ = 0;
    running_ = running;
}

void EngineModel::setThrottle(double zeroToOne)
{
    throttle_ = std::clamp(zeroToOne, 0.0, 1.0);
}

void EngineModel::advanceTo(double t, const WorkingParameters& parameters)
{
    parameters_ = parameters;
    while (now_ + kStepSeconds <= t) {
        step(parameters);
        now_ += kStepSeconds;
    }
}

bool EngineModel::mixtureRich() const
{
    if (!running_)
        return false;  // air only
    if (fuel_.onGas())
        return stepper_ > stoichiometricPosition(throttle_, screw_);
    return petrolPhase_ < kPetrolSwingSeconds / 2;
}

void EngineModel::step(const WorkingParameters& parameters)
{
    constexpr double dt = kStepSeconds;

    if (running_) {
        const double target = kIdleRpm + throttle_ * (kFullThrottleRpm - kIdleRpm);
        rpm_ = approach(rpm_, target, dt, kRpmLagSeconds);
        coolantC_ = coolantC_ < kThermostatOpensC ? std::min(kThermostatOpensC, coolantC_ + kColdWarmingPerSecond * dt)
                                                  : approach(coolantC_, kWarmC, dt, kWarmingSeconds);
    } else {
        coolantC_ = std::max(std::min(coolantC_, kAmbientC), coolantC_ - kCoolingPerSecond * dt);
    }

    const std::uint16_t period = running_ ? rpmToPeriod(rpm_, parameters.ignitionConstant) : 0xFFFF;
    const bool fastEnough = running_ && parameters.switchPeriod != 0 && period <= parameters.switchPeriod;
    const bool warm = !parameters.temperatureSensorUsed || coolantC_ >= parameters.switchTemperatureC;
    fuel_.update(running_, fastEnough, warm);

    stepStepper(parameters, aboveTpsThreshold(parameters));

    petrolPhase_ = std::fmod(petrolPhase_ + dt, kPetrolSwingSeconds);
    exhaust_.push_back(mixtureRich());
    const auto delaySteps = static_cast<std::size_t>(kTransportDelaySeconds / dt);
    while (exhaust_.size() > delaySteps)
        exhaust_.pop_front();
    stepProbe(parameters, dt);
}

void EngineModel::stepProbe(const WorkingParameters& parameters, double dt)
{
    const ProbeVoltages probe = probeVoltagesFor(parameters.probeType);
    bool rich = exhaust_.front();
    if (probeModel_ == ProbeModel::StuckLean || probeModel_ == ProbeModel::StuckRich)
        rich = probeModel_ == ProbeModel::StuckRich;
    double target = rich ? probe.rich : probe.lean;
    if (probeModel_ == ProbeModel::Biased)
        target += kProbeBias * (probe.rich - probe.lean);
    const double lag = probeModel_ == ProbeModel::Slow ? kSlowProbeLagSeconds : kProbeLagSeconds;
    probeVolts_ = approach(probeVolts_, target, dt, lag);
    if (probeModel_ == ProbeModel::Disconnected)
        probeVolts_ = 0;
}

bool EngineModel::aboveTpsThreshold(const WorkingParameters& parameters) const
{
    // The controller sees the sensor on the tool's scale and knows its
    // direction only from the TPS type it was given.
    const double toolVolts = voltsToByte(tpsInputVolts(throttle_, tpsFalling_)) * 5.0 / 255.0 * 18.5 * 2.0 / 15.0;
    return parameters.tpsRising ? toolVolts > parameters.tpsThresholdVolts : toolVolts < parameters.tpsThresholdVolts;
}

void EngineModel::stepStepper(const WorkingParameters& parameters, bool aboveTps)
{
    const std::uint8_t a = aboveTps ? parameters.minAbove : parameters.minBelow;
    const std::uint8_t b = aboveTps ? parameters.maxAbove : parameters.maxBelow;
    const double low = std::min(a, b);
    const double high = std::max(a, b);
    const std::uint8_t speed = aboveTps ? parameters.speedAbove : parameters.speedBelow;
    const double move = kStepsPerSecondTimesSpeed / std::max<std::uint8_t>(speed, 1) * kStepSeconds;

    const double start = aboveTps ? parameters.startAbove : parameters.startBelow;
    const bool crossed = aboveTps != wasAboveTps_;
    wasAboveTps_ = aboveTps;
    if (!fuel_.onGas()) {
        stepper_ = start > stepper_ ? std::min(start, stepper_ + move) : std::max(start, stepper_ - move);
        return;
    }
    // Crossing the TPS threshold on gas, the controller puts the actuator at
    // the new side's start position and regulates from there.
    if (crossed)
        stepper_ = start;
    const bool readsRich = parameters.probeRising ? probeVolts_ > parameters.lambdaThresholdVolts
                                                  : probeVolts_ < parameters.lambdaThresholdVolts;
    stepper_ += readsRich ? -move : move;
    stepper_ = std::clamp(stepper_, low, high);
}

LiveReading EngineModel::reading() const
{
    LiveReading r;
    r.lambda = voltsToByte(probeVolts_);
    r.tps = voltsToByte(tpsInputVolts(throttle_, tpsFalling_));
    r.temperature = temperatureByte(coolantC_);
    r.stepper = static_cast<std::uint8_t>(std::clamp(std::round(stepper_), 0.0, 255.0));
    r.status = static_cast<std::uint8_t>((fuel_.automatic() ? kStatusAutomatic : 0) |
                                         (fuel_.onGas() ? kStatusOnGas : 0) | (running_ ? 0 : kStatusNoSpeed));
    r.period = running_ ? rpmToPeriod(rpm_, parameters_.ignitionConstant) : 0xFFFF;
    return r;
}

}  // namespace dravinor::sim
