#include "wizard/WizardTables.h"

namespace dravinor::wizard {

// The pages' controls by name, as every step here speaks of them.
using enum WizardControl;

WizardControl unreliableLineLabel(WizardPage page)
{
    switch (page) {
    case WizardPage::Start:
    case WizardPage::TpsAndProbe: return unreliableLineLabels[0];
    case WizardPage::Reducer: return unreliableLineLabels[1];
    case WizardPage::Actuator: break;
    }
    return unreliableLineLabels[2];
}

std::span<const WizardControl> standingInstructions(WizardPage page)
{
    static constexpr WizardControl first[] = {StartInstructions};
    static constexpr WizardControl reducer[] = {ReducerInstructions};
    switch (page) {
    case WizardPage::Start: return first;
    case WizardPage::Reducer: return reducer;
    case WizardPage::TpsAndProbe:
    case WizardPage::Actuator: break;
    }
    return {};
}

}  // namespace dravinor::wizard
