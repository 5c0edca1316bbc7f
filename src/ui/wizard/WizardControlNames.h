#pragma once

#include "wizard/WizardControlNames.h"

#include <QString>

namespace dravinor::ui {

// The widgets' objectNames are the wizard's own (wizard/WizardControlNames.h).
using wizard::wizardControlNames;

inline QString widgetName(wizard::WizardControl control)
{
    return QLatin1String(wizard::controlName(control));
}

}  // namespace dravinor::ui
