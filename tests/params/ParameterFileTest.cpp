#include "params/ParameterFile.h"
#include "DefaultImage.h"

#include "FileBytes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <vector>

#include <sys/stat.h>
#include <unistd.h>

namespace dravinor::params {
namespace {

namespace fs = std::filesystem;
using dravinor::testing::Bytes;
using dravinor::testing::fileBytes;
using dravinor::testing::filledBlock;

void writeBytes(const fs::path& path, const Bytes& bytes)
{
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

Bytes bytesOf(const ParameterBlock& block)
{
    return {block.bytes().begin(), block.bytes().end()};
}

class ParameterFileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir_ = fs::temp_directory_path() / ("dravinor-params-" + std::to_string(::getpid()) + "-" +
                                            ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    std::vector<std::string> entries() const
    {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(dir_))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    fs::path dir_;
};

TEST_F(ParameterFileTest, SaveWritesTheBlockAndLoadReadsItBack)
{
    ParameterBlock block;
    block.bytes() = testing::defaultImage;
    const mode_t previousMask = ::umask(022);
    const SaveResult saved = saveParameterFile(dir_ / "A.PAR", block);
    ::umask(previousMask);
    ASSERT_TRUE(saved.ok()) << saved.systemText;
    EXPECT_EQ(fileBytes(dir_ / "A.PAR"), bytesOf(block));
    EXPECT_EQ(entries(), std::vector<std::string>{"A.PAR"});  // no temporary left behind
    struct stat info {};
    ASSERT_EQ(::stat((dir_ / "A.PAR").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0644u);  // like any saved file, not a private temporary

    ParameterBlock loaded;
    ASSERT_TRUE(loadParameterFile(dir_ / "A.PAR", loaded).ok());
    EXPECT_EQ(loaded, block);
}

TEST_F(ParameterFileTest, LoadCopiesAtMost64BytesFromOffsetZero)
{
    for (const std::size_t size : {0u, 40u, 64u, 100u}) {
        Bytes bytes(size);
        for (std::size_t i = 0; i < size; ++i)
            bytes[i] = static_cast<std::uint8_t>(i + 1);
        const fs::path file = dir_ / ("S" + std::to_string(size) + ".PAR");
        writeBytes(file, bytes);

        ParameterBlock block = filledBlock(0xEE);
        const LoadResult result = loadParameterFile(file, block);
        ASSERT_TRUE(result.ok()) << size;
        const std::size_t copied = std::min<std::size_t>(size, 64);
        EXPECT_EQ(result.bytesLoaded, copied);
        EXPECT_EQ(result.fileSize, size);
        for (std::size_t i = 0; i < 64; ++i)
            ASSERT_EQ(block.bytes()[i], i < copied ? i + 1 : 0xEE) << "size " << size << " byte " << i;
    }
}

TEST_F(ParameterFileTest, UnreadableFileLeavesBlockUntouched)
{
    fs::create_directory(dir_ / "folder.PAR");
    const struct {
        fs::path path;
        FileError error;
    } cases[] = {
        {dir_ / "missing.PAR", FileError::CannotOpen},
        {dir_ / "folder.PAR", FileError::NotAFile},
    };
    for (const auto& c : cases) {
        ParameterBlock block = filledBlock(0x5A);
        const LoadResult result = loadParameterFile(c.path, block);
        EXPECT_EQ(result.error, c.error) << c.path;
        EXPECT_FALSE(result.systemText.empty());
        EXPECT_EQ(block, filledBlock(0x5A));
    }
}

TEST_F(ParameterFileTest, FifoOrDeviceAsParameterFileIsRefusedWithoutHanging)
{
    const fs::path fifo = dir_ / "x.PAR";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    for (const fs::path& path : {fifo, fs::path("/dev/zero")}) {
        ParameterBlock block = filledBlock(0x5A);
        const LoadResult result = loadParameterFile(path, block);
        EXPECT_EQ(result.error, FileError::NotAFile) << path;
        EXPECT_EQ(block, filledBlock(0x5A));
    }
}

TEST_F(ParameterFileTest, HugeFileLoadsItsFirst64BytesAndTellsItsSize)
{
    Bytes big(1 << 20, 0x11);
    writeBytes(dir_ / "big.PAR", big);
    ParameterBlock block;
    const LoadResult result = loadParameterFile(dir_ / "big.PAR", block);
    ASSERT_TRUE(result.ok());
    EXPECT_EQ(result.bytesLoaded, 64u);
    EXPECT_EQ(result.fileSize, big.size());
    EXPECT_EQ(block, filledBlock(0x11));
}

TEST_F(ParameterFileTest, SavingOntoASymlinkWritesItsTargetAndKeepsARealBackup)
{
    fs::create_directory(dir_ / "store");
    const fs::path target = dir_ / "store" / "car.PAR";
    writeBytes(target, bytesOf(filledBlock(1)));
    ASSERT_EQ(::chmod(target.c_str(), 0600), 0);
    fs::create_symlink("store/car.PAR", dir_ / "A.PAR");

    const SaveResult saved = saveParameterFile(dir_ / "A.PAR", filledBlock(2));
    ASSERT_TRUE(saved.ok()) << saved.systemText;
    EXPECT_EQ(saved.backup, BackupOutcome::Created);
    EXPECT_TRUE(fs::is_symlink(dir_ / "A.PAR"));
    EXPECT_EQ(fileBytes(target), bytesOf(filledBlock(2)));
    struct stat info {};
    ASSERT_EQ(::stat(target.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);
    EXPECT_FALSE(fs::is_symlink(dir_ / "A.BAK"));
    EXPECT_EQ(fileBytes(dir_ / "A.BAK"), bytesOf(filledBlock(1)));
    EXPECT_EQ(fs::directory_iterator(dir_ / "store")->path().filename(), "car.PAR");  // no temporary left
}

TEST_F(ParameterFileTest, SavingOntoADanglingSymlinkCreatesItsTargetAndKeepsNoBackup)
{
    fs::create_symlink(dir_ / "new.PAR", dir_ / "A.PAR");
    const SaveResult saved = saveParameterFile(dir_ / "A.PAR", filledBlock(3));
    ASSERT_TRUE(saved.ok()) << saved.systemText;
    EXPECT_EQ(saved.backup, BackupOutcome::NotNeeded);
    EXPECT_TRUE(fs::is_symlink(dir_ / "A.PAR"));
    EXPECT_EQ(fileBytes(dir_ / "new.PAR"), bytesOf(filledBlock(3)));
    EXPECT_EQ(entries(), (std::vector<std::string>{"A.PAR", "new.PAR"}));
}

TEST_F(ParameterFileTest, ReadOnlyTargetIsRefusedAndLeftAsItWas)
{
    writeBytes(dir_ / "ro.PAR", bytesOf(filledBlock(1)));
    ASSERT_EQ(::chmod((dir_ / "ro.PAR").c_str(), 0444), 0);
    fs::create_symlink("ro.PAR", dir_ / "A.PAR");
    for (const char* name : {"ro.PAR", "A.PAR"}) {
        const SaveResult saved = saveParameterFile(dir_ / name, filledBlock(2));
        EXPECT_EQ(saved.error, FileError::CannotWrite) << name;
        EXPECT_FALSE(saved.systemText.empty());
    }
    EXPECT_EQ(fileBytes(dir_ / "ro.PAR"), bytesOf(filledBlock(1)));
    EXPECT_EQ(entries(), (std::vector<std::string>{"A.PAR", "ro.PAR"}));
}

TEST_F(ParameterFileTest, ThreeSavesLeaveTheFirstContentsInTheBackupBesideTheFile)
{
    fs::create_directory(dir_ / "cars");
    const fs::path file = dir_ / "cars" / "A.PAR";
    const fs::path previousDirectory = fs::current_path();
    fs::current_path(dir_);  // the backup must not follow the working directory
    const BackupOutcome expected[] = {BackupOutcome::NotNeeded, BackupOutcome::Created, BackupOutcome::KeptExisting};
    for (int round = 0; round < 3; ++round) {
        const SaveResult saved = saveParameterFile(file, filledBlock(static_cast<std::uint8_t>(round + 1)));
        EXPECT_TRUE(saved.ok()) << saved.systemText;
        EXPECT_EQ(saved.backup, expected[round]) << round;
    }
    fs::current_path(previousDirectory);
    EXPECT_EQ(fileBytes(dir_ / "cars" / "A.BAK"), bytesOf(filledBlock(1)));
    EXPECT_EQ(fileBytes(file), bytesOf(filledBlock(3)));
    EXPECT_EQ(entries(), std::vector<std::string>{"cars"});
}

TEST_F(ParameterFileTest, FailedSavesAreReportedAndLeaveWhatWasThere)
{
    writeBytes(dir_ / "plain", {1});
    for (const auto& target : {dir_ / "plain" / "A.PAR", dir_ / "nowhere" / "A.PAR"}) {
        const SaveResult saved = saveParameterFile(target, ParameterBlock{});
        EXPECT_EQ(saved.error, FileError::CannotCreate) << target;
        EXPECT_FALSE(saved.systemText.empty());
    }

    // A folder of the file's name is refused before any temporary is made.
    fs::create_directory(dir_ / "A.PAR");
    const SaveResult saved = saveParameterFile(dir_ / "A.PAR", filledBlock(1));
    EXPECT_EQ(saved.error, FileError::NotAFile);
    EXPECT_EQ(saved.target.kind, SaveTargetKind::Directory);
    EXPECT_EQ(entries(), (std::vector<std::string>{"A.PAR", "plain"}));
    EXPECT_TRUE(fs::is_directory(dir_ / "A.PAR"));
}

}  // namespace
}  // namespace dravinor::params
