#pragma once

#include "lang/TextSlots.h"
#include "params/ParameterTable.h"

#include <array>
#include <cstdint>
#include <span>
#include <string_view>

namespace dravinor::fields {

// Groups are numbered as their boxes: 1..7 on TabPar1, 8 on TabPar2.
inline constexpr int advancedGroup = 8;
constexpr int pageOfGroup(int group)
{
    return group == advancedGroup ? 1 : 0;
}

enum class KeyFilter { Digits, Decimal };

// How a free-text field's number becomes its stored byte or word.
enum class Encoding {
    LambdaThreshold,  // step 0.02, 0.1..4.9
    Emulation,        // step 0.016, table limits
    TpsThreshold,     // step 0.05, table limits
    TpsInertia,       // step 0.05, 0..0.5
    ExtraOpening,     // step 0.05, table limits
    SwitchOverRpm,    // hundreds, RPM word
    RpmDelta,         // hundreds, plus the hysteresis word
    MaxRpmOnGas,      // five hundreds, RPM word
    CutOffRpm,        // hundreds, RPM word
    Temperature,      // 109 + index of 2.14 degrees
    PlainByte,        // clamped to low..high
    HeatingTime,      // halves
};

// The halves of a range: the upper one never stays below the lower one.
enum class Pair {
    None,
    Lower,      // takes the upper's text when it reaches it
    Upper,      // takes the lower's text when the lower reaches it
    FillsOnly,  // only fills an empty partner
};

struct TextField {
    const char* name;
    const char* label;    // caption label; a pair shares its first field's
    const char* caption;  // nullptr for the second field of a pair
    int group;
    int maxLength;
    KeyFilter filter;
    const char* emptyText;  // nullptr: chosen by the probe type (PRLambda)
    Encoding encoding;
    int low;
    int high;
    params::Address address;  // the high byte's address for RPM words
    const char* partner;      // the other half of a pair, filled when empty
    Pair pair;
    int hintSlot;
};

// What a list field's selection means to the controller.
enum class ListRole {
    FlagBit,         // one bit of a flag byte (see FlagField)
    ProbeType,       // RSLambda
    EmulationType,   // RSYLambda
    FuelOverlap,     // CNPaliw
    Ignition,        // RUZaplonowego
    ControllerMode,  // TPSterownika
    Inert,           // MOAttuatora: shown, stores nothing
};

// What Enter does in a list field.
enum class ListEnter { MovesOn, ToAdvancedPage, ToBasicPage, Nothing };

struct ListField {
    const char* name;
    const char* caption;
    int group;
    ListRole role;
    int hintSlot;   // 0: no hint of its own
    int hintGroup;  // the group whose width the hint wraps in
    ListEnter enter;
};

struct CheckField {
    const char* name;
    const char* caption;
    int group;
};

// A click hint that empties the hint label, or that leaves it alone.
inline constexpr int emptyHint = 0;
inline constexpr int noHint = -1;

enum class Flag { A, B };
constexpr params::Address flagAddress(Flag flag)
{
    return flag == Flag::A ? params::address::flagByteA : params::address::flagByteB;
}

// Lists and check boxes that stand for one flag bit (item index or checked
// state = the bit).
struct FlagField {
    const char* name;
    Flag flag;
    std::uint8_t mask;
    int failureLine;  // status line of the failure text; 0: reverts silently
    int clickHint;    // slot put into the hint label before the write; emptyHint, noHint
    int clickHintGroup;
};

// Fields enabled only while a controlling flag bit has the given value.
struct Dependency {
    const char* controller;
    bool enabledWhenSet;
    std::array<const char*, 2> fields;
    bool derivedAtStartUp;  // from the controls' initial states
};

enum class Compare { Below, Above, BelowField, AboveField };

struct RangeWarning {
    const char* field;
    Compare compare;
    int limit;          // for Below / Above
    const char* other;  // for BelowField / AboveField, read clamped to 0..255
    int textSlot;
    bool movesFocus;
};

enum class ControlKind { Text, List, Check };
struct Control {
    const char* name;
    ControlKind kind;
};

std::span<const TextField> textFields();
std::span<const ListField> listFields();
std::span<const CheckField> checkFields();
std::span<const FlagField> flagFields();
std::span<const Dependency> dependencies();
// In the order they are tested.
std::span<const RangeWarning> rangeWarnings();
// Every control in tab order: the rows group by group, check boxes after
// their group's rows.
std::span<const Control> tabOrder();
// The order in which the fields are filled from the parameter block.
std::span<const char* const> showOrder();

const TextField* findTextField(std::string_view name);
const ListField* findListField(std::string_view name);
const FlagField* findFlagField(std::string_view name);

// The group caption of group 1..8 (empty for GroupBox7 and GroupBox8).
const char* groupCaption(int group);

// The slot of the hint put up for the controller mode item 0..2 (0 for none).
int controllerModeSlot(int item);

inline constexpr const char* footnoteText = "Uwaga po zmianie sterownika należy ponownie odczytać parametry";

struct ButtonText {
    const char* name;
    const char* caption;
};
inline constexpr std::array<ButtonText, 5> buttons{{
    {"ResButt", "Reset Parametrów"},
    {"ZapPlik", "Zapis do pliku"},
    {"OdczPlik", "Odczyt z pliku"},
    {"ZapiszPar", "Zapisz Parametry"},
    {"OdczytPar", "Odczytaj parametry"},
}};

}  // namespace dravinor::fields
