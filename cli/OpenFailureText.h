#pragma once

#include "SerialDevice.h"

#include <string>

namespace dravinor::cli {

// Why a port would not open, and what the fitter can do about it.
std::string openFailureText(const link::OpenResult& result);

}  // namespace dravinor::cli
