#include "link/PortReport.h"

#include "link/DeviceHolders.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace dravinor::link {

namespace fs = std::filesystem;

namespace {

fs::path canonicalOrSelf(const fs::path& path)
{
    std::error_code error;
    fs::path real = fs::weakly_canonical(path, error);
    return error ? path : real;
}

std::string firstLine(const fs::path& file)
{
    std::ifstream in(file);
    std::string line;
    std::getline(in, line);
    while (!line.empty() && (line.back() == '\r' || line.back() == ' '))
        line.pop_back();
    return line;
}

// The by-id links are relative ("../../ttyUSB0"): compare where they lead.
std::string findStableName(const fs::path& device, const std::string& devRoot)
{
    const fs::path real = canonicalOrSelf(device);
    std::error_code error;
    std::vector<std::string> names;
    for (fs::directory_iterator it(fs::path(devRoot) / "serial" / "by-id", error), end; !error && it != end;
         it.increment(error)) {
        std::error_code unreadable;
        const fs::path target = fs::read_symlink(it->path(), unreadable);
        if (unreadable)
            continue;
        const fs::path leadsTo = target.is_absolute() ? target : it->path().parent_path() / target;
        if (canonicalOrSelf(leadsTo) == real)
            names.push_back(it->path().string());
    }
    // One adapter may have several names (per interface); the shortest is the plainest.
    std::sort(names.begin(), names.end(),
              [](const auto& a, const auto& b) { return a.size() != b.size() ? a.size() < b.size() : a < b; });
    return names.empty() ? std::string{} : names.front();
}

// sysfs: class/tty/<name>/device is the port's device; its driver link names
// the driver, and the USB device with its ids sits somewhere above it.
void describeFromSysfs(PortDiagnosis& diagnosis, const std::string& name, const std::string& sysRoot)
{
    std::error_code error;
    const fs::path link = fs::path(sysRoot) / "class" / "tty" / name / "device";
    if (!fs::exists(link, error))
        return;
    const fs::path deviceDir = canonicalOrSelf(link);
    const fs::path driver = fs::read_symlink(deviceDir / "driver", error);
    if (!error)
        diagnosis.driver = driver.filename().string();
    const fs::path top = canonicalOrSelf(sysRoot);
    for (fs::path dir = deviceDir; !dir.empty() && dir != top && dir != dir.root_path(); dir = dir.parent_path()) {
        if (!fs::exists(dir / "idVendor", error))
            continue;
        diagnosis.usb.vendorId = firstLine(dir / "idVendor");
        diagnosis.usb.productId = firstLine(dir / "idProduct");
        diagnosis.usb.manufacturer = firstLine(dir / "manufacturer");
        diagnosis.usb.product = firstLine(dir / "product");
        break;
    }
}

bool allows(const struct stat& info, const UserIdentity& user)
{
    if (user.uid == 0)
        return true;
    // The kernel looks at the first class that matches, not the best one.
    if (info.st_uid == user.uid)
        return (info.st_mode & S_IRUSR) && (info.st_mode & S_IWUSR);
    if (std::find(user.groups.begin(), user.groups.end(), info.st_gid) != user.groups.end())
        return (info.st_mode & S_IRGRP) && (info.st_mode & S_IWGRP);
    return (info.st_mode & S_IROTH) && (info.st_mode & S_IWOTH);
}

bool isPseudoTerminal(const fs::path& real)
{
    return real.string().rfind("/dev/pts/", 0) == 0;
}

// Holders are looked for only where a port can be: a terminal device of
// the tty class that is not a console (/dev/null is held by half the
// system, and means nothing here). Plain files, as test trees use, too.
bool mayBeHeldAsPort(const struct stat& info, const fs::path& real, const std::string& sysRoot)
{
    if (S_ISREG(info.st_mode))
        return true;
    if (!S_ISCHR(info.st_mode))
        return false;
    constexpr unsigned ttyMajor = 4, ttyAuxMajor = 5, firstSerialMinor = 64;
    if (major(info.st_rdev) == ttyAuxMajor ||
        (major(info.st_rdev) == ttyMajor && minor(info.st_rdev) < firstSerialMinor))
        return false;
    std::error_code error;
    return fs::exists(fs::path(sysRoot) / "class" / "tty" / real.filename(), error);
}

}  // namespace

UserIdentity UserIdentity::current()
{
    UserIdentity user;
    user.uid = ::getuid();
    user.groups.push_back(::getgid());
    const int count = ::getgroups(0, nullptr);
    if (count > 0) {
        std::vector<gid_t> groups(static_cast<std::size_t>(count));
        const int got = ::getgroups(count, groups.data());
        if (got > 0)
            user.groups.insert(user.groups.end(), groups.begin(), groups.begin() + got);
    }
    return user;
}

PortDiagnosis identifyPort(const std::string& device, const SystemRoots& roots)
{
    PortDiagnosis diagnosis;
    diagnosis.device = device;
    struct stat info {};
    if (device.empty() || ::stat(device.c_str(), &info) != 0)
        return diagnosis;
    diagnosis.exists = true;
    diagnosis.stableName = findStableName(device, roots.dev);
    describeFromSysfs(diagnosis, canonicalOrSelf(device).filename().string(), roots.sys);
    return diagnosis;
}

PortDiagnosis diagnosePort(const std::string& device, const SystemRoots& roots, const UserIdentity& user)
{
    PortDiagnosis diagnosis = identifyPort(device, roots);
    struct stat info {};
    if (!diagnosis.exists || ::stat(device.c_str(), &info) != 0)
        return diagnosis;
    const fs::path real = canonicalOrSelf(device);

    diagnosis.owner = std::to_string(info.st_uid);
    if (const passwd* owner = ::getpwuid(info.st_uid))
        diagnosis.owner = owner->pw_name;
    diagnosis.group = std::to_string(info.st_gid);
    if (const group* owningGroup = ::getgrgid(info.st_gid))
        diagnosis.group = owningGroup->gr_name;
    diagnosis.groupId = info.st_gid;
    diagnosis.mode = info.st_mode & 07777;
    diagnosis.mayOpen = allows(info, user);
    // A pseudo-terminal's other end belongs to its own program by design.
    if (!isPseudoTerminal(real) && mayBeHeldAsPort(info, real, roots.sys))
        diagnosis.holders = findDeviceHolders(device, roots.proc);

    if (!diagnosis.holders.empty())
        diagnosis.problem = PortProblem::HeldByOther;
    else if (!diagnosis.mayOpen) {
        // Joining the group helps only an outsider, and only when the group may use the device.
        const bool groupMayUse = (info.st_mode & S_IRGRP) && (info.st_mode & S_IWGRP);
        const bool inGroup = std::find(user.groups.begin(), user.groups.end(), info.st_gid) != user.groups.end();
        diagnosis.problem =
            groupMayUse && !inGroup && info.st_uid != user.uid ? PortProblem::NotInGroup : PortProblem::NoAccess;
    }
    return diagnosis;
}

std::string fixCommand(const PortDiagnosis& diagnosis)
{
    switch (diagnosis.problem) {
    case PortProblem::NotInGroup: return "sudo usermod -aG " + diagnosis.group + " $USER";
    case PortProblem::HeldByOther: {
        // The two services known to grab serial adapters; any other program
        // is the user's own to close.
        const std::string& name = diagnosis.holders.front().name;
        if (name == "ModemManager" || name == "brltty")
            return "sudo systemctl stop " + name;
        return {};
    }
    case PortProblem::None:
    case PortProblem::NoAccess: break;
    }
    return {};
}

}  // namespace dravinor::link
