#pragma once

#include "link/SerialDevice.h"

#include <string>

namespace dravinor::cli {

// Why a port would not open, and what the fitter can do about it.
std::string openFailureText(const link::OpenResult& result);
// "COM1 (/dev/ttyUSB0): no such device ...", "COM1 (/dev/null) is not a serial port".
std::string portFailureLine(const std::string& port, const link::OpenResult& result);

}  // namespace dravinor::cli
