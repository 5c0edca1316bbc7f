#include "link/PortMap.h"

#include <algorithm>
#include <filesystem>
#include <fstream>

namespace dravinor::link {

namespace fs = std::filesystem;

namespace {

struct Candidate {
    int group;
    long number;
    std::string path;
};

// Legacy ttyS nodes exist whether or not a UART sits behind them; the
// kernel reports type 0 (unknown) for the empty ones.
bool hasRealUart(const std::string& sysTtyDir, const std::string& name)
{
    std::ifstream typeFile(sysTtyDir + "/" + name + "/type");
    int type = 0;
    return typeFile >> type && type != 0;
}

}  // namespace

PortMap PortMap::discover(const std::string& devDir, const std::string& sysTtyDir)
{
    static const std::array<std::string, 3> prefixes{"ttyUSB", "ttyACM", "ttyS"};
    std::vector<Candidate> found;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(devDir, error)) {
        const std::string name = entry.path().filename().string();
        for (int group = 0; group < static_cast<int>(prefixes.size()); ++group) {
            const long number = deviceNumber(name, prefixes[static_cast<std::size_t>(group)]);
            if (number < 0)
                continue;
            if (prefixes[static_cast<std::size_t>(group)] == "ttyS" && !hasRealUart(sysTtyDir, name))
                continue;
            found.push_back({group, number, entry.path().string()});
        }
    }
    std::sort(found.begin(), found.end(), [](const Candidate& a, const Candidate& b) {
        return a.group != b.group ? a.group < b.group : a.number < b.number;
    });
    PortMap map;
    for (std::size_t i = 0; i < found.size() && i < map.paths_.size(); ++i)
        map.paths_[i] = found[i].path;
    return map;
}

}  // namespace dravinor::link
