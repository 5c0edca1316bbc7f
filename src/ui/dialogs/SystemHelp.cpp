#include "ui/dialogs/SystemHelp.h"

namespace dravinor::ui {

// A Linux desktop may have no browser at all: the help stays in the program's viewer.
bool openHelpOutside(const QString&, const QString&)
{
    return false;
}

}  // namespace dravinor::ui
