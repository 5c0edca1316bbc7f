#include "PortReportText.h"

#include <cstdio>

namespace dravinor::cli {

namespace {

std::string octal(unsigned mode)
{
    char text[8];
    std::snprintf(text, sizeof text, "%04o", mode);
    return text;
}

std::string line(const char* label, const std::string& text)
{
    char head[24];
    std::snprintf(head, sizeof head, "       %-13s", label);
    return head + text + "\n";
}

std::string adapterText(const link::PortDiagnosis& d)
{
    if (!d.usb.found())
        return d.driver.empty() ? "-" : "not USB, driver " + d.driver;
    std::string text = d.usb.vendorId + ":" + d.usb.productId;
    for (const std::string* part : {&d.usb.manufacturer, &d.usb.product})
        if (!part->empty())
            text += " " + *part;
    if (!d.driver.empty())
        text += ", driver " + d.driver;
    return text;
}

std::string accessText(const link::PortDiagnosis& d)
{
    const std::string who = d.owner + ":" + d.group + " " + octal(d.mode);
    if (d.mayOpen)
        return who + ", you may open it";
    if (d.problem == link::PortProblem::NotInGroup)
        return who + ", you may not open it: you are not in the group " + d.group;
    return who + ", you may not open it";
}

}  // namespace

std::string portReportText(const link::PortDiagnosis& d)
{
    if (!d.exists)
        return line("device", "missing (is the adapter plugged in?)");
    std::string text;
    text += line("stable name", d.stableName.empty() ? "-" : d.stableName);
    text += line("adapter", adapterText(d));
    text += line("access", accessText(d));
    if (!d.holders.empty()) {
        std::string holders;
        for (const auto& holder : d.holders)
            holders += (holders.empty() ? "" : ", ") + holder.name + " (PID " + std::to_string(holder.pid) + ")";
        text += line("held by", holders);
    }
    const std::string command = link::fixCommand(d);
    switch (d.problem) {
    case link::PortProblem::NotInGroup: text += line("fix", command + ", then log out and in again"); break;
    case link::PortProblem::HeldByOther:
        text += line("fix", command.empty() ? "close " + d.holders.front().name : command);
        break;
    case link::PortProblem::NoAccess:
        text += line("fix", "a udev rule that gives the device a group of yours with read and write "
                            "(GROUP=\"dialout\", MODE=\"0660\")");
        break;
    case link::PortProblem::None: break;
    }
    return text;
}

}  // namespace dravinor::cli
