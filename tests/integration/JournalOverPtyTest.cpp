#include "CliFixture.h"
#include "params/ControllerSession.h"
#include "params/JournalUndo.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include <sys/wait.h>
#include <unistd.h>

using namespace dravinor;
namespace fs = std::filesystem;

namespace {

// A whole session (port, transfer, journal) against the simulated
// controller on COM1, journalling into the test's own folder, where the
// command-line tool journals too.
struct JournalOnLine : dravinor::testing::CliFixture {
    std::unique_ptr<params::ControllerSession> session;

    void SetUp() override
    {
        link::PortMap map;
        map.assign(0, controller.slavePath());
        session = std::make_unique<params::ControllerSession>(map, controller.wiring(folder.journal()));
    }

    std::vector<params::JournalEntry> newestFirst() const
    {
        auto entries = params::joinWordHalves(session->journal().readOldestFirst());
        std::reverse(entries.begin(), entries.end());
        return entries;
    }
    params::UndoPlan plan() const
    {
        return params::planUndo(session->journal(), session->writeTarget(), session->port().controllerConnected());
    }

    // What the command printed, output and errors.
    std::string cli(const std::string& arguments, int* exitCode)
    {
        const auto run = CliFixture::cli(arguments);
        *exitCode = run.exitCode;
        return run.out + run.err;
    }
};

}  // namespace

TEST_F(JournalOnLine, UndoWritesTheOldValuesBackWordsWholeAndIsJournalled)
{
    ASSERT_TRUE(session->connection().connectToPort("COM1").connected);
    const auto original = controller.eeprom();
    auto& transfer = session->transfer();
    ASSERT_FALSE(transfer.writeParameter(params::Address(1), 25).failed());
    // A 16-bit field, high byte first, as the pages write it.
    const std::uint16_t period = 1600;
    ASSERT_FALSE(transfer.writeParameter(params::Address(14), period >> 8).failed());
    ASSERT_FALSE(transfer.writeParameter(params::Address(15), period & 0xFF).failed());
    ASSERT_EQ(controller.eeprom()[15], period & 0xFF);

    auto undo = plan();
    ASSERT_EQ(undo.refusal, params::UndoRefusal::None);
    EXPECT_EQ(undo.entry.field, "ODPBenzynaGas");
    EXPECT_EQ(undo.entry.lastAddress, 15);
    ASSERT_TRUE(params::undoWrite(transfer, undo.entry));
    EXPECT_EQ(controller.eeprom()[14], original[14]);
    EXPECT_EQ(controller.eeprom()[15], original[15]);
    EXPECT_EQ(session->state().block().get(15), original[15]);

    undo = plan();
    ASSERT_EQ(undo.entry.address, 1);
    // Refused while no controller is connected; nothing is sent.
    session->port().close();
    EXPECT_EQ(plan().refusal, params::UndoRefusal::NotConnected);
    ASSERT_TRUE(session->connection().connectToPort("COM1").connected);
    ASSERT_EQ(plan().refusal, params::UndoRefusal::None);
    ASSERT_TRUE(params::undoWrite(transfer, plan().entry));
    EXPECT_EQ(controller.eeprom()[1], original[1]);
    EXPECT_EQ(plan().refusal, params::UndoRefusal::NothingToUndo);

    const auto entries = newestFirst();
    ASSERT_EQ(entries.size(), 4u);
    EXPECT_EQ(entries[0].source, params::WriteSource::Undo);
    EXPECT_EQ(entries[0].address, 1);
    EXPECT_EQ(*entries[0].oldRaw, 25u);
    EXPECT_EQ(entries[0].newRaw, original[1]);
    EXPECT_EQ(entries[1].source, params::WriteSource::Undo);
    EXPECT_EQ(entries[1].newShown, "2200 RPM");
    EXPECT_EQ(entries[2].newShown, "2400 RPM");
    for (const auto& entry : entries) {
        EXPECT_EQ(entry.port, "COM1");
        EXPECT_EQ(entry.controller, "1/3");
        EXPECT_TRUE(entry.acknowledged);
    }
}

TEST_F(JournalOnLine, AnUnansweredWriteIsJournalledAsSuchAndNeverUndone)
{
    ASSERT_TRUE(session->connection().connectToPort("COM1").connected);
    controller.setSilent(true);
    EXPECT_TRUE(session->transfer().writeParameter(params::Address(1), 25).failed());
    const auto entries = newestFirst();
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_FALSE(entries[0].acknowledged);
    EXPECT_EQ(plan().refusal, params::UndoRefusal::NothingToUndo);
}

