#pragma once

#include "link/ControllerIdentity.h"
#include "params/ParameterBlock.h"
#include "params/ParameterFile.h"

#include <cstdint>
#include <ctime>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>

namespace dravinor::params {

// The controller's set kept as a parameter file just before a bulk write
// replaces it, so that the write can be taken back.
struct SetBackup {
    enum class Status {
        NotAsked,      // the transfer keeps no backups (tests, tools)
        Kept,          // `file` holds the set the controller had
        NoController,  // nothing is connected: there is no set to keep
        SetNotKnown,   // the controller's set was not wholly read: nothing kept
        NotSaved,      // the file could not be written: `error`, `systemText`
    };
    Status status = Status::NotAsked;
    std::filesystem::path file;  // Kept: the backup; NotSaved: the file tried
    FileError error = FileError::None;
    std::string systemText;

    bool kept() const { return status == Status::Kept; }
};

// The folder of backups and their names: "2026-12-08-083205-typ1-wersja3.PAR"
// (local time, then the controller's type and firmware version; "unknown"
// without an identity). Two backups in one second get "-2", "-3", ...
class SetBackups {
public:
    explicit SetBackups(std::filesystem::path folder, std::function<std::time_t()> now = {});

    // "backups" beside the journal, in the state folder.
    static std::filesystem::path folderBeside(const std::filesystem::path& journal);
    static std::string fileName(const std::tm& localTime, std::optional<link::ControllerIdentity> identity);

    const std::filesystem::path& folder() const { return folder_; }
    // The file of a backup named in the journal; nothing for a name that is
    // no plain backup name (a path, a folder, another extension).
    std::optional<std::filesystem::path> fileNamed(const std::string& name) const;

    // Saves the set with the safe parameter-file save, under a new name.
    SetBackup keep(const ParameterBlock& set, std::optional<link::ControllerIdentity> identity) const;

private:
    std::filesystem::path folder_;
    std::function<std::time_t()> now_;
};

// A backup read back: its set, or why it cannot be used.
struct BackupRead {
    std::optional<ParameterBlock> set;
    LoadResult load;
    bool wrongSize = false;  // read, but not the 64 bytes a backup has
};
BackupRead readBackup(const std::filesystem::path& file);

}  // namespace dravinor::params
