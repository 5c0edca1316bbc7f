// The full read against a controller that answers in order but late: no
// accepted value may belong to another address, unread addresses are read
// again, and a clean line keeps its plain 35 exchanges.
#include "CommandFrame.h"
#include "LineSync.h"
#include "ParameterState.h"
#include "ParameterTransfer.h"
#include "SerialPort.h"

#include "FakeClock.h"
#include "ScriptedController.h"
#include "ScriptedDevice.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

using namespace dravinor;
using dravinor::testing::FakeClock;
using dravinor::testing::ScriptedController;
using dravinor::testing::ScriptedDevice;

namespace {

constexpr std::uint32_t windowMs = link::SerialPort::pollsPerWait * link::SerialPort::pollSleepMs;
constexpr std::uint8_t untouched = 0xEE;

struct ProgressLog final : params::TransferObserver {
    std::vector<int> progress;
    int shown = 0;
    void readProgress(int accepted) override { progress.push_back(accepted); }
    void showParameters() override { ++shown; }
};

struct ReadAllFixture : ::testing::Test {
    FakeClock clock;
    ScriptedDevice device{clock};
    ScriptedController controller{clock, device};
    link::SerialPort port{device, clock, [](const std::string& name) { return name; }};
    params::ParameterState state;
    ProgressLog log;
    params::ParameterTransfer transfer{port, state, &log};

    void SetUp() override
    {
        ASSERT_TRUE(port.open("/dev/x"));
        transfer.setIdentitySource([this] { return std::optional<std::uint8_t>(controller.identity); });
    }

    params::ReadAllResult readFromScratch()
    {
        state.block().bytes().fill(untouched);
        controller.lettersHeard.clear();
        log.progress.clear();
        return transfer.readAllParameters();
    }

    // Every address holds the controller's value, or is listed as failed,
    // marked unread and untouched.
    void expectEveryValueItsOwn(const params::ReadAllResult& read)
    {
        for (int address = 1; address <= 35; ++address) {
            const bool failed = std::count(read.failedAddresses.begin(), read.failedAddresses.end(), address) > 0;
            EXPECT_EQ(state.block().get(address), failed ? untouched : controller.values[static_cast<std::size_t>(address)])
                << "address " << address;
            EXPECT_EQ(state.isUnread(address), failed) << "address " << address;
        }
    }

    // Lets everything still owed arrive and throws it away.
    void settle()
    {
        clock.sleepMs(2000);
        port.discardInput();
    }
};

}  // namespace

TEST_F(ReadAllFixture, CleanLineSendsThePlainReadsInThePlainTime)
{
    const auto before = clock.nowMs;
    const auto read = readFromScratch();
    EXPECT_TRUE(read.complete());
    EXPECT_EQ(read.accepted, 35);
    EXPECT_EQ(controller.lettersHeard, std::string(35, 'l'));
    EXPECT_EQ(clock.nowMs - before, 35u * 12u);
    EXPECT_FALSE(state.anyUnread());
    EXPECT_EQ(log.shown, 1);
}

// The controller holds one answer back by 1 to 10 reply windows and then
// answers everything it heard meanwhile, in order. Before, the held answer
// was taken for a later address's and every value after it shifted.
TEST_F(ReadAllFixture, LateAnswerOnceIsNeverShiftedAndItsAddressIsReadAgain)
{
    for (int address : {1, 7, 20, 35}) {
        for (std::uint32_t windows = 1; windows <= 10; ++windows) {
            SCOPED_TRACE("address " + std::to_string(address) + ", " + std::to_string(windows) + " windows");
            controller.lateAnswers = {{address, windows * windowMs + 3}};
            controller.lateAnswersOnce = true;
            const auto read = readFromScratch();
            expectEveryValueItsOwn(read);
            EXPECT_TRUE(read.complete());
            EXPECT_EQ(read.accepted, 35);
            settle();
        }
    }
}

TEST_F(ReadAllFixture, AddressThatIsAlwaysLateEndsUnreadAfterTwoMoreTries)
{
    for (int address : {1, 7, 20, 35}) {
        for (std::uint32_t windows : {1u, 4u, 10u}) {
            SCOPED_TRACE("address " + std::to_string(address) + ", " + std::to_string(windows) + " windows");
            controller.lateAnswers = {{address, windows * windowMs + 3}};
            controller.lateAnswersOnce = false;
            const auto read = readFromScratch();
            expectEveryValueItsOwn(read);
            EXPECT_EQ(read.failedAddresses, std::vector<int>{address});
            EXPECT_EQ(read.accepted, 34);
            EXPECT_EQ(std::count(controller.lettersHeard.begin(), controller.lettersHeard.end(), 'l'), 35 + 2);
            settle();
        }
    }
}

