#include "params/FolderLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace dravinor::params {

FolderLock::FolderLock(const std::filesystem::path& folder)
    : fd_(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC))
{
    if (fd_ >= 0)
        ::flock(fd_, LOCK_EX);
}

FolderLock::~FolderLock()
{
    if (fd_ >= 0)
        ::close(fd_);  // releases the lock
}

}  // namespace dravinor::params
