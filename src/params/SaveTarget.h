#pragma once

#include <filesystem>
#include <string>

namespace dravinor::params {

// What a name holds when something is to be saved there. Every save (a
// parameter file, a report, a recording, a trace export, the window's
// settings, the journal) writes only onto a regular file or a new name:
// a save that replaces the file by rename would put a regular file in
// place of a FIFO or a device node, and opening a serial adapter's node
// already toggles its lines.
enum class SaveTargetKind {
    NewName,      // nothing there: the save creates the file
    RegularFile,  // the save replaces it
    Directory,
    Fifo,
    CharacterDevice,  // a terminal, a serial adapter, /dev/null
    BlockDevice,
    Socket,
    LinkLoop,     // symbolic links that lead round in a circle
    Unreachable,  // the name cannot even be looked at (a folder on the way is missing
                  // its permission, or is a file): no file can be made there either
};

struct SaveTarget {
    SaveTargetKind kind = SaveTargetKind::NewName;
    // What a save writes: the name itself, or where its symbolic links lead
    // (a link is saved through, to its target; a link to nothing creates it).
    std::filesystem::path file;
    bool throughLink = false;  // the name is a symbolic link leading to `file`
    int systemError = 0;       // Unreachable and LinkLoop: the system's error number

    bool savable() const { return kind == SaveTargetKind::NewName || kind == SaveTargetKind::RegularFile; }
};

// Looks at path without opening it (no FIFO waited on, no device's lines
// touched). Checked right before a save writes anything; a file put in its
// place between this look and the save's rename is not caught, which is
// accepted for names the fitter chose.
SaveTarget examineSaveTarget(const std::filesystem::path& path);

// The system's words for systemError, for Unreachable and LinkLoop.
std::string systemTextOf(const SaveTarget& target);

}  // namespace dravinor::params
