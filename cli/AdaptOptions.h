#pragma once

#include <optional>
#include <string>

namespace dravinor::cli {

// What `adapt` was asked: the two step-1 list items, the temperature-sensor
// check box when given, whether to confirm and press on by itself, and
// whether to go on with a lambda probe that failed.
struct AdaptOptions {
    int ignition = -1;
    int probe = -1;
    std::optional<bool> temperatureSensor;
    bool yes = false;
    bool force = false;
};

struct CliOptions;

// The ignition and probe types by number, as `adapt --help` lists them.
std::string adaptItemLists();

// False with a message naming the valid values on a bad or missing value.
bool parseAdaptArguments(const CliOptions& given, AdaptOptions& options, std::string& error);

}  // namespace dravinor::cli
