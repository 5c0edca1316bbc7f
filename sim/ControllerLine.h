#pragma once

#include "ControllerCore.h"
#include "FrameParser.h"
#include "LineFaults.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "ProbeVoltages.h"

namespace dravinor::sim {

struct SimulatorOptions {
    std::uint8_t identity = 0x31;
    bool silent = false;                                 // hears frames but never answers
    bool pacing = true;                                  // 9600-baud timing
    std::optional<std::array<std::uint8_t, 64>> eeprom;  // default factory set if empty
    FaultOptions faults;
    std::string linkPath;     // on a pty: if set, a symlink to the slave path is (re)made there
    bool tpsFalling = false;  // the car's throttle sensor falls as it opens
    // How many of the latest frames receivedFrames() keeps: an hour of live
    // polls by default; 0 keeps none (a demo that runs all day).
    std::size_t frameLogLimit = 1 << 16;
    bool fitter = false;                          // a virtual fitter follows the auto-adaptation
    double reducerScrew = -0.5;                   // as found on the car: too lean for gas at idle
    ProbeModel probeModel = ProbeModel::Healthy;  // the car's lambda probe
    // The engine runs at this speed (RPM) instead of idling, the throttle
    // held there, so the probe check (above 1200 RPM) has a car to judge.
    std::optional<double> steadyRpm;
    std::uint32_t noiseSeed = 0;  // seeds the noise fault; 0 takes a random seed
};

// A valid frame the controller heard, and when (ns on the line's clock).
struct ReceivedFrame {
    std::array<std::uint8_t, 6> bytes;
    std::int64_t atNs;
};

// The controller's end of the line between "bytes heard" and "bytes on the
// line at time t", without the line itself: the tool's bytes go in with the
// time they arrived, the controller's come out once they are due. It answers
// through the controller core, applies the line faults, paces its replies at
// 9600 baud, is deaf while it talks (a queueing controller hears and answers
// afterwards, in order) and says when the adapter goes away. Times are
// nanoseconds of one clock that never goes backwards; the engine runs on it.
// Not thread-safe: the pty simulator guards it, an in-process device owns it.
class ControllerLine {
public:
    explicit ControllerLine(const SimulatorOptions& options);

    // The tool's bytes reached the controller at atNs.
    void receive(const std::uint8_t* data, std::size_t count, std::int64_t atNs);
    // Bytes the controller put on the line by nowNs, oldest first, at most
    // max of them; taken off the line.
    std::vector<std::uint8_t> takeDue(std::int64_t nowNs, std::size_t max = SIZE_MAX);
    std::size_t dueCount(std::int64_t nowNs) const;
    // When the next byte goes out; nothing while the controller is quiet.
    std::optional<std::int64_t> nextDueNs() const;
    // Bytes that appear on the line at atNs (stale bytes, noise).
    void inject(const std::vector<std::uint8_t>& bytes, std::int64_t atNs);

    // When a fault unplugs the adapter: now, or after the grace that lets
    // the tool read the last reply.
    std::optional<std::int64_t> hangUpAtNs() const { return hangUpAtNs_; }
    // The adapter went (or came back): what was on the line is gone, a
    // half-heard frame too, and no hang-up is pending.
    void resetLine();

    std::vector<ReceivedFrame> receivedFrames() const { return {frames_.begin(), frames_.end()}; }
    void clearReceivedFrames() { frames_.clear(); }

    ControllerCore& core() { return core_; }
    const ControllerCore& core() const { return core_; }
    // Takes effect for the next frame; the fault counters start again.
    void setFaults(const FaultOptions& faults);
    // A silent controller hears frames but neither carries them out nor answers.
    void setSilent(bool silent) { silent_ = silent; }
    // The line's time in the engine's seconds.
    static double seconds(std::int64_t ns) { return static_cast<double>(ns) / 1e9; }

    // After the last frame a fault allows, the adapter stays this long.
    static constexpr std::int64_t kHangUpGraceNs = 100'000'000;

private:
    void serve(const Frame& frame, std::int64_t atNs);
    void put(std::uint8_t value, std::int64_t atNs);

    const bool pacing_;
    const std::size_t frameLogLimit_;
    const std::uint32_t noiseSeed_;
    ControllerCore core_;
    LineFaults faults_;
    bool silent_;
    FrameParser parser_;
    std::deque<ReceivedFrame> frames_;
    struct Outgoing {
        std::int64_t atNs;
        std::uint8_t value;
    };
    std::deque<Outgoing> outgoing_;  // in time order
    // The last byte of the answer being given: until then the controller
    // talks and, unless it queues, hears nothing.
    std::int64_t talkingUntilNs_ = INT64_MIN;
    // A pause fault: until then the controller answers nothing.
    std::int64_t pausedUntilNs_ = INT64_MIN;
    // The last reply byte put on the line: a stalled reply is not overtaken.
    std::int64_t lastReplyByteNs_ = INT64_MIN;
    std::optional<std::int64_t> hangUpAtNs_;
};

}  // namespace dravinor::sim
