#pragma once

// The serial device of the platform the program runs on.
#ifdef _WIN32
#include "link/WindowsSerialDevice.h"
namespace dravinor::link {
using SystemSerialDevice = WindowsSerialDevice;
}
#else
#include "link/PosixSerialDevice.h"
namespace dravinor::link {
using SystemSerialDevice = PosixSerialDevice;
}
#endif
