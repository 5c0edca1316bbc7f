#pragma once

#include "link/PortReport.h"

#include <string>

namespace dravinor::link {

// The name under which a device comes back after it was unplugged: a path
// that is itself a link (a /dev/serial/by-id name, the simulator's link) as
// it is; a device node by the by-id link that leads to it (ttyUSB0 may come
// back as ttyUSB1, its by-id name stays); the node itself when no link names it.
std::string stableDeviceName(const std::string& device, const SystemRoots& roots = {});

}  // namespace dravinor::link
