#pragma once

#include "JournalEntry.h"
#include "JournalRecorder.h"

#include <optional>
#include <utility>
#include <vector>

namespace dravinor::params {

class ParameterTransfer;
class WriteJournal;

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
    None,       // a bulk line, a summary, a failed write, or a change further back
    Unchanged,  // a rewrite of the value already held: skipped by undo
    UndoWrite,  // written by an undo
    TakenBack,  // a change an undo has already taken back
    Next,       // the change the next undo takes back
};

// Marks entries one after the other, newest first, joined. An entry's mark
// depends only on the entries newer than it, so a listing that reads the
// journal from its end marks each batch as it comes. An undo takes back the
// newest acknowledged change of its own address that no other undo took back.
class UndoMarker {
public:
    UndoMark mark(const JournalEntry& entry);

private:
    // Acknowledged undos not yet matched with the change they took back, by
    // the addresses they wrote.
    std::vector<std::pair<int, int>> pendingUndos_;
    bool nextFound_ = false;
};

// One mark per entry. Newest first, joined.
std::vector<UndoMark> undoMarks(const std::vector<JournalEntry>& newestFirst);

// The single-field write an undo takes back: the newest acknowledged one
// that changed a value and that an earlier undo has not already taken back.
// Newest first, joined.
std::optional<JournalEntry> undoTarget(const std::vector<JournalEntry>& newestFirst);

enum class UndoRefusal { None, NothingToUndo, NotConnected, OtherController };

struct UndoPlan {
    UndoRefusal refusal = UndoRefusal::None;
    JournalEntry entry;  // the write to take back (also set for OtherController)
    // Same port and controller type, but the controller's set is not the one
    // the write left (another car, or changed since): the question says so.
    bool otherSet = false;
};

// What an undo would do now, for the controller on `current`.
UndoPlan planUndo(const WriteJournal& journal, const WriteTarget& current, bool connected);

// Writes the entry's old value back through the transfer's own write
// routine (a word high byte first, its low byte only after an acknowledged
// high byte), as source "undo", then shows the block. True when every
// write was acknowledged.
bool undoWrite(ParameterTransfer& transfer, const JournalEntry& entry);

}  // namespace dravinor::params
