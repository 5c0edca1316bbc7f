#pragma once

#include <optional>
#include <string>

namespace dravinor::cli {

// A whole number from a command-line argument, decimal or 0x.., within
// low..high. On failure, error names the argument and its range:
// "address 36 out of 1..35", "value 'x' is not a number (0..255)".
std::optional<int> parseRangedNumber(const std::string& text, const std::string& what, int low, int high,
                                     std::string& error);

// Prints "dravinor-cli: <error>" and where the command's help is; returns
// the usage exit code.
int usageError(const std::string& command, const std::string& error);

}  // namespace dravinor::cli
