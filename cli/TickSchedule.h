#pragma once

#include "link/Clock.h"

#include <atomic>
#include <cstdint>

namespace dravinor::cli {

// A steady 50 ms schedule on the session's clock that also watches standard
// input for Enter while it waits. A tick that ran late is not made up twice.
class TickSchedule {
public:
    static constexpr std::uint32_t periodMs = 50;
    // Enter is looked for this often while a tick is waited for.
    static constexpr std::uint32_t inputSliceMs = 5;

    explicit TickSchedule(link::Clock& clock);
    // Waits for the next mark; returns early only when interrupted says so.
    // Each Enter typed meanwhile adds one to enters when watching input.
    void waitForNextTick(bool watchInput, int& enters, const std::atomic<bool>& interrupted);
    // Milliseconds since the schedule began.
    long elapsedMs() const;
    bool inputOpen() const { return inputOpen_; }

private:
    // Counts the Enters waiting on standard input; false when none wait.
    bool readInput(int& enters);

    link::Clock& clock_;
    std::uint32_t startMs_;
    std::uint32_t deadlineMs_;
    bool inputOpen_ = true;
};

}  // namespace dravinor::cli
