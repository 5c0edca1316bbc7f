#include <QApplication>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

// Widget tests need one application object for the whole run.
int main(int argc, char** argv)
{
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    // The windows' writes are journalled beside the run, never in the user's state folder.
    const std::string stateDir = ::testing::TempDir() + "dravinor-test-state";
    ::setenv("DRAVINOR_STATE_DIR", stateDir.c_str(), 1);
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
