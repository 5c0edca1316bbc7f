#include "DefaultImage.h"
#include "ParameterFile.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <vector>

#include <sys/stat.h>
#include <unistd.h>

namespace dravinor::params {
namespace {

namespace fs = std::filesystem;

std::vector<std::uint8_t> readAll(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void writeBytes(const fs::path& path, const std::vector<std::uint8_t>& bytes)
{
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

ParameterBlock blockFilledWith(std::uint8_t value)
{
    ParameterBlock block;
    block.bytes().fill(value);
    return block;
}

std::vector<std::uint8_t> asVector(const ParameterBlock& block)
{
    return {block.bytes().begin(), block.bytes().end()};
}

class ParameterFileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir_ = fs::temp_directory_path() /
               ("dravinor-params-" + std::to_string(::getpid()) + "-" +
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

TEST_F(ParameterFileTest, SavedDefaultSetIsTheBlockByteForByte)
{
    ParameterBlock block;
    block.bytes() = testing::defaultImage;
    const fs::path file = dir_ / "A.PAR";

    const SaveResult saved = saveParameterFile(file, block);
    ASSERT_TRUE(saved.ok()) << saved.systemText;
    EXPECT_EQ(saved.backup, BackupOutcome::NotNeeded);
    EXPECT_EQ(readAll(file), asVector(block));
    EXPECT_EQ(entries(), std::vector<std::string>{"A.PAR"});  // no temporary left

    ParameterBlock loaded;
    const LoadResult result = loadParameterFile(file, loaded);
    ASSERT_TRUE(result.ok());
    EXPECT_EQ(result.bytesLoaded, 64u);
    EXPECT_EQ(loaded, block);
}

TEST_F(ParameterFileTest, LoadCopiesAtMost64BytesFromOffsetZero)
{
    for (const std::size_t size : {0u, 40u, 64u, 100u}) {
        std::vector<std::uint8_t> bytes(size);
        for (std::size_t i = 0; i < size; ++i)
            bytes[i] = static_cast<std::uint8_t>(i + 1);
        const fs::path file = dir_ / ("S" + std::to_string(size) + ".PAR");
        writeBytes(file, bytes);

        ParameterBlock block = blockFilledWith(0xEE);
        const LoadResult result = loadParameterFile(file, block);
        ASSERT_TRUE(result.ok()) << size;
        const std::size_t copied = std::min<std::size_t>(size, 64);
        EXPECT_EQ(result.bytesLoaded, copied);
        for (std::size_t i = 0; i < 64; ++i)
            EXPECT_EQ(block.bytes()[i], i < copied ? i + 1 : 0xEE) << "size " << size << " byte " << i;
    }
}

TEST_F(ParameterFileTest, UnreadableFileLeavesBlockUntouched)
{
    struct Case {
        fs::path path;
        FileError error;
    };
    fs::create_directory(dir_ / "folder.PAR");
    const Case cases[] = {
        {dir_ / "missing.PAR", FileError::CannotOpen},
        {dir_ / "folder.PAR", FileError::CannotRead},
    };
    for (const auto& c : cases) {
        ParameterBlock block = blockFilledWith(0x5A);
        const LoadResult result = loadParameterFile(c.path, block);
        EXPECT_EQ(result.error, c.error) << c.path;
        EXPECT_FALSE(result.systemText.empty());
        EXPECT_EQ(block, blockFilledWith(0x5A));
    }
}

TEST_F(ParameterFileTest, ThreeSavesKeepTheFirstContentsAsBackup)
{
    const fs::path file = dir_ / "A.PAR";
    const BackupOutcome expected[] = {BackupOutcome::NotNeeded, BackupOutcome::Created,
                                      BackupOutcome::KeptExisting};
    for (int round = 0; round < 3; ++round) {
        const SaveResult saved = saveParameterFile(file, blockFilledWith(static_cast<std::uint8_t>(round + 1)));
        ASSERT_TRUE(saved.ok()) << saved.systemText;
        EXPECT_EQ(saved.backup, expected[round]) << round;
    }
    EXPECT_EQ(readAll(dir_ / "A.BAK"), asVector(blockFilledWith(1)));
    EXPECT_EQ(readAll(file), asVector(blockFilledWith(3)));
    EXPECT_EQ(entries(), (std::vector<std::string>{"A.BAK", "A.PAR"}));
}

TEST_F(ParameterFileTest, BackupGoesBesideTheFileNotIntoTheWorkingDirectory)
{
    const fs::path sub = dir_ / "cars";
    fs::create_directory(sub);
    const fs::path file = sub / "golf.PAR";
    ASSERT_TRUE(saveParameterFile(file, blockFilledWith(1)).ok());

    const fs::path previous = fs::current_path();
    fs::current_path(dir_);
    const SaveResult saved = saveParameterFile(file, blockFilledWith(2));
    fs::current_path(previous);

    ASSERT_TRUE(saved.ok());
    EXPECT_EQ(readAll(sub / "golf.BAK"), asVector(blockFilledWith(1)));
    EXPECT_FALSE(fs::exists(dir_ / "golf.BAK"));
}

TEST(BackupPath, SameFolderSameBaseName)
{
    EXPECT_EQ(backupPathFor("/cars/A.PAR"), fs::path("/cars/A.BAK"));
    EXPECT_EQ(backupPathFor("B"), fs::path("B.BAK"));
    EXPECT_EQ(backupPathFor("x/c.d.PAR"), fs::path("x/c.d.BAK"));
}

TEST_F(ParameterFileTest, SaveIntoMissingFolderFailsWithReason)
{
    writeBytes(dir_ / "plain", {1});
    const fs::path targets[] = {dir_ / "plain" / "A.PAR", dir_ / "nowhere" / "A.PAR"};
    for (const auto& target : targets) {
        const SaveResult saved = saveParameterFile(target, ParameterBlock{});
        EXPECT_EQ(saved.error, FileError::CannotCreate) << target;
        EXPECT_FALSE(saved.systemText.empty());
    }
}

TEST_F(ParameterFileTest, FailedReplaceLeavesOldEntryAndNoTemporary)
{
    // A folder named like the file cannot be replaced by it.
    fs::create_directory(dir_ / "A.PAR");
    writeBytes(dir_ / "A.PAR" / "inside", {7});

    const SaveResult saved = saveParameterFile(dir_ / "A.PAR", blockFilledWith(1));
    EXPECT_EQ(saved.error, FileError::CannotReplace);
    EXPECT_FALSE(saved.systemText.empty());
    EXPECT_EQ(readAll(dir_ / "A.PAR" / "inside"), std::vector<std::uint8_t>{7});
    EXPECT_EQ(entries(), std::vector<std::string>{"A.PAR"});
}

TEST_F(ParameterFileTest, SavedFileGetsUsualPermissions)
{
    const mode_t previous = ::umask(022);
    const SaveResult saved = saveParameterFile(dir_ / "A.PAR", ParameterBlock{});
    ::umask(previous);
    ASSERT_TRUE(saved.ok());
    struct stat info{};
    ASSERT_EQ(::stat((dir_ / "A.PAR").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0644u);
}

}  // namespace
}  // namespace dravinor::params
