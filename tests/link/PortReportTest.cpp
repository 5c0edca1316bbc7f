#include "link/PortReport.h"
#include "FakeSystemTree.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

using namespace dravinor;
using dravinor::testing::FakeSystemTree;
namespace fs = std::filesystem;

namespace {

constexpr auto readWriteForGroup =
    fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read | fs::perms::group_write;

gid_t groupOf(const std::string& path)
{
    struct stat info {};
    ::stat(path.c_str(), &info);
    return info.st_gid;
}

// The device's owner, who is never root here: root would open anything.
uid_t ownerOf(const std::string& path)
{
    struct stat info {};
    ::stat(path.c_str(), &info);
    if (info.st_uid == 0 && ::chown(path.c_str(), 4343, info.st_gid) == 0)
        return 4343;
    return info.st_uid;
}

// Somebody else: neither the files' owner nor root.
link::UserIdentity stranger(std::vector<gid_t> groups = {})
{
    return {54242, std::move(groups)};
}

}  // namespace

TEST(PortReport, UsbAdapterIsNamedByItsStableNameIdsAndDriver)
{
    FakeSystemTree tree;
    const std::string device = tree.addDevice("ttyUSB0", readWriteForGroup);
    tree.addUsbAdapter("ttyUSB0", "0403", "6001", "FTDI", "FT232R USB UART", "ftdi_sio");
    tree.addStableName("usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0", "ttyUSB0");
    tree.addStableName("usb-Other_Adapter-if00-port0", "ttyUSB1");  // another device's name

    const auto report = link::diagnosePort(device, tree.roots, stranger({groupOf(device)}));
    ASSERT_TRUE(report.exists);
    EXPECT_EQ(report.stableName, tree.roots.dev + "/serial/by-id/usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0");
    EXPECT_EQ(report.usb.vendorId, "0403");
    EXPECT_EQ(report.usb.productId, "6001");
    EXPECT_EQ(report.usb.manufacturer, "FTDI");
    EXPECT_EQ(report.usb.product, "FT232R USB UART");
    EXPECT_EQ(report.driver, "ftdi_sio");
    EXPECT_EQ(report.mode, 0660u);
    EXPECT_TRUE(report.mayOpen);
    EXPECT_EQ(report.problem, link::PortProblem::None);
    EXPECT_EQ(link::fixCommand(report), "");
}

TEST(PortReport, PortOnTheBoardHasADriverButNoUsbIdsOrStableName)
{
    FakeSystemTree tree;
    const std::string device = tree.addDevice("ttyS0", readWriteForGroup);
    tree.addPlatformPort("ttyS0", "serial8250");
    const auto report = link::diagnosePort(device, tree.roots, stranger({groupOf(device)}));
    EXPECT_EQ(report.driver, "serial8250");
    EXPECT_FALSE(report.usb.found());
    EXPECT_EQ(report.stableName, "");
}

TEST(PortReport, WhoMayOpenFollowsTheFirstMatchingClass)
{
    FakeSystemTree tree;
    const std::string device = tree.addDevice("ttyUSB0", readWriteForGroup);

    // Outside the device's group: joining it is the fix.
    auto report = link::diagnosePort(device, tree.roots, stranger());
    EXPECT_FALSE(report.mayOpen);
    EXPECT_EQ(report.problem, link::PortProblem::NotInGroup);
    EXPECT_EQ(link::fixCommand(report), "sudo usermod -aG " + report.group + " $USER");

    // The owner is judged by the owner's bits alone, even with the group's.
    fs::permissions(device, fs::perms::group_read | fs::perms::group_write);
    report = link::diagnosePort(device, tree.roots, {ownerOf(device), {groupOf(device)}});
    EXPECT_FALSE(report.mayOpen);

    // No group may use it: no group to join, no command to give.
    fs::permissions(device, fs::perms::owner_read | fs::perms::owner_write);
    report = link::diagnosePort(device, tree.roots, stranger({groupOf(device)}));
    EXPECT_EQ(report.problem, link::PortProblem::NoAccess);
    EXPECT_EQ(link::fixCommand(report), "");

    // Root opens anything.
    EXPECT_TRUE(link::diagnosePort(device, tree.roots, {0, {}}).mayOpen);
}

TEST(PortReport, HoldersAreFoundAndTheKnownServicesHaveAStopCommand)
{
    FakeSystemTree tree;
    const std::string device = tree.addDevice("ttyACM0", readWriteForGroup);
    tree.addHolder(812, "ModemManager", device);
    tree.addHolder(900, "bash", tree.roots.dev + "/null");

    auto report = link::diagnosePort(device, tree.roots, stranger({groupOf(device)}));
    ASSERT_EQ(report.holders.size(), 1u);
    EXPECT_EQ(report.holders[0].pid, 812);
    EXPECT_EQ(report.problem, link::PortProblem::HeldByOther);
    EXPECT_EQ(link::fixCommand(report), "sudo systemctl stop ModemManager");

    FakeSystemTree other;
    const std::string second = other.addDevice("ttyUSB3", readWriteForGroup);
    other.addHolder(77, "minicom", second);
    report = link::diagnosePort(second, other.roots, stranger({groupOf(second)}));
    EXPECT_EQ(report.problem, link::PortProblem::HeldByOther);
    EXPECT_EQ(link::fixCommand(report), "") << "a program of the user's own is closed, not stopped";
}

TEST(PortReport, MissingDeviceIsReportedAsSuch)
{
    FakeSystemTree tree;
    const auto report = link::diagnosePort(tree.roots.dev + "/ttyUSB9", tree.roots);
    EXPECT_FALSE(report.exists);
    EXPECT_EQ(report.problem, link::PortProblem::None);
}
