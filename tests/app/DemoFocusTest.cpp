#include "ControllerSimulator.h"
#include "DravinorApp.h"
#include "ui/window/MainWindow.h"

#include <QApplication>
#include <QIcon>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <string>

// The demo's windows behave alike whichever line carries its controller: these
// run it inside the program (as on Windows), alongside the other tests; the
// demo on a pty is started by PtyDemoStart.

// In demo mode the engine panel is shown before the window; the keys F1..F5
// must work at once, so the window ends up with the keyboard, not the panel.
TEST(DemoStart, EnginePanelKeepsTheKeyboardFocus)
{
    dravinor::app::DravinorApp app;
    const auto built = app.build(dravinor::app::DravinorApp::Mode::InProcessDemo, {});
    ASSERT_TRUE(built.ok) << built.error;
    app.start();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&app.window()));
    EXPECT_EQ(QApplication::activeWindow(), &app.window());
}

// The demo may poll for hours; its simulated controller must not keep a
// record of every frame it heard.
TEST(PtyDemoStart, SimulatedControllerKeepsNoFrameLog)
{
    dravinor::app::DravinorApp app;
    const auto built = app.build(dravinor::app::DravinorApp::Mode::Demo, {});
    ASSERT_TRUE(built.ok) << built.error;
    app.start();  // the start-up scan identifies and reads the whole set
    ASSERT_NE(app.simulator(), nullptr);
    EXPECT_TRUE(app.simulator()->receivedFrames().empty());
}

// The engine panel is a second top-level window; it must not keep the
// program running once the fitter has closed the main window.
TEST(DemoStart, ClosingTheWindowEndsTheProgramWithThePanelOpen)
{
    dravinor::app::DravinorApp app;
    const auto built = app.build(dravinor::app::DravinorApp::Mode::InProcessDemo, {});
    ASSERT_TRUE(built.ok) << built.error;
    app.start();
    QWidget* panel = nullptr;
    for (QWidget* window : QApplication::topLevelWidgets())
        panel = window->objectName() == "DemoEnginePanel" ? window : panel;
    ASSERT_TRUE(panel && panel->isVisible());

    QTimer::singleShot(0, &app.window(), [&app] { app.window().close(); });
    // Only against a hang: were the loop still running then, the panel
    // would be what kept it alive.
    bool panelKeptItRunning = false;
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, [&] {
        panelKeptItRunning = true;
        QApplication::closeAllWindows();
        QApplication::quit();
    });
    guard.start(30000);
    QApplication::exec();
    EXPECT_FALSE(panelKeptItRunning);
}

// Both windows of the demo wear the program's own icon, in the small sizes a
// title bar and a task bar use.
TEST(DemoStart, BothWindowsWearTheProgramIcon)
{
    dravinor::app::DravinorApp app;
    const auto built = app.build(dravinor::app::DravinorApp::Mode::InProcessDemo, {});
    ASSERT_TRUE(built.ok) << built.error;
    const QIcon icon = app.window().windowIcon();
    ASSERT_FALSE(icon.isNull());
    EXPECT_TRUE(icon.availableSizes().contains(QSize(16, 16)));
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window->isVisible()) {
            EXPECT_EQ(window->windowIcon().cacheKey(), icon.cacheKey()) << window->windowTitle().toStdString();
        }
    }
}

// The engine panel stands whole on the screen, and beside the window where
// the screen is wide enough for the smallest window and the panel (the
// 1024 x 600 screen of a small laptop; ctest runs this on one).
TEST(DemoStart, EnginePanelStandsBesideTheWindowAndWhollyOnScreen)
{
    dravinor::app::DravinorApp app;
    const auto built = app.build(dravinor::app::DravinorApp::Mode::InProcessDemo, {});
    ASSERT_TRUE(built.ok) << built.error;
    app.start();
    QWidget* panel = nullptr;
    for (QWidget* window : QApplication::topLevelWidgets())
        panel = window->objectName() == "DemoEnginePanel" ? window : panel;
    ASSERT_NE(panel, nullptr);
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    const QRect panelFrame = panel->frameGeometry();
    const QRect windowFrame = app.window().frameGeometry();
    const auto where = [&] {
        return "screen " + std::to_string(screen.width()) + "x" + std::to_string(screen.height()) + ", window at " +
               std::to_string(windowFrame.x()) + " " + std::to_string(windowFrame.width()) + " wide, panel at " +
               std::to_string(panelFrame.x()) + " " + std::to_string(panelFrame.width()) + " wide";
    };
    EXPECT_TRUE(screen.contains(panelFrame)) << where();
    EXPECT_TRUE(screen.contains(windowFrame)) << where();
    if (screen.width() >= 640 + 8 + panelFrame.width()) {
        EXPECT_FALSE(windowFrame.intersects(panelFrame)) << where();
    }
}

// A port assignment that names no port builds nothing and says why, with
// the exit code of a usage error.
TEST(AppBuild, AMalformedPortAssignmentBuildsNothingAndGivesTheUsageExitCode)
{
    dravinor::app::DravinorApp app;
    const auto built = app.build(dravinor::app::DravinorApp::Mode::Controllers, {"COM11=/dev/null"});
    EXPECT_FALSE(built.ok);
    EXPECT_EQ(built.exitCode, 1);
    EXPECT_NE(built.error.find("COM11=/dev/null"), std::string::npos) << built.error;
    EXPECT_EQ(app.simulator(), nullptr);
}
