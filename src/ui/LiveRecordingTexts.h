#pragma once

#include "SlotText.h"

namespace dravinor::ui::texts {

// Live recording and replay: text slots a language file may replace.
inline constexpr SlotText recordingTo{50210};
inline constexpr SlotText recordingFinished{50211};
inline constexpr SlotText recordingWriteError{50212};
inline constexpr SlotText recordingCannotCreate{50213};
inline constexpr SlotText recordingNoController{50214};
inline constexpr SlotText replaying{50215};
inline constexpr SlotText replayPaused{50216};
inline constexpr SlotText replayEnd{50217};
inline constexpr SlotText replayCannotPlay{50218};
inline constexpr SlotText replayLine{50219};
inline constexpr SlotText csvFilter{50220};

// The menu items' built-in captions (keys 50200, 50201).
inline const QString recordItem = QStringLiteral("Nagrywaj dane na żywo…");
inline const QString pauseReplayItem = QStringLiteral("Wstrzymaj odtwarzanie");

}  // namespace dravinor::ui::texts
