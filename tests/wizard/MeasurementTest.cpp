#include "WizardFixture.h"

#include "params/FlagBits.h"
#include "wizard/WizardTables.h"

using namespace dravinor;
using namespace dravinor::wizard;
using namespace dravinor::wizard::testing;

using TpsTest = WizardFixture;
using LambdaTest = WizardFixture;

TEST_F(TpsTest, IdleWindowTakesUpTo1200WithSpeedAndShowsTheMinimum)
{
    passStep1();
    setLive(0, 18, 1250);
    ticks(WizardTimer::TpsIdle, 5);
    setLive(0, 18, 800, params::status::noEngineSpeed);
    ticks(WizardTimer::TpsIdle, 5);
    EXPECT_EQ(control(WizardControl::TpsPageProgress).value, 0);
    EXPECT_EQ(engine.state().sampleCount, 0u);

    // 101 samples at exactly 1200, alternating 18 and 40; the finishing
    // tick takes no sample.
    for (int i = 0; i < 101; ++i) {
        setLive(0, i % 2 ? 40 : 18, 1200);
        engine.tick(WizardTimer::TpsIdle);
    }
    EXPECT_EQ(engine.runningTimer(), WizardTimer::TpsIdle);
    EXPECT_EQ(control(WizardControl::TpsPageProgress).value, 101);
    engine.tick(WizardTimer::TpsIdle);
    EXPECT_EQ(engine.runningTimer(), WizardTimer::TpsHigh);
    EXPECT_EQ(control(WizardControl::TpsPageProgress).value, 101);
    EXPECT_EQ(shown(Figure::TpsIdle), "0,87");  // the minimum, 18
    EXPECT_EQ(control(WizardControl::TpsIdleLed).lit, true);
    EXPECT_EQ(control(WizardControl::TpsHighPrompt).visible, true);
    EXPECT_EQ(control(WizardControl::TpsIdlePrompt).visible, false);
}

TEST_F(TpsTest, TitleBlinksBlueThenBlackTenTicksEachWhetherSamplingOrNot)
{
    passStep1();
    setLive(0, 20, 2500);  // outside the idle window: the title blinks all the same
    std::string colours;
    for (int i = 0; i < 32; ++i) {
        engine.tick(WizardTimer::TpsIdle);
        colours += *control(WizardControl::TpsTitle).fontTint == Tint::Blue ? 'u' : 'k';
    }
    // The counter starts at 0 and flips the phase on reaching 10, so the
    // first colour holds one tick longer.
    EXPECT_EQ(colours, std::string(11, 'u') + std::string(10, 'k') + std::string(10, 'u') + "k");
}

TEST_F(TpsTest, EqualAveragesCountAsRisingAndWriteFlagThenThreshold)
{
    passStep1();
    passTpsIdle(20);
    setLive(0, 20, 2950);
    ticks(WizardTimer::TpsHigh, 5);
    EXPECT_EQ(engine.state().sampleCount, 0u);
    takeWritten();
    passTpsHigh(20);  // at exactly 3000

    // Threshold byte 27 is 1.31 V, stored as index 26 and shown as 1,30.
    const auto writes = eepromWrites(takeWritten());
    ASSERT_EQ(writes.size(), 2u);
    EXPECT_EQ(writes[0].first, 32);
    EXPECT_EQ(writes[0].second & params::flagA::tpsRising, params::flagA::tpsRising);
    EXPECT_EQ(writes[1], std::make_pair(2, 26));
    EXPECT_EQ(shown(Figure::TpsThreshold), "1,31");
    EXPECT_EQ(fieldText("PCTps"), "1,30");
    EXPECT_EQ(field("TCTps").selected, 1);
    EXPECT_EQ(engine.result().tpsRising, true);
    EXPECT_EQ(state.tpsSectorTop(), 106);
    EXPECT_EQ(state.tpsColours().lower, params::colourGreen);
    EXPECT_EQ(control(WizardControl::ProbeTitle).visible, true);
    EXPECT_EQ(control(WizardControl::TpsIdlePanel).visible, false);
}

TEST_F(TpsTest, DirectionComparesAveragesAndFallingThresholdClampsToZero)
{
    passStep1();
    // Idle minimum 5, average 27.5; high average 20 lies above the minimum
    // but below the idle average: falling.
    for (int i = 0; i < 102; ++i) {
        setLive(0, i % 2 ? 50 : 5, 800);
        engine.tick(WizardTimer::TpsIdle);
    }
    takeWritten();
    passTpsHigh(20);
    const auto writes = eepromWrites(takeWritten());
    ASSERT_EQ(writes.size(), 2u);
    EXPECT_EQ(writes[0].second & params::flagA::tpsRising, 0);
    EXPECT_EQ(writes[1], std::make_pair(2, 0));  // 5 - 7 is below 0 V
    EXPECT_EQ(fieldText("PCTps"), "0,00");
    EXPECT_EQ(field("TCTps").selected, 0);
    EXPECT_EQ(engine.result().tpsRising, false);
    EXPECT_EQ(state.tpsColours().lower, params::colourRed);
}

