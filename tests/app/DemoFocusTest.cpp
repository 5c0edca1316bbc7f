#include "ControllerSimulator.h"
#include "DravinorApp.h"
#include "MainWindow.h"

#include <QApplication>
#include <QTest>

#include <gtest/gtest.h>

// In demo mode the engine panel is shown before the window; the keys F1..F5
// must work at once, so the window ends up with the keyboard, not the panel.
TEST(DemoStart, EnginePanelKeepsTheKeyboardFocus)
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
TEST(DemoStart, SimulatedControllerKeepsNoFrameLog)
{
    dravinor::app::DravinorApp app;
    std::string error;
    int exitCode = 0;
    ASSERT_TRUE(app.build(true, {}, error, exitCode)) << error;
    app.start();  // the start-up scan identifies and reads the whole set
    ASSERT_NE(app.simulator(), nullptr);
    EXPECT_TRUE(app.simulator()->receivedFrames().empty());
}
