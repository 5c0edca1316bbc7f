#include "CommandLine.h"
#include "EepromImage.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <fstream>
#include <sys/wait.h>

using namespace dravinor::sim;

namespace {

bool parse(std::vector<std::string> args, CommandLine& command)
{
    std::string error;
    return parseCommandLine(args, command, error);
}

std::string temporaryFile(const std::string& name, const std::string& content)
{
    const std::string path = ::testing::TempDir() + name;
    std::ofstream(path, std::ios::binary) << content;
    return path;
}

// Runs the program with a shell line; returns its exit status.
int exitStatus(const std::string& arguments)
{
    const int status = std::system((std::string(DRAVINOR_SIM_EXE) + " " + arguments + " >/dev/null 2>&1").c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace

TEST(CommandLine, TakesEveryOption)
{
    CommandLine c;
    ASSERT_TRUE(parse({"--link", "/tmp/x", "--identity", "0x35", "--eeprom", "a.PAR", "--silent", "--no-pacing",
                       "--ignore-writes", "2", "--wrong-checksum", "--late-tail", "30", "--long-reply", "4",
                       "--noise", "10", "--hang-up-after", "7"},
                      c));
    EXPECT_EQ(c.options.linkPath, "/tmp/x");
    EXPECT_EQ(c.options.identity, 0x35);
    EXPECT_EQ(c.eepromFile, "a.PAR");
    EXPECT_TRUE(c.options.silent);
    EXPECT_FALSE(c.options.pacing);
    EXPECT_EQ(c.options.faults.ignoreFirstWrites, 2);
    EXPECT_TRUE(c.options.faults.wrongChecksum);
    EXPECT_EQ(c.options.faults.lateTailMs, 30);
    EXPECT_EQ(c.options.faults.longReplyExtra, 4);
    EXPECT_EQ(c.options.faults.noisePercent, 10);
    EXPECT_EQ(c.options.faults.hangUpAfterFrames, 7);
}

TEST(CommandLine, RefusesBadOptions)
{
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"--bogus"}, {"--identity"}, {"--identity", "256"}, {"--noise", "101"},
          {"--late-tail", "-1"}, {"--ignore-writes", "2x"}, {"--hang-up-after", ""}}) {
        CommandLine c;
        std::string error;
        EXPECT_FALSE(parseCommandLine(args, c, error)) << args[0];
        EXPECT_FALSE(error.empty());
    }
}

TEST(EepromImage, ShortFileLeavesTheRestAtFactoryValues)
{
    EepromImage image{};
    ASSERT_TRUE(loadParameterFile(temporaryFile("short.PAR", std::string("\x00\x07\x08", 3)), image, nullptr));
    EXPECT_EQ(image[1], 7);
    EXPECT_EQ(image[2], 8);
    EXPECT_EQ(image[3], factoryEeprom()[3]);

    std::string error;
    EXPECT_FALSE(loadParameterFile(::testing::TempDir() + "missing.PAR", image, &error));
    EXPECT_FALSE(error.empty());
}

TEST(SimulatorProgram, PrintsThePathAndStopsOnTerm)
{
    FILE* out = ::popen(DRAVINOR_SIM_EXE " --no-pacing & echo $!", "r");
    ASSERT_NE(out, nullptr);
    char pid[32] = {}, path[128] = {};
    ASSERT_NE(std::fgets(pid, sizeof pid, out), nullptr);
    ASSERT_NE(std::fgets(path, sizeof path, out), nullptr);
    EXPECT_EQ(std::string(path).rfind("/dev/pts/", 0), 0u) << path;
    ::kill(std::atoi(pid), SIGTERM);
    ::pclose(out);
}

TEST(SimulatorProgram, ExitCodes)
{
    EXPECT_EQ(exitStatus("--help"), 0);
    EXPECT_EQ(exitStatus("--nonsense"), 1);
    EXPECT_EQ(exitStatus("--eeprom " + ::testing::TempDir() + "missing.PAR"), 2);
    EXPECT_EQ(exitStatus("--eeprom " + ::testing::TempDir()), 2) << "a directory is no parameter file";
}
