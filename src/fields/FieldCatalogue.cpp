#include "FieldCatalogue.h"

#include "FlagBits.h"
#include "ParameterTable.h"

#include <algorithm>

namespace dravinor::fields {

namespace {

using enum KeyFilter;
using enum Encoding;
using enum ListRole;
using enum ListEnter;
using enum Compare;
namespace A = params::flagA;
namespace B = params::flagB;
namespace P = params::address;

constexpr TextField textTable[] = {
    {"PRLambda", "PRLambdaL", "Próg sondy lambda", 1, 6, Decimal, nullptr, LambdaThreshold, 0, 0, P::lambdaThreshold, nullptr, Pair::None, 40001},
    {"ESLambda_1", "ESLambdaL", "Emulacja sondy lambda", 1, 5, Decimal, "0,496", Emulation, 0, 0, P::emulationFirstTime, "ESLambda_2", Pair::FillsOnly, 40002},
    {"ESLambda_2", "ESLambdaL", nullptr, 1, 5, Decimal, "0,496", Emulation, 0, 0, P::emulationSecondTime, "ESLambda_1", Pair::Upper, 40003},
    {"PCTps", "PCTpsL", "Próg czujnika tps", 2, 4, Decimal, "1,4", TpsThreshold, 0, 0, P::tpsThreshold, nullptr, Pair::None, 40005},
    {"ODPBenzynaGas", "ODPBenzynaGasL", "Obroty dla przejscia b-g", 3, 4, Digits, "2200", SwitchOverRpm, 0, 0, P::switchOverRpm,
     nullptr, Pair::None, 40006},
    {"DObrotow", "DObrotowL", "Delta obrotów", 3, 4, Digits, "100", RpmDelta, 0, 0, P::rpmDelta, nullptr, Pair::None, 40008},
    {"MONGaz", "MONGazL", "Maksymalne obroty na gazie", 3, 4, Digits, "6000", MaxRpmOnGas, 0, 0, P::maxRpmOnGas, nullptr, Pair::None, 40010},
    {"TPWStopniach", "TPWStopniachL", "Temperatura przełaczenia", 3, 2, Digits, "0", Temperature, 0, 0, P::switchOverTemperature, nullptr, Pair::None, 40011},
    {"ZPAttuatoraPow_1", "ZPAttuatoraPowL", "Zakres pracy attuatora", 4, 3, Digits, "85", PlainByte, 0, 255, P::rangeMinimumAboveTps,
     "ZPAttuatoraPow_2", Pair::Lower, 40013},
    {"ZPAttuatoraPow_2", "ZPAttuatoraPowL", nullptr, 4, 3, Digits, "115", PlainByte, 0, 255, P::rangeMaximumAboveTps, "ZPAttuatoraPow_1", Pair::Upper, 40014},
    {"PSAttuatoraPow", "PSAttuatoraPowL", "Pozycja startowa", 4, 3, Digits, "100", PlainByte, 0, 255, P::startPositionAboveTps, nullptr, Pair::None, 40015},
    {"PAttuatoraPow", "PAttuatoraPowL", "Prędkość attuatora", 4, 3, Digits, "85", PlainByte, 1, 255, P::actuatorSpeedAboveTps, nullptr, Pair::None, 40016},
    {"ZPAttuatoraPon_1", "ZPAttuatoraPonL", "Zakres pracy attuatora", 5, 3, Digits, "70", PlainByte, 0, 255, P::rangeMinimumBelowTps,
     "ZPAttuatoraPon_2", Pair::Lower, 40017},
    {"ZPAttuatoraPon_2", "ZPAttuatoraPonL", nullptr, 5, 3, Digits, "100", PlainByte, 0, 255, P::rangeMaximumBelowTps, "ZPAttuatoraPon_1", Pair::Upper, 40018},
    {"PSAttuatoraPon", "PSAttuatoraPonL", "Pozycja startowa", 5, 3, Digits, "85", PlainByte, 0, 255, P::startPositionBelowTps, nullptr, Pair::None, 40019},
    // The low-RPM speed's hint slot holds the high-RPM speed's text.
    {"PAttuatoraPon", "PAttuatoraPonL", "Prędkość attuatora", 5, 3, Digits, "75", PlainByte, 1, 255, P::actuatorSpeedBelowTps, nullptr, Pair::None, 40020},
    {"IKDCutOff", "IKDCutOffL", "Ilosc kroków dla cut off", 6, 3, Digits, "70", PlainByte, 0, 255, P::cutOffSteps, nullptr, Pair::None, 40021},
    {"OSDCutOff", "OSDCutOffL", "Obroty silnika dla cut off", 6, 4, Digits, "1800", CutOffRpm, 0, 0, P::cutOffRpm, nullptr, Pair::None, 40022},
    {"BTps", "BTpsL", "Bezwładność tps-u", 8, 5, Decimal, "0,15", TpsInertia, 0, 0, P::tpsInertia, nullptr, Pair::None, 40023},
    {"CLambda", "CLambdaL", "Czas grzania sondy lambda", 8, 3, Digits, "6", HeatingTime, 0, 0, P::heatingTime, nullptr, Pair::None, 40024},
    {"AVoltage", "AVoltageL", "Próg dodatkowego otw. tps-u", 8, 5, Decimal, "1,45", ExtraOpening, 0, 0, P::extraOpeningThreshold, nullptr, Pair::None, 40025},
    {"DOAttuatora", "DOAttuatoraL", "Dodatkowe otw. attuatora", 8, 2, Digits, "3", PlainByte, 0, 50, P::extraOpening, nullptr, Pair::None, 40026},
    {"RPMSignal", "RPMSignalL", "Poziom sygnału obrotów", 8, 3, Digits, "2", PlainByte, 2, 255, P::rpmSignalLevel, nullptr, Pair::None, 40027},
};

constexpr ListField listTable[] = {
    {"RSLambda", "Rodzaj sondy lambda", 1, ProbeType, 40000, 1, MovesOn},
    {"RSYLambda", "Rodzaj emulacji", 1, EmulationType, 40028, 1,
     MovesOn},
    {"TCTps", "Typ czujnika tps ", 2, FlagBit, 40004, 2, MovesOn},
    {"RObrotow", "Rodzaj obrotów", 3, FlagBit, 40007,
     3, MovesOn},
    {"CNPaliw", "Czas nakladania paliw ", 3, FuelOverlap, 40009, 3, MovesOn},
    {"RUZaplonowego", "Rodzaj ukladu zapłonowego", 3, Ignition, 40012, 3,
     MovesOn},
    {"TPSterownika", "Tryb pracy sterownika", 7, ControllerMode, 0, 7, MovesOn},
    {"TSRezerwy", "Typ szkiełka rezerwy ", 7, FlagBit, 40030, 5,
     ToAdvancedPage},
    {"TJazdy", "Tryb jazdy sportowej", 8, FlagBit, 40032,
     8, ToBasicPage},
    {"DOAttuatoraCheck", "Dodatkowe otw. attuatora (prz)", 8, FlagBit, 40031, 8,
     MovesOn},
    {"MOAttuatora", "Maksymalne otwarcie attuatora", 8, Inert, 0, 8, Nothing},
};

constexpr CheckField checkTable[] = {
    {"WMObroty", "Włącz maksymalne obroty", 3},
    {"WCTemperatury", "Włącz czujnik temperatury", 3},
    {"WCutOff", "Włącz Cut off", 6},
};

constexpr FlagField flagTable[] = {
    {"TCTps", Flag::A, A::tpsRising, 0, noHint, 0},
    {"RObrotow", Flag::A, A::rpmRising, 1, lang::slot::probeTypeHint, 1},
    {"TSRezerwy", Flag::A, A::reserveGauge90R, 1, emptyHint, 7},
    {"TJazdy", Flag::B, B::sportMode, 2, emptyHint, 8},
    {"DOAttuatoraCheck", Flag::B, B::extraOpening, 2, noHint, 0},
    {"WCTemperatury", Flag::A, A::temperatureSensor, 1, emptyHint, 3},
    {"WMObroty", Flag::A, A::maxRpmLimit, 1, emptyHint, 3},
    {"WCutOff", Flag::A, A::cutOff, 1, emptyHint, 6},
};

constexpr Dependency dependencyTable[] = {
    {"WCTemperatury", true, {"TPWStopniach", nullptr}, true},
    {"WMObroty", true, {"MONGaz", nullptr}, true},
    {"WCutOff", true, {"IKDCutOff", "OSDCutOff"}, true},
    {"RObrotow", false, {"DObrotow", nullptr}, true},
    {"DOAttuatoraCheck", true, {"DOAttuatora", "AVoltage"}, false},
};

// The start-position text has four slots of its own: 40207 for the minimum
// fields, 40208 for a maximum below its start position, 40209 for a maximum out
// of range, 40210 for a start position outside its range.
constexpr RangeWarning warningTable[] = {
    {"PCTps", Below, 2, nullptr, 40202, true},
    {"PCTps", Above, 253, nullptr, 40203, true},
    {"ODPBenzynaGas", Below, 15, nullptr, 40204, true},
    {"ODPBenzynaGas", Above, 37, nullptr, 40205, true},
    {"MONGaz", Below, 10, nullptr, 40206, true},
    {"ZPAttuatoraPow_1", Below, 20, nullptr, 40207, true},
    {"ZPAttuatoraPon_1", Below, 20, nullptr, 40207, true},
    {"ZPAttuatoraPow_1", Above, 250, nullptr, 40207, true},
    {"ZPAttuatoraPon_1", Above, 250, nullptr, 40207, true},
    {"ZPAttuatoraPow_2", BelowField, 0, "PSAttuatoraPow", 40208, true},
    {"ZPAttuatoraPon_2", BelowField, 0, "PSAttuatoraPon", 40208, true},
    {"ZPAttuatoraPow_2", Below, 20, nullptr, 40209, true},
    {"ZPAttuatoraPon_2", Below, 20, nullptr, 40209, true},
    {"ZPAttuatoraPow_2", Above, 250, nullptr, 40209, true},
    {"ZPAttuatoraPon_2", Above, 250, nullptr, 40209, true},
    {"PSAttuatoraPow", BelowField, 0, "ZPAttuatoraPow_1", 40210, true},
    {"PSAttuatoraPon", BelowField, 0, "ZPAttuatoraPon_1", 40210, true},
    {"PSAttuatoraPow", AboveField, 0, "ZPAttuatoraPow_2", 40210, true},
    {"PSAttuatoraPon", AboveField, 0, "ZPAttuatoraPon_2", 40210, true},
    {"PAttuatoraPow", Below, 4, nullptr, 40211, true},
    {"PAttuatoraPow", Above, 250, nullptr, 40212, true},
    {"PAttuatoraPon", Below, 4, nullptr, 40213, true},
    {"PAttuatoraPon", Above, 250, nullptr, 40214, true},
    {"IKDCutOff", Below, 20, nullptr, 40216, true},
    {"IKDCutOff", Above, 250, nullptr, 40217, true},
    {"OSDCutOff", Below, 15, nullptr, 40215, false},
    {"BTps", Below, 1, nullptr, 40218, true},
    {"CLambda", Above, 253, nullptr, 40220, true},
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

int controllerModeSlot(int item)
{
    return item >= 0 && item < 3 ? lang::slot::controllerModeText + item : 0;
}

}  // namespace dravinor::fields
