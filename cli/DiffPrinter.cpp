#include "DiffPrinter.h"

#include "fields/ParameterDiff.h"

#include <algorithm>
#include <cstdio>

namespace dravinor::cli {

namespace {

// The value as the page shows it; the stored value too when that is all
// that differs (two periods within one RPM step).
std::string valueText(const PolishTexts& texts, const fields::PageValue& value, bool withStored)
{
    std::string text = texts.shown(value);
    if (withStored && !value.name.empty())
        text += " [" + value.stored + "]";
    return text;
}

}  // namespace

std::size_t displayWidth(const std::string& text)
{
    // Every byte but a UTF-8 continuation byte starts a character.
    return static_cast<std::size_t>(
        std::count_if(text.begin(), text.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

std::string padded(const std::string& text, std::size_t width)
{
    const std::size_t length = displayWidth(text);
    return length >= width ? text : text + std::string(width - length, ' ');
}

int printDifferences(const PolishTexts& texts, const params::ParameterBlock& first,
                     const params::ParameterBlock& second, const std::string& firstName, const std::string& secondName)
{
    const auto differences = fields::compareParameterSets(first, second);
    if (differences.empty()) {
        std::printf("No parameter differs.\n");
        return 0;
    }
    struct Row {
        std::string field, caption, first, second;
    };
    std::vector<Row> rows{{"field", "caption", firstName, secondName}};
    for (const auto& [a, b] : differences) {
        const bool sameShown = a.shown == b.shown;
        rows.push_back({a.name.empty() ? "-" : a.name, texts.caption(a), valueText(texts, a, sameShown),
                        valueText(texts, b, sameShown)});
    }
    std::size_t widths[3] = {0, 0, 0};
    for (const Row& row : rows) {
        widths[0] = std::max(widths[0], displayWidth(row.field));
        widths[1] = std::max(widths[1], displayWidth(row.caption));
        widths[2] = std::max(widths[2], displayWidth(row.first));
    }
    for (const Row& row : rows)
        std::printf("%s  %s  %s  %s\n", padded(row.field, widths[0]).c_str(), padded(row.caption, widths[1]).c_str(),
                    padded(row.first, widths[2]).c_str(), row.second.c_str());
    const auto count = static_cast<int>(differences.size());
    std::printf("%d value%s differ%s.\n", count, count == 1 ? "" : "s", count == 1 ? "s" : "");
    return count;
}

}  // namespace dravinor::cli
