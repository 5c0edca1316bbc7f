#pragma once

// The POSIX calls the plain layers make, for Windows: included before every
// source file of the Windows build (-include), so the shared code keeps its
// one spelling. Paths arrive as std::filesystem::path::c_str(), which is
// wide on Windows: every name goes to the system as UTF-16, so "Żuk-Жиг.par"
// stays itself.

#ifdef _WIN32

#include <cerrno>
#include <ctime>
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <unistd.h>

// Not inherited by a child, as on POSIX. Binary mode rides along, so that
// even an open that bypasses the wide open below never gets the C runtime's
// text mode (which would turn "\n" into "\r\n"): every open of ours carries
// O_CLOEXEC.
#define O_CLOEXEC (_O_NOINHERIT | _O_BINARY)
#define O_NONBLOCK 0
#define O_NOCTTY 0
// Windows has no folder descriptors: an open with O_DIRECTORY fails
// (EISDIR), and a folder's entries are written through by MoveFileExW.
#define O_DIRECTORY 0x200000
#define S_ISLNK(mode) 0
// A descriptor's status flags: nothing to switch on Windows (F_SETFL does nothing).
#define F_GETFL 3
#define F_SETFL 4
#define AT_FDCWD (-100)
#define RENAME_NOREPLACE 1u

using uid_t = unsigned int;
using gid_t = unsigned int;

// Always in binary mode.
int open(const wchar_t* path, int flags, int mode = 0);
int stat(const wchar_t* path, struct stat* info);
int lstat(const wchar_t* path, struct stat* info);
// A name held as UTF-8 text.
int lstat(const char* path, struct stat* info);
int access(const wchar_t* path, int how);
int unlink(const wchar_t* path);
// Replaces an existing `to`, as POSIX rename does (MoveFileExW).
int rename(const wchar_t* from, const wchar_t* to);
int renameat2(int, const wchar_t* from, int, const wchar_t* to, unsigned flags);
int link(const wchar_t* existing, const wchar_t* name);
// read and write with a size_t count, as POSIX has them (the C runtime's take unsigned int).
ssize_t read(int fd, void* buffer, size_t count);
ssize_t write(int fd, const void* data, size_t count);
int fcntl(int fd, int command, ...);
int fsync(int fd);
int fdatasync(int fd);
int fchmod(int fd, unsigned mode);
ssize_t pread(int fd, void* buffer, size_t count, off_t offset);

int setenv(const char* name, const char* value, int overwrite);
int unsetenv(const char* name);

struct tm* localtime_r(const time_t* time, struct tm* result);
struct tm* gmtime_r(const time_t* time, struct tm* result);
time_t timegm(struct tm* time);

#endif
