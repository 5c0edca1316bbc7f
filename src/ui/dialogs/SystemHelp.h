#pragma once

#include <QString>

namespace dravinor::ui {

// Opens the help document at its topic outside the program, where the
// system's custom is so: on Windows in the default browser. False when it
// was not opened there (elsewhere always: the program's own viewer shows it).
bool openHelpOutside(const QString& path, const QString& anchor);

}  // namespace dravinor::ui
