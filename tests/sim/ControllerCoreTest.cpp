#include "ControllerCore.h"

#include <gtest/gtest.h>

#include <initializer_list>

using namespace dravinor::sim;
using Bytes = std::vector<std::uint8_t>;

namespace {

Frame frame(std::uint8_t letter, std::uint8_t address = 0, std::uint8_t d1 = 0, std::uint8_t d2 = 0)
{
    return {letter, address, d1, d2, static_cast<std::uint8_t>(letter + address + d1 + d2), 0x3B};
}

}  // namespace

TEST(ControllerCore, EepromWriteStoresOnlyParameterAddressesAndLeavesRam)
{
    ControllerCore core(0x31, factoryEeprom());
    for (int p = 1; p <= 35; ++p)
        ASSERT_EQ(core.ram()[p + 36], factoryEeprom()[p]) << "working copy of " << p;

    EXPECT_EQ(core.handle(frame('s', 1, 42), 0), Bytes{'s'});
    EXPECT_EQ(core.eeprom()[1], 42);
    EXPECT_EQ(core.ram()[37], factoryEeprom()[1]) << "RAM waits for the tool's refresh";
    for (const std::uint8_t address : std::initializer_list<std::uint8_t>{0, 36, 63}) {
        EXPECT_EQ(core.handle(frame('s', address, 99), 0), Bytes{'s'}) << "answered all the same";
        EXPECT_EQ(core.eeprom()[address], factoryEeprom()[address]);
    }
}

TEST(ControllerCore, RamWordAtTheLastAddressDoesNotOverrun)
{
    ControllerCore core(0x31, factoryEeprom());
    EXPECT_EQ(core.handle(frame('R', 127, 0xAA, 0xBB), 0), Bytes{'R'});
    EXPECT_EQ(core.ram()[127], 0xAA);
}

TEST(ControllerCore, ParameterReadCarriesValueAndSum)
{
    ControllerCore core(0x31, factoryEeprom());
    EXPECT_EQ(core.handle(frame('l', 1), 0), (Bytes{0x44, 0x13, 0x57, 0x3B}));
    EXPECT_EQ(core.handle(frame('l', 200), 0), (Bytes{0x44, 0x00, 0x44, 0x3B})) << "outside the image";
    EXPECT_TRUE(core.handle(frame('Z'), 0).empty());
}

TEST(ControllerCore, LivePeriodUsesTheIgnitionTypeOfTheWorkingCopy)
{
    const double kByItem[] = {19200, 9600, 4800, 4000, 3200, 2400};
    for (std::uint8_t item = 0; item < 6; ++item) {
        ControllerCore core(0x31, factoryEeprom());
        core.handle(frame('R', 13 + 36, item, factoryEeprom()[14]), 0);
        const Bytes live = core.handle(frame('V'), 10.0);
        const double expected = 800.0 * kByItem[item] / EngineModel::kIdleRpm;
        EXPECT_NEAR(live.at(6) << 8 | live.at(7), expected, expected * 0.005) << "item " << int(item);
    }
}

TEST(ControllerCore, LiveFrameOfAStoppedEngine)
{
    ControllerCore core(0x31, factoryEeprom());
    core.handle(frame('r', 125, 254), 0.5);
    core.engineAt(1.0).setRunning(false);
    const Bytes live = core.handle(frame('V'), 2.0);
    ASSERT_EQ(live.size(), 10u);
    EXPECT_EQ(live[1], 26) << "closed throttle, about 0.5 V";
    EXPECT_EQ(live[4], 85) << "stepper at its start position below the TPS threshold";
    EXPECT_EQ(live[5], kStatusAutomatic | kStatusNoSpeed);
    EXPECT_EQ(live[6], 0xFF);
    EXPECT_EQ(live[7], 0xFF);
}
