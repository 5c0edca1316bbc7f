// What the window says of a port it could not open, and a port's tooltip,
// from Linux's port tree (sysfs, /proc) put together in a folder: POSIX only,
// as Windows names its ports from the registry.
#include "FakeSystemTree.h"
#include "link/Connection.h"
#include "link/PortMap.h"
#include "ui/connection/PortProblemNotice.h"
#include "ui/connection/PortToolTip.h"

#include <QStringList>
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include <sys/stat.h>
#include <unistd.h>

using namespace dravinor;
using dravinor::testing::FakeSystemTree;

namespace {

gid_t groupOf(const std::string& path)
{
    struct stat info {};
    ::stat(path.c_str(), &info);
    return info.st_gid;
}

constexpr auto groupMayUse = std::filesystem::perms::owner_read | std::filesystem::perms::owner_write |
                             std::filesystem::perms::group_read | std::filesystem::perms::group_write;

}  // namespace

TEST(PortProblemNotice, NamesTheCauseAndTheCommandOnlyForWhatTheUserCanFix)
{
    FakeSystemTree tree;
    const std::string refused = tree.addDevice("ttyUSB0", groupMayUse);
    const std::string held = tree.addDevice("ttyACM0", groupMayUse);
    tree.addHolder(812, "ModemManager", held);
    link::PortMap map;
    map.assign(0, refused);
    map.assign(1, held);
    map.assign(2, tree.roots.dev + "/ttyUSB7");
    const link::UserIdentity outsider{54242, {}};

    link::ConnectionOutcome outcome;
    outcome.attempts = {{"COM1", link::OpenResult(link::OpenError::PermissionDenied)},
                        {"COM2", link::OpenResult(link::OpenError::Busy)},
                        {"COM3", link::OpenResult(link::OpenError::NotFound)}};
    const QString notice = ui::portProblemNotice(outcome, map, tree.roots, outsider);
    const QString group = QString::fromStdString(link::diagnosePort(refused, tree.roots, outsider).group);
    EXPECT_TRUE(notice.contains("COM1")) << notice.toStdString();
    EXPECT_TRUE(notice.contains("sudo usermod -aG " + group + " $USER")) << notice.toStdString();
    EXPECT_TRUE(notice.contains("sudo systemctl stop ModemManager")) << notice.toStdString();
    EXPECT_TRUE(notice.contains(QString::fromUtf8("wyloguj"))) << notice.toStdString();
    EXPECT_FALSE(notice.contains("COM3"));

    // A member of the group has nothing to fix there; a found controller never hears of it.
    const link::UserIdentity member{54242, {groupOf(refused)}};
    outcome.attempts.erase(outcome.attempts.begin() + 1);
    EXPECT_TRUE(ui::portProblemNotice(outcome, map, tree.roots, member).isEmpty());
    outcome.connected = true;
    EXPECT_TRUE(ui::portProblemNotice(outcome, map, tree.roots, outsider).isEmpty());
}

TEST(PortToolTip, ShowsTheStableNameAndTheProduct)
{
    FakeSystemTree tree;
    const std::string device = tree.addDevice("ttyUSB0", groupMayUse);
    tree.addUsbAdapter("ttyUSB0", "1a86", "7523", "QinHeng", "USB Serial", "ch341-uart");
    tree.addStableName("usb-1a86_USB_Serial-if00-port0", "ttyUSB0");
    const QStringList lines = ui::portToolTip(device, tree.roots).split('\n');
    ASSERT_EQ(lines.size(), 3);
    EXPECT_EQ(lines[0].toStdString(), device);
    EXPECT_TRUE(lines[1].endsWith("/serial/by-id/usb-1a86_USB_Serial-if00-port0"));
    EXPECT_EQ(lines[2], "1a86:7523 QinHeng USB Serial");
    EXPECT_EQ(ui::portToolTip(""), "-");
}
