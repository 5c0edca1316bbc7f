#include "link/CommandFrame.h"

#include "FakeClock.h"
#include "ScriptedDevice.h"
#include "link/SerialPort.h"

#include <gtest/gtest.h>

using namespace dravinor;
using namespace dravinor::link;
using dravinor::testing::FakeClock;
using dravinor::testing::ScriptedDevice;

namespace {
using Bytes = std::vector<std::uint8_t>;

struct FrameCase {
    const char* what;
    CommandFrame frame;
    Bytes expected;
};
}  // namespace

TEST(CommandFrame, KnownFramesByteForByte)
{
    const FrameCase cases[] = {
        {"identify", buildFrame('I', 0, 0, 0), {0x49, 0x00, 0x00, 0x00, 0x49, 0x3B}},
        {"live request", buildFrame('V', 0, 0, 0), {0x56, 0x00, 0x00, 0x00, 0x56, 0x3B}},
        {"read parameter 5", buildFrame('l', 5, 0, 0), {0x6C, 0x05, 0x00, 0x00, 0x71, 0x3B}},
        {"EEPROM write 1 = 19", buildFrame('s', 1, 19, 0), {0x73, 0x01, 0x13, 0x00, 0x87, 0x3B}},
        {"RAM refresh of 1", buildFrame('R', 37, 19, 28), {0x52, 0x25, 0x13, 0x1C, 0xA6, 0x3B}},
        {"fuel mode 254", buildFrame('r', 125, 254, 0), {0x72, 0x7D, 0xFE, 0x00, 0xED, 0x3B}},
        {"checksum wraps", buildFrame('s', 200, 100, 0), {0x73, 0xC8, 0x64, 0x00, 0x9F, 0x3B}},
        {"checksum equal to terminator", buildFrame('s', 0xC8, 0, 0), {0x73, 0xC8, 0x00, 0x00, 0x3B, 0x3B}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Bytes(c.frame.begin(), c.frame.end()), c.expected) << c.what;
}

TEST(CommandFrame, ParameterReplyIsJudgedOnEveryByte)
{
    const struct {
        Bytes reply;
        std::optional<std::uint8_t> value;
    } cases[] = {
        {{0x44, 0x13, 0x57, 0x3B}, 19},           {{0x44, 0x05, 0x49, 0x3B}, 5},
        {{0x44, 0xFF, 0x43, 0x3B}, 255},           // checksum wraps
        {{0x44, 0x13, 0x58, 0x3B}, std::nullopt},  // checksum off by one
        {{0x44, 0x13, 0x57, 0x3A}, std::nullopt},  // no terminator
        {{0x45, 0x13, 0x58, 0x3B}, std::nullopt},  // wrong letter, consistent sum
    };
    for (const auto& c : cases)
        EXPECT_EQ(decodeParameterReply(c.reply.data()), c.value);
}

namespace {
struct CommandFixture : ::testing::Test {
    FakeClock clock;
    ScriptedDevice device{clock};
    SerialPort port{device, clock, [](const std::string& n) { return n; }};
    void SetUp() override { ASSERT_TRUE(port.open("/dev/x")); }
};
}  // namespace

TEST_F(CommandFixture, QuietLineCostsNoWaitBeforeSending)
{
    sendIdentify(port);
    sendRamWordWrite(port, 50, 0x06D1);
    EXPECT_EQ(device.discards, 0);
    EXPECT_EQ(clock.sleeps, 0);
    ASSERT_EQ(device.written.size(), 2u);
    EXPECT_EQ(device.written[1],
              (Bytes{0x52, 50, 0x06, 0xD1, static_cast<std::uint8_t>(0x52 + 50 + 0x06 + 0xD1), 0x3B}));
}

TEST_F(CommandFixture, ControllerStillTalkingIsLetFinishBeforeSending)
{
    // The tail of an overlong answer: one byte a millisecond until 7 ms.
    for (std::uint32_t at = 0; at <= 7; ++at)
        device.arriveAt(at, {static_cast<std::uint8_t>(at)});
    sendParameterRead(port, 5);
    EXPECT_GE(clock.nowMs, 7u);
    EXPECT_EQ(device.queuedCount(), 0u);
    device.arriveAt(clock.nowMs + 3, {0x44, 0x13, 0x57, 0x3B});
    EXPECT_EQ(collectParameterValue(port), 19);
}

TEST_F(CommandFixture, StaleAcknowledgeDoesNotAcknowledgeTheNextWrite)
{
    device.arriveAt(0, {'s'});  // left over from an earlier, late answer
    sendEepromWrite(port, 4, 100);
    EXPECT_FALSE(waitAcknowledge(port, 's'));
}

TEST_F(CommandFixture, AcknowledgeNeedsTheCommandsOwnLetter)
{
    device.onWrite = [&](const Bytes&) { device.arriveAt(clock.nowMs + 3, {'x'}); };
    sendEepromWrite(port, 4, 100);
    EXPECT_FALSE(waitAcknowledge(port, 's'));
    device.onWrite = [&](const Bytes& frame) { device.arriveAt(clock.nowMs + 3, {frame[0]}); };
    sendEepromWrite(port, 4, 100);
    EXPECT_TRUE(waitAcknowledge(port, 's'));
}
