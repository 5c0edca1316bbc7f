// dravinor-sim: a controller on a pseudo-terminal for trying the tool
// without hardware. Prints the device path, then serves until interrupted.
#include "CommandLine.h"
#include "ControllerSimulator.h"
#include "DravinorVersion.h"
#include "EepromImage.h"

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <ctime>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

using namespace dravinor::sim;

namespace {

// When --unplug-after pulls the adapter and plugs it in again: once each.
class UnplugSchedule {
public:
    using Clock = std::chrono::steady_clock;

    UnplugSchedule(int afterMs, int forMs) : start_(Clock::now()), afterMs_(afterMs), forMs_(forMs) {}

    // Whether the plug is to change now.
    bool due(bool plugged)
    {
        if (afterMs_ < 0 || step_ > 1)
            return false;
        const auto at = start_ + std::chrono::milliseconds(step_ == 0 ? afterMs_ : afterMs_ + forMs_);
        // A signal may have changed the plug meanwhile: only the step that fits is taken.
        if (Clock::now() < at || plugged != (step_ == 0))
            return false;
        ++step_;
        return true;
    }
    // How long to sleep: until the next step, at most longestMs.
    timespec nextWait(long longestMs) const
    {
        long ms = longestMs;
        if (afterMs_ >= 0 && step_ <= 1) {
            const auto at = start_ + std::chrono::milliseconds(step_ == 0 ? afterMs_ : afterMs_ + forMs_);
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(at - Clock::now()).count();
            ms = std::clamp<long>(left, 1, longestMs);
        }
        return {ms / 1000, (ms % 1000) * 1'000'000};
    }

private:
    Clock::time_point start_;
    int afterMs_;
    int forMs_;
    int step_ = 0;
};

// Reads the command line and the EEPROM image it names. Returns the exit
// code when the program ends here (help, a bad option or file).
std::optional<int> readCommand(int argc, char** argv, CommandLine& command)
{
    std::string error;
    if (!parseCommandLine(std::vector<std::string>(argv + 1, argv + argc), command, error)) {
        std::cerr << "dravinor-sim: " << error << "\n" << usageText();
        return 1;
    }
    if (command.help) {
        std::cout << usageText();
        return 0;
    }
    if (command.version) {
        std::cout << "dravinor-sim " << dravinor::programVersion << "\n";
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
    return std::nullopt;
}

// Pulls the adapter or plugs it in again, and says so; false when it
// could not be plugged in again.
bool togglePlug(ControllerSimulator& simulator, bool plugged)
{
    std::string error;
    if (plugged) {
        simulator.hangUp();
        std::cerr << "dravinor-sim: adapter unplugged" << std::endl;
    } else if (!simulator.replug(&error)) {
        std::cerr << "dravinor-sim: cannot plug the adapter in again: " << error << std::endl;
        return false;
    } else {
        std::cerr << "dravinor-sim: adapter plugged in again as " << simulator.slavePath() << std::endl;
    }
    return true;
}

// Serves until SIGINT or SIGTERM: pulls and plugs the adapter when told
// (SIGUSR1, --unplug-after) and, with the virtual fitter on, says what he
// is doing whenever that changes.
void serveUntilStopped(ControllerSimulator& simulator, const CommandLine& command, const sigset_t& signals)
{
    UnplugSchedule unplug(command.unplugAfterMs, command.unplugForMs);
    bool plugged = true;
    std::string lastStage;
    for (;;) {
        const timespec wait = unplug.nextWait(200);
        const int signal = sigtimedwait(&signals, nullptr, &wait);
        if (signal == SIGINT || signal == SIGTERM)
            return;
        if ((signal == SIGUSR1 || unplug.due(plugged)) && togglePlug(simulator, plugged))
            plugged = !plugged;
        if (!command.options.fitter)
            continue;
        const std::string stage = simulator.engineView().fitterStage;
        if (stage != lastStage)
            std::cerr << "mechanik: " << stage << std::endl;
        lastStage = stage;
    }
}

}  // namespace

int main(int argc, char** argv)
{
    CommandLine command;
    if (const auto exitCode = readCommand(argc, argv, command))
        return *exitCode;

    // Blocked before the serving thread starts, so it inherits the mask and
    // only sigwait sees the signals.
    sigset_t signals;
    sigemptyset(&signals);
    sigaddset(&signals, SIGINT);
    sigaddset(&signals, SIGTERM);
    sigaddset(&signals, SIGUSR1);
    pthread_sigmask(SIG_BLOCK, &signals, nullptr);

    ControllerSimulator simulator(command.options);
    std::string error;
    if (!simulator.start(&error)) {
        std::cerr << "dravinor-sim: " << error << "\n";
        return 2;
    }
    std::cout << simulator.slavePath() << std::endl;
    serveUntilStopped(simulator, command, signals);
    simulator.stop();
    return 0;
}
