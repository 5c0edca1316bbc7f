#pragma once

#include "ui/language/SlotText.h"

namespace dravinor::ui::carbook {

// The text keys of the car book's window and of what the window records.
using namespace lang::slot::carBook;
// The menu item's caption: a key of the key table, not a slot.
inline constexpr int menuCaption = 51640;

}  // namespace dravinor::ui::carbook
