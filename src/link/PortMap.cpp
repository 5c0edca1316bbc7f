#include "link/PortMap.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <filesystem>

namespace dravinor::link {

namespace fs = std::filesystem;

namespace {

std::string trim(const std::string& text)
{
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string::npos)
        return {};
    const auto last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

}  // namespace

long deviceNumber(const std::string& name, const std::string& prefix)
{
    if (name.size() <= prefix.size() || name.compare(0, prefix.size(), prefix) != 0)
        return -1;
    const char* first = name.data() + prefix.size();
    const char* last = name.data() + name.size();
    if (!std::isdigit(static_cast<unsigned char>(*first)))
        return -1;  // from_chars would take a sign
    long number = -1;
    const auto [end, error] = std::from_chars(first, last, number);
    return error == std::errc{} && end == last ? number : -1;
}

std::string PortMap::portName(int index)
{
    return "COM" + std::to_string(index + 1);
}

int PortMap::portIndex(const std::string& name)
{
    if (name.size() < 4 || name.size() > 5)
        return -1;
    std::string prefix = name.substr(0, 3);
    std::transform(prefix.begin(), prefix.end(), prefix.begin(), [](unsigned char c) { return std::toupper(c); });
    if (prefix != "COM")
        return -1;
    // "COM01" is no name of the list.
    if (name[3] == '0')
        return -1;
    const long number = deviceNumber(name, name.substr(0, 3));
    return number >= 1 && number <= portCount ? static_cast<int>(number - 1) : -1;
}

std::string PortMap::resolve(const std::string& name) const
{
    if (!name.empty() && name.front() == '/')
        return name;
    const int index = portIndex(name);
    return index < 0 ? std::string{} : paths_[static_cast<std::size_t>(index)];
}

bool PortMap::applyAssignment(const std::string& assignment, std::string* error)
{
    const auto equals = assignment.find('=');
    const std::string name = trim(assignment.substr(0, equals));
    const std::string path = equals == std::string::npos ? std::string{} : trim(assignment.substr(equals + 1));
    const int index = portIndex(name);
    if (equals == std::string::npos || index < 0 || path.empty()) {
        if (error)
            *error = "expected COMn=PATH with n from 1 to 10, got \"" + assignment + "\"";
        return false;
    }
    paths_[static_cast<std::size_t>(index)] = path;
    return true;
}

bool PortMap::applyAssignmentList(const std::string& list, std::string* error)
{
    // Checked whole before anything is applied: a name given twice would
    // silently take the last path, and a list of commas would name no port.
    std::vector<std::string> items;
    std::size_t start = 0;
    while (start <= list.size()) {
        const auto comma = list.find(',', start);
        if (std::string item = trim(list.substr(start, comma - start)); !item.empty())
            items.push_back(std::move(item));
        if (comma == std::string::npos)
            break;
        start = comma + 1;
    }
    if (items.empty()) {
        if (error)
            *error = "\"" + list + "\" names no port; expected COMn=PATH[,COMn=PATH...]";
        return false;
    }
    if (!assignedOnce(items, error))
        return false;
    PortMap checked = *this;
    for (const std::string& item : items)
        if (!checked.applyAssignment(item, error))
            return false;
    *this = std::move(checked);
    return true;
}

bool assignedOnce(const std::vector<std::string>& assignments, std::string* error)
{
    std::array<bool, PortMap::portCount> seen{};
    for (const std::string& assignment : assignments) {
        const int index = PortMap::portIndex(trim(assignment.substr(0, assignment.find('='))));
        if (index < 0)
            continue;  // malformed: told by applyAssignment
        if (seen[static_cast<std::size_t>(index)]) {
            if (error)
                *error = PortMap::portName(index) + " is assigned twice; give each port name one device";
            return false;
        }
        seen[static_cast<std::size_t>(index)] = true;
    }
    return true;
}

namespace {

// A device's path with its links followed, or as written when it cannot be
// followed (a device not plugged in yet).
fs::path followed(const std::string& path)
{
    std::error_code error;
    fs::path real = fs::weakly_canonical(path, error);
    return error ? fs::path(path).lexically_normal() : real;
}

bool sameDevice(const std::string& a, const std::string& b)
{
    std::error_code error;
    return fs::equivalent(a, b, error) || followed(a) == followed(b);
}

// One device under two port names would be scanned twice and make "the same
// port" after an unplug ambiguous.
bool eachDeviceNamedOnce(const PortMap& map, std::string* error)
{
    for (int first = 0; first < PortMap::portCount; ++first)
        for (int second = first + 1; second < PortMap::portCount; ++second) {
            const std::string& path = map.devicePath(first);
            if (path.empty() || map.devicePath(second).empty() || !sameDevice(path, map.devicePath(second)))
                continue;
            if (error)
                *error = PortMap::portName(first) + " and " + PortMap::portName(second) + " name one device, " + path +
                         "; give each device one port name";
            return false;
        }
    return true;
}

}  // namespace

bool buildPortMap(const std::vector<std::string>& commandLineAssignments, const char* environmentList, PortMap& map,
                  std::string* error)
{
    const bool hasEnvironment = environmentList && *environmentList;
    if (!hasEnvironment && commandLineAssignments.empty()) {
        map = PortMap::discover();
        return true;
    }
    map = PortMap{};
    if (hasEnvironment && !map.applyAssignmentList(environmentList, error)) {
        if (error)
            *error = "DRAVINOR_PORTS: " + *error;
        return false;
    }
    // The command line may name a port of the environment's again (it wins),
    // but not one of its own twice.
    if (!assignedOnce(commandLineAssignments, error))
        return false;
    for (const auto& assignment : commandLineAssignments) {
        if (!map.applyAssignment(assignment, error))
            return false;
    }
    return eachDeviceNamedOnce(map, error);
}

}  // namespace dravinor::link
