#include "WizardFixture.h"

#include "params/LiveFrame.h"

#include <ostream>

using namespace dravinor;
using namespace dravinor::wizard;
using namespace dravinor::wizard::testing;

using ReducerTest = WizardFixture;
using FaultTest = WizardFixture;

TEST_F(ReducerTest, AutomaticPetrolKeepsTheSwitchAndItAsksForGas)
{
    passStep1(4);
    passTpsIdle(20);
    setLive(0, 40, 3000, params::status::automatic);
    ticks(WizardTimer::TpsHigh, 102);
    passLambdaSwing(3, 3);
    takeWritten();
    engine.pressNext();
    EXPECT_TRUE(fuelRequests(takeWritten()).empty());
    EXPECT_EQ(control(WizardControl::FuelSwitch).visible, true);

    // Still automatic on petrol: the switch toggles to gas at once.
    setLive(0, 0, 800, params::status::automatic);
    engine.tick(WizardTimer::WaitForGas);
    engine.fuelSwitchClicked();
    EXPECT_EQ(fuelRequests(takeWritten()), std::vector<int>{255});
    EXPECT_EQ(engine.runningTimer(), WizardTimer::Reducer);
    EXPECT_EQ(control(WizardControl::FuelSwitch).enabled, false);
    EXPECT_EQ(control(WizardControl::GasLed).lit, true);
}

TEST_F(ReducerTest, ManualPetrolSwitchAsksForAutomaticAndGasReportStartsReducer)
{
    reachReducerPage();
    takeWritten();
    setLive(0, 0, 800, 0);
    engine.tick(WizardTimer::WaitForGas);
    engine.fuelSwitchClicked();
    EXPECT_EQ(fuelRequests(takeWritten()), std::vector<int>{254});
    EXPECT_EQ(engine.runningTimer(), WizardTimer::WaitForGas);

    setLive(0, 0, 800, params::status::automatic | params::status::onGas);
    engine.tick(WizardTimer::WaitForGas);
    EXPECT_EQ(engine.runningTimer(), WizardTimer::Reducer);
    EXPECT_EQ(control(WizardControl::FuelSwitch).visible, false);
    EXPECT_EQ(control(WizardControl::GasDone).enabled, true);
}

TEST_F(ReducerTest, HundredFiftyRichTicksInAllFinishTheStep)
{
    reachReducerPage(4);  // rising probe, threshold 100
    const std::uint8_t gas = params::status::automatic | params::status::onGas;
    setLive(0, 0, 800, gas);
    engine.tick(WizardTimer::WaitForGas);
    for (int i = 0; i < 149; ++i) {
        setLive(100, 0, 800, gas);  // on the threshold: rich
        engine.tick(WizardTimer::Reducer);
        setLive(99, 0, 800, gas);
        engine.tick(WizardTimer::Reducer);
    }
    EXPECT_EQ(engine.state().richTickCount, 149);
    EXPECT_EQ(control(WizardControl::ReducerProgress).value, 149);
    EXPECT_EQ(control(WizardControl::ReducerNext).enabled, false);
    EXPECT_EQ(control(WizardControl::StartOnGasPrompt).visible, false);
    EXPECT_EQ(shown(WizardControl::ReducerProbePanel), "1,94");

    // Off gas: the prompt and switch come back.
    setLive(100, 0, 800, params::status::automatic);
    engine.tick(WizardTimer::Reducer);
    EXPECT_EQ(control(WizardControl::StartOnGasPrompt).visible, true);
    EXPECT_EQ(engine.runningTimer(), std::nullopt);
    EXPECT_EQ(control(WizardControl::ReducerNext).enabled, true);
    EXPECT_EQ(control(WizardControl::ActuatorAbovePrompt).visible, true);
    EXPECT_EQ(control(WizardControl::ReducerLed).lit, true);
}

TEST_F(ReducerTest, FallingProbeIsRichAtOrBelowTheThreshold)
{
    reachReducerPage(5);
    const std::uint8_t gas = params::status::automatic | params::status::onGas;
    setLive(0, 0, 800, gas);
    engine.tick(WizardTimer::WaitForGas);
    setLive(101, 0, 800, gas);
    engine.tick(WizardTimer::Reducer);
    EXPECT_EQ(engine.state().richTickCount, 0);
    setLive(100, 0, 800, gas);
    engine.tick(WizardTimer::Reducer);
    EXPECT_EQ(engine.state().richTickCount, 1);
}

namespace {

struct RangeCase {
    std::uint8_t average;
    int minimum;
    int maximum;
};

// Named after the average, not after the case's bytes (padding included).
void PrintTo(const RangeCase& c, std::ostream* out)
{
    *out << "average" << int{c.average};
}

struct ActuatorTest : WizardFixture, ::testing::WithParamInterface<RangeCase> {};

}  // namespace

