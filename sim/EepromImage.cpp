#include "EepromImage.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace dravinor::sim {

EepromImage factoryEeprom()
{
    return EepromImage{
        0x00, 0x13, 0x1C, 0x6D, 0x64, 0x73, 0x55, 0x55, 0x64, 0x46, 0x0C, 0x4B, 0x03, 0x02, 0x06, 0xD1, 0x00, 0x53,
        0x02, 0x80, 0x02, 0x09, 0x08, 0x55, 0x46, 0x1D, 0x03, 0x01, 0x1F, 0x1F, 0x00, 0x03, 0x0F, 0x01, 0x00,
    };
}

bool loadParameterFile(const std::string& path, EepromImage& image, std::string* error)
{
    // POSIX calls rather than a stream: a stream "opens" a directory and then
    // reads nothing, which would pass for an empty file.
    // Without blocking: a FIFO would otherwise wait for a writer for ever.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        if (error)
            *error = path + ": " + std::strerror(errno);
        return false;
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        if (error)
            *error = path + ": not a regular file";
        ::close(fd);
        return false;
    }
    EepromImage loaded = factoryEeprom();
    std::size_t filled = 0;
    while (filled < loaded.size()) {
        const ssize_t n = ::read(fd, loaded.data() + filled, loaded.size() - filled);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            if (error)
                *error = path + ": " + std::strerror(errno);
            ::close(fd);
            return false;
        }
        if (n == 0)
            break;
        filled += static_cast<std::size_t>(n);
    }
    ::close(fd);
    image = loaded;
    return true;
}

}  // namespace dravinor::sim
