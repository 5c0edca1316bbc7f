#include "wizard/WizardTexts.h"

#include <algorithm>
#include <utility>

namespace dravinor::wizard {

namespace {

using enum WizardControl;

// Texts several pages share.
constexpr std::string_view doneHeading = "Wykonano:";
constexpr std::string_view nextButton = "DALEJ->(F10)";
constexpr std::string_view noAnswer = "Sterownik nie odpowiada";
constexpr std::string_view unreliableLine = "Łącze niepewne: ponad 10% odczytów błędnych - wynik wątpliwy";
constexpr std::string_view volts = "V";
constexpr std::string_view lean = "Uboga";
constexpr std::string_view rich = "Bogata";

constexpr std::pair<WizardControl, std::string_view> pageTexts[] = {
    // The first page.
    {StartInstructions,
     "Proszę wybrać rodzaj układu zapłonowego, sondy lambda oraz jeśli występuje czujnik temperatury odczekać "
     "do momentu osiągnięcia przez silnik temperatury pracy. Następnie proszę nacisnąć przycisk DALEJ"},
    {IgnitionListCaption, "Wybierz rodzaj zapłonu"},
    {ProbeListCaption, "Wybierz rodzaj sondy lambda"},
    {TemperatureSensorBox, "wł \\ wył czujnik temperatury"},
    {StartDoneHeading, doneHeading},
    {PetrolDone, "Zasilanie benzynowe"},
    {IgnitionDone, "Ustawiono układ zapłonowy"},
    {TemperatureDone, "Osiągnięto odp. temp"},
    {ProbeRangeDone, "Ustawiono zakres sondy"},
    {StartNext, nextButton},
    {StartNoAnswer, noAnswer},
    // The TPS and lambda probe page.
    {TpsIdlePrompt, "Proszę ustawic obroty biegu jalowego"},
    {TpsHighPrompt, "Proszę ustawic obroty powyżej 3000 rpm"},
    {TpsTitle, "Trwa ustawianie parametrow TPS"},
    {TpsIdleCaption, "TPS - dolny"},
    {TpsIdleUnit, volts},
    {TpsThresholdCaption, "TPS - Próg"},
    {TpsThresholdUnit, volts},
    {TpsHighCaption, "TPS - górny"},
    {TpsHighUnit, volts},
    {ProbeTitle, "Trwa ustawianie parametrów sondy lambda"},
    {LeanCaption, lean},
    {ProbeThresholdCaption, "Próg"},
    {RichCaption, rich},
    {EmulationTitle, "Trwa ustawianie emulacji sondy lambda"},
    {RichTimeCaption, "TH"},
    {LeanTimeCaption, "TL"},
    // The scale of a 0-1 V probe until the fitter chooses one.
    {ProbeScaleLow, "0 V"},
    {ProbeScaleHigh, "1 V"},
    {TpsPageProgressCaption, "postęp:"},
    {TpsPageDoneHeading, doneHeading},
    {TpsIdleDone, "Próg TPS na wolnych obrotach ustawiony"},
    {TpsHighDone, "Próg TPS na wysokich obrotach ustawiony"},
    {ProbeThresholdDone, "Próg sondy ustawiony"},
    {EmulationDone, "Czasy emulacji ustawione"},
    {NarrowProbeNotice, "Uwaga sonda posiada mały zakres regulacji"},
    {TpsPageNext, nextButton},
    {TpsPageNoAnswer, noAnswer},
    {TpsPageUnreliableLine, unreliableLine},
    // The reducer page.
    {ReducerInstructions,
     "Proszę zaczekać do momentu nagrzania sie sondy lambda i regulować reduktor na wolnych obrotach aż do "
     "osiągnięcia mieszanki bogatej"},
    {StartOnGasPrompt, "Prosze uruchomić silnik i przejść na gaz"},
    {FuelSwitchCaption, "zmiana zasilania B/G"},
    {ReducerLeanCaption, lean},
    {ReducerRichCaption, rich},
    {ReducerProgressCaption, "postęp:"},
    {ReducerDoneHeading, doneHeading},
    {GasDone, "Zasilanie LPG"},
    {ReducerDone, "Ustawiono reduktor na wolnych obrotach"},
    {ReducerNext, nextButton},
    {ReducerNoAnswer, noAnswer},
    {ReducerUnreliableLine, unreliableLine},
    // The actuator page.
    {ActuatorAbovePrompt, "Proszę ustawić obroty powyżej 2000 rpm"},
    {ActuatorIdlePrompt, "Proszę ustawić wolne obroty"},
    {ActuatorTitle, "Trwa ustawianie parametrów silnika krokowego"},
    {ActuatorMinimumHeading, "Min"},
    {ActuatorMaximumHeading, "Max"},
    {ActuatorStartHeading, "Start"},
    {AboveTpsRowCaption, "TPS Pow"},
    {IdleRowCaption, "TPS Pon"},
    {ActuatorProgressCaption, "Postęp:"},
    {ActuatorDoneHeading, doneHeading},
    {AboveTpsDone, "Ustawiono tps powyzej"},
    {IdleDone, "Ustawiono tps ponizej"},
    {FinishedNotice, "Zakończono autoadaptację"},
    {FinishButton, "KONIEC->(F10)"},
    {ActuatorNoAnswer, noAnswer},
    {ActuatorUnreliableLine, unreliableLine},
};

}  // namespace

std::string_view pageCaption(WizardPage page)
{
    switch (page) {
    case WizardPage::Start: return "Poczatek";
    case WizardPage::TpsAndProbe: return "Ustalenie progu TPS i kalibracja sondy";
    case WizardPage::Reducer: return "Regulacja reduktora";
    case WizardPage::Actuator: break;
    }
    return "Zakres pracy attuatora";
}

std::string_view pageText(WizardControl control)
{
    const auto* found = std::find_if(std::begin(pageTexts), std::end(pageTexts),
                                     [control](const auto& entry) { return entry.first == control; });
    return found == std::end(pageTexts) ? std::string_view() : found->second;
}

}  // namespace dravinor::wizard
