#pragma once

#include <array>
#include <string>
#include <vector>

namespace dravinor::link {

// The logical port names COM1..COM10 of the scan, the ports menu and the
// messages, each resolved to a device path (or to nothing).
class PortMap {
public:
    static constexpr int portCount = 10;

    // "COM1" for index 0 ... "COM10" for index 9.
    static std::string portName(int index);
    // 0 for "COM1" ... 9 for "COM10" (case-insensitive); -1 otherwise.
    static int portIndex(const std::string& name);

    // The serial devices present: USB adapters first (ttyUSB*, ttyACM*),
    // then ttyS* ports that have a real UART, each group in numeric order.
    static PortMap discover(const std::string& devDir = "/dev", const std::string& sysTtyDir = "/sys/class/tty");

    // Device path of a name; a name that is itself a path resolves to itself.
    std::string resolve(const std::string& name) const;
    const std::string& devicePath(int index) const { return paths_.at(static_cast<std::size_t>(index)); }
    void assign(int index, std::string path) { paths_.at(static_cast<std::size_t>(index)) = std::move(path); }

    // "COM3=/dev/ttyUSB0"; false with a reason when malformed.
    bool applyAssignment(const std::string& assignment, std::string* error);
    // "COM1=/dev/x,COM2=/dev/y", as in DRAVINOR_PORTS. All or nothing: a
    // malformed item, a name given twice or a list naming no port at all
    // is refused and leaves the map as it was.
    bool applyAssignmentList(const std::string& list, std::string* error);

private:
    std::array<std::string, portCount> paths_;
};

// "ttyUSB12" with prefix "ttyUSB" gives 12; -1 when the rest is not a
// number or too long for one (any name can turn up in a device folder).
long deviceNumber(const std::string& name, const std::string& prefix);

// False, with the name, when one port name is assigned twice.
bool assignedOnce(const std::vector<std::string>& assignments, std::string* error);

// The map the programs use: discovered devices, unless DRAVINOR_PORTS or
// --port assignments are given; then exactly the ports named there: --port
// adds to DRAVINOR_PORTS and, for a name both give, wins. One device under
// two names (links followed) is refused.
bool buildPortMap(const std::vector<std::string>& commandLineAssignments, const char* environmentList, PortMap& map,
                  std::string* error);

}  // namespace dravinor::link
