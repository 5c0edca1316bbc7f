#pragma once

#include "wizard/AdaptationResult.h"
#include "wizard/AdaptationState.h"
#include "wizard/WizardView.h"

#include "diagnostics/ProbeHealth.h"
#include "params/LivePoll.h"
#include "params/ParameterTransfer.h"

#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace dravinor::link {
class SerialPort;
}
namespace dravinor::params {
class ParameterState;
}  // namespace dravinor::params

namespace dravinor::wizard {

// The wizard's 50 ms timers, one per phase, in the order of the window's
// TimerAAP1, TimerAAP2_1, TimerAAP2_2, TimerAAP3_1, TimerAAP3_2, TimerAAP4_1,
// TimerAAP4_2, TimerAAP4_3, TimerAAP5_1 and TimerAAP5_2. Unused exists on the
// pages but no step starts it.
enum class WizardTimer {
    Step1,
    TpsIdle,
    TpsHigh,
    LambdaSwing,
    EmulationTimes,
    WaitForGas,
    Reducer,
    Unused,
    AboveTps,
    ActuatorIdle,
};
inline constexpr std::size_t wizardTimerCount = 10;

// After this long without an answered poll the pages say the controller
// does not answer, and step 1 holds its writes until it answers again.
inline constexpr std::uint32_t noAnswerNoticeMs = 1000;

// What the wizard reads from outside the controller: the parameter pages'
// field texts (the RPM fields re-encoded at the end of step 1).
struct WizardInputs {
    std::function<std::string(std::string_view fieldName)> fieldText;
};

// The auto-adaptation: each handler is one event of the wizard pages (a
// timer tick, a choice, a button), runs to its end on the caller's thread
// and leaves its effects in the view. It talks to the controller only
// through the port (live polls, fuel-mode requests) and the transfer
// (parameter writes, which report their own failures to the transfer's
// observer).
class AdaptationEngine {
public:
    AdaptationEngine(link::SerialPort& port, params::ParameterState& parameters, params::ParameterTransfer& transfer,
                     WizardInputs inputs);

    // The reset of a confirmed entry: default set written, ready flags
    // cleared, pages to their first look, petrol asked for, the step 1 timer on.
    void initialiseWizard();

    // Step 1.
    void ignitionChosen(int index);   // the ignition list changed, -1 for none
    void probeTypeChosen(int index);  // the probe list changed, -1 for none
    void temperatureSensorClicked(bool ticked);
    // The first page's next button (AAP1_Dalej): the ignition type written, on to the TPS.
    void leaveStep1();

    // One tick of a running timer: one live poll and that phase's rule. A
    // tick of a timer that is not enabled does nothing.
    void tick(WizardTimer timer);

    // The TPS and probe page's next button (AAP2_Dalej): on to the reducer.
    void leaveTpsAndProbe();
    // The reducer page's fuel switch (SwitchAUTO).
    void fuelSwitchClicked();
    // The reducer page's next button (AAP4_Dalej): the actuator presets, on to the actuator.
    void leaveReducer();
    // The last page's end button (AAP5_Koniec): the first page becomes the
    // current one again; the caller shows TabPar1 with the focus on PRLambda.
    void finishAdaptation();

    // F10 on the wizard page: clicks the current page's next button when it
    // is enabled. Returns whether a button was clicked.
    bool pressNext();

    void stopAllTimers();
    bool timerEnabled(WizardTimer timer) const { return timers_[static_cast<std::size_t>(timer)]; }
    // The one enabled timer, if any.
    std::optional<WizardTimer> runningTimer() const;

    const AdaptationState& state() const { return state_; }
    WizardView& view() { return view_; }
    const WizardView& view() const { return view_; }

    // What was measured and written since the entry: figures, phases,
    // writes and their acknowledgement, the failed probe, the end.
    const AdaptationResult& result() const { return result_; }
    // Whether the last poll was answered.
    bool lastPollAnswered() const { return lastPollAnswered_; }
    // No poll has been answered for noAnswerNoticeMs: the pages say so.
    bool controllerSilent() const { return silent_; }

    // The probe check over the lambda phases' samples: at the end of the
    // lambda swing (and of the emulation times) a failed probe
    // (result().probeFailure) holds the engine, no timer running, until the
    // fitter answers whether to go on.
    bool awaitingProbeAnswer() const
    {
        return result_.probeFailure && result_.probeFailure->decision == ProbeDecision::Pending;
    }
    // Yes: what was measured is written and the wizard goes on, its results
    // marked doubtful; no: the adaptation stops, nothing more is written.
    void probeFailureAnswered(bool goOn);

private:
    // One live poll. A good one shows its RPM on the page's dial and panel
    // and, when the running timer keeps it, its status byte as the status
    // copy; a bad one leaves the page as it was. Only a good frame with a
    // period is a sample: a period of 0 is no engine speed at all.
    struct Poll {
        params::LiveFrame frame;
        int rpm = 0;
        bool good = false;
        bool sample = false;
    };
    Poll pollLiveFrame(WizardControl meter, WizardControl panel, bool keepStatus);
    // The live request and its judged reply, counted for the phase and for
    // the no-answer notice.
    params::LivePoll requestLiveFrame();
    void noteAnswer();
    void updateSilence();
    // No answer for noAnswerNoticeMs by now (between polls too).
    bool silentNow() const;
    void blinkLabel(WizardControl label, int n);

