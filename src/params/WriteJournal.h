#pragma once

#include "JournalEntry.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace dravinor::params {

// The journal of every write to a controller: one line per entry in
// journal.log, appended and closed at once so a crash loses nothing that
// was reported written. At 1 MB the file moves to journal.log.1 (replacing
// the one before) and a new one begins.
class WriteJournal {
public:
    static constexpr std::uintmax_t rotateBytes = 1024 * 1024;

    explicit WriteJournal(std::filesystem::path file) : file_(std::move(file)) {}

    // $DRAVINOR_STATE_DIR/journal.log, else $XDG_STATE_HOME/dravinor/journal.log,
    // else ~/.local/state/dravinor/journal.log.
    static std::filesystem::path defaultPath();

    const std::filesystem::path& path() const { return file_; }
    std::filesystem::path rotatedPath() const;

    // Appends the entries in one write (creating the folder when needed).
    // False, with lastError() set, when the journal could not be written.
    bool append(const std::vector<JournalEntry>& entries);
    bool append(const JournalEntry& entry) { return append(std::vector<JournalEntry>{entry}); }
    const std::string& lastError() const { return lastError_; }

    // Both files, oldest entry first; torn and malformed lines are skipped.
    std::vector<JournalEntry> readOldestFirst() const;
    // Newest first, at most `limit` entries.
    std::vector<JournalEntry> readNewestFirst(std::size_t limit = SIZE_MAX) const;

private:
    std::filesystem::path file_;
    std::string lastError_;
};

// The time of an entry: now, in UTC with milliseconds.
std::string journalTimeNow();

}  // namespace dravinor::params