TEST_F(JournalOnLine, TheCommandLineJournalsItsWritesAndListsThemNewestFirst)
{
    int code = -1;
    EXPECT_NE(cli("journal", &code).find("No writes in the journal"), std::string::npos);
    EXPECT_EQ(code, 0);
    cli("set 1 25", &code);
    ASSERT_EQ(code, 0);
    cli("reset --yes", &code);
    ASSERT_EQ(code, 0);

    const std::string all = cli("journal", &code);
    EXPECT_EQ(code, 0);
    const auto reset = all.find("reset (cli)  35/35 acknowledged, 1 changed, backup ");
    const auto back = all.find("bulk (cli)  PRLambda @1: 0,50 V [25] -> 0,38 V [19]  acknowledged");
    const auto set = all.find("write (cli)  PRLambda @1: 0,38 V [19] -> 0,50 V [25]  acknowledged");
    ASSERT_NE(reset, std::string::npos) << all;
    ASSERT_NE(back, std::string::npos) << all;
    ASSERT_NE(set, std::string::npos) << all;
    EXPECT_LT(reset, back);
    EXPECT_LT(back, set);
    EXPECT_NE(all.find("  COM1  1/3  "), std::string::npos);

    const std::string last = cli("journal --last 1", &code);
    EXPECT_EQ(std::count(last.begin(), last.end(), '\n'), 1);
    EXPECT_NE(last.find("reset (cli)"), std::string::npos);
    for (const char* bad : {"journal --last 0", "journal --last x", "journal --last", "journal extra"}) {
        EXPECT_NE(cli(bad, &code).find("Try 'dravinor-cli journal --help'."), std::string::npos) << bad;
        EXPECT_EQ(code, 1) << bad;
    }
}

TEST_F(JournalOnLine, TheCommandLineJournalMarksRewritesOfAnUnchangedValueAndWhatUndoTakesNext)
{
    int code = -1;
    cli("set 1 25", &code);
    ASSERT_EQ(code, 0);
    cli("set 1 25", &code);  // the controller already holds 25
    ASSERT_EQ(code, 0);
    const std::string all = cli("journal", &code);
    const auto rewrite =
        all.find("PRLambda @1: 0,50 V [25] -> 0,50 V [25]  acknowledged  (unchanged, skipped by undo)\n");
    const auto change = all.find("PRLambda @1: 0,38 V [19] -> 0,50 V [25]  acknowledged  (next to undo)\n");
    ASSERT_NE(rewrite, std::string::npos) << all;
    ASSERT_NE(change, std::string::npos) << all;
    EXPECT_LT(rewrite, change);

    // Marks come from the whole journal, also when only the newest line is listed.
    const std::string last = cli("journal --last 1", &code);
    EXPECT_NE(last.find("(unchanged, skipped by undo)"), std::string::npos) << last;
}

TEST_F(JournalOnLine, ABulkWriteAndItsRewritesAreOneJournalEntryThatTellsThem)
{
    ASSERT_TRUE(session->connection().connectToPort("COM1").connected);
    session->state().block().setParameter(params::Address(5), 40);
    sim::FaultOptions faults;
    faults.ignoreFirstWrites = 5;  // 's' 1..5 lost
    controller.setFaults(faults);
    const auto outcome = session->transfer().writeAll();
    ASSERT_TRUE(outcome.allConfirmed());
    const auto entries = newestFirst();
    ASSERT_EQ(entries.size(), 2u);  // the line of the one changed parameter, and the summary
    EXPECT_EQ(entries[0].kind, params::JournalKind::WriteAll);
    EXPECT_TRUE(entries[0].acknowledged);
    EXPECT_EQ(entries[0].note, "35/35 acknowledged, 1 changed, re-written one by one: 1 2 3 4 5 6, backup " +
                                   outcome.backup.file.filename().string());
    EXPECT_EQ(entries[1].kind, params::JournalKind::Bulk);
    EXPECT_EQ(entries[1].address, 5);
    EXPECT_TRUE(entries[1].acknowledged);
    // The re-writes are no field writes: undo takes the bulk write back whole.
    EXPECT_EQ(plan().refusal, params::UndoRefusal::None);
    EXPECT_TRUE(plan().bulk());
}
