// The bash completion as bash runs it, with and without the bash-completion
// package: it must offer what the program takes, and only that.

#include "CommandTable.h"
#include "TestLocations.h"
#include "fields/FieldCatalogue.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>

namespace fs = std::filesystem;

namespace {

const char* const bashCompletionLibrary = "/usr/share/bash-completion/bash_completion";

std::string quoted(const std::string& text)
{
    std::string out = "'";
    for (char c : text)
        out += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return out + "'";
}

// Completes `line` (the cursor at its end) in `folder`, as bash would.
struct Completer {
    fs::path folder;
    bool withLibrary = false;
    std::string ports;  // DRAVINOR_PORTS; unset when empty

    std::set<std::string> operator()(const std::string& line) const
    {
        std::ostringstream script;
        if (withLibrary)
            script << "source " << bashCompletionLibrary << "\n";
        script << "source " << quoted(dravinor::testing::sourcePath("completions/dravinor-cli.bash")) << "\n"
               << "COMP_LINE=" << quoted(line)
               << "; COMP_POINT=${#COMP_LINE}\n"
               // COMP_WORDS as readline splits them, at blanks and at "=".
               << "line=${COMP_LINE//=/ = }; read -ra COMP_WORDS <<<\"$line\"\n"
               << "[[ $COMP_LINE == *' ' ]] && COMP_WORDS+=('')\n"
               << "COMP_CWORD=$((${#COMP_WORDS[@]} - 1))\n"
               << "_dravinor_cli\nprintf '%s\\n' \"${COMPREPLY[@]}\"\n";
        const fs::path file = folder / "complete.sh";
        std::ofstream(file) << script.str();
        const std::string command = "cd " + quoted(folder.string()) + " && env -u DRAVINOR_PORTS " +
                                    (ports.empty() ? "" : "DRAVINOR_PORTS=" + quoted(ports) + " ") + "bash " +
                                    quoted(file.string()) + " 2>&1";
        std::set<std::string> words;
        FILE* pipe = ::popen(command.c_str(), "r");
        if (!pipe)
            return words;
        char buffer[4096];
        std::string output;
        while (std::fgets(buffer, sizeof buffer, pipe))
            output += buffer;
        ::pclose(pipe);
        std::istringstream lines(output);
        for (std::string word; std::getline(lines, word);)
            if (!word.empty())
                words.insert(word);
        return words;
    }
};

struct CompletionTest : ::testing::TestWithParam<bool> {
    Completer complete;

    void SetUp() override
    {
        if (GetParam() && !fs::exists(bashCompletionLibrary))
            GTEST_SKIP() << "bash-completion is not installed";
        complete.withLibrary = GetParam();
        complete.folder = fs::path(::testing::TempDir()) / ("dravinor-completion-" + std::to_string(::getpid()));
        fs::remove_all(complete.folder);
        fs::create_directories(complete.folder / "cars");
        for (const char* name : {"AUDI.PAR", "audi.bak", "fiat.par", "notes.txt"})
            std::ofstream(complete.folder / name) << "x";
    }
    void TearDown() override { fs::remove_all(complete.folder); }
};

std::set<std::string> namesOfCommands()
{
    std::set<std::string> names;
    for (const auto& command : dravinor::cli::commandTable())
        names.insert(std::string(command.name));
    return names;
}

std::set<std::string> withGlobals(std::set<std::string> words)
{
    words.insert({"--port", "--help", "--version"});
    return words;
}

}  // namespace

TEST_P(CompletionTest, OffersEveryCommandOfTheProgramAndNothingElse)
{
    EXPECT_EQ(complete("dravinor-cli "), withGlobals(namesOfCommands()));
    EXPECT_EQ(complete("dravinor-cli --port COM2 "), withGlobals(namesOfCommands()));
    EXPECT_EQ(complete("dravinor-cli jo"), std::set<std::string>{"journal"});
}

TEST_P(CompletionTest, OffersEachCommandsOptionsAndTheGlobalOnesAfterIt)
{
    for (const auto& command : dravinor::cli::commandTable()) {
        std::set<std::string> expected;
        for (const auto& option : command.options)
            expected.insert(std::string(option.name));
        EXPECT_EQ(complete("dravinor-cli " + std::string(command.name) + " -"), withGlobals(expected)) << command.name;
    }
}

TEST_P(CompletionTest, OffersTheFieldsThatSetTakes)
{
    std::set<std::string> fields;
    for (const auto& field : dravinor::fields::textFields())
        fields.insert(field.name);
    // And the lists that store their choice.
    for (const auto& list : dravinor::fields::listFields())
        if (list.role != dravinor::fields::ListRole::Inert)
            fields.insert(list.name);
    EXPECT_EQ(complete("dravinor-cli set "), fields);
    EXPECT_EQ(complete("dravinor-cli --port COM1 set ODP"), std::set<std::string>{"ODPBenzynaGas"});
    EXPECT_TRUE(complete("dravinor-cli set PRLambda ").empty());
    // set --help lists the same fields.
    const std::string help(dravinor::cli::findCommand("set")->help);
    for (const std::string& field : fields)
        EXPECT_NE(help.find(field), std::string::npos) << field;
}

TEST_P(CompletionTest, PortNamesAreTheMappedOnesOrCom1ToCom10)
{
    std::set<std::string> all;
    for (int i = 1; i <= 10; ++i)
        all.insert("COM" + std::to_string(i));
    EXPECT_EQ(complete("dravinor-cli --port "), all);
    EXPECT_EQ(complete("dravinor-cli read --port COM1"), (std::set<std::string>{"COM1", "COM10"}));
    EXPECT_EQ(complete("dravinor-cli --port=COM"), all);

    Completer mapped = complete;
    mapped.ports = "COM2=/dev/ttyUSB0,COM7=/dev/ttyS0";
    EXPECT_EQ(mapped("dravinor-cli --port "), (std::set<std::string>{"COM2", "COM7"}));
    // Names mapped on the line win over the environment, as in the program.
    EXPECT_EQ(mapped("dravinor-cli --port COM4=/dev/ttyACM0 identify --port "), std::set<std::string>{"COM4"});

    // After a name's "=", devices.
    const auto devices = complete("dravinor-cli --port COM1=/dev/t");
    for (const std::string& device : devices)
        EXPECT_TRUE(device.starts_with("/dev/t")) << device;
}

TEST_P(CompletionTest, OffersParameterFilesAfterShowWriteDiffAndDashO)
{
    const std::set<std::string> parameterFiles{"AUDI.PAR", "audi.bak", "fiat.par", "cars"};
    EXPECT_EQ(complete("dravinor-cli show "), parameterFiles);
    EXPECT_EQ(complete("dravinor-cli write --force "), parameterFiles);
    EXPECT_EQ(complete("dravinor-cli read -o "), parameterFiles);
    auto diff = parameterFiles;
    diff.insert("controller");
    EXPECT_EQ(complete("dravinor-cli diff "), diff);
    EXPECT_EQ(complete("dravinor-cli diff controller "), diff);
    EXPECT_TRUE(complete("dravinor-cli diff a.PAR b.PAR ").empty());
    // Where no parameter file matches, any file does.
    EXPECT_EQ(complete("dravinor-cli show no"), std::set<std::string>{"notes.txt"});
}

INSTANTIATE_TEST_SUITE_P(Bash, CompletionTest, ::testing::Values(false, true),
                         [](const auto& test) { return test.param ? "WithBashCompletion" : "PlainBash"; });
