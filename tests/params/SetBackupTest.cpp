// The controller's set kept before a bulk write: its name and folder, the
// journal line that names it, and how undo finds and orders it.

#include "params/SetBackup.h"
#include "StateFolder.h"
#include "params/JournalRecorder.h"
#include "params/JournalUndo.h"
#include "params/ParameterTransfer.h"

#include <gtest/gtest.h>

#include <fstream>

using namespace dravinor::params;
namespace fs = std::filesystem;

namespace {

std::tm at(int year, int month, int day, int hour, int minute, int second)
{
    std::tm t{};
    t.tm_year = year - 1900;
    t.tm_mon = month - 1;
    t.tm_mday = day;
    t.tm_hour = hour;
    t.tm_min = minute;
    t.tm_sec = second;
    return t;
}

ParameterBlock patternSet()
{
    ParameterBlock set;
    for (int address = 1; address <= 35; ++address)
        set.setParameter(Address(address), static_cast<std::uint8_t>(address * 5));
    return set;
}

JournalEntry summary(JournalKind kind, WriteSource source, const std::string& note, bool acknowledged = true)
{
    JournalEntry entry;
    entry.time = "2026-12-08T07:32:05.123Z";
    entry.port = "COM1";
    entry.controller = "3/1";
    entry.kind = kind;
    entry.source = source;
    entry.note = note;
    entry.acknowledged = acknowledged;
    return entry;
}

JournalEntry fieldWrite(int address, unsigned oldRaw, unsigned newRaw, WriteSource source = WriteSource::Field)
{
    JournalEntry entry = summary(JournalKind::Write, source, "");
    entry.address = entry.lastAddress = address;
    entry.oldRaw = oldRaw;
    entry.newRaw = newRaw;
    return entry;
}

}  // namespace

TEST(SetBackupNames, TellTheTimeAndTheControllerAndNeverAPath)
{
    EXPECT_EQ(SetBackups::fileName(at(2026, 12, 8, 8, 32, 5), dravinor::link::ControllerIdentity(0x31)),
              "2026-12-08-083205-typ1-wersja3.PAR");
    EXPECT_EQ(SetBackups::fileName(at(2027, 1, 2, 23, 0, 9), std::nullopt), "2027-01-02-230009-unknown.PAR");
    EXPECT_EQ(SetBackups::folderBeside("/state/dravinor/journal.log"), fs::path("/state/dravinor/backups"));

    const SetBackups backups("/state/backups");
    EXPECT_EQ(backups.fileNamed("2026-12-08-083205-typ1-wersja3.PAR"),
              fs::path("/state/backups/2026-12-08-083205-typ1-wersja3.PAR"));
    // The journal is a text file: a name in it must not lead undo elsewhere.
    for (const char* name : {"", "../car.PAR", "/etc/car.PAR", "sub/car.PAR", ".hidden.PAR", "car.BAK", "car"})
        EXPECT_FALSE(backups.fileNamed(name)) << name;
}

TEST(SetBackupNames, KeepingTwiceInOneSecondMakesTwoFilesAndReplacesNone)
{
    dravinor::testing::StateFolder folder;
    constexpr std::time_t fixed = 1'800'000'000;
    const SetBackups backups(folder / "backups", [] { return fixed; });
    const ParameterBlock first = patternSet();
    ParameterBlock second = first;
    second.setParameter(Address(1), 1);

    const SetBackup a = backups.keep(first, dravinor::link::ControllerIdentity(0x31));
    const SetBackup b = backups.keep(second, dravinor::link::ControllerIdentity(0x31));
    ASSERT_TRUE(a.kept());
    ASSERT_TRUE(b.kept());
    EXPECT_NE(a.file, b.file);
    EXPECT_EQ(a.file.parent_path(), folder / "backups");
    EXPECT_EQ(b.file.filename().string(), a.file.stem().string() + "-2.PAR");
    EXPECT_EQ(readBackup(a.file).set, first);
    EXPECT_EQ(readBackup(b.file).set, second);
}

TEST(SetBackupNames, AFolderThatCannotBeMadeIsSaidAndAShortFileIsNoBackup)
{
    dravinor::testing::StateFolder folder;
    std::ofstream(folder / "backups") << "a file where the folder should be";
    const SetBackup backup =
        SetBackups(folder / "backups").keep(patternSet(), dravinor::link::ControllerIdentity(0x31));
    EXPECT_EQ(backup.status, SetBackup::Status::NotSaved);
    EXPECT_FALSE(backup.systemText.empty());

    std::ofstream(folder / "short.PAR") << "abc";
    const BackupRead read = readBackup(folder / "short.PAR");
    EXPECT_TRUE(read.load.ok());
    EXPECT_TRUE(read.wrongSize);
    EXPECT_FALSE(read.set);
    EXPECT_FALSE(readBackup(folder / "missing.PAR").load.ok());
}

