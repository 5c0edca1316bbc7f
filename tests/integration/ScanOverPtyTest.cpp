#include "SimulatedLine.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace dravinor;
using dravinor::testing::PtyLine;
using dravinor::testing::SimulatedLine;

TEST_F(PtyLine, ScanSkipsSilentAndAbsentPortsThroughThePortMap)
{
    sim::SimulatorOptions options;
    options.silent = true;
    sim::ControllerSimulator silent(options);
    ASSERT_TRUE(silent.start());
    map = {};
    map.assign(0, silent.slavePath());           // COM1: opens, never answers
    map.assign(1, "/dev/dravinor-no-such-tty");  // COM2: absent
    map.assign(2, controller.slavePath());       // COM3: the controller
    const auto outcome = connection.autodetect();
    ASSERT_TRUE(outcome.connected);
    EXPECT_EQ(connection.currentPortIndex(), 2);
    EXPECT_EQ(outcome.checks.index, 2);
    EXPECT_EQ(outcome.status->portName, "COM3");
    EXPECT_EQ(silent.receivedFrames().size(), 5u);  // five identify tries
    EXPECT_TRUE(lastRead.complete());
    EXPECT_TRUE(port.controllerConnected());
}

TEST_F(PtyLine, AbsentNonTerminalAndBusyPortsAreToldApart)
{
    link::PosixSerialDevice other;
    EXPECT_EQ(other.open("/dev/dravinor-no-such-tty").error, link::OpenError::NotFound);
    EXPECT_EQ(other.open("/etc/hostname").error, link::OpenError::NotATerminal);

    openCom1();
    const auto busy = other.open(controller.slavePath());
    EXPECT_EQ(busy.error, link::OpenError::Busy);
    port.close();
    EXPECT_TRUE(other.open(controller.slavePath()).ok());
}

TEST(PtyPosixSerialDevice, RefusedPermissionNamesTheOwnerGroupAndMode)
{
    // A pty of our own and no simulator thread, so that forking is safe.
    const int master = ::posix_openpt(O_RDWR | O_NOCTTY);
    ASSERT_GE(master, 0);
    ASSERT_EQ(::grantpt(master), 0);
    ASSERT_EQ(::unlockpt(master), 0);
    const std::string slave = ::ptsname(master);
    // Run the open as an unprivileged user (root is never refused).
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        if (::geteuid() == 0) {
            if (::setgid(65534) != 0 || ::setuid(65534) != 0)
                ::_exit(3);
        } else if (::chmod(slave.c_str(), 0) != 0) {
            ::_exit(3);
        }
        link::PosixSerialDevice device;
        const auto result = device.open(slave);
        ::_exit(result.error == link::OpenError::PermissionDenied && !result.access.owner.empty() ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ::close(master);
    ASSERT_TRUE(WIFEXITED(status));
    if (WEXITSTATUS(status) == 3)
        GTEST_SKIP() << "cannot drop privileges here";
    EXPECT_EQ(WEXITSTATUS(status), 0);
}
