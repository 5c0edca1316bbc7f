#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

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

// The probe's condition, for trying the tool's probe check on every fault.
enum class ProbeModel {
    Healthy,
    Slow,          // aged: answers a change of mixture ten times slower
    StuckLean,     // gives its lean voltage whatever the mixture
    StuckRich,     // gives its rich voltage whatever the mixture
    Disconnected,  // the input reads 0 V
    Biased,        // reads half its swing towards rich (a poor ground): the
                   // controller's threshold always sees rich
};

// Model names as `dravinor-sim --probe` takes them; none for an unknown name.
std::optional<ProbeModel> probeModelNamed(std::string_view name);

}  // namespace dravinor::sim
