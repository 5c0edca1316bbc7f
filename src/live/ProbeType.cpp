#include "live/ProbeType.h"

#include <cmath>

namespace dravinor::live {

namespace {
constexpr std::array<std::string_view, 5> oneVoltLabels{"1,10", "0,80", "0,50", "0,25", "0,00"};
constexpr std::array<std::string_view, 5> zirconiaHighLabels{"2,0", "1,5", "1,0", "0,5", "0,0"};
constexpr std::array<std::string_view, 5> fiveVoltLabels{"5,0", "3,8", "2,5", "1,2", "0,0"};

constexpr std::array<ProbeTypeSettings, 6> settings{{
    {0.0f, 51.0f, 0, 51, 0.6f, false, oneVoltLabels},
    {0.0f, 51.0f, 0, 51, 0.6f, true, oneVoltLabels},
    {40.8f, 81.6f, 40, 81, 1.16f, false, zirconiaHighLabels},
    {40.8f, 81.6f, 40, 81, 1.16f, true, zirconiaHighLabels},
    {0.0f, 255.0f, 0, 255, 2.9f, false, fiveVoltLabels},
    {0.0f, 255.0f, 0, 255, 2.9f, true, fiveVoltLabels},
}};
}  // namespace

std::optional<ProbeTypeSettings> probeTypeSettings(int item)
{
    if (item < 0 || item >= static_cast<int>(settings.size()))
        return std::nullopt;
    return settings[static_cast<std::size_t>(item)];
}

}  // namespace dravinor::live

namespace dravinor::live {

int lambdaTracePercent(int lambdaByte, float traceDivisor)
{
    return static_cast<int>(std::trunc(lambdaByte / static_cast<double>(traceDivisor) + 5.0));
}

}  // namespace dravinor::live
