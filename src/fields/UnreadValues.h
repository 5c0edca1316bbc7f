#pragma once

#include "fields/PageValues.h"

#include "params/ParameterBlock.h"

#include <string_view>
#include <vector>

namespace dravinor::fields {

// The addresses a field's shown value rests on: its byte or word, the whole
// flag byte of a flag field, both flag bytes for the controller mode, and for
// the RPM fields the ignition type they are decoded with as well. Empty for a
// name that shows nothing of the block.
const std::vector<int>& addressesShownBy(std::string_view fieldName);

// The field would show a value that is not the controller's.
bool shownValueUnread(std::string_view fieldName, const params::AddressSet& unread);

// Whether a shown value is the controller's: read, resting on an address
// the controller gave no answer for, or read itself but decoded with an
// ignition type that was not read (an RPM word).
enum class ValueReading { Read, NotRead, IgnitionTypeNotRead };
ValueReading readingOf(const PageValue& value, const params::AddressSet& unread);

// The values of the set (the fields, then the stored values no field shows)
// that rest on an unread address, in page order.
std::vector<PageValue> unreadValues(const params::ParameterBlock& block, const params::AddressSet& unread);

}  // namespace dravinor::fields
