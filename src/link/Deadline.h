#pragma once

#include "link/Clock.h"

#include <cstdint>

namespace dravinor::link {

// A span measured on the clock from the moment it starts. A wait that ends
// by the time passed, not by how many sleeps it made, lasts as long where a
// sleep is rounded up to a coarse timer tick as where it is exact.
class Deadline {
public:
    Deadline(Clock& clock, int ms) : clock_(clock), spanUs_(static_cast<std::uint32_t>(ms) * 1000U) { restart(); }

    // The span starts again now.
    void restart() { startUs_ = clock_.tickUs(); }
    bool passed() const { return elapsedUs() >= spanUs_; }
    // Unsigned: a counter that wrapped meanwhile still gives the right span.
    std::uint32_t elapsedUs() const { return clock_.tickUs() - startUs_; }

private:
    Clock& clock_;
    std::uint32_t spanUs_;
    std::uint32_t startUs_ = 0;
};

}  // namespace dravinor::link
