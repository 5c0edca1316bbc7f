#pragma once

#include "ControllerSimulator.h"

#include <string>
#include <vector>

namespace dravinor::sim {

struct CommandLine {
    SimulatorOptions options;
    std::string eepromFile;  // loaded by the caller, so parsing stays free of I/O
    // --unplug-after: the adapter is pulled this long after the start, and
    // plugged in again unplugForMs later (a new pty; the link follows it).
    int unplugAfterMs = -1;
    int unplugForMs = 2000;
    bool help = false;
    bool version = false;
};

// Fills command with the options in args (program name excluded); on a bad
// option returns false and says why in error.
bool parseCommandLine(const std::vector<std::string>& args, CommandLine& command, std::string& error);

const char* usageText();

}  // namespace dravinor::sim
