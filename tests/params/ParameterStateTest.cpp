#include "DefaultImage.h"
#include "FieldDisplay.h"
#include "ParameterState.h"

#include <gtest/gtest.h>

#include <array>

namespace dravinor::params {
namespace {

using testing::defaultImage;

TEST(ParameterState, StartsWithStartUpValues)
{
    const ParameterState state;
    EXPECT_EQ(state.ignitionConstant(), 19200.0f);
    EXPECT_TRUE(state.temperatureSensorMemory());
    EXPECT_EQ(state.block().bytes(), (std::array<std::uint8_t, 64>{}));
}

TEST(DefaultSet, GivesTheKnownImageWhateverKWas)
{
    for (int item = 0; item < 6; ++item) {
        ParameterState state;
        state.setIgnitionConstant(item);
        state.loadDefaults();
        EXPECT_EQ(state.block().bytes(), defaultImage) << "K item before " << item;
        EXPECT_EQ(state.ignitionConstant(), 4800.0f);
        EXPECT_EQ(state.ignitionItem(), 2);
        EXPECT_EQ(state.block().word(14), 0x06D1);
        EXPECT_EQ(state.block().word(16), 83);
    }
}

TEST(DefaultSet, SetsCopiesAndSectors)
{
    ParameterState state;
    state.loadDefaults();
    EXPECT_EQ(state.flagByteA(), 0x0F);
    EXPECT_EQ(state.flagByteB(), 0x00);
    EXPECT_EQ(state.tpsSectorTop(), 114);
    EXPECT_EQ(state.tpsSectorWidth(), 12);
}

TEST(DefaultSet, LeavesMeaninglessBytesAndControllerBits)
{
    ParameterState state;
    state.block().bytes().fill(0xAA);
    state.setFlagByteA(0xFF);
    state.setFlagByteB(0xFF);
    state.setTemperatureSensorMemory(false);
    state.loadDefaults();

    const auto& bytes = state.block().bytes();
    EXPECT_EQ(bytes[0], 0xAA);
    for (std::size_t i = 36; i < bytes.size(); ++i)
        EXPECT_EQ(bytes[i], 0xAA) << i;
    EXPECT_EQ(state.block().get(32), 0x07);  // bits 3-7 cleared: memory off
    EXPECT_EQ(state.block().get(30), 0xF8);  // bits 3-7 kept from the copy
    EXPECT_EQ(state.flagByteB(), 0xF8);
}

TEST(RefreshDerived, KFollowsParameter13BeforeDecoding)
{
    ParameterState state;
    state.block().setWord(6981, 14);

    state.block().setParameter(0, 13);
    state.refreshDerived();
    EXPECT_EQ(shownSwitchOverRpm(state.block().word(14), state.ignitionConstant()), 2200);

    state.block().setParameter(2, 13);
    state.refreshDerived();
    EXPECT_EQ(state.ignitionItem(), 2);
    EXPECT_EQ(shownSwitchOverRpm(state.block().word(14), state.ignitionConstant()), 550);

    state.block().setParameter(7, 13);  // not an ignition type: K stays
    state.refreshDerived();
    EXPECT_EQ(state.ignitionConstant(), 4800.0f);
    EXPECT_EQ(state.ignitionItem(), 2);
}

TEST(RefreshDerived, CopiesFlagsThresholdsAndColours)
{
    ParameterState state;
    auto& b = state.block();
    b.setParameter(0x5A, 30);
    b.setParameter(0xA5, 32);
    b.setParameter(0, 1);
    b.setParameter(28, 2);
    b.setParameter(3, 12);
    state.refreshDerived();

    EXPECT_EQ(state.flagByteB(), 0x5A);
    EXPECT_EQ(state.flagByteA(), 0xA5);
    EXPECT_EQ(state.lambdaThreshold(), 0);
    EXPECT_EQ(state.lambdaThresholdNonZero(), 1);
    EXPECT_EQ(state.tpsSectorTop(), 114);
    EXPECT_EQ(state.tpsSectorWidth(), 12);
    EXPECT_EQ(state.tpsColours().lower, colourGreen);  // 0xA5 has bit 0: rising TPS

    b.setParameter(19, 1);
    b.setParameter(0xA4, 32);
    state.refreshDerived();
    EXPECT_EQ(state.lambdaThreshold(), 19);
    EXPECT_EQ(state.lambdaThresholdNonZero(), 19);
    EXPECT_EQ(state.tpsColours().lower, colourRed);
    EXPECT_EQ(state.tpsColours().upper, colourGreen);
}

}  // namespace
}  // namespace dravinor::params
