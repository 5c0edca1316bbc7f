#include "link/PosixSerialDevice.h"

#include "link/DeviceHolders.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <linux/serial.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <termios.h>
#include <unistd.h>

namespace dravinor::link {

namespace {

// Longest we wait for room in the output queue; six bytes always fit in a
// healthy driver, so running into this means the device is stuck.
constexpr int writeStallLimitMs = 500;
// A command frame takes about 6 ms on the line; an output queue still not
// empty after this long belongs to a stuck adapter.
constexpr int drainLimitMs = 200;

OpenResult openFailure(int error, const std::string& path)
{
    switch (error) {
    case ENOENT:
    case ENODEV:
    case ENXIO: return {OpenError::NotFound, std::strerror(error)};
    case EACCES:
    case EPERM: {
        OpenResult result{OpenError::PermissionDenied, std::strerror(error)};
        result.access = describeDeviceAccess(path);
        return result;
    }
    case EBUSY:
    case EWOULDBLOCK: return {OpenError::Busy, std::strerror(error)};
    default: return {OpenError::Other, std::strerror(error)};
    }
}

// A pseudo-terminal's other end is held by its own program (the
// simulator) by design; the programs that get in the way (ModemManager,
// brltty) hold real serial devices.
bool isPseudoTerminal(const std::string& path)
{
    char* real = ::realpath(path.c_str(), nullptr);
    const bool pty = real && std::string(real).rfind("/dev/pts/", 0) == 0;
    std::free(real);
    return pty;
}

// A terminal that can carry the controller's line: not the console, a
// virtual console, the controlling terminal or the pseudo-terminal
// multiplexer, which are terminals too but whose bytes go to the screen or
// nowhere.
bool isScreenTerminal(const struct stat& info)
{
    if (!S_ISCHR(info.st_mode))
        return false;
    const unsigned majorNumber = major(info.st_rdev);
    const unsigned minorNumber = minor(info.st_rdev);
    constexpr unsigned ttyMajor = 4;     // tty0..tty63 are virtual consoles, ttyS* from 64
    constexpr unsigned ttyAuxMajor = 5;  // /dev/tty, /dev/console, /dev/ptmx
    constexpr unsigned firstSerialMinor = 64;
    return majorNumber == ttyAuxMajor || (majorNumber == ttyMajor && minorNumber < firstSerialMinor);
}

bool isSerialLine(int fd)
{
    if (!::isatty(fd))
        return false;
    struct stat info {};
    return ::fstat(fd, &info) == 0 && S_ISCHR(info.st_mode) && !isScreenTerminal(info);
}

// Known by its device number before any open: /dev/tty without a
// controlling terminal does not open at all (ENXIO), and the console is the
// superuser's, yet neither is an absent adapter or a matter of permissions.
bool namesScreenTerminal(const std::string& path)
{
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && isScreenTerminal(info);
}

bool isLostDeviceError(int error)
{
    return error == EIO || error == ENXIO || error == ENODEV || error == EBADF;
}

// Asks a USB adapter to hand over received bytes at once: FTDI chips
// otherwise hold them up to 16 ms, which would double every exchange.
void requestLowLatency(int fd)
{
    serial_struct serial{};
    if (::ioctl(fd, TIOCGSERIAL, &serial) != 0)
        return;
    serial.flags |= ASYNC_LOW_LATENCY;
    (void)::ioctl(fd, TIOCSSERIAL, &serial);
}

bool configureLine(int fd)
{
    termios tio{};
    if (::tcgetattr(fd, &tio) != 0)
        return false;
    ::cfmakeraw(&tio);
    ::cfsetispeed(&tio, B9600);
    ::cfsetospeed(&tio, B9600);
    tio.c_cflag &= ~(CSIZE | PARENB | CSTOPB | CRTSCTS | HUPCL);
    tio.c_cflag |= CS8 | CLOCAL | CREAD;
    // Corrupted bytes are delivered (as read), not dropped: the reply checks
    // reject them, and a shortened reply would only hide them.
    tio.c_iflag &= ~(IXON | IXOFF | IXANY | INPCK | ISTRIP | IGNBRK | BRKINT | PARMRK | IGNPAR);
    tio.c_cc[VMIN] = 0;
    tio.c_cc[VTIME] = 0;
    return ::tcsetattr(fd, TCSANOW, &tio) == 0;
}

}  // namespace

PosixSerialDevice::~PosixSerialDevice()
{
    close();
}

OpenResult PosixSerialDevice::open(const std::string& path)
{
    close();
    if (namesScreenTerminal(path))
        return {OpenError::NotATerminal, {}};
    // Opened without blocking first, so that anything can be looked at
    // safely: only a terminal that can be a serial line is used at all.
    const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return openFailure(errno, path);
    if (!isSerialLine(fd)) {
        ::close(fd);
        return {OpenError::NotATerminal, {}};
    }
    // A program holding the port without a lock would read our answers.
    if (!isPseudoTerminal(path)) {
        if (auto holders = findDeviceHolders(path, procRoot_); !holders.empty()) {
            ::close(fd);
            OpenResult result{OpenError::Busy, std::strerror(EBUSY)};
            result.holders = std::move(holders);
            return result;
        }
    }
    // Two guards against a second program on the port: the kernel's
    // exclusive mode, and an advisory lock that also holds against root.
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const int error = errno;
        ::close(fd);
        return openFailure(error == EWOULDBLOCK ? EBUSY : error, path);
    }
    (void)::ioctl(fd, TIOCEXCL);
    if (!configureLine(fd)) {
        const int error = errno;
        ::close(fd);
        return openFailure(error, path);
    }
    // Linux raises RTS and DTR on open; a raised RTS keys the interface's
    // transmitter and would deafen the line. Ports without modem lines
    // (a pseudo-terminal) refuse these calls, which is fine.
    int lines = TIOCM_RTS | TIOCM_DTR;
    (void)::ioctl(fd, TIOCMBIC, &lines);
    requestLowLatency(fd);
    ::tcflush(fd, TCIOFLUSH);
    fd_ = fd;
    hungUp_ = false;
    return {};
}

