// Bulk writes on a scripted line: the definition's frames go out unchanged,
// and whatever the controller left unacknowledged is written again on its own.

#include "link/CommandFrame.h"
#include "link/SerialPort.h"
#include "params/JournalRecorder.h"
#include "params/ParameterTransfer.h"

#include "FakeClock.h"
#include "ScriptedController.h"
#include "ScriptedDevice.h"

#include <gtest/gtest.h>

#include <map>
#include <utility>
#include <vector>

namespace dravinor::params {
namespace {

using testing::FakeClock;
using testing::ScriptedController;
using testing::ScriptedDevice;

struct SentFrame {
    std::vector<std::uint8_t> bytes;
    std::uint32_t atMs;
    bool operator==(const SentFrame&) const = default;
};

// The observer's view of a bulk write.
struct ProgressLog final : TransferObserver {
    std::vector<int> started;
    std::vector<std::pair<int, int>> steps;  // done, of
    int finished = 0;
    int singleWrites = 0;
    void bulkWriteStarted(int total) override { started.push_back(total); }
    void bulkWriteProgress(int done, int total) override { steps.emplace_back(done, total); }
    void bulkWriteFinished(const BulkWriteOutcome&) override { ++finished; }
    void writeStarted() override { ++singleWrites; }
};

struct RecordedWrites final : WriteRecorder {
    int singles = 0;
    std::vector<std::string> bulkNotes;
    void singleWrite(const SingleWrite&) override { ++singles; }
    void bulkWrite(const BulkWrite& write) override
    {
        bulkNotes.push_back(bulkWriteEntries(write, {"COM1", "3/1"}, "t").back().note);
    }
};

// A controller that goes deaf to chosen frames: a frame of that letter and
// address is lost (neither carried out nor answered) as many times as asked.
struct BulkLine : ::testing::Test {
    FakeClock clock;
    ScriptedDevice device{clock};
    ScriptedController controller{clock, device};
    link::SerialPort port{device, clock, [](const std::string& name) { return name; }};
    ParameterState state;
    ProgressLog progress;
    RecordedWrites recorded;
    ParameterTransfer transfer{port, state, &progress};
    std::map<std::pair<char, int>, int> deafTo;
    std::vector<SentFrame> sent;

    void SetUp() override
    {
        ASSERT_TRUE(port.open("/dev/x"));
        port.setControllerConnected(true);
        transfer.setRecorder(&recorded);
        for (int address = 1; address <= 35; ++address)
            state.block().setParameter(Address(address), static_cast<std::uint8_t>(address * 5));
        auto hear = device.onWrite;
        device.onWrite = [this, hear](const std::vector<std::uint8_t>& frame) {
            sent.push_back({frame, clock.nowMs});
            if (auto deaf = deafTo.find({static_cast<char>(frame[0]), frame[1]});
                deaf != deafTo.end() && deaf->second > 0) {
                --deaf->second;
                return;
            }
            hear(frame);
        };
    }

