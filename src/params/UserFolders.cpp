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

}  // namespace

fs::path stateFolder()
{
    if (const std::string dir = nonEmptyEnv("DRAVINOR_STATE_DIR"); !dir.empty())
        return dir;
    if (const std::string dir = nonEmptyEnv("XDG_STATE_HOME"); !dir.empty())
        return fs::path(dir) / "dravinor";
    return fs::path(nonEmptyEnv("HOME")) / ".local" / "state" / "dravinor";
}

fs::path dataFolder()
{
    if (const std::string dir = nonEmptyEnv("DRAVINOR_DATA_DIR"); !dir.empty())
        return dir;
    if (const std::string dir = nonEmptyEnv("XDG_DATA_HOME"); !dir.empty())
        return fs::path(dir) / "dravinor";
    return fs::path(nonEmptyEnv("HOME")) / ".local" / "share" / "dravinor";
}

fs::path roamingSettingsFolder()
{
    return {};
}

}  // namespace dravinor::params
