#include "fields/UnreadValues.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>

namespace dravinor::fields {
namespace {

params::AddressSet addresses(std::initializer_list<int> list)
{
    params::AddressSet set;
    for (int address : list)
        set.set(static_cast<std::size_t>(address));
    return set;
}

std::set<std::string> names(const std::vector<PageValue>& values)
{
    std::set<std::string> result;
    for (const PageValue& value : values)
        result.insert(value.name.empty() ? "hidden " + std::to_string(value.hidden) : value.name);
    return result;
}

TEST(UnreadValues, FieldsRestOnEveryAddressTheirValueIsShownFrom)
{
    EXPECT_EQ(addressesShownBy("PCTps"), (std::vector<int>{2}));
    EXPECT_EQ(addressesShownBy("ODPBenzynaGas"), (std::vector<int>{14, 15, 13}));
    EXPECT_EQ(addressesShownBy("DObrotow"), (std::vector<int>{33}));
    EXPECT_EQ(addressesShownBy("WCutOff"), (std::vector<int>{32}));
    EXPECT_EQ(addressesShownBy("TJazdy"), (std::vector<int>{30}));
    EXPECT_EQ(addressesShownBy("TPSterownika"), (std::vector<int>{30, 32}));
    EXPECT_TRUE(addressesShownBy("MOAttuatora").empty());
    EXPECT_TRUE(addressesShownBy("NoSuchField").empty());
}

// A word with one unread half, or RPM decoded with an unread ignition type,
// is as unknown as a byte that was never read.
TEST(UnreadValues, HalfAWordOrTheIgnitionTypeMakesAnRpmFieldUnread)
{
    EXPECT_TRUE(shownValueUnread("ODPBenzynaGas", addresses({15})));
    EXPECT_TRUE(shownValueUnread("MONGaz", addresses({13})));
    EXPECT_FALSE(shownValueUnread("DObrotow", addresses({13})));
    EXPECT_FALSE(shownValueUnread("PCTps", {}));

    params::ParameterBlock block;
    EXPECT_EQ(names(unreadValues(block, addresses({13}))),
              (std::set<std::string>{"RUZaplonowego", "ODPBenzynaGas", "MONGaz", "OSDCutOff"}));
}

// One unread flag byte leaves every field of its bits unknown, the controller
// mode (which takes a bit of each byte) and the stored bits no field shows.
TEST(UnreadValues, UnreadFlagByteTakesEveryFieldOfItsBits)
{
    params::ParameterBlock block;
    EXPECT_EQ(names(unreadValues(block, addresses({30}))),
              (std::set<std::string>{"TJazdy", "DOAttuatoraCheck", "TPSterownika", "hidden 4"}));
    const auto a = names(unreadValues(block, addresses({32})));
    for (const char* name :
         {"TCTps", "RObrotow", "WCTemperatury", "WCutOff", "WMObroty", "TSRezerwy", "TPSterownika", "hidden 3"})
        EXPECT_TRUE(a.count(name)) << name;
    EXPECT_FALSE(a.count("RSLambda")) << "the probe type is its own byte";
}

TEST(UnreadValues, StoredValuesNoFieldShowsAreNamedToo)
{
    params::ParameterBlock block;
    const auto values = unreadValues(block, addresses({16, 27}));
    ASSERT_EQ(values.size(), 2u);
    EXPECT_EQ(values[0].hidden, 1);
    EXPECT_EQ(values[1].hidden, 2);
    EXPECT_TRUE(unreadValues(block, {}).empty());
}

}  // namespace
}  // namespace dravinor::fields
