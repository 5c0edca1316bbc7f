#pragma once

#include "fields/FieldCatalogue.h"
#include "fields/FieldEncoding.h"
#include "fields/FieldRules.h"

#include <QChar>
#include <QString>

#include <cstdint>
#include <optional>

namespace dravinor::params {
class ParameterBlock;
}

namespace dravinor::ui {

// The key filters: what a typed character becomes, or nothing when it is
// swallowed. "." is typed as "," in decimal fields.
std::optional<QChar> filterTyped(fields::KeyFilter filter, QChar typed);
// A whole text (a paste) held to the same rule; nothing when any of its
// characters would have been swallowed.
std::optional<QString> filterText(fields::KeyFilter filter, const QString& text);

// "1,25", ",5" and "1," are numbers; "", "," and "1,,2" are not.
std::optional<double> parseDecimal(const QString& text);
std::optional<int> parseInteger(const QString& text);
// Either of the above, as the field's filter says.
std::optional<double> parseFieldText(const fields::TextField& field, const QString& text);

struct EncodedValue {
    int value = 0;           // what the range warnings test: the stored byte, or n
    std::uint8_t byte = 0;   // stored at the address (single-byte fields)
    std::uint16_t word = 0;  // stored high byte first (RPM fields)
    QString shown;           // the redisplayed form
};
EncodedValue encodeValue(const fields::TextField& field, double value, float ignitionConstant);

// What the field shows for the parameter block.
QString shownText(const fields::TextField& field, const params::ParameterBlock& block, float ignitionConstant);

}  // namespace dravinor::ui
