#pragma once

#include <cstdint>

namespace dravinor::link {

// Time seen by the link: the 2 ms polls, the pauses between tries and the
// millisecond tick. Tests drive it with a fake; benchmarks use the real one.
class Clock {
public:
    virtual ~Clock() = default;
    virtual void sleepMs(int ms) = 0;
    virtual std::uint32_t tickMs() = 0;
};

class SystemClock final : public Clock {
public:
    void sleepMs(int ms) override;
    std::uint32_t tickMs() override;
};

}  // namespace dravinor::link
