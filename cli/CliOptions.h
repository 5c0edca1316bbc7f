#pragma once

#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace dravinor::cli {

enum ExitCode {
    exitSuccess = 0,
    exitUsage = 1,
    exitNoController = 2,  // no port, or nothing answers
    exitNotAcknowledged = 3,
    exitFileError = 4,
};

struct CliOptions {
    std::vector<std::string> portAssignments;  // --port COMn=PATH
    std::optional<std::string> port;           // --port COMn or --port PATH
    std::string command;
    std::vector<std::string> arguments;  // the command's operands: what follows it that is no option
    // The command's own options as given, in order; a switch has an empty value.
    std::vector<std::pair<std::string, std::string>> commandOptions;
    bool help = false;
    bool version = false;  // --version: print the program's version

    bool has(std::string_view option) const;
    // The value of the option's last occurrence.
    std::optional<std::string> value(std::string_view option) const;
    // A count option's value; the parser has checked it is 1 or more.
    std::optional<long> count(std::string_view option) const;
};

// Why a command line is refused, and where help is found.
struct UsageProblem {
    std::string message;  // "unknown command 'x'"
    std::string command;  // the command whose help to point at; empty for the program's
    int exitCode = exitUsage;
};

// Splits the command line: the global options (--port, --help, --version)
// wherever they stand, the command, its own options and its operands. "--"
// ends the options. False with the problem when the line is not usable;
// with --help or --version only an unknown command is refused.
bool parseCommandLine(int argc, char** argv, CliOptions& options, UsageProblem& problem);
bool parseCommandLine(const std::vector<std::string>& arguments, CliOptions& options, UsageProblem& problem);

// "dravinor-cli: <message>" and a line pointing at the help; returns the exit code.
int reportUsageProblem(const UsageProblem& problem, std::ostream& out);

extern const char* const usageText;

// What --help prints: the program's help, or a command's usage line and help.
std::string helpText(const std::string& command);

}  // namespace dravinor::cli
