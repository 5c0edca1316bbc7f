#include "lang/ShownNumbers.h"

#include "lang/TextSlots.h"

#include <array>
#include <cstdio>

namespace dravinor::lang {

namespace {

struct UnitSlot {
    Unit unit;
    std::string_view builtIn;
    int key;
};
constexpr std::array<UnitSlot, 4> unitSlots{{
    {Unit::Volt, "V", slot::numbers::volt},
    {Unit::Second, "s", slot::numbers::second},
    {Unit::PerSecond, "/s", slot::numbers::perSecond},
    {Unit::Rpm, "RPM", slot::numbers::rpm},
}};

// A slot's text, or the built-in words where a language file emptied it.
std::string slotOr(int key, std::string_view builtIn)
{
    const std::string& text = textSlots().text(key);
    return text.empty() ? std::string(builtIn) : text;
}

}  // namespace

std::string decimalSeparator()
{
    return slotOr(slot::numbers::decimalSeparator, ",");
}

std::string fixedPointText(double value, int decimals, std::string_view separator)
{
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    std::string result = text;
    if (result.front() == '-' && result.find_first_not_of("-0.") == std::string::npos)
        result.erase(0, 1);
    const auto point = result.find('.');
    if (point == std::string::npos)
        return result;
    // Put together rather than replaced in place: GCC 12 at -O3 takes the
    // replace for an overlapping copy and warns (-Wrestrict), falsely.
    return result.substr(0, point).append(separator).append(result, point + 1);
}

std::string decimalText(double value, int decimals)
{
    return fixedPointText(value, decimals, decimalSeparator());
}

std::string unitText(Unit unit)
{
    for (const UnitSlot& entry : unitSlots)
        if (entry.unit == unit)
            return slotOr(entry.key, entry.builtIn);
    return {};
}

std::string unitInLanguage(std::string_view builtIn)
{
    for (const UnitSlot& entry : unitSlots)
        if (entry.builtIn == builtIn)
            return slotOr(entry.key, entry.builtIn);
    return std::string(builtIn);
}

}  // namespace dravinor::lang
