#pragma once

#include "AdaptationState.h"
#include "WizardView.h"

#include "LivePoll.h"
#include "ParameterTransfer.h"
#include "ProbeHealth.h"

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

// The wizard's 50 ms timers. TimerAAP4_3 exists but no step starts it.
enum class WizardTimer { AAP1, AAP2_1, AAP2_2, AAP3_1, AAP3_2, AAP4_1, AAP4_2, AAP4_3, AAP5_1, AAP5_2 };
inline constexpr std::size_t wizardTimerCount = 10;

// The measuring phases, each counted on its own for the line's reliability.
enum class WizardPhase { TpsIdle, TpsHigh, LambdaSwing, EmulationTimes, Reducer, AboveTps, ActuatorIdle };

// A phase whose polls came back bad (missing, short, long or blank) more
// than once in ten: its result stands, but the line it was measured on was
// unreliable.
struct DoubtfulPhase {
    WizardPhase phase;
    int polls = 0;
    int badPolls = 0;
};

// The phase's name in notes and reports: "TPS idle", "lambda swing", ...
std::string_view phaseName(WizardPhase phase);

// The wizard's writes by what they set, for callers that tell the fitter
// what reached the controller.
enum class WriteGroup {
    ProbeType,          // 32, 27, 34, 35 (step 1)
    TemperatureSensor,  // 32 (step 1's check box)
    IgnitionAndRpm,     // 13 and the RPM words (step 1's DALEJ)
    TpsThreshold,       // 32, 2
    LambdaThreshold,    // 1
    EmulationTimes,     // 29, 28
    ActuatorPresets,    // 6, 5, 4, 9, 8, 7 (the reducer page's DALEJ)
    ActuatorAboveTps,   // 6, 5, 4
    ActuatorIdle,       // 9, 8, 7
};

// The addresses of a group's last writes, in the order made, as the
// controller answered them (EEPROM, and RAM where the write refreshes it).
struct GroupWrites {
    std::vector<int> acknowledged;
    std::vector<int> unacknowledged;
};

// A lambda probe the lambda phases found failed (stuck on one side of its
// switching point, or no signal), and what the fitter chose.
enum class ProbeDecision {
    Pending,  // the engine holds before writing what it measured
    WentOn,   // the fitter went on: every result from the probe on is doubtful
    Stopped,  // the adaptation stopped there, the lambda result not written
};
struct ProbeFailure {
    diagnostics::ProbeHealthFigures figures;  // the last ten seconds when it was found
    ProbeDecision decision = ProbeDecision::Pending;
};

// After this long without an answered poll the pages say the controller
// does not answer, and step 1 holds its writes until it answers again.
inline constexpr std::uint32_t noAnswerNoticeMs = 1000;

// What the wizard reads from outside the controller: the parameter pages'
// field texts (the RPM fields re-encoded at the end of step 1) and the
// current texts of the text slots it shows (40103, 40104).
struct WizardInputs {
    std::function<std::string(std::string_view fieldName)> fieldText;
    std::function<std::string(int slotKey)> slotText;
    // Decimal separator of the result panels on the wizard pages (the
    // locale's); the parameter fields always use a comma.
    std::string panelDecimalSeparator = ",";
};

// The auto-adaptation: each handler is one event of the wizard pages (a
// timer tick, a choice, a button), runs to its end on the caller's thread
// and leaves its effects in the view. It talks to the controller only
// through the port (live polls, fuel-mode requests) and the transfer
// (parameter writes, which report their own failures to the transfer's
// observer).
class AdaptationEngine {
public:
    AdaptationEngine(link::SerialPort& port, params::ParameterState& parameters,
                     params::ParameterTransfer& transfer, WizardInputs inputs);

    // The reset of a confirmed entry: default set written, ready flags
    // cleared, pages to their first look, petrol asked for, TimerAAP1 on.
    void initialiseWizard();

    // Step 1.
    void ignitionChosen(int index);        // Manometr_RPMCOMBOAA_P1 changed, -1 for none
    void probeTypeChosen(int index);       // RSLAMBDA_COMBOAA_P1 changed, -1 for none
    void temperatureSensorClicked(bool ticked);
    void aap1DalejClick();

    // One tick of a running timer: one live poll and that phase's rule. A
    // tick of a timer that is not enabled does nothing.
    void tick(WizardTimer timer);

    void aap2DalejClick();
    void switchAutoClick();
    void aap4DalejClick();
    // The end: AA1 becomes the current page again; the caller shows TabPar1
    // with the focus on PRLambda.
    void aap5KoniecClick();

    // F10 on the wizard page: clicks the current page's next button when it
    // is enabled. Returns whether a button was clicked.
    bool dalej();

    void stopAllTimers();
    bool timerEnabled(WizardTimer timer) const { return timers_[static_cast<std::size_t>(timer)]; }
    // The one enabled timer, if any.
    std::optional<WizardTimer> runningTimer() const;

    const AdaptationState& state() const { return state_; }
    WizardView& view() { return view_; }
    const WizardView& view() const { return view_; }

