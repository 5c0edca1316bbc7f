#include "CliFixture.h"
#include "CliProcess.h"
#include "ControllerSimulator.h"
#include "TestLocations.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

using namespace dravinor;
using dravinor::testing::CliFixture;

namespace {

using AdaptRun = dravinor::testing::CliProcess;

struct PtyAdapt : ::testing::Test {
    sim::ControllerSimulator controller;

    void SetUp() override { ASSERT_TRUE(controller.start()); }

    std::vector<std::string> adapt(std::vector<std::string> more)
    {
        std::vector<std::string> words{"--port", controller.slavePath(), "adapt"};
        words.insert(words.end(), more.begin(), more.end());
        return words;
    }
    bool heardWrite(std::uint8_t address) const
    {
        const auto frames = controller.receivedFrames();
        return std::any_of(frames.begin(), frames.end(),
                           [&](const auto& f) { return f.bytes[0] == 's' && f.bytes[1] == address; });
    }
};

// The program over a pty finds the shipped Polish language file beside it and
// speaks its words; run in the test's process, it keeps the built-in ones.
constexpr const char* idlePrompt = "Proszę ustawić obroty biegu jałowego";
constexpr const char* builtInIdlePrompt = "Proszę ustawic obroty biegu jalowego";

}  // namespace

TEST_F(PtyAdapt, YesRunsEntryAndStep1IntoTheTpsPhaseAndSaysWhatWasWritten)
{
    AdaptRun run;
    run.start(adapt({"--ignition", "1", "--probe", "3", "--temperature-sensor", "off", "--yes"}), false);
    ASSERT_TRUE(run.readUntil(idlePrompt)) << run.output;
    // Each page starts with its caption and the instructions standing on it.
    EXPECT_NE(run.output.find("[Początek]\nProszę wybrać rodzaj układu zapłonowego"), std::string::npos) << run.output;
    EXPECT_NE(run.output.find("[Ustalenie progu TPS i kalibracja sondy]"), std::string::npos) << run.output;
    EXPECT_NE(run.output.find("Wybierz rodzaj sondy lambda: 1,6-0,8 Malejąca"), std::string::npos);
    EXPECT_NE(run.output.find("[x] Ustawiono zakres sondy"), std::string::npos);
    EXPECT_NE(run.output.find("[x] Ustawiono układ zapłonowy"), std::string::npos);

    // Step 1's choices are in the controller.
    const auto eeprom = controller.eeprom();
    EXPECT_EQ(eeprom[13], 1);
    EXPECT_EQ(eeprom[34], 3);
    EXPECT_EQ(eeprom[35], 1);  // ground emulation for a 0,8-1,6 probe
    EXPECT_EQ(eeprom[27], 0);
    EXPECT_EQ(eeprom[32] & 0x0A, 0);  // falling probe, no temperature sensor

    EXPECT_EQ(run.interruptAndWait(), 130);
    EXPECT_NE(run.output.find("ignition type and RPM words"), std::string::npos) << run.output;
    EXPECT_EQ(run.output.find("lambda threshold:"), std::string::npos);
}

TEST_F(PtyAdapt, OnATerminalTheResetIsAskedFirst)
{
    {
        AdaptRun declined;
        declined.start(adapt({"--ignition", "2", "--probe", "0"}), true);
        ASSERT_TRUE(declined.readUntil("kontynuować ? [t/N]")) << declined.output;
        controller.clearReceivedFrames();
        declined.type("n\n");
        EXPECT_EQ(declined.wait(), 1);
        EXPECT_FALSE(heardWrite(1));
    }
    AdaptRun confirmed;
    confirmed.start(adapt({"--ignition", "2", "--probe", "0", "--temperature-sensor", "off"}), true);
    ASSERT_TRUE(confirmed.readUntil("kontynuować ? [t/N]")) << confirmed.output;
    confirmed.type("t\n");
    ASSERT_TRUE(confirmed.readUntil(idlePrompt)) << confirmed.output;
    EXPECT_TRUE(heardWrite(13));
    EXPECT_EQ(confirmed.interruptAndWait(), 130);
}

TEST_F(CliFixture, AdaptBadArgumentsAndAMissingConfirmationWriteNothing)
{
    const struct {
        std::vector<std::string> arguments;
        const char* says;
    } cases[] = {
        {{"--ignition", "6", "--probe", "0", "--yes"}, "choose one of 0..5"},
        {{"--ignition", "2", "--probe", "x", "--yes"}, "5-0 [V]  Malejąca"},
        {{"--probe", "1", "--yes"}, "8 cylindrow"},
        {{"--ignition", "2", "--probe", "0", "--temperature-sensor", "maybe", "--yes"}, "say on or off"},
        {{"--ignition", "2", "--probe", "0"}, "confirm on a terminal, or add --yes"},  // stdin is no terminal
    };
    for (const auto& c : cases) {
        std::string words = "--port COM1 adapt";
        for (const auto& word : c.arguments)
            words += " " + word;
        const auto run = cli(words);
        EXPECT_EQ(run.exitCode, 1) << run.err;
        EXPECT_NE((run.out + run.err).find(c.says), std::string::npos) << run.out << run.err;
    }
    EXPECT_TRUE(controller.receivedFrames().empty());
}

