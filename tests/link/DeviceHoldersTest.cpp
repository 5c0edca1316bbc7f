#include "DeviceHolders.h"
#include "PosixSerialDevice.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>

using namespace dravinor;
namespace fs = std::filesystem;

namespace {

// A /proc of our own: processes with their names and descriptor links.
struct FakeProcFixture : ::testing::Test {
    fs::path root;
    fs::path device;

    void SetUp() override
    {
        root = fs::temp_directory_path() / ("dravinor-proc-" + std::to_string(::getpid()));
        fs::remove_all(root);
        fs::create_directories(root);
        device = root / "ttyUSB0";
        std::ofstream(device).put('x');
        fs::create_directory_symlink(std::to_string(::getpid()), root / "self");
    }
    void TearDown() override { fs::remove_all(root); }

    void process(int pid, const std::string& name, const std::vector<fs::path>& open)
    {
        const fs::path dir = root / std::to_string(pid);
        fs::create_directories(dir / "fd");
        std::ofstream(dir / "comm") << name << '\n';
        int fd = 0;
        for (const auto& path : open)
            fs::create_symlink(path, dir / "fd" / std::to_string(fd++));
    }
};

}  // namespace

TEST_F(FakeProcFixture, OtherHoldersAreNamedButNotOurselves)
{
    process(::getpid(), "dravinor", {device});
    process(40, "bash", {"/dev/null", "/dev/pts/3"});
    EXPECT_TRUE(link::findDeviceHolders(device.string(), root.string()).empty());

    process(812, "ModemManager", {"/dev/null", device});
    process(77, "brltty", {"socket:[1234]", device});
    const auto holders = link::findDeviceHolders(device.string(), root.string());
    ASSERT_EQ(holders.size(), 2u);
    EXPECT_EQ(holders[0].pid, 77);
    EXPECT_EQ(holders[0].name, "brltty");
    EXPECT_EQ(holders[1].pid, 812);
    EXPECT_EQ(holders[1].name, "ModemManager");
}

TEST_F(FakeProcFixture, DeviceHeldByAnotherProgramIsNotOpened)
{
    link::PosixSerialDevice serial(root.string());
    // Nobody else holds it: the open goes on (and fails, not being a tty).
    EXPECT_EQ(serial.open(device.string()).error, link::OpenError::NotATerminal);

    process(812, "ModemManager", {device});
    const auto result = serial.open(device.string());
    EXPECT_EQ(result.error, link::OpenError::Busy);
    ASSERT_EQ(result.holders.size(), 1u);
    EXPECT_EQ(result.holders[0].name, "ModemManager");
    EXPECT_EQ(result.holders[0].pid, 812);
    EXPECT_FALSE(serial.isOpen());
}

TEST(DeviceAccess, GroupMayUseTheDeviceOnlyWhenItsBitsSaySo)
{
    const fs::path file = fs::temp_directory_path() / ("dravinor-access-" + std::to_string(::getpid()));
    std::ofstream(file).put('x');
    for (const auto& [mode, groupMayUse] : {std::pair{0660u, true}, {0600u, false}, {0620u, false}, {0640u, false}}) {
        ASSERT_EQ(::chmod(file.c_str(), mode), 0);
        const auto access = link::describeDeviceAccess(file.string());
        EXPECT_EQ(access.mode, mode);
        EXPECT_EQ(access.groupMayUse, groupMayUse) << std::oct << mode;
        EXPECT_FALSE(access.owner.empty());
        EXPECT_FALSE(access.group.empty());
    }
    fs::remove(file);
}
