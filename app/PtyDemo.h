#pragma once

#include <memory>
#include <string>

namespace dravinor::sim {
class ControllerSimulator;
class EngineControls;
struct SimulatorOptions;
}  // namespace dravinor::sim

namespace dravinor::app {

// Stops the demo's controller on its pseudo-terminal and frees it.
struct PtyDemoEnd {
    void operator()(sim::ControllerSimulator* simulator) const;
};
using PtyDemoController = std::unique_ptr<sim::ControllerSimulator, PtyDemoEnd>;

// The demo's controller on a pseudo-terminal, serving its own thread: the
// engine the panel drives and the pty that stands for COM1. Where it does not
// start, or the system has no pseudo-terminals (Windows), controller is null
// and error says why.
struct PtyDemo {
    PtyDemoController controller;
    sim::EngineControls* car = nullptr;
    std::string path;
    std::string error;
};

PtyDemo startPtyDemo(const sim::SimulatorOptions& options);

}  // namespace dravinor::app
