// The manual pages are written by hand: they must follow the programs.
// Every option and command that a program's --help names is in its page,
// and no page names an option that none of the programs has.

#include "RunCommand.h"
#include "TestLocations.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

using dravinor::test::CommandResult;
using dravinor::test::run;

namespace {

const std::string binaryDir = dravinor::testing::binaryDir();

std::string helpOf(const std::string& program, const std::string& arguments = "--help")
{
    // The window's help needs no display; make sure none is there to help.
    const CommandResult help =
        run("env -u DISPLAY -u WAYLAND_DISPLAY " + dravinor::test::quoted(program) + " " + arguments);
    EXPECT_EQ(help.status, 0) << program << " " << arguments << ": " << help.output;
    return help.output;
}

// The page as a reader sees its words: roff escapes for the minus and the
// fonts taken out, macro lines kept.
std::string pageText(const std::string& name)
{
    std::ifstream in(binaryDir + "/man/" + name + ".1");
    EXPECT_TRUE(in) << name;
    std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    text = std::regex_replace(text, std::regex(R"(\\f(\[[A-Z]*\]|\([A-Z]{2}|[A-Z]))"), "");
    text = std::regex_replace(text, std::regex(R"(\\-)"), "-");
    text = std::regex_replace(text, std::regex(R"(\\&|\\%)"), "");
    return text;
}

// -o, --force, --temperature-sensor, ...: a dash at the start of a word.
std::set<std::string> optionsIn(const std::string& text)
{
    static const std::regex option(R"((?:^|[\s\[(,|])(--?[A-Za-z][A-Za-z0-9-]*))");
    std::set<std::string> found;
    for (auto it = std::sregex_iterator(text.begin(), text.end(), option); it != std::sregex_iterator(); ++it)
        found.insert((*it)[1]);
    return found;
}

// The words at the head of the items (.TP) of one section of a page.
std::set<std::string> itemHeads(const std::string& page, const std::string& section)
{
    std::set<std::string> heads;
    std::istringstream lines(page);
    std::string line, current;
    bool nextIsHead = false;
    while (std::getline(lines, line)) {
        if (line.starts_with(".SH ")) {
            current = line.substr(4);
            continue;
        }
        if (line == ".TP") {
            nextIsHead = current == section;
            continue;
        }
        if (nextIsHead) {
            std::istringstream words(line);
            std::string word;
            words >> word;
            if (word.starts_with("."))  // .B ports
                words >> word;
            heads.insert(word);
            nextIsHead = false;
        }
    }
    return heads;
}

// The commands of dravinor-cli: the words that open the lines of its help's
// command list.
std::vector<std::string> cliCommands(const std::string& help)
{
    std::vector<std::string> commands;
    static const std::regex command(R"(^  ([a-z]+)(?: |$))");
    std::istringstream lines(help);
    std::string line;
    while (std::getline(lines, line)) {
        std::smatch match;
        if (std::regex_search(line, match, command) &&
            std::find(commands.begin(), commands.end(), match[1]) == commands.end())
            commands.push_back(match[1]);
    }
    return commands;
}

std::string missingFrom(const std::set<std::string>& wanted, const std::set<std::string>& present)
{
    std::string missing;
    for (const std::string& item : wanted)
        if (!present.contains(item))
            missing += " " + item;
    return missing;
}

struct Program {
    std::string name, path;
};

const std::vector<Program> programs{{"dravinor", binaryDir + "/app/dravinor"},
                                    {"dravinor-cli", binaryDir + "/cli/dravinor-cli"},
                                    {"dravinor-sim", binaryDir + "/sim/dravinor-sim"}};

}  // namespace

TEST(ManPage, NamesEveryOptionOfItsProgramsHelp)
{
    for (const Program& program : programs) {
        const std::set<std::string> inPage = optionsIn(pageText(program.name));
        EXPECT_EQ(missingFrom(optionsIn(helpOf(program.path)), inPage), "") << program.name << ".1 lacks these";
    }
}

TEST(ManPage, CliPageHasEveryCommandAndItsOptions)
{
    const std::string cli = binaryDir + "/cli/dravinor-cli";
    const std::string page = pageText("dravinor-cli");
    const std::vector<std::string> commands = cliCommands(helpOf(cli));
    ASSERT_GE(commands.size(), 12u) << helpOf(cli);
    const std::set<std::string> commandSet(commands.begin(), commands.end());
    EXPECT_EQ(missingFrom(commandSet, itemHeads(page, "COMMANDS")), "") << "dravinor-cli.1's COMMANDS lack these";
    EXPECT_EQ(missingFrom(itemHeads(page, "COMMANDS"), commandSet), "") << "dravinor-cli has no such commands";
    for (const std::string& command : commands)
        EXPECT_EQ(missingFrom(optionsIn(helpOf(cli, command + " --help")), optionsIn(page)), "")
            << "dravinor-cli.1 lacks these options of " << command;
}

TEST(ManPage, NamesNoOptionThatNoProgramHas)
{
    std::set<std::string> existing;
    for (const Program& program : programs) {
        const std::string help = helpOf(program.path);
        existing.merge(optionsIn(help));
        if (program.name == "dravinor-cli")
            for (const std::string& command : cliCommands(help))
                existing.merge(optionsIn(helpOf(program.path, command + " --help")));
    }
    for (const Program& program : programs)
        EXPECT_EQ(missingFrom(optionsIn(pageText(program.name)), existing), "")
            << program.name << ".1 names options no program has";
}
