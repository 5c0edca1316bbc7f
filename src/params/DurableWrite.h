#pragma once

#include <filesystem>
#include <optional>
#include <string_view>

namespace dravinor::params {

// A file's new contents, written whole into a new file beside it and synced
// to the disk before anything else happens, then renamed over it: a crash,
// an unplugged stick or a full disk leaves the old file or the new one,
// never half of one.
class TemporaryBeside {
public:
    enum class Step { Done, Create, Write, Replace };

    // mode: the permissions to give it (those of the file it replaces);
    // without one the umask's, like any new file.
    TemporaryBeside(const std::filesystem::path& target, std::string_view bytes, std::optional<unsigned> mode);
    // Removes the temporary unless it went into place.
    ~TemporaryBeside();
    TemporaryBeside(const TemporaryBeside&) = delete;
    TemporaryBeside& operator=(const TemporaryBeside&) = delete;

    // Done while the bytes are on the disk; else the step that failed, with errno's number.
    Step failed() const { return failed_; }
    int error() const { return error_; }

    // Renames it over the target (a POSIX rename: an existing file is
    // replaced in one step) and syncs the folder. False with error() set.
    bool replaceTarget();

private:
    std::filesystem::path target_;
    std::filesystem::path temporary_;
    Step failed_ = Step::Done;
    int error_ = 0;
    bool placed_ = false;
};

// The whole of it for a file that keeps no ".BAK": 0, or errno's number.
int replaceFileDurably(const std::filesystem::path& target, std::string_view bytes);

}  // namespace dravinor::params
