#pragma once

#include "params/FileDescriptor.h"
#include "params/SaveTarget.h"

#include <cstdint>
#include <filesystem>
#include <string>

namespace dravinor::params {

// Why a file the program reads or appends to could not be used.
enum class RegularFileError {
    None,
    Missing,     // no such file
    CannotOpen,  // any other refusal of open (permissions, ...)
    Directory,   // a folder of that name
    NotAFile,    // a FIFO, a socket, a device: never read, never written
};

struct OpenedFile {
    FileDescriptor fd{-1};
    RegularFileError error = RegularFileError::None;
    std::string systemText;   // the system's words for the error
    std::uintmax_t size = 0;  // at the moment of opening
    SaveTarget target;        // opened for writing: what the name held before
    bool ok() const { return error == RegularFileError::None; }
};

// Opens a regular file without ever blocking: O_NONBLOCK keeps a FIFO from
// waiting for its other end, and the descriptor's own type is checked
// afterwards (no race with a file replaced in between). `flags` are the
// open flags beyond O_NONBLOCK, O_NOCTTY and O_CLOEXEC; the descriptor is
// switched back to blocking I/O, which a regular file ignores anyway.
// Opened for writing, the name is looked at first (examineSaveTarget) and
// anything but a regular file or a new name is refused unopened: opening a
// serial adapter's node would already toggle its lines.
OpenedFile openRegularFile(const std::filesystem::path& path, int flags, unsigned mode = 0600);

}  // namespace dravinor::params
