#pragma once

#include <span>
#include <string_view>

namespace dravinor::cli {

// What an option of a command takes after it.
enum class OptionValue {
    None,   // a switch: --csv
    Text,   // any text: -o FILE
    Count,  // a whole number, 1 or more: --count N
};

struct CommandOption {
    std::string_view name;
    OptionValue value = OptionValue::None;
};

// One command of dravinor-cli: its help, the options it knows and how many
// operands (the arguments that are no option) it takes.
struct CommandSpec {
    std::string_view name;
    std::string_view usage;  // "read [-o FILE]"
    std::string_view help;   // ends with a line end
    std::span<const CommandOption> options = {};
    int minOperands = 0;
    int maxOperands = 0;
    std::string_view operands = {};        // "one parameter file": for the message when the count is wrong
    int usageExit = 1;                     // diff keeps 1 for "different" and says 2 for trouble
    std::string (*helpLists)() = nullptr;  // lists made from the tables, after the help
};

// Every command, in the order the program's help lists them.
std::span<const CommandSpec> commandTable();
// The command of that name, or null.
const CommandSpec* findCommand(std::string_view name);
// The option of that name the command knows, or null.
const CommandOption* findOption(const CommandSpec& command, std::string_view name);

}  // namespace dravinor::cli
