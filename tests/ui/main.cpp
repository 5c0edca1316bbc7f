#include "lang/TextSlots.h"

#include <QApplication>
#include <QDir>
#include <QSettings>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace {

// Every test starts with nothing remembered and the built-in texts,
// whichever ran before it in this process and whatever language it loaded.
class FreshStart : public ::testing::EmptyTestEventListener {
    void OnTestStart(const ::testing::TestInfo&) override
    {
        QSettings(QSettings::IniFormat, QSettings::UserScope, "dravinor", "dravinor").clear();
        dravinor::lang::textSlots().restoreBuiltIn();
    }
};

}  // namespace

// Widget tests need one application object for the whole run.
int main(int argc, char** argv)
{
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    // The windows' writes are journalled in the program's own folder (CMake
    // names one), never in the user's state folder.
    const std::string program = std::filesystem::path(argv[0]).filename().string();
    const std::string stateDir = ::testing::TempDir() + program + "-state";
    ::setenv("DRAVINOR_STATE_DIR", stateDir.c_str(), 0);
    // What the window remembers (folders, recent files) goes to a folder of
    // this run's own, never to the user's settings.
    const QString settingsDir =
        QString::fromStdString(::testing::TempDir() + "dravinor-test-settings-" + std::to_string(::getpid()));
    // Left by a run of the same number that was killed, or (Windows) that
    // could not delete a file it still held: never this run's.
    QDir(settingsDir).removeRecursively();
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settingsDir);
    // The window's settings file is named in the same folder, where the
    // tests clear it.
    ::setenv("DRAVINOR_CONFIG_DIR", (settingsDir + QStringLiteral("/dravinor")).toLocal8Bit().constData(), 1);
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::UnitTest::GetInstance()->listeners().Append(new FreshStart);
    const int result = RUN_ALL_TESTS();
    QDir(settingsDir).removeRecursively();
    return result;
}
