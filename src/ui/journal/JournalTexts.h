#pragma once

#include "ui/language/SlotText.h"

namespace dravinor::ui::journal {

// The text keys of the journal window and its undo.
using namespace lang::slot::journal;
// The menu item's caption: a key of the key table, not a slot.
inline constexpr int menuCaption = 50100;

}  // namespace dravinor::ui::journal
