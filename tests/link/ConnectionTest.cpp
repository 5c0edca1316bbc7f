#include "link/Connection.h"

#include "FakeClock.h"
#include "ScriptedDevice.h"
#include "link/CommandFrame.h"
#include "link/PortMap.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <utility>

using namespace dravinor;
using namespace dravinor::link;
using dravinor::testing::FakeClock;
using dravinor::testing::ScriptedDevice;

namespace {

// COMn resolves to "/dev/comN"; present ports open, one of them answers.
struct ScanFixture : ::testing::Test {
    FakeClock clock;
    ScriptedDevice device{clock};
    SerialPort port{device, clock, [](const std::string& name) {
                        const int index = PortMap::portIndex(name);
                        return index < 0 ? std::string{} : "/dev/com" + std::to_string(index + 1);
                    }};
    int reads = 0;
    Connection connection{port, [this] { ++reads; }};
    std::set<int> present;
    int controllerOn = 0;  // 1-based; 0 = nowhere
    std::uint8_t identity = 0x31;

    void SetUp() override
    {
        device.openRule = [this](const std::string& path) {
            const int n = std::stoi(path.substr(8));
            return present.count(n) ? OpenError::None : OpenError::NotFound;
        };
        device.onWrite = [this](const std::vector<std::uint8_t>& frame) {
            if (controllerOn && device.openPath == "/dev/com" + std::to_string(controllerOn) && frame[0] == 'I')
                device.arriveAt(clock.nowMs + 2, {identity});
        };
    }
    int opensOf(int n) const
    {
        return static_cast<int>(std::count(device.opens.begin(), device.opens.end(), "/dev/com" + std::to_string(n)));
    }
};

}  // namespace

struct VersionText : ::testing::TestWithParam<std::pair<std::uint8_t, const char*>> {};

TEST_P(VersionText, BlankAfterTheBracketForTypesOneAndTwo)
{
    EXPECT_EQ(ControllerIdentity(GetParam().first).versionTitle(), GetParam().second);
}

INSTANTIATE_TEST_SUITE_P(Identities, VersionText,
                         ::testing::Values(std::pair<std::uint8_t, const char*>{0x31, "[  wersja sterownika 3 ]"},
                                           std::pair<std::uint8_t, const char*>{0x22, "[  wersja sterownika 2 ]"},
                                           std::pair<std::uint8_t, const char*>{0x35, "[ wersja sterownika 3 ]"},
                                           std::pair<std::uint8_t, const char*>{0xF0, "[ wersja sterownika 15 ]"}),
                         [](const ::testing::TestParamInfo<VersionText::ParamType>& test) {
                             return "Byte" + std::to_string(test.param.first);
                         });

TEST_F(ScanFixture, OneSilentPortIsTriedFiveTimesThenTheScanRunsOut)
{
    present = {1};
    const auto outcome = connection.autodetect();
    EXPECT_FALSE(outcome.connected);
    EXPECT_EQ(opensOf(1), 5);
    for (int n = 2; n <= 9; ++n)
        EXPECT_EQ(opensOf(n), 1) << "COM" << n;
    EXPECT_EQ(opensOf(10), 0);
    ASSERT_TRUE(outcome.status);
    EXPECT_EQ(outcome.status->message, StatusMessage::CannotOpenPort);
    EXPECT_EQ(outcome.title.kind, TitleUpdate::Kind::Unchanged);
    EXPECT_FALSE(port.portOpen());
    EXPECT_EQ(reads, 0);
}

TEST_F(ScanFixture, ControllerBehindThreeSilentPortsIsFound)
{
    present = {1, 2, 3, 4};
    controllerOn = 4;
    const auto outcome = connection.autodetect();
    EXPECT_TRUE(outcome.connected);
    EXPECT_EQ(opensOf(1), 5);
    EXPECT_EQ(opensOf(3), 5);
    EXPECT_EQ(connection.currentPortIndex(), 3);
    EXPECT_EQ(outcome.checks.kind, PortChecks::Kind::Only);
    EXPECT_EQ(outcome.checks.index, 3);
    EXPECT_EQ(outcome.status->portName, "COM4");
    EXPECT_EQ(outcome.title.versionText, "[  wersja sterownika 3 ]");
    EXPECT_EQ(reads, 1);
    EXPECT_TRUE(port.controllerConnected());
    EXPECT_EQ(port.portName(), "COM4");
}

TEST_F(ScanFixture, ControllerOnComNineHasNoMenuItem)
{
    present = {1, 9};  // silent COM1 does not count against the eight ports
    controllerOn = 9;
    const auto outcome = connection.autodetect();
    EXPECT_TRUE(outcome.connected);
    EXPECT_EQ(outcome.checks.kind, PortChecks::Kind::Unchanged);
}

TEST_F(ScanFixture, MenuScanStartsAgainAtComOne)
{
    present = {2};
    controllerOn = 2;
    ASSERT_TRUE(connection.autodetect().connected);
    device.opens.clear();
    const auto outcome = connection.autodetectFromMenu();
    EXPECT_TRUE(outcome.connected);
    EXPECT_EQ(device.opens.front(), "/dev/com1");
}

TEST_F(ScanFixture, ChoosingAPortClosesTheOpenOneFirst)
{
    present = {1, 2};
    controllerOn = 2;
    ASSERT_TRUE(port.open("COM1"));
    const auto outcome = connection.choosePortItem(1);
    EXPECT_EQ(device.closes, 1);
    EXPECT_TRUE(outcome.connected);
    EXPECT_EQ(outcome.checks.kind, PortChecks::Kind::Only);
    EXPECT_EQ(outcome.checks.index, 1);
}

TEST_F(ScanFixture, MenuConnectionFailuresNameNoController)
{
    present = {1};
    auto outcome = connection.choosePortItem(2);  // COM3: absent
    EXPECT_EQ(outcome.status->message, StatusMessage::CannotOpenPort);
    EXPECT_EQ(outcome.title.kind, TitleUpdate::Kind::NoController);
    EXPECT_EQ(outcome.checks.kind, PortChecks::Kind::None);

    outcome = connection.choosePortItem(0);  // COM1: silent, stays open
    EXPECT_EQ(outcome.status->message, StatusMessage::WrongController);
    EXPECT_EQ(outcome.title.kind, TitleUpdate::Kind::NoController);
    EXPECT_TRUE(port.portOpen());
    EXPECT_FALSE(port.controllerConnected());
}

TEST_F(ScanFixture, ReidentifyKeepsThePortAndTheConnectionFlag)
{
    present = {1};
    controllerOn = 1;
    ASSERT_TRUE(connection.autodetect().connected);
    controllerOn = 0;
    auto outcome = connection.reidentify();
    EXPECT_EQ(outcome.status->line, StatusLine::First);
    EXPECT_EQ(outcome.status->message, StatusMessage::WrongController);
    EXPECT_TRUE(port.controllerConnected());
    controllerOn = 1;
    outcome = connection.reidentify();
    EXPECT_EQ(outcome.status->line, StatusLine::Second);
    EXPECT_EQ(outcome.status->portName, "COM1");
    EXPECT_EQ(reads, 2);
}
