#include "wizard/AdaptationEngine.h"

#include "params/Conversions.h"
#include "params/Encoders.h"
#include "params/FlagBits.h"
#include "params/LiveFrame.h"
#include "params/NumberFormat.h"
#include "params/ParameterState.h"
#include "params/ParameterTable.h"
#include "wizard/EngineWriter.h"
#include "wizard/WizardTables.h"

#include <charconv>

namespace dravinor::wizard {

// The pages' controls by name, as every step here speaks of them.
using enum WizardControl;

namespace {

namespace address = params::address;

// The engine must be warmer than this before adapting with a sensor fitted.
constexpr float warmEngineC = 30.0f;

// The integer a parameter field holds; nothing when it holds none.
std::optional<int> fieldInteger(const std::string& text)
{
    int value = 0;
    const char* first = text.data();
    const char* last = text.data() + text.size();
    while (first != last && *first == ' ')
        ++first;
    const auto [end, error] = std::from_chars(first, last, value);
    if (error != std::errc{} || end == first)
        return std::nullopt;
    return value;
}

}  // namespace

void AdaptationEngine::ignitionChosen(int index)
{
    if (index < 0 || index >= static_cast<int>(ignitionItems.size()))
        return;
    state_.ignitionIndex = index;
    markDone(IgnitionDone, IgnitionLed);
    state_.ignitionChosen = true;
}

void AdaptationEngine::probeTypeChosen(int index)
{
    const bool timerWasOn = timerEnabled(WizardTimer::Step1);
    setTimer(WizardTimer::Step1, false);
    if (index < 0 || index >= static_cast<int>(probeTypes.size())) {
        setTimer(WizardTimer::Step1, timerWasOn);
        return;
    }
    const ProbeType& probe = probeTypes[static_cast<std::size_t>(index)];
    state_.probeIndex = index;
    state_.probeRising = probe.rising;
    showNumber(ProbeScaleLow, Quantity::ScaleVoltage, probe.scaleLowVolts);
    showNumber(ProbeScaleHigh, Quantity::ScaleVoltage, probe.scaleHighVolts);
    view_.edit(ReducerLeanCaption).left = probe.rising ? 13 : 380;
    view_.edit(ReducerRichCaption).left = probe.rising ? 380 : 13;
    ControlView& bar = view_.edit(ReducerLambdaBar);
    bar.lowerSector = probe.rising ? Tint::Green : Tint::Red;
    bar.upperSector = probe.rising ? Tint::Red : Tint::Green;

    parameters_.setFlagByteA(params::withBit(parameters_.flagByteA(), params::flagA::probeRising, probe.rising));
    // The window runs applyProbeType when it applies RSLambda; the engine
    // keeps the clamp range the lambda swing needs.
    view_.editOutside("RSLambda").selected = index;
    state_.probeClampLow = probe.clampLow;
    state_.probeClampHigh = probe.clampHigh;
    view_.editOutside("RSYLambda").selected = probe.emulationTypeItem;

    // A controller that does not answer gets the choice once it answers
    // again; until then nothing is written and nothing claims to be set.
    if (silentNow()) {
        probeWritePending_ = true;
        flagAWritePending_ = false;  // flag byte A goes with the probe type
    } else {
        writeProbeType();
    }
    setTimer(WizardTimer::Step1, timerWasOn);
}

void AdaptationEngine::writeProbeType()
{
    probeWritePending_ = false;
    flagAWritePending_ = false;
    const ProbeType& probe = probeTypes[static_cast<std::size_t>(state_.probeIndex)];
    // The parameter page's rule: a square wave follows the probe's voltage
    // range, so 0-5 V probes get their own code.
    const params::ProbeSettings settings{
        parameters_.flagByteA(),
        static_cast<std::uint8_t>(params::emulationOutputCode(state_.probeIndex, probe.emulationTypeItem)),
        static_cast<std::uint8_t>(state_.probeIndex), static_cast<std::uint8_t>(probe.emulationTypeItem)};
    const GroupScope group(*this, WriteGroup::ProbeType);
    Writer writer(*this);
    params::writeProbeSettings(writer, settings, params::ProbeOrder::FlagByteFirst, params::Gate::Never);

    markDone(ProbeRangeDone, ProbeRangeLed);
    state_.probeChosen = true;
}

void AdaptationEngine::temperatureSensorClicked(bool ticked)
{
    const bool timerWasOn = timerEnabled(WizardTimer::Step1);
    setTimer(WizardTimer::Step1, false);
    for (auto name : {Thermometer, TemperaturePanel, TemperatureDone, TemperatureLed})
        show(name, ticked);
    view_.edit(TemperatureSensorBox).checked = ticked;
    state_.temperatureReady = !ticked;
    parameters_.setFlagByteA(params::withBit(parameters_.flagByteA(), params::flagA::temperatureSensor, ticked));
    view_.editOutside("WCTemperatury").checked = ticked;
    if (silentNow())
        flagAWritePending_ = !probeWritePending_;
    else
        writeTemperatureSensor();
    setTimer(WizardTimer::Step1, timerWasOn);
}

void AdaptationEngine::writeTemperatureSensor()
{
    flagAWritePending_ = false;
    const GroupScope group(*this, WriteGroup::TemperatureSensor);
    writeParameter(address::flagByteA, parameters_.flagByteA());
}

void AdaptationEngine::tickStep1()
{
    const Poll poll = pollLiveFrame(StartRpmDial, StartRpmPanel, true);
    if (poll.good)
        useStep1Frame(poll.frame);
    // The next tick's RPM follows the chosen ignition type, so the fitter
    // can pick the type whose RPM matches the engine.
    if (state_.ignitionIndex >= 0)
        parameters_.setIgnitionConstant(state_.ignitionIndex);
}

void AdaptationEngine::useStep1Frame(const params::LiveFrame& frame)
{
    // The controller answers: what step 1 held back is done now.
    if (!petrolJudged_)
        confirmPetrol();
    if (probeWritePending_)
        writeProbeType();
    if (flagAWritePending_)
        writeTemperatureSensor();
    if (parameters_.flagByteA() & params::flagA::temperatureSensor) {
        const float t = params::temperatureC(frame.temperature);
        view_.edit(Thermometer).reading = t;
        showNumber(TemperaturePanel, Quantity::EngineTemperature, t);
        if (state_.ignitionChosen && t > warmEngineC) {
            state_.temperatureReady = true;
            markDone(TemperatureDone, TemperatureLed);
        }
    }
    if (state_.temperatureReady && state_.ignitionChosen && state_.petrolConfirmed && state_.probeChosen)
        enable(StartNext, true);
}

void AdaptationEngine::leaveStep1()
{
    if (state_.ignitionIndex < 0)
        return;
    setTimer(WizardTimer::Step1, false);
    {
        const GroupScope group(*this, WriteGroup::IgnitionAndRpm);
        writeParameter(address::ignitionType, state_.ignitionIndex);
        view_.editOutside("RUZaplonowego").selected = state_.ignitionIndex;
        parameters_.setIgnitionConstant(state_.ignitionIndex);
        reencodeRpmFields();
    }
    startTpsStep();
    view_.setCurrentPage(WizardPage::TpsAndProbe);
}

void AdaptationEngine::reencodeRpmFields()
{
    const float k = parameters_.ignitionConstant();
    // A field without a number keeps the speed it showed after the reset.
    const auto integer = [this](std::size_t field) {
        const auto typed = fieldInteger(fieldText(rpmFieldNames[field]));
        return typed ? *typed : fieldInteger(shownRpmFields_[field]).value_or(0);
    };
    const int switchRpm = integer(0);
    const int deltaRpm = integer(1);
    const int maxGasRpm = integer(2);
    const int cutOffRpm = integer(3);

    using params::Gate;
    Writer writer(*this);
    params::writeWord(writer, address::switchOverRpm, params::encodeSwitchOverRpm(switchRpm, k).period, Gate::Never);
    params::writeRpmHysteresis(writer, params::encodeSwitchOverHysteresis(switchRpm, deltaRpm, k),
                               params::encodeRpmDelta(deltaRpm), Gate::Never);
    params::writeWord(writer, address::maxRpmOnGas, params::encodeMaxRpmOnGas(maxGasRpm, k).period, Gate::Never);
    params::writeWord(writer, address::cutOffRpm, params::encodeCutOffRpm(cutOffRpm, k).period, Gate::Never);
}

}  // namespace dravinor::wizard
