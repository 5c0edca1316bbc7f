#include "AdaptationEngine.h"

#include "ParameterState.h"
#include "ParameterTransfer.h"
#include "SerialPort.h"

namespace dravinor::wizard {

AdaptationEngine::AdaptationEngine(link::SerialPort& port, params::ParameterState& parameters,
                                   params::ParameterTransfer& transfer, WizardInputs inputs)
    : port_(port), parameters_(parameters), transfer_(transfer), inputs_(std::move(inputs))
{
}

// Placeholders until the phases land: each handler keeps its signature.
void AdaptationEngine::initialiseWizard() {}
void AdaptationEngine::ignitionChosen(int) {}
void AdaptationEngine::probeTypeChosen(int) {}
void AdaptationEngine::temperatureSensorClicked(bool) {}
void AdaptationEngine::aap1DalejClick() {}
void AdaptationEngine::tick(WizardTimer) {}
void AdaptationEngine::aap2DalejClick() {}
void AdaptationEngine::switchAutoClick() {}
void AdaptationEngine::aap4DalejClick() {}
void AdaptationEngine::aap5KoniecClick() {}
bool AdaptationEngine::dalej() { return false; }

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

}  // namespace dravinor::wizard
