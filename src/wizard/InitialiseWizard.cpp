#include "wizard/AdaptationEngine.h"

#include "link/CommandFrame.h"
#include "link/SerialPort.h"
#include "params/FieldDisplay.h"
#include "params/FlagBits.h"
#include "params/ParameterState.h"
#include "params/ParameterTable.h"
#include "params/ParameterTransfer.h"
#include "wizard/WizardTables.h"

namespace dravinor::wizard {

// The pages' controls by name, as every step here speaks of them.
using enum WizardControl;

namespace {

constexpr std::array<WizardControl, 4> nextButtons{StartNext, TpsPageNext, ReducerNext, FinishButton};

constexpr std::array<WizardControl, 8> hiddenPrompts{
    TpsIdlePrompt,       TpsHighPrompt,      TpsDirection,   NarrowProbeNotice,
    ActuatorAbovePrompt, ActuatorIdlePrompt, FinishedNotice, FailedProbeNotice,
};

constexpr std::array<WizardControl, 4> temperatureControls{Thermometer, TemperaturePanel, TemperatureDone,
                                                           TemperatureLed};

}  // namespace

void AdaptationEngine::initialiseWizard()
{
    stopAllTimers();
    result_ = {};
    tpsIdleNote_.clear();
    probeWritePending_ = false;
    flagAWritePending_ = false;
    petrolJudged_ = false;
    lastAnswerMs_ = port_.clock().tickMs();
    {
        const params::ScopedWriteSource source(transfer_, params::WriteSource::Wizard);
        result_.reset = transfer_.resetParametersForAdaptation();
    }
    if (result_.reset.parametersWritten() > 0)
        noteAnswer();

    // The RPM fields as the parameter pages now show the default set.
    const auto& block = parameters_.block();
    const float k = parameters_.ignitionConstant();
    shownRpmFields_ = {
        std::to_string(params::shownSwitchOverRpm(block.word(params::address::switchOverRpm), k)),
        std::to_string(params::shownRpmDelta(block.get(params::address::rpmDelta))),
        std::to_string(params::shownMaxRpmOnGas(block.word(params::address::maxRpmOnGas), k)),
        std::to_string(params::shownCutOffRpm(block.word(params::address::cutOffRpm), k)),
    };

    state_.temperatureReady = false;
    state_.ignitionChosen = false;
    state_.petrolConfirmed = false;
    state_.probeChosen = false;

    resetPagesLook();

    view_.edit(IgnitionList).selected = -1;
    view_.edit(ProbeList).selected = -1;
    state_.ignitionIndex = -1;
    state_.probeIndex = -1;

    // The fuel state comes from a good frame only; without one, the first
    // good poll of step 1 asks for petrol.
    if (const params::LivePoll entry = requestLiveFrame(); entry.good()) {
        state_.statusCopy = entry.frame.status;
        confirmPetrol();
    }
    showTemperatureSensor((parameters_.flagByteA() & params::flagA::temperatureSensor) != 0);

    view_.setCurrentPage(WizardPage::Start);
    setTimer(WizardTimer::Step1, true);
}

void AdaptationEngine::resetPagesLook()
{
    for (auto name : nextButtons)
        enable(name, false);
    for (const auto& item : doneItems) {
        enable(item.label, false);
        view_.edit(item.led).lit = false;
    }
    for (auto name : hiddenPrompts)
        show(name, false);
    for (auto bar : {TpsPageProgress, ActuatorProgress, ReducerLambdaBar})
        setBar(bar, 0);
    showRpm(ReducerRpmDial, ReducerRpmPanel, 0);
    showRpm(ActuatorRpmDial, ActuatorRpmPanel, 0);
    enable(FuelSwitch, true);
    silent_ = false;
    for (auto name : noAnswerLabels)
        show(name, false);
    for (auto name : unreliableLineLabels)
        show(name, false);
}

void AdaptationEngine::confirmPetrol()
{
    petrolJudged_ = true;
    const std::uint8_t status = state_.statusCopy;
    const bool automatic = (status & params::status::automatic) != 0;
    const bool onGas = (status & params::status::onGas) != 0;
    // At most one request: automatic on petrol asks for manual petrol,
    // automatic on gas toggles back to petrol.
    if (automatic && !onGas)
        sendFuelModeRequest(link::fuelModeManualPetrol);
    else if (automatic && onGas)
        sendFuelModeRequest(link::fuelModeToggle);
    if (automatic) {
        state_.statusCopy = static_cast<std::uint8_t>(status & ~(params::status::automatic | params::status::onGas));
        state_.petrolConfirmed = true;
        markDone(PetrolDone, PetrolLed);
    }
    // A controller in manual gas mode stays unconfirmed until re-entry.
    if ((state_.statusCopy & params::status::onGas) == 0) {
        state_.petrolConfirmed = true;
        markDone(PetrolDone, PetrolLed);
    }
}

void AdaptationEngine::showTemperatureSensor(bool fitted)
{
    for (auto name : temperatureControls)
        show(name, fitted);
    state_.temperatureReady = !fitted;
    view_.edit(TemperatureSensorBox).checked = fitted;
}

}  // namespace dravinor::wizard
