#include "PageValueTable.h"

#include "DiffPrinter.h"

#include "fields/PageValues.h"
#include "fields/UnreadValues.h"

#include <algorithm>
#include <array>
#include <vector>

namespace dravinor::cli {

namespace {

using fields::PageValue;

// "14-15" for a word, "30,32" for a value taken from both flag bytes.
std::string addressText(const std::vector<int>& addresses)
{
    if (addresses.size() == 2 && addresses[1] == addresses[0] + 1)
        return std::to_string(addresses[0]) + "-" + std::to_string(addresses[1]);
    std::string text;
    for (int address : addresses)
        text += (text.empty() ? "" : ",") + std::to_string(address);
    return text;
}

bool anyIn(const std::vector<int>& addresses, const params::AddressSet& set)
{
    return std::any_of(addresses.begin(), addresses.end(),
                       [&set](int address) { return set.test(static_cast<std::size_t>(address)); });
}

using Row = std::array<std::string, 5>;

Row rowOf(const PolishTexts& texts, const PageValue& value, const params::AddressSet& unread)
{
    Row row{value.name.empty() ? "-" : value.name, texts.caption(value), texts.shown(value), value.stored,
            addressText(value.addresses)};
    switch (fields::readingOf(value, unread)) {
    case fields::ValueReading::NotRead:
        row[2] = "no answer";
        row[3] = "-";
        break;
    case fields::ValueReading::IgnitionTypeNotRead:
        // Its own bytes were read; the ignition type it is decoded with was not.
        row[2] = "? (no answer for the ignition type)";
        break;
    case fields::ValueReading::Read: break;
    }
    return row;
}

}  // namespace

std::string pageValueTable(const PolishTexts& texts, const params::ParameterBlock& block,
                           const params::AddressSet& unread, const params::AddressSet* only)
{
    std::vector<Row> rows{{"field", "caption", "value", "stored", "addr"}};
    for (const PageValue& value : fields::pageValues(block))
        if (!only || anyIn(value.addresses, *only))
            rows.push_back(rowOf(texts, value, unread));
    std::array<std::size_t, 5> widths{};
    for (const Row& row : rows)
        for (std::size_t column = 0; column < row.size(); ++column)
            widths[column] = std::max(widths[column], displayWidth(row[column]));
    std::string table;
    for (const Row& row : rows) {
        std::string line;
        for (std::size_t column = 0; column + 1 < row.size(); ++column)
            line += padded(row[column], widths[column]) + "  ";
        table += line + row.back() + "\n";
    }
    return table;
}

}  // namespace dravinor::cli
