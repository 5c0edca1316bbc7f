#include "params/FolderLock.h"

#include <windows.h>

#include <fcntl.h>
#include <io.h>

namespace dravinor::params {

FolderLock::FolderLock(const std::filesystem::path& folder)
{
    const std::filesystem::path lockFile = folder / ".lock";
    const HANDLE file = CreateFileW(lockFile.c_str(), GENERIC_READ | GENERIC_WRITE,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_ALWAYS,
                                    FILE_ATTRIBUTE_HIDDEN, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return;
    OVERLAPPED whole{};
    if (!LockFileEx(file, LOCKFILE_EXCLUSIVE_LOCK, 0, MAXDWORD, MAXDWORD, &whole)) {
        CloseHandle(file);
        return;
    }
    // A descriptor of the C runtime, so that closing works as on POSIX.
    fd_ = ::_open_osfhandle(reinterpret_cast<intptr_t>(file), _O_RDWR);
    if (fd_ < 0)
        CloseHandle(file);
}

FolderLock::~FolderLock()
{
    if (fd_ >= 0)
        ::_close(fd_);  // closes the handle, which releases the lock
}

}  // namespace dravinor::params
