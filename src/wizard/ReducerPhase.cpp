#include "AdaptationEngine.h"

#include "CommandFrame.h"
#include "FieldValues.h"
#include "LiveFrame.h"
#include "NumberFormat.h"

namespace dravinor::wizard {

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

void AdaptationEngine::aap2DalejClick()
{
    setTimer(WizardTimer::AAP3_2, false);
    setTimer(WizardTimer::AAP3_1, false);
    state_.sampleCount = 0;
    show("PPNALabel_AA_P4", false);
    const bool askForAutomatic = manualPetrol(state_.statusCopy);
    if (askForAutomatic)
        sendFuelModeRequest(link::fuelModeAutomatic);
    show("SwitchAUTO", !askForAutomatic);
    show("ZZBGLabel_AA_P4", !askForAutomatic);
    state_.richTickCount = 0;
    setBarMaximum("Bar1P4_0", richTicksNeeded);
    setBar("Bar1P4_0", 0);
    setTimer(WizardTimer::AAP4_1, true);
    view_.setCurrentPage(WizardPage::AA4);
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
    show("SwitchAUTO", false);
    show("ZZBGLabel_AA_P4", false);
    markDone("ZL_AA_P4", "AutoFaz4Led1");
    state_.richTickCount = 0;
    setTimer(WizardTimer::AAP4_1, false);
    startPhase();
    setTimer(WizardTimer::AAP4_2, true);
}

void AdaptationEngine::switchAutoClick()
{
    // Both tests read the status of the last tick; nothing is polled between.
    if (automaticPetrol(state_.statusCopy)) {
        sendFuelModeRequest(link::fuelModeToggle);
        enable("SwitchAUTO", false);
        show("ZZBGLabel_AA_P4", false);
        markDone("ZL_AA_P4", "AutoFaz4Led1");
        setTimer(WizardTimer::AAP4_1, false);
        startPhase();
        setTimer(WizardTimer::AAP4_2, true);
    }
    if (manualPetrol(state_.statusCopy))
        sendFuelModeRequest(link::fuelModeAutomatic);
}

void AdaptationEngine::tickReducer()
{
    const Poll poll = pollLiveFrame("Manometr_RPMAA_P4", "Manometr_RPMEDAA_P4", true);
    if (!poll.good)
        return;
    const std::uint8_t lambda = poll.frame.lambda;
    setBar("Bar1P4", lambda);
    setText("SondaEDAA_P4", panelNumber(params::lambdaVolts(lambda), 2));

    const bool notRunningOnGas = (state_.statusCopy & params::status::noEngineSpeed) != 0 ||
                                 (state_.statusCopy & params::status::onGas) == 0;
    for (auto name : {"PPNALabel_AA_P4", "SwitchAUTO", "ZZBGLabel_AA_P4"})
        show(name, notRunningOnGas);

    const float reading = static_cast<float>(lambda);
    const bool rich = state_.probeRising ? reading >= state_.lambdaThreshold : reading <= state_.lambdaThreshold;
    if (poll.sample && rich) {
        ++state_.richTickCount;
        addToBar("Bar1P4_0", 1);
    }
    if (state_.richTickCount < richTicksNeeded)
        return;
    // Rich readings need not be consecutive: 150 in all end the step.
    closePhase(WizardPhase::Reducer, static_cast<std::uint32_t>(state_.richTickCount));
    setTimer(WizardTimer::AAP4_2, false);
    enable("AAP4_Dalej", true);
    state_.aboveTpsPositionSum = 0;
    state_.sampleCount = 0;
    show("PUOLabel_AA_P5", true);
    markDone("UR_AA_P4", "AutoFaz4Led2");
}

}  // namespace dravinor::wizard
