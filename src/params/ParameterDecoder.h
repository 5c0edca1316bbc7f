#pragma once

#include "params/ParameterBlock.h"

#include <string>
#include <vector>

namespace dravinor::params {

// One parameter of a block, as the command-line tool lists it. A 16-bit
// parameter is one row at its first (high byte) address, with lastAddress
// the address of its low byte and raw the whole word.
struct DecodedParameter {
    int address = 0;
    int lastAddress = 0;
    std::string meaning;
    unsigned raw = 0;
    std::string shown;              // as the pages show it, with its unit
    std::vector<std::string> bits;  // flag bytes: one line per bit
    // Marks from the unread addresses given: the row's own bytes were not
    // read, or (an RPM word) the ignition type it is decoded with was not.
    bool unread = false;
    bool ignitionUnread = false;
};

// Rows for addresses 1..35 in order. RPM words are decoded with the ignition
// constant of parameter 13 of the same block; an unknown ignition type falls
// back to the start-up constant.
std::vector<DecodedParameter> decodeParameters(const ParameterBlock& block, const AddressSet& unread = {});

}  // namespace dravinor::params
