#include "WizardTables.h"

namespace dravinor::wizard {

std::string_view pageText(std::string_view name)
{
    for (const auto& item : doneItems)
        if (item.label == name)
            return item.text;
    for (const auto& prompt : promptTexts)
        if (prompt.name == name)
            return prompt.text;
    return {};
}

std::string_view unreliableLineLabel(WizardPage page)
{
    switch (page) {
    case WizardPage::AA1:
    case WizardPage::AA2: return unreliableLineLabels[0];
    case WizardPage::AA4: return unreliableLineLabels[1];
    case WizardPage::AA5: break;
    }
    return unreliableLineLabels[2];
}

std::span<const std::string_view> standingInstructions(WizardPage page)
{
    static constexpr std::string_view first[] = {"PUSLabel_AA_P1"};
    static constexpr std::string_view reducer[] = {"PPNLabel_AA_P4"};
    switch (page) {
    case WizardPage::AA1: return first;
    case WizardPage::AA4: return reducer;
    case WizardPage::AA2:
    case WizardPage::AA5: break;
    }
    return {};
}

}  // namespace dravinor::wizard
