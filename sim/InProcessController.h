#pragma once

#include "ControllerLine.h"
#include "EngineControls.h"

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace dravinor::sim {

// The simulated controller inside the tool's own process, where no
// pseudo-terminal can carry the line (Windows): the same controller, line
// timing and engine as on a pty, on the monotonic clock. Nothing runs
// between calls: the controller's bytes fall due by the time they are asked
// for, and the engine catches up whenever it is looked at. Not thread-safe:
// the window's thread alone uses it.
class InProcessController final : public EngineControls {
public:
    explicit InProcessController(SimulatorOptions options = {});

    // The tool's bytes reach the controller now.
    void receive(const std::uint8_t* data, std::size_t count);
    // The controller's bytes on the line by now, oldest first.
    std::size_t dueCount() const;
    std::vector<std::uint8_t> takeDue(std::size_t max);

    std::vector<ReceivedFrame> receivedFrames() const { return line_.receivedFrames(); }

    void setEngineRunning(bool running) override;
    void setThrottle(double zeroToOne) override;
    void setReducerScrew(double minusOneToOne) override;
    void setFitterEnabled(bool enabled) override;
    void setProbeModel(ProbeModel model) override;
    EngineView engineView() override;

private:
    // Nanoseconds since the controller was made: the line's and the engine's time.
    std::int64_t nowNs() const;
    double secondsNow() const { return ControllerLine::seconds(nowNs()); }

    const std::chrono::steady_clock::time_point origin_;
    ControllerLine line_;
};

}  // namespace dravinor::sim
