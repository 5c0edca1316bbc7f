#include "ControllerCore.h"

#include <gtest/gtest.h>

using namespace dravinor::sim;
using Stage = VirtualFitter::Stage;

namespace {

// The tool's side in simulated time: writes as the tool makes them, live
// polls every 50 ms.
struct Bench {
    Bench()
    {
        core.engineAt(0).setReducerScrew(-0.5);
        core.setFitterEnabled(true, 0);
    }
    void send(std::uint8_t letter, int address, int d1 = 0, int d2 = 0)
    {
        now += 0.01;
        const Frame f{letter,
                      static_cast<std::uint8_t>(address),
                      static_cast<std::uint8_t>(d1),
                      static_cast<std::uint8_t>(d2),
                      static_cast<std::uint8_t>(letter + address + d1 + d2),
                      0x3B};
        core.handle(f, now);
    }
    // A single write: EEPROM, then the working copy.
    void write(int p, int value)
    {
        send('s', p, value);
        send('R', p + 36, value, core.eeprom()[p + 1]);
    }
    void polls(int n)
    {
        for (int i = 0; i < n; ++i) {
            now += 0.05;
            send('V', 0);
        }
    }
    EngineModel& engine() { return core.engineAt(now); }
    Stage stage() const { return core.fitter()->stage(); }
    void firstStepDone()
    {
        for (int p : {13, 14, 15, 16, 17})
            write(p, core.eeprom()[p]);
        send('s', 33, 1);
        for (int p : {18, 19, 22, 23})
            write(p, core.eeprom()[p]);
    }

    ControllerCore core{0x31, factoryEeprom()};
    double now = 0;
};

}  // namespace

TEST(VirtualFitter, StartsTheTpsPhasesOnlyAfterTheFirstStepAndRevsAfterTheIdleSamples)
{
    Bench b;
    b.core.engineAt(0).setRunning(false);
    b.polls(1);
    EXPECT_TRUE(b.engine().running()) << "he starts the engine";

    // The wizard's reset writes everything in bulk, ignition type included;
    // then the first step polls for as long as the fitter dawdles.
    for (int pass = 0; pass < 2; ++pass) {
        for (int p = 1; p <= 35; ++p)
            b.send('s', p, b.core.eeprom()[p]);
        for (int p = 1; p <= 32; ++p)
            b.send('R', p + 36, b.core.eeprom()[p], b.core.eeprom()[p + 1]);
    }
    b.polls(300);
    EXPECT_EQ(b.stage(), Stage::Preparing);
    EXPECT_EQ(b.engine().throttle(), 0);

    b.write(13, 2);
    b.polls(50);
    b.firstStepDone();  // the writes that follow start the count again
    EXPECT_EQ(b.stage(), Stage::TpsIdle);
    b.polls(VirtualFitter::kIdlePollsNeeded - 1);
    EXPECT_EQ(b.engine().throttle(), 0);
    b.polls(1);
    EXPECT_EQ(b.stage(), Stage::TpsHigh);
    b.polls(40);
    EXPECT_GT(b.engine().rpm(), VirtualFitter::kRevRpm);
}

TEST(VirtualFitter, RevsUntilTheThresholdIsWrittenAndRetriesAnIdlePhaseThatStalled)
{
    Bench b;
    b.firstStepDone();
    b.polls(VirtualFitter::kIdlePollsNeeded);
    ASSERT_EQ(b.stage(), Stage::TpsHigh);
    b.polls(VirtualFitter::kRevPatiencePolls - 10);
    EXPECT_EQ(b.stage(), Stage::TpsHigh) << "far more than 101 polls: the wizard may poll slowly";

    // Still no threshold: he takes it that the idle phase never finished.
    b.polls(60);
    EXPECT_EQ(b.stage(), Stage::TpsIdle);
    EXPECT_EQ(b.engine().throttle(), 0);
    for (int round = 1; round < VirtualFitter::kMaxRetries; ++round)
        b.polls(VirtualFitter::kIdlePollsNeeded + 30 + VirtualFitter::kRevPatiencePolls);
    b.polls(VirtualFitter::kIdlePollsNeeded + 30);
    ASSERT_EQ(b.stage(), Stage::TpsHigh);
    b.write(32, b.core.eeprom()[32]);
    EXPECT_EQ(b.stage(), Stage::TpsHigh) << "the TPS type comes before the threshold";
    b.write(2, 32);
    EXPECT_EQ(b.stage(), Stage::Lambda);
    EXPECT_EQ(b.engine().throttle(), 0);

    // Outside the wizard (the ignition type changed on its page, the live
    // view polling) nothing ever ends the rev: after his retries he stops.
    b.write(13, 2);
    for (int round = 0; round <= VirtualFitter::kMaxRetries; ++round)
        b.polls(VirtualFitter::kIdlePollsNeeded + 30 + VirtualFitter::kRevPatiencePolls);
    EXPECT_EQ(b.stage(), Stage::Preparing);
    EXPECT_EQ(b.engine().throttle(), 0);
}

