#include "params/ParameterFile.h"

#include "params/DurableWrite.h"
#include "params/FileDescriptor.h"
#include "params/SaveTarget.h"

#include <cerrno>
#include <cstdio>
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

// How the previous file became its ".BAK", so that a save that fails later
// can put things back as they were.
enum class BackupStep { None, Linked, Moved, KeptExisting, Failed };

// Moves `from` to `to` unless `to` exists. False with errno set otherwise.
bool moveWithoutReplacing(const fs::path& from, const fs::path& to)
{
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0)
        return true;
    if (errno != EINVAL && errno != ENOSYS)
        return false;
    // A file system without RENAME_NOREPLACE: look, then move.
    struct stat existing {};
    if (::lstat(to.c_str(), &existing) == 0) {
        errno = EEXIST;
        return false;
    }
    return ::rename(from.c_str(), to.c_str()) == 0;
}

// Keeps the current file as its ".BAK" without copying it: a hard link
// (the ".BAK" keeps the old contents once the new file is renamed over the
// name), else a move. An existing ".BAK", even a dangling link, stays.
BackupStep keepBackup(const fs::path& source, const fs::path& backup)
{
    if (::link(source.c_str(), backup.c_str()) == 0)
        return BackupStep::Linked;
    if (errno == EEXIST)
        return BackupStep::KeptExisting;
    // No hard links here (another file system, a file system without them,
    // or a file of another user's): moving needs no room either.
    if (moveWithoutReplacing(source, backup))
        return BackupStep::Moved;
    return errno == EEXIST ? BackupStep::KeptExisting : BackupStep::Failed;
}

// After a failed replace: the name holds the old file again, no new ".BAK".
void undoBackup(BackupStep step, const fs::path& target, const fs::path& backup)
{
    if (step == BackupStep::Linked)
        ::unlink(backup.c_str());
    else if (step == BackupStep::Moved)
        ::rename(backup.c_str(), target.c_str());
}

}  // namespace

fs::path backupPathFor(const fs::path& path)
{
    fs::path backup = path;
    fs::path name = path.stem();  // a path, so that any name survives (see createTemporary)
    name += ".BAK";
    backup.replace_filename(name);
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
    struct stat info {};
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

    // Only onto a regular file or a new name, looked at before anything is
    // made: no temporary beside a FIFO or a device, no .BAK of one.
    result.target = examineSaveTarget(path);
    if (result.target.kind == SaveTargetKind::Unreachable)
        return fail(FileError::CannotCreate, result.target.systemError);
    if (!result.target.savable()) {
        result.error = FileError::NotAFile;
        result.systemText = systemTextOf(result.target);
        return result;
    }
    const fs::path& target = result.target.file;
    struct stat existing {};
    const bool exists = ::stat(target.c_str(), &existing) == 0;
    const bool regular = exists && S_ISREG(existing.st_mode);
    // Renaming over a read-only file would succeed where writing it would
    // not; a file without any write permission counts as read-only for root too.
    if (regular && ::access(target.c_str(), W_OK) != 0)
        return fail(FileError::CannotWrite, errno);
    if (regular && (existing.st_mode & 0222) == 0)
        return fail(FileError::CannotWrite, EACCES);

    const auto& bytes = block.bytes();
    TemporaryBeside temporary(target, {reinterpret_cast<const char*>(bytes.data()), bytes.size()},
                              regular ? std::optional<unsigned>(existing.st_mode) : std::nullopt);
    if (temporary.failed() != TemporaryBeside::Step::Done)
        return fail(temporary.failed() == TemporaryBeside::Step::Create ? FileError::CannotCreate
                                                                        : FileError::CannotWrite,
                    temporary.error());

    const fs::path backup = backupPathFor(path);
    const BackupStep step = regular ? keepBackup(target, backup) : BackupStep::None;
    if (step == BackupStep::Failed) {
        result.backup = BackupOutcome::Failed;
        return fail(FileError::CannotBackUp, errno);
    }

    if (!temporary.replaceTarget()) {
        undoBackup(step, target, backup);
        return fail(FileError::CannotReplace, temporary.error());
    }
    result.backup = step == BackupStep::None           ? BackupOutcome::NotNeeded
                    : step == BackupStep::KeptExisting ? BackupOutcome::KeptExisting
                                                       : BackupOutcome::Created;
    return result;
}

}  // namespace dravinor::params
