#include "WizardFixture.h"

#include "params/ParameterTable.h"
#include "wizard/FieldValues.h"
#include "wizard/WizardTables.h"

using namespace dravinor;
using namespace dravinor::wizard;
using namespace dravinor::wizard::testing;

namespace {

using AdaptationResultTest = WizardFixture;

// Runs the two actuator windows (101 samples each and the finishing tick)
// at stepper position 100 above the TPS threshold and 50 at idle.
void passActuator(WizardFixture& f)
{
    ASSERT_TRUE(f.engine.pressNext());  // leaves the reducer page
    f.setLive(200, 0, 2500, 0, 100);
    f.ticks(WizardTimer::AboveTps, 102);
    f.setLive(200, 0, 800, 0, 50);
    f.ticks(WizardTimer::ActuatorIdle, 102);
}

void passReducer(WizardFixture& f)
{
    f.setLive(200, 0, 800, 0x03);  // automatic, on gas
    f.ticks(WizardTimer::WaitForGas, 1);
    f.ticks(WizardTimer::Reducer, 150);
}

}  // namespace

TEST_F(AdaptationResultTest, EveryFigureIsTheMeasuredValueAndItsPanelShowsIt)
{
    EXPECT_FALSE(engine.result().anyFigure());
    reachReducerPage();
    passReducer(*this);
    passActuator(*this);
    const AdaptationResult& result = engine.result();
    ASSERT_TRUE(result.finished);

    EXPECT_NEAR(*result.figure(Figure::TpsIdle), tpsVoltsOf(20), 1e-6);
    EXPECT_NEAR(*result.figure(Figure::TpsHigh), tpsVoltsOf(120), 1e-6);
    EXPECT_NEAR(*result.figure(Figure::TpsThreshold), tpsVoltsOf(27), 1e-6)
        << "rising: seven bytes above the idle minimum";
    EXPECT_EQ(result.tpsRising, true);
    EXPECT_NEAR(*result.figure(Figure::LambdaLean), lambdaVoltsOf(0), 1e-6);
    EXPECT_NEAR(*result.figure(Figure::LambdaRich), lambdaVoltsOf(200), 1e-6);
    EXPECT_NEAR(*result.figure(Figure::LambdaThreshold), lambdaVoltsOf(100), 1e-6);
    ASSERT_TRUE(result.figure(Figure::RichTime).has_value());
    EXPECT_EQ(result.figure(Figure::RichTime), result.figure(Figure::LeanTime)) << "both take the mean of the runs";
    EXPECT_EQ(result.figure(Figure::AboveTpsMinimum), 90);
    EXPECT_EQ(result.figure(Figure::AboveTpsMaximum), 115);
    EXPECT_EQ(result.figure(Figure::AboveTpsStart), 100);
    EXPECT_EQ(result.figure(Figure::IdleMinimum), 40);
    EXPECT_EQ(result.figure(Figure::IdleMaximum), 65);
    EXPECT_EQ(result.figure(Figure::IdleStart), 50);
    // As the pages write them.
    EXPECT_EQ(shown(Figure::TpsThreshold), "1,31");
    EXPECT_EQ(shown(Figure::AboveTpsStart), "100");
}

TEST_F(AdaptationResultTest, PhasesKeepTheirSamplesAndPollsAndTheWritesTheirAcknowledgement)
{
    reachReducerPage();
    const AdaptationResult& result = engine.result();
    const PhaseRecord& idle = result.phase(WizardPhase::TpsIdle);
    EXPECT_TRUE(idle.ended);
    EXPECT_EQ(idle.samples, 101);
    EXPECT_EQ(idle.polls, 102);
    EXPECT_FALSE(idle.doubtful);
    EXPECT_EQ(result.phase(WizardPhase::TpsHigh).samples, 101);
    EXPECT_EQ(result.phase(WizardPhase::LambdaSwing).samples, 201);
    EXPECT_EQ(result.phase(WizardPhase::EmulationTimes).samples, 201);
    EXPECT_FALSE(result.phase(WizardPhase::Reducer).ended) << "not measured yet";
    EXPECT_TRUE(result.doubtfulPhases.empty());

    const GroupWrites* tps = result.writesOf(WriteGroup::TpsThreshold);
    ASSERT_NE(tps, nullptr);
    EXPECT_EQ(tps->acknowledged,
              (std::vector<int>{params::address::flagByteA.number(), params::address::tpsThreshold.number()}));
    EXPECT_TRUE(tps->unacknowledged.empty());
    EXPECT_EQ(result.writesOf(WriteGroup::ActuatorIdle), nullptr);
    EXPECT_EQ(result.failedWrites, 0);
}

