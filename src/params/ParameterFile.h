#pragma once

#include "params/ParameterBlock.h"
#include "params/SaveTarget.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>

namespace dravinor::params {

// Parameter files (".PAR") are the 64-byte block, byte for byte.

enum class FileError {
    None,
    CannotOpen,     // load: the file cannot be opened
    CannotRead,     // load: opened but reading failed (an I/O error)
    NotAFile,       // a folder, a FIFO, a device: only regular files are parameter files;
                    // a save names what holds the name in SaveResult::target and touches nothing
    CannotCreate,   // save: no temporary file in the target's folder
    CannotWrite,    // save: the target is read-only, or writing the temporary file failed
    CannotReplace,  // save: the temporary file could not be renamed into place
    CannotBackUp,   // save: the previous file could be neither linked nor moved to
                    // its ".BAK": nothing was saved, the file is as it was
};

struct LoadResult {
    FileError error = FileError::None;
    std::size_t bytesLoaded = 0;  // at most 64; fewer for a short file
    std::uintmax_t fileSize = 0;  // the whole file's size: a parameter file has 64 bytes
    std::string systemText;       // the system's error text when error != None
    bool ok() const { return error == FileError::None; }
};

// Copies the first min(size, 64) bytes of the file into the block from
// offset 0 and leaves the rest of the block as it was. On failure the block
// is untouched. Only a regular file is read, so a FIFO or a device can
// neither hang the load nor feed it without end.
LoadResult loadParameterFile(const std::filesystem::path& path, ParameterBlock& block);

enum class BackupOutcome {
    NotNeeded,     // there was no file to keep
    Created,       // the previous file is now the ".BAK" beside it
    KeptExisting,  // a ".BAK" was there already and stays as it was
    Failed,        // no ".BAK" could be made: the save was refused (CannotBackUp)
};

struct SaveResult {
    FileError error = FileError::None;
    BackupOutcome backup = BackupOutcome::NotNeeded;
    SaveTarget target;  // what the chosen name held, looked at before the save
    std::string systemText;
    bool ok() const { return error == FileError::None; }
};

// Saves only onto a regular file or a new name (anything else is refused
// with NotAFile before anything is made). Writes the block to a temporary
// file beside the target, flushes it to disk
// and renames it into place, so a failed save leaves the old file where it
// was. A symbolic link is saved through, to its target, which keeps its
// mode; a read-only target is refused. An existing target becomes the
// ".BAK" beside the chosen name, unless one exists (which is kept, and the
// target is then replaced all the same). The old file is hard-linked, or
// else moved, to its ".BAK": neither needs room on the disk, so a nearly
// full disk cannot cost the old contents. When neither is possible, the
// save is refused and the old file stays as it was.
SaveResult saveParameterFile(const std::filesystem::path& path, const ParameterBlock& block);

// The backup beside a file: same folder and base name, extension ".BAK".
std::filesystem::path backupPathFor(const std::filesystem::path& path);

}  // namespace dravinor::params
