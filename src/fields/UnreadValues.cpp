#include "fields/UnreadValues.h"

#include "fields/FieldCatalogue.h"
#include "fields/FieldEncoding.h"

#include <map>
#include <string>

namespace dravinor::fields {

namespace {

// An RPM word is shown with K of the ignition type.
bool decodedWithIgnitionType(std::string_view name)
{
    const TextField* field = findTextField(name);
    return field && isWordField(*field);
}

std::vector<int> restsOn(const PageValue& value)
{
    std::vector<int> addresses = value.addresses;
    if (decodedWithIgnitionType(value.name))
        addresses.push_back(params::address::ignitionType.number());
    return addresses;
}

bool anyUnread(const std::vector<int>& addresses, const params::AddressSet& unread)
{
    for (int address : addresses)
        if (address > 0 && static_cast<std::size_t>(address) < unread.size() &&
            unread.test(static_cast<std::size_t>(address)))
            return true;
    return false;
}

}  // namespace

const std::vector<int>& addressesShownBy(std::string_view fieldName)
{
    // Which addresses a field shows does not depend on the values: taken
    // once from the page values of any block.
    static const std::map<std::string, std::vector<int>, std::less<>> byName = [] {
        std::map<std::string, std::vector<int>, std::less<>> table;
        for (const PageValue& value : pageValues(params::ParameterBlock{}))
            if (!value.name.empty())
                table.emplace(value.name, restsOn(value));
        return table;
    }();
    static const std::vector<int> none;
    const auto it = byName.find(fieldName);
    return it == byName.end() ? none : it->second;
}

bool shownValueUnread(std::string_view fieldName, const params::AddressSet& unread)
{
    return anyUnread(addressesShownBy(fieldName), unread);
}

ValueReading readingOf(const PageValue& value, const params::AddressSet& unread)
{
    if (anyUnread(value.addresses, unread))
        return ValueReading::NotRead;
    if (anyUnread(restsOn(value), unread))
        return ValueReading::IgnitionTypeNotRead;
    return ValueReading::Read;
}

std::vector<PageValue> unreadValues(const params::ParameterBlock& block, const params::AddressSet& unread)
{
    std::vector<PageValue> values;
    if (unread.none())
        return values;
    for (PageValue& value : pageValues(block))
        if (anyUnread(restsOn(value), unread))
            values.push_back(std::move(value));
    return values;
}

}  // namespace dravinor::fields
