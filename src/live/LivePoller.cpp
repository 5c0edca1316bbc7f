#include "live/LivePoller.h"

#include "lang/ShownNumbers.h"
#include "lang/TextSlots.h"
#include "link/Clock.h"
#include "link/CommandFrame.h"
#include "link/SerialPort.h"
#include "params/LivePoll.h"
#include "params/NumberFormat.h"
#include "params/ParameterState.h"

namespace dravinor::live {

namespace {
const QColor gasColour(0x00, 0x80, 0x00);
const QColor automaticColour(0xFF, 0x80, 0x00);
const QColor petrolColour(0xFF, 0x00, 0x00);

// The fuel words are text slots: every poll shows the current language's.
QString fuelWord(int key)
{
    return QString::fromStdString(lang::textSlots().text(key));
}
}  // namespace

LivePoller::LivePoller(link::SerialPort& port, link::Clock& clock, const params::ParameterState& state)
    : port_(port), clock_(clock), state_(state)
{
}

void LivePoller::restartPhaseTiming()
{
    lastLowTick_ = clock_.tickMs();
    lastHighTick_ = clock_.tickMs();
    highTime_ = 0;
    lowTime_ = 0;
}

void LivePoller::timePhases(LiveDisplay& display)
{
    // A phase runs from the last sample of the other phase to the last one
    // of its own; each label changes only during the opposite phase.
    if (display.lambdaHigh) {
        highTime_ = static_cast<std::int32_t>(clock_.tickMs() - lastLowTick_);
        lastHighTick_ = clock_.tickMs();
    } else {
        lowTime_ = static_cast<std::int32_t>(clock_.tickMs() - lastHighTick_);
        lastLowTick_ = clock_.tickMs();
    }
    display.highTimeMs = highTime_;
    display.lowTimeMs = lowTime_;
}

params::LiveSettings LivePoller::currentSettings() const
{
    return params::liveSettings(state_);
}

LiveDisplay LivePoller::poll()
{
    // Only a whole frame is shown: a short, long, missing or blank answer
    // would show bytes of another frame, or none at all.
    const params::LiveReading live = params::readLive(port_, state_);
    return present(live.poll.frame, live.good(), live.settings);
}

LiveDisplay LivePoller::present(const params::LiveFrame& frame, bool answered, const params::LiveSettings& settings)
{
    LiveDisplay display;
    display.answered = answered;
    display.settings = settings;
    display.frame = frame;
    // A bad poll changes nothing: the fuel switch, the phase timers and the
    // pages keep what the last good frame said.
    if (!answered)
        return display;
    statusCopy_ = frame.status;
    const params::LiveValues values = params::liveValues(frame, settings);

    switch (values.fuel) {
    case params::FuelState::Gas:
        display.fuelSlot = lang::slot::fuelGas;
        display.fuelColour = gasColour;
        display.glyph = FuelGlyph::Gas;
        break;
    case params::FuelState::Automatic:
        display.fuelSlot = lang::slot::fuelAutomatic;
        display.fuelColour = automaticColour;
        display.glyph = FuelGlyph::Automatic;
        break;
    case params::FuelState::Petrol:
        display.fuelSlot = lang::slot::fuelPetrol;
        display.fuelColour = petrolColour;
        display.glyph = FuelGlyph::Petrol;
        break;
    }
    display.fuelText = fuelWord(display.fuelSlot);
    display.glyphChanged = display.glyph != glyph_;
    glyph_ = display.glyph;

    // The panels write the unit right after the number ("0,45V"), in the language's letters.
    const QString volts = QString::fromStdString(lang::unitText(lang::Unit::Volt));
    display.lambdaByte = frame.lambda;
    display.lambdaText =
        QString::fromStdString(params::formatFixed3(values.lambdaVolts, 2, lang::decimalSeparator())) + volts;
    display.lambdaHigh = values.lambdaHigh;
    timePhases(display);

    display.stepper = frame.stepperPosition;
    display.stepperText = QString::number(frame.stepperPosition);
    lastPeriod_ = frame.rpmPeriod;

    display.tpsVolts = values.tpsVolts;
    display.tpsText =
        QString::fromStdString(params::formatFixed3(display.tpsVolts, 2, lang::decimalSeparator())) + volts;

    display.rpm = values.rpm;
    display.rpmText = QString::fromStdString(params::engineRpmText(display.rpm));

    display.temperatureShown = settings.temperatureSensor;
    if (display.temperatureShown) {
        display.temperature = values.temperature;
        display.temperatureText =
            QString::fromStdString(params::formatFixed3(display.temperature, 0, lang::decimalSeparator()));
    }

    return display;
}

void LivePoller::toggleFuel()
{
    if (statusCopy_ & params::status::automatic) {
        link::sendRamByteWrite(port_, link::fuelModeAddress, link::fuelModeToggle);
        port_.waitReply();
    } else if (!(statusCopy_ & params::status::onGas)) {
        link::sendRamByteWrite(port_, link::fuelModeAddress, link::fuelModeAutomatic);
        port_.waitReply();
    }
}

}  // namespace dravinor::live
