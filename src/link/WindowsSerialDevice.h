#pragma once

#include "link/SerialDevice.h"

#include <string>

namespace dravinor::link {

// The Win32 backend: "\\.\COMn" opened exclusively, 9600 8N1 without flow
// control, DTR off and RTS keyed by hand for the half-duplex interface.
// Reads never block (the link polls). While a port is open the system timer
// runs at 1 ms, so that the link's 2 ms polls are 2 ms and not 15.6.
class WindowsSerialDevice final : public SerialDevice {
public:
    WindowsSerialDevice() = default;
    ~WindowsSerialDevice() override;
    WindowsSerialDevice(const WindowsSerialDevice&) = delete;
    WindowsSerialDevice& operator=(const WindowsSerialDevice&) = delete;

    OpenResult open(const std::string& path) override;
    void close() override;
    bool isOpen() const override { return handle_ != nullptr; }

    void setRts(bool on) override;
    bool write(const std::uint8_t* data, std::size_t count) override;
    void drainOutput() override;
    void discardInput() override;
    std::size_t queuedCount() override;
    std::size_t read(std::uint8_t* buffer, std::size_t max) override;
    bool hungUp() const override { return hungUp_; }

    // "COM3" and "\\.\COM3" both name the device "\\.\COM3" (COM10 and
    // above exist only under the long form).
    static std::string devicePathOf(const std::string& name);

private:
    // Notes a lost device from the error of a failed call.
    void noteFailure(unsigned long error);

    void* handle_ = nullptr;  // HANDLE
    bool hungUp_ = false;
};

}  // namespace dravinor::link
