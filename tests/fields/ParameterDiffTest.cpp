#include "fields/ParameterDiff.h"
#include "params/Conversions.h"
#include "params/ParameterState.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace dravinor;
using namespace dravinor::fields;

namespace {

params::ParameterBlock defaults()
{
    params::ParameterState state;
    state.loadDefaults();
    return state.block();
}

const ParameterDifference* find(const std::vector<ParameterDifference>& differences, const std::string& name)
{
    const auto it = std::find_if(differences.begin(), differences.end(),
                                 [&](const ParameterDifference& d) { return d.first.name == name; });
    return it == differences.end() ? nullptr : &*it;
}

}  // namespace

TEST(ParameterDiff, EqualSetsHaveNoDifferenceWhateverTheMeaninglessBytes)
{
    auto a = defaults();
    auto b = a;
    EXPECT_TRUE(compareParameterSets(a, b).empty());
    b.setParameter(params::Address(0), 0x55);
    b.setParameter(params::Address(63), 0xAA);
    EXPECT_TRUE(compareParameterSets(a, b).empty()) << "bytes 0 and 36..63 are never sent";
}

TEST(ParameterDiff, ADifferenceCarriesTheCaptionAndBothValuesAsThePagesShowThem)
{
    const auto a = defaults();
    auto b = a;
    b.setParameter(params::Address(1), 25);
    b.setParameter(params::Address(2), 20);  // 2 + 1,40 V -> 1,00 V
    const auto differences = compareParameterSets(a, b);
    ASSERT_EQ(differences.size(), 2u);
    const auto& lambda = differences[0];
    EXPECT_EQ(lambda.first.name, "PRLambda");
    EXPECT_EQ(lambda.first.caption, "Próg sondy lambda");
    EXPECT_EQ(lambda.first.withUnit(), "0,38 V");
    EXPECT_EQ(lambda.second.withUnit(), "0,50 V");
    EXPECT_EQ(differences[1].first.caption, "Próg czujnika tps");
    EXPECT_EQ(differences[1].second.shown, "1,00");
}

TEST(ParameterDiff, EachSetDecodesItsRpmWordsWithItsOwnIgnitionType)
{
    const auto a = defaults();
    auto b = a;
    b.setParameter(params::Address(13), 0);  // one coil per cylinder: K 19200 instead of 4800
    const auto differences = compareParameterSets(a, b);
    const auto* ignition = find(differences, "RUZaplonowego");
    ASSERT_NE(ignition, nullptr);
    EXPECT_EQ(ignition->first.shown, "4 cylindry");
    EXPECT_EQ(ignition->second.shown, "Cewka na cylinder");
    // The same period bytes stand for another engine speed.
    const auto* switchOver = find(differences, "ODPBenzynaGas");
    ASSERT_NE(switchOver, nullptr);
    EXPECT_EQ(switchOver->first.shown, "2200");
    EXPECT_EQ(switchOver->second.shown, "8800");
    EXPECT_EQ(switchOver->first.stored, switchOver->second.stored);
}

TEST(ParameterDiff, StoredDifferencesCountEvenWhenThePagesShowTheSame)
{
    const auto a = defaults();
    auto b = a;
    b.setWord(params::Address(14), static_cast<std::uint16_t>(a.word(14) - 1));  // one period unit: still 2200 RPM
    b.setParameter(params::Address(30), a.get(30) | 0x80);                       // a bit of the controller's own
    const auto differences = compareParameterSets(a, b);
    ASSERT_EQ(differences.size(), 2u);
    EXPECT_EQ(differences[0].first.name, "ODPBenzynaGas");
    EXPECT_EQ(differences[0].first.shown, differences[0].second.shown);
    EXPECT_NE(differences[0].first.stored, differences[0].second.stored);
    EXPECT_TRUE(differences[1].first.name.empty());
    EXPECT_GT(differences[1].first.hidden, 0);
    EXPECT_EQ(differences[1].second.stored, "10000");
}

TEST(ParameterDiff, FlagBitsAreTheirFieldsAndSharedCaptionsNameTheirGroup)
{
    const auto a = defaults();
    auto b = a;
    b.setParameter(params::Address(32),
                   static_cast<std::uint8_t>(a.get(32) ^ 0x10 ^ 0x40));  // cut-off off, mode "Dynamiczna"
    b.setParameter(params::Address(6), 50);
    const auto differences = compareParameterSets(a, b);
    const auto* cutOff = find(differences, "WCutOff");
    ASSERT_NE(cutOff, nullptr);
    EXPECT_EQ(cutOff->first.caption, "Włącz Cut off");
    EXPECT_NE(cutOff->first.shown, cutOff->second.shown);
    const auto* mode = find(differences, "TPSterownika");
    ASSERT_NE(mode, nullptr);
    EXPECT_EQ(mode->second.shown, "Dynamiczna");
    const auto* range = find(differences, "ZPAttuatoraPow_1");
    ASSERT_NE(range, nullptr);
    EXPECT_EQ(range->first.caption, "Silnik powyzej TPS: Zakres pracy attuatora (1)");
    EXPECT_EQ(range->first.labelName, "ZPAttuatoraPowL");
    EXPECT_EQ(range->first.groupName, "GroupBox4");
    EXPECT_EQ(find(differences, "RSLambda"), nullptr);
}
