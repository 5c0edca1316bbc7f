#pragma once

#include <filesystem>

#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace dravinor::testing {

// Names that hold no regular file, for tests of saves that must not replace
// them. The character device is a private node made in the test's folder
// (the same device as /dev/null, so nothing written to it is kept): a save
// that wrongly replaced it costs nothing. Where nodes cannot be made, it
// is /dev/null itself.
inline std::filesystem::path privateCharacterDevice(const std::filesystem::path& folder)
{
    const auto node = folder / "null-device";
    if (::mknod(node.c_str(), S_IFCHR | 0666, makedev(1, 3)) == 0)
        return node;
    return "/dev/null";
}

inline bool isFifo(const std::filesystem::path& path)
{
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0 && S_ISFIFO(info.st_mode);
}

inline bool isCharacterDevice(const std::filesystem::path& path)
{
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0 && S_ISCHR(info.st_mode);
}

}  // namespace dravinor::testing