    // For callers that report at the end: writes that failed after their
    // retries since initialiseWizard (and their addresses, each once, in
    // address order), and
    // whether the last poll was answered.
    int failedWrites() const { return failedWrites_; }
    std::vector<int> unacknowledgedAddresses() const;
    bool lastPollAnswered() const { return lastPollAnswered_; }
    bool finished() const { return finished_; }  // "Zakończono autoadaptację" shown
    // Writes of the entry reset the controller did not acknowledge.
    int resetUnacknowledged() const { return resetOutcome_.unacknowledged; }
    const params::BulkWriteOutcome& resetOutcome() const { return resetOutcome_; }
    // No poll has been answered for noAnswerNoticeMs: the pages say so.
    bool controllerSilent() const { return silent_; }
    // Phases measured on an unreliable line, in the order they ended.
    const std::vector<DoubtfulPhase>& doubtfulPhases() const { return doubtfulPhases_; }

    // The writes of a group since the entry; none when it was not written.
    const GroupWrites* writesOf(WriteGroup group) const;

    // The probe check over the lambda phases' samples: at the end of the
    // lambda swing (and of the emulation times) a failed probe holds the
    // engine, no timer running, until the fitter answers whether to go on.
    const std::optional<ProbeFailure>& probeFailure() const { return probeFailure_; }
    bool awaitingProbeAnswer() const
    {
        return probeFailure_ && probeFailure_->decision == ProbeDecision::Pending;
    }
    // Yes: what was measured is written and the wizard goes on, its results
    // marked doubtful; no: the adaptation stops, nothing more is written.
    void probeFailureAnswered(bool goOn);
    bool doubtfulProbe() const { return probeFailure_ && probeFailure_->decision == ProbeDecision::WentOn; }
    bool stoppedAtProbe() const { return probeFailure_ && probeFailure_->decision == ProbeDecision::Stopped; }

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
    Poll pollLiveFrame(std::string_view meter, std::string_view panel, bool keepStatus);
    // The live request and its judged reply, counted for the phase and for
    // the no-answer notice.
    params::LivePoll requestLiveFrame();
    void noteAnswer();
    void updateSilence();
    // No answer for noAnswerNoticeMs by now (between polls too).
    bool silentNow() const;
    void blinkLabel(std::string_view label, int n);

    // A measuring phase starts counting its polls; at its end, a phase with
    // more than a tenth bad is noted and the page says the line is
    // unreliable. closePhase returns the note its results are written with.
    void startPhase();
    std::string closePhase(WizardPhase phase);

    // To the memory the parameter table gives the address. True when
    // EEPROM acknowledged the byte.
    bool writeParameter(int value, int address);
    // The wizard's writes through the shared write sequences.
    class Writer;
    // The writes made while it lives are recorded for its group.
    class GroupScope;
    void noteWrite(int address, bool failed);
    void sendFuelModeRequest(std::uint8_t value);
    void setTimer(WizardTimer timer, bool on);

    // View helpers.
    void show(std::string_view name, bool visible);
    void enable(std::string_view name, bool enabled);
    void markDone(std::string_view label, std::string_view led);
    void setText(std::string_view name, std::string text);
    void setBar(std::string_view name, int value);
    void addToBar(std::string_view name, int delta);
    void setBarMaximum(std::string_view name, int maximum);
    void showRpm(std::string_view meter, std::string_view panel, int rpm);
    bool buttonEnabled(std::string_view name) const;
    std::string panelNumber(double value, int decimals) const;
    std::string fieldText(std::string_view name) const;
    std::string slotText(int key) const;

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
    void writeActuatorRange(unsigned average, int minimumAddress, int maximumAddress, int startAddress,
                            const char* const fieldNames[3], const char* const panelNames[3]);

    link::SerialPort& port_;
    params::ParameterState& parameters_;
    params::ParameterTransfer& transfer_;
    WizardInputs inputs_;
    AdaptationState state_;
    WizardView view_;
    std::array<bool, wizardTimerCount> timers_{};
    int failedWrites_ = 0;
    std::vector<int> unacknowledged_;  // addresses, in the order they failed
    std::map<WriteGroup, GroupWrites> groupWrites_;
    std::optional<WriteGroup> writingFor_;
    bool lastPollAnswered_ = false;
    bool finished_ = false;
    params::BulkWriteOutcome resetOutcome_;

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
    std::vector<DoubtfulPhase> doubtfulPhases_;
    // The TPS threshold follows from both TPS phases: the idle phase's note
    // waits for it.
    std::string tpsIdleNote_;
    // The lambda probe over the lambda phases, judged at every speed.
    diagnostics::ProbeHealth probeHealth_{0, diagnostics::adaptationProbeLimits};
    std::optional<ProbeFailure> probeFailure_;
    ProbeHold probeHold_ = ProbeHold::LambdaThreshold;
    // What the parameter pages showed of the RPM fields right after the
    // reset, for callers without field texts of their own.
    std::array<std::string, 4> shownRpmFields_;
};

}  // namespace dravinor::wizard
