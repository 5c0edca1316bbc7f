#include "LivePage.h"
#include "ProbeHealthPanel.h"
#include "WindowOnLine.h"

#include <QLabel>

#include <gtest/gtest.h>

using namespace dravinor;

namespace {

// The live page polling the simulated car above idle, in simulated time.
struct ProbeOnLive : dravinor::testing::WindowOnLine {
    void SetUp() override
    {
        startWith(true);
        window->switchToPage(ui::MainWindow::TabViz);
        controller.setThrottle(0.4);  // about 2,500 RPM; the petrol ECU makes the probe swing
    }
    QString verdict() const { return window->findChild<QLabel*>("WerdyktSondy")->text(); }
};

}  // namespace

TEST_F(ProbeOnLive, TheVerdictFollowsTheProbeTheCarHas)
{
    liveFor(2000);
    EXPECT_EQ(verdict(), "za mało danych: potrzeba 5 s powyżej biegu jałowego");
    liveFor(10000);
    EXPECT_EQ(verdict(), "sprawna");
    const live::ProbeHealthPanel& panel = window->livePage().probeHealth();
    EXPECT_TRUE(panel.isVisible());
    EXPECT_LE(panel.sizeHint().width(), panel.width()) << "a caption would run into its value";

    controller.engine().setProbeModel(sim::ProbeModel::StuckRich);
    liveFor(10500);
    EXPECT_EQ(verdict(), "stale bogata");
}

TEST_F(ProbeOnLive, AnotherProbeTypeStartsTheCheckAgain)
{
    liveFor(8000);
    EXPECT_EQ(verdict(), "sprawna");
    window->livePage().applyProbeType(4);
    EXPECT_TRUE(verdict().isEmpty()) << "figures of one probe type say nothing about another";
}
