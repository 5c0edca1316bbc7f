#pragma once

#include <QIcon>

namespace dravinor::ui {

// The program's own icon, built into the program in the sizes a window
// manager asks for.
QIcon programIcon();

}  // namespace dravinor::ui
