#include "DefaultImage.h"
#include "ParameterDecoder.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace dravinor::params {
namespace {

const DecodedParameter& row(const std::vector<DecodedParameter>& rows, int address)
{
    const auto it = std::find_if(rows.begin(), rows.end(), [address](const auto& r) { return r.address == address; });
    EXPECT_NE(it, rows.end()) << address;
    return *it;
}

ParameterBlock defaultBlock()
{
    ParameterBlock block;
    block.bytes() = testing::defaultImage;
    return block;
}

TEST(ParameterDecoder, WordsTakeOneRowAtTheirHighByte)
{
    const auto rows = decodeParameters(defaultBlock());
    ASSERT_EQ(rows.size(), 31u);
    int expected = 1;
    for (const auto& r : rows) {
        EXPECT_EQ(r.address, expected);
        expected = r.lastAddress + 1;
    }
    EXPECT_EQ(expected, 36);
    EXPECT_EQ(row(rows, 14).lastAddress, 15);
    EXPECT_EQ(row(rows, 14).raw, 1745u);
    EXPECT_EQ(row(rows, 16).raw, 83u);
}

TEST(ParameterDecoder, DefaultSetShowsAsThePages)
{
    const auto rows = decodeParameters(defaultBlock());
    struct Case {
        int address;
        const char* shown;
    };
    const Case cases[] = {
        {1, "0,38 V"},       {2, "1,40 V"},
        {3, "0 °C"},         {4, "100"},
        {12, "0,15 V"},      {13, "4 cylindry"},
        {14, "2200 RPM"},    {16, "83"},
        {18, "6000 RPM"},    {21, "0,15 s"},
        {22, "1800 RPM"},    {25, "1,45 V"},
        {26, "6 s"},         {28, "0,496 s"},
        {30, "00000000"},    {32, "00001111"},
        {33, "100 RPM"},     {34, "0-1 [V]  Rosnąca"},
        {35, "Fala Prostokątna"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(row(rows, c.address).shown, c.shown) << c.address;

    const auto& flagA = row(rows, 32).bits;
    EXPECT_NE(std::find(flagA.begin(), flagA.end(), "bit 0 TPS sensor type: TPS rosnący"), flagA.end());
    EXPECT_NE(std::find(flagA.begin(), flagA.end(), "controller mode: Ekonomiczna"), flagA.end());
    const auto& flagB = row(rows, 30).bits;
    EXPECT_NE(std::find(flagB.begin(), flagB.end(), "bit 0 Sport driving mode: Wyłączony"), flagB.end());
}

TEST(ParameterDecoder, RpmWordsUseKOfTheSameBlock)
{
    ParameterBlock block;
    block.setWord(6981, 14);
    block.setParameter(0, 13);
    EXPECT_EQ(row(decodeParameters(block), 14).shown, "2200 RPM");
    block.setParameter(2, 13);
    EXPECT_EQ(row(decodeParameters(block), 14).shown, "550 RPM");
    block.setParameter(9, 13);  // unknown type: start-up K 19200
    const auto rows = decodeParameters(block);
    EXPECT_EQ(row(rows, 14).shown, "2200 RPM");
    EXPECT_EQ(row(rows, 13).shown, "(no item 9)");
    EXPECT_EQ(row(rows, 18).shown, "0 RPM");  // zero period word
}

TEST(ParameterDecoder, OddBytes)
{
    ParameterBlock block = defaultBlock();
    block.setParameter(10, 21);                    // not a multiple of 3
    block.setParameter(0x04, 30);                  // B bit 2 ...
    block.setParameter(0x40, 32);                  // ... wins over A bit 6
    block.setParameter(132, 3);
    block.setParameter(6, 34);
    auto rows = decodeParameters(block);
    EXPECT_EQ(row(rows, 21).shown, "0,15 s");
    EXPECT_EQ(row(rows, 3).shown, "49 °C");
    EXPECT_EQ(row(rows, 34).shown, "(no item 6)");
    const auto& flagA = row(rows, 32).bits;
    EXPECT_NE(std::find(flagA.begin(), flagA.end(), "controller mode: Ekonomiczna+Max Otw."), flagA.end());

    block.setParameter(200, 21);
    rows = decodeParameters(block);
    EXPECT_EQ(row(rows, 21).shown, "(no item 66)");
}

}  // namespace
}  // namespace dravinor::params
