#include "DravinorApp.h"
#include "MainWindow.h"

#include <QApplication>
#include <QIcon>
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

// Both windows of the demo wear the program's own icon, in the small sizes a
// title bar and a task bar use.
TEST(DemoStart, BothWindowsWearTheProgramIcon)
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
