#include "params/SetBackup.h"

#include <cstdio>
#include <system_error>

namespace dravinor::params {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view backupExtension = ".PAR";

bool endsWith(std::string_view text, std::string_view end)
{
    return text.size() >= end.size() && text.substr(text.size() - end.size()) == end;
}

}  // namespace

SetBackups::SetBackups(fs::path folder, std::function<std::time_t()> now)
    : folder_(std::move(folder)), now_(now ? std::move(now) : [] { return std::time(nullptr); })
{
}

fs::path SetBackups::folderBeside(const fs::path& journal)
{
    const fs::path stateFolder = journal.parent_path();
    return (stateFolder.empty() ? fs::path(".") : stateFolder) / "backups";
}

std::string SetBackups::fileName(const std::tm& t, std::optional<link::ControllerIdentity> identity)
{
    char time[80];
    std::snprintf(time, sizeof time, "%04d-%02d-%02d-%02d%02d%02d", t.tm_year + 1900, t.tm_mon + 1, t.tm_mday,
                  t.tm_hour, t.tm_min, t.tm_sec);
    std::string name = time;
    if (identity)
        name += "-typ" + std::to_string(identity->type()) + "-wersja" + std::to_string(identity->firmware());
    else
        name += "-unknown";
    return name + std::string(backupExtension);
}

std::optional<fs::path> SetBackups::fileNamed(const std::string& name) const
{
    // Only a name this program gives: the journal is a text file anyone
    // may edit, and undo must not read or write anywhere else.
    if (name.empty() || name.front() == '.' || name.find('/') != std::string::npos || !endsWith(name, backupExtension))
        return std::nullopt;
    return folder_ / name;
}

SetBackup SetBackups::keep(const ParameterBlock& set, std::optional<link::ControllerIdentity> identity) const
{
    SetBackup backup;
    const std::time_t now = now_();
    std::tm local{};
    ::localtime_r(&now, &local);
    const std::string name = fileName(local, identity);
    std::error_code folderError, ignored;
    fs::create_directories(folder_, folderError);
    // A new name: a backup never replaces another one.
    fs::path file = folder_ / name;
    const std::string stem = name.substr(0, name.size() - backupExtension.size());
    for (int tie = 2; fs::exists(fs::symlink_status(file, ignored)) && tie < 1000; ++tie)
        file = folder_ / (stem + "-" + std::to_string(tie) + std::string(backupExtension));
    backup.file = file;
    const SaveResult saved = saveParameterFile(file, set);
    if (!saved.ok()) {
        backup.status = SetBackup::Status::NotSaved;
        backup.error = saved.error;
        // The folder's own trouble says more than the save's.
        backup.systemText = folderError ? folderError.message() : saved.systemText;
        return backup;
    }
    backup.status = SetBackup::Status::Kept;
    return backup;
}

BackupRead readBackup(const fs::path& file)
{
    BackupRead read;
    ParameterBlock set;
    read.load = loadParameterFile(file, set);
    if (!read.load.ok())
        return read;
    // A backup is always a whole block: anything else was not written here.
    read.wrongSize = read.load.fileSize != ParameterBlock::size;
    if (!read.wrongSize)
        read.set = set;
    return read;
}

}  // namespace dravinor::params
