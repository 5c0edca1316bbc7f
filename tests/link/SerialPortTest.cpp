#include "link/SerialPort.h"

#include "FakeClock.h"
#include "ScriptedDevice.h"

#include <gtest/gtest.h>

#include <array>

using namespace dravinor;
using dravinor::testing::FakeClock;
using dravinor::testing::ScriptedDevice;

namespace {

struct PortFixture : ::testing::Test {
    FakeClock clock;
    ScriptedDevice device{clock};
    link::SerialPort port{device, clock, [](const std::string& name) { return "/dev/fake-" + name; }};

    void SetUp() override { ASSERT_TRUE(port.open("COM1")); }
};

}  // namespace

TEST_F(PortFixture, OpenWhileOpenKeepsTheFirstPort)
{
    EXPECT_TRUE(port.open("COM2"));
    EXPECT_EQ(port.portName(), "COM1");
    EXPECT_EQ(device.opens, std::vector<std::string>{"/dev/fake-COM1"});
}

TEST_F(PortFixture, UnknownNameDoesNotOpen)
{
    link::SerialPort other{device, clock, [](const std::string&) { return std::string{}; }};
    EXPECT_FALSE(other.open("COM7"));
    EXPECT_EQ(other.lastOpenResult().error, link::OpenError::NotFound);
    EXPECT_FALSE(other.portOpen());
}

TEST_F(PortFixture, ReadAvailableWithNothingWaitingDoesNotRead)
{
    std::uint8_t buffer[8];
    EXPECT_EQ(port.readAvailable(buffer, sizeof buffer), 0u);
    EXPECT_EQ(device.reads, 0);
}

TEST_F(PortFixture, SendKeysRtsAroundTheDrainedWrite)
{
    const std::uint8_t frame[6] = {0x49, 0, 0, 0, 0x49, 0x3B};
    EXPECT_TRUE(port.send(frame, 6));
    EXPECT_EQ(device.rtsChanges, (std::vector<bool>{true, false}));
    EXPECT_EQ(device.drains, 1);
    ASSERT_EQ(device.written.size(), 1u);
    EXPECT_EQ(device.written[0].size(), 6u);
}

TEST_F(PortFixture, FailedWriteReleasesRtsAndSkipsTheDrain)
{
    device.failWrites = true;
    const std::uint8_t frame[1] = {0x49};
    EXPECT_FALSE(port.send(frame, 1));
    EXPECT_EQ(device.rtsChanges, (std::vector<bool>{true, false}));
    EXPECT_EQ(device.drains, 0);
}

TEST_F(PortFixture, CollectReplyNeedsOneConfirmingPoll)
{
    device.arriveAt(0, {1, 2, 3, 4});
    EXPECT_TRUE(port.collectReply(4));
    EXPECT_EQ(clock.sleeps, 2);
    EXPECT_EQ(port.replyBuffer()[3], 4);
}

TEST_F(PortFixture, CollectReplyAssemblesChunksAcrossPolls)
{
    device.arriveAt(3, {0x44});
    device.arriveAt(5, {0x13, 0x57});
    device.arriveAt(9, {0x3B});
    EXPECT_TRUE(port.collectReply(4));
    EXPECT_EQ(clock.nowMs, 12u);  // the 4th byte at the 5th poll, confirmed at the 6th
    EXPECT_EQ(port.replyBuffer()[0], 0x44);
    EXPECT_EQ(port.replyBuffer()[3], 0x3B);
}

TEST_F(PortFixture, CollectReplyWindowEndsAtTheTwentyFirstPoll)
{
    device.arriveAt(0, {1, 2, 3});
    device.arriveAt(40, {4});  // 20th poll: confirmed by the 21st
    EXPECT_TRUE(port.collectReply(4));

    clock.nowMs = 1000;
    clock.sleeps = 0;
    device.arriveAt(1000, {1, 2, 3});
    device.arriveAt(1042, {4});  // 21st poll: nothing left to confirm it
    EXPECT_FALSE(port.collectReply(4));
    EXPECT_EQ(clock.sleeps, 21);
}

TEST_F(PortFixture, LongReplyKeepsItsFirstTwelveBytes)
{
    std::vector<std::uint8_t> bytes;
    for (std::uint8_t i = 0; i < 16; ++i)
        bytes.push_back(static_cast<std::uint8_t>(0xA0 + i));
    device.arriveAt(0, bytes);
    EXPECT_TRUE(port.collectReply(10));
    EXPECT_EQ(port.replyBuffer()[0], 0xA0);
    EXPECT_EQ(port.replyBuffer()[11], 0xAB);
}

