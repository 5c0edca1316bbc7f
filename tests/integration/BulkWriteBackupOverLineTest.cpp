// Bulk writes keep the controller's set first, write and reset never run
// unasked, and the bulk-write messages say what happened: on the simulated
// line, and on a real terminal over a pty where a question is asked.

#include "CliFixture.h"
#include "CliProcess.h"
#include "ControllerSimulator.h"
#include "params/ControllerSession.h"
#include "params/JournalUndo.h"

#include "params/ParameterFile.h"

#include <gtest/gtest.h>

#include <fstream>

using namespace dravinor;
using dravinor::testing::CliFixture;
namespace fs = std::filesystem;

namespace {

using Image = std::array<std::uint8_t, 64>;

std::vector<std::uint8_t> parameters(const Image& image)
{
    return {image.begin() + 1, image.begin() + 36};
}

Image fileImage(const fs::path& path)
{
    params::ParameterBlock block;
    EXPECT_TRUE(params::loadParameterFile(path, block).ok()) << path;
    return block.bytes();
}

std::vector<fs::path> backupsIn(const fs::path& folder)
{
    std::vector<fs::path> files;
    std::error_code none;
    for (const auto& entry : fs::directory_iterator(folder / "backups", none))
        files.push_back(entry.path());
    return files;
}

// A whole session against the simulated controller on COM1, journalling and
// keeping its backups in the test's folder, beside the command line's.
struct BackupOnLine : CliFixture {
    std::unique_ptr<params::ControllerSession> session;

    void SetUp() override
    {
        link::PortMap map;
        map.assign(0, controller.slavePath());
        session = std::make_unique<params::ControllerSession>(map, controller.wiring(folder.journal()));
    }
    fs::path writeFile(const char* name, const Image& image)
    {
        const fs::path path = dir / name;
        std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(image.data()), 64);
        return path;
    }
    Image patternImage() const
    {
        Image image{};
        for (int i = 1; i <= 35; ++i)
            image[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(i * 3 + 1);
        return image;
    }
    bool heardWrites() const
    {
        const auto frames = controller.receivedFrames();
        return std::any_of(frames.begin(), frames.end(),
                           [](const auto& f) { return f.bytes[0] == 's' || f.bytes[0] == 'R'; });
    }
};

}  // namespace

TEST_F(BackupOnLine, EveryBulkWriteKeepsTheSetTheControllerHeldItsEditsIncluded)
{
    ASSERT_TRUE(session->connection().connectToPort("COM1").connected);
    const Image read = controller.eeprom();
    auto& transfer = session->transfer();
    ASSERT_FALSE(transfer.writeParameter(params::Address(1), 25).failed());

    const auto outcome = transfer.resetParameters();
    ASSERT_EQ(outcome.backup.status, params::SetBackup::Status::Kept);
    EXPECT_EQ(outcome.backup.file.parent_path(), folder / "backups");
    EXPECT_TRUE(outcome.backup.file.filename().string().ends_with("-typ1-wersja3.PAR")) << outcome.backup.file;
    Image expected = read;
    expected[1] = 25;  // acknowledged after the read: the controller held it
    EXPECT_EQ(fileImage(outcome.backup.file), expected);

    // The journal's summary names it, and undo plans to write it back.
    const auto plan = params::planUndo(session->journal(), session->writeTarget(), true);
    EXPECT_EQ(plan.refusal, params::UndoRefusal::None);
    ASSERT_TRUE(plan.bulk());
    EXPECT_EQ(params::journalBackupName(plan.entry), outcome.backup.file.filename().string());
    const auto backup = params::backupOf(plan.entry, session->backups());
    ASSERT_TRUE(backup.usable());
    const auto back = params::writeBackupBack(transfer, session->state(), *backup.read.set);
    EXPECT_TRUE(back.allConfirmed());
    EXPECT_EQ(parameters(controller.eeprom()), parameters(expected));
    EXPECT_TRUE(back.backup.kept()) << "an undo keeps what it replaces too";
}

TEST_F(BackupOnLine, AnIncompleteReadOrNoControllerKeepsNoBackupAndWriteSaysSo)
{
    sim::FaultOptions faults;
    faults.wrongChecksum = true;  // no read is accepted
    controller.setFaults(faults);
    const auto run = cli("write --yes '" + writeFile("other.PAR", patternImage()).string() + "'");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_NE(run.err.find("no backup of the controller's set was kept: its parameters could not all be read"),
              std::string::npos)
        << run.err;

    // Nothing connected: there is no set to keep, and nothing to say.
    controller.setFaults({});
    EXPECT_EQ(session->transfer().writeAll().backup.status, params::SetBackup::Status::NoController);
    EXPECT_TRUE(backupsIn(folder.path()).empty());
}

TEST_F(BackupOnLine, WriteAndResetWithoutATerminalWriteTheWholeSetUnasked)
{
    const Image before = controller.eeprom();
    const fs::path file = writeFile("other.PAR", patternImage());
    for (const std::string& command : {"write '" + file.string() + "'", std::string("reset")}) {
        controller.clearReceivedFrames();
        const auto run = cli(command);
        EXPECT_EQ(run.exitCode, 1) << command << run.err;
        EXPECT_NE(run.err.find("replaces the controller's parameters: confirm on a terminal, or add --yes"),
                  std::string::npos)
            << run.err;
        EXPECT_TRUE(controller.receivedFrames().empty()) << command << ": nothing is even asked of the controller";
    }
    EXPECT_EQ(controller.eeprom(), before);
}

