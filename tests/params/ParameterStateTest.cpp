#include "params/ParameterState.h"
#include "DefaultImage.h"
#include "params/FieldDisplay.h"
#include "params/FlagBits.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace dravinor::params {
namespace {

TEST(DefaultSet, GivesTheKnownImageWhateverKWas)
{
    for (int item = 0; item < 6; ++item) {
        ParameterState state;
        state.setIgnitionConstant(item);
        state.loadDefaults();
        EXPECT_EQ(state.block().bytes(), testing::defaultImage) << "K item before " << item;
        EXPECT_EQ(state.ignitionConstant(), 4800.0f);
        EXPECT_EQ(state.flagByteA(), 0x0F);
        EXPECT_EQ(state.tpsSectorTop(), 114);
        EXPECT_EQ(state.tpsSectorWidth(), 12);
    }
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
    EXPECT_TRUE(std::all_of(bytes.begin() + 36, bytes.end(), [](auto b) { return b == 0xAA; }));
    EXPECT_EQ(bytes[32], 0x07);  // temperature sensor off, bits 4-7 cleared
    EXPECT_EQ(bytes[30], 0xF8);  // the controller's bits 3-7 kept from the copy
}

TEST(RefreshDerived, KFollowsParameter13BeforeDecoding)
{
    ParameterState state;
    EXPECT_EQ(state.ignitionConstant(), 19200.0f);
    state.block().setWord(Address(14), 6981);
    state.block().setParameter(Address(13), 2);
    state.refreshDerived();
    EXPECT_EQ(shownSwitchOverRpm(state.block().word(14), state.ignitionConstant()), 550);

    state.block().setParameter(Address(13), 7);  // not an ignition type: K stays
    state.refreshDerived();
    EXPECT_EQ(state.ignitionConstant(), 4800.0f);
    EXPECT_EQ(state.ignitionItem(), 2);
}

TEST(RefreshDerived, CopiesFlagsThresholdsAndColours)
{
    ParameterState state;
    auto& b = state.block();
    b.setParameter(Address(30), 0x5A);
    b.setParameter(Address(32), 0xA5);
    b.setParameter(Address(2), 28);
    state.refreshDerived();
    EXPECT_EQ(state.flagByteB(), 0x5A);
    EXPECT_EQ(state.flagByteA(), 0xA5);
    EXPECT_EQ(state.lambdaThreshold(), 0);
    EXPECT_EQ(state.lambdaThresholdNonZero(), 1);
    EXPECT_EQ(state.tpsSectorTop(), 114);
    EXPECT_EQ(state.tpsColours().lower, colourGreen);  // bit 0 set: rising TPS

    b.setParameter(Address(1), 19);
    b.setParameter(Address(32), 0xA4);
    state.refreshDerived();
    EXPECT_EQ(state.lambdaThresholdNonZero(), 19);
    EXPECT_EQ(state.tpsColours().lower, colourRed);
    EXPECT_EQ(state.tpsColours().upper, colourGreen);
}

// A write from anywhere (a page, the wizard, dravinor-cli, an undo) stores
// its byte in the block; what the live view and the adaptation read from it
// must not wait for a refresh someone may forget.
TEST(DerivedValues, FollowTheBlockWithoutARefresh)
{
    ParameterState state;
    state.loadDefaults();
    EXPECT_EQ(state.lambdaThreshold(), 19) << "the default set's 0,38 V";
    EXPECT_EQ(state.tpsColours().lower, colourGreen) << "the default set's rising TPS";

    auto& b = state.block();
    b.setParameter(Address(1), 0);
    b.setParameter(Address(2), 50);
    b.setParameter(Address(12), 5);
    EXPECT_EQ(state.lambdaThreshold(), 0);
    EXPECT_EQ(state.lambdaThresholdNonZero(), 1);
    EXPECT_EQ(state.tpsSectorTop(), 204);
    EXPECT_EQ(state.tpsSectorWidth(), 20);

    state.setFlagByteA(static_cast<std::uint8_t>(state.flagByteA() & ~flagA::tpsRising));
    EXPECT_EQ(state.tpsColours().lower, colourRed);
    EXPECT_EQ(state.tpsColours().upper, colourGreen);
}

TEST(DerivedValues, AParameterFileBringsItsFlagCopiesAndK)
{
    ParameterState state;
    state.loadDefaults();
    auto& b = state.block();
    b.setParameter(Address(30), 0x5A);
    b.setParameter(Address(32), 0xA4);
    b.setParameter(Address(13), 0);
    state.noteFileLoaded(ParameterBlock::size);
    EXPECT_EQ(state.flagByteB(), 0x5A);
    EXPECT_EQ(state.flagByteA(), 0xA4);
    EXPECT_EQ(state.ignitionConstant(), 19200.0f);
    EXPECT_EQ(state.tpsColours().lower, colourRed);
}

// A refused write leaves the block ahead of the copy; only a whole new block
// (a read, a file) brings the copy to it, never a single write.
TEST(DerivedValues, AFlagCopyKeepsItsOwnValueUntilAWholeBlockIsShown)
{
    ParameterState state;
    state.loadDefaults();
    const std::uint8_t copy = state.flagByteA();
    state.block().setParameter(Address(32), static_cast<std::uint8_t>(copy | flagA::dynamicMode));
    EXPECT_EQ(state.flagByteA(), copy);
    state.refreshDerived();
    EXPECT_EQ(state.flagByteA(), copy | flagA::dynamicMode);
}

}  // namespace
}  // namespace dravinor::params
