#pragma once

#include "params/Address.h"

#include <cstdint>
#include <string>

namespace dravinor::params {

// The name of the control that edits a parameter (PRLambda for 1,
// ODPBenzynaGas for both bytes of 14-15); empty for parameters no control
// edits on its own (16-17, 27) and for the flag bytes 30 and 32.
std::string fieldNameOf(Address address);

// The controls behind the bits that differ between two values of a flag
// byte (30 or 32), joined with "+" in bit order; empty when none differ.
std::string flagFieldNames(Address address, std::uint8_t before, std::uint8_t after);

}  // namespace dravinor::params
