#pragma once

#include "lang/ItemTexts.h"
#include "wizard/AdaptationResult.h"
#include "wizard/WizardView.h"

#include <array>
#include <cstdint>
#include <span>
#include <string_view>

namespace dravinor::wizard {

// What a lambda probe type brings with it on the wizard's first page.
struct ProbeType {
    std::string_view item;  // the list's text (the parameter page's item)
    bool rising;            // voltage rises with a richer mixture
    double scaleLowVolts;   // the lambda bar's scale, ProbeScaleLow and ProbeScaleHigh
    double scaleHighVolts;
    int emulationTypeItem;  // RSYLambda item, parameter 35; parameter 27 follows from both
    int clampLow;           // probe clamp range, lambda-byte units
    int clampHigh;
};

inline constexpr std::array<ProbeType, 6> probeTypes{{
    {lang::probeTypeItems[0], true, 0, 1, 0, 0, 51},
    {lang::probeTypeItems[1], false, 0, 1, 0, 0, 51},
    {lang::probeTypeItems[2], true, 0.8, 1.6, 1, 40, 81},
    {lang::probeTypeItems[3], false, 0.8, 1.6, 1, 40, 81},
    {lang::probeTypeItems[4], true, 0, 5, 0, 0, 255},
    {lang::probeTypeItems[5], false, 0, 5, 0, 0, 255},
}};

// The first page's ignition list: the parameter page's.
inline constexpr const auto& ignitionItems = lang::ignitionItems;

// A step that is done: its label drawn in full colour, its LED lit. The
// labels' texts are the pages' (WizardTexts.h).
struct DoneItem {
    WizardControl label;
    WizardControl led;
};

inline constexpr std::array<DoneItem, 12> doneItems{{
    {WizardControl::PetrolDone, WizardControl::PetrolLed},
    {WizardControl::IgnitionDone, WizardControl::IgnitionLed},
    {WizardControl::TemperatureDone, WizardControl::TemperatureLed},
    {WizardControl::ProbeRangeDone, WizardControl::ProbeRangeLed},
    {WizardControl::TpsIdleDone, WizardControl::TpsIdleLed},
    {WizardControl::TpsHighDone, WizardControl::TpsHighLed},
    {WizardControl::ProbeThresholdDone, WizardControl::ProbeThresholdLed},
    {WizardControl::EmulationDone, WizardControl::EmulationLed},
    {WizardControl::GasDone, WizardControl::GasLed},
    {WizardControl::ReducerDone, WizardControl::ReducerLed},
    {WizardControl::AboveTpsDone, WizardControl::AboveTpsLed},
    {WizardControl::IdleDone, WizardControl::IdleLed},
}};

// The prompts and notices the wizard shows and hides (the TPS direction's
// words follow from the result).
inline constexpr std::array<WizardControl, 11> prompts{
    WizardControl::TpsIdlePrompt,       WizardControl::TpsHighPrompt,      WizardControl::NarrowProbeNotice,
    WizardControl::ReducerInstructions, WizardControl::StartOnGasPrompt,   WizardControl::FuelSwitchCaption,
    WizardControl::ActuatorAbovePrompt, WizardControl::ActuatorIdlePrompt, WizardControl::FinishedNotice,
    WizardControl::StartInstructions,   WizardControl::TpsDirection,
};

// The notice on every page while the controller does not answer.
inline constexpr std::array<WizardControl, 4> noAnswerLabels{
    WizardControl::StartNoAnswer, WizardControl::TpsPageNoAnswer, WizardControl::ReducerNoAnswer,
    WizardControl::ActuatorNoAnswer};
// The notice of a measuring page once one of its phases was measured on an
// unreliable line (step 1 measures nothing and has none).
inline constexpr std::array<WizardControl, 3> unreliableLineLabels{
    WizardControl::TpsPageUnreliableLine, WizardControl::ReducerUnreliableLine, WizardControl::ActuatorUnreliableLine};
WizardControl unreliableLineLabel(WizardPage page);

// The prompts that stand on a page the whole time it is shown.
std::span<const WizardControl> standingInstructions(WizardPage page);

// The parameter pages' RPM fields re-encoded at the end of step 1.
inline constexpr std::array<std::string_view, 4> rpmFieldNames{"ODPBenzynaGas", "DObrotow", "MONGaz", "OSDCutOff"};

}  // namespace dravinor::wizard
