#include "CliFixture.h"
#include "ControllerSimulator.h"
#include "params/LiveCsv.h"
#include "params/ParameterFile.h"
#include "params/ParameterState.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/stat.h>
#include <sys/wait.h>

#include <atomic>
#include <chrono>
#include <set>
#include <thread>
#include <tuple>

using namespace dravinor;
using dravinor::testing::CliFixture;
using dravinor::testing::PtyCli;
namespace fs = std::filesystem;

TEST_F(CliFixture, ReadSavesTheControllersSetAndKeepsABackupBesideIt)
{
    const fs::path file = dir / "car.PAR";
    auto run = cli("read -o '" + file.string() + "'");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_NE(run.out.find("2200 RPM"), std::string::npos);
    EXPECT_EQ(fs::file_size(file), 64u);
    EXPECT_EQ(fileBytes(file), controller.eeprom());

    auto changed = controller.eeprom();
    changed[4] = 123;
    controller.setEeprom(changed);
    run = cli("read -o '" + file.string() + "'");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(fileBytes(file)[4], 123);
    EXPECT_EQ(fileBytes(dir / "car.BAK")[4], 100);
}

TEST_F(CliFixture, FailedReadsAreNamedAndNoFileIsWritten)
{
    sim::FaultOptions faults;
    faults.wrongChecksum = true;
    controller.setFaults(faults);
    const auto run = cli("read -o '" + (dir / "x.PAR").string() + "'");
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_NE(run.err.find("address 1 2 3"), std::string::npos) << run.err;
    EXPECT_FALSE(fs::exists(dir / "x.PAR"));
}

TEST_F(CliFixture, SetWritesOneByteAndTheRamWordCarriesTheNextValue)
{
    const auto before = controller.eeprom();
    const auto run = cli("set 4 99");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(controller.eeprom()[4], 99);
    EXPECT_EQ(controller.ram()[40], 99);
    EXPECT_EQ(controller.ram()[41], before[5]);
}

TEST_F(CliFixture, SetOfAParameterKeptOnlyInEepromLeavesTheRamAlone)
{
    const auto ramBefore = controller.ram();
    const auto run = cli("set 34 1");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_NE(run.out.find("Parameter 34 = 1 written (EEPROM)\n"), std::string::npos) << run.out;
    EXPECT_EQ(controller.eeprom()[34], 1);
    EXPECT_EQ(controller.ram(), ramBefore);
    for (const auto& frame : controller.receivedFrames())
        EXPECT_NE(frame.bytes[0], 'R');
}

TEST_F(CliFixture, UnacknowledgedSetExitsThree)
{
    sim::FaultOptions faults;
    faults.ignoreFirstWrites = 1000;
    controller.setFaults(faults);
    const auto run = cli("set 4 99");
    EXPECT_EQ(run.exitCode, 3);
    EXPECT_NE(run.err.find("RAM EEPROM"), std::string::npos) << run.err;
}

