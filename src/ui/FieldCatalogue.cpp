#include "FieldCatalogue.h"

#include "FlagBits.h"

#include <algorithm>

namespace dravinor::ui::fields {

namespace {

using enum KeyFilter;
using enum Encoding;
using enum ListRole;
using enum ListEnter;
using enum Compare;
namespace A = params::flagA;
namespace B = params::flagB;

constexpr TextField textTable[] = {
    {"PRLambda", "PRLambdaL", "Próg sondy lambda", 1, 6, Decimal, nullptr, LambdaThreshold, 0, 0, 1, nullptr, Pair::None,
     "Ustaw wartość średnią pomiędzy sondą ubogą a bogatą"},
    {"ESLambda_1", "ESLambdaL", "Emulacja sondy lambda", 1, 5, Decimal, "0,496", Emulation, 0, 0, 29, "ESLambda_2", Pair::FillsOnly,
     "Zadaj dolny czas trwania emulacji sondy lambda"},
    {"ESLambda_2", "ESLambdaL", nullptr, 1, 5, Decimal, "0,496", Emulation, 0, 0, 28, "ESLambda_1", Pair::Upper,
     "Zadaj górny czas trwania emulacji sondy lambda"},
    {"PCTps", "PCTpsL", "Próg czujnika tps", 2, 4, Decimal, "1,4", TpsThreshold, 0, 0, 2, nullptr, Pair::None,
     "Ustaw wartość graniczną czujnika TPS pomiędzy wolnymi a wysokimi obrotami"},
    {"ODPBenzynaGas", "ODPBenzynaGasL", "Obroty dla przejscia b-g", 3, 4, Digits, "2200", SwitchOverRpm, 0, 0, 14,
     nullptr, Pair::None, "Ustaw próg obrotów dla przejścia z benzyny na gaz"},
    {"DObrotow", "DObrotowL", "Delta obrotów", 3, 4, Digits, "100", RpmDelta, 0, 0, 33, nullptr, Pair::None,
     "Ustaw wartość spadku obrotów dla przełączenia przy obrotach malejących"},
    {"MONGaz", "MONGazL", "Maksymalne obroty na gazie", 3, 4, Digits, "6000", MaxRpmOnGas, 0, 0, 18, nullptr, Pair::None,
     "Ustaw próg obrotów przy którym nastąpi przejście na benzynę"},
    {"TPWStopniach", "TPWStopniachL", "Temperatura przełaczenia", 3, 2, Digits, "0", Temperature, 0, 0, 3, nullptr, Pair::None,
     "Ustaw minimalną temperaturę dla przełączenia B/G"},
    {"ZPAttuatoraPow_1", "ZPAttuatoraPowL", "Zakres pracy attuatora", 4, 3, Digits, "85", PlainByte, 0, 255, 6,
     "ZPAttuatoraPow_2", Pair::Lower, "Ustaw minimalne otwarcie silnika krokowego na wysokich obrotach"},
    {"ZPAttuatoraPow_2", "ZPAttuatoraPowL", nullptr, 4, 3, Digits, "115", PlainByte, 0, 255, 5, "ZPAttuatoraPow_1", Pair::Upper,
     "Ustaw maksymalne otwarcie silnika krokowego na wysokich obrotach"},
    {"PSAttuatoraPow", "PSAttuatoraPowL", "Pozycja startowa", 4, 3, Digits, "100", PlainByte, 0, 255, 4, nullptr, Pair::None,
     "Ustaw środkową pozycję silnika krokowego na wysokich obrotach"},
    {"PAttuatoraPow", "PAttuatoraPowL", "Prędkość attuatora", 4, 3, Digits, "85", PlainByte, 1, 255, 10, nullptr, Pair::None,
     "Ustaw prędkość pracy attuatora na wysokich obrotach"},
    {"ZPAttuatoraPon_1", "ZPAttuatoraPonL", "Zakres pracy attuatora", 5, 3, Digits, "70", PlainByte, 0, 255, 9,
     "ZPAttuatoraPon_2", Pair::Lower, "Ustaw minimalne otwarcie silnika krokowego na niskich obrotach"},
    {"ZPAttuatoraPon_2", "ZPAttuatoraPonL", nullptr, 5, 3, Digits, "100", PlainByte, 0, 255, 8, "ZPAttuatoraPon_1", Pair::Upper,
     "Ustaw maksymalne otwarcie silnika krokowego na niskich obrotach"},
    {"PSAttuatoraPon", "PSAttuatoraPonL", "Pozycja startowa", 5, 3, Digits, "85", PlainByte, 0, 255, 7, nullptr, Pair::None,
     "Ustaw środkową pozycję silnika krokowego na niskich obrotach"},
    // The low-RPM speed shares the high-RPM speed's hint text.
    {"PAttuatoraPon", "PAttuatoraPonL", "Prędkość attuatora", 5, 3, Digits, "75", PlainByte, 1, 255, 11, nullptr, Pair::None,
     "Ustaw prędkość pracy attuatora na wysokich obrotach"},
    {"IKDCutOff", "IKDCutOffL", "Ilosc kroków dla cut off", 6, 3, Digits, "70", PlainByte, 0, 255, 24, nullptr, Pair::None,
     "Podaj liczbę kroków dla spoczynku attuatora podczas hamowania silnikiem"},
    {"OSDCutOff", "OSDCutOffL", "Obroty silnika dla cut off", 6, 4, Digits, "1800", CutOffRpm, 0, 0, 22, nullptr, Pair::None,
     "Obroty silnika dla wyzwolenia pracy attuatora po hamowaniu silnikiem"},
    {"BTps", "BTpsL", "Bezwładność tps-u", 8, 5, Decimal, "0,15", TpsInertia, 0, 0, 12, nullptr, Pair::None,
     "Zmiana zakresu na PONIŻEJ TPS-u następuje wtedy gdy TPS spadnie poniżej (PROGU TPSu - BEZWLADNOŚĆ TPS-u), "
     "funkcja ta eliminuje drgania TPS-u, można ją wyłączyć ustawiając 0"},
    {"CLambda", "CLambdaL", "Czas grzania sondy lambda", 8, 3, Digits, "6", HeatingTime, 0, 0, 26, nullptr, Pair::None,
     "Czas braku reakcji na sondę po uruchomieniu silnika w sekundach"},
    {"AVoltage", "AVoltageL", "Próg dodatkowego otw. tps-u", 8, 5, Decimal, "1,45", ExtraOpening, 0, 0, 25, nullptr, Pair::None,
     "Ustaw napięcie dodane do wartości TPS-u w momencie nagłego przyspieszenia"},
    {"DOAttuatora", "DOAttuatoraL", "Dodatkowe otw. attuatora", 8, 2, Digits, "3", PlainByte, 0, 50, 31, nullptr, Pair::None,
     "Ilość kroków dodawanych przy gwałtownym przyspieszeniu dla wzbogacenia mieszanki"},
    {"RPMSignal", "RPMSignalL", "Poziom sygnału obrotów", 8, 3, Digits, "2", PlainByte, 2, 255, 20, nullptr, Pair::None,
     "Zwiększaj wartość do momentu wyeliminowania zakłóceń (szpilek) w odczycie obrotów"},
};

constexpr ListField listTable[] = {
    {"RSLambda", "Rodzaj sondy lambda", 1, ProbeType, "Wybierz rodzaj sondy lambda", 1, MovesOn},
    {"RSYLambda", "Rodzaj emulacji", 1, EmulationType, "Wybierz sposób w jaki ma być emulowana sonda lambda", 1,
     MovesOn},
    {"TCTps", "Typ czujnika tps ", 2, FlagBit, "Wybierz typ czujnika położenia przepustnicy", 2, MovesOn},
    {"RObrotow", "Rodzaj obrotów", 3, FlagBit, "Wybierz tryb przełączenia B-G przy wzrastaniu lub opadaniu obrotów",
     3, MovesOn},
    {"CNPaliw", "Czas nakladania paliw ", 3, FuelOverlap,
     "Ustaw opóżnienie odłączenia wtryskiwaczy benzynowych dla przejścia B-G", 3, MovesOn},
    {"RUZaplonowego", "Rodzaj ukladu zapłonowego", 3, Ignition,
     "Wybierz rodzaj układu zapłonowego tak aby obroty w programie były zgodne z obrotami rzeczywistymi", 3,
     MovesOn},
    {"TPSterownika", "Tryb pracy sterownika", 7, ControllerMode, nullptr, 7, MovesOn},
    {"TSRezerwy", "Typ szkiełka rezerwy ", 7, FlagBit,
     "Wybierz typ sensora rezerwy ( 20 Kohm - standard Tomasetto; 90 Ohm - standard BRC lub wskazanie punktowe )", 5,
     ToAdvancedPage},
    {"TJazdy", "Tryb jazdy sportowej", 8, FlagBit,
     "W tym trybie silnik krokowy pozostaje w ostatniej pozycji jeszcze przez okres 3 sekund od momentu spadku "
     "TPS-u (szybka zmiana biegów)",
     8, ToBasicPage},
    {"DOAttuatoraCheck", "Dodatkowe otw. attuatora (prz)", 8, FlagBit,
     "Włącz jeśli chcesz wymusić zaaplikowanie dodatkowej dawki gazu w momencie gwałtownego przyspieszenia", 8,
     MovesOn},
    {"MOAttuatora", "Maksymalne otwarcie attuatora", 8, Inert, nullptr, 8, Nothing},
};

constexpr CheckField checkTable[] = {
    {"WMObroty", "Włącz maksymalne obroty", 3},
    {"WCTemperatury", "Włącz czujnik temperatury", 3},
    {"WCutOff", "Włącz Cut off", 6},
};

constexpr FlagField flagTable[] = {
    {"TCTps", Flag::A, A::tpsRising, 0, nullptr, 0},
    {"RObrotow", Flag::A, A::rpmRising, 1, rpmTypeChangeHint, 1},
    {"TSRezerwy", Flag::A, A::reserveGauge90R, 1, "", 7},
    {"TJazdy", Flag::B, B::sportMode, 2, "", 8},
    {"DOAttuatoraCheck", Flag::B, B::extraOpening, 2, nullptr, 0},
    {"WCTemperatury", Flag::A, A::temperatureSensor, 1, "", 3},
    {"WMObroty", Flag::A, A::maxRpmLimit, 1, "", 3},
    {"WCutOff", Flag::A, A::cutOff, 1, "", 6},
};

constexpr Dependency dependencyTable[] = {
    {"WCTemperatury", true, {"TPWStopniach", nullptr}, true},
    {"WMObroty", true, {"MONGaz", nullptr}, true},
    {"WCutOff", true, {"IKDCutOff", "OSDCutOff"}, true},
    {"RObrotow", false, {"DObrotow", nullptr}, true},
    {"DOAttuatoraCheck", true, {"DOAttuatora", "AVoltage"}, false},
};

constexpr const char* outOfRange = "Pozycja startowa silnika krokowego jest poza zakresem, kontynuować ?";

constexpr RangeWarning warningTable[] = {
    {"PCTps", Below, 2, nullptr, "Próg tps-u ustawiony za nisko,  kontynuowac ?", true},
    {"PCTps", Above, 253, nullptr, "Próg tps-u ustawiony za wysoko, kontynuowac ?", true},
    {"ODPBenzynaGas", Below, 15, nullptr, "Za niski próg przełączenia na RPM, kontynuować ?", true},
    {"ODPBenzynaGas", Above, 37, nullptr, "Za wysoki próg przełączenia na RPM, kontynuować ?", true},
    {"MONGaz", Below, 10, nullptr, "Za małe dozwolone max. RPM., kontynuować ?", true},
    {"ZPAttuatoraPow_1", Below, 20, nullptr, outOfRange, true},
    {"ZPAttuatoraPon_1", Below, 20, nullptr, outOfRange, true},
    {"ZPAttuatoraPow_1", Above, 250, nullptr, outOfRange, true},
    {"ZPAttuatoraPon_1", Above, 250, nullptr, outOfRange, true},
    {"ZPAttuatoraPow_2", BelowField, 0, "PSAttuatoraPow", outOfRange, true},
    {"ZPAttuatoraPon_2", BelowField, 0, "PSAttuatoraPon", outOfRange, true},
    {"ZPAttuatoraPow_2", Below, 20, nullptr, outOfRange, true},
    {"ZPAttuatoraPon_2", Below, 20, nullptr, outOfRange, true},
    {"ZPAttuatoraPow_2", Above, 250, nullptr, outOfRange, true},
    {"ZPAttuatoraPon_2", Above, 250, nullptr, outOfRange, true},
    {"PSAttuatoraPow", BelowField, 0, "ZPAttuatoraPow_1", outOfRange, true},
    {"PSAttuatoraPon", BelowField, 0, "ZPAttuatoraPon_1", outOfRange, true},
    {"PSAttuatoraPow", AboveField, 0, "ZPAttuatoraPow_2", outOfRange, true},
    {"PSAttuatoraPon", AboveField, 0, "ZPAttuatoraPon_2", outOfRange, true},
    {"PAttuatoraPow", Below, 4, nullptr, "Duża szybkosć silnika krokowego powyżej TPS-u, kontynuować ?", true},
    {"PAttuatoraPow", Above, 250, nullptr, "Mała szybkosć silnika krokowego powyżej TPS-u, kontynuować ?", true},
    {"PAttuatoraPon", Below, 4, nullptr, "Duża szybkosć silnika krokowego poniżej TPS-u, kontynuować ?", true},
    {"PAttuatoraPon", Above, 250, nullptr, "Mała szybkosć silnika krokowego poniżej TPS-u, kontynuować ?", true},
    {"IKDCutOff", Below, 20, nullptr, "Za mała wartość otwarcia silnika dla cutoff-a, kontynuować ?", true},
    {"IKDCutOff", Above, 250, nullptr, "Za duże otwarcie silnika dla cutoff-a, kontynuować ?", true},
    {"OSDCutOff", Below, 15, nullptr, "Za mała wartość RPM dla CUTOFF-a, kontynuować ?", false},
    {"BTps", Below, 1, nullptr, "Bezwładność TPS-u ustawiona na 0, kontynuować ?", true},
    {"CLambda", Above, 253, nullptr, "Bardzo długi czas zimnej lambdy, kontynuować ?", true},
};

using enum ControlKind;
constexpr Control tabTable[] = {
    {"RSLambda", List}, {"PRLambda", Text}, {"RSYLambda", List}, {"ESLambda_1", Text}, {"ESLambda_2", Text},
    {"TCTps", List}, {"PCTps", Text},
    {"ODPBenzynaGas", Text}, {"RObrotow", List}, {"DObrotow", Text}, {"CNPaliw", List}, {"MONGaz", Text},
    {"TPWStopniach", Text}, {"RUZaplonowego", List}, {"WMObroty", Check}, {"WCTemperatury", Check},
    {"ZPAttuatoraPow_1", Text}, {"ZPAttuatoraPow_2", Text}, {"PSAttuatoraPow", Text}, {"PAttuatoraPow", Text},
    {"ZPAttuatoraPon_1", Text}, {"ZPAttuatoraPon_2", Text}, {"PSAttuatoraPon", Text}, {"PAttuatoraPon", Text},
    {"IKDCutOff", Text}, {"OSDCutOff", Text}, {"WCutOff", Check},
    {"TPSterownika", List}, {"TSRezerwy", List},
    {"BTps", Text}, {"CLambda", Text}, {"DOAttuatoraCheck", List}, {"AVoltage", Text}, {"DOAttuatora", Text},
    {"RPMSignal", Text}, {"TJazdy", List}, {"MOAttuatora", List},
};

constexpr const char* showTable[] = {
    "PRLambda", "PCTps", "TPWStopniach", "PSAttuatoraPow", "ZPAttuatoraPow_2", "ZPAttuatoraPow_1",
    "PSAttuatoraPon", "ZPAttuatoraPon_2", "ZPAttuatoraPon_1", "PAttuatoraPow", "PAttuatoraPon", "BTps",
    "RUZaplonowego", "ODPBenzynaGas", "DObrotow", "MONGaz", "RPMSignal", "CNPaliw", "OSDCutOff", "IKDCutOff",
    "AVoltage", "CLambda", "RSLambda", "RSYLambda", "ESLambda_2", "ESLambda_1", "DOAttuatora",
    "TCTps", "RObrotow", "WCTemperatury", "WCutOff", "WMObroty",
    "TPSterownika", "TSRezerwy", "TJazdy", "DOAttuatoraCheck",
};

constexpr const char* groupCaptions[] = {"Sonda", "TPS", "Zaplon, RPM przelaczenia", "Silnik powyzej TPS",
                                         "Silnik ponizej TPS", "CUT OFF", "", ""};

constexpr const char* modeTexts[] = {
    "Po przekroczeniu progu TPS-u attuator otwiera się do pozycji startowej poniżej TPS-u, następnie podąża za "
    "wskazaniem sondy lambda",
    "Po przekroczeniu progu TPS-u attuator otwiera się max powyzej TPS, następnie do pozycji startowej powyżej "
    "TPS-u i podąża za wskazaniem sondy lambda",
    "Po przekroczeniu progu TPS-u attuator otwiera się do pozycji max powyżej TPS-u, następnie podąża za sondą "
    "lambda",
};

template <typename Row>
const Row* findByName(std::span<const Row> rows, std::string_view name)
{
    const auto it = std::find_if(rows.begin(), rows.end(), [name](const Row& row) { return row.name == name; });
    return it == rows.end() ? nullptr : &*it;
}

}  // namespace

std::span<const TextField> textFields() { return textTable; }
std::span<const ListField> listFields() { return listTable; }
std::span<const CheckField> checkFields() { return checkTable; }
std::span<const FlagField> flagFields() { return flagTable; }
std::span<const Dependency> dependencies() { return dependencyTable; }
std::span<const RangeWarning> rangeWarnings() { return warningTable; }
std::span<const Control> tabOrder() { return tabTable; }
std::span<const char* const> showOrder() { return showTable; }

const TextField* findTextField(std::string_view name) { return findByName(textFields(), name); }
const ListField* findListField(std::string_view name) { return findByName(listFields(), name); }
const FlagField* findFlagField(std::string_view name) { return findByName(flagFields(), name); }

const char* groupCaption(int group)
{
    return group >= 1 && group <= 8 ? groupCaptions[group - 1] : "";
}

const char* controllerModeText(int item)
{
    return item >= 0 && item < 3 ? modeTexts[item] : "";
}

}  // namespace dravinor::ui::fields
