#include "params/LivePoll.h"

#include "FakeClock.h"
#include "ScriptedDevice.h"
#include "link/SerialPort.h"
#include "params/FlagBits.h"
#include "params/ParameterState.h"
#include "params/ParameterTable.h"

#include <gtest/gtest.h>

#include <optional>

namespace dravinor::params {
namespace {

using Bytes = std::vector<std::uint8_t>;

// A controller whose answer to the next live request the test sets.
struct LivePollFixture : ::testing::Test {
    testing::FakeClock clock;
    testing::ScriptedDevice device{clock};
    link::SerialPort port{device, clock, [](const std::string& n) { return n; }};
    std::optional<Bytes> answer;

    void SetUp() override
    {
        ASSERT_TRUE(port.open("/dev/x"));
        device.onWrite = [this](const Bytes& frame) {
            if (frame[0] == 'V' && answer)
                device.arriveAt(clock.nowMs + 2, *answer);
        };
    }
    LivePoll pollWith(std::optional<Bytes> bytes)
    {
        answer = std::move(bytes);
        return pollLiveFrame(port);
    }
};

const Bytes running{120, 40, 150, 0, 90, 0x01, 0x06, 0xD1, 0, 0};

TEST_F(LivePollFixture, OnlyAWholeFrameIsGood)
{
    const LivePoll good = pollWith(running);
    EXPECT_EQ(good.reply, LiveReply::Good);
    EXPECT_TRUE(good.good());
    EXPECT_TRUE(good.answered());
    EXPECT_EQ(good.frame.rpmPeriod, 1745);
    EXPECT_EQ(good.frame.stepperPosition, 90);
}

TEST_F(LivePollFixture, MissingShortLongAndBlankAnswersAreNeverGood)
{
    const struct {
        const char* name;
        std::optional<Bytes> bytes;
        LiveReply reply;
        bool answered;
    } cases[] = {
        {"nothing", std::nullopt, LiveReply::Missing, false},
        {"short", Bytes{120, 40, 150, 0, 90}, LiveReply::Short, true},
        {"noise before the frame", Bytes{0x5A, 120, 40, 150, 0, 90, 0x01, 0x06, 0xD1, 0, 0}, LiveReply::Long, true},
        {"a line held at zero", Bytes(10, 0), LiveReply::Blank, false},
    };
    for (const auto& c : cases) {
        pollWith(running);  // the reply buffer holds a good frame before each
        const LivePoll poll = pollWith(c.bytes);
        EXPECT_EQ(poll.reply, c.reply) << c.name;
        EXPECT_FALSE(poll.good()) << c.name;
        EXPECT_EQ(poll.answered(), c.answered) << c.name;
    }
}

TEST_F(LivePollFixture, AZeroPeriodWithOtherBytesIsAnAnswerNotABlank)
{
    // A frame whose speed is beyond any engine is still the controller's.
    const LivePoll poll = pollWith(Bytes{120, 40, 150, 0, 90, 0x00, 0, 0, 0, 0});
    EXPECT_TRUE(poll.good());
    EXPECT_EQ(poll.frame.rpmPeriod, 0);
}

// The window and dravinor-cli show the same frame alike: the settings come
// from the parameters as they stand at the poll, not as they stood before.
TEST_F(LivePollFixture, AReadingIsDecodedWithTheParametersAtThePoll)
{
    ParameterState state;
    state.setIgnitionConstant(0);
    state.block().setParameter(address::lambdaThreshold, 120);  // the frame's lambda byte: at the threshold is high
    state.setFlagByteA(0);
    answer = running;
    const LiveReading without = readLive(port, state);
    ASSERT_TRUE(without.good());
    EXPECT_FALSE(without.settings.temperatureSensor);
    EXPECT_TRUE(without.values.lambdaHigh);
    EXPECT_EQ(without.values.rpm, engineRpm(without.poll.frame, *ignitionConstantForItem(0)));
    EXPECT_EQ(without.values.fuel, fuelState(running[5]));

    state.setIgnitionConstant(2);
    state.block().setParameter(address::lambdaThreshold, 121);
    state.setFlagByteA(flagA::temperatureSensor);
    const LiveReading with = readLive(port, state);
    EXPECT_TRUE(with.settings.temperatureSensor);
    EXPECT_FALSE(with.values.lambdaHigh);
    EXPECT_EQ(with.values.rpm, engineRpm(with.poll.frame, *ignitionConstantForItem(2)));
    EXPECT_NE(with.values.rpm, without.values.rpm) << "K of the ignition type in force";
    EXPECT_FLOAT_EQ(with.values.temperature, temperatureC(running[2]));
}

// A bad answer is a reading that is not good, whatever its bytes decode to.
TEST_F(LivePollFixture, AReadingOfABadAnswerIsNotGood)
{
    ParameterState state;
    answer = Bytes{120, 40, 150, 0, 90};
    const LiveReading reading = readLive(port, state);
    EXPECT_FALSE(reading.good());
    EXPECT_EQ(reading.poll.reply, LiveReply::Short);
}

}  // namespace
}  // namespace dravinor::params
