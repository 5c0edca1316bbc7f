#pragma once

#include "FuelSwitch.h"
#include "ProbeVoltages.h"
#include "WorkingParameters.h"

#include <cstdint>
#include <deque>

namespace dravinor::sim {

// What the controller reports in its live frame, as bytes.
struct LiveReading {
    std::uint8_t lambda = 0;       // 0..255 = 0..5 V
    std::uint8_t tps = 0;          // 0..255 = 0..5 V at the input
    std::uint8_t temperature = 0;  // sensor voltage, 0..255 = 0..5 V
    std::uint8_t stepper = 0;
    std::uint8_t status = 0;
    std::uint16_t period = 0xFFFF;
};

// Status byte bits.
constexpr std::uint8_t kStatusAutomatic = 0x01;
constexpr std::uint8_t kStatusOnGas = 0x02;
constexpr std::uint8_t kStatusNoSpeed = 0x40;

// The car and the controller's regulation, advanced in fixed steps up to a
// given time so tests drive it without waiting.
//
// Engine: speed follows the throttle with a lag; coolant warms while running.
// Mixture on gas: rich while the stepper is opened past the position where
// the mixture is stoichiometric. The probe sees the exhaust a transport delay
// later; the controller steps towards lean while it reads rich and back while
// it reads lean. That loop swings by itself with a period of about four
// transport delays, as a real one does. On petrol the petrol ECU's own loop
// makes the probe swing, and the stepper waits at its start position. The
// probe's voltages follow the probe type the controller was given; crossing
// the TPS threshold on gas puts the stepper at that side's start position.
class EngineModel {
public:
    static constexpr double kStepSeconds = 0.005;
    static constexpr double kIdleRpm = 850;
    static constexpr double kFullThrottleRpm = 5000;
    static constexpr double kAmbientC = 20;
    static constexpr double kWarmC = 90;

    explicit EngineModel(double startSeconds = 0);

    // Runs the model up to time t (seconds; earlier times change nothing).
    void advanceTo(double t, const WorkingParameters& parameters);

    void setRunning(bool running);
    void setThrottle(double zeroToOne);
    void setCoolant(double celsius) { coolantC_ = celsius; }
    // A falling throttle sensor gives its highest voltage when closed.
    void setTpsFalling(bool falling) { tpsFalling_ = falling; }
    // The reducer's adjusting screw, -1 (lean) .. +1 (rich): it shifts the
    // stepper position at which the gas mixture is stoichiometric.
    void setReducerScrew(double minusOneToOne);
    double reducerScrew() const { return screw_; }
    void fuelRequest(std::uint8_t value) { fuel_.request(value); }
    void setProbeModel(ProbeModel model) { probeModel_ = model; }
    ProbeModel probeModel() const { return probeModel_; }

    LiveReading reading() const;

    bool running() const { return running_; }
    double throttle() const { return throttle_; }
    double rpm() const { return rpm_; }
    double coolantC() const { return coolantC_; }
    double stepper() const { return stepper_; }
    double probeVolts() const { return probeVolts_; }
    const FuelSwitch& fuel() const { return fuel_; }

    // Where gas and air are stoichiometric at this throttle and screw, in steps.
    static double stoichiometricPosition(double throttle, double screw = 0);
    // Input voltage of the throttle sensor: 0.5 V closed to 4.5 V open, or
    // the other way round for a falling sensor.
    static double tpsInputVolts(double throttle, bool falling = false);
    // The throttle a warm engine settles at rpm with (idle to full, clamped).
    static double throttleForRpm(double rpm);
    // The sensor byte whose decoded temperature is closest to celsius.
    static std::uint8_t temperatureByte(double celsius);
    static double temperatureOfByte(std::uint8_t byte);

private:
    void step(const WorkingParameters& parameters);
    void stepStepper(const WorkingParameters& parameters, bool aboveTps);
    bool mixtureRich() const;
    bool aboveTpsThreshold(const WorkingParameters& parameters) const;
    void stepProbe(const WorkingParameters& parameters, double dt);

    double now_;
    WorkingParameters parameters_;
    bool running_ = true;
    double throttle_ = 0;
    bool tpsFalling_ = false;
    bool wasAboveTps_ = false;
    double screw_ = 0;
    double rpm_ = kIdleRpm;
    double coolantC_ = kAmbientC;
    double stepper_ = 0;
    double probeVolts_ = 0.1;
    ProbeModel probeModel_ = ProbeModel::Healthy;
    double petrolPhase_ = 0;
    FuelSwitch fuel_;
    std::deque<bool> exhaust_;  // mixture of the last transport delay, oldest first
};

}  // namespace dravinor::sim
