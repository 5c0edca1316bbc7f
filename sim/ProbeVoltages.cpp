#include "ProbeVoltages.h"

#include <utility>

namespace dravinor::sim {

ProbeVoltages probeVoltagesFor(std::uint8_t probeType)
{
    // A little inside each range's ends, as a real probe never quite reaches them.
    static constexpr ProbeVoltages kByType[] = {
        {0.1, 0.8}, {0.9, 0.2}, {0.9, 1.5}, {1.5, 0.9}, {0.5, 4.5}, {4.5, 0.5},
    };
    return probeType < 6 ? kByType[probeType] : kByType[0];
}

std::optional<ProbeModel> probeModelNamed(std::string_view name)
{
    static constexpr std::pair<std::string_view, ProbeModel> kNames[] = {
        {"healthy", ProbeModel::Healthy},           {"slow", ProbeModel::Slow},
        {"stuck-lean", ProbeModel::StuckLean},      {"stuck-rich", ProbeModel::StuckRich},
        {"disconnected", ProbeModel::Disconnected}, {"biased", ProbeModel::Biased},
    };
    for (const auto& [known, model] : kNames)
        if (known == name)
            return model;
    return std::nullopt;
}

}  // namespace dravinor::sim
