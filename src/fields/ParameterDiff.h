#pragma once

#include "fields/PageValues.h"

#include <vector>

namespace dravinor::fields {

// A value that two parameter sets hold differently.
struct ParameterDifference {
    PageValue first;
    PageValue second;
};

// Every value that differs, shown or stored, in page order. Bytes 0 and
// 36..63 mean nothing to the controller and are not compared.
std::vector<ParameterDifference> compareParameterSets(const params::ParameterBlock& first,
                                                      const params::ParameterBlock& second);

}  // namespace dravinor::fields
