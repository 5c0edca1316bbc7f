#include "WorkingParameters.h"

#include <cmath>

namespace dravinor::sim {

double ignitionConstantFor(std::uint8_t item)
{
    static constexpr double kByItem[] = {19200, 9600, 4800, 4000, 3200, 2400};
    return item < 6 ? kByItem[item] : kByItem[0];
}

std::uint16_t rpmToPeriod(double rpm, double ignitionConstant)
{
    if (rpm <= 0)
        return 0xFFFF;
    const double period = std::round(800.0 * ignitionConstant / rpm);
    return period >= 0xFFFF ? 0xFFFF : static_cast<std::uint16_t>(period);
}

WorkingParameters WorkingParameters::fromRam(const std::uint8_t* ram)
{
    auto p = [ram](int address) { return ram[address + kRamParameterOffset]; };
    WorkingParameters w;
    w.lambdaThresholdVolts = p(1) * 0.02;
    w.tpsThresholdVolts = p(2) * 0.05;
    // Stored as 109 + degrees / 2.14; anything below 109 means 0 degrees.
    w.switchTemperatureC = p(3) > 109 ? std::floor((p(3) - 109) * 2.14) : 0.0;
    w.startAbove = p(4);
    w.maxAbove = p(5);
    w.minAbove = p(6);
    w.startBelow = p(7);
    w.maxBelow = p(8);
    w.minBelow = p(9);
    w.speedAbove = p(10);
    w.speedBelow = p(11);
    w.ignitionConstant = ignitionConstantFor(p(13));
    w.switchPeriod = static_cast<std::uint16_t>(p(14) << 8 | p(15));
    w.tpsRising = (p(32) & 0x01) != 0;
    w.probeRising = (p(32) & 0x02) != 0;
    w.temperatureSensorUsed = (p(32) & 0x08) != 0;
    return w;
}

}  // namespace dravinor::sim