TEST_F(CliFixture, AdaptWithoutAnAnsweringControllerEndsWithTwo)
{
    controller.setSilent(true);
    const auto run = cli("--port COM1 adapt --ignition 2 --probe 0 --yes");
    EXPECT_EQ(run.exitCode, 2) << run.out << run.err;
    EXPECT_NE(run.err.find("no controller answers"), std::string::npos) << run.err;
}

TEST_F(CliFixture, AdaptAfterAnIncompleteReadRefusesWithTwoAndWritesNothing)
{
    sim::FaultOptions faults;
    faults.wrongChecksum = true;  // every parameter read fails its check
    controller.setFaults(faults);
    const auto run = cli("--port COM1 adapt --ignition 2 --probe 0 --yes");
    EXPECT_EQ(run.exitCode, 2) << run.err;
    EXPECT_NE(run.err.find("no valid answer for address 1 2 3"), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("the adaptation starts only after a complete read"), std::string::npos) << run.err;
    EXPECT_EQ(run.out.find("Zakończono"), std::string::npos);
    const auto frames = controller.receivedFrames();
    EXPECT_TRUE(std::none_of(frames.begin(), frames.end(), [](const auto& f) { return f.bytes[0] == 's'; }));
}

TEST_F(CliFixture, AdaptWithAControllerGoneMidRunEndsWithTwoAndSaysWhatWasWritten)
{
    // The adapter goes once step 1 is written and the TPS phase polls.
    controller.beforeWrite = [this, polls = 0]() mutable {
        const auto frames = controller.receivedFrames();
        const bool step1 = std::any_of(frames.begin(), frames.end(),
                                       [](const auto& f) { return f.bytes[0] == 's' && f.bytes[1] == 34; });
        if (step1 && ++polls == 200)
            controller.hangUp();
    };
    const auto run = cli("--port COM1 adapt --ignition 2 --probe 4 --temperature-sensor off --yes");
    EXPECT_EQ(run.exitCode, 2) << run.out << run.err;
    EXPECT_NE(run.out.find(builtInIdlePrompt), std::string::npos) << run.out;
    EXPECT_NE((run.out + run.err).find("the port went away"), std::string::npos) << run.out << run.err;
    EXPECT_NE((run.out + run.err).find("Written to the controller:"), std::string::npos) << run.out << run.err;
}

