#include "SimulatedLine.h"

#include "link/CommandFrame.h"

#include <algorithm>
#include <string>

using namespace dravinor;
using dravinor::testing::PtyLine;
using dravinor::testing::SimulatedLine;

namespace {
std::array<std::uint8_t, 64> eepromWithPattern()
{
    std::array<std::uint8_t, 64> image{};
    for (int i = 1; i <= 35; ++i)
        image[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(i * 7 + 3);
    return image;
}
}  // namespace

TEST_F(PtyLine, IdentifyAndReadAllParameters)
{
    controller.setEeprom(eepromWithPattern());
    const auto outcome = connection.connectToPort("COM1");
    ASSERT_TRUE(outcome.connected);
    EXPECT_EQ(outcome.title.versionText, "[  wersja sterownika 3 ]");
    EXPECT_TRUE(lastRead.complete());
    EXPECT_EQ(lastRead.accepted, 35);
    const auto image = controller.eeprom();
    for (int address = 1; address <= 35; ++address)
        EXPECT_EQ(state.block().get(address), image[static_cast<std::size_t>(address)]) << address;
    // A reply window missed under load is read again: each address at least once.
    const std::string heard = heardLetters();
    EXPECT_EQ(heard.front(), 'I');
    EXPECT_GE(std::count(heard.begin(), heard.end(), 'l'), 35);
}

TEST_F(SimulatedLine, IdentifyThenReadsEachAddressOnceOnACleanLine)
{
    controller.setEeprom(eepromWithPattern());
    ASSERT_TRUE(connection.connectToPort("COM1").connected);
    EXPECT_EQ(lastRead.accepted, 35);
    EXPECT_EQ(heardLetters(), "I" + std::string(35, 'l') + "I");
}

// A raw line passes every byte as it is; the values a terminal would act on
// (the control characters, DEL, the eighth bit) are the ones a setting could
// still catch, so those go both ways over the real pty. Every value through
// the protocol's own code is the simulated line's test.
TEST_F(PtyLine, EveryByteValueATerminalActsOnPassesBothWays)
{
    openCom1();
    std::array<std::uint8_t, 64> controlBytes{};
    for (int address = 1; address <= 32; ++address)
        controlBytes[static_cast<std::size_t>(address)] = static_cast<std::uint8_t>(address - 1);
    controlBytes[33] = 0x7F;
    controlBytes[34] = 0x80;
    controlBytes[35] = 0xFF;
    std::array<std::uint8_t, 64> highBytes{};
    for (int address = 1; address <= 35; ++address)
        highBytes[static_cast<std::size_t>(address)] = static_cast<std::uint8_t>(0x80 + address * 3);
    for (const auto& image : {controlBytes, highBytes}) {
        controller.setEeprom(image);
        ASSERT_TRUE(transfer.readAllParameters().complete());
        for (int address = 1; address <= 35; ++address)
            ASSERT_EQ(state.block().get(address), image[static_cast<std::size_t>(address)]) << address;
    }
    for (int value : {0x00, 0x03, 0x04, 0x0A, 0x0D, 0x11, 0x13, 0x1A, 0x1C, 0x7F, 0x80, 0xFF}) {
        ASSERT_TRUE(transfer.writeParameter(params::Address(4), static_cast<std::uint8_t>(value)).eepromAcknowledged);
        EXPECT_EQ(controller.eeprom()[4], value);
    }
}

TEST_F(SimulatedLine, EveryByteValuePassesBothWays)
{
    openCom1();
    for (int value = 0; value < 256; value += 35) {
        // Through reads (controller to tool) and writes (back).
        std::array<std::uint8_t, 64> image{};
        for (int address = 1; address <= 35; ++address)
            image[static_cast<std::size_t>(address)] = static_cast<std::uint8_t>((value + address) & 0xFF);
        controller.setEeprom(image);
        const auto read = transfer.readAllParameters();
        ASSERT_TRUE(read.complete()) << "from " << value;
        for (int address = 1; address <= 35; ++address)
            ASSERT_EQ(state.block().get(address), image[static_cast<std::size_t>(address)]);
    }
    for (int value = 0; value < 256; ++value) {
        ASSERT_TRUE(transfer.writeParameter(params::Address(4), static_cast<std::uint8_t>(value)).eepromAcknowledged);
        ASSERT_EQ(controller.eeprom()[4], value);
    }
}

TEST_F(PtyLine, SingleWriteRefreshesTheRamWordOfItsAddress)
{
    openCom1();
    ASSERT_TRUE(transfer.readAllParameters().complete());
    controller.clearReceivedFrames();
    const auto outcome = transfer.writeParameter(params::Address(14), 99);
    EXPECT_FALSE(outcome.failed());
    const auto frames = heardFrames();
    ASSERT_EQ(frames.size(), 2u);
    EXPECT_EQ(frames[0], link::buildFrame('s', 14, 99, 0));
    EXPECT_EQ(frames[1], link::buildFrame('R', 50, 99, state.block().get(15)));
    EXPECT_EQ(controller.eeprom()[14], 99);
    EXPECT_EQ(controller.ram()[50], 99);
    EXPECT_EQ(controller.ram()[51], state.block().get(15));
}

TEST_F(SimulatedLine, WriteAnsweredOnlyAtTheThirdWaitSucceeds)
{
    openCom1();
    sim::FaultOptions faults;
    faults.ignoreFirstWrites = 2;
    controller.setFaults(faults);
    const auto outcome = transfer.writeParameter(params::Address(7), 42);
    EXPECT_TRUE(outcome.eepromAcknowledged);
    EXPECT_TRUE(outcome.ramAcknowledged);
    EXPECT_EQ(heardLetters(), "sssR");
    EXPECT_EQ(controller.eeprom()[7], 42);
}

TEST_F(SimulatedLine, UnansweredWriteSendsFiveFramesAndReportsBothHalves)
{
    openCom1();
    controller.setSilent(true);
    const auto outcome = transfer.writeParameter(params::Address(7), 42);
    EXPECT_FALSE(outcome.eepromAcknowledged);
    EXPECT_FALSE(outcome.ramAcknowledged);
    EXPECT_EQ(heardLetters(), "sssssRRRRR");
    EXPECT_EQ(state.block().get(7), 42);  // the block keeps the new value
}

TEST_F(SimulatedLine, BulkWriteAndResetReachTheController)
{
    openCom1();
    state.block().bytes() = eepromWithPattern();
    EXPECT_EQ(transfer.writeAll().unacknowledged, 0);
    EXPECT_EQ(heardLetters(), std::string(35, 's') + std::string(32, 'R'));
    const auto image = controller.eeprom();
    for (int address = 1; address <= 35; ++address)
        EXPECT_EQ(image[static_cast<std::size_t>(address)], state.block().get(address));
    EXPECT_EQ(controller.ram()[37 + 31], state.block().get(32));
    EXPECT_EQ(controller.ram()[37 + 32], state.block().get(33));

    controller.clearReceivedFrames();
    EXPECT_EQ(transfer.resetParameters().unacknowledged, 0);
    EXPECT_EQ(controller.receivedFrames().size(), 2u * 67u);
    params::ParameterState defaults;
    defaults.loadDefaults();
    for (int address = 1; address <= 35; ++address)
        EXPECT_EQ(controller.eeprom()[static_cast<std::size_t>(address)], defaults.block().get(address)) << address;
}

TEST_F(SimulatedLine, BulkWritesWithoutControllerReportNothingButCountMisses)
{
    openCom1();
    controller.setSilent(true);
    EXPECT_EQ(transfer.writeAll().unacknowledged, 67);
    EXPECT_EQ(controller.receivedFrames().size(), 67u);
}

TEST_F(SimulatedLine, LastAddressRefreshesRamSeventyOneAndEepromOnlyWritesSkipRam)
{
    openCom1();
    state.block().setParameter(params::Address(36), 0xAB);  // beyond the parameters, yet the low byte of 35's word
    EXPECT_FALSE(transfer.writeParameter(params::Address(35), 2).failed());
    EXPECT_EQ(heardFrames().back(), link::buildFrame('R', 71, 2, 0xAB));

    controller.clearReceivedFrames();
    const auto outcome = transfer.writeParameterEeprom(params::Address(34), 1);
    EXPECT_TRUE(outcome.eepromAcknowledged);
    EXPECT_FALSE(outcome.ramWritten);
    EXPECT_EQ(heardLetters(), "s");
}

TEST_F(SimulatedLine, AdaptationResetKeepsTheTemperatureSensorSettingOnce)
{
    openCom1();
    state.loadDefaults();
    state.setFlagByteA(state.flagByteA() & ~0x08);  // sensor off
    transfer.resetParametersForAdaptation();
    EXPECT_EQ(controller.eeprom()[32] & 0x08, 0);
    transfer.resetParameters();
    EXPECT_EQ(controller.eeprom()[32] & 0x08, 0x08);
}
