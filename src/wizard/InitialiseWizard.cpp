#include "AdaptationEngine.h"

#include "CommandFrame.h"
#include "FieldDisplay.h"
#include "FlagBits.h"
#include "ParameterState.h"
#include "ParameterTable.h"
#include "ParameterTransfer.h"
#include "SerialPort.h"
#include "WizardTables.h"

namespace dravinor::wizard {

namespace {

constexpr std::string_view emptyPanel = "......";

constexpr std::array<std::string_view, 4> nextButtons{"AAP1_Dalej", "AAP2_Dalej", "AAP4_Dalej", "AAP5_Koniec"};

constexpr std::array<std::string_view, 8> hiddenPrompts{
    "PPNMLabel_AA_P2", "PPNDLabel_AA_P2", "JakiTps_AA_P2", "USLabel_AA_P3",
    "PUOLabel_AA_P5",  "PUWLabel_AA_P5",  "ZA_AA_P5",      "NSLabel_AA_P2",
};

constexpr std::array<std::string_view, 4> temperatureControls{"Therm1l_AA_P1", "Therm1ED_AA_P1", "OOTLabel_AA_P1",
                                                              "AutoFaz1Led3"};

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
        const params::ScopedWriteSource source(transfer_, "wizard");
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

    view_.edit("Manometr_RPMCOMBOAA_P1").selected = -1;
    view_.edit("RSLAMBDA_COMBOAA_P1").selected = -1;
    state_.ignitionIndex = -1;
    state_.probeIndex = -1;

    // The fuel state comes from a good frame only; without one, the first
    // good poll of step 1 asks for petrol.
    if (const params::LivePoll entry = requestLiveFrame(); entry.good()) {
        state_.statusCopy = entry.frame.status;
        confirmPetrol();
    }
    showTemperatureSensor((parameters_.flagByteA() & params::flagA::temperatureSensor) != 0);

    view_.setCurrentPage(WizardPage::AA1);
    setTimer(WizardTimer::AAP1, true);
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
    for (auto bar : {"Bar1P2", "Bar1P5", "Bar1P4"})
        setBar(bar, 0);
    showRpm("Manometr_RPMAA_P4", "Manometr_RPMEDAA_P4", 0);
    showRpm("Manometr_RPMAA_P5", "Manometr_RPMEDAA_P5", 0);
    for (auto panel : figurePanels)
        setText(panel, std::string(emptyPanel));
    enable("SwitchAUTO", true);
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
        markDone("ZBLabel_AA_P1", "AutoFaz1Led1");
    }
    // A controller in manual gas mode stays unconfirmed until re-entry.
    if ((state_.statusCopy & params::status::onGas) == 0) {
        state_.petrolConfirmed = true;
        markDone("ZBLabel_AA_P1", "AutoFaz1Led1");
    }
}

void AdaptationEngine::showTemperatureSensor(bool fitted)
{
    for (auto name : temperatureControls)
        show(name, fitted);
    state_.temperatureReady = !fitted;
    view_.edit("WCTCheck_AA_P1").checked = fitted;
}

}  // namespace dravinor::wizard
