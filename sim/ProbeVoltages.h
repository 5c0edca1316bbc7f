#pragma once

#include <cstdint>

namespace dravinor::sim {

// The voltages the car's lambda probe gives on a lean and on a rich mixture.
// The simulated car carries whatever probe the tool was told it has
// (parameter 34), so every probe type can be tried.
struct ProbeVoltages {
    double lean;
    double rich;
};

// Items as the tool lists them: 0-1 V, 1-0 V, 0.8-1.6 V, 1.6-0.8 V, 0-5 V,
// 5-0 V (rising, then falling). Unknown items count as the first.
ProbeVoltages probeVoltagesFor(std::uint8_t probeType);

}  // namespace dravinor::sim
