#pragma once

#include "AdaptationResult.h"
#include "WizardView.h"

#include <array>
#include <cstdint>
#include <span>
#include <string_view>

namespace dravinor::wizard {

// What a lambda probe type brings with it on the wizard's first page.
struct ProbeType {
    std::string_view item;        // the list's text
    bool rising;                  // voltage rises with a richer mixture
    double scaleLowVolts;         // the lambda bar's scale, ProbeScaleLow and ProbeScaleHigh
    double scaleHighVolts;
    int emulationTypeItem;        // RSYLambda item, parameter 35; parameter 27 follows from both
    int clampLow;                 // probe clamp range, lambda-byte units
    int clampHigh;
};

inline constexpr std::array<ProbeType, 6> probeTypes{{
    {"0-1 [V]  Rosnąca", true, 0, 1, 0, 0, 51},
    {"1-0 [V]  Malejąca", false, 0, 1, 0, 0, 51},
    {"0,8-1,6 Rosnąca", true, 0.8, 1.6, 1, 40, 81},
    {"1,6-0,8 Malejąca", false, 0.8, 1.6, 1, 40, 81},
    {"0-5 [V]  Rosnąca", true, 0, 5, 0, 0, 255},
    {"5-0 [V]  Malejąca", false, 0, 5, 0, 0, 255},
}};

inline constexpr std::array<std::string_view, 6> ignitionItems{
    "Cewka na cylinder", "Cewka na 2 cylindry", "4 cylindry", "5 cylindrow", "6 cylindrow", "8 cylindrow",
};

// A step that is done: its label drawn in full colour, its LED lit.
struct DoneItem {
    WizardControl label;
    WizardControl led;
    std::string_view text;
};

inline constexpr std::array<DoneItem, 12> doneItems{{
    {WizardControl::PetrolDone, WizardControl::PetrolLed, "Zasilanie benzynowe"},
    {WizardControl::IgnitionDone, WizardControl::IgnitionLed, "Ustawiono układ zapłonowy"},
    {WizardControl::TemperatureDone, WizardControl::TemperatureLed, "Osiągnięto odp. temp"},
    {WizardControl::ProbeRangeDone, WizardControl::ProbeRangeLed, "Ustawiono zakres sondy"},
    {WizardControl::TpsIdleDone, WizardControl::TpsIdleLed, "Próg TPS na wolnych obrotach ustawiony"},
    {WizardControl::TpsHighDone, WizardControl::TpsHighLed, "Próg TPS na wysokich obrotach ustawiony"},
    {WizardControl::ProbeThresholdDone, WizardControl::ProbeThresholdLed, "Próg sondy ustawiony"},
    {WizardControl::EmulationDone, WizardControl::EmulationLed, "Czasy emulacji ustawione"},
    {WizardControl::GasDone, WizardControl::GasLed, "Zasilanie LPG"},
    {WizardControl::ReducerDone, WizardControl::ReducerLed, "Ustawiono reduktor na wolnych obrotach"},
    {WizardControl::AboveTpsDone, WizardControl::AboveTpsLed, "Ustawiono tps powyzej"},
    {WizardControl::IdleDone, WizardControl::IdleLed, "Ustawiono tps ponizej"},
}};

// The pages' own texts of the prompts and notices the wizard shows and hides.
struct NamedText {
    WizardControl control;
    std::string_view text;
};

inline constexpr std::array<NamedText, 11> promptTexts{{
    {WizardControl::TpsIdlePrompt, "Proszę ustawic obroty biegu jalowego"},
    {WizardControl::TpsHighPrompt, "Proszę ustawic obroty powyżej 3000 rpm"},
    {WizardControl::NarrowProbeNotice, "Uwaga sonda posiada mały zakres regulacji"},
    {WizardControl::ReducerInstructions,
     "Proszę zaczekać do momentu nagrzania sie sondy lambda i regulować reduktor na wolnych obrotach aż do "
     "osiągnięcia mieszanki bogatej"},
    {WizardControl::StartOnGasPrompt, "Prosze uruchomić silnik i przejść na gaz"},
    {WizardControl::FuelSwitchCaption, "zmiana zasilania B/G"},
    {WizardControl::ActuatorAbovePrompt, "Proszę ustawić obroty powyżej 2000 rpm"},
    {WizardControl::ActuatorIdlePrompt, "Proszę ustawić wolne obroty"},
    {WizardControl::FinishedNotice, "Zakończono autoadaptację"},
    {WizardControl::StartInstructions,
     "Proszę wybrać rodzaj układu zapłonowego, sondy lambda oraz jeśli występuje czujnik temperatury odczekać "
     "do momentu osiągnięcia przez silnik temperatury pracy. Następnie proszę nacisnąć przycisk DALEJ"},
    {WizardControl::TpsDirection, ""},
}};

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

// The page's text of a done label or prompt; empty for another control.
std::string_view pageText(WizardControl control);

// The parameter pages' RPM fields re-encoded at the end of step 1.
inline constexpr std::array<std::string_view, 4> rpmFieldNames{"ODPBenzynaGas", "DObrotow", "MONGaz", "OSDCutOff"};

}  // namespace dravinor::wizard