TEST_F(LambdaTest, SwingClampsToTheProbeRangeAndWritesTheThreshold)
{
    passStep1(0);  // 0-1 V probe: clamp range 0..51
    passTpsIdle(20);
    passTpsHigh(40);
    takeWritten();
    passLambdaSwing(10, 200);
    const auto writes = eepromWrites(takeWritten());
    ASSERT_EQ(writes.size(), 1u);
    // (51 + 10) / 2 = 30.5 is 0.60 V: index 30.
    EXPECT_EQ(writes[0], std::make_pair(1, 30));
    EXPECT_FLOAT_EQ(engine.state().lambdaThreshold, 30.5f);
    EXPECT_EQ(state.lambdaThreshold(), 30);
    EXPECT_EQ(fieldText("PRLambda"), "0,60");
    EXPECT_EQ(shown(Figure::LambdaLean), "0,20");
    EXPECT_EQ(shown(Figure::LambdaRich), "1,00");
    EXPECT_EQ(control(WizardControl::LambdaBar).value, 200);  // the bar shows the unclamped byte
    EXPECT_EQ(engine.runningTimer(), WizardTimer::EmulationTimes);
    EXPECT_EQ(control(WizardControl::EmulationTitle).visible, true);
}

TEST_F(LambdaTest, NarrowProbeWaitsForTheFitterWithoutEmulationTimes)
{
    passStep1(4);
    passTpsIdle(20);
    passTpsHigh(40);
    passLambdaSwing(3, 3);  // 0.06 V
    EXPECT_EQ(engine.runningTimer(), std::nullopt);
    EXPECT_EQ(control(WizardControl::NarrowProbeNotice).visible, true);
    EXPECT_EQ(control(WizardControl::ProbeThresholdLed).lit, true);
    EXPECT_EQ(control(WizardControl::TpsPageProgress).value, 600);  // 403 + 200 held at the bar's end
    takeWritten();
    ASSERT_TRUE(engine.pressNext());
    const auto frames = takeWritten();
    EXPECT_TRUE(eepromWrites(frames).empty());
    EXPECT_EQ(fuelRequests(frames), std::vector<int>{254});  // manual petrol at the last kept status
    EXPECT_EQ(engine.view().currentPage(), WizardPage::Reducer);
    EXPECT_EQ(control(WizardControl::FuelSwitch).visible, false);
}

TEST_F(LambdaTest, EmulationTimeAveragesClosedRunsAndGoesOnToTheReducer)
{
    passStep1(4);
    passTpsIdle(20);
    passTpsHigh(40);
    passLambdaSwing(0, 200);  // threshold 100
    takeWritten();
    // Two high, three low, repeated: 40 high runs of 0.10 s; 41 low runs
    // (the empty first one among them) adding to 6.0 s.
    const bool pattern[5] = {true, true, false, false, false};
    for (int i = 0; i < 201; ++i) {
        setLive(pattern[i % 5] ? 101 : 100, 0, 800);  // 100 is on the threshold: low
        engine.tick(WizardTimer::EmulationTimes);
    }
    EXPECT_EQ(engine.runningTimer(), WizardTimer::EmulationTimes);
    engine.tick(WizardTimer::EmulationTimes);
    const auto frames = takeWritten();
    // t = (0.1 + 0.1463) / 2 = 0.123 s: index 8, shown 0,128, in both.
    const std::vector<std::pair<int, int>> expected{{29, 8}, {28, 8}};
    EXPECT_EQ(eepromWrites(frames), expected);
    EXPECT_EQ(fieldText("ESLambda_1"), "0,128");
    EXPECT_EQ(fieldText("ESLambda_2"), "0,128");
    EXPECT_EQ(shown(Figure::RichTime), "0,123");
    EXPECT_EQ(control(WizardControl::EmulationLed).lit, true);
    EXPECT_EQ(engine.view().currentPage(), WizardPage::Reducer);
    EXPECT_EQ(engine.runningTimer(), WizardTimer::WaitForGas);
}

TEST_F(LambdaTest, EmulationTimeIsEncodedFromItsValueNotItsThreeDecimalText)
{
    passStep1(4);
    passTpsIdle(20);
    passTpsHigh(40);
    passLambdaSwing(0, 200);  // threshold 100
    takeWritten();
    // Nine high, three low: 16 high runs of 0.45 s; 17 low runs (the empty
    // first one among them) adding to 2.4 s. t = 0.2956 s lies below the
    // midpoint 0.296 between steps 18 and 19, though its text "0,296" does not.
    for (int i = 0; i < 201; ++i) {
        setLive(i % 12 < 9 ? 101 : 100, 0, 800);
        engine.tick(WizardTimer::EmulationTimes);
    }
    engine.tick(WizardTimer::EmulationTimes);
    EXPECT_EQ(shown(Figure::RichTime), "0,296");
    const std::vector<std::pair<int, int>> expected{{29, 18}, {28, 18}};
    EXPECT_EQ(eepromWrites(takeWritten()), expected);
    EXPECT_EQ(fieldText("ESLambda_1"), "0,288");
}

TEST_F(LambdaTest, ProbeOnOneSideGivesZeroEmulationTimes)
{
    passStep1(4);
    passTpsIdle(20);
    passTpsHigh(40);
    passLambdaSwing(0, 200);
    takeWritten();
    setLive(250, 0, 800);
    ticks(WizardTimer::EmulationTimes, 202);
    const std::vector<std::pair<int, int>> expected{{29, 0}, {28, 0}};
    EXPECT_EQ(eepromWrites(takeWritten()), expected);
}
