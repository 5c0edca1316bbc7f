// dravinor-sim: a controller on a pseudo-terminal for trying the tool
// without hardware. Prints the device path, then serves until interrupted.
#include "CommandLine.h"
#include "ControllerSimulator.h"
#include "EepromImage.h"

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <ctime>
#include <iostream>

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

}  // namespace

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
    sigset_t signals;
    sigemptyset(&signals);
    sigaddset(&signals, SIGINT);
    sigaddset(&signals, SIGTERM);
    sigaddset(&signals, SIGUSR1);
    pthread_sigmask(SIG_BLOCK, &signals, nullptr);

    ControllerSimulator simulator(command.options);
    if (!simulator.start(&error)) {
        std::cerr << "dravinor-sim: " << error << "\n";
        return 2;
    }
    std::cout << simulator.slavePath() << std::endl;

    UnplugSchedule unplug(command.unplugAfterMs, command.unplugForMs);
    bool plugged = true;
    // Pulls the adapter or plugs it in again, and says so.
    auto togglePlug = [&] {
        if (plugged) {
            simulator.hangUp();
            std::cerr << "dravinor-sim: adapter unplugged" << std::endl;
        } else if (!simulator.replug(&error)) {
            std::cerr << "dravinor-sim: cannot plug the adapter in again: " << error << std::endl;
            return;
        } else {
            std::cerr << "dravinor-sim: adapter plugged in again as " << simulator.slavePath() << std::endl;
        }
        plugged = !plugged;
    };

    // With the virtual fitter on, say what he is doing whenever that changes.
    std::string lastStage;
    for (;;) {
        const timespec wait = unplug.nextWait(200);
        const int signal = sigtimedwait(&signals, nullptr, &wait);
        if (signal == SIGINT || signal == SIGTERM)
            break;
        if (signal == SIGUSR1 || unplug.due(plugged))
            togglePlug();
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