TEST(SetBackupJournal, TheSummaryNamesTheBackupLastAndSaysWhyThereIsNone)
{
    const WriteSource session = WriteSource::Cli;
    const ParameterBlock set = patternSet();
    AddressSet known;
    BulkWriteOutcome outcome;
    for (std::size_t address = 1; address <= 35; ++address) {
        known.set(address);
        outcome.eepromWritten.set(address);
        outcome.confirmed.set(address);
    }
    outcome.backup.status = SetBackup::Status::Kept;
    outcome.backup.file = "/state/backups/2026-12-08-083205-typ1-wersja3.PAR";
    const BulkWrite write{WriteKind::Reset, session, set, known, set, outcome};
    const auto entries = bulkWriteEntries(write, {"COM1", "3/1"}, "2026-12-08T07:32:05.123Z");
    ASSERT_FALSE(entries.empty());
    EXPECT_EQ(entries.back().note, "35/35 acknowledged, 0 changed, backup 2026-12-08-083205-typ1-wersja3.PAR");
    EXPECT_EQ(journalBackupName(entries.back()), "2026-12-08-083205-typ1-wersja3.PAR");
    // Read back from its line, as undo reads it.
    EXPECT_EQ(journalBackupName(*parseJournalLine(formatJournalLine(entries.back()))),
              "2026-12-08-083205-typ1-wersja3.PAR");

    outcome.backup = {};
    outcome.backup.status = SetBackup::Status::SetNotKnown;
    const auto none = bulkWriteEntries(write, {"COM1", "3/1"}, "t");
    EXPECT_EQ(none.back().note, "35/35 acknowledged, 0 changed, no backup (the controller's set was not read whole)");
    EXPECT_EQ(journalBackupName(none.back()), "");
    // Only a bulk write's summary names a backup.
    EXPECT_EQ(journalBackupName(fieldWrite(1, 19, 25)), "");
}

TEST(SetBackupUndo, ABulkWriteWithABackupIsTakenBackWholeInTurnWithSingleWrites)
{
    const std::string backup = ", backup 2026-12-08-083205-typ1-wersja3.PAR";
    // Newest first: an edit after the reset, the reset, an edit before it.
    std::vector<JournalEntry> journal{fieldWrite(4, 120, 90),
                                      summary(JournalKind::Reset, WriteSource::Field, "35/35 acknowledged" + backup),
                                      fieldWrite(1, 19, 25)};
    EXPECT_EQ(undoMarks(journal), (std::vector<UndoMark>{UndoMark::Next, UndoMark::None, UndoMark::None}));

    // The edit taken back: the reset is next, its backup written back whole.
    journal.insert(journal.begin(), fieldWrite(4, 90, 120, WriteSource::Undo));
    EXPECT_EQ(undoMarks(journal)[2], UndoMark::Next);
    EXPECT_TRUE(isBulkSummary(*undoTarget(journal)));

    // A backup written back only in part is offered again; written whole, the
    // edit before the reset comes next.
    journal.insert(journal.begin(),
                   summary(JournalKind::WriteAll, WriteSource::Undo, "34/35 acknowledged" + backup, false));
    EXPECT_EQ(undoMarks(journal)[3], UndoMark::Next);
    journal.insert(journal.begin(), summary(JournalKind::WriteAll, WriteSource::Undo, "35/35 acknowledged" + backup));
    EXPECT_EQ(undoMarks(journal), (std::vector<UndoMark>{UndoMark::UndoWrite, UndoMark::UndoWrite, UndoMark::UndoWrite,
                                                         UndoMark::TakenBack, UndoMark::TakenBack, UndoMark::Next}));

    // A bulk write that kept no backup is passed by, as before there were backups.
    const std::vector<JournalEntry> without{
        summary(JournalKind::Reset, WriteSource::Field, "35/35 acknowledged, 0 changed"), fieldWrite(1, 19, 25)};
    EXPECT_EQ(undoMarks(without), (std::vector<UndoMark>{UndoMark::None, UndoMark::Next}));
}
