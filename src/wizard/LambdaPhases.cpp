#include "wizard/AdaptationEngine.h"
#include "wizard/EngineWriter.h"

#include "params/Encoders.h"
#include "params/FieldDisplay.h"
#include "params/NumberFormat.h"
#include "params/ParameterState.h"
#include "params/ParameterTable.h"
#include "params/ParameterTransfer.h"
#include "wizard/FieldValues.h"

#include <algorithm>

namespace dravinor::wizard {

// The pages' controls by name, as every step here speaks of them.
using enum WizardControl;

namespace {

constexpr std::uint32_t lastSampleIndex = 200;  // 201 samples per phase
constexpr float tickSeconds = 0.05f;            // one timer period, whatever the tick really took
// A threshold outside this window leaves the probe too little swing to emulate.
constexpr float narrowProbeLowVolts = 0.2f;
constexpr float narrowProbeHighVolts = 4.0f;

constexpr std::array<WizardControl, 6> lambdaRows{LeanCaption,         LeanPanel,   ProbeThresholdCaption,
                                                  ProbeThresholdPanel, RichCaption, RichPanel};

}  // namespace

void AdaptationEngine::tickLambdaSwing()
{
    const Poll poll = pollLiveFrame(TpsPageRpmDial, TpsPageRpmPanel, false);
    state_.emulationFinished = false;
    blinkLabel(ProbeTitle, 10);
    if (state_.sampleCount > lastSampleIndex) {
        // A probe that failed gives a threshold of nothing: the fitter is
        // asked before it is written.
        if (!holdForFailedProbe(WizardTimer::LambdaSwing, ProbeHold::LambdaThreshold))
            finishLambdaSwing();
        return;
    }
    if (!poll.sample)
        return;
    feedProbeCheck(poll);
    setBar(LambdaBar, poll.frame.lambda);
    addToBar(TpsPageProgress, 1);
    ++state_.sampleCount;
    // Readings beyond the probe's range count as its ends.
    const float x = static_cast<float>(std::clamp<int>(poll.frame.lambda, state_.probeClampLow, state_.probeClampHigh));
    if (x <= state_.lambdaMinimum) {
        recordFigure(Figure::LambdaLean, lambdaVoltsOf(x));
        state_.lambdaMinimum = x;
    }
    if (x > state_.lambdaMaximum) {
        recordFigure(Figure::LambdaRich, lambdaVoltsOf(x));
        state_.lambdaMaximum = x;
    }
}

void AdaptationEngine::finishLambdaSwing()
{
    state_.lambdaThreshold = (state_.lambdaMaximum + state_.lambdaMinimum) * 0.5f;
    const float volts = lambdaVoltsOf(state_.lambdaThreshold);
    const std::string typed = params::formatDecimalComma(volts, 2);
    setFieldText("PRLambda", typed);
    const std::uint8_t index = params::encodeLambdaThreshold(fieldFloat(typed));
    setFieldText("PRLambda", params::shownLambdaThreshold(index));
    {
        const params::ScopedWriteNote note(transfer_, closePhase(WizardPhase::LambdaSwing, state_.sampleCount));
        const GroupScope group(*this, WriteGroup::LambdaThreshold);
        writeParameter(params::address::lambdaThreshold, index);
    }
    recordFigure(Figure::LambdaThreshold, volts);

    markDone(ProbeThresholdDone, ProbeThresholdLed);
    setTimer(WizardTimer::LambdaSwing, false);
    if (volts > narrowProbeHighVolts || volts < narrowProbeLowVolts) {
        // No emulation times: 28 and 29 keep the reset's values, and the
        // fitter moves on with DALEJ.
        addToBar(TpsPageProgress, 200);
        show(NarrowProbeNotice, true);
        enable(TpsPageNext, true);
        return;
    }
    state_.sampleCount = 0;
    state_.highRun = state_.lowRun = 0;
    state_.highRunSum = state_.lowRunSum = 0;
    state_.highRunCount = state_.lowRunCount = 0;
    state_.blinkCounter = 0;
    state_.expectHigh = state_.expectLow = true;
    show(ProbeTitle, false);
    for (auto name : lambdaRows)
        show(name, false);
    for (auto name : {EmulationTitle, RichTimeCaption, RichTimePanel, LeanTimeCaption, LeanTimePanel})
        show(name, true);
    startPhase();
    setTimer(WizardTimer::EmulationTimes, true);
}

void AdaptationEngine::tickEmulationTimes()
{
    const Poll poll = pollLiveFrame(TpsPageRpmDial, TpsPageRpmPanel, false);
    if (poll.good)
        setBar(LambdaBar, poll.frame.lambda);
    blinkLabel(EmulationTitle, 10);
    if (state_.sampleCount > lastSampleIndex) {
        if (!state_.emulationFinished && !holdForFailedProbe(WizardTimer::EmulationTimes, ProbeHold::EmulationTimes))
            finishEmulationTimes();
        return;
    }
    feedProbeCheck(poll);
    // A bad poll is no sample, but the probe went on swinging meanwhile:
    // its period belongs to the run in progress, which it neither ends nor
    // starts. Runs are times, and a line that loses polls must not shorten them.
    if (!poll.sample) {
        if (state_.highRun > 0)
            state_.highRun += tickSeconds;
        else if (state_.lowRun > 0)
            state_.lowRun += tickSeconds;
        return;
    }
    addToBar(TpsPageProgress, 1);
    // Both flags start set, so the first sample closes an empty run of the
    // other phase; a run still open at the end is not counted.
    if (static_cast<float>(poll.frame.lambda) > state_.lambdaThreshold) {
        if (state_.expectHigh) {
            ++state_.lowRunCount;
            state_.lowRunSum += state_.lowRun;
            state_.expectHigh = false;
            state_.expectLow = true;
        }
        state_.lowRun = 0;
        state_.highRun += tickSeconds;
        recordFigure(Figure::RichTime, state_.highRun);
    } else {
        if (state_.expectLow) {
            ++state_.highRunCount;
            state_.highRunSum += state_.highRun;
            state_.expectHigh = true;
            state_.expectLow = false;
        }
        state_.highRun = 0;
        state_.lowRun += tickSeconds;
        recordFigure(Figure::LeanTime, state_.lowRun);
    }
    ++state_.sampleCount;
}

void AdaptationEngine::finishEmulationTimes()
{
    state_.emulationFinished = true;
    state_.highRunCount = std::max(state_.highRunCount, 1);
    state_.lowRunCount = std::max(state_.lowRunCount, 1);
    const float highAverage = state_.highRunSum / static_cast<float>(state_.highRunCount);
    const float lowAverage = state_.lowRunSum / static_cast<float>(state_.lowRunCount);
    const float t = (highAverage + lowAverage) * 0.5f;
    state_.highRunSum = state_.lowRunSum = t;
    recordFigure(Figure::LeanTime, t);
    recordFigure(Figure::RichTime, t);

    // Both emulation times take the same value. t itself is encoded, not a
    // three-decimal text of it: rounding to the panel's decimals first would
    // move a time just below a step's midpoint onto the next step.
    const std::uint8_t index = params::encodeEmulation(t);
    {
        const params::ScopedWriteNote note(transfer_, closePhase(WizardPhase::EmulationTimes, state_.sampleCount));
        const GroupScope group(*this, WriteGroup::EmulationTimes);
        for (const auto& [field, address] : {std::pair{"ESLambda_1", params::address::emulationFirstTime},
                                             std::pair{"ESLambda_2", params::address::emulationSecondTime}}) {
            setFieldText(field, params::shownEmulation(index));
            writeParameter(address, index);
        }
    }
    markDone(EmulationDone, EmulationLed);
    enable(TpsPageNext, true);
    leaveTpsAndProbe();
}

}  // namespace dravinor::wizard