TEST_P(ActuatorTest, RangesFollowEachAverageAndAreWrittenInOrder)
{
    const RangeCase c = GetParam();
    reachReducerPage();
    const std::uint8_t gas = params::status::automatic | params::status::onGas;
    setLive(100, 0, 800, gas);
    engine.tick(WizardTimer::WaitForGas);
    ticks(WizardTimer::Reducer, 150);
    takeWritten();
    ASSERT_TRUE(engine.pressNext());
    const std::vector<std::pair<int, int>> presets{{6, 40}, {5, 120}, {4, 80}, {9, 40}, {8, 120}, {7, 80}};
    EXPECT_EQ(eepromWrites(takeWritten()), presets);
    EXPECT_EQ(engine.view().currentPage(), WizardPage::Actuator);
    EXPECT_EQ(control(WizardControl::ActuatorProgress).maximum, 200);

    setLive(0, 0, 1950, 0, 99);
    ticks(WizardTimer::AboveTps, 3);
    EXPECT_EQ(control(WizardControl::ActuatorProgress).value, 0);
    setLive(0, 0, 2000, 0, c.average);
    ticks(WizardTimer::AboveTps, 102);
    const std::vector<std::pair<int, int>> above{{6, c.minimum}, {5, c.maximum}, {4, c.average}};
    EXPECT_EQ(eepromWrites(takeWritten()), above);
    EXPECT_EQ(fieldText("ZPAttuatoraPow_1"), std::to_string(c.minimum));
    EXPECT_EQ(shown(Figure::AboveTpsMaximum), std::to_string(c.maximum));
    EXPECT_EQ(engine.runningTimer(), WizardTimer::ActuatorIdle);
    EXPECT_EQ(control(WizardControl::ActuatorIdlePrompt).visible, true);

    // A stopped engine (the longest period, 50 RPM) counts; 1250 does not.
    // The idle range depends only on the idle average.
    setLive(0, 0, 1250, 0, 99);
    ticks(WizardTimer::ActuatorIdle, 3);
    setLive(0, 0, 0, params::status::noEngineSpeed, static_cast<std::uint8_t>(255 - c.average));
    ticks(WizardTimer::ActuatorIdle, 102);
    const int idle = 255 - c.average;
    const int idleMin = idle < 30 ? 20 : idle - 10;
    const int idleMax = idle > 215 ? 230 : idle + 15;
    const std::vector<std::pair<int, int>> below{{9, idleMin}, {8, idleMax}, {7, idle}};
    EXPECT_EQ(eepromWrites(takeWritten()), below);
    EXPECT_TRUE(engine.result().finished);
    EXPECT_EQ(control(WizardControl::FinishedNotice).visible, true);
    EXPECT_EQ(engine.runningTimer(), std::nullopt);

    ASSERT_TRUE(engine.pressNext());  // KONIEC
    EXPECT_EQ(engine.view().currentPage(), WizardPage::Start);
    EXPECT_EQ(engine.result().failedWrites, 0);
}

INSTANTIATE_TEST_SUITE_P(Boundaries, ActuatorTest,
                         ::testing::Values(RangeCase{29, 20, 44}, RangeCase{30, 20, 45}, RangeCase{31, 21, 46},
                                           RangeCase{214, 204, 229}, RangeCase{215, 205, 230},
                                           RangeCase{216, 206, 230}));

TEST_F(FaultTest, SilentControllerKeepsTicksBoundedAndTakesNoSampleFromTheStaleBuffer)
{
    passStep1();
    setLive(0, 30, 800);
    engine.tick(WizardTimer::TpsIdle);
    ASSERT_TRUE(engine.lastPollAnswered());
    silent = true;
    const std::uint32_t before = clock.nowMs;
    engine.tick(WizardTimer::TpsIdle);
    EXPECT_FALSE(engine.lastPollAnswered());
    EXPECT_LE(clock.nowMs - before, 60u);  // one reply window, simulated time
    // The bytes still in the reply buffer belong to the poll before: no sample.
    EXPECT_EQ(engine.state().sampleCount, 1u);
    EXPECT_FLOAT_EQ(engine.state().tpsIdleSum, 30.0f);
    EXPECT_EQ(control(WizardControl::TpsPageProgress).value, 1);
}

TEST_F(FaultTest, UnansweredWritesAreCountedAndTheWizardGoesOn)
{
    setLive(0, 0, 800);
    engine.initialiseWizard();
    engine.ignitionChosen(2);
    silent = true;
    engine.probeTypeChosen(4);
    EXPECT_EQ(engine.result().failedWrites, 4);
    EXPECT_TRUE(engine.state().probeChosen);
}

TEST_F(FaultTest, ZeroPeriodOpensNoRpmWindowAndExtremeBytesNeitherDivideByZeroNorOverflow)
{
    passStep1();
    // Period 0: a speed beyond any engine, neither idle nor revved.
    live = {255, 255, 255, 255, 255, 0, 0, 0, 255, 255};
    ticks(WizardTimer::TpsIdle, 150);
    EXPECT_EQ(shown(WizardControl::TpsPageRpmPanel), "\xE2\x88\x9E");
    EXPECT_EQ(engine.state().sampleCount, 0u);
    EXPECT_EQ(engine.runningTimer(), WizardTimer::TpsIdle);
    live = {255, 255, 255, 255, 255, 0, 0xFF, 0xFF, 255, 255};  // the longest period: 50 RPM
    ticks(WizardTimer::TpsIdle, 102);
    EXPECT_EQ(shown(WizardControl::TpsPageRpmPanel), "50");
    EXPECT_EQ(engine.runningTimer(), WizardTimer::TpsHigh);
    live = {255, 255, 255, 255, 255, 0, 0, 0, 255, 255};
    ticks(WizardTimer::TpsHigh, 150);
    EXPECT_EQ(engine.state().sampleCount, 0u) << "no 'above 3000 RPM' sample from a period of 0";
    live = {255, 255, 255, 255, 255, 0, 0, 1, 255, 255};  // period 1: the highest speed
    ticks(WizardTimer::TpsHigh, 102);
    EXPECT_EQ(engine.runningTimer(), WizardTimer::LambdaSwing);
    // Rising from 255: threshold byte 262, 12.67 V, past the top byte.
    EXPECT_EQ(state.block().get(2), 253);
}
