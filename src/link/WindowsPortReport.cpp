#include "link/PortReport.h"

#include "link/UsbHardwareId.h"
#include "link/WindowsText.h"

#include <windows.h>

#include <setupapi.h>

namespace dravinor::link {

namespace {

std::string dosName(const std::string& device)
{
    return device.rfind("\\\\.\\", 0) == 0 ? device.substr(4) : device;
}

// The Ports class of the Device Manager ({4D36E978-E325-11CE-BFC1-08002BE10318}).
const GUID portsClass = {0x4d36e978, 0xe325, 0x11ce, {0xbf, 0xc1, 0x08, 0x00, 0x2b, 0xe1, 0x03, 0x18}};

// A text property of a device; for a list (the hardware ids), its first entry.
std::string deviceText(HDEVINFO devices, SP_DEVINFO_DATA& device, DWORD property)
{
    wchar_t text[512] = {};
    DWORD type = 0;
    if (!SetupDiGetDeviceRegistryPropertyW(devices, &device, property, &type, reinterpret_cast<BYTE*>(text),
                                           sizeof text - 2 * sizeof(wchar_t), nullptr) ||
        (type != REG_SZ && type != REG_MULTI_SZ))
        return {};
    return utf8FromWide(text);
}

// The COM name the device's own key gives it ("COM3").
std::wstring portNameOf(HDEVINFO devices, SP_DEVINFO_DATA& device)
{
    HKEY key = SetupDiOpenDevRegKey(devices, &device, DICS_FLAG_GLOBAL, 0, DIREG_DEV, KEY_READ);
    if (key == INVALID_HANDLE_VALUE)
        return {};
    wchar_t name[64] = {};
    DWORD bytes = sizeof name - sizeof(wchar_t);
    DWORD type = 0;
    const LONG status = RegQueryValueExW(key, L"PortName", nullptr, &type, reinterpret_cast<BYTE*>(name), &bytes);
    RegCloseKey(key);
    return status == ERROR_SUCCESS && type == REG_SZ ? std::wstring(name) : std::wstring();
}

// The Device Manager's entry for the port: the USB ids from its hardware id,
// its maker and name, and the driver's service ("FTDIBUS", "usbser").
// Nothing changes when no present device has the port's name (wine's
// ports, a port a program made).
void describeFromDeviceManager(const std::string& portName, PortDiagnosis& diagnosis)
{
    HDEVINFO devices = SetupDiGetClassDevsW(&portsClass, nullptr, nullptr, DIGCF_PRESENT);
    if (devices == INVALID_HANDLE_VALUE)
        return;
    const std::wstring wanted = wideFromUtf8(portName);
    bool found = false;
    SP_DEVINFO_DATA device{};
    device.cbSize = sizeof device;
    for (DWORD index = 0; !found && SetupDiEnumDeviceInfo(devices, index, &device); ++index) {
        if (_wcsicmp(portNameOf(devices, device).c_str(), wanted.c_str()) != 0)
            continue;
        found = true;
        diagnosis.usb = usbAdapterOfHardwareId(deviceText(devices, device, SPDRP_HARDWAREID));
        if (diagnosis.usb.found()) {
            diagnosis.usb.manufacturer = deviceText(devices, device, SPDRP_MFG);
            diagnosis.usb.product = deviceText(devices, device, SPDRP_DEVICEDESC);
        }
        const std::string service = deviceText(devices, device, SPDRP_SERVICE);
        if (!service.empty())
            diagnosis.driver = service;
    }
    SetupDiDestroyDeviceInfoList(devices);
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
    // stands for the driver where the Device Manager names none.
    if (diagnosis.exists) {
        diagnosis.driver = utf8FromWide(target);
        describeFromDeviceManager(dosName(device), diagnosis);
    }
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
