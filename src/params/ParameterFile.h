#pragma once

#include "ParameterBlock.h"

#include <cstddef>
#include <filesystem>
#include <string>

namespace dravinor::params {

// Parameter files (".PAR") are the 64-byte block, byte for byte.

enum class FileError {
    None,
    CannotOpen,     // load: the file cannot be opened
    CannotRead,     // load: opened but reading failed (a directory, an I/O error)
    CannotCreate,   // save: no temporary file in the target's folder
    CannotWrite,    // save: writing or flushing the temporary file failed
    CannotReplace,  // save: the temporary file could not be renamed into place
};

struct LoadResult {
    FileError error = FileError::None;
    std::size_t bytesLoaded = 0;  // at most 64; fewer for a short file
    std::string systemText;       // the system's error text when error != None
    bool ok() const { return error == FileError::None; }
};

// Copies the first min(size, 64) bytes of the file into the block from
// offset 0 and leaves the rest of the block as it was. On failure the block
// is untouched.
LoadResult loadParameterFile(const std::filesystem::path& path, ParameterBlock& block);

enum class BackupOutcome {
    NotNeeded,     // there was no file to keep
    Created,       // the previous file is now also the ".BAK" beside it
    KeptExisting,  // a ".BAK" was there already and stays as it was
    Failed,        // the copy could not be made; the save went on regardless
};

struct SaveResult {
    FileError error = FileError::None;
    BackupOutcome backup = BackupOutcome::NotNeeded;
    std::string systemText;
    bool ok() const { return error == FileError::None; }
};

// Writes the block to a temporary file beside the target, flushes it to disk
// and renames it into place, so a failed save leaves the old file where it
// was. An existing target is first kept as its ".BAK" unless one exists.
SaveResult saveParameterFile(const std::filesystem::path& path, const ParameterBlock& block);

// The backup beside a file: same folder and base name, extension ".BAK".
std::filesystem::path backupPathFor(const std::filesystem::path& path);

}  // namespace dravinor::params
