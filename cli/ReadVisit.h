#pragma once

#include "link/ControllerIdentity.h"
#include "params/ParameterBlock.h"

#include <optional>

namespace dravinor::cli {

// After a whole read: when a car is current (car REG --current), the set
// read is recorded as a visit of it with the controller's identity. A book
// that cannot be used is told on stderr and costs the read nothing.
void recordReadVisit(const params::ParameterBlock& set, std::optional<link::ControllerIdentity> identity);

}  // namespace dravinor::cli
