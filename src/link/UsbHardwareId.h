#pragma once

#include "link/PortReport.h"

#include <string_view>

namespace dravinor::link {

// The vendor and product ids in a Windows device's hardware id, in
// lower case as sysfs gives them: "USB\VID_0403&PID_6001&REV_0600" (most
// adapters), "FTDIBUS\COMPORT&VID_0403&PID_6001" (FTDI's own driver),
// "USB\VID_2341&PID_0043&MI_00" (a composite device's interface). Only the
// ids are filled; none when the id names no USB device ("ACPI\PNP0501").
UsbAdapter usbAdapterOfHardwareId(std::string_view hardwareId);

}  // namespace dravinor::link