TEST_F(PortFixture, ShortReplyLeavesEarlierBytesBehindIt)
{
    device.arriveAt(0, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10});
    EXPECT_TRUE(port.collectReply(10));
    device.arriveAt(clock.nowMs, {0xEE, 0xEE});
    EXPECT_FALSE(port.collectReply(10));
    EXPECT_EQ(port.replyBuffer()[0], 0xEE);
    EXPECT_EQ(port.replyBuffer()[2], 3);  // never cleared
}

TEST_F(PortFixture, WaitReplyTakesTheFirstChunkOnly)
{
    device.arriveAt(3, {'s'});
    device.arriveAt(5, {'x'});
    EXPECT_TRUE(port.waitReply());
    EXPECT_EQ(clock.sleeps, 2);
    EXPECT_EQ(port.receiveBuffer()[0], 's');
    // The later byte is still queued for whoever reads next.
    EXPECT_TRUE(port.waitReply());
    EXPECT_EQ(port.receiveBuffer()[0], 'x');
}

TEST_F(PortFixture, SilenceSpendsTheWholeWindow)
{
    EXPECT_FALSE(port.waitReply());
    EXPECT_EQ(clock.sleeps, 21);
    EXPECT_EQ(clock.sleptMs, 42);
}

// A timer that rounds every sleep up to 15.625 ms: the window still closes
// once 42 ms have passed, and a complete answer is confirmed 2 ms after the
// poll that brought it, by the clock, not a whole tick later.
TEST_F(PortFixture, OnACoarseTimerTheWindowsKeepTheirTime)
{
    clock.timerPeriodUs = 15625;
    EXPECT_FALSE(port.waitReply());
    EXPECT_EQ(clock.sleeps, 3);
    EXPECT_EQ(clock.nowUs(), 46875u);

    const auto start = clock.nowUs();
    device.arriveAt(clock.nowMs + 5, {1, 2, 3, 4});
    EXPECT_TRUE(port.collectReply(4));
    EXPECT_FALSE(port.replyOverran());
    EXPECT_EQ(clock.sleeps, 4);
    EXPECT_EQ(clock.nowUs() - start, 15625u + 2000u);

    device.arriveAt(clock.nowMs + 5, {1, 2, 3, 4});
    device.arriveAt(clock.nowMs + 16, {5});
    EXPECT_TRUE(port.collectReply(4));
    EXPECT_TRUE(port.replyOverran()) << "the byte right behind the answer is seen";
}

TEST_F(PortFixture, CloseTwiceIsHarmlessAndForgetsTheController)
{
    port.setControllerConnected(true);
    port.close();
    port.close();
    EXPECT_FALSE(port.portOpen());
    EXPECT_FALSE(port.controllerConnected());
    EXPECT_EQ(device.closes, 1);
}

TEST_F(PortFixture, AfterCloseOldBytesAreNotReportedAgain)
{
    device.arriveAt(0, {'s'});
    ASSERT_TRUE(port.waitReply());
    port.close();
    EXPECT_FALSE(port.waitReply());
    EXPECT_FALSE(port.send(reinterpret_cast<const std::uint8_t*>("x"), 1));
}

TEST_F(PortFixture, LostDeviceFailsFastWithoutPolling)
{
    device.lost = true;
    EXPECT_FALSE(port.waitReply());
    EXPECT_FALSE(port.collectReply(4));
    EXPECT_EQ(clock.sleeps, 0);
    EXPECT_FALSE(port.send(reinterpret_cast<const std::uint8_t*>("x"), 1));
    EXPECT_TRUE(device.written.empty());
}

TEST_F(PortFixture, ProbeForALostDeviceAsksWithoutReadingWhatWaits)
{
    device.arriveAt(0, {0x31});
    EXPECT_FALSE(port.probeDeviceLost());
    EXPECT_EQ(device.reads, 0) << "a waiting answer stays for its exchange";
    EXPECT_EQ(device.queries, 1);
    std::array<std::uint8_t, 4> buffer{};
    EXPECT_EQ(port.readAvailable(buffer.data(), buffer.size()), 1u);

    // Pulled with no exchange going on: only asking shows it.
    device.hangUpWhenAsked = true;
    EXPECT_FALSE(port.deviceLost());
    EXPECT_TRUE(port.probeDeviceLost());
    EXPECT_TRUE(port.deviceLost());
    EXPECT_TRUE(device.written.empty()) << "nothing is sent to find out";
}

TEST_F(PortFixture, ProbeOfAClosedPortAsksNothing)
{
    port.close();
    device.hangUpWhenAsked = true;
    EXPECT_FALSE(port.probeDeviceLost());
    EXPECT_EQ(device.queries, 0);
}
