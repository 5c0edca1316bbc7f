#include "AdaptationEngine.h"

#include "Conversions.h"
#include "Encoders.h"
#include "EngineWriter.h"
#include "FlagBits.h"
#include "LiveFrame.h"
#include "NumberFormat.h"
#include "ParameterState.h"
#include "ParameterTable.h"
#include "WizardTables.h"

#include <charconv>

namespace dravinor::wizard {

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
    markDone("UUZLabel_AA_P1", "AutoFaz1Led2");
    state_.ignitionChosen = true;
}

void AdaptationEngine::probeTypeChosen(int index)
{
    const bool timerWasOn = timerEnabled(WizardTimer::AAP1);
    setTimer(WizardTimer::AAP1, false);
    if (index < 0 || index >= static_cast<int>(probeTypes.size())) {
        setTimer(WizardTimer::AAP1, timerWasOn);
        return;
    }
    const ProbeType& probe = probeTypes[static_cast<std::size_t>(index)];
    state_.probeIndex = index;
    state_.probeRising = probe.rising;
    setText("V0_AA_P3", std::string(probe.scaleLow));
    setText("V5_AA_P3", std::string(probe.scaleHigh));
    view_.edit("Uboga_AA_P4").left = probe.rising ? 13 : 380;
    view_.edit("Bogata_AA_P4").left = probe.rising ? 380 : 13;
    ControlView& bar = view_.edit("Bar1P4");
    bar.lowerSectorColour = probe.rising ? barGreen : barRed;
    bar.upperSectorColour = probe.rising ? barRed : barGreen;

    parameters_.setFlagByteA(params::withBit(parameters_.flagByteA(), params::flagA::probeRising, probe.rising));
    // The window runs applyProbeType when it applies RSLambda; the engine
    // keeps the clamp range the lambda swing needs.
    view_.edit("RSLambda").selected = index;
    state_.probeClampLow = probe.clampLow;
    state_.probeClampHigh = probe.clampHigh;
    view_.edit("RSYLambda").selected = probe.emulationTypeItem;

    // A controller that does not answer gets the choice once it answers
    // again; until then nothing is written and nothing claims to be set.
    if (silentNow()) {
        probeWritePending_ = true;
        flagAWritePending_ = false;  // flag byte A goes with the probe type
    } else {
        writeProbeType();
    }
    setTimer(WizardTimer::AAP1, timerWasOn);
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

    markDone("URSLabel_AA_P1", "AutoFaz1Led4");
    state_.probeChosen = true;
}

void AdaptationEngine::temperatureSensorClicked(bool ticked)
{
    const bool timerWasOn = timerEnabled(WizardTimer::AAP1);
    setTimer(WizardTimer::AAP1, false);
    for (auto name : {"Therm1l_AA_P1", "Therm1ED_AA_P1", "OOTLabel_AA_P1", "AutoFaz1Led3"})
        show(name, ticked);
    view_.edit("WCTCheck_AA_P1").checked = ticked;
    state_.temperatureReady = !ticked;
    parameters_.setFlagByteA(params::withBit(parameters_.flagByteA(), params::flagA::temperatureSensor, ticked));
    view_.edit("WCTemperatury").checked = ticked;
    if (silentNow())
        flagAWritePending_ = !probeWritePending_;
    else
        writeTemperatureSensor();
    setTimer(WizardTimer::AAP1, timerWasOn);
}

void AdaptationEngine::writeTemperatureSensor()
{
    flagAWritePending_ = false;
    const GroupScope group(*this, WriteGroup::TemperatureSensor);
    writeParameter(parameters_.flagByteA(), address::flagByteA);
}

void AdaptationEngine::tickStep1()
{
    const Poll poll = pollLiveFrame("Manometr_RPMAA_P1", "Manometr_RPMEDAA_P1", true);
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
        view_.edit("Therm1l_AA_P1").reading = t;
        setText("Therm1ED_AA_P1", panelNumber(t, 0));
        if (state_.ignitionChosen && t > warmEngineC) {
            state_.temperatureReady = true;
            markDone("OOTLabel_AA_P1", "AutoFaz1Led3");
        }
    }
    if (state_.temperatureReady && state_.ignitionChosen && state_.petrolConfirmed && state_.probeChosen)
        enable("AAP1_Dalej", true);
}

void AdaptationEngine::aap1DalejClick()
{
    if (state_.ignitionIndex < 0)
        return;
    setTimer(WizardTimer::AAP1, false);
    {
        const GroupScope group(*this, WriteGroup::IgnitionAndRpm);
        writeParameter(state_.ignitionIndex, address::ignitionType);
        view_.edit("RUZaplonowego").selected = state_.ignitionIndex;
        parameters_.setIgnitionConstant(state_.ignitionIndex);
        reencodeRpmFields();
    }
    startTpsStep();
    view_.setCurrentPage(WizardPage::AA2);
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
