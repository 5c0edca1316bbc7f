#pragma once

#include "ControllerLine.h"
#include "EngineControls.h"
#include "Pty.h"

#include <array>
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace dravinor::sim {

// A controller on a pseudo-terminal, served by its own thread. start(),
// stop() and the destructor belong to the owner; every other call is safe
// from any thread while it runs.
class ControllerSimulator final : public EngineControls {
public:
    using EngineView = sim::EngineView;
    explicit ControllerSimulator(SimulatorOptions options = {});
    ~ControllerSimulator() override;
    ControllerSimulator(const ControllerSimulator&) = delete;
    ControllerSimulator& operator=(const ControllerSimulator&) = delete;

    bool start(std::string* error = nullptr);
    void stop();

    // The real /dev/pts/N; after a hang-up it still names the vanished device.
    std::string slavePath() const;

    // The valid frames seen on the line (the latest frameLogLimit of them),
    // including those a fault or silence left unanswered.
    std::vector<ReceivedFrame> receivedFrames() const;
    void clearReceivedFrames();

    std::array<std::uint8_t, 64> eeprom() const;
    std::array<std::uint8_t, 128> ram() const;
    // As a power-up with this EEPROM: the RAM working copies follow it.
    void setEeprom(const std::array<std::uint8_t, 64>& eeprom);
    // Takes effect for the next frame; the fault counters start again.
    void setFaults(const FaultOptions& faults);
    // Another controller behind the adapter: 'I' is answered with this byte.
    void setIdentity(std::uint8_t identity);
    // A silent controller hears frames but neither carries them out nor answers.
    void setSilent(bool silent);

    // Writes raw bytes on the line now (stale bytes, noise).
    void injectBytes(std::vector<std::uint8_t> bytes);
    // The adapter is unplugged: the client's open port hangs up (EIO on
    // write and FIONREAD, end of file on read, POLLHUP) and the path vanishes.
    void hangUp();
    // A new pty appears (with a new path); linkPath, if set, follows it.
    bool replug(std::string* error = nullptr);

    void setEngineRunning(bool running) override;
    void setThrottle(double zeroToOne) override;
    void setReducerScrew(double minusOneToOne) override;
    void setFitterEnabled(bool enabled) override;
    void setProbeModel(ProbeModel model) override;
    EngineView engineView() override;

private:
    void run();
    // Hears what the tool sent, puts due bytes on the line, unplugs when a
    // fault says so; returns how long it may wait for more (ns).
    std::int64_t serveLine();
    void writeNow(const std::uint8_t* data, std::size_t count);
    void hangUpLocked();
    bool plugLocked(std::string* error);
    // Runs job on the serving thread between two polls and waits for it.
    // Closing the master while that thread polls it would keep the device
    // alive until the poll returns: the client would not see the hang-up.
    bool onLineThread(std::function<bool()> job);
    void runJobs();
    void wake();
    // Nanoseconds since the start: the line's and the engine's time.
    std::int64_t nowNs() const;
    double secondsNow() const { return ControllerLine::seconds(nowNs()); }

    const SimulatorOptions options_;
    const std::int64_t originNs_;

    // The controller, its faults and the frame log.
    mutable std::mutex stateMutex_;
    ControllerLine line_;

    // The pty: held by the serving thread while it reads or writes, so a
    // hang-up never cuts a write in half.
    mutable std::mutex ioMutex_;
    Pty pty_;

    std::mutex jobsMutex_;
    std::condition_variable jobsDone_;
    std::vector<std::function<void()>> jobs_;

    std::thread thread_;
    std::atomic<bool> stopping_{false};
    int wakeFd_ = -1;
};

}  // namespace dravinor::sim