TEST_F(CliFixture, AdaptAfterAnUnplugClaimsNoWriteThatNeverHappened)
{
    // The adapter goes once the entry reset's EEPROM writes reached 12.
    controller.beforeWrite = [this] {
        const auto frames = controller.receivedFrames();
        if (std::count_if(frames.begin(), frames.end(), [](const auto& f) { return f.bytes[0] == 's'; }) == 12)
            controller.hangUp();
    };
    const auto run = cli("--port COM1 adapt --ignition 2 --probe 0 --temperature-sensor off --yes");
    EXPECT_EQ(run.exitCode, 2) << run.out << run.err;
    EXPECT_EQ(run.out.find("[x] Ustawiono zakres sondy"), std::string::npos) << run.out;
    EXPECT_EQ(run.out.find("[x] Ustawiono układ zapłonowy"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("[ ] Ustawiono zakres sondy -- not acknowledged by the controller"), std::string::npos)
        << run.out;
    EXPECT_EQ(run.out.find("the default parameter set (the entry reset)"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("  the entry reset, in part: parameters 1-12 of the default set"), std::string::npos)
        << run.out;
    EXPECT_NE(run.out.find("Not acknowledged by the controller (the journal marks them):"), std::string::npos)
        << run.out;
    EXPECT_NE(run.out.find("  the entry reset: parameters 13-35 (the port went away)"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("  probe type: parameters 32, 27, 34, 35"), std::string::npos) << run.out;
}

// What a whole adaptation with the virtual fitter leaves: its output and
// the controller's parameters.
static void expectTheWholeCarCalibrated(const std::string& output, const std::array<std::uint8_t, 64>& eeprom)
{
    // The reducer page tells the fitter to turn the screw.
    // "sie" in the built-in words, "się" in the language file's.
    EXPECT_NE(output.find("[Regulacja reduktora]\nProszę zaczekać do momentu nagrzania si"), std::string::npos)
        << output;
    EXPECT_NE(output.find("sondy lambda i regulować reduktor"), std::string::npos) << output;

    EXPECT_EQ(eeprom[13], 2);
    EXPECT_EQ(eeprom[34], 0);
    EXPECT_EQ(eeprom[32] & 0x03, 0x03);  // rising TPS, rising probe
    // A swinging 0-1 V probe: a threshold inside its range, equal emulation times.
    EXPECT_GT(eeprom[1], 5);
    EXPECT_LT(eeprom[1], 50);
    EXPECT_EQ(eeprom[28], eeprom[29]);
    EXPECT_GT(eeprom[28], 0);
    // Each actuator range is derived from its own average start position.
    for (const int start : {4, 7}) {
        const int average = eeprom[start];
        EXPECT_EQ(eeprom[start + 2], average < 30 ? 20 : average - 10) << "start " << start;
        EXPECT_EQ(eeprom[start + 1], average > 215 ? 230 : average + 15) << "start " << start;
    }
    EXPECT_GT(eeprom[4], eeprom[7]);  // the stepper opens wider above the TPS threshold
}

// The whole adaptation in simulated time: the engine, the car and the
// virtual fitter on the fake clock, dravinor-cli in this process.
struct CliWithFitter : CliFixture {
    CliWithFitter() : CliFixture(withFitter()) {}
    static sim::SimulatorOptions withFitter()
    {
        sim::SimulatorOptions options;
        options.fitter = true;
        return options;
    }
};

TEST_F(CliWithFitter, AdaptYesWithTheVirtualFitterCalibratesTheWholeCar)
{
    const auto run = cli("--port COM1 adapt --ignition 2 --probe 0 --yes");
    ASSERT_EQ(run.exitCode, 0) << run.out << run.err;
    EXPECT_NE(run.out.find("Zakończono autoadaptację"), std::string::npos) << run.out;
    expectTheWholeCarCalibrated(run.out, controller.eeprom());
}

// A minute in real time: run where DRAVINOR_SLOW_TESTS is set (scripts/test.sh
// and the CI set it); the same adaptation runs above in simulated time.
TEST(SlowAdaptEndToEnd, YesWithTheVirtualFitterCalibratesTheWholeCarOverAPty)
{
    if (!std::getenv("DRAVINOR_SLOW_TESTS"))
        GTEST_SKIP() << "a minute in real time; DRAVINOR_SLOW_TESTS=1 runs it";
    sim::SimulatorOptions options;
    options.fitter = true;
    sim::ControllerSimulator controller(options);
    ASSERT_TRUE(controller.start());
    AdaptRun run;
    run.start({"--port", controller.slavePath(), "adapt", "--ignition", "2", "--probe", "0", "--yes"}, false);
    // About a minute of 50 ms ticks; the guard only stops a hang.
    ASSERT_TRUE(run.readUntil("Zakończono autoadaptację", std::chrono::seconds(200))) << run.output;
    EXPECT_EQ(run.wait(), 0) << run.output;
    expectTheWholeCarCalibrated(run.output, controller.eeprom());
}

// dravinor-sim as the fitter runs it, --fitter --probe stuck-lean on a pty of
// its own, and dravinor-cli adapt against it, both in real time (about half
// a minute up to the lambda swing's end); DRAVINOR_SLOW_TESTS=1 runs it. The
// same stop runs in simulated time in AdaptFailedProbeTest.
TEST(SlowAdaptEndToEnd, ADeadProbeStopsTheAdaptationBeforeItsThresholdAgainstTheSimulatorProgram)
{
    if (!std::getenv("DRAVINOR_SLOW_TESTS"))
        GTEST_SKIP() << "half a minute in real time; DRAVINOR_SLOW_TESTS=1 runs it";
    const std::string link = ::testing::TempDir() + "dravinor-dead-probe-" + std::to_string(::getpid());
    const pid_t simulator = fork();
    ASSERT_GE(simulator, 0);
    if (simulator == 0) {
        const int quiet = open("/dev/null", O_WRONLY);
        dup2(quiet, STDOUT_FILENO);
        dup2(quiet, STDERR_FILENO);
        execl(dravinor::testing::simProgram().c_str(), dravinor::testing::simProgram().c_str(), "--fitter", "--probe",
              "stuck-lean", "--link", link.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    struct Stop {
        pid_t pid;
        ~Stop()
        {
            kill(pid, SIGTERM);
            waitpid(pid, nullptr, 0);
        }
    } stop{simulator};
    for (int waited = 0; waited < 10000 && access(link.c_str(), F_OK) != 0; waited += 10)
        usleep(10'000);
    ASSERT_EQ(access(link.c_str(), F_OK), 0) << "the simulator made no pty";

    AdaptRun run;
    run.start({"--port", link, "adapt", "--ignition", "2", "--probe", "0", "--yes"}, false);
    ASSERT_TRUE(run.readUntil("adaptation stopped", std::chrono::seconds(200))) << run.output;
    EXPECT_EQ(run.wait(), 5) << run.output;
    EXPECT_NE(run.output.find("the lambda probe does not work: stuck lean"), std::string::npos) << run.output;
    EXPECT_EQ(run.output.find("Zakończono autoadaptację"), std::string::npos) << run.output;
    EXPECT_EQ(run.output.find("lambda threshold:"), std::string::npos) << run.output;
}
