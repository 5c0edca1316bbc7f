#pragma once

#include "ControllerSimulator.h"

#include <string>
#include <vector>

namespace dravinor::sim {

struct CommandLine {
    SimulatorOptions options;
    std::string eepromFile;  // loaded by the caller, so parsing stays free of I/O
    bool help = false;
};

// Fills command with the options in args (program name excluded); on a bad
// option returns false and says why in error.
bool parseCommandLine(const std::vector<std::string>& args, CommandLine& command, std::string& error);

const char* usageText();

}  // namespace dravinor::sim
