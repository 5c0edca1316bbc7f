#include "link/DeviceWatcher.h"

#include "link/WindowsText.h"

#include <windows.h>

namespace dravinor::link {

// Windows tells of arriving ports through a window's device notifications,
// which the plain layers have no window for: no watcher here, so a lost
// port is found again by trying it, and nothing else is lost.
DeviceWatcher::DeviceWatcher(std::string path) : path_(std::move(path)) {}

DeviceWatcher::~DeviceWatcher() = default;

bool DeviceWatcher::start()
{
    return false;
}

bool DeviceWatcher::takeChanges()
{
    return false;
}

// "COM3" or "\\.\COM3": present while the system knows the DOS device name.
bool DeviceWatcher::present() const
{
    std::string name = path_;
    if (name.rfind("\\\\.\\", 0) == 0)
        name.erase(0, 4);
    wchar_t target[512];
    return QueryDosDeviceW(wideFromUtf8(name).c_str(), target, 512) != 0;
}

void DeviceWatcher::arm() {}

void DeviceWatcher::disarm() {}

}  // namespace dravinor::link
