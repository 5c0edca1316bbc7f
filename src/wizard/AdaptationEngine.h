#pragma once

#include "AdaptationState.h"
#include "WizardView.h"

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace dravinor::link {
class SerialPort;
}
namespace dravinor::params {
class ParameterState;
class ParameterTransfer;
}  // namespace dravinor::params

namespace dravinor::wizard {

// The wizard's 50 ms timers. TimerAAP4_3 exists but no step starts it.
enum class WizardTimer { AAP1, AAP2_1, AAP2_2, AAP3_1, AAP3_2, AAP4_1, AAP4_2, AAP4_3, AAP5_1, AAP5_2 };
inline constexpr std::size_t wizardTimerCount = 10;

// What the wizard reads from outside the controller: the parameter pages'
// field texts (the RPM fields re-encoded at the end of step 1) and the
// current texts of the text slots it shows (40103, 40104).
struct WizardInputs {
    std::function<std::string(std::string_view fieldName)> fieldText;
    std::function<std::string(int slotKey)> slotText;
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
    // retries since initialiseWizard, and whether the last poll was answered.
    int failedWrites() const { return failedWrites_; }
    bool lastPollAnswered() const { return lastPollAnswered_; }
    bool finished() const { return finished_; }  // "Zakończono autoadaptację" shown

private:
    // ... phase rules, pollLiveFrame, blinkLabel, writes
    link::SerialPort& port_;
    params::ParameterState& parameters_;
    params::ParameterTransfer& transfer_;
    WizardInputs inputs_;
    AdaptationState state_;
    WizardView view_;
    std::array<bool, wizardTimerCount> timers_{};
    int failedWrites_ = 0;
    bool lastPollAnswered_ = false;
    bool finished_ = false;
};

}  // namespace dravinor::wizard
