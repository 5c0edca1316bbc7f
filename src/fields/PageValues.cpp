#include "fields/PageValues.h"

#include "fields/FieldCatalogue.h"
#include "fields/FieldEncoding.h"
#include "lang/ItemTexts.h"
#include "params/Conversions.h"
#include "params/Encoders.h"
#include "params/FieldDisplay.h"
#include "params/FlagBits.h"
#include "params/ParameterTable.h"

#include <algorithm>
#include <charconv>
#include <string_view>

namespace dravinor::fields {

namespace {

using params::ParameterBlock;
namespace P = params::address;

// "?7" for an item beyond the list. Appended, not "?" + string: GCC 12 at
// -O3 takes that for an overlapping copy and warns (-Wrestrict), falsely.
std::string noItemText(int item)
{
    std::string text = "?";
    text += std::to_string(item);
    return text;
}

template <std::size_t N>
std::string itemText(const std::array<std::string_view, N>& items, int item)
{
    if (item >= 0 && item < static_cast<int>(N))
        return std::string(items[static_cast<std::size_t>(item)]);
    return noItemText(item);
}

constexpr std::string_view groupBoxPrefix = "GroupBox";

std::string groupBoxName(int group)
{
    return std::string(groupBoxPrefix) + std::to_string(group);
}

// "Pozycja startowa" stands in two groups: the group tells them apart.
bool captionInOtherGroup(const char* caption, int group)
{
    return std::any_of(textFields().begin(), textFields().end(), [&](const TextField& other) {
        return other.caption && other.group != group && std::string_view(other.caption) == caption;
    });
}

// The second field of a pair shares its first field's caption label.
const char* captionOf(const TextField& field)
{
    if (field.caption)
        return field.caption;
    for (const TextField& other : textFields())
        if (other.caption && std::string_view(other.label) == field.label)
            return other.caption;
    return "";
}

std::string pairSuffix(std::string_view name)
{
    if (name.ends_with("_1"))
        return " (1)";
    if (name.ends_with("_2"))
        return " (2)";
    return {};
}

void setCaption(PageValue& value, const char* caption, int group, std::string label, std::string suffix)
{
    value.labelName = std::move(label);
    value.label = caption;
    value.suffix = std::move(suffix);
    value.caption = caption;
    if (captionInOtherGroup(caption, group)) {
        value.groupName = groupBoxName(group);
        value.caption = std::string(groupCaption(group)) + ": " + value.caption;
    }
    value.caption += value.suffix;
}

std::string bitText(std::uint8_t byte, std::uint8_t mask)
{
    return (byte & mask) ? "1" : "0";
}

PageValue textValue(const TextField& field, const ParameterBlock& block, float k)
{
    PageValue value;
    value.name = field.name;
    setCaption(value, captionOf(field), field.group, field.label, field.partner ? pairSuffix(field.name) : "");
    value.shown = shownFieldText(field, block, k);
    value.unit = fieldUnit(field);
    if (isWordField(field)) {
        value.stored = std::to_string(block.word(field.address));
        value.addresses = {field.address.number(), field.address.next().number()};
    } else {
        value.stored = std::to_string(block.get(field.address));
        value.addresses = {field.address.number()};
    }
    return value;
}

// GCC 12 at -O3 takes one of the string assignments below, wherever it
// stands, for an overlapping copy and warns (-Wrestrict), falsely: silenced
// for this function only.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wrestrict"
#endif
PageValue listValue(const ListField& field, const ParameterBlock& block)
{
    PageValue value;
    value.name = field.name;
    setCaption(value, field.caption, field.group, std::string(field.name) + "L", "");
    const std::uint8_t a = block.get(P::flagByteA);
    const std::uint8_t b = block.get(P::flagByteB);
    const auto fromByte = [&](params::Address address, int item, std::string shown) {
        value.item = item;
        value.shown = std::move(shown);
        value.stored = std::to_string(block.get(address));
        value.addresses = {address.number()};
    };
    // A list whose item is its byte.
    const auto itemAt = [&](params::Address address, const auto& items) {
        fromByte(address, block.get(address), itemText(items, block.get(address)));
    };
    switch (field.role) {
    case ListRole::ProbeType: itemAt(P::probeType, lang::probeTypeItems); break;
    case ListRole::EmulationType: itemAt(P::emulationType, lang::emulationTypeItems); break;
    case ListRole::Ignition: itemAt(P::ignitionType, lang::ignitionItems); break;
    case ListRole::FuelOverlap: {
        const int item = params::fuelOverlapItem(block.get(P::fuelOverlap));
        fromByte(P::fuelOverlap, item,
                 item < lang::fuelOverlapItemCount ? params::fuelOverlapItemText(item) : noItemText(item));
        value.unit = "s";
        break;
    }
    case ListRole::ControllerMode:
        value.item = params::controllerModeItem(a, b);
        value.shown = itemText(lang::controllerModeItems, value.item);
        value.stored = bitText(b, params::flagB::economyMaxOpeningMode) + bitText(a, params::flagA::dynamicMode);
        value.addresses = {P::flagByteB.number(), P::flagByteA.number()};
        break;
    case ListRole::FlagBit: {
        const FlagField& flag = *findFlagField(field.name);
        const std::uint8_t byte = flag.flag == Flag::A ? a : b;
        value.item = (byte & flag.mask) ? 1 : 0;
        const std::string_view name = field.name;
        value.shown = name == "TCTps"       ? itemText(lang::tpsTypeItems, value.item)
                      : name == "RObrotow"  ? itemText(lang::rpmTypeItems, value.item)
                      : name == "TSRezerwy" ? itemText(lang::reserveGaugeItems, value.item)
                                            : itemText(lang::offOnItems, value.item);
        value.stored = bitText(byte, flag.mask);
        value.addresses = {flagAddress(flag.flag).number()};
        break;
    }
    case ListRole::Inert: break;
    }
    return value;
}
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic pop
#endif

PageValue checkValue(const CheckField& field, const ParameterBlock& block)
{
    PageValue value;
    value.name = field.name;
    setCaption(value, field.caption, field.group, field.name, "");
    const FlagField& flag = *findFlagField(field.name);
    const std::uint8_t byte = block.get(flagAddress(flag.flag));
    value.item = (byte & flag.mask) ? 1 : 0;
    value.shown = value.item ? "[x]" : "[ ]";
    value.checkBox = true;
    value.stored = bitText(byte, flag.mask);
    value.addresses = {flagAddress(flag.flag).number()};
    return value;
}

PageValue hiddenValue(std::string caption, std::string meaning, std::string stored, std::vector<int> addresses)
{
    PageValue value;
    value.caption = std::move(caption);
    value.meaning = std::move(meaning);
    value.shown = stored;
    value.stored = std::move(stored);
    value.addresses = std::move(addresses);
    return value;
}

}  // namespace

std::vector<PageValue> pageValues(const ParameterBlock& block)
{
    const float k =
        params::ignitionConstantForItem(block.get(P::ignitionType)).value_or(params::initialIgnitionConstant);
    std::vector<PageValue> values;
    for (const char* name : showOrder()) {
        if (const TextField* text = findTextField(name))
            values.push_back(textValue(*text, block, k));
        else if (const ListField* list = findListField(name))
            values.push_back(listValue(*list, block));
        else if (const auto check =
                     std::find_if(checkFields().begin(), checkFields().end(),
                                  [name](const CheckField& c) { return std::string_view(c.name) == name; });
                 check != checkFields().end())
            values.push_back(checkValue(*check, block));
    }
    // What the fields leave out still travels to the controller. The
    // captions are the window's built-in texts for these rows.
    const auto meaning = [](params::Address address) { return std::string(params::parameterAt(address)->meaning); };
    values.push_back(hiddenValue("Histereza przełączenia b-g (okres)", meaning(P::switchOverHysteresis),
                                 std::to_string(block.word(P::switchOverHysteresis)),
                                 {P::switchOverHysteresis.number(), P::switchOverHysteresis.next().number()}));
    values.push_back(hiddenValue("Kod wyjścia emulacji", meaning(P::emulationOutputCode),
                                 std::to_string(block.get(P::emulationOutputCode)), {P::emulationOutputCode.number()}));
    values.push_back(
        hiddenValue("Sonda lambda rosnąca (bajt flag A, bit 1)", "Lambda probe rising (flag byte A, bit 1)",
                    bitText(block.get(P::flagByteA), params::flagA::probeRising), {P::flagByteA.number()}));
    std::string controllerBits;
    for (int bit = 7; bit >= 3; --bit)
        controllerBits += bitText(block.get(P::flagByteB), static_cast<std::uint8_t>(1u << bit));
    values.push_back(hiddenValue("Bity 7-3 bajtu flag B (sterownika)", "Flag byte B, bits 7-3 (the controller's own)",
                                 controllerBits, {P::flagByteB.number()}));
    for (int i = 0; i < hiddenValueCount; ++i)
        values[values.size() - hiddenValueCount + static_cast<std::size_t>(i)].hidden = i + 1;
    return values;
}

std::string captionInLanguage(const PageValue& value, std::string labelText, std::string groupTitle)
{
    std::erase(labelText, '&');
    if (labelText.empty())
        labelText = value.label;
    if (labelText.empty())
        return value.caption;
    if (!value.groupName.empty()) {
        // A language that leaves the group's title alone keeps the built-in one.
        int group = 0;
        const std::string_view number = std::string_view(value.groupName).substr(groupBoxPrefix.size());
        if (groupTitle.empty() &&
            std::from_chars(number.data(), number.data() + number.size(), group).ec == std::errc{})
            groupTitle = groupCaption(group);
        std::erase(groupTitle, '&');
        labelText = groupTitle + ": " + labelText;
    }
    const auto first = labelText.find_first_not_of(" \t\r\n");
    const auto last = labelText.find_last_not_of(" \t\r\n");
    return (first == std::string::npos ? std::string() : labelText.substr(first, last - first + 1)) + value.suffix;
}

}  // namespace dravinor::fields
