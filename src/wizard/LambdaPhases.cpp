#include "AdaptationEngine.h"
#include "EngineWriter.h"

#include "Encoders.h"
#include "FieldDisplay.h"
#include "FieldValues.h"
#include "NumberFormat.h"
#include "ParameterState.h"
#include "ParameterTable.h"
#include "ParameterTransfer.h"

#include <algorithm>

namespace dravinor::wizard {

namespace {

constexpr std::uint32_t lastSampleIndex = 200;  // 201 samples per phase
constexpr float tickSeconds = 0.05f;            // one timer period, whatever the tick really took
// A threshold outside this window leaves the probe too little swing to emulate.
constexpr float narrowProbeLowVolts = 0.2f;
constexpr float narrowProbeHighVolts = 4.0f;

constexpr std::array<std::string_view, 6> lambdaRows{"Uboga_AA_P3", "UbogaEDAA_P3", "Prog_AA_P3",
                                                     "ProgEDAA_P3", "Bogata_AA_P3", "BogataEDAA_P3"};

}  // namespace

void AdaptationEngine::tickLambdaSwing()
{
    const Poll poll = pollLiveFrame("Manometr_RPMAA_P2", "Manometr_RPMEDAA_P2", false);
    state_.emulationFinished = false;
    blinkLabel("TUPsl_AA_P2", 10);
    if (state_.sampleCount > lastSampleIndex) {
        // A probe that failed gives a threshold of nothing: the fitter is
        // asked before it is written.
        if (!holdForFailedProbe(WizardTimer::AAP3_1, ProbeHold::LambdaThreshold))
            finishLambdaSwing();
        return;
    }
    if (!poll.sample)
        return;
    feedProbeCheck(poll);
    setBar("Bar1P3", poll.frame.lambda);
    addToBar("Bar1P2", 1);
    ++state_.sampleCount;
    // Readings beyond the probe's range count as its ends.
    const float x = static_cast<float>(std::clamp<int>(poll.frame.lambda, state_.probeClampLow, state_.probeClampHigh));
    if (x <= state_.lambdaMinimum) {
        showFigure(Figure::LambdaLean, lambdaVoltsOf(x));
        state_.lambdaMinimum = x;
    }
    if (x > state_.lambdaMaximum) {
        showFigure(Figure::LambdaRich, lambdaVoltsOf(x));
        state_.lambdaMaximum = x;
    }
}

void AdaptationEngine::finishLambdaSwing()
{
    state_.lambdaThreshold = (state_.lambdaMaximum + state_.lambdaMinimum) * 0.5f;
    const float volts = lambdaVoltsOf(state_.lambdaThreshold);
    const std::string typed = params::formatDecimalComma(volts, 2);
    setText("PRLambda", typed);
    const std::uint8_t index = params::encodeLambdaThreshold(fieldFloat(typed));
    setText("PRLambda", params::shownLambdaThreshold(index));
    {
        const params::ScopedWriteNote note(transfer_, closePhase(WizardPhase::LambdaSwing, state_.sampleCount));
        const GroupScope group(*this, WriteGroup::LambdaThreshold);
        writeParameter(index, params::address::lambdaThreshold);
    }
    showFigure(Figure::LambdaThreshold, volts);

    markDone("SSLabel_AA_P3", "AutoFaz3Led1");
    setTimer(WizardTimer::AAP3_1, false);
    if (volts > narrowProbeHighVolts || volts < narrowProbeLowVolts) {
        // No emulation times: 28 and 29 keep the reset's values, and the
        // fitter moves on with DALEJ.
        addToBar("Bar1P2", 200);
        show("USLabel_AA_P3", true);
        enable("AAP2_Dalej", true);
        return;
    }
    state_.sampleCount = 0;
    state_.highRun = state_.lowRun = 0;
    state_.highRunSum = state_.lowRunSum = 0;
    state_.highRunCount = state_.lowRunCount = 0;
    state_.blinkCounter = 0;
    state_.expectHigh = state_.expectLow = true;
    show("TUPsl_AA_P2", false);
    for (auto name : lambdaRows)
        show(name, false);
    for (auto name : {"TUEsl_AA_P2", "TH_AA_P3", "THEDAA_P3", "TL_AA_P3", "TLEDAA_P3"})
        show(name, true);
    startPhase();
    setTimer(WizardTimer::AAP3_2, true);
}

void AdaptationEngine::tickEmulationTimes()
{
    const Poll poll = pollLiveFrame("Manometr_RPMAA_P2", "Manometr_RPMEDAA_P2", false);
    if (poll.good)
        setBar("Bar1P3", poll.frame.lambda);
    blinkLabel("TUEsl_AA_P2", 10);
    if (state_.sampleCount > lastSampleIndex) {
        if (!state_.emulationFinished && !holdForFailedProbe(WizardTimer::AAP3_2, ProbeHold::EmulationTimes))
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
    addToBar("Bar1P2", 1);
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
        showFigure(Figure::RichTime, state_.highRun);
    } else {
        if (state_.expectLow) {
            ++state_.highRunCount;
            state_.highRunSum += state_.highRun;
            state_.expectHigh = true;
            state_.expectLow = false;
        }
        state_.highRun = 0;
        state_.lowRun += tickSeconds;
        showFigure(Figure::LeanTime, state_.lowRun);
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
    showFigure(Figure::LeanTime, t);
    showFigure(Figure::RichTime, t);

    // Both emulation times take the same value. t itself is encoded, not a
    // three-decimal text of it: rounding to the panel's decimals first would
    // move a time just below a step's midpoint onto the next step.
    const std::uint8_t index = params::encodeEmulation(t);
    {
        const params::ScopedWriteNote note(transfer_, closePhase(WizardPhase::EmulationTimes, state_.sampleCount));
        const GroupScope group(*this, WriteGroup::EmulationTimes);
        for (const auto& [field, address] : {std::pair{"ESLambda_1", params::address::emulationFirstTime},
                                             std::pair{"ESLambda_2", params::address::emulationSecondTime}}) {
            setText(field, params::shownEmulation(index));
            writeParameter(index, address);
        }
    }
    markDone("CSLabel_AA_P3", "AutoFaz3Led2");
    enable("AAP2_Dalej", true);
    aap2DalejClick();
}

}  // namespace dravinor::wizard
