#include "link/DeviceHolders.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <grp.h>
#include <pwd.h>
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
        std::error_code unreadable;
        for (fs::directory_iterator descriptor(process->path() / "fd", unreadable); !unreadable && descriptor != end;
             descriptor.increment(unreadable)) {
            std::error_code gone;
            const std::string target = fs::read_symlink(descriptor->path(), gone).string();
            if (gone || std::find(names.begin(), names.end(), target) == names.end())
                continue;
            holders.push_back({std::atoi(pid.c_str()), processName(process->path())});
            break;
        }
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
