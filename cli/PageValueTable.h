#pragma once

#include "PolishTexts.h"

#include "params/ParameterBlock.h"

#include <string>

namespace dravinor::cli {

// The set as the parameter pages show it, one row a value in page order:
// field, caption, value, stored value, addresses; then the stored values no
// field shows. Captions and list items are the pages' own in Polish (the
// language file's where texts gives them), so the table reads beside the
// window. A value resting on an unread address says
// "no answer"; an RPM value whose ignition type was not read says so.
// `only`, when given, keeps the rows with an address in it.
std::string pageValueTable(const PolishTexts& texts, const params::ParameterBlock& block,
                           const params::AddressSet& unread = {}, const params::AddressSet* only = nullptr);

}  // namespace dravinor::cli
