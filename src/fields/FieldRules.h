#pragma once

#include "FieldCatalogue.h"

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

}  // namespace dravinor::fields
