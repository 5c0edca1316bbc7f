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
