#include "params/WriteJournal.h"

#include "params/FileDescriptor.h"
#include "params/FolderLock.h"
#include "params/SaveTarget.h"
#include "params/UserFolders.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <string_view>
#include <system_error>
#include <utility>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace dravinor::params {

namespace fs = std::filesystem;

namespace {

// A line cut off by a crash must not swallow the first entry written after it.
bool endsInNewline(int fd, off_t size)
{
    char last = '\n';
    return size == 0 || (::pread(fd, &last, 1, size - 1) == 1 && last == '\n');
}

JournalProblem problemOf(const fs::path& path, const OpenedFile& file)
{
    JournalProblem problem{path, JournalProblem::Kind::CannotOpen, file.systemText};
    if (file.error == RegularFileError::Directory)
        problem.kind = JournalProblem::Kind::Directory;
    else if (file.error == RegularFileError::NotAFile)
        problem.kind = JournalProblem::Kind::NotAFile;
    return problem;
}

void noteProblem(std::vector<JournalProblem>* problems, JournalProblem problem)
{
    if (problems)
        problems->push_back(std::move(problem));
}

// Oldest first, a block at a time; a line is parsed once it is whole.
void readFile(const fs::path& path, std::vector<JournalEntry>& entries, std::vector<JournalProblem>* problems)
{
    OpenedFile file = openRegularFile(path, O_RDONLY);
    if (!file.ok()) {
        if (file.error != RegularFileError::Missing)
            noteProblem(problems, problemOf(path, file));
        return;
    }
    std::string block(JournalBackwardReader::defaultBlockSize, '\0');
    std::string line;
    bool skipping = false;  // inside an overlong line
    for (;;) {
        const ssize_t got = ::read(file.fd.get(), block.data(), block.size());
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0) {
            noteProblem(problems, {path, JournalProblem::Kind::CannotRead, std::strerror(errno)});
            return;
        }
        if (got == 0)
            return;  // a line still open here is torn
        std::string_view chunk(block.data(), static_cast<std::size_t>(got));
        while (!chunk.empty()) {
            const std::size_t end = chunk.find('\n');
            if (!skipping)
                line.append(chunk.substr(0, end));
            if (line.size() > JournalBackwardReader::longestLine) {
                line.clear();
                skipping = true;
            }
            if (end == std::string_view::npos)
                break;
            if (!skipping)
                if (auto entry = parseJournalLine(line))
                    entries.push_back(std::move(*entry));
            line.clear();
            skipping = false;
            chunk.remove_prefix(end + 1);
        }
    }
}

}  // namespace

fs::path WriteJournal::defaultPath()
{
    return stateFolder() / "journal.log";
}

fs::path WriteJournal::rotatedPath() const
{
    fs::path rotated = file_;
    rotated += ".1";
    return rotated;
}

bool WriteJournal::append(const std::vector<JournalEntry>& entries)
{
    lastError_.clear();
    if (entries.empty())
        return true;
    std::string data;
    for (const JournalEntry& entry : entries)
        data += formatJournalLine(entry) + '\n';

    const auto fail = [this](const std::string& what) {
        lastError_ = file_.string() + ": " + what + ": " + std::strerror(errno);
        return false;
    };
    std::error_code ec;
    const fs::path folder = file_.parent_path().empty() ? fs::path(".") : file_.parent_path();
    fs::create_directories(folder, ec);
    if (ec) {
        lastError_ = folder.string() + ": " + ec.message();
        return false;
    }
    // The folder's lock keeps a window and a command-line run that write at
    // the same time from rotating under each other.
    const FolderLock lock(folder);

    // The rotation renames onto journal.log.1: only onto a regular file or
    // a new name there, else the journal grows on rather than replace it.
    struct stat info {};
    if (::stat(file_.c_str(), &info) == 0 && info.st_size > 0 &&
        static_cast<std::uintmax_t>(info.st_size) + data.size() > rotateBytes &&
        examineSaveTarget(rotatedPath()).savable()) {
        if (::rename(file_.c_str(), rotatedPath().c_str()) != 0)
            return fail("cannot rotate");
    }
    // Only a regular file: a FIFO would take the entries and keep none, and
    // opening one must not wait for a reader.
    OpenedFile opened = openRegularFile(file_, O_RDWR | O_APPEND | O_CREAT, 0600);
    if (!opened.ok()) {
        lastError_ = file_.string() + ": cannot open: " + opened.systemText;
        return false;
    }
    FileDescriptor& fd = opened.fd;
    if (!endsInNewline(fd.get(), static_cast<off_t>(opened.size)))
        data.insert(data.begin(), '\n');
    if (!writeFully(fd.get(), data.data(), data.size()))
        return fail("cannot write");
    if (::fdatasync(fd.get()) != 0)
        return fail("cannot flush");
    if (fd.close() != 0)
        return fail("cannot close");
    return true;
}

