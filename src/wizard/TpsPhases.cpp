#include "wizard/AdaptationEngine.h"
#include "wizard/EngineWriter.h"

#include "params/Encoders.h"
#include "params/FieldDisplay.h"
#include "params/FlagBits.h"
#include "params/NumberFormat.h"
#include "params/ParameterState.h"
#include "params/ParameterTable.h"
#include "params/ParameterTransfer.h"
#include "wizard/FieldValues.h"
#include "wizard/WizardTables.h"

#include <utility>

namespace dravinor::wizard {

// The pages' controls by name, as every step here speaks of them.
using enum WizardControl;

namespace {

constexpr int idleRpmLimit = 1200;
constexpr int highRpmLimit = 3000;
constexpr std::uint32_t lastSampleIndex = 100;  // 101 samples per window
constexpr int tpsThresholdOffset = 7;           // threshold bytes beyond the idle minimum

constexpr std::array<WizardControl, 9> tpsRows{
    TpsIdleCaption,   TpsIdlePanel,   TpsIdleUnit,  TpsThresholdCaption, TpsThresholdPanel,
    TpsThresholdUnit, TpsHighCaption, TpsHighPanel, TpsHighUnit,
};
constexpr std::array<WizardControl, 6> lambdaRows{LeanCaption,         LeanPanel,   ProbeThresholdCaption,
                                                  ProbeThresholdPanel, RichCaption, RichPanel};
constexpr std::array<WizardControl, 4> emulationRows{RichTimeCaption, RichTimePanel, LeanTimeCaption, LeanTimePanel};

}  // namespace

void AdaptationEngine::startTpsStep()
{
    show(TpsIdlePrompt, true);
    show(TpsHighPrompt, false);
    setBarMaximum(TpsPageProgress, 600);
    setBar(TpsPageProgress, 0);
    for (auto name : tpsRows)
        show(name, true);
    show(TpsTitle, true);
    for (auto name : {ProbeScaleLow, ProbeScaleHigh, LambdaBar, ProbeTitle, EmulationTitle})
        show(name, false);
    for (auto name : lambdaRows)
        show(name, false);
    for (auto name : emulationRows)
        show(name, false);

    state_.blinkCounter = 0;
    state_.tpsIdleMinimum = 255;
    state_.tpsIdleSum = 0;
    state_.tpsHighSum = 0;
    state_.sampleCount = 0;
    startPhase();
    setTimer(WizardTimer::TpsIdle, true);
    enable(TpsPageNext, false);
}

void AdaptationEngine::tickTpsIdle()
{
    const Poll poll = pollLiveFrame(TpsPageRpmDial, TpsPageRpmPanel, true);
    const bool engineStopped = (poll.frame.status & params::status::noEngineSpeed) != 0;
    if (poll.sample && poll.rpm <= idleRpmLimit && !engineStopped) {
        if (state_.sampleCount <= lastSampleIndex) {
            ++state_.sampleCount;
            state_.tpsIdleSum += poll.frame.tps;
            addToBar(TpsPageProgress, 1);
            if (poll.frame.tps < state_.tpsIdleMinimum)
                state_.tpsIdleMinimum = poll.frame.tps;
        } else {
            setTimer(WizardTimer::TpsIdle, false);
            state_.tpsIdleSum /= static_cast<float>(state_.sampleCount);
            markDone(TpsIdleDone, TpsIdleLed);
            show(TpsIdlePrompt, false);
            show(TpsHighPrompt, true);
            const std::uint32_t samples = std::exchange(state_.sampleCount, 0);
            // The lower value shown is the idle minimum, not the average.
            recordFigure(Figure::TpsIdle, tpsVoltsOf(static_cast<float>(state_.tpsIdleMinimum)));
            tpsIdleNote_ = closePhase(WizardPhase::TpsIdle, samples);
            startPhase();
            setTimer(WizardTimer::TpsHigh, true);
        }
    }
    blinkLabel(TpsTitle, 10);
}

void AdaptationEngine::tickTpsHigh()
{
    const Poll poll = pollLiveFrame(TpsPageRpmDial, TpsPageRpmPanel, true);
    if (poll.sample && poll.rpm >= highRpmLimit) {
        if (state_.sampleCount <= lastSampleIndex) {
            ++state_.sampleCount;
            state_.tpsHighSum += poll.frame.tps;
            addToBar(TpsPageProgress, 1);
        } else {
            finishTpsStep();
        }
    }
    blinkLabel(TpsTitle, 10);
}

void AdaptationEngine::finishTpsStep()
{
    setTimer(WizardTimer::TpsHigh, false);
    state_.tpsHighSum /= static_cast<float>(state_.sampleCount);
    recordFigure(Figure::TpsHigh, tpsVoltsOf(state_.tpsHighSum));
    markDone(TpsHighDone, TpsHighLed);
    const std::uint32_t samples = std::exchange(state_.sampleCount, 0);
    // The threshold stands on both TPS phases: a doubt about either goes with it.
    const std::string highNote = closePhase(WizardPhase::TpsHigh, samples);
    const params::ScopedWriteNote note(
        transfer_, tpsIdleNote_.empty() || highNote.empty() ? tpsIdleNote_ + highNote : tpsIdleNote_ + "; " + highNote);
    const GroupScope group(*this, WriteGroup::TpsThreshold);

    // The direction compares the two averages; equal counts as rising.
    const bool rising = state_.tpsHighSum >= state_.tpsIdleSum;
    const int thresholdByte = state_.tpsIdleMinimum + (rising ? tpsThresholdOffset : -tpsThresholdOffset);
    parameters_.setFlagByteA(params::withBit(parameters_.flagByteA(), params::flagA::tpsRising, rising));
    // The window words the direction shown here from result().tpsRising.
    result_.tpsRising = rising;
    show(TpsDirection, true);

    const float thresholdVolts = tpsVoltsOf(static_cast<float>(thresholdByte));
    recordFigure(Figure::TpsThreshold, thresholdVolts);
    const std::string typed = params::formatDecimalComma(thresholdVolts, 2);
    setFieldText("PCTps", typed);

    view_.editOutside("TCTps").selected = rising ? 1 : 0;
    writeParameter(params::address::flagByteA, parameters_.flagByteA());

    const std::uint8_t index = params::encodeTpsThreshold(fieldFloat(typed));
    setFieldText("PCTps", params::shownTpsThreshold(index));
    writeParameter(params::address::tpsThreshold, index);

    show(TpsTitle, false);
    for (auto name : tpsRows)
        show(name, false);
    show(ProbeTitle, true);
    for (auto name : lambdaRows)
        show(name, true);
    for (auto name : {LambdaBar, ProbeScaleLow, ProbeScaleHigh})
        show(name, true);

    state_.blinkCounter = 0;
    state_.sampleCount = 0;
    state_.lambdaMaximum = 0;
    state_.lambdaMinimum = 255;
    startPhase();
    startProbeCheck();
    setTimer(WizardTimer::LambdaSwing, true);
}

}  // namespace dravinor::wizard
