#pragma once

#include "link/SerialDevice.h"

namespace dravinor::sim {
class InProcessController;
}

namespace dravinor::app {

// The demo's serial line where no pseudo-terminal carries it: the port
// opened at `path` talks straight to the controller in the program's own
// process. Nothing else is found behind this device.
class InProcessDemoLine final : public link::SerialDevice {
public:
    static constexpr const char* path = "dravinor-demo";

    explicit InProcessDemoLine(sim::InProcessController& controller) : controller_(controller) {}

    link::OpenResult open(const std::string& devicePath) override;
    void close() override { open_ = false; }
    bool isOpen() const override { return open_; }
    // Nothing to key: the controller hears whatever is written.
    void setRts(bool) override {}
    bool write(const std::uint8_t* data, std::size_t count) override;
    // The bytes reached the controller as they were written.
    void drainOutput() override {}
    void discardInput() override;
    std::size_t queuedCount() override;
    std::size_t read(std::uint8_t* buffer, std::size_t max) override;
    // Nobody unplugs a line inside the program.
    bool hungUp() const override { return false; }

private:
    sim::InProcessController& controller_;
    bool open_ = false;
};

}  // namespace dravinor::app
