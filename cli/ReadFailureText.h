#pragma once

#include "params/ParameterTransfer.h"

#include <string>
#include <vector>

namespace dravinor::cli {

// What an incomplete read left out, for a message: the addresses asked and
// not answered ("no valid answer for address 3 7"), and, when the read
// stopped, where and what it never asked ("the controller stopped answering
// at address 9; 10-35 were not asked"). Empty for a complete read.
std::string incompleteReadText(const params::ReadAllResult& read);

// "10-35", "3 5-7 9": runs of neighbouring addresses joined.
std::string addressRuns(const std::vector<int>& addresses);

}  // namespace dravinor::cli
