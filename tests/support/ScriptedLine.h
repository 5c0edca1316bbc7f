#pragma once

#include "FakeClock.h"
#include "ScriptedController.h"
#include "ScriptedDevice.h"
#include "link/SerialPort.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace dravinor::testing {

// The scripted controller on "/dev/x" in simulated time, its port open
// once SetUp has run.
struct ScriptedLine : ::testing::Test {
    // How long one wait for an answer lasts.
    static constexpr std::uint32_t windowMs = link::SerialPort::pollsPerWait * link::SerialPort::pollSleepMs;

    FakeClock clock;
    ScriptedDevice device{clock};
    ScriptedController controller{clock, device};
    link::SerialPort port{device, clock, [](const std::string& name) { return name; }};

    void SetUp() override { ASSERT_TRUE(port.open("/dev/x")); }
};

}  // namespace dravinor::testing
