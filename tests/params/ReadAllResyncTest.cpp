// The full read against a controller that answers in order but late: no
// accepted value may belong to another address, unread addresses are read
// again, and a clean line keeps its plain 35 exchanges.
#include "link/CommandFrame.h"
#include "link/Connection.h"
#include "link/LineSync.h"
#include "link/SerialPort.h"
#include "params/ParameterState.h"
#include "params/ParameterTransfer.h"

#include "FakeClock.h"
#include "ScriptedController.h"
#include "ScriptedDevice.h"
#include "ScriptedLine.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

using namespace dravinor;
using dravinor::testing::FakeClock;
using dravinor::testing::ScriptedController;
using dravinor::testing::ScriptedDevice;

namespace {

constexpr std::uint8_t untouched = 0xEE;

struct ProgressLog final : params::TransferObserver {
    std::vector<int> progress;
    int shown = 0;
    void readProgress(int accepted) override { progress.push_back(accepted); }
    void showParameters() override { ++shown; }
};

struct ReadAllFixture : dravinor::testing::ScriptedLine {
    params::ParameterState state;
    ProgressLog log;
    params::ParameterTransfer transfer{port, state, &log};
    params::ReadAllResult lastRead;

    void SetUp() override
    {
        ScriptedLine::SetUp();
        transfer.setIdentitySource(
            [this] { return std::optional(dravinor::link::ControllerIdentity(controller.identity)); });
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
            EXPECT_EQ(state.block().get(address),
                      failed ? untouched : controller.values[static_cast<std::size_t>(address)])
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

// Before, the read ended after one identify heard by nobody and named every
// address after it as "no valid answer", asked or not.
TEST_F(ReadAllFixture, ControllerThatFallsSilentEndsTheReadNamingWhatItNeverAsked)
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
    EXPECT_EQ(read.stop, params::ReadStop::Silent);
    EXPECT_EQ(read.stoppedAt, 20);
    EXPECT_EQ(read.unanswered(), std::vector<int>{20});
    std::vector<int> notAsked;
    for (int address = 21; address <= 35; ++address)
        notAsked.push_back(address);
    EXPECT_EQ(read.notAsked, notAsked);
    // The failed read, the spaced identifies answered by nobody, and nothing more.
    EXPECT_EQ(controller.lettersHeard, std::string(20, 'l') + std::string(link::sync::silentTries, 'I'));
    EXPECT_LT(clock.nowMs - before,
              19u * 12u + windowMs + (link::sync::silentTries * link::sync::firstByteWindows + 1) * windowMs);
}

// Before, a controller that paused 700 ms at address 9 ended the read there:
// 9 read frames on the line and "no valid answer for address 9 10 ... 35".
TEST_F(ReadAllFixture, OnePauseOfHalfASecondNeitherEndsTheReadNorBlamesAddressesNeverAsked)
{
    for (std::uint32_t pauseMs : {500u, 700u, 1500u}) {
        SCOPED_TRACE(pauseMs);
        controller.pauses = {{9, pauseMs}};
        const auto read = readFromScratch();
        expectEveryValueItsOwn(read);
        EXPECT_TRUE(read.complete());
        EXPECT_FALSE(read.stopped());
        EXPECT_TRUE(read.notAsked.empty());
        // On from where it stopped, then address 9 again.
        const auto identifies = controller.lettersHeard.find_first_not_of('l', 9);
        EXPECT_EQ(controller.lettersHeard.substr(0, 9), std::string(9, 'l'));
        EXPECT_EQ(controller.lettersHeard.substr(controller.lettersHeard.find('l', identifies)), std::string(27, 'l'));
        settle();
    }
}

TEST_F(ReadAllFixture, ReadOnASuspectLineThatStaysSilentAsksNothing)
{
    controller.silent = true;
    port.noteBadReply();
    const auto read = readFromScratch();
    EXPECT_EQ(read.stop, params::ReadStop::Silent);
    EXPECT_EQ(read.stoppedAt, 0);
    EXPECT_EQ(read.notAsked.size(), 35u);
    EXPECT_TRUE(read.unanswered().empty());
    EXPECT_EQ(controller.lettersHeard, std::string(link::sync::silentTries, 'I'));
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
    EXPECT_TRUE(transfer.writeParameter(params::Address(26), 4).failed());
    EXPECT_TRUE(state.isUnread(26)) << "a write the controller did not take changes nothing";
    controller.unansweredWrites.clear();
    settle();
    EXPECT_FALSE(transfer.writeParameter(params::Address(26), 4).failed());
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
    const auto outcome = transfer.writeParameter(params::Address(5), 9);
    EXPECT_FALSE(outcome.eepromAcknowledged);
    EXPECT_EQ(controller.lettersHeard.substr(0, 4), "VIIs");
}

// A single write asks the line in step once, briefly, before its own
// retries: a field edit on a dead line must not wait out a read's spaced
// tries on top of them.
TEST_F(ReadAllFixture, WriteOnASilentSuspectLineAsksOneIdentifyOnly)
{
    controller.silent = true;
    port.noteBadReply();
    const auto before = clock.nowMs;
    const auto outcome = transfer.writeParameter(params::Address(5), 9);
    EXPECT_FALSE(outcome.eepromAcknowledged);
    EXPECT_EQ(controller.lettersHeard.substr(0, 2), "Is") << "one identify, then the write";
    EXPECT_EQ(std::count(controller.lettersHeard.begin(), controller.lettersHeard.end(), 'I'), 1);
    // The identify's dozen windows and both halves' retries: less than a read's spaced tries alone.
    EXPECT_LT(clock.nowMs - before, link::sync::silentTries * link::sync::firstByteWindows * windowMs);
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

// The read right after connecting, with the connection's identity as the
// resynchronisation's: a stray byte ahead of the first identify answer.
// Before, it became the identity, every resynchronisation waited for it in
// vain and the read after one late answer was abandoned.
TEST_F(ReadAllFixture, StrayByteBeforeTheFirstIdentifyAnswerNeverCripplesTheRead)
{
    link::Connection connection{port, [this] { lastRead = transfer.readAllParameters(); }};
    transfer.setIdentitySource([&connection] { return connection.identity(); });
    transfer.setIdentityHintSource([&connection] { return connection.identityHint(); });
    port.close();
    for (std::uint8_t stray : {std::uint8_t{'D'}, std::uint8_t{0x3B}, std::uint8_t{0x55}}) {
        SCOPED_TRACE(static_cast<int>(stray));
        controller.identifiesHeard = 0;
        controller.strayBeforeIdentity = {{1, stray}};
        controller.lateAnswers = {{5, 3 * windowMs}, {20, 2 * windowMs}};
        controller.lateAnswersOnce = true;
        state.block().bytes().fill(untouched);
        const auto outcome = connection.connectToPort("/dev/x");
        ASSERT_TRUE(outcome.connected);
        expectEveryValueItsOwn(lastRead);
        EXPECT_TRUE(lastRead.complete()) << lastRead.failedAddresses.size() << " failed";
        EXPECT_EQ(connection.identity(), dravinor::link::ControllerIdentity(0x31));
        EXPECT_EQ(outcome.title.versionText, "[  wersja sterownika 3 ]");
        settle();
        port.close();
    }
}
