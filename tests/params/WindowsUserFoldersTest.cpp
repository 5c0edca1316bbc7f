#include "params/UserFolders.h"
#include "params/WriteJournal.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace dravinor::params {
namespace {

namespace fs = std::filesystem;

fs::path environmentFolder(const wchar_t* name)
{
    const wchar_t* value = _wgetenv(name);
    return value ? fs::path(value) : fs::path();
}

// The journal and its backups stay on this PC; the window's settings roam
// with the user; each in a folder named after the program.
TEST(UserFolders, JournalIsLocalAndSettingsRoam)
{
    ::_wputenv_s(L"DRAVINOR_STATE_DIR", L"");
    const fs::path local = environmentFolder(L"LOCALAPPDATA");
    const fs::path roaming = environmentFolder(L"APPDATA");
    ASSERT_FALSE(local.empty());
    ASSERT_FALSE(roaming.empty());
    ASSERT_NE(local, roaming);
    EXPECT_EQ(stateFolder(), local / "Dravinor");
    EXPECT_EQ(WriteJournal::defaultPath(), local / "Dravinor" / "journal.log");
    ::_wputenv_s(L"DRAVINOR_CONFIG_DIR", L"");
    EXPECT_EQ(settingsFolder(), roaming / "Dravinor");
    ::_wputenv_s(L"DRAVINOR_DATA_DIR", L"");
    EXPECT_EQ(dataFolder(), local / "Dravinor") << "the car book stays on this PC too";
}

TEST(UserFolders, TheStateDirOverrideWinsWithItsLettersKept)
{
    ::_wputenv_s(L"DRAVINOR_STATE_DIR", L"C:\\Warsztat\\\u017Buk-\u0416\u0438\u0433");
    EXPECT_EQ(stateFolder().wstring(), L"C:\\Warsztat\\\u017Buk-\u0416\u0438\u0433");
    EXPECT_EQ(WriteJournal::defaultPath().wstring(), L"C:\\Warsztat\\\u017Buk-\u0416\u0438\u0433\\journal.log");
}

}  // namespace
}  // namespace dravinor::params
