#include "ParameterFile.h"

#include "FileDescriptor.h"

#include <atomic>
#include <cerrno>
#include <cstring>
#include <system_error>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace dravinor::params {

namespace fs = std::filesystem;

namespace {

std::string errorText(int error)
{
    return std::generic_category().message(error);
}

// A new file beside the target, created with the usual permissions (the
// umask applies), so the renamed file looks like any other saved file.
int createTemporary(const fs::path& target, fs::path& temporary)
{
    static std::atomic<unsigned> counter{0};
    for (int attempt = 0; attempt < 100; ++attempt) {
        temporary = target;
        temporary.replace_filename("." + target.filename().string() + ".tmp" + std::to_string(::getpid()) + "-" +
                                   std::to_string(counter++));
        const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    errno = EEXIST;
    return -1;
}

// Copies the current file to its ".BAK", a file of its own (never a link),
// with the same permissions. An existing ".BAK", even a dangling link, stays.
BackupOutcome keepBackup(const fs::path& source, const fs::path& backup)
{
    FileDescriptor in(::open(source.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    struct stat info{};
    if (in.get() < 0 || ::fstat(in.get(), &info) != 0)
        return BackupOutcome::Failed;
    FileDescriptor out(
        ::open(backup.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, info.st_mode & 07777));
    if (out.get() < 0)
        return errno == EEXIST ? BackupOutcome::KeptExisting : BackupOutcome::Failed;
    std::uint8_t chunk[4096];
    for (;;) {
        const ssize_t got = ::read(in.get(), chunk, sizeof chunk);
        if (got < 0 && errno == EINTR)
            continue;
        if (got == 0)
            break;
        if (got < 0 || !writeFully(out.get(), chunk, static_cast<std::size_t>(got))) {
            out.close();
            ::unlink(backup.c_str());
            return BackupOutcome::Failed;
        }
    }
    if (out.close() != 0) {
        ::unlink(backup.c_str());
        return BackupOutcome::Failed;
    }
    return BackupOutcome::Created;
}

// The file a save really replaces: symbolic links are followed to their
// final target, also a dangling one (the save then creates it). False on
// a loop of links.
bool resolveLinks(const fs::path& path, fs::path& target)
{
    constexpr int maxLinks = 40;  // as the kernel allows
    target = path;
    for (int depth = 0; depth < maxLinks; ++depth) {
        std::error_code error;
        if (!fs::is_symlink(fs::symlink_status(target, error)) || error)
            return true;
        const fs::path next = fs::read_symlink(target, error);
        if (error)
            return true;
        target = next.is_absolute() ? next : target.parent_path() / next;
    }
    errno = ELOOP;
    return false;
}

void syncDirectory(const fs::path& directory)
{
    const int fd = ::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    // Some file systems cannot sync a directory; the rename is done anyway.
    ::fsync(fd);
    ::close(fd);
}

}  // namespace

fs::path backupPathFor(const fs::path& path)
{
    fs::path backup = path;
    backup.replace_filename(path.stem().string() + ".BAK");
    return backup;
}

LoadResult loadParameterFile(const fs::path& path, ParameterBlock& block)
{
    LoadResult result;
    // Without O_NONBLOCK opening a FIFO would wait for a writer for ever.
    FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (fd.get() < 0) {
        result.error = FileError::CannotOpen;
        result.systemText = errorText(errno);
        return result;
    }
    struct stat info{};
    if (::fstat(fd.get(), &info) != 0) {
        result.error = FileError::CannotRead;
        result.systemText = errorText(errno);
        return result;
    }
    if (!S_ISREG(info.st_mode)) {
        result.error = FileError::NotAFile;
        result.systemText = S_ISDIR(info.st_mode) ? errorText(EISDIR) : "not a regular file";
        return result;
    }
    result.fileSize = static_cast<std::uintmax_t>(info.st_size);

    // Bytes beyond the block's 64 are ignored, so there is no need to read them.
    std::array<std::uint8_t, ParameterBlock::size> data{};
    std::size_t total = 0;
    while (total < data.size()) {
        const ssize_t got = ::read(fd.get(), data.data() + total, data.size() - total);
        if (got < 0) {
            if (errno == EINTR)
                continue;
            result.error = FileError::CannotRead;
            result.systemText = errorText(errno);
            return result;
        }
        if (got == 0)
            break;
        total += static_cast<std::size_t>(got);
    }

    std::memcpy(block.bytes().data(), data.data(), total);
    result.bytesLoaded = total;
    return result;
}

SaveResult saveParameterFile(const fs::path& path, const ParameterBlock& block)
{
    SaveResult result;
    const auto fail = [&result](FileError error, int number) {
        result.error = error;
        result.systemText = errorText(number);
        return result;
    };

    fs::path target;
    if (!resolveLinks(path, target))
        return fail(FileError::CannotReplace, errno);
    struct stat existing{};
    const bool exists = ::stat(target.c_str(), &existing) == 0;
    const bool regular = exists && S_ISREG(existing.st_mode);
    // Renaming over a read-only file would succeed where writing it would
    // not; a file without any write permission counts as read-only for root too.
    if (regular && ::access(target.c_str(), W_OK) != 0)
        return fail(FileError::CannotWrite, errno);
    if (regular && (existing.st_mode & 0222) == 0)
        return fail(FileError::CannotWrite, EACCES);

    fs::path temporary;
    FileDescriptor fd(createTemporary(target, temporary));
    if (fd.get() < 0)
        return fail(FileError::CannotCreate, errno);

    const auto& bytes = block.bytes();
    const bool keptMode = !regular || ::fchmod(fd.get(), existing.st_mode & 07777) == 0;
    if (!keptMode || !writeFully(fd.get(), bytes.data(), bytes.size()) || ::fsync(fd.get()) != 0 ||
        fd.close() != 0) {
        const int error = errno;
        ::unlink(temporary.c_str());
        return fail(FileError::CannotWrite, error);
    }

    if (regular)
        result.backup = keepBackup(target, backupPathFor(path));

    if (::rename(temporary.c_str(), target.c_str()) != 0) {
        const int error = errno;
        ::unlink(temporary.c_str());
        return fail(FileError::CannotReplace, error);
    }

    fs::path directory = target.parent_path();
    syncDirectory(directory.empty() ? fs::path(".") : directory);
    return result;
}

}  // namespace dravinor::params
