#pragma once

#include "ControllerSimulator.h"
#include "SimulatedController.h"
#include "link/Clock.h"
#include "link/Connection.h"
#include "link/PortMap.h"
#include "link/PosixSerialDevice.h"
#include "link/SerialPort.h"
#include "params/ParameterState.h"
#include "params/ParameterTransfer.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace dravinor::testing {

// The device and clock a line fixture talks through: the simulated
// controller's own in process, the termios device and real time on a pty.
inline params::SessionWiring lineWiring(SimulatedController& controller)
{
    return controller.wiring();
}
inline params::SessionWiring lineWiring(sim::ControllerSimulator&)
{
    return {std::make_shared<link::PosixSerialDevice>(), std::make_shared<link::SystemClock>(), {}};
}

// The serial stack with the simulated controller as COM1: the port, the
// block, the transfer and the connection logic, as a session wires them.
template <typename Controller>
struct LineFixture : ::testing::Test {
    Controller controller;
    link::PortMap map;
    params::SessionWiring wiring = lineWiring(controller);
    link::Clock& clock = *wiring.clock;
    link::SerialDevice& device = *wiring.device;
    link::SerialPort port{device, clock, [this](const std::string& name) { return map.resolve(name); }};
    params::ParameterState state;
    params::ParameterTransfer transfer{port, state};
    link::Connection connection{port, [this] { lastRead = transfer.readAllParameters(); }};
    params::ReadAllResult lastRead;

    explicit LineFixture(sim::SimulatorOptions options = {}) : controller(std::move(options)) {}

    void SetUp() override
    {
        std::string error;
        ASSERT_TRUE(controller.start(&error)) << error;
        map.assign(0, controller.slavePath());
    }

    void openCom1() { ASSERT_TRUE(port.open("COM1")) << port.lastOpenResult().detail; }

    // Letters of the frames the controller heard, in order.
    std::string heardLetters() const
    {
        std::string letters;
        for (const auto& frame : controller.receivedFrames())
            letters += static_cast<char>(frame.bytes[0]);
        return letters;
    }
    std::vector<std::array<std::uint8_t, 6>> heardFrames() const
    {
        std::vector<std::array<std::uint8_t, 6>> frames;
        for (const auto& frame : controller.receivedFrames())
            frames.push_back(frame.bytes);
        return frames;
    }
};

// In simulated time, in the test's process.
using SimulatedLine = LineFixture<SimulatedController>;
// Over a real pseudo-terminal against the simulator's thread, in real time.
using PtyLine = LineFixture<sim::ControllerSimulator>;

}  // namespace dravinor::testing
