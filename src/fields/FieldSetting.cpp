#include "fields/FieldSetting.h"

#include "lang/ItemTexts.h"
#include "params/FieldDisplay.h"

#include <algorithm>
#include <cctype>
#include <charconv>

namespace dravinor::fields {

namespace {

template <std::size_t N>
std::vector<std::string> texts(const std::array<std::string_view, N>& items)
{
    return {items.begin(), items.end()};
}

// Lower-case ASCII, one blank for any run of blanks, a point for a comma.
std::string comparable(std::string_view text)
{
    std::string plain;
    for (const char c : text) {
        if (std::isspace(static_cast<unsigned char>(c))) {
            if (!plain.empty() && plain.back() != ' ')
                plain += ' ';
        } else {
            plain += c == ',' ? '.' : static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        }
    }
    if (!plain.empty() && plain.back() == ' ')
        plain.pop_back();
    return plain;
}

std::optional<double> decimal(std::string_view text)
{
    const std::string plain = comparable(text);
    double value = 0;
    const auto [end, error] = std::from_chars(plain.data(), plain.data() + plain.size(), value);
    if (plain.empty() || error != std::errc{} || end != plain.data() + plain.size())
        return std::nullopt;
    return value;
}

}  // namespace

TextSetting textSetting(const TextField& field, std::string_view text, bool clamp)
{
    TextSetting setting;
    const auto number = parseFieldNumber(field, text);
    if (!number) {
        setting.problem = SettingProblem::NotANumber;
        return setting;
    }
    setting.number = *number;
    const FieldLimits limits = fieldLimits(field);
    if (*number >= limits.low && *number <= limits.high)
        return setting;
    if (!clamp)
        setting.problem = SettingProblem::OutOfRange;
    setting.clamped = clamp;
    return setting;
}

std::vector<std::string> listItems(const ListField& field)
{
    using namespace lang;
    const std::string_view name(field.name);
    switch (field.role) {
    case ListRole::ProbeType: return texts(probeTypeItems);
    case ListRole::EmulationType: return texts(emulationTypeItems);
    case ListRole::Ignition: return texts(ignitionItems);
    case ListRole::ControllerMode: return texts(controllerModeItems);
    case ListRole::FuelOverlap: {
        std::vector<std::string> items;
        for (int item = 0; item < fuelOverlapItemCount; ++item)
            items.push_back(params::fuelOverlapItemText(item));
        return items;
    }
    case ListRole::Inert: return {};
    case ListRole::FlagBit: break;
    }
    if (name == "TCTps")
        return texts(tpsTypeItems);
    if (name == "RObrotow")
        return texts(rpmTypeItems);
    if (name == "TSRezerwy")
        return texts(reserveGaugeItems);
    return texts(offOnItems);
}

ListSetting listSetting(const ListField& field, std::string_view text)
{
    ListSetting setting;
    if (field.role == ListRole::Inert) {
        setting.problem = SettingProblem::StoresNothing;
        return setting;
    }
    const std::vector<std::string> items = listItems(field);
    const std::string given = comparable(text);
    for (std::size_t i = 0; i < items.size(); ++i)
        if (comparable(items[i]) == given)
            setting.item = static_cast<int>(i);
    if (setting.item < 0 && field.role == ListRole::FuelOverlap) {
        // A time: matched by value, "1" as "1,00".
        if (const auto value = decimal(text))
            for (std::size_t i = 0; i < items.size(); ++i)
                if (decimal(items[i]) == value)
                    setting.item = static_cast<int>(i);
    } else if (setting.item < 0) {
        int number = -1;
        const auto [end, error] = std::from_chars(given.data(), given.data() + given.size(), number);
        if (!given.empty() && error == std::errc{} && end == given.data() + given.size() && number >= 0 &&
            number < static_cast<int>(items.size()))
            setting.item = number;
    }
    if (setting.item < 0)
        setting.problem = SettingProblem::UnknownItem;
    return setting;
}

}  // namespace dravinor::fields
