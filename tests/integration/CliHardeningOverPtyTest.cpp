// dravinor-cli against the simulated controller when the adapter goes away,
// when a port name leads to no serial port, and when the journal is not
// the file it should be: honest exits, nothing hangs.
#include "CliFixture.h"
#include "JournalledWrite.h"
#include "params/JournalEntry.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <regex>
#include <string>
#include <utility>

#include <sys/stat.h>

using namespace dravinor;
using dravinor::testing::CliFixture;
using dravinor::testing::journalledWrite;
namespace fs = std::filesystem;

namespace {

bool has(const std::string& text, const std::string& part)
{
    return text.find(part) != std::string::npos;
}

}  // namespace

TEST_F(CliFixture, AdapterLossDuringSetExitsTwoAndSaysThePortWentAway)
{
    bool first = true;
    for (const char* arguments : {"set 5 7", "set PRLambda 0,5"}) {
        SCOPED_TRACE(arguments);
        if (!std::exchange(first, false)) {
            ASSERT_TRUE(controller.replug());  // the adapter plugged in again
        }
        sim::FaultOptions faults;
        faults.hangUpAfterFrames = 37;  // identify, 35 reads, identify: then the adapter is pulled
        controller.setFaults(faults);
        const auto run = cli(arguments);
        EXPECT_EQ(run.exitCode, 2) << run.err;
        EXPECT_TRUE(has(run.err, "the port went away")) << run.err;
        EXPECT_FALSE(has(run.out, "written")) << run.out;
    }
}

TEST_F(CliFixture, AdapterLossDuringWritePrintsOnlyWhatWasAcknowledged)
{
    std::array<std::uint8_t, 64> image{};
    for (int i = 1; i <= 35; ++i)
        image[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(200 - i);
    const fs::path file = dir / "new.PAR";
    std::ofstream(file, std::ios::binary).write(reinterpret_cast<const char*>(image.data()), 64);
    sim::FaultOptions faults;
    faults.hangUpAfterFrames = 37 + 10;  // ten EEPROM writes reach the controller
    controller.setFaults(faults);
    const auto run = cli("write --yes '" + file.string() + "'");
    EXPECT_EQ(run.exitCode, 2) << run.err;
    EXPECT_TRUE(has(run.out, "acknowledged by EEPROM before the port went away")) << run.out;
    EXPECT_FALSE(has(run.out, "then the RAM copy")) << run.out;
    // Only the values the controller took are told as changed, not all 34.
    std::smatch count;
    ASSERT_TRUE(std::regex_search(run.out, count, std::regex("(\\d+) values? differs?\\."))) << run.out;
    EXPECT_LE(std::stoi(count[1]), 10) << run.out;
    EXPECT_GE(std::stoi(count[1]), 8) << run.out;
}

TEST_F(CliFixture, ANameThatLeadsToNoSerialPortIsSaidSoAndNobodyIsBlamed)
{
    for (const char* device : {"/dev/null", "/dev/ptmx"}) {
        SCOPED_TRACE(device);
        const auto run = cli("--port COM1 identify", std::string("COM1=") + device);
        EXPECT_EQ(run.exitCode, 2) << run.err;
        EXPECT_TRUE(has(run.err, std::string("COM1 (") + device + ") is not a serial port")) << run.err;
        EXPECT_FALSE(has(run.err, "in use")) << run.err;
    }
    const auto ports = cli("ports", "COM1=/dev/null");
    EXPECT_EQ(ports.exitCode, 0) << ports.err;
    EXPECT_FALSE(has(ports.out, "held by")) << ports.out;
}

TEST_F(CliFixture, APortNamedTwiceOrAListOfCommasIsRefused)
{
    const std::string pty = controller.slavePath();
    auto run = cli("identify", "COM1=" + pty + ",COM1=/dev/null");
    EXPECT_EQ(run.exitCode, 1) << run.err;
    EXPECT_TRUE(has(run.err, "DRAVINOR_PORTS: COM1 is assigned twice")) << run.err;
    run = cli("identify", ",");
    EXPECT_EQ(run.exitCode, 1) << run.err;
    EXPECT_TRUE(has(run.err, "names no port")) << run.err;
    EXPECT_TRUE(controller.receivedFrames().empty());
}

TEST_F(CliFixture, AJournalThatIsAFolderOrAFifoIsToldAndTheRestIsListed)
{
    const fs::path journal = folder.journal();
    {
        std::ofstream older(fs::path(journal) += ".1");
        older << params::formatJournalLine(journalledWrite(1)) << '\n'
              << params::formatJournalLine(journalledWrite(2, 19, 25, "2026-99-99T99:99:99")) << '\n';
    }
    fs::create_directory(journal);
    auto run = cli("journal");
    EXPECT_EQ(run.exitCode, 4) << run.err;
    EXPECT_TRUE(has(run.err, "journal.log is a folder")) << run.err;
    EXPECT_TRUE(has(run.out, "F1 @1")) << run.out;
    // An impossible time is shown as stored, marked, never as a date of 2034.
    EXPECT_TRUE(has(run.out, "2026-99-99T99:99:99 (invalid time)")) << run.out;
    EXPECT_FALSE(has(run.out, "2034")) << run.out;

    fs::remove(journal);
    ASSERT_EQ(::mkfifo(journal.c_str(), 0600), 0);
    run = cli("journal --last 1");
    EXPECT_EQ(run.exitCode, 4) << run.err;
    EXPECT_TRUE(has(run.err, "not a regular file")) << run.err;
    EXPECT_TRUE(has(run.out, "F2 @2")) << run.out;
    EXPECT_FALSE(has(run.out, "F1 @1")) << run.out;

    // A write still goes to the controller; the journal's trouble is told.
    run = cli("set 4 110");
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_TRUE(has(run.err, "journal could not be written")) << run.err;
    EXPECT_EQ(controller.eeprom()[4], 110);
}

TEST_F(CliFixture, JournalLastListsOnlyTheNewestEntries)
{
    const fs::path journalFile = folder.journal();
    {
        std::ofstream journal(journalFile);
        for (int i = 1; i <= 35; ++i)
            journal << params::formatJournalLine(journalledWrite(i)) << '\n';
    }
    const auto run = cli("journal --last 3");
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_TRUE(has(run.out, "F35 @35")) << run.out;
    EXPECT_TRUE(has(run.out, "F33 @33")) << run.out;
    EXPECT_FALSE(has(run.out, "F32 @32")) << run.out;
    EXPECT_LT(run.out.find("F35 @35"), run.out.find("F33 @33"));
}
