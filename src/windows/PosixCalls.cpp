#include "windows/PosixCalls.h"

#include <windows.h>

#include <climits>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

// The errno a failed Windows call stands for, as far as our callers tell them apart.
int errnoOf(DWORD error)
{
    switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE: return ENOENT;
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS: return EEXIST;
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION: return EACCES;
    case ERROR_NOT_SAME_DEVICE: return EXDEV;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL: return ENOSPC;
    case ERROR_NOT_SUPPORTED:
    case ERROR_INVALID_FUNCTION: return ENOSYS;
    default: return EIO;
    }
}

int failWith(DWORD error)
{
    errno = errnoOf(error);
    return -1;
}

HANDLE handleOf(int fd)
{
    return reinterpret_cast<HANDLE>(_get_osfhandle(fd));
}

void copyInfo(const struct _stat64& from, struct stat* to)
{
    std::memset(to, 0, sizeof *to);
    to->st_dev = from.st_dev;
    to->st_ino = from.st_ino;
    to->st_mode = from.st_mode;
    to->st_nlink = from.st_nlink;
    to->st_size = static_cast<_off_t>(from.st_size);
    to->st_atime = from.st_atime;
    to->st_mtime = from.st_mtime;
    to->st_ctime = from.st_ctime;
}

}  // namespace

int open(const wchar_t* path, int flags, int mode)
{
    if (flags & O_DIRECTORY) {
        errno = EISDIR;
        return -1;
    }
    // The C runtime takes only its own two permission bits (0600 and 0666
    // both mean read and write); anything else is an invalid parameter.
    const int permissions = mode & (_S_IREAD | _S_IWRITE);
    return ::_wopen(path, flags | _O_BINARY, permissions ? permissions : _S_IREAD | _S_IWRITE);
}

int stat(const wchar_t* path, struct stat* info)
{
    struct _stat64 wide {};
    if (::_wstat64(path, &wide) != 0)
        return -1;
    copyInfo(wide, info);
    return 0;
}

int lstat(const wchar_t* path, struct stat* info)
{
    return stat(path, info);
}

int lstat(const char* path, struct stat* info)
{
    const int size = MultiByteToWideChar(CP_UTF8, 0, path, -1, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(size > 0 ? size : 1), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, path, -1, wide.data(), size);
    return stat(wide.c_str(), info);
}

int access(const wchar_t* path, int how)
{
    return ::_waccess(path, how & 06);
}

int unlink(const wchar_t* path)
{
    return ::_wunlink(path);
}

int rename(const wchar_t* from, const wchar_t* to)
{
    if (MoveFileExW(from, to, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return 0;
    return failWith(GetLastError());
}

int renameat2(int, const wchar_t* from, int, const wchar_t* to, unsigned flags)
{
    const DWORD replace = (flags & RENAME_NOREPLACE) ? 0 : MOVEFILE_REPLACE_EXISTING;
    if (MoveFileExW(from, to, replace | MOVEFILE_WRITE_THROUGH))
        return 0;
    return failWith(GetLastError());
}

int link(const wchar_t* existing, const wchar_t* name)
{
    if (CreateHardLinkW(name, existing, nullptr))
        return 0;
    return failWith(GetLastError());
}

ssize_t read(int fd, void* buffer, size_t count)
{
    return ::_read(fd, buffer, static_cast<unsigned>(count < INT_MAX ? count : INT_MAX));
}

ssize_t write(int fd, const void* data, size_t count)
{
    return ::_write(fd, data, static_cast<unsigned>(count < INT_MAX ? count : INT_MAX));
}

int fcntl(int, int command, ...)
{
    (void)command;
    return 0;
}

int fsync(int fd)
{
    return ::_commit(fd);
}

int fdatasync(int fd)
{
    return ::_commit(fd);
}

int fchmod(int, unsigned)
{
    return 0;  // a saved file keeps what the folder gives it
}

ssize_t pread(int fd, void* buffer, size_t count, off_t offset)
{
    OVERLAPPED at{};
    at.Offset = static_cast<DWORD>(offset);
    DWORD got = 0;
    if (!ReadFile(handleOf(fd), buffer, static_cast<DWORD>(count), &got, &at)) {
        const DWORD error = GetLastError();
        return error == ERROR_HANDLE_EOF ? 0 : failWith(error);
    }
    return static_cast<ssize_t>(got);
}

int setenv(const char* name, const char* value, int overwrite)
{
    if (!overwrite && std::getenv(name))
        return 0;
    return ::_putenv_s(name, value);
}

int unsetenv(const char* name)
{
    return ::_putenv_s(name, "");
}

struct tm* localtime_r(const time_t* time, struct tm* result)
{
    return ::localtime_s(result, time) == 0 ? result : nullptr;
}

struct tm* gmtime_r(const time_t* time, struct tm* result)
{
    return ::gmtime_s(result, time) == 0 ? result : nullptr;
}

time_t timegm(struct tm* time)
{
    return ::_mkgmtime(time);
}
