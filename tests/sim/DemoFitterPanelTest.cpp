#include "ControllerSimulator.h"
#include "DemoEnginePanel.h"
#include "PtyClient.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QSlider>
#include <QTest>

#include <gtest/gtest.h>

#include <cstdlib>

using namespace dravinor;
using dravinor::sim::testing::PtyClient;
using namespace std::chrono_literals;

TEST(PtyDemoFitterPanel, BoxHandsTheCarToTheFitterAndTheControlsFollowHim)
{
    sim::SimulatorOptions options;
    options.pacing = false;
    sim::ControllerSimulator simulator(options);
    std::string error;
    ASSERT_TRUE(simulator.start(&error)) << error;
    app::DemoEnginePanel panel(simulator);
    auto* box = panel.findChild<QCheckBox*>("virtualFitter");
    auto* throttle = panel.findChild<QSlider*>("throttle");
    auto* screw = panel.findChild<QSlider*>("reducerScrew");
    auto* startStop = panel.findChild<QPushButton*>("engineStartStop");
    ASSERT_TRUE(box && throttle && screw && startStop);
    EXPECT_EQ(box->text(), QStringLiteral("wirtualny mechanik"));
    EXPECT_EQ(screw->value(), -50) << "the slider shows the car's lean reducer";

    box->click();
    EXPECT_TRUE(simulator.engineView().fitterEnabled);
    EXPECT_FALSE(throttle->isEnabled());
    EXPECT_FALSE(startStop->isEnabled());

    // The wizard's first step ends and its idle samples are in: he revs.
    PtyClient tool(simulator.slavePath());
    ASSERT_TRUE(tool.isOpen());
    tool.command('s', 13, 2);
    tool.receive(1);
    tool.command('R', 13 + 36, 2, 0);
    tool.receive(1);
    for (int i = 0; i < sim::VirtualFitter::kIdlePollsNeeded; ++i) {
        tool.command('V');
        ASSERT_EQ(tool.receive(10, 1s).size(), 10u);
    }
    EXPECT_TRUE(QTest::qWaitFor([&] { return throttle->value() == 65; }, 5000)) << throttle->value();

    box->click();
    EXPECT_FALSE(simulator.engineView().fitterEnabled);
    EXPECT_TRUE(throttle->isEnabled());
    throttle->setValue(0);
    EXPECT_EQ(simulator.engineView().throttle, 0) << "the fitter let go: the slider drives again";
}

TEST(PtyDemoFitterPanel, ProbeChoiceShowsTheCarsProbeAndGivesTheCarTheOneChosen)
{
    sim::SimulatorOptions options;
    options.pacing = false;
    options.probeModel = sim::ProbeModel::StuckRich;
    sim::ControllerSimulator simulator(options);
    std::string error;
    ASSERT_TRUE(simulator.start(&error)) << error;
    app::DemoEnginePanel panel(simulator);
    auto* probe = panel.findChild<QComboBox*>("probeModel");
    ASSERT_TRUE(probe);
    EXPECT_EQ(probe->count(), 6) << "every probe model the simulator has";
    EXPECT_EQ(probe->currentText(), QStringLiteral("stale bogata")) << "the car's probe as the simulator started";

    probe->setCurrentIndex(probe->findText(QStringLiteral("powolna (zużyta)")));
    EXPECT_EQ(simulator.engineView().probeModel, sim::ProbeModel::Slow);
    probe->setCurrentIndex(0);
    EXPECT_EQ(simulator.engineView().probeModel, sim::ProbeModel::Healthy);
}

// Widgets need one application object for the whole run.
int main(int argc, char** argv)
{
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
