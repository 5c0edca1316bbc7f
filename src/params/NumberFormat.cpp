#include "params/NumberFormat.h"

#include "lang/ShownNumbers.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace dravinor::params {

std::string formatDecimalComma(double value, int decimals)
{
    return lang::fixedPointText(value, decimals, ",");
}

std::string formatFixed3(double value, int decimals, std::string_view decimalSeparator)
{
    // "%.2e" rounds to three significant digits in decimal; its exponent
    // tells how many decimals those digits reach.
    char scientific[64];
    std::snprintf(scientific, sizeof scientific, "%.2e", value);
    const char* exponentText = std::strchr(scientific, 'e');
    if (exponentText == nullptr)  // inf or nan
        return lang::fixedPointText(value, decimals, ".");
    const double threeDigits = std::strtod(scientific, nullptr);
    const int exponent = std::atoi(exponentText + 1);
    const int significantDecimals = 2 - exponent;
    const double rounded = decimals <= significantDecimals ? value : threeDigits;
    return lang::fixedPointText(rounded, decimals, decimalSeparator);
}

}  // namespace dravinor::params