TEST_F(ReadAllFixture, ProgressMovesOnlyOnAcceptedAnswers)
{
    controller.lateAnswers = {{3, 5 * windowMs}, {30, 2 * windowMs}};
    controller.lateAnswersOnce = true;
    const auto read = readFromScratch();
    ASSERT_TRUE(read.complete());
    std::vector<int> expected(35);
    for (int i = 0; i < 35; ++i)
        expected[static_cast<std::size_t>(i)] = i + 1;
    EXPECT_EQ(log.progress, expected);
}

TEST_F(ReadAllFixture, ControllerThatFallsSilentEndsTheReadAfterOneLongWait)
{
    int heard = 0;
    device.onWrite = [this, &heard, hook = device.onWrite](const std::vector<std::uint8_t>& frame) {
        if (++heard == 20)
            controller.silent = true;
        hook(frame);
    };
    const auto before = clock.nowMs;
    const auto read = readFromScratch();
    expectEveryValueItsOwn(read);
    EXPECT_EQ(read.accepted, 19);
    EXPECT_EQ(read.failedAddresses.size(), 16u);
    // The failed read, one identify answered by nobody, and nothing more.
    EXPECT_EQ(controller.lettersHeard, std::string(20, 'l') + "I");
    EXPECT_LT(clock.nowMs - before, 19u * 12u + windowMs + (link::sync::firstByteWindows + 1) * windowMs);
}

TEST_F(ReadAllFixture, RefusedAnswersAreReadAgainOnASynchronisedLine)
{
    // Address 12's first two answers are spoiled by a byte of noise ahead of them.
    int spoiled = 2;
    device.onWrite = [this, &spoiled, hook = device.onWrite](const std::vector<std::uint8_t>& frame) {
        if (frame[0] == 'l' && frame[1] == 12 && spoiled-- > 0)
            device.arriveAt(clock.nowMs + 6, {0x00});
        hook(frame);
    };
    const auto read = readFromScratch();
    expectEveryValueItsOwn(read);
    EXPECT_TRUE(read.complete());
    // 12 fails in the pass and at its first re-read, each followed by an identify.
    EXPECT_EQ(controller.lettersHeard, std::string(12, 'l') + "I" + std::string(23, 'l') + "lIl");
}

TEST_F(ReadAllFixture, UnreadMarksFollowReadsAndAcknowledgedWrites)
{
    controller.lateAnswers = {{26, 3 * windowMs}};
    auto read = readFromScratch();
    ASSERT_EQ(read.failedAddresses, std::vector<int>{26});
    settle();
    EXPECT_TRUE(state.isUnread(26));

    controller.unansweredWrites = {26};
    EXPECT_TRUE(transfer.writeParameter(4, 26).failed());
    EXPECT_TRUE(state.isUnread(26)) << "a write the controller did not take changes nothing";
    controller.unansweredWrites.clear();
    settle();
    EXPECT_FALSE(transfer.writeParameter(4, 26).failed());
    EXPECT_FALSE(state.isUnread(26)) << "the fitter chose the value and the controller took it";

    controller.lateAnswers.clear();
    state.setUnread(5, true);
    read = readFromScratch();
    EXPECT_TRUE(read.complete());
    EXPECT_FALSE(state.anyUnread());

    state.setUnread(5, true);
    state.loadDefaults();
    EXPECT_FALSE(state.anyUnread());
    state.setUnread(5, true);
    state.setUnread(40, true);  // beyond the parameters: ignored
    state.noteFileLoaded(5);
    EXPECT_TRUE(state.isUnread(5));
    state.noteFileLoaded(6);
    EXPECT_FALSE(state.isUnread(5));
}

// A live poll answered ten windows late whose first byte happens to be 's':
// before, the next write took it for its acknowledgement although the
// controller never answered that write.
TEST_F(ReadAllFixture, LateAnswerOfAnEarlierExchangeNeverAcknowledgesAWrite)
{
    controller.liveFrame = {'s', 1, 2, 3, 4, 5, 6, 7, 8, 9};
    controller.liveLateMs = 10 * windowMs;
    link::sendLiveRequest(port);
    ASSERT_FALSE(port.collectReply(10));
    controller.unansweredWrites = {5};
    const auto outcome = transfer.writeParameter(9, 5);
    EXPECT_FALSE(outcome.eepromAcknowledged);
    EXPECT_EQ(controller.lettersHeard.substr(0, 4), "VIIs");
}

TEST_F(ReadAllFixture, ReadStartingOnASuspectLineSynchronisesFirst)
{
    controller.liveFrame = {'D', 1, 'D' + 1, ';', 0, 0, 0, 0, 0, 0};
    controller.liveLateMs = 6 * windowMs;
    link::sendLiveRequest(port);
    ASSERT_FALSE(port.collectReply(10));
    const auto read = readFromScratch();
    expectEveryValueItsOwn(read);
    EXPECT_TRUE(read.complete());
    EXPECT_EQ(controller.lettersHeard, "II" + std::string(35, 'l'));
}
