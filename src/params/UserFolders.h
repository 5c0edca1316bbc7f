#pragma once

#include <filesystem>

namespace dravinor::params {

// The folders a user's own files go to, by the system's custom.

// The write journal and the set backups: $DRAVINOR_STATE_DIR when set; else
// on POSIX $XDG_STATE_HOME/dravinor, else ~/.local/state/dravinor; on Windows
// %LOCALAPPDATA%\Dravinor, which stays on this PC as a journal of this PC's
// writes should.
std::filesystem::path stateFolder();

// The workshop's own records (the car book): $DRAVINOR_DATA_DIR when set; else
// on POSIX $XDG_DATA_HOME/dravinor, else ~/.local/share/dravinor; on Windows
// %LOCALAPPDATA%\Dravinor, beside the journal: a database is no file to roam.
std::filesystem::path dataFolder();

// The window's settings and recent files: $DRAVINOR_CONFIG_DIR when set;
// else on Windows %APPDATA%\Dravinor, which roams with the user; else empty,
// where Qt's own place for a user's settings is the custom
// ($XDG_CONFIG_HOME/dravinor, else ~/.config/dravinor).
std::filesystem::path settingsFolder();

}  // namespace dravinor::params
