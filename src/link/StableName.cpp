#include "link/StableName.h"

#include <sys/stat.h>

namespace dravinor::link {

std::string stableDeviceName(const std::string& device, const SystemRoots& roots)
{
    struct stat info {};
    if (::lstat(device.c_str(), &info) == 0 && S_ISLNK(info.st_mode))
        return device;
    const PortDiagnosis named = identifyPort(device, roots);
    return named.stableName.empty() ? device : named.stableName;
}

}  // namespace dravinor::link
