#include "link/DeviceHolders.h"

namespace dravinor::link {

// Windows names no holders of a port and no owner, group or mode: an open
// port refuses a second program with "access denied", and that is all.
std::vector<DeviceHolder> findDeviceHolders(const std::string&, const std::string&)
{
    return {};
}

DeviceAccess describeDeviceAccess(const std::string&)
{
    return {};
}

}  // namespace dravinor::link
