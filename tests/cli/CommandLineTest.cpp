// The command line as a fitter types it: global options on either side of
// the command, one-line usage errors that point at the right help, and the
// values each option takes.

#include "AdaptOptions.h"
#include "CliOptions.h"
#include "CommandTable.h"

#include <gtest/gtest.h>

#include <sstream>

using namespace dravinor::cli;

namespace {

struct Parsed {
    bool ok = false;
    CliOptions options;
    UsageProblem problem;
};

Parsed parse(const std::vector<std::string>& arguments)
{
    Parsed parsed;
    parsed.ok = parseCommandLine(arguments, parsed.options, parsed.problem);
    return parsed;
}

// What the fitter reads on stderr, and the exit status.
std::pair<std::string, int> refusal(const std::vector<std::string>& arguments)
{
    const Parsed parsed = parse(arguments);
    EXPECT_FALSE(parsed.ok) << arguments.front();
    std::ostringstream out;
    const int code = reportUsageProblem(parsed.problem, out);
    return {out.str(), code};
}

}  // namespace

TEST(CommandLine, PortAfterTheCommandIsTheSameAsBefore)
{
    const Parsed before = parse({"--port", "COM1=/dev/ttyUSB0", "--port", "COM1", "read", "-o", "car.PAR"});
    const Parsed after = parse({"read", "--port", "COM1=/dev/ttyUSB0", "-o", "car.PAR", "--port=COM1"});
    for (const Parsed* parsed : {&before, &after}) {
        ASSERT_TRUE(parsed->ok) << parsed->problem.message;
        EXPECT_EQ(parsed->options.command, "read");
        EXPECT_EQ(parsed->options.portAssignments, std::vector<std::string>{"COM1=/dev/ttyUSB0"});
        EXPECT_EQ(parsed->options.port, "COM1");
        EXPECT_EQ(parsed->options.value("-o"), "car.PAR");
        EXPECT_TRUE(parsed->options.arguments.empty());
    }
    // A repeated option: the last one counts.
    EXPECT_EQ(parse({"read", "-o", "first.PAR", "-o", "second.PAR"}).options.value("-o"), "second.PAR");
    // Between a command's operands too, as git and ip take them.
    const Parsed between = parse({"diff", "a.PAR", "--port", "/dev/ttyUSB0", "controller"});
    ASSERT_TRUE(between.ok) << between.problem.message;
    EXPECT_EQ(between.options.arguments, (std::vector<std::string>{"a.PAR", "controller"}));
    EXPECT_EQ(between.options.port, "/dev/ttyUSB0");
}

TEST(CommandLine, UsageErrorsAreOneLineAndPointAtTheRightHelp)
{
    EXPECT_EQ(refusal({"x"}), std::make_pair(std::string("dravinor-cli: unknown command 'x'\n"
                                                         "Try 'dravinor-cli --help'.\n"),
                                             1));
    EXPECT_EQ(refusal({"--frobnicate", "read"}).first,
              "dravinor-cli: unknown option '--frobnicate'\nTry 'dravinor-cli --help'.\n");
    EXPECT_EQ(refusal({"read", "--force"}).first,
              "dravinor-cli: read has no option '--force'\nTry 'dravinor-cli read --help'.\n");
    EXPECT_EQ(refusal({}).first, "dravinor-cli: no command given\nTry 'dravinor-cli --help'.\n");
    // --help does not make an unknown command known.
    EXPECT_EQ(refusal({"x", "--help"}).first, "dravinor-cli: unknown command 'x'\nTry 'dravinor-cli --help'.\n");
}

