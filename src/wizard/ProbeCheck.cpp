#include "wizard/AdaptationEngine.h"

#include "link/SerialPort.h"
#include "params/LiveFrame.h"

#include <cstdio>

namespace dravinor::wizard {

// The pages' controls by name, as every step here speaks of them.
using enum WizardControl;

// The notice beside the lambda rows while a failed probe is told; the
// window writes its words from result().probeFailure.
inline constexpr WizardControl probeNoticeLabel = FailedProbeNotice;

void AdaptationEngine::startProbeCheck()
{
    probeHealth_.reset(state_.probeIndex);
}

void AdaptationEngine::feedProbeCheck(const Poll& poll)
{
    // On the link's clock, as the live page's check: the figures are rates
    // and times of the probe itself.
    if (poll.sample)
        probeHealth_.add({port_.clock().tickMs() / 1000.0, params::lambdaVolts(poll.frame.lambda), poll.rpm});
}

bool AdaptationEngine::holdForFailedProbe(WizardTimer timer, ProbeHold resume)
{
    // Once the fitter chose to go on he is not asked again.
    if (result_.probeFailure)
        return false;
    const diagnostics::ProbeHealthFigures figures = probeHealth_.figures();
    if (!diagnostics::probeFailed(figures.verdict))
        return false;
    result_.probeFailure = ProbeFailure{figures, ProbeDecision::Pending};
    probeHold_ = resume;
    setTimer(timer, false);
    show(probeNoticeLabel, true);
    return true;
}

void AdaptationEngine::probeFailureAnswered(bool goOn)
{
    if (!awaitingProbeAnswer())
        return;
    // The notice stays: the window adds what was chosen to its words.
    view_.edit(probeNoticeLabel).visible = true;
    if (!goOn) {
        result_.probeFailure->decision = ProbeDecision::Stopped;
        stopAllTimers();
        return;
    }
    result_.probeFailure->decision = ProbeDecision::WentOn;
    if (probeHold_ == ProbeHold::LambdaThreshold)
        finishLambdaSwing();
    else
        finishEmulationTimes();
}

std::string AdaptationEngine::probeNote() const
{
    if (!result_.doubtfulProbe())
        return {};
    const auto& figures = result_.probeFailure->figures;
    char volts[32];
    std::snprintf(volts, sizeof volts, "%.2f-%.2f V", static_cast<double>(figures.minVolts),
                  static_cast<double>(figures.maxVolts));
    return std::string("lambda probe ") + diagnostics::probeVerdictName(figures.verdict) + " (" + volts + ")";
}

}  // namespace dravinor::wizard
