// The port map's arguments on arbitrary text: the first line stands for
// DRAVINOR_PORTS, every further line for one --port value. No crash; only
// COM1..COM10 are ever accepted as names; a parsed map written back out as
// assignments parses to the same map.
#include "FuzzCheck.h"
#include "link/PortMap.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

using dravinor::link::PortMap;

using dravinor::fuzz::check;

namespace {

std::string trimmed(std::string_view text)
{
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    return std::string(text.substr(first, text.find_last_not_of(" \t") - first + 1));
}

// Written apart from the parser on purpose: COM, any case, then 1..10
// without a leading zero.
bool isPortName(const std::string& name)
{
    if (name.size() < 4 || name.size() > 5)
        return false;
    for (int i = 0; i < 3; ++i) {
        if ((name[static_cast<std::size_t>(i)] & ~0x20) != "COM"[i])
            return false;
    }
    const std::string number = name.substr(3);
    return number == "10" || (number.size() == 1 && number[0] >= '1' && number[0] <= '9');
}

void checkAcceptedName(std::string_view assignment)
{
    const auto equals = assignment.find('=');
    check(equals != std::string_view::npos && isPortName(trimmed(assignment.substr(0, equals))));
}

void checkAcceptedList(std::string_view list)
{
    std::size_t start = 0;
    while (start <= list.size()) {
        const auto comma = list.find(',', start);
        const std::string item = trimmed(list.substr(start, comma == std::string_view::npos ? comma : comma - start));
        if (!item.empty())
            checkAcceptedName(item);
        if (comma == std::string_view::npos)
            break;
        start = comma + 1;
    }
}

bool samePaths(const PortMap& a, const PortMap& b)
{
    for (int i = 0; i < PortMap::portCount; ++i) {
        if (a.devicePath(i) != b.devicePath(i))
            return false;
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const auto firstBreak = text.find('\n');
    const std::string environment(text.substr(0, firstBreak));
    std::vector<std::string> assignments;
    for (std::size_t start = firstBreak; start != std::string_view::npos && start < text.size();) {
        const auto end = text.find('\n', start + 1);
        assignments.emplace_back(text.substr(start + 1, end == std::string_view::npos ? end : end - start - 1));
        start = end;
    }
    // Neither given means discovering the machine's devices: not this target's job.
    if (environment.empty() && assignments.empty())
        return 0;

    PortMap map;
    std::string error;
    if (!dravinor::link::buildPortMap(assignments, environment.c_str(), map, &error)) {
        check(!error.empty());
        return 0;
    }
    // A NUL cuts the environment string where the C library would.
    checkAcceptedList(environment.c_str());
    for (const auto& assignment : assignments)
        checkAcceptedName(assignment);

    std::vector<std::string> writtenBack;
    std::string writtenList;
    bool listable = true;
    for (int i = 0; i < PortMap::portCount; ++i) {
        const std::string& path = map.devicePath(i);
        if (path.empty())
            continue;
        check(path == trimmed(path));
        check(map.resolve(PortMap::portName(i)) == path);
        writtenBack.push_back(PortMap::portName(i) + "=" + path);
        listable = listable && path.find(',') == std::string::npos && path.find('\0') == std::string::npos;
        writtenList += (writtenList.empty() ? "" : ",") + writtenBack.back();
    }
    PortMap again;
    check(dravinor::link::buildPortMap(writtenBack, nullptr, again, &error) || writtenBack.empty());
    if (!writtenBack.empty())
        check(samePaths(map, again));
    if (listable && !writtenList.empty()) {
        PortMap fromList;
        check(dravinor::link::buildPortMap({}, writtenList.c_str(), fromList, &error));
        check(samePaths(map, fromList));
    }
    return 0;
}