TEST(CommandLine, ACountThatIsNoNumberSaysSoAndZeroIsOutOfRange)
{
    const struct {
        std::vector<std::string> arguments;
        const char* says;
    } cases[] = {
        {{"live", "--count", "abc"}, "dravinor-cli: --count 'abc' is not a number (1 or more)\n"},
        {{"live", "--count", "12x"}, "dravinor-cli: --count '12x' is not a number (1 or more)\n"},
        {{"live", "--count", "0"}, "dravinor-cli: --count 0 out of 1..\n"},
        {{"live", "--count", "-3"}, "dravinor-cli: --count -3 out of 1..\n"},
        {{"live", "--count"}, "dravinor-cli: --count needs a value\n"},
        {{"journal", "--last=x"}, "dravinor-cli: --last 'x' is not a number (1 or more)\n"},
        {{"journal", "--last", ""}, "dravinor-cli: --last '' is not a number (1 or more)\n"},
    };
    for (const auto& c : cases) {
        const auto [text, code] = refusal(c.arguments);
        EXPECT_EQ(text.substr(0, text.find('\n') + 1), c.says);
        EXPECT_NE(text.find("Try 'dravinor-cli " + c.arguments.front() + " --help'."), std::string::npos) << text;
        EXPECT_EQ(code, 1);
    }
    const Parsed counted = parse({"live", "--count=25", "--csv"});
    ASSERT_TRUE(counted.ok) << counted.problem.message;
    EXPECT_EQ(counted.options.count("--count"), 25);
    EXPECT_TRUE(counted.options.has("--csv"));
    // A count no long holds is still a number, just too large.
    EXPECT_NE(refusal({"live", "--count", "99999999999999999999999"}).first.find("out of 1.."), std::string::npos);
}

TEST(CommandLine, WrongNumberOfOperandsIsRefusedBeforeAnythingRuns)
{
    EXPECT_EQ(refusal({"set", "4"}).first,
              "dravinor-cli: set takes two arguments, got 1\nTry 'dravinor-cli set --help'.\n");
    EXPECT_EQ(refusal({"ports", "extra"}).first.substr(0, 51), "dravinor-cli: ports takes no arguments, got 'extra'");
    EXPECT_NE(refusal({"show"}).first.find("show takes one parameter file, got 0"), std::string::npos);
    EXPECT_NE(refusal({"write", "a.PAR", "b.PAR"}).first.find("write takes one parameter file, got 2"),
              std::string::npos);
    EXPECT_NE(refusal({"read", "car.PAR"}).first.find("read takes no arguments, got 'car.PAR'"), std::string::npos);
    // diff's 1 means "different": its usage trouble is 2, as diff's is.
    EXPECT_EQ(refusal({"diff", "a.PAR"}).second, 2);
    EXPECT_EQ(refusal({"diff", "a.PAR", "--nonsense", "b.PAR"}).second, 2);
}

TEST(CommandLine, HelpAndVersionAnswerWhateverElseIsWrong)
{
    for (const auto& arguments : std::vector<std::vector<std::string>>{
             {"set", "--help"}, {"--help", "set"}, {"set", "-h", "--bogus"}, {"set", "1", "2", "3", "--help"}}) {
        const Parsed parsed = parse(arguments);
        ASSERT_TRUE(parsed.ok) << parsed.problem.message;
        EXPECT_TRUE(parsed.options.help);
        EXPECT_EQ(parsed.options.command, "set");
    }
    const Parsed version = parse({"read", "-V"});
    ASSERT_TRUE(version.ok);
    EXPECT_TRUE(version.options.version);
    const Parsed general = parse({"--port", "COM2", "--help"});
    ASSERT_TRUE(general.ok);
    EXPECT_TRUE(general.options.command.empty());
    EXPECT_EQ(helpText(""), usageText);
}

