#include "link/DeviceWatcher.h"

#include "link/WindowsText.h"

#include <windows.h>

namespace dravinor::link {

// Windows tells of arriving ports through a window's device notifications,
// which the plain layers have no window for: the caller looks now and then
// instead, and each look asks whether the name is there (QueryDosDevice:
// no port is opened).
DeviceWatcher::DeviceWatcher(std::string path) : path_(std::move(path)) {}

DeviceWatcher::~DeviceWatcher() = default;

bool DeviceWatcher::start()
{
    lastSeen_ = present();
    started_ = true;
    return true;
}

bool DeviceWatcher::takeChanges()
{
    const bool seen = present();
    const bool changed = seen != lastSeen_;
    lastSeen_ = seen;
    return changed;
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