TEST_F(BackupOnLine, WriteWithYesKeepsTheSetItReplacesAndTheJournalNamesIt)
{
    const Image before = controller.eeprom();
    const auto run = cli("write --yes '" + writeFile("other.PAR", patternImage()).string() + "'");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const auto files = backupsIn(folder.path());
    ASSERT_EQ(files.size(), 1u);
    EXPECT_EQ(fileImage(files[0]), before);
    EXPECT_NE(run.err.find("The controller's set before the write is kept as " + files[0].string() + "\n"),
              std::string::npos)
        << run.err;
    const auto journal = cli("journal --last 1");
    EXPECT_NE(journal.out.find(", backup " + files[0].filename().string() + "  acknowledged  (next to undo)"),
              std::string::npos)
        << journal.out;
}

TEST_F(BackupOnLine, WriteCountsItsRewritesOtherwiseThanItListsThem)
{
    sim::FaultOptions faults;
    faults.ignoreFirstWrites = 2;  // two frames lost, three parameters written again
    controller.setFaults(faults);
    const auto run = cli("write --yes '" + writeFile("car.PAR", patternImage()).string() + "'");
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_NE(run.err.find("3 parameters were not confirmed by the bulk frames; written again one by one: 1 2 3\n"),
              std::string::npos)
        << run.err;
}

TEST_F(BackupOnLine, WriteCutOffInTheRamPassClaimsTheWholeSetWasWritten)
{
    sim::FaultOptions faults;
    faults.hangUpAfterFrames = 37 + 35 + 10;  // identify, 35 reads, identify, EEPROM, ten RAM words
    controller.setFaults(faults);
    const auto run = cli("write --yes '" + writeFile("new.PAR", patternImage()).string() + "'");
    EXPECT_EQ(run.exitCode, 2) << run.err;
    EXPECT_NE(run.err.find("35 of the 35 parameters were written to EEPROM, but the RAM copy it works from was "
                           "refreshed for only "),
              std::string::npos)
        << run.err;
    EXPECT_NE(run.err.find(" of its 32 words; write the whole set again"), std::string::npos) << run.err;
    EXPECT_NE(run.out.find(" of its 32 words before the port went away"), std::string::npos) << run.out;
}

TEST(PtyWriteAndReset, OnATerminalAskWithTheValuesTheyChangeAndSendNothingOnNo)
{
    sim::ControllerSimulator controller;
    ASSERT_TRUE(controller.start());
    dravinor::testing::StateFolder folder;
    // The processes journal and keep their backups in this test's folder.
    const std::string programFolder = std::getenv("DRAVINOR_STATE_DIR") ? std::getenv("DRAVINOR_STATE_DIR") : "";
    ::setenv("DRAVINOR_STATE_DIR", folder.path().c_str(), 1);
    struct Restore {
        std::string value;
        ~Restore()
        {
            if (value.empty())
                ::unsetenv("DRAVINOR_STATE_DIR");
            else
                ::setenv("DRAVINOR_STATE_DIR", value.c_str(), 1);
        }
    } restore{programFolder};
    Image image = controller.eeprom();
    image[4] = static_cast<std::uint8_t>(image[4] + 1);
    image[5] = static_cast<std::uint8_t>(image[5] + 1);
    const fs::path file = folder / "car.PAR";
    std::ofstream(file, std::ios::binary).write(reinterpret_cast<const char*>(image.data()), 64);
    const auto writes = [&controller] {
        const auto frames = controller.receivedFrames();
        return std::count_if(frames.begin(), frames.end(), [](const auto& f) { return f.bytes[0] == 's'; });
    };
    const std::vector<std::string> write{"--port", controller.slavePath(), "write", file.string()};
    {
        dravinor::testing::CliProcess declined;
        declined.start(write, true);
        ASSERT_TRUE(declined.readUntil("It changes 2 values; its present set is kept as a backup first. [y/N] "))
            << declined.output;
        declined.type("\n");
        EXPECT_EQ(declined.wait(), 1);
        EXPECT_NE(declined.output.find("nothing written"), std::string::npos) << declined.output;
        EXPECT_EQ(writes(), 0);
    }
    dravinor::testing::CliProcess confirmed;
    confirmed.start(write, true);
    ASSERT_TRUE(confirmed.readUntil("[y/N] ")) << confirmed.output;
    confirmed.type("y\n");
    EXPECT_EQ(confirmed.wait(), 0) << confirmed.output;
    EXPECT_EQ(controller.eeprom()[4], image[4]);

    dravinor::testing::CliProcess reset;
    reset.start({"--port", controller.slavePath(), "reset"}, true);
    ASSERT_TRUE(reset.readUntil("Write the default parameter set to the controller on ")) << reset.output;
    ASSERT_TRUE(reset.readUntil("[y/N] ")) << reset.output;
    controller.clearReceivedFrames();
    reset.type("no\n");
    EXPECT_EQ(reset.wait(), 1);
    EXPECT_EQ(writes(), 0);
}
