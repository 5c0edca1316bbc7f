#pragma once

#include <string>

namespace dravinor::link {

// Watches one stable device name (a /dev/serial/by-id link, the simulator's
// link) for coming and going, through inotify on the folder that holds it:
// no polling. A folder that does not exist yet (udev makes /dev/serial only
// with the first adapter) is waited for through the nearest folder above it
// that does. The descriptor is for the caller's event loop; takeChanges()
// reads it without blocking. On Windows ("COM3"), which tells of ports only
// through a window's device notifications, there is no descriptor: each
// takeChanges() looks whether the name is there now.
class DeviceWatcher {
public:
    explicit DeviceWatcher(std::string path);
    ~DeviceWatcher();
    DeviceWatcher(const DeviceWatcher&) = delete;
    DeviceWatcher& operator=(const DeviceWatcher&) = delete;

    // False when the kernel gives no inotify instance (the caller then has
    // no reconnection, but loses nothing else).
    bool start();
    bool started() const { return started_; }
    // Readable when something happened; -1 before start(), and on Windows,
    // where the caller looks with takeChanges() now and then instead.
    int descriptor() const { return fd_; }
    // Drains what the kernel reported. True when the name may have appeared,
    // vanished or been replaced since the last call: present() says how it
    // stands now.
    bool takeChanges();
    // The name exists and leads to something (a dangling link is absent).
    bool present() const;
    const std::string& path() const { return path_; }
    // The folder watched now: the name's own, or one above it while that is missing.
    const std::string& watchedFolder() const { return watchedFolder_; }

private:
    // Watches the deepest existing folder on the way to the name.
    void arm();
    void disarm();

    std::string path_;
    std::string watchedFolder_;
    std::string awaitedEntry_;  // the entry of watchedFolder_ that matters: the name, or the next folder
    int fd_ = -1;
    int watch_ = -1;
    bool started_ = false;
    bool lastSeen_ = false;  // Windows: the name was there at the last look
};

}  // namespace dravinor::link
