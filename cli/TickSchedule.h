#pragma once

#include <atomic>
#include <ctime>

namespace dravinor::cli {

// A steady 50 ms schedule that also watches standard input for Enter while
// it waits. A tick that ran late is not made up twice.
class TickSchedule {
public:
    static constexpr long periodNs = 50'000'000;

    TickSchedule();
    // Waits for the next mark; returns early only when interrupted says so.
    // Each Enter typed meanwhile adds one to enters when watching input.
    void waitForNextTick(bool watchInput, int& enters, const std::atomic<bool>& interrupted);
    // Milliseconds since the schedule began.
    long elapsedMs() const;
    bool inputOpen() const { return inputOpen_; }

private:
    timespec start_{};
    timespec deadline_{};
    bool inputOpen_ = true;
};

}  // namespace dravinor::cli
