#include "wizard/AdaptationEngine.h"

#include "link/CommandFrame.h"
#include "params/LiveFrame.h"
#include "params/NumberFormat.h"
#include "wizard/FieldValues.h"

namespace dravinor::wizard {

// The pages' controls by name, as every step here speaks of them.
using enum WizardControl;

namespace {

constexpr int richTicksNeeded = 150;

constexpr std::uint8_t fuelBits = params::status::automatic | params::status::onGas;

bool manualPetrol(std::uint8_t status)
{
    return (status & fuelBits) == 0;
}
bool automaticPetrol(std::uint8_t status)
{
    return (status & fuelBits) == params::status::automatic;
}
bool automaticGas(std::uint8_t status)
{
    return (status & fuelBits) == fuelBits;
}

}  // namespace

void AdaptationEngine::leaveTpsAndProbe()
{
    setTimer(WizardTimer::EmulationTimes, false);
    setTimer(WizardTimer::LambdaSwing, false);
    state_.sampleCount = 0;
    show(StartOnGasPrompt, false);
    const bool askForAutomatic = manualPetrol(state_.statusCopy);
    if (askForAutomatic)
        sendFuelModeRequest(link::fuelModeAutomatic);
    show(FuelSwitch, !askForAutomatic);
    show(FuelSwitchCaption, !askForAutomatic);
    state_.richTickCount = 0;
    setBarMaximum(ReducerProgress, richTicksNeeded);
    setBar(ReducerProgress, 0);
    setTimer(WizardTimer::WaitForGas, true);
    view_.setCurrentPage(WizardPage::Reducer);
}

void AdaptationEngine::tickWaitForGas()
{
    // Only a good frame's status may tell that the controller is on gas.
    const params::LivePoll poll = requestLiveFrame();
    if (!poll.good())
        return;
    state_.statusCopy = poll.frame.status;
    if (!automaticGas(state_.statusCopy))
        return;
    show(FuelSwitch, false);
    show(FuelSwitchCaption, false);
    markDone(GasDone, GasLed);
    state_.richTickCount = 0;
    setTimer(WizardTimer::WaitForGas, false);
    startPhase();
    setTimer(WizardTimer::Reducer, true);
}

void AdaptationEngine::fuelSwitchClicked()
{
    // Both tests read the status of the last tick; nothing is polled between.
    if (automaticPetrol(state_.statusCopy)) {
        sendFuelModeRequest(link::fuelModeToggle);
        enable(FuelSwitch, false);
        show(FuelSwitchCaption, false);
        markDone(GasDone, GasLed);
        setTimer(WizardTimer::WaitForGas, false);
        startPhase();
        setTimer(WizardTimer::Reducer, true);
    }
    if (manualPetrol(state_.statusCopy))
        sendFuelModeRequest(link::fuelModeAutomatic);
}

void AdaptationEngine::tickReducer()
{
    const Poll poll = pollLiveFrame(ReducerRpmDial, ReducerRpmPanel, true);
    if (!poll.good)
        return;
    const std::uint8_t lambda = poll.frame.lambda;
    setBar(ReducerLambdaBar, lambda);
    showNumber(ReducerProbePanel, Quantity::ProbeVoltage, params::lambdaVolts(lambda));

    const bool notRunningOnGas =
        (state_.statusCopy & params::status::noEngineSpeed) != 0 || (state_.statusCopy & params::status::onGas) == 0;
    for (auto name : {StartOnGasPrompt, FuelSwitch, FuelSwitchCaption})
        show(name, notRunningOnGas);

    const float reading = static_cast<float>(lambda);
    const bool rich = state_.probeRising ? reading >= state_.lambdaThreshold : reading <= state_.lambdaThreshold;
    if (poll.sample && rich) {
        ++state_.richTickCount;
        addToBar(ReducerProgress, 1);
    }
    if (state_.richTickCount < richTicksNeeded)
        return;
    // Rich readings need not be consecutive: 150 in all end the step.
    closePhase(WizardPhase::Reducer, static_cast<std::uint32_t>(state_.richTickCount));
    setTimer(WizardTimer::Reducer, false);
    enable(ReducerNext, true);
    state_.aboveTpsPositionSum = 0;
    state_.sampleCount = 0;
    show(ActuatorAbovePrompt, true);
    markDone(ReducerDone, ReducerLed);
}

}  // namespace dravinor::wizard
