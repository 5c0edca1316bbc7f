// dravinor-cli set FIELD VALUE refuses a value outside the field's range
// (a slip of the decimal comma) unless --clamp asks for the page's clamping,
// and takes a list field by its item's text or number, writing it as the
// page writes that choice.

#include "CliFixture.h"

#include "fields/FieldEncoding.h"
#include "params/Conversions.h"
#include "params/Encoders.h"
#include "params/FlagBits.h"
#include "params/ParameterBlock.h"

#include <gtest/gtest.h>

using namespace dravinor;
using dravinor::testing::CliFixture;

namespace {

using Image = std::array<std::uint8_t, 64>;

}  // namespace

TEST_F(CliFixture, SetWritesAClampedTypo)
{
    const Image before = controller.eeprom();
    auto run = cli("set PRLambda 9");
    EXPECT_EQ(run.exitCode, 1) << run.err;
    EXPECT_NE(run.err.find("PRLambda 9 is out of its range 0,1..4,9 V; nothing written (--clamp takes the nearest "
                           "limit)"),
              std::string::npos)
        << run.err;
    EXPECT_TRUE(controller.receivedFrames().empty());
    for (const char* typo : {"set ODPBenzynaGas 230", "set PAttuatoraPow 300", "set BTps 0,9"}) {
        run = cli(typo);
        EXPECT_EQ(run.exitCode, 1) << typo << run.err;
    }
    EXPECT_EQ(controller.eeprom(), before);

    // Asked for, the page's clamping stays as it was.
    run = cli("set --clamp PRLambda 9");
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_NE(run.err.find("out of 0,1..4,9 V: clamped"), std::string::npos) << run.err;
    EXPECT_EQ(controller.eeprom()[1], 245);  // 4,90 V
}

TEST_F(CliFixture, SetRefusesAListFieldGivenByItsItemNumber)
{
    const Image before = controller.eeprom();
    auto run = cli("set RSLambda 1");  // "1-0 [V]  Malejąca"
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_NE(run.out.find("RSLambda (Rodzaj sondy lambda) = 1-0 [V]  Malejąca written"), std::string::npos) << run.out;
    Image now = controller.eeprom();
    EXPECT_EQ(now[34], 1);
    EXPECT_EQ(now[32] & params::flagA::probeRising, 0) << "a falling probe";
    EXPECT_EQ(now[27], params::emulationOutputCode(1, before[35]));
    EXPECT_EQ(controller.ram()[32 + 36], now[32]) << "flag byte A's RAM copy too";

    run = cli("set rslambda '0-1 [v] rosnąca'");  // the text, in any case and spacing
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(controller.eeprom()[34], 0);
    EXPECT_NE(controller.eeprom()[32] & params::flagA::probeRising, 0);

    run = cli("set CNPaliw 0,35");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(controller.eeprom()[21], params::encodeFuelOverlap(7));
    run = cli("set TPSterownika Dynamiczna");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(params::controllerModeItem(controller.eeprom()[32], controller.eeprom()[30]), 2);
    run = cli("set TJazdy 1");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_NE(controller.eeprom()[30] & params::flagB::sportMode, 0);

    // What is no item, or a list that stores nothing, is refused with its items.
    run = cli("set RSLambda 6");
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.err.find("'6' is no item of RSLambda: 0 0-1 [V]  Rosnąca, 1 1-0 [V]  Malejąca"), std::string::npos)
        << run.err;
    run = cli("set MOAttuatora 1");
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.err.find("stores nothing"), std::string::npos) << run.err;
}

TEST_F(CliFixture, SetOfTheIgnitionTypeKeepsTheSpeedsTheRpmFieldsStoodFor)
{
    const auto shown = [](const Image& image, const char* name) {
        params::ParameterBlock block;
        block.bytes() = image;
        const float k = *params::ignitionConstantForItem(image[13]);
        return fields::shownFieldText(*fields::findTextField(name), block, k);
    };
    const Image before = controller.eeprom();
    ASSERT_NE(before[13], 4);
    const auto run = cli("set RUZaplonowego '6 cylindrow'");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const Image after = controller.eeprom();
    EXPECT_EQ(after[13], 4);
    for (const char* name : {"ODPBenzynaGas", "MONGaz", "OSDCutOff", "DObrotow"})
        EXPECT_EQ(shown(after, name), shown(before, name)) << name;
    EXPECT_NE(after[14], before[14]) << "the periods themselves follow the new ignition constant";
}
