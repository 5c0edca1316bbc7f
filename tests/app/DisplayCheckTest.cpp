#include "DisplayCheck.h"

#include <QString>
#include <QtGlobal>

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

using dravinor::app::DisplayOpenGuard;
using dravinor::app::DisplayOutlook;
using dravinor::app::lookForDisplay;
using dravinor::app::namedDisplay;

namespace {

// An environment and a command line of the test's own, not the test run's.
struct Start {
    std::map<std::string, std::string> variables;
    std::vector<std::string> arguments{"dravinor"};

    DisplayOutlook outlook() const
    {
        std::vector<char*> argv;
        for (const std::string& argument : arguments)
            argv.push_back(const_cast<char*>(argument.c_str()));
        return lookForDisplay(int(argv.size()), argv.data(), lookup());
    }
    std::string display() const
    {
        std::vector<char*> argv;
        for (const std::string& argument : arguments)
            argv.push_back(const_cast<char*>(argument.c_str()));
        return namedDisplay(int(argv.size()), argv.data(), lookup());
    }
    dravinor::app::EnvironmentLookup lookup() const
    {
        return [this](const char* name) -> const char* {
            const auto found = variables.find(name);
            return found == variables.end() ? nullptr : found->second.c_str();
        };
    }
};

}  // namespace

TEST(DisplayOutlook, NoDisplayVariableIsMissingInsteadOfQtsAbort)
{
    EXPECT_EQ(Start{}.outlook(), DisplayOutlook::Missing);
    EXPECT_EQ((Start{{{"DISPLAY", ""}, {"WAYLAND_DISPLAY", ""}}}.outlook()), DisplayOutlook::Missing);
    // Fallbacks that all need a window system do not help.
    EXPECT_EQ((Start{{{"QT_QPA_PLATFORM", "wayland;xcb"}}}.outlook()), DisplayOutlook::Missing);
    EXPECT_EQ((Start{{{"QT_QPA_PLATFORM", "offscreen"}}, {"dravinor", "-platform", "xcb"}}.outlook()),
              DisplayOutlook::Missing);
}

TEST(DisplayOutlook, EitherWindowSystemOrDisplayArgumentCountsAsNamed)
{
    EXPECT_EQ((Start{{{"DISPLAY", ":0"}}}.outlook()), DisplayOutlook::Named);
    EXPECT_EQ((Start{{{"WAYLAND_DISPLAY", "wayland-0"}}}.outlook()), DisplayOutlook::Named);
    EXPECT_EQ((Start{{}, {"dravinor", "-display", ":3"}}.outlook()), DisplayOutlook::Named);
    EXPECT_EQ((Start{{{"DISPLAY", ":1"}}, {"dravinor", "--display", ":3"}}.display()), ":3");
    EXPECT_EQ((Start{{{"DISPLAY", ":1"}, {"WAYLAND_DISPLAY", "wayland-0"}}}.display()), ":1");
    EXPECT_EQ(Start{}.display(), "");
}

// The tests and headless screenshots draw offscreen with no display at all.
TEST(DisplayOutlook, PlatformsWithoutWindowSystemAreNotRefused)
{
    EXPECT_EQ((Start{{{"QT_QPA_PLATFORM", "offscreen"}}}.outlook()), DisplayOutlook::NotNeeded);
    EXPECT_EQ((Start{{{"QT_QPA_PLATFORM", "xcb;offscreen"}}}.outlook()), DisplayOutlook::NotNeeded);
    EXPECT_EQ((Start{{}, {"dravinor", "--platform", "vnc:size=800x600"}}.outlook()), DisplayOutlook::NotNeeded);
    EXPECT_EQ((Start{{{"QT_QPA_PLATFORM", "xcb"}}, {"dravinor", "-platform", "offscreen"}}.outlook()),
              DisplayOutlook::NotNeeded);
    // -platform as the last word has no value, and Qt ignores it.
    EXPECT_EQ((Start{{{"QT_QPA_PLATFORM", "offscreen"}}, {"dravinor", "-platform"}}.outlook()),
              DisplayOutlook::NotNeeded);
}

TEST(NoDisplayLine, IsOneLineThatPointsAtTheCommandLineTool)
{
    for (const std::string& display : {std::string(), std::string(":4711")}) {
        const std::string line = dravinor::app::noDisplayLine(display);
        EXPECT_EQ(line.find('\n'), std::string::npos) << line;
        EXPECT_NE(line.find("no display found"), std::string::npos) << line;
        EXPECT_NE(line.find("dravinor-cli works without one"), std::string::npos) << line;
        EXPECT_NE(line.find(display), std::string::npos) << line;
    }
}

namespace {

std::vector<std::string>* captured = nullptr;
void capture(QtMsgType, const QMessageLogContext& context, const QString& text)
{
    captured->push_back(std::string(context.category ? context.category : "") + ": " + text.toStdString());
}

}  // namespace

// Messages of a start that went well are not swallowed, nor reordered.
TEST(DisplayOpenGuard, HandsHeldMessagesOnInOrderWhenTheDisplayOpened)
{
    std::vector<std::string> messages;
    captured = &messages;
    const QtMessageHandler before = qInstallMessageHandler(capture);
    {
        DisplayOpenGuard guard;
        guard.arm(":9");
        qWarning("first");
        qInfo("second");
        EXPECT_TRUE(messages.empty());
        guard.release();
        EXPECT_EQ(messages, (std::vector<std::string>{"default: first", "default: second"}));
        qWarning("after");
        EXPECT_EQ(messages.size(), 3u);
    }
    qInstallMessageHandler(before);
    captured = nullptr;
}

TEST(DisplayOpenGuardDeathTest, QtsFatalPlatformFailureBecomesOneLineAndExitOne)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            DisplayOpenGuard guard;
            guard.arm(":4711");
            qWarning("qt.qpa.xcb: could not connect to display :4711");
            qFatal("This application failed to start because no Qt platform plugin could be initialized.");
        },
        ::testing::ExitedWithCode(1),
        "dravinor: no display found \\(cannot open display .:4711.\\); "
        "dravinor-cli works without one");
}
