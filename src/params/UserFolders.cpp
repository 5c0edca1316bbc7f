#include "params/UserFolders.h"

#include <cstdlib>
#include <string>

namespace dravinor::params {

namespace fs = std::filesystem;

namespace {

std::string nonEmptyEnv(const char* name)
{
    const char* value = std::getenv(name);
    return value && *value ? std::string(value) : std::string();
}

// $override when set; else $xdgVariable/dravinor; else ~/underHome/dravinor.
fs::path userFolder(const char* override, const char* xdgVariable, const fs::path& underHome)
{
    if (const std::string dir = nonEmptyEnv(override); !dir.empty())
        return dir;
    if (const std::string dir = nonEmptyEnv(xdgVariable); !dir.empty())
        return fs::path(dir) / "dravinor";
    return fs::path(nonEmptyEnv("HOME")) / underHome / "dravinor";
}

}  // namespace

fs::path stateFolder()
{
    return userFolder("DRAVINOR_STATE_DIR", "XDG_STATE_HOME", fs::path(".local") / "state");
}

fs::path dataFolder()
{
    return userFolder("DRAVINOR_DATA_DIR", "XDG_DATA_HOME", fs::path(".local") / "share");
}

fs::path settingsFolder()
{
    return nonEmptyEnv("DRAVINOR_CONFIG_DIR");
}

}  // namespace dravinor::params
