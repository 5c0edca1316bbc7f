#pragma once

#include "JournalEntry.h"
#include "JournalRecorder.h"

#include <optional>
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

// The single-field write an undo takes back: the newest acknowledged one
// that an earlier undo has not already taken back. Newest first, joined.
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
