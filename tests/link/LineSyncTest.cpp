#include "link/LineSync.h"

#include "link/CommandFrame.h"
#include "link/SerialPort.h"

#include "FakeClock.h"
#include "ScriptedController.h"
#include "ScriptedDevice.h"
#include "ScriptedLine.h"

#include <gtest/gtest.h>

#include <utility>

using namespace dravinor;
using dravinor::testing::FakeClock;
using dravinor::testing::ScriptedController;
using dravinor::testing::ScriptedDevice;
using link::SyncOutcome;

namespace {

struct LineSyncFixture : dravinor::testing::ScriptedLine {
    // A read whose answer the controller holds back: the window passes empty.
    void readThatTimesOut(std::uint8_t address, std::uint32_t lateMs)
    {
        controller.lateAnswers = {{address, lateMs}};
        link::sendParameterRead(port, address);
        ASSERT_FALSE(link::collectParameterValue(port));
        ASSERT_TRUE(port.lineSuspect());
    }
};

}  // namespace

TEST_F(LineSyncFixture, WaitsForEverythingALateControllerStillOwes)
{
    for (std::uint32_t windows = 1; windows <= 10; ++windows) {
        SCOPED_TRACE(windows);
        readThatTimesOut(7, windows * windowMs + 5);
        // Two more reads heard while it was late are owed too.
        link::sendParameterRead(port, 8);
        (void)link::collectParameterValue(port);
        EXPECT_EQ(link::resynchronise(port, controller.identity), SyncOutcome::Synchronised);
        EXPECT_FALSE(port.lineSuspect());
        // Nothing of the old answers comes after it: the next read is its own.
        link::sendParameterRead(port, 9);
        EXPECT_EQ(link::collectParameterValue(port), controller.values[9]);
        clock.sleepMs(1000);
        EXPECT_EQ(device.queuedCount(), 0u);
    }
}

TEST_F(LineSyncFixture, CostsOneIdentifyAndAQuietWindowWhenNothingIsOwed)
{
    device.arriveAt(0, {'x'});
    port.noteBadReply();
    const auto before = clock.nowMs;
    controller.lettersHeard.clear();
    EXPECT_EQ(link::resynchronise(port, controller.identity), SyncOutcome::Synchronised);
    EXPECT_EQ(controller.lettersHeard, "I");
    // The identity byte comes 7 ms after its frame, then 21 polls of silence.
    EXPECT_EQ(clock.nowMs - before, 8u + windowMs);
}

// Before, one identify heard by nobody for a dozen windows ended it: a
// controller that paused half a second was taken for gone.
TEST_F(LineSyncFixture, SilentLineGivesUpAfterSpacedTriesOfAboutTwoSeconds)
{
    controller.silent = true;
    port.noteBadReply();
    const auto before = clock.nowMs;
    EXPECT_EQ(link::resynchronise(port, controller.identity), SyncOutcome::Silent);
    EXPECT_EQ(controller.lettersHeard, std::string(link::sync::silentTries, 'I'));
    const std::uint32_t spent = clock.nowMs - before;
    EXPECT_EQ(spent, link::sync::silentTries * link::sync::firstByteWindows * windowMs);
    EXPECT_GE(spent, 1900u);
    EXPECT_LE(spent, 2100u);
    EXPECT_TRUE(port.lineSuspect());
}

TEST_F(LineSyncFixture, PauseOfAboutHalfASecondIsWaitedOut)
{
    for (std::uint32_t pauseMs : {300u, 700u, 1500u}) {
        SCOPED_TRACE(pauseMs);
        controller.pauses = {{9, pauseMs}};
        link::sendParameterRead(port, 9);
        ASSERT_FALSE(link::collectParameterValue(port));
        EXPECT_EQ(link::resynchronise(port, controller.identity), SyncOutcome::Synchronised);
        link::sendParameterRead(port, 9);
        EXPECT_EQ(link::collectParameterValue(port), controller.values[9]);
    }
}

TEST_F(LineSyncFixture, IdentityAfterOwedBytesIsCheckedOnceMoreAlone)
{
    // An answer held back by three windows, then the identity behind it.
    readThatTimesOut(7, 3 * windowMs);
    controller.lettersHeard.clear();
    EXPECT_EQ(link::resynchronise(port, controller.identity), SyncOutcome::Synchronised);
    EXPECT_EQ(controller.lettersHeard, "II");
}

TEST_F(LineSyncFixture, ByteOtherThanTheIdentityIsNeverTakenForStep)
{
    controller.identity = 0x32;
    port.noteBadReply();
    EXPECT_EQ(link::resynchronise(port, 0x31), SyncOutcome::Garbled);
    EXPECT_EQ(controller.lettersHeard, std::string(link::sync::attempts, 'I'));
    EXPECT_TRUE(port.lineSuspect());
    // Unknown, any lone byte will do.
    EXPECT_EQ(link::resynchronise(port, std::nullopt), SyncOutcome::Synchronised);
}

TEST_F(LineSyncFixture, SecondIdentifyRecoversWhenTheFirstWasLost)
{
    // A controller busy with a late answer drops the first identify.
    device.arriveAt(30, {'D', 5, 'D' + 5, ';'});
    device.onWrite = [this, first = true](const std::vector<std::uint8_t>&) mutable {
        if (!std::exchange(first, false))
            device.arriveAt(clock.nowMs + 7, {0x31});
    };
    port.noteBadReply();
    EXPECT_EQ(link::resynchronise(port, 0x31), SyncOutcome::Synchronised);
    EXPECT_EQ(device.written.size(), 2u);
}

TEST_F(LineSyncFixture, ControllerFallingSilentAfterItsLateAnswerIsSilent)
{
    device.arriveAt(30, {'D', 5, 'D' + 5, ';'});
    controller.silent = true;
    port.noteBadReply();
    EXPECT_EQ(link::resynchronise(port, 0x31), SyncOutcome::Silent);
    EXPECT_EQ(controller.lettersHeard, "I" + std::string(link::sync::silentTries, 'I'));
}

TEST_F(LineSyncFixture, ChatteringLineIsGivenUpWithinItsBound)
{
    controller.silent = true;
    for (std::uint32_t at = 0; at < 5000; at += 5)
        device.arriveAt(at, {0x55});
    port.noteBadReply();
    const auto before = clock.nowMs;
    EXPECT_EQ(link::resynchronise(port, 0x31), SyncOutcome::Garbled);
    EXPECT_LE(clock.nowMs - before,
              static_cast<std::uint32_t>(link::sync::attempts * link::sync::longestWindows) * windowMs);
}

TEST_F(LineSyncFixture, NoPortOrALostAdapterEndsAtOnce)
{
    device.lost = true;
    EXPECT_EQ(link::resynchronise(port, 0x31), SyncOutcome::NoPort);
    port.close();
    device.lost = false;
    EXPECT_EQ(link::resynchronise(port, 0x31), SyncOutcome::NoPort);
    EXPECT_TRUE(device.written.empty());
    EXPECT_EQ(clock.nowMs, 0u);
}
