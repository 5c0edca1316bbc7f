#pragma once

#include <optional>
#include <string>
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
    std::vector<std::string> arguments;        // what follows the command
    bool help = false;
    bool version = false;  // --version: print the program's version
};

// Splits the global options from the command; false with a message on error.
bool parseCommandLine(int argc, char** argv, CliOptions& options, std::string& error);

extern const char* const usageText;

// The usage line of a command ("set ADDR VALUE | set FIELD VALUE"), or null
// for an unknown command.
const char* commandUsage(const std::string& command);
// The whole help of a command, or null for an unknown command.
const char* commandHelp(const std::string& command);

}  // namespace dravinor::cli
