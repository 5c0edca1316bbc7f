#include "NumberFormat.h"

#include <gtest/gtest.h>

namespace dravinor::params {
namespace {

TEST(FormatFixed3, FewerDigitsWin)
{
    struct Case {
        double value;
        int decimals;
        const char* text;
    };
    const Case cases[] = {
        {12.333, 2, "12.30"},  // three significant digits leave one decimal
        {0.0196, 2, "0.02"},   // two decimals leave one significant digit
        {5.0, 2, "5.00"},
        {0.0, 2, "0.00"},
        {9.996, 2, "10.00"},   // rounding carries into a new digit
        {519.08, 0, "519"},
        {-240.13, 0, "-240"},
        {94.99, 0, "95"},
        {1234.5, 0, "1230"},
        {-0.001, 2, "0.00"},   // no "-0.00"
        {-0.4, 0, "0"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(formatFixed3(c.value, c.decimals), c.text) << c.value << " / " << c.decimals;
}

TEST(FormatFixed3, UsesGivenSeparator)
{
    EXPECT_EQ(formatFixed3(12.333, 2, ","), "12,30");
    EXPECT_EQ(formatFixed3(519.08, 0, ","), "519");
}

TEST(FormatDecimalComma, PrintfWithComma)
{
    EXPECT_EQ(formatDecimalComma(0.38f, 2), "0,38");
    EXPECT_EQ(formatDecimalComma(0.496f, 3), "0,496");
    EXPECT_EQ(formatDecimalComma(0.0, 2), "0,00");
}

}  // namespace
}  // namespace dravinor::params
