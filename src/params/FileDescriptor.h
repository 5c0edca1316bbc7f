#pragma once

#include <cstddef>
#include <utility>

namespace dravinor::params {

// Owns one POSIX file descriptor and closes it once.
class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    ~FileDescriptor();
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    FileDescriptor(FileDescriptor&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
    FileDescriptor& operator=(FileDescriptor&& other) noexcept;

    int get() const { return fd_; }
    // Hands the descriptor over (to a FILE*, say); it is no longer closed here.
    int release() { return std::exchange(fd_, -1); }
    // Closes now, so that a failing close can be reported.
    int close();

private:
    int fd_;
};

// write() until every byte is out; retries interrupted calls.
bool writeFully(int fd, const void* data, std::size_t size);

}  // namespace dravinor::params
