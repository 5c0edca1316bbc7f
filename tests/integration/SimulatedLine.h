#pragma once

#include "Clock.h"
#include "ControllerSimulator.h"
#include "Connection.h"
#include "ParameterState.h"
#include "ParameterTransfer.h"
#include "PortMap.h"
#include "PosixSerialDevice.h"
#include "SerialPort.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace dravinor::testing {

// The real serial stack on a pseudo-terminal, with the simulated controller
// at the other end as COM1.
struct SimulatedLine : ::testing::Test {
    sim::ControllerSimulator controller;
    link::PortMap map;
    link::SystemClock clock;
    link::PosixSerialDevice device;
    link::SerialPort port{device, clock, [this](const std::string& name) { return map.resolve(name); }};
    params::ParameterState state;
    params::ParameterTransfer transfer{port, state};
    link::Connection connection{port, [this] { lastRead = transfer.readAllParameters(); }};
    params::ReadAllResult lastRead;

    explicit SimulatedLine(sim::SimulatorOptions options = {}) : controller(std::move(options)) {}

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

}  // namespace dravinor::testing
