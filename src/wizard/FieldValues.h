#pragma once

#include <string>

namespace dravinor::wizard {

// The value a parameter field holds, read the way the field reads its text
// (decimal comma or point); 0 when it holds no number.
float fieldFloat(const std::string& text);

// TPS voltage of a value in TPS-byte units that may lie outside 0..255 (an
// average, or a threshold seven steps beyond the idle minimum).
float tpsVoltsOf(float tpsValue);

// Probe voltage of a value in lambda-byte units.
float lambdaVoltsOf(float lambdaValue);

}  // namespace dravinor::wizard
