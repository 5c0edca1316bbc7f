#include "WriteJournal.h"

#include "FileDescriptor.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fstream>
#include <iterator>
#include <sstream>
#include <system_error>
#include <utility>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace dravinor::params {

namespace fs = std::filesystem;

namespace {

std::string nonEmptyEnv(const char* name)
{
    const char* value = std::getenv(name);
    return value && *value ? std::string(value) : std::string();
}

// A line cut off by a crash must not swallow the first entry written after it.
bool endsInNewline(int fd, off_t size)
{
    char last = '\n';
    return size == 0 || (::pread(fd, &last, 1, size - 1) == 1 && last == '\n');
}

void readFile(const fs::path& path, std::vector<JournalEntry>& entries)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return;
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find('\n', start);
        if (end == std::string::npos)
            break;  // the last line is torn
        if (auto entry = parseJournalLine(std::string_view(text).substr(start, end - start)))
            entries.push_back(std::move(*entry));
        start = end + 1;
    }
}

}  // namespace

fs::path WriteJournal::defaultPath()
{
    if (const std::string dir = nonEmptyEnv("DRAVINOR_STATE_DIR"); !dir.empty())
        return fs::path(dir) / "journal.log";
    if (const std::string dir = nonEmptyEnv("XDG_STATE_HOME"); !dir.empty())
        return fs::path(dir) / "dravinor" / "journal.log";
    return fs::path(nonEmptyEnv("HOME")) / ".local" / "state" / "dravinor" / "journal.log";
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
    const FileDescriptor lock(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (lock.get() >= 0)
        ::flock(lock.get(), LOCK_EX);

    struct stat info {};
    if (::stat(file_.c_str(), &info) == 0 && info.st_size > 0 &&
        static_cast<std::uintmax_t>(info.st_size) + data.size() > rotateBytes) {
        if (::rename(file_.c_str(), rotatedPath().c_str()) != 0)
            return fail("cannot rotate");
    }
    FileDescriptor fd(::open(file_.c_str(), O_RDWR | O_APPEND | O_CREAT | O_CLOEXEC, 0600));
    if (fd.get() < 0)
        return fail("cannot open");
    if (::fstat(fd.get(), &info) != 0)
        return fail("cannot examine");
    if (!endsInNewline(fd.get(), info.st_size))
        data.insert(data.begin(), '\n');
    if (!writeFully(fd.get(), data.data(), data.size()))
        return fail("cannot write");
    if (::fdatasync(fd.get()) != 0)
        return fail("cannot flush");
    if (fd.close() != 0)
        return fail("cannot close");
    return true;
}

std::vector<JournalEntry> WriteJournal::readOldestFirst() const
{
    std::vector<JournalEntry> entries;
    readFile(rotatedPath(), entries);
    readFile(file_, entries);
    return entries;
}

std::vector<JournalEntry> WriteJournal::readNewestFirst(std::size_t limit) const
{
    std::vector<JournalEntry> entries = readOldestFirst();
    std::reverse(entries.begin(), entries.end());
    if (entries.size() > limit)
        entries.resize(limit);
    return entries;
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
