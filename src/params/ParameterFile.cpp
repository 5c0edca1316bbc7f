#include "ParameterFile.h"

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

class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    ~FileDescriptor()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;

    int get() const { return fd_; }
    // Closes now, so that a failing close can be reported.
    int close()
    {
        const int result = ::close(fd_);
        fd_ = -1;
        return result;
    }

private:
    int fd_;
};

bool writeAll(int fd, const std::uint8_t* data, std::size_t size)
{
    while (size > 0) {
        const ssize_t written = ::write(fd, data, size);
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        data += written;
        size -= static_cast<std::size_t>(written);
    }
    return true;
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

// Keeps the current file as its ".BAK" without ever moving it away: a hard
// link where the file system has them, a copy where it does not.
BackupOutcome keepBackup(const fs::path& path)
{
    const fs::path backup = backupPathFor(path);
    if (::link(path.c_str(), backup.c_str()) == 0)
        return BackupOutcome::Created;
    if (errno == EEXIST)
        return BackupOutcome::KeptExisting;
    std::error_code error;
    if (fs::copy_file(path, backup, fs::copy_options::none, error))
        return BackupOutcome::Created;
    return fs::exists(backup, error) ? BackupOutcome::KeptExisting : BackupOutcome::Failed;
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
    FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (fd.get() < 0) {
        result.error = FileError::CannotOpen;
        result.systemText = errorText(errno);
        return result;
    }

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

    fs::path temporary;
    FileDescriptor fd(createTemporary(path, temporary));
    if (fd.get() < 0)
        return fail(FileError::CannotCreate, errno);

    const auto& bytes = block.bytes();
    if (!writeAll(fd.get(), bytes.data(), bytes.size()) || ::fsync(fd.get()) != 0 || fd.close() != 0) {
        const int error = errno;
        ::unlink(temporary.c_str());
        return fail(FileError::CannotWrite, error);
    }

    struct stat existing{};
    if (::lstat(path.c_str(), &existing) == 0)
        result.backup = keepBackup(path);

    if (::rename(temporary.c_str(), path.c_str()) != 0) {
        const int error = errno;
        ::unlink(temporary.c_str());
        return fail(FileError::CannotReplace, error);
    }

    fs::path directory = path.parent_path();
    syncDirectory(directory.empty() ? fs::path(".") : directory);
    return result;
}

}  // namespace dravinor::params
