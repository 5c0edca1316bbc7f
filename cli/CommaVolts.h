#pragma once

#include <string>

namespace dravinor::cli {

// Volts as the pages show them: two decimals and a decimal comma ("0,45").
std::string commaVolts(float value);

}  // namespace dravinor::cli
