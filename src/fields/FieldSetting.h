#pragma once

#include "fields/FieldCatalogue.h"
#include "fields/FieldEncoding.h"

#include <string>
#include <string_view>
#include <vector>

namespace dravinor::fields {

// A value given for a field by name, from outside the pages (dravinor-cli
// set): what it comes to, or why it is refused. A page clamps what is typed
// into its limits as the field is left; a command line refuses what lies
// outside them, unless clamping is asked for, since a slip such as 9 for
// 0,9 would otherwise be written as the nearest limit.
enum class SettingProblem {
    None,
    NotANumber,     // a text field's value is no number of its kind
    OutOfRange,     // outside the field's limits, and no clamping asked
    UnknownItem,    // a list's value is neither one of its items nor an item number
    StoresNothing,  // a list that only shows (MOAttuatora)
};

struct TextSetting {
    SettingProblem problem = SettingProblem::None;
    double number = 0;     // as given; encoding clamps it when asked to
    bool clamped = false;  // outside the limits, taken to the nearest one
};
TextSetting textSetting(const TextField& field, std::string_view text, bool clamp);

// The items a list shows, in order (the built-in Polish texts).
std::vector<std::string> listItems(const ListField& field);

struct ListSetting {
    SettingProblem problem = SettingProblem::None;
    int item = -1;
};
// An item by its text (case, blanks and a decimal point or comma do not
// matter) or by its number, 0 for the first. A list of numbers (CNPaliw)
// takes its items' values only, so that 1 means 1,00 and not the second item.
ListSetting listSetting(const ListField& field, std::string_view text);

}  // namespace dravinor::fields
