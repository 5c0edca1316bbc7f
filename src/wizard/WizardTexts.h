#pragma once

#include "wizard/WizardControl.h"
#include "wizard/WizardView.h"

#include <string_view>

namespace dravinor::wizard {

// The wizard pages' built-in (Polish) texts, UTF-8: the window builds its
// widgets with them and lays the language file over them, the command line
// tells them as they are.

// The page's tab caption: "Poczatek", "Ustalenie progu TPS i kalibracja sondy", ...
std::string_view pageCaption(WizardPage page);

// The control's caption, prompt, notice or button text; empty for a control
// without a text of its own (panels, bars, lamps, lists).
std::string_view pageText(WizardControl control);

}  // namespace dravinor::wizard
