#include "params/Conversions.h"

#include <array>
#include <cmath>

namespace dravinor::params {

int roundHalfUp(float x)
{
    return static_cast<int>(std::trunc(x + 0.5f));
}

int rpmToPeriod(int rpm, float ignitionConstant)
{
    if (rpm == 0)
        rpm = 1;
    // 800 * K is a whole number well inside double's exact range, so the
    // floor of the double quotient is the exact integer quotient.
    return static_cast<int>(std::floor(800.0 * static_cast<double>(ignitionConstant) / rpm));
}

int periodToRpm(int period, int step, float ignitionConstant)
{
    // A zero period (a live frame without a speed while the no-speed bit is
    // clear, a silent line) is no engine at rest: it is the fastest speed
    // there is, held before it overflows.
    if (period == 0)
        return rpmBeyondAnyEngine;
    const float quotient = ignitionConstant / static_cast<float>(period);
    const float product = quotient * 800.0f;
    const int rpm = static_cast<int>(std::trunc(product));
    return step > 0 ? rpm - rpm % step : rpm;
}

std::optional<float> ignitionConstantForItem(int item)
{
    static constexpr std::array<float, 6> constants{19200.0f, 9600.0f, 4800.0f, 4000.0f, 3200.0f, 2400.0f};
    if (item < 0 || item >= static_cast<int>(constants.size()))
        return std::nullopt;
    return constants[static_cast<std::size_t>(item)];
}

}  // namespace dravinor::params
