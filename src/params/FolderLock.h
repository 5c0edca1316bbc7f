#pragma once

#include <filesystem>

namespace dravinor::params {

// An exclusive lock on a folder for as long as it lives, so that a window
// and a command-line run writing into the same folder take turns. Best
// effort: a folder that cannot be locked is used unlocked. POSIX locks the
// folder itself (flock); Windows, which cannot lock a folder, a hidden
// ".lock" file inside it (LockFileEx).
class FolderLock {
public:
    explicit FolderLock(const std::filesystem::path& folder);
    ~FolderLock();
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;

    bool locked() const { return fd_ >= 0; }

private:
    int fd_ = -1;
};

}  // namespace dravinor::params
