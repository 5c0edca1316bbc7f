#include "fields/FieldCatalogue.h"

#include "params/FlagBits.h"
#include "params/ParameterTable.h"

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

// The tables keep one row per field.
// clang-format off
constexpr TextField textTable[] = {
    {.name = "PRLambda", .label = "PRLambdaL", .caption = "Próg sondy lambda", .group = 1, .maxLength = 6,
     .filter = Decimal, .emptyText = nullptr, .encoding = LambdaThreshold, .low = 0, .high = 0,
     .address = P::lambdaThreshold, .partner = nullptr, .pair = Pair::None, .hintSlot = 40001},
    {.name = "ESLambda_1", .label = "ESLambdaL", .caption = "Emulacja sondy lambda", .group = 1, .maxLength = 5,
     .filter = Decimal, .emptyText = "0,496", .encoding = Emulation, .low = 0, .high = 0,
     .address = P::emulationFirstTime, .partner = "ESLambda_2", .pair = Pair::FillsOnly, .hintSlot = 40002},
    {.name = "ESLambda_2", .label = "ESLambdaL", .caption = nullptr, .group = 1, .maxLength = 5,
     .filter = Decimal, .emptyText = "0,496", .encoding = Emulation, .low = 0, .high = 0,
     .address = P::emulationSecondTime, .partner = "ESLambda_1", .pair = Pair::Upper, .hintSlot = 40003},
    {.name = "PCTps", .label = "PCTpsL", .caption = "Próg czujnika tps", .group = 2, .maxLength = 4,
     .filter = Decimal, .emptyText = "1,4", .encoding = TpsThreshold, .low = 0, .high = 0,
     .address = P::tpsThreshold, .partner = nullptr, .pair = Pair::None, .hintSlot = 40005},
    {.name = "ODPBenzynaGas", .label = "ODPBenzynaGasL", .caption = "Obroty dla przejscia b-g", .group = 3, .maxLength = 4,
     .filter = Digits, .emptyText = "2200", .encoding = SwitchOverRpm, .low = 0, .high = 0,
     .address = P::switchOverRpm, .partner = nullptr, .pair = Pair::None, .hintSlot = 40006},
    {.name = "DObrotow", .label = "DObrotowL", .caption = "Delta obrotów", .group = 3, .maxLength = 4,
     .filter = Digits, .emptyText = "100", .encoding = RpmDelta, .low = 0, .high = 0,
     .address = P::rpmDelta, .partner = nullptr, .pair = Pair::None, .hintSlot = 40008},
    {.name = "MONGaz", .label = "MONGazL", .caption = "Maksymalne obroty na gazie", .group = 3, .maxLength = 4,
     .filter = Digits, .emptyText = "6000", .encoding = MaxRpmOnGas, .low = 0, .high = 0,
     .address = P::maxRpmOnGas, .partner = nullptr, .pair = Pair::None, .hintSlot = 40010},
    {.name = "TPWStopniach", .label = "TPWStopniachL", .caption = "Temperatura przełaczenia", .group = 3, .maxLength = 2,
     .filter = Digits, .emptyText = "0", .encoding = Temperature, .low = 0, .high = 0,
     .address = P::switchOverTemperature, .partner = nullptr, .pair = Pair::None, .hintSlot = 40011},
    {.name = "ZPAttuatoraPow_1", .label = "ZPAttuatoraPowL", .caption = "Zakres pracy attuatora", .group = 4, .maxLength = 3,
     .filter = Digits, .emptyText = "85", .encoding = PlainByte, .low = 0, .high = 255,
     .address = P::rangeMinimumAboveTps, .partner = "ZPAttuatoraPow_2", .pair = Pair::Lower, .hintSlot = 40013},
    {.name = "ZPAttuatoraPow_2", .label = "ZPAttuatoraPowL", .caption = nullptr, .group = 4, .maxLength = 3,
     .filter = Digits, .emptyText = "115", .encoding = PlainByte, .low = 0, .high = 255,
     .address = P::rangeMaximumAboveTps, .partner = "ZPAttuatoraPow_1", .pair = Pair::Upper, .hintSlot = 40014},
    {.name = "PSAttuatoraPow", .label = "PSAttuatoraPowL", .caption = "Pozycja startowa", .group = 4, .maxLength = 3,
     .filter = Digits, .emptyText = "100", .encoding = PlainByte, .low = 0, .high = 255,
     .address = P::startPositionAboveTps, .partner = nullptr, .pair = Pair::None, .hintSlot = 40015},
    {.name = "PAttuatoraPow", .label = "PAttuatoraPowL", .caption = "Prędkość attuatora", .group = 4, .maxLength = 3,
     .filter = Digits, .emptyText = "85", .encoding = PlainByte, .low = 1, .high = 255,
     .address = P::actuatorSpeedAboveTps, .partner = nullptr, .pair = Pair::None, .hintSlot = 40016},
    {.name = "ZPAttuatoraPon_1", .label = "ZPAttuatoraPonL", .caption = "Zakres pracy attuatora", .group = 5, .maxLength = 3,
     .filter = Digits, .emptyText = "70", .encoding = PlainByte, .low = 0, .high = 255,
     .address = P::rangeMinimumBelowTps, .partner = "ZPAttuatoraPon_2", .pair = Pair::Lower, .hintSlot = 40017},
    {.name = "ZPAttuatoraPon_2", .label = "ZPAttuatoraPonL", .caption = nullptr, .group = 5, .maxLength = 3,
     .filter = Digits, .emptyText = "100", .encoding = PlainByte, .low = 0, .high = 255,
     .address = P::rangeMaximumBelowTps, .partner = "ZPAttuatoraPon_1", .pair = Pair::Upper, .hintSlot = 40018},
    {.name = "PSAttuatoraPon", .label = "PSAttuatoraPonL", .caption = "Pozycja startowa", .group = 5, .maxLength = 3,
     .filter = Digits, .emptyText = "85", .encoding = PlainByte, .low = 0, .high = 255,
     .address = P::startPositionBelowTps, .partner = nullptr, .pair = Pair::None, .hintSlot = 40019},
    // The low-RPM speed's hint slot holds the high-RPM speed's text.
    {.name = "PAttuatoraPon", .label = "PAttuatoraPonL", .caption = "Prędkość attuatora", .group = 5, .maxLength = 3,
     .filter = Digits, .emptyText = "75", .encoding = PlainByte, .low = 1, .high = 255,
     .address = P::actuatorSpeedBelowTps, .partner = nullptr, .pair = Pair::None, .hintSlot = 40020},
    {.name = "IKDCutOff", .label = "IKDCutOffL", .caption = "Ilosc kroków dla cut off", .group = 6, .maxLength = 3,
     .filter = Digits, .emptyText = "70", .encoding = PlainByte, .low = 0, .high = 255,
     .address = P::cutOffSteps, .partner = nullptr, .pair = Pair::None, .hintSlot = 40021},
    {.name = "OSDCutOff", .label = "OSDCutOffL", .caption = "Obroty silnika dla cut off", .group = 6, .maxLength = 4,
     .filter = Digits, .emptyText = "1800", .encoding = CutOffRpm, .low = 0, .high = 0,
     .address = P::cutOffRpm, .partner = nullptr, .pair = Pair::None, .hintSlot = 40022},
    {.name = "BTps", .label = "BTpsL", .caption = "Bezwładność tps-u", .group = 8, .maxLength = 5,
     .filter = Decimal, .emptyText = "0,15", .encoding = TpsInertia, .low = 0, .high = 0,
     .address = P::tpsInertia, .partner = nullptr, .pair = Pair::None, .hintSlot = 40023},
    {.name = "CLambda", .label = "CLambdaL", .caption = "Czas grzania sondy lambda", .group = 8, .maxLength = 3,
     .filter = Digits, .emptyText = "6", .encoding = HeatingTime, .low = 0, .high = 0,
     .address = P::heatingTime, .partner = nullptr, .pair = Pair::None, .hintSlot = 40024},
    {.name = "AVoltage", .label = "AVoltageL", .caption = "Próg dodatkowego otw. tps-u", .group = 8, .maxLength = 5,
     .filter = Decimal, .emptyText = "1,45", .encoding = ExtraOpening, .low = 0, .high = 0,
     .address = P::extraOpeningThreshold, .partner = nullptr, .pair = Pair::None, .hintSlot = 40025},
    {.name = "DOAttuatora", .label = "DOAttuatoraL", .caption = "Dodatkowe otw. attuatora", .group = 8, .maxLength = 2,
     .filter = Digits, .emptyText = "3", .encoding = PlainByte, .low = 0, .high = 50,
     .address = P::extraOpening, .partner = nullptr, .pair = Pair::None, .hintSlot = 40026},
    {.name = "RPMSignal", .label = "RPMSignalL", .caption = "Poziom sygnału obrotów", .group = 8, .maxLength = 3,
     .filter = Digits, .emptyText = "2", .encoding = PlainByte, .low = 2, .high = 255,
     .address = P::rpmSignalLevel, .partner = nullptr, .pair = Pair::None, .hintSlot = 40027},
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
// clang-format on

constexpr const char* groupCaptions[] = {
    "Sonda", "TPS", "Zaplon, RPM przelaczenia", "Silnik powyzej TPS", "Silnik ponizej TPS", "CUT OFF", "", ""};

template <typename Row>
const Row* findByName(std::span<const Row> rows, std::string_view name)
{
    const auto it = std::find_if(rows.begin(), rows.end(), [name](const Row& row) { return row.name == name; });
    return it == rows.end() ? nullptr : &*it;
}

}  // namespace

std::span<const TextField> textFields()
{
    return textTable;
}
std::span<const ListField> listFields()
{
    return listTable;
}
std::span<const CheckField> checkFields()
{
    return checkTable;
}
std::span<const FlagField> flagFields()
{
    return flagTable;
}
std::span<const Dependency> dependencies()
{
    return dependencyTable;
}
std::span<const RangeWarning> rangeWarnings()
{
    return warningTable;
}
std::span<const Control> tabOrder()
{
    return tabTable;
}
std::span<const char* const> showOrder()
{
    return showTable;
}

const TextField* findTextField(std::string_view name)
{
    return findByName(textFields(), name);
}
const ListField* findListField(std::string_view name)
{
    return findByName(listFields(), name);
}
const FlagField* findFlagField(std::string_view name)
{
    return findByName(flagFields(), name);
}

const char* groupCaption(int group)
{
    return group >= 1 && group <= 8 ? groupCaptions[group - 1] : "";
}

int controllerModeSlot(int item)
{
    return item >= 0 && item < 3 ? lang::slot::controllerModeText + item : 0;
}

}  // namespace dravinor::fields