TEST(VirtualFitter, GetsOntoGasByTheSwitchOverSpeedOnlyInAutomaticMode)
{
    Bench b;
    b.firstStepDone();
    b.polls(VirtualFitter::kIdlePollsNeeded + 40);
    b.write(2, 32);
    b.polls(100);
    b.write(29, 31);
    b.write(28, 31);
    ASSERT_EQ(b.stage(), Stage::WantGas);
    b.polls(100);
    EXPECT_EQ(b.engine().throttle(), 0) << "manual petrol: revving would not help";

    // The switch-over speed was set to 3000 RPM (period 1280 at K 4800):
    // his usual 2400 RPM would never get the car onto gas.
    b.write(14, 1280 >> 8);
    b.write(15, 1280 & 0xFF);
    b.send('r', 125, 254);
    b.polls(5);
    EXPECT_GT(b.engine().throttle(), 0);
    b.polls(40);
    EXPECT_TRUE(b.engine().fuel().onGas());
    EXPECT_EQ(b.stage(), Stage::Reducer);
    EXPECT_EQ(b.engine().throttle(), 0) << "the reducer is set at idle";
}

TEST(VirtualFitter, TurnsTheScrewTowardsRichWhileItReadsLeanThenLeavesIt)
{
    Bench b;
    b.firstStepDone();
    b.polls(VirtualFitter::kIdlePollsNeeded + 40);
    b.write(2, 32);
    const double start = b.engine().reducerScrew();
    b.polls(100);
    EXPECT_EQ(b.engine().reducerScrew(), start) << "the screw waits for gas";
    b.send('r', 125, 254);  // a narrow probe: the tool goes straight on
    b.polls(260);
    ASSERT_EQ(b.stage(), Stage::Reducer);
    const double set = b.engine().reducerScrew();
    EXPECT_GT(set, start + 0.5);
    EXPECT_LT(b.engine().stoichiometricPosition(0, set), 70) << "rich even at the idle range's minimum";
    b.polls(200);
    EXPECT_EQ(b.engine().reducerScrew(), set) << "rich all along: nothing more to turn";

    // The presets end with the start position below TPS; then the results.
    for (auto [p, v] : {std::pair{6, 40}, {5, 120}, {4, 80}, {9, 40}, {8, 120}})
        b.write(p, v);
    EXPECT_EQ(b.stage(), Stage::Reducer);
    b.write(7, 80);
    EXPECT_EQ(b.stage(), Stage::AboveTps);
    b.polls(60);
    EXPECT_GT(b.engine().rpm(), 2000);
    for (auto [p, v] : {std::pair{6, 95}, {5, 120}, {4, 105}})
        b.write(p, v);
    EXPECT_EQ(b.stage(), Stage::IdleRange);
    b.polls(60);
    EXPECT_LT(b.engine().rpm(), 1200);
    for (auto [p, v] : {std::pair{9, 50}, {8, 75}, {7, 60}})
        b.write(p, v);
    EXPECT_EQ(b.stage(), Stage::Done);

    // The wizard entered again: its reset writes the whole set in bulk.
    b.write(13, 2);
    b.polls(VirtualFitter::kIdlePollsNeeded);
    ASSERT_EQ(b.stage(), Stage::TpsHigh);
    for (int p = 1; p <= 35; ++p)
        b.send('s', p, b.core.eeprom()[p]);
    EXPECT_EQ(b.stage(), Stage::Preparing);
    EXPECT_EQ(b.engine().throttle(), 0);

    b.core.setFitterEnabled(false, b.now);
    EXPECT_EQ(b.core.fitter(), nullptr);
    b.write(13, 2);  // no fitter, nothing follows it
}
