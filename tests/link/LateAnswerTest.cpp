#include "link/CommandFrame.h"
#include "link/SerialPort.h"

#include "FakeClock.h"
#include "ScriptedController.h"
#include "ScriptedDevice.h"
#include "ScriptedLine.h"

#include <gtest/gtest.h>

#include <vector>

using namespace dravinor;
using dravinor::testing::FakeClock;
using dravinor::testing::ScriptedController;
using dravinor::testing::ScriptedDevice;

namespace {

struct LateAnswerFixture : dravinor::testing::ScriptedLine {
    // The write path of one field edit: 's' then the RAM word, 15 ms apart.
    void writeParameter(std::uint8_t address, std::uint8_t value)
    {
        link::sendEepromWrite(port, address, value);
        link::waitAcknowledge(port, 's');
        clock.sleepMs(15);
        link::sendRamWordWrite(port, static_cast<std::uint8_t>(address + 36), static_cast<std::uint16_t>(value << 8));
        link::waitAcknowledge(port, 'R');
        clock.sleepMs(15);
    }

    // Reads 1..35 once; 0 stands for an address that was refused.
    std::vector<int> readAll()
    {
        std::vector<int> values(36, 0);
        for (int address = 1; address <= 35; ++address) {
            link::sendParameterRead(port, static_cast<std::uint8_t>(address));
            if (const auto value = link::collectParameterValue(port))
                values[static_cast<std::size_t>(address)] = *value;
        }
        return values;
    }

    int countAccepted(const std::vector<int>& values)
    {
        return static_cast<int>(std::count_if(values.begin() + 1, values.end(), [](int v) { return v != 0; }));
    }

    void expectEveryValueItsOwn(const std::vector<int>& values)
    {
        for (int address = 1; address <= 35; ++address) {
            const int value = values[static_cast<std::size_t>(address)];
            if (value != 0) {
                EXPECT_EQ(value, controller.values[static_cast<std::size_t>(address)]) << "address " << address;
            }
        }
    }
};

}  // namespace

TEST_F(LateAnswerFixture, StrayByteAfterEachAcknowledgeNeverShiftsAReadByOneAddress)
{
    controller.strayAfterAcknowledgeMs = 30;
    writeParameter(5, 105);
    const auto values = readAll();
    expectEveryValueItsOwn(values);
    EXPECT_GE(countAccepted(values), 33);
}

TEST_F(LateAnswerFixture, LateAnswerOfOneAddressIsNeverTakenForTheNextOne)
{
    // From just inside the reply window to well past it.
    for (std::uint32_t lateMs : {20u, 35u, 45u, 60u, 75u}) {
        SCOPED_TRACE(lateMs);
        controller.lateAnswers = {{2, lateMs}};
        const auto values = readAll();
        expectEveryValueItsOwn(values);
        EXPECT_GE(countAccepted(values), 34);
        EXPECT_NE(values[3], 0) << "the line recovers by the next address";
        clock.sleepMs(200);
        port.discardInput();
    }
}

TEST_F(LateAnswerFixture, CleanLineKeepsItsTiming)
{
    const auto before = clock.nowMs;
    const auto values = readAll();
    EXPECT_EQ(countAccepted(values), 35);
    // Six polls an address: the 4 bytes arrive from 7 ms on and one more
    // poll confirms them; no purge ever waits.
    EXPECT_EQ(clock.nowMs - before, 35u * 12u);
    EXPECT_EQ(device.discards, 0);
    EXPECT_FALSE(port.lineSuspect());
}

TEST_F(LateAnswerFixture, OnlyAFaultyAnswerCostsAQuietWindow)
{
    device.arriveAt(0, {'x'});
    EXPECT_FALSE(link::waitAcknowledge(port, 's'));
    EXPECT_TRUE(port.lineSuspect());
    const auto before = clock.nowMs;
    link::sendIdentify(port);
    EXPECT_EQ(clock.nowMs - before, 2u * link::SerialPort::pollsPerWait);
    EXPECT_FALSE(port.lineSuspect());
}
