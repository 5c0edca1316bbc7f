#pragma once

#include "params/ParameterBlock.h"

#include <string>
#include <vector>

namespace dravinor::fields {

// One thing the parameter pages show for a parameter set: a field, or a
// stored value that no field shows but the controller keeps.
struct PageValue {
    std::string name;  // the field's objectName; empty when no field shows it
    // The Polish caption as the page shows it ("Sonda: Próg sondy lambda");
    // for a value no field shows, the window's built-in name for it.
    std::string caption;
    // How the window finds the caption in its current language: the group
    // box and caption label by objectName, and a suffix for a pair's halves.
    std::string groupName;
    std::string labelName;
    std::string label;  // the caption label's built-in text alone (no group, no suffix)
    std::string suffix;
    std::string meaning;  // a plain description, for values no field shows
    int hidden = 0;       // 1.. for the values no field shows, in their order; 0 for fields
    std::string shown;    // as the page shows it; list items in Polish
    std::string unit;     // "V", "RPM", ...; empty for counts and items
    int item = -1;        // the selected item of a list, 1/0 for a check box
    bool checkBox = false;
    std::string stored;  // the stored value behind it: a byte, word or bits
    std::vector<int> addresses;

    // "0,38 V": the shown value with its unit.
    std::string withUnit() const { return unit.empty() ? shown : shown + " " + unit; }
};

// The stored values no field shows: the switch-over hysteresis, the
// emulation output code, the probe direction bit and flag byte B's own bits.
inline constexpr int hiddenValueCount = 4;

// Every value of the set in the order the pages are filled, then the stored
// values no field shows. RPM words are decoded with the ignition constant of
// the set's own parameter 13, as the pages do after a read or a file load.
std::vector<PageValue> pageValues(const params::ParameterBlock& block);

// The caption the pages show for a field in a language, from the texts its
// caption label and group box have there: the label's text (without a
// mnemonic's '&', trimmed), after the group's title where the value names
// its group, then a pair's suffix. A label or title the language leaves
// empty is the built-in one.
std::string captionInLanguage(const PageValue& value, std::string labelText, std::string groupTitle);

}  // namespace dravinor::fields
