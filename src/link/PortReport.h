#pragma once

#include "link/SerialDevice.h"

#include <string>
#include <sys/types.h>
#include <vector>

namespace dravinor::link {

// Where the system describes its devices; tests point these at fake trees.
struct SystemRoots {
    std::string dev = "/dev";
    std::string sys = "/sys";
    std::string proc = "/proc";
};

// Who is asking: whether a device may be opened depends on it.
struct UserIdentity {
    uid_t uid = 0;
    std::vector<gid_t> groups;  // the primary group and the supplementary ones
    static UserIdentity current();
};

// The USB adapter behind a tty device, from sysfs.
struct UsbAdapter {
    std::string vendorId;   // "0403"
    std::string productId;  // "6001"
    std::string manufacturer;
    std::string product;
    bool found() const { return !vendorId.empty(); }
};

// What stands between the user and a port, and can be fixed by the user.
enum class PortProblem {
    None,
    NotInGroup,   // the device's group may use it; the user is not in it
    NoAccess,     // neither the user nor any group of the user's may use it
    HeldByOther,  // another program holds it open (ModemManager, brltty, ...)
};

// Everything `ports` tells about one device.
struct PortDiagnosis {
    std::string device;  // the path the port name stands for
    bool exists = false;
    std::string stableName;  // under /dev/serial/by-id; empty when none names it
    UsbAdapter usb;
    std::string driver;  // the kernel driver ("ftdi_sio", "cdc_acm", ...)
    std::string owner;
    std::string group;
    gid_t groupId = 0;
    unsigned mode = 0;
    bool mayOpen = false;  // read and write allowed for this user
    std::vector<DeviceHolder> holders;
    PortProblem problem = PortProblem::None;
};

// Only what names the device (stable name, USB ids, driver): cheap enough
// for a menu's tips, since no process table is walked.
PortDiagnosis identifyPort(const std::string& device, const SystemRoots& roots = {});

// Looks the device up in the trees under roots; nothing is opened.
PortDiagnosis diagnosePort(const std::string& device, const SystemRoots& roots = {},
                           const UserIdentity& user = UserIdentity::current());

// The shell command that removes a problem: "sudo usermod -aG dialout $USER",
// "sudo systemctl stop ModemManager"; empty when there is none to give.
std::string fixCommand(const PortDiagnosis& diagnosis);

}  // namespace dravinor::link
