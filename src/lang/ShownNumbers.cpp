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

std::string decimalText(double value, int decimals)
{
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    std::string result(text);
    if (const auto point = result.find('.'); point != std::string::npos)
        result.replace(point, 1, decimalSeparator());
    return result;
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
