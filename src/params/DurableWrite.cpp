#include "params/DurableWrite.h"

#include "params/FileDescriptor.h"

#include <atomic>
#include <cerrno>
#include <string>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace dravinor::params {

namespace fs = std::filesystem;

namespace {

// A new file beside the target, created with the usual permissions (the
// umask applies), so the renamed file looks like any other saved file. Its
// name starts with a dot: a file manager does not show one left by a crash.
int createTemporary(const fs::path& target, fs::path& temporary)
{
    static std::atomic<unsigned> counter{0};
    for (int attempt = 0; attempt < 100; ++attempt) {
        temporary = target;
        // Built as a path, not a std::string: on Windows string() would turn
        // a Polish or Cyrillic name into mojibake.
        fs::path name = ".";
        name += target.filename();
        name += ".tmp" + std::to_string(::getpid()) + "-" + std::to_string(counter++);
        temporary.replace_filename(name);
        const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    errno = EEXIST;
    return -1;
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

TemporaryBeside::TemporaryBeside(const fs::path& target, std::string_view bytes, std::optional<unsigned> mode)
    : target_(target)
{
    FileDescriptor fd(createTemporary(target, temporary_));
    if (fd.get() < 0) {
        failed_ = Step::Create;
        error_ = errno;
        temporary_.clear();
        return;
    }
    const bool keptMode = !mode || ::fchmod(fd.get(), *mode & 07777) == 0;
    if (!keptMode || !writeFully(fd.get(), bytes.data(), bytes.size()) || ::fsync(fd.get()) != 0 || fd.close() != 0) {
        failed_ = Step::Write;
        error_ = errno;
    }
}

TemporaryBeside::~TemporaryBeside()
{
    if (!placed_ && !temporary_.empty())
        ::unlink(temporary_.c_str());
}

bool TemporaryBeside::replaceTarget()
{
    if (failed_ != Step::Done)
        return false;
    if (::rename(temporary_.c_str(), target_.c_str()) != 0) {
        failed_ = Step::Replace;
        error_ = errno;
        return false;
    }
    placed_ = true;
    const fs::path directory = target_.parent_path();
    syncDirectory(directory.empty() ? fs::path(".") : directory);
    return true;
}

int replaceFileDurably(const fs::path& target, std::string_view bytes)
{
    TemporaryBeside file(target, bytes, std::nullopt);
    return file.replaceTarget() ? 0 : file.error();
}

}  // namespace dravinor::params
