#include "ControllerSimulator.h"
#include "DravinorApp.h"
#include "MainWindow.h"

#include <QApplication>
#include <QIcon>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

// In demo mode the engine panel is shown before the window; the keys F1..F5
// must work at once, so the window ends up with the keyboard, not the panel.
TEST(PtyDemoStart, EnginePanelKeepsTheKeyboardFocus)
{
    dravinor::app::DravinorApp app;
    std::string error;
    int exitCode = 0;
    ASSERT_TRUE(app.build(true, {}, error, exitCode)) << error;
    app.start();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&app.window()));
    EXPECT_EQ(QApplication::activeWindow(), &app.window());
}

// The demo may poll for hours; its simulated controller must not keep a
// record of every frame it heard.
TEST(PtyDemoStart, SimulatedControllerKeepsNoFrameLog)
{
    dravinor::app::DravinorApp app;
    std::string error;
    int exitCode = 0;
    ASSERT_TRUE(app.build(true, {}, error, exitCode)) << error;
    app.start();  // the start-up scan identifies and reads the whole set
    ASSERT_NE(app.simulator(), nullptr);
    EXPECT_TRUE(app.simulator()->receivedFrames().empty());
}

// The engine panel is a second top-level window; it must not keep the
// program running once the fitter has closed the main window.
TEST(PtyDemoStart, ClosingTheWindowEndsTheProgramWithThePanelOpen)
{
    dravinor::app::DravinorApp app;
    std::string error;
    int exitCode = 0;
    ASSERT_TRUE(app.build(true, {}, error, exitCode)) << error;
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
TEST(PtyDemoStart, BothWindowsWearTheProgramIcon)
{
    dravinor::app::DravinorApp app;
    std::string error;
    int exitCode = 0;
    ASSERT_TRUE(app.build(true, {}, error, exitCode)) << error;
    const QIcon icon = app.window().windowIcon();
    ASSERT_FALSE(icon.isNull());
    EXPECT_TRUE(icon.availableSizes().contains(QSize(16, 16)));
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window->isVisible()) {
            EXPECT_EQ(window->windowIcon().cacheKey(), icon.cacheKey()) << window->windowTitle().toStdString();
        }
    }
}
