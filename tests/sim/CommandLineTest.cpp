#include "CommandLine.h"
#include "ControllerLine.h"
#include "EepromImage.h"
#include "TestLocations.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <poll.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

using namespace dravinor::sim;

namespace {

// Runs the program; returns its exit status.
int exitStatus(const std::string& arguments)
{
    const int status = std::system((dravinor::testing::simProgram() + " " + arguments + " >/dev/null 2>&1").c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace

TEST(CommandLine, TakesValuesInDecimalOrHex)
{
    CommandLine c;
    std::string error;
    ASSERT_TRUE(parseCommandLine(
        {"--identity", "0x35", "--no-pacing", "--noise", "10", "--hang-up-after", "7", "--late-answer", "12,0x40"}, c,
        error));
    EXPECT_EQ(c.options.faults.lateAnswerAddress, 12);
    EXPECT_EQ(c.options.faults.lateAnswerMs, 0x40);
    EXPECT_EQ(c.options.identity, 0x35);
    EXPECT_FALSE(c.options.pacing);
    EXPECT_EQ(c.options.faults.noisePercent, 10);
    EXPECT_EQ(c.options.faults.hangUpAfterFrames, 7);
}

TEST(CommandLine, LateAnswerTakesItsQueueAndOnceModes)
{
    CommandLine c;
    std::string error;
    ASSERT_TRUE(parseCommandLine({"--late-answer", "7,100,queue,once"}, c, error)) << error;
    EXPECT_EQ(c.options.faults.lateAnswerAddress, 7);
    EXPECT_EQ(c.options.faults.lateAnswerMs, 100);
    EXPECT_TRUE(c.options.faults.lateAnswerQueues);
    EXPECT_TRUE(c.options.faults.lateAnswerOnce);
    ASSERT_TRUE(parseCommandLine({"--late-answer", "7,100"}, c, error)) << error;
    EXPECT_FALSE(c.options.faults.lateAnswerQueues) << "a later option replaces the whole fault";
    EXPECT_FALSE(c.options.faults.lateAnswerOnce);
    for (const char* bad : {"7,100,", "7,100,queue,queue", "7,100,late", "7,queue", "7,100,once,bogus"}) {
        CommandLine refused;
        EXPECT_FALSE(parseCommandLine({"--late-answer", bad}, refused, error)) << bad;
        EXPECT_NE(error.find("queue"), std::string::npos) << "the error shows the modes";
    }
}

TEST(CommandLine, RefusesBadOptions)
{
    for (const std::vector<std::string>& args : {std::vector<std::string>{"--bogus"},
                                                 {"--identity"},
                                                 {"--identity", "256"},
                                                 {"--noise", "101"},
                                                 {"--late-tail", "-1"},
                                                 {"--ignore-writes", "2x"},
                                                 {"--late-answer", "36,10"},
                                                 {"--late-answer", "5"},
                                                 {"--late-answer", "5,"},
                                                 {"--rpm", "9000"},
                                                 {"--rpm", "300"}}) {
        CommandLine c;
        std::string error;
        EXPECT_FALSE(parseCommandLine(args, c, error)) << args[0];
        EXPECT_FALSE(error.empty());
    }
}

TEST(CommandLine, RpmRunsTheEngineFromTheStartAtThatSpeed)
{
    CommandLine c;
    std::string error;
    ASSERT_TRUE(parseCommandLine({"--rpm", "2000", "--probe", "slow"}, c, error)) << error;
    ASSERT_TRUE(c.options.steadyRpm);
    ControllerLine line(c.options);
    const EngineModel& engine = line.core().engineAt(20.0);
    EXPECT_TRUE(engine.running());
    EXPECT_NEAR(engine.rpm(), 2000, 20) << "settled at the asked speed, above the probe check's 1200 RPM";
    EXPECT_EQ(engine.probeModel(), ProbeModel::Slow);

    CommandLine still;
    ASSERT_TRUE(parseCommandLine({}, still, error));
    EXPECT_NEAR(ControllerLine(still.options).core().engineAt(20.0).rpm(), EngineModel::kIdleRpm, 20)
        << "without --rpm the car idles";
}

// The message names the option the bad value belongs to, not the one before it.
TEST(CommandLine, ARefusalNamesItsOptionAndWhatIsWrong)
{
    const struct {
        std::vector<std::string> args;
        const char* error;
    } cases[] = {
        {{"--bogus"}, "unknown option '--bogus'"},
        {{"--silent", "--link"}, "--link needs a value"},
        {{"--no-pacing", "--identity", "256"}, "--identity: bad value '256'"},
        {{"--link", "/tmp/x", "--noise"}, "--noise needs a value"},
        {{"--late-answer", "5"}, "--late-answer: bad value '5' (ADDRESS,MS[,queue][,once])"},
        {{"--probe", "tired"},
         "--probe: bad value 'tired' (healthy, slow, stuck-lean, stuck-rich, disconnected or biased)"},
    };
    for (const auto& c : cases) {
        CommandLine command;
        std::string error;
        EXPECT_FALSE(parseCommandLine(c.args, command, error)) << c.error;
        EXPECT_EQ(error, c.error);
    }
}

// Each fault number lands in its own field and takes its limits: a crossed
// table row would start a different fault than the one asked for.
TEST(CommandLine, EachFaultNumberSetsItsOwnFaultUpToItsLimit)
{
    const struct {
        const char* option;
        const char* highest;
        const char* beyond;
        int FaultOptions::*field;
    } cases[] = {
        {"--ignore-writes", "1000000", "1000001", &FaultOptions::ignoreFirstWrites},
        {"--late-tail", "60000", "60001", &FaultOptions::lateTailMs},
        {"--long-reply", "4096", "4097", &FaultOptions::longReplyExtra},
        {"--noise", "100", "101", &FaultOptions::noisePercent},
        {"--hang-up-after", "1000000000", "1000000001", &FaultOptions::hangUpAfterFrames},
    };
    for (const auto& c : cases) {
        CommandLine command;
        std::string error;
        ASSERT_TRUE(parseCommandLine({c.option, c.highest}, command, error)) << c.option << ": " << error;
        EXPECT_EQ(command.options.faults.*(c.field), std::stol(c.highest)) << c.option;
        for (const auto& other : cases) {
            if (other.field != c.field) {
                EXPECT_EQ(command.options.faults.*(other.field), FaultOptions{}.*(other.field))
                    << c.option << " set " << other.option << " too";
            }
        }
        EXPECT_FALSE(parseCommandLine({c.option, c.beyond}, command, error)) << c.option;
    }
}

TEST(EepromImage, ShortFileLeavesTheRestAtFactoryValues)
{
    const std::string path = ::testing::TempDir() + "short.PAR";
    std::ofstream(path, std::ios::binary) << std::string("\x00\x07\x08", 3);
    EepromImage image{};
    ASSERT_TRUE(loadParameterFile(path, image, nullptr));
    EXPECT_EQ(image[1], 7);
    EXPECT_EQ(image[2], 8);
    EXPECT_EQ(image[3], factoryEeprom()[3]);
}

TEST(PtySimulatorProgram, PrintsThePathAndStopsOnTerm)
{
    FILE* out = ::popen((dravinor::testing::simProgram() + " --no-pacing & echo $!").c_str(), "r");
    ASSERT_NE(out, nullptr);
    // The shell's pid line and the program's path line, in either order.
    char lines[2][128] = {};
    ASSERT_NE(std::fgets(lines[0], sizeof lines[0], out), nullptr);
    ASSERT_NE(std::fgets(lines[1], sizeof lines[1], out), nullptr);
    const bool pathFirst = lines[0][0] == '/';
    EXPECT_EQ(std::string(lines[pathFirst ? 0 : 1]).rfind("/dev/pts/", 0), 0u);
    ::kill(std::atoi(lines[pathFirst ? 1 : 0]), SIGTERM);
    ::pclose(out);
}

TEST(PtySimulatorProgram, ExitCodes)
{
    EXPECT_EQ(exitStatus("--help"), 0);
    EXPECT_EQ(exitStatus("--version"), 0);
    EXPECT_EQ(exitStatus("--nonsense"), 1);
    EXPECT_EQ(exitStatus("--eeprom " + ::testing::TempDir() + "missing.PAR"), 2);
    EXPECT_EQ(exitStatus("--eeprom " + ::testing::TempDir()), 2) << "a directory is no parameter file";
}

TEST(CommandLine, UnplugAfterTakesItsTimesAndRefusesOthers)
{
    CommandLine c;
    std::string error;
    ASSERT_TRUE(parseCommandLine({"--unplug-after", "1500"}, c, error)) << error;
    EXPECT_EQ(c.unplugAfterMs, 1500);
    EXPECT_EQ(c.unplugForMs, 2000) << "plugged in again after two seconds unless told";
    ASSERT_TRUE(parseCommandLine({"--unplug-after", "0,250"}, c, error)) << error;
    EXPECT_EQ(c.unplugAfterMs, 0);
    EXPECT_EQ(c.unplugForMs, 250);
    for (const char* bad : {"", "-5", "10,", ",10", "10,20,30", "1s"}) {
        CommandLine refused;
        EXPECT_FALSE(parseCommandLine({"--unplug-after", bad}, refused, error)) << bad;
        EXPECT_NE(error.find("MS[,FOR_MS]"), std::string::npos) << bad;
    }
}

namespace {

// The simulator as a process with a link; killed at the end.
struct SimulatorProcess {
    pid_t pid = -1;
    std::string link;

    explicit SimulatorProcess(std::vector<std::string> args)
        : link(::testing::TempDir() + "dravinor-unplug-link-" + std::to_string(::getpid()))
    {
        args.insert(args.begin(), {dravinor::testing::simProgram().c_str(), "--no-pacing", "--link", link});
        std::vector<char*> argv;
        for (std::string& arg : args)
            argv.push_back(arg.data());
        argv.push_back(nullptr);
        pid = ::fork();
        if (pid == 0) {
            const int quiet = ::open("/dev/null", O_WRONLY);
            ::dup2(quiet, STDOUT_FILENO);
            ::dup2(quiet, STDERR_FILENO);
            ::execv(argv[0], argv.data());
            ::_exit(127);
        }
    }
    ~SimulatorProcess()
    {
        if (pid > 0) {
            ::kill(pid, SIGTERM);
            ::waitpid(pid, nullptr, 0);
        }
    }
    bool linked() const
    {
        std::error_code error;
        return std::filesystem::exists(link, error);
    }
    // Waits up to limitMs for the link to be there (or gone).
    bool becomes(bool present, int limitMs = 3000) const
    {
        for (int waited = 0; waited < limitMs; waited += 10) {
            if (linked() == present)
                return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return false;
    }
};

}  // namespace

TEST(PtySimulatorPlug, UnplugAfterRemovesTheLinkAndMakesItAgainOnANewPty)
{
    SimulatorProcess sim({"--unplug-after", "300,400"});
    ASSERT_TRUE(sim.becomes(true));
    // Held open as the tool would: the old pty must really go away.
    const int held = ::open(sim.link.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    ASSERT_GE(held, 0);
    const std::string first = std::filesystem::read_symlink(sim.link).string();
    ASSERT_TRUE(sim.becomes(false));
    pollfd hangUp{held, POLLIN, 0};
    EXPECT_EQ(::poll(&hangUp, 1, 0), 1);
    EXPECT_TRUE(hangUp.revents & POLLHUP) << "the old pty is closed";
    ASSERT_TRUE(sim.becomes(true));
    EXPECT_NE(std::filesystem::read_symlink(sim.link).string(), first) << "a new pty, the same link";
    ::close(held);
}

TEST(PtySimulatorPlug, SignalUnplugsAndPlugsInAgain)
{
    SimulatorProcess sim({});
    ASSERT_TRUE(sim.becomes(true));
    ::kill(sim.pid, SIGUSR1);
    EXPECT_TRUE(sim.becomes(false));
    ::kill(sim.pid, SIGUSR1);
    EXPECT_TRUE(sim.becomes(true));
}

TEST(CommandLine, IdentifyFaultsPausesStallsAndTheSeed)
{
    CommandLine c;
    std::string error;
    ASSERT_TRUE(parseCommandLine({"--late-identify", "80,2", "--identify-prefix", "0x44", "--pause-at", "9,700",
                                  "--stalls", "50-100,20", "--seed", "7"},
                                 c, error))
        << error;
    const FaultOptions& f = c.options.faults;
    EXPECT_EQ(f.lateIdentifyMs, 80);
    EXPECT_EQ(f.lateIdentifyNth, 2);
    EXPECT_EQ(f.identifyPrefix, 0x44);
    EXPECT_EQ(f.identifyPrefixNth, 0) << "without N every answer";
    EXPECT_EQ(f.pauseAddress, 9);
    EXPECT_EQ(f.pauseMs, 700);
    EXPECT_EQ(f.stallMinMs, 50);
    EXPECT_EQ(f.stallMaxMs, 100);
    EXPECT_EQ(f.stallPercent, 20);
    EXPECT_EQ(c.options.noiseSeed, 7u);
    CommandLine plain;
    ASSERT_TRUE(parseCommandLine({"--stalls", "60-60"}, plain, error)) << error;
    EXPECT_EQ(plain.options.faults.stallPercent, 100) << "every reply when no share is given";
    EXPECT_EQ(plain.options.faults.identifyPrefix, -1) << "the faults not asked for are off";
    EXPECT_EQ(plain.options.faults.pauseAddress, 0);

    const std::pair<const char*, const char*> refused[] = {
        {"--stalls", "100-50"},   {"--stalls", "50"},          {"--stalls", "50-100,101"},
        {"--pause-at", "36,10"},  {"--pause-at", "9"},         {"--identify-prefix", "256"},
        {"--late-identify", "0"}, {"--late-identify", "80,0"}, {"--seed", "0"},
    };
    for (const auto& [option, value] : refused) {
        CommandLine bad;
        EXPECT_FALSE(parseCommandLine({option, value}, bad, error)) << option << ' ' << value;
        EXPECT_NE(error.find(option), std::string::npos) << error;
    }
}
