#pragma once

// The tool's side of the line, opened the way the tool opens its port.

#include <chrono>
#include <cstdint>
#include <fcntl.h>
#include <poll.h>
#include <string>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>
#include <vector>

namespace dravinor::sim::testing {

class PtyClient {
public:
    explicit PtyClient(const std::string& path) : fd_(::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK))
    {
        termios t{};
        if (fd_ < 0 || ::ioctl(fd_, TIOCEXCL) != 0 || ::tcgetattr(fd_, &t) != 0)
            return;
        ::cfmakeraw(&t);
        ::cfsetspeed(&t, B9600);
        t.c_cflag |= CLOCAL | CREAD;
        ::tcsetattr(fd_, TCSANOW, &t);
    }
    ~PtyClient()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    PtyClient(const PtyClient&) = delete;
    PtyClient& operator=(const PtyClient&) = delete;

    bool isOpen() const { return fd_ >= 0; }
    int fd() const { return fd_; }

    static std::vector<std::uint8_t> frame(std::uint8_t letter, std::uint8_t address = 0, std::uint8_t d1 = 0,
                                           std::uint8_t d2 = 0)
    {
        return {letter, address, d1, d2, static_cast<std::uint8_t>(letter + address + d1 + d2), 0x3B};
    }
    bool send(const std::vector<std::uint8_t>& bytes)
    {
        return ::write(fd_, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size());
    }
    bool command(std::uint8_t letter, std::uint8_t address = 0, std::uint8_t d1 = 0, std::uint8_t d2 = 0)
    {
        return send(frame(letter, address, d1, d2));
    }

    // Whatever arrives until count bytes are in, the time is up or the line hangs up.
    std::vector<std::uint8_t> receive(std::size_t count,
                                      std::chrono::milliseconds within = std::chrono::milliseconds(500))
    {
        std::vector<std::uint8_t> got;
        const auto deadline = std::chrono::steady_clock::now() + within;
        while (got.size() < count && std::chrono::steady_clock::now() < deadline) {
            pollfd p{fd_, POLLIN, 0};
            if (::poll(&p, 1, 5) <= 0)
                continue;
            std::uint8_t buffer[512];
            const ssize_t n = ::read(fd_, buffer, std::min(sizeof buffer, count - got.size()));
            if (n <= 0)
                break;
            got.insert(got.end(), buffer, buffer + n);
        }
        return got;
    }

private:
    int fd_;
};

}  // namespace dravinor::sim::testing
