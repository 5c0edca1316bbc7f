#include "CliFixture.h"

#include <gtest/gtest.h>

using namespace dravinor;

namespace {

sim::SimulatorOptions carWithProbe(sim::ProbeModel model)
{
    sim::SimulatorOptions options;
    options.probeModel = model;
    return options;
}

struct DisconnectedProbeCli : dravinor::testing::CliFixture {
    DisconnectedProbeCli() : CliFixture(carWithProbe(sim::ProbeModel::Disconnected)) {}
};

std::string lastLineStartingWith(const std::string& text, const std::string& start)
{
    std::string found;
    for (std::size_t at = text.find(start); at != std::string::npos; at = text.find(start, at + 1))
        if (at == 0 || text[at - 1] == '\n')
            found = text.substr(at, text.find('\n', at) - at);
    return found;
}

}  // namespace

TEST_F(DisconnectedProbeCli, LiveProbeHealthPrintsTheFiguresEverySecondAndTheVerdict)
{
    controller.setThrottle(0.4);
    const dravinor::testing::CliRun run = cli("live --count 200 --probe-health");
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_NE(run.out.find("probe: not judged yet"), std::string::npos) << run.out;
    EXPECT_EQ(lastLineStartingWith(run.out, "probe: ").substr(0, 20), "probe: 0.00-0.00 V, ");
    EXPECT_TRUE(lastLineStartingWith(run.out, "probe: ").ends_with(": no signal")) << run.out;
}

TEST_F(DisconnectedProbeCli, WithCsvTheProbeLinesGoToStandardError)
{
    controller.setThrottle(0.4);
    const dravinor::testing::CliRun run = cli("live --count 40 --csv --probe-health");
    EXPECT_EQ(run.out.find("probe: "), std::string::npos) << "the CSV stays a recording";
    EXPECT_NE(run.err.find("probe: "), std::string::npos);
}

namespace {

// A healthy probe on petrol at cruise; the controller's threshold at 0,00 V.
struct ThresholdAtZeroCli : dravinor::testing::CliFixture {
    ThresholdAtZeroCli()
    {
        auto eeprom = controller.eeprom();
        eeprom[1] = 0;
        controller.setEeprom(eeprom);
    }
};

}  // namespace

TEST_F(ThresholdAtZeroCli, TheVerdictJudgesTheProbeNotTheControllersThreshold)
{
    controller.setThrottle(0.4);
    const dravinor::testing::CliRun run = cli("live --count 240 --probe-health");
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_TRUE(lastLineStartingWith(run.out, "probe: ").ends_with(": working")) << run.out;
    const std::string threshold = lastLineStartingWith(run.out, "threshold: ");
    EXPECT_EQ(threshold.rfind("threshold: the controller's threshold 0,00 V is below the probe's swing 0,", 0), 0u)
        << run.out;
    EXPECT_TRUE(threshold.ends_with(": it always sees rich (a setting to correct, not a probe to replace)"))
        << threshold;
}
