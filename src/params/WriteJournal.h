#pragma once

#include "params/JournalEntry.h"

#include "params/RegularFile.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace dravinor::params {

// A journal file that exists but could not be read (a missing file is no
// problem: nothing was journalled yet). What could be read is still read.
struct JournalProblem {
    enum class Kind { CannotOpen, Directory, NotAFile, CannotRead };
    std::filesystem::path file;
    Kind kind = Kind::CannotOpen;
    std::string systemText;

    bool operator==(const JournalProblem&) const = default;
};

// The journal of every write to a controller: one line per entry in
// journal.log, appended and closed at once so a crash loses nothing that
// was reported written. At 1 MB the file moves to journal.log.1 (replacing
// the one before) and a new one begins. Only regular files are read or
// appended to; a reading never throws.
class WriteJournal {
public:
    static constexpr std::uintmax_t rotateBytes = 1024 * 1024;

    explicit WriteJournal(std::filesystem::path file) : file_(std::move(file)) {}

    // journal.log in the state folder (UserFolders.h): $DRAVINOR_STATE_DIR,
    // else $XDG_STATE_HOME/dravinor, else ~/.local/state/dravinor; on Windows
    // %LOCALAPPDATA%\Dravinor.
    static std::filesystem::path defaultPath();

    const std::filesystem::path& path() const { return file_; }
    std::filesystem::path rotatedPath() const;

    // Appends the entries in one write (creating the folder when needed).
    // False, with lastError() set, when the journal could not be written.
    bool append(const std::vector<JournalEntry>& entries);
    bool append(const JournalEntry& entry) { return append(std::vector<JournalEntry>{entry}); }
    const std::string& lastError() const { return lastError_; }

    // Both files, oldest entry first; torn and malformed lines are skipped.
    // Files that could not be read are added to `problems`, when given.
    std::vector<JournalEntry> readOldestFirst(std::vector<JournalProblem>* problems = nullptr) const;
    // Newest first, at most `limit` entries, read from the end: only those
    // entries are ever held, whatever the files' size.
    std::vector<JournalEntry> readNewestFirst(std::size_t limit = SIZE_MAX,
                                              std::vector<JournalProblem>* problems = nullptr) const;

private:
    std::filesystem::path file_;
    std::string lastError_;
};

// Reads the journal backwards, newest entry first, a block at a time: it
// holds one block and the line being put together, never the files. Both
// files are opened at once, so a rotation meanwhile changes nothing read.
class JournalBackwardReader {
public:
    // A block of blockSize bytes is read at a time (tests and the fuzzer
    // take small ones, to cross many block edges).
    explicit JournalBackwardReader(const WriteJournal& journal, std::size_t blockSize = defaultBlockSize);

    // The next older entry; nothing once both files are read.
    std::optional<JournalEntry> next();
    const std::vector<JournalProblem>& problems() const { return problems_; }

    // Lines longer than this are no journal lines and are skipped whole
    // (by both readers).
    static constexpr std::size_t longestLine = 64 * 1024;
    static constexpr std::size_t defaultBlockSize = 64 * 1024;

private:
    struct Source {
        std::filesystem::path path;
        FileDescriptor fd{-1};
        std::uintmax_t unread = 0;  // bytes before `tail` not yet read
        std::string tail;           // read, not yet taken: ends before a line's end
        bool firstLine = true;      // the line at the very end: torn unless ended
        bool skipping = false;      // inside an overlong line
        bool finished = false;      // the file's first line was taken
    };
    // The next line of the source, newest first; false at its start.
    bool nextLine(Source& source, std::string& line);
    bool readBlock(Source& source);

    std::size_t blockSize_;
    std::vector<Source> sources_;  // journal.log, then journal.log.1
    std::size_t current_ = 0;
    std::vector<JournalProblem> problems_;
};

// The time of an entry: now, in UTC with milliseconds.
std::string journalTimeNow();

}  // namespace dravinor::params
