#include <QApplication>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

// Widget tests need one application object for the whole run.
int main(int argc, char** argv)
{
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    // The windows' writes are journalled in the program's own folder (CMake
    // names one), never in the user's state folder.
    const std::string program = std::filesystem::path(argv[0]).filename().string();
    const std::string stateDir = ::testing::TempDir() + program + "-state";
    ::setenv("DRAVINOR_STATE_DIR", stateDir.c_str(), 0);
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