TEST_F(AdaptationResultTest, APhaseOnAnUnreliableLineIsMarkedDoubtfulWithItsPolls)
{
    passStep1();
    unansweredLive = 30;  // the first 30 polls of the idle phase go unanswered
    setLive(0, 20, 800);
    while (engine.runningTimer() == WizardTimer::TpsIdle)
        engine.tick(WizardTimer::TpsIdle);
    const AdaptationResult& result = engine.result();
    const PhaseRecord& idle = result.phase(WizardPhase::TpsIdle);
    EXPECT_TRUE(idle.doubtful);
    EXPECT_EQ(idle.badPolls, 30);
    EXPECT_EQ(idle.polls, 132);
    EXPECT_EQ(idle.samples, 101) << "bad polls are no samples";
    ASSERT_EQ(result.doubtfulPhases.size(), 1u);
    EXPECT_EQ(result.doubtfulPhases[0].phase, WizardPhase::TpsIdle);
    EXPECT_EQ(result.doubtfulPhases[0].badPolls, 30);
}

TEST_F(AdaptationResultTest, UnacknowledgedWritesStayWithTheirGroupAndANewEntryForgetsEverything)
{
    passStep1();
    passTpsIdle(20);
    unansweredWrites = 100;  // every write of the threshold and its retries
    passTpsHigh(120);
    const GroupWrites* tps = engine.result().writesOf(WriteGroup::TpsThreshold);
    ASSERT_NE(tps, nullptr);
    EXPECT_FALSE(tps->unacknowledged.empty());
    EXPECT_GT(engine.result().failedWrites, 0);
    EXPECT_FALSE(engine.result().unacknowledgedAddresses().empty());
    unansweredWrites = 0;

    passStep1();
    const AdaptationResult& fresh = engine.result();
    EXPECT_FALSE(fresh.anyFigure());
    EXPECT_EQ(fresh.writesOf(WriteGroup::TpsThreshold), nullptr);
    EXPECT_EQ(fresh.failedWrites, 0);
    EXPECT_FALSE(fresh.tpsRising.has_value());
    EXPECT_FALSE(fresh.phase(WizardPhase::TpsIdle).ended);
}

// The window applies changes in the order they were first made: a
// parameter-page field's list (whose change redraws the lambda bars) must
// not come after the bar colours the engine set behind it.
TEST(WizardViewChanges, KeepTheirFirstOrderAcrossThePagesControlsAndOutsideOnesEachOnce)
{
    WizardView view;
    view.edit(WizardControl::ReducerLambdaBar).lowerSector = Tint::Green;
    view.editOutside("RSLambda").selected = 2;
    view.edit(WizardControl::ReducerLambdaBar).upperSector = Tint::Red;
    view.edit(WizardControl::ProbeRangeDone).enabled = true;
    const std::vector<ViewKey> changed = view.takeChanged();
    ASSERT_EQ(changed.size(), 3u);
    EXPECT_EQ(changed[0], ViewKey(WizardControl::ReducerLambdaBar));
    EXPECT_EQ(changed[1], ViewKey(std::string("RSLambda")));
    EXPECT_EQ(changed[2], ViewKey(WizardControl::ProbeRangeDone));
    EXPECT_TRUE(view.takeChanged().empty());
    ASSERT_NE(view.find(WizardControl::ReducerLambdaBar), nullptr);
    EXPECT_EQ(view.find(WizardControl::ReducerLambdaBar)->upperSector, Tint::Red);
    EXPECT_EQ(view.find(WizardControl::TpsTitle), nullptr) << "never touched";
    EXPECT_EQ(view.findOutside("RSLambda")->selected, 2);
    EXPECT_EQ(view.findOutside("PCTps"), nullptr);
}
