#include "fields/FieldEncoding.h"
#include "params/Conversions.h"
#include "params/ParameterBlock.h"
#include "params/ParameterTable.h"

#include <gtest/gtest.h>

using namespace dravinor;
using namespace dravinor::fields;

namespace {

const TextField& field(const char* name)
{
    const TextField* found = findTextField(name);
    EXPECT_NE(found, nullptr) << name;
    return *found;
}

constexpr float k4800 = 4800.0f;

}  // namespace

TEST(FieldEncoding, ValuesAreStoredAndShownAsTheFieldsDo)
{
    struct Case {
        const char* field;
        double typed;
        int stored;
        const char* shown;
    } cases[] = {
        {"PRLambda", 9, 245, "4,90"},    {"PRLambda", 0.05, 5, "0,10"},   {"PCTps", 1.23, 25, "1,25"},
        {"TPWStopniach", 50, 132, "49"}, {"TPWStopniach", 99, 152, "92"}, {"CLambda", 509, 254, "508"},
        {"CLambda", 7, 3, "6"},          {"BTps", 0.7, 10, "0,50"},       {"ESLambda_1", 0.496, 31, "0,496"},
        {"DObrotow", 250, 2, "200"},     {"DOAttuatora", 60, 50, "50"},   {"PAttuatoraPow", 0, 1, "1"},
        {"RPMSignal", 1, 2, "2"},
    };
    for (const Case& c : cases) {
        const FieldValue value = encodeFieldValue(field(c.field), c.typed, k4800);
        EXPECT_EQ(value.byte, c.stored) << c.field << " " << c.typed;
        EXPECT_EQ(value.shown, c.shown) << c.field << " " << c.typed;
    }
}

TEST(FieldEncoding, RpmFieldsStoreThePeriodOfTheirStep)
{
    const FieldValue switchOver = encodeFieldValue(field("ODPBenzynaGas"), 2250, k4800);
    EXPECT_EQ(switchOver.shown, "2200");
    EXPECT_EQ(switchOver.word, params::rpmToPeriod(2200, k4800));
    EXPECT_EQ(switchOver.value, 22);
    const FieldValue maxRpm = encodeFieldValue(field("MONGaz"), 9999, k4800);
    EXPECT_EQ(maxRpm.shown, "9000");
    EXPECT_EQ(maxRpm.value, 18);
    EXPECT_TRUE(isWordField(field("OSDCutOff")));
    EXPECT_FALSE(isWordField(field("DObrotow")));

    params::ParameterBlock block;
    block.setWord(params::Address(14), switchOver.word);
    EXPECT_EQ(shownFieldText(field("ODPBenzynaGas"), block, k4800), "2200");
}

TEST(FieldEncoding, NumbersTakeACommaOrAPointWhereTheFieldHasDecimals)
{
    const TextField& lambda = field("PRLambda");
    EXPECT_EQ(parseFieldNumber(lambda, "0,5"), 0.5);
    EXPECT_EQ(parseFieldNumber(lambda, "0.5"), 0.5);
    EXPECT_EQ(parseFieldNumber(lambda, ",5"), 0.5);
    EXPECT_EQ(parseFieldNumber(lambda, "1,"), 1.0);
    for (const char* bad : {"", ",", "1,,2", "1.2.3", "-1", "0,5V", "1e3"})
        EXPECT_FALSE(parseFieldNumber(lambda, bad)) << bad;
    const TextField& rpm = field("ODPBenzynaGas");
    EXPECT_EQ(parseFieldNumber(rpm, "2300"), 2300.0);
    EXPECT_FALSE(parseFieldNumber(rpm, "2300,5")) << "whole-number fields take no decimals";
}

TEST(FieldEncoding, LimitsAreThoseTheEncodersClampTo)
{
    for (const TextField& f : textFields()) {
        const FieldLimits limits = fieldLimits(f);
        ASSERT_LT(limits.low, limits.high) << f.name;
        // Inside the limits nothing is clamped; beyond them the value sticks.
        const FieldValue top = encodeFieldValue(f, limits.high, k4800);
        EXPECT_EQ(encodeFieldValue(f, limits.high * 10 + 100, k4800).shown, top.shown) << f.name;
        const FieldValue bottom = encodeFieldValue(f, limits.low, k4800);
        EXPECT_EQ(encodeFieldValue(f, 0, k4800).shown, bottom.shown) << f.name;
    }
}

// The catalogue gives each free-text field its address, the parameter table
// each address its field: a field writing an address the table gives to
// another would write one parameter and show another.
TEST(FieldEncoding, EachFieldWritesTheAddressTheParameterTableGivesIt)
{
    for (const TextField& field : textFields()) {
        const params::ParameterRow* row = params::parameterAt(field.address);
        ASSERT_NE(row, nullptr) << field.name;
        EXPECT_EQ(row->address, field.address) << field.name << " names a word's low byte";
        EXPECT_EQ(row->field, field.name);
        EXPECT_EQ(row->width == 2, isWordField(field)) << field.name;
    }
}
