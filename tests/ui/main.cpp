#include <QApplication>
#include <QDir>
#include <QSettings>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <unistd.h>

namespace {

// Every test starts with nothing remembered, whichever ran before it in this process.
class ForgetSettings : public ::testing::EmptyTestEventListener {
    void OnTestStart(const ::testing::TestInfo&) override
    {
        QSettings(QSettings::IniFormat, QSettings::UserScope, "dravinor", "dravinor").clear();
    }
};

}  // namespace

// Widget tests need one application object for the whole run.
int main(int argc, char** argv)
{
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    // The windows' writes are journalled beside the run, never in the user's state folder.
    const std::string stateDir = ::testing::TempDir() + "dravinor-test-state";
    ::setenv("DRAVINOR_STATE_DIR", stateDir.c_str(), 1);
    // What the window remembers (folders, recent files) goes to a folder of
    // this run's own, never to the user's settings.
    const QString settingsDir =
        QString::fromStdString(::testing::TempDir() + "dravinor-test-settings-" + std::to_string(::getpid()));
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settingsDir);
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::UnitTest::GetInstance()->listeners().Append(new ForgetSettings);
    const int result = RUN_ALL_TESTS();
    QDir(settingsDir).removeRecursively();
    return result;
}
