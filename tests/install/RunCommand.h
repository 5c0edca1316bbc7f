#pragma once

#include <string>

namespace dravinor::test {

struct CommandResult {
    int status = -1;     // the exit status; -1 when the shell could not run it or it was killed
    std::string output;  // standard output and standard error, as they came
};

// Runs a shell command line.
CommandResult run(const std::string& command);

std::string quoted(const std::string& path);

}  // namespace dravinor::test
