#include "ui/pages/TypedText.h"

namespace dravinor::ui {

using namespace fields;

namespace {

QString fromStd(const std::string& text)
{
    return QString::fromStdString(text);
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

EncodedValue encodeValue(const TextField& field, double value, float k)
{
    const FieldValue encoded = encodeFieldValue(field, value, k);
    return {encoded.value, encoded.byte, encoded.word, fromStd(encoded.shown)};
}

QString shownText(const TextField& field, const params::ParameterBlock& block, float k)
{
    return fromStd(shownFieldText(field, block, k));
}

}  // namespace dravinor::ui
