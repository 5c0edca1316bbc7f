#include "SaveTargetText.h"

#include "params/PathText.h"

#include <filesystem>
#include <iostream>

namespace dravinor::cli {

namespace {

const char* nounOf(params::SaveTargetKind kind)
{
    using Kind = params::SaveTargetKind;
    switch (kind) {
    case Kind::Directory: return "a folder";
    case Kind::Fifo: return "a FIFO (named pipe)";
    case Kind::CharacterDevice: return "a character device";
    case Kind::BlockDevice: return "a block device";
    case Kind::Socket: return "a socket";
    case Kind::NewName:
    case Kind::RegularFile:
    case Kind::LinkLoop:
    case Kind::Unreachable: break;
    }
    return nullptr;
}

}  // namespace

std::string saveRefusalText(const params::SaveTarget& target)
{
    if (target.kind == params::SaveTargetKind::LinkLoop)
        return "its symbolic links go round in a loop";
    const char* noun = nounOf(target.kind);
    if (!noun)  // nothing there to name: the system's words say what went wrong
        return params::systemTextOf(target);
    if (target.throughLink)
        return "it is a symbolic link to " + params::utf8Text(target.file) + ", " + noun + ", not a regular file";
    return std::string("it is ") + noun + ", not a regular file";
}

void tellRefusedOutput(const std::string& path, const std::string& what, const params::SaveTarget& target)
{
    std::cerr << "dravinor-cli: " << path << ": cannot create " << what << " there: " << saveRefusalText(target)
              << "; nothing written, it is left as it was\n";
}

bool outputAccepted(const std::string& path, const std::string& what)
{
    const params::SaveTarget target = params::examineSaveTarget(params::pathFromUtf8(path));
    // A new name needs its folder: without one, a read for it would be work
    // for nothing, and the save would fail only after it.
    if (target.kind == params::SaveTargetKind::NewName) {
        const std::filesystem::path folder =
            target.file.has_parent_path() ? target.file.parent_path() : std::filesystem::path(".");
        std::error_code error;
        if (!std::filesystem::is_directory(folder, error)) {
            std::cerr << "dravinor-cli: " << path << ": cannot create " << what << " there: the folder "
                      << params::utf8Text(folder) << " does not exist; nothing was read or written\n";
            return false;
        }
    }
    // A folder that cannot be reached is told by the save itself, as before.
    if (target.savable() || target.kind == params::SaveTargetKind::Unreachable)
        return true;
    tellRefusedOutput(path, what, target);
    return false;
}

}  // namespace dravinor::cli
