#include "params/NumberFormat.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace dravinor::params {

namespace {

std::string printFixed(double value, int decimals)
{
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    std::string result = text;
    // A value that rounds to zero is written without a sign.
    if (result.front() == '-' && result.find_first_not_of("-0.") == std::string::npos)
        result.erase(0, 1);
    return result;
}

std::string replaceSeparator(std::string text, std::string_view separator)
{
    const auto dot = text.find('.');
    if (dot == std::string::npos)
        return text;
    // Put together rather than replaced in place: GCC 12 at -O3 takes the
    // replace for an overlapping copy and warns (-Wrestrict), falsely.
    return text.substr(0, dot).append(separator).append(text, dot + 1);
}

}  // namespace

std::string formatDecimalComma(double value, int decimals)
{
    return replaceSeparator(printFixed(value, decimals), ",");
}

std::string formatFixed3(double value, int decimals, std::string_view decimalSeparator)
{
    // "%.2e" rounds to three significant digits in decimal; its exponent
    // tells how many decimals those digits reach.
    char scientific[64];
    std::snprintf(scientific, sizeof scientific, "%.2e", value);
    const char* exponentText = std::strchr(scientific, 'e');
    if (exponentText == nullptr)  // inf or nan
        return printFixed(value, decimals);
    const double threeDigits = std::strtod(scientific, nullptr);
    const int exponent = std::atoi(exponentText + 1);
    const int significantDecimals = 2 - exponent;
    const double rounded = decimals <= significantDecimals ? value : threeDigits;
    return replaceSeparator(printFixed(rounded, decimals), decimalSeparator);
}

}  // namespace dravinor::params
