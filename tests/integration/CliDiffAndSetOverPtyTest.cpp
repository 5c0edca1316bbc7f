#include "CliFixture.h"

#include "fields/FieldEncoding.h"
#include "params/Conversions.h"
#include "params/Encoders.h"

#include <gtest/gtest.h>

using namespace dravinor;
using dravinor::testing::CliFixture;
namespace fs = std::filesystem;

namespace {

bool has(const std::string& text, const std::string& part)
{
    return text.find(part) != std::string::npos;
}

}  // namespace

TEST_F(CliFixture, ArgumentErrorsNameTheArgumentAndItsRangeAndSendNothing)
{
    const struct {
        const char* arguments;
        const char* message;
    } cases[] = {
        {"set 36 1", "address 36 out of 1..35"},
        {"set 0 1", "address 0 out of 1..35"},
        {"set 4 300", "value 300 out of 0..255"},
        {"set 4 abc", "value 'abc' is not a number (0..255)"},
        {"set 4", "set takes two arguments, got 1"},
        {"set PRLambda 1,,2", "value '1,,2' for PRLambda is not a number (0,1..4,9 V)"},
        {"set ODPBenzynaGas 2300,5", "is not a number (1000..4000 RPM)"},
        {"set Nothing 1", "unknown field 'Nothing'"},
        {"set WCutOff 1", "WCutOff is a check box"},
        {"set RSLambda 7", "'7' is no item of RSLambda"},
        {"set PRLambda 9", "PRLambda 9 is out of its range 0,1..4,9 V"},
        {"ports extra", "ports takes no arguments, got 'extra'"},
        {"live --count 0", "count 0 out of 1.."},
        {"bogus", "unknown command 'bogus'"},
    };
    for (const auto& c : cases) {
        const auto run = cli(c.arguments);
        EXPECT_EQ(run.exitCode, 1) << c.arguments;
        EXPECT_TRUE(has(run.err, c.message)) << c.arguments << ": " << run.err;
    }
    EXPECT_TRUE(controller.receivedFrames().empty());
}

TEST_F(CliFixture, EveryCommandHasItsOwnHelp)
{
    for (const char* command :
         {"ports", "identify", "read", "write", "set", "diff", "reset", "live", "adapt", "show", "defaults"}) {
        const auto run = cli(std::string(command) + " --help");
        EXPECT_EQ(run.exitCode, 0) << command;
        EXPECT_TRUE(has(run.out, std::string("usage: dravinor-cli [--port PORT]... ") + command)) << run.out;
    }
    EXPECT_TRUE(has(cli("set --help").out, "set PRLambda 0,5"));
}

TEST_F(CliFixture, SetByFieldNameWritesWhatThePageWould)
{
    const float k = params::ignitionConstantForItem(controller.eeprom()[13]).value();
    const struct {
        const char* field;
        const char* text;
        double value;
    } cases[] = {
        {"PRLambda", "0,5", 0.5}, {"PCTps", "1.23", 1.23}, {"TPWStopniach", "50", 50}, {"prlambda", ",46", 0.46}};
    for (const auto& c : cases) {
        const auto run = cli(std::string("set ") + c.field + " " + c.text);
        ASSERT_EQ(run.exitCode, 0) << c.field << ": " << run.err;
        const auto* field = fields::findTextField(c.field[0] == 'p' ? "PRLambda" : c.field);
        const auto expected = fields::encodeFieldValue(*field, c.value, k);
        EXPECT_EQ(controller.eeprom()[field->address.index()], expected.byte) << c.field;
        EXPECT_TRUE(has(run.out, expected.shown)) << run.out;
    }

    auto run = cli("set ODPBenzynaGas 2345");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const auto eeprom = controller.eeprom();
    EXPECT_EQ(eeprom[14] * 256 + eeprom[15], params::rpmToPeriod(2300, k));
    EXPECT_TRUE(has(run.out, "ODPBenzynaGas (Obroty dla przejscia b-g) = 2300 RPM written")) << run.out;
}

