#include "params/UserFolders.h"
#include "params/WriteJournal.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace dravinor::params {
namespace {

TEST(UserFolders, StateDirOverridesXdgWhichOverridesHome)
{
    ::setenv("DRAVINOR_STATE_DIR", "/x/state", 1);
    ::setenv("XDG_STATE_HOME", "/x/xdg", 1);
    EXPECT_EQ(WriteJournal::defaultPath(), "/x/state/journal.log");
    ::unsetenv("DRAVINOR_STATE_DIR");
    EXPECT_EQ(WriteJournal::defaultPath(), "/x/xdg/dravinor/journal.log");
    ::setenv("XDG_STATE_HOME", "", 1);
    ::setenv("HOME", "/home/fitter", 1);
    EXPECT_EQ(WriteJournal::defaultPath(), "/home/fitter/.local/state/dravinor/journal.log");
    EXPECT_EQ(stateFolder(), "/home/fitter/.local/state/dravinor");
    // The window's settings stay where Qt keeps them ($XDG_CONFIG_HOME/dravinor)
    // unless a folder is named.
    ::unsetenv("DRAVINOR_CONFIG_DIR");
    EXPECT_TRUE(settingsFolder().empty());
    ::setenv("DRAVINOR_CONFIG_DIR", "/x/config", 1);
    EXPECT_EQ(settingsFolder(), "/x/config");
    ::unsetenv("DRAVINOR_CONFIG_DIR");
}

TEST(UserFolders, DataDirOverridesXdgDataWhichOverridesHome)
{
    ::setenv("DRAVINOR_DATA_DIR", "/x/data", 1);
    ::setenv("XDG_DATA_HOME", "/x/xdg-data", 1);
    ::setenv("HOME", "/home/fitter", 1);
    EXPECT_EQ(dataFolder(), "/x/data");
    ::unsetenv("DRAVINOR_DATA_DIR");
    EXPECT_EQ(dataFolder(), "/x/xdg-data/dravinor");
    ::setenv("XDG_DATA_HOME", "", 1);
    EXPECT_EQ(dataFolder(), "/home/fitter/.local/share/dravinor");
}

}  // namespace
}  // namespace dravinor::params
