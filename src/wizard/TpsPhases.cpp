#include "AdaptationEngine.h"
#include "EngineWriter.h"

#include "Encoders.h"
#include "FieldDisplay.h"
#include "FieldValues.h"
#include "FlagBits.h"
#include "NumberFormat.h"
#include "ParameterState.h"
#include "ParameterTable.h"
#include "ParameterTransfer.h"
#include "WizardTables.h"

#include <utility>

namespace dravinor::wizard {

namespace {

constexpr int idleRpmLimit = 1200;
constexpr int highRpmLimit = 3000;
constexpr std::uint32_t lastSampleIndex = 100;  // 101 samples per window
constexpr int tpsThresholdOffset = 7;           // threshold bytes beyond the idle minimum

constexpr std::array<std::string_view, 9> tpsRows{
    "TPSdol_AA_P2", "TPSDolEDAA_P2", "Vdol_AA_P2", "TPSprg_AA_P2", "TPSProEDAA_P2",
    "Vprog_AA_P2",  "TPSgor_AA_P2",  "TPSGorEDAA_P2", "Vgora_AA_P2",
};
constexpr std::array<std::string_view, 6> lambdaRows{"Uboga_AA_P3", "UbogaEDAA_P3", "Prog_AA_P3",
                                                     "ProgEDAA_P3", "Bogata_AA_P3", "BogataEDAA_P3"};
constexpr std::array<std::string_view, 4> emulationRows{"TH_AA_P3", "THEDAA_P3", "TL_AA_P3", "TLEDAA_P3"};

}  // namespace

void AdaptationEngine::startTpsStep()
{
    show("PPNMLabel_AA_P2", true);
    show("PPNDLabel_AA_P2", false);
    setBarMaximum("Bar1P2", 600);
    setBar("Bar1P2", 0);
    for (auto name : tpsRows)
        show(name, true);
    show("TUPtps_AA_P2", true);
    for (auto name : {"V0_AA_P3", "V5_AA_P3", "Bar1P3", "TUPsl_AA_P2", "TUEsl_AA_P2"})
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
    setTimer(WizardTimer::AAP2_1, true);
    enable("AAP2_Dalej", false);
}

void AdaptationEngine::tickTpsIdle()
{
    const Poll poll = pollLiveFrame("Manometr_RPMAA_P2", "Manometr_RPMEDAA_P2", true);
    const bool engineStopped = (poll.frame.status & params::status::noEngineSpeed) != 0;
    if (poll.sample && poll.rpm <= idleRpmLimit && !engineStopped) {
        if (state_.sampleCount <= lastSampleIndex) {
            ++state_.sampleCount;
            state_.tpsIdleSum += poll.frame.tps;
            addToBar("Bar1P2", 1);
            if (poll.frame.tps < state_.tpsIdleMinimum)
                state_.tpsIdleMinimum = poll.frame.tps;
        } else {
            setTimer(WizardTimer::AAP2_1, false);
            state_.tpsIdleSum /= static_cast<float>(state_.sampleCount);
            markDone("TPSPonLabel_AA_P2", "AutoFaz2Led1");
            show("PPNMLabel_AA_P2", false);
            show("PPNDLabel_AA_P2", true);
            const std::uint32_t samples = std::exchange(state_.sampleCount, 0);
            // The lower value shown is the idle minimum, not the average.
            showFigure(Figure::TpsIdle, tpsVoltsOf(static_cast<float>(state_.tpsIdleMinimum)));
            tpsIdleNote_ = closePhase(WizardPhase::TpsIdle, samples);
            startPhase();
            setTimer(WizardTimer::AAP2_2, true);
        }
    }
    blinkLabel("TUPtps_AA_P2", 10);
}

void AdaptationEngine::tickTpsHigh()
{
    const Poll poll = pollLiveFrame("Manometr_RPMAA_P2", "Manometr_RPMEDAA_P2", true);
    if (poll.sample && poll.rpm >= highRpmLimit) {
        if (state_.sampleCount <= lastSampleIndex) {
            ++state_.sampleCount;
            state_.tpsHighSum += poll.frame.tps;
            addToBar("Bar1P2", 1);
        } else {
            finishTpsStep();
        }
    }
    blinkLabel("TUPtps_AA_P2", 10);
}

void AdaptationEngine::finishTpsStep()
{
    setTimer(WizardTimer::AAP2_2, false);
    state_.tpsHighSum /= static_cast<float>(state_.sampleCount);
    showFigure(Figure::TpsHigh, tpsVoltsOf(state_.tpsHighSum));
    markDone("TPSPowLabel_AA_P2", "AutoFaz2Led2");
    const std::uint32_t samples = std::exchange(state_.sampleCount, 0);
    // The threshold stands on both TPS phases: a doubt about either goes with it.
    const std::string highNote = closePhase(WizardPhase::TpsHigh, samples);
    const params::ScopedWriteNote note(transfer_, tpsIdleNote_.empty() || highNote.empty()
                                                      ? tpsIdleNote_ + highNote
                                                      : tpsIdleNote_ + "; " + highNote);
    const GroupScope group(*this, WriteGroup::TpsThreshold);

    // The direction compares the two averages; equal counts as rising.
    const bool rising = state_.tpsHighSum >= state_.tpsIdleSum;
    const int thresholdByte = state_.tpsIdleMinimum + (rising ? tpsThresholdOffset : -tpsThresholdOffset);
    parameters_.setFlagByteA(params::withBit(parameters_.flagByteA(), params::flagA::tpsRising, rising));
    // The window words the direction shown here from result().tpsRising.
    result_.tpsRising = rising;
    show("JakiTps_AA_P2", true);

    const float thresholdVolts = tpsVoltsOf(static_cast<float>(thresholdByte));
    showFigure(Figure::TpsThreshold, thresholdVolts);
    const std::string typed = params::formatDecimalComma(thresholdVolts, 2);
    setText("PCTps", typed);

    view_.edit("TCTps").selected = rising ? 1 : 0;
    writeParameter(parameters_.flagByteA(), params::address::flagByteA);

    const std::uint8_t index = params::encodeTpsThreshold(fieldFloat(typed));
    setText("PCTps", params::shownTpsThreshold(index));
    writeParameter(index, params::address::tpsThreshold);

    show("TUPtps_AA_P2", false);
    for (auto name : tpsRows)
        show(name, false);
    show("TUPsl_AA_P2", true);
    for (auto name : lambdaRows)
        show(name, true);
    for (auto name : {"Bar1P3", "V0_AA_P3", "V5_AA_P3"})
        show(name, true);

    state_.blinkCounter = 0;
    state_.sampleCount = 0;
    state_.lambdaMaximum = 0;
    state_.lambdaMinimum = 255;
    startPhase();
    startProbeCheck();
    setTimer(WizardTimer::AAP3_1, true);
}

}  // namespace dravinor::wizard
