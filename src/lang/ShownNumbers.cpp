#include "lang/ShownNumbers.h"

#include "lang/TextSlots.h"

#include <cstdio>
#include <string_view>

namespace dravinor::lang {

namespace {

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

}  // namespace dravinor::lang
