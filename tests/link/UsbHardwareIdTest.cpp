#include "link/UsbHardwareId.h"

#include <gtest/gtest.h>

namespace dravinor::link {
namespace {

TEST(UsbHardwareId, TheAdaptersWindowsListsGiveTheirIdsInLowerCase)
{
    struct Case {
        const char* hardwareId;
        const char* vendor;
        const char* product;
    };
    for (const Case& c : {
             Case{"USB\\VID_0403&PID_6001&REV_0600", "0403", "6001"},     // FTDI through Windows' own driver
             Case{"FTDIBUS\\COMPORT&VID_0403&PID_6015", "0403", "6015"},  // FTDI's driver
             Case{"USB\\VID_1A86&PID_7523&REV_0264", "1a86", "7523"},     // CH340
             Case{"USB\\VID_2341&PID_0043&MI_00", "2341", "0043"},        // a composite device's port
             Case{"usb\\vid_067b&pid_2303", "067b", "2303"},
         }) {
        const UsbAdapter adapter = usbAdapterOfHardwareId(c.hardwareId);
        EXPECT_EQ(adapter.vendorId, c.vendor) << c.hardwareId;
        EXPECT_EQ(adapter.productId, c.product) << c.hardwareId;
        EXPECT_TRUE(adapter.manufacturer.empty());
    }
}

TEST(UsbHardwareId, AnIdThatNamesNoUsbDeviceGivesNone)
{
    for (const char* id : {"", "ACPI\\PNP0501", "USB\\VID_0403", "USB\\PID_6001&VID_04", "USB\\VID_04G3&PID_6001",
                           "USB\\VID_04031&PID_6001", "USB\\XVID_0403&PID_6001", "USB\\VID_"}) {
        EXPECT_FALSE(usbAdapterOfHardwareId(id).found()) << id;
    }
}

}  // namespace
}  // namespace dravinor::link
