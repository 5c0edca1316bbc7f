#include "params/ScaleTables.h"

namespace dravinor::params {

namespace {

FloatScale accumulate(float step)
{
    FloatScale table{};
    for (std::size_t i = 1; i < table.size(); ++i)
        table[i] = table[i - 1] + step;
    return table;
}

}  // namespace

ScaleTables buildScaleTables()
{
    ScaleTables tables;
    tables.lambdaThreshold = accumulate(lambdaThresholdStep);
    tables.emulation = accumulate(emulationStep);
    tables.tpsThreshold = accumulate(tpsThresholdStep);
    tables.tpsInertia = accumulate(tpsInertiaStep);
    tables.extraOpeningThreshold = accumulate(extraOpeningThresholdStep);
    const FloatScale degrees = accumulate(temperatureStep);
    for (std::size_t i = 0; i < degrees.size(); ++i)
        tables.temperature[i] = static_cast<std::uint16_t>(degrees[i]);
    return tables;
}

const ScaleTables& scaleTables()
{
    static const ScaleTables tables = buildScaleTables();
    return tables;
}

}  // namespace dravinor::params