TEST_F(CliFixture, WriteSendsAFileAndResetRestoresTheDefaults)
{
    std::array<std::uint8_t, 64> image{};
    for (int i = 1; i <= 35; ++i)
        image[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(200 - i);
    const fs::path file = dir / "other.PAR";
    std::ofstream(file, std::ios::binary).write(reinterpret_cast<const char*>(image.data()), 64);
    auto run = cli("write --yes '" + file.string() + "'");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    for (int i = 1; i <= 35; ++i)
        EXPECT_EQ(controller.eeprom()[static_cast<std::size_t>(i)], image[static_cast<std::size_t>(i)]);

    run = cli("reset --yes");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    params::ParameterState defaults;
    defaults.loadDefaults();
    for (int i = 1; i <= 35; ++i) {
        // Flag byte B keeps the controller's own bits 3-7 through a reset.
        const int mask = i == 30 ? 0x07 : 0xFF;
        EXPECT_EQ(controller.eeprom()[static_cast<std::size_t>(i)] & mask, defaults.block().get(i) & mask) << i;
    }
}

TEST_F(CliFixture, ShortFileIsNotWrittenOverParametersThatCouldNotBeRead)
{
    const auto before = controller.eeprom();
    const fs::path file = dir / "short.PAR";
    std::ofstream(file, std::ios::binary).write("\0\x20", 2);
    sim::FaultOptions faults;
    faults.wrongChecksum = true;
    controller.setFaults(faults);
    const auto run = cli("write --yes --force '" + file.string() + "'");
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_EQ(controller.eeprom(), before);
}

TEST_F(CliFixture, LiveStreamsCsvRows)
{
    const auto run = cli("live --count 5 --csv");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    std::istringstream lines(run.out);
    std::string line;
    std::getline(lines, line);
    EXPECT_EQ(line.rfind("time_s,answered,lambda_v", 0), 0u);
    int rows = 0;
    while (std::getline(lines, line)) {
        ++rows;
        EXPECT_NE(line.find(",1,"), std::string::npos) << line;
    }
    EXPECT_EQ(rows, 5);
    // The window's recordings and the CLI's stream are one format: the
    // window can replay what the CLI wrote, with the controller's settings.
    std::vector<params::LiveSample> samples;
    params::LiveCsvError error;
    ASSERT_TRUE(params::parseLiveCsv(run.out, samples, error))
        << error.line << ": fault " << static_cast<int>(error.fault);
    ASSERT_EQ(samples.size(), 5u);
    EXPECT_EQ(samples.front().timeMs, 0);
    const std::set<float> ignitionConstants{19200, 9600, 4800, 4000, 3200, 2400};
    for (const auto& sample : samples) {
        EXPECT_TRUE(sample.answered);
        EXPECT_TRUE(ignitionConstants.count(sample.settings.ignitionConstant)) << sample.settings.ignitionConstant;
        EXPECT_EQ(sample.settings.lambdaThreshold, controller.eeprom()[1]);
    }
}

TEST_F(CliFixture, BadFilesAndMissingPortsGiveClearErrors)
{
    auto run = cli("show '" + (dir / "missing.PAR").string() + "'");
    EXPECT_EQ(run.exitCode, 4);
    EXPECT_NE(run.err.find("missing.PAR"), std::string::npos);

    run = cli("defaults -o '" + (dir / "no-such-folder" / "d.PAR").string() + "'");
    EXPECT_EQ(run.exitCode, 4);
    EXPECT_FALSE(run.err.empty());

    std::ofstream(dir / "short.PAR", std::ios::binary).write("\0\x13\x1C", 3);
    run = cli("show '" + (dir / "short.PAR").string() + "'");
    EXPECT_EQ(run.exitCode, 4) << "not a parameter file: no listing that would mislead";
    EXPECT_NE(run.err.find("holds 3 bytes, not 64: it does not look like a parameter file"), std::string::npos)
        << run.err;
    EXPECT_TRUE(run.out.empty()) << run.out;
    run = cli("show --force '" + (dir / "short.PAR").string() + "'");
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_NE(run.err.find("3 bytes"), std::string::npos);

    // A scan names each port's own reason.
    run = cli("identify", "COM1=/dev/dravinor-no-such-tty,COM2=" + (dir / "short.PAR").string());
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_NE(run.err.find("no controller found"), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("COM1 (/dev/dravinor-no-such-tty): no such device"), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("short.PAR) is not a serial port"), std::string::npos) << run.err;

    run = cli("--port COM1 identify", "COM1=/dev/dravinor-no-such-tty");
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_NE(run.err.find("no such device"), std::string::npos) << run.err;

    run = cli("set 36 1");
    EXPECT_EQ(run.exitCode, 1);
    run = cli("frobnicate");
    EXPECT_EQ(run.exitCode, 1);
}

TEST_F(CliFixture, SilentControllerIsReported)
{
    controller.setSilent(true);
    const auto run = cli("--port COM1 identify");
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_NE(run.err.find("no controller answers on COM1"), std::string::npos) << run.err;
}

TEST_F(CliFixture, UnpluggedAdapterDuringWriteSaysHowFarItGotAndExitsTwo)
{
    std::array<std::uint8_t, 64> image{};
    for (int i = 1; i <= 35; ++i)
        image[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(i);
    const fs::path file = dir / "new.PAR";
    std::ofstream(file, std::ios::binary).write(reinterpret_cast<const char*>(image.data()), 64);
    sim::FaultOptions faults;
    faults.hangUpAfterFrames = 37 + 10;  // identify, 35 reads, identify, then ten writes
    controller.setFaults(faults);
    const auto run = cli("write --yes '" + file.string() + "'");
    EXPECT_EQ(run.exitCode, 2) << run.err;
    EXPECT_NE(run.err.find("the port went away"), std::string::npos) << run.err;
    EXPECT_TRUE(run.err.find("10 of the 35 parameters were written") != std::string::npos ||
                run.err.find("9 of the 35 parameters were written") != std::string::npos)
        << run.err;
    EXPECT_NE(run.err.find("mixed set"), std::string::npos) << run.err;
    EXPECT_EQ(run.err.find("not acknowledged"), std::string::npos) << run.err;
}

TEST_F(CliFixture, FilesOfTheWrongSizeAreNamedAndWrittenOnlyWithForce)
{
    const auto before = controller.eeprom();
    const fs::path big = dir / "big.PAR";
    std::ofstream(big, std::ios::binary) << std::string(100, '\x07');

    auto run = cli("show --force '" + big.string() + "'");
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_NE(run.err.find("holds 100 bytes, not 64"), std::string::npos) << run.err;

    run = cli("write --yes '" + big.string() + "'");
    EXPECT_EQ(run.exitCode, 4);
    EXPECT_NE(run.err.find("--force"), std::string::npos) << run.err;
    EXPECT_EQ(controller.eeprom(), before);
    EXPECT_TRUE(controller.receivedFrames().empty()) << "the controller is not even asked";

    run = cli("write --yes --force '" + big.string() + "'");
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(controller.eeprom()[35], 7);

    const fs::path fifo = dir / "x.PAR";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    run = cli("show '" + fifo.string() + "'");
    EXPECT_EQ(run.exitCode, 4);
    EXPECT_NE(run.err.find("not a parameter file"), std::string::npos) << run.err;
}

TEST_F(CliFixture, LiveExitsTwoWhenNoPollIsAnsweredAndThreeWhenSomeAreNot)
{
    constexpr std::size_t connectFrames = 37;  // identify, 35 reads, identify
    for (const auto& [answered, exitCode, text] :
         {std::tuple{std::size_t{0}, 2, "answered none of the 6 polls"}, {3, 3, "3 of 6 polls were not answered"}}) {
        controller.setSilent(false);
        controller.clearReceivedFrames();
        // Goes silent once the controller has heard so many frames.
        controller.beforeWrite = [this, frames = connectFrames + answered] {
            if (controller.receivedFrames().size() >= frames)
                controller.setSilent(true);
        };
        const auto run = cli("live --count 6 --csv");
        EXPECT_EQ(run.exitCode, exitCode) << run.err;
        EXPECT_NE(run.err.find(text), std::string::npos) << run.err;
    }
}

// A second and a half of live polls at 9600 baud over a real pty, by the
// program as the fitter starts it: no poll ahead of its 50 ms mark on the
// CSV's clock. A loaded machine may miss a reply window now and then
// (exit 3 says so); most polls are answered all the same.
TEST_F(PtyCli, LiveKeepsItsFiftyMillisecondPaceOnTheRealLine)
{
    const auto run = cli("live --count 30 --csv");
    ASSERT_TRUE(run.exitCode == 0 || run.exitCode == 3) << run.exitCode << ": " << run.err;
    std::vector<params::LiveSample> samples;
    params::LiveCsvError error;
    ASSERT_TRUE(params::parseLiveCsv(run.out, samples, error)) << error.line;
    ASSERT_EQ(samples.size(), 30u);
    const auto answered = std::count_if(samples.begin(), samples.end(), [](const auto& s) { return s.answered; });
    EXPECT_GE(answered, 20);
    // The i-th poll keeps its 50 ms mark: a late one moves the marks on, never back.
    for (std::size_t i = 0; i < samples.size(); ++i)
        EXPECT_GE(samples[i].timeMs, static_cast<std::int64_t>(i) * 50 - 1) << i;
}

// The program finds the shipped Polish language file beside it, as the
// window does, and lists a set in its words, Polish letters and all.
TEST_F(PtyCli, ShowAndReadSpeakThePolishLanguageFilesWords)
{
    params::ParameterState state;
    state.loadDefaults();
    const std::string par = (dir / "car.PAR").string();
    ASSERT_TRUE(params::saveParameterFile(par, state.block()).ok());
    for (const std::string& command : {"show '" + par + "'", std::string("read")}) {
        const auto run = cli(command);
        ASSERT_EQ(run.exitCode, 0) << run.err;
        EXPECT_NE(run.out.find("Temperatura przełączenia"), std::string::npos) << run.out;
        EXPECT_NE(run.out.find("Silnik powyżej TPS: "), std::string::npos);
        EXPECT_NE(run.out.find("Ilość kroków dla cut off"), std::string::npos);
        EXPECT_EQ(run.err.find("built-in captions"), std::string::npos) << run.err;
    }
}
