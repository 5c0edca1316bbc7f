#pragma once

#include "fields/FieldCatalogue.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace dravinor::params {
class ParameterBlock;
}

namespace dravinor::fields {

// A free-text field's value once its Exit handler has encoded it.
struct FieldValue {
    int value = 0;           // what the range warnings test: the stored byte, or n
    std::uint8_t byte = 0;   // stored at the address (single-byte fields)
    std::uint16_t word = 0;  // stored high byte first (RPM fields)
    std::string shown;       // the redisplayed form, decimal comma
};

// The value encoded as the field's Exit handler encodes it (clamped to the
// field's limits), with K for the RPM words.
FieldValue encodeFieldValue(const TextField& field, double value, float ignitionConstant);
bool isWordField(const TextField& field);

// What the field shows for the parameter block (K from its parameter 13 as
// the pages have it).
std::string shownFieldText(const TextField& field, const params::ParameterBlock& block, float ignitionConstant);

// The values a field takes without clamping, in its own units.
struct FieldLimits {
    double low = 0;
    double high = 0;
};
FieldLimits fieldLimits(const TextField& field);

// A number as a fitter writes it: digits with at most one decimal comma or
// point. Integer fields take no decimals.
std::optional<double> parseFieldNumber(const TextField& field, std::string_view text);

// The unit the field's value is given in ("V", "RPM", ...); empty for counts.
std::string_view fieldUnit(const TextField& field);

}  // namespace dravinor::fields
