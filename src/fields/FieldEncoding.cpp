#include "fields/FieldEncoding.h"

#include "params/Encoders.h"
#include "params/FieldDisplay.h"
#include "params/ParameterBlock.h"

#include <algorithm>
#include <charconv>

namespace dravinor::fields {

namespace {

int asInt(double value)
{
    // Field texts are at most six characters, so any typed number fits;
    // anything larger is clamped by the encoders anyway.
    return static_cast<int>(std::clamp(value, -1.0e9, 1.0e9));
}

}  // namespace

bool isWordField(const TextField& field)
{
    return field.encoding == Encoding::SwitchOverRpm || field.encoding == Encoding::MaxRpmOnGas ||
           field.encoding == Encoding::CutOffRpm;
}

namespace {

// A decimal stored as a step index, shown from the stored byte.
template <typename Encode, typename Show>
FieldValue stepped(Encode encode, Show show, double value)
{
    const std::uint8_t byte = encode(static_cast<float>(value));
    return {byte, byte, 0, show(byte)};
}

// A whole number stored as a byte, shown as the number the byte stands for.
template <typename Encode, typename Show>
FieldValue counted(Encode encode, Show show, double value)
{
    const std::uint8_t byte = encode(asInt(value));
    const int shown = show(byte);
    return {byte, byte, 0, std::to_string(shown)};
}

// An engine speed stored as a period word; the warnings compare it in units.
FieldValue rpmWord(params::RpmEncoding encoded, int unit)
{
    return {encoded.rpm / unit, 0, encoded.period, std::to_string(encoded.rpm)};
}

}  // namespace

FieldValue encodeFieldValue(const TextField& field, double value, float k)
{
    using namespace params;
    switch (field.encoding) {
    case Encoding::LambdaThreshold: return stepped(encodeLambdaThreshold, shownLambdaThreshold, value);
    case Encoding::Emulation: return stepped(encodeEmulation, shownEmulation, value);
    case Encoding::TpsThreshold: return stepped(encodeTpsThreshold, shownTpsThreshold, value);
    case Encoding::TpsInertia: return stepped(encodeTpsInertia, shownTpsInertia, value);
    case Encoding::ExtraOpening: return stepped(encodeExtraOpeningThreshold, shownExtraOpeningThreshold, value);
    case Encoding::SwitchOverRpm: return rpmWord(encodeSwitchOverRpm(asInt(value), k), 100);
    case Encoding::MaxRpmOnGas: return rpmWord(encodeMaxRpmOnGas(asInt(value), k), 500);
    case Encoding::CutOffRpm: return rpmWord(encodeCutOffRpm(asInt(value), k), 100);
    case Encoding::RpmDelta: return counted(encodeRpmDelta, shownRpmDelta, value);
    case Encoding::Temperature: return counted(encodeTemperature, shownTemperature, value);
    case Encoding::HeatingTime: return counted(encodeHeatingTime, shownHeatingTime, value);
    case Encoding::PlainByte: {
        const auto byte = params::encodePlainByte(asInt(value), field.low, field.high);
        return {byte, byte, 0, std::to_string(static_cast<int>(byte))};
    }
    }
    return {};
}

std::string shownFieldText(const TextField& field, const params::ParameterBlock& block, float k)
{
    using namespace params;
    const auto raw = block.get(field.address);
    switch (field.encoding) {
    case Encoding::LambdaThreshold: return shownLambdaThreshold(raw);
    case Encoding::Emulation: return shownEmulation(raw);
    case Encoding::TpsThreshold: return shownTpsThreshold(raw);
    case Encoding::TpsInertia: return shownTpsInertia(raw);
    case Encoding::ExtraOpening: return shownExtraOpeningThreshold(raw);
    case Encoding::SwitchOverRpm: return std::to_string(shownSwitchOverRpm(block.word(field.address), k));
    case Encoding::MaxRpmOnGas: return std::to_string(shownMaxRpmOnGas(block.word(field.address), k));
    case Encoding::CutOffRpm: return std::to_string(shownCutOffRpm(block.word(field.address), k));
    case Encoding::RpmDelta: return std::to_string(shownRpmDelta(raw));
    case Encoding::Temperature: return std::to_string(shownTemperature(raw));
    case Encoding::HeatingTime: return std::to_string(shownHeatingTime(raw));
    case Encoding::PlainByte: return std::to_string(raw);
    }
    return {};
}

FieldLimits fieldLimits(const TextField& field)
{
    switch (field.encoding) {
    case Encoding::LambdaThreshold: return {0.1, 4.9};
    case Encoding::Emulation: return {0, 4.08};
    case Encoding::TpsThreshold:
    case Encoding::ExtraOpening: return {0, 12.75};
    case Encoding::TpsInertia: return {0, 0.5};
    case Encoding::SwitchOverRpm: return {1000, 4000};
    case Encoding::RpmDelta: return {100, 1000};
    case Encoding::MaxRpmOnGas: return {2000, 9000};
    case Encoding::CutOffRpm: return {1000, 6000};
    case Encoding::Temperature: return {0, 92};
    case Encoding::HeatingTime: return {0, 510};
    case Encoding::PlainByte: return {static_cast<double>(field.low), static_cast<double>(field.high)};
    }
    return {};
}

std::optional<double> parseFieldNumber(const TextField& field, std::string_view text)
{
    if (text.empty() || text.size() > 16)
        return std::nullopt;
    std::string plain;
    int separators = 0;
    for (const char c : text) {
        if (c >= '0' && c <= '9') {
            plain += c;
        } else if ((c == ',' || c == '.') && field.filter == KeyFilter::Decimal && ++separators == 1) {
            plain += '.';
        } else {
            return std::nullopt;
        }
    }
    if (plain == ".")
        return std::nullopt;
    if (plain.front() == '.')
        plain.insert(plain.begin(), '0');
    if (plain.back() == '.')
        plain.pop_back();
    // from_chars ignores the locale: the window runs in the user's.
    double value = 0;
    const auto [end, error] = std::from_chars(plain.data(), plain.data() + plain.size(), value);
    if (error != std::errc{} || end != plain.data() + plain.size())
        return std::nullopt;
    return value;
}

std::string_view fieldUnit(const TextField& field)
{
    switch (field.encoding) {
    case Encoding::LambdaThreshold:
    case Encoding::TpsThreshold:
    case Encoding::TpsInertia:
    case Encoding::ExtraOpening: return "V";
    case Encoding::Emulation:
    case Encoding::HeatingTime: return "s";
    case Encoding::SwitchOverRpm:
    case Encoding::RpmDelta:
    case Encoding::MaxRpmOnGas:
    case Encoding::CutOffRpm: return "RPM";
    case Encoding::Temperature: return "°C";
    case Encoding::PlainByte: break;
    }
    return {};
}

}  // namespace dravinor::fields
