#pragma once

#include "ui/language/SlotText.h"

namespace dravinor::ui::reads {

// The text keys for values the controller did not give and for the default
// set shown when no controller answered at start-up.
using namespace lang::slot::reads;

// What an unread field shows instead of a number.
inline const QString unreadMark = QStringLiteral("?");

}  // namespace dravinor::ui::reads
