#include "WizardFixture.h"

#include "params/Encoders.h"
#include "params/NumberFormat.h"
#include "params/WriteRecorder.h"
#include "wizard/FieldValues.h"
#include "wizard/WizardTables.h"

using namespace dravinor;
using namespace dravinor::wizard;
using namespace dravinor::wizard::testing;

namespace {

// The notes the wizard's single writes carry, by address.
struct NoteRecorder final : params::WriteRecorder {
    std::map<int, std::string> notes;
    void singleWrite(const params::SingleWrite& write) override
    {
        notes[write.address.number()] = std::string(write.note);
    }
    void bulkWrite(const params::BulkWrite&) override {}
};

struct LineFixture : WizardFixture {
    NoteRecorder recorder;

    void SetUp() override
    {
        WizardFixture::SetUp();
        transfer.setRecorder(&recorder);
    }
    // Every done label of every page that is lit, by name.
    std::vector<WizardControl> litDoneLabels()
    {
        std::vector<WizardControl> lit;
        for (const auto& item : doneItems)
            if (control(item.led).lit.value_or(false) || control(item.label).enabled.value_or(false))
                lit.push_back(item.label);
        return lit;
    }
    // Ticks the timer while it runs (at most limit times); returns how many.
    int runWhile(WizardTimer timer, int limit = 1000)
    {
        int n = 0;
        while (n < limit && engine.runningTimer() == timer) {
            engine.tick(timer);
            ++n;
        }
        return n;
    }
    static bool onlyLivePolls(const std::vector<Bytes>& frames)
    {
        return std::all_of(frames.begin(), frames.end(), [](const Bytes& f) { return f[0] == 'V'; });
    }
    // The fitter's choices of step 1: what he can do with a silent controller.
    void chooseStep1()
    {
        engine.ignitionChosen(2);
        engine.probeTypeChosen(4);
        engine.temperatureSensorClicked(false);
    }
};

using SilentLineTest = LineFixture;
using NoisyLineTest = LineFixture;

const std::vector<WizardControl> ignitionOnly{WizardControl::IgnitionDone};  // the fitter's own choice, nothing sent

}  // namespace

TEST_F(SilentLineTest, NoAnswerLightsNothingWritesNothingAfterTheResetAndSaysSo)
{
    silent = true;
    engine.initialiseWizard();
    takeWritten();
    EXPECT_EQ(control(WizardControl::StartNoAnswer).visible, true) << "the reset went unanswered for seconds";
    EXPECT_TRUE(engine.controllerSilent());
    chooseStep1();
    tickFor(WizardTimer::Step1, 3000);

    EXPECT_TRUE(onlyLivePolls(takeWritten())) << "no write while the controller does not answer";
    EXPECT_EQ(litDoneLabels(), ignitionOnly);
    EXPECT_FALSE(engine.state().probeChosen);
    EXPECT_FALSE(engine.state().petrolConfirmed);
    EXPECT_EQ(control(WizardControl::StartNext).enabled, false);
    EXPECT_FALSE(engine.pressNext());
    EXPECT_EQ(engine.result().failedWrites, 0);

    // It answers: the held probe type and sensor setting go out, petrol is
    // judged from the first good frame, and the notice goes.
    silent = false;
    setLive(0, 0, 800);
    engine.tick(WizardTimer::Step1);
    const auto writes = eepromWrites(takeWritten());
    const std::vector<std::pair<int, int>> probe{{32, state.flagByteA()}, {27, 2}, {34, 4}, {35, 0}};
    EXPECT_EQ(writes, probe) << "flag byte A goes with the probe type, once";
    EXPECT_TRUE(engine.state().probeChosen);
    EXPECT_TRUE(engine.state().petrolConfirmed);
    EXPECT_EQ(control(WizardControl::StartNoAnswer).visible, false);
    EXPECT_FALSE(engine.controllerSilent());
    engine.tick(WizardTimer::Step1);
    EXPECT_EQ(control(WizardControl::StartNext).enabled, true);
}

