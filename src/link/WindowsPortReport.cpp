#include "link/PortReport.h"

#include "link/WindowsText.h"

#include <windows.h>

namespace dravinor::link {

namespace {

std::string dosName(const std::string& device)
{
    return device.rfind("\\\\.\\", 0) == 0 ? device.substr(4) : device;
}

}  // namespace

// Windows has no users' groups on ports: anybody may open a free one.
UserIdentity UserIdentity::current()
{
    return {};
}

PortDiagnosis identifyPort(const std::string& device, const SystemRoots&)
{
    PortDiagnosis diagnosis;
    diagnosis.device = device;
    wchar_t target[512];
    diagnosis.exists = QueryDosDeviceW(wideFromUtf8(dosName(device)).c_str(), target, 512) != 0;
    // The kernel's device behind the name ("\Device\Serial0", "\Device\VCP0")
    // stands for the driver.
    if (diagnosis.exists)
        diagnosis.driver = utf8FromWide(target);
    diagnosis.mayOpen = diagnosis.exists;
    return diagnosis;
}

PortDiagnosis diagnosePort(const std::string& device, const SystemRoots& roots, const UserIdentity&)
{
    return identifyPort(device, roots);
}

std::string fixCommand(const PortDiagnosis&)
{
    return {};
}

}  // namespace dravinor::link
