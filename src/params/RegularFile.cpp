#include "params/RegularFile.h"

#include <cerrno>
#include <system_error>

#include <fcntl.h>
#include <sys/stat.h>

namespace dravinor::params {

OpenedFile openRegularFile(const std::filesystem::path& path, int flags, unsigned mode)
{
    OpenedFile file;
    const auto fail = [&file](RegularFileError error, std::string text) {
        file.error = error;
        file.systemText = std::move(text);
        file.fd = FileDescriptor(-1);
        return std::move(file);
    };
    const auto systemText = [](int number) { return std::generic_category().message(number); };
    if ((flags & O_ACCMODE) != O_RDONLY) {
        file.target = examineSaveTarget(path);
        if (file.target.kind == SaveTargetKind::Directory)
            return fail(RegularFileError::Directory, systemText(EISDIR));
        if (file.target.kind == SaveTargetKind::Unreachable || file.target.kind == SaveTargetKind::LinkLoop)
            return fail(RegularFileError::CannotOpen, systemTextOf(file.target));
        if (!file.target.savable())
            return fail(RegularFileError::NotAFile, "not a regular file");
    }
    const int fd = ::open(path.c_str(), flags | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, mode);
    // A folder opened for writing fails with EISDIR: told as a folder all the same.
    if (fd < 0) {
        const int error = errno;
        // A FIFO opened for writing with no reader says ENXIO.
        struct stat info {};
        if (error == ENXIO && ::stat(path.c_str(), &info) == 0 && !S_ISREG(info.st_mode))
            return fail(RegularFileError::NotAFile, "not a regular file");
        // Windows refuses to open a folder with EACCES.
        if (error == EACCES && ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode))
            return fail(RegularFileError::Directory, systemText(EISDIR));
        return fail(error == ENOENT   ? RegularFileError::Missing
                    : error == EISDIR ? RegularFileError::Directory
                                      : RegularFileError::CannotOpen,
                    systemText(error));
    }
    file.fd = FileDescriptor(fd);
    struct stat info {};
    if (::fstat(fd, &info) != 0)
        return fail(RegularFileError::CannotOpen, systemText(errno));
    if (S_ISDIR(info.st_mode))
        return fail(RegularFileError::Directory, systemText(EISDIR));
    if (!S_ISREG(info.st_mode))
        return fail(RegularFileError::NotAFile, "not a regular file");
    const int status = ::fcntl(fd, F_GETFL);
    if (status >= 0)
        (void)::fcntl(fd, F_SETFL, status & ~O_NONBLOCK);
    file.size = static_cast<std::uintmax_t>(info.st_size);
    return file;
}

}  // namespace dravinor::params