std::vector<JournalEntry> WriteJournal::readOldestFirst(std::vector<JournalProblem>* problems) const
{
    std::vector<JournalEntry> entries;
    readFile(rotatedPath(), entries, problems);
    readFile(file_, entries, problems);
    return entries;
}

std::vector<JournalEntry> WriteJournal::readNewestFirst(std::size_t limit, std::vector<JournalProblem>* problems) const
{
    JournalBackwardReader reader(*this);
    std::vector<JournalEntry> entries;
    while (entries.size() < limit) {
        auto entry = reader.next();
        if (!entry)
            break;
        entries.push_back(std::move(*entry));
    }
    if (problems)
        problems->insert(problems->end(), reader.problems().begin(), reader.problems().end());
    return entries;
}

JournalBackwardReader::JournalBackwardReader(const WriteJournal& journal, std::size_t blockSize)
    : blockSize_(blockSize > 0 ? blockSize : defaultBlockSize)
{
    for (const fs::path& path : {journal.path(), journal.rotatedPath()}) {
        OpenedFile file = openRegularFile(path, O_RDONLY);
        if (!file.ok()) {
            if (file.error != RegularFileError::Missing)
                problems_.push_back(problemOf(path, file));
            continue;
        }
        Source source;
        source.path = path;
        source.fd = std::move(file.fd);
        source.unread = file.size;
        sources_.push_back(std::move(source));
    }
}

std::optional<JournalEntry> JournalBackwardReader::next()
{
    std::string line;
    while (current_ < sources_.size()) {
        if (!nextLine(sources_[current_], line)) {
            sources_[current_].fd.close();
            ++current_;
            continue;
        }
        if (auto entry = parseJournalLine(line))
            return entry;
    }
    return std::nullopt;
}

bool JournalBackwardReader::nextLine(Source& source, std::string& line)
{
    for (;;) {
        const std::size_t newline = source.tail.rfind('\n');
        if (newline != std::string::npos) {
            line.assign(source.tail, newline + 1);
            source.tail.resize(newline);
        } else if (source.unread > 0) {
            if (!readBlock(source))
                return false;
            // No line end within reach: the line is no journal line.
            if (source.tail.size() > longestLine && source.tail.find('\n') == std::string::npos) {
                source.tail.clear();
                source.skipping = true;
            }
            continue;
        } else if (!source.finished) {
            line = std::move(source.tail);  // the file's first line
            source.tail.clear();
            source.finished = true;
        } else {
            return false;
        }
        // What follows the file's last line end is empty, or a line a crash
        // cut short; a line that was too long is dropped whole.
        const bool afterLastEnd = std::exchange(source.firstLine, false);
        const bool overlong = std::exchange(source.skipping, false) || line.size() > longestLine;
        if (!afterLastEnd && !overlong)
            return true;
    }
}

bool JournalBackwardReader::readBlock(Source& source)
{
    const auto size = static_cast<std::size_t>(std::min<std::uintmax_t>(blockSize_, source.unread));
    const auto offset = static_cast<off_t>(source.unread - size);
    std::string block(size, '\0');
    std::size_t got = 0;
    while (got < size) {
        const ssize_t n = ::pread(source.fd.get(), block.data() + got, size - got, offset + static_cast<off_t>(got));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            // An I/O error, or the file was cut short under us.
            problems_.push_back({source.path, JournalProblem::Kind::CannotRead,
                                 n < 0 ? std::strerror(errno) : std::string("the file became shorter while read")});
            source.unread = 0;
            source.tail.clear();
            source.finished = true;
            return false;
        }
        got += static_cast<std::size_t>(n);
    }
    source.tail.insert(0, block);
    source.unread -= size;
    return true;
}

std::string journalTimeNow()
{
    using namespace std::chrono;
    const auto now = system_clock::now();
    const std::time_t seconds = system_clock::to_time_t(now);
    const auto millis = duration_cast<milliseconds>(now.time_since_epoch()).count() % 1000;
    std::tm utc{};
    ::gmtime_r(&seconds, &utc);
    char text[80];
    std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02d.%03dZ", utc.tm_year + 1900, utc.tm_mon + 1,
                  utc.tm_mday, utc.tm_hour, utc.tm_min, utc.tm_sec, static_cast<int>(millis));
    return text;
}

}  // namespace dravinor::params