    std::vector<std::vector<std::uint8_t>> framesFrom(std::size_t first) const
    {
        std::vector<std::vector<std::uint8_t>> frames;
        for (std::size_t i = first; i < sent.size(); ++i)
            frames.push_back(sent[i].bytes);
        return frames;
    }
    static std::vector<std::uint8_t> frame(char letter, int address, int data1, int data2 = 0)
    {
        const auto f = link::buildFrame(static_cast<std::uint8_t>(letter), static_cast<std::uint8_t>(address),
                                        static_cast<std::uint8_t>(data1), static_cast<std::uint8_t>(data2));
        return {f.begin(), f.end()};
    }
    // The single write's frames for an address, as the re-write sends them.
    std::vector<std::vector<std::uint8_t>> singleWriteFrames(int address) const
    {
        const ParameterBlock& b = state.block();
        if (address > ParameterTransfer::ramRefreshLast)
            return {frame('s', address, b.get(address))};
        return {frame('s', address, b.get(address)), frame('R', address + 36, b.get(address), b.get(address + 1))};
    }
};

// What the definition sends for "Zapisz Parametry", step by step, judged by
// nobody: the reference the transfer must match on a good line.
std::vector<SentFrame> definitionWriteAll(const ParameterBlock& block, int passes)
{
    FakeClock clock;
    ScriptedDevice device{clock};
    ScriptedController controller{clock, device};
    link::SerialPort port{device, clock, [](const std::string& name) { return name; }};
    std::vector<SentFrame> sent;
    auto hear = device.onWrite;
    device.onWrite = [&](const std::vector<std::uint8_t>& frame) {
        sent.push_back({frame, clock.nowMs});
        hear(frame);
    };
    EXPECT_TRUE(port.open("/dev/x"));
    for (int pass = 0; pass < passes; ++pass) {
        for (int address = 1; address <= 35; ++address) {
            link::sendEepromWrite(port, static_cast<std::uint8_t>(address), block.get(address));
            port.waitReply();
        }
        for (int p = 1; p <= 32; ++p) {
            link::sendRamWordWrite(port, static_cast<std::uint8_t>(p + 36), block.word(p));
            port.waitReply();
        }
    }
    return sent;
}

}  // namespace

TEST_F(BulkLine, GoodLineKeepsTheDefinitionsFramesOrderAndTimingAndRewritesNothing)
{
    const auto reference = definitionWriteAll(state.block(), 1);
    const BulkWriteOutcome outcome = transfer.writeAll();
    EXPECT_EQ(sent, reference);
    EXPECT_TRUE(outcome.allConfirmed());
    EXPECT_TRUE(outcome.rewrittenAddresses().empty());
    EXPECT_EQ(outcome.unacknowledged, 0);
    EXPECT_EQ(progress.started, std::vector<int>{67});
    ASSERT_EQ(progress.steps.size(), 67u);
    EXPECT_EQ(progress.steps.back(), std::make_pair(67, 67));
    EXPECT_EQ(progress.finished, 1);
    EXPECT_EQ(recorded.bulkNotes, std::vector<std::string>{"35/35 acknowledged, 31 changed"});
}

TEST_F(BulkLine, GoodLineResetKeepsBothPassesFrameForFrame)
{
    ParameterState defaults;
    defaults.loadDefaults();
    const auto reference = definitionWriteAll(defaults.block(), 2);
    const BulkWriteOutcome outcome = transfer.resetParameters();
    EXPECT_EQ(sent, reference);
    EXPECT_TRUE(outcome.allConfirmed());
    EXPECT_EQ(progress.started, std::vector<int>{134});
}

TEST_F(BulkLine, MissingAcknowledgementsAndTheLettersRightAfterThemAreRewrittenOneByOne)
{
    // The letter that follows a missing one may be the missing one's, late:
    // it confirms nothing, so that address is written again too.
    deafTo = {{{'s', 3}, 1}, {{'R', 12 + 36}, 1}, {{'s', 34}, 1}};
    const BulkWriteOutcome outcome = transfer.writeAll();
    EXPECT_EQ(outcome.unacknowledged, 3);
    EXPECT_EQ(outcome.rewrittenAddresses(), (std::vector<int>{3, 4, 12, 13, 34, 35}));
    EXPECT_TRUE(outcome.allConfirmed());
    EXPECT_FALSE(outcome.rewritesStopped);

    // The bulk frames first, untouched; then EEPROM and RAM copy of 3, 4,
    // 12 and 13, and EEPROM only for 34 and 35, as a field edit writes them.
    ASSERT_EQ(sent.size(), 67u + 10u);
    std::vector<std::vector<std::uint8_t>> expected;
    for (int address : {3, 4, 12, 13, 34, 35})
        for (auto& f : singleWriteFrames(address))
            expected.push_back(f);
    EXPECT_EQ(framesFrom(67), expected);
    EXPECT_EQ(controller.values[3], state.block().get(3));
    EXPECT_EQ(controller.values[34], state.block().get(34));

    // The re-writes belong to the bulk write: one record, which tells them,
    // and no single-write status or journal line of their own.
    EXPECT_EQ(recorded.singles, 0);
    EXPECT_EQ(progress.singleWrites, 0);
    EXPECT_EQ(recorded.bulkNotes,
              std::vector<std::string>{"35/35 acknowledged, 31 changed, re-written one by one: 3 4 12 13 34 35"});
    EXPECT_EQ(progress.steps.back(), std::make_pair(73, 73));
}

TEST_F(BulkLine, ALateLetterOfAnEarlierFrameDoesNotConfirmALostOne)
{
    // 's' 5 is answered only while the tool waits for 6, whose own frame
    // was lost: that letter is 5's, and 6 must still reach the controller.
    deafTo = {{{'s', 5}, 1}, {{'s', 6}, 1}};
    auto deaf = device.onWrite;
    device.onWrite = [this, deaf](const std::vector<std::uint8_t>& frame) {
        deaf(frame);
        if (frame[0] == 's' && frame[1] == 6 && sent.size() == 6)
            device.arriveAt(clock.nowMs + 9, {'s'});
    };
    const BulkWriteOutcome outcome = transfer.writeAll();
    EXPECT_EQ(outcome.rewrittenAddresses(), (std::vector<int>{5, 6}));
    EXPECT_TRUE(outcome.allConfirmed());
    EXPECT_EQ(controller.values[6], state.block().get(6));
}

TEST_F(BulkLine, AnAddressTheControllerNeverTakesIsNamedAndTheOthersAreStillRewritten)
{
    // 7 stays deaf through the bulk frame and every retry; 20 only misses the bulk frame.
    deafTo = {{{'s', 7}, 100}, {{'R', 7 + 36}, 100}, {{'s', 20}, 1}};
    const BulkWriteOutcome outcome = transfer.writeAll();
    EXPECT_EQ(outcome.rewrittenAddresses(), (std::vector<int>{7, 8, 20, 21}));
    EXPECT_EQ(outcome.unconfirmedAddresses(), std::vector<int>{7});
    EXPECT_FALSE(outcome.allConfirmed());
    EXPECT_FALSE(outcome.rewritesStopped);
    EXPECT_EQ(controller.values[20], state.block().get(20));
    EXPECT_EQ(
        recorded.bulkNotes,
        std::vector<std::string>{"34/35 acknowledged, 31 changed, re-written one by one: 7 8 20 21, not confirmed: 7"});
}

TEST_F(BulkLine, ARamRefreshThatStaysUnansweredLeavesItsAddressUnconfirmed)
{
    deafTo = {{{'R', 9 + 36}, 100}};
    const BulkWriteOutcome outcome = transfer.writeAll();
    EXPECT_TRUE(outcome.eepromWritten.test(9));
    EXPECT_EQ(outcome.unconfirmedAddresses(), std::vector<int>{9});
}

TEST_F(BulkLine, WithoutAConnectedControllerNothingIsRewrittenAndNothingConfirmed)
{
    port.setControllerConnected(false);
    device.onWrite = [this](const std::vector<std::uint8_t>& frame) { sent.push_back({frame, clock.nowMs}); };
    const BulkWriteOutcome outcome = transfer.writeAll();
    EXPECT_EQ(sent.size(), 67u);  // the definition's frames, nothing more
    EXPECT_EQ(outcome.unconfirmedAddresses().size(), 35u);
    EXPECT_TRUE(outcome.rewrittenAddresses().empty());
}

TEST_F(BulkLine, ALineThatFallsSilentStopsTheRewritesAfterTwoUnansweredAddresses)
{
    device.onWrite = [this](const std::vector<std::uint8_t>& frame) { sent.push_back({frame, clock.nowMs}); };
    const std::uint32_t start = clock.nowMs;
    const BulkWriteOutcome outcome = transfer.writeAll();
    EXPECT_TRUE(outcome.rewritesStopped);
    EXPECT_EQ(outcome.rewrittenAddresses(), (std::vector<int>{1, 2}));
    EXPECT_EQ(outcome.unconfirmedAddresses().size(), 35u);
    // Each unanswered single write sends five 's' and five 'R', after one
    // identify that tries to bring the line back in step.
    EXPECT_EQ(sent.size(), 67u + 2u * 11u);
    EXPECT_LT(clock.nowMs - start, 10000u);
}

TEST_F(BulkLine, ResetCountsAnAddressConfirmedInEitherPassAndRewritesOnlyAfterBoth)
{
    deafTo = {{{'s', 5}, 1}, {{'s', 6}, 2}};  // 5 misses the first pass only, 6 both passes
    const BulkWriteOutcome outcome = transfer.resetParameters();
    // 7 follows 6's missing letter in both passes, so neither confirmed it.
    EXPECT_EQ(outcome.rewrittenAddresses(), (std::vector<int>{6, 7}));
    EXPECT_TRUE(outcome.allConfirmed());
    EXPECT_EQ(sent.size(), 134u + 4u);
    auto expected = singleWriteFrames(6);
    for (auto& frame : singleWriteFrames(7))
        expected.push_back(frame);
    EXPECT_EQ(framesFrom(134), expected);
}

TEST_F(BulkLine, AdapterPulledDuringTheBulkFramesIsNotRewrittenIntoTheVoid)
{
    deafTo = {{{'s', 2}, 1}};
    auto hear = device.onWrite;
    device.onWrite = [this, hear](const std::vector<std::uint8_t>& frame) {
        hear(frame);
        if (sent.size() == 20)
            device.lost = true;
    };
    const BulkWriteOutcome outcome = transfer.writeAll();
    EXPECT_TRUE(outcome.portLost);
    EXPECT_TRUE(outcome.rewrittenAddresses().empty());
    EXPECT_FALSE(outcome.allConfirmed());
    EXPECT_EQ(sent.size(), 20u);
}

}  // namespace dravinor::params
