#include "FieldRules.h"

#include "Encoders.h"
#include "FieldDisplay.h"
#include "ParameterBlock.h"

#include <algorithm>
#include <cmath>

namespace dravinor::ui::fields {

namespace {

QString fromStd(const std::string& text) { return QString::fromStdString(text); }

int asInt(double value)
{
    // Field texts are at most six characters, so any number fits.
    return static_cast<int>(std::clamp(value, -1.0e9, 1.0e9));
}

}  // namespace

std::optional<QChar> filterTyped(KeyFilter filter, QChar typed)
{
    if (typed.isDigit() && typed.unicode() < 128)
        return typed;
    if (filter == KeyFilter::Decimal && (typed == u'.' || typed == u','))
        return QChar(u',');
    return std::nullopt;
}

std::optional<QString> filterText(KeyFilter filter, const QString& text)
{
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        const auto passed = filterTyped(filter, c);
        if (!passed)
            return std::nullopt;
        out += *passed;
    }
    return out;
}

std::optional<double> parseDecimal(const QString& text)
{
    const qsizetype comma = text.indexOf(u',');
    if (text.isEmpty() || text.count(u',') > 1 || text == QStringLiteral(","))
        return std::nullopt;
    for (const QChar c : text)
        if (c != u',' && !(c.isDigit() && c.unicode() < 128))
            return std::nullopt;
    QString plain = text;
    if (comma >= 0)
        plain[comma] = u'.';
    if (plain.startsWith(u'.'))
        plain.prepend(u'0');
    bool ok = false;
    const double value = plain.toDouble(&ok);
    return ok ? std::optional<double>(value) : std::nullopt;
}

std::optional<int> parseInteger(const QString& text)
{
    if (text.isEmpty())
        return std::nullopt;
    for (const QChar c : text)
        if (!(c.isDigit() && c.unicode() < 128))
            return std::nullopt;
    bool ok = false;
    const int value = text.toInt(&ok);
    return ok ? std::optional<int>(value) : std::nullopt;
}

std::optional<double> parseFieldText(const TextField& field, const QString& text)
{
    if (field.filter == KeyFilter::Decimal)
        return parseDecimal(text);
    if (const auto value = parseInteger(text))
        return static_cast<double>(*value);
    return std::nullopt;
}

bool isWordField(const TextField& field)
{
    return field.encoding == Encoding::SwitchOverRpm || field.encoding == Encoding::MaxRpmOnGas ||
           field.encoding == Encoding::CutOffRpm;
}

EncodedValue encodeValue(const TextField& field, double value, float k)
{
    using namespace params;
    EncodedValue out;
    const auto volts = static_cast<float>(value);
    const auto stepped = [&out](std::uint8_t byte, std::string shown) {
        out.value = out.byte = byte;
        out.shown = fromStd(shown);
    };
    const auto rpm = [&out](RpmEncoding encoded, int unit) {
        out.value = encoded.rpm / unit;
        out.word = encoded.period;
        out.shown = QString::number(encoded.rpm);
    };
    switch (field.encoding) {
    case Encoding::LambdaThreshold: {
        const auto b = encodeLambdaThreshold(volts);
        stepped(b, shownLambdaThreshold(b));
        break;
    }
    case Encoding::Emulation: {
        const auto b = encodeEmulation(volts);
        stepped(b, shownEmulation(b));
        break;
    }
    case Encoding::TpsThreshold: {
        const auto b = encodeTpsThreshold(volts);
        stepped(b, shownTpsThreshold(b));
        break;
    }
    case Encoding::TpsInertia: {
        const auto b = encodeTpsInertia(volts);
        stepped(b, shownTpsInertia(b));
        break;
    }
    case Encoding::ExtraOpening: {
        const auto b = encodeExtraOpeningThreshold(volts);
        stepped(b, shownExtraOpeningThreshold(b));
        break;
    }
    case Encoding::SwitchOverRpm:
        rpm(encodeSwitchOverRpm(asInt(value), k), 100);
        break;
    case Encoding::MaxRpmOnGas:
        rpm(encodeMaxRpmOnGas(asInt(value), k), 500);
        break;
    case Encoding::CutOffRpm:
        rpm(encodeCutOffRpm(asInt(value), k), 100);
        break;
    case Encoding::RpmDelta:
        out.value = out.byte = encodeRpmDelta(asInt(value));
        out.shown = QString::number(shownRpmDelta(out.byte));
        break;
    case Encoding::Temperature:
        out.value = out.byte = encodeTemperature(asInt(value));
        out.shown = QString::number(shownTemperature(out.byte));
        break;
    case Encoding::HeatingTime:
        out.value = out.byte = encodeHeatingTime(asInt(value));
        out.shown = QString::number(shownHeatingTime(out.byte));
        break;
    case Encoding::PlainByte:
        out.value = out.byte = encodePlainByte(asInt(value), field.low, field.high);
        out.shown = QString::number(out.byte);
        break;
    }
    return out;
}

QString emptyTextFor(const TextField& field, int probeType)
{
    if (field.emptyText)
        return QString::fromUtf8(field.emptyText);
    // The lambda threshold's default sits in the middle of the probe's range.
    if (probeType == 2 || probeType == 3)
        return QStringLiteral("1,2");
    if (probeType == 4 || probeType == 5)
        return QStringLiteral("2,54");
    return QStringLiteral("0,38");
}

QString shownText(const TextField& field, const params::ParameterBlock& block, float k)
{
    using namespace params;
    const auto raw = block.get(field.address);
    switch (field.encoding) {
    case Encoding::LambdaThreshold: return fromStd(shownLambdaThreshold(raw));
    case Encoding::Emulation: return fromStd(shownEmulation(raw));
    case Encoding::TpsThreshold: return fromStd(shownTpsThreshold(raw));
    case Encoding::TpsInertia: return fromStd(shownTpsInertia(raw));
    case Encoding::ExtraOpening: return fromStd(shownExtraOpeningThreshold(raw));
    case Encoding::SwitchOverRpm: return QString::number(shownSwitchOverRpm(block.word(field.address), k));
    case Encoding::MaxRpmOnGas: return QString::number(shownMaxRpmOnGas(block.word(field.address), k));
    case Encoding::CutOffRpm: return QString::number(shownCutOffRpm(block.word(field.address), k));
    case Encoding::RpmDelta: return QString::number(shownRpmDelta(raw));
    case Encoding::Temperature: return QString::number(shownTemperature(raw));
    case Encoding::HeatingTime: return QString::number(shownHeatingTime(raw));
    case Encoding::PlainByte: return QString::number(raw);
    }
    return {};
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

}  // namespace dravinor::ui::fields
