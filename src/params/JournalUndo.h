#pragma once

#include "params/JournalEntry.h"
#include "params/JournalRecorder.h"
#include "params/SetBackup.h"

#include <filesystem>
#include <optional>
#include <utility>
#include <vector>

namespace dravinor::params {

class ParameterState;
class ParameterTransfer;
class WriteJournal;
struct BulkWriteOutcome;

// Joins the two halves of a 16-bit word written one after the other (high
// byte, then low byte, same controller and source) into one entry: the
// whole field's old and new value. Oldest first in, oldest first out.
std::vector<JournalEntry> joinWordHalves(const std::vector<JournalEntry>& oldestFirst);
// Whether `low`, journalled right after `high`, is the second half of its word.
bool halvesOfOneWord(const JournalEntry& high, const JournalEntry& low);
// The two halves as one entry.
JournalEntry joinedWord(const JournalEntry& high, const JournalEntry& low);

// How an entry stands towards undo, for listing the journal.
enum class UndoMark {
    None,       // a bulk line, a summary without a backup, a failed write, or a change further back
    Unchanged,  // a rewrite of the value already held: skipped by undo
    UndoWrite,  // written by an undo
    TakenBack,  // a change an undo has already taken back
    Next,       // the change the next undo takes back
};

// Marks entries one after the other, newest first, joined. An entry's mark
// depends only on the entries newer than it, so a listing that reads the
// journal from its end marks each batch as it comes. An undo takes back the
// newest acknowledged change of its own address that no other undo took back;
// a bulk write that kept a backup is taken back whole by writing the backup
// back, and such an undo takes back the newest bulk write not taken back.
class UndoMarker {
public:
    UndoMark mark(const JournalEntry& entry);

private:
    UndoMark markBulk(const JournalEntry& entry);

    // Acknowledged undos not yet matched with the change they took back, by
    // the addresses they wrote.
    std::vector<std::pair<int, int>> pendingUndos_;
    int pendingBulkUndos_ = 0;
    bool nextFound_ = false;
};

// A bulk write's summary line ("write-all", "reset", "adaptation-reset").
bool isBulkSummary(const JournalEntry& entry);

// One mark per entry. Newest first, joined.
std::vector<UndoMark> undoMarks(const std::vector<JournalEntry>& newestFirst);

// The write an undo takes back: the newest acknowledged single-field write
// that changed a value, or bulk write with a backup, that an earlier undo
// has not already taken back. Newest first, joined.
std::optional<JournalEntry> undoTarget(const std::vector<JournalEntry>& newestFirst);

enum class UndoRefusal { None, NothingToUndo, NotConnected, OtherController };

struct UndoPlan {
    UndoRefusal refusal = UndoRefusal::None;
    JournalEntry entry;  // the write to take back (also set for OtherController)
    // Same port and controller type, but the controller's set is not the one
    // the write left (another car, or changed since): the question says so.
    bool otherSet = false;
    // A bulk write: undo writes the backup it names back.
    bool bulk() const { return isBulkSummary(entry); }
};

// What an undo would do now, for the controller on `current`.
UndoPlan planUndo(const WriteJournal& journal, const WriteTarget& current, bool connected);

// Writes the entry's old value back through the transfer's own write
// routine (a word high byte first, its low byte only after an acknowledged
// high byte), as source "undo", then shows the block. True when every
// write was acknowledged.
bool undoWrite(ParameterTransfer& transfer, const JournalEntry& entry);

// The backup a bulk write's entry names, read from the backups' folder.
struct NamedBackup {
    std::filesystem::path file;  // empty when the entry names no usable file
    BackupRead read;
    bool usable() const { return read.set.has_value(); }
};
NamedBackup backupOf(const JournalEntry& entry, const SetBackups& backups);

// Takes a bulk write back: the backup's set becomes the block, is shown and
// is written whole, as source "undo". Like every bulk write it first keeps
// the set it replaces, so an undo can be taken back by loading that file.
BulkWriteOutcome writeBackupBack(ParameterTransfer& transfer, ParameterState& state, const ParameterBlock& set);

}  // namespace dravinor::params