TEST_F(CliFixture, SetByFieldNameClampsWithAWarningAndKeepsTheRangeInOrder)
{
    // Clamping only when asked: a value outside the range is refused otherwise.
    auto run = cli("set --clamp PRLambda 9");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_TRUE(has(run.err, "warning: PRLambda 9 out of 0,1..4,9 V: clamped")) << run.err;
    EXPECT_EQ(controller.eeprom()[1], 245);

    // The minimum above the maximum takes the maximum, as on the page.
    run = cli("set ZPAttuatoraPow_1 200");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(controller.eeprom()[6], controller.eeprom()[5]);

    // The delta rewrites the hysteresis from the switch-over speed the controller holds.
    const float k = params::ignitionConstantForItem(controller.eeprom()[13]).value();
    run = cli("set DObrotow 300");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const auto eeprom = controller.eeprom();
    EXPECT_EQ(eeprom[33], 3);
    EXPECT_EQ(eeprom[16] * 256 + eeprom[17], params::encodeSwitchOverHysteresis(2200, 300, k));
}

TEST_F(CliFixture, DiffTellsSameDifferentAndTroubleAsDiffDoes)
{
    const fs::path file = dir / "car.PAR";
    ASSERT_EQ(cli("read -o '" + file.string() + "'").exitCode, 0);
    auto run = cli("diff controller '" + file.string() + "'");
    EXPECT_EQ(run.exitCode, 0) << run.err;

    auto changed = controller.eeprom();
    changed[1] = 25;
    controller.setEeprom(changed);
    run = cli("diff '" + file.string() + "' controller");
    EXPECT_EQ(run.exitCode, 1) << run.err;
    EXPECT_TRUE(has(run.out, "PRLambda")) << run.out;
    EXPECT_TRUE(has(run.out, "Próg sondy lambda")) << run.out;
    EXPECT_TRUE(has(run.out, "0,50 V")) << run.out;
    EXPECT_TRUE(has(run.out, "1 value differs.")) << run.out;

    EXPECT_EQ(cli("diff '" + file.string() + "' '" + (dir / "none.PAR").string() + "'").exitCode, 2);
    EXPECT_EQ(cli("diff controller '" + file.string() + "'", "COM1=/dev/dravinor-no-such-tty").exitCode, 2);
    EXPECT_EQ(cli("diff '" + file.string() + "'").exitCode, 2);
}

TEST_F(CliFixture, WritePrintsWhatItChanged)
{
    const fs::path file = dir / "car.PAR";
    ASSERT_EQ(cli("read -o '" + file.string() + "'").exitCode, 0);
    auto bytes = fileBytes(file);
    bytes[4] = 110;
    std::ofstream(file, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), 64);

    const auto run = cli("write --yes '" + file.string() + "'");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_TRUE(has(run.out, "Wrote " + file.string())) << run.out;
    EXPECT_TRUE(has(run.out, "PSAttuatoraPow")) << run.out;
    EXPECT_TRUE(has(run.out, "1 value differs.")) << run.out;
    EXPECT_EQ(controller.eeprom()[4], 110);
}

// `--port` after the command reaches the same controller as before it, and
// the read prints the pages' captions and items beside the window's.
TEST_F(CliFixture, PortAfterTheCommandReadsThePagesValues)
{
    const auto run = cli("read --port COM2", "COM2=" + controller.slavePath());
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_TRUE(has(run.out, "Rodzaj ukladu zapłonowego")) << run.out;
    EXPECT_TRUE(has(run.out, "Próg sondy lambda")) << run.out;
    EXPECT_FALSE(has(run.out, "Lambda probe threshold")) << run.out;

    const auto unknown = cli("read --everything");
    EXPECT_EQ(unknown.exitCode, 1);
    EXPECT_EQ(unknown.err, "dravinor-cli: read has no option '--everything'\nTry 'dravinor-cli read --help'.\n");
}
