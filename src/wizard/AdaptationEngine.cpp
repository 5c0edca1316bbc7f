#include "wizard/AdaptationEngine.h"

#include "link/CommandFrame.h"
#include "link/SerialPort.h"
#include "params/Conversions.h"
#include "params/ParameterState.h"
#include "params/ParameterTransfer.h"
#include "params/ParameterWrites.h"
#include "wizard/WizardTables.h"

#include <algorithm>

namespace dravinor::wizard {

// The pages' controls by name, as every step here speaks of them.
using enum WizardControl;

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
    case WizardTimer::Step1: tickStep1(); break;
    case WizardTimer::TpsIdle: tickTpsIdle(); break;
    case WizardTimer::TpsHigh: tickTpsHigh(); break;
    case WizardTimer::LambdaSwing: tickLambdaSwing(); break;
    case WizardTimer::EmulationTimes: tickEmulationTimes(); break;
    case WizardTimer::WaitForGas: tickWaitForGas(); break;
    case WizardTimer::Reducer: tickReducer(); break;
    case WizardTimer::Unused: break;  // exists on the form, no step runs it
    case WizardTimer::AboveTps: tickAboveTps(); break;
    case WizardTimer::ActuatorIdle: tickActuatorIdle(); break;
    }
}

bool AdaptationEngine::pressNext()
{
    // Each check reads the current page afresh, so one press advances at
    // most one page: every step leaves the next page's button disabled.
    if (view_.currentPage() == WizardPage::Start && buttonEnabled(StartNext)) {
        leaveStep1();
        return true;
    }
    if (view_.currentPage() == WizardPage::TpsAndProbe && buttonEnabled(TpsPageNext)) {
        leaveTpsAndProbe();
        return true;
    }
    if (view_.currentPage() == WizardPage::Reducer && buttonEnabled(ReducerNext)) {
        leaveReducer();
        return true;
    }
    if (view_.currentPage() == WizardPage::Actuator && buttonEnabled(FinishButton)) {
        finishAdaptation();
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

AdaptationEngine::Poll AdaptationEngine::pollLiveFrame(WizardControl meter, WizardControl panel, bool keepStatus)
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

std::string AdaptationEngine::closePhase(WizardPhase phase, std::uint32_t samples)
{
    std::string note;
    // More than a tenth of the polls bad: the samples that were good may
    // still carry garbled bytes the frame cannot show.
    const bool doubtful = phaseBadPolls_ * 10 > phasePolls_;
    result_.phases[static_cast<std::size_t>(phase)] = {true, static_cast<int>(samples), phasePolls_, phaseBadPolls_,
                                                       doubtful};
    if (doubtful) {
        result_.doubtfulPhases.push_back({phase, phasePolls_, phaseBadPolls_});
        show(unreliableLineLabel(view_.currentPage()), true);
        note = "doubtful: " + std::string(phaseName(phase)) + " " + std::to_string(phaseBadPolls_) + " of " +
               std::to_string(phasePolls_) + " polls bad";
    }
    // The probe's threshold and all that follows from the controller
    // regulating on the probe stand on a probe that failed.
    if (result_.doubtfulProbe() && phase >= WizardPhase::LambdaSwing)
        note += (note.empty() ? "doubtful: " : "; ") + probeNote();
    return note;
}

void AdaptationEngine::blinkLabel(WizardControl label, int n)
{
    view_.edit(label).fontTint = state_.blinkPhase ? Tint::Black : Tint::Blue;
    if (state_.blinkCounter == n) {
        state_.blinkPhase = !state_.blinkPhase;
        state_.blinkCounter = 0;
    }
    ++state_.blinkCounter;
}

bool AdaptationEngine::writeParameter(params::Address address, int value)
{
    const params::ScopedWriteSource source(transfer_, params::WriteSource::Wizard);
    const params::WriteOutcome outcome =
        params::writeWhereItLives(transfer_, address, static_cast<std::uint8_t>(value));
    noteWrite(address.number(), outcome.failed());
    return outcome.eepromAcknowledged;
}

void AdaptationEngine::noteWrite(int address, bool failed)
{
    if (writingFor_) {
        GroupWrites& group = groupWrites_[*writingFor_];
        (failed ? group.unacknowledged : group.acknowledged).push_back(address);
    }
    if (failed) {
        ++result_.failedWrites;
        result_.unacknowledged.push_back(address);
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

void AdaptationEngine::show(WizardControl control, bool visible)
{
    view_.edit(control).visible = visible;
}

void AdaptationEngine::enable(WizardControl control, bool enabled)
{
    view_.edit(control).enabled = enabled;
}

void AdaptationEngine::markDone(WizardControl label, WizardControl led)
{
    enable(label, true);
    view_.edit(led).lit = true;
}

void AdaptationEngine::showNumber(WizardControl control, Quantity quantity, double value)
{
    view_.edit(control).number = PanelNumber{quantity, value};
}

void AdaptationEngine::setFieldText(std::string_view field, std::string text)
{
    view_.editOutside(field).text = std::move(text);
}

void AdaptationEngine::recordFigure(Figure figure, double value)
{
    // The window shows it in its panel, the command line tells it.
    result_.figures[static_cast<std::size_t>(figure)] = value;
}

void AdaptationEngine::setBar(WizardControl name, int value)
{
    ControlView& bar = view_.edit(name);
    // A progress bar keeps its position inside its range.
    bar.value = bar.maximum ? std::clamp(value, 0, *bar.maximum) : std::max(value, 0);
}

void AdaptationEngine::addToBar(WizardControl name, int delta)
{
    const ControlView* bar = view_.find(name);
    setBar(name, (bar && bar->value ? *bar->value : 0) + delta);
}

void AdaptationEngine::setBarMaximum(WizardControl name, int maximum)
{
    view_.edit(name).maximum = maximum;
}

void AdaptationEngine::showRpm(WizardControl meter, WizardControl panel, int rpm)
{
    view_.edit(meter).reading = rpm * 0.001;
    showNumber(panel, Quantity::EngineSpeed, rpm);
}

bool AdaptationEngine::buttonEnabled(WizardControl name) const
{
    const ControlView* button = view_.find(name);
    return button && button->enabled.value_or(false);
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

}  // namespace dravinor::wizard
