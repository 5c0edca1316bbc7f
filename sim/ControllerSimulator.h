#pragma once

#include "ControllerCore.h"
#include "FrameParser.h"
#include "LineFaults.h"
#include "Pty.h"

#include <array>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <cstdint>
#include <deque>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace dravinor::sim {

struct SimulatorOptions {
    std::uint8_t identity = 0x31;
    bool silent = false;            // opens the pty but never answers
    bool pacing = true;             // 9600-baud timing
    std::optional<std::array<std::uint8_t, 64>> eeprom;  // default factory set if empty
    FaultOptions faults;
    std::string linkPath;           // if set, a symlink to the slave path is (re)made there
    bool tpsFalling = false;        // the car's throttle sensor falls as it opens
    // How many of the latest frames receivedFrames() keeps: an hour of live
    // polls by default; 0 keeps none (a demo that runs all day).
    std::size_t frameLogLimit = 1 << 16;
    bool fitter = false;            // a virtual fitter follows the auto-adaptation
    double reducerScrew = -0.5;     // as found on the car: too lean for gas at idle
};

struct ReceivedFrame {
    std::array<std::uint8_t, 6> bytes;
    std::chrono::steady_clock::time_point at;
};

// A controller on a pseudo-terminal, served by its own thread. start(),
// stop() and the destructor belong to the owner; every other call is safe
// from any thread while it runs.
class ControllerSimulator {
public:
    explicit ControllerSimulator(SimulatorOptions options = {});
    ~ControllerSimulator();
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
    // A silent controller hears frames but neither carries them out nor answers.
    void setSilent(bool silent);

    // Writes raw bytes on the line now (stale bytes, noise).
    void injectBytes(std::vector<std::uint8_t> bytes);
    // The adapter is unplugged: the client's open port hangs up (EIO on
    // write and FIONREAD, end of file on read, POLLHUP) and the path vanishes.
    void hangUp();
    // A new pty appears (with a new path); linkPath, if set, follows it.
    bool replug(std::string* error = nullptr);

    void setEngineRunning(bool running);
    void setThrottle(double zeroToOne);
    void setReducerScrew(double minusOneToOne);
    void setFitterEnabled(bool enabled);
    // What the engine does now, for a panel that shows it.
    struct EngineView {
        bool running;
        double rpm;
        double coolantC;
        double stepper;
        double probeVolts;
        bool onGas;
        double throttle;
        double reducerScrew;
        bool fitterEnabled;
        const char* fitterStage;  // empty without a fitter
    };
    EngineView engineView();

private:
    void run();
    // True when the controller answered (and so was deaf meanwhile).
    bool serve(const Frame& frame);
    void dropWhatArrivedMeanwhile();
    bool queuesFrames() const;
    void transmit(const std::vector<TimedByte>& plan);
    void writeNow(const std::uint8_t* data, std::size_t count);
    void hangUpLocked();
    bool plugLocked(std::string* error);
    // Runs job on the serving thread between two polls and waits for it.
    // Closing the master while that thread polls it would keep the device
    // alive until the poll returns: the client would not see the hang-up.
    bool onLineThread(std::function<bool()> job);
    void runJobs();
    void wake();
    double secondsNow() const;

    const SimulatorOptions options_;
    const std::chrono::steady_clock::time_point origin_;

    // Controller state, faults and the frame log.
    mutable std::mutex stateMutex_;
    ControllerCore core_;
    LineFaults faults_;
    bool silent_;
    std::deque<ReceivedFrame> frames_;

    // The line: held by the serving thread while it reads or answers, so a
    // hang-up never cuts a reply in half.
    mutable std::mutex ioMutex_;
    Pty pty_;
    FrameParser parser_;

    // Set after the last frame a fault allows: the adapter goes away at this
    // time unless another frame brings it forward. The grace lets the client
    // read the last reply, which a hang-up would throw away with its queue.
    std::optional<std::int64_t> hangUpAtNs_;

    std::mutex jobsMutex_;
    std::condition_variable jobsDone_;
    std::vector<std::function<void()>> jobs_;

    std::thread thread_;
    std::atomic<bool> stopping_{false};
    int wakeFd_ = -1;
};

}  // namespace dravinor::sim
