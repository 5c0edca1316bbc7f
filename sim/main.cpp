// dravinor-sim: a controller on a pseudo-terminal for trying the tool
// without hardware. Prints the device path, then serves until interrupted.
#include "CommandLine.h"
#include "ControllerSimulator.h"
#include "EepromImage.h"

#include <csignal>
#include <cstdio>
#include <ctime>
#include <iostream>

using namespace dravinor::sim;

int main(int argc, char** argv)
{
    CommandLine command;
    std::string error;
    if (!parseCommandLine(std::vector<std::string>(argv + 1, argv + argc), command, error)) {
        std::cerr << "dravinor-sim: " << error << "\n" << usageText();
        return 1;
    }
    if (command.help) {
        std::cout << usageText();
        return 0;
    }
    if (!command.eepromFile.empty()) {
        EepromImage image{};
        if (!loadParameterFile(command.eepromFile, image, &error)) {
            std::cerr << "dravinor-sim: cannot read parameter file " << error << "\n";
            return 2;
        }
        command.options.eeprom = image;
    }

    // Blocked before the serving thread starts, so it inherits the mask and
    // only sigwait below sees the signals.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);

    ControllerSimulator simulator(command.options);
    if (!simulator.start(&error)) {
        std::cerr << "dravinor-sim: " << error << "\n";
        return 2;
    }
    std::cout << simulator.slavePath() << std::endl;

    // With the virtual fitter on, say what he is doing whenever that changes.
    std::string lastStage;
    const timespec pollEvery{0, 200'000'000};
    for (;;) {
        if (sigtimedwait(&stopSignals, nullptr, &pollEvery) >= 0)
            break;
        if (!command.options.fitter)
            continue;
        const std::string stage = simulator.engineView().fitterStage;
        if (stage != lastStage)
            std::cerr << "mechanik: " << stage << std::endl;
        lastStage = stage;
    }
    simulator.stop();
    return 0;
}
