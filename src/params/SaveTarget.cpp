#include "params/SaveTarget.h"

#include <cerrno>
#include <system_error>

#include <sys/stat.h>

namespace dravinor::params {

namespace fs = std::filesystem;

namespace {

constexpr int maxLinks = 40;  // as the kernel allows

SaveTargetKind kindOf(mode_t mode)
{
    if (S_ISREG(mode))
        return SaveTargetKind::RegularFile;
    if (S_ISDIR(mode))
        return SaveTargetKind::Directory;
    if (S_ISFIFO(mode))
        return SaveTargetKind::Fifo;
    if (S_ISCHR(mode))
        return SaveTargetKind::CharacterDevice;
    if (S_ISBLK(mode))
        return SaveTargetKind::BlockDevice;
    return SaveTargetKind::Socket;  // the one kind of node left
}

}  // namespace

SaveTarget examineSaveTarget(const fs::path& path)
{
    SaveTarget target;
    target.file = path;
    for (int depth = 0; depth <= maxLinks; ++depth) {
        struct stat info {};
        if (::lstat(target.file.c_str(), &info) != 0) {
            // A missing name (or a link to one) is a new file; any other
            // refusal to look is one to create as well.
            if (errno != ENOENT) {
                target.kind = SaveTargetKind::Unreachable;
                target.systemError = errno;
            }
            return target;
        }
        if (!S_ISLNK(info.st_mode)) {
            target.kind = kindOf(info.st_mode);
            return target;
        }
        std::error_code error;
        const fs::path next = fs::read_symlink(target.file, error);
        if (error) {
            target.kind = SaveTargetKind::Unreachable;
            target.systemError = error.value();
            return target;
        }
        target.throughLink = true;
        target.file = next.is_absolute() ? next : target.file.parent_path() / next;
    }
    target.kind = SaveTargetKind::LinkLoop;
    target.systemError = ELOOP;
    return target;
}

std::string systemTextOf(const SaveTarget& target)
{
    return target.systemError ? std::generic_category().message(target.systemError) : std::string();
}

}  // namespace dravinor::params
