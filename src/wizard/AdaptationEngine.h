#pragma once

#include "AdaptationState.h"
#include "WizardView.h"

#include "LiveFrame.h"

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
    // retries since initialiseWizard, and whether the last poll was answered.
    int failedWrites() const { return failedWrites_; }
    bool lastPollAnswered() const { return lastPollAnswered_; }
    bool finished() const { return finished_; }  // "Zakończono autoadaptację" shown
    // Writes of the entry reset the controller did not acknowledge.
    int resetUnacknowledged() const { return resetUnacknowledged_; }

private:
    // One live poll: the RPM on the page's dial and panel; the status byte
    // kept as the status copy when the running timer keeps it.
    struct Poll {
        params::LiveFrame frame;
        int rpm = 0;
    };
    Poll pollLiveFrame(std::string_view meter, std::string_view panel, bool keepStatus);
    // The live request and its reply, unchecked: a missing reply leaves the
    // previous bytes of the reply buffer.
    params::LiveFrame requestLiveFrame();
    void blinkLabel(std::string_view label, int n);

    void writeParameter(int value, int address);
    void writeParameterEeprom(int value, int address);
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

    void tickStep1();
    void reencodeRpmFields();
    void startTpsStep();
    void tickTpsIdle();
    void tickTpsHigh();
    void finishTpsStep();
    void tickLambdaSwing();
    void finishLambdaSwing();
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
    bool lastPollAnswered_ = false;
    bool finished_ = false;
    int resetUnacknowledged_ = 0;
    // What the parameter pages showed of the RPM fields right after the
    // reset, for callers without field texts of their own.
    std::array<std::string, 4> shownRpmFields_;
};

}  // namespace dravinor::wizard
