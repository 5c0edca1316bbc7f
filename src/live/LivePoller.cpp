#include "LivePoller.h"

#include "Clock.h"
#include "CommandFrame.h"
#include "FlagBits.h"
#include "NumberFormat.h"
#include "ParameterState.h"
#include "SerialPort.h"
#include "TextSlots.h"

#include <span>

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
    return {state_.ignitionConstant(), (state_.flagByteA() & params::flagA::temperatureSensor) != 0,
            static_cast<std::uint8_t>(state_.lambdaThreshold())};
}

LiveDisplay LivePoller::poll()
{
    link::sendLiveRequest(port_);
    // No check of length or content: a short or missing answer is decoded
    // from what the reply buffer holds, as the controller's tools always did.
    const bool answered = port_.collectReply(link::liveFrameSize);
    const auto frame = params::decodeLiveFrame(
        std::span<const std::uint8_t, params::liveFrameBytes>(port_.replyBuffer().data(), params::liveFrameBytes));
    return present(frame, answered, currentSettings());
}

LiveDisplay LivePoller::present(const params::LiveFrame& frame, bool answered, const params::LiveSettings& settings)
{
    LiveDisplay display;
    display.answered = answered;
    display.settings = settings;
    statusCopy_ = frame.status;

    switch (params::fuelState(frame.status)) {
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

    display.lambdaByte = frame.lambda;
    display.lambdaText =
        QString::fromStdString(params::formatFixed3(params::lambdaVolts(frame.lambda), 2, separator_)) + "V";
    display.lambdaHigh = frame.lambda >= settings.lambdaThreshold;
    timePhases(display);

    display.stepper = frame.stepperPosition;
    display.stepperText = QString::number(frame.stepperPosition);
    lastPeriod_ = frame.rpmPeriod;

    display.tpsVolts = params::tpsVolts(frame.tps);
    display.tpsText = QString::fromStdString(params::formatFixed3(display.tpsVolts, 2, separator_)) + "V";

    display.rpm = params::engineRpm(frame, settings.ignitionConstant);
    display.rpmText = QString::number(display.rpm);

    display.temperatureShown = settings.temperatureSensor;
    if (display.temperatureShown) {
        display.temperature = params::temperatureC(frame.temperature);
        display.temperatureText = QString::fromStdString(params::formatFixed3(display.temperature, 0, separator_));
    }

    display.frame = frame;
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
