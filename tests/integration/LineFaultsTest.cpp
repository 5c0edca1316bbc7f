#include "SimulatedLine.h"

#include "link/CommandFrame.h"

using namespace dravinor;
using dravinor::testing::PtyLine;
using dravinor::testing::SimulatedLine;

namespace {
sim::FaultOptions only(void (*set)(sim::FaultOptions&))
{
    sim::FaultOptions faults;
    set(faults);
    return faults;
}
}  // namespace

// Every address was either read right or left as it was (0xEE).
#define expectOnlyRightValues(read)                                                                                    \
    do {                                                                                                               \
        const auto image = controller.eeprom();                                                                        \
        for (int address = 1; address <= 35; ++address) {                                                              \
            const bool failed = std::count((read).failedAddresses.begin(), (read).failedAddresses.end(), address) > 0; \
            EXPECT_EQ(state.block().get(address), failed ? 0xEE : image[static_cast<std::size_t>(address)])            \
                << "address " << address;                                                                              \
        }                                                                                                              \
    } while (false)

TEST_F(SimulatedLine, WrongChecksumLeavesTheBlockAsItWas)
{
    openCom1();
    state.block().setParameter(params::Address(5), 77);
    controller.setFaults(only([](sim::FaultOptions& f) { f.wrongChecksum = true; }));
    const auto read = transfer.readAllParameters();
    EXPECT_EQ(read.accepted, 0);
    EXPECT_EQ(read.failedAddresses.size(), 35u);
    EXPECT_EQ(state.block().get(5), 77);
}

// A late tail or an overlong answer spills into the next exchange; whatever
// that costs, no wrong value may be accepted, and the line recovers once the
// controller behaves. (A whole answer arriving after its window cannot be
// told from the next one: the 'l' answer carries no address.)
TEST_F(SimulatedLine, LateTailsAndLongRepliesNeverYieldAWrongValueAndTheLineRecovers)
{
    openCom1();
    for (auto fault : {only([](sim::FaultOptions& f) { f.lateTailMs = 60; }),
                       only([](sim::FaultOptions& f) { f.longReplyExtra = 6; })}) {
        controller.setFaults(fault);
        state.block().bytes().fill(0xEE);
        const auto spoiled = transfer.readAllParameters();
        expectOnlyRightValues(spoiled);
        controller.setFaults({});
        port.clock().sleepMs(100);  // the last stray bytes have arrived by now
        const auto read = transfer.readAllParameters();
        EXPECT_TRUE(read.complete()) << read.failedAddresses.size() << " failed";
    }
}

// The 'l' answer carries no address: an answer that comes after its window
// must never be taken for the next address's.
TEST_F(SimulatedLine, LateAnswerOfOneAddressIsNeverTakenForTheNextOne)
{
    openCom1();
    for (int lateMs : {30, 50, 70}) {
        SCOPED_TRACE(lateMs);
        sim::FaultOptions faults;
        faults.lateAnswerAddress = 5;
        faults.lateAnswerMs = lateMs;
        controller.setFaults(faults);
        state.block().bytes().fill(0xEE);
        const auto read = transfer.readAllParameters();
        expectOnlyRightValues(read);
        EXPECT_GE(read.accepted, 33);
    }
}

TEST_F(SimulatedLine, StaleAcknowledgeDoesNotMakeAFailedWriteLookGood)
{
    openCom1();
    controller.setSilent(true);
    controller.injectBytes({'s', 'R'});
    port.clock().sleepMs(10);
    const auto outcome = transfer.writeParameter(params::Address(4), 10);
    EXPECT_FALSE(outcome.eepromAcknowledged);
    EXPECT_FALSE(outcome.ramAcknowledged);
}

TEST_F(SimulatedLine, NoiseNeverYieldsAWrongValue)
{
    openCom1();
    controller.setFaults(only([](sim::FaultOptions& f) { f.noisePercent = 40; }));
    for (int round = 0; round < 2; ++round) {
        state.block().bytes().fill(0xEE);
        const auto read = transfer.readAllParameters();
        EXPECT_GT(read.accepted, 0);
        expectOnlyRightValues(read);
    }
}

TEST_F(SimulatedLine, SilentControllerIsNotPresent)
{
    openCom1();
    controller.setSilent(true);
    EXPECT_FALSE(connection.isControllerPresent());
    EXPECT_FALSE(port.replyReceived());
}

TEST_F(PtyLine, UnpluggedAdapterFailsFastAndThePortOpensAgainLater)
{
    const std::string linkPath = ::testing::TempDir() + "dravinor-unplug-" + std::to_string(::getpid());
    sim::SimulatorOptions options;
    options.linkPath = linkPath;
    sim::ControllerSimulator replugged(options);
    std::string error;
    ASSERT_TRUE(replugged.start(&error)) << error;
    map.assign(1, linkPath);
    ASSERT_TRUE(connection.connectToPort("COM2").connected);

    replugged.hangUp();
    const auto write = transfer.writeParameter(params::Address(4), 10);
    EXPECT_TRUE(write.failed());
    EXPECT_TRUE(port.deviceLost());
    // Every later exchange gives up at once instead of polling a dead line.
    const auto read = transfer.readAllParameters();
    EXPECT_EQ(read.accepted, 0);
    EXPECT_FALSE(port.waitReply());

    port.close();
    ASSERT_TRUE(replugged.replug(&error)) << error;
    EXPECT_TRUE(connection.connectToPort("COM2").connected);
    EXPECT_FALSE(port.deviceLost());
    ::unlink(linkPath.c_str());
}

TEST_F(SimulatedLine, HangUpAfterSomeFramesEndsTheReadCleanly)
{
    openCom1();
    controller.setFaults(only([](sim::FaultOptions& f) { f.hangUpAfterFrames = 10; }));
    const auto read = transfer.readAllParameters();
    EXPECT_GE(read.accepted, 9);
    EXPECT_LE(read.accepted, 10);
    EXPECT_TRUE(port.deviceLost());
    EXPECT_LE(controller.receivedFrames().size(), 11u);
}
