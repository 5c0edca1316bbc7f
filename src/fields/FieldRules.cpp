#include "fields/FieldRules.h"

#include "params/Encoders.h"

namespace dravinor::fields {

std::string emptyTextFor(const TextField& field, int probeType)
{
    if (field.emptyText)
        return field.emptyText;
    // The lambda threshold's default sits in the middle of the probe's range.
    if (probeType == 2 || probeType == 3)
        return "1,2";
    if (probeType == 4 || probeType == 5)
        return "2,54";
    return "0,38";
}

int probeThresholdWarning(int probeType, double volts)
{
    if ((probeType == 0 || probeType == 1) && volts > 1.0)
        return lang::slot::probeThreshold01;
    if ((probeType == 2 || probeType == 3) && (volts < 0.8 || volts > 1.6))
        return lang::slot::probeThreshold0816;
    return 0;
}

bool warningHolds(const RangeWarning& warning, int value, std::optional<int> other)
{
    switch (warning.compare) {
    case Compare::Below: return value < warning.limit;
    case Compare::Above: return value > warning.limit;
    case Compare::BelowField: return other && value < *other;
    case Compare::AboveField: return other && value > *other;
    }
    return false;
}

bool takesPartnersValue(const TextField& field, int value, std::optional<int> partnerValue)
{
    if (!partnerValue)
        return false;
    switch (field.pair) {
    case Pair::Lower: return value >= *partnerValue;
    case Pair::Upper: return *partnerValue >= value;
    case Pair::None:
    case Pair::FillsOnly: break;
    }
    return false;
}

std::optional<std::uint16_t> switchOverHysteresis(std::optional<int> switchOverRpm, bool switchOverUnread, int deltaRpm,
                                                  float ignitionConstant)
{
    if (!switchOverRpm && switchOverUnread)
        return std::nullopt;
    return params::encodeSwitchOverHysteresis(switchOverRpm.value_or(0), deltaRpm, ignitionConstant);
}

}  // namespace dravinor::fields
