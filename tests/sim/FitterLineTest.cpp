#include "CommandLine.h"
#include "ControllerSimulator.h"
#include "PtyClient.h"

#include <gtest/gtest.h>

#include <thread>

using namespace dravinor::sim;
using dravinor::sim::testing::PtyClient;
using namespace std::chrono_literals;

namespace {

struct Live {
    std::uint8_t tps = 0;
    int period = 0;
};

}  // namespace

TEST(PtyFitterOverTheLine, RevsForTheTpsPhaseAndIdlesOnceTheThresholdIsWritten)
{
    CommandLine command;
    std::string error;
    ASSERT_TRUE(parseCommandLine({"--fitter", "--tps-falling", "--no-pacing"}, command, error)) << error;
    ControllerSimulator sim(command.options);
    ASSERT_TRUE(sim.start(&error)) << error;
    PtyClient client(sim.slavePath());
    ASSERT_TRUE(client.isOpen());

    auto live = [&] {
        client.command('V');
        const auto r = client.receive(10, 1s);
        EXPECT_EQ(r.size(), 10u);
        return r.size() == 10 ? Live{r[1], r[6] << 8 | r[7]} : Live{};
    };
    auto write = [&](std::uint8_t p, std::uint8_t value) {
        client.command('s', p, value);
        EXPECT_EQ(client.receive(1), std::vector<std::uint8_t>{'s'});
        client.command('R', static_cast<std::uint8_t>(p + 36), value, 0);
        EXPECT_EQ(client.receive(1), std::vector<std::uint8_t>{'R'});
    };
    // Periods at K 4800 (the factory ignition type).
    const int kPeriodAt3000 = 800 * 4800 / 3000;
    const int kPeriodAt1200 = 800 * 4800 / 1200;
    auto waitFor = [&](auto condition) {
        for (int i = 0; i < 400; ++i) {
            if (condition(live()))
                return true;
            std::this_thread::sleep_for(20ms);
        }
        return false;
    };

    EXPECT_GE(live().tps, 220) << "a falling sensor reads high at a closed throttle";
    write(13, 2);  // the wizard's first step ends with the ignition type
    for (int i = 0; i < VirtualFitter::kIdlePollsNeeded; ++i)
        ASSERT_GT(live().period, kPeriodAt1200) << "idle while the wizard samples, poll " << i;

    EXPECT_TRUE(waitFor([&](const Live& l) { return l.period < kPeriodAt3000 && l.tps < 150; }))
        << "revved above 3000 RPM, throttle open";
    EXPECT_STREQ(sim.engineView().fitterStage, stageName(VirtualFitter::Stage::TpsHigh));

    write(32, 0x0E);  // falling TPS
    write(2, 216);
    EXPECT_TRUE(waitFor([&](const Live& l) { return l.period > kPeriodAt1200; })) << "back at idle";
    EXPECT_STREQ(sim.engineView().fitterStage, stageName(VirtualFitter::Stage::Lambda));
}
