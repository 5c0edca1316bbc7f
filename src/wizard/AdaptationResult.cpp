#include "wizard/AdaptationResult.h"

#include "params/NumberFormat.h"

#include <algorithm>

namespace dravinor::wizard {

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

int figureDecimals(Figure figure)
{
    switch (figure) {
    case Figure::TpsIdle:
    case Figure::TpsThreshold:
    case Figure::TpsHigh:
    case Figure::LambdaLean:
    case Figure::LambdaThreshold:
    case Figure::LambdaRich: return 2;
    case Figure::RichTime:
    case Figure::LeanTime: return 3;
    case Figure::AboveTpsMinimum:
    case Figure::AboveTpsMaximum:
    case Figure::AboveTpsStart:
    case Figure::IdleMinimum:
    case Figure::IdleMaximum:
    case Figure::IdleStart: break;
    }
    return 0;
}

std::string figureText(Figure figure, double value, std::string_view decimalSeparator)
{
    const int decimals = figureDecimals(figure);
    // Stepper positions are whole numbers of any size.
    if (decimals == 0)
        return std::to_string(static_cast<long>(value));
    return params::formatFixed3(value, decimals, decimalSeparator);
}

bool AdaptationResult::anyFigure() const
{
    return std::any_of(figures.begin(), figures.end(), [](const auto& figure) { return figure.has_value(); });
}

const GroupWrites* AdaptationResult::writesOf(WriteGroup group) const
{
    const auto found = writes.find(group);
    return found == writes.end() ? nullptr : &found->second;
}

std::vector<int> AdaptationResult::unacknowledgedAddresses() const
{
    std::vector<int> addresses = unacknowledged;
    std::sort(addresses.begin(), addresses.end());
    addresses.erase(std::unique(addresses.begin(), addresses.end()), addresses.end());
    return addresses;
}

}  // namespace dravinor::wizard
