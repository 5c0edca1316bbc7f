#pragma once

#include "ControllerSimulator.h"
#include "params/ControllerSession.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <poll.h>
#include <string>
#include <unistd.h>

namespace dravinor::testing {

// The simulator on a real pty behind a link in a temporary folder, as a
// USB adapter behind its /dev/serial/by-id name: unplugging closes the pty
// and removes the link, plugging in makes a new pty and the link again.
struct PluggedSimulator {
    std::string link;
    sim::ControllerSimulator sim;

    explicit PluggedSimulator(sim::SimulatorOptions options = unpaced())
        : link(::testing::TempDir() + "dravinor-by-id-" + std::to_string(::getpid())),
          sim(withLink(std::move(options), link))
    {
    }
    ~PluggedSimulator()
    {
        sim.stop();
        ::unlink(link.c_str());
    }

    // Answers at once, so a test does not wait for 9600 baud.
    static sim::SimulatorOptions unpaced()
    {
        sim::SimulatorOptions options;
        options.pacing = false;
        return options;
    }
    // A session with COM1 on the link, on the real termios device and clock.
    std::unique_ptr<params::ControllerSession> session(const std::filesystem::path& journal) const
    {
        link::PortMap map;
        map.assign(0, link);
        return std::make_unique<params::ControllerSession>(map, params::SessionWiring{{}, {}, journal});
    }
    // Letters of the frames heard since the last clear, in order.
    std::string heardLetters() const
    {
        std::string letters;
        for (const auto& frame : sim.receivedFrames())
            letters += static_cast<char>(frame.bytes[0]);
        return letters;
    }

private:
    static sim::SimulatorOptions withLink(sim::SimulatorOptions options, const std::string& link)
    {
        options.linkPath = link;
        return options;
    }
};

// Whether the descriptor becomes readable within withinMs.
inline bool readableWithin(int descriptor, int withinMs = 2000)
{
    pollfd waiter{descriptor, POLLIN, 0};
    return descriptor >= 0 && ::poll(&waiter, 1, withinMs) > 0;
}

}  // namespace dravinor::testing
