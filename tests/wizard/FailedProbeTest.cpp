// A lambda probe that fails in the lambda phases: the engine judges the
// samples it takes there with the probe check, holds before it writes what
// they gave, and goes on only when the fitter says so, marking what follows.
#include "WizardFixture.h"

#include "params/WriteRecorder.h"

using namespace dravinor;
using namespace dravinor::wizard;
using namespace dravinor::wizard::testing;
using diagnostics::ProbeVerdict;

namespace {

struct NoteRecorder final : params::WriteRecorder {
    std::map<int, std::string> notes;
    void singleWrite(const params::SingleWrite& write) override
    {
        notes[write.address.number()] = std::string(write.note);
    }
    void bulkWrite(const params::BulkWrite&) override {}
};

struct FailedProbeTest : WizardFixture {
    NoteRecorder recorder;

    void SetUp() override
    {
        WizardFixture::SetUp();
        transfer.setRecorder(&recorder);
    }
    // Up to the lambda swing with a 0-1 V probe.
    void reachLambdaSwing()
    {
        passStep1(0);
        passTpsIdle(20);
        passTpsHigh(40);
        takeWritten();
    }
    // The lambda byte each 50 ms poll reads, for the swing's 201 samples and
    // its finishing tick.
    void swing(const std::function<std::uint8_t(int)>& lambda, WizardTimer timer = WizardTimer::LambdaSwing)
    {
        for (int i = 0; i < 202 && engine.timerEnabled(timer); ++i) {
            setLive(lambda(i), 0, 800);
            const std::uint32_t next = clock.nowMs + 50;
            engine.tick(timer);
            clock.nowMs = std::max(clock.nowMs, next);
        }
    }
    // A healthy 0-1 V probe at idle on petrol: 0.10 V and 0.80 V, a second a cycle.
    static std::uint8_t healthy(int i) { return i % 20 < 10 ? 5 : 41; }
};

}  // namespace

TEST_F(FailedProbeTest, AStuckProbeHoldsTheAdaptationBeforeItsThresholdIsWritten)
{
    reachLambdaSwing();
    swing([](int) { return std::uint8_t{5}; });  // 0.10 V throughout: stuck lean
    EXPECT_TRUE(engine.awaitingProbeAnswer());
    ASSERT_TRUE(engine.result().probeFailure);
    EXPECT_EQ(engine.result().probeFailure->figures.verdict, ProbeVerdict::StuckLean);
    EXPECT_NEAR(engine.result().probeFailure->figures.maxVolts, 0.098, 0.001);
    EXPECT_EQ(engine.runningTimer(), std::nullopt) << "nothing polls while the fitter is asked";
    EXPECT_TRUE(eepromWrites(takeWritten()).empty()) << "the threshold of a stuck probe waits for the answer";
    EXPECT_EQ(control(WizardControl::FailedProbeNotice).visible, true);
    EXPECT_FALSE(engine.pressNext());

    // No: the adaptation stops there; nothing more is written, nothing runs.
    engine.probeFailureAnswered(false);
    EXPECT_TRUE(engine.result().stoppedAtProbe());
    EXPECT_FALSE(engine.awaitingProbeAnswer());
    EXPECT_EQ(engine.runningTimer(), std::nullopt);
    EXPECT_FALSE(engine.pressNext());
    EXPECT_TRUE(takeWritten().empty());
    EXPECT_EQ(control(WizardControl::NarrowProbeNotice).visible, false) << "no narrow-probe ending either";
    EXPECT_FALSE(engine.result().finished);

    // A new entry starts without the old failure.
    engine.initialiseWizard();
    EXPECT_FALSE(engine.result().probeFailure);
    EXPECT_EQ(control(WizardControl::FailedProbeNotice).visible, false);
}

TEST_F(FailedProbeTest, GoingOnWritesWhatWasMeasuredAndMarksEveryLaterResultDoubtful)
{
    reachLambdaSwing();
    swing([](int) { return std::uint8_t{0}; });  // no signal
    ASSERT_TRUE(engine.awaitingProbeAnswer());
    EXPECT_EQ(engine.result().probeFailure->figures.verdict, ProbeVerdict::NoSignal);
    engine.probeFailureAnswered(true);
    EXPECT_TRUE(engine.result().doubtfulProbe());
    // The definition's flow from here: threshold 0 V written, the narrow
    // probe's ending, DALEJ by the fitter.
    EXPECT_EQ(eepromWrites(takeWritten()), (std::vector<std::pair<int, int>>{{1, 5}}));
    EXPECT_EQ(control(WizardControl::NarrowProbeNotice).visible, true);
    EXPECT_EQ(recorder.notes[1], "doubtful: lambda probe no signal (0.00-0.00 V)");
    EXPECT_TRUE(recorder.notes[2].empty()) << "the TPS phases came before the probe";
    ASSERT_TRUE(engine.pressNext());

    // The actuator ranges come from the controller regulating on that probe;
    // the presets are no measurement.
    setLive(0, 0, 800, 0x03);
    ticks(WizardTimer::WaitForGas, 1);
    ticks(WizardTimer::Reducer, 150);
    ASSERT_TRUE(engine.pressNext());
    EXPECT_TRUE(recorder.notes[7].empty());
    setLive(0, 0, 2500, 0x03, 100);
    ticks(WizardTimer::AboveTps, 102);
    EXPECT_EQ(recorder.notes[4], recorder.notes[1]);
    setLive(0, 0, 800, 0x03, 60);
    ticks(WizardTimer::ActuatorIdle, 102);
    EXPECT_EQ(recorder.notes[7], recorder.notes[1]);
    EXPECT_TRUE(engine.result().finished);
    EXPECT_TRUE(engine.result().doubtfulProbe()) << "the run stays doubtful to its end";
}

TEST_F(FailedProbeTest, AProbeThatDiesDuringTheEmulationTimesHoldsBeforeThoseAreWritten)
{
    reachLambdaSwing();
    swing(healthy);
    EXPECT_FALSE(engine.result().probeFailure) << "a probe switching once a second at idle works";
    ASSERT_EQ(engine.runningTimer(), WizardTimer::EmulationTimes);
    EXPECT_EQ(eepromWrites(takeWritten()).size(), 1u);  // the threshold

    swing([](int) { return std::uint8_t{45}; }, WizardTimer::EmulationTimes);  // 0.88 V: stuck rich
    ASSERT_TRUE(engine.awaitingProbeAnswer());
    EXPECT_EQ(engine.result().probeFailure->figures.verdict, ProbeVerdict::StuckRich);
    EXPECT_TRUE(eepromWrites(takeWritten()).empty());
    engine.probeFailureAnswered(true);
    EXPECT_EQ(eepromWrites(takeWritten()), (std::vector<std::pair<int, int>>{{29, 0}, {28, 0}}));
    EXPECT_EQ(recorder.notes[28], "doubtful: lambda probe stuck rich (0.88-0.88 V)");
    EXPECT_EQ(engine.view().currentPage(), WizardPage::Reducer);
}
