#include "lang/DataFiles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

// An installed program finds its data under its own prefix, whatever prefix
// the build was configured for: <prefix>/bin/dravinor reads <prefix>/share/dravinor.
TEST(DataFiles, InstalledProgramFindsTheDataOfItsOwnPrefix)
{
    const fs::path prefix = fs::temp_directory_path() / "dravinor-prefix-test";
    fs::remove_all(prefix);
    fs::create_directories(prefix / "bin");
    fs::create_directories(prefix / "share/dravinor/lang");
    std::ofstream(prefix / "share/dravinor/lang/polski.txt") << "10002 Pomoc\n";

    const auto folders = dravinor::lang::dataFolders(prefix / "bin");
    const auto own = std::find(folders.begin(), folders.end(), prefix / "share" / "dravinor");
    ASSERT_NE(own, folders.end());
    // Beside the program (a build tree) still comes first.
    EXPECT_LT(std::find(folders.begin(), folders.end(), prefix / "bin"), own);
    // Run from a folder without data of its own, as from a desktop's menu.
    const fs::path previous = fs::current_path();
    fs::current_path(prefix / "bin");
    EXPECT_EQ(dravinor::lang::findDataFile("lang/polski.txt", prefix / "bin"),
              prefix / "share/dravinor/lang/polski.txt");
    fs::current_path(previous);
    fs::remove_all(prefix);
}
