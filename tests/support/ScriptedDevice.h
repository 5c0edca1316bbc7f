#pragma once

#include "FakeClock.h"
#include "link/SerialDevice.h"

#include <algorithm>
#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <vector>

namespace dravinor::testing {

// A serial device whose answers arrive at given fake times. It records what
// was written and can refuse to open, fail a write or lose the device.
class ScriptedDevice final : public link::SerialDevice {
public:
    explicit ScriptedDevice(FakeClock& clock) : clock_(clock) {}

    // Bytes that become readable once the fake clock reaches atMs.
    void arriveAt(std::uint32_t atMs, std::vector<std::uint8_t> bytes)
    {
        for (auto byte : bytes)
            pending_.push_back({atMs, byte});
        std::stable_sort(pending_.begin(), pending_.end(),
                         [](const Pending& a, const Pending& b) { return a.atMs < b.atMs; });
    }
    // Called after each write with the bytes written; may script an answer.
    std::function<void(const std::vector<std::uint8_t>&)> onWrite;

    link::OpenResult open(const std::string& path) override
    {
        opens.push_back(path);
        const link::OpenError failure = openRule ? openRule(path) : openFailure;
        if (failure != link::OpenError::None)
            return {failure, "scripted"};
        openPath = path;
        open_ = true;
        lost = false;
        return {};
    }
    void close() override
    {
        open_ = false;
        ++closes;
    }
    bool isOpen() const override { return open_; }
    void setRts(bool on) override { rtsChanges.push_back(on); }
    bool write(const std::uint8_t* data, std::size_t count) override
    {
        if (failWrites || lost)
            return false;
        std::vector<std::uint8_t> bytes(data, data + count);
        written.push_back(bytes);
        if (onWrite)
            onWrite(bytes);
        return true;
    }
    void drainOutput() override { ++drains; }
    void discardInput() override
    {
        ++discards;
        pending_.erase(std::remove_if(pending_.begin(), pending_.end(),
                                      [this](const Pending& p) { return p.atMs <= clock_.nowMs; }),
                       pending_.end());
    }
    std::size_t queuedCount() override
    {
        ++queries;
        // As the termios backend finds a hang-up: on asking, with nothing waiting.
        if (hangUpWhenAsked)
            lost = true;
        return static_cast<std::size_t>(std::count_if(pending_.begin(), pending_.end(),
                                                      [this](const Pending& p) { return p.atMs <= clock_.nowMs; }));
    }
    std::size_t read(std::uint8_t* buffer, std::size_t max) override
    {
        ++reads;
        std::size_t n = 0;
        while (n < max && !pending_.empty() && pending_.front().atMs <= clock_.nowMs) {
            buffer[n++] = pending_.front().byte;
            pending_.pop_front();
        }
        return n;
    }
    bool hungUp() const override { return lost; }

    link::OpenError openFailure = link::OpenError::None;
    // Decides per path whether an open succeeds (overrides openFailure).
    std::function<link::OpenError(const std::string&)> openRule;
    std::string openPath;
    bool failWrites = false;
    bool lost = false;
    bool hangUpWhenAsked = false;  // the adapter is gone; the next query finds out
    std::vector<std::string> opens;
    std::vector<std::vector<std::uint8_t>> written;
    std::vector<bool> rtsChanges;
    int closes = 0, drains = 0, discards = 0, queries = 0, reads = 0;

private:
    struct Pending {
        std::uint32_t atMs;
        std::uint8_t byte;
    };
    FakeClock& clock_;
    std::deque<Pending> pending_;
    bool open_ = false;
};

}  // namespace dravinor::testing
