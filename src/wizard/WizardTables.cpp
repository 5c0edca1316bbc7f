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

}  // namespace dravinor::wizard
