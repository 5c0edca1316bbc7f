#include "Pty.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

namespace dravinor::sim {

namespace {

bool fail(std::string* error, const std::string& what)
{
    if (error)
        *error = what + ": " + std::strerror(errno);
    return false;
}

}  // namespace

bool Pty::open(std::string* error)
{
    close();
    master_ = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (master_ < 0)
        return fail(error, "posix_openpt");
    char name[128];
    if (::grantpt(master_) != 0 || ::unlockpt(master_) != 0 || ::ptsname_r(master_, name, sizeof name) != 0) {
        const bool result = fail(error, "pty setup");
        close();
        return result;
    }
    slavePath_ = name;
    ownSlave_ = ::open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (ownSlave_ < 0) {
        const bool result = fail(error, slavePath_);
        close();
        return result;
    }
    // Without this the line discipline would echo, translate CR/LF and eat
    // control characters before the tool sees them.
    termios settings{};
    if (::tcgetattr(ownSlave_, &settings) != 0) {
        const bool result = fail(error, "tcgetattr");
        close();
        return result;
    }
    ::cfmakeraw(&settings);
    ::cfsetispeed(&settings, B9600);
    ::cfsetospeed(&settings, B9600);
    if (::tcsetattr(ownSlave_, TCSANOW, &settings) != 0) {
        const bool result = fail(error, "tcsetattr");
        close();
        return result;
    }
    const int flags = ::fcntl(master_, F_GETFL);
    ::fcntl(master_, F_SETFL, flags | O_NONBLOCK);
    return true;
}

void Pty::close()
{
    if (ownSlave_ >= 0)
        ::close(ownSlave_);
    if (master_ >= 0)
        ::close(master_);
    ownSlave_ = -1;
    master_ = -1;
}

bool pointLink(const std::string& link, const std::string& target, std::string* error)
{
    struct stat st {};
    if (::lstat(link.c_str(), &st) == 0 && !S_ISLNK(st.st_mode)) {
        errno = EEXIST;
        return fail(error, link);
    }
    // Made beside the link and renamed over it, so a client never finds the
    // path missing or half made.
    const std::string temporary = link + ".new";
    ::unlink(temporary.c_str());
    if (::symlink(target.c_str(), temporary.c_str()) != 0)
        return fail(error, temporary);
    if (::rename(temporary.c_str(), link.c_str()) != 0) {
        const bool result = fail(error, link);
        ::unlink(temporary.c_str());
        return result;
    }
    return true;
}

void removeLink(const std::string& link)
{
    struct stat st {};
    if (::lstat(link.c_str(), &st) == 0 && S_ISLNK(st.st_mode))
        ::unlink(link.c_str());
}

}  // namespace dravinor::sim
