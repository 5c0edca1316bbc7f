#pragma once

#include "fields/FieldCatalogue.h"

#include <cstdint>
#include <optional>
#include <string>

namespace dravinor::fields {

// The text a field takes when left empty; PRLambda's follows the probe type.
std::string emptyTextFor(const TextField& field, int probeType);

// The slot of the probe-range question for a lambda threshold typed with a
// probe type, or 0 when the value lies in the probe's range.
int probeThresholdWarning(int probeType, double volts);

// Whether a warning holds for a field's value; `other` is the compared
// field's number, clamped to 0..255, if it has one.
bool warningHolds(const RangeWarning& warning, int value, std::optional<int> other);

// A working range's halves never cross: a half whose value reaches its
// partner's (the lower one at or above the upper, the upper at or below the
// lower) takes the partner's value. A partner without a value (not read
// from the controller) keeps no half below it. False for fields that are
// no half of a range.
bool takesPartnersValue(const TextField& field, int value, std::optional<int> partnerValue);

// The switch-over hysteresis word that goes with an RPM delta: the period
// difference between the switch-over speed and that speed less the delta,
// with the ignition constant. Without the switch-over speed (no number in
// its field) it counts from 0, unless the speed was never read from the
// controller: then nothing, and the controller keeps its own hysteresis.
std::optional<std::uint16_t> switchOverHysteresis(std::optional<int> switchOverRpm, bool switchOverUnread, int deltaRpm,
                                                  float ignitionConstant);

}  // namespace dravinor::fields
