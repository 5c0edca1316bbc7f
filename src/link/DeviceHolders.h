#pragma once

#include "link/SerialDevice.h"

#include <string>
#include <vector>

namespace dravinor::link {

// The programs that hold a device open, found as fuser finds them: through
// the descriptor links under procRoot/<pid>/fd. The calling process does not
// count; processes whose tables may not be read are passed over.
std::vector<DeviceHolder> findDeviceHolders(const std::string& devicePath, const std::string& procRoot = "/proc");

// Who may use the device at path: owner, group and mode.
DeviceAccess describeDeviceAccess(const std::string& path);

}  // namespace dravinor::link
