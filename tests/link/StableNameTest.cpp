// The name a device comes back under: the by-id link, not the node's number.

#include "link/StableName.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace fs = std::filesystem;
using dravinor::link::stableDeviceName;
using dravinor::link::SystemRoots;

namespace {

struct FakeDev : ::testing::Test {
    fs::path dev = fs::path(::testing::TempDir()) / ("dravinor-stable-" + std::to_string(::getpid()));
    SystemRoots roots;

    void SetUp() override
    {
        fs::remove_all(dev);
        fs::create_directories(dev / "serial" / "by-id");
        std::ofstream(dev / "ttyUSB0") << "";
        std::ofstream(dev / "ttyUSB1") << "";
        roots.dev = dev.string();
        roots.sys = (dev / "sys").string();
        roots.proc = (dev / "proc").string();
    }
    void TearDown() override { fs::remove_all(dev); }
};

}  // namespace

TEST_F(FakeDev, NodeIsNamedByItsByIdLink)
{
    fs::create_symlink("../../ttyUSB0", dev / "serial" / "by-id" / "usb-FTDI_FT232R_A1-if00-port0");
    fs::create_symlink("../../ttyUSB1", dev / "serial" / "by-id" / "usb-Prolific_2303-if00-port0");
    EXPECT_EQ(stableDeviceName((dev / "ttyUSB0").string(), roots),
              (dev / "serial" / "by-id" / "usb-FTDI_FT232R_A1-if00-port0").string());
}

TEST_F(FakeDev, NodeWithoutLinkKeepsItsOwnName)
{
    EXPECT_EQ(stableDeviceName((dev / "ttyUSB1").string(), roots), (dev / "ttyUSB1").string());
}

TEST_F(FakeDev, LinkGivenByTheFitterStaysAsGiven)
{
    // --port COM1=/dev/serial/by-id/... or the simulator's --link: already stable.
    const fs::path link = dev / "dravinor-sim";
    fs::create_symlink(dev / "ttyUSB0", link);
    EXPECT_EQ(stableDeviceName(link.string(), roots), link.string());
}
