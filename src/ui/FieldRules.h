#pragma once

#include "FieldCatalogue.h"
#include "FieldEncoding.h"

#include <QChar>
#include <QString>

#include <cstdint>
#include <optional>

namespace dravinor::params {
class ParameterBlock;
}

namespace dravinor::ui::fields {

// The key filters: what a typed character becomes, or nothing when it is
// swallowed. "." is typed as "," in decimal fields.
std::optional<QChar> filterTyped(KeyFilter filter, QChar typed);
// A whole text (a paste) held to the same rule; nothing when any of its
// characters would have been swallowed.
std::optional<QString> filterText(KeyFilter filter, const QString& text);

// "1,25", ",5" and "1," are numbers; "", "," and "1,,2" are not.
std::optional<double> parseDecimal(const QString& text);
std::optional<int> parseInteger(const QString& text);
// Either of the above, as the field's filter says.
std::optional<double> parseFieldText(const TextField& field, const QString& text);

struct EncodedValue {
    int value = 0;           // what the range warnings test: the stored byte, or n
    std::uint8_t byte = 0;   // stored at the address (single-byte fields)
    std::uint16_t word = 0;  // stored high byte first (RPM fields)
    QString shown;           // the redisplayed form
};
EncodedValue encodeValue(const TextField& field, double value, float ignitionConstant);

// The text a field takes when left empty; PRLambda's follows the probe type.
QString emptyTextFor(const TextField& field, int probeType);

// What the field shows for the parameter block.
QString shownText(const TextField& field, const params::ParameterBlock& block, float ignitionConstant);

// The slot of the probe-range question for a lambda threshold typed with a
// probe type, or 0 when the value lies in the probe's range.
int probeThresholdWarning(int probeType, double volts);

// Whether a warning holds for a field's value; `other` is the compared
// field's number, clamped to 0..255, if it has one.
bool warningHolds(const RangeWarning& warning, int value, std::optional<int> other);

}  // namespace dravinor::ui::fields