    // A measuring phase starts counting its polls; at its end, a phase with
    // more than a tenth bad is noted and the page says the line is
    // unreliable. closePhase returns the note its results are written with.
    void startPhase();
    std::string closePhase(WizardPhase phase, std::uint32_t samples);
    // A measured figure, kept in the result.
    void recordFigure(Figure figure, double value);

    // To the memory the parameter table gives the address. True when
    // EEPROM acknowledged the byte.
    bool writeParameter(params::Address address, int value);
    // The wizard's writes through the shared write sequences.
    class Writer;
    // The writes made while it lives are recorded for its group.
    class GroupScope;
    void noteWrite(int address, bool failed);
    void sendFuelModeRequest(std::uint8_t value);
    void setTimer(WizardTimer timer, bool on);

    // View helpers.
    void show(WizardControl control, bool visible);
    void enable(WizardControl control, bool enabled);
    void markDone(WizardControl label, WizardControl led);
    void showNumber(WizardControl control, Quantity quantity, double value);
    // A parameter-page field's text, by the field's name.
    void setFieldText(std::string_view field, std::string text);
    void setBar(WizardControl bar, int value);
    void addToBar(WizardControl bar, int delta);
    void setBarMaximum(WizardControl bar, int maximum);
    void showRpm(WizardControl meter, WizardControl panel, int rpm);
    bool buttonEnabled(WizardControl button) const;
    std::string fieldText(std::string_view name) const;

    void resetPagesLook();
    void confirmPetrol();
    void showTemperatureSensor(bool fitted);

    // Step 1's writes: made at once while the controller answers, held
    // until it answers again otherwise.
    void writeProbeType();
    void writeTemperatureSensor();
    void tickStep1();
    void useStep1Frame(const params::LiveFrame& frame);
    void reencodeRpmFields();
    void startTpsStep();
    void tickTpsIdle();
    void tickTpsHigh();
    void finishTpsStep();
    void tickLambdaSwing();
    void finishLambdaSwing();
    // The probe check of the lambda phases: fed with their samples; true
    // when it holds the engine before the results of the phase are written.
    enum class ProbeHold { LambdaThreshold, EmulationTimes };
    void startProbeCheck();
    void feedProbeCheck(const Poll& poll);
    bool holdForFailedProbe(WizardTimer timer, ProbeHold resume);
    std::string probeNote() const;
    void tickEmulationTimes();
    void finishEmulationTimes();
    void tickWaitForGas();
    void tickReducer();
    void tickAboveTps();
    void tickActuatorIdle();
    void writeActuatorRange(unsigned average, params::Address minimumAddress, params::Address maximumAddress,
                            params::Address startAddress, const char* const fieldNames[3], Figure firstFigure);

    link::SerialPort& port_;
    params::ParameterState& parameters_;
    params::ParameterTransfer& transfer_;
    WizardInputs inputs_;
    AdaptationState state_;
    WizardView view_;
    std::array<bool, wizardTimerCount> timers_{};
    AdaptationResult result_;
    // The result's writes by group, under the name the write scopes use.
    std::map<WriteGroup, GroupWrites>& groupWrites_ = result_.writes;
    std::optional<WriteGroup> writingFor_;
    bool lastPollAnswered_ = false;

    // The controller's answers: when one last came, and whether the pages
    // say it is silent.
    std::uint32_t lastAnswerMs_ = 0;
    bool silent_ = false;
    // The entry's status poll may go unanswered: the first good poll of
    // step 1 then asks for petrol.
    bool petrolJudged_ = false;
    bool probeWritePending_ = false;
    bool flagAWritePending_ = false;

    // Polls of the running phase, and the phases found doubtful.
    int phasePolls_ = 0;
    int phaseBadPolls_ = 0;
    // The TPS threshold follows from both TPS phases: the idle phase's note
    // waits for it.
    std::string tpsIdleNote_;
    // The lambda probe over the lambda phases, judged at every speed.
    diagnostics::ProbeHealth probeHealth_{0, diagnostics::adaptationProbeLimits};
    ProbeHold probeHold_ = ProbeHold::LambdaThreshold;
    // What the parameter pages showed of the RPM fields right after the
    // reset, for callers without field texts of their own.
    std::array<std::string, 4> shownRpmFields_;
};

}  // namespace dravinor::wizard
