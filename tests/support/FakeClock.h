#pragma once

#include "link/Clock.h"

#include <cstdint>

namespace dravinor::testing {

// Time that passes only when the code under test sleeps.
class FakeClock final : public link::Clock {
public:
    void sleepMs(int ms) override
    {
        nowMs += static_cast<std::uint32_t>(ms);
        ++sleeps;
        sleptMs += ms;
    }
    std::uint32_t tickMs() override { return nowMs; }

    std::uint32_t nowMs = 0;
    int sleeps = 0;
    int sleptMs = 0;
};

}  // namespace dravinor::testing
