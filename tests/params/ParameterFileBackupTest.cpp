// The ".BAK" of a saved parameter file costs no room on the disk, and a
// save that cannot keep one changes nothing. The full disks are real: a
// small tmpfs in a mount namespace of a child process.
#include "params/ParameterFile.h"

#include "FileBytes.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

namespace dravinor::params {
namespace {

namespace fs = std::filesystem;
using dravinor::testing::Bytes;
using dravinor::testing::fileBytes;
using dravinor::testing::filledBlock;

constexpr int noFileSystemHere = 77;

Bytes bytesOf(const ParameterBlock& block)
{
    return {block.bytes().begin(), block.bytes().end()};
}

void writeFile(const fs::path& path, const std::string& text)
{
    std::ofstream(path) << text;
}

// Outside the process: a user namespace maps the user to root in it.
bool enterMountNamespace()
{
    if (::unshare(CLONE_NEWNS) == 0)
        return true;
    const uid_t uid = ::getuid();
    const gid_t gid = ::getgid();
    if (::unshare(CLONE_NEWUSER | CLONE_NEWNS) != 0)
        return false;
    writeFile("/proc/self/setgroups", "deny");
    writeFile("/proc/self/uid_map", "0 " + std::to_string(uid) + " 1");
    writeFile("/proc/self/gid_map", "0 " + std::to_string(gid) + " 1");
    return true;
}

// Runs body in a child process that has a tmpfs of `bytes` mounted on
// mountPoint, seen by nobody else. The child's exit code: body's (0 when
// all held, else the number of the check that failed), or
// noFileSystemHere when no such file system can be had.
int withSmallDisk(const fs::path& mountPoint, std::size_t bytes, const std::function<int()>& body)
{
    std::fflush(nullptr);
    const pid_t child = ::fork();
    if (child == 0) {
        if (!enterMountNamespace() || ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0)
            ::_exit(noFileSystemHere);
        const std::string options = "size=" + std::to_string(bytes);
        if (::mount("dravinor-test", mountPoint.c_str(), "tmpfs", 0, options.c_str()) != 0)
            ::_exit(noFileSystemHere);
        ::_exit(body());
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 200;
}

struct ParameterFileBackup : ::testing::Test {
    fs::path dir = fs::path(::testing::TempDir()) / ("dravinor-backup-" + std::to_string(::getpid()));
    void SetUp() override
    {
        fs::remove_all(dir);
        fs::create_directories(dir / "disk");
    }
    void TearDown() override { fs::remove_all(dir); }
};

TEST_F(ParameterFileBackup, TheBackupIsTheOldFileItselfNotACopy)
{
    const fs::path file = dir / "A.PAR";
    ASSERT_TRUE(saveParameterFile(file, filledBlock(1)).ok());
    struct stat before {};
    ASSERT_EQ(::stat(file.c_str(), &before), 0);

    const SaveResult saved = saveParameterFile(file, filledBlock(2));
    ASSERT_TRUE(saved.ok()) << saved.systemText;
    EXPECT_EQ(saved.backup, BackupOutcome::Created);
    struct stat backup {};
    ASSERT_EQ(::stat((dir / "A.BAK").c_str(), &backup), 0);
    EXPECT_EQ(backup.st_ino, before.st_ino);  // the same file, moved aside by name
    EXPECT_EQ(backup.st_nlink, 1u);
    EXPECT_EQ(fileBytes(dir / "A.BAK"), bytesOf(filledBlock(1)));
    EXPECT_EQ(fileBytes(file), bytesOf(filledBlock(2)));
}

// One free page: enough for the new file, none for a copy of the old one.
TEST_F(ParameterFileBackup, ASaveOnANearlyFullDiskKeepsTheOldFileAsItsBackup)
{
    const fs::path disk = dir / "disk";
    const int failed = withSmallDisk(disk, 2 * 4096, [&disk] {
        const fs::path file = disk / "A.PAR";
        if (!saveParameterFile(file, filledBlock(1)).ok())
            return 1;
        const SaveResult saved = saveParameterFile(file, filledBlock(2));
        if (!saved.ok() || saved.backup != BackupOutcome::Created)
            return 2;
        if (fileBytes(disk / "A.BAK") != bytesOf(filledBlock(1)) || fileBytes(file) != bytesOf(filledBlock(2)))
            return 3;
        return 0;
    });
    if (failed == noFileSystemHere)
        GTEST_SKIP() << "no mount namespace for a small tmpfs here";
    EXPECT_EQ(failed, 0);
}

TEST_F(ParameterFileBackup, ASaveOnAFullDiskFailsAndLeavesTheOldFileAlone)
{
    const fs::path disk = dir / "disk";
    const int failed = withSmallDisk(disk, 4096, [&disk] {
        const fs::path file = disk / "A.PAR";
        if (!saveParameterFile(file, filledBlock(1)).ok())
            return 1;
        const SaveResult saved = saveParameterFile(file, filledBlock(2));
        if (saved.error != FileError::CannotWrite || saved.systemText.empty())
            return 2;
        if (fileBytes(file) != bytesOf(filledBlock(1)) || fs::exists(disk / "A.BAK"))
            return 3;
        if (std::distance(fs::directory_iterator(disk), fs::directory_iterator()) != 1)
            return 4;  // no temporary file left
        return 0;
    });
    if (failed == noFileSystemHere)
        GTEST_SKIP() << "no mount namespace for a small tmpfs here";
    EXPECT_EQ(failed, 0);
}

// A link to a file on another file system: the old file can be neither
// linked nor moved beside the link, so nothing is saved.
TEST_F(ParameterFileBackup, ASaveThatCannotKeepABackupIsRefusedAndChangesNothing)
{
    const fs::path disk = dir / "disk";
    const fs::path here = dir;
    const int failed = withSmallDisk(disk, 64 * 1024, [&disk, &here] {
        const fs::path target = disk / "car.PAR";
        if (!saveParameterFile(target, filledBlock(1)).ok())
            return 1;
        fs::create_symlink(target, here / "A.PAR");
        const SaveResult saved = saveParameterFile(here / "A.PAR", filledBlock(2));
        if (saved.error != FileError::CannotBackUp || saved.backup != BackupOutcome::Failed || saved.systemText.empty())
            return 2;
        if (fileBytes(target) != bytesOf(filledBlock(1)) || fs::exists(here / "A.BAK"))
            return 3;
        if (std::distance(fs::directory_iterator(disk), fs::directory_iterator()) != 1)
            return 4;  // no temporary file left
        // An older .BAK beside the link is kept, and the file replaced.
        writeFile(here / "A.BAK", "older");
        const SaveResult replaced = saveParameterFile(here / "A.PAR", filledBlock(3));
        if (!replaced.ok() || replaced.backup != BackupOutcome::KeptExisting ||
            fileBytes(target) != bytesOf(filledBlock(3)))
            return 5;
        return 0;
    });
    if (failed == noFileSystemHere)
        GTEST_SKIP() << "no mount namespace for a small tmpfs here";
    EXPECT_EQ(failed, 0);
}

}  // namespace
}  // namespace dravinor::params