TEST(CommandLine, ValuesThatLookLikeOptionsAndDoubleDash)
{
    // A negative value or a leading comma is an operand, not an option.
    const Parsed negative = parse({"set", "TPWStopniach", "-5"});
    ASSERT_TRUE(negative.ok) << negative.problem.message;
    EXPECT_EQ(negative.options.arguments, (std::vector<std::string>{"TPWStopniach", "-5"}));
    EXPECT_TRUE(parse({"set", "PRLambda", "-,5"}).ok);

    // After "--" a file may be called anything.
    const Parsed dashed = parse({"show", "--", "--port"});
    ASSERT_TRUE(dashed.ok) << dashed.problem.message;
    EXPECT_EQ(dashed.options.arguments, std::vector<std::string>{"--port"});
    EXPECT_FALSE(dashed.options.port);

    // A port is never named like an option: the value is missing.
    for (const auto& arguments :
         std::vector<std::vector<std::string>>{{"read", "--port", "--force"}, {"read", "--port"}, {"read", "--port="}})
        EXPECT_NE(refusal(arguments).first.find("--port needs a value (COMn, a device path, or COMn=PATH)"),
                  std::string::npos)
            << arguments[1];
    EXPECT_NE(refusal({"live", "--csv=yes"}).first.find("--csv takes no value"), std::string::npos);
}

TEST(CommandHelp, EveryCommandsHelpNamesTheProgramAndEndsWithALineEnd)
{
    for (const CommandSpec& command : commandTable()) {
        const std::string help = helpText(std::string(command.name));
        EXPECT_TRUE(help.starts_with("usage: dravinor-cli [--port PORT]... " + std::string(command.name))) << help;
        EXPECT_TRUE(help.ends_with("\n")) << command.name;
        EXPECT_FALSE(help.ends_with("\n\n\n")) << command.name;
        // Every option the parser takes is told in the help.
        for (const CommandOption& option : command.options)
            EXPECT_NE(help.find(option.name), std::string::npos) << command.name << " " << option.name;
        // And the program's help lists the command.
        EXPECT_NE(std::string(usageText).find("\n  " + std::string(command.name) + " "), std::string::npos)
            << command.name;
    }
}

TEST(CommandHelp, AdaptHelpListsTheIgnitionAndProbeTypesWithTheirNumbers)
{
    const std::string help = helpText("adapt");
    const auto ignition = help.find("ignition types (--ignition):\n  0  Cewka na cylinder\n");
    const auto probe = help.find("lambda probe types (--probe):\n  0  0-1 [V]  Rosnąca\n");
    ASSERT_NE(ignition, std::string::npos) << help;
    ASSERT_NE(probe, std::string::npos) << help;
    EXPECT_LT(ignition, probe);
    EXPECT_NE(help.find("\n  5  5-0 [V]  Malejąca\n"), std::string::npos) << help;
}

TEST(AdaptArguments, MissingOrBadItemsListTheChoicesAndGoodOnesAreTaken)
{
    const auto adaptFrom = [](const std::vector<std::string>& arguments, AdaptOptions& adapt, std::string& error) {
        std::vector<std::string> line{"adapt"};
        line.insert(line.end(), arguments.begin(), arguments.end());
        const Parsed parsed = parse(line);
        EXPECT_TRUE(parsed.ok) << parsed.problem.message;
        return parseAdaptArguments(parsed.options, adapt, error);
    };
    AdaptOptions adapt;
    std::string error;
    EXPECT_FALSE(adaptFrom({"--probe", "1"}, adapt, error));
    EXPECT_TRUE(error.starts_with("--ignition is needed: the ignition type,\n  0  ")) << error;
    EXPECT_FALSE(adaptFrom({"--ignition", "6", "--probe", "1"}, adapt, error));
    EXPECT_TRUE(error.starts_with("--ignition 6: choose one of 0..5:")) << error;
    EXPECT_FALSE(adaptFrom({"--ignition", "2", "--probe", "1", "--temperature-sensor", "maybe"}, adapt, error));
    EXPECT_EQ(error, "--temperature-sensor maybe: say on or off");

    adapt = {};
    ASSERT_TRUE(adaptFrom({"--yes", "--probe=3", "--ignition", "2", "--temperature-sensor", "off"}, adapt, error))
        << error;
    EXPECT_EQ(adapt.ignition, 2);
    EXPECT_EQ(adapt.probe, 3);
    EXPECT_EQ(adapt.temperatureSensor, false);
    EXPECT_TRUE(adapt.yes);
}
