#include "ControllerCore.h"

#include <gtest/gtest.h>

using namespace dravinor::sim;
using Bytes = std::vector<std::uint8_t>;

namespace {

Frame frame(std::uint8_t letter, std::uint8_t address = 0, std::uint8_t d1 = 0, std::uint8_t d2 = 0)
{
    return {letter, address, d1, d2, static_cast<std::uint8_t>(letter + address + d1 + d2), 0x3B};
}

std::uint16_t livePeriod(const Bytes& live)
{
    return static_cast<std::uint16_t>(live.at(6) << 8 | live.at(7));
}

}  // namespace

TEST(ControllerCoreMemory, WorkingCopiesStartFromTheEeprom)
{
    ControllerCore core(0x31, factoryEeprom());
    for (int p = 1; p <= 35; ++p)
        EXPECT_EQ(core.ram()[p + 36], factoryEeprom()[p]) << "parameter " << p;
    EXPECT_EQ(core.eeprom()[14] << 8 | core.eeprom()[15], 1745);
}

TEST(ControllerCoreMemory, EepromWriteStoresOnlyParameterAddresses)
{
    ControllerCore core(0x31, factoryEeprom());
    EXPECT_EQ(core.handle(frame('s', 1, 42), 0), Bytes{'s'});
    EXPECT_EQ(core.eeprom()[1], 42);
    EXPECT_EQ(core.ram()[37], factoryEeprom()[1]) << "RAM waits for the tool's refresh";

    for (std::uint8_t address : {0, 36, 63, 200}) {
        EXPECT_EQ(core.handle(frame('s', address, 99), 0), Bytes{'s'}) << "answered all the same";
        if (address < 64) {
            EXPECT_EQ(core.eeprom()[address], factoryEeprom()[address]);
        }
    }
}

TEST(ControllerCoreMemory, RamWordWriteStoresHighThenLow)
{
    ControllerCore core(0x31, factoryEeprom());
    EXPECT_EQ(core.handle(frame('R', 37, 0x13, 0x1C), 0), Bytes{'R'});
    EXPECT_EQ(core.ram()[37], 0x13);
    EXPECT_EQ(core.ram()[38], 0x1C);
    // The low byte of a word at the last address falls off the end.
    EXPECT_EQ(core.handle(frame('R', 127, 0xAA, 0xBB), 0), Bytes{'R'});
    EXPECT_EQ(core.ram()[127], 0xAA);
}

TEST(ControllerCoreReplies, ParameterReadCarriesValueAndSum)
{
    ControllerCore core(0x31, factoryEeprom());
    EXPECT_EQ(core.handle(frame('l', 1), 0), (Bytes{0x44, 0x13, 0x57, 0x3B}));
    EXPECT_EQ(core.handle(frame('l', 13), 0), (Bytes{0x44, 0x02, 0x46, 0x3B}));
    EXPECT_EQ(core.handle(frame('l', 200), 0), (Bytes{0x44, 0x00, 0x44, 0x3B}));
}

TEST(ControllerCoreReplies, IdentityAndUnknownLetters)
{
    ControllerCore core(0x35, factoryEeprom());
    EXPECT_EQ(core.handle(frame('I'), 0), Bytes{0x35});
    EXPECT_TRUE(core.handle(frame('Z'), 0).empty());
}

TEST(ControllerCoreReplies, RamByteWriteAnswersWithItsLetter)
{
    ControllerCore core(0x31, factoryEeprom());
    EXPECT_EQ(core.handle(frame('r', 10, 7), 0), Bytes{'r'});
    EXPECT_EQ(core.ram()[10], 7);
}

TEST(ControllerCoreLive, FrameLayoutAtIdleOnPetrol)
{
    ControllerCore core(0x31, factoryEeprom());
    const Bytes live = core.handle(frame('V'), 5.0);
    ASSERT_EQ(live.size(), 10u);
    EXPECT_EQ(live[1], 26) << "closed throttle, about 0.5 V";
    EXPECT_EQ(live[3], 0);
    EXPECT_EQ(live[4], 85) << "stepper at its start position below the TPS threshold";
    EXPECT_EQ(live[5], 0) << "manual petrol, engine turning";
    EXPECT_EQ(live[8], 0);
    EXPECT_EQ(live[9], 0);
}

TEST(ControllerCoreLive, PeriodFollowsTheIgnitionTypeOfTheWorkingCopy)
{
    const double kByItem[] = {19200, 9600, 4800, 4000, 3200, 2400};
    for (std::uint8_t item = 0; item < 6; ++item) {
        ControllerCore core(0x31, factoryEeprom());
        core.handle(frame('R', 13 + 36, item, factoryEeprom()[14]), 0);
        const double expected = 800.0 * kByItem[item] / EngineModel::kIdleRpm;
        EXPECT_NEAR(livePeriod(core.handle(frame('V'), 10.0)), expected, expected * 0.005) << "item " << int(item);
    }
}

TEST(ControllerCoreLive, FuelModeRequestShowsInTheStatusByte)
{
    ControllerCore core(0x31, factoryEeprom());
    core.handle(frame('r', 125, 254), 1.0);
    EXPECT_EQ(core.ram()[125], 254);
    EXPECT_EQ(core.handle(frame('V'), 1.1)[5], kStatusAutomatic);
    core.handle(frame('r', 125, 255), 1.2);
    EXPECT_EQ(core.handle(frame('V'), 1.3)[5], kStatusAutomatic | kStatusOnGas);
    core.handle(frame('r', 125, 2), 1.4);
    EXPECT_EQ(core.handle(frame('V'), 1.5)[5], 0);
}

TEST(ControllerCoreLive, StoppedEngineReportsNoSpeed)
{
    ControllerCore core(0x31, factoryEeprom());
    core.engineAt(1.0).setRunning(false);
    const Bytes live = core.handle(frame('V'), 2.0);
    EXPECT_EQ(live[5] & kStatusNoSpeed, kStatusNoSpeed);
    EXPECT_EQ(livePeriod(live), 0xFFFF);
}
