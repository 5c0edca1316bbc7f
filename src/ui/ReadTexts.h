#pragma once

#include "SlotText.h"

namespace dravinor::ui::reads {

// Text keys (slots) for values the controller did not give and for the
// default set shown when no controller answered at start-up.
inline constexpr int unreadReason = 51000;        // tip and hint of a field without a value
inline constexpr int unreadStatus = 51001;        // %1 how many of the 35, %2 captions
inline constexpr int saveQuestion = 51002;        // %1 captions
inline constexpr int compareQuestion = 51003;     // %1 captions
inline constexpr int writeAllQuestion = 51004;    // %1 captions
inline constexpr int defaultSetShown = 51005;     // follows the scan's last text
inline constexpr int silentPorts = 51006;         // %1 ports that opened but did not answer

// What an unread field shows instead of a number.
inline const QString unreadMark = QStringLiteral("?");

}  // namespace dravinor::ui::reads
