#include "params/ParameterFile.h"
#include "params/WriteJournal.h"

#include "JournalledWrite.h"

#include "FileBytes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

// A fitter's files are named in Polish or Russian. Paths are built from
// UTF-8 through std::u8string: on Windows std::filesystem::path(std::string)
// widens byte by byte, and "Żuk-Жиг.par" would be saved under mojibake.
namespace dravinor::params {
namespace {

namespace fs = std::filesystem;
using dravinor::testing::Bytes;
using dravinor::testing::fileBytes;
using dravinor::testing::filledBlock;

const std::u8string carName = u8"Żuk-Жиг";

// UTF-8 as plain chars: Debian's GoogleTest library has no printer for std::u8string.
std::string utf8(const std::u8string& text)
{
    return {text.begin(), text.end()};
}

class ParameterFileNames : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir_ = fs::temp_directory_path() /
               ("dravinor-names-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    std::vector<std::string> entries() const
    {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(dir_))
            names.push_back(utf8(entry.path().filename().u8string()));
        std::sort(names.begin(), names.end());
        return names;
    }

    fs::path dir_;
};

TEST_F(ParameterFileNames, ANameInPolishAndCyrillicIsSavedUnderItselfAndItsBackupBesideIt)
{
    const fs::path file = dir_ / (carName + u8".par");
    const auto first = filledBlock(0x11);
    const auto second = filledBlock(0x22);
    ASSERT_TRUE(saveParameterFile(file, first).ok());
    EXPECT_EQ(entries(), std::vector<std::string>{utf8(carName + u8".par")});

    // The second save replaces the existing file: the old one becomes the .BAK.
    const auto saved = saveParameterFile(file, second);
    ASSERT_TRUE(saved.ok()) << saved.systemText;
    EXPECT_EQ(saved.backup, BackupOutcome::Created);
    EXPECT_EQ(entries(), (std::vector<std::string>{utf8(carName + u8".BAK"), utf8(carName + u8".par")}));
    EXPECT_EQ(fileBytes(file), Bytes(second.bytes().begin(), second.bytes().end()));
    EXPECT_EQ(fileBytes(dir_ / (carName + u8".BAK")), Bytes(first.bytes().begin(), first.bytes().end()));

    ParameterBlock loaded;
    const auto result = loadParameterFile(file, loaded);
    ASSERT_TRUE(result.ok());
    EXPECT_EQ(loaded.bytes(), second.bytes());
}

TEST_F(ParameterFileNames, AJournalInAFolderNamedInCyrillicKeepsEveryEntry)
{
    WriteJournal journal(dir_ / (carName + u8"-журнал") / "journal.log");
    for (int round = 0; round < 3; ++round)
        ASSERT_TRUE(journal.append(testing::journalledWrite(round + 1, 19, 25))) << journal.lastError();
    const auto entries = journal.readOldestFirst();
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[2].address, 3);
}

}  // namespace
}  // namespace dravinor::params
