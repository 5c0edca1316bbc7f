#include "link/DeviceHolders.h"
#include "link/PortReport.h"
#include "link/PosixSerialDevice.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <sched.h>
#include <stdlib.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
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
    // Holders are looked for on terminals only, and not on pseudo-terminals
    // (whose other end is the simulator's): the device is a pseudo-terminal's
    // slave bound onto another name in a mount namespace of a child
    // process, as a serial port would be. The child's exit code is the
    // number of the check that failed.
    const int master = ::posix_openpt(O_RDWR | O_NOCTTY);
    ASSERT_GE(master, 0);
    ASSERT_EQ(::grantpt(master), 0);
    ASSERT_EQ(::unlockpt(master), 0);
    const std::string slave = ::ptsname(master);
    constexpr int noNamespace = 77;
    std::fflush(nullptr);
    const pid_t child = ::fork();
    if (child == 0) {
        if (::unshare(CLONE_NEWNS) != 0 || ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
            ::mount(slave.c_str(), device.c_str(), nullptr, MS_BIND, nullptr) != 0)
            ::_exit(noNamespace);
        link::PosixSerialDevice serial(root.string());
        // Nobody else holds it: it opens.
        if (!serial.open(device.string()).ok())
            ::_exit(1);
        serial.close();
        process(812, "ModemManager", {device});
        const auto result = serial.open(device.string());
        if (result.error != link::OpenError::Busy || result.holders.size() != 1u)
            ::_exit(2);
        if (result.holders[0].name != "ModemManager" || result.holders[0].pid != 812 || serial.isOpen())
            ::_exit(3);
        ::_exit(0);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    ::close(master);
    ASSERT_TRUE(WIFEXITED(status));
    if (WEXITSTATUS(status) == noNamespace)
        GTEST_SKIP() << "no mount namespace here";
    EXPECT_EQ(WEXITSTATUS(status), 0);
}

// /dev/null is held by half the system; the console and /dev/ptmx are
// terminals that lead to the screen or nowhere. None is a serial port, and
// nobody is named as holding them.
TEST_F(FakeProcFixture, DevNullAndConsolesAreNotSerialPortsAndHaveNoHolders)
{
    process(812, "ModemManager", {"/dev/null", "/dev/console", "/dev/ptmx"});
    link::PosixSerialDevice serial(root.string());
    for (const char* path : {"/dev/null", "/dev/ptmx", "/dev/zero", device.c_str()}) {
        const auto result = serial.open(path);
        EXPECT_EQ(result.error, link::OpenError::NotATerminal) << path;
        EXPECT_TRUE(result.holders.empty()) << path;
        EXPECT_FALSE(serial.isOpen());
    }
    // Where a console can be opened at all, it is refused as well.
    const int console = ::open("/dev/console", O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (console >= 0) {
        ::close(console);
        EXPECT_EQ(serial.open("/dev/console").error, link::OpenError::NotATerminal);
    }
    const link::PortDiagnosis report = link::diagnosePort("/dev/null", {"/dev", root.string(), root.string()});
    EXPECT_TRUE(report.holders.empty());
    EXPECT_NE(report.problem, link::PortProblem::HeldByOther);
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

// Without a controlling terminal /dev/tty does not open at all (ENXIO), and
// was told as "no such device (is the adapter plugged in?)". It is the
// program's own terminal, no serial port, with a terminal or without.
TEST(NotASerialPort, DevTtyIsNoSerialPortWithOrWithoutAControllingTerminal)
{
    link::PosixSerialDevice serial;
    EXPECT_EQ(serial.open("/dev/tty").error, link::OpenError::NotATerminal);
    EXPECT_FALSE(serial.isOpen());
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        ::setsid();  // no controlling terminal from here on
        link::PosixSerialDevice detached;
        ::_exit(detached.open("/dev/tty").error == link::OpenError::NotATerminal ? 0 : 1);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
}
