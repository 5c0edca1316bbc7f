#pragma once

#include "link/Clock.h"

#include <cstdint>

namespace dravinor::testing {

// Time that passes only when the code under test sleeps. With a timer
// period set, every sleep is rounded up to whole periods of it, as a
// system timer left at its coarse default does (15.625 ms on Windows).
class FakeClock final : public link::Clock {
public:
    void sleepMs(int ms) override
    {
        ++sleeps;
        sleptMs += ms;
        if (timerPeriodUs == 0) {
            nowMs += static_cast<std::uint32_t>(ms);
            return;
        }
        const std::uint64_t periods = (static_cast<std::uint64_t>(ms) * 1000 + timerPeriodUs - 1) / timerPeriodUs;
        advanceUs(periods * timerPeriodUs);
    }
    // A yield returns after a few microseconds.
    void yield() override
    {
        ++yields;
        advanceUs(yieldUs);
    }
    std::uint32_t tickMs() override { return nowMs; }
    std::uint32_t tickUs() override { return static_cast<std::uint32_t>(nowUs()); }
    std::uint64_t nowUs() const { return std::uint64_t{nowMs} * 1000 + subMsUs; }
    void advanceUs(std::uint64_t us)
    {
        const std::uint64_t now = nowUs() + us;
        nowMs = static_cast<std::uint32_t>(now / 1000);
        subMsUs = static_cast<std::uint32_t>(now % 1000);
    }

    std::uint32_t nowMs = 0;
    std::uint32_t subMsUs = 0;        // below the millisecond, with a coarse timer only
    std::uint32_t timerPeriodUs = 0;  // 0: a sleep lasts exactly as asked
    int sleeps = 0;
    int sleptMs = 0;
    int yields = 0;
    static constexpr std::uint32_t yieldUs = 5;
};

}  // namespace dravinor::testing
