#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace dravinor::link {

// Why a device could not be opened; the caller turns it into words.
enum class OpenError {
    None,
    NotFound,          // no such device
    PermissionDenied,  // see OpenResult::access
    Busy,              // another program holds the port; see OpenResult::holders
    NotATerminal,      // not a serial port: no terminal, or the console, a virtual console, /dev/tty
    Other,
};

// Who may use a device that refused us.
struct DeviceAccess {
    std::string owner;
    std::string group;
    unsigned mode = 0;         // permission bits, e.g. 0660
    bool groupMayUse = false;  // the group may read and write: joining it helps
};

// A program that holds a device open.
struct DeviceHolder {
    int pid = 0;
    std::string name;
};

struct OpenResult {
    OpenResult() = default;
    OpenResult(OpenError failure, std::string text = {}) : error(failure), detail(std::move(text)) {}

    OpenError error = OpenError::None;
    std::string detail;                 // the system's error text
    DeviceAccess access;                // with PermissionDenied
    std::vector<DeviceHolder> holders;  // with Busy, when they could be seen
    bool ok() const { return error == OpenError::None; }
};

// One serial device, raw and half-duplex. Implementations: the termios
// backend, and scripted devices in tests.
class SerialDevice {
public:
    virtual ~SerialDevice() = default;

    virtual OpenResult open(const std::string& path) = 0;
    virtual void close() = 0;
    virtual bool isOpen() const = 0;

    // Keys the interface's transmitter; failures are ignored by callers.
    virtual void setRts(bool on) = 0;
    // Writes every byte; false when the device refused them.
    virtual bool write(const std::uint8_t* data, std::size_t count) = 0;
    // Returns once the last written byte has left the transmitter.
    virtual void drainOutput() = 0;
    // Throws away whatever waits in the receive queue.
    virtual void discardInput() = 0;
    // Bytes waiting in the receive queue (0 when none or on failure).
    virtual std::size_t queuedCount() = 0;
    // Reads at most max bytes of what waits; never blocks.
    virtual std::size_t read(std::uint8_t* buffer, std::size_t max) = 0;
    // True once the device has gone away (adapter unplugged, line hung up).
    virtual bool hungUp() const = 0;
};

}  // namespace dravinor::link
