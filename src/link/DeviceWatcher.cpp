#include "link/DeviceWatcher.h"

#include <array>
#include <cerrno>
#include <filesystem>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>

namespace dravinor::link {

namespace fs = std::filesystem;

namespace {

// Entries made, removed or renamed in the folder, and the folder itself going.
constexpr std::uint32_t folderEvents =
    IN_CREATE | IN_DELETE | IN_MOVED_TO | IN_MOVED_FROM | IN_ATTRIB | IN_DELETE_SELF | IN_MOVE_SELF;

bool isFolder(const fs::path& path)
{
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

}  // namespace

DeviceWatcher::DeviceWatcher(std::string path) : path_(std::move(path)) {}

DeviceWatcher::~DeviceWatcher()
{
    if (fd_ >= 0)
        ::close(fd_);
}

bool DeviceWatcher::start()
{
    if (fd_ >= 0)
        return true;
    fd_ = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (fd_ < 0)
        return false;
    started_ = true;
    arm();
    return true;
}

void DeviceWatcher::disarm()
{
    if (watch_ >= 0)
        (void)::inotify_rm_watch(fd_, watch_);
    watch_ = -1;
    watchedFolder_.clear();
    awaitedEntry_.clear();
}

void DeviceWatcher::arm()
{
    disarm();
    const fs::path name = fs::path(path_).lexically_normal();
    fs::path folder = name.parent_path();
    fs::path awaited = name.filename();
    if (folder.empty())
        folder = ".";
    // Up to the first folder that exists; the root always does.
    while (!isFolder(folder) && folder.has_relative_path() && folder != folder.parent_path()) {
        awaited = folder.filename();
        folder = folder.parent_path();
        if (folder.empty())
            folder = ".";
    }
    watch_ = ::inotify_add_watch(fd_, folder.c_str(), folderEvents | IN_ONLYDIR);
    if (watch_ < 0)
        return;
    watchedFolder_ = folder.string();
    awaitedEntry_ = awaited.string();
}

bool DeviceWatcher::takeChanges()
{
    if (fd_ < 0)
        return false;
    bool changed = false;
    bool rearm = false;
    alignas(inotify_event) std::array<char, 4096> buffer{};
    for (;;) {
        const ssize_t n = ::read(fd_, buffer.data(), buffer.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        for (ssize_t at = 0; at < n;) {
            const auto* event = reinterpret_cast<const inotify_event*>(buffer.data() + at);
            at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
            if (event->mask & IN_Q_OVERFLOW) {
                // Events were lost: look again from scratch.
                changed = rearm = true;
                continue;
            }
            if (event->wd != watch_)
                continue;  // a watch given up before
            if (event->mask & (IN_DELETE_SELF | IN_MOVE_SELF | IN_IGNORED)) {
                changed = rearm = true;
                continue;
            }
            if (event->len == 0 || awaitedEntry_ != event->name)
                continue;
            changed = true;
            // A folder on the way to the name came or went: watch deeper or higher.
            if (watchedFolder_ != fs::path(path_).lexically_normal().parent_path().string())
                rearm = true;
        }
    }
    // The name's own folder may have come while we watched above it.
    if (rearm || watch_ < 0 || !isFolder(watchedFolder_))
        arm();
    return changed;
}

bool DeviceWatcher::present() const
{
    struct stat info {};
    return ::stat(path_.c_str(), &info) == 0;
}

}  // namespace dravinor::link
