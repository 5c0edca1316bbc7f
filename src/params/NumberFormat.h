#pragma once

#include <string>
#include <string_view>

namespace dravinor::params {

// printf "%.<decimals>f" with every "." replaced by ",", as the parameter
// fields show decimals.
std::string formatDecimalComma(double value, int decimals);

// Fixed point with `decimals` decimals and at most 3 significant digits: the
// value is rounded to 3 significant digits or to `decimals` decimals,
// whichever keeps fewer, then written with exactly `decimals` decimals.
// 12.333 -> "12.30", 0.0196 -> "0.02", 519.08 with 0 decimals -> "519".
std::string formatFixed3(double value, int decimals, std::string_view decimalSeparator = ".");

}  // namespace dravinor::params
