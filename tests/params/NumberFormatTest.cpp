#include "params/NumberFormat.h"

#include <gtest/gtest.h>

namespace dravinor::params {
namespace {

TEST(FormatFixed3, FewerDigitsWin)
{
    const struct {
        double value;
        int decimals;
        const char* text;
    } cases[] = {
        {12.333, 2, "12.30"},                                            // three significant digits leave one decimal
        {0.0196, 2, "0.02"},                                             // two decimals leave one significant digit
        {9.996, 2, "10.00"},                                             // the rounding carries into a new digit
        {-240.13, 0, "-240"}, {1234.5, 0, "1230"}, {-0.001, 2, "0.00"},  // no negative zero
    };
    for (const auto& c : cases)
        EXPECT_EQ(formatFixed3(c.value, c.decimals), c.text) << c.value;
    EXPECT_EQ(formatFixed3(12.333, 2, ","), "12,30");
}

}  // namespace
}  // namespace dravinor::params
