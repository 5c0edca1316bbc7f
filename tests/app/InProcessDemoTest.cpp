#include "DravinorApp.h"
#include "InProcessController.h"
#include "live/LivePage.h"
#include "params/ControllerSession.h"
#include "ui/window/MainWindow.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QTest>

#include <gtest/gtest.h>

#include <cmath>

using dravinor::app::DravinorApp;

// The demo where no pty carries the line: the window finds the simulated
// controller inside the program on COM1, reads its whole set, polls it live,
// and the engine panel drives the same car.
TEST(InProcessDemo, WindowReadsTheSetPollsLiveAndThePanelDrivesTheSameCar)
{
    DravinorApp app;
    const auto built = app.build(DravinorApp::Mode::InProcessDemo, {});
    ASSERT_TRUE(built.ok) << built.error;
    EXPECT_EQ(app.simulator(), nullptr) << "no pty";
    auto* car = app.inProcessController();
    ASSERT_NE(car, nullptr);
    app.start();  // the start-up scan identifies and reads the whole set
    const auto& read = app.session().lastRead();
    EXPECT_TRUE(read.complete());
    EXPECT_EQ(read.accepted, 35);
    EXPECT_TRUE(app.session().port().controllerConnected());
    EXPECT_EQ(app.session().port().portName(), "COM1");

    auto& window = app.window();
    window.switchToPage(dravinor::ui::MainWindow::TabViz);
    for (int tick = 0; tick < 4; ++tick) {
        window.livePage().tick();
        QTest::qWait(50);
    }
    const int shownRpm = window.findChild<QLabel*>("Manometr_RPMED")->text().toInt();
    EXPECT_GE(shownRpm, 800) << "the idling engine";
    EXPECT_LT(std::abs(shownRpm - car->engineView().rpm), 150);

    QWidget* panel = nullptr;
    for (QWidget* top : QApplication::topLevelWidgets())
        panel = top->objectName() == "DemoEnginePanel" ? top : panel;
    ASSERT_NE(panel, nullptr);
    panel->findChild<QCheckBox*>("virtualFitter")->click();
    EXPECT_TRUE(car->engineView().fitterEnabled);
}

TEST(InProcessDemo, IsTheDemoWhereAskedForAndPtysOtherwise)
{
#ifdef _WIN32
    EXPECT_EQ(DravinorApp::demoMode(nullptr), DravinorApp::Mode::InProcessDemo);
#else
    EXPECT_EQ(DravinorApp::demoMode(nullptr), DravinorApp::Mode::Demo);
    EXPECT_EQ(DravinorApp::demoMode("pty"), DravinorApp::Mode::Demo);
    EXPECT_EQ(DravinorApp::demoMode("in-process"), DravinorApp::Mode::InProcessDemo);
#endif
}