TEST_F(SilentLineTest, AControllerAnsweringOnlyZerosIsNoController)
{
    zeros = true;
    engine.initialiseWizard();
    EXPECT_GT(engine.result().reset.unacknowledged, 0) << "a zero byte acknowledges nothing";
    takeWritten();
    chooseStep1();
    tickFor(WizardTimer::Step1, 2000);
    EXPECT_TRUE(onlyLivePolls(takeWritten()));
    EXPECT_EQ(litDoneLabels(), ignitionOnly);
    EXPECT_EQ(control(WizardControl::StartNoAnswer).visible, true);
    EXPECT_FALSE(engine.lastPollAnswered());
}

TEST_F(SilentLineTest, MeasuringPhasesWaitWithoutSamplesAndSayTheControllerDoesNotAnswer)
{
    for (const bool zeroBytes : {false, true}) {
        SCOPED_TRACE(zeroBytes ? "zeros" : "silent");
        silent = zeros = false;
        passStep1();
        takeWritten();
        (zeroBytes ? zeros : silent) = true;
        tickFor(WizardTimer::TpsIdle, 900);
        EXPECT_EQ(control(WizardControl::TpsPageNoAnswer).visible, false) << "not before a second has passed";
        tickFor(WizardTimer::TpsIdle, 5000);
        EXPECT_EQ(control(WizardControl::TpsPageNoAnswer).visible, true);
        EXPECT_EQ(engine.state().sampleCount, 0u);
        EXPECT_EQ(engine.runningTimer(), WizardTimer::TpsIdle);
        EXPECT_TRUE(onlyLivePolls(takeWritten()));
        EXPECT_EQ(control(WizardControl::TpsIdleDone).enabled, false);
        EXPECT_EQ(shown(Figure::TpsIdle), "......");

        (zeroBytes ? zeros : silent) = false;
        setLive(0, 20, 800);
        engine.tick(WizardTimer::TpsIdle);
        EXPECT_EQ(control(WizardControl::TpsPageNoAnswer).visible, false);
        EXPECT_EQ(engine.state().sampleCount, 1u);
    }
}

TEST_F(SilentLineTest, AnUnansweredEntryPollAsksForPetrolOnTheFirstGoodOne)
{
    setLive(0, 0, 800, params::status::automatic);
    unansweredLive = 1;
    engine.initialiseWizard();
    EXPECT_TRUE(fuelRequests(takeWritten()).empty()) << "no fuel state was known";
    EXPECT_EQ(control(WizardControl::PetrolLed).lit, false);
    engine.tick(WizardTimer::Step1);
    EXPECT_EQ(fuelRequests(takeWritten()), std::vector<int>{2});
    EXPECT_EQ(control(WizardControl::PetrolLed).lit, true);
    engine.tick(WizardTimer::Step1);
    EXPECT_TRUE(fuelRequests(takeWritten()).empty()) << "asked once";
}

TEST_F(SilentLineTest, UnacknowledgedWritesAreListedOncePerAddress)
{
    setLive(0, 0, 800);
    engine.initialiseWizard();
    EXPECT_EQ(engine.result().reset.unacknowledged, 0);
    silent = true;  // it answered just now: the choice is still written, and fails
    engine.probeTypeChosen(4);
    EXPECT_EQ(engine.result().failedWrites, 4);
    EXPECT_EQ(engine.result().unacknowledgedAddresses(), (std::vector<int>{27, 32, 34, 35}));
    // By now it has not answered for over a second: the next choice waits.
    engine.temperatureSensorClicked(false);
    EXPECT_EQ(engine.result().failedWrites, 4);
}

TEST_F(NoisyLineTest, NoiseBeforeAFrameMakesItNoSampleAndTheTpsResultStaysClean)
{
    passStep1();
    // Every other answer has a byte of noise before it: read from the
    // buffer's start, such a frame would give a TPS byte of 0.
    noisyEvery = 2;
    setLive(0, 20, 800);
    const int ticksTaken = runWhile(WizardTimer::TpsIdle);
    EXPECT_GE(ticksTaken, 2 * 102 - 1) << "only the good half counted";
    EXPECT_EQ(engine.state().tpsIdleMinimum, 20);
    EXPECT_FLOAT_EQ(engine.state().tpsIdleSum, 20.0f);

    noisyEvery = 0;
    passTpsHigh(120);
    ASSERT_EQ(engine.result().doubtfulPhases.size(), 1u);
    EXPECT_EQ(engine.result().doubtfulPhases[0].phase, WizardPhase::TpsIdle);
    EXPECT_GT(engine.result().doubtfulPhases[0].badPolls * 10, engine.result().doubtfulPhases[0].polls);
    EXPECT_EQ(control(WizardControl::TpsPageUnreliableLine).visible, true);
    // The threshold stands on the doubtful idle phase: its writes say so.
    EXPECT_EQ(recorder.notes[2].rfind("doubtful: TPS idle ", 0), 0u) << recorder.notes[2];
    EXPECT_EQ(recorder.notes[32], recorder.notes[2]);
    EXPECT_EQ(state.block().get(2), params::encodeTpsThreshold(tpsVoltsOf(27.0f)));
}

