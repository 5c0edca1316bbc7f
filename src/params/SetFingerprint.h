#pragma once

#include "params/ParameterBlock.h"

#include <string>

namespace dravinor::params {

// Eight hex digits that stand for the 35 parameter values (addresses 1 to
// 35): two controllers of one type and version that hold different sets
// almost never share one. Not a checksum of anything the controller keeps.
std::string parameterSetFingerprint(const ParameterBlock& block);

}  // namespace dravinor::params