void PosixSerialDevice::close()
{
    if (fd_ < 0)
        return;
    (void)::ioctl(fd_, TIOCNXCL);
    ::close(fd_);  // also releases the flock
    fd_ = -1;
    hungUp_ = false;
}

void PosixSerialDevice::noteFailure(int error)
{
    if (isLostDeviceError(error))
        hungUp_ = true;
}

void PosixSerialDevice::setRts(bool on)
{
    if (fd_ < 0 || hungUp_)
        return;
    int line = TIOCM_RTS;
    (void)::ioctl(fd_, on ? TIOCMBIS : TIOCMBIC, &line);
}

bool PosixSerialDevice::write(const std::uint8_t* data, std::size_t count)
{
    if (fd_ < 0 || hungUp_)
        return false;
    std::size_t done = 0;
    while (done < count) {
        const ssize_t n = ::write(fd_, data + done, count - done);
        if (n > 0) {
            done += static_cast<std::size_t>(n);
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && errno == EAGAIN) {
            pollfd waiter{fd_, POLLOUT, 0};
            const int ready = ::poll(&waiter, 1, writeStallLimitMs);
            if (ready > 0 && !(waiter.revents & (POLLHUP | POLLERR | POLLNVAL)))
                continue;
            if (ready > 0)
                hungUp_ = true;
            return false;
        }
        noteFailure(n < 0 ? errno : EIO);
        return false;
    }
    return true;
}

void PosixSerialDevice::drainOutput()
{
    if (fd_ < 0 || hungUp_)
        return;
    // tcdrain has no time limit: a wedged adapter would freeze the window.
    // Wait for the driver's queue with a deadline first; tcdrain then only
    // waits for the last byte to leave the UART.
    constexpr int checkEveryUs = 100;  // well under one byte's line time
    for (int waitedUs = 0;; waitedUs += checkEveryUs) {
        int queued = 0;
        if (::ioctl(fd_, TIOCOUTQ, &queued) != 0 || queued <= 0)
            break;
        if (waitedUs >= drainLimitMs * 1000) {
            ::tcflush(fd_, TCOFLUSH);
            hungUp_ = true;
            return;
        }
        const timespec pause{0, checkEveryUs * 1000L};
        ::nanosleep(&pause, nullptr);
    }
    while (::tcdrain(fd_) != 0) {
        if (errno != EINTR) {
            noteFailure(errno);
            return;
        }
    }
}

void PosixSerialDevice::discardInput()
{
    if (fd_ < 0 || hungUp_)
        return;
    if (::tcflush(fd_, TCIFLUSH) != 0)
        noteFailure(errno);
}

std::size_t PosixSerialDevice::queuedCount()
{
    if (fd_ < 0 || hungUp_)
        return 0;
    int waiting = 0;
    if (::ioctl(fd_, FIONREAD, &waiting) != 0) {
        noteFailure(errno);
        return 0;
    }
    if (waiting > 0)
        return static_cast<std::size_t>(waiting);
    // Nothing waits: make sure the device has not gone away meanwhile, so a
    // pulled adapter ends the exchange instead of looking like silence.
    pollfd probe{fd_, POLLIN, 0};
    if (::poll(&probe, 1, 0) > 0 && (probe.revents & (POLLHUP | POLLERR | POLLNVAL)))
        hungUp_ = true;
    return 0;
}

std::size_t PosixSerialDevice::read(std::uint8_t* buffer, std::size_t max)
{
    if (fd_ < 0 || hungUp_ || max == 0)
        return 0;
    for (;;) {
        const ssize_t n = ::read(fd_, buffer, max);
        if (n > 0)
            return static_cast<std::size_t>(n);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && errno == EAGAIN)
            return 0;
        if (n < 0) {
            noteFailure(errno);
            return 0;
        }
        // End of file although bytes were reported waiting: a hang-up, when
        // the line says so too.
        pollfd probe{fd_, POLLIN, 0};
        if (::poll(&probe, 1, 0) > 0 && (probe.revents & (POLLHUP | POLLERR | POLLNVAL)))
            hungUp_ = true;
        return 0;
    }
}

}  // namespace dravinor::link
