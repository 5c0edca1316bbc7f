#include "Arguments.h"

#include "CliOptions.h"

#include <charconv>
#include <iostream>
#include <string_view>

namespace dravinor::cli {

std::optional<int> parseRangedNumber(const std::string& text, const std::string& what, int low, int high,
                                     std::string& error)
{
    const std::string range = std::to_string(low) + ".." + std::to_string(high);
    std::string_view digits = text;
    int base = 10;
    if (digits.size() > 2 && digits[0] == '0' && (digits[1] == 'x' || digits[1] == 'X')) {
        base = 16;
        digits.remove_prefix(2);
    }
    long value = 0;
    const auto [end, failure] = std::from_chars(digits.data(), digits.data() + digits.size(), value, base);
    if (digits.empty() || end != digits.data() + digits.size() ||
        (failure != std::errc{} && failure != std::errc::result_out_of_range)) {
        error = what + " '" + text + "' is not a number (" + range + ")";
        return std::nullopt;
    }
    if (failure == std::errc::result_out_of_range || value < low || value > high) {
        error = what + " " + text + " out of " + range;
        return std::nullopt;
    }
    return static_cast<int>(value);
}

int usageError(const std::string& command, const std::string& error)
{
    return reportUsageProblem({error, command, exitUsage}, std::cerr);
}

}  // namespace dravinor::cli
