#include "link/PortMap.h"

#include "link/WindowsText.h"

#include <windows.h>

namespace dravinor::link {

// The ports the system lists under HARDWARE\DEVICEMAP\SERIALCOMM (built-in
// UARTs and USB adapters alike), each under its own number: COM3 stays
// COM3, as the fitter knows it from the Device Manager. The folders of the
// POSIX search do not exist here.
PortMap PortMap::discover(const std::string&, const std::string&)
{
    PortMap map;
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"HARDWARE\\DEVICEMAP\\SERIALCOMM", 0, KEY_READ, &key) != ERROR_SUCCESS)
        return map;
    for (DWORD index = 0;; ++index) {
        wchar_t valueName[256];
        DWORD nameLength = 256;
        wchar_t data[64];
        DWORD dataBytes = sizeof data - sizeof(wchar_t);
        DWORD type = 0;
        const LONG status = RegEnumValueW(key, index, valueName, &nameLength, nullptr, &type,
                                          reinterpret_cast<BYTE*>(data), &dataBytes);
        if (status == ERROR_NO_MORE_ITEMS)
            break;
        if (status != ERROR_SUCCESS || type != REG_SZ)
            continue;
        data[dataBytes / sizeof(wchar_t)] = L'\0';
        const std::string port = utf8FromWide(data);
        const int portIndex = PortMap::portIndex(port);
        if (portIndex >= 0)
            map.assign(portIndex, "\\\\.\\" + PortMap::portName(portIndex));
    }
    RegCloseKey(key);
    return map;
}

}  // namespace dravinor::link
