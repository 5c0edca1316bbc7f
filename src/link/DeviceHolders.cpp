#include "link/DeviceHolders.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <grp.h>
#include <pwd.h>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>

namespace dravinor::link {

namespace fs = std::filesystem;

namespace {

bool isProcessId(const std::string& name)
{
    return !name.empty() && std::all_of(name.begin(), name.end(), [](char c) { return c >= '0' && c <= '9'; });
}

std::string processName(const fs::path& processDirectory)
{
    std::ifstream comm(processDirectory / "comm");
    std::string name;
    std::getline(comm, name);
    return name.empty() ? "?" : name;
}

// Whether a descriptor in the process's fd folder leads to one of names.
// Each descriptor's link is read relative to the open folder: every port
// opened walks every process's descriptors, and resolving the whole
// /proc/PID/fd/N path again for each took twice as long.
bool holdsDevice(const fs::path& descriptorFolder, const std::vector<std::string>& names)
{
    const int folder = ::open(descriptorFolder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder < 0)
        return false;  // gone, or not ours to read
    DIR* descriptors = ::fdopendir(folder);
    if (descriptors == nullptr) {
        ::close(folder);
        return false;
    }
    bool holds = false;
    char target[PATH_MAX];
    while (!holds) {
        const dirent* entry = ::readdir(descriptors);
        if (entry == nullptr)
            break;
        const ssize_t length = ::readlinkat(folder, entry->d_name, target, sizeof target);
        if (length <= 0 || static_cast<std::size_t>(length) == sizeof target)
            continue;  // ".", "..", a descriptor closed meanwhile, or a path too long to be a port
        const std::string_view link(target, static_cast<std::size_t>(length));
        holds = std::find(names.begin(), names.end(), link) != names.end();
    }
    ::closedir(descriptors);
    return holds;
}

}  // namespace

std::vector<DeviceHolder> findDeviceHolders(const std::string& devicePath, const std::string& procRoot)
{
    // A descriptor link names the device by its real path.
    std::vector<std::string> names{devicePath};
    if (char* real = ::realpath(devicePath.c_str(), nullptr)) {
        names.emplace_back(real);
        std::free(real);
    }
    const std::string self = std::to_string(::getpid());

    // Processes come and go while we look: every step takes an error code
    // instead of throwing, and a vanished process is simply passed over.
    std::vector<DeviceHolder> holders;
    const fs::directory_iterator end;
    std::error_code error;
    for (fs::directory_iterator process(procRoot, error); !error && process != end; process.increment(error)) {
        const std::string pid = process->path().filename().string();
        if (!isProcessId(pid) || pid == self)
            continue;
        if (holdsDevice(process->path() / "fd", names))
            holders.push_back({std::atoi(pid.c_str()), processName(process->path())});
    }
    std::sort(holders.begin(), holders.end(), [](const auto& a, const auto& b) { return a.pid < b.pid; });
    return holders;
}

DeviceAccess describeDeviceAccess(const std::string& path)
{
    DeviceAccess access;
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0)
        return access;
    if (const passwd* owner = ::getpwuid(info.st_uid))
        access.owner = owner->pw_name;
    else
        access.owner = std::to_string(info.st_uid);
    if (const group* owningGroup = ::getgrgid(info.st_gid))
        access.group = owningGroup->gr_name;
    else
        access.group = std::to_string(info.st_gid);
    access.mode = info.st_mode & 07777;
    access.groupMayUse = (info.st_mode & S_IRGRP) && (info.st_mode & S_IWGRP);
    return access;
}

}  // namespace dravinor::link
