#pragma once

#include <cstdint>
#include <thread>

namespace dravinor::link {

// Time seen by the link: the 2 ms polls, the pauses between tries and the
// millisecond tick. Tests drive it with a fake; benchmarks use the real one.
class Clock {
public:
    virtual ~Clock() = default;
    virtual void sleepMs(int ms) = 0;
    virtual std::uint32_t tickMs() = 0;
    // A free-running microsecond count (it wraps): what a reply window is
    // measured on. A clock without finer time counts whole milliseconds.
    virtual std::uint32_t tickUs() { return tickMs() * 1000U; }
    // Gives the processor away without sleeping, for a wait shorter than
    // the timer's tick that watches the clock. A fake clock must let time
    // pass here.
    virtual void yield() { std::this_thread::yield(); }
};

class SystemClock final : public Clock {
public:
    void sleepMs(int ms) override;
    std::uint32_t tickMs() override;
    std::uint32_t tickUs() override;
};

}  // namespace dravinor::link
