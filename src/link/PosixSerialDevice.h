#pragma once

#include "link/SerialDevice.h"

#include <string>
#include <utility>

namespace dravinor::link {

// The termios backend: raw 8N1 9600, no flow control, exclusive, DTR off and
// RTS keyed by hand for the half-duplex interface.
class PosixSerialDevice final : public SerialDevice {
public:
    // procRoot is where other holders of a device are looked for.
    explicit PosixSerialDevice(std::string procRoot = "/proc") : procRoot_(std::move(procRoot)) {}
    ~PosixSerialDevice() override;
    PosixSerialDevice(const PosixSerialDevice&) = delete;
    PosixSerialDevice& operator=(const PosixSerialDevice&) = delete;

    OpenResult open(const std::string& path) override;
    void close() override;
    bool isOpen() const override { return fd_ >= 0; }

    void setRts(bool on) override;
    bool write(const std::uint8_t* data, std::size_t count) override;
    void drainOutput() override;
    void discardInput() override;
    std::size_t queuedCount() override;
    std::size_t read(std::uint8_t* buffer, std::size_t max) override;
    bool hungUp() const override { return hungUp_; }

private:
    // Notes a lost device from an errno after a failed call.
    void noteFailure(int error);

    std::string procRoot_;
    int fd_ = -1;
    bool hungUp_ = false;
};

}  // namespace dravinor::link
