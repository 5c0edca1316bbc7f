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
    std::string_view scaleLow;    // V0_AA_P3
    std::string_view scaleHigh;   // V5_AA_P3
    int emulationTypeItem;        // RSYLambda item, parameter 35; parameter 27 follows from both
    int clampLow;                 // probe clamp range, lambda-byte units
    int clampHigh;
};

inline constexpr std::array<ProbeType, 6> probeTypes{{
    {"0-1 [V]  Rosnąca", true, "0 V", "1 V", 0, 0, 51},
    {"1-0 [V]  Malejąca", false, "0 V", "1 V", 0, 0, 51},
    {"0,8-1,6 Rosnąca", true, "0.8 V", "1.6 V", 1, 40, 81},
    {"1,6-0,8 Malejąca", false, "0.8 V", "1.6 V", 1, 40, 81},
    {"0-5 [V]  Rosnąca", true, "0 V", "5 V", 0, 0, 255},
    {"5-0 [V]  Malejąca", false, "0 V", "5 V", 0, 0, 255},
}};

inline constexpr std::array<std::string_view, 6> ignitionItems{
    "Cewka na cylinder", "Cewka na 2 cylindry", "4 cylindry", "5 cylindrow", "6 cylindrow", "8 cylindrow",
};

// A step that is done: its label drawn in full colour, its LED lit.
struct DoneItem {
    std::string_view label;
    std::string_view led;
    std::string_view text;
};

inline constexpr std::array<DoneItem, 12> doneItems{{
    {"ZBLabel_AA_P1", "AutoFaz1Led1", "Zasilanie benzynowe"},
    {"UUZLabel_AA_P1", "AutoFaz1Led2", "Ustawiono układ zapłonowy"},
    {"OOTLabel_AA_P1", "AutoFaz1Led3", "Osiągnięto odp. temp"},
    {"URSLabel_AA_P1", "AutoFaz1Led4", "Ustawiono zakres sondy"},
    {"TPSPonLabel_AA_P2", "AutoFaz2Led1", "Próg TPS na wolnych obrotach ustawiony"},
    {"TPSPowLabel_AA_P2", "AutoFaz2Led2", "Próg TPS na wysokich obrotach ustawiony"},
    {"SSLabel_AA_P3", "AutoFaz3Led1", "Próg sondy ustawiony"},
    {"CSLabel_AA_P3", "AutoFaz3Led2", "Czasy emulacji ustawione"},
    {"ZL_AA_P4", "AutoFaz4Led1", "Zasilanie LPG"},
    {"UR_AA_P4", "AutoFaz4Led2", "Ustawiono reduktor na wolnych obrotach"},
    {"UTPOW_AA_P5", "AutoFaz5Led1", "Ustawiono tps powyzej"},
    {"UTPON_AA_P5", "AutoFaz5Led2", "Ustawiono tps ponizej"},
}};

// The result panel of each figure, in the figures' order.
inline constexpr std::array<std::string_view, figureCount> figurePanels{
    "TPSDolEDAA_P2", "TPSProEDAA_P2",  "TPSGorEDAA_P2", "UbogaEDAA_P3",    "ProgEDAA_P3",
    "BogataEDAA_P3", "THEDAA_P3",      "TLEDAA_P3",     "MinPOWEDAA_P5",   "MaxPOWEDAA_P5",
    "StartPOWEDAA_P5", "MinPONEDAA_P5", "MaxPONEDAA_P5", "StartPONEDAA_P5",
};
constexpr std::string_view figurePanel(Figure figure)
{
    return figurePanels[static_cast<std::size_t>(figure)];
}

// The pages' own texts of the prompts and notices the wizard shows and hides.
struct NamedText {
    std::string_view name;
    std::string_view text;
};

inline constexpr std::array<NamedText, 11> promptTexts{{
    {"PPNMLabel_AA_P2", "Proszę ustawic obroty biegu jalowego"},
    {"PPNDLabel_AA_P2", "Proszę ustawic obroty powyżej 3000 rpm"},
    {"USLabel_AA_P3", "Uwaga sonda posiada mały zakres regulacji"},
    {"PPNLabel_AA_P4",
     "Proszę zaczekać do momentu nagrzania sie sondy lambda i regulować reduktor na wolnych obrotach aż do "
     "osiągnięcia mieszanki bogatej"},
    {"PPNALabel_AA_P4", "Prosze uruchomić silnik i przejść na gaz"},
    {"ZZBGLabel_AA_P4", "zmiana zasilania B/G"},
    {"PUOLabel_AA_P5", "Proszę ustawić obroty powyżej 2000 rpm"},
    {"PUWLabel_AA_P5", "Proszę ustawić wolne obroty"},
    {"ZA_AA_P5", "Zakończono autoadaptację"},
    {"PUSLabel_AA_P1",
     "Proszę wybrać rodzaj układu zapłonowego, sondy lambda oraz jeśli występuje czujnik temperatury odczekać "
     "do momentu osiągnięcia przez silnik temperatury pracy. Następnie proszę nacisnąć przycisk DALEJ"},
    {"JakiTps_AA_P2", ""},
}};

// The notice on every page while the controller does not answer.
inline constexpr std::array<std::string_view, 4> noAnswerLabels{"SNOLabel_AA_P1", "SNOLabel_AA_P2", "SNOLabel_AA_P4",
                                                                "SNOLabel_AA_P5"};
// The notice of a measuring page once one of its phases was measured on an
// unreliable line (step 1 measures nothing and has none).
inline constexpr std::array<std::string_view, 3> unreliableLineLabels{"LNLabel_AA_P2", "LNLabel_AA_P4",
                                                                      "LNLabel_AA_P5"};
std::string_view unreliableLineLabel(WizardPage page);

// The prompts that stand on a page the whole time it is shown.
std::span<const std::string_view> standingInstructions(WizardPage page);

// The page's text of a named label or prompt; empty when unknown.
std::string_view pageText(std::string_view name);

// The parameter pages' RPM fields re-encoded at the end of step 1.
inline constexpr std::array<std::string_view, 4> rpmFieldNames{"ODPBenzynaGas", "DObrotow", "MONGaz", "OSDCutOff"};

// Blinking titles: black and blue, 0x00BBGGRR.
inline constexpr std::uint32_t blinkBlack = 0x000000;
inline constexpr std::uint32_t blinkBlue = 0xFF0000;

// Sector colours of the reducer page's lambda bar, 0x00BBGGRR.
inline constexpr std::uint32_t barGreen = 0x008000;
inline constexpr std::uint32_t barRed = 0x0000FF;

}  // namespace dravinor::wizard
