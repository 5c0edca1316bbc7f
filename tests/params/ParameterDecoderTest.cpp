#include "params/ParameterDecoder.h"
#include "DefaultImage.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

namespace dravinor::params {
namespace {

std::map<int, DecodedParameter> decodeByAddress(const ParameterBlock& block)
{
    std::map<int, DecodedParameter> rows;
    for (auto& row : decodeParameters(block))
        rows[row.address] = row;
    return rows;
}

bool hasLine(const std::vector<std::string>& lines, const std::string& line)
{
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

TEST(ParameterDecoder, DefaultSetShowsAsThePages)
{
    ParameterBlock block;
    block.bytes() = testing::defaultImage;
    auto rows = decodeByAddress(block);

    ASSERT_EQ(rows.size(), 31u);  // four words take one row each
    EXPECT_EQ(rows[14].lastAddress, 15);
    EXPECT_EQ(rows[14].raw, 1745u);
    const struct {
        int address;
        const char* shown;
    } cases[] = {
        {1, "0,38 V"},
        {3, "0 °C"},
        {13, "4 cylindry"},
        {14, "2200 RPM"},
        {16, "83"},
        {18, "6000 RPM"},
        {21, "0,15 s"},
        {22, "1800 RPM"},
        {26, "6 s"},
        {29, "0,496 s"},
        {32, "00001111"},
        {33, "100 RPM"},
        {34, "0-1 [V]  Rosnąca"},
        {35, "Fala Prostokątna"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(rows[c.address].shown, c.shown) << c.address;
    EXPECT_TRUE(hasLine(rows[32].bits, "bit 0 TPS sensor type: TPS rosnący"));
    EXPECT_TRUE(hasLine(rows[30].bits, "bit 0 Sport driving mode: Wyłączony"));
}

TEST(ParameterDecoder, RpmWordsUseKOfTheSameBlock)
{
    ParameterBlock block;
    block.setWord(Address(14), 6981);
    EXPECT_EQ(decodeByAddress(block)[14].shown, "2200 RPM");
    block.setParameter(Address(13), 2);
    EXPECT_EQ(decodeByAddress(block)[14].shown, "550 RPM");
    block.setParameter(Address(13), 9);  // unknown type: the start-up K
    auto rows = decodeByAddress(block);
    EXPECT_EQ(rows[14].shown, "2200 RPM");
    EXPECT_EQ(rows[13].shown, "(no item 9)");
    EXPECT_EQ(rows[18].shown, "0 RPM");  // zero period word
}

TEST(ParameterDecoder, OddBytes)
{
    ParameterBlock block;
    block.setParameter(Address(21), 10);
    block.setParameter(Address(30), 0x04);
    block.setParameter(Address(32), 0x40);
    block.setParameter(Address(3), 132);
    auto rows = decodeByAddress(block);
    EXPECT_EQ(rows[21].shown, "0,15 s");
    EXPECT_EQ(rows[3].shown, "49 °C");
    EXPECT_TRUE(hasLine(rows[32].bits, "controller mode: Ekonomiczna+Max Otw."));
    block.setParameter(Address(21), 200);
    EXPECT_EQ(decodeByAddress(block)[21].shown, "(no item 66)");
}

}  // namespace
}  // namespace dravinor::params

namespace dravinor::params {
namespace {

// An unread address must never be listed as if the block's stale byte were
// the controller's: its row, a word half of it, and the RPM rows decoded with
// an unread ignition type are marked.
TEST(ParameterDecoder, UnreadAddressesMarkTheirRowsAndWhatDependsOnThem)
{
    ParameterBlock block;
    block.bytes() = testing::defaultImage;
    AddressSet unread;
    unread.set(15);
    unread.set(26);
    unread.set(13);
    unread.set(30);
    std::map<int, DecodedParameter> rows;
    for (auto& row : decodeParameters(block, unread))
        rows[row.address] = row;
    for (int address : {13, 14, 26, 30})
        EXPECT_TRUE(rows[address].unread) << address;
    for (int address : {1, 16, 18, 22, 32})
        EXPECT_FALSE(rows[address].unread) << address;
    EXPECT_TRUE(rows[18].ignitionUnread);
    EXPECT_TRUE(rows[22].ignitionUnread);
    EXPECT_FALSE(rows[16].ignitionUnread) << "the hysteresis is a plain period";
    EXPECT_EQ(rows[32].bits.back(), "controller mode: ? (no answer for flag byte B)");
}

}  // namespace
}  // namespace dravinor::params
