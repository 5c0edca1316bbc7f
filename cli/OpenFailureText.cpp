#include "OpenFailureText.h"

#include <cstdio>

namespace dravinor::cli {

namespace {

std::string octal(unsigned mode)
{
    char text[8];
    std::snprintf(text, sizeof text, "%03o", mode);
    return text;
}

std::string permissionText(const link::DeviceAccess& access)
{
    std::string text = "permission denied";
    if (access.owner.empty())
        return text;
    // Joining the group helps only when the group itself may read and write.
    if (access.groupMayUse)
        return text + "; the device belongs to the group '" + access.group +
               "': add your user to it (sudo usermod -aG " + access.group + " $USER) and log in again";
    return text + "; the device (owner " + access.owner + ", group " + access.group + ", mode " + octal(access.mode) +
           ") lets no group use it: have a udev rule give it a group that may read and write it "
           "(for example GROUP=\"dialout\", MODE=\"0660\"), or run as " +
           access.owner;
}

std::string stopAdvice(const std::string& program)
{
    if (program == "ModemManager")
        return "stop it with 'sudo systemctl stop ModemManager' (or 'sudo systemctl disable --now ModemManager')";
    if (program == "brltty")
        return "stop it with 'sudo systemctl stop brltty' (or remove the brltty package if no braille display is used)";
    return "close that program";
}

std::string busyText(const link::OpenResult& result)
{
    if (result.holders.empty())
        return "the port is in use by another program";
    std::string text = "the port is in use by";
    for (std::size_t i = 0; i < result.holders.size(); ++i) {
        const auto& holder = result.holders[i];
        text += (i == 0 ? " " : ", ") + holder.name + " (PID " + std::to_string(holder.pid) + ")";
    }
    // Both would read the controller's answers; one program at a time.
    return text + ": " + stopAdvice(result.holders.front().name);
}

}  // namespace

std::string portFailureLine(const std::string& port, const link::OpenResult& result)
{
    // A terminal, a console or a file: no adapter is missing, and no
    // permission would help.
    if (result.error == link::OpenError::NotATerminal)
        return port + " is not a serial port (no serial adapter's device; nothing was sent there)";
    return port + ": " + openFailureText(result);
}

std::string openFailureText(const link::OpenResult& result)
{
    switch (result.error) {
    case link::OpenError::None: return "opened, but no controller answers";
    case link::OpenError::NotFound: return "no such device (is the adapter plugged in?)";
    case link::OpenError::PermissionDenied: return permissionText(result.access);
    case link::OpenError::Busy: return busyText(result);
    case link::OpenError::NotATerminal: return "not a serial port";
    case link::OpenError::Other: break;
    }
    return "cannot open: " + result.detail;
}

}  // namespace dravinor::cli
