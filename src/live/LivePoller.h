#pragma once

#include "params/LiveCsv.h"
#include "params/LiveFrame.h"

#include <QColor>
#include <QString>

#include <cstdint>
#include <functional>

namespace dravinor::link {
class SerialPort;
class Clock;
}  // namespace dravinor::link
namespace dravinor::params {
class ParameterState;
}

namespace dravinor::live {

// Which picture the fuel switch shows.
enum class FuelGlyph { None, Petrol, Automatic, Gas };

// Everything one poll puts on the page, computed without widgets.
struct LiveDisplay {
    bool answered = false;  // a good frame: nothing else is shown
    QString fuelText;
    int fuelSlot = 0;  // the text slot fuelText was read from
    QColor fuelColour;
    FuelGlyph glyph = FuelGlyph::None;
    bool glyphChanged = false;  // load the switch picture only then
    int lambdaByte = 0;
    QString lambdaText;
    bool lambdaHigh = false;
    int highTimeMs = 0;  // shown in TH_L while lambda is low
    int lowTimeMs = 0;   // shown in TL_L while lambda is high
    int stepper = 0;
    QString stepperText;
    float tpsVolts = 0;
    QString tpsText;
    int rpm = 0;
    QString rpmText;
    bool temperatureShown = false;
    float temperature = 0;
    QString temperatureText;
    params::LiveFrame frame;        // for the trace inputs
    params::LiveSettings settings;  // what the frame was decoded with
};

// The live poll: asks the controller for its live frame, decodes it, times
// the lambda phases and works out what each display shows.
class LivePoller {
public:
    LivePoller(link::SerialPort& port, link::Clock& clock, const params::ParameterState& state);

    // Page entry: the lambda phase timers start again from now.
    void restartPhaseTiming();
    LiveDisplay poll();
    // What a frame shows with the given settings, as a poll would show it
    // (a replay feeds its recorded frames here).
    LiveDisplay present(const params::LiveFrame& frame, bool answered, const params::LiveSettings& settings);
    // The settings in force: from the parameters on the pages.
    params::LiveSettings currentSettings() const;
    // The fuel switch, from the last poll's status: 255 toggles in automatic
    // mode, 254 asks for automatic from petrol, nothing while on gas alone.
    void toggleFuel();

    std::uint8_t statusCopy() const { return statusCopy_; }
    // The wizard's start clears the automatic and gas bits.
    void setStatusCopy(std::uint8_t status) { statusCopy_ = status; }
    std::uint16_t lastPeriod() const { return lastPeriod_; }

private:
    void timePhases(LiveDisplay& display);

    link::SerialPort& port_;
    link::Clock& clock_;
    const params::ParameterState& state_;
    std::uint8_t statusCopy_ = 0;
    std::uint16_t lastPeriod_ = 0;
    FuelGlyph glyph_ = FuelGlyph::None;
    std::uint32_t lastLowTick_ = 0;
    std::uint32_t lastHighTick_ = 0;
    std::int32_t highTime_ = 0;
    std::int32_t lowTime_ = 0;
};

}  // namespace dravinor::live
