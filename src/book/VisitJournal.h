#pragma once

#include "book/BookRecords.h"
#include "params/JournalEntry.h"
#include "params/WriteJournal.h"

#include <optional>
#include <vector>

namespace dravinor::book {

// Which journal entries a visit wrote. The journal has no numbers that last
// (it rotates), so a visit keeps the times of the first and the last entry
// it wrote; those entries are found again by time, and by the controller
// when the visit names one.

// The range of an append's entries; nothing when none changed a value (a
// field rewriting the value it held) or none has a valid time.
std::optional<JournalRange> journalRangeOf(const std::vector<params::JournalEntry>& entries);
// The range that takes in both.
JournalRange joinedRange(const std::optional<JournalRange>& range, const JournalRange& more);

// Whether the visit wrote this entry: within its range, to its controller,
// and a change (an unchanged rewrite is left out, as from the range).
bool visitWrote(const Visit& visit, const params::JournalEntry& entry);

// What the journal still holds of each visit's entries, newest first, in
// the order of `visits`. Read from the journal's end and only back to the
// oldest range's start. A visit older than the journal's first entry finds
// fewer or none: the journal keeps two files of 1 MB.
struct VisitJournalEntries {
    std::vector<std::vector<params::JournalEntry>> entries;  // one list per visit
    std::vector<params::JournalProblem> problems;
};
VisitJournalEntries visitJournalEntries(const params::WriteJournal& journal, const std::vector<Visit>& visits);

}  // namespace dravinor::book