TEST_F(NoisyLineTest, ATenthOfThePollsBadIsStillReliableOneMoreIsDoubtful)
{
    // 101 samples and the finishing tick are 102 good polls: 11 bad ones
    // are not more than a tenth of 113, 12 are more than a tenth of 114.
    for (const int bad : {11, 12}) {
        SCOPED_TRACE(bad);
        recorder.notes.clear();
        passStep1();
        silent = true;
        ticks(WizardTimer::TpsIdle, bad);
        silent = false;
        passTpsIdle(20);
        passTpsHigh(120);
        EXPECT_EQ(engine.result().doubtfulPhases.size(), bad == 12 ? 1u : 0u);
        EXPECT_EQ(control(WizardControl::TpsPageUnreliableLine).visible, bad == 12);
        EXPECT_EQ(recorder.notes[2].empty(), bad == 11);
    }
}

TEST_F(NoisyLineTest, EveryMeasuringPhaseCountsOnlyGoodPollsAndNotesItsDoubt)
{
    passStep1();
    noisyEvery = 3;  // a third of the answers: every phase is doubtful
    setLive(0, 20, 800);
    runWhile(WizardTimer::TpsIdle);
    setLive(0, 120, 3000);
    runWhile(WizardTimer::TpsHigh);
    for (int i = 0; i < 1000 && engine.runningTimer() == WizardTimer::LambdaSwing; ++i) {
        setLive(i % 2 ? 0 : 200, 0, 800);
        engine.tick(WizardTimer::LambdaSwing);
    }
    setLive(200, 0, 800);
    runWhile(WizardTimer::EmulationTimes);
    ASSERT_EQ(engine.view().currentPage(), WizardPage::Reducer);
    for (const int address : {1, 28, 29, 2})
        EXPECT_EQ(recorder.notes[address].rfind("doubtful: ", 0), 0u) << address;
    // The swing saw both ends, whichever polls were bad.
    EXPECT_EQ(state.block().get(1), params::encodeLambdaThreshold(lambdaVoltsOf(100.0f)));
    std::vector<WizardPhase> phases;
    for (const auto& phase : engine.result().doubtfulPhases)
        phases.push_back(phase.phase);
    EXPECT_EQ(phases, (std::vector<WizardPhase>{WizardPhase::TpsIdle, WizardPhase::TpsHigh, WizardPhase::LambdaSwing,
                                                WizardPhase::EmulationTimes}));
    EXPECT_EQ(control(WizardControl::ReducerUnreliableLine).visible, false) << "each page says it of its own phases";
}

TEST_F(NoisyLineTest, LostPollsDoNotShortenTheEmulationRunsTheyFallInto)
{
    // The probe swings in runs of five polls (0.25 s); the same swing is
    // measured once on a clean line and once losing every run's second poll.
    std::map<bool, int> emulation;
    for (const bool lossy : {false, true}) {
        SCOPED_TRACE(lossy);
        passStep1();
        passTpsIdle(20);
        passTpsHigh(120);
        passLambdaSwing(0, 200);
        ASSERT_EQ(engine.runningTimer(), WizardTimer::EmulationTimes);
        for (int i = 0; i < 2000 && engine.runningTimer() == WizardTimer::EmulationTimes; ++i) {
            setLive((i / 5) % 2 ? 0 : 200, 0, 800);
            if (lossy && i % 5 == 1)
                unansweredLive = 1;
            engine.tick(WizardTimer::EmulationTimes);
        }
        emulation[lossy] = state.block().get(29);
    }
    EXPECT_EQ(emulation[true], emulation[false]);
    EXPECT_NEAR(emulation[false], params::encodeEmulation(0.25f), 1);
}
