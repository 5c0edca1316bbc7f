#include "link/WindowsSerialDevice.h"
#include "link/PortMap.h"
#include "link/PortReport.h"

#include <gtest/gtest.h>

// What can be checked of the Win32 backend without a port: names and the
// refusal of a port that is not there. Wine's COM ports over a pty are
// driven by scripts/windows-core.sh's simulator run, not here.
namespace dravinor::link {
namespace {

TEST(WindowsSerialDevice, ShortAndLongPortNamesNameTheSameDevice)
{
    EXPECT_EQ(WindowsSerialDevice::devicePathOf("COM3"), "\\\\.\\COM3");
    EXPECT_EQ(WindowsSerialDevice::devicePathOf("\\\\.\\COM10"), "\\\\.\\COM10");
}

TEST(WindowsSerialDevice, AnAbsentPortIsNotFoundAndLeavesTheDeviceClosed)
{
    WindowsSerialDevice device;
    const OpenResult result = device.open("COM199");
    EXPECT_EQ(result.error, OpenError::NotFound) << result.detail;
    EXPECT_FALSE(result.detail.empty());
    EXPECT_FALSE(device.isOpen());
    // Everything else is harmless on a closed device.
    std::uint8_t byte = 0;
    EXPECT_FALSE(device.write(&byte, 1));
    EXPECT_EQ(device.read(&byte, 1), 0u);
    EXPECT_EQ(device.queuedCount(), 0u);
}

TEST(WindowsSerialDevice, DiscoveredPortsKeepTheirOwnNumbers)
{
    const PortMap map = PortMap::discover();
    for (int index = 0; index < PortMap::portCount; ++index) {
        const std::string& path = map.devicePath(index);
        if (!path.empty()) {
            EXPECT_EQ(path, "\\\\.\\" + PortMap::portName(index));
        }
    }
}

// The Device Manager is asked for each port's adapter; a port it does not
// list (all of wine's) keeps the kernel's device name for its driver.
TEST(WindowsSerialDevice, PortsAreIdentifiedByTheirDriverAndAnAbsentOneIsNotThere)
{
    EXPECT_FALSE(identifyPort("\\\\.\\COM199").exists);
    const PortMap map = PortMap::discover();
    for (int index = 0; index < PortMap::portCount; ++index) {
        if (map.devicePath(index).empty())
            continue;
        const PortDiagnosis diagnosis = identifyPort(map.devicePath(index));
        if (!diagnosis.exists)
            continue;
        EXPECT_FALSE(diagnosis.driver.empty()) << map.devicePath(index);
        if (diagnosis.usb.found()) {
            EXPECT_EQ(diagnosis.usb.vendorId.size(), 4u);
            EXPECT_EQ(diagnosis.usb.productId.size(), 4u);
        }
    }
}

}  // namespace
}  // namespace dravinor::link
