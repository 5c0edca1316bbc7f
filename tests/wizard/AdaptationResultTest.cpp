#include "WizardFixture.h"

#include "FieldValues.h"
#include "ParameterTable.h"
#include "WizardTables.h"

using namespace dravinor;
using namespace dravinor::wizard;
using namespace dravinor::wizard::testing;

namespace {

using AdaptationResultTest = WizardFixture;

// Runs the two actuator windows (101 samples each and the finishing tick)
// at stepper position 100 above the TPS threshold and 50 at idle.
void passActuator(WizardFixture& f)
{
    ASSERT_TRUE(f.engine.dalej());  // leaves the reducer page
    f.setLive(200, 0, 2500, 0, 100);
    f.ticks(WizardTimer::AAP5_1, 102);
    f.setLive(200, 0, 800, 0, 50);
    f.ticks(WizardTimer::AAP5_2, 102);
}

void passReducer(WizardFixture& f)
{
    f.setLive(200, 0, 800, 0x03);  // automatic, on gas
    f.ticks(WizardTimer::AAP4_1, 1);
    f.ticks(WizardTimer::AAP4_2, 150);
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

    EXPECT_FLOAT_EQ(*result.figure(Figure::TpsIdle), tpsVoltsOf(20));
    EXPECT_FLOAT_EQ(*result.figure(Figure::TpsHigh), tpsVoltsOf(120));
    EXPECT_FLOAT_EQ(*result.figure(Figure::TpsThreshold), tpsVoltsOf(27)) << "rising: seven bytes above the idle minimum";
    EXPECT_EQ(result.tpsRising, true);
    EXPECT_FLOAT_EQ(*result.figure(Figure::LambdaLean), lambdaVoltsOf(0));
    EXPECT_FLOAT_EQ(*result.figure(Figure::LambdaRich), lambdaVoltsOf(200));
    EXPECT_FLOAT_EQ(*result.figure(Figure::LambdaThreshold), lambdaVoltsOf(100));
    ASSERT_TRUE(result.figure(Figure::RichTime).has_value());
    EXPECT_EQ(result.figure(Figure::RichTime), result.figure(Figure::LeanTime)) << "both take the mean of the runs";
    EXPECT_EQ(result.figure(Figure::AboveTpsMinimum), 90);
    EXPECT_EQ(result.figure(Figure::AboveTpsMaximum), 115);
    EXPECT_EQ(result.figure(Figure::AboveTpsStart), 100);
    EXPECT_EQ(result.figure(Figure::IdleMinimum), 40);
    EXPECT_EQ(result.figure(Figure::IdleMaximum), 65);
    EXPECT_EQ(result.figure(Figure::IdleStart), 50);

    // The panels say the same figures, and nothing of their own.
    for (std::size_t i = 0; i < figureCount; ++i) {
        const auto figure = static_cast<Figure>(i);
        EXPECT_EQ(text(figurePanel(figure)), figureText(figure, *result.figure(figure), ","))
            << figurePanel(figure);
    }
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
    EXPECT_EQ(tps->acknowledged, (std::vector<int>{params::address::flagByteA, params::address::tpsThreshold}));
    EXPECT_TRUE(tps->unacknowledged.empty());
    EXPECT_EQ(result.writesOf(WriteGroup::ActuatorIdle), nullptr);
    EXPECT_EQ(result.failedWrites, 0);
}

TEST_F(AdaptationResultTest, APhaseOnAnUnreliableLineIsMarkedDoubtfulWithItsPolls)
{
    passStep1();
    unansweredLive = 30;  // the first 30 polls of the idle phase go unanswered
    setLive(0, 20, 800);
    while (engine.runningTimer() == WizardTimer::AAP2_1)
        engine.tick(WizardTimer::AAP2_1);
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
