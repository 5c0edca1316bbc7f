// The device watcher over a real folder: a link that goes and comes back, a
// link replaced by rename (as udev and the simulator make them), other names
// beside it, and a folder that does not exist yet.

#include "link/DeviceWatcher.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <poll.h>
#include <unistd.h>

using dravinor::link::DeviceWatcher;
namespace fs = std::filesystem;

namespace {

struct WatchedFolder : ::testing::Test {
    fs::path root;
    fs::path target;  // what the links lead to, standing in for a device node

    void SetUp() override
    {
        root = fs::path(::testing::TempDir()) / ("dravinor-watch-" + std::to_string(::getpid()) + "-" +
                                                 ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(root);
        fs::create_directories(root);
        target = root / "ttyUSB0";
        std::ofstream(target) << "";
    }
    void TearDown() override { fs::remove_all(root); }

    // The descriptor says so within a second; no sleeping in between.
    static bool readable(const DeviceWatcher& watcher, int withinMs = 1000)
    {
        pollfd waiter{watcher.descriptor(), POLLIN, 0};
        return ::poll(&waiter, 1, withinMs) > 0;
    }
    // Made beside the name and renamed over it.
    static void replaceLink(const fs::path& link, const fs::path& to)
    {
        const fs::path temporary = link.string() + ".new";
        fs::create_symlink(to, temporary);
        fs::rename(temporary, link);
    }
};

}  // namespace

TEST_F(WatchedFolder, RemovedLinkIsToldAndItsReturnByRenameIsToo)
{
    const fs::path link = root / "usb-FTDI_FT232R-if00-port0";
    fs::create_symlink(target, link);
    DeviceWatcher watcher(link.string());
    ASSERT_TRUE(watcher.start());
    EXPECT_TRUE(watcher.present());
    EXPECT_FALSE(watcher.takeChanges()) << "nothing happened yet";

    fs::remove(link);
    ASSERT_TRUE(readable(watcher));
    EXPECT_TRUE(watcher.takeChanges());
    EXPECT_FALSE(watcher.present());

    replaceLink(link, target);
    ASSERT_TRUE(readable(watcher));
    EXPECT_TRUE(watcher.takeChanges());
    EXPECT_TRUE(watcher.present());
    EXPECT_FALSE(watcher.takeChanges()) << "drained";
}

TEST_F(WatchedFolder, OtherNamesInTheFolderAreNoChange)
{
    const fs::path link = root / "usb-FTDI_FT232R-if00-port0";
    fs::create_symlink(target, link);
    DeviceWatcher watcher(link.string());
    ASSERT_TRUE(watcher.start());

    fs::create_symlink(target, root / "usb-Prolific-if00-port0");
    fs::remove(root / "usb-Prolific-if00-port0");
    ASSERT_TRUE(readable(watcher));
    EXPECT_FALSE(watcher.takeChanges()) << "another adapter is not ours";
    // The temporary of a rename is another name too.
    fs::create_symlink(target, link.string() + ".new");
    ASSERT_TRUE(readable(watcher));
    EXPECT_FALSE(watcher.takeChanges());
}

TEST_F(WatchedFolder, LinkLeadingNowhereIsNotPresent)
{
    const fs::path link = root / "port";
    fs::create_symlink(root / "ttyUSB7", link);
    DeviceWatcher watcher(link.string());
    ASSERT_TRUE(watcher.start());
    EXPECT_FALSE(watcher.present()) << "the node it names is gone";
}

TEST_F(WatchedFolder, FoldersThatDoNotExistYetAreWaitedFor)
{
    // As /dev/serial/by-id before the first adapter is plugged in.
    const fs::path byId = root / "serial" / "by-id";
    const fs::path link = byId / "usb-FTDI_FT232R-if00-port0";
    DeviceWatcher watcher(link.string());
    ASSERT_TRUE(watcher.start());
    EXPECT_EQ(watcher.watchedFolder(), root.string());
    EXPECT_FALSE(watcher.present());

    fs::create_directory(root / "serial");
    ASSERT_TRUE(readable(watcher));
    watcher.takeChanges();
    EXPECT_EQ(watcher.watchedFolder(), (root / "serial").string());
    fs::create_directory(byId);
    ASSERT_TRUE(readable(watcher));
    watcher.takeChanges();
    EXPECT_EQ(watcher.watchedFolder(), byId.string());

    replaceLink(link, target);
    ASSERT_TRUE(readable(watcher));
    EXPECT_TRUE(watcher.takeChanges());
    EXPECT_TRUE(watcher.present());
}

TEST_F(WatchedFolder, FolderAndLinkMadeTogetherAreNotMissed)
{
    // udev may make the folder and the link before the watcher looks again.
    const fs::path byId = root / "serial" / "by-id";
    const fs::path link = byId / "port";
    DeviceWatcher watcher(link.string());
    ASSERT_TRUE(watcher.start());
    fs::create_directories(byId);
    fs::create_symlink(target, link);
    ASSERT_TRUE(readable(watcher));
    EXPECT_TRUE(watcher.takeChanges());
    EXPECT_TRUE(watcher.present());
    EXPECT_EQ(watcher.watchedFolder(), byId.string());
}

TEST_F(WatchedFolder, RemovedFolderIsWatchedFromAboveUntilItComesBack)
{
    // udev removes /dev/serial/by-id with the last adapter.
    const fs::path byId = root / "by-id";
    fs::create_directory(byId);
    const fs::path link = byId / "port";
    fs::create_symlink(target, link);
    DeviceWatcher watcher(link.string());
    ASSERT_TRUE(watcher.start());

    fs::remove_all(byId);
    ASSERT_TRUE(readable(watcher));
    EXPECT_TRUE(watcher.takeChanges());
    EXPECT_FALSE(watcher.present());
    EXPECT_EQ(watcher.watchedFolder(), root.string());

    fs::create_directory(byId);
    fs::create_symlink(target, link);
    ASSERT_TRUE(readable(watcher));
    EXPECT_TRUE(watcher.takeChanges());
    EXPECT_TRUE(watcher.present());
}

TEST(DeviceWatcher, DrainingBeforeStartIsHarmless)
{
    DeviceWatcher watcher("/nonexistent-dravinor/by-id/port");
    EXPECT_EQ(watcher.descriptor(), -1);
    EXPECT_FALSE(watcher.takeChanges());
    ASSERT_TRUE(watcher.start());
    EXPECT_EQ(watcher.watchedFolder(), "/");
}
