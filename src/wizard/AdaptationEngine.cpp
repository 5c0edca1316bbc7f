#include "AdaptationEngine.h"

#include "CommandFrame.h"
#include "Conversions.h"
#include "NumberFormat.h"
#include "ParameterState.h"
#include "ParameterTransfer.h"
#include "ParameterWrites.h"
#include "SerialPort.h"
#include "WizardTables.h"

#include <algorithm>

namespace dravinor::wizard {

AdaptationEngine::AdaptationEngine(link::SerialPort& port, params::ParameterState& parameters,
                                   params::ParameterTransfer& transfer, WizardInputs inputs)
    : port_(port), parameters_(parameters), transfer_(transfer), inputs_(std::move(inputs))
{
}

void AdaptationEngine::tick(WizardTimer timer)
{
    if (!timerEnabled(timer))
        return;
    switch (timer) {
    case WizardTimer::AAP1: tickStep1(); break;
    case WizardTimer::AAP2_1: tickTpsIdle(); break;
    case WizardTimer::AAP2_2: tickTpsHigh(); break;
    case WizardTimer::AAP3_1: tickLambdaSwing(); break;
    case WizardTimer::AAP3_2: tickEmulationTimes(); break;
    case WizardTimer::AAP4_1: tickWaitForGas(); break;
    case WizardTimer::AAP4_2: tickReducer(); break;
    case WizardTimer::AAP4_3: break;  // exists on the form, no step runs it
    case WizardTimer::AAP5_1: tickAboveTps(); break;
    case WizardTimer::AAP5_2: tickActuatorIdle(); break;
    }
}

bool AdaptationEngine::dalej()
{
    // Each check reads the current page afresh, so one press advances at
    // most one page: every step leaves the next page's button disabled.
    if (view_.currentPage() == WizardPage::AA1 && buttonEnabled("AAP1_Dalej")) {
        aap1DalejClick();
        return true;
    }
    if (view_.currentPage() == WizardPage::AA2 && buttonEnabled("AAP2_Dalej")) {
        aap2DalejClick();
        return true;
    }
    if (view_.currentPage() == WizardPage::AA4 && buttonEnabled("AAP4_Dalej")) {
        aap4DalejClick();
        return true;
    }
    if (view_.currentPage() == WizardPage::AA5 && buttonEnabled("AAP5_Koniec")) {
        aap5KoniecClick();
        return true;
    }
    return false;
}

void AdaptationEngine::stopAllTimers()
{
    timers_.fill(false);
}

std::optional<WizardTimer> AdaptationEngine::runningTimer() const
{
    for (std::size_t i = 0; i < timers_.size(); ++i)
        if (timers_[i])
            return static_cast<WizardTimer>(i);
    return std::nullopt;
}

void AdaptationEngine::setTimer(WizardTimer timer, bool on)
{
    timers_[static_cast<std::size_t>(timer)] = on;
}

std::string_view phaseName(WizardPhase phase)
{
    switch (phase) {
    case WizardPhase::TpsIdle: return "TPS idle";
    case WizardPhase::TpsHigh: return "TPS high";
    case WizardPhase::LambdaSwing: return "lambda swing";
    case WizardPhase::EmulationTimes: return "emulation times";
    case WizardPhase::Reducer: return "reducer";
    case WizardPhase::AboveTps: return "actuator above TPS";
    case WizardPhase::ActuatorIdle: return "actuator at idle";
    }
    return "phase";
}

params::LivePoll AdaptationEngine::requestLiveFrame()
{
    const params::LivePoll poll = params::pollLiveFrame(port_);
    lastPollAnswered_ = poll.answered();
    ++phasePolls_;
    if (!poll.good())
        ++phaseBadPolls_;
    if (poll.answered())
        noteAnswer();
    updateSilence();
    return poll;
}

void AdaptationEngine::noteAnswer()
{
    lastAnswerMs_ = port_.clock().tickMs();
}

bool AdaptationEngine::silentNow() const
{
    return port_.clock().tickMs() - lastAnswerMs_ >= noAnswerNoticeMs;
}

void AdaptationEngine::updateSilence()
{
    const bool silent = silentNow();
    if (silent == silent_)
        return;
    silent_ = silent;
    for (auto label : noAnswerLabels)
        show(label, silent);
}

AdaptationEngine::Poll AdaptationEngine::pollLiveFrame(std::string_view meter, std::string_view panel,
                                                       bool keepStatus)
{
    Poll poll;
    const params::LivePoll live = requestLiveFrame();
    poll.frame = live.frame;
    poll.good = live.good();
    // A missing, short, long or blank answer is no reading: the page keeps
    // the last good one.
    if (!poll.good)
        return poll;
    if (keepStatus)
        state_.statusCopy = poll.frame.status;
    state_.lastPeriod = static_cast<float>(poll.frame.rpmPeriod);
    // A zero period is a speed beyond any engine: it opens no RPM window.
    poll.rpm = params::periodToRpm(poll.frame.rpmPeriod, 50, parameters_.ignitionConstant());
    poll.sample = poll.frame.rpmPeriod != 0;
    showRpm(meter, panel, poll.rpm);
    return poll;
}

void AdaptationEngine::startPhase()
{
    phasePolls_ = 0;
    phaseBadPolls_ = 0;
}

std::string AdaptationEngine::closePhase(WizardPhase phase)
{
    std::string note;
    // More than a tenth of the polls bad: the samples that were good may
    // still carry garbled bytes the frame cannot show.
    if (phaseBadPolls_ * 10 > phasePolls_) {
        doubtfulPhases_.push_back({phase, phasePolls_, phaseBadPolls_});
        show(unreliableLineLabel(view_.currentPage()), true);
        note = "doubtful: " + std::string(phaseName(phase)) + " " + std::to_string(phaseBadPolls_) + " of " +
               std::to_string(phasePolls_) + " polls bad";
    }
    // The probe's threshold and all that follows from the controller
    // regulating on the probe stand on a probe that failed.
    if (doubtfulProbe() && phase >= WizardPhase::LambdaSwing)
        note += (note.empty() ? "doubtful: " : "; ") + probeNote();
    return note;
}

const GroupWrites* AdaptationEngine::writesOf(WriteGroup group) const
{
    const auto found = groupWrites_.find(group);
    return found == groupWrites_.end() ? nullptr : &found->second;
}

std::vector<int> AdaptationEngine::unacknowledgedAddresses() const
{
    std::vector<int> addresses = unacknowledged_;
    std::sort(addresses.begin(), addresses.end());
    addresses.erase(std::unique(addresses.begin(), addresses.end()), addresses.end());
    return addresses;
}

void AdaptationEngine::blinkLabel(std::string_view label, int n)
{
    view_.edit(label).fontColour = state_.blinkPhase ? blinkBlack : blinkBlue;
    if (state_.blinkCounter == n) {
        state_.blinkPhase = !state_.blinkPhase;
        state_.blinkCounter = 0;
    }
    ++state_.blinkCounter;
}

bool AdaptationEngine::writeParameter(int value, int address)
{
    const params::ScopedWriteSource source(transfer_, "wizard");
    const params::WriteOutcome outcome =
        params::writeWhereItLives(transfer_, address, static_cast<std::uint8_t>(value));
    noteWrite(address, outcome.failed());
    return outcome.eepromAcknowledged;
}

void AdaptationEngine::noteWrite(int address, bool failed)
{
    if (writingFor_) {
        GroupWrites& group = groupWrites_[*writingFor_];
        (failed ? group.unacknowledged : group.acknowledged).push_back(address);
    }
    if (failed) {
        ++failedWrites_;
        unacknowledged_.push_back(address);
    } else {
        // An acknowledgement is an answer too.
        noteAnswer();
    }
}

void AdaptationEngine::sendFuelModeRequest(std::uint8_t value)
{
    // The answer is not judged: the next live frames tell the fuel state.
    link::sendRamByteWrite(port_, link::fuelModeAddress, value);
    port_.waitReply();
}

void AdaptationEngine::show(std::string_view name, bool visible)
{
    view_.edit(name).visible = visible;
}

void AdaptationEngine::enable(std::string_view name, bool enabled)
{
    view_.edit(name).enabled = enabled;
}

void AdaptationEngine::markDone(std::string_view label, std::string_view led)
{
    enable(label, true);
    view_.edit(led).lit = true;
}

void AdaptationEngine::setText(std::string_view name, std::string text)
{
    view_.edit(name).text = std::move(text);
}

void AdaptationEngine::setBar(std::string_view name, int value)
{
    ControlView& bar = view_.edit(name);
    // A progress bar keeps its position inside its range.
    bar.value = bar.maximum ? std::clamp(value, 0, *bar.maximum) : std::max(value, 0);
}

void AdaptationEngine::addToBar(std::string_view name, int delta)
{
    const ControlView* bar = view_.find(name);
    setBar(name, (bar && bar->value ? *bar->value : 0) + delta);
}

void AdaptationEngine::setBarMaximum(std::string_view name, int maximum)
{
    view_.edit(name).maximum = maximum;
}

void AdaptationEngine::showRpm(std::string_view meter, std::string_view panel, int rpm)
{
    view_.edit(meter).reading = rpm * 0.001;
    setText(panel, params::engineRpmText(rpm));
}

bool AdaptationEngine::buttonEnabled(std::string_view name) const
{
    const ControlView* button = view_.find(name);
    return button && button->enabled.value_or(false);
}

std::string AdaptationEngine::panelNumber(double value, int decimals) const
{
    return params::formatFixed3(value, decimals, inputs_.panelDecimalSeparator);
}

std::string AdaptationEngine::fieldText(std::string_view name) const
{
    if (inputs_.fieldText)
        return inputs_.fieldText(name);
    for (std::size_t i = 0; i < rpmFieldNames.size(); ++i)
        if (rpmFieldNames[i] == name)
            return shownRpmFields_[i];
    return {};
}

std::string AdaptationEngine::slotText(int key) const
{
    if (inputs_.slotText) {
        std::string text = inputs_.slotText(key);
        if (!text.empty())
            return text;
    }
    return std::string(key == tpsRisingSlot ? tpsRisingText : tpsFallingText);
}

}  // namespace dravinor::wizard
